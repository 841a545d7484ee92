// The import dialog on the offscreen platform, against a data collection in a scratch directory
// and the English texts of the program directory. Message boxes are replaced by lists.

#include "ImpDlg.h"
#include "DataCollection.h"
#include "ImportTestSupport.h"
#include "Language.h"
#include "ProgramDirectory.h"
#include "StoreTestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

namespace kyr::test {
namespace {

const QString SampleFile = QStringLiteral(KYR_PROGRAM_DIR "/Samples/famous-births.dat");

class ImpDlgTest : public ::testing::Test {
protected:
    ImpDlgTest() {
        SetProgramDirectory(KYR_PROGRAM_DIR);
        Language.SetCountry("UK");
        Language.SetActive(true);
        for (const char *table :
             {"NAME", "NAME1", "GROUPS", "NAMEGRPS", "ZONEID", "ZONE", "SUMMERID", "SUMMER",
              "ORBIS", "ORBISDEF", "PLACES", "STATES", "BOOKUK", "HELPUK", "KHLPUK", "SYBOOKUK"})
            CreateTable(Dir.Path(), table);
        Data.SetDirectory(Dir.Path());
        Data.SetLanguage("UK");
        Data.SetActive(true);
    }
    ~ImpDlgTest() override {
        Data.SetActive(false);
        SetProgramDirectory("");
    }

    // A dialog whose messages land in Stops and Infos.
    std::unique_ptr<TImpDlg> MakeDialog() {
        auto dialog = std::make_unique<TImpDlg>(Language, Data);
        dialog->ShowStop = [this](const QString &m) { Stops.push_back(m); };
        dialog->ShowInfo = [this](const QString &m) { Infos.push_back(m); };
        return dialog;
    }

    long long Persons() { return Data.NameTable.RecordCount(); }

    TTempDir Dir;
    TLanguage Language;
    TDataCollection Data;
    QStringList Stops, Infos;
};

TEST_F(ImpDlgTest, StartsEmptyAndOffersOkOnlyWithAFileName) {
    auto dialog = MakeDialog();
    EXPECT_EQ("Import Names", dialog->windowTitle());
    EXPECT_EQ("Overwrite duplicate names", dialog->OverwriteBox()->text());
    EXPECT_EQ("O&K", dialog->OkButton()->text());
    EXPECT_TRUE(dialog->FileEdit()->text().isEmpty());
    EXPECT_TRUE(dialog->GroupEdit()->text().isEmpty());
    EXPECT_FALSE(dialog->OverwriteBox()->isChecked());
    EXPECT_FALSE(dialog->OkButton()->isEnabled());
    // Without a group picker the pick button is of no use.
    EXPECT_FALSE(dialog->PickButton()->isEnabled());

    QTest::keyClicks(dialog->FileEdit(), "a.dat");
    EXPECT_TRUE(dialog->OkButton()->isEnabled());
    dialog->FileEdit()->clear();
    EXPECT_FALSE(dialog->OkButton()->isEnabled());
}

TEST_F(ImpDlgTest, OkImportsTheSampleIntoAGroupAndCloses) {
    auto dialog = MakeDialog();
    dialog->PickGroup = [](QString &group) {
        group = QStringLiteral("Famous");
        return true;
    };
    dialog->SetFileName(SampleFile);
    dialog->show();
    ASSERT_TRUE(dialog->PickButton()->isEnabled());
    QTest::mouseClick(dialog->PickButton(), Qt::LeftButton);
    EXPECT_EQ("Famous", dialog->GroupEdit()->text());

    QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    EXPECT_TRUE(Stops.isEmpty()) << Stops.join("|").toStdString();
    EXPECT_EQ(QStringList{"12 names imported."}, Infos);
    EXPECT_EQ(QDialog::Accepted, dialog->result());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(12, Persons());
    EXPECT_TRUE(Data.GroupsTable.FindKey({"Famous"}));
    EXPECT_EQ(12, Data.NameGroupsTable.RecordCount());
}

TEST_F(ImpDlgTest, NothingWrittenKeepsTheDialogOpen) {
    {
        auto first = MakeDialog();
        first->SetFileName(SampleFile);
        ASSERT_EQ(12, first->Import());
    }
    Infos.clear();
    auto dialog = MakeDialog();
    dialog->SetFileName(SampleFile);
    dialog->show();
    QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    EXPECT_EQ(0, dialog->LastResult().Count);
    EXPECT_EQ(QStringList{"0 names imported.\nNames left unchanged because they exist already: 12"},
              Infos);
    EXPECT_TRUE(dialog->isVisible());

    // With the check box the same file changes the stored persons and closes.
    dialog->OverwriteBox()->setChecked(true);
    QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    EXPECT_EQ(12, dialog->LastResult().Count);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(ImpDlgTest, BrokenFilesAreReportedBeforeTheCount) {
    struct Case {
        const char *what;
        std::string content; // nothing: the file is not there
        bool exists;
        QString stop;
        QString info;
    };
    TRecordParts noQuote;
    noQuote.Lead = '#';
    const std::string one = RecordBytes(TRecordParts{});
    const std::vector<Case> cases = {
        {"missing", "", false, "", "0 names imported."},
        {"no name record", one + RecordBytes(noQuote), true,
         "The import stopped after 1 names: the file contains a record that is not a name "
         "record.",
         "1 name imported."},
        {"cut short", one + one.substr(0, 10), true,
         "The file ends with an incomplete record of 10 bytes; it was not imported.",
         "1 name imported."},
    };
    for (const auto &c : cases) {
        const std::string path = Dir.Path() + c.what + std::string(".dat");
        if (c.exists)
            std::ofstream(path, std::ios::binary) << c.content;
        Stops.clear();
        Infos.clear();
        auto dialog = MakeDialog();
        dialog->SetFileName(QString::fromStdString(path));
        dialog->Import();
        const QString stop =
            c.exists ? c.stop : "The file " + QString::fromStdString(path) + " cannot be opened.";
        EXPECT_EQ(QStringList{stop}, Stops) << c.what;
        EXPECT_EQ(QStringList{c.info}, Infos) << c.what;
        Data.NameTable.First();
        while (!Data.NameTable.IsEmpty())
            Data.NameTable.Delete();
    }
}

TEST_F(ImpDlgTest, BrowseAsksForANameFileAndTakesTheChoice) {
    auto dialog = MakeDialog();
    dialog->SetDirectory(QString::fromStdString(Dir.Path()));
    QString title, directory, filter;
    QString answer = QStringLiteral("/somewhere/else/names.dat");
    dialog->ChooseFile = [&](const QString &t, const QString &d, const QString &f) {
        title = t, directory = d, filter = f;
        return answer;
    };
    QTest::mouseClick(dialog->BrowseButton(), Qt::LeftButton);
    EXPECT_EQ("Open a Name File", title);
    EXPECT_EQ(QString::fromStdString(Dir.Path()), directory);
    EXPECT_EQ("Name files (*.dat *.DAT);;All files (*)", filter);
    EXPECT_EQ(answer, dialog->FileName());
    EXPECT_EQ("/somewhere/else", dialog->Directory());
    EXPECT_TRUE(dialog->OkButton()->isEnabled());

    // Cancelling the file dialog keeps the name; a name in an existing directory starts there.
    dialog->SetFileName(SampleFile);
    answer.clear();
    QTest::mouseClick(dialog->BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(SampleFile, dialog->FileName());
    EXPECT_EQ(QStringLiteral(KYR_PROGRAM_DIR "/Samples"), directory);
}

TEST_F(ImpDlgTest, HelpAsksForTheImportContext) {
    auto dialog = MakeDialog();
    QSignalSpy help(dialog.get(), &TImpDlg::HelpRequested);
    dialog->show();
    for (QPushButton *button : dialog->findChildren<QPushButton *>())
        if (button->text() == "&Help")
            QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(1, help.count());
    EXPECT_EQ(14, help.front().front().toInt());
}

} // namespace
} // namespace kyr::test
