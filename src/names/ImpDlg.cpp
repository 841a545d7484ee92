#include "ImpDlg.h"

#include "DataCollection.h"
#include "Language.h"
#include "TitleWidth.h"
#include "Translation.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace kyr {

namespace {

QString ToQ(const std::string &text) {
    return QString::fromStdString(text);
}

// The progress dialog repaints and lets Cancel through every this many records.
constexpr long long ProgressStep = 32;

} // namespace

TImpDlg::TImpDlg(const TLanguage &language, TDataCollection &data, QWidget *parent)
    : QDialog(parent), FLanguage(language), FData(data), FFileEdit(new QLineEdit(this)),
      FGroupEdit(new QLineEdit(this)),
      FOverwrite(new QCheckBox(QStringLiteral("Overwrite duplicate names"), this)),
      FBrowse(new QPushButton(QStringLiteral("&Browse..."), this)),
      FPick(new QPushButton(QStringLiteral("&Pick..."), this)),
      FOk(new QPushButton(QStringLiteral("O&K"), this)),
      FCancel(new QPushButton(QStringLiteral("&Cancel"), this)),
      FHelp(new QPushButton(QStringLiteral("&Help"), this)) {
    setObjectName(QStringLiteral("ImpDlg"));
    setWindowTitle(QStringLiteral("Import Names"));
    SetTag(this, 344);
    FFileEdit->setObjectName(QStringLiteral("Edit_File_Name"));
    FGroupEdit->setObjectName(QStringLiteral("Edit_Group_Name"));
    FGroupEdit->setMaxLength(48);

    auto *fileLabel = new QLabel(QStringLiteral("File name:"), this);
    fileLabel->setBuddy(FFileEdit);
    SetTag(fileLabel, 337);
    auto *groupLabel = new QLabel(QStringLiteral("Group:"), this);
    groupLabel->setBuddy(FGroupEdit);
    SetTag(groupLabel, 25);
    SetTag(FOverwrite, 336);
    SetTag(FBrowse, 1251);
    SetTag(FPick, 1252);
    SetTag(FOk, 506);
    SetTag(FCancel, 507);
    SetTag(FHelp, 502);

    auto *fields = new QGridLayout;
    fields->addWidget(fileLabel, 0, 0);
    fields->addWidget(FFileEdit, 0, 1);
    fields->addWidget(FBrowse, 0, 2);
    fields->addWidget(groupLabel, 1, 0);
    fields->addWidget(FGroupEdit, 1, 1);
    fields->addWidget(FPick, 1, 2);
    fields->setColumnMinimumWidth(1, 280);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {FOk, FCancel, FHelp}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    FBrowse->setAutoDefault(false);
    FPick->setAutoDefault(false);
    FOk->setDefault(true);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(FOverwrite);
    layout->addLayout(buttons);

    ChooseFile = [this](const QString &title, const QString &directory, const QString &filter) {
        return QFileDialog::getOpenFileName(this, title, directory, filter);
    };
    ShowStop = [this](const QString &message) {
        QMessageBox::warning(this, windowTitle(), message);
    };
    ShowInfo = [this](const QString &message) {
        QMessageBox::information(this, windowTitle(), message);
    };

    connect(FFileEdit, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
    connect(FBrowse, &QPushButton::clicked, this, [this] { Browse(); });
    connect(FPick, &QPushButton::clicked, this, [this] { Pick(); });
    connect(FOk, &QPushButton::clicked, this, [this] { Import(); });
    connect(FCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(FHelp, &QPushButton::clicked, this, [this] { emit HelpRequested(HelpContext); });

    Retranslate();
    UpdateButtons();
}

QString TImpDlg::FileName() const {
    return FFileEdit->text();
}

void TImpDlg::SetFileName(const QString &fileName) {
    FFileEdit->setText(fileName);
}

QString TImpDlg::GroupName() const {
    return FGroupEdit->text();
}

void TImpDlg::SetGroupName(const QString &groupName) {
    FGroupEdit->setText(groupName);
}

bool TImpDlg::Overwrite() const {
    return FOverwrite->isChecked();
}

void TImpDlg::SetOverwrite(bool overwrite) {
    FOverwrite->setChecked(overwrite);
}

void TImpDlg::Retranslate() {
    TranslateForm(FLanguage, this);
    KeepTitleVisible(this);
}

void TImpDlg::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    UpdateButtons();
    FFileEdit->setFocus();
}

void TImpDlg::UpdateButtons() {
    FOk->setEnabled(!FFileEdit->text().isEmpty());
    FPick->setEnabled(static_cast<bool>(PickGroup));
}

void TImpDlg::Browse() {
    QString directory = FDirectory;
    if (!FileName().isEmpty()) {
        const QFileInfo current(FileName());
        if (current.absoluteDir().exists())
            directory = current.absolutePath();
    }
    const QString filter = ToQ(FLanguage.GetText(1249)) + QStringLiteral(" (*.dat *.DAT);;") +
                           ToQ(FLanguage.GetText(1250)) + QStringLiteral(" (*)");
    const QString chosen = ChooseFile(ToQ(FLanguage.GetText(369)), directory, filter);
    if (chosen.isEmpty())
        return;
    SetFileName(chosen);
    FDirectory = QFileInfo(chosen).absolutePath();
}

void TImpDlg::Pick() {
    if (!PickGroup)
        return;
    QString group;
    if (PickGroup(group))
        SetGroupName(group);
}

int TImpDlg::Import() {
    if (FileName().isEmpty())
        return 0;

    QProgressDialog progress(ToQ(FLanguage.GetText(1248)), ToQ(FLanguage.GetText(507)), 0, 0, this);
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    progress.setAutoReset(false);
    progress.setAutoClose(false);

    TImportOptions options;
    options.GroupName = GroupName().toStdString();
    options.Overwrite = Overwrite();
    options.OnProgress = [&progress](long long done, long long total) {
        if (done % ProgressStep != 0 && done != total)
            return;
        if (total > 0 && progress.maximum() != total)
            progress.setMaximum(static_cast<int>(std::min<long long>(total, INT_MAX)));
        progress.setValue(static_cast<int>(std::min<long long>(done, INT_MAX)));
    };
    options.Cancelled = [&progress] { return progress.wasCanceled(); };

    FResult = ImportNames(FileName().toStdString(), FData, options);
    progress.close();

    const TImportMessages messages = ImportMessages(FResult, FLanguage);
    if (!messages.Stop.empty())
        ShowStop(ToQ(messages.Stop));
    ShowInfo(ToQ(messages.Summary));
    if (FResult.Count > 0)
        accept();
    return FResult.Count;
}

} // namespace kyr
