#include "SourceReaders.h"

#include "TextHelpers.h"

#include <algorithm>
#include <cctype>
#include <istream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <tuple>

namespace kyr {

namespace {

[[noreturn]] void Fail(const std::string &source, int line, const std::string &what) {
    throw std::runtime_error(source + ":" + std::to_string(line) + ": " + what);
}

std::string StripCarriageReturn(std::string line) {
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

bool StartsWith(const std::string &text, const std::string &prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool ParseNumber(const std::string &text, long long &value) {
    if (text.empty() || !std::all_of(text.begin(), text.end(), ::isdigit))
        return false;
    value = std::stoll(text);
    return true;
}

// A code is a number (written with two digits) or a text of one or two characters.
std::string CodeText(const std::string &token, const std::string &source, int line) {
    long long n = 0;
    if (ParseNumber(token, n) && n < 100)
        return TwoDigits(static_cast<int>(n));
    if (!token.empty() && token.size() <= 2)
        return token;
    Fail(source, line, "a code must be a number below 100 or at most two characters: " + token);
}

// Joins text lines with LF, without blank lines at either end.
std::string JoinText(std::vector<std::string> lines) {
    auto blank = [](const std::string &s) { return TrimLeftBlanks(s).empty(); };
    while (!lines.empty() && blank(lines.back()))
        lines.pop_back();
    auto first = std::find_if_not(lines.begin(), lines.end(), blank);
    std::string text;
    for (auto it = first; it != lines.end(); ++it) {
        if (it != first)
            text += '\n';
        text += *it;
    }
    return text;
}

// A passage as the windows show it: the source's wrapped lines of a paragraph joined into one
// line (the text views wrap it to their own width), paragraphs apart by an empty line.
std::string FlowParagraphs(const std::vector<std::string> &lines) {
    std::string text;
    bool paragraphOpen = false;
    bool paragraphEnded = false;
    for (const std::string &raw : lines) {
        const std::string line = TrimLeftBlanks(TrimRightBlanks(raw));
        if (line.empty()) {
            paragraphEnded = paragraphOpen;
            continue;
        }
        if (paragraphEnded)
            text += "\n\n";
        else if (paragraphOpen)
            text += ' ';
        text += line;
        paragraphOpen = true;
        paragraphEnded = false;
    }
    return text;
}

// Sections opened by "## ..." lines: the key words and the lines that follow.
struct TSection {
    std::vector<std::string> Key;
    std::vector<std::string> Lines;
    int Line = 0;
};

std::vector<TSection> ReadSections(std::istream &in) {
    std::vector<TSection> sections;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        line = StripCarriageReturn(line);
        if (StartsWith(line, "##")) {
            TSection section;
            section.Line = number;
            std::istringstream words(line.substr(2));
            for (std::string word; words >> word;)
                section.Key.push_back(word);
            sections.push_back(std::move(section));
        } else if (!sections.empty()) {
            sections.back().Lines.push_back(line);
        }
    }
    return sections;
}

} // namespace

std::vector<TPassage> ReadPassages(std::istream &in, const std::string &source) {
    std::vector<TPassage> passages;
    std::set<std::tuple<std::string, std::string, std::string, std::string>> keys;
    for (TSection &section : ReadSections(in)) {
        if (section.Key.size() != 4)
            Fail(source, section.Line, "expected \"## BOOK CHAPTER CODE3 CODE4\"");
        TPassage p;
        p.Line = section.Line;
        p.Book = CodeText(section.Key[0], source, section.Line);
        p.Chapter = CodeText(section.Key[1], source, section.Line);
        p.Code3 = CodeText(section.Key[2], source, section.Line);
        p.Code4 = CodeText(section.Key[3], source, section.Line);
        if (!keys.insert({p.Book, p.Chapter, p.Code3, p.Code4}).second)
            Fail(source, section.Line, "this key was given before");
        auto &lines = section.Lines;
        auto firstText = std::find_if(lines.begin(), lines.end(), [](const std::string &s) {
            return !TrimLeftBlanks(s).empty();
        });
        for (const char *label : {"Attitude:", "Title:"}) {
            if (firstText != lines.end() && StartsWith(*firstText, label)) {
                p.Attitude = TrimLeftBlanks(TrimRightBlanks(firstText->substr(std::string(label).size())));
                firstText = lines.erase(firstText);
                break;
            }
        }
        p.Text = FlowParagraphs(lines);
        passages.push_back(std::move(p));
    }
    return passages;
}

std::vector<THelpText> ReadHelpTexts(std::istream &in, const std::string &source) {
    std::vector<THelpText> texts;
    std::set<long long> numbers;
    for (TSection &section : ReadSections(in)) {
        THelpText help;
        if (section.Key.size() != 1 || !ParseNumber(section.Key[0], help.HelpNo))
            Fail(source, section.Line, "expected \"## NUMBER\"");
        if (!numbers.insert(help.HelpNo).second)
            Fail(source, section.Line, "help number given before");
        help.Text = JoinText(section.Lines);
        texts.push_back(std::move(help));
    }
    return texts;
}

std::vector<TKeyword> ReadKeywords(std::istream &in, const std::string &source) {
    std::vector<TKeyword> keywords;
    std::set<std::string> seen;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        line = StripCarriageReturn(line);
        if (TrimLeftBlanks(line).empty() || line[0] == '#')
            continue;
        const auto tab = line.find('\t');
        TKeyword k;
        if (tab == std::string::npos || tab == 0 ||
            !ParseNumber(line.substr(tab + 1), k.HelpNo))
            Fail(source, number, "expected \"KEYWORD<TAB>HELPNO\"");
        k.KeyWord = line.substr(0, tab);
        std::transform(k.KeyWord.begin(), k.KeyWord.end(), k.KeyWord.begin(), ::toupper);
        if (!seen.insert(k.KeyWord).second)
            Fail(source, number, "keyword given before: " + k.KeyWord);
        keywords.push_back(std::move(k));
    }
    return keywords;
}

TTableRows ReadTableRows(std::istream &in, const std::string &source) {
    TTableRows tables;
    std::vector<std::vector<std::string>> *current = nullptr;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        line = StripCarriageReturn(line);
        if (TrimLeftBlanks(line).empty() || line[0] == '#')
            continue;
        if (line.front() == '[') {
            if (line.back() != ']' || line.size() < 3)
                Fail(source, number, "expected \"[TABLE]\"");
            current = &tables[line.substr(1, line.size() - 2)];
            continue;
        }
        if (!current)
            Fail(source, number, "a row before the first \"[TABLE]\"");
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (;;) {
            const auto tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab - start));
            if (tab == std::string::npos)
                break;
            start = tab + 1;
        }
        current->push_back(std::move(fields));
    }
    return tables;
}

} // namespace kyr
