// The orb set the charts use: the settings name it, the orb tables hold it. A set that is gone
// would leave every orb at 0, and with them every aspect.
#pragma once

#include <optional>
#include <string>

namespace kyr {

class TKyrSetup;
class TKyrTable;

/// The system set the program falls back to.
inline constexpr const char *FallbackOrbSet = "Medium";

/// Orb set names compare as the tables' keys do: without regard to ASCII case.
bool SameOrbSetName(const std::string &a, const std::string &b);

/// True when the orb definitions (ORBISDEF, open) hold the set's row for point 1, without
/// which the set loads nothing.
bool OrbSetExists(TKyrTable &orbisDef, const std::string &name);

/// When the settings' orb set is missing from the orb definitions, makes "Medium" the set in
/// use and gives the missing name (empty when none was named); otherwise nothing changes.
std::optional<std::string> FallBackFromMissingOrbSet(TKyrSetup &setup, TKyrTable &orbisDef);

} // namespace kyr
