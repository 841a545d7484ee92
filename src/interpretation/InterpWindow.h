// TInterpWin: the window in which the user reads the interpretation of the current chart. It
// hosts one TInterpretation bound to its controls, shows the chart factor of the selected
// sub-title in a small panel (a glyph, the aspect meter or the transit curve), mirrors every
// selection into the wheel, and offers navigation buttons, a font and background for the text
// and the text for the copy command. It runs without a main window: everything it reads comes
// through the context and the setters, and everything it asks for goes out through hooks.
#pragma once

#include "InterpWinLayout.h"
#include "Interpretation.h"
#include "InterpretationTarget.h"

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QRadioButton;
class QStackedWidget;
class QToolButton;

namespace kyr {

class TAspectMeter;
class TDataCollection;
class THoroscope;
class TInterpretationBinding;
class TKyrSetup;
class TLanguage;
class TTransitMeter;
class TWheel;
enum class TWheelHitType;

/// A book passage as the memo shows it: the memo wraps lines to its width, so the lines of a
/// paragraph, broken where the passage was written, become one; blank lines stay and the
/// passage ends with a line break, so that the next passage starts on a line of its own.
std::string ParagraphText(const std::string &passage);

class TInterpWin : public QWidget, public TInterpretationTarget {
public:
    /// Context help of the window and of its two meters.
    static constexpr int HelpContext = 2010;
    static constexpr int TransitMeterHelpContext = 2011;
    static constexpr int AspectMeterHelpContext = 2012;
    /// Pages of the factor panel, in the notebook's order.
    enum TPanelPage { ppAspect, ppTransit, ppSymbol, ppRelation, ppEmpty };

    /// What the window reads; any member may be missing.
    struct TContext {
        /// The main chart: interpreted, and the reference for aspects and transit curves.
        THoroscope *First = nullptr;
        /// The second chart of a pair.
        THoroscope *Second = nullptr;
        TLanguage *Language = nullptr;
        /// Meter colour, text font and colour, the window's place, the period, debug markers.
        TKyrSetup *Setup = nullptr;
        /// The book tables; without them every row reports missing books.
        TDataCollection *Data = nullptr;
        /// True while the main window is still loading: the place is neither read nor written.
        std::function<bool()> Loading;
        /// OnInformation from the start, so that messages of the first build reach it too.
        std::function<void(const QString &message)> OnInformation;
    };

    /// Runs the whole creation: wiring, period, font, rows of a usable chart, texts, layout.
    explicit TInterpWin(const TContext &context, QWidget *parent = nullptr);
    ~TInterpWin() override;

    // ---- what the main window and the selection panel call ----

    void ShowBody(int body) override;
    void ShowSign(int sign) override;
    void ShowHouse(int house) override;
    /// Houses 1, 4, 7 and 10 appear as their angle's glyph.
    void ShowCusp(int house) override;
    void ShowAspect(int aspect) override;
    void ShowTransit(int transit) override;
    void ShowBodyInSign(int body, int sign) override;
    void ShowBodyInHouse(int body, int house) override;
    void ShowCuspInSign(int house, int sign) override;
    void SelectHousePeriod(int startYmd, int house) override;
    /// The period from the settings into the transit meter; the shown curve is drawn anew.
    void RefreshPeriod();
    /// The window became the active one: the period caption and the text font again.
    void FormActivate();
    /// The chart changed (itBirthAnalysis) or the language did (the current type): rebuilds.
    void SetInterptype(TInterpType type);
    /// Translates the captions again and rebuilds the current analysis.
    void LanguageChanged();
    /// The heading lines and the text, each line ended by CR LF.
    QString CopyText() const;
    /// CopyText to the clipboard as plain text.
    void CopyToClipboard() const;
    /// Puts the controls where the client size asks (also on every resize).
    void ArrangeControls();
    /// Puts the MDI frame at the saved place and stores its place after each move or resize.
    void AttachFrame(QWidget *frame);

    // ---- setters, for the main window after creation and for tests ----

    void SetHoroscope(THoroscope *horoscope);
    void SetPartnerHoroscope(THoroscope *horoscope);
    void SetLanguage(TLanguage *language);
    void SetSetup(TKyrSetup *setup);
    /// Connects the book handlers to the collection's book tables (null: no books).
    void SetDataCollection(TDataCollection *data);
    /// A fixed wheel; the window forgets it when the wheel is destroyed.
    void SetWheel(TWheel *wheel);
    /// The wheel of the wheel window, asked at every use; null while that window is closed.
    std::function<TWheel *()> Wheel;

    // ---- hooks; unset, the standard dialogs and boxes run ----

    /// An information box with an OK button.
    std::function<void(const QString &message)> OnInformation;
    /// The font dialog, preset with font; false when cancelled.
    std::function<bool(QFont &font)> OnChooseFont;
    /// The colour dialog, preset with colour; false when cancelled.
    std::function<bool(QColor &colour)> OnChooseColour;
    /// The system beep.
    std::function<void()> OnBeep;
    /// Raised from the destructor: the main window forgets the window.
    std::function<void()> OnDestroyed;

    // ---- read access: the owner, the printer and tests ----

    TInterpretation &Interpretation() { return FInterp; }
    const TInterpretation &Interpretation() const { return FInterp; }
    TPanelPage PanelPage() const;
    const TInterpLayout &Layout() const { return FLayout; }
    /// −1 when none was shown.
    int LastTransit() const { return FTransitIndex; }
    int LastBody() const { return FLastBody; }
    int LastSign() const { return FLastSign; }
    int LastHouse() const { return FLastHouse; }
    int LastCusp() const { return FLastCusp; }
    QColor MemoColour() const;
    void SetMemoColour(const QColor &colour);

    // The controls, by their roles.
    QRadioButton *RadioButton3 = nullptr; ///< birth analysis
    QRadioButton *RadioButton4 = nullptr; ///< dynamic analysis
    QLabel *Label1 = nullptr;
    QComboBox *ComboBox1 = nullptr; ///< main titles
    QLabel *Label2 = nullptr;
    QComboBox *ComboBox2 = nullptr; ///< sub-titles
    QLabel *Label3 = nullptr;
    QFrame *PanelKW = nullptr;
    QLabel *Label5 = nullptr; ///< the key word
    QWidget *Navigator = nullptr;
    QToolButton *SpeedButton_Nvg_First = nullptr;
    QToolButton *SpeedButton_Nvg_Previous = nullptr;
    QToolButton *SpeedButton_Nvg_Next = nullptr;
    QToolButton *SpeedButton_Nvg_Last = nullptr;
    QWidget *ExtRadioGroup1 = nullptr; ///< the book buttons, hidden: the first book is shown
    QStackedWidget *Notebook = nullptr;
    TAspectMeter *AspectMeter1 = nullptr;
    QLabel *Label10 = nullptr; ///< aspect: point 1
    QLabel *Label12 = nullptr; ///< aspect: the aspect
    QLabel *Label11 = nullptr; ///< aspect: point 2
    TTransitMeter *TransitMeter1 = nullptr;
    QLabel *Label8 = nullptr; ///< symbol
    QLabel *Label4 = nullptr; ///< relation: first
    QLabel *Label9 = nullptr; ///< relation: second
    QPlainTextEdit *Memo = nullptr;
    QMenu *MemoPopup = nullptr;
    QAction *miFont = nullptr;
    QAction *miBackColor = nullptr;

    // The user's actions, callable as the controls call them.
    void NavigatorFirstClick();
    void NavigatorPreviousClick();
    void NavigatorNextClick();
    void NavigatorLastClick();
    /// The transit meter's cursor moved to day YYYYMMDD.
    void TransitMeterUserHit(int date);
    /// Right button on a meter: the colour of both meters.
    void MeterColourClick();
    void miFontClick();
    void miBackColorClick();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    void ConnectControls();
    void Information(const std::string &message);
    void Beep();

    /// Runs an engine selection for one of the operations above.
    void Select(const std::function<void()> &select);

    // The factor panel.
    void InterpSelection(TSelectType selType, int ref);
    void ShowPage(TPanelPage page);
    void ShowSymbol(const std::string &glyph, const QColor &colour);
    void ShowRelation(const std::string &first, const QColor &firstColour,
                      const std::string &second, const QColor &secondColour);
    void ShowAspectPanel(int aspect);
    void ShowTransitPanel(int transit);
    std::string CuspMark(int house) const;
    /// The panel colours of the wheel's colour mode, or the button shadow for everything.
    bool ColourGlyphs() const;
    QColor BodyColour() const;
    QColor HouseColour() const;
    QColor AspectColour() const;
    QColor SignColour(int sign) const;
    std::string BodyGlyph(int body) const;
    std::string SignGlyph(int sign) const;

    // The wheel.
    /// The wheel when its window is open and its chart usable; else null.
    TWheel *UsableWheel() const;
    void WheelSelect(bool clear, TWheelHitType kind, int ref);
    void HighlightTransitTarget(int transit);

    // Settings.
    QColor GraphColour() const;
    void SetMeterColour(const QColor &colour);
    void ApplyOrCaptureFont();
    void UpdatePeriodCaption();
    void StorePlace();
    bool Loading() const;
    bool ChartUsable() const;

    TContext FContext;
    TInterpretation FInterp;
    std::unique_ptr<TInterpretationBinding> FBinding;
    QPointer<TWheel> FFixedWheel;
    QWidget *FFrame = nullptr;
    TInterpLayout FLayout;
    int FTransitIndex = -1;
    /// Set while an operation selects a row: the wheel is not told.
    bool FSelecting = false;
    int FLastBody = -1;
    int FLastSign = -1;
    int FLastHouse = -1;
    int FLastCusp = -1;
};

} // namespace kyr
