#include "ProfileFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace kyr {

namespace {

constexpr std::size_t NotFound = static_cast<std::size_t>(-1);
constexpr const char *ByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

std::string Trim(const std::string &s) {
    std::size_t begin = 0;
    std::size_t end = s.size();
    while (begin < end && IsBlank(s[begin]))
        ++begin;
    while (end > begin && IsBlank(s[end - 1]))
        --end;
    return s.substr(begin, end - begin);
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(const std::string &a, const std::string &b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

enum class TLineKind { Other, Section, Key };

struct TParsedLine {
    TLineKind Kind = TLineKind::Other;
    std::string Name;
    std::size_t ValueStart = 0; ///< where the value begins in the raw line (keys only)
};

TParsedLine ParseLine(const std::string &line) {
    TParsedLine parsed;
    const std::string t = Trim(line);
    if (t.empty() || t[0] == ';')
        return parsed;
    if (t[0] == '[') {
        const auto close = t.find(']');
        if (close != std::string::npos) {
            parsed.Kind = TLineKind::Section;
            parsed.Name = Trim(t.substr(1, close - 1));
        }
        return parsed;
    }
    const auto equals = line.find('=');
    if (equals == std::string::npos)
        return parsed;
    parsed.Name = Trim(line.substr(0, equals));
    if (parsed.Name.empty())
        return parsed;
    parsed.Kind = TLineKind::Key;
    parsed.ValueStart = equals + 1;
    while (parsed.ValueStart < line.size() && IsBlank(line[parsed.ValueStart]))
        ++parsed.ValueStart;
    return parsed;
}

void CheckName(const std::string &name, const char *what, const char *forbidden) {
    if (Trim(name).empty() || name.find_first_of(forbidden) != std::string::npos)
        throw std::invalid_argument(std::string("Invalid settings ") + what + " name \"" + name +
                                    "\".");
}

[[noreturn]] void WriteFailed(const std::string &fileName, int error) {
    throw EProfileFileError("Cannot write the settings file " + fileName + ": " +
                            std::strerror(error));
}

// The file that writing fileName replaces: a settings file linked from elsewhere stays linked.
std::filesystem::path WriteTarget(const std::string &fileName) {
    namespace fs = std::filesystem;
    fs::path target(fileName);
    std::error_code linkError;
    for (int depth = 0; depth < 40 && fs::is_symlink(target, linkError); ++depth) {
        const fs::path link = fs::read_symlink(target, linkError);
        if (linkError)
            break;
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    return target;
}

// The temporary names UpdateFile uses: the target's name, ".~", the writer's process id, "-" and
// a counter.
std::string TemporaryName(const std::string &target, long pid, unsigned counter) {
    return target + ".~" + std::to_string(pid) + "-" + std::to_string(counter);
}

bool AllDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The writer's process id when name is one of target's temporary names, else 0.
long TemporaryWriter(const std::string &name, const std::string &target) {
    const std::string prefix = target + ".~";
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
        return 0;
    const std::string_view rest = std::string_view(name).substr(prefix.size());
    const auto dash = rest.find('-');
    if (dash == std::string_view::npos || !AllDigits(rest.substr(0, dash)) ||
        !AllDigits(rest.substr(dash + 1)))
        return 0;
    long pid = 0;
    const auto [end, failed] = std::from_chars(rest.data(), rest.data() + dash, pid);
    return failed == std::errc() ? pid : 0;
}

bool ProcessRunning(long pid) {
    // EPERM: it exists but belongs to someone else.
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// Makes a rename in the directory durable; a file system that cannot sync directories keeps
// the rename all the same, so failures are not reported.
void SyncDirectory(const std::filesystem::path &directory) {
    const std::string name = directory.empty() ? std::string(".") : directory.string();
    const int fd = open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

} // namespace

void RemoveStaleTemporaries(const std::string &fileName) {
    namespace fs = std::filesystem;
    const fs::path target = WriteTarget(fileName);
    const fs::path directory = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string targetName = target.filename().string();
    const auto oldest = fs::file_time_type::clock::now() - std::chrono::minutes(1);
    std::error_code error;
    for (fs::directory_iterator it(directory, error), end; !error && it != end;
         it.increment(error)) {
        const long pid = TemporaryWriter(it->path().filename().string(), targetName);
        if (pid <= 0)
            continue;
        std::error_code ignored;
        if (!it->is_regular_file(ignored))
            continue;
        const auto written = it->last_write_time(ignored);
        if (!ignored && ProcessRunning(pid) && written >= oldest)
            continue; // being written now
        fs::remove(it->path(), ignored);
    }
}

TProfileFile::TProfileFile(std::string fileName) : FFileName(std::move(fileName)) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(FFileName, error))
        return;
    std::string text;
    try {
        std::ifstream in(FFileName, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::exception &) {
        return; // unreadable: as if missing
    }
    if (text.compare(0, 3, ByteOrderMark) == 0) {
        FByteOrderMark = true;
        text.erase(0, 3);
    }
    if (text.find("\r\n") != std::string::npos)
        FLineEnd = "\r\n";
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        FLines.push_back(std::move(line));
        start = end + 1;
    }
}

std::size_t TProfileFile::FindSection(const std::string &section) const {
    for (std::size_t i = 0; i < FLines.size(); ++i) {
        const TParsedLine parsed = ParseLine(FLines[i]);
        if (parsed.Kind == TLineKind::Section && SameName(parsed.Name, section))
            return i;
    }
    return NotFound;
}

std::size_t TProfileFile::FindKey(const std::string &section, const std::string &key) const {
    const std::size_t header = FindSection(section);
    if (header == NotFound)
        return NotFound;
    for (std::size_t i = header + 1; i < FLines.size(); ++i) {
        const TParsedLine parsed = ParseLine(FLines[i]);
        if (parsed.Kind == TLineKind::Section)
            break;
        if (parsed.Kind == TLineKind::Key && SameName(parsed.Name, key))
            return i;
    }
    return NotFound;
}

bool TProfileFile::FindValue(const std::string &section, const std::string &key,
                             std::string &value) const {
    const std::size_t line = FindKey(section, key);
    if (line == NotFound)
        return false;
    value = Trim(FLines[line].substr(ParseLine(FLines[line]).ValueStart));
    // A value in matching quotes loses them, so that blanks at its ends can be kept.
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return true;
}

bool TProfileFile::SectionExists(const std::string &section) const {
    return FindSection(section) != NotFound;
}

bool TProfileFile::ValueExists(const std::string &section, const std::string &key) const {
    return FindKey(section, key) != NotFound;
}

std::vector<std::string> TProfileFile::ReadSections() const {
    std::vector<std::string> names;
    for (const std::string &line : FLines) {
        TParsedLine parsed = ParseLine(line);
        if (parsed.Kind != TLineKind::Section)
            continue;
        if (std::none_of(names.begin(), names.end(),
                         [&](const std::string &n) { return SameName(n, parsed.Name); }))
            names.push_back(std::move(parsed.Name));
    }
    return names;
}

std::vector<std::string> TProfileFile::ReadSection(const std::string &section) const {
    std::vector<std::string> keys;
    const std::size_t header = FindSection(section);
    if (header == NotFound)
        return keys;
    for (std::size_t i = header + 1; i < FLines.size(); ++i) {
        TParsedLine parsed = ParseLine(FLines[i]);
        if (parsed.Kind == TLineKind::Section)
            break;
        if (parsed.Kind == TLineKind::Key &&
            std::none_of(keys.begin(), keys.end(),
                         [&](const std::string &k) { return SameName(k, parsed.Name); }))
            keys.push_back(std::move(parsed.Name));
    }
    return keys;
}

std::string TProfileFile::ReadString(const std::string &section, const std::string &key,
                                     const std::string &defaultValue) const {
    std::string value;
    return FindValue(section, key, value) ? value : defaultValue;
}

int TProfileFile::ReadInteger(const std::string &section, const std::string &key,
                              int defaultValue) const {
    std::string text;
    if (!FindValue(section, key, text))
        return defaultValue;
    const char *first = text.data();
    const char *last = text.data() + text.size();
    if (first != last && *first == '+')
        ++first;
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last)
        return defaultValue;
    return value;
}

bool TProfileFile::ReadBool(const std::string &section, const std::string &key,
                            bool defaultValue) const {
    std::string text;
    if (!FindValue(section, key, text))
        return defaultValue;
    std::transform(text.begin(), text.end(), text.begin(), LowerAscii);
    if (text == "true" || text == "yes")
        return true;
    if (text == "false" || text == "no")
        return false;
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TProfileFile::WriteString(const std::string &section, const std::string &key,
                               const std::string &value) {
    CheckName(section, "section", "]\r\n");
    CheckName(key, "key", "=[;\r\n");
    // One value is one line.
    std::string oneLine = value;
    std::replace_if(
        oneLine.begin(), oneLine.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    // Quoted where reading would otherwise lose blanks at the ends or a pair of quotes.
    if (!oneLine.empty() &&
        (IsBlank(oneLine.front()) || IsBlank(oneLine.back()) ||
         (oneLine.size() >= 2 && IsQuote(oneLine.front()) && oneLine.back() == oneLine.front())))
        oneLine = '"' + oneLine + '"';

    const std::size_t line = FindKey(section, key);
    if (line != NotFound) {
        std::string &text = FLines[line];
        const std::string updated = text.substr(0, ParseLine(text).ValueStart) + oneLine;
        if (updated != text) {
            text = updated;
            FModified = true;
        }
        return;
    }
    const std::string newLine = key + "=" + oneLine;
    const std::size_t header = FindSection(section);
    if (header != NotFound) {
        std::size_t at = header + 1;
        for (std::size_t i = header + 1; i < FLines.size(); ++i) {
            const TParsedLine parsed = ParseLine(FLines[i]);
            if (parsed.Kind == TLineKind::Section)
                break;
            if (parsed.Kind == TLineKind::Key)
                at = i + 1;
        }
        FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(at), newLine);
    } else {
        if (!FLines.empty() && !Trim(FLines.back()).empty())
            FLines.emplace_back();
        FLines.push_back("[" + section + "]");
        FLines.push_back(newLine);
    }
    FModified = true;
}

void TProfileFile::WriteInteger(const std::string &section, const std::string &key, int value) {
    WriteString(section, key, std::to_string(value));
}

void TProfileFile::WriteBool(const std::string &section, const std::string &key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TProfileFile::UpdateFile() {
    if (!FModified)
        return;
    namespace fs = std::filesystem;
    const fs::path target = WriteTarget(FFileName);
    const std::string path = target.string();
    if (target.has_parent_path()) {
        std::error_code error;
        fs::create_directories(target.parent_path(), error);
        if (error)
            WriteFailed(FFileName, error.value());
    }

    std::string text = FByteOrderMark ? ByteOrderMark : "";
    for (const std::string &line : FLines)
        text += line + FLineEnd;

    // A fresh name beside the target, so that the rename stays within one file system.
    static std::atomic<unsigned> counter = 0;
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = TemporaryName(path, getpid(), counter++);
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            WriteFailed(FFileName, errno);
    }
    if (fd < 0)
        WriteFailed(FFileName, EEXIST);

    int error = 0;
    struct stat existing {};
    if (stat(path.c_str(), &existing) == 0 && fchmod(fd, existing.st_mode & 07777) != 0)
        error = errno;
    for (std::size_t done = 0; error == 0 && done < text.size();) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno != EINTR)
                error = errno;
        } else {
            done += static_cast<std::size_t>(n);
        }
    }
    if (error == 0 && fsync(fd) != 0)
        error = errno;
    if (close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        unlink(temporary.c_str());
        WriteFailed(FFileName, error);
    }
    SyncDirectory(target.parent_path());
    FModified = false;
}

} // namespace kyr
