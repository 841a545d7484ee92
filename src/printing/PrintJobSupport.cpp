// Helpers shared by the pieces of the print jobs.
#include "PrintJobParts.h"

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
    std::vector<std::string> lines;
    std::string text;
    if (!FindHelpText(data, number, text))
        return lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
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
