// A writer killed at random moments must leave every record wholly old or wholly new.
#include "KyrTable.h"
#include "StoreTestSupport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <random>
#include <thread>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kyr;
using kyr::test::MakeTable;
using kyr::test::TTempDir;

namespace {

constexpr int Passages = 3;
// Large enough that a write spans many pages and takes a while.
constexpr std::size_t MemoSize = 1 << 20;
// Kills until this many landed inside a write (a hot journal was left), within MaxRounds.
// Every other round waits for the journal before it kills, so a slow machine only makes the
// rounds longer, never too few of them interrupted.
constexpr int InterruptedWrites = 4;
constexpr int MaxRounds = 40;
// How long a round waits for the writer's progress or its journal before it gives up.
constexpr auto Patience = std::chrono::seconds(60);

// Each generation and record fills the memo with its own letter, so a memo made of pages of
// two generations cannot pass.
std::string Memo(long long generation, int record) {
    std::string text =
        "generation " + std::to_string(generation) + " record " + std::to_string(record) + "\n";
    text.resize(MemoSize, static_cast<char>('A' + (generation * 7 + record) % 26));
    return text;
}

std::string Code(long long n) {
    return std::string{char('0' + n / 10 % 10), char('0' + n % 10)};
}

long long GenerationOf(TKyrTable &book) {
    const std::string attitude = book.FieldByName("Attitude").AsString();
    return std::stoll(attitude.substr(attitude.find(' ') + 1));
}

// The child: rewrites the passages and appends one record per generation until killed, and
// writes a byte to `progress` after each finished write.
[[noreturn]] void WriteForever(const std::string &directory, int progress) {
    const auto reportProgress = [progress] {
        const char done = '.';
        if (::write(progress, &done, 1) != 1)
            _exit(3);
    };
    try {
        TKyrTable book("BOOKUK", directory);
        book.Open();
        book.FindKey({"01", "01", "00", "01"});
        for (long long generation = GenerationOf(book) + 1;; ++generation) {
            const std::string attitude = "gen " + std::to_string(generation);
            for (int record = 0; record < Passages; ++record) {
                book.FindKey({"01", "01", Code(record), "01"});
                book.Edit();
                book.FieldByName("Attitude").SetAsString(attitude);
                book.FieldByName("Text").SetAsString(Memo(generation, record));
                book.Post();
                reportProgress();
            }
            book.AppendRecord({"02", Code(generation / 10000), Code(generation / 100),
                               Code(generation), attitude, Memo(generation, 99)});
            reportProgress();
        }
    } catch (...) {
        _exit(2);
    }
}

// Waits until the writer has reported `writes` finished writes; false when it stopped or
// the patience ran out.
bool AwaitWrites(int progress, int writes) {
    const auto deadline = std::chrono::steady_clock::now() + Patience;
    while (writes > 0) {
        pollfd ready{progress, POLLIN, 0};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) <= 0)
            return false;
        char done[64];
        const ssize_t count = ::read(progress, done, std::min<std::size_t>(sizeof done, writes));
        if (count <= 0)
            return false;
        writes -= static_cast<int>(count);
    }
    return true;
}

// Waits until a write is under way (its journal exists); false when the patience ran out.
bool AwaitJournal(const std::string &journal) {
    const auto deadline = std::chrono::steady_clock::now() + Patience;
    while (!std::filesystem::exists(journal))
        if (std::chrono::steady_clock::now() > deadline)
            return false;
    return true;
}

std::string IntegrityCheck(const std::string &fileName) {
    sqlite3 *db = nullptr;
    std::string result = "cannot open";
    if (sqlite3_open_v2(fileName.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) ==
                SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            result = reinterpret_cast<const char *>(sqlite3_column_text(statement, 0));
        else
            result = sqlite3_errmsg(db);
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return result;
}

TEST(CrashSafety, KilledWriterLeavesEachRecordWhollyOldOrNew) {
    TTempDir dir;
    {
        auto book = MakeTable(dir, "BOOKUK");
        for (int record = 0; record < Passages; ++record)
            book->AppendRecord({"01", "01", Code(record), "01", "gen 0", Memo(0, record)});
    }
    const std::string fileName = dir.Path() + "BOOKUK.DAT";
    const std::string journal = fileName + "-journal";
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    // Finished writes before the kill: up to two generations of the passages and the append.
    std::uniform_int_distribution<int> writesFirst(0, 2 * (Passages + 1));
    std::uniform_int_distribution<int> delayUs(0, 20000);
    long long lastGeneration = 0;
    int interrupted = 0;

    int round = 0;
    for (; round < MaxRounds && interrupted < InterruptedWrites; ++round) {
        SCOPED_TRACE("round " + std::to_string(round) + ", seed " + std::to_string(seed));
        int progress[2];
        ASSERT_EQ(::pipe(progress), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(progress[0]);
            WriteForever(dir.Path(), progress[1]);
        }
        ::close(progress[1]);
        const bool wrote = AwaitWrites(progress[0], writesFirst(random));
        // Odd rounds kill in the middle of a write, even ones at any moment after the
        // writes counted.
        const bool landed = wrote && (round % 2 == 1 ? AwaitJournal(journal) : true);
        if (round % 2 == 0)
            std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ASSERT_EQ(kill(child, SIGKILL), 0);
        ::close(progress[0]);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(wrote && landed) << "the writer made no progress within "
                                     << Patience.count() << " s";
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself, status " << status;
        if (std::filesystem::exists(journal))
            ++interrupted;

        ASSERT_EQ(IntegrityCheck(fileName), "ok") << "round " << round;
        TKyrTable book("BOOKUK", dir.Path());
        ASSERT_NO_THROW(book.Open()) << "round " << round;
        for (book.First(); !book.Eof(); book.Next()) {
            const long long generation = GenerationOf(book);
            const bool passage = book.FieldByName("Book").AsString() == "01";
            const int record =
                passage ? static_cast<int>(book.FieldByName("Code3").AsInteger()) : 99;
            ASSERT_EQ(book.FieldByName("Text").AsString(), Memo(generation, record))
                << "round " << round << ", record " << record << " of generation " << generation;
            if (passage)
                lastGeneration = std::max(lastGeneration, generation);
        }
    }
    EXPECT_GT(lastGeneration, 0) << "the writer never finished a write";
    EXPECT_EQ(interrupted, InterruptedWrites) << "too few kills landed inside a write";
    std::cout << "generations written: " << lastGeneration
              << ", kills during a write: " << interrupted << " of " << round << "\n";
}

} // namespace
