#include "ProfileFile.h"

#include "TempDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <chrono>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace kyr;
using kyr::test::ReadText;
using kyr::test::TTempDirectory;
using kyr::test::WriteText;

namespace {

// A hand-edited file with the usual untidiness.
const char *HandWritten = "; settings\n"
                          "Orphan=before any section\n"
                          "[System]\n"
                          "  SaveOnExit = 1  \n"
                          "OrbisName=Medium\n"
                          "Empty=\n"
                          "Quoted=\"  two blanks  \"\n"
                          "Single='x'\n"
                          "Twice=first\n"
                          "Twice=second\n"
                          ";Commented=yes\n"
                          "Equals=a=b\n"
                          "\n"
                          "[ Windows ]\n"
                          "Main=1,2,3,4,0\n"
                          "[system]\n"
                          "Late=in the second System section\n";

TEST(ProfileFile, ReadsStringsByTheWindowsRules) {
    TTempDirectory dir;
    WriteText(dir.File("a.ini"), HandWritten);
    const TProfileFile file(dir.File("a.ini"));
    struct Case {
        const char *Section, *Key, *Expected;
    };
    const Case cases[] = {
        {"System", "OrbisName", "Medium"},
        {"SYSTEM", "orbisname", "Medium"},      // case is ignored
        {"System", "SaveOnExit", "1"},          // blanks around key and value go
        {"Windows", "Main", "1,2,3,4,0"},       // blanks inside the brackets go
        {"System", "Empty", ""},                // present but empty: not the default
        {"System", "Quoted", "  two blanks  "}, // quotes keep the blanks
        {"System", "Single", "x"},
        {"System", "Twice", "first"},       // the first occurrence wins
        {"System", "Equals", "a=b"},        // the first '=' separates
        {"System", "Commented", "default"}, // a comment is no key
        {"System", "Late", "default"},      // only the first System section counts
        {"System", "Orphan", "default"},    // keys before any section belong to none
        {"System", "Missing", "default"},
        {"Missing", "OrbisName", "default"},
        {"Windows", "OrbisName", "default"}, // keys belong to their own section only
    };
    for (const Case &c : cases)
        EXPECT_EQ(file.ReadString(c.Section, c.Key, "default"), c.Expected)
            << c.Section << "/" << c.Key;
}

TEST(ProfileFile, MissingFileReadsDefaultsAndIsNotCreatedWithoutWrites) {
    TTempDirectory dir;
    TProfileFile file(dir.File("none.ini"));
    EXPECT_EQ(file.ReadString("System", "OrbisName", "Medium"), "Medium");
    EXPECT_EQ(file.ReadInteger("System", "GraphColor", 255), 255);
    EXPECT_TRUE(file.ReadBool("System", "ChkZoneTime", true));
    EXPECT_FALSE(file.SectionExists("System"));
    file.UpdateFile();
    EXPECT_FALSE(std::filesystem::exists(dir.File("none.ini")));
}

TEST(ProfileFile, IntegersAndBooleansReadMalformedValuesAsTheDefault) {
    TTempDirectory dir;
    struct Case {
        const char *Value;
        int Integer; // read with default 99
        int Bool;    // read with default true: 1 or 0
    };
    const Case cases[] = {
        {"42", 42, 1},   {"-7", -7, 1},
        {"+5", 5, 1},    {"0", 0, 0},
        {" 12 ", 12, 1}, {"-2147483633", -2147483633, 1},
        {"abc", 99, 1},  {"12abc", 99, 1},
        {"", 99, 1},     {"99999999999", 99, 1},
        {"0x10", 99, 1}, {"\"3\"", 3, 1},
        {"true", 99, 1}, {"FALSE", 99, 0},
        {"Yes", 99, 1},  {"no", 99, 0},
        {"2", 2, 1},
    };
    std::string text = "[S]\n";
    for (std::size_t i = 0; i < std::size(cases); ++i)
        text += "K" + std::to_string(i) + "=" + cases[i].Value + "\n";
    WriteText(dir.File("n.ini"), text);
    const TProfileFile file(dir.File("n.ini"));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const std::string key = "K" + std::to_string(i);
        EXPECT_EQ(file.ReadInteger("S", key, 99), cases[i].Integer) << cases[i].Value;
        EXPECT_EQ(file.ReadBool("S", key, true), cases[i].Bool != 0) << cases[i].Value;
    }
    // A malformed Boolean keeps a false default too.
    EXPECT_FALSE(file.ReadBool("S", "K6", false));
    EXPECT_EQ(file.ReadInteger("S", "Missing", -1), -1);
}

TEST(ProfileFile, WritesInPlaceKeepingCommentsBlankLinesAndOrder) {
    TTempDirectory dir;
    const std::string name = dir.File("KYR.INI");
    WriteText(name, "; my settings\n"
                    "[System]\n"
                    "SaveOnExit = 0\n"
                    "; the orb set\n"
                    "OrbisName=Medium\n"
                    "\n"
                    "; places\n"
                    "[Windows]\n"
                    "Main=1,2,3,4,0\n");
    TProfileFile file(name);
    file.WriteBool("system", "SAVEONEXIT", true); // found whatever the case
    file.WriteString("System", "OrbisName", "Strong");
    file.WriteInteger("System", "GraphColor", 255);  // after the last key of its section
    file.WriteString("Analyse", "FromYear", "2026"); // a new section at the end
    file.WriteString("Analyse", "ToYear", "2027");
    file.WriteString("Windows", "Wheel", "");
    EXPECT_TRUE(file.Modified());
    file.UpdateFile();
    EXPECT_FALSE(file.Modified());
    EXPECT_EQ(ReadText(name), "; my settings\n"
                              "[System]\n"
                              "SaveOnExit = 1\n"
                              "; the orb set\n"
                              "OrbisName=Strong\n"
                              "GraphColor=255\n"
                              "\n"
                              "; places\n"
                              "[Windows]\n"
                              "Main=1,2,3,4,0\n"
                              "Wheel=\n"
                              "\n"
                              "[Analyse]\n"
                              "FromYear=2026\n"
                              "ToYear=2027\n");
}

TEST(ProfileFile, NewKeyInASectionWithoutKeysFollowsItsHeader) {
    TTempDirectory dir;
    const std::string name = dir.File("a.ini");
    WriteText(name, "[Startup]\n[System]\nA=1\n");
    TProfileFile file(name);
    file.WriteString("Startup", "Place", "United Kingdom, London");
    file.UpdateFile();
    EXPECT_EQ(ReadText(name), "[Startup]\nPlace=United Kingdom, London\n[System]\nA=1\n");
}

TEST(ProfileFile, KeepsByteOrderMarkAndWindowsLineEnds) {
    TTempDirectory dir;
    const std::string name = dir.File("a.ini");
    WriteText(name, "\xEF\xBB\xBF[System]\r\nA=1\r\n");
    TProfileFile file(name);
    EXPECT_EQ(file.ReadString("System", "A", ""), "1");
    file.WriteString("System", "B", "Zürich");
    file.UpdateFile();
    EXPECT_EQ(ReadText(name), "\xEF\xBB\xBF[System]\r\nA=1\r\nB=Zürich\r\n");
}

TEST(ProfileFile, StringsRoundTripThroughTheFile) {
    TTempDirectory dir;
    const std::string name = dir.File("a.ini");
    const std::string values[] = {"plain",
                                  "  blanks at both ends  ",
                                  "\"quoted\"",
                                  "'single'",
                                  "\"Arial\",16,0,0",
                                  "a=b;c [d]",
                                  "Ærø, Marstal",
                                  "",
                                  "\""};
    {
        TProfileFile file(name);
        for (std::size_t i = 0; i < std::size(values); ++i)
            file.WriteString("S", "K" + std::to_string(i), values[i]);
        file.UpdateFile();
    }
    const TProfileFile file(name);
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(file.ReadString("S", "K" + std::to_string(i), "default"), values[i]);
}

TEST(ProfileFile, LineBreaksInAValueCannotSplitTheLine) {
    TTempDirectory dir;
    const std::string name = dir.File("a.ini");
    TProfileFile file(name);
    file.WriteString("S", "K", "one\ntwo\r\nInjected=1");
    file.UpdateFile();
    const TProfileFile reread(name);
    EXPECT_EQ(reread.ReadString("S", "K", ""), "one two  Injected=1");
    EXPECT_FALSE(reread.ValueExists("S", "Injected"));
}

TEST(ProfileFile, RefusesNamesThatCannotBeWritten) {
    TProfileFile file("/nonexistent/a.ini");
    const std::pair<const char *, const char *> names[] = {
        {"", "Key"},   {"Sec]tion", "Key"}, {"S", ""},          {"S", "a=b"},
        {"S", "[Key"}, {"S", ";Key"},       {"S", "Two\nLines"}};
    for (const auto &[section, key] : names)
        EXPECT_THROW(file.WriteString(section, key, "v"), std::invalid_argument)
            << section << "/" << key;
}

TEST(ProfileFile, ListsSectionsAndKeysOnceInFileOrder) {
    TTempDirectory dir;
    WriteText(dir.File("a.ini"), HandWritten);
    const TProfileFile file(dir.File("a.ini"));
    EXPECT_EQ(file.ReadSections(), (std::vector<std::string>{"System", "Windows"}));
    EXPECT_EQ(file.ReadSection("system"),
              (std::vector<std::string>{"SaveOnExit", "OrbisName", "Empty", "Quoted", "Single",
                                        "Twice", "Equals"}));
    EXPECT_TRUE(file.ValueExists("SYSTEM", "empty"));
    EXPECT_FALSE(file.ValueExists("System", "Late"));
}

TEST(ProfileFile, WritingTheSameValueChangesNothing) {
    TTempDirectory dir;
    const std::string name = dir.File("a.ini");
    WriteText(name, "[S]\nK = 5\n");
    TProfileFile file(name);
    file.WriteInteger("S", "K", 5);
    EXPECT_FALSE(file.Modified());
}

TEST(ProfileFile, ReplacesTheFileWholeAndKeepsItsPermissions) {
    TTempDirectory dir;
    const std::string name = dir.File("KYR.INI");
    WriteText(name, "[S]\nK=1\n");
    chmod(name.c_str(), 0640);
    TProfileFile file(name);
    file.WriteInteger("S", "K", 2);
    file.UpdateFile();

    struct stat info {};
    ASSERT_EQ(stat(name.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(ReadText(name), "[S]\nK=2\n");
    // Nothing is left beside it.
    int entries = 0;
    for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator(dir.Path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(ProfileFile, ALinkedFileStaysLinked) {
    TTempDirectory dir;
    std::filesystem::create_directory(dir.File("dotfiles"));
    WriteText(dir.File("dotfiles/KYR.INI"), "[S]\nK=1\n");
    std::filesystem::create_symlink("dotfiles/KYR.INI", dir.File("KYR.INI"));
    TProfileFile file(dir.File("KYR.INI"));
    file.WriteInteger("S", "K", 2);
    file.UpdateFile();
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("KYR.INI")));
    EXPECT_EQ(ReadText(dir.File("dotfiles/KYR.INI")), "[S]\nK=2\n");
}

TEST(ProfileFile, CreatesMissingFolders) {
    TTempDirectory dir;
    const std::string name = dir.File("config/kyr/KYR.INI");
    TProfileFile file(name);
    file.WriteBool("System", "SaveOnExit", false);
    file.UpdateFile();
    EXPECT_EQ(ReadText(name), "[System]\nSaveOnExit=0\n");
}

TEST(ProfileFile, AFailedWriteThrowsAndLeavesNoTemporaryFile) {
    TTempDirectory dir;
    // A directory where the file should be: the final rename fails.
    const std::string name = dir.File("KYR.INI");
    std::filesystem::create_directory(name);
    TProfileFile file(name);
    file.WriteBool("System", "SaveOnExit", true);
    EXPECT_THROW(file.UpdateFile(), EProfileFileError);
    int entries = 0;
    for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator(dir.Path()))
        ++entries;
    EXPECT_EQ(entries, 1);

    // A file where a folder should be.
    WriteText(dir.File("plain"), "");
    TProfileFile underFile(dir.File("plain/KYR.INI"));
    underFile.WriteBool("System", "SaveOnExit", true);
    EXPECT_THROW(underFile.UpdateFile(), EProfileFileError);
}

// A process id that is surely not running: a child that has ended and been reaped.
long EndedProcess() {
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    return child;
}

TEST(ProfileFile, StaleTemporariesGoAndOnlyThey) {
    TTempDirectory dir;
    const std::string ended = std::to_string(EndedProcess());
    const std::string self = std::to_string(getpid());
    WriteText(dir.File("KYR.INI"), "[S]\nK=1\n");
    struct TCase {
        std::string Name;
        bool Old;
        bool Stays;
    };
    const TCase cases[] = {
        {"KYR.INI.~" + ended + "-0", false, false}, // its writer is gone
        {"KYR.INI.~" + ended + "-17", true, false},
        {"KYR.INI.~" + self + "-3", true, false}, // a running id, but long since reused
        {"KYR.INI.~" + self + "-4", false, true},  // being written now
        {"OTHER.INI.~" + ended + "-0", true, true}, // another file's
        {"KYR.INI.~" + ended, true, true},
        {"KYR.INI.~" + ended + "-", true, true},
        {"KYR.INI.~x" + ended + "-0", true, true},
        {"KYR.INI.bak", true, true},
        {"KYR.INI.~" + ended + "-0.keep", true, true},
    };
    const auto longAgo = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(5);
    for (const TCase &c : cases) {
        WriteText(dir.File(c.Name), "partial");
        if (c.Old)
            std::filesystem::last_write_time(dir.File(c.Name), longAgo);
    }
    RemoveStaleTemporaries(dir.File("KYR.INI"));
    for (const TCase &c : cases)
        EXPECT_EQ(std::filesystem::exists(dir.File(c.Name)), c.Stays) << c.Name;
    EXPECT_EQ(ReadText(dir.File("KYR.INI")), "[S]\nK=1\n");
    // A missing directory is no error.
    RemoveStaleTemporaries(dir.File("missing/KYR.INI"));
}

TEST(ProfileFile, StaleTemporariesOfALinkedFileGoWhereItLies) {
    TTempDirectory dir;
    std::filesystem::create_directory(dir.File("dotfiles"));
    WriteText(dir.File("dotfiles/KYR.INI"), "[S]\nK=1\n");
    std::filesystem::create_symlink("dotfiles/KYR.INI", dir.File("KYR.INI"));
    const std::string stale = dir.File("dotfiles/KYR.INI.~" + std::to_string(EndedProcess()) + "-0");
    WriteText(stale, "partial");
    RemoveStaleTemporaries(dir.File("KYR.INI"));
    EXPECT_FALSE(std::filesystem::exists(stale));
}

} // namespace
