#include "ProgramDirectory.h"

#include <filesystem>

namespace kyr {

namespace {
std::string &Override() {
    static std::string directory;
    return directory;
}
} // namespace

std::string ProgramDirectory() {
    if (!Override().empty())
        return Override();
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "./";
    return exe.parent_path().string() + "/";
}

void SetProgramDirectory(const std::string &directory) {
    Override() = directory;
    if (!directory.empty() && directory.back() != '/')
        Override() += '/';
}

} // namespace kyr
