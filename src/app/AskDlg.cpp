#include "AskDlg.h"

#include "Language.h"
#include "Translation.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kyr {

namespace {
constexpr int QuestionCaptionText = 26;
constexpr int YesText = 27;
constexpr int NoText = 28;
constexpr int CancelText = 799;
} // namespace

TAskDlg::TAskDlg(const TLanguage &language, QWidget *parent)
    : QDialog(parent), FLanguage(language), FLabel(new QLabel(this)),
      FYes(new QPushButton(QStringLiteral("&Yes"), this)),
      FNo(new QPushButton(QStringLiteral("&No"), this)),
      FCancel(new QPushButton(QStringLiteral("&Cancel"), this)) {
    setObjectName(QStringLiteral("AskDlg"));
    FLabel->setWordWrap(true);
    SetTag(FYes, YesText);
    SetTag(FNo, NoText);
    SetTag(FCancel, CancelText);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {FYes, FNo, FCancel}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FLabel);
    layout->addLayout(buttons);
    connect(FYes, &QPushButton::clicked, this, [this] { done(QDialogButtonBox::Yes); });
    connect(FNo, &QPushButton::clicked, this, [this] { done(QDialogButtonBox::No); });
    connect(FCancel, &QPushButton::clicked, this, [this] { done(QDialogButtonBox::Cancel); });
}

int TAskDlg::Ask(const QString &caption, const QString &text, bool withCancel) {
    // Translated each time: the language may have changed since the last question.
    TranslateForm(FLanguage, this);
    setWindowTitle(caption.isEmpty()
                       ? QString::fromStdString(FLanguage.GetText(QuestionCaptionText))
                       : caption);
    FLabel->setText(text);
    FCancel->setVisible(withCancel);
    FYes->setDefault(true);
    FYes->setFocus();
    const int result = exec();
    // Closing the window by its frame counts as the safe answer.
    return result == QDialog::Rejected
               ? (withCancel ? QDialogButtonBox::Cancel : QDialogButtonBox::No)
               : result;
}

bool TAskDlg::AskYes(const QString &text) {
    return Ask(QString(), text, false) == QDialogButtonBox::Yes;
}

} // namespace kyr
