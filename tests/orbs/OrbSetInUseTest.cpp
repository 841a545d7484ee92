// The orb set the charts use at start: one missing from the orb tables gives way to "Medium",
// so that the charts keep their aspects, and the caller learns which set was missing.
#include "OrbSetInUse.h"

#include "Horoscope.h"
#include "KyrSetup.h"
#include "OrbSets.h"
#include "StoreTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace kyr;
using kyr::test::MakeTable;
using kyr::test::TTempDir;

class OrbSetInUseTest : public ::testing::Test {
protected:
    OrbSetInUseTest() {
        Definitions = MakeTable(Dir, "ORBISDEF");
        AddSet("Medium", 6, AspectPointCount);
        AddSet("Mine", 3, AspectPointCount);
        AddSet("NoSun", 4, AspectPointCount, 2); // no row for point 1: loads nothing
    }

    void AddSet(const std::string &name, long long orb, int lastPoint, int firstPoint = 1) {
        for (long long point = firstPoint; point <= lastPoint; ++point) {
            std::vector<TFieldValue> row = {name, point};
            for (int c = 0; c < OrbColumnCount; ++c)
                row.emplace_back(orb);
            Definitions->AppendRecord(row);
        }
    }

    TTempDir Dir;
    std::unique_ptr<TKyrTable> Definitions;
};

TEST_F(OrbSetInUseTest, AMissingSetGivesWayToMediumAndIsNamed) {
    const struct {
        const char *InUse;
        std::optional<std::string> Missing;
        const char *Loaded;
        int SunSquareOrb; // degrees, once loaded into a chart
    } cases[] = {
        {"Mine", std::nullopt, "Mine", 3},
        {"MINE", std::nullopt, "MINE", 3}, // names compare as the table's keys do
        {"Medium", std::nullopt, "Medium", 6},
        {"Deleted", std::string("Deleted"), "Medium", 6},
        {"NoSun", std::string("NoSun"), "Medium", 6},
        {"", std::string(""), "Medium", 6},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.InUse);
        TKyrSetup setup;
        setup.System.OrbisName = c.InUse;
        setup.System.ChkStrong = true;
        EXPECT_EQ(FallBackFromMissingOrbSet(setup, *Definitions), c.Missing);
        EXPECT_EQ(setup.System.OrbisName, c.Loaded);
        if (c.Missing) {
            EXPECT_TRUE(setup.System.ChkMedium);
            EXPECT_FALSE(setup.System.ChkStrong);
        }
        THoroscope chart;
        setup.ApplyUserOrbs(*Definitions, chart);
        EXPECT_EQ(chart.Orb(7, 1), c.SunSquareOrb * 60);
    }
}

} // namespace
