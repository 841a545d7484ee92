#include "DataImport.h"

#include "KyrTable.h"
#include "OrbSets.h"
#include "SourceReaders.h"
#include "TableSchemas.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <unistd.h>
#include <zlib.h>

namespace fs = std::filesystem;

namespace kyr {

namespace {

// The help record that carries the language's captions and messages.
constexpr long long LanguageTextsHelpNo = 11000;

const char *const UserTables[] = {"NAME", "NAME1", "GROUPS", "NAMEGRPS"};
const char *const AtlasTables[] = {"STATES", "PLACES", "ZONEID", "ZONE", "SUMMERID", "SUMMER"};

std::ifstream OpenSource(const fs::path &path) {
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error(path.string() + ": cannot be read");
    return in;
}

// The source files of a folder in name order, so that imports are reproducible.
std::vector<fs::path> TextFiles(const fs::path &folder, const std::string &extension = ".txt") {
    std::vector<fs::path> files;
    if (fs::is_directory(folder))
        for (const auto &entry : fs::directory_iterator(folder))
            if (entry.is_regular_file() && entry.path().extension() == extension)
                files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// A source as text; gzip-compressed sources (.gz) are unpacked, others read as they are.
std::string ReadSourceText(const fs::path &path) {
    gzFile file = gzopen(path.c_str(), "rb");
    if (!file)
        throw std::runtime_error(path.string() + ": cannot be read");
    gzbuffer(file, 1 << 17);
    std::string text;
    char buffer[1 << 16];
    int n = 0;
    while ((n = gzread(file, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(n));
    // A truncated stream ends like a whole one; only the error state tells them apart.
    int error = Z_OK;
    const std::string message = gzerror(file, &error);
    gzclose(file);
    if (n < 0 || error != Z_OK)
        throw std::runtime_error(path.string() + ": cannot be unpacked (" + message + ")");
    return text;
}

std::string ReadBytes(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(path.string() + ": cannot be read");
    return {std::istreambuf_iterator<char>(in), {}};
}

// FNV-1a, 64 bits: enough to tell whether a file changed.
class THash {
public:
    void Add(const std::string &bytes) {
        for (const unsigned char c : bytes) {
            Value ^= c;
            Value *= 1099511628211ULL;
        }
    }
    std::string Text() const {
        char text[17];
        std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(Value));
        return text;
    }

private:
    std::uint64_t Value = 14695981039346656037ULL;
};

std::string FileHash(const fs::path &path) {
    THash hash;
    hash.Add(ReadBytes(path));
    return hash.Text();
}

// What the last import wrote into the atlas tables: the sources' hash and each table file's.
struct TAtlasStamp {
    bool Present = false;
    std::string Sources;
    std::map<std::string, std::string> Tables; ///< by table name
};

TAtlasStamp ReadAtlasStamp(const fs::path &path) {
    TAtlasStamp stamp;
    std::ifstream in(path);
    if (!in)
        return stamp;
    stamp.Present = true;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string key, value;
        if (line.empty() || line[0] == '#' || !(words >> key >> value))
            continue;
        if (key == "sources")
            stamp.Sources = value;
        else
            stamp.Tables[key] = value;
    }
    return stamp;
}

void WriteAtlasStamp(const fs::path &path, const TAtlasStamp &stamp) {
    const fs::path scratch = path.string() + ".new";
    {
        std::ofstream out(scratch);
        out << "# Written by kyr-import-data: the atlas sources the atlas tables were built from\n"
               "# and the table files as built, so that a later import can tell whether the\n"
               "# sources or the tables changed since.\n"
            << "sources " << stamp.Sources << '\n';
        for (const auto &[name, hash] : stamp.Tables)
            out << name << ' ' << hash << '\n';
        if (!out.flush())
            throw std::runtime_error(scratch.string() + ": cannot be written");
    }
    fs::rename(scratch, path);
}

TFieldValue Convert(const std::string &text, const TFieldDef &field, const std::string &where) {
    switch (field.Type) {
    case TFieldType::Integer:
        try {
            std::size_t used = 0;
            const long long value = std::stoll(text, &used);
            if (used == text.size())
                return value;
        } catch (const std::exception &) {
        }
        throw std::runtime_error(where + ": " + field.Name + " must be a whole number: " + text);
    case TFieldType::Boolean:
        if (text == "True" || text == "1")
            return true;
        if (text == "False" || text == "0")
            return false;
        throw std::runtime_error(where + ": " + field.Name + " must be True or False: " + text);
    default:
        return text;
    }
}

// A table being built in the scratch folder, moved into place at the end.
class TNewTable {
public:
    TNewTable(const fs::path &scratch, const std::string &name) : Name(name) {
        CreateTable(scratch.string() + "/", name);
        Table.SetDirectory(scratch.string() + "/");
        Table.SetTableName(name);
        Table.Open();
        Table.StartTransaction();
    }
    void Add(const std::vector<TFieldValue> &values) {
        Table.AppendRecord(values);
        ++Count;
    }
    void AddTexts(const std::vector<std::string> &texts, const std::string &where) {
        const TTableSchema &schema = *Table.Schema();
        if (texts.size() > schema.Fields.size())
            throw std::runtime_error(where + ": " + Name + " has only " +
                                     std::to_string(schema.Fields.size()) + " fields");
        std::vector<TFieldValue> values;
        for (std::size_t i = 0; i < texts.size(); ++i)
            values.push_back(Convert(texts[i], schema.Fields[i], where));
        Add(values);
    }
    int Finish() {
        Table.Commit();
        Table.Close();
        return Count;
    }
    const std::string Name;

private:
    TKyrTable Table;
    int Count = 0;
};

class TImporter {
public:
    TImporter(const TImportOptions &options, std::ostream &log)
        : Options(options), Source(options.SourceDir), Out(options.OutDir), Log(log) {
        fs::create_directories(Out);
        Scratch = Out / (".import-" + std::to_string(::getpid()));
        fs::remove_all(Scratch);
        fs::create_directories(Scratch);
    }
    ~TImporter() {
        std::error_code ignored;
        fs::remove_all(Scratch, ignored);
    }

    void Run() {
        for (const std::string &code : Languages())
            ImportLanguage(code);
        ImportOrbSets();
        for (const char *name : UserTables)
            if (Wanted(name)) {
                TNewTable table(Scratch, name);
                Done(table);
            }
        ImportAtlas();
        if (!AtlasBackup.empty()) {
            const fs::path folder = BackupFolder();
            fs::create_directories(folder);
            for (const auto &name : AtlasBackup)
                fs::rename(Out / (name + ".DAT"), folder / (name + ".DAT"));
            Log << "The atlas tables of before are kept in " << folder.string() << "\n";
        }
        for (const auto &name : Built)
            fs::rename(Scratch / (name + ".DAT"), Out / (name + ".DAT"));
        if (NewAtlasStamp)
            WriteAtlasStamp(Out / AtlasStampName, *NewAtlasStamp);
    }

private:
    // Languages named by a book folder, a help folder or a text file KYR_<code>.TXT.
    std::set<std::string> Languages() const {
        std::set<std::string> codes;
        for (const char *folder : {"books", "help", "synastry"})
            if (fs::is_directory(Source / folder))
                for (const auto &entry : fs::directory_iterator(Source / folder))
                    if (entry.is_directory())
                        codes.insert(entry.path().filename().string());
        if (fs::is_directory(Source / "language"))
            for (const auto &entry : fs::directory_iterator(Source / "language")) {
                const std::string name = entry.path().filename().string();
                if (name.size() == 10 && name.rfind("KYR_", 0) == 0 && name.substr(6) == ".TXT")
                    codes.insert(name.substr(4, 2));
            }
        return codes;
    }

    bool Wanted(const std::string &name) const {
        return Options.Fresh || !fs::exists(Out / (name + ".DAT"));
    }

    void Done(TNewTable &table) {
        const int count = table.Finish();
        Built.push_back(table.Name);
        Log << table.Name << ".DAT: " << count << " records\n";
    }

    void ImportPassages(const std::string &name, const fs::path &folder) {
        TNewTable table(Scratch, name);
        std::set<std::string> keys;
        for (const fs::path &file : TextFiles(folder)) {
            auto in = OpenSource(file);
            for (const TPassage &p : ReadPassages(in, file.string())) {
                if (!keys.insert(p.Book + p.Chapter + p.Code3 + p.Code4).second)
                    throw std::runtime_error(file.string() + ":" + std::to_string(p.Line) +
                                             ": this key is also in another file");
                table.Add({p.Book, p.Chapter, p.Code3, p.Code4, p.Attitude, p.Text});
            }
        }
        Done(table);
    }

    void ImportLanguage(const std::string &code) {
        ImportPassages("BOOK" + code, Source / "books" / code);
        ImportPassages("SYBOOK" + code, Source / "synastry" / code);

        TNewTable help(Scratch, "HELP" + code);
        std::set<long long> numbers;
        for (const fs::path &file : TextFiles(Source / "help" / code)) {
            auto in = OpenSource(file);
            for (const THelpText &h : ReadHelpTexts(in, file.string())) {
                if (!numbers.insert(h.HelpNo).second)
                    throw std::runtime_error(file.string() + ": help number " +
                                             std::to_string(h.HelpNo) + " is also in another file");
                help.Add({h.HelpNo, h.Text});
            }
        }
        const fs::path texts = Source / "language" / ("KYR_" + code + ".TXT");
        if (fs::exists(texts) && !numbers.count(LanguageTextsHelpNo)) {
            auto in = OpenSource(texts);
            help.Add({LanguageTextsHelpNo, std::string(std::istreambuf_iterator<char>(in), {})});
        }
        Done(help);

        TNewTable keywords(Scratch, "KHLP" + code);
        const fs::path keywordFile = Source / "keywords" / (code + ".txt");
        if (fs::exists(keywordFile)) {
            auto in = OpenSource(keywordFile);
            for (const TKeyword &k : ReadKeywords(in, keywordFile.string()))
                keywords.Add({k.KeyWord, k.HelpNo});
        }
        Done(keywords);
    }

    static std::vector<TFieldValue> OrbValues(const TOrbRow &row) {
        std::vector<TFieldValue> values{row.Name, static_cast<long long>(row.Point)};
        for (int degrees : row.Degrees)
            values.emplace_back(static_cast<long long>(degrees));
        return values;
    }

    static std::vector<std::string> SetNames(const std::vector<TOrbRow> &rows) {
        std::vector<std::string> names;
        for (const TOrbRow &row : rows)
            if (std::find(names.begin(), names.end(), row.Name) == names.end())
                names.push_back(row.Name);
        return names;
    }

    void ImportOrbSets() {
        const fs::path file = Source / "orbs.txt";
        auto in = OpenSource(file);
        const std::vector<TOrbRow> rows = ReadOrbSets(in);
        if (Wanted("ORBIS") || Wanted("ORBISDEF")) {
            TNewTable sets(Scratch, "ORBIS");
            for (const std::string &name : SetNames(rows))
                sets.Add({name, true});
            Done(sets);
            TNewTable orbs(Scratch, "ORBISDEF");
            for (const TOrbRow &row : rows)
                orbs.Add(OrbValues(row));
            Done(orbs);
            return;
        }
        RenewSystemOrbSets(rows);
    }

    // The user's own sets stay; the system sets are written anew, all in one transaction
    // per table, so that an interrupted import leaves the old sets.
    void RenewSystemOrbSets(const std::vector<TOrbRow> &rows) {
        const std::string dir = Out.string() + "/";
        TKyrTable sets("ORBIS", dir), orbs("ORBISDEF", dir);
        sets.Open();
        orbs.Open();
        sets.StartTransaction();
        orbs.StartTransaction();
        for (const std::string &name : SetNames(rows)) {
            while (orbs.FindKey({name}))
                orbs.Delete();
            if (sets.FindKey({name}))
                sets.Delete();
            sets.AppendRecord({name, true});
        }
        for (const TOrbRow &row : rows)
            orbs.AppendRecord(OrbValues(row));
        sets.Commit();
        orbs.Commit();
        Log << "ORBIS.DAT, ORBISDEF.DAT: system orb sets renewed\n";
    }

    // The atlas sources in name order: *.tsv, and *.tsv.gz compressed.
    std::vector<fs::path> AtlasSources() const {
        std::vector<fs::path> files = TextFiles(Source / "atlas", ".tsv");
        for (const fs::path &file : TextFiles(Source / "atlas", ".gz"))
            if (file.stem().extension() == ".tsv")
                files.push_back(file);
        std::sort(files.begin(), files.end());
        return files;
    }

    fs::path BackupFolder() const {
        fs::path folder = Out / "atlas-backup";
        for (int n = 2; fs::exists(folder); ++n)
            folder = Out / ("atlas-backup-" + std::to_string(n));
        return folder;
    }

    // Which atlas tables to build. The user edits the atlas, so an existing atlas is only
    // rebuilt when its sources changed and nobody changed the tables since the last import.
    std::vector<std::string> AtlasTablesToBuild(const std::string &sources,
                                                const TAtlasStamp &stamp) {
        std::vector<std::string> present, missing,
            all(std::begin(AtlasTables), std::end(AtlasTables));
        for (const std::string &name : all)
            (fs::exists(Out / (name + ".DAT")) ? present : missing).push_back(name);
        if (Options.Fresh || Options.RefreshAtlas || present.empty())
            return all;
        if (stamp.Present && stamp.Sources == sources)
            return missing;
        if (!stamp.Present) {
            // Made before imports kept a record: delivered data, but kept aside all the same.
            Log << "The atlas tables have no record of their sources: they are rebuilt\n";
            AtlasBackup = present;
            return all;
        }
        const bool asImported =
            std::all_of(present.begin(), present.end(), [&](const std::string &name) {
                const auto recorded = stamp.Tables.find(name);
                return recorded != stamp.Tables.end() &&
                       recorded->second == FileHash(Out / (name + ".DAT"));
            });
        if (asImported) {
            Log << "The atlas sources changed: the atlas tables are rebuilt\n";
            return all;
        }
        Log << "Warning: the atlas sources changed, but the atlas tables were changed after the "
               "last import and are kept; kyr-import-data --refresh-atlas replaces them\n";
        return missing;
    }

    void ImportAtlas() {
        const std::vector<fs::path> files = AtlasSources();
        THash sourcesHash;
        for (const fs::path &file : files) {
            sourcesHash.Add(file.filename().string() + '\n');
            sourcesHash.Add(ReadBytes(file));
        }
        const std::string sources = sourcesHash.Text();
        const TAtlasStamp stamp = ReadAtlasStamp(Out / AtlasStampName);
        const std::vector<std::string> wanted = AtlasTablesToBuild(sources, stamp);
        if (wanted.empty())
            return;

        TTableRows rows;
        for (const fs::path &file : files) {
            std::istringstream in(ReadSourceText(file));
            for (auto &[table, tableRows] : ReadTableRows(in, file.string())) {
                if (std::find(std::begin(AtlasTables), std::end(AtlasTables), table) ==
                    std::end(AtlasTables))
                    throw std::runtime_error(file.string() + ": not an atlas table: " + table);
                auto &all = rows[table];
                all.insert(all.end(), std::make_move_iterator(tableRows.begin()),
                           std::make_move_iterator(tableRows.end()));
            }
        }
        TAtlasStamp next = stamp;
        // Tables kept from other sources keep the record of those.
        if (!stamp.Present || wanted.size() == std::size(AtlasTables) || stamp.Sources == sources)
            next.Sources = sources;
        for (const std::string &name : wanted) {
            TNewTable table(Scratch, name);
            int row = 0;
            for (const auto &texts : rows[name])
                table.AddTexts(texts, "atlas table " + name + " row " + std::to_string(++row));
            Done(table);
            next.Tables[name] = FileHash(Scratch / (name + ".DAT"));
        }
        NewAtlasStamp = next;
    }

    const TImportOptions &Options;
    fs::path Source, Out, Scratch;
    std::ostream &Log;
    std::vector<std::string> Built;
    std::vector<std::string> AtlasBackup; ///< atlas tables to move aside before the new ones
    std::optional<TAtlasStamp> NewAtlasStamp;
};

} // namespace

void ImportDeliveredData(const TImportOptions &options, std::ostream &log) {
    TImporter importer(options, log);
    importer.Run();
}

} // namespace kyr
