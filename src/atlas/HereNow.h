// The here place and the now moment: DefineHere asks the user for the place of the here-and-now
// chart and keeps it in the settings; TSetNowDlg shows a clock and lets the user type another
// moment over it, or go back to the clock.
#pragma once

#include "AtlasFields.h"

#include <QDateTime>
#include <QDialog>

#include <array>
#include <functional>
#include <string>

class QLineEdit;
class QPushButton;
class QTimer;

namespace kyr {

class TDataCollection;
class TKyrSetup;
class TLanguage;

/// The separator between state and place in the stored here place: the language's list
/// separator, or ", " when it has no comma (the reader splits at the first comma).
std::string HerePlaceSeparator(const TLanguage &language);

/// Asks for the here place: a notice (text 673), the state, a notice (text 674), the place of
/// that state. The choice goes into the settings at once (SetPlace) and the result is true;
/// any refusal returns false and keeps the previous place.
bool DefineHere(TKyrSetup &setup, const TLanguage &language, const TAtlasPicks &picks,
                const TAtlasPrompts &prompts);
/// DefineHere with the atlas's own list dialog and message boxes over parent.
bool DefineHere(TKyrSetup &setup, TDataCollection &data, const TLanguage &language,
                QWidget *parent);

class TSetNowDlg : public QDialog {
    Q_OBJECT
public:
    /// The quick help of the Help button.
    static constexpr int HelpContext = 716;
    /// What exec returns for "use the clock": the here-and-now chart follows the clock again.
    static constexpr int UseClockResult = 2;

    explicit TSetNowDlg(const TLanguage &language, QWidget *parent = nullptr);

    /// The clock the fields follow; the system's local time unless replaced (before showing).
    std::function<QDateTime()> Clock;

    /// One second of the timer: every field the user has not touched follows the clock (the
    /// second always does).
    void Tick();
    /// The moment the fields show; invalid while a field holds no valid value.
    QDateTime Moment() const;
    void Retranslate();

    QLineEdit *Year() const { return FFields[0]; }
    QLineEdit *Month() const { return FFields[1]; }
    QLineEdit *Day() const { return FFields[2]; }
    QLineEdit *Hour() const { return FFields[3]; }
    QLineEdit *Minute() const { return FFields[4]; }
    QLineEdit *Second() const { return FFields[5]; }
    QPushButton *OkButton() const { return FOk; }
    QPushButton *UseClockButton() const { return FUseClock; }
    QTimer *Timer() const { return FTimer; }
    /// Whether the user has changed the field (0 year .. 4 minute).
    bool Changed(int field) const { return FChanged[field]; }

signals:
    void HelpRequested(int helpContext);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void Fill(bool all);

    const TLanguage &FLanguage;
    std::array<QLineEdit *, 6> FFields{};
    std::array<bool, 5> FChanged{};
    QPushButton *FOk = nullptr;
    QPushButton *FUseClock = nullptr;
    QTimer *FTimer = nullptr;
};

} // namespace kyr
