// A program directory of its own for each test, removed afterwards.
#pragma once

#include "ProgramDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

class TTestDirectory {
public:
    TTestDirectory() {
        const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(test->test_suite_name()) + "_" + test->name();
        for (char &c : name)
            if (c == '/')
                c = '_';
        FPath = std::filesystem::temp_directory_path() /
                ("kyr_language_" + name + "_" + std::to_string(getpid()));
        std::filesystem::create_directories(FPath);
        kyr::SetProgramDirectory(FPath.string());
    }
    ~TTestDirectory() {
        kyr::SetProgramDirectory("");
        std::error_code error;
        std::filesystem::remove_all(FPath, error);
    }
    void Write(const std::string &fileName, const std::string &content) const {
        std::ofstream(FPath / fileName, std::ios::binary) << content;
    }
    void Remove(const std::string &fileName) const { std::filesystem::remove(FPath / fileName); }

private:
    std::filesystem::path FPath;
};
