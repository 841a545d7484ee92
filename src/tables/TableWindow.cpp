#include "TableWindow.h"

#include "FramePlace.h"
#include "Horoscope.h"

#include <QApplication>
#include <QClipboard>
#include <QPalette>

namespace kyr {


TTableWindow::TTableWindow(const TTableDesign &design, TWindowPlace &place,
                           const TLanguage &language, const THoroscope *horoscope, QWidget *parent)
    : QWidget(parent), FPlaceKeeper(new TFramePlace(this, place)), FLanguage(language), FHoroscope(horoscope),
      FHelpContext(design.HelpContext), FFontColor(TableFontColor) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QString::fromLatin1(design.Caption));
    setProperty("HelpContext", design.HelpContext);
    setAutoFillBackground(true);
    SetColor(Qt::white);
    QFont font(TableFontFamily);
    font.setPixelSize(design.FontHeight);
    setFont(font);
    resize(design.Width, design.Height);
    setWindowTitle(horoscope ? ToQString(horoscope->FirstName + " " + horoscope->LastName)
                             : QString::fromLatin1(design.Caption));
}

void TTableWindow::Refresh() {
    update();
}

QWidget *TTableWindow::Frame() {
    return FPlaceKeeper->Frame();
}

void TTableWindow::RestorePlace() {
    FPlaceKeeper->Restore();
}

void TTableWindow::StorePlace() {
    FPlaceKeeper->Store();
}

QColor TTableWindow::Color() const {
    return palette().color(QPalette::Window);
}

void TTableWindow::SetColor(const QColor &color) {
    QPalette colors = palette();
    colors.setColor(QPalette::Window, color);
    setPalette(colors);
}

QColor TTableWindow::GridColor() const {
    return QApplication::palette().color(QPalette::Button);
}

bool TTableWindow::CopyToClipboard() const {
    const QString text = ClipboardText();
    if (text.isEmpty())
        return false;
    QApplication::clipboard()->setText(text);
    return true;
}

bool TTableWindow::ShowsChart() const {
    return FHoroscope && FHoroscope->Active();
}

void TTableWindow::resizeEvent(QResizeEvent *event) {
    update();
    QWidget::resizeEvent(event);
}

} // namespace kyr
