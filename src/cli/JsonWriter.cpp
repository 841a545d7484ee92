#include "JsonWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace kyr::cli {

std::string JsonQuote(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
        case '"': quoted += "\\\""; break;
        case '\\': quoted += "\\\\"; break;
        case '\b': quoted += "\\b"; break;
        case '\f': quoted += "\\f"; break;
        case '\n': quoted += "\\n"; break;
        case '\r': quoted += "\\r"; break;
        case '\t': quoted += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
                quoted += escape;
            } else {
                // Bytes from 0x80 up pass as they are: the output is UTF-8.
                quoted += c;
            }
        }
    }
    return quoted + '"';
}

void TJsonWriter::NewLine(std::size_t depth) {
    FOut << '\n' << std::string(2 * depth, ' ');
}

void TJsonWriter::BeforeValue() {
    if (FAfterKey) {
        FAfterKey = false;
        return;
    }
    if (FLevels.empty())
        return;
    TLevel &level = FLevels.back();
    if (level.Object)
        throw std::logic_error("JSON: a member of an object needs a key");
    if (!level.Empty)
        FOut << ',' << (level.OneLine ? " " : "");
    if (!level.OneLine)
        NewLine(FLevels.size());
    level.Empty = false;
}

void TJsonWriter::Key(std::string_view name) {
    if (FLevels.empty() || !FLevels.back().Object || FAfterKey)
        throw std::logic_error("JSON: a key belongs directly inside an object");
    TLevel &level = FLevels.back();
    if (!level.Empty)
        FOut << ',' << (level.OneLine ? " " : "");
    if (!level.OneLine)
        NewLine(FLevels.size());
    level.Empty = false;
    FOut << JsonQuote(name) << ": ";
    FAfterKey = true;
}

void TJsonWriter::Begin(bool object, bool oneLine, char bracket) {
    BeforeValue();
    // Inside a one-line container everything stays on that line.
    const bool inherited = !FLevels.empty() && FLevels.back().OneLine;
    FLevels.push_back({object, oneLine || inherited});
    FOut << bracket;
}

void TJsonWriter::End(bool object, char bracket) {
    if (FLevels.empty() || FLevels.back().Object != object || FAfterKey)
        throw std::logic_error("JSON: unbalanced end of a container");
    const TLevel level = FLevels.back();
    FLevels.pop_back();
    if (!level.OneLine && !level.Empty)
        NewLine(FLevels.size());
    FOut << bracket;
    if (FLevels.empty())
        FOut << '\n';
}

void TJsonWriter::BeginObject(bool oneLine) { Begin(true, oneLine, '{'); }
void TJsonWriter::EndObject() { End(true, '}'); }
void TJsonWriter::BeginArray(bool oneLine) { Begin(false, oneLine, '['); }
void TJsonWriter::EndArray() { End(false, ']'); }

void TJsonWriter::String(std::string_view value) {
    BeforeValue();
    FOut << JsonQuote(value);
}

void TJsonWriter::Number(double value, int decimals) {
    BeforeValue();
    if (!std::isfinite(value)) {
        FOut << "null";
        return;
    }
    // Room for the 309 digits of the largest double and the decimals.
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", std::clamp(decimals, 0, 17), value);
    FOut << text;
}

void TJsonWriter::Integer(long long value) {
    BeforeValue();
    FOut << value;
}

void TJsonWriter::Bool(bool value) {
    BeforeValue();
    FOut << (value ? "true" : "false");
}

} // namespace kyr::cli
