// TTransitMeter: the strength of one transit over one to three years as one bar per pixel
// column, with a month scale, the year numbers and a cursor that reports the date under it.
// TTransitPicture draws the same meter into any rectangle of any painter, for printing.
#pragma once

#include "MeterLayout.h"

#include <QColor>
#include <QWidget>

#include <array>
#include <stdexcept>

namespace kyr {

class TTransitMeter;

/// SetValue with an index outside 0..2047.
class EMeterIndexError : public std::out_of_range {
public:
    EMeterIndexError() : std::out_of_range("Incorrect Index Value") {}
};

/// The meter as a picture: Draw paints it in print mode, where each run of values becomes a
/// filled polygon and the screen's cursor and sunken colours stay out.
class TTransitPicture {
public:
    explicit TTransitPicture(TTransitMeter &owner) : FOwner(owner) {}

    /// Paints the owning meter into rect of canvas.
    void Draw(QPainter &canvas, const QRect &rect) const;
    /// Stored sizes only; they do not change what Draw paints.
    int Width() const { return FWidth; }
    void SetWidth(int width) { FWidth = width; }
    int Height() const { return FHeight; }
    void SetHeight(int height) { FHeight = height; }
    bool Empty() const { return false; }

private:
    TTransitMeter &FOwner;
    int FWidth = 0;
    int FHeight = 0;
};

class TTransitMeter : public QWidget {
    Q_OBJECT

public:
    explicit TTransitMeter(QWidget *owner = nullptr);

    /// The scale starts on 1 January of FromYear and ends on 1 January of ToYear; setting
    /// either keeps the span at one to three years.
    int FromYear() const { return FSpan.From; }
    void SetFromYear(int year);
    int ToYear() const { return FSpan.To; }
    void SetToYear(int year);

    /// While inactive, changes only mark the meter for a repaint on activation. Any change
    /// forgets the cursor. Feed inactive: SetActive(false), SetValue for every column,
    /// SetActive(true).
    bool Active() const { return FActive; }
    void SetActive(bool active);

    /// Number of bar columns at the current width and font.
    int AreaWidth() const;

    /// Index of the last printed value; values 0..MaxValues span the printed width.
    int MaxValues() const { return FMaxValues; }
    void SetMaxValues(int maxValues) { FMaxValues = maxValues; }

    /// Quarter tick length and gap under the scale; values <= 0 are ignored.
    int TickSize() const { return FTickSize; }
    void SetTickSize(int tickSize);
    int MinorTickSize() const { return FMinorTickSize; }

    QColor ForeColor() const { return FForeColor; }
    void SetForeColor(const QColor &color);
    QColor BackColor() const { return FBackColor; }
    void SetBackColor(const QColor &color);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle style);
    /// Sunken frame and tick highlights on the screen.
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool on);

    /// Stores value i as a fraction of the plot height (1 = full height, more is clipped).
    /// EMeterIndexError outside 0..2047, with the values unchanged.
    void SetValue(int index, Extended value);
    Extended Value(int index) const;

    /// Moves the cursor to column x of the plot area and reports the date under it; nothing
    /// when x lies outside the plot area or the cursor is there already.
    void MoveCursor(int x);
    /// The cursor column, -1 when there is none.
    int CursorColumn() const { return FCursor; }
    /// The plot area of the last screen paint, edges inclusive.
    const TMeterRect &PlotArea() const { return FPlotArea; }

    TTransitPicture &Picture() { return FPicture; }
    /// Paints the meter into rect: on the screen, or for the picture in print mode.
    void PaintMeter(QPainter &painter, const QRect &rect, bool transitPrintMode);

    QSize sizeHint() const override { return {150, 80}; }

signals:
    /// The cursor moved to the day YYYYMMDD.
    void UserHit(int date);
    void Resized();
    void MouseDown(Qt::MouseButton button, const QPoint &position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void Changed();
    void ComputeBarHeights(int plotHeight);

    TYearSpan FSpan;
    bool FActive = false;
    bool FDirty = false;
    int FMaxValues = 0;
    int FTickSize = DefaultTickSize;
    int FMinorTickSize = MinorTickLength(DefaultTickSize);
    QColor FForeColor{255, 0, 0};
    QColor FBackColor;
    TBorderStyle FBorderStyle = bsSingle;
    bool FCtl3D = true;
    std::array<Extended, TransitMeterValueCount> FValues{};
    /// Bar heights in pixels for FPlotHeight, so a repaint needs no floating point.
    std::array<int, TransitMeterValueCount> FBarHeights{};
    int FPlotHeight = 0;
    TMeterRect FPlotArea;
    int FCursor = -1;
    TTransitPicture FPicture{*this};
};

} // namespace kyr
