// Writing a whole file so that it is either complete or untouched: the bytes go to a
// temporary file beside it, which replaces it only once everything is written.
#pragma once

#include <string>
#include <string_view>

namespace kyr::cli {

/// Writes bytes as the file at path, replacing any file there only on success. On failure
/// (the directory missing or not writable, the disk full, path a directory) the temporary
/// file is removed, a file that was there is left as it was, and std::runtime_error says
/// what + " " + path and why.
void ReplaceFile(const std::string &path, std::string_view bytes, const std::string &what);

} // namespace kyr::cli
