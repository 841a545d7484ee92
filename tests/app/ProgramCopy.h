// A scratch copy of the build's program directory: the delivered files and the tables, so that
// a test may damage or lock them without touching the build's own.
#pragma once

#include <filesystem>
#include <string>

namespace kyr::test {

/// Copies everything of the program directory but its executables and KYR.INI into target;
/// with program, the executable of that name is linked (copied where no link can be made), so
/// that it takes the copy as its program directory.
inline void CopyProgramDirectory(const std::filesystem::path &source,
                                 const std::filesystem::path &target,
                                 const std::string &program = {}) {
    namespace fs = std::filesystem;
    for (const auto &entry : fs::directory_iterator(source)) {
        const bool executable =
            entry.is_regular_file() &&
            (entry.status().permissions() & fs::perms::owner_exec) != fs::perms::none;
        const auto name = entry.path().filename();
        if (!executable && name != "KYR.INI" && (program.empty() || name != program))
            fs::copy(entry.path(), target / entry.path().filename(), fs::copy_options::recursive);
    }
    if (program.empty())
        return;
    std::error_code error;
    fs::create_hard_link(source / program, target / program, error);
    if (error)
        fs::copy_file(source / program, target / program);
}

} // namespace kyr::test
