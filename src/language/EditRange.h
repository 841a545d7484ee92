// Numeric edit fields that keep their value within limits.
#pragma once

#include <functional>

class QLineEdit;

namespace kyr {

/// Checks the edit's value against min..max: out of range it is set to the nearest limit, with a
/// beep and the focus. False when the value was out of range, empty or no number.
bool CheckEditRange(QLineEdit *edit, int min, int max, const std::function<void()> &beep);
/// Runs CheckEditRange whenever the user leaves the field.
void GuardRange(QLineEdit *edit, int low, int high, std::function<void()> beep);

} // namespace kyr
