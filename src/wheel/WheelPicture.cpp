#include "WheelPicture.h"

#include "WheelPainter.h"

namespace kyr {

void TWheelPicture::Draw(QPainter &painter, const QRect &rect) const {
    TWheelPrintScope printing;
    if (FCallback)
        FCallback(painter, rect);
}

} // namespace kyr
