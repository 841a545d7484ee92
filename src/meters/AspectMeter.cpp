#include "AspectMeter.h"

#include "MeterCanvas.h"
#include "MeterColors.h"

#include <QMouseEvent>
#include <QPainter>

namespace kyr {

namespace {

template <typename T> bool Assign(T &field, const T &value) {
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace

TAspectMeter::TAspectMeter(QWidget *owner)
    : QWidget(owner), FBackColor(palette().color(QPalette::Active, QPalette::Base)) {
    resize(sizeHint());
}

void TAspectMeter::SetMinValue(int value) {
    if (Assign(FMinValue, value))
        update();
}

void TAspectMeter::SetMaxValue(int value) {
    if (Assign(FMaxValue, value))
        update();
}

void TAspectMeter::SetProgress(int value) {
    if (value == FProgress)
        return;
    FProgress = ClampProgress(value, FMinValue, FMaxValue);
    update();
}

void TAspectMeter::SetKind(TMeterKind kind) {
    if (Assign(FKind, kind))
        update();
}

void TAspectMeter::SetForeColor(const QColor &color) {
    if (Assign(FForeColor, color))
        update();
}

void TAspectMeter::SetBackColor(const QColor &color) {
    if (Assign(FBackColor, color))
        update();
}

void TAspectMeter::SetBorderStyle(TBorderStyle style) {
    if (Assign(FBorderStyle, style))
        update();
}

void TAspectMeter::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    TMeterCanvas c(painter);
    const int w = width();
    const int h = height();
    c.SetPen(ButtonShadowColor(palette()));
    c.MoveTo(0, h - 1);
    c.LineTo(0, 0);
    c.LineTo(w - 1, 0);
    c.SetPen(Qt::white);
    c.MoveTo(w - 1, 1);
    c.LineTo(w - 1, h - 1);
    c.LineTo(0, h - 1);

    c.SetBrush(FBackColor);
    c.SetPen(FBorderStyle == bsSingle ? QColor(Qt::black) : FBackColor);
    c.Rectangle(1, 1, w - 1, h - 1);
    c.FillRect(AspectBarRect(FKind, w, h, Percentage()), FForeColor);
}

void TAspectMeter::mousePressEvent(QMouseEvent *event) {
    emit MouseDown(event->button(), event->position().toPoint());
}

} // namespace kyr
