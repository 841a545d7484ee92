// A small streaming JSON writer: indented, with containers that may be kept on one line.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kyr::cli {

/// The text as a JSON string literal, quotes included.
std::string JsonQuote(std::string_view text);

class TJsonWriter {
public:
    explicit TJsonWriter(std::ostream &out) : FOut(out) {}

    /// oneLine keeps the container and everything in it on one line.
    void BeginObject(bool oneLine = false);
    void EndObject();
    void BeginArray(bool oneLine = false);
    void EndArray();
    /// The name of the next member; only inside an object.
    void Key(std::string_view name);
    void String(std::string_view value);
    /// Fixed-point with the given decimals; null for a value that is not finite.
    void Number(double value, int decimals);
    void Integer(long long value);
    void Bool(bool value);

private:
    struct TLevel {
        bool Object;
        bool OneLine;
        bool Empty = true;
    };

    void Begin(bool object, bool oneLine, char bracket);
    void End(bool object, char bracket);
    void BeforeValue();
    void NewLine(std::size_t depth);

    std::ostream &FOut;
    std::vector<TLevel> FLevels;
    bool FAfterKey = false;
};

} // namespace kyr::cli
