// TDropDownMenu: the short list that drops from a button of the selection panel. It keeps
// one popup menu and a pool of items that only grows, so that a list of any length reuses
// the items of earlier lists.
#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QAction;
class QMenu;

namespace kyr {

class TDropDownMenu : public QObject {
public:
    /// Sender and the 0-based position of the clicked line.
    using TDropDownClickEvent = std::function<void(TDropDownMenu &sender, int item)>;

    explicit TDropDownMenu(QObject *parent = nullptr);
    ~TDropDownMenu() override;

    /// The lines of the next popup; assigned by copy.
    const QStringList &Items() const { return FItems; }
    void SetItems(const QStringList &items) { FItems = items; }
    TDropDownClickEvent OnClick;

    /// Shows the lines at the screen point (x, y); returns at once.
    void Popup(int x, int y);

    QMenu *Menu() const { return FMenu; }
    /// The pool: at least one item, more once longer lists were shown.
    const QList<QAction *> &Pool() const { return FPool; }

private:
    void AddPoolItem(const QString &caption);

    QMenu *FMenu;
    QList<QAction *> FPool;
    QStringList FItems;
};

} // namespace kyr
