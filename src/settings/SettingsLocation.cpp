#include "SettingsLocation.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

namespace kyr {

bool CanCreateFileIn(const std::string &directory) {
    std::string base = directory;
    if (!base.empty() && base.back() != '/')
        base += '/';
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string probe =
            base + ".kyr-write-test-" + std::to_string(getpid()) + "-" + std::to_string(attempt);
        const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            close(fd);
            unlink(probe.c_str());
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

std::string UserConfigDirectory() {
    const char *config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return std::string(config) + "/kyr/";
    const char *home = std::getenv("HOME");
    std::string homeDirectory = home ? home : "";
    if (homeDirectory.empty())
        if (const passwd *user = getpwuid(getuid()); user && user->pw_dir)
            homeDirectory = user->pw_dir;
    return homeDirectory + "/.config/kyr/";
}

} // namespace kyr
