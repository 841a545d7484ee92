// kyr-chart on a damaged ephemeris file: it says which file and fails, and prints no chart.
// The tool finds its files beside its executable, so each run gets a program directory of
// its own: a link to the built tool, the delivered files, and the damaged ephemeris.
#include "EphemerisDamage.h"
#include "RunKyrChart.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;
using namespace kyr::test;

namespace {

const std::vector<std::string> ChartArguments = {"--ut", "2000-01-01 12:00", "--lat", "51.5",
                                                 "--lon", "0", "--json"};

class DamagedEphemerisRun : public TKyrChartTest {
protected:
    void SetUp() override {
        TKyrChartTest::SetUp();
        // Beside the build's files, so that the tool can be hard-linked rather than copied.
        FProgram = fs::path(KYR_SCRATCH_DIR) /
                   ("program-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(FProgram);
        fs::create_directories(FProgram);
        const fs::path built = KYR_PROGRAM_DIR;
        for (const auto &entry : fs::directory_iterator(built))
            if (entry.path().filename() != "KYR.LNG" && entry.path().filename() != "kyr-chart")
                fs::create_symlink(entry.path(), FProgram / entry.path().filename());
        std::error_code error;
        fs::create_hard_link(KYR_CHART, FProgram / "kyr-chart", error);
        if (error)
            fs::copy_file(KYR_CHART, FProgram / "kyr-chart");
        std::ifstream in(built / "KYR.LNG", std::ios::binary);
        FGood.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        ASSERT_GT(FGood.size(), 100000u);
    }
    void TearDown() override {
        fs::remove_all(FProgram);
        TKyrChartTest::TearDown();
    }

    TRun RunWith(const std::vector<std::uint8_t> &bytes) {
        std::ofstream(FProgram / "KYR.LNG", std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char *>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        std::string command = ShellQuote((FProgram / "kyr-chart").string());
        for (const std::string &arg : ChartArguments)
            command += " " + ShellQuote(arg);
        command += " >" + ShellQuote((FDir / "out").string()) + " 2>" +
                   ShellQuote((FDir / "err").string());
        TRun run;
        const int status = std::system(command.c_str());
        run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.Out = ReadFile(FDir / "out");
        run.Err = ReadFile(FDir / "err");
        return run;
    }

    fs::path FProgram;
    std::vector<std::uint8_t> FGood;
};

TEST_F(DamagedEphemerisRun, EveryDamageFailsWithTheFileNamedAndNoChart) {
    // The same directory with the intact file gives the chart.
    const TRun intact = RunWith(FGood);
    ASSERT_EQ(intact.Status, 0) << intact.Err;
    EXPECT_NE(intact.Out.find("\"Sun\""), std::string::npos);

    const std::string path = (FProgram / "KYR.LNG").string();
    for (const TEphemerisDamage &damage : EphemerisDamages) {
        SCOPED_TRACE(damage.Name);
        std::vector<std::uint8_t> bytes = FGood;
        damage.Apply(bytes);
        const TRun run = RunWith(bytes);
        EXPECT_EQ(run.Status, 1);
        EXPECT_EQ(run.Out, "");
        EXPECT_NE(run.Err.find("ephemeris file " + path + " is damaged"), std::string::npos)
            << run.Err;
    }
}

TEST_F(DamagedEphemerisRun, AMissingChecksumFileFailsWithItsName) {
    fs::remove(FProgram / "KYR.LNG.sum");
    const TRun run = RunWith(FGood);
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err.find((FProgram / "KYR.LNG.sum").string() + " is missing"),
              std::string::npos)
        << run.Err;
}

} // namespace
