// TAspectMeter: a bar gauge in a sunken frame; the interpretation window shows with it how
// exact the selected aspect is.
#pragma once

#include "MeterLayout.h"

#include <QColor>
#include <QWidget>

namespace kyr {

class TAspectMeter : public QWidget {
    Q_OBJECT

public:
    explicit TAspectMeter(QWidget *owner = nullptr);

    /// Value of an empty bar.
    int MinValue() const { return FMinValue; }
    void SetMinValue(int value);
    /// Value of a full bar.
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int value);
    /// Kept within MinValue..MaxValue when set.
    int Progress() const { return FProgress; }
    void SetProgress(int value);
    /// The filled part in percent of the range.
    int Percentage() const { return ProgressPercentage(FProgress, FMinValue, FMaxValue); }

    TMeterKind Kind() const { return FKind; }
    void SetKind(TMeterKind kind);
    QColor ForeColor() const { return FForeColor; }
    void SetForeColor(const QColor &color);
    QColor BackColor() const { return FBackColor; }
    void SetBackColor(const QColor &color);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle style);

    QSize sizeHint() const override { return {24, 100}; }

signals:
    void MouseDown(Qt::MouseButton button, const QPoint &position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    int FMinValue = 0;
    int FMaxValue = 100;
    int FProgress = 0;
    TMeterKind FKind = mkVerticalBar;
    QColor FForeColor{255, 0, 0};
    QColor FBackColor;
    TBorderStyle FBorderStyle = bsSingle;
};

} // namespace kyr
