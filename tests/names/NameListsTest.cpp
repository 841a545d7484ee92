// The table work under the search dialog: deleting a person or a group touches exactly their
// rows, typed groups are found or created, dragged name texts find their person, and a walk in
// small units reads what one pass reads, also when others move the table between units.

#include "KyrTableImpl.h"
#include "SearchTestSupport.h"

namespace kyr::test {
namespace {

class NameLists : public SearchFixture {
protected:
    // Neighbours in key order on both sides of the persons deleted below, so that a walk that
    // runs one row too far or starts one row early shows.
    void AddNeighbours() {
        AddPerson("Ann", "Le", {"Family"});
        AddPerson("Ann", "Lee", {"Family", "Work"});
        AddPerson("Ann", "Leeds", {"Work"});
        AddPerson("Anna", "Lee", {"Family"});
        AddPerson("Bob", "Brown");
        AddPerson("Zoe", "Zander", {"Chess", "Family"});
    }
};

TEST_F(NameLists, DeletingAPersonRemovesItsRecordAndMembershipsAndNothingElse) {
    struct TCase {
        std::string First, Last;
        bool Found;
    };
    const std::vector<TCase> cases = {
        {"Ann", "Lee", true},    // memberships in the middle of the table
        {"Bob", "Brown", true},  // no memberships: the walk lands on Zoe's and must stop
        {"Zoe", "Zander", true}, // memberships at the very end
        {"Ann", "Le", true},     // memberships at the very start
        {"ANN", "LEEDS", true},  // keys compare without regard to case
        {"Nobody", "Here", false},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.First + " " + c.Last);
        AddNeighbours();
        auto names = NameRows();
        auto memberships = MembershipRows();
        const auto groups = GroupRows();

        EXPECT_EQ(c.Found, DeleteName(Data, c.First, c.Last));

        std::erase_if(names, [&](const auto &n) {
            return SameKeyText(n.first, c.First) && SameKeyText(n.second, c.Last);
        });
        std::erase_if(memberships, [&](const TMembership &m) {
            return SameKeyText(std::get<0>(m), c.First) && SameKeyText(std::get<1>(m), c.Last);
        });
        EXPECT_EQ(names, NameRows());
        EXPECT_EQ(memberships, MembershipRows());
        EXPECT_EQ(groups, GroupRows()); // the groups themselves stay

        for (TKyrTable *t : {&Data.NameTable, &Data.NameGroupsTable, &Data.GroupsTable}) {
            t->First();
            while (!t->IsEmpty())
                t->Delete();
        }
    }
}

TEST_F(NameLists, DeletingAGroupRemovesItsMembershipsAndKeepsThePersons) {
    AddNeighbours();
    const auto names = NameRows();
    auto memberships = MembershipRows();
    DeleteGroup(Data, "family"); // as typed, in another case
    std::erase_if(memberships, [](const TMembership &m) { return std::get<2>(m) == "Family"; });
    EXPECT_EQ(memberships, MembershipRows());
    EXPECT_EQ(names, NameRows());
    EXPECT_EQ((std::set<std::string>{"Chess", "Work"}), GroupRows());
}

TEST_F(NameLists, ATypedGroupIsFoundAsStoredOrCreated) {
    AddPerson("Ann", "Lee", {"Family"});
    struct TCase {
        std::string Typed, Expected;
        std::set<std::string> Groups;
    };
    const std::vector<TCase> cases = {
        {"family", "Family", {"Family"}},          // found, spelled as stored, nothing new
        {"  Family  ", "Family", {"Family"}},      // blanks around do not make a new group
        {"Chess club", "Chess club", {"Chess club", "Family"}}, // created
        {"   ", "", {"Chess club", "Family"}},     // nothing typed: nothing made
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE("'" + c.Typed + "'");
        EXPECT_EQ(c.Expected, FindOrCreateGroup(Data, c.Typed));
        EXPECT_EQ(c.Groups, GroupRows());
    }
}

TEST_F(NameLists, ADraggedNameTextFindsItsPerson) {
    AddPerson("Mary Ann", "Smith");
    AddPerson("Cher", "");
    AddPerson("Søren", "Kierkegaard");
    AddPerson("Jean", "de la Fontaine");
    struct TCase {
        std::string Text;
        bool Found;
        TPersonName Person;
    };
    const std::vector<TCase> cases = {
        {"Mary Ann Smith", true, {"Mary Ann", "Smith"}},
        {"Cher ", true, {"Cher", ""}},
        {"Søren Kierkegaard", true, {"Søren", "Kierkegaard"}},
        {"Jean de la Fontaine", true, {"Jean", "de la Fontaine"}},
        {"Mary Ann", false, {}},
        {"", false, {}},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Text);
        TPersonName person;
        EXPECT_EQ(c.Found, FindDroppedName(Data, c.Text, person));
        if (c.Found) {
            EXPECT_EQ(c.Person, person);
        }
    }
    // Both splits stored: the one with the shorter first name wins, every time.
    AddPerson("Mary", "Ann Smith");
    TPersonName person;
    ASSERT_TRUE(FindDroppedName(Data, "Mary Ann Smith", person));
    EXPECT_EQ((TPersonName{"Mary", "Ann Smith"}), person);
}

TEST_F(NameLists, AWalkInUnitsReadsWhatOnePassReads) {
    for (int i = 0; i < 23; ++i)
        AddPerson("P" + std::to_string(100 + i), "X", {i % 3 ? "Odd" : "Three"});
    AddAtlas();
    struct TCase {
        const char *Name;
        TTableWalk::TSource Source;
        const char *Field;
    };
    const std::vector<TCase> cases = {
        {"every name", {&Data.NameTable, "", {}, {}}, "FirstName"},
        {"one group by index Group", {&Data.NameGroupsTable, "Group", {"Three"}, {"GroupName"}},
         "FirstName"},
        {"places of one state", {&Data.PlacesTable, "", {"1002"}, {"StateID"}}, "PlaceName"},
        {"places of a state without places", {&Data.PlacesTable, "", {"1003"}, {"StateID"}},
         "PlaceName"},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        const auto read = [&](int unit, bool disturb) {
            std::vector<std::string> rows;
            TTableWalk walk(c.Source, [&](TKyrTable &t) {
                rows.push_back(t.FieldByName(c.Field).AsString());
            });
            int units = 0;
            while (!walk.Step(unit)) {
                ++units;
                if (disturb) { // another user of the shared table moves it between units
                    c.Source.Table->SetIndexName("");
                    c.Source.Table->Last();
                }
                EXPECT_LT(units, 1000);
            }
            return rows;
        };
        const auto whole = read(100000, false);
        for (const int unit : {1, 2, 5}) {
            EXPECT_EQ(whole, read(unit, false)) << "unit " << unit;
            EXPECT_EQ(whole, read(unit, true)) << "unit " << unit << ", disturbed";
        }
        EXPECT_EQ("", c.Source.Table->IndexName()); // the index the others left is back
    }
    // The reads themselves: in key order and within their range.
    std::vector<std::string> rows;
    TTableWalk walk({&Data.PlacesTable, "", {"1002"}, {"StateID"}},
                    [&](TKyrTable &t) { rows.push_back(t.FieldByName("PlaceName").AsString()); });
    while (!walk.Step(2)) {
    }
    EXPECT_EQ((std::vector<std::string>{"Aarhus", "Copenhagen", "Odense"}), rows);
    EXPECT_EQ(3, walk.Taken());
}

TEST(NameListTexts, IdentifiersAndDeleteQuestion) {
    EXPECT_EQ("0007", IdentifierText("7"));
    EXPECT_EQ("0012", IdentifierText("12"));
    EXPECT_EQ("1001", IdentifierText("1001"));
    EXPECT_EQ("12345", IdentifierText("12345"));
    EXPECT_EQ("Delete Ann Lee?", DeleteNameQuestion("Delete %1?", "x", "y", "z", "Ann Lee"));
    EXPECT_EQ("Delete for 'Ann Lee'. Are you sure?",
              DeleteNameQuestion("", "Delete", "for", "Are you sure?", "Ann Lee"));
}

} // namespace
} // namespace kyr::test
