// TWheelPicture: the wheel as a graphic that is stretched into any painter's rectangle
// (printer, PDF, SVG, image). It draws in the printing style.
#pragma once

#include <QRect>

#include <functional>

class QPainter;

namespace kyr {

class TWheelPicture {
public:
    /// Lays the wheel out for the rectangle and draws it; the wheel supplies it.
    using TDrawCallback = std::function<void(QPainter &painter, const QRect &rect)>;

    explicit TWheelPicture(TDrawCallback callback = {}) : FCallback(std::move(callback)) {}

    /// Plain stored values: the wheel scales to whatever rectangle it is drawn into.
    int Width() const { return FWidth; }
    void SetWidth(int value) { FWidth = value; }
    int Height() const { return FHeight; }
    void SetHeight(int value) { FHeight = value; }
    /// A wheel always has something to draw.
    bool Empty() const { return false; }

    /// Draws the wheel into rect of painter with WheelPrintMode set; it is cleared again
    /// afterwards, also when drawing fails.
    void Draw(QPainter &painter, const QRect &rect) const;

private:
    TDrawCallback FCallback;
    int FWidth = 100;
    int FHeight = 100;
};

} // namespace kyr
