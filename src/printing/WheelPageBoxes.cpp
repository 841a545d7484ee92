#include "WheelPageBoxes.h"

#include "Angles.h"
#include "Calendar.h"
#include "Glyphs.h"
#include "Horoscope.h"
#include "Language.h"
#include "SettingsFormats.h"
#include "TablePainting.h"
#include "TableRows.h"
#include "TextHelpers.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <array>
#include <climits>

namespace kyr {

namespace {

// Sums and differences of pixel edges in 64 bits, held to the int range that painting takes.
int ToInt(long long x) {
    return static_cast<int>(std::clamp<long long>(x, INT_MIN, INT_MAX));
}

int PixelEdge(int from, long long offset) {
    return ToInt(from + std::clamp<long long>(offset, INT_MIN, INT_MAX));
}

int Height(const TCell &cell) {
    return ToInt(static_cast<long long>(cell.Bottom) - cell.Top);
}

int Width(const TCell &cell) {
    return ToInt(static_cast<long long>(cell.Right) - cell.Left);
}

/// Text ending one pixel left of the cell's right edge, centred vertically.
void DrawRightAligned(QPainter &painter, const TCell &cell, const QString &text) {
    const int width = painter.fontMetrics().horizontalAdvance(text);
    DrawMiddle(painter, cell.Right - 1 - width, cell.Top, cell.Bottom, text);
}

void HorizontalLine(QPainter &painter, int x0, int x1, int y) {
    painter.drawLine(x0, y, x1 - 1, y);
}

void VerticalLine(QPainter &painter, int x, int y0, int y1) {
    painter.drawLine(x, y0, x, y1 - 1);
}

/// Inner lines of a grid given by its column and row edges relative to the box.
template <std::size_t NX, std::size_t NY>
void DrawGrid(QPainter &painter, const TCell &box, const std::array<int, NX> &x,
              const std::array<int, NY> &y) {
    DrawFrame(painter, box);
    for (std::size_t i = 1; i + 1 < NX; ++i)
        VerticalLine(painter, box.Left + x[i], box.Top, box.Bottom);
    for (std::size_t j = 1; j + 1 < NY; ++j)
        HorizontalLine(painter, box.Left, box.Right, box.Top + y[j]);
}

template <std::size_t NX, std::size_t NY>
TCell GridCell(const TCell &box, const std::array<int, NX> &x, const std::array<int, NY> &y,
               std::size_t column, std::size_t row) {
    return {box.Left + x[column], box.Top + y[row], box.Left + x[column + 1], box.Top + y[row + 1]};
}

/// The weekday's 10-character slot of text 204 (Sunday first), trailing blanks removed.
std::string WeekdayName(const TLanguage &language, int dayOfWeek) {
    const std::string days = language.GetText(204);
    const std::size_t at = static_cast<std::size_t>(dayOfWeek) * 10;
    if (dayOfWeek < 0 || at >= days.size())
        return {};
    return TrimRightBlanks(days.substr(at, 10));
}

} // namespace

TCell BoxCell(const TPrintBox &box, int left, int top, long double xScale, long double yScale) {
    TCell cell;
    cell.Left = PixelEdge(left, Trunc(box.Left * xScale));
    cell.Right = PixelEdge(cell.Left, Trunc(box.Width * xScale));
    cell.Top = PixelEdge(top, Trunc(box.Top * yScale));
    cell.Bottom = PixelEdge(cell.Top, Trunc(box.Height * yScale));
    return cell;
}

void DrawFrame(QPainter &painter, const TCell &cell) {
    painter.drawRect(cell.Left, cell.Top, Width(cell) - 1, Height(cell) - 1);
}

void DrawInformationBox(QPainter &painter, const TCell &box, const THoroscope &horoscope,
                        const TLanguage &language, const std::string &orbisName) {
    std::array<int, 5> x{};
    std::array<int, 4> y{};
    for (int i = 0; i <= 4; ++i)
        x[static_cast<std::size_t>(i)] = Share(Width(box), i, 4);
    for (int j = 0; j <= 3; ++j)
        y[static_cast<std::size_t>(j)] = Share(Height(box), j, 3);

    DrawFrame(painter, box);
    for (std::size_t i = 1; i <= 3; ++i)
        VerticalLine(painter, box.Left + x[i], box.Top, box.Bottom);
    // The first column holds the names and has no line between them.
    for (std::size_t j = 1; j <= 2; ++j)
        HorizontalLine(painter, box.Left + x[1], box.Right, box.Top + y[j]);

    const std::array<std::array<std::string, 4>, 3> texts = {{
        {horoscope.FirstName, WeekdayName(language, horoscope.Moment.DayOfWeek),
         language.HouseSystemName(horoscope.HouseSystem()), orbisName + language.GetText(212)},
        {horoscope.LastName, language.BirthDateTimeText(horoscope.BirthDate(), horoscope.BirthTime(),
                                                     horoscope.IsJulian()),
         language.GetText(711) + language.ZoneText(horoscope.ZoneTime()),
         language.GetText(712) + language.TimeText(horoscope.SummerTime())},
        {std::string(), horoscope.PlaceName, horoscope.StateName,
         language.LatitudeText(horoscope.Latitude()) + " " +
             language.LongitudeText(horoscope.Longitude())},
    }};
    painter.setFont(TableFont(Width(box) / 35));
    for (std::size_t row = 0; row < 3; ++row)
        for (std::size_t column = 0; column < 4; ++column)
            DrawCentred(painter, GridCell(box, x, y, column, row), ToQString(texts[row][column]));
}

void DrawSymbolBox(QPainter &painter, const TCell &box, const TLanguage &language) {
    const TSymbolLayout layout = SymbolLayout(Width(box), Height(box));
    const std::array<int, 3> x = {0, Share(Width(box), 7, 22), Width(box)};
    DrawGrid(painter, box, x, layout.Y);

    const QFont glyphFont = TableFont(Height(box) / 57);
    const QFont nameFont = TableFont(Height(box) / 76);
    const std::vector<TSymbolRow> rows = SymbolRows(language);
    for (std::size_t k = 0; k < rows.size() && k < static_cast<std::size_t>(SymbolRowCount); ++k) {
        painter.setFont(glyphFont);
        DrawCentred(painter, GridCell(box, x, layout.Y, 0, k), ToQString(rows[k].Glyph));
        painter.setFont(nameFont);
        const TCell name = GridCell(box, x, layout.Y, 1, k);
        DrawMiddle(painter, name.Left, name.Top, name.Bottom, ToQString(" " + rows[k].Name));
    }
}

void DrawHousesBox(QPainter &painter, const TCell &box, const THoroscope &horoscope,
                   const TLanguage &language) {
    const TCuspLayout layout = CuspLayout(Width(box), Height(box));
    DrawGrid(painter, box, layout.X, layout.Y);

    const QFont glyphFont = TableFont(Height(box) / 18);
    const QFont textFont = TableFont(Height(box) / 24);
    const std::vector<TCuspRow> rows = CuspRows(horoscope, language);
    for (std::size_t h = 0; h < rows.size() && h < 12; ++h) {
        painter.setFont(glyphFont);
        DrawCentred(painter, GridCell(box, layout.X, layout.Y, 0, h), ToQString(rows[h].Label));
        DrawCentred(painter, GridCell(box, layout.X, layout.Y, 2, h), ToQString(rows[h].SignGlyph));
        painter.setFont(textFont);
        DrawRightAligned(painter, GridCell(box, layout.X, layout.Y, 1, h),
                         ToQString(rows[h].Position + " "));
    }
}

void DrawAspectsBox(QPainter &painter, const TCell &box, const THoroscope &horoscope,
                    const TLanguage &language) {
    const TAspectLayout layout = AspectLayout(Width(box), Height(box));
    DrawGrid(painter, box, layout.X, layout.Y);

    painter.setFont(TableFont(Height(box) / 24));
    for (std::size_t k = 1; k <= 14; ++k) {
        const QString glyph = ToQString(language.PointGlyph(static_cast<int>(k)));
        DrawCentred(painter, GridCell(box, layout.X, layout.Y, 0, k), glyph);
        DrawCentred(painter, GridCell(box, layout.X, layout.Y, k, 0), glyph);
    }

    const int glyphHeight = layout.RowHeight * 2 / 3;
    const QFont glyphFont = TableFont(glyphHeight);
    const QFont deviationFont = TableFont(layout.RowHeight - glyphHeight);
    for (const TAspectCell &aspect : AspectCells(horoscope, language)) {
        // The partner's aspects belong to the bi-wheel's tables, not to this chart's page.
        if (aspect.Partner || aspect.Row < 1 || aspect.Row > 14 || aspect.Column < 1 ||
            aspect.Column > 14)
            continue;
        const TCell cell =
            GridCell(box, layout.X, layout.Y, static_cast<std::size_t>(aspect.Column),
                     static_cast<std::size_t>(aspect.Row));
        const TCell upper{cell.Left, cell.Top, cell.Right, cell.Top + glyphHeight};
        const TCell lower{cell.Left, upper.Bottom, cell.Right, cell.Bottom};
        painter.setFont(glyphFont);
        DrawCentred(painter, upper, ToQString(aspect.Glyph));
        painter.setFont(deviationFont);
        DrawCentred(painter, lower, ToQString(aspect.Deviation));
    }
}

void DrawPlanetsBox(QPainter &painter, const TCell &box, const THoroscope &horoscope,
                    const TLanguage &language) {
    const TPositionLayout layout = PositionLayout(Width(box), Height(box));
    DrawGrid(painter, box, layout.X, layout.Y);

    const QFont glyphFont = TableFont(Height(box) / 18);
    const QFont textFont = TableFont(Height(box) / 24);
    const QString retrograde = ToQString(SymbolFontText(RetrogradeGlyphCode));
    const std::vector<TPositionRow> rows = PositionRows(horoscope, language);
    for (std::size_t b = 0; b < rows.size() && b < 12; ++b) {
        const TPositionRow &row = rows[b];
        painter.setFont(glyphFont);
        DrawCentred(painter, GridCell(box, layout.X, layout.Y, 0, b), ToQString(row.Glyph));
        DrawCentred(painter, GridCell(box, layout.X, layout.Y, 2, b), ToQString(row.SignGlyph));
        if (row.Retrograde)
            DrawCentred(painter, GridCell(box, layout.X, layout.Y, 3, b), retrograde);
        DrawCentred(painter, GridCell(box, layout.X, layout.Y, 4, b), ToQString(row.House));
        painter.setFont(textFont);
        DrawRightAligned(painter, GridCell(box, layout.X, layout.Y, 1, b),
                         ToQString(row.Position + " "));
    }
}

} // namespace kyr
