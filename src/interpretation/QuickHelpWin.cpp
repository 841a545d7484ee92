#include "QuickHelpWin.h"

#include "DataCollection.h"
#include "IndexScope.h"
#include "KeyWordWindow.h"
#include "KyrSetup.h"
#include "Language.h"
#include "Translation.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QTextEdit>
#include <QVBoxLayout>

#include <sstream>

namespace kyr {

namespace {

bool FQuickHelpAvailable = false;

// Rows of the text area's client pixels where the web link lies: the lines of the texts
// that name the program's web page.
constexpr int WebBands[][2] = {{50, 60}, {168, 178}, {184, 194}};

QString ToQ(const std::string &text) {
    return QString::fromStdString(text);
}

// Settings colours hold red in the low byte, or with the top bit set a system colour.
QColor SettingsColour(int value, const QPalette &palette) {
    const auto bits = static_cast<unsigned>(value);
    if (bits & 0x80000000u)
        return (bits & 0xFF) == 5 ? palette.color(QPalette::Base) : palette.color(QPalette::Window);
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

} // namespace

bool FindHelpText(TDataCollection &data, int helpNo, std::string &text) {
    TKyrTable &help = data.HelpTable;
    // A closed table has no texts rather than an error to show.
    if (!help.Active())
        return false;
    const TIndexScope primary(help, "");
    if (!help.FindKey({static_cast<long long>(helpNo)}))
        return false;
    std::stringstream stream;
    BlobToStream(help.FieldByName("HelpText"), stream);
    text = stream.str();
    return true;
}

bool QuickHelpAvailable() {
    return FQuickHelpAvailable;
}

bool IsRichHelpText(const std::string &text) {
    const QString q = ToQ(text);
    const QString start = q.trimmed();
    return start.startsWith(QLatin1Char('<')) && Qt::mightBeRichText(start);
}

void LoadHelpText(QTextEdit *view, const std::string &text) {
    if (IsRichHelpText(text)) {
        view->setHtml(ToQ(text));
        return;
    }
    // Stored texts may separate lines with CR LF or a lone CR.
    QString plain = ToQ(text);
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    view->setPlainText(plain);
}

// The text area: the text cursor, except over the web link's bands.
class THelpTextArea : public QTextEdit {
public:
    explicit THelpTextArea(TQHelpWin *owner) : QTextEdit(owner), FOwner(owner) {}

protected:
    void mouseMoveEvent(QMouseEvent *event) override {
        QTextEdit::mouseMoveEvent(event);
        viewport()->setCursor(FOwner->WebLinkAt(event->position().toPoint().y())
                                  ? Qt::PointingHandCursor
                                  : Qt::IBeamCursor);
    }
    void mousePressEvent(QMouseEvent *event) override {
        if (!FOwner->WebLinkAt(event->position().toPoint().y())) {
            QTextEdit::mousePressEvent(event);
            return;
        }
        viewport()->setCursor(Qt::ArrowCursor);
        FOwner->OpenWebPage();
    }

private:
    TQHelpWin *FOwner;
};

TQHelpWin::TQHelpWin(const TLanguage &language, TDataCollection &data, const TKyrSetup &settings,
                     QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      FLanguage(language), FData(data), FSettings(settings), FText(new THelpTextArea(this)),
      FPopup(new TKeyWordWindow(this)) {
    setObjectName(QStringLiteral("QHelpWin"));
    SetTag(this, CaptionText);
    setWindowTitle(QStringLiteral("Quick Help"));
    setProperty("HelpContext", OwnHelpContext);
    resize(361, 279);

    FText->setObjectName(QStringLiteral("RichEdit1"));
    FText->setReadOnly(true);
    FText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    FText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    FText->viewport()->setMouseTracking(true);
    FText->viewport()->setCursor(Qt::IBeamCursor);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FText);

    FPopup->PopupWidth = 250;
    TranslateForm(FLanguage, this);
    FQuickHelpAvailable = true;
}

TQHelpWin::~TQHelpWin() {
    FPopup->HideWhenApplicationInactive(false);
    FText->hide();
    FQuickHelpAvailable = false;
}

void TQHelpWin::Beep() {
    if (OnBeep)
        OnBeep();
    else
        QApplication::beep();
}

void TQHelpWin::ShowHelp(int helpNo) {
    if (helpNo <= 0) {
        Beep();
        return;
    }
    if (OnHelpFile) {
        OnHelpFile(helpNo);
        return;
    }
    const bool debug = FSettings.Debug.DebugHelp;
    const bool same = helpNo == FHelpNo && FLanguage.Country() == FHelpCountry;
    if (!same || debug) {
        FText->clear();
        std::string text;
        if (FindHelpText(FData, helpNo, text)) {
            LoadHelpText(FText, text);
            FHelpNo = helpNo;
        } else if (!debug) {
            FHelpNo = -1;
            Beep();
            return;
        } else {
            FText->append(QStringLiteral("Help Text not found: help no %1!").arg(helpNo));
            Beep();
            FHelpNo = helpNo;
        }
    }

    const QString caption = ToQ(FLanguage.GetText(CaptionText));
    if (debug)
        setWindowTitle(caption + QStringLiteral("[%1]").arg(helpNo));
    else if (windowTitle() != caption)
        setWindowTitle(caption);

    FHelpCountry = FLanguage.Country().substr(0, 10);
    show();
    raise();
    activateWindow();
}

void TQHelpWin::ShowBookPassage(const std::string &key) {
    FText->clear();
    // "BBCC 3344": book and chapter, a blank, the third and fourth code.
    const auto part = [&key](std::size_t at) {
        return key.size() >= at + 2 ? key.substr(at, 2) : std::string();
    };
    bool found = false;
    if (key.size() >= 9 && FData.BookTable.Active()) {
        TKyrTable &book = FData.BookTable;
        const TIndexScope primary(book, "");
        if (book.FindKey({part(0), part(2), part(5), part(7)})) {
            std::stringstream stream;
            const std::string attitude = book.FieldByName("Attitude").AsString();
            if (attitude.size() > 1)
                stream << attitude << '\r';
            BlobToStream(book.FieldByName("Text"), stream);
            LoadHelpText(FText, stream.str());
            found = true;
        }
    }
    if (!found)
        FText->setPlainText(QStringLiteral("Book Text Not Found!"));
    FHelpNo = -2;
    show();
    raise();
    activateWindow();
}

void TQHelpWin::HidePopup() {
    FPopup->HidePopup();
}

void TQHelpWin::ApplyLook() {
    const QColor colour = SettingsColour(FSettings.Interpretation.BackgroundColor, palette());
    QPalette area = FText->palette();
    area.setColor(QPalette::Base, colour);
    FText->setPalette(area);
    QFont font(QStringLiteral("Times New Roman"), 10);
    font.setStyleHint(QFont::Serif);
    FText->setFont(font);
    QPalette own = palette();
    own.setColor(QPalette::Window, colour);
    setPalette(own);
}

void TQHelpWin::showEvent(QShowEvent *event) {
    ApplyLook();
    QWidget::showEvent(event);
}

void TQHelpWin::changeEvent(QEvent *event) {
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            ApplyLook();
            FPopup->HideWhenApplicationInactive(true);
        } else {
            FPopup->HideWhenApplicationInactive(false);
            HidePopup();
        }
    }
    QWidget::changeEvent(event);
}

bool TQHelpWin::InWebBand(int y) {
    for (const auto &band : WebBands)
        if (y >= band[0] && y <= band[1])
            return true;
    return false;
}

bool TQHelpWin::WebLinkAt(int y) const {
    return WebAddress.isValid() && !WebAddress.isEmpty() && InWebBand(y);
}

void TQHelpWin::OpenWebPage() {
    close();
    if (OnOpenUrl)
        OnOpenUrl(WebAddress);
    else
        QDesktopServices::openUrl(WebAddress);
}

} // namespace kyr
