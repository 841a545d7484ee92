#include "ReplaceFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kyr::cli {

namespace {

// The temporary file lies in the target's directory, so that the rename never crosses file
// systems, and is hidden there: ".NAME.XXXXXX".
std::string TemporaryTemplate(const std::string &path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(0, nameStart) + "." + path.substr(nameStart) + ".XXXXXX";
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

void ReplaceFile(const std::string &path, std::string_view bytes, const std::string &what) {
    const auto fail = [&](int error) {
        throw std::runtime_error(what + " " + path + ": " + std::strerror(error));
    };
    std::string name = TemporaryTemplate(path);
    std::vector<char> buffer(name.begin(), name.end());
    buffer.push_back('\0');
    const int fd = ::mkstemp(buffer.data());
    if (fd < 0)
        fail(errno);
    name = buffer.data();
    // mkstemp makes the file private; the image gets the permissions any new file gets.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    errno = 0;
    bool done = ::fchmod(fd, 0666 & ~mask) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && done) {
        done = false;
        error = errno;
    }
    if (done && ::rename(name.c_str(), path.c_str()) != 0) {
        done = false;
        error = errno;
    }
    if (!done) {
        ::unlink(name.c_str());
        // A short write that set no error is a full disk.
        fail(error != 0 ? error : ENOSPC);
    }
}

} // namespace kyr::cli
