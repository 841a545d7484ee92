// The one error type of the table store.
#pragma once

#include <stdexcept>
#include <string>

namespace kyr {

/// A table that cannot be opened, read or written; the message names the table's file.
class EStoreError : public std::runtime_error {
public:
    EStoreError(const std::string &fileName, const std::string &message)
        : std::runtime_error(fileName.empty() ? message : fileName + ": " + message),
          FileName_(fileName) {}

    /// The table file concerned (empty when no file is involved).
    const std::string &FileName() const { return FileName_; }

private:
    std::string FileName_;
};

} // namespace kyr
