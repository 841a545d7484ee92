// A fresh directory for one test, removed afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include <stdlib.h>

namespace kyr::test {

class TTempDirectory {
public:
    TTempDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kyr-settings-XXXXXX");
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary directory");
        FPath = pattern + "/";
    }
    ~TTempDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(FPath, ignored);
    }
    TTempDirectory(const TTempDirectory &) = delete;
    TTempDirectory &operator=(const TTempDirectory &) = delete;

    /// The directory with a trailing '/'.
    const std::string &Path() const { return FPath; }
    std::string File(const std::string &name) const { return FPath + name; }

private:
    std::string FPath;
};

inline void WriteText(const std::string &fileName, const std::string &text) {
    std::ofstream(fileName, std::ios::binary) << text;
}

inline std::string ReadText(const std::string &fileName) {
    std::ifstream in(fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace kyr::test
