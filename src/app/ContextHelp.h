// Context help: while Alt is held (or the toolbar switched help mode on) the help cursor
// shows, and a left click asks for the quick help of the control under the pointer instead
// of clicking it. A control's help number is its "HelpContext" property, or its parent's.
#pragma once

#include <QObject>

#include <functional>

class QAction;
class QMenu;

namespace kyr {

class TContextHelp : public QObject {
public:
    /// Installs itself as the application's event filter.
    explicit TContextHelp(QObject *parent = nullptr);
    ~TContextHelp() override;

    bool HelpMode() const { return FKeyHeld || FSwitchedOn; }
    /// The toolbar's switch; a click in help mode switches it off again.
    void SetHelpMode(bool on);
    /// Asked for a control's help number (0 when none was found).
    std::function<void(int helpNo)> OnHelp;

    /// The help number of widget or its nearest ancestor that has one; 0 for none.
    static int HelpContextOf(const QObject *widget);
    /// In help mode, a click on a menu item, Return or an item's letter in an open menu, or a
    /// command's shortcut shows the item's help instead of running it; true when it did.
    bool HelpModeHandled(QObject *watched, QEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void UpdateCursor(bool wasOn);

    /// Shows the help of a menu item and closes the menus it was chosen in.
    void MenuItemHelp(QMenu *menu, const QAction *item);

    bool FKeyHeld = false;
    bool FSwallowRelease = false; ///< the release of a click turned into help
    bool FSwitchedOn = false;
};

} // namespace kyr
