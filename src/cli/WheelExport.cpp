#include "WheelExport.h"

#include "ChartRun.h"
#include "Horoscope.h"
#include "HoroscopeException.h"
#include "ProgramDirectory.h"
#include "ReplaceFile.h"
#include "SymbolFonts.h"
#include "UsageError.h"
#include "Wheel.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include <iostream>
#include <memory>
#include <stdexcept>

namespace kyr::cli {

namespace {

// Qt's notes about the missing display and runtime directory are not the tool's business;
// its errors still reach standard error.
void QuietMessages(QtMsgType type, const QMessageLogContext &, const QString &message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "kyr-chart: " << message.toStdString() << '\n';
}

// A QApplication on the offscreen platform, unless the caller already runs one.
class TApplicationScope {
public:
    TApplicationScope() {
        if (QCoreApplication::instance())
            return;
        FPreviousHandler = qInstallMessageHandler(QuietMessages);
        FApplication = std::make_unique<QApplication>(FArgc, FArgv);
    }
    ~TApplicationScope() {
        if (!FApplication)
            return;
        FApplication.reset();
        qInstallMessageHandler(FPreviousHandler);
    }
    TApplicationScope(const TApplicationScope &) = delete;
    TApplicationScope &operator=(const TApplicationScope &) = delete;

private:
    // The command line names the platform, so a QT_QPA_PLATFORM of the environment cannot
    // send the tool to a display.
    char FName[10] = "kyr-chart";
    char FPlatformOption[10] = "-platform";
    char FPlatform[10] = "offscreen";
    char *FArgv[4] = {FName, FPlatformOption, FPlatform, nullptr};
    int FArgc = 3;
    QtMessageHandler FPreviousHandler = nullptr;
    std::unique_ptr<QApplication> FApplication;
};

TChartRequest PartnerChart(const TChartRequest &request) {
    TChartRequest partner = request;
    partner.UniversalTime = true;
    partner.Date = request.Partner->Date;
    partner.Seconds = request.Partner->Seconds;
    partner.UtcOffsetMinutes = 0;
    partner.DstMinutes = 0;
    partner.Latitude = request.Partner->Latitude;
    partner.Longitude = request.Partner->Longitude;
    partner.Place.clear();
    partner.Transits.reset();
    return partner;
}

[[noreturn]] void CannotDraw(const std::string &file) {
    throw std::runtime_error("cannot draw the wheel image " + file);
}

QByteArray PngBytes(TWheel &wheel, int size, const std::string &file) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        throw std::runtime_error("not enough memory for a wheel image of " + std::to_string(size) +
                                 " pixels");
    {
        QPainter painter(&image);
        wheel.Picture().Draw(painter, QRect(0, 0, size, size));
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        CannotDraw(file);
    return buffer.data();
}

QByteArray SvgBytes(TWheel &wheel, int size, const std::string &file) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(QSize(size, size));
        svg.setViewBox(QRect(0, 0, size, size));
        svg.setTitle(QStringLiteral("Chart wheel"));
        QPainter painter;
        if (!painter.begin(&svg))
            CannotDraw(file);
        wheel.Picture().Draw(painter, QRect(0, 0, size, size));
        painter.end();
    }
    // The generator gives the size in millimetres, which viewers round to a pixel more or
    // less; in plain pixels the image is exactly size wide.
    QByteArray text = buffer.data();
    static const QRegularExpression millimetres(
        QStringLiteral("<svg width=\"[0-9.]+mm\" height=\"[0-9.]+mm\""));
    const QRegularExpressionMatch match = millimetres.match(QString::fromUtf8(text));
    if (match.hasMatch())
        text.replace(match.captured().toUtf8(),
                     QStringLiteral("<svg width=\"%1\" height=\"%1\"").arg(size).toUtf8());
    return text;
}

QByteArray PdfBytes(TWheel &wheel, int size, const std::string &file) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        // One unit a point: the page is size points square and the wheel's pens keep their
        // widths in points.
        pdf.setResolution(72);
        pdf.setPageSize(
            QPageSize(QSizeF(size, size), QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setCreator(QStringLiteral("kyr-chart"));
        pdf.setTitle(QStringLiteral("Chart wheel"));
        QPainter painter;
        if (!painter.begin(&pdf))
            CannotDraw(file);
        wheel.Picture().Draw(painter, QRect(0, 0, size, size));
        painter.end();
    }
    return buffer.data();
}

} // namespace

void ExportWheel(const TChartRequest &request) {
    const TWheelRequest &options = request.Wheel;
    TApplicationScope application;
    if (!RegisterSymbolFonts())
        throw std::runtime_error("cannot load the symbol font " + ProgramDirectory() +
                                 SymbolFontFiles[0] + " or " + SymbolFontFiles[1]);

    // The horoscopes outlive the wheels, which detach from them when they go.
    THoroscope own, partner;
    RunHoroscope(own, request);
    if (request.Partner) {
        // Its faults name it, since the first chart was fine.
        try {
            RunHoroscope(partner, PartnerChart(request), PartnerPlaceOptions);
        } catch (const EUsageError &e) {
            throw EUsageError(std::string("the partner chart: ") + e.what());
        } catch (const EHoroscopeException &e) {
            throw std::runtime_error(std::string("the partner chart: ") + e.what());
        }
    }

    TWheelModel partnerWheel;
    TWheel wheel;
    wheel.SetOpaque(true);
    wheel.SetColor(Qt::white);
    wheel.SetBW(options.BW);
    wheel.SetShowAspects(true);
    wheel.SetAriesAtLeft(options.AriesAtLeft);
    wheel.SetHoroscope(&own);
    if (request.Partner) {
        partnerWheel.SetHoroscope(&partner);
        wheel.SetRelationWheel(&partnerWheel);
        wheel.SetDualMode(true);
    }

    // Drawn whole in memory first, then written so that a failure leaves no partial image
    // and keeps a file that was there.
    QByteArray bytes;
    switch (options.Format) {
    case TWheelFormat::Png:
        bytes = PngBytes(wheel, options.Size, options.File);
        break;
    case TWheelFormat::Svg:
        bytes = SvgBytes(wheel, options.Size, options.File);
        break;
    case TWheelFormat::Pdf:
        bytes = PdfBytes(wheel, options.Size, options.File);
        break;
    }
    ReplaceFile(options.File, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                "cannot write the wheel image");
}

} // namespace kyr::cli
