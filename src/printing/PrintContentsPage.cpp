// The contents page, numbered 1: first in a PDF, last on paper (see the job). Help text 11002 in
// two columns below the cover picture; its markers bring the name, the logo and the contents.
#include "PrintColumnScope.h"
#include "PrintJobParts.h"

#include "QuickHelpWin.h"

namespace kyr {

namespace {
/// The logo's outline box, 10071 × 2191 units.
constexpr int LogoUnitsWide = 10071;
constexpr int LogoUnitsHigh = 2191;
} // namespace

void PrintContentsPage(TKyrPrinter &printer, TDataCollection &data) {
    printer.NewPage();
    printer.SetPage(1);
    if (!printer.PageInRange())
        return;

    const TPageMeasures &m = printer.Measures();
    TPrintColumnScope scope(printer);
    const int top = m.Top + m.PictureHeight + 2 * m.BodyLine;
    scope.SetTop(top);
    printer.SetY(top);
    scope.SetColumns(2);
    const int logoWidth = m.ColumnWidth * 2 / 3;
    printer.SetLogoSize(logoWidth, logoWidth * LogoUnitsHigh / LogoUnitsWide);

    std::string stored;
    FindHelpText(data, 11002, stored);
    // The flow ends lines at CR only; the help texts may be stored with LF line ends.
    std::string text;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] == '\n') {
            if (i == 0 || stored[i - 1] != '\r')
                text += '\r';
        } else {
            text += stored[i];
        }
    }
    StartDrawing(printer);
    // No cover picture comes with the program: its place above the columns stays empty.
    printer.FlowText(text);
}

} // namespace kyr
