// The hourglass shown while a long computation runs. Code without windows only marks the
// span; the application installs the hooks that change the screen cursor.
#pragma once

#include <functional>

namespace kyr {

struct TBusyCursorHooks {
    std::function<void()> Show;
    std::function<void()> Restore;
};

/// The hooks in force; empty hooks show nothing.
TBusyCursorHooks &BusyCursorHooks();

/// Shows the hourglass for its lifetime, restoring the cursor also when an exception leaves.
class TBusyScope {
public:
    TBusyScope();
    ~TBusyScope();
    TBusyScope(const TBusyScope &) = delete;
    TBusyScope &operator=(const TBusyScope &) = delete;
};

} // namespace kyr
