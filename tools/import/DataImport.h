// Builds the delivered tables (Data/*.DAT) from the text sources in data/.
#pragma once

#include <iosfwd>
#include <string>

namespace kyr {

struct TImportOptions {
    std::string SourceDir; ///< the data/ folder of the sources
    std::string OutDir;    ///< the program's Data/ folder
    /// Replace every table. Without it, tables the user changes (persons, groups, atlas)
    /// are only created when missing, and of the orb sets only the system sets are renewed.
    bool Fresh = false;
};

/// Imports everything; each table file appears whole or not at all. Progress goes to log.
/// Throws std::runtime_error (or EStoreError) naming the source or table at fault.
void ImportDeliveredData(const TImportOptions &options, std::ostream &log);

} // namespace kyr
