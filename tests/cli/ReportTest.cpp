#include "ChartNames.h"
#include "JsonReport.h"
#include "JsonWriter.h"
#include "TextReport.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace kyr::cli {
namespace {

TEST(ChartNames, SignAndMinutesAgreeAtTheBoundaries) {
    const struct {
        double Longitude;
        int Sign;
        int Minutes;
    } cases[] = {
        {0, 0, 0},          {29.9999, 0, 1799}, {30, 1, 0},
        {280.3689, 9, 622}, {359.9999, 11, 1799},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(SignOfLongitude(c.Longitude), c.Sign) << c.Longitude;
        EXPECT_EQ(MinutesInSign(c.Longitude), c.Minutes) << c.Longitude;
    }
}

TEST(ChartNames, NamesPointsByTheirCodes) {
    const std::pair<int, const char *> natal[] = {
        {1, "Sun"},         {12, "South Node"}, {101, "Ascendant"}, {102, "Cusp 2"},
        {104, "IC"},        {107, "Descendant"}, {110, "MC"},       {112, "Cusp 12"},
    };
    for (const auto &[code, name] : natal)
        EXPECT_EQ(NatalPointName(code), name) << code;
    for (const int bad : {0, 13, 100, 113})
        EXPECT_THROW(NatalPointName(bad), std::out_of_range) << bad;
    EXPECT_EQ(AspectPointName(13), "Ascendant");
    EXPECT_EQ(AspectPointName(14), "MC");
    EXPECT_THROW(AspectPointName(15), std::out_of_range);
    EXPECT_EQ(TransitBodyName(1), "Jupiter");
    EXPECT_EQ(TransitBodyName(5), "Pluto");
    EXPECT_THROW(TransitBodyName(6), std::out_of_range);
}

TEST(JsonQuote, EscapesWhatJsonRequires) {
    const std::pair<std::string, std::string> cases[] = {
        {"Sun", R"("Sun")"},
        {R"(say "hi")", R"("say \"hi\"")"},
        {R"(C:\dir)", R"("C:\\dir")"},
        {"a\nb\tc\r", R"("a\nb\tc\r")"},
        {std::string("\x01\x1f", 2), R"("\u0001\u001f")"},
        {"10°22'", "\"10°22'\""},
    };
    for (const auto &[text, quoted] : cases)
        EXPECT_EQ(JsonQuote(text), quoted);
}

TEST(JsonWriter, IndentsAndKeepsOneLineContainersTogether) {
    std::ostringstream out;
    TJsonWriter json(out);
    json.BeginObject();
    json.Key("n");
    json.Number(1.25, 3);
    json.Key("list");
    json.BeginArray();
    json.BeginObject(true);
    json.Key("a");
    json.Bool(true);
    json.Key("b");
    json.BeginArray();
    json.Integer(1);
    json.Integer(-2);
    json.EndArray();
    json.EndObject();
    json.EndArray();
    json.Key("empty");
    json.BeginArray();
    json.EndArray();
    json.Key("bad");
    json.Number(std::numeric_limits<double>::quiet_NaN(), 2);
    json.EndObject();
    EXPECT_EQ(out.str(), "{\n"
                         "  \"n\": 1.250,\n"
                         "  \"list\": [\n"
                         "    {\"a\": true, \"b\": [1, -2]}\n"
                         "  ],\n"
                         "  \"empty\": [],\n"
                         "  \"bad\": null\n"
                         "}\n");
}

TEST(JsonWriter, RefusesMisplacedKeysAndValues) {
    std::ostringstream out;
    TJsonWriter json(out);
    EXPECT_THROW(json.Key("x"), std::logic_error);
    json.BeginObject();
    EXPECT_THROW(json.Integer(1), std::logic_error);
    EXPECT_THROW(json.EndArray(), std::logic_error);
    json.Key("x");
    EXPECT_THROW(json.Key("y"), std::logic_error);
}

TEST(TextFormats, DegreesMinutesAndCoordinates) {
    EXPECT_EQ(FormatDegreesMinutes(0), "0°00'");
    EXPECT_EQ(FormatDegreesMinutes(622), "10°22'");
    EXPECT_EQ(FormatDegreesMinutes(1799), "29°59'");
    EXPECT_EQ(FormatDeviation(-1.0834), "-1°05'");
    EXPECT_EQ(FormatDeviation(2.9999), "3°00'");
    EXPECT_EQ(FormatDeviation(-0.004), "0°00'");
    EXPECT_EQ(FormatLatitude(51.30L), "51°30'00\" N");
    EXPECT_EQ(FormatLatitude(-33.5203L), "33°52'03\" S");
    EXPECT_EQ(FormatLongitude(74.0022L), "74°00'22\" W");
    EXPECT_EQ(FormatLongitude(-151.1225L), "151°12'25\" E");
    EXPECT_EQ(FormatLongitude(0), "0°00'00\" E");
}

// A chart as the computation would return it, with one of everything.
TChartResult SampleChart() {
    TChartResult chart;
    chart.JulianDay = 2451545.0;
    chart.RequestedHouseSystem = HousePlacidus;
    chart.HouseSystem = HouseEqual;
    chart.OrbSet = "Medium";
    for (int body = 1; body <= 12; ++body)
        chart.Bodies.push_back({BodyName(body), 30.0 * (body - 1) + 0.5, body == 7,
                                body - 1, body});
    chart.Bodies[0].Longitude = 280.368046;
    chart.Bodies[0].Sign = 9;
    chart.Ascendant = 24.286967;
    chart.Mc = 279.609847;
    for (int cusp = 0; cusp < 12; ++cusp)
        chart.Cusps[cusp] = 24.286967 + 30 * cusp;
    chart.Aspects.push_back({"Sun", "MC", 0, -0.75});
    chart.HasTransits = true;
    chart.Transits.push_back({"Jupiter", 90, "Cusp 2", {2000, 5, 22}, {2001, 1, 1}});
    return chart;
}

TEST(JsonReport, WritesEveryPartOfTheChart) {
    std::ostringstream out;
    WriteJsonReport(SampleChart(), out);
    const std::string json = out.str();
    for (const char *part : {
             "\"julian_day\": 2451545.000000,",
             "\"house_system\": \"Equal\",",
             "{\"name\": \"Sun\", \"longitude\": 280.368046, \"retrograde\": false, "
             "\"sign\": \"Capricorn\", \"house\": 1}",
             "{\"name\": \"Saturn\", \"longitude\": 180.500000, \"retrograde\": true, "
             "\"sign\": \"Libra\", \"house\": 7}",
             "\"ascendant\": 24.286967,",
             "\"mc\": 279.609847,",
             "\"cusps\": [24.286967, 54.286967,",
             "{\"point1\": \"Sun\", \"point2\": \"MC\", \"angle\": 0, \"deviation\": -0.750000}",
             "{\"body\": \"Jupiter\", \"angle\": 90, \"natal_point\": \"Cusp 2\", "
             "\"start\": \"2000-05-22\", \"end\": \"2001-01-01\"}",
         })
        EXPECT_NE(json.find(part), std::string::npos) << part << "\n" << json;

    TChartResult noTransits = SampleChart();
    noTransits.HasTransits = false;
    std::ostringstream without;
    WriteJsonReport(noTransits, without);
    EXPECT_EQ(without.str().find("transits"), std::string::npos);
}

TEST(TextReport, WritesEveryTable) {
    TChartRequest request;
    request.Date = {2000, 1, 1};
    request.Seconds = 13 * 3600;
    request.UtcOffsetMinutes = 60;
    request.Latitude = 51.30L;
    request.Transits = TYearSpan{2000, 2001};
    std::ostringstream out;
    WriteTextReport(request, SampleChart(), out);
    const std::string text = out.str();
    for (const char *line : {
             "Moment     2000-01-01 13:00:00 local time, UTC+01:00, daylight saving 00:00\n",
             "Place      51°30'00\" N  0°00'00\" E\n",
             "Houses     Equal (Placidus cannot be computed at this latitude)\n",
             "\nSun         Capricorn    10°22'     house  1\n",
             "\nSaturn      Libra         0°30'  R  house  7\n",
             "\n 1          Aries        24°17'  Ascendant\n",
             "\n10          Capricorn    24°17'  MC\n",
             "\nSun           0°  MC          deviation  -0°45'\n",
             "\nTransits from 1 January 2000 to 1 January 2001\n"
             "Jupiter      90°  Cusp 2      2000-05-22 to 2001-01-01\n",
         })
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
}

} // namespace
} // namespace kyr::cli
