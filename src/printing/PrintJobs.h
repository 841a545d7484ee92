// The print jobs: the printed interpretation (contents page, wheel page, birth and dynamic
// analysis, symbol explanation) for one chart or several persons, the wheel page alone, and
// chosen book passages. They run on the print engine's references and layout.
#pragma once

#include "KyrSetup.h"

#include <string>
#include <vector>

namespace kyr {

class TDataCollection;
class TKyrPrinter;

/// What the wheel page takes from the settings: the six boxes with the black-and-white choice
/// (section "PrintOptions") and the name of the orb set shown in the information box.
struct TWheelPageSettings {
    TPrintOptions Boxes;
    std::string OrbisName;
};

/// The print jobs on the printer's references; each returns false when the user cancelled or the
/// printer was not ready.
///
/// Prints the interpretation for the printer's person list (empty = the printer's horoscope as it
/// stands) with its `JobOptions`; `JobOptions` exactly 8 prints the wheel page alone. Every person
/// is a document of its own; a person missing from the name table ends the job with a beep and
/// false.
bool PrintInterpretationJob(TKyrPrinter &printer, TDataCollection &data,
                            const TWheelPageSettings &wheelPage = {});

/// One entry of the book-excerpt list: a readable title and the nine-character key of its passage
/// ("0105 0102": book, chapter, blank, code 3, code 4).
struct TBookExcerpt {
    std::string Title;
    std::string Key;
};

/// Prints each entry's passage under its title, in list order; entries whose passage is missing
/// or empty are skipped.
bool PrintBookExcerpts(TKyrPrinter &printer, TDataCollection &data,
                       const std::vector<TBookExcerpt> &list);

} // namespace kyr
