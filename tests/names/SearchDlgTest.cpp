// The search dialog on the offscreen platform: which record each mode hands out for which
// input, where typing puts the selection, the fill from idle time (Cancel works while it runs),
// deleting with its question, and the modal entry operations end to end.

#include "SearchDlg.h"
#include "SearchTestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace kyr::test {
namespace {

class SearchDlgTest : public SearchFixture {
protected:
    SearchDlgTest() {
        AddAtlas();
        Dlg.Beep = [this] { ++Beeps; };
        Dlg.AskYes = [this](const QString &caption, const QString &question) {
            Questions.push_back(caption + "|" + question);
            return Answer;
        };
    }

    /// Starts the mode and runs its whole fill.
    void Fill(TSearchDlg::TMode mode, const std::string &state = {}) {
        Dlg.StartMode(mode, state);
        Dlg.FillNow();
        ASSERT_FALSE(Dlg.Busy());
    }
    QStringList Listed() const {
        QStringList texts;
        for (int row = 0; row < Dlg.List()->count(); ++row)
            texts << Dlg.List()->item(row)->text();
        return texts;
    }
    void Select(const QString &text) {
        const auto found = Dlg.List()->findItems(text, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << text.toStdString();
        Dlg.List()->setCurrentItem(found.first());
    }
    QString Selected() const {
        const QListWidgetItem *item = Dlg.List()->currentItem();
        return item && item->isSelected() ? item->text() : QString();
    }

    TSearchDlg Dlg{Data, Language};
    int Beeps = 0;
    bool Answer = true;
    QStringList Questions;
};

// --- choice rules per mode ------------------------------------------------------------------

TEST_F(SearchDlgTest, AtlasModesHandOutTheChosenRowsValues) {
    Fill(TSearchDlg::States);
    EXPECT_EQ((QStringList{"Austria", "Denmark", "Dominica"}), Listed());
    EXPECT_EQ("3 States and Countries", Dlg.CountLabel()->text());
    EXPECT_EQ("Choose a State or Country", Dlg.windowTitle());
    EXPECT_EQ(420, Dlg.HelpContext());
    EXPECT_FALSE(Dlg.Choose()) << "nothing selected: the dialog stays open";
    Select("Denmark");
    ASSERT_TRUE(Dlg.Choose());
    EXPECT_EQ("Denmark", Dlg.ResultText());
    EXPECT_EQ("1002", Dlg.ChosenStateId());
    EXPECT_EQ(0, Dlg.List()->count()) << "the list is emptied after a choice";

    Fill(TSearchDlg::Places, "Denmark");
    EXPECT_EQ((QStringList{"Aarhus", "Copenhagen", "Odense"}), Listed());
    EXPECT_EQ("3 Places", Dlg.CountLabel()->text());
    EXPECT_EQ("1002", Dlg.ChosenStateId());
    Select("Odense");
    ASSERT_TRUE(Dlg.Choose());
    EXPECT_EQ("Odense", Dlg.ResultText());
    EXPECT_EQ("1002", Dlg.ChosenStateId());
    EXPECT_DOUBLE_EQ(55.24, static_cast<double>(Dlg.ChosenLatitude()));
    EXPECT_DOUBLE_EQ(-10.23, static_cast<double>(Dlg.ChosenLongitude()));
    EXPECT_EQ("7", Dlg.ChosenZoneRef());
    EXPECT_EQ("1001", Dlg.ChosenSummerRef());

    // A state that STATES lacks lists nothing, and its StateID is "0000".
    Fill(TSearchDlg::Places, "Atlantis");
    EXPECT_TRUE(Listed().isEmpty());
    EXPECT_EQ("0000", Dlg.ChosenStateId());
    EXPECT_FALSE(Dlg.Choose());

    Fill(TSearchDlg::Zones);
    EXPECT_EQ((QStringList{"Austria (Vienna)", "Central Europe"}), Listed());
    EXPECT_EQ(0, Dlg.HelpContext());
    Select("Central Europe");
    ASSERT_TRUE(Dlg.Choose());
    EXPECT_EQ("Central Europe", Dlg.ResultText());
    EXPECT_EQ("0007", Dlg.ChosenDefinitionId());

    Fill(TSearchDlg::Summers);
    EXPECT_EQ("2 Summer Time Definitions", Dlg.CountLabel()->text());
    Select("Austria 1940s");
    ASSERT_TRUE(Dlg.Choose());
    EXPECT_EQ("0012", Dlg.ChosenDefinitionId());
    EXPECT_EQ("0000", Dlg.ChosenStateId()) << "results of an earlier use are reset";
}

TEST_F(SearchDlgTest, GroupModeTakesTheTypedNameBeforeTheSelection) {
    AddPerson("Ann", "Lee", {"Family", "Work"});
    struct TCase {
        QString Typed, Selected, Result;
        bool Chosen;
        std::set<std::string> Groups;
    };
    const std::vector<TCase> cases = {
        {"", "Work", "Work", true, {"Family", "Work"}},
        {"", "", "", false, {"Family", "Work"}},
        {"fAMILY", "Work", "Family", true, {"Family", "Work"}}, // existing: no new group
        {"Chess", "", "Chess", true, {"Chess", "Family", "Work"}}, // new: created
        {"  ", "Family", "Family", true, {"Chess", "Family", "Work"}},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Typed.toStdString() + "/" + c.Selected.toStdString());
        Fill(TSearchDlg::Groups);
        EXPECT_EQ("Group:", Dlg.SearchLabel()->text());
        EXPECT_EQ(221, Dlg.HelpContext());
        EXPECT_FALSE(Dlg.GroupFilter()->isVisible());
        Dlg.SearchEdit()->setText(c.Typed);
        Dlg.List()->clearSelection();
        Dlg.List()->setCurrentRow(-1);
        if (!c.Selected.isEmpty())
            Select(c.Selected);
        EXPECT_EQ(c.Chosen, Dlg.Choose());
        EXPECT_EQ(c.Result.toStdString(), Dlg.ResultText());
        EXPECT_EQ(c.Groups, GroupRows());
    }
}

TEST_F(SearchDlgTest, NameModeHandsOutThePersonOfTheChosenEntry) {
    AddPerson("Mary", "Ann Smith");
    AddPerson("Mary Ann", "Smith", {"Family"});
    AddPerson("Bob", "Brown", {"Family"});
    AddPerson("alice", "Zander");

    Dlg.SetFirstNamesFirst(true);
    Fill(TSearchDlg::Names);
    EXPECT_EQ("Names", Dlg.windowTitle());
    EXPECT_EQ("4 Names", Dlg.CountLabel()->text());
    EXPECT_EQ(400, Dlg.HelpContext());
    // Sorted without regard to case; the two equal texts in the order they are stored.
    EXPECT_EQ((QStringList{"alice Zander", "Bob Brown", "Mary Ann Smith", "Mary Ann Smith"}),
              Listed());
    EXPECT_EQ("alice Zander", Selected()) << "the first entry starts selected";
    EXPECT_TRUE(Dlg.OkButton()->isEnabled());
    EXPECT_TRUE(Dlg.DeleteButton()->isEnabled());

    struct TCase {
        bool FirstFirst;
        int Row;
        std::string First, Last;
    };
    // Equal texts: each entry stands for its own person, the first for the first stored.
    const std::vector<TCase> cases = {
        {true, 2, "Mary", "Ann Smith"},
        {true, 3, "Mary Ann", "Smith"},
        {true, 0, "alice", "Zander"},
        {false, 0, "Mary", "Ann Smith"}, // "Ann Smith Mary"
        {false, 1, "Bob", "Brown"},      // "Brown Bob"
        {false, 2, "Mary Ann", "Smith"}, // "Smith Mary Ann"
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.First + " " + c.Last);
        Dlg.SetFirstNamesFirst(c.FirstFirst);
        Fill(TSearchDlg::Names);
        Dlg.List()->setCurrentRow(c.Row);
        ASSERT_TRUE(Dlg.Choose());
        EXPECT_EQ(c.First, Dlg.ChosenFirstName());
        EXPECT_EQ(c.Last, Dlg.ChosenLastName());
        EXPECT_EQ(c.First + " " + c.Last, Dlg.ResultText());
        EXPECT_TRUE(Dlg.Persons().empty()) << "the person list is emptied";
    }

    // Without a selection nothing is chosen and the dialog stays open.
    Fill(TSearchDlg::Names);
    Dlg.List()->clearSelection();
    EXPECT_FALSE(Dlg.Choose());
}

TEST_F(SearchDlgTest, SwapAndGroupFilterRebuildTheNameList) {
    AddPerson("Mary Ann", "Smith", {"Family"});
    AddPerson("Bob", "Brown", {"Family"});
    AddPerson("Carl", "Adams", {"Work"});
    Dlg.SetFirstNamesFirst(true);
    Fill(TSearchDlg::Names);
    ASSERT_EQ(3, Dlg.GroupFilter()->count());
    EXPECT_EQ("(All names)", Dlg.GroupFilter()->itemText(0));
    EXPECT_EQ("Family", Dlg.GroupFilter()->itemText(1));
    EXPECT_FALSE(Dlg.GroupFilter()->isHidden());

    Select("Carl Adams");
    Dlg.SwapClicked();
    EXPECT_FALSE(Dlg.FirstNamesFirst());
    EXPECT_EQ((QStringList{"Adams Carl", "Brown Bob", "Smith Mary Ann"}), Listed());
    EXPECT_EQ("Adams Carl", Selected()) << "the same person stays chosen";

    Dlg.GroupFilter()->setCurrentIndex(1);
    emit Dlg.GroupFilter()->activated(1);
    EXPECT_TRUE(Dlg.Busy()) << "the list is filled again from idle time";
    Dlg.FillNow();
    EXPECT_EQ((QStringList{"Brown Bob", "Smith Mary Ann"}), Listed());
    EXPECT_EQ("2 Names", Dlg.CountLabel()->text());
    Select("Smith Mary Ann");
    ASSERT_TRUE(Dlg.Choose());
    EXPECT_EQ("Mary Ann", Dlg.ChosenFirstName());
}

// --- typing and moving --------------------------------------------------------------------------

TEST_F(SearchDlgTest, TypingSelectsTheFirstEntryThatBeginsWithTheText) {
    Data.StatesTable.AppendRecord({"1004", "Germany", 0, 0, 0, 0});
    Data.StatesTable.AppendRecord({"1005", "Dänemark", 0, 0, 0, 0});
    Fill(TSearchDlg::States);
    ASSERT_EQ((QStringList{"Austria", "Dänemark", "Denmark", "Dominica", "Germany"}), Listed());
    struct TCase {
        const char *Typed;
        QString Selected;
    };
    // Each case types into the edit as it stands after the one before.
    const std::vector<TCase> cases = {
        {"d", "Dänemark"}, {"e", "Denmark"}, {"x", "Denmark"}, // no match keeps the selection
        {"\b\b", "Dänemark"}, {"\bDO", "Dominica"}, {"\b\bg", "Germany"},
        {"\b\bDÄ", "Dänemark"}, // upper case of a non-ASCII letter
    };
    QLineEdit *edit = Dlg.SearchEdit();
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Typed);
        for (const char *p = c.Typed; *p; ++p) {
            if (*p == '\b')
                QTest::keyClick(edit, Qt::Key_Backspace);
            else if (static_cast<unsigned char>(*p) >= 0x80) {
                // one UTF-8 letter
                const QString letter = QString::fromUtf8(p, 2);
                QTest::keyClicks(edit, letter);
                ++p;
            } else
                QTest::keyClicks(edit, QString(QLatin1Char(*p)));
        }
        EXPECT_EQ(c.Selected, Selected()) << edit->text().toStdString();
    }
}

TEST_F(SearchDlgTest, UpAndDownMoveByOneAndBeepAtTheEnds) {
    AddPerson("Ann", "Lee");
    AddPerson("Bob", "Brown");
    std::vector<std::string> previews;
    Dlg.PreviewName = [&](const std::string &first, const std::string &last) {
        previews.push_back(first + " " + last);
    };
    Dlg.SetFirstNamesFirst(true);
    Fill(TSearchDlg::Names);
    QLineEdit *edit = Dlg.SearchEdit();
    ASSERT_EQ("Ann Lee", Selected());
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(1, Beeps);
    EXPECT_EQ("Ann Lee", Selected());
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ("Bob Brown", Selected());
    EXPECT_TRUE(previews.empty()) << "without Shift nothing is previewed";
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(2, Beeps);
    QTest::keyClick(edit, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ("Ann Lee", Selected());
    EXPECT_EQ((std::vector<std::string>{"Ann Lee"}), previews);
    // A click previews too.
    const QRect second = Dlg.List()->visualItemRect(Dlg.List()->item(1));
    Dlg.show();
    QTest::mouseClick(Dlg.List()->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ((std::vector<std::string>{"Ann Lee", "Bob Brown"}), previews);
    Dlg.hide();
}

// --- the fill from idle time ------------------------------------------------------------------

TEST_F(SearchDlgTest, TheListFillsInUnitsWhileTheButtonsWait) {
    const int persons = 2 * TSearchDlg::FillUnit + 7;
    Data.NameTable.StartTransaction();
    for (int i = 0; i < persons; ++i)
        Data.NameTable.AppendRecord({"P" + std::to_string(10000 + i), "Q"});
    Data.NameTable.Commit();

    Dlg.StartMode(TSearchDlg::Names);
    EXPECT_TRUE(Dlg.Busy());
    EXPECT_EQ("Please wait...", Dlg.CountLabel()->text());
    EXPECT_FALSE(Dlg.OkButton()->isEnabled());
    EXPECT_FALSE(Dlg.HelpButton()->isEnabled());
    EXPECT_FALSE(Dlg.DeleteButton()->isEnabled());
    EXPECT_TRUE(Dlg.CancelButton()->isEnabled()) << "Cancel stops a long fill";
    EXPECT_FALSE(Dlg.Choose()) << "no choice while busy";
    int units = 0;
    while (Dlg.IdleUpdate())
        ++units;
    EXPECT_EQ(2, units) << "three units, the last of which ends the fill";
    EXPECT_FALSE(Dlg.Busy());
    EXPECT_EQ(persons, Dlg.List()->count());
    EXPECT_TRUE(Dlg.OkButton()->isEnabled());
    EXPECT_TRUE(Dlg.HelpButton()->isEnabled());
}

TEST_F(SearchDlgTest, CancelDuringTheFillClosesTheDialog) {
    Data.NameTable.StartTransaction();
    for (int i = 0; i < 20 * TSearchDlg::FillUnit; ++i)
        Data.NameTable.AppendRecord({"P" + std::to_string(100000 + i), "Q"});
    Data.NameTable.Commit();
    bool sawBusy = false;
    QTimer::singleShot(0, &Dlg, [&] {
        sawBusy = Dlg.Busy() && Dlg.isVisible();
        QTest::mouseClick(Dlg.CancelButton(), Qt::LeftButton);
    });
    EXPECT_EQ(TSearchDlg::ResultCancel, Dlg.PickName(true));
    EXPECT_TRUE(sawBusy);
    EXPECT_FALSE(Dlg.Busy());
    EXPECT_LT(Dlg.List()->count(), 20 * TSearchDlg::FillUnit);
}

TEST_F(SearchDlgTest, EntryOperationsRunModallyAndReturnTheChoice) {
    AddPerson("Ann", "Lee");
    AddPerson("Bob", "Brown");
    // Waits for the idle fill, then clicks the second entry and OK.
    const auto chooseSecond = [this] {
        auto *poll = new QTimer(&Dlg);
        QObject::connect(poll, &QTimer::timeout, &Dlg, [this, poll] {
            if (Dlg.Busy() || !Dlg.isVisible())
                return;
            poll->deleteLater();
            poll->stop();
            QListWidget *list = Dlg.List();
            list->setCurrentRow(1);
            emit list->itemClicked(list->item(1));
            QTest::mouseClick(Dlg.OkButton(), Qt::LeftButton);
        });
        poll->start(5);
    };
    chooseSecond();
    std::string first, last, previewed;
    ASSERT_TRUE(Dlg.PickName(
        false, [&](const std::string &f, const std::string &l) { previewed = f + " " + l; },
        first, last));
    EXPECT_EQ("Ann", first) << "last names first: Brown Bob, Lee Ann";
    EXPECT_EQ("Lee", last);
    EXPECT_EQ("Ann Lee", previewed) << "the click previews";

    chooseSecond();
    const TAtlasPicks picks = Dlg.AtlasPicks();
    EXPECT_EQ(std::optional<std::string>("Denmark"), picks.PickState());
    chooseSecond();
    TAtlasPlace place;
    ASSERT_TRUE(Dlg.PickPlace("Denmark", place));
    EXPECT_EQ("Copenhagen", place.PlaceName);
    EXPECT_EQ(5541, place.Latitude);
    EXPECT_EQ("Central Europe", place.ZoneName);

    QTimer::singleShot(0, &Dlg, [this] { QTest::keyClick(&Dlg, Qt::Key_Escape); });
    EXPECT_EQ(std::nullopt, picks.PickZone());
}

// --- delete -------------------------------------------------------------------------------------

TEST_F(SearchDlgTest, DeletingAPersonAsksThenRemovesItsRecordAndMemberships) {
    AddPerson("Ann", "Lee", {"Family", "Work"});
    AddPerson("Ann", "Leeds", {"Family"});
    AddPerson("Bob", "Brown", {"Work"});
    std::vector<std::string> reloaded;
    Dlg.NameDialogNames = [] { return TPersonName{"Bob", "Brown"}; };
    Dlg.ReloadName = [&](const std::string &f, const std::string &l) {
        reloaded.push_back(f + " " + l);
    };
    Dlg.SetFirstNamesFirst(true);
    Fill(TSearchDlg::Names);
    Select("Ann Lee");

    Answer = false;
    Dlg.DeleteClicked();
    ASSERT_EQ(1, Questions.size());
    EXPECT_EQ("Delete|Do you want to delete Ann Lee and remove this person from all groups?",
              Questions[0]);
    EXPECT_EQ(1, Beeps);
    EXPECT_EQ(3u, NameRows().size()) << "No deletes nothing";
    EXPECT_EQ(4u, MembershipRows().size());
    EXPECT_TRUE(reloaded.empty());

    Answer = true;
    Dlg.DeleteClicked();
    EXPECT_EQ((std::set<std::pair<std::string, std::string>>{{"Ann", "Leeds"}, {"Bob", "Brown"}}),
              NameRows());
    EXPECT_EQ((std::set<TMembership>{{"Ann", "Leeds", "Family"}, {"Bob", "Brown", "Work"}}),
              MembershipRows());
    EXPECT_EQ((std::set<std::string>{"Family", "Work"}), GroupRows());
    EXPECT_EQ((std::vector<std::string>{"Bob Brown"}), reloaded);
    Dlg.FillNow();
    EXPECT_EQ((QStringList{"Ann Leeds", "Bob Brown"}), Listed());
}

TEST_F(SearchDlgTest, DeletingAGroupRemovesItsMembershipsAfterAQuestion) {
    AddPerson("Ann", "Lee", {"Family", "Work"});
    AddPerson("Bob", "Brown", {"Work"});
    int refreshed = 0;
    Dlg.GroupsChanged = [&] { ++refreshed; };
    Fill(TSearchDlg::Groups);
    EXPECT_TRUE(Dlg.DeleteButton()->isEnabled());
    EXPECT_TRUE(Dlg.SwapButton()->isHidden());
    Select("Work");
    Answer = false;
    Dlg.DeleteClicked();
    EXPECT_EQ(3u, MembershipRows().size());
    Answer = true;
    Dlg.DeleteClicked();
    EXPECT_EQ((std::set<TMembership>{{"Ann", "Lee", "Family"}}), MembershipRows());
    EXPECT_EQ((std::set<std::string>{"Family"}), GroupRows());
    EXPECT_EQ(2u, NameRows().size());
    EXPECT_EQ(1, refreshed);
    Dlg.FillNow();
    EXPECT_EQ((QStringList{"Family"}), Listed());
    ASSERT_EQ(2, Questions.size());
    EXPECT_TRUE(Questions[1].contains("Work"));
}

} // namespace
} // namespace kyr::test
