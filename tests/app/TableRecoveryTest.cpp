// The start-up with a damaged person table, offscreen, on a scratch copy of the program
// directory: the program says what happened and offers the newest backup; yes restores it and
// keeps the damaged file beside it, no starts without the persons and leaves the file alone.
#include "AskDlg.h"
#include "DataCollection.h"
#include "KyrApplication.h"
#include "MainWindow.h"
#include "ProgramCopy.h"
#include "ProgramDirectory.h"
#include "TableBackup.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

using namespace kyr;

namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path &fileName) {
    std::ifstream in(fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<fs::path> KeptFiles(const fs::path &data) {
    std::vector<fs::path> kept;
    for (const auto &entry : fs::directory_iterator(data))
        if (entry.path().filename().string().starts_with("NAME.DAT.damaged-"))
            kept.push_back(entry.path());
    return kept;
}

class TableRecovery : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FProgram.isValid() && FConfig.isValid());
        test::CopyProgramDirectory(KYR_PROGRAM_DIR, Program());
        // Backups of the build's own tables are no backups of this copy.
        fs::remove_all(Data() / "Backup");
        SetProgramDirectory(Program().string() + "/");
    }
    void TearDown() override {
        FMain.reset();
        SetProgramDirectory("");
    }

    fs::path Program() const { return FProgram.path().toStdString(); }
    fs::path Data() const { return Program() / "Data"; }

    /// Starts the program; every question is answered with yes or no and recorded.
    bool Start(bool answer) {
        TSetupEnvironment environment;
        environment.ProgramDirectory = Program().string() + "/";
        environment.ConfigDirectory = FConfig.path().toStdString() + "/";
        environment.CanWrite = [](const std::string &) { return false; };
        FMain = std::make_unique<TForm_KYR_Main>(environment);
        FMain->OnInformation = [this](const QString &text) { FMessages.push_back(text); };
        QTimer answering;
        QObject::connect(&answering, &QTimer::timeout, [&] {
            if (auto *ask = qobject_cast<TAskDlg *>(QApplication::activeModalWidget())) {
                FQuestions.push_back(ask->TextLabel()->text());
                (answer ? ask->YesButton() : ask->NoButton())->click();
            }
        });
        answering.start(20);
        const bool started = FMain->StartUp();
        FMain->PostStartUp();
        return started;
    }
    void Stop() { FMain.reset(); }

    void AddPerson(const std::string &first, const std::string &last) {
        FMain->Data()->NameTable.AppendRecord({first, last});
    }

    // Breaks the page behind the file header: the table no longer opens.
    void DamageNames() {
        std::fstream file(Data() / "NAME.DAT", std::ios::binary | std::ios::in | std::ios::out);
        file.seekp(100);
        file << std::string(4000, '\xA5');
    }

    QTemporaryDir FProgram;
    QTemporaryDir FConfig;
    std::unique_ptr<TForm_KYR_Main> FMain;
    QStringList FMessages;
    QStringList FQuestions;
};

TEST_F(TableRecovery, ADamagedPersonTableIsRestoredFromTheNewestBackupOnRequest) {
    // Two starts: the second one backs up the person added in the first.
    ASSERT_TRUE(Start(true));
    AddPerson("Ann", "Lee");
    Stop();
    ASSERT_TRUE(Start(true));
    Stop();
    ASSERT_TRUE(fs::exists(BackupFileName(Data().string(), "NAME", 1)));
    EXPECT_TRUE(FQuestions.isEmpty());
    EXPECT_TRUE(FMessages.isEmpty());

    DamageNames();
    const std::string damaged = Bytes(Data() / "NAME.DAT");
    ASSERT_TRUE(Start(true));
    ASSERT_EQ(1, FQuestions.size());
    EXPECT_TRUE(FQuestions[0].contains("NAME.DAT is damaged")) << FQuestions[0].toStdString();
    EXPECT_TRUE(FQuestions[0].contains("Restore it?"));
    ASSERT_EQ(1, FMessages.size());
    EXPECT_TRUE(FMessages[0].contains("has been restored")) << FMessages[0].toStdString();

    TKyrTable &names = FMain->Data()->NameTable;
    ASSERT_TRUE(names.Active());
    EXPECT_TRUE(names.FindKey({"Ann", "Lee"}));
    const auto kept = KeptFiles(Data());
    ASSERT_EQ(1u, kept.size());
    EXPECT_EQ(damaged, Bytes(kept[0]));
    EXPECT_TRUE(FMessages[0].contains(QString::fromStdString(kept[0].filename().string())));
}

TEST_F(TableRecovery, DecliningTheRestoreStartsWithoutThePersonsAndLeavesTheFileAlone) {
    ASSERT_TRUE(Start(true));
    Stop();
    DamageNames();
    const std::string damaged = Bytes(Data() / "NAME.DAT");

    ASSERT_TRUE(Start(false));
    ASSERT_EQ(1, FQuestions.size());
    ASSERT_EQ(1, FMessages.size());
    EXPECT_TRUE(FMessages[0].contains("goes on without this table")) << FMessages[0].toStdString();
    EXPECT_FALSE(FMain->Data()->NameTable.Active());
    EXPECT_TRUE(FMain->Data()->GroupsTable.Active()) << "the other tables are there";
    EXPECT_TRUE(FMain->KYR_Horoscope_1.Active()) << "the chart of here and now is shown";
    Stop();
    EXPECT_EQ(damaged, Bytes(Data() / "NAME.DAT"));
    EXPECT_TRUE(KeptFiles(Data()).empty());
}

TEST_F(TableRecovery, WithoutABackupTheProgramSaysSoAndGoesOn) {
    DamageNames();
    ASSERT_TRUE(Start(true));
    EXPECT_TRUE(FQuestions.isEmpty()) << "nothing to restore, nothing to ask";
    ASSERT_EQ(1, FMessages.size());
    EXPECT_TRUE(FMessages[0].contains("NAME.DAT is damaged")) << FMessages[0].toStdString();
    EXPECT_TRUE(FMessages[0].contains("goes on without this table"));
    EXPECT_FALSE(FMain->Data()->NameTable.Active());
}

} // namespace
