// TInterpWin: creation, wiring, settings, navigation, copy text and the arrangement.
#include "InterpWindow.h"

#include "AspectMeter.h"
#include "Calendar.h"
#include "DataCollection.h"
#include "Horoscope.h"
#include "InterpretationStore.h"
#include "KyrSetup.h"
#include "Language.h"
#include "QtInterpControls.h"
#include "SymbolFonts.h"
#include "TransitMeter.h"
#include "Translation.h"
#include "Wheel.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>

#include <algorithm>
#include <sstream>

namespace kyr {

namespace {

QString Q(const std::string &text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A caption as read, without its accelerator marks: "&&" stands for one '&'.
QString WithoutAccelerators(const QString &caption) {
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        // The mark goes and the character after it stays, be it another '&'.
        if (caption[i] == QLatin1Char('&') && ++i == caption.size())
            break;
        plain += caption[i];
    }
    return plain;
}

const QColor Red(255, 0, 0);
const QColor Green(0, 128, 0);
const QColor Navy(0, 0, 128);

void SetTextColour(QWidget *widget, const QColor &colour) {
    QPalette p = widget->palette();
    for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        p.setColor(role, colour);
    widget->setPalette(p);
}

enum TNavigatorIcon { niFirst, niPrevious, niNext, niLast };

// A bar and a triangle, drawn here so that the window needs no picture files.
QIcon NavigatorIcon(TNavigatorIcon kind, const QColor &colour) {
    constexpr int Size = 16;
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const bool left = kind == niFirst || kind == niPrevious;
    const bool bar = kind == niFirst || kind == niLast;
    const qreal tipX = left ? 4.0 : 12.0;
    const qreal baseX = left ? 12.0 : 4.0;
    QPainterPath triangle;
    triangle.moveTo(tipX, 8);
    triangle.lineTo(baseX, 3);
    triangle.lineTo(baseX, 13);
    triangle.closeSubpath();
    p.drawPath(bar ? triangle.translated(left ? 1 : -1, 0) : triangle);
    if (bar)
        p.drawRect(QRectF(left ? 2.5 : 11.5, 3, 2, 10));
    return QIcon(pixmap);
}

// A passage that cannot be read (a book table missing or closed) is a passage not found:
// the row then tells of its missing books and the window goes on. Passages reach the memo as
// paragraphs (see ParagraphText).
void GuardBookHandlers(TInterpretation &interp) {
    if (auto books = interp.OnGetBooks)
        interp.OnGetBooks = [books](TInterpretation &sender, const std::string &chapter,
                                    const std::string &code3, const std::string &code4, int &count,
                                    std::span<std::uint8_t> list) {
            try {
                books(sender, chapter, code3, code4, count, list);
            } catch (const std::exception &) {
                count = 0;
            }
        };
    for (TInterpretation::TGetChapterEvent *event :
         {&interp.OnGetChapter, &interp.OnGetSynastryChapter})
        if (auto chapter = *event)
            *event = [chapter](TInterpretation &sender, const std::string &book,
                               const std::string &ch, const std::string &code3,
                               const std::string &code4, std::string &attitude,
                               std::ostream &text) {
                std::ostringstream passage;
                try {
                    chapter(sender, book, ch, code3, code4, attitude, passage);
                } catch (const std::exception &) {
                    attitude.clear();
                    return;
                }
                text << ParagraphText(passage.str());
            };
}

} // namespace

std::string ParagraphText(const std::string &passage) {
    std::string out;
    bool inParagraph = false;
    for (const std::string &raw : SplitTextLines(passage)) {
        std::string line = raw;
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        if (line.empty()) {
            if (inParagraph)
                out += '\r';
            out += '\r';
            inParagraph = false;
        } else {
            if (inParagraph)
                out += ' ';
            out += line;
            inParagraph = true;
        }
    }
    if (inParagraph)
        out += '\r';
    return out;
}

TInterpWin::TInterpWin(const TContext &context, QWidget *parent)
    : QWidget(parent), OnInformation(context.OnInformation), FContext(context) {
    setObjectName(QStringLiteral("InterpWin"));
    setProperty("HelpContext", HelpContext);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(460, 400);
    CreateControls();

    // 1. Meter colour and caption.
    SetMeterColour(GraphColour());
    if (FContext.First)
        setWindowTitle(Q(FContext.First->FirstName + " " + FContext.First->LastName));

    // 2. The engine.
    FInterp.DebugMode = FContext.Setup && FContext.Setup->Debug.Database;
    FInterp.SetHoroscope(FContext.First);
    FInterp.PartnerHoroscope = FContext.Second;
    FInterp.SetLanguage(FContext.Language);
    FInterp.SetWheel(nullptr);
    SetDataCollection(FContext.Data);
    TInterpWidgets widgets;
    widgets.MainTitles = ComboBox1;
    widgets.SubTitles = ComboBox2;
    widgets.BookButtons = ExtRadioGroup1;
    widgets.Attitude = Label5;
    widgets.Memo = Memo;
    widgets.Birth = RadioButton3;
    widgets.Period = RadioButton4;
    FBinding = std::make_unique<TInterpretationBinding>(FInterp, widgets);
    FInterp.OnInformation = [this](const std::string &message) { Information(message); };
    FInterp.OnBeep = [this] { Beep(); };
    FInterp.OnSelection = [this](TInterpretation &, TSelectType selType, int ref) {
        InterpSelection(selType, ref);
    };
    ConnectControls();

    // 3. Empty panel and the period.
    ComboBox1->setCurrentIndex(ComboBox1->count() > 0 ? 0 : -1);
    ComboBox2->setCurrentIndex(ComboBox2->count() > 0 ? 0 : -1);
    for (QLabel *label : {Label8, Label4, Label9, Label10, Label11, Label12})
        label->clear();
    AspectMeter1->SetProgress(0);
    ShowPage(ppEmpty);
    RefreshPeriod();

    // 4. Text colour and font; the place comes with the frame (AttachFrame).
    SetMemoColour(Qt::white);
    ApplyOrCaptureFont();

    // 5. The rows of a usable chart.
    if (ChartUsable())
        FInterp.SetInterptype(itBirthAnalysis);

    // 6. Texts and arrangement.
    if (FContext.Language)
        TranslateForm(*FContext.Language, this);
    UpdatePeriodCaption();
    ArrangeControls();
}

TInterpWin::~TInterpWin() {
    // The engine outlives no widget: unbind before the controls go.
    FInterp.OnSelection = nullptr;
    FBinding.reset();
    if (OnDestroyed)
        OnDestroyed();
}

void TInterpWin::CreateControls() {
    RadioButton3 = new QRadioButton(QStringLiteral("Birth Analysis"), this);
    SetTag(RadioButton3, 702);
    RadioButton4 = new QRadioButton(QStringLiteral("Dynamic Analysis"), this);
    SetTag(RadioButton4, 703);

    const auto label = [this](int tag, const char *caption) {
        auto *l = new QLabel(QString::fromUtf8(caption), this);
        SetTag(l, tag);
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return l;
    };
    const auto combo = [this](const QColor &colour) {
        auto *box = new QComboBox(this);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(8);
        box->setMaxVisibleItems(20);
        SetTextColour(box, colour);
        return box;
    };
    Label1 = label(367, "&Main Title: ");
    ComboBox1 = combo(Red);
    Label1->setBuddy(ComboBox1);
    Label2 = label(366, "S&ub Title: ");
    ComboBox2 = combo(Green);
    Label2->setBuddy(ComboBox2);
    Label3 = label(365, "&Key Word: ");
    // The key word cannot take the focus; its accelerator leads to the text it heads.

    PanelKW = new QFrame(this);
    PanelKW->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    Label5 = new QLabel(PanelKW);
    Label5->setTextFormat(Qt::PlainText);
    SetTextColour(Label5, Navy);
    QFont keyFont = Label5->font();
    keyFont.setItalic(true);
    Label5->setFont(keyFont);

    Navigator = new QWidget(this);
    const QColor iconColour = palette().color(QPalette::ButtonText);
    const auto navButton = [this, &iconColour](TNavigatorIcon icon, int hint) {
        auto *button = new QToolButton(Navigator);
        button->setIcon(NavigatorIcon(icon, iconColour));
        button->setAutoRaise(false);
        button->setFocusPolicy(Qt::NoFocus);
        SetTag(button, -hint);
        return button;
    };
    SpeedButton_Nvg_First = navButton(niFirst, TextNo(1260));
    SpeedButton_Nvg_Previous = navButton(niPrevious, TextNo(1261));
    SpeedButton_Nvg_Next = navButton(niNext, TextNo(1262));
    SpeedButton_Nvg_Last = navButton(niLast, TextNo(1263));

    // The book buttons stay hidden: the window always reads the first book.
    ExtRadioGroup1 = new QWidget(this);
    ExtRadioGroup1->hide();

    Notebook = new QStackedWidget(this);
    Notebook->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    const auto page = [this] {
        auto *w = new QWidget(Notebook);
        Notebook->addWidget(w);
        return w;
    };
    QWidget *aspectPage = page();
    QWidget *transitPage = page();
    QWidget *symbolPage = page();
    QWidget *relationPage = page();
    page(); // empty
    const auto glyph = [](QWidget *parent) {
        auto *l = new QLabel(parent);
        l->setTextFormat(Qt::PlainText);
        l->setAlignment(Qt::AlignCenter);
        l->setFont(SymbolFont());
        return l;
    };
    Label10 = glyph(aspectPage);
    Label12 = glyph(aspectPage);
    Label11 = glyph(aspectPage);
    AspectMeter1 = new TAspectMeter(aspectPage);
    AspectMeter1->setProperty("HelpContext", AspectMeterHelpContext);
    AspectMeter1->SetKind(mkHorizontalBar);
    TransitMeter1 = new TTransitMeter(transitPage);
    TransitMeter1->setProperty("HelpContext", TransitMeterHelpContext);
    Label8 = glyph(symbolPage);
    Label4 = glyph(relationPage);
    Label9 = glyph(relationPage);

    Memo = new QPlainTextEdit(this);
    Memo->setReadOnly(true);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo->setContextMenuPolicy(Qt::CustomContextMenu);
    Label3->setBuddy(Memo);
    MemoPopup = new QMenu(this);
    miFont = MemoPopup->addAction(QStringLiteral("&Skrifttype..."));
    SetTag(miFont, 262);
    miBackColor = MemoPopup->addAction(QStringLiteral("&Baggrundsfarve..."));
    SetTag(miBackColor, 263);
}

void TInterpWin::ConnectControls() {
    connect(SpeedButton_Nvg_First, &QToolButton::clicked, this, [this] { NavigatorFirstClick(); });
    connect(SpeedButton_Nvg_Previous, &QToolButton::clicked, this,
            [this] { NavigatorPreviousClick(); });
    connect(SpeedButton_Nvg_Next, &QToolButton::clicked, this, [this] { NavigatorNextClick(); });
    connect(SpeedButton_Nvg_Last, &QToolButton::clicked, this, [this] { NavigatorLastClick(); });
    connect(TransitMeter1, &TTransitMeter::UserHit, this,
            [this](int date) { TransitMeterUserHit(date); });
    connect(TransitMeter1, &TTransitMeter::MouseDown, this,
            [this](Qt::MouseButton button, const QPoint &) {
                if (button == Qt::RightButton)
                    MeterColourClick();
            });
    connect(AspectMeter1, &TAspectMeter::MouseDown, this,
            [this](Qt::MouseButton button, const QPoint &) {
                if (button == Qt::RightButton)
                    MeterColourClick();
            });
    connect(Memo, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { MemoPopup->popup(Memo->viewport()->mapToGlobal(at)); });
    connect(miFont, &QAction::triggered, this, [this] { miFontClick(); });
    connect(miBackColor, &QAction::triggered, this, [this] { miBackColorClick(); });
}

// ---- setters ----

void TInterpWin::SetHoroscope(THoroscope *horoscope) {
    FContext.First = horoscope;
    FInterp.SetHoroscope(horoscope);
    if (horoscope)
        setWindowTitle(Q(horoscope->FirstName + " " + horoscope->LastName));
}

void TInterpWin::SetPartnerHoroscope(THoroscope *horoscope) {
    FContext.Second = horoscope;
    FInterp.PartnerHoroscope = horoscope;
}

void TInterpWin::SetLanguage(TLanguage *language) {
    FContext.Language = language;
    FInterp.SetLanguage(language);
    if (language)
        TranslateForm(*language, this);
    UpdatePeriodCaption();
    ArrangeControls();
}

void TInterpWin::SetSetup(TKyrSetup *setup) {
    FContext.Setup = setup;
    FInterp.DebugMode = setup && setup->Debug.Database;
    SetMeterColour(GraphColour());
    ApplyOrCaptureFont();
    RefreshPeriod();
}

void TInterpWin::SetDataCollection(TDataCollection *data) {
    FContext.Data = data;
    if (data) {
        ConnectBookHandlers(FInterp, *data);
        GuardBookHandlers(FInterp);
    } else {
        FInterp.OnGetBooks = nullptr;
        FInterp.OnGetChapter = nullptr;
        FInterp.OnGetSynastryChapter = nullptr;
    }
}

void TInterpWin::SetWheel(TWheel *wheel) {
    FFixedWheel = wheel;
}

// ---- operations of the main window ----

void TInterpWin::SetInterptype(TInterpType type) {
    // Birth and dynamic analysis only; the other kinds belong to the printout.
    FTransitIndex = -1;
    ShowPage(ppEmpty);
    // The rebuild selects the first sub-title, which fills the panel.
    FInterp.SetInterptype(type == itDynamic ? itDynamic : itBirthAnalysis);
}

void TInterpWin::LanguageChanged() {
    if (FContext.Language)
        TranslateForm(*FContext.Language, this);
    SetInterptype(FInterp.Interptype());
    UpdatePeriodCaption();
    ArrangeControls();
}

void TInterpWin::RefreshPeriod() {
    int from = 0, to = 0;
    if (FContext.Setup) {
        from = FContext.Setup->FromYear;
        to = FContext.Setup->ToYear;
    } else if (FContext.First) {
        from = FContext.First->FromYear();
        to = FContext.First->ToYear();
    } else {
        return;
    }
    const bool active = TransitMeter1->Active();
    TransitMeter1->SetActive(false);
    TransitMeter1->SetFromYear(from);
    TransitMeter1->SetToYear(to);
    TransitMeter1->SetActive(active);
    if (PanelPage() == ppTransit && FTransitIndex >= 0)
        ShowTransitPanel(FTransitIndex);
}

void TInterpWin::FormActivate() {
    UpdatePeriodCaption();
    ApplyOrCaptureFont();
}

void TInterpWin::UpdatePeriodCaption() {
    if (!FContext.Language || !FContext.First)
        return;
    RadioButton4->setText(Q(FContext.Language->GetText(703) + " (" +
                            std::to_string(FContext.First->FromYear()) + "-" +
                            std::to_string(FContext.First->ToYear()) + ")"));
}

void TInterpWin::TransitMeterUserHit(int date) {
    if (!FContext.Language)
        return;
    RadioButton4->setText(Q(FContext.Language->GetText(703) + " (" + YmdToDateString(date) + ")"));
}

// ---- navigation ----

void TInterpWin::NavigatorFirstClick() {
    FInterp.SelectFirst();
    SpeedButton_Nvg_First->setEnabled(false);
    SpeedButton_Nvg_Previous->setEnabled(false);
    SpeedButton_Nvg_Next->setEnabled(true);
    SpeedButton_Nvg_Last->setEnabled(true);
}

void TInterpWin::NavigatorPreviousClick() {
    FInterp.SelectPrior();
    SpeedButton_Nvg_Next->setEnabled(true);
    SpeedButton_Nvg_Last->setEnabled(true);
}

void TInterpWin::NavigatorNextClick() {
    FInterp.SelectNext();
    SpeedButton_Nvg_First->setEnabled(true);
    SpeedButton_Nvg_Previous->setEnabled(true);
}

void TInterpWin::NavigatorLastClick() {
    FInterp.SelectLast();
    SpeedButton_Nvg_First->setEnabled(true);
    SpeedButton_Nvg_Previous->setEnabled(true);
    SpeedButton_Nvg_Next->setEnabled(false);
    SpeedButton_Nvg_Last->setEnabled(false);
}

// ---- copy text ----

QString TInterpWin::CopyText() const {
    const QString crlf = QStringLiteral("\r\n");
    // The captions carry accelerator marks; the list entries, key word and text do not.
    QString text;
    if (RadioButton3->isChecked())
        text += WithoutAccelerators(RadioButton3->text());
    else if (RadioButton4->isChecked())
        text += WithoutAccelerators(RadioButton4->text());
    text += crlf + WithoutAccelerators(Label1->text());
    if (ComboBox1->currentIndex() >= 0)
        text += QLatin1Char(' ') + ComboBox1->currentText();
    text += crlf + WithoutAccelerators(Label2->text()) + QLatin1Char(' ') + ComboBox2->currentText();
    text += crlf + WithoutAccelerators(Label3->text()) + QLatin1Char(' ') + Label5->text();
    if (const TInterpRadioGroup *books = FInterp.BookButtons(); books && books->ItemIndex() >= 0)
        text += crlf + WithoutAccelerators(Q(books->Caption(books->ItemIndex())));
    text += crlf;
    const QString memo = Memo->toPlainText();
    if (!memo.isEmpty())
        for (const QString &line : memo.split(QLatin1Char('\n')))
            text += line + crlf;
    return text;
}

void TInterpWin::CopyToClipboard() const {
    QApplication::clipboard()->setText(CopyText());
}

// ---- helpers ----

void TInterpWin::Information(const std::string &message) {
    if (OnInformation)
        OnInformation(Q(message));
    else
        QMessageBox::information(this, QString(), Q(message), QMessageBox::Ok);
}

void TInterpWin::Beep() {
    if (OnBeep)
        OnBeep();
    else
        QApplication::beep();
}

bool TInterpWin::ChartUsable() const {
    return FContext.First && FContext.First->Active() && FContext.First->FileAvailable();
}

} // namespace kyr
