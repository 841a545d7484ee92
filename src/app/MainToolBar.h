// The main window's toolbar: six flat buttons with a bitmap each and a highlighted bitmap that
// the button under the mouse shows.
#pragma once

#include <QPixmap>
#include <QToolBar>

#include <array>

class QToolButton;

namespace kyr {

class TMainToolBar : public QToolBar {
    Q_OBJECT
public:
    /// The buttons take their bitmaps from buttonDirectory ("Buttons/" beside the program); a
    /// button whose bitmap is missing shows a short caption instead.
    explicit TMainToolBar(const QString &buttonDirectory, QWidget *parent = nullptr);

    /// Context help of the toolbar, and of its here-and-now button.
    static constexpr int HelpContext = 2003;
    static constexpr int HereAndNowHelpContext = 2004;

    QToolButton *OpenBtn = nullptr;         ///< edit the current name
    QToolButton *SpeedButton3 = nullptr;    ///< chart for here and now
    QToolButton *DynaBtn = nullptr;         ///< dynamic analysis
    QToolButton *AnimationBtn = nullptr;    ///< drops the animation menu
    QToolButton *SpeedButton_Web = nullptr; ///< the program's web site
    QToolButton *HlpBtn = nullptr;          ///< context help mode

    /// The six buttons in their order on the bar.
    std::array<QToolButton *, 6> Buttons() const;
    /// The button that shows its highlighted bitmap; none while the mouse is on no button.
    QToolButton *Highlighted() const { return FHighlighted; }
    /// Gives button (none: no button) its highlighted bitmap and every other its normal one.
    void Highlight(QToolButton *button);
    /// Whether the bitmap was found for the button (normal and highlighted).
    bool HasBitmaps(const QToolButton *button) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct TFace {
        QPixmap Normal;
        QPixmap Hover;
    };
    QToolButton *AddButton(const char *name, const char *hint, const char *caption,
                           const QString &normal, const QString &hover);
    void ShowFace(QToolButton *button, bool highlighted);

    QString FDirectory;
    std::array<QToolButton *, 6> FButtons{};
    std::array<TFace, 6> FFaces;
    int FCount = 0;
    QToolButton *FHighlighted = nullptr;
};

} // namespace kyr
