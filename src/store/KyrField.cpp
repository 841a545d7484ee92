#include "KyrTable.h"
#include "TextHelpers.h"

#include "KyrTableImpl.h"

#include <algorithm>
#include <charconv>
#include <istream>
#include <iterator>
#include <ostream>

namespace kyr {

namespace {

std::string Trimmed(const std::string &text) {
    const auto begin = text.find_first_not_of(' ');
    if (begin == std::string::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

std::string Upper(std::string text) {
    std::ranges::transform(text, text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    });
    return text;
}

const std::string &TextOf(const TFieldValue &value) {
    static const std::string empty;
    const auto *text = std::get_if<std::string>(&value);
    return text ? *text : empty;
}

} // namespace

std::string ValueAsString(const TFieldValue &value) {
    if (const auto *n = std::get_if<long long>(&value))
        return std::to_string(*n);
    if (const auto *b = std::get_if<bool>(&value))
        return *b ? "True" : "False";
    return TextOf(value);
}

long long ValueAsInteger(const TFieldValue &value, const std::string &fileName,
                         const std::string &fieldName) {
    if (const auto *n = std::get_if<long long>(&value))
        return *n;
    if (const auto *b = std::get_if<bool>(&value))
        return *b ? 1 : 0;
    const std::string text = Trimmed(TextOf(value));
    if (text.empty())
        return 0;
    long long result = 0;
    const char *begin = text.data() + (text.front() == '+' ? 1 : 0);
    const char *end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(begin, end, result);
    if (error != std::errc() || stop != end)
        throw EStoreError(fileName, "\"" + text + "\" is not a valid integer value of field \"" +
                                        fieldName + "\"");
    return result;
}

bool ValueAsBoolean(const TFieldValue &value, const std::string &fileName,
                    const std::string &fieldName) {
    if (const auto *b = std::get_if<bool>(&value))
        return *b;
    if (const auto *n = std::get_if<long long>(&value))
        return *n != 0;
    const std::string text = Upper(Trimmed(TextOf(value)));
    if (text == "TRUE" || text == "T" || text == "1" || text == "YES" || text == "Y")
        return true;
    if (text.empty() || text == "FALSE" || text == "F" || text == "0" || text == "NO" ||
        text == "N")
        return false;
    throw EStoreError(fileName, "\"" + text + "\" is not a valid Boolean value of field \"" +
                                    fieldName + "\"");
}

bool SameKeyText(const std::string &a, const std::string &b) {
    return a.size() == b.size() && Upper(a) == Upper(b);
}

std::string CutToCharacters(const std::string &text, int count) {
    return count <= 0 ? text : FirstCharacters(text, static_cast<std::size_t>(count));
}

const std::string &TKyrField::FieldName() const {
    return Table->Impl->RequireSchema().Fields[Index].Name;
}

TFieldType TKyrField::DataType() const {
    return Table->Impl->RequireSchema().Fields[Index].Type;
}

TFieldValue TKyrField::Value() const {
    return Table->Impl->CurrentValue(Index);
}

std::string TKyrField::AsString() const {
    return ValueAsString(Table->Impl->CurrentValue(Index));
}

long long TKyrField::AsInteger() const {
    return ValueAsInteger(Table->Impl->CurrentValue(Index), Table->FileName(), FieldName());
}

bool TKyrField::AsBoolean() const {
    return ValueAsBoolean(Table->Impl->CurrentValue(Index), Table->FileName(), FieldName());
}

bool TKyrField::IsNull() const {
    const TFieldValue &value = Table->Impl->CurrentValue(Index);
    return std::holds_alternative<std::monostate>(value) ||
           (std::holds_alternative<std::string>(value) && std::get<std::string>(value).empty());
}

void TKyrField::SetAsString(const std::string &value) {
    SetValue(value);
}
void TKyrField::SetAsInteger(long long value) {
    SetValue(value);
}
void TKyrField::SetAsBoolean(bool value) {
    SetValue(value);
}
void TKyrField::SetValue(const TFieldValue &value) {
    Table->Impl->Assign(Index, value);
}
void TKyrField::Clear() {
    SetValue(std::monostate());
}

void TKyrField::SaveToStream(std::ostream &stream) const {
    const std::string &content = TextOf(Table->Impl->CurrentValue(Index));
    stream.write(content.data(), static_cast<std::streamsize>(content.size()));
}

void TKyrField::LoadFromStream(std::istream &stream) {
    SetValue(std::string(std::istreambuf_iterator<char>(stream), {}));
}

void TKyrField::SaveToStrings(std::vector<std::string> &lines) const {
    lines.clear();
    const std::string content = ValueAsString(Table->Impl->CurrentValue(Index));
    std::string line;
    for (std::size_t i = 0; i < content.size(); ++i) {
        const char c = content[i];
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n')
            ++i;
        lines.push_back(std::move(line));
        line.clear();
    }
    if (!line.empty())
        lines.push_back(std::move(line));
}

void TKyrField::LoadFromStrings(const std::vector<std::string> &lines) {
    std::string content;
    for (const std::string &line : lines)
        content += line + '\n';
    SetValue(std::move(content));
}

TBytes TKyrField::AsBytes() const {
    const std::string &content = TextOf(Table->Impl->CurrentValue(Index));
    return TBytes(content.begin(), content.end());
}

void TKyrField::SetAsBytes(const TBytes &bytes) {
    SetValue(std::string(bytes.begin(), bytes.end()));
}

} // namespace kyr
