// Where the user's settings file can go.
#pragma once

#include <string>

namespace kyr {

/// True when a file can be created in the directory. Tried rather than judged from the
/// permission bits, which do not bind every user (root) or every file system.
bool CanCreateFileIn(const std::string &directory);

/// The user's configuration directory of this program, with a trailing '/':
/// $XDG_CONFIG_HOME/kyr/ when that is an absolute path, else ~/.config/kyr/.
std::string UserConfigDirectory();

} // namespace kyr
