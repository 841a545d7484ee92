#include "WinNames.h"

#include "ColourChoice.h"

#include "DataCollection.h"
#include "FramePlace.h"
#include "Language.h"
#include "SettingsFormats.h"
#include "Translation.h"
#include "WheelWindow.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QMenu>
#include <QMimeData>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kyr {

namespace {

/// The length of a person node's first name; -1 marks a node that is no person.
constexpr int FirstLengthRole = Qt::UserRole;

/// The tree hands out a person's payload when the user drags a node the ordinary way.
class TOutline : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

protected:
    QStringList mimeTypes() const override { return {QString::fromLatin1(NameMimeType)}; }
    QMimeData *mimeData(const QList<QTreeWidgetItem *> &items) const override {
        if (items.isEmpty())
            return nullptr;
        return TWinNames::DragPayload(items.first()).release();
    }
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }
};

} // namespace

TWinNames::TWinNames(TDataCollection &data, const TLanguage &language, TWindowPlace &place,
                     QWidget *parent)
    : QWidget(parent), FData(data), FLanguage(language), FPlaceKeeper(new TFramePlace(this, place)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("WinNames"));
    SetTag(this, 1314);
    setProperty("HelpContext", HelpContext);
    resize(160, 200);

    FOutline = new TOutline(this);
    FOutline->setObjectName(QStringLiteral("Outline"));
    FOutline->setHeaderHidden(true);
    FOutline->setRootIsDecorated(true);
    FOutline->setDragEnabled(true);
    FOutline->setDragDropMode(QAbstractItemView::DragOnly);
    FOutline->setDefaultDropAction(Qt::CopyAction);
    FOutline->setContextMenuPolicy(Qt::PreventContextMenu);
    FOutline->viewport()->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FOutline);

    FPopup = new QMenu(this);
    QAction *colour = FPopup->addAction(QString());
    colour->setObjectName(QStringLiteral("miBackgroundColor"));
    SetTag(colour, 1311);
    connect(colour, &QAction::triggered, this, &TWinNames::BackgroundColorClicked);

    connect(FOutline, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *node) { StartDrag(node); });

    Fill();
    Retranslate();
}

TWinNames::~TWinNames() = default;

void TWinNames::Fill() {
    FOutline->clear();
    auto *names = new QTreeWidgetItem(FOutline);
    names->setData(0, FirstLengthRole, -1);
    names->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    for (const TPersonName &person : AllNames(FData)) {
        const QString first = QString::fromStdString(person.First);
        auto *node = new QTreeWidgetItem(names);
        node->setText(0, first + " " + QString::fromStdString(person.Last));
        node->setData(0, FirstLengthRole, static_cast<int>(first.size()));
        node->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
    }
    auto *groups = new QTreeWidgetItem(FOutline);
    groups->setData(0, FirstLengthRole, -1);
    groups->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    names->setExpanded(true);
}

void TWinNames::Retranslate() {
    TranslateForm(FLanguage, this);
    if (auto *names = NamesRoot())
        names->setText(0, QString::fromStdString(FLanguage.GetText(23)));
    if (auto *groups = GroupsRoot())
        groups->setText(0, QString::fromStdString(FLanguage.GetText(1310)));
}

QTreeWidgetItem *TWinNames::NamesRoot() const { return FOutline->topLevelItem(0); }
QTreeWidgetItem *TWinNames::GroupsRoot() const { return FOutline->topLevelItem(1); }

// --- the parts of a node ------------------------------------------------------------------------

QString TWinNames::FirstNameOf(const QTreeWidgetItem *node) {
    if (!node)
        return {};
    const int length = node->data(0, FirstLengthRole).toInt();
    return length < 0 ? QString() : node->text(0).left(length);
}

QString TWinNames::LastNameOf(const QTreeWidgetItem *node) {
    if (!node)
        return {};
    const int length = node->data(0, FirstLengthRole).toInt();
    return length < 0 ? QString() : node->text(0).mid(length + 1);
}

QString TWinNames::FirstNameOfNode() const { return FirstNameOf(FOutline->currentItem()); }
QString TWinNames::LastNameOfNode() const { return LastNameOf(FOutline->currentItem()); }

std::unique_ptr<QMimeData> TWinNames::DragPayload(const QTreeWidgetItem *node) {
    if (!node || node->data(0, FirstLengthRole).toInt() < 0)
        return nullptr;
    auto payload = std::make_unique<QMimeData>();
    payload->setData(QString::fromLatin1(NameMimeType),
                     (FirstNameOf(node) + " " + LastNameOf(node)).toUtf8());
    return payload;
}

bool TWinNames::StartDrag(QTreeWidgetItem *node) {
    auto payload = DragPayload(node);
    if (!payload)
        return false;
    FOutline->setCurrentItem(node);
    if (OnDrag) {
        OnDrag(std::move(payload));
        return true;
    }
    auto *drag = new QDrag(FOutline);
    drag->setMimeData(payload.release());
    drag->exec(Qt::CopyAction);
    return true;
}

// --- colour -------------------------------------------------------------------------------------

QColor TWinNames::Color() const { return FOutline->palette().color(QPalette::Base); }

void TWinNames::SetColor(const QColor &colour) {
    QPalette colours = FOutline->palette();
    colours.setColor(QPalette::Base, colour);
    FOutline->setPalette(colours);
}

void TWinNames::BackgroundColorClicked() {
    QColor colour = Color();
    if (ChooseColour(OnChooseColour, colour, this))
        SetColor(colour);
}

bool TWinNames::eventFilter(QObject *watched, QEvent *event) {
    if (watched == FOutline->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton) {
            FPopup->popup(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- placement ----------------------------------------------------------------------------------

void TWinNames::RestorePlace() {
    FPlaceKeeper->Restore();
}

void TWinNames::StorePlace() {
    FPlaceKeeper->Store();
}

} // namespace kyr
