// TWinNames: the name list window. A tree of every stored person, from which a person is
// dragged onto a chart wheel; the wheel window takes the drop (MIME type NameMimeType, the
// person's first name, a blank and the last name as UTF-8). The list is the table as it was
// when the window opened.
#pragma once

#include "NameLists.h"

#include <QColor>
#include <QWidget>

#include <functional>
#include <memory>

class QMenu;
class QMimeData;
class QTreeWidget;
class QTreeWidgetItem;

namespace kyr {

class TDataCollection;
class TFramePlace;
class TLanguage;
struct TWindowPlace;

class TWinNames : public QWidget {
    Q_OBJECT

public:
    /// Context help of the window.
    static constexpr int HelpContext = 2020;
    /// place is the settings' entry of the window (section Windows, NameList); it is written
    /// on every resize and on close. The data, the language and the place must outlive the
    /// window, which frees itself when closed.
    TWinNames(TDataCollection &data, const TLanguage &language, TWindowPlace &place,
              QWidget *parent = nullptr);
    ~TWinNames() override;

    /// The first and the last name of the selected node; empty without a person selected.
    QString FirstNameOfNode() const;
    QString LastNameOfNode() const;
    /// The same parts of any node.
    static QString FirstNameOf(const QTreeWidgetItem *node);
    static QString LastNameOf(const QTreeWidgetItem *node);

    /// What a drag of the node carries; null for a node that is no person.
    static std::unique_ptr<QMimeData> DragPayload(const QTreeWidgetItem *node);
    /// Starts dragging the node (a double click does it); false for a node that is no person.
    bool StartDrag(QTreeWidgetItem *node);

    QTreeWidget *Outline() const { return FOutline; }
    QTreeWidgetItem *NamesRoot() const;
    QTreeWidgetItem *GroupsRoot() const;
    QMenu *PopupMenu() const { return FPopup; }

    /// The tree's background colour.
    QColor Color() const;
    void SetColor(const QColor &colour);
    /// The popup item: the colour dialog, preset with the tree's colour.
    void BackgroundColorClicked();

    /// Puts the window's frame (its MDI sub-window, when it has one) where the settings say.
    void RestorePlace();
    /// Takes the frame's place into the settings.
    void StorePlace();

    /// Captions and root texts from the language.
    void Retranslate();

    /// The main window's colour dialog; false when cancelled. Unset, the standard one runs.
    std::function<bool(QColor &colour)> OnChooseColour;
    /// Runs the drag; unset, a QDrag carries the payload. Tests look at the payload here.
    std::function<void(std::unique_ptr<QMimeData> payload)> OnDrag;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Fill();

    TDataCollection &FData;
    const TLanguage &FLanguage;
    TFramePlace *FPlaceKeeper;
    QTreeWidget *FOutline = nullptr;
    QMenu *FPopup = nullptr;
};

} // namespace kyr
