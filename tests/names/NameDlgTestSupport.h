// The name dialog's test fixture: a scratch data directory with empty person tables and a small
// atlas, the English texts and the ephemeris beside the program, answers to the dialog's
// questions and a search list that hands out prepared choices.
#pragma once

#include "NameDlg.h"
#include "NameSearch.h"

#include "DataCollection.h"
#include "KyrSetup.h"
#include "Language.h"
#include "ProgramDirectory.h"
#include "StoreTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <memory>

namespace kyr::test {

/// Prepared choices, taken in order; none left means the user cancelled.
class TFakeSearch : public TNameSearch {
public:
    std::deque<std::pair<std::string, std::string>> Names;
    std::deque<std::string> States, Places, Groups;
    TDataCollection *Data = nullptr;
    TNameDlg *Dialog = nullptr;
    /// Previews each offered name while "the list is open" and notes the memo shown then.
    bool PreviewWhilePicking = false;
    std::string PreviewedNotes;

    bool PickName(bool,
                  const std::function<void(const std::string &, const std::string &)> &preview,
                  std::string &first, std::string &last) override {
        if (Names.empty())
            return false;
        std::tie(first, last) = Names.front();
        Names.pop_front();
        if (PreviewWhilePicking && Dialog) {
            preview(first, last);
            PreviewedNotes =
                Dialog->findChild<QPlainTextEdit *>("Memo1")->toPlainText().toStdString();
        }
        return true;
    }
    bool PickState(std::string &state) override { return Take(States, state); }
    bool PickPlace(const std::string &, TAtlasPlace &place) override {
        return Take(Places, place.PlaceName);
    }
    bool PickGroup(std::string &group) override { return Take(Groups, group); }

private:
    static bool Take(std::deque<std::string> &queue, std::string &value) {
        if (queue.empty())
            return false;
        value = queue.front();
        queue.pop_front();
        return true;
    }
};

class NameDlgTest : public ::testing::Test {
protected:
    NameDlgTest() {
        SetProgramDirectory(KYR_PROGRAM_DIR);
        Language.SetCountry("UK");
        Language.SetActive(true);
        TSetupEnvironment environment;
        environment.ProgramDirectory = KYR_PROGRAM_DIR;
        environment.ConfigDirectory = std::filesystem::temp_directory_path().string();
        environment.CanWrite = [](const std::string &) { return false; };
        Setup = std::make_unique<TKyrSetup>(environment);

        // One state with three places; one zone with local mean time before 1893 and one hour
        // east after; summer time in 1985 from 31 March 02:00 to 29 September 03:00.
        const std::string id = "1001";
        MakeTable(Dir, "STATES", {{id, std::string("Testland"), 5500LL, 4700LL, -1500LL, -600LL}});
        MakeTable(Dir, "PLACES",
                  {{id, std::string("Eastby"), 5000LL, -2000LL, id, id},
                   {id, std::string("Middletown"), 5231LL, -1322LL, id, id},
                   {id, std::string("Midfield"), 5100LL, -1000LL, id, std::string("0000")}});
        MakeTable(Dir, "ZONEID", {{id, std::string("Test/Zone"), 15821015LL}});
        MakeTable(Dir, "ZONE", {{id, 15000101LL, -53LL, true}, {id, 18930401LL, -100LL, false}});
        MakeTable(Dir, "SUMMERID", {{id, std::string("Test/Summer")}});
        MakeTable(Dir, "SUMMER", {{id, 19850331LL, 200LL, 100LL}, {id, 19850929LL, 300LL, 0LL}});
        for (const char *name : {"NAME", "NAMEGRPS", "GROUPS"})
            MakeTable(Dir, name);
        Data.SetDirectory(Dir.Path());
        for (TKyrTable *table : {&Data.NameTable, &Data.NameGroupsTable, &Data.GroupsTable,
                                 &Data.StatesTable, &Data.PlacesTable, &Data.ZoneIdTable,
                                 &Data.ZoneTable, &Data.SummerIdTable, &Data.SummerTable})
            table->Open();
        Search.Data = &Data;
    }
    ~NameDlgTest() override { SetProgramDirectory(""); }

    /// A dialog shown as the active window, with its questions, messages and beeps caught.
    std::unique_ptr<TNameDlg> Show() {
        auto dialog = std::make_unique<TNameDlg>(Data, *Setup, Language);
        dialog->Ask = [this](const QString &question, bool) {
            Questions.push_back(question.toStdString());
            if (Answers.empty())
                return static_cast<int>(QMessageBox::Cancel);
            const int answer = Answers.front();
            Answers.pop_front();
            return answer;
        };
        dialog->ShowMessage = [this](const QString &message) {
            Messages.push_back(message.toStdString());
        };
        dialog->Beep = [this] { ++Beeps; };
        dialog->SetSearch(&Search);
        Search.Dialog = dialog.get();
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return dialog;
    }

    static TNameRecord Person(const std::string &first, const std::string &last,
                              const std::vector<std::string> &notes) {
        TNameRecord r;
        r.FirstName = first;
        r.LastName = last;
        r.BirthCountry = "Testland";
        r.BirthTown = "Middletown";
        r.BirthDate = "19850701";
        r.BirthTime = "120000";
        r.Latitude = 5231;
        r.Longitude = -1322;
        r.TimeZone = "0100E";
        r.SummerTime = "+0100";
        r.Notes = notes;
        return r;
    }

    void StorePerson(const std::string &first, const std::string &last,
                     const std::vector<std::string> &notes) {
        SaveName(Data, Person(first, last, notes));
    }

    static QLineEdit *Edit(TNameDlg &dialog, const char *name) {
        auto *edit = dialog.findChild<QLineEdit *>(QString::fromLatin1(name));
        EXPECT_TRUE(edit) << name;
        return edit;
    }

    static QAbstractButton *Button(TNameDlg &dialog, const char *name) {
        auto *button = dialog.findChild<QAbstractButton *>(QString::fromLatin1(name));
        EXPECT_TRUE(button) << name;
        return button;
    }

    static std::string Text(TNameDlg &dialog, const char *name) {
        return Edit(dialog, name)->text().toStdString();
    }

    static void Click(TNameDlg &dialog, const char *name) {
        QAbstractButton *button = Button(dialog, name);
        ASSERT_TRUE(button && button->isEnabled()) << name << " is disabled";
        QTest::mouseClick(button, Qt::LeftButton);
    }

    /// The page that holds the widget, or -1 for the names above the pages.
    static int PageOf(TNameDlg &dialog, QWidget *widget) {
        auto *pages = dialog.findChild<QStackedWidget *>("Notebook1");
        for (QWidget *w = widget; w; w = w->parentWidget())
            if (w->parentWidget() == pages)
                return pages->indexOf(w);
        return -1;
    }

    /// Types into the edit as the user does: to its page, the old text deleted, key by key.
    static void Type(QLineEdit *edit, const QString &text) {
        auto *dialog = qobject_cast<TNameDlg *>(edit->window());
        if (const int page = PageOf(*dialog, edit); page >= 0 && dialog->CurrentPage() != page)
            dialog->SelectPage(page);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    /// Moves the focus away, as a click elsewhere does.
    static void Leave(QLineEdit *edit) {
        auto *dialog = qobject_cast<TNameDlg *>(edit->window());
        QLineEdit *other = Edit(*dialog, "Edit_LastName");
        if (other == edit)
            other = Edit(*dialog, "Edit_FirstName");
        edit->setFocus();
        other->setFocus();
    }

    static void TypeDate(TNameDlg &dialog, const char *y, const char *m, const char *d,
                         const char *h, const char *min, const char *s) {
        Type(Edit(dialog, "Edit_Year"), y);
        Type(Edit(dialog, "Edit_Month"), m);
        Type(Edit(dialog, "Edit_Day"), d);
        Type(Edit(dialog, "Edit_Hour"), h);
        Type(Edit(dialog, "Edit_Minute"), min);
        Type(Edit(dialog, "Edit_Second"), s);
    }

    /// Found: Anna Berg loaded. Changed: loaded and the notes edited. New: Anna Lund typed
    /// with a date and an address line.
    void PutInState(TNameDlg &dialog, TEditState state) {
        if (state == TEditState::New) {
            Type(Edit(dialog, "Edit_FirstName"), "Anna");
            Type(Edit(dialog, "Edit_LastName"), "Lund");
            TypeDate(dialog, "1990", "5", "6", "7", "8", "9");
            dialog.findChild<QPlainTextEdit *>("Memo1")->setPlainText("new");
        } else {
            dialog.LoadName("Anna", "Berg");
            if (state == TEditState::Changed)
                dialog.findChild<QPlainTextEdit *>("Memo1")->setPlainText("edited");
        }
        ASSERT_EQ(dialog.EditState(), state);
    }

    TTempDir Dir;
    TDataCollection Data;
    TLanguage Language;
    std::unique_ptr<TKyrSetup> Setup;
    TFakeSearch Search;
    std::deque<int> Answers;
    std::vector<std::string> Questions;
    std::vector<std::string> Messages;
    int Beeps = 0;
};

} // namespace kyr::test
