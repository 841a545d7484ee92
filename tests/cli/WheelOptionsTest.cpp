// The options of the wheel image and the bi-wheel's partner chart on the command line.
#include "CommandLine.h"
#include "UsageError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kyr::cli {
namespace {

using TArgs = std::vector<std::string>;

// A chart and a wheel, to which each case adds its options.
TArgs Chart(const TArgs &more) {
    TArgs args = {"--ut", "2000-01-01 12:00", "--lat", "51.5", "--lon", "0"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

TEST(WheelOptions, DefaultsAndEveryOption) {
    const TChartRequest plain = ParseCommandLine(Chart({}));
    EXPECT_TRUE(plain.Wheel.File.empty());
    EXPECT_EQ(plain.Wheel.Size, 800);
    EXPECT_FALSE(plain.Wheel.BW || plain.Wheel.AriesAtLeft);
    EXPECT_FALSE(plain.Partner);

    const TChartRequest r = ParseCommandLine(
        Chart({"--wheel", "out/Chart.SVG", "--size", "1200", "--bw", "--aries-left", "--partner-ut",
               "1985-07-13T16:00", "--partner-lat", "40N42", "--partner-lon=74.5"}));
    EXPECT_EQ(r.Wheel.File, "out/Chart.SVG");
    EXPECT_EQ(r.Wheel.Format, TWheelFormat::Svg);
    EXPECT_EQ(r.Wheel.Size, 1200);
    EXPECT_TRUE(r.Wheel.BW);
    EXPECT_TRUE(r.Wheel.AriesAtLeft);
    ASSERT_TRUE(r.Partner);
    EXPECT_EQ(r.Partner->Date, (TDate{1985, 7, 13}));
    EXPECT_EQ(r.Partner->Seconds, 16 * 3600);
    EXPECT_NEAR(r.Partner->Latitude, 40.42L, 1e-12L);
    EXPECT_NEAR(r.Partner->Longitude, -74.30L, 1e-12L); // east is negative inside
}

TEST(WheelOptions, FormatFromTheNamesEndingAndSizeLimits) {
    const struct {
        const char *File;
        TWheelFormat Format;
    } formats[] = {{"a.png", TWheelFormat::Png},
                   {"b.Pdf", TWheelFormat::Pdf},
                   {"c.svg", TWheelFormat::Svg},
                   {"dir.svg/d.PNG", TWheelFormat::Png}};
    for (const auto &f : formats)
        EXPECT_EQ(ParseCommandLine(Chart({"--wheel", f.File})).Wheel.Format, f.Format) << f.File;
    for (int size : {100, 8000})
        EXPECT_EQ(ParseCommandLine(Chart({"--wheel", "w.png", "--size", std::to_string(size)}))
                      .Wheel.Size,
                  size);
}

TEST(WheelOptions, RejectsBadWheelOptions) {
    const TArgs partner = {"--partner-lat", "10", "--partner-lon", "10"};
    const auto withPartner = [&](const std::string &ut, TArgs more = {}) {
        TArgs args = {"--wheel", "w.png", "--partner-ut", ut};
        args.insert(args.end(), more.begin(), more.end());
        return Chart(args);
    };
    const struct {
        TArgs Args;
        const char *Message;
    } cases[] = {
        {Chart({"--wheel", "w.gif"}), "--wheel: 'w.gif' does not end in .png, .svg or .pdf"},
        {Chart({"--wheel", "png"}), "does not end in .png, .svg or .pdf"},
        {Chart({"--wheel", "w.png.txt"}), "does not end in .png, .svg or .pdf"},
        {Chart({"--wheel", ""}), "does not end in .png, .svg or .pdf"},
        {Chart({"--wheel", "w.png", "--size", "99"}),
         "--size: '99' is not a size from 100 to 8000 pixels"},
        {Chart({"--wheel", "w.png", "--size", "8001"}), "is not a size from 100 to 8000"},
        {Chart({"--wheel", "w.png", "--size", "4294967296"}), "is not a size from 100 to 8000"},
        {Chart({"--wheel", "w.png", "--size", "0"}), "is not a size from 100 to 8000"},
        {Chart({"--wheel", "w.png", "--size", "12.5"}), "is not a whole number of pixels"},
        {Chart({"--wheel", "w.png", "--size", "-800"}), "is not a whole number of pixels"},
        {Chart({"--wheel", "w.png", "--size", ""}), "is not a whole number of pixels"},
        {Chart({"--wheel", "w.png", "--wheel", "v.png"}), "--wheel is given twice"},
        {Chart({"--wheel", "w.png", "--bw=yes"}), "--bw takes no value"},
        {Chart({"--size", "800"}), "--size is for the wheel image; give --wheel FILE"},
        {Chart({"--bw"}), "--bw is for the wheel image"},
        {Chart({"--aries-left"}), "--aries-left is for the wheel image"},
        {Chart({"--partner-lat", "10"}), "--partner-lat is for the wheel image"},
        {withPartner("2000-01-01 12:00", {"--partner-lat", "10"}),
         "the partner chart needs --partner-lon as well"},
        {Chart({"--wheel", "w.png", "--partner-lat", "10", "--partner-lon", "10"}),
         "the partner chart needs --partner-ut as well"},
        {withPartner("1900-02-29 12:00", partner),
         "--partner-ut: 1900-02-29 does not exist in the Gregorian calendar"},
        {withPartner("2000-01-01", partner), "--partner-ut: '2000-01-01' is not a moment"},
        {withPartner("2000-01-01 12:00", {"--partner-lat", "10E00", "--partner-lon", "10"}),
         "--partner-lat: '10E00' needs the hemisphere letter N or S"},
        {withPartner("2000-01-01 12:00", {"--partner-lat", "10", "--partner-lon", "east"}),
         "--partner-lon: 'east' is neither decimal degrees"},
    };
    for (const auto &c : cases) {
        try {
            ParseCommandLine(c.Args);
            ADD_FAILURE() << "accepted: " << c.Message;
        } catch (const EUsageError &e) {
            EXPECT_NE(std::string(e.what()).find(c.Message), std::string::npos) << e.what();
        }
    }
}

TEST(WheelOptions, PartnerDateFollowsTheCalendarInForce) {
    // 1700 is a leap year only in the Julian calendar, which holds before the Gregorian start.
    const TArgs args = Chart({"--wheel", "w.png", "--gregorian-start", "1752-09-14", "--partner-ut",
                              "1700-02-29 12:00", "--partner-lat", "0", "--partner-lon", "0"});
    EXPECT_EQ(ParseCommandLine(args).Partner->Date, (TDate{1700, 2, 29}));
}

TEST(WheelOptions, HelpListsThem) {
    const std::string help = UsageText();
    for (const char *option :
         {"--wheel FILE", "--size PIXELS", "--bw", "--aries-left", "--partner-ut", "--partner-lat",
          "--partner-lon", ".png", ".svg", ".pdf"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
}

} // namespace
} // namespace kyr::cli
