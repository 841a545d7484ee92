// The pieces of the wheel-page editor: the mapping between page millimetres and preview pixels,
// the white page preview with its six movable shapes, and the small legend shape beside each
// check box.
#pragma once

#include "SettingsFormats.h"

#include <QPoint>
#include <QRect>
#include <QWidget>

#include <array>

namespace kyr {

struct TPrintOptions;

/// The six boxes of the wheel page, in the order of their check boxes.
enum TPageBox : int { pbWheel, pbPlanets, pbHouses, pbAspects, pbInformation, pbSymbol };
constexpr int PageBoxCount = 6;

/// The settings' record of a box.
TPrintBox &PageBox(TPrintOptions &options, int box);
const TPrintBox &PageBox(const TPrintOptions &options, int box);

/// Page millimetres to preview pixels and back: the origin is the text area's top-left corner
/// (the left and top margins), boxes are measured from it.
struct TPreviewScale {
    double Sx = 1; ///< preview pixels per mm across
    double Sy = 1; ///< preview pixels per mm down
    QPoint Origin;

    /// The preview of a page of pageWidth x pageHeight mm drawn into previewSize, with the text
    /// area starting leftMargin and topMargin mm from the paper's edges.
    static TPreviewScale For(QSize previewSize, int pageWidth, int pageHeight, int leftMargin,
                             int topMargin);
    /// The shape of a box: origin + (Trunc(X · sx), Trunc(Y · sy)), size (Trunc(W · sx),
    /// Trunc(H · sy)).
    QRect ShapeOf(const TPrintBox &box) const;
    /// The box position (mm) of a shape's top-left corner: Trunc((position − origin) / scale).
    QPoint BoxPosition(QPoint shapeTopLeft) const;
};

/// The white page with the six shapes; a shape dragged with the left button follows the mouse.
class TWheelPagePreview : public QWidget {
    Q_OBJECT

public:
    explicit TWheelPagePreview(QWidget *parent = nullptr);

    void SetShape(int box, const QRect &rect);
    QRect Shape(int box) const { return FShapes[static_cast<std::size_t>(box)]; }
    void SetShapeVisible(int box, bool visible);
    bool ShapeVisible(int box) const { return FVisible[static_cast<std::size_t>(box)]; }
    /// The selected shape gets a blue pen, the others grey; −1 selects none.
    void SetSelected(int box);
    int Selected() const { return FSelected; }
    /// The topmost visible shape under a point, or −1.
    int ShapeAt(QPoint point) const;
    /// The dashed frame of the text area (between the margins).
    void SetTextArea(const QRect &rect);

signals:
    /// A mouse press on a shape.
    void ShapePressed(int box);
    /// A dragged shape's new top-left corner.
    void ShapeMoved(int box, QPoint topLeft);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    std::array<QRect, PageBoxCount> FShapes{};
    std::array<bool, PageBoxCount> FVisible{};
    QRect FTextArea;
    int FSelected = -1;
    int FDragging = -1;
    QPoint FGrabOffset; ///< mouse position within the dragged shape
};

/// The small shape beside a box's check box: a circle for the wheel, a rectangle otherwise.
class TBoxLegend : public QWidget {
    Q_OBJECT

public:
    TBoxLegend(int box, QWidget *parent = nullptr);
    void SetSelected(bool selected);
    bool Selected() const { return FSelected; }
    QSize sizeHint() const override { return {18, 14}; }

signals:
    void Pressed(int box);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    int FBox;
    bool FSelected = false;
};

/// Draws one box shape in a painter: the wheel as a circle, the others as rectangles.
void PaintBoxShape(class QPainter &painter, int box, const QRect &rect, bool selected);

} // namespace kyr
