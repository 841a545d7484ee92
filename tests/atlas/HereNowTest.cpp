// The here place chosen and kept in the user's settings file, and the now dialog's fields that
// follow the clock until the user types over them.
#include "HereNow.h"

#include "AtlasEditorSupport.h"
#include "KyrSetup.h"
#include "PlaceOffsets.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace kyr;
using kyr::test::TScratchAtlas;

class HereNowTest : public ::testing::Test {
protected:
    HereNowTest() {
        Environment.ProgramDirectory = Atlas.Directory;
        Environment.CanWrite = [](const std::string &) { return true; };
        Setup = std::make_unique<TKyrSetup>(Environment);
    }

    // The here place as the next start-up reads it from the file.
    std::string PlaceInFile() const {
        TKyrSetup reader(Environment);
        reader.ReadSettings(UserSettingsName);
        return reader.Place();
    }

    TScratchAtlas Atlas;
    TSetupEnvironment Environment;
    std::unique_ptr<TKyrSetup> Setup;
};

// Each step may be refused; only the full sequence changes the place.
TEST_F(HereNowTest, DefineHereStoresStateAndPlaceOnlyWhenEveryStepIsTaken) {
    struct TCase {
        const char *what;
        std::vector<bool> confirms; ///< answers to the two notices, in order
        std::optional<std::string> state, place;
        bool expected;
    };
    const TCase cases[] = {
        {"first notice dismissed", {false, true}, "Norway", "Bergen", false},
        {"no state chosen", {true, true}, std::nullopt, "Bergen", false},
        {"second notice dismissed", {true, false}, "Norway", "Bergen", false},
        {"cancelled at the place", {true, true}, "Norway", std::nullopt, false},
        {"every step taken", {true, true}, "Norway", "Bergen", true},
    };
    Setup->SetPlace("Chile, Santiago");
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> said;
        std::size_t answer = 0;
        TAtlasPrompts prompts;
        prompts.Confirm = [&](const QString &text) {
            said.push_back(text.toStdString());
            return c.confirms[answer++];
        };
        TAtlasPicks picks;
        std::string pickedFor;
        picks.PickState = [&] { return c.state; };
        picks.PickPlace = [&](const std::string &state) {
            pickedFor = state;
            return c.place;
        };
        EXPECT_EQ(c.expected, DefineHere(*Setup, Atlas.Language, picks, prompts));
        const std::string expected = c.expected ? "Norway, Bergen" : "Chile, Santiago";
        EXPECT_EQ(expected, Setup->Place());
        EXPECT_EQ(expected, PlaceInFile());
        ASSERT_FALSE(said.empty());
        EXPECT_EQ(Atlas.Language.GetText(673), said[0]);
        if (c.expected) {
            EXPECT_EQ(Atlas.Language.GetText(674), said.at(1));
            EXPECT_EQ("Norway", pickedFor);
        }
    }
}

// The stored place is split at its first comma: a separator without one would lose it.
TEST(HerePlaceSeparator, IsTheListSeparatorWhenItHasACommaElseCommaBlank) {
    struct TCase {
        const char *line; ///< the language's text 1018, or none
        const char *expected;
    };
    const TCase cases[] = {{"", ", "}, {"1018=\",  \"", ",  "}, {"1018=\" / \"", ", "}};
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.line);
        TLanguage language;
        language.SetCountry("ZZ"); // no text file of that name: the texts come from the event
        language.OnGetTokens = [&c](TLanguage &, const std::string &, std::string &stream) {
            stream = std::string("1=\"x\"\n") + c.line + "\n";
        };
        language.SetActive(true);
        const std::string separator = HerePlaceSeparator(language);
        EXPECT_EQ(c.expected, separator);
        std::string state, place;
        ASSERT_TRUE(SplitPlaceText("Norway" + separator + "Bergen", state, place));
        EXPECT_EQ("Norway", state);
        EXPECT_EQ("Bergen", place);
    }
}

class SetNowDlgTest : public ::testing::Test {
protected:
    SetNowDlgTest() {
        Dialog = std::make_unique<TSetNowDlg>(Atlas.Language);
        Dialog->Clock = [this] { return Now; };
    }

    std::vector<std::string> Fields() const {
        std::vector<std::string> fields;
        for (QLineEdit *edit : {Dialog->Year(), Dialog->Month(), Dialog->Day(), Dialog->Hour(),
                                Dialog->Minute(), Dialog->Second()})
            fields.push_back(edit->text().toStdString());
        return fields;
    }

    TScratchAtlas Atlas;
    QDateTime Now{QDate(2024, 3, 9), QTime(7, 5, 3)};
    std::unique_ptr<TSetNowDlg> Dialog;
};

TEST_F(SetNowDlgTest, TypedFieldsStayWhileTheOthersFollowTheClock) {
    Dialog->Tick();
    EXPECT_EQ((std::vector<std::string>{"2024", "03", "09", "07", "05", "03"}), Fields());
    Dialog->show();
    QTest::keyClick(Dialog->Year(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Dialog->Year(), "1999");
    Now = QDateTime(QDate(2025, 12, 31), QTime(23, 59, 58));
    Dialog->Tick();
    EXPECT_EQ((std::vector<std::string>{"1999", "12", "31", "23", "59", "58"}), Fields());
    EXPECT_TRUE(Dialog->Changed(0));
    EXPECT_FALSE(Dialog->Changed(1));
    // Every field but the second can be held; the second always follows.
    QTest::keyClick(Dialog->Second(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Dialog->Second(), "30");
    QTest::keyClick(Dialog->Minute(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Dialog->Minute(), "15");
    Now = Now.addSecs(1);
    Dialog->Tick();
    EXPECT_EQ((std::vector<std::string>{"1999", "12", "31", "23", "15", "59"}), Fields());
    EXPECT_EQ(QDateTime(QDate(1999, 12, 31), QTime(23, 15, 59)), Dialog->Moment());
    Dialog->hide();
}

TEST_F(SetNowDlgTest, TheClockRunsEverySecondOnlyWhileTheDialogShows) {
    EXPECT_FALSE(Dialog->Timer()->isActive());
    Dialog->show();
    EXPECT_TRUE(Dialog->Timer()->isActive());
    EXPECT_EQ(1000, Dialog->Timer()->interval());
    EXPECT_TRUE(Dialog->OkButton()->hasFocus() || !QApplication::focusWidget());
    Now = QDateTime(QDate(2030, 1, 2), QTime(3, 4, 5));
    QTest::qWait(1300);
    EXPECT_EQ("2030", Dialog->Year()->text().toStdString());
    Dialog->hide();
    EXPECT_FALSE(Dialog->Timer()->isActive());
}

TEST_F(SetNowDlgTest, LeavingAFieldHoldsTheYearTo1980Through2099) {
    Dialog->show();
    Dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Dialog.get()));
    Dialog->Year()->setFocus();
    QTest::keyClick(Dialog->Year(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Dialog->Year(), "1970");
    QTest::keyClick(Dialog->Year(), Qt::Key_Tab);
    EXPECT_EQ("1980", Dialog->Year()->text().toStdString());
    Dialog->hide();
}

TEST_F(SetNowDlgTest, DialogIsDrawnForALook) {
    Dialog->show();
    QApplication::processEvents();
    EXPECT_TRUE(Dialog->grab().save(KYR_TEST_OUTPUT_DIR "/now.png"));
    Dialog->hide();
}

} // namespace
