// A scratch atlas and orb store for the editor and dialog tests, with the English texts.
#pragma once

#include "DataCollection.h"
#include "KyrTable.h"
#include "Language.h"
#include "ProgramDirectory.h"
#include "TableSchemas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace kyr::test {

/// Empty STATES, PLACES, ZONEID, ZONE, SUMMERID, SUMMER, ORBIS and ORBISDEF in a fresh
/// directory, open in a collection, and the English texts of the program directory.
class TScratchAtlas {
public:
    TScratchAtlas() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kyr-atlasdlg-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary directory");
        Directory = pattern + "/";
        Data.SetDirectory(Directory);
        for (TKyrTable *table : Tables()) {
            CreateTable(Directory, table->TableName());
            table->Open();
        }
        SetProgramDirectory(KYR_PROGRAM_DIR);
        Language.SetCountry("UK");
        Language.SetActive(true);
    }
    ~TScratchAtlas() {
        for (TKyrTable *table : Tables())
            table->Close();
        SetProgramDirectory("");
        std::error_code error;
        std::filesystem::remove_all(Directory, error);
    }
    TScratchAtlas(const TScratchAtlas &) = delete;
    TScratchAtlas &operator=(const TScratchAtlas &) = delete;

    std::vector<TKyrTable *> Tables() {
        return {&Data.StatesTable,   &Data.PlacesTable, &Data.ZoneIdTable, &Data.ZoneTable,
                &Data.SummerIdTable, &Data.SummerTable, &Data.OrbisTable,  &Data.OrbisDefTable};
    }

    /// Every row of a table in primary order, each field as text.
    static std::vector<std::vector<std::string>> Rows(TKyrTable &table) {
        const std::string index = table.IndexName();
        table.SetIndexName("");
        std::vector<std::vector<std::string>> rows;
        for (table.First(); !table.Eof(); table.Next()) {
            std::vector<std::string> row;
            for (int i = 0; i < table.FieldCount(); ++i)
                row.push_back(table.Fields(i).AsString());
            rows.push_back(row);
        }
        table.SetIndexName(index);
        return rows;
    }

    std::string Directory;
    TDataCollection Data;
    TLanguage Language;
};

} // namespace kyr::test
