// The flow: deferred page breaks, the page range, and body text into the columns.
#include "KyrPrinter.h"

#include <QFontMetrics>
#include <QPrinter>

#include <algorithm>

namespace kyr {

namespace {
/// The person's name as marker "#1" starts a line with it.
constexpr qsizetype MaxNameChars = 80;
/// Blanks after the widest contents entry, before the page numbers.
constexpr int ContentsGapBlanks = 14;
} // namespace

bool TKyrPrinter::PageInRange() const {
    return FromPage <= FPage && FPage <= ToPage;
}

bool TKyrPrinter::StartPageIfPending() {
    const bool due = FPagePending && !FNoPageFinishedYet;
    if (due && PageInRange() && FPainter.isActive()) {
        if (FPageDevice) {
            FPainter.end();
            FFailed = !FPainter.begin(FNextPageDevice());
        } else if (!FPrinter->newPage()) {
            FFailed = true;
            FPainter.end();
        }
        FPageDirty = false;
    }
    return due;
}

void TKyrPrinter::MarkPagePrinted() {
    if (FPagePending) {
        ShowPage(FPage);
        FPagePending = false;
    }
}

void TKyrPrinter::DrawText(const QFont &font, int x, int y, const std::string &text) {
    QPainter &canvas = Canvas();
    if (!canvas.isActive())
        return;
    canvas.setFont(font);
    canvas.setPen(Qt::black);
    canvas.drawText(x, y + canvas.fontMetrics().ascent(), FlowQText(text));
    FPageDirty = true;
}

int TKyrPrinter::TextWidth(const QFont &font, const std::string &text) const {
    return QFontMetrics(font, Device()).horizontalAdvance(FlowQText(text));
}

void TKyrPrinter::PrintAt(int x, int y, const std::string &text) {
    if (StartPageIfPending())
        FCanvasFont = BodyFont;
    if (PageInRange() && !text.empty())
        DrawText(FCanvasFont, x, y, text);
    MarkPagePrinted();
}

void TKyrPrinter::NextColumn() {
    FY = FM.Top;
    ++FColumn;
    if (FColumn >= Columns) {
        if (!FPagePending) {
            DrawHeaderFooter();
            // A page drawn on without a header (a wheel page alone) is finished all the same,
            // so that the next page is not drawn over it.
            if (FPageDirty && PageInRange())
                FNoPageFinishedYet = false;
        }
        FColumn = 0;
        ++FPage;
        FPagePending = true;
    }
}

void TKyrPrinter::NewPage() {
    FColumn = Columns;
    NextColumn();
}

void TKyrPrinter::EnsureSpace(int height) {
    if (FM.Bottom - FY - height < 0)
        NextColumn();
}

void TKyrPrinter::ContentsEntry(std::string &line) {
    if (FContentsIndex == 0) {
        const std::string gap(ContentsGapBlanks, ' ');
        FContentsWidth = 0;
        for (const std::string &title : FContentsTitles)
            FContentsWidth = std::max(FContentsWidth, TextWidth(FCanvasFont, title + gap));
        if (FContentsWidth == 0)
            FContentsWidth = TextWidth(FCanvasFont, gap);
    }
    line += FContentsTitles[FContentsIndex];
    PrintAt(ColumnX() + FContentsWidth, FY, std::to_string(FContentsPages[FContentsIndex]));
    ++FContentsIndex;
}

TLineBreakHooks TKyrPrinter::MakeHooks() {
    TLineBreakHooks hooks;
    hooks.Name = FlowQText(PersonName).toUpper().left(MaxNameChars).toStdString();
    hooks.OnWideName = [this] {
        PrintAt(ColumnX(), FY, std::string());
        FY += FM.BodyLine;
        if (FY + FM.BodyLine > FM.Bottom)
            NextColumn();
    };
    hooks.OnLogo = [this] {
        DrawLogo();
        FY += FM.LogoHeight;
    };
    hooks.OnContentsEntry = [this](std::string &line) {
        if (FContentsIndex >= FContentsTitles.size())
            return false;
        ContentsEntry(line);
        return true;
    };
    hooks.OnColumnMarker = [this] {
        if (FColumn == 0)
            NextColumn();
    };
    return hooks;
}

bool TKyrPrinter::NextLine(std::uint16_t &position, const std::string &text, std::string &line,
                           std::uint16_t length) {
    TLineBreakContext context;
    context.Widths = &FWidths;
    context.ColumnWidth = FM.ColumnWidth;
    context.Hooks = MakeHooks();
    return kyr::NextLine(position, text, line, length, context);
}

void TKyrPrinter::FlowText(const std::string &text, int length) {
    FCanvasFont = BodyFont;
    const std::size_t used =
        length < 0 ? text.size() : std::min(text.size(), static_cast<std::size_t>(length));
    const std::string whole = text.substr(0, used);
    TLineBreakContext context;
    context.Widths = &FWidths;
    context.ColumnWidth = FM.ColumnWidth;
    context.Hooks = MakeHooks();
    std::string line;
    for (std::size_t start = 0; start < whole.size();) {
        const std::size_t end = PieceEnd(whole, start, MaxBreakLength);
        const std::string piece = whole.substr(start, end - start);
        std::uint16_t position = 0;
        while (kyr::NextLine(position, piece, line, static_cast<std::uint16_t>(piece.size()),
                             context)) {
            if (line.empty() && FY <= FM.Top)
                continue;
            PrintAt(ColumnX(), FY, line);
            FY += FM.BodyLine;
            if (FY + FM.BodyLine > FM.Bottom)
                NextColumn();
        }
        start = end;
    }
}

} // namespace kyr
