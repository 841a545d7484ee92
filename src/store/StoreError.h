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

/// Why a table file could not be opened; decides what the user is told and offered.
enum class TOpenFailure {
    Missing,        ///< no file, or one that cannot be opened at all
    Damaged,        ///< a table file whose content is broken
    LeftoverJournal, ///< an interrupted write must be undone, but the folder is read-only
    Foreign,        ///< a file that is no table of this program
    OtherLayout,    ///< a table of this program, but of another version or layout
};

/// A table that cannot be opened, with the kind of trouble.
class ETableOpenError : public EStoreError {
public:
    ETableOpenError(const std::string &fileName, const std::string &message, TOpenFailure failure)
        : EStoreError(fileName, message), Failure_(failure) {}

    TOpenFailure Failure() const { return Failure_; }

private:
    TOpenFailure Failure_;
};

} // namespace kyr
