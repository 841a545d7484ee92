// TWinAspects: the aspect matrix of the first horoscope and, in the other triangle, of its
// partner.
#pragma once

#include "TableWindow.h"

#include <functional>

class QAction;
class QMenu;

namespace kyr {

class TWinAspects : public TTableWindow {
    Q_OBJECT
public:
    TWinAspects(TWindowPlace &place, const TLanguage &language, const THoroscope *horoscope,
                QWidget *parent = nullptr);

    /// The main window's colour dialog: preset with color, true and the chosen colour in
    /// color on OK. Unset: the standard colour dialog.
    std::function<bool(QColor &color)> ChooseColor;

    /// The right-button menu and its one item, "Background Color...".
    QMenu *PopupMenu() const { return FMenu; }
    QAction *BackgroundColorItem() const { return FBackgroundColor; }
    /// The grid for the clipboard, while a chart is shown.
    QString ClipboardText() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void PickBackgroundColor();

    QMenu *FMenu;
    QAction *FBackgroundColor;
};

} // namespace kyr
