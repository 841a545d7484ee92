// The book-excerpt job: chosen passages of the book table, each under its readable title.
#include "PrintJobParts.h"
#include "PrintJobs.h"

#include "KyrPrinter.h"

#include "DataCollection.h"

#include <cctype>
#include <sstream>

namespace kyr {

namespace {

/// "BBCC 3344": book, chapter and the two codes; false for anything else.
bool SplitKey(const std::string &key, std::string &book, std::string &chapter, std::string &code3,
              std::string &code4) {
    if (key.size() < 9 || key[4] != ' ')
        return false;
    for (const std::size_t i : {0, 1, 2, 3, 5, 6, 7, 8})
        if (!std::isdigit(static_cast<unsigned char>(key[i])))
            return false;
    book = key.substr(0, 2);
    chapter = key.substr(2, 2);
    code3 = key.substr(5, 2);
    code4 = key.substr(7, 2);
    return true;
}

} // namespace

bool PrintBookExcerpts(TKyrPrinter &printer, TDataCollection &data,
                       const std::vector<TBookExcerpt> &list) {
    if (!printer.IsReady())
        return false;
    printer.HeaderText.clear();
    printer.PageLabel = PrinterText(printer, 100);
    printer.BeginJob();
    bool completed = true;
    try {
        printer.ComputeLayout();
        printer.ShowPage(1);
        for (const TBookExcerpt &entry : list) {
            if (JobCancelled(printer)) {
                completed = false;
                break;
            }
            std::string book, chapter, code3, code4;
            if (!SplitKey(entry.Key, book, chapter, code3, code4))
                continue;
            std::string attitude;
            std::stringstream text;
            data.GetChapter(book, chapter, code3, code4, attitude, text);
            const std::string passage = text.str();
            if (!passage.empty())
                printer.PrintPassage(entry.Title, attitude, static_cast<int>(passage.size()),
                                     passage);
        }
    } catch (...) {
        printer.FinishJob();
        throw;
    }
    printer.FinishJob();
    // Excerpts the device refused are no success.
    return completed && !printer.Failed();
}

} // namespace kyr
