// Initialisation files: "[Section]" lines and "Key=Value" lines, read and updated the way
// Windows treats them, so that hand-edited settings files keep their layout.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace kyr {

/// A settings file could not be written.
class EProfileFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Removes the temporary files that an interrupted UpdateFile of fileName left beside it (the
/// file a link names): those whose writing process is gone, and any older than a minute. Other
/// files are left alone; a file that cannot be removed stays.
void RemoveStaleTemporaries(const std::string &fileName);

/// One initialisation file held in memory. Sections and keys compare without regard to
/// ASCII case; a missing file, section or key reads as the caller's default. Writes change
/// only the line of their key, so comments, blank lines and order survive; they reach the
/// disk through UpdateFile.
class TProfileFile {
public:
    /// Reads the file; a missing or unreadable file counts as empty.
    explicit TProfileFile(std::string fileName);

    const std::string &FileName() const { return FFileName; }

    bool SectionExists(const std::string &section) const;
    bool ValueExists(const std::string &section, const std::string &key) const;
    /// Section names in file order, each once.
    std::vector<std::string> ReadSections() const;
    /// Key names of a section in file order, each once.
    std::vector<std::string> ReadSection(const std::string &section) const;

    /// The value with surrounding blanks removed, and then a pair of matching quotes ('"' or
    /// '\'') around it; a present but empty value is empty.
    std::string ReadString(const std::string &section, const std::string &key,
                           const std::string &defaultValue) const;
    /// A signed decimal 32-bit integer; anything else reads as the default.
    int ReadInteger(const std::string &section, const std::string &key, int defaultValue) const;
    /// An integer (non-zero is true) or true/false/yes/no in any case; else the default.
    bool ReadBool(const std::string &section, const std::string &key, bool defaultValue) const;

    /// Replaces the key's value in place; a new key goes after the last key of its section,
    /// a new section at the end of the file. Line breaks in the value become blanks; a value
    /// that reading would change (blanks at its ends, quotes around it) is written quoted.
    void WriteString(const std::string &section, const std::string &key, const std::string &value);
    void WriteInteger(const std::string &section, const std::string &key, int value);
    /// Written as "1" or "0".
    void WriteBool(const std::string &section, const std::string &key, bool value);

    /// True when a write changed the text since the last read or update.
    bool Modified() const { return FModified; }
    /// Writes the changed text to a temporary file beside the target and renames it into
    /// place, so that a crash leaves either the old or the new file. Creates missing folders.
    /// Does nothing when nothing changed. Throws EProfileFileError.
    void UpdateFile();

private:
    std::size_t FindSection(const std::string &section) const;
    std::size_t FindKey(const std::string &section, const std::string &key) const;
    bool FindValue(const std::string &section, const std::string &key, std::string &value) const;

    std::string FFileName;
    std::vector<std::string> FLines; ///< without line ends
    std::string FLineEnd = "\n";
    bool FByteOrderMark = false;
    bool FModified = false;
};

} // namespace kyr
