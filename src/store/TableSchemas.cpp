#include "TableSchemas.h"

#include "SqliteHandles.h"
#include "StoreError.h"

#include <filesystem>
#include <map>

namespace kyr {

namespace {

using enum TFieldType;

// Names of persons, places and states: the horoscope holds them as string48.
constexpr int NameWidth = 48;
constexpr int IdWidth = 10;
constexpr int CodeWidth = 2;

TTableSchema BookSchema(const std::string &kind, const std::string &headingField) {
    return {kind,
            {{"Book", Text, CodeWidth},
             {"Chapter", Text, CodeWidth},
             {"Code3", Text, CodeWidth},
             {"Code4", Text, CodeWidth},
             {headingField, Text, 255},
             {"Text", Memo, 0}},
            {"Book", "Chapter", "Code3", "Code4"},
            {}};
}

std::map<std::string, TTableSchema> MakeFixedSchemas() {
    std::map<std::string, TTableSchema> schemas;
    auto add = [&](TTableSchema schema) { schemas.emplace(schema.Kind, std::move(schema)); };

    add({"NAME",
         {{"FirstName", Text, NameWidth},
          {"LastName", Text, NameWidth},
          {"BirthCountry", Text, NameWidth},
          {"BirthTown", Text, NameWidth},
          {"BirthDate", Text, 8},
          {"BirthTime", Text, 6},
          {"TimeUnknown", Boolean, 0},
          {"Latitude", Integer, 0},
          {"Longitude", Integer, 0},
          {"TimeZone", Text, 5},
          {"SummerTime", Text, 5},
          {"Address1", Text, 30},
          {"Address2", Text, 30},
          {"PostalCode", Text, 12},
          {"Town", Text, 30},
          {"Country", Text, 30},
          {"HomePhone", Text, 30},
          {"WorkPhone", Text, 30},
          {"Fax", Text, 30},
          {"Picture", Graphic, 0},
          {"Notes", Memo, 0},
          {"Sex", Text, 1},
          {"Modem", Text, 30}},
         {"FirstName", "LastName"},
         {}});
    // Nothing reads or writes NAME1; it only has to open.
    add({"NAME1",
         {{"FirstName", Text, NameWidth}, {"LastName", Text, NameWidth}},
         {"FirstName", "LastName"},
         {}});
    add({"GROUPS", {{"GroupName", Text, NameWidth}}, {"GroupName"}, {}});
    add({"NAMEGRPS",
         {{"FirstName", Text, NameWidth},
          {"LastName", Text, NameWidth},
          {"GroupName", Text, NameWidth}},
         {"FirstName", "LastName", "GroupName"},
         {{"Group", {"GroupName"}}}});
    add({"STATES",
         {{"StateID", Text, IdWidth},
          {"StateName", Text, NameWidth},
          {"MaxLatitude", Integer, 0},
          {"MinLatitude", Integer, 0},
          {"MaxLongitude", Integer, 0},
          {"MinLongitude", Integer, 0}},
         {"StateName"},
         {{"SID", {"StateID"}}}});
    add({"PLACES",
         {{"StateID", Text, IdWidth},
          {"PlaceName", Text, NameWidth},
          {"Latitude", Integer, 0},
          {"Longitude", Integer, 0},
          {"ZoneRef", Text, IdWidth},
          {"SummerRef", Text, IdWidth}},
         {"StateID", "PlaceName"},
         {}});
    add({"ZONEID",
         {{"ZoneID", Text, IdWidth}, {"ZoneName", Text, NameWidth}, {"GregDate", Integer, 0}},
         {"ZoneID"},
         {{"Zone", {"ZoneName"}}}});
    // LocalMeanTime marks rows that hold the local mean time of the zone's reference place,
    // so that a birth elsewhere can use its own (PlaceOffsets.h). Last, so that rows written
    // by position without it stay valid.
    add({"ZONE",
         {{"ZoneID", Text, IdWidth},
          {"StartDate", Integer, 0},
          {"TimeDelta", Integer, 0},
          {"LocalMeanTime", Boolean, 0}},
         {"ZoneID", "StartDate"},
         {}});
    add({"SUMMERID",
         {{"SummerID", Text, IdWidth}, {"SummerName", Text, NameWidth}},
         {"SummerID"},
         {{"Summer", {"SummerName"}}}});
    add({"SUMMER",
         {{"SummerID", Text, IdWidth},
          {"FromDate", Integer, 0},
          {"FromTime", Integer, 0},
          {"TimeDiff", Integer, 0}},
         {"SummerID", "FromDate"},
         {}});
    add({"ORBIS",
         {{"OrbisName", Text, NameWidth}, {"SystemOrbis", Boolean, 0}},
         {"OrbisName"},
         {}});
    add({"ORBISDEF",
         {{"OrbisName", Text, NameWidth},
          {"OrbisPlanetOrCusp", Integer, 0},
          {"D_0", Integer, 0},
          {"D_30", Integer, 0},
          {"D_45", Integer, 0},
          {"D_60", Integer, 0},
          {"D_90", Integer, 0},
          {"D_120", Integer, 0},
          {"D_135", Integer, 0},
          {"D_150", Integer, 0},
          {"D_180", Integer, 0}},
         {"OrbisName", "OrbisPlanetOrCusp"},
         {}});

    TTableSchema book = BookSchema("BOOK", "Attitude");
    book.Indexes = {{"ChapterOrder", {"Chapter", "Code3", "Code4", "Book"}}};
    add(std::move(book));
    add(BookSchema("SYBOOK", "Title"));
    add({"HELP", {{"HelpNo", Integer, 0}, {"HelpText", Memo, 0}}, {"HelpNo"}, {}});
    add({"KHLP", {{"KeyWord", Text, 64}, {"HelpNo", Integer, 0}}, {"KeyWord"}, {}});
    return schemas;
}

const std::map<std::string, TTableSchema> &Schemas() {
    static const std::map<std::string, TTableSchema> schemas = MakeFixedSchemas();
    return schemas;
}

// Tables of one language: the layout's name followed by the language code.
constexpr const char *LanguageKinds[] = {"SYBOOK", "BOOK", "HELP", "KHLP"};

} // namespace

const TTableSchema *FindSchema(const std::string &tableName) {
    const auto &schemas = Schemas();
    for (const char *kind : LanguageKinds) {
        const std::string prefix = kind;
        if (tableName.starts_with(prefix))
            return tableName.size() > prefix.size() ? &schemas.at(prefix) : nullptr;
    }
    const auto found = schemas.find(tableName);
    return found == schemas.end() ? nullptr : &found->second;
}

void CreateTable(const std::string &directory, const std::string &tableName) {
    std::string dir = directory;
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    const std::string fileName = dir + tableName + ".DAT";
    const TTableSchema *schema = FindSchema(tableName);
    if (!schema)
        throw EStoreError(fileName, "no table layout is known for the name \"" + tableName + "\"");
    std::error_code error;
    if (std::filesystem::exists(fileName, error))
        throw EStoreError(fileName, "the table file exists already");

    sqlite::TDatabase db(fileName, /*create=*/true);
    db.Execute("PRAGMA journal_mode=DELETE");
    db.Execute("BEGIN");
    db.Execute(sqlite::CreateTableSql(*schema));
    for (const std::string &statement : sqlite::CreateIndexSql(*schema))
        db.Execute(statement);
    db.Execute("PRAGMA application_id=" + std::to_string(sqlite::ApplicationId));
    db.Execute("PRAGMA user_version=" + std::to_string(StoreSchemaVersion));
    db.Execute("COMMIT");
}

} // namespace kyr
