// The English help against its users: every keyword of the index and every help number the
// code asks for must have a text, or the quick help only beeps.
//
// Help numbers in the code are found where they are written as literals:
//   setProperty("HelpContext", 540)          a control's context
//   ...Context = 250 / FHelpContext = 13      constants and members named for a context
//   ShowHelp(999), HelpRequested(14)          direct requests
//   SetHelpContext(item, 100)                 a helper that takes the context second
//   int Contexts[] = {0, 420, 221}            an array of contexts on one line
//   const TTableDesign X{"...", w, h, f, 330} the table windows' designs (last field)
//   TPageHelp PageHelp[] = {{13, 11, ...}}    the atlas pages and their buttons
// A context that reaches these places through a variable is checked where its literal is.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path HelpFolder = fs::path(KYR_DATA_DIR) / "help" / "UK";
const fs::path KeywordFile = fs::path(KYR_DATA_DIR) / "keywords" / "UK.txt";
const fs::path SourceRoot = KYR_SOURCE_DIR;

std::vector<std::string> ReadLines(const fs::path &path) {
    std::ifstream in(path);
    EXPECT_TRUE(in.is_open()) << "cannot open " << path;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The numbers of "## NUMBER" lines in every help source.
std::set<long long> HelpNumbers() {
    std::set<long long> numbers;
    const std::regex heading(R"(^##\s+(\d+)\s*$)");
    for (const auto &entry : fs::directory_iterator(HelpFolder)) {
        if (entry.path().extension() != ".txt")
            continue;
        for (const std::string &line : ReadLines(entry.path())) {
            std::smatch m;
            if (std::regex_match(line, m, heading))
                numbers.insert(std::stoll(m[1]));
        }
    }
    return numbers;
}

struct TUse {
    long long HelpNo;
    std::string Where;
};

std::string Location(const fs::path &file, std::size_t line) {
    return fs::relative(file, SourceRoot).string() + ":" + std::to_string(line);
}

void AddNumbers(const std::string &text, std::vector<TUse> &uses, const std::string &where) {
    static const std::regex number(R"(\d+)");
    for (std::sregex_iterator it(text.begin(), text.end(), number), end; it != end; ++it)
        uses.push_back({std::stoll(it->str()), where});
}

std::vector<TUse> HelpNumbersInCode() {
    static const std::regex simple[] = {
        std::regex(R"re("HelpContext"\s*,\s*(\d+)\s*\))re"),
        std::regex(R"(\b\w*Context\w*\s*=\s*(\d+)\b)"),
        std::regex(R"(\bShowHelp\(\s*(\d+)\s*\))"),
        std::regex(R"(\bHelpRequested\(\s*(\d+)\s*\))"),
        std::regex(R"(\bSetHelpContext\([^,()]+,\s*(\d+)\s*\))"),
    };
    static const std::regex design(
        R"re(TTableDesign\s+\w+\s*\{\s*"[^"]*"(?:\s*,\s*\d+){3}\s*,\s*(\d+)\s*\})re");
    static const std::regex contextArray(R"(\b\w*Context\w*\[\]\s*=\s*\{([^}]*)\})");
    static const std::regex designStart(R"(\bTTableDesign\s+\w+\s*\{)");
    static const std::regex pageHelp(R"(TPageHelp\s+\w+\[\]\s*=\s*\{)");

    std::vector<TUse> uses;
    for (const auto &entry : fs::recursive_directory_iterator(SourceRoot)) {
        const auto ext = entry.path().extension();
        if (ext != ".cpp" && ext != ".h")
            continue;
        const std::vector<std::string> lines = ReadLines(entry.path());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string &line = lines[i];
            const std::string where = Location(entry.path(), i + 1);
            const bool candidate = line.find("Context") != std::string::npos ||
                                   line.find("ShowHelp") != std::string::npos ||
                                   line.find("HelpRequested") != std::string::npos;
            if (candidate)
                for (const std::regex &r : simple)
                    for (std::sregex_iterator it(line.begin(), line.end(), r), end; it != end; ++it)
                        uses.push_back({std::stoll((*it)[1]), where});
            std::smatch m;
            if (candidate && std::regex_search(line, m, contextArray))
                AddNumbers(m[1], uses, where);
            if (line.find("TTableDesign") != std::string::npos &&
                std::regex_search(line, designStart)) {
                EXPECT_TRUE(std::regex_search(line, m, design))
                    << where << ": a table design this check cannot read: " << line;
                if (!m.empty())
                    uses.push_back({std::stoll(m[1]), where});
            }
            if (line.find("TPageHelp") != std::string::npos && std::regex_search(line, pageHelp)) {
                // Every number up to the closing "};" is a help context.
                std::string block = line.substr(line.find('{'));
                std::size_t j = i;
                while (block.find("};") == std::string::npos && ++j < lines.size())
                    block += lines[j];
                EXPECT_NE(block.find("};"), std::string::npos) << where;
                AddNumbers(block, uses, where);
            }
        }
    }
    return uses;
}

} // namespace

TEST(HelpCoverage, EveryKeywordHasAHelpText) {
    const std::set<long long> texts = HelpNumbers();
    ASSERT_FALSE(texts.empty()) << "no help texts in " << HelpFolder;
    const std::vector<std::string> lines = ReadLines(KeywordFile);
    int keywords = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string &line = lines[i];
        if (line.empty() || line[0] == '#')
            continue;
        const auto tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos) << KeywordFile << ":" << i + 1;
        ++keywords;
        const long long helpNo = std::stoll(line.substr(tab + 1));
        EXPECT_TRUE(texts.count(helpNo))
            << KeywordFile.filename() << ":" << i + 1 << ": keyword \"" << line.substr(0, tab)
            << "\" points to help number " << helpNo << ", which has no text";
    }
    EXPECT_GT(keywords, 0);
}

TEST(HelpCoverage, EveryHelpNumberOfTheCodeHasAText) {
    const std::set<long long> texts = HelpNumbers();
    const std::vector<TUse> uses = HelpNumbersInCode();
    ASSERT_FALSE(uses.empty()) << "no help numbers found under " << SourceRoot;
    for (const TUse &use : uses) {
        // 0 asks for no help: the quick help beeps by design.
        if (use.HelpNo == 0)
            continue;
        EXPECT_TRUE(texts.count(use.HelpNo))
            << use.Where << ": help number " << use.HelpNo << " has no text in " << HelpFolder;
    }
}
