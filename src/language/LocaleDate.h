// The locale's short date format, for laying out year, month and day fields.
#pragma once

#include <QString>

namespace kyr {

/// The order of year (Y), month (M) and day (D) in the locale's short date format, as a text
/// such as "YMD" or "DMY".
QString LocaleDateOrder();
/// The character between the parts of the locale's short date ("/", ".", "-").
QString LocaleDateSeparator();

} // namespace kyr
