// The engine's life cycle: settings, readiness, the document, progress and the contents list.
#include "KyrPrinter.h"

#include "KyrSetup.h"
#include "Language.h"
#include "PrintFonts.h"

#include <QPrinter>

namespace kyr {

QString FlowQText(const std::string &text) {
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (std::size_t i = 0; i < text.size();) {
        const TDecodedChar c = DecodeChar(text, i, text.size());
        result.append(QString::fromUcs4(&c.Code, 1));
        i += static_cast<std::size_t>(c.Size);
    }
    return result;
}

TKyrPrinter::TKyrPrinter() {
    LoadSettings(TPrintLayout{});
}

TKyrPrinter::~TKyrPrinter() {
    EndJob();
}

void TKyrPrinter::SetPrinter(QPrinter *printer) {
    if (printer == FPrinter)
        return;
    EndJob();
    FPrinter = printer;
}

void TKyrPrinter::SetPageDevice(QPaintDevice *measure,
                                std::function<QPaintDevice *()> nextPage) {
    EndJob();
    FPageDevice = measure && nextPage ? measure : nullptr;
    FNextPageDevice = FPageDevice ? std::move(nextPage) : std::function<QPaintDevice *()>();
}

QPaintDevice *TKyrPrinter::Device() const {
    if (FPageDevice)
        return FPageDevice;
    return FPrinter;
}

void TKyrPrinter::UseSystemPrinter() {
    if (!FOwnPrinter)
        FOwnPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    SetPrinter(FOwnPrinter.get());
}

void TKyrPrinter::LoadSettings(const TPrintLayout &layout) {
    Columns = layout.Columns;
    HeaderMargin = layout.HeaderMargin;
    TopMargin = layout.TopMargin;
    LeftMargin = layout.LeftMargin;
    RgtMargin = layout.RgtMargin;
    BottomMargin = layout.BottomMargin;
    FooterMargin = layout.FooterMargin;
    LineSpace = layout.LineSpace;
    ColumnSpace = layout.ColumnSpace;
    ApplyFontSetting(layout.TitleFont, TitleFont);
    ApplyFontSetting(layout.SubTitleFont, SubTitleFont);
    ApplyFontSetting(layout.BodyFont, BodyFont);
    ApplyFontSetting(layout.HeaderFont, HeaderFont);
}

void TKyrPrinter::LoadSettings(const TKyrSetup &setup) {
    LoadSettings(setup.PrintLayout);
    TitleBoxColor = setup.Goodies.TitleBoxColor;
    PageLineColor = setup.Goodies.PageLineColor;
}

bool TKyrPrinter::IsReady() {
    const bool printer = FPageDevice || (FPrinter && FPrinter->isValid());
    if (!printer || !Language)
        return false;
    if (FromPage < 0)
        FromPage = 0;
    if (ToPage < FromPage)
        ToPage = DefaultToPage;
    return true;
}

void TKyrPrinter::BeginJob() {
    EndJob();
    FFailed = false;
    if (FPrinter)
        FPrinter->setDocName(FlowQText(DocumentTitle));
}

QPainter &TKyrPrinter::Canvas() {
    if (!FPainter.isActive() && Device() && !FFailed) {
        if (!FPainter.begin(FPageDevice ? FNextPageDevice() : FPrinter)) {
            FFailed = true;
            return FPainter;
        }
        FPageDirty = false;
        FPainter.setFont(FCanvasFont);
    }
    return FPainter;
}

void TKyrPrinter::FinishJob() {
    if (!FPagePending)
        DrawHeaderFooter();
    if (Language)
        ShowStatus(Language->GetText(516));
    EndJob();
}

void TKyrPrinter::EndJob() {
    if (FPainter.isActive())
        FPainter.end();
}

void TKyrPrinter::ShowStatus(const std::string &text) {
    if (!Feedback.ShowStatus || text == FLastStatus)
        return;
    FLastStatus = text;
    Feedback.ShowStatus(FlowQText(text));
}

void TKyrPrinter::ShowPage(int page) {
    FPage = page;
    if (!Language)
        return;
    const std::string pageText = Language->GetText(100) + std::to_string(page);
    if (Feedback.ShowPage)
        Feedback.ShowPage(FlowQText(pageText));
    ShowStatus(Language->GetText(101) + pageText);
}

bool TKyrPrinter::Cancelled() const {
    return Feedback.Cancelled && Feedback.Cancelled();
}

void TKyrPrinter::PrinterName(std::string &name) const {
    name.clear();
    if (FPrinter) {
        if (!FPrinter->printerName().isEmpty())
            name = FPrinter->printerName().toStdString();
        else if (FPrinter->outputFormat() == QPrinter::PdfFormat)
            name = FPrinter->outputFileName().toStdString();
    }
    if (name.empty())
        name = "<missing printer>";
}

void TKyrPrinter::ClearContents() {
    FContentsTitles.clear();
    FContentsPages.clear();
    FContentsIndex = 0;
    FContentsWidth = 0;
}

void TKyrPrinter::AddContents(const std::string &title, int page) {
    FContentsTitles.push_back(title);
    FContentsPages.push_back(page);
}

} // namespace kyr
