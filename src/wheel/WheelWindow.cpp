#include "WheelWindow.h"
#include "ColourChoice.h"

#include "Angles.h"
#include "Horoscope.h"
#include "KyrSetup.h"
#include "Language.h"
#include "Translation.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPixmap>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kyr {

namespace {

// The settings keep colours as red in the low byte, or a negative system colour index.
QColor ColourOfValue(int value, const QPalette &palette) {
    if (value < 0)
        return palette.color(QPalette::Button);
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int ValueOfColour(const QColor &colour) {
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

bool FewColours(const QWidget &widget) {
    const QScreen *screen = widget.screen();
    return screen && screen->depth() <= 8;
}

} // namespace

int SignOfHit(const THoroscope *horoscope, const TWheelHit &hit) {
    static constexpr int AxisCusp[] = {0, 1, 4, 7, 10};
    const auto signOfLongitude = [](Extended radians) {
        Extended turns = radians / TwoPi;
        turns -= std::floor(turns);
        return std::min(11, static_cast<int>(turns * 12)) + 1;
    };
    const bool ready = HoroscopeReady(horoscope);
    const auto inRange = [&hit](int last) { return hit.Ref >= 1 && hit.Ref <= last; };
    switch (hit.Type) {
    case TWheelHitType::htSign:
        return inRange(12) ? hit.Ref : 0;
    case TWheelHitType::htBody:
        return ready && inRange(BodyCount) ? signOfLongitude(horoscope->Position(hit.Ref)) : 0;
    case TWheelHitType::htHouseCusp:
    case TWheelHitType::htHouse:
        return ready && inRange(12) ? signOfLongitude(horoscope->Cusp(hit.Ref)) : 0;
    case TWheelHitType::htAxis:
        return ready && inRange(4) ? signOfLongitude(horoscope->Cusp(AxisCusp[hit.Ref])) : 0;
    default:
        return 0;
    }
}

std::string SignPictureFile(const std::string &artDirectory, int n, bool fewColours) {
    char name[16];
    std::snprintf(name, sizeof name, "SIGN%02d%s.BMP", n, fewColours ? "x" : "");
    return artDirectory + name;
}

TWheelWin::TWheelWin(const TContext &context, QWidget *parent)
    : QWidget(parent), FContext(context) {
    SetTag(this, 689);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(432, 372);
    setAutoFillBackground(true);

    FBackground = new QLabel(this);
    FBackground->setAlignment(Qt::AlignCenter);
    FBackground->setScaledContents(true);
    FBackground->installEventFilter(this);
    FWheel1 = new TWheel(this);
    FWheel2 = new TWheel(this);
    FWheel2->SetShowAspects(true);
    FWheel2->hide();
    for (TWheel *wheel : {FWheel1, FWheel2}) {
        wheel->OnMouseHit = [this](TWheel &sender, TWheelHitType kind, int ref) {
            WheelMouseHit(sender, kind, ref);
        };
        wheel->setAcceptDrops(true);
        wheel->installEventFilter(this);
    }
    // The second wheel follows the second horoscope in the relationship modes: a partner
    // loaded or dropped in links up, one taken away unlinks.
    FWheel2->OnChange = [this](TWheelModel &) {
        if (FMode >= 2)
            LinkPartner();
    };

    FMenu = new QMenu(this);
    const auto item = [this](int tag, const char *caption, void (TWheelWin::*click)()) {
        QAction *action = FMenu->addAction(QString::fromUtf8(caption));
        SetTag(action, tag);
        connect(action, &QAction::triggered, this, [this, click] { (this->*click)(); });
        return action;
    };
    miWheelType = item(904, "Personal", &TWheelWin::miWheelTypeClick);
    miBiWheel = item(903, "Bi-Wheel", &TWheelWin::miBiWheelClick);
    miBiWheel->setCheckable(true);
    miSwitchNames = item(906, "Switch Names", &TWheelWin::miSwitchNamesClick);
    miSwitchNames->setEnabled(false);
    FMenu->addSeparator();
    miInsertPicture = item(461, "&Indsæt billede...", &TWheelWin::miInsertPictureClick);
    miRemovePicture = item(462, "&Fjern billede", &TWheelWin::miRemovePictureClick);
    miRemovePicture->setVisible(false);
    miBackColor = item(263, "&Baggrundsfarve...", &TWheelWin::miBackColorClick);
    miColorMode = item(258, "&Sort/Hvid", &TWheelWin::miColorModeClick);
    miUseMemory = item(260, "&Hukommelses-besparende", &TWheelWin::miUseMemoryClick);
    miUseMemory->setCheckable(true);
    connect(FMenu, &QMenu::aboutToShow, this, [this] { WheelPopupMenuPopup(); });

    // FormCreate.
    if (FContext.First)
        setWindowTitle(
            QString::fromStdString(FContext.First->FirstName + " " + FContext.First->LastName));
    if (!FContext.Loading)
        RestorePlace();
    const TWheelDrawing &drawing = FContext.Setup->WheelDrawing;
    FWheel1->SetHoroscope(FContext.First);
    FWheel1->SetBW(drawing.BW);
    FWheel1->SetOffScreen(drawing.UseMemory);
    FWheel1->SetShowAspects(!FContext.Setup->System.HideAspects);
    if (FContext.AnimationButton)
        FContext.AnimationButton(true);
    if (!drawing.PictureFile.empty()) {
        LoadPicture(QString::fromStdString(drawing.PictureFile));
        miRemovePicture->setVisible(true);
    }
    SetWindowColour(ColourOfValue(drawing.BackgroundColor, palette()));
    SetTag(miColorMode, drawing.BW ? 257 : 258);
    miUseMemory->setChecked(!drawing.UseMemory);
    if (FContext.Language)
        TranslateComponent(*FContext.Language, FMenu);
    SetWheelMode(1);
    ApplySideBySide();
}

TWheelWin::~TWheelWin() {
    // Neither wheel may refresh from a horoscope after the window is gone.
    FWheel2->OnChange = nullptr;
    FWheel1->SetHoroscope(nullptr);
    FWheel2->SetHoroscope(nullptr);
    if (FContext.AnimationButton)
        FContext.AnimationButton(false);
    if (OnDestroyed)
        OnDestroyed();
}

void TWheelWin::SetWheelMode(int mode) {
    if (mode == FMode)
        return;
    FMode = mode;
    if (mode == 1) {
        miBiWheel->setEnabled(false);
        miSwitchNames->setVisible(false);
        SetTag(miWheelType, 905);
        FWheel2->hide();
        FWheel2->SetHoroscope(nullptr);
        FWheel1->SetDualMode(false);
        FWheel1->SetRelationWheel(nullptr);
        FWheel2->SetRelationWheel(nullptr);
        FWheel1->setGeometry(rect());
        if (FContext.First)
            FContext.First->SetPartner(nullptr);
        return;
    }
    miBiWheel->setChecked(mode == 2);
    miBiWheel->setEnabled(true);
    miSwitchNames->setVisible(true);
    SetTag(miWheelType, 904);
    FWheel2->SetBW(FWheel1->BW());
    FWheel1->SetRelationWheel(FWheel2);
    FWheel2->SetRelationWheel(FWheel1);
    FWheel2->SetHoroscope(FContext.Second);
    if (mode == 2) {
        FWheel2->hide();
        FWheel1->SetDualMode(true);
        FWheel1->setGeometry(rect());
    } else {
        FWheel1->SetDualMode(false);
        FWheel2->show();
    }
    LinkPartner();
    ApplySideBySide();
}

void TWheelWin::LinkPartner() {
    THoroscope *first = FContext.First;
    THoroscope *second = FContext.Second;
    const bool ready = first && HoroscopeReady(second);
    if (first)
        first->SetPartner(ready ? second : nullptr);
    if (second)
        second->SetPartner(ready ? first : nullptr);
}

void TWheelWin::ApplySideBySide() {
    FBackground->setGeometry(rect());
    if (FMode != 3) {
        FWheel1->setGeometry(rect());
        return;
    }
    const int w = width();
    const int h = height();
    if (w < h) {
        FWheel1->setGeometry(0, 0, w, h / 2);
        FWheel2->setGeometry(0, h / 2, w, h / 2);
    } else {
        FWheel1->setGeometry(0, 0, w / 2, h);
        FWheel2->setGeometry(w / 2, 0, w / 2, h);
    }
}

void TWheelWin::miWheelTypeClick() {
    SetWheelMode(FMode == 1 ? 2 : 1);
}

void TWheelWin::miBiWheelClick() {
    if (FMode == 1)
        return;
    // The item is checked in the bi-wheel: a click goes to the other two-chart mode.
    SetWheelMode(FMode == 2 ? 3 : 2);
}

void TWheelWin::miSwitchNamesClick() {
    Beep();
}

void TWheelWin::WheelPopupMenuPopup() {
    if (!FContext.Language)
        return;
    for (QAction *action : {miWheelType, miColorMode})
        action->setText(QString::fromStdString(FContext.Language->CaptionText(Tag(action))));
}

void TWheelWin::miInsertPictureClick() {
    const QString file =
        OnChoosePicture ? OnChoosePicture()
                        : QFileDialog::getOpenFileName(this, QString::fromUtf8("Vælg billedfil"),
                                                       {}, "Bitmap files (*.BMP *.bmp)");
    if (file.isEmpty())
        return;
    LoadPicture(file);
    FContext.Setup->WheelDrawing.PictureFile = file.toStdString();
    miRemovePicture->setVisible(true);
}

void TWheelWin::miRemovePictureClick() {
    FBackground->clear();
    miRemovePicture->setVisible(false);
    FContext.Setup->WheelDrawing.PictureFile.clear();
}

void TWheelWin::miBackColorClick() {
    QColor colour = WindowColour();
    if (!ChooseColour(OnChooseColour, colour, this))
        return;
    SetWindowColour(colour);
    FContext.Setup->WheelDrawing.BackgroundColor = ValueOfColour(colour);
}

void TWheelWin::miColorModeClick() {
    bool &bw = FContext.Setup->WheelDrawing.BW;
    bw = !bw;
    FWheel1->SetBW(bw);
    FWheel2->SetBW(bw);
    SetTag(miColorMode, bw ? 257 : 258);
}

void TWheelWin::miUseMemoryClick() {
    // The item has toggled already; checked means saving memory, that is no bitmap.
    const bool offScreen = !miUseMemory->isChecked();
    FWheel1->SetOffScreen(offScreen);
    FContext.Setup->WheelDrawing.UseMemory = offScreen;
    miUseMemory->setChecked(!FWheel1->OffScreen());
}

void TWheelWin::WheelMouseHit(TWheel &sender, TWheelHitType kind, int ref) {
    FLastHit = {kind, ref};
    FLastHitWheel = &sender;
    switch (kind) {
    case TWheelHitType::htBody:
        if (FMode != 1) {
            // The other wheel highlights the same body.
            TWheel *partner = &sender == FWheel1 ? FWheel2 : FWheel1;
            partner->SelectItem(true, TWheelHitType::htBody, ref);
        }
        if (OnShowItem)
            OnShowItem(kind, ref);
        break;
    case TWheelHitType::htAxis: {
        static constexpr int AxisCusp[] = {0, 1, 4, 7, 10};
        if (OnShowItem && ref >= 1 && ref <= 4)
            OnShowItem(TWheelHitType::htHouseCusp, AxisCusp[ref]);
        break;
    }
    case TWheelHitType::htAriesPoint:
        sender.SetAriesAtLeft(!sender.AriesAtLeft());
        break;
    case TWheelHitType::htRightClick:
        FMenu->popup(sender.mapToGlobal(QPoint(sender.MouseX(), sender.MouseY())));
        break;
    default:
        if (OnShowItem)
            OnShowItem(kind, ref);
        break;
    }
}

void TWheelWin::FormActivate() {
    SetWindowColour(ColourOfValue(FContext.Setup->WheelDrawing.BackgroundColor, palette()));
}

void TWheelWin::WheelDblClick() {
    const int n =
        FLastHitWheel ? SignOfHit(FLastHitWheel->Horoscope(), FLastHit) : 0;
    if (n <= 0)
        return;
    const bool fewColours = FewColours(*this);
    const QString file =
        QString::fromStdString(SignPictureFile(FContext.Setup->ArtDirectory(), n, fewColours));
    if (!QFileInfo::exists(file))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    FBackground->setGeometry(rect());
    FBackground->setScaledContents(!fewColours);
    LoadPicture(file);
    FBackground->show();
    FWheel1->hide();
    FWheel1->SetBlinking(false);
    QApplication::restoreOverrideCursor();
}

void TWheelWin::BackgroundImageClick() {
    if (!FWheel1->isHidden())
        return;
    const std::string &file = FContext.Setup->WheelDrawing.PictureFile;
    if (file.empty())
        FBackground->clear();
    else
        LoadPicture(QString::fromStdString(file));
    FBackground->setScaledContents(true);
    FWheel1->show();
}

QColor TWheelWin::WindowColour() const {
    return palette().color(QPalette::Window);
}

void TWheelWin::SetWindowColour(const QColor &colour) {
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
}

bool TWheelWin::LoadPicture(const QString &file) {
    QPixmap picture;
    if (!picture.load(file)) {
        Beep();
        return false;
    }
    FBackground->setPixmap(picture);
    return true;
}

void TWheelWin::Beep() {
    QApplication::beep();
}

QWidget *TWheelWin::PlaceWidget() {
    // Inside the MDI area the place is the sub-window's.
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        return sub;
    return this;
}

void TWheelWin::RestorePlace() {
    const TWindowPlace &place = FContext.Setup->Windows.Wheel;
    if (place.Valid && place.Width > 0 && place.Height > 0)
        PlaceWidget()->setGeometry(place.Left, place.Top, place.Width, place.Height);
}

void TWheelWin::StorePlace() {
    const QRect r = PlaceWidget()->geometry();
    TWindowPlace &place = FContext.Setup->Windows.Wheel;
    place.Valid = true;
    place.Left = r.x();
    place.Top = r.y();
    place.Width = r.width();
    place.Height = r.height();
}

void TWheelWin::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    if (!FContext.Loading && isVisible())
        StorePlace();
    ApplySideBySide();
}

void TWheelWin::closeEvent(QCloseEvent *event) {
    StorePlace();
    QWidget::closeEvent(event);
}

THoroscope *TWheelWin::HoroscopeAt(TWheel &wheel, QPoint at) const {
    if (wheel.ChartAtPoint(at.x(), at.y()) == 2) {
        TWheel *partner = &wheel == FWheel1 ? FWheel2 : FWheel1;
        return partner->Horoscope();
    }
    return wheel.Horoscope();
}

bool TWheelWin::WheelDragDrop(TWheel &wheel, const QMimeData &data, QPoint at) {
    if (!data.hasFormat(NameMimeType))
        return false;
    if (OnNameDropped)
        OnNameDropped(QString::fromUtf8(data.data(NameMimeType)), at, HoroscopeAt(wheel, at));
    return true;
}

bool TWheelWin::eventFilter(QObject *watched, QEvent *event) {
    if (watched == FBackground && event->type() == QEvent::MouseButtonPress) {
        BackgroundImageClick();
        return false;
    }
    auto *wheel = watched == FWheel1 ? FWheel1 : watched == FWheel2 ? FWheel2 : nullptr;
    if (!wheel)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        WheelDblClick();
        return true;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (!drag->mimeData()->hasFormat(NameMimeType))
            return false;
        FDragPoint = drag->position().toPoint();
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        if (!WheelDragDrop(*wheel, *drop->mimeData(), drop->position().toPoint()))
            return false;
        drop->acceptProposedAction();
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

} // namespace kyr
