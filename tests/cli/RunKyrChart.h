// Running the built kyr-chart from a test: arguments quoted for the shell, output captured.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace kyr::test {

struct TRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

inline std::string ShellQuote(const std::string &arg) {
    std::string quoted = "'";
    for (const char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline std::string ReadFile(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

/// A scratch folder per test, and kyr-chart run with its output captured there.
class TKyrChartTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
        FDir = std::filesystem::temp_directory_path() /
               ("kyr-chart-" + std::to_string(::getpid()) + "-" + test->name());
        std::filesystem::create_directories(FDir);
    }
    void TearDown() override { std::filesystem::remove_all(FDir); }

    /// environment is put before the command.
    TRun RunKyrChart(const std::vector<std::string> &args, const std::string &environment = "") {
        std::string command = environment + " " + ShellQuote(KYR_CHART);
        for (const std::string &arg : args)
            command += " " + ShellQuote(arg);
        command += " >" + ShellQuote(FDir / "out") + " 2>" + ShellQuote(FDir / "err");
        TRun run;
        const int status = std::system(command.c_str());
        run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.Out = ReadFile(FDir / "out");
        run.Err = ReadFile(FDir / "err");
        return run;
    }

    std::filesystem::path FDir;
};

} // namespace kyr::test
