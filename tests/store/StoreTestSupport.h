// Scratch directories of table files for the store tests.
#pragma once

#include "KyrTable.h"
#include "TableSchemas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kyr::test {

/// A fresh directory under the system's temporary directory, removed with its files.
class TTempDir {
public:
    TTempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kyr-store-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary directory");
        Path_ = pattern + "/";
    }
    ~TTempDir() {
        std::error_code error;
        std::filesystem::remove_all(Path_, error);
    }
    TTempDir(const TTempDir &) = delete;
    TTempDir &operator=(const TTempDir &) = delete;

    /// With a trailing '/'.
    const std::string &Path() const { return Path_; }

private:
    std::string Path_;
};

/// Creates the table file and opens it; the rows are appended in order.
inline std::unique_ptr<TKyrTable>
MakeTable(const TTempDir &dir, const std::string &name,
          const std::vector<std::vector<TFieldValue>> &rows = {}) {
    CreateTable(dir.Path(), name);
    auto table = std::make_unique<TKyrTable>(name, dir.Path());
    table->Open();
    for (const auto &row : rows)
        table->AppendRecord(row);
    table->First();
    return table;
}

} // namespace kyr::test
