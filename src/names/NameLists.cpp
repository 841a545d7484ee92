#include "NameLists.h"

#include "AtomicDelete.h"
#include "DataCollection.h"
#include "IndexScope.h"
#include "KyrTableImpl.h"

#include <utility>

namespace kyr {

namespace {

std::string Trimmed(const std::string &text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

bool SameValue(const TFieldValue &a, const TFieldValue &b) {
    return SameKeyText(ValueAsString(a), ValueAsString(b));
}

} // namespace

// --- TTableWalk ---------------------------------------------------------------------------------

TTableWalk::TTableWalk(TSource source, TTake take) : FSource(std::move(source)), FTake(std::move(take)) {
    FByKey = FSource.Index.empty();
}

bool TTableWalk::InRange() {
    TKyrTable &table = *FSource.Table;
    for (std::size_t i = 0; i < FSource.Match.size() && i < FSource.Start.size(); ++i)
        if (!SameKeyText(table.FieldByName(FSource.Match[i]).AsString(),
                         ValueAsString(FSource.Start[i])))
            return false;
    return true;
}

void TTableWalk::Position() {
    TKyrTable &table = *FSource.Table;
    if (FTaken > 0 && FByKey) {
        table.FindNearest(FLastKey);
        bool same = true;
        for (std::size_t i = 0; i < FKeyFields.size(); ++i)
            same = same && SameValue(table.FieldByName(FKeyFields[i]).Value(), FLastKey[i]);
        if (same)
            table.Next();
        return;
    }
    if (FSource.Start.empty())
        table.First();
    else
        table.FindNearest(FSource.Start);
    for (int i = 0; i < FTaken && !table.Eof(); ++i)
        table.Next();
}

bool TTableWalk::Step(int count) {
    if (FDone)
        return true;
    TKyrTable &table = *FSource.Table;
    if (!table.Active() || table.IsEmpty()) {
        FDone = true;
        return true;
    }
    TIndexScope scope(table, FSource.Index);
    if (FKeyFields.empty())
        FKeyFields = table.IndexFields();
    Position();
    for (int i = 0; i < count; ++i) {
        if (table.Eof() || !InRange()) {
            FDone = true;
            break;
        }
        FTake(table);
        ++FTaken;
        if (FByKey) {
            FLastKey.clear();
            for (const auto &field : FKeyFields)
                FLastKey.push_back(table.FieldByName(field).Value());
        }
        table.Next();
    }
    if (table.Eof())
        FDone = true;
    return FDone;
}

// --- deleting ------------------------------------------------------------------------------------

bool DeleteName(TDataCollection &data, const std::string &first, const std::string &last) {
    // One transaction over both files: a person never goes while its memberships stay, which a
    // new person of the same name would inherit.
    std::vector<TKeyDeletion> deletions;
    if (data.NameTable.Active())
        deletions.push_back({&data.NameTable, "", {first, last}});
    if (data.NameGroupsTable.Active())
        deletions.push_back({&data.NameGroupsTable, "", {first, last}});
    const std::vector<long long> removed = DeleteAtomically(deletions);
    return data.NameTable.Active() && removed.front() > 0;
}

void DeleteGroup(TDataCollection &data, const std::string &group) {
    std::vector<TKeyDeletion> deletions;
    if (data.NameGroupsTable.Active())
        deletions.push_back({&data.NameGroupsTable, "Group", {group}});
    if (data.GroupsTable.Active())
        deletions.push_back({&data.GroupsTable, "", {group}});
    DeleteAtomically(deletions);
}

std::string FindOrCreateGroup(TDataCollection &data, const std::string &typed) {
    const std::string name = Trimmed(typed);
    TKyrTable &groups = data.GroupsTable;
    if (name.empty() || !groups.Active())
        return {};
    TIndexScope scope(groups, "");
    if (groups.FindKey({name}))
        return groups.FieldByName("GroupName").AsString();
    groups.InsertRecord({name});
    return name;
}

// --- lists ---------------------------------------------------------------------------------------

std::vector<TPersonName> MembersOfGroup(TDataCollection &data, const std::string &group) {
    std::vector<TPersonName> members;
    TTableWalk walk({&data.NameGroupsTable, "Group", {group}, {"GroupName"}},
                    [&](TKyrTable &t) {
                        members.push_back({t.FieldByName("FirstName").AsString(),
                                           t.FieldByName("LastName").AsString()});
                    });
    while (!walk.Step(1000)) {
    }
    return members;
}

std::vector<TPersonName> AllNames(TDataCollection &data) {
    std::vector<TPersonName> names;
    TTableWalk walk({&data.NameTable, "", {}, {}}, [&](TKyrTable &t) {
        names.push_back(
            {t.FieldByName("FirstName").AsString(), t.FieldByName("LastName").AsString()});
    });
    while (!walk.Step(1000)) {
    }
    return names;
}

bool FindDroppedName(TDataCollection &data, const std::string &text, TPersonName &person) {
    TKyrTable &names = data.NameTable;
    if (!names.Active())
        return false;
    TIndexScope scope(names, "");
    for (auto blank = text.find(' '); blank != std::string::npos;
         blank = text.find(' ', blank + 1)) {
        const std::string first = text.substr(0, blank), last = text.substr(blank + 1);
        if (names.FindKey({first, last})) {
            person = {names.FieldByName("FirstName").AsString(),
                      names.FieldByName("LastName").AsString()};
            return true;
        }
    }
    return false;
}

std::string IdentifierText(const std::string &identifier) {
    if (identifier.size() >= 4)
        return identifier;
    return std::string(4 - identifier.size(), '0') + identifier;
}

std::string DeleteNameQuestion(const std::string &format, const std::string &text432,
                               const std::string &text14, const std::string &text486,
                               const std::string &name) {
    if (format.empty())
        return text432 + " " + text14 + " '" + name + "'. " + text486;
    std::string question = format;
    if (const auto at = question.find("%1"); at != std::string::npos)
        question.replace(at, 2, name);
    return question;
}

} // namespace kyr
