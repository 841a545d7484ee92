#include "PWhlDlg.h"

#include "DialogFields.h"
#include "KyrPrinter.h"
#include "Language.h"
#include "PrintProgress.h"
#include "TitleWidth.h"
#include "Translation.h"
#include "WheelPageEditor.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <exception>

namespace kyr {

namespace {

constexpr int BoxCaptions[PageBoxCount] = {TextNo(1394), TextNo(1395), TextNo(1396),
                                           TextNo(1397), TextNo(1398), TextNo(1399)};
constexpr const char *BoxNames[PageBoxCount] = {"CheckBoxWheel",  "CheckBoxPlanets",
                                                "CheckBoxHouses", "CheckBoxAspects",
                                                "CheckBoxInfo",   "CheckBoxSymbol"};

/// Restores a button's enabled state however the work between ends.
struct TDisabledScope {
    QWidget *Widget;
    explicit TDisabledScope(QWidget *widget) : Widget(widget) { Widget->setEnabled(false); }
    ~TDisabledScope() { Widget->setEnabled(true); }
};

} // namespace

TPWhlDlg::TPWhlDlg(TKyrSetup &setup, const TLanguage &language, TKyrPrinter &printer,
                   QWidget *parent)
    : QDialog(parent), FSetup(setup), FLanguage(language), FPrinter(printer) {
    setObjectName(QStringLiteral("PWhlDlg"));
    setProperty("HelpContext", HelpContext);
    BuildControls();
    Retranslate();
}

void TPWhlDlg::BuildControls() {
    FPreview = new TWheelPagePreview(this);
    FPreview->setFixedSize(PreviewWidth, PreviewHeight);
    connect(FPreview, &TWheelPagePreview::ShapePressed, this, &TPWhlDlg::SelectBox);
    connect(FPreview, &TWheelPagePreview::ShapeMoved, this, &TPWhlDlg::ShapeMoved);

    auto *boxes = new QGridLayout;
    boxes->setHorizontalSpacing(6);
    for (int box = 0; box < PageBoxCount; ++box) {
        auto *legend = new TBoxLegend(box, this);
        auto *check = new QCheckBox(this);
        check->setObjectName(QLatin1String(BoxNames[box]));
        SetTag(check, BoxCaptions[box]);
        check->installEventFilter(this);
        connect(legend, &TBoxLegend::Pressed, this, &TPWhlDlg::SelectBox);
        connect(check, &QCheckBox::clicked, this, [this, box](bool on) { CheckToggled(box, on); });
        FLegends[static_cast<std::size_t>(box)] = legend;
        FChecks[static_cast<std::size_t>(box)] = check;
        boxes->addWidget(legend, box, 0, Qt::AlignCenter);
        boxes->addWidget(check, box, 1);
    }

    const auto label = [this](int tag) {
        auto *l = new QLabel(this);
        SetTag(l, tag);
        return l;
    };
    const auto edit = [this](const char *name, int maxLength) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        if (maxLength > 0)
            e->setMaxLength(maxLength);
        e->setFixedWidth(44);
        e->setAlignment(Qt::AlignRight);
        new TKeyFilter(e, [this] { Beep(); });
        connect(e, &QLineEdit::textChanged, this, [this, e] { EditChanged(e); });
        connect(e, &QLineEdit::editingFinished, this, [this, e] { CheckEdit(e); });
        return e;
    };
    FEditX = edit("EditX", 3);
    FEditY = edit("EditY", 3);
    FEditW = edit("EditW", 3);
    FEditH = edit("EditH", 0); // the height of a long box may need four digits

    auto *edits = new QGridLayout;
    edits->setHorizontalSpacing(4);
    edits->addWidget(label(1372), 0, 0);
    edits->addWidget(FEditX, 0, 1);
    edits->addWidget(label(1374), 0, 2, Qt::AlignCenter);
    edits->addWidget(FEditY, 0, 3);
    edits->addWidget(label(1375), 0, 4);
    edits->addWidget(label(1373), 1, 0);
    edits->addWidget(FEditW, 1, 1);
    edits->addWidget(label(1374), 1, 2, Qt::AlignCenter);
    edits->addWidget(FEditH, 1, 3);
    edits->addWidget(label(1375), 1, 4);
    edits->setColumnStretch(5, 1);

    FBW = new QRadioButton(this);
    FBW->setObjectName(QStringLiteral("RadioBW"));
    SetTag(FBW, 1376);
    FColour = new QRadioButton(this);
    FColour->setObjectName(QStringLiteral("RadioColour"));
    SetTag(FColour, 1377);
    auto *colours = new QButtonGroup(this);
    colours->addButton(FBW);
    colours->addButton(FColour);
    auto *colourRow = new QHBoxLayout;
    colourRow->addWidget(FBW);
    colourRow->addWidget(FColour);
    colourRow->addStretch(1);

    const auto button = [this](int tag, const char *name) { return TaggedButton(this, tag, name); };
    FOk = button(506, "OkBtn");
    FOk->setDefault(true);
    FCancel = button(507, "CancelBtn");
    FHelp = button(502, "HelpBtn");
    FPrinterOptions = button(1378, "PrinterOptionsBtn");
    FPageLayout = button(491, "PageLayoutBtn");
    FSave = button(476, "SaveBtn");

    auto *controls = new QVBoxLayout;
    controls->addLayout(boxes);
    controls->addSpacing(12);
    controls->addLayout(edits);
    controls->addSpacing(8);
    controls->addLayout(colourRow);
    controls->addStretch(1);

    auto *buttons = new QVBoxLayout;
    for (auto *b : {FOk, FCancel, FHelp})
        buttons->addWidget(b);
    buttons->addSpacing(12);
    for (auto *b : {FPrinterOptions, FPageLayout, FSave})
        buttons->addWidget(b);
    buttons->addStretch(1);

    auto *top = new QHBoxLayout(this);
    top->addWidget(FPreview, 0, Qt::AlignTop);
    top->addSpacing(6);
    top->addLayout(controls, 1);
    top->addSpacing(6);
    top->addLayout(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);

    connect(FOk, &QPushButton::clicked, this, &TPWhlDlg::OkClicked);
    connect(FCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(FHelp, &QPushButton::clicked, this, [this] {
        emit HelpRequested(FMode == LayoutMode ? LayoutHelpContext : HelpContext);
    });
    connect(FSave, &QPushButton::clicked, this, &TPWhlDlg::Save);
    connect(FPageLayout, &QPushButton::clicked, this, &TPWhlDlg::PageLayoutClicked);
    connect(FPrinterOptions, &QPushButton::clicked, this, &TPWhlDlg::PrinterOptionsClicked);
}

void TPWhlDlg::Retranslate() {
    SetTag(this, FMode == PrintMode ? 678 : 628);
    TranslateForm(FLanguage, this);
    KeepTitleVisible(this);
}

int TPWhlDlg::Execute(TMode mode) {
    FMode = mode;
    setProperty("HelpContext", mode == LayoutMode ? LayoutHelpContext : HelpContext);
    return exec();
}

void TPWhlDlg::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Activate();
}

void TPWhlDlg::Activate() {
    Retranslate();
    MeasurePrinter();
    FBoxes = FSetup.PrintOptions;
    (FBoxes.BW ? FBW : FColour)->setChecked(true);
    PlaceShapes();
    SelectBox(FSelected);
}

void TPWhlDlg::MeasurePrinter() {
    bool landscape = false;
    if (QPrinter *printer = FPrinter.Printer();
        printer && printer->widthMM() > 0 && printer->heightMM() > 0) {
        FPageWidth = printer->widthMM();
        FPageHeight = printer->heightMM();
        landscape = printer->pageLayout().orientation() == QPageLayout::Landscape;
    } else {
        FPageWidth = 210; // nothing to measure: an A4 sheet upright
        FPageHeight = 297;
    }
    if (landscape != FLandscape) {
        // The preview turns with the paper; the layout moves the other controls beside it.
        FLandscape = landscape;
        FPreview->setFixedSize(landscape ? QSize(PreviewHeight, PreviewWidth)
                                         : QSize(PreviewWidth, PreviewHeight));
        adjustSize();
    }
}

void TPWhlDlg::PlaceShapes() {
    const TPrintLayout &layout = FSetup.PrintLayout;
    const TPreviewScale scale = TPreviewScale::For(FPreview->size(), FPageWidth, FPageHeight,
                                                   layout.LeftMargin, layout.TopMargin);
    const TPreviewScale right =
        TPreviewScale::For(FPreview->size(), FPageWidth, FPageHeight, FPageWidth - layout.RgtMargin,
                           FPageHeight - layout.BottomMargin);
    FPreview->SetTextArea(QRect(scale.Origin, right.Origin - QPoint(1, 1)));
    for (int box = 0; box < PageBoxCount; ++box) {
        const TPrintBox &b = PageBox(FBoxes, box);
        FPreview->SetShape(box, scale.ShapeOf(b));
        FPreview->SetShapeVisible(box, b.Enabled);
        FChecks[static_cast<std::size_t>(box)]->setChecked(b.Enabled);
    }
}

void TPWhlDlg::SelectBox(int box) {
    if (box < 0 || box >= PageBoxCount)
        return;
    FSelected = box;
    FPreview->SetSelected(box);
    for (int i = 0; i < PageBoxCount; ++i)
        FLegends[static_cast<std::size_t>(i)]->SetSelected(i == box);
    ShowBoxValues();
}

void TPWhlDlg::ShowBoxValues() {
    const TPrintBox &b = PageBox(FBoxes, FSelected);
    FUpdating = true;
    FEditX->setText(QString::number(b.Left));
    FEditY->setText(QString::number(b.Top));
    FEditW->setText(QString::number(b.Width));
    FEditH->setText(QString::number(b.Height));
    FUpdating = false;
    for (auto *e : {FEditX, FEditY, FEditW, FEditH})
        e->setEnabled(b.Enabled);
}

void TPWhlDlg::EditChanged(QLineEdit *edit) {
    if (FUpdating)
        return;
    bool ok = false;
    const int value = edit->text().toInt(&ok);
    if (!ok)
        return; // an empty or half-typed field changes nothing until it is checked
    TPrintBox &b = PageBox(FBoxes, FSelected);
    if (edit == FEditX)
        b.Left = value;
    else if (edit == FEditY)
        b.Top = value;
    else if (value < MinBoxSize)
        return; // a size below the minimum is corrected when the field is left
    else if (edit == FEditW)
        b.Width = value;
    else
        b.Height = value;
    const TPrintLayout &layout = FSetup.PrintLayout;
    FPreview->SetShape(FSelected, TPreviewScale::For(FPreview->size(), FPageWidth, FPageHeight,
                                                     layout.LeftMargin, layout.TopMargin)
                                      .ShapeOf(b));
}

bool TPWhlDlg::CheckEdit(QLineEdit *edit) {
    if (!edit->isEnabled())
        return true;
    const bool size = edit == FEditW || edit == FEditH;
    const bool across = edit == FEditX || edit == FEditW;
    return CheckEditRange(edit, size ? MinBoxSize : 0, across ? FPageWidth : FPageHeight,
                          [this] { Beep(); });
}

void TPWhlDlg::ShapeMoved(int box, QPoint topLeft) {
    if (box != FSelected)
        SelectBox(box);
    const TPrintLayout &layout = FSetup.PrintLayout;
    const QPoint at = TPreviewScale::For(FPreview->size(), FPageWidth, FPageHeight,
                                         layout.LeftMargin, layout.TopMargin)
                          .BoxPosition(topLeft);
    TPrintBox &b = PageBox(FBoxes, box);
    b.Left = std::max(at.x(), 0);
    b.Top = std::max(at.y(), 0);
    FUpdating = true;
    FEditX->setText(QString::number(b.Left));
    FEditY->setText(QString::number(b.Top));
    FUpdating = false;
}

void TPWhlDlg::CheckToggled(int box, bool on) {
    PageBox(FBoxes, box).Enabled = on;
    FPreview->SetShapeVisible(box, on);
    SelectBox(box);
}

bool TPWhlDlg::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::FocusIn)
        for (int box = 0; box < PageBoxCount; ++box)
            if (watched == FChecks[static_cast<std::size_t>(box)])
                SelectBox(box);
    return QDialog::eventFilter(watched, event);
}

void TPWhlDlg::StoreBoxes() {
    // A field still being typed in counts as left: its value is checked and taken first.
    for (auto *e : {FEditX, FEditY, FEditW, FEditH})
        CheckEdit(e);
    FBoxes.BW = FBW->isChecked();
    FSetup.PrintOptions = FBoxes;
}

void TPWhlDlg::Save() {
    TDisabledScope disabled(FSave);
    StoreBoxes();
    try {
        FSetup.SavePrintOptions();
    } catch (const std::exception &error) {
        const QString message = QString::fromStdString(error.what());
        if (OnError)
            OnError(message);
        else
            QMessageBox::warning(this, windowTitle(), message);
    }
}

void TPWhlDlg::OkClicked() {
    StoreBoxes();
    if (FMode == PrintMode && OnPrint)
        OnPrint();
    accept();
}

void TPWhlDlg::PageLayoutClicked() {
    if (OnPageLayout)
        OnPageLayout();
    // New margins move the origin; the boxes as edited here stay as they are.
    MeasurePrinter();
    PlaceShapes();
    SelectBox(FSelected);
}

void TPWhlDlg::PrinterOptionsClicked() {
    if (OnPrinterOptions) {
        OnPrinterOptions();
    } else {
        ShowPrinterOptions(FPrinter.Printer(), this);
    }
    MeasurePrinter();
    PlaceShapes();
    SelectBox(FSelected);
}

void TPWhlDlg::Beep() {
    if (OnBeep)
        OnBeep();
    else
        QApplication::beep();
}

} // namespace kyr
