// The birth and dynamic analysis: every row of the twelve main titles with the passages of its
// books, a strength graph under each transit, and a reference instead of a passage printed
// before.
#include "PrintJobParts.h"

#include "KyrPrinter.h"

#include "Horoscope.h"
#include "Interpretation.h"
#include "TransitMeter.h"

#include <QPainter>

#include <array>
#include <sstream>

namespace kyr {

namespace {

constexpr int TransitGraphSamples = 769;
/// The print title ids of main titles 1..12 are 150..161.
constexpr int FirstPrintTitleId = 150;

/// "See page n: "title"" for a row whose passage stands under an earlier title.
void PrintReference(TKyrPrinter &printer, const TInterpretation &interp, int twin) {
    std::string text;
    interp.GetRowText(twin, text);
    printer.FlowText(PrinterText(printer, 11) + std::to_string(interp.GetRowPageTag(twin)) +
                     ": \"" + text + "\"\r\r");
}

/// The main passage of book is printed: book 1 with "Professional", book 2 with "Personal",
/// the books above 2 unless only "Professional" is chosen.
bool MainPassageWanted(int book, int jobOptions) {
    if (book > 2)
        return (jobOptions & (JobBook1 | JobBook2)) != JobBook1;
    return (book & jobOptions) != 0;
}

} // namespace

void PrintTransitGraph(TKyrPrinter &printer, int transitIndex) {
    const TPageMeasures &m = printer.Measures();
    TTransitMeter *meter = printer.TransitMeter;
    THoroscope *horoscope = printer.Horoscope;
    if (printer.PageInRange() && meter && horoscope) {
        std::array<Extended, 1024> values{};
        if (horoscope->GetTransitCurve(transitIndex, TransitGraphSamples, values.data())) {
            const bool active = meter->Active();
            meter->SetActive(false);
            meter->SetFromYear(horoscope->FromYear());
            meter->SetToYear(horoscope->ToYear());
            for (int i = 0; i < TransitGraphSamples; ++i)
                meter->SetValue(i, values[static_cast<std::size_t>(i)]);
            meter->SetMaxValues(TransitGraphSamples - 1);
            meter->SetActive(active);

            StartDrawing(printer);
            QPainter &canvas = printer.Canvas();
            canvas.save();
            canvas.setFont(printer.BodyFont);
            canvas.setPen(QPen(Qt::black, 1));
            const int x = printer.ColumnX();
            const int y = printer.Y() + m.BodyLine / 2;
            meter->Picture().Draw(canvas, QRect(x, y, m.GraphWidth, m.GraphBlock));
            canvas.restore();
        }
    }
    printer.SetY(printer.Y() + m.GraphBlock + m.BodyLine);
}

bool PrintInterpretationBody(TKyrPrinter &printer) {
    TInterpretation *interp = printer.Interpretation;
    if (!interp || !printer.Horoscope || !printer.Horoscope->Active())
        return true;
    printer.NewPage();
    printer.SetPage(FirstTextPage(printer));

    // Printed, the rows sit under the twelve birth-analysis titles.
    interp->HardCopy = true;
    interp->SetInterptype(interp->Interptype());

    const TPageMeasures &m = printer.Measures();
    std::stringstream stream;
    for (int i = 1; i <= 12; ++i) {
        bool titlePrinted = false;
        for (int r = 0; r < interp->RowCount(); ++r) {
            if (interp->Row(r).Ix != i)
                continue;
            interp->ShowSubTitle(r);
            const int count = interp->GetBookCount();
            std::array<int, 4> books{};
            for (int j = 1; j <= count && j <= 4; ++j)
                books[static_cast<std::size_t>(j - 1)] = interp->GetBook(j);

            for (int j = 1; j <= count && j <= 4; ++j) {
                if (JobCancelled(printer))
                    return false;
                const int book = books[static_cast<std::size_t>(j - 1)];
                std::string title, period;
                int transit = -1;
                interp->AssembleText(r, book, title, period, transit, j == 1,
                                     MainPassageWanted(book, printer.JobOptions), true, &stream);
                const bool withTransit = transit >= 0;
                const int s = period.empty() ? m.SubTitleBlock : m.PeriodBlock;

                if (!titlePrinted) {
                    printer.EnsureSpace(withTransit
                                            ? s + m.GraphBlock + m.TitleLine + 3 * m.BodyLine
                                            : s + m.TitleLine + m.BodyLine);
                    const std::string mainTitle = PrinterText(printer, FirstPrintTitleId + i - 1);
                    printer.AddContents(mainTitle, printer.Page());
                    printer.PrintTitleBox(mainTitle);
                    titlePrinted = true;
                }
                if (j == 1) {
                    printer.EnsureSpace(withTransit ? s + m.GraphBlock + 2 * m.BodyLine : s);
                    // A later reference sends the reader to the page the sub-title is on.
                    interp->SetRowPageTag(r, printer.Page());
                    if (!title.empty())
                        printer.PrintSubTitle(title);
                    if (!period.empty())
                        printer.PrintSubTitle(period);
                }

                bool transitTwin = false;
                const int twin = interp->FindEarlierTwin(i, r, transitTwin);
                if (twin >= 0 && !transitTwin) {
                    PrintReference(printer, *interp, twin);
                    break;
                }
                if (j == 1 && withTransit)
                    PrintTransitGraph(printer, transit);
                if (twin >= 0) {
                    PrintReference(printer, *interp, twin);
                    break;
                }
                const std::string text = stream.str();
                if (!text.empty())
                    printer.FlowText(text);
            }
        }
    }
    return true;
}

} // namespace kyr
