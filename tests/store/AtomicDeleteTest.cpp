// Removals over several table files: all rows of every deletion go together or none, and the
// open cursors of those files stand where Delete would have left them.
#include "AtomicDelete.h"
#include "StoreTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

using namespace kyr;
using kyr::test::MakeTable;
using kyr::test::TTempDir;

namespace {

using TMembership = std::tuple<std::string, std::string, std::string>;

class AtomicDelete : public ::testing::Test {
protected:
    TTempDir Dir;
    std::unique_ptr<TKyrTable> Names = MakeTable(
        Dir, "NAME", {{"Ann", "Le"}, {"Ann", "Lee"}, {"Ann", "Leeds"}, {"Bob", "Brown"}});
    std::unique_ptr<TKyrTable> Memberships = MakeTable(Dir, "NAMEGRPS",
                                                       {{"Ann", "Le", "Family"},
                                                        {"Ann", "Lee", "Family"},
                                                        {"Ann", "Lee", "Work"},
                                                        {"Ann", "Leeds", "Work"},
                                                        {"Bob", "Brown", "Chess"}});

    std::set<std::string> NameRows() {
        std::set<std::string> rows;
        TKyrTable names("NAME", Dir.Path());
        names.Open();
        for (; !names.Eof() && !names.IsEmpty(); names.Next())
            rows.insert(names.Fields(0).AsString() + " " + names.Fields(1).AsString());
        return rows;
    }
    std::set<TMembership> MembershipRows() {
        std::set<TMembership> rows;
        TKyrTable memberships("NAMEGRPS", Dir.Path());
        memberships.Open();
        for (; !memberships.Eof() && !memberships.IsEmpty(); memberships.Next())
            rows.insert({memberships.Fields(0).AsString(), memberships.Fields(1).AsString(),
                         memberships.Fields(2).AsString()});
        return rows;
    }
};

TEST_F(AtomicDelete, RemovesTheMatchingRowsOfEveryTableAndNothingElse) {
    struct TCase {
        std::vector<TKeyDeletion> Deletions;
        std::vector<long long> Removed;
        std::set<std::string> Names;
        std::set<TMembership> Memberships;
    };
    const std::vector<TCase> cases = {
        // A person and its memberships; neighbours in key order on both sides stay.
        {{{Names.get(), "", {"ann", "LEE"}}, {Memberships.get(), "", {"Ann", "Lee"}}},
         {1, 2},
         {"Ann Le", "Ann Leeds", "Bob Brown"},
         {{"Ann", "Le", "Family"}, {"Ann", "Leeds", "Work"}, {"Bob", "Brown", "Chess"}}},
        // By a named index, on leading fields only.
        {{{Memberships.get(), "Group", {"work"}}},
         {2},
         {"Ann Le", "Ann Lee", "Ann Leeds", "Bob Brown"},
         {{"Ann", "Le", "Family"}, {"Ann", "Lee", "Family"}, {"Bob", "Brown", "Chess"}}},
        // A key that matches nothing removes nothing.
        {{{Names.get(), "", {"Nobody", "Here"}}, {Memberships.get(), "", {"Nobody"}}},
         {0, 0},
         {"Ann Le", "Ann Lee", "Ann Leeds", "Bob Brown"},
         {{"Ann", "Le", "Family"},
          {"Ann", "Lee", "Family"},
          {"Ann", "Lee", "Work"},
          {"Ann", "Leeds", "Work"},
          {"Bob", "Brown", "Chess"}}},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.Removed));
        const auto names = NameRows();
        const auto memberships = MembershipRows();
        EXPECT_EQ(c.Removed, DeleteAtomically(c.Deletions));
        EXPECT_EQ(c.Names, NameRows());
        EXPECT_EQ(c.Memberships, MembershipRows());
        // Back to the start for the next case.
        for (const std::string &name : names)
            if (!NameRows().contains(name))
                Names->AppendRecord({name.substr(0, name.find(' ')), name.substr(name.find(' ') + 1)});
        for (const TMembership &m : memberships)
            if (!MembershipRows().contains(m))
                Memberships->AppendRecord({std::get<0>(m), std::get<1>(m), std::get<2>(m)});
    }
}

TEST_F(AtomicDelete, CursorsOfTheFilesStandWhereDeleteWouldLeaveThem) {
    // A second cursor on the person file, standing on the person that goes.
    TKyrTable other("NAME", Dir.Path());
    other.Open();
    ASSERT_TRUE(other.FindKey({"Ann", "Lee"}));
    Names->First(); // stays on a row that is kept, at the start
    ASSERT_TRUE(Memberships->FindKey({"Ann", "Lee", "Work"}));

    DeleteAtomically({{Names.get(), "", {"Ann", "Lee"}}, {Memberships.get(), "", {"Ann", "Lee"}}});

    EXPECT_EQ("Leeds", other.FieldByName("LastName").AsString());
    EXPECT_FALSE(other.Bof() || other.Eof());
    EXPECT_EQ("Le", Names->FieldByName("LastName").AsString());
    EXPECT_TRUE(Names->Bof());
    EXPECT_EQ("Leeds", Memberships->FieldByName("LastName").AsString());
    Memberships->Next();
    EXPECT_EQ("Bob", Memberships->FieldByName("FirstName").AsString());

    // The last row going leaves the cursor on the new last row with EOF set.
    Memberships->Last();
    DeleteAtomically({{Memberships.get(), "", {"Bob"}}});
    EXPECT_EQ("Leeds", Memberships->FieldByName("LastName").AsString());
    EXPECT_TRUE(Memberships->Eof());
}

TEST_F(AtomicDelete, APendingEditIsWrittenFirst) {
    ASSERT_TRUE(Names->FindKey({"Bob", "Brown"}));
    Names->Edit();
    Names->FieldByName("Town").SetAsString("Leeds");
    DeleteAtomically({{Memberships.get(), "", {"Bob", "Brown"}}, {Names.get(), "", {"Ann", "Le"}}});
    EXPECT_EQ(TTableState::Browse, Names->State());
    ASSERT_TRUE(Names->FindKey({"Bob", "Brown"}));
    EXPECT_EQ("Leeds", Names->FieldByName("Town").AsString());
}

TEST_F(AtomicDelete, AFailureRemovesNothing) {
    const auto names = NameRows();
    const auto memberships = MembershipRows();
    // The second deletion cannot run: the first one's rows must come back.
    EXPECT_THROW(DeleteAtomically({{Names.get(), "", {"Ann", "Lee"}},
                                   {Memberships.get(), "NoSuchIndex", {"Ann"}}}),
                 EStoreError);
    EXPECT_EQ(names, NameRows());

    // A table of those files in a transaction of its own.
    TKyrTable other("NAMEGRPS", Dir.Path());
    other.Open();
    other.StartTransaction();
    EXPECT_THROW(DeleteAtomically({{Names.get(), "", {"Ann", "Lee"}},
                                   {Memberships.get(), "", {"Ann", "Lee"}}}),
                 EStoreError);
    other.Rollback();
    EXPECT_EQ(names, NameRows());
    EXPECT_EQ(memberships, MembershipRows());
}

} // namespace
