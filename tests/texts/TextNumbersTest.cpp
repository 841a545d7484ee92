// The English text file against the inventory of text numbers and against the numbers the code
// uses. A text the reader skips, or a number without a text, shows up in the program as an empty
// caption, so every such case fails here with its file and line.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kTextFile = fs::path(KYR_DATA_DIR) / "language" / "KYR_UK.TXT";
const fs::path kInventoryFile = fs::path(KYR_DATA_DIR) / "language" / "text-numbers.tsv";
const fs::path kSourceRoot = fs::path(KYR_SOURCE_DIR) / "src";

constexpr int kMaxTextNumber = 1500;
// Tags from here on leave a control untranslated.
constexpr long long kFirstUntranslatedTag = 2000;

std::vector<std::string> ReadLines(const fs::path &path) {
    std::ifstream in(path);
    EXPECT_TRUE(in.is_open()) << "cannot open " << path;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool IsDigits(const std::string &s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

struct TextLine {
    int number = 0;
    std::string text;
};

// One line by the reader's rules (positions counted from 1): "=" among the first 10 characters
// with a number 1..1500 before it, the opening quote at position 2..9, the text between the first
// and the last quote, not empty. Anything else the reader skips.
std::optional<TextLine> ParseTextLine(const std::string &line) {
    const auto equals = line.find('=');
    if (equals == std::string::npos || equals + 1 > 10)
        return std::nullopt;
    const std::string numberPart = line.substr(0, equals);
    if (!IsDigits(numberPart) || numberPart.size() > 4)
        return std::nullopt;
    const int number = std::stoi(numberPart);
    if (number < 1 || number > kMaxTextNumber)
        return std::nullopt;
    const auto open = line.find('"');
    if (open == std::string::npos || open + 1 < 2 || open + 1 > 9)
        return std::nullopt;
    const auto close = line.rfind('"');
    if (close <= open + 1)
        return std::nullopt;
    return TextLine{number, line.substr(open + 1, close - open - 1)};
}

struct TextFileContents {
    std::map<int, std::string> texts;
    std::vector<std::string> problems; // lines the reader skips, numbers given twice
};

TextFileContents ReadTextFile() {
    TextFileContents file;
    std::map<int, int> firstLine;
    const std::string name = kTextFile.filename().string();
    const auto lines = ReadLines(kTextFile);
    for (size_t i = 0; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i) + 1;
        const auto parsed = ParseTextLine(lines[i]);
        if (!parsed) {
            file.problems.push_back(name + ":" + std::to_string(lineNo) +
                                    ": the reader skips this line: " + lines[i]);
            continue;
        }
        if (auto [it, inserted] = firstLine.emplace(parsed->number, lineNo); !inserted)
            file.problems.push_back(name + ":" + std::to_string(lineNo) + ": number " +
                                    std::to_string(parsed->number) + " was given already on line " +
                                    std::to_string(it->second));
        file.texts[parsed->number] = parsed->text;
    }
    return file;
}

std::map<int, std::string> LoadTexts() {
    return ReadTextFile().texts;
}

struct Use {
    int number = 0;
    std::string kind;
    std::string window;
    std::string description;
    int line = 0;
};

std::vector<std::string> SplitTabs(const std::string &line) {
    std::vector<std::string> cells;
    std::string::size_type start = 0;
    while (true) {
        const auto tab = line.find('\t', start);
        cells.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return cells;
        start = tab + 1;
    }
}

const char *const kInventoryHeader = "number\tkind\twindow\tdescription";

struct Inventory {
    std::vector<Use> uses;
    std::vector<std::string> problems; // malformed rows
};

Inventory ReadInventory() {
    Inventory inventory;
    const std::string name = kInventoryFile.filename().string();
    const auto lines = ReadLines(kInventoryFile);
    if (lines.empty() || lines.front() != kInventoryHeader) {
        inventory.problems.push_back(name + ": the first line must be the column header");
        return inventory;
    }
    for (size_t i = 1; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i) + 1;
        const auto cells = SplitTabs(lines[i]);
        const bool filled =
            cells.size() == 4 && std::none_of(cells.begin(), cells.end(),
                                              [](const std::string &c) { return c.empty(); });
        if (!filled || !IsDigits(cells[0]) || cells[0].size() > 4 || std::stoi(cells[0]) < 1 ||
            std::stoi(cells[0]) > kMaxTextNumber) {
            inventory.problems.push_back(
                name + ":" + std::to_string(lineNo) +
                ": expected a number 1..1500 and three non-empty columns: " + lines[i]);
            continue;
        }
        inventory.uses.push_back({std::stoi(cells[0]), cells[1], cells[2], cells[3], lineNo});
    }
    return inventory;
}

std::set<std::string> Placeholders(const std::string &s) {
    static const std::regex placeholder("%[1-9]");
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(s.begin(), s.end(), placeholder);
         it != std::sregex_iterator(); ++it)
        found.insert(it->str());
    return found;
}

std::string Joined(const std::set<std::string> &items) {
    std::string out;
    for (const auto &item : items)
        out += (out.empty() ? "" : " ") + item;
    return out.empty() ? "none" : out;
}

size_t CodePoints(const std::string &utf8) {
    return static_cast<size_t>(std::count_if(utf8.begin(), utf8.end(),
                                             [](unsigned char c) { return (c & 0xC0) != 0x80; }));
}

// --- text numbers in the code ---------------------------------------------------------------

struct CodeUse {
    std::string form; // GetText, SetTag or TextNo
    long long number = 0;
    int line = 0;
};

// Blanks out comments, keeping line breaks, so that prose about a call is not taken for one.
std::string WithoutComments(const std::string &code) {
    std::string out = code;
    enum { Code, Line, Block, String, Char } state = Code;
    for (size_t i = 0; i < out.size(); ++i) {
        const char c = out[i];
        const char next = i + 1 < out.size() ? out[i + 1] : '\0';
        switch (state) {
        case Code:
            if (c == '/' && next == '/')
                state = Line;
            else if (c == '/' && next == '*')
                state = Block;
            else if (c == '"')
                state = String;
            else if (c == '\'')
                state = Char;
            break;
        case String:
        case Char:
            if (c == '\\')
                ++i;
            else if ((state == String && c == '"') || (state == Char && c == '\''))
                state = Code;
            continue;
        case Line:
        case Block:
            break;
        }
        if (state == Line) {
            if (c == '\n')
                state = Code;
            else
                out[i] = ' ';
        } else if (state == Block) {
            if (c == '*' && next == '/') {
                out[i] = out[i + 1] = ' ';
                ++i;
                state = Code;
            } else if (c != '\n') {
                out[i] = ' ';
            }
        }
    }
    return out;
}

std::string Trimmed(const std::string &s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

std::optional<long long> IntegerLiteral(const std::string &argument) {
    static const std::regex literal(R"(^(-?)\s*([0-9]{1,9})$)");
    std::smatch m;
    const std::string arg = Trimmed(argument);
    if (!std::regex_match(arg, m, literal))
        return std::nullopt;
    const long long value = std::stoll(m[2].str());
    return m[1].length() ? -value : value;
}

// The calls GetText(n), SetTag(anything, n) and TextNo(n) with n written as a literal.
std::vector<CodeUse> FindTextNumbers(const std::string &source) {
    const std::string code = WithoutComments(source);
    static const std::regex call(R"(\b(GetText|SetTag|TextNo)\s*\()");
    std::vector<CodeUse> uses;
    for (auto it = std::sregex_iterator(code.begin(), code.end(), call);
         it != std::sregex_iterator(); ++it) {
        const size_t start = static_cast<size_t>(it->position() + it->length());
        std::vector<std::string> args(1);
        int depth = 0;
        size_t i = start;
        for (; i < code.size(); ++i) {
            const char c = code[i];
            if (c == '(' || c == '[' || c == '{')
                ++depth;
            else if ((c == ')' || c == ']' || c == '}') && depth > 0)
                --depth;
            else if (c == ')')
                break;
            else if (c == ',' && depth == 0) {
                args.emplace_back();
                continue;
            }
            args.back() += c;
        }
        if (i == code.size())
            break;
        const std::string form = (*it)[1].str();
        const bool tag = form == "SetTag";
        if (tag ? args.size() < 2 : args.size() != 1)
            continue;
        if (const auto number = IntegerLiteral(args.back())) {
            const auto line = 1 + std::count(code.begin(), code.begin() + it->position(), '\n');
            uses.push_back({form, *number, static_cast<int>(line)});
        }
    }
    return uses;
}

// The text number a use needs, or nothing for tags that are not translated.
std::optional<long long> NeededNumber(const CodeUse &use) {
    if (use.form != "SetTag")
        return use.number;
    const long long n = use.number < 0 ? -use.number : use.number;
    if (n == 0 || n >= kFirstUntranslatedTag)
        return std::nullopt;
    return n;
}

// --- the checks ---------------------------------------------------------------------------

TEST(TextFile, EveryLineIsReadAndNoNumberRepeats) {
    const auto file = ReadTextFile();
    EXPECT_FALSE(file.texts.empty());
    for (const auto &problem : file.problems)
        ADD_FAILURE() << problem;
}

TEST(TextFile, ReaderRulesSkipWhatTheProgramSkips) {
    const auto ok = ParseTextLine(R"(830="Say "hello" first")");
    ASSERT_TRUE(ok);
    EXPECT_EQ(830, ok->number);
    EXPECT_EQ(R"(Say "hello" first)", ok->text);
    const auto blanks = ParseTextLine(R"(12=" in ")");
    ASSERT_TRUE(blanks);
    EXPECT_EQ(" in ", blanks->text);

    EXPECT_FALSE(ParseTextLine(R"(830 ="text")")); // blank before "="
    EXPECT_FALSE(ParseTextLine(R"(1501="text")")); // beyond the last number
    EXPECT_FALSE(ParseTextLine(R"(0="text")"));
    EXPECT_FALSE(ParseTextLine(R"(830="")"));            // empty text
    EXPECT_FALSE(ParseTextLine(R"(830="text)"));         // one quote only
    EXPECT_FALSE(ParseTextLine(R"(830=       "text")")); // quote after position 9
    EXPECT_FALSE(ParseTextLine(R"(; 830="text")"));
    EXPECT_FALSE(ParseTextLine(std::string("\xEF\xBB\xBF") + R"(830="text")")); // byte-order mark
}

TEST(TextFile, TextsWithAFixedFormKeepIt) {
    const auto texts = LoadTexts();
    const auto text = [&texts](int n) {
        const auto it = texts.find(n);
        return it == texts.end() ? std::string() : it->second;
    };

    // Hemisphere marks are typed into one-letter fields and compared with what is stored.
    for (const auto &[first, second] : {std::pair{168, 169}, std::pair{170, 171}}) {
        for (const int n : {first, second}) {
            const std::string mark = text(n);
            EXPECT_TRUE(mark.size() == 1 && std::isupper(static_cast<unsigned char>(mark[0])))
                << n << " must be one upper-case letter, is \"" << mark << "\"";
        }
        EXPECT_NE(text(first), text(second));
    }

    // The printed birth data cut the weekday out of seven slots of ten characters.
    const std::string weekdays = text(204);
    EXPECT_EQ(70u, CodePoints(weekdays)) << "204=\"" << weekdays << "\"";
    if (weekdays.size() == 70) {
        for (size_t slot = 0; slot < 7; ++slot)
            EXPECT_NE(' ', weekdays[slot * 10]) << "weekday slot " << slot << " of 204";
    }

    // The here place is stored as state, separator, place and split at the first comma.
    EXPECT_NE(std::string::npos, text(1018).find(',')) << "1018=\"" << text(1018) << "\"";
}

TEST(Inventory, RowsAreWellFormed) {
    const auto inventory = ReadInventory();
    EXPECT_FALSE(inventory.uses.empty());
    for (const auto &problem : inventory.problems)
        ADD_FAILURE() << problem;
}

TEST(Inventory, EveryNumberHasATextAndEveryTextANumber) {
    const auto texts = LoadTexts();
    const auto uses = ReadInventory().uses;
    ASSERT_FALSE(uses.empty());
    std::set<int> listed;
    for (const auto &use : uses) {
        listed.insert(use.number);
        if (texts.find(use.number) == texts.end())
            ADD_FAILURE() << kInventoryFile.filename().string() << ":" << use.line << ": "
                          << use.number << " (" << use.window << ", " << use.description
                          << ") has no text in " << kTextFile.filename().string();
    }
    for (const auto &[number, text] : texts)
        if (listed.find(number) == listed.end())
            ADD_FAILURE() << kTextFile.filename().string() << ": " << number << "=\"" << text
                          << "\" is not in " << kInventoryFile.filename().string();
}

TEST(Inventory, FormatsHaveExactlyThePlaceholdersTheirCallersFill) {
    const auto texts = LoadTexts();
    std::map<int, std::set<std::string>> expected;
    for (const auto &use : ReadInventory().uses)
        if (use.kind == "format")
            expected[use.number].merge(Placeholders(use.description));
        else
            expected.try_emplace(use.number);

    for (const auto &[number, wanted] : expected) {
        const auto text = texts.find(number);
        if (text == texts.end())
            continue;
        const auto found = Placeholders(text->second);
        EXPECT_EQ(wanted, found) << number << "=\"" << text->second << "\": expected "
                                 << Joined(wanted) << ", found " << Joined(found);
    }
}

TEST(SourceScan, FindsLiteralNumbersInTheThreeForms) {
    const std::string code = "label->setText(language.GetText( 126 ));\n"
                             "SetTag(ui->buttons(1, 2),\n"
                             "       506);\n"
                             "SetTag(helpButton, -830); // hint\n"
                             "static const int kTitles[] = {TextNo(150), TextNo(151)};\n"
                             "name = GetText(126 + ordinal); // not a literal\n"
                             "MyGetText(5); GetTextNo(6);\n"
                             "// GetText(9999) in a comment\n"
                             "/* SetTag(x, 9998)\n"
                             "   over two lines */ open(\"http://host\"); GetText(127);\n"
                             "QString GetText(int number) const;\n";
    const auto uses = FindTextNumbers(code);
    std::vector<std::tuple<std::string, long long, int>> got;
    for (const auto &use : uses)
        got.emplace_back(use.form, use.number, use.line);
    const std::vector<std::tuple<std::string, long long, int>> want = {
        {"GetText", 126, 1}, {"SetTag", 506, 2}, {"SetTag", -830, 4},
        {"TextNo", 150, 5},  {"TextNo", 151, 5}, {"GetText", 127, 10}};
    EXPECT_EQ(want, got);
}

TEST(SourceScan, EveryNumberTheCodeUsesHasAText) {
    const auto texts = LoadTexts();
    ASSERT_TRUE(fs::is_directory(kSourceRoot)) << kSourceRoot;
    const std::set<std::string> extensions = {".cpp", ".h", ".hpp", ".cc", ".cxx", ".inl"};
    for (const auto &entry : fs::recursive_directory_iterator(kSourceRoot)) {
        if (!entry.is_regular_file() || !extensions.count(entry.path().extension().string()))
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        for (const auto &use : FindTextNumbers(content.str())) {
            const auto number = NeededNumber(use);
            if (!number)
                continue;
            const bool known = *number >= 1 && *number <= kMaxTextNumber &&
                               texts.count(static_cast<int>(*number)) > 0;
            if (!known)
                ADD_FAILURE() << fs::relative(entry.path(), kSourceRoot.parent_path()).string()
                              << ":" << use.line << ": " << use.form << " uses text " << *number
                              << ", which " << kTextFile.filename().string() << " does not have";
        }
    }
}

} // namespace
