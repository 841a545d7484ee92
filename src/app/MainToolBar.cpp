#include "MainToolBar.h"

#include "Translation.h"

#include <QDir>
#include <QEvent>
#include <QToolButton>

namespace kyr {

namespace {

constexpr int BitmapSize = 32;

} // namespace

TMainToolBar::TMainToolBar(const QString &buttonDirectory, QWidget *parent)
    : QToolBar(parent), FDirectory(buttonDirectory) {
    setObjectName(QStringLiteral("ToolBarPanel"));
    setProperty("HelpContext", HelpContext);
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(BitmapSize, BitmapSize));
    setContextMenuPolicy(Qt::PreventContextMenu);
    // The highlighted bitmap is the hover effect; a checked button (help mode) keeps a frame.
    setStyleSheet(QStringLiteral(
        "QToolButton { border: 1px solid transparent; border-radius: 4px; padding: 1px; }"
        "QToolButton:checked { border-color: #6fa5e6; background: #dbe9fb; }"
        "QToolButton:pressed { background: #c4dbf7; }"));

    // The hints are the English design texts; the language replaces them by the tags.
    OpenBtn = AddButton("OpenBtn", "Edit Name", "Name", QStringLiteral("32Name_1.bmp"),
                        QStringLiteral("32Name_2.bmp"));
    SetTag(OpenBtn, -850);
    SpeedButton3 = AddButton("SpeedButton3", "Chart for Here and Now", "Now",
                             QStringLiteral("32Horr_1.bmp"), QStringLiteral("32Horr_2.bmp"));
    SetTag(SpeedButton3, -852);
    SpeedButton3->setProperty("HelpContext", HereAndNowHelpContext);
    DynaBtn = AddButton("DynaBtn", "Dynamic Analysis", "Dyn", QStringLiteral("32Dynmc1.bmp"),
                        QStringLiteral("32Dynmc2.bmp"));
    SetTag(DynaBtn, -734);
    AnimationBtn = AddButton("AnimationBtn", "Animations", "Anim", QStringLiteral("32Vid1.bmp"),
                             QStringLiteral("32Vid2.bmp"));
    SetTag(AnimationBtn, -851);
    AnimationBtn->setPopupMode(QToolButton::InstantPopup);
    SpeedButton_Web = AddButton("SpeedButton_Web", "Open the program's web site", "Web",
                                QStringLiteral("32Web_1.bmp"), QStringLiteral("32Web_2.bmp"));
    SetTag(SpeedButton_Web, -819);
    HlpBtn = AddButton("HlpBtn", "Context Help", "?", QStringLiteral("32Help_1.bmp"),
                       QStringLiteral("32Help_2.bmp"));
    SetTag(HlpBtn, -830);
    HlpBtn->setCheckable(true);
}

QToolButton *TMainToolBar::AddButton(const char *name, const char *hint, const char *caption,
                                     const QString &normal, const QString &hover) {
    auto *button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(QString::fromUtf8(hint));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    const QDir directory(FDirectory);
    TFace &face = FFaces[FCount];
    face.Normal = QPixmap(directory.filePath(normal));
    face.Hover = QPixmap(directory.filePath(hover));
    if (face.Hover.isNull())
        face.Hover = face.Normal;
    if (face.Normal.isNull()) {
        button->setText(QString::fromUtf8(caption));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setMinimumSize(BitmapSize + 4, BitmapSize + 4);
    } else {
        button->setIcon(QIcon(face.Normal));
    }
    button->installEventFilter(this);
    FButtons[FCount++] = button;
    addWidget(button);
    return button;
}

std::array<QToolButton *, 6> TMainToolBar::Buttons() const {
    return FButtons;
}

bool TMainToolBar::HasBitmaps(const QToolButton *button) const {
    for (int i = 0; i < FCount; ++i)
        if (FButtons[i] == button)
            return !FFaces[i].Normal.isNull() && !FFaces[i].Hover.isNull();
    return false;
}

void TMainToolBar::ShowFace(QToolButton *button, bool highlighted) {
    for (int i = 0; i < FCount; ++i)
        if (FButtons[i] == button && !FFaces[i].Normal.isNull()) {
            // One pixmap for every icon mode: a disabled button still shows its picture, greyed
            // by the style.
            button->setIcon(QIcon(highlighted ? FFaces[i].Hover : FFaces[i].Normal));
            return;
        }
}

void TMainToolBar::Highlight(QToolButton *button) {
    if (button == FHighlighted)
        return;
    if (FHighlighted)
        ShowFace(FHighlighted, false);
    FHighlighted = button;
    if (button)
        ShowFace(button, true);
}

bool TMainToolBar::eventFilter(QObject *watched, QEvent *event) {
    auto *button = qobject_cast<QToolButton *>(watched);
    if (button) {
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::MouseMove:
            if (button->isEnabled())
                Highlight(button);
            break;
        case QEvent::Leave:
        case QEvent::EnabledChange:
            if (button == FHighlighted)
                Highlight(nullptr);
            break;
        default:
            break;
        }
    }
    return QToolBar::eventFilter(watched, event);
}

} // namespace kyr
