#include "NameImport.h"

#include "CountText.h"
#include "DataCollection.h"
#include "IndexScope.h"
#include "KyrTable.h"
#include "Language.h"
#include "NameFields.h"
#include "NameRecord.h"
#include "NearestPlace.h"
#include "OemText.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <istream>
#include <optional>
#include <string_view>
#include <vector>

namespace kyr {

namespace {

constexpr std::uint8_t Quote = 34;
constexpr std::uint8_t Blank = 32;
constexpr std::size_t NameOffset = 1;
constexpr std::size_t NameSize = 20;

bool InLimits(int value, TNameField field) {
    const TFieldLimits limits = LimitsOf(field);
    return value >= limits.Min && value <= limits.Max;
}

// The same calendar rule as the name dialog's date check.
bool IsBirthDate(int year, int month, int day) {
    TNameFields fields;
    fields.Year = std::to_string(year);
    fields.Month = std::to_string(month);
    fields.Day = std::to_string(day);
    return DateIsValid(fields);
}

// Whole records left in the stream from its position, or -1 when it cannot tell. The position is
// kept.
long long StreamBytesLeft(std::istream &stream) {
    const std::istream::pos_type start = stream.tellg();
    if (start == std::istream::pos_type(-1))
        return -1;
    stream.seekg(0, std::ios::end);
    const std::istream::pos_type end = stream.tellg();
    stream.clear();
    stream.seekg(start);
    if (end == std::istream::pos_type(-1) || end < start)
        return -1;
    return static_cast<long long>(end - start);
}

// The transactions of one batch of records. Tables the caller had in a transaction already are
// left to the caller.
class TBatch {
public:
    explicit TBatch(const TImportTables &tables)
        : Tables{&tables.Names, &tables.Groups, &tables.NameGroups} {}

    void Begin() {
        if (Open)
            return;
        Open = true;
        for (std::size_t i = 0; i < Tables.size(); ++i) {
            Started[i] = !Tables[i]->InTransaction();
            if (Started[i])
                Tables[i]->StartTransaction();
        }
    }

    // NAME first: should a later commit fail, its persons stay without their membership rather
    // than memberships without persons.
    void Commit() {
        if (!Open)
            return;
        for (std::size_t i = 0; i < Tables.size(); ++i) {
            if (Started[i]) {
                Tables[i]->Commit();
                Started[i] = false;
            }
        }
        Open = false;
    }

    /// Whether the persons written since the last commit can still be rolled back.
    bool NamesPending() const { return Started[0]; }

    void Rollback() noexcept {
        for (std::size_t i = 0; i < Tables.size(); ++i) {
            if (!Started[i])
                continue;
            Started[i] = false;
            try {
                Tables[i]->Rollback();
            } catch (...) {
                // The table's own error was reported already; a failed rollback leaves SQLite
                // to drop the transaction when the file closes.
            }
        }
        Open = false;
    }

private:
    std::array<TKyrTable *, 3> Tables;
    std::array<bool, 3> Started{};
    bool Open = false;
};

// Keeps the stream's exception mask out of the import and puts it back afterwards.
class TQuietStream {
public:
    explicit TQuietStream(std::istream &stream) : Stream(stream), Mask(stream.exceptions()) {
        Stream.exceptions(std::ios::goodbit);
    }
    ~TQuietStream() {
        try {
            Stream.clear(Stream.rdstate() & ~std::ios::failbit);
            Stream.exceptions(Mask);
        } catch (...) {
        }
    }
    TQuietStream(const TQuietStream &) = delete;
    TQuietStream &operator=(const TQuietStream &) = delete;

private:
    std::istream &Stream;
    std::ios::iostate Mask;
};

void WriteImportedFields(TKyrTable &names, const TImportRecord &record,
                         const TPlaceFinder *places) {
    if (places)
        if (const auto near = places->Nearest(record.Latitude, record.Longitude)) {
            names.FieldByName("BirthCountry").SetAsString(near->StateName);
            names.FieldByName("BirthTown").SetAsString(near->PlaceName);
        }
    names.FieldByName("FirstName").SetAsString(record.FirstName);
    names.FieldByName("LastName").SetAsString(record.LastName);
    names.FieldByName("BirthDate").SetAsString(record.BirthDate);
    names.FieldByName("BirthTime").SetAsString(record.BirthTime);
    names.FieldByName("TimeZone").SetAsString(record.TimeZone);
    names.FieldByName("Latitude").SetAsInteger(record.Latitude);
    names.FieldByName("Longitude").SetAsInteger(record.Longitude);
    names.FieldByName("SummerTime").SetAsString(EncodeSummerTime(0, 0));
}

// The message of the exception being handled.
std::string CurrentErrorText() {
    try {
        throw;
    } catch (const std::exception &error) {
        return error.what();
    } catch (...) {
        return "unknown error";
    }
}

std::string Format1(const std::string &pattern, const std::string &value) {
    std::string out = pattern;
    const auto at = out.find("%1");
    if (at != std::string::npos)
        out.replace(at, 2, value);
    return out;
}

} // namespace

TImportRecordKind DecodeImportRecord(std::span<const std::uint8_t, ImportRecordSize> bytes,
                                     TImportRecord &record) {
    if (bytes[0] != Quote)
        return TImportRecordKind::NotANameRecord;

    const auto name = bytes.subspan<NameOffset, NameSize>();
    std::size_t end = 0; // one past the last non-blank byte
    for (std::size_t i = 0; i < NameSize; ++i)
        if (name[i] != Blank)
            end = i + 1;
    for (std::size_t i = 0; i < end; ++i)
        if (name[i] < 0x20 || name[i] == 0x7F)
            return TImportRecordKind::NameNotText;
    std::size_t blank = 0;
    while (blank < end && name[blank] != Blank)
        ++blank;
    // A blank in the padding does not make a single word a first and last name.
    if (blank == 0 || blank >= end)
        return TImportRecordKind::NoBlank;

    const int day = bytes[21], month = bytes[22], century = bytes[23], yearInCentury = bytes[24];
    const int hour = bytes[25], minute = bytes[26], second = bytes[27];
    const int zoneHours = bytes[28], zoneMinutes = bytes[29];
    const int latDegrees = bytes[30], latMinutes = bytes[31];
    const int lonDegrees = bytes[32], lonMinutes = bytes[33];
    const std::uint8_t flags = bytes[34];
    const int year = century * 100 + yearInCentury;
    const bool valid =
        yearInCentury <= 99 && IsBirthDate(year, month, day) && InLimits(hour, TNameField::Hour) &&
        InLimits(minute, TNameField::Minute) && InLimits(second, TNameField::Second) &&
        InLimits(zoneHours, TNameField::ZoneHours) &&
        InLimits(zoneMinutes, TNameField::ZoneMinutes) &&
        InLimits(latDegrees, TNameField::LatDegrees) &&
        InLimits(latMinutes, TNameField::LatMinutes) &&
        InLimits(lonDegrees, TNameField::LonDegrees) &&
        InLimits(lonMinutes, TNameField::LonMinutes) && lonDegrees * 100 + lonMinutes <= 18000;
    if (!valid)
        return TImportRecordKind::InvalidData;

    const auto text = [&name](std::size_t from, std::size_t to) {
        return OemToUtf8(
            std::string_view(reinterpret_cast<const char *>(name.data()) + from, to - from));
    };
    record.FirstName = text(0, blank);
    record.LastName = text(blank + 1, end);
    record.BirthDate = EncodeBirthDate({year, month, day});
    record.BirthTime = EncodeBirthTime({hour, minute, second});
    record.TimeZone = EncodeTimeZone({zoneHours, zoneMinutes, (flags & ImportZoneWest) != 0});
    record.Latitude = EncodeAngle({latDegrees, latMinutes, (flags & ImportLatitudeSouth) == 0});
    record.Longitude = EncodeAngle({lonDegrees, lonMinutes, (flags & ImportLongitudeWest) != 0});
    return TImportRecordKind::Valid;
}

TImportResult ImportNames(std::istream &file, const TImportTables &tables,
                          const TImportOptions &options) {
    TImportResult result;
    TQuietStream quiet(file);

    const long long bytesLeft = StreamBytesLeft(file);
    const long long maxRecords = std::max(0LL, options.MaxRecords);
    result.MaxRecords = maxRecords;
    if (bytesLeft > maxRecords * static_cast<long long>(ImportRecordSize)) {
        result.End = TImportEnd::TooLarge;
        return result;
    }
    const long long total =
        bytesLeft < 0 ? -1 : bytesLeft / static_cast<long long>(ImportRecordSize);
    const std::string &group = options.GroupName;
    const int batchSize = std::max(1, options.BatchSize);

    // Every look-up here uses the primary indexes; the other users find theirs again. Put back
    // only after a failed record was dropped: setting an index would write a pending one.
    std::optional<TIndexScope> namesIndex, groupsIndex, membersIndex;
    TBatch batch(tables);
    int inBatch = 0; // persons written since the last commit
    bool groupChecked = false;
    std::array<std::uint8_t, ImportRecordSize> bytes{};
    TImportRecord record;
    try {
        namesIndex.emplace(tables.Names, "");
        groupsIndex.emplace(tables.Groups, "");
        membersIndex.emplace(tables.NameGroups, "");

        while (true) {
            if (options.Cancelled && options.Cancelled()) {
                result.End = TImportEnd::Cancelled;
                break;
            }
            if (result.RecordsRead >= maxRecords &&
                file.peek() != std::istream::traits_type::eof()) {
                result.End = TImportEnd::TooLarge;
                break;
            }
            file.read(reinterpret_cast<char *>(bytes.data()), ImportRecordSize);
            const auto got = static_cast<std::size_t>(file.gcount());
            if (file.bad()) {
                result.End = TImportEnd::ReadError;
                break;
            }
            if (got < ImportRecordSize) {
                result.End = got == 0 ? TImportEnd::EndOfFile : TImportEnd::IncompleteRecord;
                result.TrailingBytes = got;
                break;
            }
            ++result.RecordsRead;

            const TImportRecordKind kind = DecodeImportRecord(bytes, record);
            if (kind == TImportRecordKind::NotANameRecord) {
                result.End = TImportEnd::NotANameRecord;
                break;
            }
            if (kind == TImportRecordKind::NoBlank)
                ++result.SkippedNoBlank;
            else if (kind == TImportRecordKind::NameNotText)
                ++result.SkippedNotText;
            else if (kind == TImportRecordKind::InvalidData)
                ++result.SkippedInvalid;
            else {
                batch.Begin();
                const bool found = tables.Names.FindKey({record.FirstName, record.LastName});
                if (found && !options.Overwrite) {
                    ++result.SkippedExisting;
                } else {
                    if (found)
                        tables.Names.Edit();
                    else
                        tables.Names.Insert();
                    WriteImportedFields(tables.Names, record, options.Places);
                    tables.Names.Post();
                    ++result.Count;
                    ++inBatch;
                    if (!group.empty()) {
                        if (!tables.NameGroups.FindKey({record.FirstName, record.LastName, group}))
                            tables.NameGroups.AppendRecord(
                                {record.FirstName, record.LastName, group});
                        if (!groupChecked) {
                            groupChecked = true;
                            if (!tables.Groups.FindKey({group}))
                                tables.Groups.AppendRecord({group});
                        }
                    }
                }
                if (inBatch >= batchSize) {
                    batch.Commit();
                    inBatch = 0;
                }
            }
            if (options.OnProgress)
                options.OnProgress(result.RecordsRead, total);
        }
        batch.Commit();
        inBatch = 0;
    } catch (...) {
        // A record half set up in NAME is dropped, then the whole open batch.
        try {
            if (tables.Names.State() == TTableState::Edit ||
                tables.Names.State() == TTableState::Insert)
                tables.Names.Cancel();
        } catch (...) {
        }
        const bool namesRolledBack = batch.NamesPending();
        batch.Rollback();
        if (namesRolledBack)
            result.Count -= inBatch;
        result.End = TImportEnd::WriteError;
        result.ErrorText = CurrentErrorText();
    }
    return result;
}

TImportResult ImportNames(const std::string &fileName, TDataCollection &data,
                          const TImportOptions &options) {
    std::error_code error;
    std::ifstream file;
    if (!std::filesystem::is_directory(fileName, error))
        file.open(fileName, std::ios::binary);
    if (!file.is_open()) {
        TImportResult result;
        result.End = TImportEnd::CannotOpen;
        result.ErrorText = fileName;
        return result;
    }
    if (options.Places)
        return ImportNames(file, {data.NameTable, data.GroupsTable, data.NameGroupsTable},
                           options);
    const TPlaceFinder places(data);
    TImportOptions withPlaces = options;
    withPlaces.Places = &places;
    return ImportNames(file, {data.NameTable, data.GroupsTable, data.NameGroupsTable},
                       withPlaces);
}

TImportMessages ImportMessages(const TImportResult &result, const TLanguage &language) {
    const std::string count = std::to_string(result.Count);

    TImportMessages messages;
    switch (result.End) {
    case TImportEnd::EndOfFile:
        break;
    case TImportEnd::NotANameRecord: {
        const std::string format = language.GetText(1002);
        messages.Stop = format.empty() ? language.GetText(342) + count + language.GetText(343)
                                       : Format1(format, count);
        break;
    }
    case TImportEnd::IncompleteRecord:
        messages.Stop = Format1(language.GetText(1242), std::to_string(result.TrailingBytes));
        break;
    case TImportEnd::TooLarge:
        messages.Stop = Format1(language.GetText(1243), std::to_string(result.MaxRecords));
        break;
    case TImportEnd::Cancelled:
        messages.Stop = language.GetText(1244);
        break;
    case TImportEnd::CannotOpen:
        messages.Stop = Format1(language.GetText(1245), result.ErrorText);
        break;
    case TImportEnd::ReadError:
        messages.Stop = language.GetText(1246);
        break;
    case TImportEnd::WriteError:
        messages.Stop = Format1(language.GetText(1247), result.ErrorText);
        break;
    }

    messages.Summary = CountText(language, result.Count, ImportedCount);
    const auto addLine = [&messages](long long n, const std::string &format) {
        if (n > 0)
            messages.Summary += "\n" + Format1(format, std::to_string(n));
    };
    addLine(result.SkippedExisting, language.GetText(1253));
    addLine(result.SkippedNotText, language.GetText(1240));
    addLine(result.SkippedInvalid, language.GetText(1241));
    return messages;
}

} // namespace kyr
