// TDynaDlg: the modal dialog in which the user chooses the period of the dynamic analysis, the
// transiting planets, the two house trends and the transit aspects. The choices go into the
// settings and from there into the chart.
#pragma once

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QLineEdit;

namespace kyr {

class THoroscope;
class TKyrSetup;
class TLanguage;

class TDynaDlg : public QDialog {
    Q_OBJECT

public:
    /// The quick help the Help button asks for.
    static constexpr int HelpContext = 250;

    TDynaDlg(TKyrSetup &setup, const TLanguage &language, QWidget *parent = nullptr);

    /// Shows the dialog modally. On OK the settings, now holding the choices, go into the
    /// horoscope, when one is given. True on OK.
    bool Execute(THoroscope *horoscope);

    /// Something was touched since the dialog was shown; OK without changes is a Cancel.
    bool Changed() const { return FChanged; }

    /// Captions and font from the language; again after every language change.
    void Retranslate();

    /// Shows a refused period; a message box unless replaced.
    std::function<void(const QString &message)> ShowMessage;

signals:
    void HelpRequested(int helpContext);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildControls();
    /// Fills the controls from the settings and clears the changed flag.
    void Activate();
    /// Replaces a year outside 1501..2099 and brings the user back to it; true when replaced.
    bool CorrectYear(QLineEdit *edit);
    void Confirm();

    TKyrSetup &FSetup;
    const TLanguage &FLanguage;
    bool FChanged = false;
    QLineEdit *FFromEdit = nullptr;
    QLineEdit *FToEdit = nullptr;
    std::array<QCheckBox *, 2> FTrendBoxes{};  ///< trends 1, 2
    std::array<QCheckBox *, 5> FPlanetBoxes{}; ///< bodies 6..10
    std::array<QCheckBox *, 9> FAspectBoxes{}; ///< transit aspects 0..8
};

} // namespace kyr
