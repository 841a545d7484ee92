// The table work behind the search dialog, the name list and the group selection: walking a
// table in small units, deleting a person or a group with their memberships, finding or
// creating a typed group, and finding the person of a dragged name text. No windows.
#pragma once

#include "KyrTable.h"

#include <functional>
#include <string>
#include <vector>

namespace kyr {

class TDataCollection;

/// A first and a last name.
struct TPersonName {
    std::string First, Last;
    bool operator==(const TPersonName &) const = default;
};

/// Reads the rows of one table in index order a few at a time, so that a long list can be
/// filled between other work. Each unit sets the index it needs and puts the previous one back,
/// and finds its place again from the last key read, so that other users of the shared table
/// may move it between units.
class TTableWalk {
public:
    struct TSource {
        TKyrTable *Table = nullptr;
        /// The index to walk; empty for the primary index.
        std::string Index;
        /// Leading key values of the first row (FindNearest); empty starts at the first row.
        std::vector<TFieldValue> Start;
        /// Fields that must keep Start's values (in order, as many as given): the walk ends at
        /// the first row that differs.
        std::vector<std::string> Match;
    };
    using TTake = std::function<void(TKyrTable &table)>;

    TTableWalk(TSource source, TTake take);

    /// Reads up to count rows, handing each to take; true when the walk is over.
    bool Step(int count);
    bool Done() const { return FDone; }
    /// Rows read so far.
    int Taken() const { return FTaken; }

private:
    bool InRange();
    void Position();

    TSource FSource;
    TTake FTake;
    /// Primary indexes are unique: a unit goes on after the last key read. Named indexes may
    /// hold equal keys: a unit goes on by counting from the start.
    bool FByKey = false;
    std::vector<std::string> FKeyFields;
    std::vector<TFieldValue> FLastKey;
    int FTaken = 0;
    bool FDone = false;
};

/// Deletes the person from NAME and every membership of that first and last name from
/// NAMEGRPS; nothing else. False when NAME lacks the person (memberships are still removed).
bool DeleteName(TDataCollection &data, const std::string &first, const std::string &last);

/// Deletes every membership of the group and the group itself; the persons stay.
void DeleteGroup(TDataCollection &data, const std::string &group);

/// The group named by the typed text (trailing and leading blanks dropped): as GROUPS spells it
/// when it is there, otherwise newly created. Empty for an empty text.
std::string FindOrCreateGroup(TDataCollection &data, const std::string &typed);

/// The members of the group, in the order of index "Group".
std::vector<TPersonName> MembersOfGroup(TDataCollection &data, const std::string &group);
/// Every person of NAME in primary order.
std::vector<TPersonName> AllNames(TDataCollection &data);

/// The stored person whose first name, a blank and last name make text (the payload of a
/// dragged name). The text is split at each blank in turn, first blank first; the first split
/// that NAME holds wins. False when none does.
bool FindDroppedName(TDataCollection &data, const std::string &text, TPersonName &person);

/// A definition's identifier as the search dialog hands it out: at least four digits,
/// zero-padded on the left.
std::string IdentifierText(const std::string &identifier);

/// The question before a person is deleted: format (with %1 for the name) when it is given,
/// otherwise the fragments joined: text432 " " text14 " '" name "'. " text486.
std::string DeleteNameQuestion(const std::string &format, const std::string &text432,
                               const std::string &text14, const std::string &text486,
                               const std::string &name);

} // namespace kyr
