// The delivered atlas tables, opened once for the tests that read them.
#pragma once

#include "DataCollection.h"
#include "KyrTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace kyr::test {

/// The six atlas tables of the build's Data/ folder, open; nothing is written to them.
class TDeliveredAtlas {
public:
    TDeliveredAtlas() {
        Data.SetDirectory(KYR_ATLAS_DATA);
        for (TKyrTable *table : {&Data.StatesTable, &Data.PlacesTable, &Data.ZoneIdTable,
                                 &Data.ZoneTable, &Data.SummerIdTable, &Data.SummerTable})
            table->Open();
    }
    TDataCollection Data;
};

/// A line of an offset fixture (tools/atlas/histories.py writes them).
struct TOffsetCase {
    std::string State, Place, Zone;
    long long Date = 0;    ///< YYYYMMDD
    long long Time = 0;    ///< HHMMSS
    int OffsetSeconds = 0; ///< east of Greenwich
    /// 0 a moment the tables must give; 1 in the skipped or repeated stretch of a change;
    /// 2 before the place had local time in the tz database.
    int Mark = 0;
    int Line = 0;
};

inline std::vector<TOffsetCase> ReadOffsetFixture(const std::string &name) {
    std::ifstream in(std::string(KYR_ATLAS_FIXTURES) + name);
    EXPECT_TRUE(in) << name;
    std::vector<TOffsetCase> cases;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::stringstream split(line);
        for (std::string field; std::getline(split, field, '\t');)
            fields.push_back(field);
        if (fields.size() != 7) {
            ADD_FAILURE() << name << ":" << number << ": " << line;
            continue;
        }
        cases.push_back({fields[0], fields[1], fields[2], std::stoll(fields[3]),
                         std::stoll(fields[4]), std::stoi(fields[5]), std::stoi(fields[6]),
                         number});
    }
    return cases;
}

} // namespace kyr::test
