// Where the program's delivered files lie: beside the executable.
#pragma once

#include <string>

namespace kyr {

/// The directory of the running executable, with a trailing '/', unless overridden.
std::string ProgramDirectory();
/// Points the program directory elsewhere (tests and tools); empty restores the default.
void SetProgramDirectory(const std::string &directory);

} // namespace kyr
