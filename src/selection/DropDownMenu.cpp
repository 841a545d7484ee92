#include "DropDownMenu.h"

#include <QAction>
#include <QMenu>

namespace kyr {

TDropDownMenu::TDropDownMenu(QObject *parent) : QObject(parent), FMenu(new QMenu) {
    FMenu->setObjectName(QStringLiteral("DropDownPopup"));
    AddPoolItem(QStringLiteral("Empty..."));
}

void TDropDownMenu::AddPoolItem(const QString &caption) {
    const int position = FPool.size();
    QAction *item = FMenu->addAction(caption);
    item->setObjectName(QStringLiteral("N%1").arg(position));
    // The position is the item's number for OnClick.
    item->setData(position);
    connect(item, &QAction::triggered, this, [this, position] {
        if (OnClick)
            OnClick(*this, position);
    });
    FPool.push_back(item);
}

TDropDownMenu::~TDropDownMenu() {
    delete FMenu;
}

void TDropDownMenu::Popup(int x, int y) {
    while (FPool.size() < FItems.size())
        AddPoolItem(QString());
    for (int k = 0; k < FPool.size(); ++k) {
        const bool used = k < FItems.size();
        // A line is data, not a caption: an ampersand in it stays visible.
        if (used)
            FPool[k]->setText(QString(FItems[k]).replace('&', QStringLiteral("&&")));
        FPool[k]->setVisible(used);
    }
    FMenu->popup(QPoint(x, y));
}

} // namespace kyr
