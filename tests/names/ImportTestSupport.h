// Name-file records and the three tables an import writes, for the import tests.
#pragma once

#include "KyrTable.h"
#include "NameImport.h"
#include "TableSchemas.h"

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace kyr::test {

/// One record of a name file, by its parts. The name is given in OEM bytes.
struct TRecordParts {
    std::string Name = "John Smith";
    int Day = 6, Month = 8, Year = 1941;
    int Hour = 9, Minute = 5, Second = 7;
    int ZoneHours = 5, ZoneMinutes = 30;
    int LatDegrees = 48, LatMinutes = 52;
    int LonDegrees = 2, LonMinutes = 20;
    int Flags = 0;
    char Lead = '"';
};

/// The 35 bytes of the record; the name is cut or padded with blanks to 20 bytes.
inline std::string RecordBytes(const TRecordParts &r) {
    std::string bytes(1, r.Lead);
    std::string name = r.Name.substr(0, 20);
    name.resize(20, ' ');
    bytes += name;
    for (const int b :
         {r.Day, r.Month, r.Year / 100, r.Year % 100, r.Hour, r.Minute, r.Second, r.ZoneHours,
          r.ZoneMinutes, r.LatDegrees, r.LatMinutes, r.LonDegrees, r.LonMinutes, r.Flags})
        bytes += static_cast<char>(static_cast<std::uint8_t>(b));
    return bytes;
}

inline std::string FileOf(const std::vector<TRecordParts> &records) {
    std::string file;
    for (const auto &r : records)
        file += RecordBytes(r);
    return file;
}

/// A NAME row as the import writes it.
struct TImportedRow {
    std::string FirstName, LastName, BirthDate, BirthTime, TimeZone, SummerTime;
    long long Latitude = 0, Longitude = 0;
    bool operator==(const TImportedRow &) const = default;
};

inline std::ostream &operator<<(std::ostream &out, const TImportedRow &r) {
    return out << "{" << r.FirstName << "|" << r.LastName << "|" << r.BirthDate << "|"
               << r.BirthTime << "|" << r.TimeZone << "|" << r.SummerTime << "|" << r.Latitude
               << "|" << r.Longitude << "}";
}

/// A scratch directory in memory where the machine has one (/dev/shm), otherwise under the
/// temporary directory: every import commits, and on a disk each commit waits for the sync.
class TScratchDir {
public:
    TScratchDir() {
        std::error_code error;
        const std::filesystem::path shm = "/dev/shm";
        const std::filesystem::path base =
            std::filesystem::is_directory(shm, error) && access(shm.c_str(), W_OK) == 0
                ? shm
                : std::filesystem::temp_directory_path();
        std::string pattern = (base / "kyr-import-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a scratch directory");
        Path_ = pattern + "/";
    }
    ~TScratchDir() {
        std::error_code error;
        std::filesystem::remove_all(Path_, error);
    }
    TScratchDir(const TScratchDir &) = delete;
    TScratchDir &operator=(const TScratchDir &) = delete;

    /// With a trailing '/'.
    const std::string &Path() const { return Path_; }

private:
    std::string Path_;
};

/// Creates the table file in the directory and opens it.
inline std::unique_ptr<TKyrTable> MakeOpenTable(const std::string &directory,
                                                const std::string &name) {
    CreateTable(directory, name);
    auto table = std::make_unique<TKyrTable>(name, directory);
    table->Open();
    return table;
}

/// NAME, GROUPS and NAMEGRPS in a scratch directory, open.
class TImportTablesFixture {
public:
    TImportTablesFixture()
        : Names(MakeOpenTable(Dir.Path(), "NAME")), Groups(MakeOpenTable(Dir.Path(), "GROUPS")),
          Members(MakeOpenTable(Dir.Path(), "NAMEGRPS")) {}

    TImportTables Tables() { return {*Names, *Groups, *Members}; }

    TImportResult Import(const std::string &file, const TImportOptions &options = {}) {
        std::istringstream in(file);
        return ImportNames(in, Tables(), options);
    }

    std::vector<TImportedRow> NameRows() {
        std::vector<TImportedRow> rows;
        Names->SetIndexName("");
        for (Names->First(); !Names->Eof() && !Names->IsEmpty(); Names->Next())
            rows.push_back({Names->FieldByName("FirstName").AsString(),
                            Names->FieldByName("LastName").AsString(),
                            Names->FieldByName("BirthDate").AsString(),
                            Names->FieldByName("BirthTime").AsString(),
                            Names->FieldByName("TimeZone").AsString(),
                            Names->FieldByName("SummerTime").AsString(),
                            Names->FieldByName("Latitude").AsInteger(),
                            Names->FieldByName("Longitude").AsInteger()});
        return rows;
    }

    std::vector<std::string> GroupRows() {
        std::vector<std::string> rows;
        Groups->SetIndexName("");
        for (Groups->First(); !Groups->Eof() && !Groups->IsEmpty(); Groups->Next())
            rows.push_back(Groups->FieldByName("GroupName").AsString());
        return rows;
    }

    std::vector<std::tuple<std::string, std::string, std::string>> MemberRows() {
        std::vector<std::tuple<std::string, std::string, std::string>> rows;
        Members->SetIndexName("");
        for (Members->First(); !Members->Eof() && !Members->IsEmpty(); Members->Next())
            rows.emplace_back(Members->FieldByName("FirstName").AsString(),
                              Members->FieldByName("LastName").AsString(),
                              Members->FieldByName("GroupName").AsString());
        return rows;
    }

    TScratchDir Dir;
    std::unique_ptr<TKyrTable> Names, Groups, Members;
};

} // namespace kyr::test
