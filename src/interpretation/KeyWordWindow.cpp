#include "KeyWordWindow.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace kyr {

namespace {

// Word wrapping; "&" stays a plain character because no mnemonic flag is given.
constexpr int TextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

// Cuts a UTF-8 text to at most max bytes without splitting a character, so that the note
// never ends in a broken one.
std::string CutUtf8(const std::string &text, std::size_t max) {
    if (text.size() <= max)
        return text;
    std::size_t end = max;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

QFont NoteFont() {
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace

TKeyWordWindow::TKeyWordWindow(QWidget *owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                         Qt::WindowTransparentForInput) {
    setObjectName(QStringLiteral("KeyWordWindow"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setFont(NoteFont());
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(255, 255, 0));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);
}

TKeyWordWindow::~TKeyWordWindow() {
    HidePopup();
}

void TKeyWordWindow::ShowStream(const std::stringstream *stream) {
    if (!stream)
        return;
    FText = CutUtf8(stream->str(), MaxTextLength);
    PlacePopup();
}

QString TKeyWordWindow::DisplayText() const {
    // Help texts may end their lines with CR LF; a lone CR would show as a box.
    QString text = QString::fromUtf8(FText);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

void TKeyWordWindow::PlacePopup() {
    const QRect needed =
        QFontMetrics(font()).boundingRect(QRect(0, 0, PopupWidth, 0), TextFlags, DisplayText());
    // Room for the border and the text's one-pixel indent.
    QRect r(PopupX, PopupY, needed.width() + 6, needed.height() + 2);

    QScreen *screen = QGuiApplication::screenAt(r.topLeft());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->geometry();
        if (r.bottom() > area.bottom())
            r.moveTop(area.bottom() - r.height() + 1);
        if (r.right() > area.right())
            r.moveLeft(area.right() - r.width() + 1);
        r.moveLeft(std::max(r.left(), area.left()));
        r.moveTop(std::max(r.top(), area.top()));
    }
    setGeometry(r);
    show();
    raise();
    update();
}

void TKeyWordWindow::HidePopup() {
    hide();
}

void TKeyWordWindow::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    // The client area lies inside the border; the text starts one pixel further right.
    const QRect client = rect().adjusted(1, 1, -1, -1);
    painter.setFont(font());
    painter.drawText(client.adjusted(1, 0, 0, 0), TextFlags, DisplayText());
}

void TKeyWordWindow::HideWhenApplicationInactive(bool on) {
    if (FDeactivation) {
        disconnect(FDeactivation);
        FDeactivation = {};
    }
    if (on)
        FDeactivation = connect(qApp, &QGuiApplication::applicationStateChanged, this,
                                [this](Qt::ApplicationState state) {
                                    if (state != Qt::ApplicationActive)
                                        HidePopup();
                                });
}

} // namespace kyr
