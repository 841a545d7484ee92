// TWheel: the chart wheel as a widget. The model underneath follows the horoscope and lays
// out the geometry; the widget adds the properties that only change how it is painted and
// paints through PaintWheel, directly or through an off-screen bitmap. A press runs the hit
// test and the item hit blinks until the next press.
#pragma once

#include "WheelHitTest.h"
#include "WheelModel.h"
#include "WheelPainter.h"
#include "WheelPicture.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <functional>

class QTimer;

namespace kyr {

class TWheel : public QWidget, public TWheelModel {
public:
    /// 65 x 65 pixels, the symbol font, the default frame.
    explicit TWheel(QWidget *parent = nullptr);

    /// Black-and-white style.
    bool BW() const { return FBW; }
    void SetBW(bool value);
    /// Fill the whole widget with Color before painting.
    bool Opaque() const { return FOpaque; }
    void SetOpaque(bool value);
    QColor Color() const { return FColor; }
    void SetColor(const QColor &value);
    /// In the printing style, write each body's position within its sign under its glyph.
    bool ShowPosition() const { return FShowPosition; }
    void SetShowPosition(bool value);

    /// Where the mouse was last pressed, in widget pixels.
    int MouseX() const { return FMouseX; }
    int MouseY() const { return FMouseY; }

    /// Raised by a press for each item it hits, or for a plain miss and a right click;
    /// unset, a press runs no hit test at all.
    std::function<void(TWheel &sender, TWheelHitType hitType, int ref)> OnMouseHit;

    /// Highlights an item as a press would; with clear, the old highlight goes first. The
    /// selection panel and the partner wheel mirror their selections through it.
    void SelectItem(bool clear, TWheelHitType kind, int ref);
    /// On: the highlight blinks, 500 ms a phase. Off: it stops and the selection is cleared.
    void SetBlinking(bool on);
    bool Blinking() const { return FBlinking; }
    /// True in the phase that draws the highlight black.
    bool BlinkPhase() const { return FPhase; }
    const TWheelSelection &Selection() const { return FSelection; }
    int SelectedSign() const { return FSelection.Sign; }
    /// 2 when (x, y) lies on the partner chart inside a dual layout, else 1.
    int ChartAtPoint(int x, int y) const;

    /// Draws the wheel into any painter's rectangle, laid out for it, in the printing style.
    const TWheelPicture &Picture() const { return FPicture; }
    TWheelPicture &Picture() { return FPicture; }

    /// The drawing routine: the current geometry into painter; rect is what Opaque fills.
    void DrawWheel(QPainter &painter, const QRect &rect);
    /// What DrawWheel passes to PaintWheel.
    TWheelPaintOptions PaintOptions(const QRect &rect) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void Invalidate() override { update(); }
    void StopBlinking() override { SetBlinking(false); }

    /// The bitmap of the off-screen path; a null image makes the wheel fall back to drawing
    /// directly.
    virtual QImage CreateOffScreenBitmap(const QSize &size);
    /// The single beep that tells of that fall-back.
    virtual void Beep();

private:
    void PaintOffScreen(QPainter &painter, const QRect &rect);
    /// The blinking highlight over the painted wheel, in the colour of the current phase.
    void PaintHighlight(QPainter &painter);

    bool FBW = false;
    bool FOpaque = false;
    bool FShowPosition = false;
    QColor FColor;
    int FMouseX = 0;
    int FMouseY = 0;
    TWheelSelection FSelection;
    bool FBlinking = false;
    bool FPhase = false;
    QTimer *FBlinkTimer = nullptr; ///< exists only while blinking
    TWheelPicture FPicture;
};

/// The layout rectangle of a Qt rectangle: Right and Bottom lie one past the last pixel.
inline TRectI ToRectI(const QRect &rect) {
    return {rect.x(), rect.y(), rect.x() + rect.width(), rect.y() + rect.height()};
}

} // namespace kyr
