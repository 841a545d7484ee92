#include "NameSearch.h"

#include "DataCollection.h"
#include "IndexScope.h"

#include <QInputDialog>
#include <QStringList>

namespace kyr {

namespace {

// Every value of the field in the order of the index.
QStringList Column(TKyrTable &table, const std::string &index, const char *field) {
    QStringList items;
    if (!table.Active())
        return items;
    TIndexScope scope(table, index);
    for (table.First(); !table.IsEmpty() && !table.Eof(); table.Next())
        items << QString::fromStdString(table.FieldByName(field).AsString());
    return items;
}

bool Choose(QWidget *parent, const QString &title, const QStringList &items, bool editable,
            QString &choice) {
    if (items.isEmpty() && !editable)
        return false;
    bool ok = false;
    choice = QInputDialog::getItem(parent, title, title, items, 0, editable, &ok);
    return ok && !choice.trimmed().isEmpty();
}

} // namespace

bool TTableSearch::PickName(bool firstFirst,
                            const std::function<void(const std::string &, const std::string &)> &,
                            std::string &first, std::string &last) {
    TKyrTable &names = FData.NameTable;
    if (!names.Active())
        return false;
    std::vector<std::pair<std::string, std::string>> people;
    QStringList items;
    TIndexScope scope(names, "");
    for (names.First(); !names.IsEmpty() && !names.Eof(); names.Next()) {
        people.emplace_back(names.FieldByName("FirstName").AsString(),
                            names.FieldByName("LastName").AsString());
        const auto &[f, l] = people.back();
        items << QString::fromStdString(firstFirst ? f + " " + l : l + " " + f);
    }
    QString choice;
    if (!Choose(FParent, QStringLiteral("Names"), items, false, choice))
        return false;
    const auto at = items.indexOf(choice);
    if (at < 0)
        return false;
    first = people[static_cast<std::size_t>(at)].first;
    last = people[static_cast<std::size_t>(at)].second;
    return true;
}

bool TTableSearch::PickState(std::string &state) {
    QString choice;
    if (!Choose(FParent, QStringLiteral("States"), Column(FData.StatesTable, "", "StateName"),
                false, choice))
        return false;
    state = choice.toStdString();
    return true;
}

bool TTableSearch::PickPlace(const std::string &state, TAtlasPlace &place) {
    QStringList items;
    for (const TAtlasPlace &p : FindPlacesByPrefix(FData, state, "", 100000))
        if (p.StateName.size() == state.size()) // the state itself, not one it begins
            items << QString::fromStdString(p.PlaceName);
    QString choice;
    if (!Choose(FParent, QStringLiteral("Places"), items, false, choice))
        return false;
    const auto found = FindAtlasPlace(FData, state, choice.toStdString());
    if (!found)
        return false;
    place = *found;
    return true;
}

bool TTableSearch::PickGroup(std::string &group) {
    TKyrTable &groups = FData.GroupsTable;
    QString choice;
    if (!groups.Active() ||
        !Choose(FParent, QStringLiteral("Groups"), Column(groups, "", "GroupName"), true, choice))
        return false;
    const std::string name = choice.trimmed().toStdString();
    TIndexScope scope(groups, "");
    if (groups.FindKey({name}))
        group = groups.FieldByName("GroupName").AsString();
    else {
        groups.InsertRecord({name});
        group = name;
    }
    return true;
}

} // namespace kyr
