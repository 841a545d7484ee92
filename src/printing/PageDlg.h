// TPageDlg: the page settings (margins, columns, line distance, the four print fonts) with a
// test page that shows them on paper before they are kept.
#pragma once

#include "SettingsFormats.h"

#include <QDialog>
#include <QFont>

#include <array>
#include <functional>

class QLineEdit;
class QPushButton;

namespace kyr {

class TKyrPrinter;
class TKyrSetup;
class TLanguage;
struct TPrintLayout;

class TPageDlg : public QDialog {
    Q_OBJECT
public:
    /// The quick help of the page layout.
    static constexpr int HelpContext = 2030;
    enum TMargin { mHeader, mTop, mLeft, mRight, mBottom, mFooter, MarginCount };
    enum TFontKind { fTitle, fSubTitle, fBody, fHeader, FontCount };

    /// Settings, printer and language outlive the dialog.
    TPageDlg(TKyrSetup &setup, TKyrPrinter &printer, const TLanguage &language,
             QWidget *parent = nullptr);

    /// The main window's font dialog; unset: the standard font dialog. True with font changed
    /// when the user chose one.
    std::function<bool(QFont &font)> OnChooseFont;

    /// Runs the dialog modally; showing it fills it from the settings.
    int Execute();
    /// Edits and button fonts from the settings.
    void LoadFromSettings();
    /// OK: edits and fonts into the settings in memory, and closes.
    void StoreAndClose();
    /// "&Save": as OK, and writes the settings file.
    void SaveAndClose();
    /// "Test Print": the dialog's values on a test page, without keeping them.
    void RunTestPrint();
    void Retranslate();

    QLineEdit *MarginEdit(TMargin m) const { return FMargins[m]; }
    QLineEdit *ColumnsEdit() const { return FColumns; }
    QLineEdit *LineSpaceEdit() const { return FLineSpace; }
    QPushButton *FontButton(TFontKind k) const { return FFontButtons[k]; }
    QPushButton *TestPrintButton() const { return FTestButton; }
    QPushButton *SaveButton() const { return FSaveButton; }
    const QFont &ChosenFont(TFontKind k) const { return FFonts[k]; }

signals:
    void HelpRequested(int helpContext);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BuildForm();
    void ChooseFont(TFontKind kind);
    void SetButtonFont(TFontKind kind, const QFont &font);
    /// The dialog's values over a copy of the settings.
    TPrintLayout DialogLayout() const;

    TKyrSetup &FSetup;
    TKyrPrinter &FPrinter;
    const TLanguage &FLanguage;
    std::array<QLineEdit *, MarginCount> FMargins{};
    QLineEdit *FColumns = nullptr;
    QLineEdit *FLineSpace = nullptr;
    std::array<QPushButton *, FontCount> FFontButtons{};
    std::array<QFont, FontCount> FFonts;
    QPushButton *FTestButton = nullptr;
    QPushButton *FSaveButton = nullptr;
};

} // namespace kyr
