#include "PageDlg.h"

#include "KyrPrinter.h"
#include "KyrSetup.h"
#include "PrintFonts.h"
#include "Translation.h"

#include <QApplication>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kyr {

namespace {

constexpr int EditChars = 3;

/// Whole numbers as the settings keep them; anything else counts as 0.
int EditValue(const QLineEdit *edit) {
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    return ok ? value : 0;
}

QLineEdit *NumberEdit(QWidget *parent) {
    auto *edit = new QLineEdit(parent);
    edit->setMaxLength(EditChars);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    return edit;
}

/// A label with its mnemonic going to the edit.
QWidget *Labelled(const QString &caption, QLineEdit *edit, QWidget *parent) {
    auto *box = new QWidget(parent);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto *label = new QLabel(caption, box);
    label->setBuddy(edit);
    row->addWidget(label);
    row->addWidget(edit);
    return box;
}

} // namespace

TPageDlg::TPageDlg(TKyrSetup &setup, TKyrPrinter &printer, const TLanguage &language,
                   QWidget *parent)
    : QDialog(parent), FSetup(setup), FPrinter(printer), FLanguage(language) {
    setProperty("HelpContext", HelpContext);
    BuildForm();
    Retranslate();
}

void TPageDlg::BuildForm() {
    SetTag(this, 364);
    setWindowTitle(QStringLiteral("Interpretation Page Layout"));

    for (auto &edit : FMargins)
        edit = NumberEdit(this);
    FColumns = NumberEdit(this);
    FLineSpace = NumberEdit(this);

    // The margins sit where they act on a sketch of the page.
    auto *sketch = new QGroupBox(this);
    auto *grid = new QGridLayout(sketch);
    grid->addWidget(Labelled(QStringLiteral("H&eader"), FMargins[mHeader], sketch), 0, 1,
                    Qt::AlignHCenter);
    grid->addWidget(Labelled(QStringLiteral("&Top"), FMargins[mTop], sketch), 1, 1,
                    Qt::AlignHCenter);
    grid->addWidget(Labelled(QStringLiteral("&Left"), FMargins[mLeft], sketch), 2, 0,
                    Qt::AlignLeft);
    grid->addWidget(Labelled(QStringLiteral("&Right"), FMargins[mRight], sketch), 2, 2,
                    Qt::AlignRight);
    grid->addWidget(Labelled(QStringLiteral("&Bottom"), FMargins[mBottom], sketch), 3, 1,
                    Qt::AlignHCenter);
    grid->addWidget(Labelled(QStringLiteral("&Footer"), FMargins[mFooter], sketch), 4, 1,
                    Qt::AlignHCenter);
    grid->setRowMinimumHeight(2, 60);

    auto *numbers = new QHBoxLayout;
    numbers->addWidget(Labelled(QStringLiteral("Colu&mns"), FColumns, this));
    numbers->addWidget(Labelled(QStringLiteral("Line &distance %"), FLineSpace, this));

    const std::array<QString, FontCount> fontCaptions{
        QStringLiteral("&Main Title"), QStringLiteral("&Sub Title"),
        QStringLiteral("B&ody Text"), QStringLiteral("Header and Footer")};
    auto *fonts = new QVBoxLayout;
    for (int k = 0; k < FontCount; ++k) {
        auto *button = new QPushButton(fontCaptions[static_cast<std::size_t>(k)], this);
        FFontButtons[static_cast<std::size_t>(k)] = button;
        fonts->addWidget(button);
        connect(button, &QPushButton::clicked, this,
                [this, k] { ChooseFont(static_cast<TFontKind>(k)); });
    }
    fonts->addStretch();

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto *help = new QPushButton(QStringLiteral("Help"), this);
    FTestButton = new QPushButton(QStringLiteral("Test Print"), this);
    FSaveButton = new QPushButton(QStringLiteral("&Save"), this);
    connect(ok, &QPushButton::clicked, this, &TPageDlg::StoreAndClose);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { emit HelpRequested(HelpContext); });
    connect(FTestButton, &QPushButton::clicked, this, &TPageDlg::RunTestPrint);
    connect(FSaveButton, &QPushButton::clicked, this, &TPageDlg::SaveAndClose);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {ok, cancel, help, FTestButton, FSaveButton})
        buttons->addWidget(button);

    auto *upper = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(sketch);
    left->addLayout(numbers);
    upper->addLayout(left);
    upper->addLayout(fonts);
    auto *main = new QVBoxLayout(this);
    main->addLayout(upper);
    main->addLayout(buttons);
}

void TPageDlg::Retranslate() {
    TranslateForm(FLanguage, this);
}

int TPageDlg::Execute() {
    return exec();
}

void TPageDlg::showEvent(QShowEvent *event) {
    LoadFromSettings();
    QDialog::showEvent(event);
}

void TPageDlg::LoadFromSettings() {
    const TPrintLayout &layout = FSetup.PrintLayout;
    const std::array<int, MarginCount> margins{layout.HeaderMargin, layout.TopMargin,
                                               layout.LeftMargin,   layout.RgtMargin,
                                               layout.BottomMargin, layout.FooterMargin};
    for (int m = 0; m < MarginCount; ++m)
        FMargins[static_cast<std::size_t>(m)]->setText(
            QString::number(margins[static_cast<std::size_t>(m)]));
    FColumns->setText(QString::number(layout.Columns));
    FLineSpace->setText(QString::number(layout.LineSpace));
    const std::array<const TFontSpec *, FontCount> fonts{&layout.TitleFont, &layout.SubTitleFont,
                                                         &layout.BodyFont, &layout.HeaderFont};
    for (int k = 0; k < FontCount; ++k) {
        QFont font = QApplication::font();
        ApplyFontSetting(*fonts[static_cast<std::size_t>(k)], font);
        SetButtonFont(static_cast<TFontKind>(k), font);
    }
}

void TPageDlg::SetButtonFont(TFontKind kind, const QFont &font) {
    FFonts[kind] = font;
    FFontButtons[kind]->setFont(font);
}

void TPageDlg::ChooseFont(TFontKind kind) {
    QFont font = FFonts[kind];
    bool chosen = false;
    if (OnChooseFont)
        chosen = OnChooseFont(font);
    else
        font = QFontDialog::getFont(&chosen, font, this);
    if (chosen)
        SetButtonFont(kind, font);
}

TPrintLayout TPageDlg::DialogLayout() const {
    TPrintLayout layout = FSetup.PrintLayout;
    layout.HeaderMargin = EditValue(FMargins[mHeader]);
    layout.TopMargin = EditValue(FMargins[mTop]);
    layout.LeftMargin = EditValue(FMargins[mLeft]);
    layout.RgtMargin = EditValue(FMargins[mRight]);
    layout.BottomMargin = EditValue(FMargins[mBottom]);
    layout.FooterMargin = EditValue(FMargins[mFooter]);
    layout.Columns = EditValue(FColumns);
    layout.LineSpace = EditValue(FLineSpace);
    // The colours are not shown here: they stay as they were.
    layout.TitleFont = FontSetting(FFonts[fTitle], layout.TitleFont.Color);
    layout.SubTitleFont = FontSetting(FFonts[fSubTitle], layout.SubTitleFont.Color);
    layout.BodyFont = FontSetting(FFonts[fBody], layout.BodyFont.Color);
    layout.HeaderFont = FontSetting(FFonts[fHeader], layout.HeaderFont.Color);
    return layout;
}

void TPageDlg::StoreAndClose() {
    FSetup.PrintLayout = DialogLayout();
    accept();
}

void TPageDlg::SaveAndClose() {
    FSetup.PrintLayout = DialogLayout();
    FSetup.SavePrintLayout();
    accept();
}

void TPageDlg::RunTestPrint() {
    FTestButton->setEnabled(false);
    const TPrintFeedback feedback = FPrinter.Feedback;
    FPrinter.Feedback = {};
    FPrinter.LoadSettings(FSetup);
    FPrinter.LoadSettings(DialogLayout());
    bool printed = false;
    try {
        printed = FPrinter.TestPrint();
    } catch (...) {
        FPrinter.Feedback = feedback;
        FPrinter.LoadSettings(FSetup);
        FTestButton->setEnabled(true);
        throw;
    }
    FPrinter.Feedback = feedback;
    FPrinter.LoadSettings(FSetup);
    FTestButton->setEnabled(true);
    if (!printed)
        QApplication::beep();
}

} // namespace kyr
