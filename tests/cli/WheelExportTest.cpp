// Runs the built kyr-chart with --wheel as a user would: the three image formats, a bi-wheel,
// no display, and bad input that leaves no file behind.
#include "RunKyrChart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

using kyr::test::ShellQuote;
using kyr::test::TRun;
using kyr::test::ReadFile;

const std::vector<std::string> Chart = {"--ut", "2000-01-01 12:00", "--lat", "51.5", "--lon", "0"};
const std::vector<std::string> Partner = {"--partner-ut", "1985-07-13 16:00", "--partner-lat",
                                          "40.7",         "--partner-lon",    "-74"};

class WheelExport : public kyr::test::TKyrChartTest {
protected:
    /// kyr-chart with the chart, then more; environment is put before the command.
    TRun Run(const std::vector<std::string> &more, const std::string &environment = "") {
        std::vector<std::string> args = Chart;
        args.insert(args.end(), more.begin(), more.end());
        return RunKyrChart(args, environment);
    }
};

// Width and height from a PNG's header chunk.
std::pair<int, int> PngSize(const std::string &png) {
    const auto be32 = [&](std::size_t at) {
        return (static_cast<unsigned char>(png[at]) << 24) |
               (static_cast<unsigned char>(png[at + 1]) << 16) |
               (static_cast<unsigned char>(png[at + 2]) << 8) |
               static_cast<unsigned char>(png[at + 3]);
    };
    if (png.size() < 24 || png.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 ||
        png.compare(12, 4, "IHDR") != 0)
        return {0, 0};
    return {be32(16), be32(20)};
}

TEST_F(WheelExport, EachFormatByTheNamesEnding) {
    const struct {
        std::string Name;
        std::vector<std::string> Extra;
    } cases[] = {
        {"plain.png", {}},
        {"sized.PNG", {"--size", "321"}},
        {"bi-wheel.png",
         {"--bw", "--aries-left", Partner[0], Partner[1], Partner[2], Partner[3], Partner[4],
          Partner[5]}},
        {"chart.svg", {"--size", "300"}},
        {"chart.pdf", {"--size", "300"}},
    };
    for (const auto &c : cases) {
        std::vector<std::string> args = {"--wheel", (FDir / c.Name).string()};
        args.insert(args.end(), c.Extra.begin(), c.Extra.end());
        const TRun run = Run(args);
        ASSERT_EQ(run.Status, 0) << c.Name << ": " << run.Err;
        EXPECT_EQ(run.Err, "") << c.Name;
        // The report is printed as without a wheel.
        EXPECT_TRUE(run.Out.starts_with("Moment     2000-01-01 12:00:00 UT")) << run.Out;
        const std::string file = ReadFile(FDir / c.Name);
        const std::string ext = c.Name.substr(c.Name.rfind('.') + 1);
        if (ext == "png" || ext == "PNG") {
            const int side = c.Name == "sized.PNG" ? 321 : 800;
            EXPECT_EQ(PngSize(file), std::make_pair(side, side)) << c.Name;
            EXPECT_GT(file.size(), 10000u) << c.Name;
        } else if (ext == "svg") {
            EXPECT_TRUE(file.starts_with("<?xml")) << file.substr(0, 80);
            EXPECT_NE(file.find("<svg width=\"300\" height=\"300\""), std::string::npos);
            EXPECT_NE(file.find("viewBox=\"0 0 300 300\""), std::string::npos);
            // Glyphs as outlines, so that a viewer needs neither the font nor CSS.
            EXPECT_NE(file.find("<path"), std::string::npos);
            EXPECT_EQ(file.find("<text"), std::string::npos);
            EXPECT_EQ(file.find("var("), std::string::npos);
            EXPECT_EQ(file.find("<style"), std::string::npos);
        } else {
            EXPECT_TRUE(file.starts_with("%PDF-")) << file.substr(0, 20);
            EXPECT_NE(file.find("/MediaBox [0 0 300"), std::string::npos);
            // The symbol font travels inside the file.
            EXPECT_NE(file.find("KYRSansSerif"), std::string::npos);
        }
    }
}

TEST_F(WheelExport, NeedsNoDisplay) {
    // Pointed at a display that is not there, the tool still draws offscreen.
    const fs::path file = FDir / "wheel.png";
    const TRun run = Run({"--wheel", file.string(), "--size", "200"},
                         "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb");
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(PngSize(ReadFile(file)), std::make_pair(200, 200));
}

TEST_F(WheelExport, BadInputLeavesNoFile) {
    const std::string dir = FDir.string();
    const struct {
        std::vector<std::string> Args;
        int Status;
        std::string Message;
        std::string File; ///< must not exist afterwards
    } cases[] = {
        {{"--wheel", dir + "/w.gif"}, 2, "--wheel: '" + dir + "/w.gif' does not end in", "w.gif"},
        {{"--wheel", dir + "/w.png", "--size", "99"},
         2,
         "--size: '99' is not a size from 100 to 8000 pixels",
         "w.png"},
        {{"--wheel", dir + "/w.png", "--size", "8001"}, 2, "--size: '8001' is not a size", "w.png"},
        {{"--size", "800"}, 2, "--size is for the wheel image; give --wheel FILE", ""},
        {{"--wheel", dir + "/w.svg", "--partner-ut", "2000-01-01 12:00"},
         2,
         "the partner chart needs --partner-lat",
         "w.svg"},
        {{"--wheel", dir + "/w.pdf", "--partner-ut", "2000-01-01 12:00", "--partner-lat", "95",
          "--partner-lon", "0"},
         2,
         "the partner chart: Incorrect Latitude Value!",
         "w.pdf"},
        {{"--wheel", dir + "/w.png", "--partner-ut", "2500-01-01 12:00", "--partner-lat", "0",
          "--partner-lon", "0"},
         1,
         "the partner chart: Date outside the ephemeris",
         "w.png"},
        {{"--wheel", dir + "/missing/w.png"},
         1,
         "cannot write the wheel image " + dir + "/missing/w.png",
         "missing"},
        {{"--wheel", dir + "/missing/w.svg"}, 1, "cannot write the wheel image", "missing"},
        {{"--wheel", dir + "/missing/w.pdf"}, 1, "cannot write the wheel image", "missing"},
    };
    for (const auto &c : cases) {
        const TRun run = Run(c.Args);
        EXPECT_EQ(run.Status, c.Status) << c.Message << "\n" << run.Err;
        EXPECT_EQ(run.Out, "") << c.Message;
        EXPECT_TRUE(run.Err.starts_with("kyr-chart: " + c.Message)) << run.Err;
        EXPECT_EQ(run.Err.find('\n'), run.Err.size() - 1) << "one line: " << run.Err;
        if (!c.File.empty()) {
            EXPECT_FALSE(fs::exists(FDir / c.File)) << c.File;
        }
    }
}

// Files in a folder, by name.
std::vector<std::string> Listing(const fs::path &folder) {
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(WheelExport, AFailedWriteLeavesNoPartialFileAndKeepsTheOneThere) {
    const fs::path images = FDir / "images";
    fs::create_directories(images);
    // A file-size limit of a few kilobytes makes the writes fail partway, as a full disk
    // does; with SIGXFSZ ignored the write returns an error instead of ending the process.
    const std::string smallDisk = "trap '' XFSZ; ulimit -f 8;";
    for (const std::string name : {"w.png", "w.svg", "w.pdf"}) {
        const fs::path file = images / name;
        const TRun fresh = Run({"--wheel", file.string()}, smallDisk);
        EXPECT_EQ(fresh.Status, 1) << name << ": " << fresh.Err;
        EXPECT_TRUE(fresh.Err.starts_with("kyr-chart: cannot write the wheel image " +
                                          file.string() + ": "))
            << fresh.Err;
        EXPECT_EQ(fresh.Out, "");
        EXPECT_EQ(Listing(images), std::vector<std::string>{}) << name;

        std::ofstream(file) << "the earlier image";
        const TRun over = Run({"--wheel", file.string()}, smallDisk);
        EXPECT_EQ(over.Status, 1) << name << ": " << over.Err;
        EXPECT_EQ(ReadFile(file), "the earlier image") << name;
        EXPECT_EQ(Listing(images), std::vector<std::string>{name});
        fs::remove(file);

        // Without the limit the same export replaces the earlier image, leaving nothing else.
        std::ofstream(file) << "the earlier image";
        const TRun done = Run({"--wheel", file.string(), "--size", "200"});
        EXPECT_EQ(done.Status, 0) << name << ": " << done.Err;
        EXPECT_GT(ReadFile(file).size(), 1000u) << name;
        EXPECT_EQ(Listing(images), std::vector<std::string>{name});
        EXPECT_EQ(fs::status(file).permissions() & fs::perms::owner_read, fs::perms::owner_read);
        fs::remove(file);
    }
    // A folder where the image should go: drawn and written in full, it cannot take the place.
    fs::create_directories(images / "dir.png");
    const TRun run = Run({"--wheel", (images / "dir.png").string()});
    EXPECT_EQ(run.Status, 1) << run.Err;
    EXPECT_TRUE(run.Err.starts_with("kyr-chart: cannot write the wheel image " +
                                    (images / "dir.png").string() + ": "))
        << run.Err;
    EXPECT_EQ(Listing(images), std::vector<std::string>{"dir.png"});
    EXPECT_TRUE(fs::is_empty(images / "dir.png"));
}

} // namespace
