// A test suite that reads the English texts beside the executables once for all its tests.
#pragma once

#include "Language.h"
#include "ProgramDirectory.h"

#include <gtest/gtest.h>

namespace kyr::test {

class TEnglishSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SetProgramDirectory(KYR_PROGRAM_DIR);
        language = new TLanguage;
        language->SetCountry("UK");
        language->SetActive(true);
    }
    static void TearDownTestSuite() {
        delete language;
        language = nullptr;
        SetProgramDirectory("");
    }
    void SetUp() override { ASSERT_TRUE(language->Active()) << "KYR_UK.TXT not loaded"; }

    static inline TLanguage *language = nullptr;
};

} // namespace kyr::test
