// Helpers shared by the pieces of the print jobs.
#include "PrintJobParts.h"

#include "InterpControls.h"
#include "KyrPrinter.h"
#include "Language.h"
#include "QuickHelpWin.h"

#include <QCoreApplication>

namespace kyr {

bool JobCancelled(TKyrPrinter &printer) {
    // The jobs run on the user-interface thread: without this the Cancel button is never seen.
    QCoreApplication::processEvents();
    return printer.Cancelled();
}

std::string PrinterText(const TKyrPrinter &printer, int number) {
    return printer.Language ? printer.Language->GetText(number) : std::string();
}

void StartDrawing(TKyrPrinter &printer) {
    printer.StartPageIfPending();
    if (printer.PagePending()) {
        printer.ShowPage(printer.Page());
        printer.SetPagePending(false);
    }
}

std::vector<std::string> HelpTextLines(TDataCollection &data, int number) {
    std::string text;
    if (!FindHelpText(data, number, text))
        return {};
    return SplitTextLines(text);
}

int FirstTextPage(const TKyrPrinter &printer) {
    int page = 1;
    if (printer.JobOptions & JobContents)
        ++page;
    if (printer.JobOptions & JobWheelPage)
        ++page;
    return page;
}

} // namespace kyr
