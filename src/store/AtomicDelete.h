// Removing rows from several tables so that a crash never leaves the removal half done (a person
// and its group memberships live in different files).
#pragma once

#include "KyrTable.h"

#include <string>
#include <vector>

namespace kyr {

/// The rows of one open table whose leading fields of an index equal the values, compared as
/// FindKey compares (ASCII letters without regard to case, texts cut to the field's width).
struct TKeyDeletion {
    TKyrTable *Table = nullptr;
    /// Names the fields the values are for; empty for the primary index.
    std::string Index;
    std::vector<TFieldValue> Key;
};

/// Removes the rows of every deletion in one transaction over all the tables' files (one
/// connection with the other files attached, so SQLite commits them together): after a crash
/// either every row is gone or none is.
///
/// Pending edits of the tables are completed first. Afterwards every open table of those files
/// in this process stands where Delete would have left it: on its current row when that stays,
/// otherwise on the row that followed it. Returns the number of rows removed, by deletion.
/// EStoreError when a table is closed or a table of those files runs a transaction of its own;
/// nothing is removed then.
std::vector<long long> DeleteAtomically(const std::vector<TKeyDeletion> &deletions);

} // namespace kyr
