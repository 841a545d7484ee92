#include "WinNames.h"
#include "ColourChoice.h"

#include "DataCollection.h"
#include "Language.h"
#include "SettingsFormats.h"
#include "Translation.h"
#include "WheelWindow.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDrag>
#include <QMdiSubWindow>
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

TWindowFrame FrameOf(const QWidget *frame) {
    TWindowFrame result;
    const QRect bounds = frame->geometry();
    result.Bounds = {bounds.x(), bounds.y(), bounds.width(), bounds.height()};
    if (frame->isMinimized())
        result.State = WindowMinimised;
    else if (frame->isMaximized())
        result.State = WindowMaximised;
    return result;
}

} // namespace

TWinNames::TWinNames(TDataCollection &data, const TLanguage &language, TWindowPlace &place,
                     QWidget *parent)
    : QWidget(parent), FData(data), FLanguage(language), FPlace(place) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("WinNames"));
    SetTag(this, 1314);
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
    if (event->type() == QEvent::Show && watched == Frame() && FRestoredFrame != Frame())
        RestorePlace();
    return QWidget::eventFilter(watched, event);
}

// --- placement ----------------------------------------------------------------------------------

QWidget *TWinNames::Frame() {
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        return sub;
    return this;
}

void TWinNames::RestorePlace() {
    QWidget *frame = Frame();
    TWindowFrame wanted = FrameOf(frame);
    kyr::RestorePlace(wanted, FPlace);
    FRestoredFrame = frame;
    FRestoring = true;
    if (wanted.State == WindowMinimised)
        frame->showMinimized();
    else if (wanted.State == WindowMaximised)
        frame->showMaximized();
    else if (wanted.Bounds.Width > 0 && wanted.Bounds.Height > 0)
        frame->setGeometry(wanted.Bounds.Left, wanted.Bounds.Top, wanted.Bounds.Width,
                           wanted.Bounds.Height);
    FRestoring = false;
}

void TWinNames::StorePlace() {
    const TWindowFrame frame = FrameOf(Frame());
    kyr::StorePlace(&frame, FPlace);
}

bool TWinNames::event(QEvent *event) {
    // The main window wraps the form into a sub-window after creating it; the place goes on
    // the frame when that is first shown.
    if (event->type() == QEvent::ParentChange && Frame() != this) {
        FRestoredFrame = nullptr;
        Frame()->installEventFilter(this);
    } else if (event->type() == QEvent::Show && Frame() == this && FRestoredFrame != this) {
        RestorePlace();
    }
    return QWidget::event(event);
}

void TWinNames::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    if (!FRestoring && FRestoredFrame && Frame() == FRestoredFrame)
        StorePlace();
}

void TWinNames::closeEvent(QCloseEvent *event) {
    StorePlace();
    QWidget::closeEvent(event);
}

} // namespace kyr
