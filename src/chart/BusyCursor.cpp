#include "BusyCursor.h"

namespace kyr {

TBusyCursorHooks &BusyCursorHooks() {
    static TBusyCursorHooks hooks;
    return hooks;
}

TBusyScope::TBusyScope() {
    if (BusyCursorHooks().Show)
        BusyCursorHooks().Show();
}

TBusyScope::~TBusyScope() {
    if (BusyCursorHooks().Restore)
        BusyCursorHooks().Restore();
}

} // namespace kyr
