// Name files from a seeded random generator: valid records, then cut, flipped, shifted, robbed of
// their quote, filled with control bytes or repeated past the size limit. After every input the
// tables must hold only whole, well-formed persons, memberships of existing persons in existing
// groups, and as many new persons as the import reports. The seed is printed; a failure names
// the input's number, so that it can be replayed.

#include "ImportTestSupport.h"
#include "NameImport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <streambuf>

namespace kyr::test {
namespace {

constexpr unsigned Seed = 20261210;
constexpr int Inputs = 3000;
// Fresh tables every so many inputs keep the checks of every row cheap.
constexpr int InputsPerTables = 40;
// Small, so that "huge" inputs reach it.
constexpr long long MaxRecords = 24;

using TRandom = std::mt19937;

int Uniform(TRandom &random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

bool Chance(TRandom &random, double p) {
    return std::bernoulli_distribution(p)(random);
}

TRecordParts RandomPerson(TRandom &random) {
    // A small name pool, so that persons repeat within and across inputs.
    static const std::vector<std::string> firsts = {"John",
                                                    "Ann",
                                                    "Ren\x82",
                                                    "\x90"
                                                    "dith",
                                                    "Bo",
                                                    "Mary"};
    static const std::vector<std::string> lasts = {"Smith", "Lee",      "M\x81ller",
                                                   "Ray",   "van Dijk", "O'Neil"};
    TRecordParts p;
    p.Name = firsts[Uniform(random, 0, 5)] + " " + lasts[Uniform(random, 0, 5)];
    p.Year = Uniform(random, 1500, 2099);
    p.Month = Uniform(random, 1, 12);
    p.Day = Uniform(random, 1, 28);
    p.Hour = Uniform(random, 0, 23);
    p.Minute = Uniform(random, 0, 59);
    p.Second = Uniform(random, 0, 59);
    p.ZoneHours = Uniform(random, 0, 12);
    p.ZoneMinutes = Uniform(random, 0, 59);
    p.LatDegrees = Uniform(random, 0, 89);
    p.LatMinutes = Uniform(random, 0, 59);
    p.LonDegrees = Uniform(random, 0, 179);
    p.LonMinutes = Uniform(random, 0, 59);
    p.Flags = Uniform(random, 0, 7);
    return p;
}

std::string Mutate(TRandom &random, std::string file) {
    const int mutations = Uniform(random, 0, 3);
    for (int m = 0; m < mutations; ++m) {
        switch (Uniform(random, 0, 7)) {
        case 0: // truncate
            file.resize(Uniform(random, 0, static_cast<int>(file.size())));
            break;
        case 1: // flip bits
            for (int k = Uniform(random, 1, 4); k > 0 && !file.empty(); --k)
                file[Uniform(random, 0, static_cast<int>(file.size()) - 1)] ^=
                    static_cast<char>(Uniform(random, 1, 255));
            break;
        case 2: // a record loses its quote
            if (file.size() >= ImportRecordSize) {
                const int records = static_cast<int>(file.size() / ImportRecordSize);
                char &lead = file[Uniform(random, 0, records - 1) * ImportRecordSize];
                lead = static_cast<char>(Uniform(random, 0, 255));
                if (lead == '"')
                    lead = '\'';
            }
            break;
        case 3: // a byte too many or too few: every later record is shifted
            if (!file.empty()) {
                const int at = Uniform(random, 0, static_cast<int>(file.size()) - 1);
                if (Chance(random, 0.5))
                    file.erase(at, 1);
                else
                    file.insert(file.begin() + at, static_cast<char>(Uniform(random, 0, 255)));
            }
            break;
        case 4: // control bytes in a name
            if (file.size() >= ImportRecordSize)
                file[Uniform(random, 1, 20)] = static_cast<char>(Uniform(random, 0, 31));
            break;
        case 5: // huge: the content repeated past the limit
            if (!file.empty()) {
                const std::string once = file;
                while (file.size() <= static_cast<size_t>(MaxRecords + 3) * ImportRecordSize)
                    file += once;
            }
            break;
        case 6: // numbers at their extremes
            if (file.size() >= ImportRecordSize)
                file[Uniform(random, 21, 34)] =
                    static_cast<char>(Chance(random, 0.5) ? 0 : Uniform(random, 60, 255));
            break;
        case 7: // random bytes
            file += std::string(Uniform(random, 1, 80), '\0');
            for (size_t i = file.size() - 1; i > 0 && Chance(random, 0.95); --i)
                file[i] = static_cast<char>(Uniform(random, 0, 255));
            break;
        }
    }
    return file;
}

// A stream that cannot tell its size, as a pipe.
class TUnseekable : public std::streambuf {
public:
    explicit TUnseekable(std::string text) : Text(std::move(text)) {
        setg(Text.data(), Text.data(), Text.data() + Text.size());
    }

private:
    std::string Text;
};

bool IsDigits(const std::string &s, size_t from, size_t count) {
    if (s.size() < from + count)
        return false;
    for (size_t i = from; i < from + count; ++i)
        if (s[i] < '0' || s[i] > '9')
            return false;
    return true;
}

int Number(const std::string &s, size_t from, size_t count) {
    return std::stoi(s.substr(from, count));
}

// UTF-8 without control characters and not empty.
bool IsNameText(const std::string &s) {
    if (s.empty())
        return false;
    for (size_t i = 0; i < s.size();) {
        const auto lead = static_cast<unsigned char>(s[i]);
        if (lead < 0x20 || lead == 0x7F)
            return false;
        const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if (lead >= 0x80 && lead < 0xC0)
            return false;
        if (i + length > s.size())
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

std::string AsciiLower(std::string s) {
    for (char &c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// Why a row is not a whole imported person, or empty.
std::string RowProblem(const TImportedRow &r) {
    static const int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (!IsNameText(r.FirstName) || r.FirstName.find(' ') != std::string::npos)
        return "first name";
    if (!IsNameText(r.LastName))
        return "last name";
    if (r.BirthDate.size() != 8 || !IsDigits(r.BirthDate, 0, 8))
        return "date digits";
    const int y = Number(r.BirthDate, 0, 4), m = Number(r.BirthDate, 4, 2),
              d = Number(r.BirthDate, 6, 2);
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (y < 1500 || y > 2099 || m < 1 || m > 12 || d < 1 ||
        d > (m == 2 && !leap ? 28 : days[m - 1]))
        return "date";
    if (r.BirthTime.size() != 6 || !IsDigits(r.BirthTime, 0, 6) || Number(r.BirthTime, 0, 2) > 23 ||
        Number(r.BirthTime, 2, 2) > 59 || Number(r.BirthTime, 4, 2) > 59)
        return "time";
    if (r.TimeZone.size() != 5 || !IsDigits(r.TimeZone, 0, 4) || Number(r.TimeZone, 0, 2) > 23 ||
        Number(r.TimeZone, 2, 2) > 59 || (r.TimeZone[4] != 'W' && r.TimeZone[4] != 'E'))
        return "zone";
    if (r.SummerTime != "+0000")
        return "summer time";
    const long long lat = r.Latitude < 0 ? -r.Latitude : r.Latitude;
    const long long lon = r.Longitude < 0 ? -r.Longitude : r.Longitude;
    if (lat > 8959 || lat % 100 > 59 || lon > 18000 || lon % 100 > 59)
        return "coordinates";
    return {};
}

TEST(ImportFuzz, MutatedFilesLeaveOnlyWholeRecordsAndConsistentTables) {
    TRandom random(Seed);
    std::unique_ptr<TImportTablesFixture> tables;
    std::map<TImportEnd, int> ends;
    long long recordsRead = 0, written = 0;
    int tried = 0;
    for (int input = 0; input < Inputs; ++input) {
        if (input % InputsPerTables == 0)
            tables = std::make_unique<TImportTablesFixture>();
        std::string file;
        for (int n = Uniform(random, 0, 8); n > 0; --n)
            file += RecordBytes(RandomPerson(random));
        file = Mutate(random, file);

        static const std::vector<std::string> groups = {"", "", "Friends", "Family",
                                                        std::string(60, 'g')};
        TImportOptions options;
        options.GroupName = groups[Uniform(random, 0, 4)];
        options.Overwrite = Chance(random, 0.3);
        options.BatchSize = Uniform(random, 1, 6);
        options.MaxRecords = MaxRecords;
        const int cancelAt = Chance(random, 0.1) ? Uniform(random, 0, 6) : -1;
        int asked = 0;
        options.Cancelled = [&asked, cancelAt] { return asked++ == cancelAt; };

        const size_t rowsBefore = tables->NameRows().size();
        TImportResult result;
        if (Chance(random, 0.25)) {
            TUnseekable source(file);
            std::istream in(&source);
            result = ImportNames(in, tables->Tables(), options);
        } else {
            result = tables->Import(file, options);
        }
        ++tried;
        ++ends[result.End];
        recordsRead += result.RecordsRead;
        written += result.Count;

        SCOPED_TRACE("input " + std::to_string(input) + " of seed " + std::to_string(Seed));
        // Every record read is accounted for.
        const long long accounted = result.Count + result.SkippedExisting + result.SkippedNoBlank +
                                    result.SkippedNotText + result.SkippedInvalid +
                                    (result.End == TImportEnd::NotANameRecord ? 1 : 0);
        ASSERT_EQ(result.RecordsRead, accounted);
        ASSERT_LE(result.RecordsRead, static_cast<long long>(file.size() / ImportRecordSize));
        ASSERT_LE(result.RecordsRead, MaxRecords);
        ASSERT_NE(TImportEnd::WriteError, result.End) << result.ErrorText;
        if (result.End == TImportEnd::EndOfFile) {
            ASSERT_EQ(0u, file.size() % ImportRecordSize);
        }
        if (result.End == TImportEnd::IncompleteRecord) {
            ASSERT_EQ(file.size() % ImportRecordSize, result.TrailingBytes);
        }

        // The tables: whole rows only, as many new ones as reported, memberships that hold.
        const auto rows = tables->NameRows();
        if (options.Overwrite) {
            ASSERT_LE(rows.size() - rowsBefore, static_cast<size_t>(result.Count));
        } else {
            ASSERT_EQ(rows.size() - rowsBefore, static_cast<size_t>(result.Count));
        }
        std::set<std::pair<std::string, std::string>> persons;
        for (const auto &row : rows) {
            ASSERT_EQ("", RowProblem(row)) << row;
            persons.emplace(AsciiLower(row.FirstName), AsciiLower(row.LastName));
        }
        const auto groupRows = tables->GroupRows();
        const std::set<std::string> groupSet(groupRows.begin(), groupRows.end());
        for (const auto &[first, last, group] : tables->MemberRows()) {
            // Keys compare without regard to the case of ASCII letters, as the store does.
            ASSERT_TRUE(persons.count({AsciiLower(first), AsciiLower(last)}))
                << first << " " << last;
            ASSERT_TRUE(groupSet.count(group)) << group;
        }
        for (TKyrTable *table :
             {tables->Names.get(), tables->Groups.get(), tables->Members.get()}) {
            ASSERT_FALSE(table->InTransaction());
            ASSERT_EQ(TTableState::Browse, table->State());
        }
    }
    std::printf("[ import fuzz ] seed %u: %d inputs tried, %lld records read, %lld persons "
                "written\n",
                Seed, tried, recordsRead, written);
    for (const auto &[end, count] : ends)
        std::printf("[ import fuzz ]   end %d: %d inputs\n", static_cast<int>(end), count);
    EXPECT_EQ(Inputs, tried);
    // The generator must reach the ends that matter, or it tests less than it claims.
    for (const TImportEnd end :
         {TImportEnd::EndOfFile, TImportEnd::NotANameRecord, TImportEnd::IncompleteRecord,
          TImportEnd::TooLarge, TImportEnd::Cancelled})
        EXPECT_GT(ends[end], 0) << "end " << static_cast<int>(end) << " never reached";
}

} // namespace
} // namespace kyr::test
