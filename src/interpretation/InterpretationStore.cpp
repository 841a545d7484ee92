#include "InterpretationStore.h"

#include "DataCollection.h"
#include "Interpretation.h"

namespace kyr {

void ConnectBookHandlers(TInterpretation &interpretation, TDataCollection &collection) {
    TDataCollection *data = &collection;
    interpretation.OnGetBooks = [data](TInterpretation &, const std::string &chapter,
                                       const std::string &code3, const std::string &code4,
                                       int &count, std::span<std::uint8_t> books) {
        data->GetBooks(chapter, code3, code4, count, books);
    };
    interpretation.OnGetChapter = [data](TInterpretation &, const std::string &book,
                                         const std::string &chapter, const std::string &code3,
                                         const std::string &code4, std::string &attitude,
                                         std::ostream &text) {
        data->GetChapter(book, chapter, code3, code4, attitude, text);
    };
    interpretation.OnGetSynastryChapter = [data](TInterpretation &, const std::string &book,
                                                 const std::string &chapter,
                                                 const std::string &code3, const std::string &code4,
                                                 std::string &attitude, std::ostream &text) {
        data->GetSynastryChapter(book, chapter, code3, code4, attitude, text);
    };
}

} // namespace kyr
