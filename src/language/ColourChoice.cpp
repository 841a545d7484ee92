#include "ColourChoice.h"

#include <QColorDialog>

namespace kyr {

bool ChooseColour(const std::function<bool(QColor &colour)> &hook, QColor &colour,
                  QWidget *parent) {
    if (hook)
        return hook(colour);
    const QColor picked = QColorDialog::getColor(colour, parent);
    if (!picked.isValid())
        return false;
    colour = picked;
    return true;
}

} // namespace kyr
