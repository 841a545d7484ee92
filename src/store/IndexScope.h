// Borrowing a shared table's index for one look-up.
#pragma once

#include "KyrTable.h"

#include <string>

namespace kyr {

/// Sets a table's index for one look-up and puts the previous one back afterwards, so that
/// the other users of the shared table find the index they left.
class TIndexScope {
public:
    TIndexScope(TKyrTable &table, const std::string &indexName)
        : Table(table), Previous(table.IndexName()) {
        table.SetIndexName(indexName);
    }
    ~TIndexScope() {
        try {
            Table.SetIndexName(Previous);
        } catch (...) {
            // Only a failed write of a pending edit gets here; the look-up's error wins.
        }
    }
    TIndexScope(const TIndexScope &) = delete;
    TIndexScope &operator=(const TIndexScope &) = delete;

private:
    TKyrTable &Table;
    std::string Previous;
};

} // namespace kyr
