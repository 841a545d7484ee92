#include "InterpControls.h"

namespace kyr {

void TComboBoxModel::Clear() {
    FItems.clear();
    FIndex = -1;
}

void TComboBoxModel::Add(const std::string &text, int row) {
    FItems.emplace_back(text, row);
}

void TComboBoxModel::SetItemIndex(int index) {
    FIndex = index >= 0 && index < Count() ? index : -1;
}

std::string TComboBoxModel::Text(int index) const {
    return index >= 0 && index < Count() ? FItems[index].first : std::string();
}

int TComboBoxModel::Row(int index) const {
    return index >= 0 && index < Count() ? FItems[index].second : -1;
}

void TComboBoxModel::UserSelect(int index) {
    SetItemIndex(index);
    if (FOnChange)
        FOnChange();
}

void TRadioGroupModel::Clear() {
    FCaptions.clear();
    FIndex = -1;
}

std::string TRadioGroupModel::Caption(int index) const {
    return index >= 0 && index < Count() ? FCaptions[index] : std::string();
}

void TRadioGroupModel::SetCaption(int index, const std::string &text) {
    if (index >= 0 && index < Count()) {
        FCaptions[index] = text;
        ++CaptionWrites;
    }
}

void TRadioGroupModel::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    FCaptions.erase(FCaptions.begin() + index);
    if (FIndex >= Count())
        FIndex = -1;
}

void TRadioGroupModel::SetItemIndex(int index) {
    FIndex = index >= 0 && index < Count() ? index : -1;
}

void TRadioGroupModel::UserClick(int index) {
    SetItemIndex(index);
    if (FOnClick)
        FOnClick();
}

void TRadioButtonModel::UserClick() {
    FChecked = true;
    if (FOnClick)
        FOnClick();
}

std::vector<std::string> SplitTextLines(const std::string &text) {
    std::vector<std::string> lines;
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

} // namespace kyr
