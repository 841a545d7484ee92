// TInterpWin: the text's font and colour, the meters' colour, the arrangement of the controls
// and the window's place.
#include "InterpWindow.h"
#include "ColourChoice.h"

#include "AspectMeter.h"
#include "KyrSetup.h"
#include "MeterColors.h"
#include "SymbolFonts.h"
#include "TransitMeter.h"
#include "Transits.h"

#include <QComboBox>
#include <QFontDialog>
#include <QFrame>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>

#include <algorithm>

namespace kyr {

namespace {

QString Q(const std::string &text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The memo's font as the settings keep it.
TFontSpec CaptureFont(const QPlainTextEdit &memo) {
    const QFont f = memo.font();
    TFontSpec stored;
    stored.Valid = true;
    stored.Name = f.family().left(static_cast<qsizetype>(FontNameLength)).toStdString();
    stored.Size = f.pointSize() > 0 ? f.pointSize() : 10;
    stored.Color = ValueFromColor(memo.palette().color(QPalette::Text));
    stored.Style = (f.bold() ? FontBold : 0) | (f.italic() ? FontItalic : 0) |
                 (f.underline() ? FontUnderline : 0) | (f.strikeOut() ? FontStrikeOut : 0);
    return stored;
}

void ApplyFont(QPlainTextEdit &memo, const TFontSpec &stored) {
    QFont f = memo.font();
    if (!stored.Name.empty())
        f.setFamily(Q(stored.Name));
    if (stored.Size > 0)
        f.setPointSize(stored.Size);
    f.setBold(stored.Style & FontBold);
    f.setItalic(stored.Style & FontItalic);
    f.setUnderline(stored.Style & FontUnderline);
    f.setStrikeOut(stored.Style & FontStrikeOut);
    memo.setFont(f);
    QPalette p = memo.palette();
    p.setColor(QPalette::Text, ColorFromValue(stored.Color, p));
    memo.setPalette(p);
}

} // namespace

// ---- text font and colours ----

QColor TInterpWin::GraphColour() const {
    return ColorFromValue(FContext.Setup ? FContext.Setup->System.GraphColor : 255, palette());
}

void TInterpWin::SetMeterColour(const QColor &colour) {
    TransitMeter1->SetForeColor(colour);
    AspectMeter1->SetForeColor(colour);
}

void TInterpWin::MeterColourClick() {
    QColor colour = GraphColour();
    if (!ChooseColour(OnChooseColour, colour, this))
        return;
    if (FContext.Setup)
        FContext.Setup->System.GraphColor = ValueFromColor(colour);
    SetMeterColour(colour);
}

void TInterpWin::ApplyOrCaptureFont() {
    if (!FContext.Setup)
        return;
    TFontSpec &stored = FContext.Setup->Interpretation.Font;
    if (stored.Valid)
        ApplyFont(*Memo, stored);
    else
        stored = CaptureFont(*Memo);
}

void TInterpWin::miFontClick() {
    QFont font = Memo->font();
    bool chosen = false;
    if (OnChooseFont) {
        chosen = OnChooseFont(font);
    } else {
        font = QFontDialog::getFont(&chosen, font, this);
    }
    if (!chosen)
        return;
    Memo->setFont(font);
    if (FContext.Setup)
        FContext.Setup->Interpretation.Font = CaptureFont(*Memo);
}

QColor TInterpWin::MemoColour() const {
    return Memo->palette().color(QPalette::Base);
}

void TInterpWin::SetMemoColour(const QColor &colour) {
    QPalette p = Memo->palette();
    p.setColor(QPalette::Base, colour);
    Memo->setPalette(p);
}

void TInterpWin::miBackColorClick() {
    QColor colour = MemoColour();
    if (!ChooseColour(OnChooseColour, colour, this))
        return;
    SetMemoColour(colour);
    if (FContext.Setup)
        FContext.Setup->Interpretation.BackgroundColor = ValueFromColor(colour);
}

// ---- arrangement and place ----

void TInterpWin::ArrangeControls() {
    TInterpMetrics m;
    m.RadioHeight = std::max(RadioButton3->sizeHint().height(), RadioButton4->sizeHint().height());
    m.BirthWidth = RadioButton3->sizeHint().width();
    m.RowHeight = std::max(ComboBox1->sizeHint().height(), 22);
    m.LabelWidth = 0;
    for (QLabel *label : {Label1, Label2, Label3})
        m.LabelWidth = std::max(m.LabelWidth, label->sizeHint().width());
    m.NavigatorWidth = 4 * m.RowHeight;
    m.PanelHeight = std::max(60, 3 * m.RowHeight);
    FLayout = ArrangeInterpControls(width(), height(), m);
    const TInterpLayout &l = FLayout;
    const auto place = [](QWidget *w, const TInterpBox &b) {
        w->setGeometry(b.Left, b.Top, b.Width, b.Height);
    };
    place(RadioButton3, l.Birth);
    place(RadioButton4, l.Period);
    place(Label1, l.MainLabel);
    place(ComboBox1, l.MainTitles);
    place(Navigator, l.Navigator);
    place(Label2, l.SubLabel);
    place(ComboBox2, l.SubTitles);
    place(Label3, l.KeyLabel);
    place(PanelKW, l.KeyWord);
    Label5->setGeometry(PanelKW->contentsRect().adjusted(4, 0, -2, 0));
    const int button = l.Navigator.Width / 4;
    int x = 0;
    for (QToolButton *b : {SpeedButton_Nvg_First, SpeedButton_Nvg_Previous, SpeedButton_Nvg_Next,
                           SpeedButton_Nvg_Last}) {
        b->setGeometry(x, 0, button, l.Navigator.Height);
        x += button;
    }
    place(Notebook, l.Panel);
    place(Memo, l.Memo);
    Memo->setVisible(l.MemoVisible);

    // The pages, placed now rather than by the notebook's layout, so that the transit
    // meter's width is known before the window is first shown.
    const QRect area = Notebook->contentsRect();
    for (int i = 0; i < Notebook->count(); ++i)
        Notebook->widget(i)->setGeometry(area);
    const int pw = area.width();
    const int ph = area.height();
    const int s = std::clamp(ph - 8, 8, 48);
    const int gy = (ph - s) / 2;
    QFont glyphFont = SymbolFont();
    glyphFont.setPixelSize(std::max(s * 3 / 4, 6));
    for (QLabel *g : {Label10, Label12, Label11, Label8, Label4, Label9})
        g->setFont(glyphFont);
    Label10->setGeometry(6, gy, s, s);
    Label12->setGeometry(6 + s, gy, s, s);
    Label11->setGeometry(6 + 2 * s, gy, s, s);
    const int meterLeft = 6 + 3 * s + 10;
    const int meterHeight = std::clamp(ph / 3, 10, 18);
    AspectMeter1->setGeometry(meterLeft, (ph - meterHeight) / 2, std::max(pw - meterLeft - 8, 0),
                              meterHeight);
    Label8->setGeometry(6, gy, 2 * s, s);
    Label4->setGeometry(6, gy, s, s);
    Label9->setGeometry(6 + s + 4, gy, 2 * s, s);
    // The chart gives curves of at most MaxTransitCurveLength samples, one per bar column.
    const int textWidth =
        QFontMetrics(TransitMeter1->font()).horizontalAdvance(QStringLiteral("00"));
    const int widest = MaxTransitCurveLength + 2 + 2 * (textWidth / 2);
    TransitMeter1->setGeometry(2, 2, std::clamp(pw - 4, 0, widest), std::max(ph - 3, 0));

    if (PanelPage() == ppTransit && FTransitIndex >= 0)
        ShowTransitPanel(FTransitIndex);
}

void TInterpWin::AttachFrame(QWidget *frame) {
    FFrame = frame;
    if (!frame)
        return;
    if (FContext.Setup && !Loading()) {
        const TWindowPlace &place = FContext.Setup->Windows.Interpretation;
        if (place.Valid && place.Width > 0 && place.Height > 0)
            frame->setGeometry(place.Left, place.Top, place.Width, place.Height);
    }
    frame->installEventFilter(this);
    if (auto *sub = qobject_cast<QMdiSubWindow *>(frame))
        connect(sub, &QMdiSubWindow::aboutToActivate, this, [this] { FormActivate(); });
}

bool TInterpWin::Loading() const {
    return FContext.Loading && FContext.Loading();
}

void TInterpWin::StorePlace() {
    if (!FContext.Setup || Loading())
        return;
    QWidget *frame = FFrame ? FFrame : this;
    if (!frame->isVisible())
        return;
    TWindowPlace &place = FContext.Setup->Windows.Interpretation;
    place.Valid = true;
    place.State = frame->isMinimized()   ? WindowMinimised
                  : frame->isMaximized() ? WindowMaximised
                                         : WindowNormal;
    if (place.State != WindowNormal)
        return;
    const QRect r = frame->geometry();
    place.Left = r.x();
    place.Top = r.y();
    place.Width = r.width();
    place.Height = r.height();
}

void TInterpWin::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    ArrangeControls();
    if (!FFrame)
        StorePlace();
}

void TInterpWin::closeEvent(QCloseEvent *event) {
    StorePlace();
    QWidget::closeEvent(event);
}

void TInterpWin::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    // A window of its own (not an MDI child) is activated by the window system.
    if (event->type() == QEvent::ActivationChange && !FFrame && isWindow() && isActiveWindow())
        FormActivate();
}

bool TInterpWin::eventFilter(QObject *watched, QEvent *event) {
    if (watched == FFrame)
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowStateChange:
            StorePlace();
            break;
        default:
            break;
        }
    return QWidget::eventFilter(watched, event);
}

} // namespace kyr
