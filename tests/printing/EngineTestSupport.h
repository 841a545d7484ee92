// What the engine's tests share: the English texts, A4 pages as images or a PDF file, and
// looking for ink on a page.
#pragma once

#include "EnglishSuite.h"
#include "KyrPrinter.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace kyr::test {

/// A4 pages drawn on images of 96 dots per inch.
class TPageImages {
public:
    TPageImages() : Measure(Blank()) {}

    void Attach(TKyrPrinter &printer) {
        printer.SetPageDevice(&Measure, [this]() -> QPaintDevice * {
            Pages.push_back(Blank());
            return &Pages.back();
        });
    }

    static QImage Blank() {
        QImage image(794, 1123, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        image.fill(Qt::white);
        return image;
    }

    QImage Measure;
    std::deque<QImage> Pages;
};

inline bool IsInk(QRgb p) {
    return std::min({qRed(p), qGreen(p), qBlue(p)}) < 160;
}
inline bool IsRed(QRgb p) {
    return qRed(p) > 200 && qGreen(p) < 90 && qBlue(p) < 90;
}

/// Pixels in the rectangle (clipped to the image) that pass the test.
inline int CountPixels(const QImage &image, const QRect &rect,
                       const std::function<bool(QRgb)> &test = IsInk) {
    const QRect r = rect.intersected(image.rect());
    int count = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}

/// Page objects of a PDF file ("/Type /Page", not "/Pages").
inline int PdfPageCount(const QString &fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray data = file.readAll();
    int count = 0;
    for (qsizetype at = data.indexOf("/Type /Page"); at >= 0;
         at = data.indexOf("/Type /Page", at + 1)) {
        const char next = at + 11 < data.size() ? data[at + 11] : ' ';
        count += next == 's' ? 0 : 1;
    }
    return count;
}

/// An A4 PDF printer without margins at 300 dots per inch, writing into fileName.
inline void SetUpPdfPrinter(QPrinter &printer, const QString &fileName) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setResolution(300);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

/// The English texts for every test of a suite.
class EngineTest : public TEnglishSuite {
protected:
    void SetUp() override {
        TEnglishSuite::SetUp();
        Printer.Language = language;
        Printer.PageLabel = "Page ";
        Printer.HeaderText = "Header of the job";
        Printer.FooterText = "Footer of the job";
    }

    /// Pages on images, ready and laid out.
    void StartImageJob() {
        Images.Attach(Printer);
        ASSERT_TRUE(Printer.IsReady());
        Printer.BeginJob();
        ASSERT_TRUE(Printer.ComputeLayout());
        Printer.SetPage(1);
    }

    TKyrPrinter Printer;
    TPageImages Images;
};

/// Words enough to fill several columns; each paragraph ends with a line end.
inline std::string Prose(int paragraphs) {
    std::string text;
    for (int p = 0; p < paragraphs; ++p) {
        for (int w = 0; w < 60; ++w)
            text += "word" + std::to_string(w % 7) + " ";
        text += "\r\n";
    }
    return text;
}

} // namespace kyr::test
