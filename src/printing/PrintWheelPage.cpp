// The wheel page: the chart wheel and the information boxes where the settings place them.
#include "PrintJobParts.h"
#include "PrintJobs.h"

#include "KyrPrinter.h"
#include "WheelPageBoxes.h"
#include "PageLimits.h"

#include "Horoscope.h"
#include "Language.h"
#include "Wheel.h"

#include <QPainter>

namespace kyr {

namespace {

QRect ToRect(const TCell &cell) {
    return {cell.Left, cell.Top, cell.Right - cell.Left, cell.Bottom - cell.Top};
}

void DrawWheelBox(QPainter &painter, const TCell &cell, TWheel *wheel, bool blackAndWhite) {
    if (!wheel) {
        DrawFrame(painter, cell);
        return;
    }
    // The wheel belongs to the print dialog; it gets its own style back afterwards.
    const bool oldBW = wheel->BW();
    wheel->SetBW(blackAndWhite);
    painter.save();
    wheel->Picture().Draw(painter, ToRect(cell));
    painter.restore();
    wheel->SetBW(oldBW);
}

} // namespace

void PrintWheelPage(TKyrPrinter &printer, const TWheelPageSettings &settings) {
    const int page = (printer.JobOptions & JobContents) ? 2 : 1;
    printer.SetPage(page);
    printer.SetPagePending(false);
    printer.AddContents(PrinterText(printer, 41), page);
    if (!printer.PageInRange())
        return;
    printer.ShowPage(page);

    QPainter &painter = printer.Canvas();
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);

    const TPageMeasures &m = printer.Measures();
    const TPrintOptions &boxes = settings.Boxes;
    // Boxes of this page only; a box beyond it would overflow the pixel arithmetic.
    const QPaintDevice *device = printer.Device();
    const TPageSize sheet =
        device ? TPageSize{device->widthMM(), device->heightMM()} : LargestPage;
    auto cellOf = [&](const TPrintBox &box) {
        return BoxCell(ClampBox(box, sheet), m.Left, m.Top, m.XScale, m.YScale);
    };
    const THoroscope *horoscope = printer.Horoscope;
    const TLanguage *language = printer.Language;

    if (boxes.Wheel.Enabled)
        DrawWheelBox(painter, cellOf(boxes.Wheel), printer.Wheel, boxes.BW);
    if (boxes.Information.Enabled && horoscope && language)
        DrawInformationBox(painter, cellOf(boxes.Information), *horoscope, *language,
                           settings.OrbisName);
    if (boxes.Symbol.Enabled && language)
        DrawSymbolBox(painter, cellOf(boxes.Symbol), *language);
    if (boxes.Houses.Enabled && horoscope && language)
        DrawHousesBox(painter, cellOf(boxes.Houses), *horoscope, *language);
    if (boxes.Aspects.Enabled && horoscope && language)
        DrawAspectsBox(painter, cellOf(boxes.Aspects), *horoscope, *language);
    if (boxes.Planets.Enabled && horoscope && language)
        DrawPlanetsBox(painter, cellOf(boxes.Planets), *horoscope, *language);

    painter.restore();
}

} // namespace kyr
