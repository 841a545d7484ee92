#include "JsonReport.h"

#include "ChartNames.h"
#include "JsonWriter.h"

namespace kyr::cli {

namespace {

// Six decimals of a degree are below a hundredth of a second of arc.
constexpr int AngleDecimals = 6;

} // namespace

void WriteJsonReport(const TChartResult &chart, std::ostream &out) {
    TJsonWriter json(out);
    json.BeginObject();
    json.Key("julian_day");
    json.Number(chart.JulianDay, AngleDecimals);
    json.Key("calendar");
    json.String(chart.Julian ? "julian" : "gregorian");
    json.Key("house_system");
    json.String(HouseSystemName(chart.HouseSystem));

    json.Key("bodies");
    json.BeginArray();
    for (const TBodyResult &body : chart.Bodies) {
        json.BeginObject(true);
        json.Key("name");
        json.String(body.Name);
        json.Key("longitude");
        json.Number(body.Longitude, AngleDecimals);
        json.Key("retrograde");
        json.Bool(body.Retrograde);
        json.Key("sign");
        json.String(SignName(body.Sign));
        json.Key("house");
        json.Integer(body.House);
        json.EndObject();
    }
    json.EndArray();

    json.Key("houses");
    json.BeginObject();
    json.Key("ascendant");
    json.Number(chart.Ascendant, AngleDecimals);
    json.Key("mc");
    json.Number(chart.Mc, AngleDecimals);
    json.Key("cusps");
    json.BeginArray(true);
    for (const double cusp : chart.Cusps)
        json.Number(cusp, AngleDecimals);
    json.EndArray();
    json.EndObject();

    json.Key("aspects");
    json.BeginArray();
    for (const TAspectResult &aspect : chart.Aspects) {
        json.BeginObject(true);
        json.Key("point1");
        json.String(aspect.Point1);
        json.Key("point2");
        json.String(aspect.Point2);
        json.Key("angle");
        json.Integer(aspect.Angle);
        json.Key("deviation");
        json.Number(aspect.Deviation, AngleDecimals);
        json.EndObject();
    }
    json.EndArray();

    if (chart.HasTransits) {
        json.Key("transits");
        json.BeginArray();
        for (const TTransitResult &transit : chart.Transits) {
            json.BeginObject(true);
            json.Key("body");
            json.String(transit.Body);
            json.Key("angle");
            json.Integer(transit.Angle);
            json.Key("natal_point");
            json.String(transit.NatalPoint);
            json.Key("start");
            json.String(FormatDate(transit.Start));
            json.Key("end");
            json.String(FormatDate(transit.End));
            json.EndObject();
        }
        json.EndArray();
    }
    json.EndObject();
}

} // namespace kyr::cli
