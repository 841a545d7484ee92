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
    /// Replace the six atlas tables from the sources even when they hold changes of the user's.
    /// Without it (and without Fresh) the atlas is rebuilt when its sources changed since the
    /// last import and the tables did not: AtlasStampName records both. Atlas tables from an
    /// import that kept no record are moved to a folder atlas-backup*/ and rebuilt.
    bool RefreshAtlas = false;
};

/// The file in the Data/ folder that records which atlas sources the atlas tables were built
/// from, and the tables as they were built.
constexpr const char *AtlasStampName = "ATLAS.STAMP";

/// Imports everything; each table file appears whole or not at all. Progress goes to log.
/// Throws std::runtime_error (or EStoreError) naming the source or table at fault.
void ImportDeliveredData(const TImportOptions &options, std::ostream &log);

} // namespace kyr
