// TWheelWin: the wheel window, an MDI child with two wheels that shows the first horoscope
// alone, both horoscopes in one wheel, or two wheels side by side, over a background
// picture or colour. What a click means to the rest of the program goes out through hooks;
// the main window sets them.
#pragma once

#include "Wheel.h"

#include <QPoint>
#include <QWidget>

#include <functional>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QMimeData;

namespace kyr {

class TKyrSetup;
class TLanguage;
class THoroscope;

/// The MIME type of a dragged name; its data is the name's text.
inline constexpr const char *NameMimeType = "application/x-kyr-name";

class TWheelWin : public QWidget {
public:
    /// What the window shows and whom it tells.
    struct TContext {
        THoroscope *First = nullptr;
        THoroscope *Second = nullptr;
        TKyrSetup *Setup = nullptr;
        const TLanguage *Language = nullptr;
        /// The main window is still loading: the window place is neither read nor written.
        bool Loading = false;
        /// The main window's animation button follows the window's life; given here, as the
        /// window switches it on while it is created.
        std::function<void(bool enabled)> AnimationButton;
    };

    explicit TWheelWin(const TContext &context, QWidget *parent = nullptr);
    ~TWheelWin() override;

    /// The main window shows an item of a hit: body, sign, house, cusp or aspect with its
    /// Ref, htNothing for the general page.
    std::function<void(TWheelHitType kind, int ref)> OnShowItem;
    /// Raised from the destructor: the main window forgets the window and turns its page.
    std::function<void()> OnDestroyed;
    /// A name was dropped on a wheel: its text, the drop point in that wheel's pixels and
    /// the horoscope of the chart under it.
    std::function<void(const QString &name, QPoint at, THoroscope *target)> OnNameDropped;
    /// The colour dialog, preset with the current colour; false when cancelled. Unset, the
    /// standard dialog runs.
    std::function<bool(QColor &colour)> OnChooseColour;
    /// The picture file dialog; an empty name when cancelled. Unset, the standard one runs.
    std::function<QString()> OnChoosePicture;

    /// 1 single chart, 2 bi-wheel, 3 side by side; 0 before the first.
    int WheelMode() const { return FMode; }
    void SetWheelMode(int mode);

    TWheel *Wheel1() const { return FWheel1; }
    TWheel *Wheel2() const { return FWheel2; }
    QMenu *WheelPopupMenu() const { return FMenu; }
    QLabel *BackgroundImage() const { return FBackground; }
    QColor WindowColour() const;

    // The menu's commands.
    void miWheelTypeClick();
    void miBiWheelClick();
    void miSwitchNamesClick();
    void miInsertPictureClick();
    void miRemovePictureClick();
    void miBackColorClick();
    void miColorModeClick();
    void miUseMemoryClick();
    /// Captions of the items whose text numbers change with the state.
    void WheelPopupMenuPopup();

    /// The main window calls it when the window becomes active: the colour may have been
    /// changed in another wheel window meanwhile.
    void FormActivate();
    /// A double-click on a wheel: the picture of the sign last hit, or of the sign the body,
    /// cusp or house last hit lies in, fills the window.
    void WheelDblClick();
    /// A click on the picture while it fills the window brings the wheel back.
    void BackgroundImageClick();
    /// A drop at (at) on wheel: a name goes to OnNameDropped; false for anything else.
    bool WheelDragDrop(TWheel &wheel, const QMimeData &data, QPoint at);

    QAction *miWheelType = nullptr;
    QAction *miBiWheel = nullptr;
    QAction *miSwitchNames = nullptr;
    QAction *miInsertPicture = nullptr;
    QAction *miRemovePicture = nullptr;
    QAction *miBackColor = nullptr;
    QAction *miColorMode = nullptr;
    QAction *miUseMemory = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    /// The beep of a failed load and of the unfinished name switch.
    virtual void Beep();

private:
    void WheelMouseHit(TWheel &sender, TWheelHitType kind, int ref);
    /// Partners are linked, and the partner chart shown, only while the second horoscope is
    /// ready: without one the relationship modes draw no phantom chart and no aspects to it.
    void LinkPartner();
    void ApplySideBySide();
    void SetWindowColour(const QColor &colour);
    /// Loads file into the picture; false (after a beep) when it cannot be read.
    bool LoadPicture(const QString &file);
    void StorePlace();
    void RestorePlace();
    QWidget *PlaceWidget();
    THoroscope *HoroscopeAt(TWheel &wheel, QPoint at) const;

    TContext FContext;
    QLabel *FBackground = nullptr;
    TWheel *FWheel1 = nullptr;
    TWheel *FWheel2 = nullptr;
    QMenu *FMenu = nullptr;
    int FMode = 0;
    /// The last hit on either wheel and the wheel hit, which the double-click reads.
    TWheelHit FLastHit;
    TWheel *FLastHitWheel = nullptr;
    QPoint FDragPoint;
};

/// The sign 1..12 of a hit on a wheel showing horoscope: the sign itself, or the sign that
/// the body, cusp, axis or house (by its cusp) lies in; 0 for anything else or no chart.
int SignOfHit(const THoroscope *horoscope, const TWheelHit &hit);

/// The sign picture that a double-click on item n shows: "SIGN" + n as two digits, an "x"
/// for screens of at most 256 colours, ".BMP", in artDirectory.
std::string SignPictureFile(const std::string &artDirectory, int n, bool fewColours);

} // namespace kyr
