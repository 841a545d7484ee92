#include "DataCollection.h"

#include "IndexScope.h"
#include "KyrTableImpl.h"

#include <algorithm>
#include <charconv>
#include <ostream>

namespace kyr {

namespace {

TDataCollection *&CollectionReference() {
    static TDataCollection *collection = nullptr;
    return collection;
}

// Book tables key on two-character codes; a longer code keeps its first two characters.
std::string Code(const std::string &code) {
    return code.substr(0, 2);
}


long long IdentifierValue(const std::string &text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

} // namespace

TDataCollection::TDataCollection()
    : NameTable("NAME"), Name1Table("NAME1"), GroupsTable("GROUPS"), NameGroupsTable("NAMEGRPS"),
      BookTable("BOOK__"), ZoneIdTable("ZONEID"), ZoneTable("ZONE"), SummerIdTable("SUMMERID"),
      SummerTable("SUMMER"), OrbisTable("ORBIS"), OrbisDefTable("ORBISDEF"), HelpTable("HELP__"),
      KeywordTable("KHLP__"), PlacesTable("PLACES"), StatesTable("STATES"),
      SynastryBookTable("SYBOOK__"), Tables_{&NameTable,        &Name1Table,  &GroupsTable,
                                             &NameGroupsTable,  &ZoneIdTable, &ZoneTable,
                                             &SummerIdTable,    &SummerTable, &OrbisTable,
                                             &OrbisDefTable,    &PlacesTable, &StatesTable,
                                             &BookTable,        &HelpTable,   &KeywordTable,
                                             &SynastryBookTable} {}

TDataCollection::~TDataCollection() {
    if (CollectionReference() == this)
        CollectionReference() = nullptr;
}

void TDataCollection::SetActive(bool value) {
    if (value == Active_)
        return;
    Active_ = value;
    if (!value) {
        for (TKyrTable *table : Tables_)
            table->Close();
        return;
    }
    try {
        for (TKyrTable *table : Tables_)
            if (std::ranges::find(LeftOut_, table->TableName()) == LeftOut_.end())
                table->Open();
    } catch (...) {
        // Half-open is no state the rest of the program can work with.
        for (TKyrTable *table : Tables_)
            try {
                table->Close();
            } catch (...) {
            }
        Active_ = false;
        throw;
    }
}

void TDataCollection::SetLanguage(const std::string &code) {
    if (code == LanguageCode_)
        return;
    LanguageCode_ = code;
    TKyrTable *const languageTables[] = {&BookTable, &KeywordTable, &HelpTable, &SynastryBookTable};
    const char *const names[] = {"BOOK", "KHLP", "HELP", "SYBOOK"};
    for (TKyrTable *table : languageTables)
        table->Close();
    for (int i = 0; i < 4; ++i)
        languageTables[i]->SetTableName(names[i] + code);
    for (TKyrTable *table : languageTables)
        table->SetActive(Active_);
}

void TDataCollection::SetDirectory(const std::string &directory) {
    for (TKyrTable *table : Tables_)
        table->SetDirectory(directory);
}

void TDataCollection::GetChapter(const std::string &book, const std::string &chapter,
                                 const std::string &code3, const std::string &code4,
                                 std::string &attitude, std::ostream &text) {
    BookTable.SetIndexName("");
    if (!BookTable.FindKey({Code(book), Code(chapter), Code(code3), Code(code4)})) {
        attitude.clear();
        return;
    }
    attitude = BookTable.FieldByName("Attitude").AsString();
    BlobToStream(BookTable.FieldByName("Text"), text);
}

void TDataCollection::GetSynastryChapter(const std::string &book, const std::string &chapter,
                                         const std::string &code3, const std::string &code4,
                                         std::string &attitude, std::ostream &text) {
    attitude.clear();
    SynastryBookTable.SetIndexName("");
    if (!SynastryBookTable.FindKey({Code(book), Code(chapter), Code(code3), Code(code4)}))
        return;
    attitude = SynastryBookTable.FieldByName("Title").AsString();
    BlobToStream(SynastryBookTable.FieldByName("Text"), text);
}

void TDataCollection::GetBooks(const std::string &chapter, const std::string &code3,
                               const std::string &code4, int &count,
                               std::span<std::uint8_t> books) {
    count = 0;
    if (books.size() > 1)
        books[1] = 0;
    const std::string key[] = {Code(chapter), Code(code3), Code(code4)};
    BookTable.SetIndexName("ChapterOrder");
    struct TRestorePrimary {
        TKyrTable &Table;
        ~TRestorePrimary() {
            try {
                Table.SetIndexName("");
            } catch (...) {
            }
        }
    } restore{BookTable};

    BookTable.FindNearest({key[0], key[1], key[2]});
    if (BookTable.Bof() && BookTable.Eof())
        return;
    TKyrField bookField = BookTable.FieldByName("Book");
    TKyrField chapterField = BookTable.FieldByName("Chapter");
    TKyrField code3Field = BookTable.FieldByName("Code3");
    TKyrField code4Field = BookTable.FieldByName("Code4");
    while (!BookTable.Eof() && static_cast<std::size_t>(count) < books.size() &&
           SameKeyText(chapterField.AsString(), key[0]) &&
           SameKeyText(code3Field.AsString(), key[1]) &&
           SameKeyText(code4Field.AsString(), key[2])) {
        books[count] = static_cast<std::uint8_t>(bookField.AsInteger());
        ++count;
        if (static_cast<std::size_t>(count) < books.size())
            books[count] = 0;
        BookTable.Next();
    }
}

void TDataCollection::GetLanguageTexts(const std::string & /*newLanguage*/,
                                       std::stringstream &stream) {
    stream.str(std::string());
    stream.clear();
    HelpTable.Open();
    HelpTable.SetIndexName("");
    if (HelpTable.FindKey({11000LL})) {
        BlobToStream(HelpTable.FieldByName("HelpText"), stream);
        stream.seekg(0);
    }
}

void BlobToStream(const TKyrField &field, std::ostream &stream) {
    field.SaveToStream(stream);
}

void BlobToStrings(const TKyrField &field, std::vector<std::string> &lines) {
    field.SaveToStrings(lines);
}

std::string NewIdentifier(TKyrTable &table) {
    const TTableSchema *schema = table.Schema();
    const std::string kind = schema ? schema->Kind : std::string();
    std::string last;
    if (kind == "ZONEID" || kind == "SUMMERID") {
        TIndexScope scope(table, "");
        table.Last();
        if (!(table.Bof() && table.Eof()))
            last = table.Fields(0).AsString();
    } else if (kind == "STATES") {
        TIndexScope scope(table, "SID");
        table.FindNearest({std::string("9999")});
        if (table.Eof())
            table.Prior();
        if (!(table.Bof() && table.Eof()))
            last = table.FieldByName("StateID").AsString();
    } else {
        throw EStoreError(table.FileName(), "the table has no identifiers to number");
    }
    const long long value = IdentifierValue(last);
    return std::to_string(value > 1000 ? value + 1 : 1001);
}

TDataCollection *DataCollection() {
    return CollectionReference();
}

void SetDataCollection(TDataCollection *collection) {
    CollectionReference() = collection;
}

} // namespace kyr
