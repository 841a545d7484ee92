#include "TableText.h"
#include "TableRows.h"

#include "Horoscope.h"
#include "Language.h"

#include <array>
#include <initializer_list>

namespace kyr {

namespace {

constexpr int BodyHeaderText = 1495;
constexpr int PositionHeaderText = 1496;
constexpr int SignHeaderText = 1497;
constexpr int HouseHeaderText = 1498;
constexpr int CuspHeaderText = 1499;
constexpr int RetrogradeMarkText = 1500;

std::string Text(const TLanguage &language, int number, const char *english) {
    std::string text = language.GetText(number);
    return text.empty() ? english : text;
}

// The windows' "%4.2f" pads short numbers with blanks; a pasted cell should not start with one.
std::string Trimmed(const std::string &text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

void AddLine(std::string &text, std::initializer_list<std::string> cells) {
    bool first = true;
    for (const std::string &cell : cells) {
        if (!first)
            text += '\t';
        text += cell;
        first = false;
    }
    text += '\n';
}

} // namespace

std::string PositionTableText(const THoroscope &horoscope, const TLanguage &language) {
    std::string text;
    AddLine(text, {Text(language, BodyHeaderText, "Body"),
                   Text(language, PositionHeaderText, "Position"),
                   Text(language, SignHeaderText, "Sign"), language.GetText(99),
                   Text(language, HouseHeaderText, "House")});
    const std::string retrograde = Text(language, RetrogradeMarkText, "R");
    for (int b = 1; b <= BodyCount; ++b) {
        const TSignPosition position = SignPosition(horoscope.PositionDeg(b));
        AddLine(text, {language.BodyName(b - 1), Trimmed(position.Text),
                       language.SignName(position.Sign),
                       horoscope.Retrograde(b) ? retrograde : std::string(),
                       std::to_string(horoscope.HouseOfBody(b - 1))});
    }
    return text;
}

std::string CuspTableText(const THoroscope &horoscope, const TLanguage &language) {
    std::string text;
    AddLine(text, {Text(language, CuspHeaderText, "Cusp"),
                   Text(language, PositionHeaderText, "Position"),
                   Text(language, SignHeaderText, "Sign")});
    for (int c = 1; c <= 12; ++c) {
        const TSignPosition position = SignPosition(horoscope.CuspDeg(c));
        AddLine(text, {std::to_string(c), Trimmed(position.Text), language.SignName(position.Sign)});
    }
    return text;
}

std::string AspectTableText(const THoroscope &horoscope, const TLanguage &language) {
    std::array<std::array<std::string, AspectPointCount + 1>, AspectPointCount + 1> grid{};
    for (const TAspectCell &cell : AspectCells(horoscope, language))
        grid[cell.Row][cell.Column] =
            language.AspectName(cell.AspectNumber) + ' ' + Trimmed(cell.Deviation);
    std::string text;
    for (int row = 0; row <= AspectPointCount; ++row) {
        text += row == 0 ? std::string() : language.PointName(row);
        for (int column = 1; column <= AspectPointCount; ++column)
            text += '\t' + (row == 0 ? language.PointName(column) : grid[row][column]);
        text += '\n';
    }
    return text;
}

} // namespace kyr
