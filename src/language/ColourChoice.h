// The one way the windows let the user pick a colour.
#pragma once

#include <QColor>

#include <functional>

class QWidget;

namespace kyr {

/// Asks for a colour, preset with colour: through hook when it is set (the main window and the
/// tests plug in their own), otherwise with the standard colour dialog over parent. True with
/// colour changed when the user chose one; false, with colour untouched, when cancelled.
bool ChooseColour(const std::function<bool(QColor &colour)> &hook, QColor &colour,
                  QWidget *parent);

} // namespace kyr
