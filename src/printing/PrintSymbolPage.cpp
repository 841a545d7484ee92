// The symbol explanation: help text 11001 as a table, a glyph in the symbol font in front of each
// symbol's name and meaning.
#include "PrintColumnScope.h"
#include "PrintJobParts.h"

#include "Glyphs.h"
#include "Interpretation.h"
#include "Language.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace kyr {

namespace {

constexpr std::size_t MaxCells = 11;
/// The lines before this one (title, introduction, first sub-heading) set no column widths.
constexpr std::size_t FirstMeasuredLine = 3;

std::vector<std::string> Cells(const std::string &line) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    while (cells.size() < MaxCells) {
        const std::size_t tab = line.find('\t', start);
        cells.push_back(
            line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            break;
        start = tab + 1;
    }
    return cells;
}

} // namespace

std::string SymbolCellGlyph(const std::string &cell, const TLanguage &language) {
    const QString text = FlowQText(cell);
    if (text.size() == 2) {
        const int c = text.at(1).unicode();
        switch (text.at(0).unicode()) {
        case '#':
            if (c - 49 >= 0 && c - 49 < 12)
                return language.BodyGlyph(c - 49);
            break;
        case '$':
            if (c - 48 >= 0 && c - 48 <= 12)
                return language.AspectGlyph(c - 48);
            break;
        case '@':
            if (c - 49 >= 0 && c - 49 < 12)
                return language.SignGlyph(c - 49);
            break;
        default:
            break;
        }
    }
    // Any other short cell is the symbol-font character itself.
    std::string glyph;
    for (const QChar ch : text)
        glyph += ch.unicode() < 256 ? SymbolFontText(static_cast<std::uint8_t>(ch.unicode()))
                                    : QString(ch).toStdString();
    return glyph;
}

void PrintSymbolPage(TKyrPrinter &printer, TDataCollection &data) {
    printer.NewPage();
    if (!printer.Interpretation || printer.Interpretation->Interptype() == itNone)
        printer.SetPage(FirstTextPage(printer));
    printer.HeaderText = PrinterText(printer, 16);
    TPrintColumnScope scope(printer);
    scope.SetColumns(1);

    const std::vector<std::string> lines = HelpTextLines(data, 11001);
    if (lines.empty())
        return;
    printer.PrintTitleBox(lines[0]);
    printer.AddContents(lines[0], printer.Page());

    const QFontMetrics body(printer.BodyFont, printer.Printer());
    std::vector<int> widths;
    for (std::size_t l = FirstMeasuredLine; l < lines.size(); ++l) {
        const std::vector<std::string> cells = Cells(lines[l]);
        if (widths.size() < cells.size())
            widths.resize(cells.size(), 0);
        for (std::size_t j = 0; j < cells.size(); ++j)
            widths[j] = std::max(widths[j], body.horizontalAdvance(FlowQText(cells[j] + "   ")));
    }
    std::vector<int> starts(MaxCells, 0);
    for (std::size_t j = 1; j < MaxCells; ++j)
        starts[j] = starts[j - 1] + (j - 1 < widths.size() ? widths[j - 1] : 0);

    QFont symbolFont(QStringLiteral("KYR Sans Serif"));
    if (printer.BodyFont.pointSizeF() > 0)
        symbolFont.setPointSizeF(printer.BodyFont.pointSizeF());
    else
        symbolFont.setPixelSize(std::max(1, body.height()));
    const TPageMeasures &m = printer.Measures();
    for (std::size_t l = 1; l < lines.size(); ++l) {
        const std::vector<std::string> cells = Cells(lines[l]);
        for (std::size_t j = 0; j < cells.size(); ++j) {
            if (cells[j].empty())
                continue;
            const int x = printer.ColumnX() + starts[j];
            if (j > 0 || FlowQText(cells[j]).size() > 2 || !printer.Language) {
                printer.PrintAt(x, printer.Y(), cells[j]);
                continue;
            }
            StartDrawing(printer);
            if (printer.PageInRange()) {
                QPainter &canvas = printer.Canvas();
                canvas.save();
                canvas.setFont(symbolFont);
                canvas.setPen(Qt::black);
                canvas.drawText(x, printer.Y() + canvas.fontMetrics().ascent(),
                                FlowQText(SymbolCellGlyph(cells[j], *printer.Language)));
                canvas.restore();
            }
        }
        printer.SetY(printer.Y() + m.BodyLine);
        if (printer.Y() + m.BodyLine > m.Bottom)
            printer.NextColumn();
    }
}

} // namespace kyr
