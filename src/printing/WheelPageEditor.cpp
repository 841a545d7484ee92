#include "WheelPageEditor.h"

#include "KyrSetup.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kyr {

namespace {

int Trunc(double x) {
    return static_cast<int>(std::trunc(x));
}

const QColor SelectedPen(0, 0, 255);
const QColor OtherPen(128, 128, 128);

} // namespace

TPrintBox &PageBox(TPrintOptions &options, int box) {
    switch (box) {
    case pbWheel:
        return options.Wheel;
    case pbPlanets:
        return options.Planets;
    case pbHouses:
        return options.Houses;
    case pbAspects:
        return options.Aspects;
    case pbInformation:
        return options.Information;
    default:
        return options.Symbol;
    }
}

const TPrintBox &PageBox(const TPrintOptions &options, int box) {
    return PageBox(const_cast<TPrintOptions &>(options), box);
}

TPreviewScale TPreviewScale::For(QSize previewSize, int pageWidth, int pageHeight, int leftMargin,
                                 int topMargin) {
    TPreviewScale scale;
    // A printer that reports no size must not divide by zero; the preview then shows nothing
    // useful but stays sound.
    const double width = std::max(pageWidth, 1);
    const double height = std::max(pageHeight, 1);
    scale.Sx = previewSize.width() / width;
    scale.Sy = previewSize.height() / height;
    scale.Origin = {Trunc(leftMargin / width * previewSize.width()),
                    Trunc(topMargin / height * previewSize.height())};
    return scale;
}

QRect TPreviewScale::ShapeOf(const TPrintBox &box) const {
    return {Origin.x() + Trunc(box.Left * Sx), Origin.y() + Trunc(box.Top * Sy),
            Trunc(box.Width * Sx), Trunc(box.Height * Sy)};
}

QPoint TPreviewScale::BoxPosition(QPoint shapeTopLeft) const {
    return {Trunc((shapeTopLeft.x() - Origin.x()) / Sx),
            Trunc((shapeTopLeft.y() - Origin.y()) / Sy)};
}

void PaintBoxShape(QPainter &painter, int box, const QRect &rect, bool selected) {
    painter.setPen(QPen(selected ? SelectedPen : OtherPen, selected ? 2 : 1));
    painter.setBrush(Qt::NoBrush);
    if (box == pbWheel)
        painter.drawEllipse(rect.adjusted(0, 0, -1, -1));
    else
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

// --- TWheelPagePreview -------------------------------------------------------------------------

TWheelPagePreview::TWheelPagePreview(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PagePreview"));
    FVisible.fill(true);
    setAutoFillBackground(false);
}

void TWheelPagePreview::SetShape(int box, const QRect &rect) {
    FShapes[static_cast<std::size_t>(box)] = rect;
    update();
}

void TWheelPagePreview::SetShapeVisible(int box, bool visible) {
    FVisible[static_cast<std::size_t>(box)] = visible;
    update();
}

void TWheelPagePreview::SetSelected(int box) {
    FSelected = box;
    update();
}

void TWheelPagePreview::SetTextArea(const QRect &rect) {
    FTextArea = rect;
    update();
}

int TWheelPagePreview::ShapeAt(QPoint point) const {
    // The selected shape lies on top, then the others in reverse painting order.
    if (FSelected >= 0 && FVisible[static_cast<std::size_t>(FSelected)] &&
        FShapes[static_cast<std::size_t>(FSelected)].contains(point))
        return FSelected;
    for (int box = PageBoxCount - 1; box >= 0; --box)
        if (FVisible[static_cast<std::size_t>(box)] &&
            FShapes[static_cast<std::size_t>(box)].contains(point))
            return box;
    return -1;
}

void TWheelPagePreview::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (FTextArea.isValid()) {
        painter.setPen(QPen(QColor(210, 210, 210), 1, Qt::DashLine));
        painter.drawRect(FTextArea);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    for (int box = 0; box < PageBoxCount; ++box)
        if (box != FSelected && FVisible[static_cast<std::size_t>(box)])
            PaintBoxShape(painter, box, FShapes[static_cast<std::size_t>(box)], false);
    if (FSelected >= 0 && FVisible[static_cast<std::size_t>(FSelected)])
        PaintBoxShape(painter, FSelected, FShapes[static_cast<std::size_t>(FSelected)], true);
}

void TWheelPagePreview::mousePressEvent(QMouseEvent *event) {
    const QPoint at = event->position().toPoint();
    const int box = ShapeAt(at);
    if (box < 0)
        return;
    emit ShapePressed(box);
    if (event->button() == Qt::LeftButton) {
        FDragging = box;
        FGrabOffset = at - FShapes[static_cast<std::size_t>(box)].topLeft();
    }
}

void TWheelPagePreview::mouseMoveEvent(QMouseEvent *event) {
    if (FDragging < 0 || !(event->buttons() & Qt::LeftButton))
        return;
    // The shape's corner stays on the page so that the box keeps a position the range check
    // of the edits accepts.
    QPoint topLeft = event->position().toPoint() - FGrabOffset;
    topLeft.setX(std::clamp(topLeft.x(), 0, std::max(width() - 1, 0)));
    topLeft.setY(std::clamp(topLeft.y(), 0, std::max(height() - 1, 0)));
    QRect &shape = FShapes[static_cast<std::size_t>(FDragging)];
    if (topLeft == shape.topLeft())
        return;
    shape.moveTopLeft(topLeft);
    update();
    emit ShapeMoved(FDragging, topLeft);
}

void TWheelPagePreview::mouseReleaseEvent(QMouseEvent *) {
    FDragging = -1;
}

// --- TBoxLegend --------------------------------------------------------------------------------

TBoxLegend::TBoxLegend(int box, QWidget *parent) : QWidget(parent), FBox(box) {
    setFixedSize(sizeHint());
}

void TBoxLegend::SetSelected(bool selected) {
    FSelected = selected;
    update();
}

void TBoxLegend::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect shape =
        FBox == pbWheel ? QRect(2, 0, height(), height()) : rect().adjusted(0, 1, 0, -1);
    PaintBoxShape(painter, FBox, shape, FSelected);
}

void TBoxLegend::mousePressEvent(QMouseEvent *) {
    emit Pressed(FBox);
}

} // namespace kyr
