// The import of name files: the OEM characters, the rules for one record, and whole files
// against real tables, including broken and hostile ones. After every case the tables are read
// back, so that a half-written record or a stray membership shows.

#include "NameImport.h"
#include "DataCollection.h"
#include "ImportTestSupport.h"
#include "Language.h"
#include "NearestPlace.h"
#include "OemText.h"
#include "ProgramDirectory.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <streambuf>

namespace kyr::test {
namespace {

// --- OEM characters ----------------------------------------------------------------------------

// The C library's own code page 437 converter, as an independent reference.
std::optional<std::string> IconvCp437(std::uint8_t byte) {
    iconv_t cd = iconv_open("UTF-8", "CP437");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    char in[1] = {static_cast<char>(byte)};
    char out[8] = {};
    char *inPtr = in;
    char *outPtr = out;
    size_t inLeft = 1, outLeft = sizeof out;
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1))
        return std::nullopt;
    return std::string(out, outPtr);
}

TEST(OemText, PrintableBytesMatchTheReferenceConverter) {
    if (!IconvCp437('A'))
        GTEST_SKIP() << "the C library has no CP437 converter";
    int compared = 0;
    for (int b = 0x20; b <= 0xFF; ++b) {
        if (b == 0x7F)
            continue;
        const auto expected = IconvCp437(static_cast<std::uint8_t>(b));
        ASSERT_TRUE(expected) << "byte " << b;
        EXPECT_EQ(*expected, OemToUtf8(std::string(1, static_cast<char>(b))))
            << "byte 0x" << std::hex << b;
        ++compared;
    }
    EXPECT_EQ(223, compared);
}

TEST(OemText, ControlBytesShowAsThePcSymbols) {
    const std::vector<std::pair<std::uint8_t, char32_t>> cases = {
        {0x00, U'\0'}, {0x01, U'☺'}, {0x03, U'♥'}, {0x0F, U'☼'},
        {0x14, U'¶'},  {0x15, U'§'}, {0x1F, U'▼'}, {0x7F, U'⌂'}};
    for (const auto &[byte, code] : cases)
        EXPECT_EQ(code, OemCodePoint(byte)) << "byte " << int(byte);
}

TEST(OemText, EveryByteGivesExactlyOneWellFormedCharacter) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = OemToUtf8(all);
    // Walk the UTF-8: 256 lead bytes, each followed by the right number of continuation bytes.
    size_t characters = 0;
    for (size_t i = 0; i < utf8.size(); ++characters) {
        const auto lead = static_cast<std::uint8_t>(utf8[i]);
        const size_t length = lead < 0x80 ? 1 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        ASSERT_NE(0u, length) << "stray continuation byte at " << i;
        ASSERT_LE(i + length, utf8.size());
        for (size_t k = 1; k < length; ++k)
            ASSERT_EQ(0x80, static_cast<std::uint8_t>(utf8[i + k]) & 0xC0) << "at " << i;
        i += length;
    }
    EXPECT_EQ(256u, characters);
    EXPECT_EQ("Édith Müller ñ ß", OemToUtf8("\x90"
                                            "dith M\x81ller \xA4 \xE1"));
}

// --- one record --------------------------------------------------------------------------------

TImportRecordKind Decode(const TRecordParts &parts, TImportRecord &record) {
    const std::string bytes = RecordBytes(parts);
    std::array<std::uint8_t, ImportRecordSize> raw{};
    std::copy(bytes.begin(), bytes.end(), raw.begin());
    return DecodeImportRecord(raw, record);
}

TEST(ImportRecord, NamesAreSplitAtTheFirstBlankInsideTheName) {
    struct Case {
        std::string name; // OEM bytes
        TImportRecordKind kind;
        std::string first, last;
    };
    const std::vector<Case> cases = {
        {"John Smith", TImportRecordKind::Valid, "John", "Smith"},
        {"Mary Ann Evans", TImportRecordKind::Valid, "Mary", "Ann Evans"},
        // a second blank stays in front of the last name
        {"John  Smith", TImportRecordKind::Valid, "John", " Smith"},
        {"Ren\x82 Dupr\x82", TImportRecordKind::Valid, "René", "Dupré"},
        {"A B", TImportRecordKind::Valid, "A", "B"},
        // twenty bytes, the last name running to the end of the field
        {"Bartholomew Whitaker", TImportRecordKind::Valid, "Bartholomew", "Whitaker"},
        // one word, padded: the padding is no separator
        {"Madonna", TImportRecordKind::NoBlank, "", ""},
        {"ABCDEFGHIJKLMNOPQRST", TImportRecordKind::NoBlank, "", ""},
        {" John Smith", TImportRecordKind::NoBlank, "", ""},
        {"", TImportRecordKind::NoBlank, "", ""},
        // control bytes are no name text, wherever they are
        {std::string("John\0Smith", 10), TImportRecordKind::NameNotText, "", ""},
        {"John Smith\x01", TImportRecordKind::NameNotText, "", ""},
        {"Jo\x7Fn Smith", TImportRecordKind::NameNotText, "", ""},
        {"\x1B[2J Smith", TImportRecordKind::NameNotText, "", ""},
    };
    for (const auto &c : cases) {
        TRecordParts parts;
        parts.Name = c.name;
        TImportRecord record;
        EXPECT_EQ(c.kind, Decode(parts, record)) << "name \"" << c.name << "\"";
        if (c.kind == TImportRecordKind::Valid) {
            EXPECT_EQ(c.first, record.FirstName) << c.name;
            EXPECT_EQ(c.last, record.LastName) << c.name;
        }
    }
}

TEST(ImportRecord, ValuesAreEncodedAsTheNameTableHoldsThem) {
    struct Case {
        const char *what;
        TRecordParts parts;
        std::string date, time, zone;
        long long latitude, longitude;
    };
    const auto with = [](auto change) {
        TRecordParts parts;
        change(parts);
        return parts;
    };
    const std::vector<Case> cases = {
        {"6 Aug 1941 09:05:07, 5:30 east, north, east",
         {},
         "19410806",
         "090507",
         "0530E",
         4852,
         -220},
        {"flag 1: longitude west", with([](auto &p) { p.Flags = 1; }), "19410806", "090507",
         "0530E", 4852, 220},
        {"flag 2: latitude south", with([](auto &p) { p.Flags = 2; }), "19410806", "090507",
         "0530E", -4852, -220},
        {"flag 4: zone west", with([](auto &p) { p.Flags = 4; }), "19410806", "090507", "0530W",
         4852, -220},
        {"all flags, unknown bits ignored", with([](auto &p) { p.Flags = 0xFF; }), "19410806",
         "090507", "0530W", -4852, 220},
        {"limits of the fields", with([](auto &p) {
             p.Year = 2099, p.Month = 12, p.Day = 31, p.Hour = 23, p.Minute = 59, p.Second = 59;
             p.ZoneHours = 23, p.ZoneMinutes = 59, p.LatDegrees = 89, p.LatMinutes = 59;
             p.LonDegrees = 180, p.LonMinutes = 0;
         }),
         "20991231", "235959", "2359E", 8959, -18000},
        {"lowest values", with([](auto &p) {
             p.Year = 1500, p.Month = 1, p.Day = 1, p.Hour = 0, p.Minute = 0, p.Second = 0;
             p.ZoneHours = 0, p.ZoneMinutes = 0, p.LatDegrees = 0, p.LatMinutes = 0;
             p.LonDegrees = 0, p.LonMinutes = 0, p.Flags = 7;
         }),
         "15000101", "000000", "0000W", 0, 0},
        {"29 February of a leap year",
         with([](auto &p) { p.Year = 2000, p.Month = 2, p.Day = 29; }), "20000229", "090507",
         "0530E", 4852, -220},
    };
    for (const auto &c : cases) {
        TImportRecord record;
        ASSERT_EQ(TImportRecordKind::Valid, Decode(c.parts, record)) << c.what;
        EXPECT_EQ(c.date, record.BirthDate) << c.what;
        EXPECT_EQ(c.time, record.BirthTime) << c.what;
        EXPECT_EQ(c.zone, record.TimeZone) << c.what;
        EXPECT_EQ(c.latitude, record.Latitude) << c.what;
        EXPECT_EQ(c.longitude, record.Longitude) << c.what;
    }
}

TEST(ImportRecord, ValuesOutsideTheNameFieldsAreRefused) {
    // Each would otherwise be stored cut off or as a date or angle the chart refuses. The bytes
    // are set directly: offset and value.
    struct Case {
        const char *what;
        std::vector<std::pair<int, int>> bytes;
    };
    const std::vector<Case> cases = {
        {"day 0", {{21, 0}}},
        {"31 April", {{21, 31}, {22, 4}}},
        {"29 Feb 1900", {{21, 29}, {22, 2}, {23, 19}, {24, 0}}},
        {"month 0", {{22, 0}}},
        {"month 13", {{22, 13}}},
        {"year 1499", {{23, 14}, {24, 99}}},
        {"year 2100", {{23, 21}, {24, 0}}},
        {"century 255", {{23, 255}}},
        {"year in century 100", {{23, 19}, {24, 100}}},
        {"hour 24", {{25, 24}}},
        {"minute 60", {{26, 60}}},
        {"second 60", {{27, 60}}},
        {"zone hours 24", {{28, 24}}},
        {"zone minutes 60", {{29, 60}}},
        {"latitude 90", {{30, 90}}},
        {"latitude minutes 60", {{31, 60}}},
        {"longitude 180°01'", {{32, 180}, {33, 1}}},
        {"longitude 181", {{32, 181}}},
        {"longitude minutes 60", {{33, 60}}},
    };
    std::vector<Case> all = cases;
    Case everything{"every number byte 255", {}};
    for (int offset = 21; offset <= 34; ++offset)
        everything.bytes.emplace_back(offset, 255);
    all.push_back(everything);
    for (const auto &c : all) {
        const std::string bytes = RecordBytes(TRecordParts{});
        std::array<std::uint8_t, ImportRecordSize> raw{};
        std::copy(bytes.begin(), bytes.end(), raw.begin());
        for (const auto &[offset, value] : c.bytes)
            raw[offset] = static_cast<std::uint8_t>(value);
        TImportRecord record;
        EXPECT_EQ(TImportRecordKind::InvalidData, DecodeImportRecord(raw, record)) << c.what;
    }
}

TEST(ImportRecord, OnlyTheDoubleQuoteStartsARecord) {
    for (const char lead : {'\'', ' ', '\0', 'J', '#'}) {
        TRecordParts parts;
        parts.Lead = lead;
        TImportRecord record;
        EXPECT_EQ(TImportRecordKind::NotANameRecord, Decode(parts, record)) << int(lead);
    }
}

// --- whole files -----------------------------------------------------------------------------

TRecordParts Person(const std::string &name, int day = 6) {
    TRecordParts parts;
    parts.Name = name;
    parts.Day = day;
    return parts;
}

TImportedRow Row(const std::string &first, const std::string &last, const std::string &date,
                 const std::string &time = "090507") {
    return {first, last, date, time, "0530E", "+0000", 4852, -220};
}

class ImportFile : public ::testing::Test, public TImportTablesFixture {};

TEST_F(ImportFile, WritesPersonsAndTheirGroup) {
    TImportOptions options;
    options.GroupName = "Friends";
    const TImportResult result =
        Import(FileOf({Person("John Smith"), Person("Ann Lee", 7), Person("Bob Ray", 8)}), options);
    EXPECT_EQ(3, result.Count);
    EXPECT_EQ(TImportEnd::EndOfFile, result.End);
    EXPECT_EQ(3, result.RecordsRead);
    EXPECT_EQ(
        (std::vector<TImportedRow>{Row("Ann", "Lee", "19410807"), Row("Bob", "Ray", "19410808"),
                                   Row("John", "Smith", "19410806")}),
        NameRows());
    EXPECT_EQ(std::vector<std::string>{"Friends"}, GroupRows());
    EXPECT_EQ(3u, MemberRows().size());
    // The fields the import does not know stay empty in new records.
    Names->FindKey({"John", "Smith"});
    EXPECT_TRUE(Names->FieldByName("BirthTown").IsNull());
    EXPECT_FALSE(Names->FieldByName("TimeUnknown").AsBoolean());
}

TEST_F(ImportFile, ExistingPersonsAreLeftAloneUnlessOverwriting) {
    const std::string file = FileOf({Person("John Smith"), Person("Ann Lee", 7)});
    ASSERT_EQ(2, Import(file).Count);
    // Something the import does not write, to see that overwriting keeps it.
    ASSERT_TRUE(Names->FindKey({"John", "Smith"}));
    Names->Edit();
    Names->FieldByName("BirthTown").SetAsString("Paris");
    Names->Post();

    const TImportResult again = Import(file);
    EXPECT_EQ(0, again.Count);
    EXPECT_EQ(2, again.SkippedExisting);
    EXPECT_EQ(2u, NameRows().size());

    TImportOptions overwrite;
    overwrite.Overwrite = true;
    const TImportResult changed =
        Import(FileOf({Person("John Smith", 20), Person("JOHN SMITH", 21)}), overwrite);
    EXPECT_EQ(2, changed.Count);
    const auto rows = NameRows();
    ASSERT_EQ(2u, rows.size()); // the key compares without regard to case
    EXPECT_EQ(Row("JOHN", "SMITH", "19410821"), rows[1]);
    ASSERT_TRUE(Names->FindKey({"John", "Smith"}));
    EXPECT_EQ("Paris", Names->FieldByName("BirthTown").AsString());
}

TEST_F(ImportFile, TheGroupComesOnlyWithTheFirstWrittenPerson) {
    TImportOptions options;
    options.GroupName = "Family";
    // Nothing written: no group, no membership.
    EXPECT_EQ(0, Import(FileOf({Person("Madonna"), Person("Bad Day", 32)}), options).Count);
    EXPECT_TRUE(GroupRows().empty());
    EXPECT_TRUE(MemberRows().empty());

    // The group exists already: it is used, not written twice; a membership is not doubled.
    Groups->AppendRecord({"Family"});
    Members->AppendRecord({"John", "Smith", "Family"});
    TImportOptions overwrite = options;
    overwrite.Overwrite = true;
    EXPECT_EQ(1, Import(FileOf({Person("John Smith")}), overwrite).Count);
    EXPECT_EQ(std::vector<std::string>{"Family"}, GroupRows());
    EXPECT_EQ(1u, MemberRows().size());
}

TEST_F(ImportFile, AnOverlongGroupNameIsCutBeforeItIsLookedUp) {
    // The table keeps 48 characters. Were the look-ups not cut the same way, the next import
    // into the group would find neither the group nor a membership and write them again under
    // the same key.
    TImportOptions options;
    options.GroupName = std::string(60, 'G');
    options.Overwrite = true;
    for (const auto &file : {FileOf({Person("John Smith"), Person("Ann Lee")}),
                             FileOf({Person("John Smith"), Person("Eve Moss")})}) {
        const TImportResult result = Import(file, options);
        EXPECT_EQ(TImportEnd::EndOfFile, result.End) << result.ErrorText;
        EXPECT_EQ(2, result.Count);
    }
    EXPECT_EQ(std::vector<std::string>{std::string(48, 'G')}, GroupRows());
    EXPECT_EQ(3u, MemberRows().size());
}

TEST_F(ImportFile, BadRecordsStopOrAreSkippedAsTheirKindSays) {
    struct Case {
        const char *what;
        std::string file;
        TImportEnd end;
        int count;
        std::vector<std::string> lastNames; // in NAME afterwards
        long long noBlank = 0, notText = 0, invalid = 0;
        std::size_t trailing = 0;
    };
    TRecordParts noQuote = Person("Eve Moss");
    noQuote.Lead = 'X';
    TRecordParts badDate = Person("Bad Day", 31);
    badDate.Month = 2;
    const std::string two = FileOf({Person("John Smith"), Person("Ann Lee")});
    const std::vector<Case> cases = {
        {"empty file", "", TImportEnd::EndOfFile, 0, {}},
        {"one record cut short",
         RecordBytes(Person("John Smith")).substr(0, 34),
         TImportEnd::IncompleteRecord,
         0,
         {},
         0,
         0,
         0,
         34},
        {"whole records, then a cut one",
         two + RecordBytes(Person("Eve Moss")).substr(0, 20),
         TImportEnd::IncompleteRecord,
         2,
         {"Lee", "Smith"},
         0,
         0,
         0,
         20},
        {"a record without its quote ends the import",
         FileOf({Person("John Smith"), noQuote, Person("Ann Lee")}),
         TImportEnd::NotANameRecord,
         1,
         {"Smith"}},
        {"a text file",
         "John Smith, 6 Aug 1941, 09:05, Paris\n" + std::string(40, 'x'),
         TImportEnd::NotANameRecord,
         0,
         {}},
        {"skipped records do not stop the import",
         FileOf({Person("Madonna"), Person(std::string("Jo\0n Smith", 10)), badDate,
                 Person("Ann Lee")}),
         TImportEnd::EndOfFile,
         1,
         {"Lee"},
         1,
         1,
         1},
        {"a record of zero bytes", std::string(35, '\0'), TImportEnd::NotANameRecord, 0, {}},
        {"a quote and nothing but blanks",
         "\"" + std::string(34, ' '),
         TImportEnd::EndOfFile,
         0,
         {},
         1},
    };
    for (const auto &c : cases) {
        TImportTablesFixture tables;
        const TImportResult result = tables.Import(c.file);
        EXPECT_EQ(c.end, result.End) << c.what;
        EXPECT_EQ(c.count, result.Count) << c.what;
        EXPECT_EQ(c.noBlank, result.SkippedNoBlank) << c.what;
        EXPECT_EQ(c.notText, result.SkippedNotText) << c.what;
        EXPECT_EQ(c.invalid, result.SkippedInvalid) << c.what;
        EXPECT_EQ(c.trailing, result.TrailingBytes) << c.what;
        std::vector<std::string> lastNames;
        for (const auto &row : tables.NameRows())
            lastNames.push_back(row.LastName);
        EXPECT_EQ(c.lastNames, lastNames) << c.what;
    }
}

TEST_F(ImportFile, AFileLargerThanTheLimitIsRefusedBeforeReading) {
    // Four gigabytes, sparse: nothing of it may be read or written.
    const std::string path = Dir.Path() + "huge.dat";
    {
        std::ofstream out(path, std::ios::binary);
        out << RecordBytes(Person("John Smith"));
    }
    std::filesystem::resize_file(path, 4ULL << 30);
    std::ifstream in(path, std::ios::binary);
    const TImportResult result = ImportNames(in, Tables(), {});
    EXPECT_EQ(TImportEnd::TooLarge, result.End);
    EXPECT_EQ(0, result.RecordsRead);
    EXPECT_EQ(DefaultMaxImportRecords, result.MaxRecords);
    EXPECT_TRUE(NameRows().empty());

    // Exactly at the limit is fine.
    TImportOptions options;
    options.MaxRecords = 3;
    EXPECT_EQ(TImportEnd::EndOfFile,
              Import(FileOf({Person("A B"), Person("C D"), Person("E F")}), options).End);
}

// An endless stream of valid records with no size to ask for, as from a pipe.
class TEndlessRecords : public std::streambuf {
public:
    TEndlessRecords() {
        for (int i = 0; i < 64; ++i)
            Buffer += RecordBytes(Person("P" + std::to_string(i) + " Q", 1 + i % 28));
        setg(Buffer.data(), Buffer.data(), Buffer.data() + Buffer.size());
    }

protected:
    int_type underflow() override {
        setg(Buffer.data(), Buffer.data(), Buffer.data() + Buffer.size());
        return traits_type::to_int_type(Buffer[0]);
    }

private:
    std::string Buffer;
};

TEST_F(ImportFile, AStreamOfUnknownSizeStopsAtTheLimit) {
    TEndlessRecords source;
    std::istream in(&source);
    TImportOptions options;
    options.MaxRecords = 50;
    options.BatchSize = 7;
    const TImportResult result = ImportNames(in, Tables(), options);
    EXPECT_EQ(TImportEnd::TooLarge, result.End);
    EXPECT_EQ(50, result.RecordsRead);
    // Names repeat every 64 records, so all 50 are new.
    EXPECT_EQ(50, result.Count);
    EXPECT_EQ(50u, NameRows().size());
}

TEST_F(ImportFile, CancellingKeepsTheWholeRecordsWrittenSoFar) {
    std::vector<TRecordParts> people;
    for (int i = 0; i < 10; ++i)
        people.push_back(Person("P" + std::to_string(i) + " Q"));
    TImportOptions options;
    options.GroupName = "G";
    options.BatchSize = 3;
    std::vector<std::pair<long long, long long>> progress;
    options.OnProgress = [&progress](long long done, long long total) {
        progress.emplace_back(done, total);
    };
    options.Cancelled = [&progress] { return progress.size() == 5; };
    const TImportResult result = Import(FileOf(people), options);
    EXPECT_EQ(TImportEnd::Cancelled, result.End);
    EXPECT_EQ(5, result.Count);
    EXPECT_EQ(5u, NameRows().size());
    EXPECT_EQ(5u, MemberRows().size());
    EXPECT_EQ((std::pair<long long, long long>{1, 10}), progress.front());
    EXPECT_EQ((std::pair<long long, long long>{5, 10}), progress.back());
    EXPECT_FALSE(Names->InTransaction());
}

TEST_F(ImportFile, AFailedWriteRollsBackTheOpenBatchWhole) {
    std::vector<TRecordParts> people;
    for (int i = 0; i < 6; ++i)
        people.push_back(Person("P" + std::to_string(i) + " Q"));
    TImportOptions options;
    options.GroupName = "G";
    options.BatchSize = 2;
    int asked = 0;
    // After the first batch (two persons) and one more person, the membership table goes away.
    options.Cancelled = [&] {
        if (++asked == 4)
            Members->Close();
        return false;
    };
    const TImportResult result = Import(FileOf(people), options);
    EXPECT_EQ(TImportEnd::WriteError, result.End);
    EXPECT_FALSE(result.ErrorText.empty());
    EXPECT_EQ(2, result.Count);
    const auto rows = NameRows();
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ("P0", rows[0].FirstName);
    EXPECT_EQ("P1", rows[1].FirstName);
    EXPECT_FALSE(Names->InTransaction());
    EXPECT_EQ(TTableState::Browse, Names->State());
    Members->Open();
    EXPECT_EQ(2u, MemberRows().size());
    EXPECT_EQ(std::vector<std::string>{"G"}, GroupRows());
}

TEST_F(ImportFile, TheIndexesOfTheSharedTablesComeBack) {
    Members->SetIndexName("Group");
    TImportOptions options;
    options.GroupName = "G";
    ASSERT_EQ(1, Import(FileOf({Person("John Smith")}), options).Count);
    EXPECT_EQ("Group", Members->IndexName());
    EXPECT_EQ("", Names->IndexName());
}

TEST_F(ImportFile, AFileThatCannotBeOpenedWritesNothing) {
    TDataCollection data;
    data.SetDirectory(Dir.Path());
    for (const std::string &missing : {Dir.Path() + "no-such-file.dat", Dir.Path()}) {
        const TImportResult result = ImportNames(missing, data, {});
        EXPECT_EQ(TImportEnd::CannotOpen, result.End) << missing;
        EXPECT_EQ(missing, result.ErrorText);
        EXPECT_EQ(0, result.Count);
    }
}

// --- messages ------------------------------------------------------------------------------------

class ImportMessagesTest : public ::testing::Test {
protected:
    ImportMessagesTest() {
        SetProgramDirectory(KYR_PROGRAM_DIR);
        Language.SetCountry("UK");
        Language.SetActive(true);
    }
    ~ImportMessagesTest() override { SetProgramDirectory(""); }
    TLanguage Language;
};

TEST_F(ImportMessagesTest, EachEndHasItsMessageAndTheCountComesLast) {
    TImportResult result;
    result.Count = 2;
    struct Case {
        TImportEnd end;
        std::string stop;
    };
    result.TrailingBytes = 20;
    result.MaxRecords = 100;
    result.ErrorText = "disk full";
    const std::vector<Case> cases = {
        {TImportEnd::EndOfFile, ""},
        {TImportEnd::NotANameRecord,
         "The import stopped after 2 names: the file contains a record that is not a name "
         "record."},
        {TImportEnd::IncompleteRecord,
         "The file ends with an incomplete record of 20 bytes; it was not imported."},
        {TImportEnd::TooLarge,
         "The file is too large for a name file: it may hold at most 100 records."},
        {TImportEnd::Cancelled, "The import was cancelled."},
        {TImportEnd::ReadError, "The file could not be read to its end."},
        {TImportEnd::WriteError, "The names could not be saved: disk full"},
    };
    for (const auto &c : cases) {
        result.End = c.end;
        const TImportMessages messages = ImportMessages(result, Language);
        EXPECT_EQ(c.stop, messages.Stop) << static_cast<int>(c.end);
        EXPECT_EQ("2 names imported.", messages.Summary);
    }

    result.End = TImportEnd::EndOfFile;
    result.SkippedExisting = 3;
    result.SkippedInvalid = 1;
    result.SkippedNoBlank = 4; // skipped without a word
    EXPECT_EQ("2 names imported.\nNames left unchanged because they exist already: 3\n"
              "Records skipped because their birth date, time, zone or coordinates are not "
              "valid: 1",
              ImportMessages(result, Language).Summary);
}

TEST(ImportMessagesFallback, WithoutTheFormatTheTwoFragmentsFrameTheCount) {
    TLanguage language;
    language.OnGetTokens = [](TLanguage &, const std::string &, std::string &stream) {
        stream = "342=\"Stopped after \"\n343=\" names.\"\n347=\" imported.\"\n";
    };
    SetProgramDirectory("/nonexistent/");
    language.SetCountry("ZZ");
    language.SetActive(true);
    SetProgramDirectory("");
    TImportResult result;
    result.Count = 4;
    result.End = TImportEnd::NotANameRecord;
    EXPECT_EQ("Stopped after 4 names.", ImportMessages(result, language).Stop);
    EXPECT_EQ("4 imported.", ImportMessages(result, language).Summary);
}

// --- the sample file -----------------------------------------------------------------------------

TEST(SampleFile, ImportsTwelveWellKnownBirths) {
    const std::string path = std::string(KYR_PROGRAM_DIR) + "/Samples/famous-births.dat";
    ASSERT_TRUE(std::filesystem::exists(path)) << "the build copies the sample to " << path;
    TImportTablesFixture tables;
    std::ifstream in(path, std::ios::binary);
    TImportOptions options;
    options.GroupName = "Samples";
    const TImportResult result = ImportNames(in, tables.Tables(), options);
    EXPECT_EQ(TImportEnd::EndOfFile, result.End);
    EXPECT_EQ(12, result.Count);
    EXPECT_EQ(12, result.RecordsRead);

    const std::vector<TImportedRow> expected = {
        {"Albert", "Einstein", "18790314", "113000", "0040E", "+0000", 4824, -959},
        {"Carl", "Jung", "18750726", "193200", "0037E", "+0000", 4736, -919},
        {"Ernest", "Hemingway", "18990721", "080000", "0600W", "+0000", 4153, 8747},
        {"Franklin", "Roosevelt", "18820130", "204500", "0456W", "+0000", 4147, 7356},
        {"Hermann", "Hesse", "18770702", "183000", "0035E", "+0000", 4843, -844},
        {"Johann", "Goethe", "17490828", "120000", "0035E", "+0000", 5007, -841},
        {"John", "Kennedy", "19170529", "150000", "0500W", "+0000", 4220, 7107},
        {"Pablo", "Picasso", "18811025", "231500", "0018W", "+0000", 3643, 425},
        {"Sigmund", "Freud", "18560506", "183000", "0113E", "+0000", 4938, -1809},
        {"Winston", "Churchill", "18741130", "013000", "0000E", "+0000", 5150, 122},
        {"Wolfgang", "Mozart", "17560127", "200000", "0052E", "+0000", 4748, -1302},
        // "É" is two bytes above every ASCII letter in UTF-8, and sorts last
        {"Édith", "Piaf", "19151219", "050000", "0000E", "+0000", 4852, -224},
    };
    EXPECT_EQ(expected, tables.NameRows());
    EXPECT_EQ(std::vector<std::string>{"Samples"}, tables.GroupRows());
    EXPECT_EQ(12u, tables.MemberRows().size());
}


// --- places of imported persons --------------------------------------------------------------

// The delivered atlas, copied so that nothing here opens the build's own tables.
class ImportPlaces : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char *table : {"PLACES.DAT", "STATES.DAT"})
            std::filesystem::copy_file(std::string(KYR_PROGRAM_DIR) + "/Data/" + table,
                                       Dir.Path() + table);
        for (const char *table : {"NAME", "GROUPS", "NAMEGRPS"})
            CreateTable(Dir.Path(), table);
        Data.SetDirectory(Dir.Path());
        for (TKyrTable *table : {&Data.NameTable, &Data.GroupsTable, &Data.NameGroupsTable,
                                 &Data.PlacesTable, &Data.StatesTable})
            table->Open();
    }

    std::pair<std::string, std::string> PlaceOf(const std::string &first,
                                                const std::string &last) {
        EXPECT_TRUE(Data.NameTable.FindKey({first, last})) << first << " " << last;
        return {Data.NameTable.FieldByName("BirthCountry").AsString(),
                Data.NameTable.FieldByName("BirthTown").AsString()};
    }

    TScratchDir Dir;
    TDataCollection Data;
};

TEST_F(ImportPlaces, APersonGetsTheNearestAtlasPlaceWithin25Km) {
    TRecordParts ulm = Person("Albert Einstein"); // 48°24' N, 9°59' E
    ulm.LatDegrees = 48, ulm.LatMinutes = 24, ulm.LonDegrees = 9, ulm.LonMinutes = 59;
    TRecordParts sea = Person("Nobody Atsea"); // the middle of the North Atlantic
    sea.LatDegrees = 35, sea.LatMinutes = 0, sea.LonDegrees = 40, sea.LonMinutes = 0;
    sea.Flags = ImportLongitudeWest;
    const std::string path = Dir.Path() + "persons.dat";
    std::ofstream(path, std::ios::binary) << FileOf({ulm, sea});

    const TImportResult result = ImportNames(path, Data, {});
    EXPECT_EQ(2, result.Count);
    EXPECT_EQ(PlaceOf("Albert", "Einstein"), std::make_pair(std::string("Germany"), std::string("Ulm")));
    EXPECT_EQ(PlaceOf("Nobody", "Atsea"), std::make_pair(std::string(), std::string()));
}

TEST_F(ImportPlaces, FindsThePlacesOfTheAtlas) {
    // Coordinates as the tables hold them: ±(degrees·100 + minutes), north and west positive.
    const struct {
        long long Latitude, Longitude;
        const char *State, *Place; ///< empty: none within 25 km
    } cases[] = {
        {4824, -959, "Germany", "Ulm"},
        {5131, 8, "United Kingdom", "London"},
        {3500, 4000, "", ""},
        {-9000, 0, "", ""}, // the South Pole
    };
    const TPlaceFinder finder(Data);
    for (const auto &c : cases) {
        const auto near = finder.Nearest(c.Latitude, c.Longitude);
        EXPECT_EQ(near ? near->StateName : "", c.State) << c.Latitude << " " << c.Longitude;
        EXPECT_EQ(near ? near->PlaceName : "", c.Place) << c.Latitude << " " << c.Longitude;
    }
}

TEST(PlaceFinder, TheLimitIsTheGreatCircleDistance) {
    TScratchDir dir;
    MakeOpenTable(dir.Path(), "STATES")->AppendRecord({std::string("1001"), std::string("Sea")});
    auto places = MakeOpenTable(dir.Path(), "PLACES");
    // 12' of latitude are 22.2 km; 2' of longitude on the equator 3.7 km, across 180°.
    places->AppendRecord({std::string("1001"), std::string("North"), 12LL, 0LL});
    places->AppendRecord({std::string("1001"), std::string("Dateline"), 0LL, 17959LL});
    places.reset();
    TDataCollection data;
    data.SetDirectory(dir.Path());
    data.StatesTable.Open();
    data.PlacesTable.Open();
    const TPlaceFinder finder(data);
    const struct {
        long long Latitude, Longitude;
        const char *Place;
    } cases[] = {
        {0, 0, "North"},       // 22.2 km
        {-2, 0, ""},           // 25.9 km
        {100, 6000, ""},       // same latitude band, far in longitude
        {0, -17959, "Dateline"}, // 179°59' E against 179°59' W
    };
    for (const auto &c : cases) {
        const auto near = finder.Nearest(c.Latitude, c.Longitude);
        EXPECT_EQ(near ? near->PlaceName : "", c.Place) << c.Latitude << " " << c.Longitude;
    }
}

} // namespace
} // namespace kyr::test
