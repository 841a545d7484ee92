#include "OrbSetInUse.h"

#include "IndexScope.h"
#include "KyrSetup.h"
#include "KyrTable.h"

#include <algorithm>

namespace kyr {

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool SameOrbSetName(const std::string &a, const std::string &b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

bool OrbSetExists(TKyrTable &orbisDef, const std::string &name) {
    if (name.empty())
        return false;
    TIndexScope scope(orbisDef, "");
    return orbisDef.FindKey({name, 1LL});
}

std::optional<std::string> FallBackFromMissingOrbSet(TKyrSetup &setup, TKyrTable &orbisDef) {
    const std::string name = setup.System.OrbisName;
    if (OrbSetExists(orbisDef, name))
        return std::nullopt;
    setup.System.OrbisName = FallbackOrbSet;
    setup.System.ChkStrong = false;
    setup.System.ChkMedium = true;
    setup.System.ChkWeak = false;
    return name;
}

} // namespace kyr
