// Readers of the text sources in data/ from which the delivered tables are built.
#pragma once

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace kyr {

/// A passage of a book or of the synastry book.
struct TPassage {
    std::string Book, Chapter, Code3, Code4; ///< two-character code texts
    std::string Attitude;                    ///< key-word line (the synastry book's title)
    std::string Text;                        ///< lines joined with LF
    int Line = 0;                            ///< where the passage starts in its source
};

/// Passages: a line "## BOOK CHAPTER CODE3 CODE4" opens each (numbers become two-digit codes),
/// an optional line "Attitude: ..." (or "Title: ...") follows, then the text up to the next
/// "##" line. Blank lines at either end of a text are dropped; lines before the first "##"
/// and lines starting with "#" but not "##" are comments. A malformed key line or a key given
/// twice throws std::runtime_error naming source and line.
std::vector<TPassage> ReadPassages(std::istream &in, const std::string &source);

struct THelpText {
    long long HelpNo = 0;
    std::string Text;
};

/// Help texts: a line "## NUMBER" opens each, the text follows up to the next "##" line.
std::vector<THelpText> ReadHelpTexts(std::istream &in, const std::string &source);

struct TKeyword {
    std::string KeyWord; ///< upper-cased, as the keyword window looks it up
    long long HelpNo = 0;
};

/// Keywords: "KEYWORD<TAB>HELPNO" per line; '#' lines and blank lines are comments.
std::vector<TKeyword> ReadKeywords(std::istream &in, const std::string &source);

/// Rows of several tables: a line "[TABLE]" opens a table, then one row per line with the
/// fields in field order, separated by tabs; '#' lines and blank lines are comments.
using TTableRows = std::map<std::string, std::vector<std::vector<std::string>>>;
TTableRows ReadTableRows(std::istream &in, const std::string &source);

} // namespace kyr
