// The name dialog on the offscreen platform, over a small atlas and an empty person table of its
// own: a person born at an atlas place gets the offsets of the place and date, is saved, opened
// again and saved under another name; bad input gives its message and loses nothing.
#include "NameDlgTestSupport.h"

#include "Ephemeris.h"
#include "SupportedDates.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

namespace kyr::test {
namespace {

TEST_F(NameDlgTest, NewPersonAtAnAtlasPlaceGetsItsOffsetsAndIsSaved) {
    auto dialog = Show();
    Type(Edit(*dialog, "Edit_FirstName"), "Anna");
    Type(Edit(*dialog, "Edit_LastName"), "Berg");
    TypeDate(*dialog, "1985", "07", "01", "12", "00", "00");
    Type(Edit(*dialog, "Edit_Country"), "Testland");
    // The place as far as typed: leaving it completes it from the atlas.
    Type(Edit(*dialog, "Edit_Place"), "Middle");
    Leave(Edit(*dialog, "Edit_Place"));
    EXPECT_EQ(Text(*dialog, "Edit_Place"), "Middletown");
    EXPECT_EQ(Text(*dialog, "Edit_LatDegrees"), "52");
    EXPECT_EQ(Text(*dialog, "Edit_LatMinutes"), "31");
    EXPECT_EQ(Text(*dialog, "Edit_LatMark"), "N");
    EXPECT_EQ(Text(*dialog, "Edit_LonDegrees"), "13");
    EXPECT_EQ(Text(*dialog, "Edit_LonMinutes"), "22");
    EXPECT_EQ(Text(*dialog, "Edit_LonMark"), "E");
    // Summer time in July: zone one hour east, summer time one hour.
    EXPECT_EQ(Text(*dialog, "Edit_ZoneHours"), "1");
    EXPECT_EQ(Text(*dialog, "Edit_ZoneMinutes"), "00");
    EXPECT_EQ(Text(*dialog, "Edit_ZoneMark"), "E");
    EXPECT_EQ(Text(*dialog, "Edit_SummerHours"), "1");
    EXPECT_EQ(Text(*dialog, "Edit_SummerMinutes"), "00");
    EXPECT_EQ(dialog->ZoneRef(), "1001");
    EXPECT_EQ(dialog->EditState(), TEditState::New); // the place filled the coordinates
    EXPECT_TRUE(Button(*dialog, "Button_OK")->isEnabled());
    EXPECT_TRUE(Button(*dialog, "Button_Save")->isEnabled());

    // A winter date: the summer offset goes back to 0 when the date field is left.
    Type(Edit(*dialog, "Edit_Month"), "1");
    Leave(Edit(*dialog, "Edit_Month"));
    EXPECT_EQ(Text(*dialog, "Edit_SummerHours"), "0");
    EXPECT_EQ(Text(*dialog, "Edit_ZoneHours"), "1");
    Type(Edit(*dialog, "Edit_Month"), "07");
    Leave(Edit(*dialog, "Edit_Month"));

    Answers = {QMessageBox::Yes};
    Click(*dialog, "Button_Save");
    ASSERT_EQ(Questions.size(), 1u);
    EXPECT_EQ(Questions[0], "Do you want to save the changes to Anna Berg?");
    const auto stored = FindName(Data, "Anna", "Berg");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->BirthCountry, "Testland");
    EXPECT_EQ(stored->BirthTown, "Middletown");
    EXPECT_EQ(stored->BirthDate, "19850701");
    EXPECT_EQ(stored->BirthTime, "120000");
    EXPECT_EQ(stored->Latitude, 5231);
    EXPECT_EQ(stored->Longitude, -1322);
    EXPECT_EQ(stored->TimeZone, "0100E");
    EXPECT_EQ(stored->SummerTime, "+0100");
    EXPECT_EQ(dialog->EditState(), TEditState::Found);
    EXPECT_FALSE(Button(*dialog, "Button_Save")->isEnabled());
    EXPECT_TRUE(Messages.empty());

    // What OK hands the main window.
    THoroscope chart;
    dialog->ApplyToHoroscope(chart);
    EXPECT_EQ(chart.FirstName, "Anna");
    EXPECT_EQ(chart.PlaceName, "Middletown");
    EXPECT_EQ(chart.StateName, "Testland");
    EXPECT_DOUBLE_EQ(static_cast<double>(chart.BirthDate()), 1985.0701);
    EXPECT_DOUBLE_EQ(static_cast<double>(chart.Latitude()), 52.31);
    EXPECT_DOUBLE_EQ(static_cast<double>(chart.Longitude()), -13.22);
    EXPECT_DOUBLE_EQ(static_cast<double>(chart.ZoneTime()), -1.00);
    EXPECT_DOUBLE_EQ(static_cast<double>(chart.SummerTime()), 1.00);
    EXPECT_FALSE(chart.Active());
}

TEST_F(NameDlgTest, ADateBeforeThePlacesCalendarChangeIsMarkedJulian) {
    auto dialog = Show();
    Type(Edit(*dialog, "Edit_Country"), "Testland");
    Type(Edit(*dialog, "Edit_Place"), "Middletown");
    const auto mark = [&] {
        return dialog->findChild<QLabel *>(QStringLiteral("Label_Calendar"))->text();
    };
    // Testland's zone changes to the Gregorian calendar on 15 October 1582.
    const struct {
        const char *Year, *Month, *Day, *Mark;
    } cases[] = {
        {"1580", "06", "01", "(Julian)"}, {"1582", "10", "04", "(Julian)"},
        {"1582", "10", "15", ""},         {"1590", "06", "01", ""},
        {"", "", "", ""},
    };
    for (const auto &c : cases) {
        TypeDate(*dialog, c.Year, c.Month, c.Day, "12", "00", "00");
        EXPECT_EQ(mark(), c.Mark) << c.Year << "-" << c.Month << "-" << c.Day;
    }
}

TEST_F(NameDlgTest, OffsetsFollowTheSwitchesAndTheDateBeforeStandardTime) {
    auto dialog = Show();
    Type(Edit(*dialog, "Edit_FirstName"), "Old");
    Type(Edit(*dialog, "Edit_LastName"), "Timer");
    TypeDate(*dialog, "1850", "03", "01", "10", "00", "00");
    Type(Edit(*dialog, "Edit_Country"), "Testland");
    Type(Edit(*dialog, "Edit_Place"), "Middletown");
    Leave(Edit(*dialog, "Edit_Place"));
    // Before standard time the place's own mean time: 13°22' east is 53 minutes.
    EXPECT_EQ(Text(*dialog, "Edit_ZoneHours") + ":" + Text(*dialog, "Edit_ZoneMinutes") +
                  Text(*dialog, "Edit_ZoneMark"),
              "0:53E");
    EXPECT_EQ(Text(*dialog, "Edit_SummerHours"), "0");

    // The zone switch off: the typed offset stays when the date changes.
    auto *zoneSwitch = dialog->findChild<QCheckBox *>("CheckBoxZoneTime");
    ASSERT_TRUE(dialog->SelectPage(TNameDlg::Details));
    QTest::mouseClick(zoneSwitch, Qt::LeftButton, Qt::NoModifier,
                      QPoint(4, zoneSwitch->height() / 2));
    EXPECT_FALSE(Setup->System.ChkZoneTime);
    Type(Edit(*dialog, "Edit_ZoneHours"), "3");
    Leave(Edit(*dialog, "Edit_ZoneHours"));
    dialog->SelectPage(TNameDlg::Basics);
    Type(Edit(*dialog, "Edit_Year"), "1990");
    Leave(Edit(*dialog, "Edit_Year"));
    EXPECT_EQ(Text(*dialog, "Edit_ZoneHours"), "3");
    // On again: the offsets are recalculated at once.
    dialog->SelectPage(TNameDlg::Details);
    QTest::mouseClick(zoneSwitch, Qt::LeftButton, Qt::NoModifier,
                      QPoint(4, zoneSwitch->height() / 2));
    EXPECT_TRUE(Setup->System.ChkZoneTime);
    EXPECT_EQ(Text(*dialog, "Edit_ZoneHours"), "1");
}

TEST_F(NameDlgTest, ReopenEditAndSaveUnderAnotherLastNameGivesTwoRecords) {
    StorePerson("Anna", "Berg", {"born at home"});
    auto dialog = Show();
    dialog->LoadName("Anna", "Berg");
    EXPECT_EQ(dialog->EditState(), TEditState::Found);
    EXPECT_EQ(Text(*dialog, "Edit_Year"), "1985");
    EXPECT_EQ(Text(*dialog, "Edit_Month"), "07");
    EXPECT_EQ(Text(*dialog, "Edit_ZoneMark"), "E");
    EXPECT_EQ(dialog->findChild<QPlainTextEdit *>("Memo1")->toPlainText(), "born at home");
    EXPECT_FALSE(Button(*dialog, "Button_Save")->isEnabled());

    Type(Edit(*dialog, "Edit_LastName"), "Lund"); // a name change alone is no change
    EXPECT_EQ(dialog->EditState(), TEditState::Found);
    dialog->SelectPage(TNameDlg::Notes);
    auto *memo = dialog->findChild<QPlainTextEdit *>("Memo1");
    memo->setFocus();
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, ", married");
    EXPECT_EQ(dialog->EditState(), TEditState::Changed);
    EXPECT_TRUE(Button(*dialog, "Button_Save")->isEnabled());

    Click(*dialog, "Button_Save"); // changed: saved without a question
    EXPECT_TRUE(Questions.empty());
    EXPECT_EQ(Data.NameTable.RecordCount(), 2);
    EXPECT_EQ(FindName(Data, "Anna", "Berg")->Notes, std::vector<std::string>{"born at home"});
    EXPECT_EQ(FindName(Data, "Anna", "Lund")->Notes,
              std::vector<std::string>{"born at home, married"});
    EXPECT_EQ(FindName(Data, "Anna", "Lund")->TimeZone, "0100E");
    EXPECT_EQ(dialog->EditState(), TEditState::Found);
}

// ConfirmSave in every state, with and without force, for each answer.
TEST_F(NameDlgTest, ConfirmSaveInEveryState) {
    StorePerson("Anna", "Berg", {"stored"});
    const int yes = QMessageBox::Yes, no = QMessageBox::No, cancel = QMessageBox::Cancel;
    const struct {
        TEditState State;
        bool Force;
        int Answer; ///< 0: no question expected
        bool Result;
        TEditState After;
        const char *StoredNotes; ///< Anna Lund's (new) or Anna Berg's (others) notes; null: none
        const char *ShownFirst;  ///< the first name shown afterwards
    } cases[] = {
        {TEditState::Empty, false, 0, true, TEditState::Empty, "stored", ""},
        {TEditState::Empty, true, 0, true, TEditState::Empty, "stored", ""},
        {TEditState::Found, false, 0, true, TEditState::Found, "stored", "Anna"},
        {TEditState::Found, true, 0, true, TEditState::Found, "stored", "Anna"},
        {TEditState::Changed, true, 0, true, TEditState::Found, "edited", "Anna"},
        {TEditState::Changed, false, yes, true, TEditState::Found, "edited", "Anna"},
        {TEditState::Changed, false, no, true, TEditState::Found, "stored", "Anna"},
        {TEditState::Changed, false, cancel, false, TEditState::Changed, "stored", "Anna"},
        {TEditState::New, false, yes, true, TEditState::Found, "new", "Anna"},
        {TEditState::New, true, yes, true, TEditState::Found, "new", "Anna"},
        {TEditState::New, false, no, true, TEditState::Empty, nullptr, ""},
        {TEditState::New, true, cancel, false, TEditState::New, nullptr, "Anna"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "state " << static_cast<int>(c.State) << " force "
                                        << c.Force << " answer " << c.Answer);
        auto dialog = Show();
        const bool isNew = c.State == TEditState::New;
        const char *last = isNew ? "Lund" : "Berg";
        if (c.State != TEditState::Empty)
            PutInState(*dialog, c.State);
        Questions.clear();
        Answers.clear();
        if (c.Answer)
            Answers.push_back(c.Answer);
        EXPECT_EQ(dialog->ConfirmSave(c.Force), c.Result);
        EXPECT_EQ(Questions.size(), c.Answer ? 1u : 0u);
        EXPECT_EQ(dialog->EditState(), c.After);
        EXPECT_EQ(Text(*dialog, "Edit_FirstName"), c.ShownFirst);
        const auto stored = FindName(Data, "Anna", last);
        ASSERT_EQ(stored.has_value(), c.StoredNotes != nullptr);
        if (stored) {
            EXPECT_EQ(stored->Notes, std::vector<std::string>{c.StoredNotes});
        }
        // Back to the one stored person for the next case.
        SaveName(Data, Person("Anna", "Berg", {"stored"}));
        if (isNew && FindName(Data, "Anna", "Lund")) {
            Data.NameTable.FindKey({std::string("Anna"), std::string("Lund")});
            Data.NameTable.Delete();
        }
    }
}

TEST_F(NameDlgTest, OkClosesFoundNamesAndAsksForChangedOnes) {
    StorePerson("Anna", "Berg", {"stored"});
    {
        auto dialog = Show();
        dialog->LoadName("Anna", "Berg");
        Click(*dialog, "Button_OK");
        EXPECT_TRUE(Questions.empty());
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_FALSE(dialog->isVisible());
    }
    // Changed or new, the answer decides: Yes saves and closes, No closes without saving and
    // keeps the form as typed (the chart is cast from it), Cancel goes back to the form.
    const int yes = QMessageBox::Yes, no = QMessageBox::No, cancel = QMessageBox::Cancel;
    const struct {
        bool Stored;  ///< Anna Berg changed, else the new Carl
        int Answer;
        bool Closed, Saved;
    } cases[] = {
        {true, yes, true, true},    {true, no, true, false},    {true, cancel, false, false},
        {false, yes, true, true},   {false, no, true, false},   {false, cancel, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "stored " << c.Stored << " answer " << c.Answer);
        Questions.clear();
        auto dialog = Show();
        const char *first = c.Stored ? "Anna" : "Carl";
        const char *last = c.Stored ? "Berg" : "";
        if (c.Stored) {
            dialog->LoadName("Anna", "Berg");
        } else {
            Type(Edit(*dialog, "Edit_FirstName"), "Carl");
            TypeDate(*dialog, "1970", "1", "2", "3", "4", "5");
        }
        Type(Edit(*dialog, "Edit_Address1"), "1 High Street");
        Answers = {c.Answer};
        Click(*dialog, "Button_OK");
        EXPECT_EQ(Questions.size(), 1u);
        EXPECT_EQ(dialog->isVisible(), !c.Closed);
        if (c.Closed) {
            EXPECT_EQ(dialog->result(), QDialog::Accepted);
        }
        EXPECT_EQ(Text(*dialog, "Edit_FirstName"), first);
        EXPECT_EQ(Text(*dialog, "Edit_Address1"), "1 High Street");
        const auto stored = FindName(Data, first, last);
        ASSERT_EQ(stored.has_value(), c.Stored || c.Saved);
        if (stored) {
            EXPECT_EQ(stored->Address1, c.Saved ? "1 High Street" : "");
        }
        if (c.Closed && !c.Saved) {
            // What the main window casts is what the form shows.
            THoroscope chart;
            dialog->ApplyToHoroscope(chart);
            EXPECT_EQ(chart.FirstName, first);
            EXPECT_EQ(chart.LastName, last);
        }
        SaveName(Data, Person("Anna", "Berg", {"stored"}));
        if (Data.NameTable.FindKey({std::string("Carl"), std::string("")}))
            Data.NameTable.Delete();
    }
}

TEST_F(NameDlgTest, OkWithoutANameSaysSoAndKeepsTheForm) {
    auto dialog = Show();
    TypeDate(*dialog, "1970", "1", "2", "3", "4", "5");
    Type(Edit(*dialog, "Edit_Address1"), "Somewhere");
    ASSERT_EQ(dialog->EditState(), TEditState::New);
    Click(*dialog, "Button_OK");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(Questions.empty());
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0], Language.GetText(1480));
    EXPECT_EQ(Text(*dialog, "Edit_Address1"), "Somewhere");
    EXPECT_EQ(Text(*dialog, "Edit_Year"), "1970");
    EXPECT_EQ(dialog->EditState(), TEditState::New);
}

TEST_F(NameDlgTest, NamesStopAtFortyEightCharactersAndACutPasteSaysSo) {
    const QString long60(60, QLatin1Char('x'));
    for (const char *name : {"Edit_FirstName", "Edit_LastName"}) {
        SCOPED_TRACE(name);
        Messages.clear();
        auto dialog = Show();
        QLineEdit *edit = Edit(*dialog, name);
        Type(edit, long60);
        EXPECT_EQ(edit->text().size(), 48);
        EXPECT_TRUE(Messages.empty()); // typing just stops
        edit->clear();
        QApplication::clipboard()->setText(long60);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(edit->text().size(), 48);
        ASSERT_EQ(Messages.size(), 1u);
        EXPECT_EQ(Messages[0], Language.GetText(1481));
        // A paste that fits says nothing.
        edit->clear();
        QApplication::clipboard()->setText(QStringLiteral("Anna"));
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(edit->text(), QStringLiteral("Anna"));
        EXPECT_EQ(Messages.size(), 1u);
    }
}

TEST_F(NameDlgTest, BadDateGivesItsMessageAndLosesNothing) {
    auto dialog = Show();
    Type(Edit(*dialog, "Edit_FirstName"), "Dora");
    Type(Edit(*dialog, "Edit_LastName"), "Ek");
    TypeDate(*dialog, "2001", "02", "29", "10", "00", "00");
    Type(Edit(*dialog, "Edit_Address1"), "Harbour Road 5");
    ASSERT_EQ(dialog->EditState(), TEditState::New);
    const std::string invalidDate =
        "The birth date is not a valid calendar date. Please correct it.";

    for (const char *button : {"Button_OK", "Button_Save"}) {
        Messages.clear();
        Click(*dialog, button);
        ASSERT_EQ(Messages.size(), 1u) << button;
        EXPECT_EQ(Messages[0], invalidDate);
        EXPECT_TRUE(dialog->isVisible());
    }
    // The horoscope page refuses the change.
    Messages.clear();
    const int page = dialog->CurrentPage();
    EXPECT_FALSE(dialog->SelectPage(TNameDlg::Horoscop));
    EXPECT_EQ(Messages, std::vector<std::string>{invalidDate});
    EXPECT_EQ(dialog->CurrentPage(), page);
    EXPECT_EQ(dialog->findChild<QTabBar *>("TabSet1")->currentIndex(), page);
    // Cancel answered Yes cannot save it either: the dialog stays with everything typed.
    Messages.clear();
    Answers = {QMessageBox::Yes};
    Click(*dialog, "Button_Cancel");
    EXPECT_EQ(Messages, std::vector<std::string>{invalidDate});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Data.NameTable.RecordCount(), 0);
    EXPECT_EQ(Text(*dialog, "Edit_Day"), "29");
    EXPECT_EQ(Text(*dialog, "Edit_Address1"), "Harbour Road 5");
    EXPECT_EQ(dialog->EditState(), TEditState::New);

    // Corrected, it saves.
    Type(Edit(*dialog, "Edit_Day"), "28");
    Answers = {QMessageBox::Yes};
    Click(*dialog, "Button_Save");
    EXPECT_EQ(FindName(Data, "Dora", "Ek")->BirthDate, "20010228");
}

// A time of day out of range is neither bent to a limit nor saved: OK, Save and the horoscope
// page refuse it with its message, and the corrected time saves.
TEST_F(NameDlgTest, BadTimeGivesItsMessageAndLosesNothing) {
    auto dialog = Show();
    Type(Edit(*dialog, "Edit_FirstName"), "Dora");
    Type(Edit(*dialog, "Edit_LastName"), "Ek");
    TypeDate(*dialog, "2001", "02", "28", "10", "20", "30");
    Type(Edit(*dialog, "Edit_Address1"), "Harbour Road 5");
    ASSERT_EQ(dialog->EditState(), TEditState::New);
    const std::string invalidTime = "The birth time is not a valid time of day: hours from 0 to "
                                    "23, minutes and seconds from 0 to 59. Please correct it.";
    const struct {
        const char *Edit, *Typed, *Good;
    } cases[] = {
        {"Edit_Hour", "24", "10"},   {"Edit_Hour", "25", "10"},   {"Edit_Minute", "60", "20"},
        {"Edit_Minute", "61", "20"}, {"Edit_Second", "60", "30"}, {"Edit_Hour", "-1", "10"},
        {"Edit_Minute", "-5", "20"}, {"Edit_Hour", "1:", "10"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.Edit) + " " + c.Typed);
        QLineEdit *edit = Edit(*dialog, c.Edit);
        Type(edit, c.Typed);
        Leave(edit);
        EXPECT_EQ(edit->text().toStdString(), c.Typed);
        for (const char *button : {"Button_OK", "Button_Save"}) {
            Messages.clear();
            Click(*dialog, button);
            EXPECT_EQ(Messages, std::vector<std::string>{invalidTime}) << button;
            EXPECT_TRUE(dialog->isVisible());
        }
        Messages.clear();
        EXPECT_FALSE(dialog->SelectPage(TNameDlg::Horoscop));
        EXPECT_EQ(Messages, std::vector<std::string>{invalidTime});
        EXPECT_EQ(Data.NameTable.RecordCount(), 0);
        EXPECT_EQ(edit->text().toStdString(), c.Typed);
        Type(edit, c.Good);
        Leave(edit);
    }
    Messages.clear();
    Answers = {QMessageBox::Yes};
    Click(*dialog, "Button_Save");
    EXPECT_EQ(Messages, std::vector<std::string>{});
    EXPECT_EQ(FindName(Data, "Dora", "Ek")->BirthTime, "102030");
}

// 5 January 1500 is a calendar date, but before the first day the ephemeris computes: the
// dialog refuses it with the range, as the chart would, and saves nothing.
TEST_F(NameDlgTest, DateOutsideTheEphemerisGivesTheRangeAndIsNotSaved) {
    auto dialog = Show();
    Type(Edit(*dialog, "Edit_FirstName"), "Dora");
    Type(Edit(*dialog, "Edit_LastName"), "Ek");
    TypeDate(*dialog, "1500", "01", "05", "12", "00", "00");
    Type(Edit(*dialog, "Edit_Address1"), "Harbour Road 5");
    ASSERT_EQ(dialog->EditState(), TEditState::New);

    std::string range;
    for (const char *button : {"Button_OK", "Button_Save"}) {
        Messages.clear();
        Click(*dialog, button);
        // The dialog has opened the ephemeris for its range.
        ASSERT_GE(EphemerisHandle(), 0);
        range = OutsideSupportedDatesMessage(SupportedDates());
        EXPECT_EQ(Messages, std::vector<std::string>{range}) << button;
        EXPECT_TRUE(dialog->isVisible());
    }
    Messages.clear();
    EXPECT_FALSE(dialog->SelectPage(TNameDlg::Horoscop));
    EXPECT_EQ(Messages, std::vector<std::string>{range});
    EXPECT_EQ(Data.NameTable.RecordCount(), 0);
    EXPECT_EQ(Text(*dialog, "Edit_Day"), "05");

    // A day the ephemeris covers saves.
    Type(Edit(*dialog, "Edit_Month"), "02");
    Messages.clear();
    Answers = {QMessageBox::Yes};
    Click(*dialog, "Button_Save");
    EXPECT_EQ(Messages, std::vector<std::string>{});
    EXPECT_EQ(FindName(Data, "Dora", "Ek")->BirthDate, "15000205");
}

TEST_F(NameDlgTest, SaveWithoutNamesKeepsWhatWasTyped) {
    auto dialog = Show();
    TypeDate(*dialog, "1970", "1", "2", "3", "4", "5");
    Type(Edit(*dialog, "Edit_Address1"), "Somewhere");
    ASSERT_EQ(dialog->EditState(), TEditState::New);
    Click(*dialog, "Button_Save");
    EXPECT_EQ(Beeps, 1);
    EXPECT_EQ(Text(*dialog, "Edit_Address1"), "Somewhere");
    EXPECT_EQ(Data.NameTable.RecordCount(), 0);
    // Clear asks nothing either and empties the dialog.
    Click(*dialog, "Button_Clear");
    EXPECT_EQ(Text(*dialog, "Edit_Address1"), "");
    EXPECT_EQ(dialog->EditState(), TEditState::Empty);
}

TEST_F(NameDlgTest, NumericFieldsAreHeldToTheirRanges) {
    auto dialog = Show();
    const std::string yearMessage = "Please enter a year between 1500 and 2099.";
    const struct {
        const char *Edit, *Typed, *Shown;
        int Beeps;
        bool YearMessage;
        int Page;
    } cases[] = {
        {"Edit_Year", "1400", "1500", 1, true, TNameDlg::Basics},
        {"Edit_Year", "2100", "2099", 1, true, TNameDlg::Basics},
        {"Edit_Year", "", "", 0, true, TNameDlg::Basics}, // empty: the message alone
        {"Edit_Year", "1941", "1941", 0, false, TNameDlg::Basics},
        {"Edit_Month", "13", "12", 1, false, TNameDlg::Basics},
        {"Edit_Day", "0", "1", 1, false, TNameDlg::Basics},
        {"Edit_Hour", "24", "24", 1, false, TNameDlg::Basics}, // refused on saving instead
        {"Edit_Second", "60", "60", 1, false, TNameDlg::Basics},
        {"Edit_LatDegrees", "90", "89", 1, false, TNameDlg::Details},
        {"Edit_LonDegrees", "181", "180", 1, false, TNameDlg::Details},
        {"Edit_LonDegrees", "180", "180", 0, false, TNameDlg::Details},
        {"Edit_ZoneMinutes", "-5", "0", 1, false, TNameDlg::Details},
        {"Edit_SummerHours", "24", "23", 1, false, TNameDlg::Details},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.Edit) + " " + c.Typed);
        dialog->SelectPage(c.Page);
        QLineEdit *edit = Edit(*dialog, c.Edit);
        Beeps = 0;
        Messages.clear();
        Type(edit, c.Typed);
        Leave(edit);
        EXPECT_EQ(edit->text().toStdString(), c.Shown);
        EXPECT_EQ(Beeps, c.Beeps);
        EXPECT_EQ(Messages, c.YearMessage ? std::vector<std::string>{yearMessage}
                                          : std::vector<std::string>{});
    }
}

TEST_F(NameDlgTest, KeyFilters) {
    auto dialog = Show();
    QLineEdit *year = Edit(*dialog, "Edit_Year");
    year->setFocus();
    QTest::keyClicks(year, "19a4 1");
    EXPECT_EQ(year->text(), "1941");
    EXPECT_EQ(Beeps, 2); // the letter and the blank
    QTest::keyClick(year, Qt::Key_Backspace);
    EXPECT_EQ(year->text(), "194");

    dialog->SelectPage(TNameDlg::Details);
    const struct {
        const char *Edit, *Keys, *Shown;
        int Beeps;
    } marks[] = {
        {"Edit_LatMark", "n", "N", 0}, {"Edit_LatMark", "s", "S", 0},
        {"Edit_LatMark", "e", "", 1},  {"Edit_LonMark", "wE", "E", 0},
        {"Edit_LonMark", "x", "", 1},  {"Edit_ZoneMark", "e", "E", 0},
    };
    for (const auto &m : marks) {
        QLineEdit *edit = Edit(*dialog, m.Edit);
        edit->clear();
        edit->setFocus();
        Beeps = 0;
        QTest::keyClicks(edit, m.Keys);
        EXPECT_EQ(edit->text().toStdString(), m.Shown) << m.Edit << " " << m.Keys;
        EXPECT_EQ(Beeps, m.Beeps) << m.Edit << " " << m.Keys;
    }
}

TEST_F(NameDlgTest, GuessedTimeOfDay) {
    auto dialog = Show();
    TypeDate(*dialog, "1985", "07", "01", "", "", "");
    Type(Edit(*dialog, "Edit_Country"), "Testland");
    Type(Edit(*dialog, "Edit_Place"), "Middletown");
    Leave(Edit(*dialog, "Edit_Place"));
    auto *box = dialog->findChild<QCheckBox *>("CheckBoxUnknownTime");
    auto *menu = dialog->findChild<QMenu *>("PopupMenu_Time");
    ASSERT_TRUE(box && menu);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(4, box->height() / 2));
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(menu->isVisible());
    const QList<QAction *> items = menu->actions();
    ASSERT_EQ(items.size(), 5);
    EXPECT_EQ(items[0]->text().toStdString(), "&Morning (09:00)");
    const char *hours[] = {"09", "15", "21", "03", "12"};
    for (int i = 0; i < 5; ++i) {
        items[i]->trigger();
        EXPECT_EQ(Text(*dialog, "Edit_Hour"), hours[i]);
        EXPECT_EQ(Text(*dialog, "Edit_Minute") + Text(*dialog, "Edit_Second"), "0000");
        EXPECT_FALSE(dialog->OffsetsStale());
    }
    menu->hide();
    // 03:00 on the day summer time starts at 02:00: already in force.
    Type(Edit(*dialog, "Edit_Month"), "03");
    Type(Edit(*dialog, "Edit_Day"), "31");
    items[3]->trigger();
    EXPECT_EQ(Text(*dialog, "Edit_SummerHours"), "1");
}

TEST_F(NameDlgTest, PictureFromTheClipboard) {
    StorePerson("Anna", "Berg", {});
    auto dialog = Show();
    dialog->LoadName("Anna", "Berg");
    dialog->SelectPage(TNameDlg::Picture);
    auto *image = dialog->findChild<QLabel *>("Image1");
    EXPECT_FALSE(Button(*dialog, "Button_RemovePicture")->isEnabled());

    const struct {
        int Width, Height, ShownWidth, ShownHeight;
    } cases[] = {
        {100, 80, 100, 80},                                          // fits: as is
        {400, 500, TNameDlg::PictureWidth, TNameDlg::PictureHeight}, // cut both ways
        {500, 100, TNameDlg::PictureWidth, 100},                     // too wide only
    };
    for (const auto &c : cases) {
        QImage picture(c.Width, c.Height, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        picture.setPixel(0, 0, qRgb(255, 0, 0)); // the top-left part is kept
        QApplication::clipboard()->setImage(picture);
        Click(*dialog, "Button_InsertPicture");
        const QImage shown = image->pixmap().toImage();
        EXPECT_EQ(shown.size(), QSize(c.ShownWidth, c.ShownHeight)) << c.Width << "x" << c.Height;
        EXPECT_EQ(shown.pixel(0, 0), qRgb(255, 0, 0));
    }
    EXPECT_EQ(dialog->EditState(), TEditState::Changed);
    EXPECT_TRUE(Button(*dialog, "Button_RemovePicture")->isEnabled());

    Click(*dialog, "Button_Save");
    const TBytes saved = FindName(Data, "Anna", "Berg")->Picture;
    QImage stored;
    ASSERT_TRUE(stored.loadFromData(saved.data(), static_cast<int>(saved.size())));
    EXPECT_EQ(stored.size(), QSize(TNameDlg::PictureWidth, 100));

    // Remove puts it on the clipboard and empties the image.
    Click(*dialog, "Button_RemovePicture");
    EXPECT_TRUE(image->pixmap().isNull());
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(TNameDlg::PictureWidth, 100));
    EXPECT_EQ(dialog->EditState(), TEditState::Changed);
    Click(*dialog, "Button_Save");
    EXPECT_TRUE(FindName(Data, "Anna", "Berg")->Picture.empty());
}

TEST_F(NameDlgTest, GroupsPage) {
    StorePerson("Anna", "Berg", {});
    AddMembership(Data, "Anna", "Berg", "Family");
    auto dialog = Show();
    auto *list = dialog->findChild<QListWidget *>("ListBoxGroups");
    // A new name has no groups to add to.
    Type(Edit(*dialog, "Edit_FirstName"), "New");
    Type(Edit(*dialog, "Edit_Address1"), "x");
    EXPECT_FALSE(Button(*dialog, "Button_AddGroup")->isEnabled());
    dialog->LoadName("Anna", "Berg");
    ASSERT_EQ(list->count(), 1);
    EXPECT_TRUE(Button(*dialog, "Button_AddGroup")->isEnabled());

    dialog->SelectPage(TNameDlg::Groups);
    Search.Groups = {"Clients", "Friends", "Family"};
    Click(*dialog, "Button_AddGroup");
    Click(*dialog, "Button_AddGroup");
    Click(*dialog, "Button_AddGroup"); // already listed: nothing written
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(GroupsOfName(Data, "Anna", "Berg"),
              (std::vector<std::string>{"Clients", "Family", "Friends"}));

    // Remove keeps the position, or the last entry.
    list->setCurrentRow(2);
    Click(*dialog, "Button_RemoveGroup");
    EXPECT_EQ(list->currentRow(), 1);
    list->setCurrentRow(0);
    Click(*dialog, "Button_RemoveGroup");
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(GroupsOfName(Data, "Anna", "Berg"), std::vector<std::string>{"Clients"});
}

TEST_F(NameDlgTest, SearchesAndPreview) {
    StorePerson("Anna", "Berg", {"anna"});
    StorePerson("Bo", "Berg", {"bo"});
    auto dialog = Show();
    dialog->LoadName("Anna", "Berg");
    dialog->SelectPage(TNameDlg::Notes);
    // The list previews Bo while it is open: names and the current page only.
    Search.Names = {{"Bo", "Berg"}};
    Search.PreviewWhilePicking = true;
    Click(*dialog, "Button_SearchFirstName");
    EXPECT_EQ(Search.PreviewedNotes, "bo");
    EXPECT_EQ(Text(*dialog, "Edit_FirstName"), "Bo");
    EXPECT_EQ(dialog->EditState(), TEditState::Found);
    // Cancelled: the names as typed are loaded again.
    Search.Names.clear();
    Click(*dialog, "Button_SearchLastName");
    EXPECT_EQ(Text(*dialog, "Edit_FirstName"), "Bo");

    // A place without a state: message 456. A place of the atlas: coordinates and offsets.
    dialog->SelectPage(TNameDlg::Basics);
    Edit(*dialog, "Edit_Country")->clear();
    Messages.clear();
    Click(*dialog, "Button_SearchPlace");
    EXPECT_EQ(Messages, std::vector<std::string>{
                            "Please enter a state or country that is in the atlas first."});
    Search.States = {"Testland"};
    Click(*dialog, "Button_SearchCountry");
    EXPECT_EQ(Text(*dialog, "Edit_Country"), "Testland");
    EXPECT_EQ(Text(*dialog, "Edit_Place"), ""); // another state empties the place
    Search.Places = {"Eastby"};
    Click(*dialog, "Button_SearchPlace");
    EXPECT_EQ(Text(*dialog, "Edit_Place"), "Eastby");
    EXPECT_EQ(Text(*dialog, "Edit_LonDegrees") + Text(*dialog, "Edit_LonMark"), "20E");
    EXPECT_EQ(Text(*dialog, "Edit_ZoneHours") + Text(*dialog, "Edit_ZoneMark"), "1E");
    EXPECT_EQ(dialog->EditState(), TEditState::Changed);
}

TEST_F(NameDlgTest, UnknownPlaceOrStateWhenLeavingThePlace) {
    auto dialog = Show();
    std::vector<std::string> savePlace;
    dialog->OnSavePlace = [&](const std::string &state, const std::string &place) {
        savePlace = {state, place};
    };
    Type(Edit(*dialog, "Edit_Country"), "Nowhere");
    Type(Edit(*dialog, "Edit_Place"), "Town");
    Leave(Edit(*dialog, "Edit_Place"));
    EXPECT_EQ(Messages, std::vector<std::string>{
                            "Please enter a state or country that is in the atlas first."});
    EXPECT_EQ(Text(*dialog, "Edit_Place"), "");

    Type(Edit(*dialog, "Edit_Country"), "Testland");
    Type(Edit(*dialog, "Edit_Place"), "Atlantis");
    Answers = {QMessageBox::Yes};
    Leave(Edit(*dialog, "Edit_Place"));
    EXPECT_EQ(Questions, std::vector<std::string>{
                             "This place is not in the atlas. Do you want to add it now?"});
    EXPECT_EQ(savePlace, (std::vector<std::string>{"Testland", "Atlantis"}));
    EXPECT_EQ(Text(*dialog, "Edit_Place"), "Atlantis");
    EXPECT_EQ(Text(*dialog, "Edit_LatDegrees"), ""); // nothing was saved

    // A place the save-place dialog writes is shown at once, without leaving the edit again.
    dialog->OnSavePlace = [&](const std::string &, const std::string &place) {
        TKyrTable &places = Data.PlacesTable;
        places.Append();
        places.FieldByName("StateID").SetAsString("1001");
        places.FieldByName("PlaceName").SetAsString(place);
        places.FieldByName("Latitude").SetAsInteger(4812);
        places.FieldByName("Longitude").SetAsInteger(-1133);
        places.FieldByName("ZoneRef").SetAsString("1001");
        places.FieldByName("SummerRef").SetAsString("1001");
        places.Post();
    };
    Type(Edit(*dialog, "Edit_Year"), "1960");
    Type(Edit(*dialog, "Edit_Month"), "06");
    Type(Edit(*dialog, "Edit_Day"), "01");
    Type(Edit(*dialog, "Edit_Place"), "Newtown");
    Answers = {QMessageBox::Yes};
    Leave(Edit(*dialog, "Edit_Place"));
    EXPECT_EQ(Text(*dialog, "Edit_LatDegrees") + Text(*dialog, "Edit_LatMark"), "48N");
    EXPECT_EQ(Text(*dialog, "Edit_LonMinutes") + Text(*dialog, "Edit_LonMark"), "33E");
    EXPECT_EQ(Text(*dialog, "Edit_ZoneHours") + Text(*dialog, "Edit_ZoneMark"), "1E");
}

TEST_F(NameDlgTest, HoroscopePagePreviewsTheShownData) {
    StorePerson("Anna", "Berg", {});
    auto dialog = Show();
    dialog->LoadName("Anna", "Berg");
    THoroscope &preview = dialog->PreviewHoroscope();
    EXPECT_FALSE(preview.Active()); // the page is not showing
    Type(Edit(*dialog, "Edit_Hour"), "18");
    ASSERT_TRUE(dialog->SelectPage(TNameDlg::Horoscop));
    EXPECT_TRUE(preview.Active());
    EXPECT_DOUBLE_EQ(static_cast<double>(preview.BirthTime()), 18.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(preview.ZoneTime()), -1.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(preview.Longitude()), -13.22);
    dialog->SelectPage(TNameDlg::Basics);
    EXPECT_FALSE(preview.Active());
}

TEST_F(NameDlgTest, LoadNameOfAMissingPersonEmptiesTheDialog) {
    StorePerson("Anna", "Berg", {"x"});
    auto dialog = Show();
    dialog->LoadName("Anna", "Berg");
    dialog->SelectPage(TNameDlg::Address);
    dialog->LoadName("Nobody", "Here");
    EXPECT_EQ(dialog->EditState(), TEditState::Empty);
    EXPECT_EQ(dialog->CurrentPage(), TNameDlg::Basics);
    EXPECT_EQ(Text(*dialog, "Edit_FirstName"), "");
    EXPECT_EQ(Text(*dialog, "Edit_Year"), "");
    EXPECT_FALSE(Button(*dialog, "Button_OK")->isEnabled());
    EXPECT_EQ(dialog->findChild<QListWidget *>("ListBoxGroups")->count(), 0);
}

} // namespace
} // namespace kyr::test

namespace kyr::test {
namespace {

TEST_F(NameDlgTest, TypedStateAndPlaceAreCompletedFromTheAtlas) {
    auto dialog = Show();
    QLineEdit *country = Edit(*dialog, "Edit_Country");
    Type(country, "te");
    EXPECT_EQ(country->text(), "Testland");
    EXPECT_EQ(country->selectedText(), "stland"); // typing on replaces the added tail
    QLineEdit *place = Edit(*dialog, "Edit_Place");
    Type(place, "midf");
    EXPECT_EQ(place->text(), "Midfield");
    Type(place, "Zz");
    EXPECT_EQ(place->text(), "Zz"); // nothing to complete
}

TEST_F(NameDlgTest, ShownModallyWithTheNameSearchAtOnce) {
    StorePerson("Anna", "Berg", {});
    auto dialog = std::make_unique<TNameDlg>(Data, *Setup, Language);
    dialog->Ask = [](const QString &, bool) { return static_cast<int>(QMessageBox::Cancel); };
    dialog->SetSearch(&Search);
    Search.Names = {{"Anna", "Berg"}};
    // The search runs once the dialog is up; then OK closes it.
    QTimer::singleShot(200, dialog.get(), [&] {
        EXPECT_EQ(dialog->FirstName(), "Anna");
        QTest::mouseClick(Button(*dialog, "Button_OK"), Qt::LeftButton);
    });
    EXPECT_EQ(dialog->ShowNameDialog(true, true), 1);
    EXPECT_EQ(dialog->LastName(), "Berg");
    EXPECT_DOUBLE_EQ(static_cast<double>(dialog->DialogZoneTime()), -1.00);

    // Escape acts as Cancel: a changed name asks first, and Cancel keeps the dialog open.
    int asked = 0;
    dialog->Ask = [&](const QString &, bool) {
        ++asked;
        return static_cast<int>(asked == 1 ? QMessageBox::Cancel : QMessageBox::No);
    };
    QTimer::singleShot(200, dialog.get(), [&] {
        dialog->findChild<QPlainTextEdit *>("Memo1")->setPlainText("changed");
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        EXPECT_TRUE(dialog->isVisible());
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
    });
    EXPECT_EQ(dialog->ShowNameDialog(false, false), 2);
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(FindName(Data, "Anna", "Berg")->Notes.empty());
}

} // namespace
} // namespace kyr::test

namespace kyr::test {
namespace {

TEST_F(NameDlgTest, DatabaseDebugShowsTheEditStateInTheCaption) {
    Setup->Debug.Database = true;
    auto dialog = Show();
    EXPECT_EQ(dialog->windowTitle(), "Person  Edit State = [Init/Clear]");
    Type(Edit(*dialog, "Edit_Address1"), "x");
    EXPECT_EQ(dialog->windowTitle(), "Person  Edit State = [New Name]");
    Setup->Debug.Database = false;
    auto plain = Show();
    EXPECT_EQ(plain->windowTitle(), "Person");
}

} // namespace
} // namespace kyr::test

namespace kyr::test {
namespace {

TEST_F(NameDlgTest, TypedOffsetsStayWithoutAnAtlasPlace) {
    auto dialog = Show();
    Type(Edit(*dialog, "Edit_FirstName"), "Zed");
    TypeDate(*dialog, "1985", "07", "01", "12", "00", "00");
    dialog->SelectPage(TNameDlg::Details);
    Type(Edit(*dialog, "Edit_LatDegrees"), "40");
    Type(Edit(*dialog, "Edit_LatMark"), "N");
    Type(Edit(*dialog, "Edit_LonDegrees"), "74");
    Type(Edit(*dialog, "Edit_LonMark"), "W");
    Type(Edit(*dialog, "Edit_ZoneHours"), "5");
    Type(Edit(*dialog, "Edit_ZoneMinutes"), "00");
    Type(Edit(*dialog, "Edit_ZoneMark"), "W");
    Type(Edit(*dialog, "Edit_SummerHours"), "1");
    Leave(Edit(*dialog, "Edit_SummerHours"));
    ASSERT_TRUE(Setup->System.ChkZoneTime && Setup->System.ChkSummerTime);
    // Another date recalculates: with no place in the atlas the typed offsets are all there is.
    dialog->SelectPage(TNameDlg::Basics);
    Type(Edit(*dialog, "Edit_Day"), "02");
    Leave(Edit(*dialog, "Edit_Day"));
    THoroscope chart;
    dialog->ApplyToHoroscope(chart);
    EXPECT_DOUBLE_EQ(static_cast<double>(chart.ZoneTime()), 5.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(chart.SummerTime()), 1.0);
    EXPECT_EQ(Text(*dialog, "Edit_ZoneHours") + Text(*dialog, "Edit_ZoneMark"), "5W");
}

TEST_F(NameDlgTest, UnknownPlaceAnsweredNoWantsItsOwnCoordinates) {
    auto dialog = Show();
    Type(Edit(*dialog, "Edit_FirstName"), "Zed");
    TypeDate(*dialog, "1985", "07", "01", "12", "00", "00");
    Type(Edit(*dialog, "Edit_Country"), "Testland");
    Type(Edit(*dialog, "Edit_Place"), "Middletown");
    Leave(Edit(*dialog, "Edit_Place"));
    ASSERT_EQ(Text(*dialog, "Edit_LatDegrees"), "52");
    Type(Edit(*dialog, "Edit_Place"), "Xyzzyville");
    Answers = {QMessageBox::No};
    Leave(Edit(*dialog, "Edit_Place"));
    ASSERT_EQ(Questions.size(), 1u);
    // Not Middletown's coordinates: empty and marked for input; the offsets stay as shown.
    for (const char *name : {"Edit_LatDegrees", "Edit_LatMinutes", "Edit_LonDegrees",
                             "Edit_LonMinutes"}) {
        EXPECT_EQ(Text(*dialog, name), "") << name;
        EXPECT_EQ(Edit(*dialog, name)->placeholderText().toStdString(), "?") << name;
    }
    EXPECT_EQ(Text(*dialog, "Edit_ZoneHours") + Text(*dialog, "Edit_ZoneMark"), "1E");
    EXPECT_EQ(dialog->ZoneRef(), "");

    // OK asks for them instead of charting 0°/0°, and so does the horoscope page.
    Click(*dialog, "Button_OK");
    EXPECT_EQ(Messages, std::vector<std::string>{"This place is not in the atlas: please enter "
                                                 "its latitude and longitude on the Details "
                                                 "page."});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->SelectPage(TNameDlg::Horoscop));
    EXPECT_EQ(Messages.size(), 2u);

    // Typed coordinates and offsets reach the chart.
    dialog->SelectPage(TNameDlg::Details);
    Type(Edit(*dialog, "Edit_LatDegrees"), "10");
    Type(Edit(*dialog, "Edit_LatMark"), "N");
    Type(Edit(*dialog, "Edit_LonDegrees"), "20");
    Type(Edit(*dialog, "Edit_LonMark"), "E");
    Type(Edit(*dialog, "Edit_ZoneHours"), "2");
    Leave(Edit(*dialog, "Edit_ZoneHours"));
    EXPECT_TRUE(dialog->SelectPage(TNameDlg::Horoscop));
    THoroscope chart;
    dialog->ApplyToHoroscope(chart);
    EXPECT_DOUBLE_EQ(static_cast<double>(chart.Latitude()), 10.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(chart.Longitude()), -20.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(chart.ZoneTime()), -2.0);
    EXPECT_EQ(Messages.size(), 2u);
}

} // namespace
} // namespace kyr::test

namespace kyr::test {
namespace {

// Testland puts its clocks forward on 31 March 1985 at 02:00 and back on 29 September at 03:00.
TEST_F(NameDlgTest, RepeatedBirthTimeAsksWhichMomentIsMeant) {
    const struct {
        int Answer;
        bool Accepted;
        const char *Summer;
        Extended ChartSummer;
    } cases[] = {
        {QMessageBox::Yes, true, "1", 1.0L},    // the earlier moment, in summer time
        {QMessageBox::No, true, "0", 0.0L},     // the later one, in standard time
        {QMessageBox::Cancel, false, "1", 1.0L}, // neither: nothing closes
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Answer);
        StorePerson("Anna", "Berg", {});
        Questions.clear();
        Messages.clear();
        auto dialog = Show();
        dialog->LoadName("Anna", "Berg");
        TypeDate(*dialog, "1985", "09", "29", "02", "30", "00");
        Leave(Edit(*dialog, "Edit_Second"));
        EXPECT_EQ(Text(*dialog, "Edit_SummerHours"), "1"); // until asked, the earlier one
        Answers = {c.Answer, QMessageBox::No};              // then: do not save
        Click(*dialog, "Button_OK");
        ASSERT_GE(Questions.size(), 1u);
        EXPECT_EQ(Questions[0], "At this place the clocks were put back on that day, so 02:30 "
                                "happened twice: first in summer time (00:30 UT), then in "
                                "standard time (01:30 UT). Yes: the earlier moment; No: the "
                                "later moment.");
        EXPECT_EQ(dialog->isVisible(), !c.Accepted);
        EXPECT_EQ(Text(*dialog, "Edit_SummerHours"), c.Summer);
        if (!c.Accepted)
            continue;
        // Asked once: the horoscope page takes the answer as it stands.
        const std::size_t asked = Questions.size();
        dialog->show();
        ASSERT_TRUE(dialog->SelectPage(TNameDlg::Horoscop));
        EXPECT_EQ(Questions.size(), asked);
        EXPECT_DOUBLE_EQ(static_cast<double>(dialog->PreviewHoroscope().SummerTime()),
                         static_cast<double>(c.ChartSummer));
        EXPECT_TRUE(Messages.empty());
    }
}

TEST_F(NameDlgTest, SkippedBirthTimeIsRefusedWithItsMessage) {
    StorePerson("Anna", "Berg", {});
    auto dialog = Show();
    dialog->LoadName("Anna", "Berg");
    TypeDate(*dialog, "1985", "03", "31", "02", "30", "00");
    Click(*dialog, "Button_OK");
    EXPECT_EQ(Messages, std::vector<std::string>{
                            "At this place the clocks were put forward on that day, so the time "
                            "02:30 did not exist there. Please correct the birth time."});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->SelectPage(TNameDlg::Horoscop));
    EXPECT_TRUE(Questions.empty());
    // An hour later the time exists.
    Type(Edit(*dialog, "Edit_Hour"), "03");
    Messages.clear();
    EXPECT_TRUE(dialog->SelectPage(TNameDlg::Horoscop));
    EXPECT_TRUE(Messages.empty());
}

} // namespace
} // namespace kyr::test
