// The test page of the page dialog: the layout's guides and a sample passage.
#include "KyrPrinter.h"

#include "DataCollection.h"
#include "Language.h"

#include <sstream>

namespace kyr {

bool TKyrPrinter::TestPrint() {
    if (!IsReady())
        return false;
    // The test page must not narrow the range or drop the header of the next real job.
    struct TRestore {
        TKyrPrinter &P;
        int From = P.FromPage, To = P.ToPage, Options = P.JobOptions;
        ~TRestore() {
            P.FromPage = From;
            P.ToPage = To;
            P.JobOptions = Options;
        }
    } restore{*this};
    FromPage = 1;
    ToPage = 1;
    JobOptions = JobBook1 | JobBook2;
    PageLabel = Language->GetText(100);
    HeaderText = "Kyrosophy - Print Layout";
    DocumentTitle = HeaderText;
    BeginJob();
    try {
        if (!ComputeLayout()) {
            EndJob();
            return false;
        }
        ShowPage(1);
        DrawLayoutGuides();
        if (Data) {
            std::string keyWord;
            std::ostringstream text;
            Data->GetChapter("09", "12", "01", "10", keyWord, text);
            if (!text.str().empty())
                PrintPassage(Language->GetText(135), keyWord, static_cast<int>(text.str().size()),
                             text.str());
        }
        // The guides alone count as output: the page gets its header and footer.
        FPagePending = false;
        FinishJob();
    } catch (...) {
        EndJob();
        throw;
    }
    return !FFailed;
}

} // namespace kyr
