// Every table of the program in a scratch directory, the English texts of the program
// directory, and a few persons, groups, states, places and definitions to pick from.
#pragma once

#include "DataCollection.h"
#include "IndexScope.h"
#include "Language.h"
#include "NameLists.h"
#include "ProgramDirectory.h"
#include "StoreTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace kyr::test {

using TMembership = std::tuple<std::string, std::string, std::string>;

class SearchFixture : public ::testing::Test {
protected:
    SearchFixture() {
        SetProgramDirectory(KYR_PROGRAM_DIR);
        Language.SetCountry("UK");
        Language.SetActive(true);
        for (const char *table : {"NAME", "NAME1", "GROUPS", "NAMEGRPS", "ZONEID", "ZONE",
                                  "SUMMERID", "SUMMER", "ORBIS", "ORBISDEF", "PLACES", "STATES",
                                  "BOOKUK", "HELPUK", "KHLPUK", "SYBOOKUK"})
            CreateTable(Dir.Path(), table);
        Data.SetDirectory(Dir.Path());
        Data.SetLanguage("UK");
        Data.SetActive(true);
    }
    ~SearchFixture() override {
        Data.SetActive(false);
        SetProgramDirectory("");
    }

    void AddPerson(const std::string &first, const std::string &last,
                   const std::vector<std::string> &groups = {}) {
        Data.NameTable.AppendRecord({first, last});
        for (const auto &group : groups) {
            Data.NameGroupsTable.AppendRecord({first, last, group});
            TIndexScope scope(Data.GroupsTable, "");
            if (!Data.GroupsTable.FindKey({group}))
                Data.GroupsTable.AppendRecord({group});
        }
    }

    /// Two states with places, a state without places, two zone and two summer definitions.
    void AddAtlas() {
        Data.StatesTable.AppendRecord({"1002", "Denmark", 5745, 5434, -1512, -808});
        Data.StatesTable.AppendRecord({"1001", "Austria", 4901, 4623, -1710, -932});
        Data.StatesTable.AppendRecord({"1003", "Dominica", 1540, 1512, 6115, 6130});
        Data.PlacesTable.AppendRecord({"1002", "Odense", 5524, -1023, "7", "1001"});
        Data.PlacesTable.AppendRecord({"1002", "Aarhus", 5609, -1013, "7", "1001"});
        Data.PlacesTable.AppendRecord({"1002", "Copenhagen", 5541, -1235, "7", "1001"});
        Data.PlacesTable.AppendRecord({"1001", "Vienna", 4812, -1622, "1001", "0000"});
        Data.ZoneIdTable.AppendRecord({"7", "Central Europe", 18930401});
        Data.ZoneIdTable.AppendRecord({"1001", "Austria (Vienna)", 15831016});
        Data.SummerIdTable.AppendRecord({"1001", "EU rules"});
        Data.SummerIdTable.AppendRecord({"12", "Austria 1940s"});
    }

    std::set<std::pair<std::string, std::string>> NameRows() {
        std::set<std::pair<std::string, std::string>> rows;
        for (const auto &p : AllNames(Data))
            rows.insert({p.First, p.Last});
        return rows;
    }

    std::set<TMembership> MembershipRows() {
        std::set<TMembership> rows;
        TKyrTable &t = Data.NameGroupsTable;
        TIndexScope scope(t, "");
        for (t.First(); !t.IsEmpty() && !t.Eof(); t.Next())
            rows.insert({t.FieldByName("FirstName").AsString(),
                         t.FieldByName("LastName").AsString(),
                         t.FieldByName("GroupName").AsString()});
        return rows;
    }

    std::set<std::string> GroupRows() {
        std::set<std::string> rows;
        TKyrTable &t = Data.GroupsTable;
        TIndexScope scope(t, "");
        for (t.First(); !t.IsEmpty() && !t.Eof(); t.Next())
            rows.insert(t.FieldByName("GroupName").AsString());
        return rows;
    }

    TTempDir Dir;
    TLanguage Language;
    TDataCollection Data;
};

} // namespace kyr::test
