// Opening the tables at start-up without putting the user's work at risk: the user's tables are
// backed up first, and a user table that cannot be opened is explained in plain words and, when
// a good backup exists, restored on request. Without a backup, or when the user declines, the
// program goes on without that table and leaves its file as it is.
#pragma once

#include <QString>

#include <functional>
#include <string>

namespace kyr {

class TDataCollection;

struct TRecoveryDialogs {
    /// The language's text of the number; empty where it has none (English words are used).
    std::function<std::string(int number)> GetText;
    /// A yes/no question; true for yes.
    std::function<bool(const QString &question)> Ask;
    /// A message the user confirms.
    std::function<void(const QString &message)> Tell;
};

/// Backs up the user's tables, then opens the collection. A delivered table (books, help) that
/// cannot be opened still raises its ETableOpenError: there is nothing of the user's to save.
void OpenTablesRecovering(TDataCollection &data, const TRecoveryDialogs &dialogs);

} // namespace kyr
