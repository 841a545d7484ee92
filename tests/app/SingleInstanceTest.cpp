// The built program started twice, offscreen, on scratch copies of the program directory: a
// second start on one directory hands over to the first and ends; another directory is a
// program of its own; a copy killed outright does not lock the directory for good; an idle copy
// lets other processes write its tables.
#include "ProgramCopy.h"
#include "SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace {

constexpr int StartUpMs = 60000;
// A handed-over start ends well within this; the first copy's start-up does not count.
constexpr int HandOverMs = 10000;

const char RaisedLine[] = "another start on this program directory";

bool WaitFor(const std::function<bool()> &done, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QThread::msleep(50);
    }
    return true;
}

// A copy of the program directory with the executable, and the copies of the program started
// on it.
class TProgramCopy {
public:
    TProgramCopy() {
        kyr::test::CopyProgramDirectory(KYR_PROGRAM_DIR, Path().toStdString(), "kyr");
    }
    ~TProgramCopy() {
        // A copy left running by a failed check would keep the lock of a deleted directory.
        for (auto &process : FProcesses)
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(5000);
            }
        QFile::remove(LockFile());
    }

    QString Path() const { return FDir.path(); }
    QString LockFile() const { return kyr::TSingleInstance::LockFileName(Path()); }

    QProcess &Start() {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("HOME", FHome.path());
        environment.insert("XDG_CONFIG_HOME", FHome.path());
        process->setProcessEnvironment(environment);
        process->setProgram(Path() + "/kyr");
        process->start();
        EXPECT_TRUE(process->waitForStarted(10000));
        FProcesses.push_back(std::move(process));
        return *FProcesses.back();
    }

    /// The pid in the directory's lock file; 0 when there is none.
    qint64 LockOwner() const {
        QLockFile lock(LockFile());
        qint64 pid = 0;
        QString host, application;
        return lock.getLockInfo(&pid, &host, &application) ? pid : 0;
    }

    /// Collects the process's error output until it holds the text.
    bool WaitForOutput(QProcess &process, const char *text, int ms) {
        QByteArray &seen = FOutput[&process];
        return WaitFor(
            [&] {
                process.waitForReadyRead(50);
                seen += process.readAllStandardError();
                return seen.contains(text);
            },
            ms);
    }

private:
    QTemporaryDir FDir;
    QTemporaryDir FHome;
    std::vector<std::unique_ptr<QProcess>> FProcesses;
    std::map<QProcess *, QByteArray> FOutput;
};

// True when an exclusive lock on the table file can be had at once (no reader holds it).
bool CanWriteAtOnce(const QString &fileName) {
    sqlite3 *db = nullptr;
    bool ok = sqlite3_open_v2(fileName.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE,
                              nullptr) == SQLITE_OK &&
              sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
    if (ok)
        ok = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

TEST(SingleInstance, ASecondStartOnTheSameDirectoryHandsOverAndAnotherDirectoryIsFree) {
    TProgramCopy copy;
    QProcess &first = copy.Start();
    ASSERT_TRUE(WaitFor([&] { return copy.LockOwner() == first.processId(); }, StartUpMs));

    QElapsedTimer handOver;
    handOver.start();
    QProcess &second = copy.Start();
    ASSERT_TRUE(second.waitForFinished(HandOverMs)) << "the second start did not end";
    EXPECT_LT(handOver.elapsed(), HandOverMs);
    EXPECT_EQ(QProcess::NormalExit, second.exitStatus());
    EXPECT_EQ(0, second.exitCode()) << second.readAllStandardError().toStdString();
    EXPECT_TRUE(copy.WaitForOutput(first, RaisedLine, StartUpMs))
        << "the first copy never heard of the second start";
    EXPECT_EQ(QProcess::Running, first.state());
    EXPECT_EQ(first.processId(), copy.LockOwner());

    // Waiting for input, the first copy holds no read lock on the user's tables.
    for (const char *table : {"NAME", "NAMEGRPS", "GROUPS", "ORBISDEF", "PLACES"})
        EXPECT_TRUE(WaitFor([&] { return CanWriteAtOnce(copy.Path() + "/Data/" + table + ".DAT"); },
                            3000))
            << table << " stays locked while the program is idle";

    TProgramCopy other;
    QProcess &elsewhere = other.Start();
    EXPECT_TRUE(WaitFor([&] { return other.LockOwner() == elsewhere.processId(); }, StartUpMs))
        << "a start on another directory was not its own program";
    EXPECT_FALSE(elsewhere.waitForFinished(2000)) << "the start on another directory ended";
}

TEST(SingleInstance, ACopyKilledOutrightDoesNotLockTheDirectoryForGood) {
    TProgramCopy copy;
    QProcess &killed = copy.Start();
    ASSERT_TRUE(WaitFor([&] { return copy.LockOwner() == killed.processId(); }, StartUpMs));
    const QString socket = QDir::tempPath() + "/" + kyr::TSingleInstance::ServerName(copy.Path());
    ASSERT_TRUE(WaitFor([&] { return QFile::exists(socket); }, StartUpMs));
    killed.kill(); // SIGKILL: the lock file and the socket stay behind
    ASSERT_TRUE(killed.waitForFinished(5000));
    ASSERT_TRUE(QFile::exists(copy.LockFile()));

    QProcess &next = copy.Start();
    ASSERT_TRUE(WaitFor([&] { return copy.LockOwner() == next.processId(); }, StartUpMs))
        << "the next start did not take over the lock of the killed copy";
    EXPECT_EQ(QProcess::Running, next.state());

    // And it answers later starts through the socket name the killed copy left.
    QProcess &later = copy.Start();
    ASSERT_TRUE(later.waitForFinished(HandOverMs));
    EXPECT_EQ(0, later.exitCode());
    EXPECT_TRUE(copy.WaitForOutput(next, RaisedLine, StartUpMs));
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
