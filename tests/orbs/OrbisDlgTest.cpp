// The orb-set dialog over scratch orb tables: the system sets read-only, a user set saved and
// deleted, the whole-degree cells, and what OK does to the settings and a chart's orbs.
#include "OrbisDlg.h"

#include "AtlasEditorSupport.h"
#include "Horoscope.h"
#include "KyrSetup.h"
#include "OrbSets.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace kyr;
using kyr::test::TScratchAtlas;

class OrbisDlgTest : public ::testing::Test {
protected:
    OrbisDlgTest() {
        static const bool fonts = [] {
            QFontDatabase::addApplicationFont(KYR_PROGRAM_DIR "KYRS.TTF");
            return true;
        }();
        (void)fonts;
        // Two system sets and one user set, each with its fourteen points.
        AddSet("Medium", true, 6);
        AddSet("Mine", false, 3);
        AddSet("Strong", true, 8);
    }

    void AddSet(const std::string &name, bool system, int orb) {
        Atlas.Data.OrbisTable.AppendRecord({name, system});
        for (long long point = 1; point <= AspectPointCount; ++point) {
            std::vector<TFieldValue> row = {name, point};
            for (int c = 0; c < OrbColumnCount; ++c)
                row.emplace_back(static_cast<long long>(orb + c % 2));
            Atlas.Data.OrbisDefTable.AppendRecord(row);
        }
    }

    std::unique_ptr<TOrbisDlg> Open(const std::string &name) {
        auto dialog = std::make_unique<TOrbisDlg>(Atlas.Data, Setup, Atlas.Language);
        // What Execute does before it shows the dialog.
        dialog->ListSets(name);
        if (dialog->List()->currentRow() >= 0)
            dialog->ShowSet(name);
        return dialog;
    }

    std::vector<std::string> ListedSets(const TOrbisDlg &dialog) const {
        std::vector<std::string> names;
        for (int i = 0; i < dialog.List()->count(); ++i)
            names.push_back(dialog.List()->item(i)->text().toStdString());
        return names;
    }

    // The row of ORBISDEF for (set, point), each orb as text; empty when there is none.
    std::vector<std::string> StoredRow(const std::string &name, int point) {
        for (const auto &row : TScratchAtlas::Rows(Atlas.Data.OrbisDefTable))
            if (row[0] == name && row[1] == std::to_string(point))
                return {row.begin() + 2, row.end()};
        return {};
    }

    TScratchAtlas Atlas;
    TKyrSetup Setup;
};

// Which sets the user may change: his own always, the system sets only for the data
// maintainer (Debug flag "Database").
TEST_F(OrbisDlgTest, SystemSetsAreReadOnlyUnlessTheDatabaseFlagIsSet) {
    struct TCase {
        const char *set;
        bool databaseFlag;
        bool editable;
    };
    const TCase cases[] = {{"Strong", false, false},
                           {"Medium", false, false},
                           {"Mine", false, true},
                           {"Strong", true, true},
                           {"Mine", true, true}};
    for (const TCase &c : cases) {
        SCOPED_TRACE(std::string(c.set) + (c.databaseFlag ? " with the flag" : ""));
        Setup.Debug.Database = c.databaseFlag;
        auto dialog = Open("Medium");
        // The user clicks the set in the list.
        QListWidget *list = dialog->List();
        const auto items = list->findItems(c.set, Qt::MatchExactly);
        ASSERT_EQ(1, items.size());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(items[0]).center());
        EXPECT_EQ(c.set, dialog->SelectedName());
        EXPECT_EQ(c.editable, dialog->SaveButton()->isEnabled());
        EXPECT_EQ(c.editable, dialog->DeleteButton()->isEnabled());
        EXPECT_EQ(c.editable, dialog->GridEditable());
    }
}

TEST_F(OrbisDlgTest, OpensOnTheCurrentSetOrOnZerosForAnUnknownName) {
    auto dialog = Open("Strong");
    EXPECT_EQ((std::vector<std::string>{"Medium", "Mine", "Strong"}), ListedSets(*dialog));
    EXPECT_EQ("Strong", dialog->SelectedName());
    EXPECT_EQ("8", dialog->Cell(1, 1).toStdString());
    EXPECT_EQ("9", dialog->Cell(14, 2).toStdString());
    EXPECT_FALSE(dialog->GridEditable());
    EXPECT_EQ(Atlas.Language.GetText(471), dialog->windowTitle().toStdString());

    auto unknown = Open("Gone");
    EXPECT_EQ("", unknown->SelectedName());
    for (int point = 1; point <= AspectPointCount; ++point)
        for (int column = 1; column <= OrbColumnCount; ++column)
            ASSERT_EQ("0", unknown->Cell(point, column).toStdString());
}

TEST_F(OrbisDlgTest, ANewNameSavesTheGridAsAUserSetOfFourteenPoints) {
    auto dialog = Open("Strong");
    QTest::keyClicks(dialog->NameEdit(), "Tight");
    EXPECT_FALSE(dialog->List()->isEnabled());
    EXPECT_TRUE(dialog->GridEditable());
    EXPECT_EQ("", dialog->SelectedName());
    dialog->SetCell(1, 5, "12"); // the Sun's square
    dialog->SaveButton()->click();
    EXPECT_EQ("", dialog->NameEdit()->text().toStdString());
    EXPECT_TRUE(dialog->List()->isEnabled());
    EXPECT_EQ((std::vector<std::string>{"Medium", "Mine", "Strong", "Tight"}), ListedSets(*dialog));
    EXPECT_EQ("Tight", dialog->SelectedName());
    EXPECT_TRUE(dialog->DeleteButton()->isEnabled());
    EXPECT_EQ((std::vector<std::string>{"8", "9", "8", "9", "12", "9", "8", "9", "8"}),
              StoredRow("Tight", 1));
    EXPECT_EQ((std::vector<std::string>{"8", "9", "8", "9", "8", "9", "8", "9", "8"}),
              StoredRow("Tight", 14));
    const auto sets = TScratchAtlas::Rows(Atlas.Data.OrbisTable);
    ASSERT_EQ(4u, sets.size());
    EXPECT_EQ((std::vector<std::string>{"Tight", "False"}), sets[3]);
}

TEST_F(OrbisDlgTest, SavingASetWithSomePointsMissingAddsTheirRecords) {
    for (long long point = 5; point <= AspectPointCount; ++point) {
        ASSERT_TRUE(Atlas.Data.OrbisDefTable.FindKey({std::string("Mine"), point}));
        Atlas.Data.OrbisDefTable.Delete();
    }
    auto dialog = Open("Mine");
    EXPECT_EQ("3", dialog->Cell(4, 1).toStdString());
    EXPECT_EQ("0", dialog->Cell(5, 1).toStdString()); // missing points show zeros
    dialog->SetCell(5, 1, "2");
    dialog->SaveButton()->click();
    EXPECT_EQ((std::vector<std::string>{"2", "0", "0", "0", "0", "0", "0", "0", "0"}),
              StoredRow("Mine", 5));
    EXPECT_EQ(9u, StoredRow("Mine", 14).size());
    EXPECT_EQ("4", StoredRow("Mine", 4)[1]);
}

// The system sets are the program's own: a user set may not be saved over one by name.
TEST_F(OrbisDlgTest, ANameOfASystemSetIsRefusedInAnyCase) {
    auto dialog = Open("Mine");
    const auto before = TScratchAtlas::Rows(Atlas.Data.OrbisDefTable);
    for (const char *name : {"Strong", "strong"}) {
        SCOPED_TRACE(name);
        dialog->NameEdit()->setText(name);
        dialog->SetCell(1, 1, "30");
        dialog->SaveButton()->click();
        EXPECT_EQ(before, TScratchAtlas::Rows(Atlas.Data.OrbisDefTable));
        EXPECT_EQ(name, dialog->NameEdit()->text().toStdString());
    }
    // A user set typed in another case is saved under its stored name.
    dialog->NameEdit()->setText("MINE");
    dialog->SaveButton()->click();
    EXPECT_EQ("30", StoredRow("Mine", 1)[0]);
    EXPECT_EQ((std::vector<std::string>{"Medium", "Mine", "Strong"}), ListedSets(*dialog));
    EXPECT_EQ("Mine", dialog->SelectedName());
}

TEST_F(OrbisDlgTest, DeletingSelectsTheNextSetOrThePreviousForTheLast) {
    AddSet("Wide", false, 10);
    auto dialog = Open("Mine");
    dialog->DeleteButton()->click();
    EXPECT_EQ((std::vector<std::string>{"Medium", "Strong", "Wide"}), ListedSets(*dialog));
    EXPECT_EQ("Strong", dialog->SelectedName());
    dialog->accept();
    EXPECT_TRUE(StoredRow("Mine", 1).empty());
    EXPECT_TRUE(StoredRow("Mine", 14).empty());

    auto last = Open("Wide");
    last->DeleteButton()->click();
    EXPECT_EQ("Strong", last->SelectedName());
    EXPECT_EQ("8", last->Cell(1, 1).toStdString());
    // The system set now selected cannot be deleted.
    EXPECT_FALSE(last->DeleteButton()->isEnabled());
}

TEST_F(OrbisDlgTest, DeletingTheOnlySetLeavesZeros) {
    TScratchAtlas atlas;
    atlas.Data.OrbisTable.AppendRecord({std::string("Only"), false});
    atlas.Data.OrbisDefTable.AppendRecord(
        {std::string("Only"), 1LL, 5LL, 5LL, 5LL, 5LL, 5LL, 5LL, 5LL, 5LL, 5LL});
    TOrbisDlg dialog(atlas.Data, Setup, Atlas.Language);
    dialog.ListSets("Only");
    dialog.ShowSet("Only");
    EXPECT_EQ("5", dialog.Cell(1, 9).toStdString());
    dialog.DeleteButton()->click();
    EXPECT_EQ(0, dialog.List()->count());
    EXPECT_EQ("", dialog.SelectedName());
    EXPECT_EQ("0", dialog.Cell(1, 9).toStdString());
    dialog.accept();
    EXPECT_TRUE(TScratchAtlas::Rows(atlas.Data.OrbisDefTable).empty());
    EXPECT_TRUE(TScratchAtlas::Rows(atlas.Data.OrbisTable).empty());
}

// Deletions wait for OK: Cancel leaves every set in the tables, and a set deleted and saved
// again under its name stays.
TEST_F(OrbisDlgTest, CancelKeepsTheSetsDeletedMeanwhile) {
    AddSet("Wide", false, 10);
    auto dialog = Open("Mine");
    dialog->DeleteButton()->click();
    ASSERT_EQ((std::vector<std::string>{"Medium", "Strong", "Wide"}), ListedSets(*dialog));
    dialog->reject();
    EXPECT_FALSE(StoredRow("Mine", 1).empty());
    EXPECT_FALSE(StoredRow("Mine", 14).empty());
    EXPECT_EQ((std::vector<std::string>{"Medium", "Mine", "Strong", "Wide"}),
              ListedSets(*Open("Medium")));

    auto again = Open("Wide");
    again->DeleteButton()->click();
    again->NameEdit()->setText("wide");
    again->SaveButton()->click();
    again->accept();
    EXPECT_FALSE(StoredRow("Wide", 1).empty());
    EXPECT_EQ((std::vector<std::string>{"Medium", "Mine", "Strong", "Wide"}),
              ListedSets(*Open("Medium")));
}

// The set the charts use cannot go: without it every orb would be 0 from the next start on.
TEST_F(OrbisDlgTest, TheSetInUseIsNotDeleted) {
    std::vector<std::string> messages;
    Setup.System.OrbisName = "mine";
    auto dialog = Open("Mine");
    dialog->ShowMessage = [&](const QString &m) { messages.push_back(m.toStdString()); };
    ASSERT_TRUE(dialog->DeleteButton()->isEnabled());
    dialog->DeleteButton()->click();
    EXPECT_EQ((std::vector<std::string>{"The orb set Mine is in use and cannot be deleted. "
                                        "Choose another set with OK first."}),
              messages);
    EXPECT_EQ((std::vector<std::string>{"Medium", "Mine", "Strong"}), ListedSets(*dialog));
    EXPECT_EQ("Mine", dialog->SelectedName());
    dialog->accept();
    EXPECT_FALSE(StoredRow("Mine", 1).empty());
}

// Orbs are whole degrees 0..180: anything else cannot be typed into a cell.
TEST_F(OrbisDlgTest, CellsTakeWholeDegreesUpToHalfACircle) {
    auto dialog = Open("Mine");
    QTableWidget *grid = dialog->Grid();
    const QModelIndex cell = grid->model()->index(2, 3);
    struct TCase {
        const char *typed;
        const char *kept;
    };
    const TCase cases[] = {{"7", "7"}, {"180", "180"}, {"181", "18"},
                           {"x", ""},  {"-1", "1"},    {"4.5", "45"}};
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.typed);
        std::unique_ptr<QWidget> editor(
            grid->itemDelegate()->createEditor(grid->viewport(), {}, cell));
        auto *edit = qobject_cast<QLineEdit *>(editor.get());
        ASSERT_NE(nullptr, edit);
        QTest::keyClicks(edit, c.typed);
        EXPECT_EQ(c.kept, edit->text().toStdString());
    }
}

// OK: the chosen set becomes the settings' orb set and goes into the chart.
TEST_F(OrbisDlgTest, AnAppliedUserSetChangesTheChartsOrbs) {
    THoroscope chart;
    Setup.System.OrbisName = "Strong";
    Setup.ApplyUserOrbs(Atlas.Data.OrbisDefTable, chart);
    ASSERT_EQ(8 * 60, chart.Orb(7, 1));

    auto dialog = Open("Mine");
    dialog->SetCell(1, 5, "11");
    dialog->SaveButton()->click();
    ApplyChosenOrbs(*dialog, Setup, Atlas.Data, {&chart});
    EXPECT_EQ("Mine", Setup.System.OrbisName);
    EXPECT_EQ(11 * 60, chart.Orb(7, 1)); // the Sun's square, as typed
    EXPECT_EQ(3 * 60, chart.Orb(1, 14)); // the MC's conjunction
    EXPECT_EQ(3 * 60, chart.Orb(13, 2)); // the Moon's opposition
    EXPECT_EQ(0, chart.Orb(2, 1));       // slots without a column get no orb

    // OK without a selection: no orb set, and the chart keeps its orbs.
    auto none = Open("Gone");
    ApplyChosenOrbs(*none, Setup, Atlas.Data, {&chart});
    EXPECT_EQ("", Setup.System.OrbisName);
    EXPECT_EQ(11 * 60, chart.Orb(7, 1));
}

TEST_F(OrbisDlgTest, HeaderHintsNameTheAspectAndThePoint) {
    auto dialog = Open("Mine");
    dialog->show();
    QTableWidget *grid = dialog->Grid();
    const auto hintAt = [&](int row, int column) {
        const QPoint at = grid->visualRect(grid->model()->index(row, column)).center();
        QHelpEvent event(QEvent::ToolTip, at, grid->viewport()->mapToGlobal(at));
        QApplication::sendEvent(grid->viewport(), &event);
        return QToolTip::text().toStdString();
    };
    // Data cells and the corner have no hint.
    EXPECT_EQ("", hintAt(3, 3));
    EXPECT_EQ("", hintAt(0, 0));
    EXPECT_EQ("135\u00B0", hintAt(0, 7));
    EXPECT_EQ(Atlas.Language.PointName(14), hintAt(14, 0));
    dialog->hide();
}

TEST_F(OrbisDlgTest, DialogIsDrawnForALook) {
    auto dialog = Open("Strong");
    dialog->show();
    QApplication::processEvents();
    EXPECT_TRUE(dialog->grab().save(KYR_TEST_OUTPUT_DIR "/orbs-system.png"));
    auto user = Open("Mine");
    user->NameEdit()->setText("Tight");
    user->show();
    QApplication::processEvents();
    EXPECT_TRUE(user->grab().save(KYR_TEST_OUTPUT_DIR "/orbs-new.png"));
}

} // namespace
