// TInterpretation: turns a calculated chart into titled interpretation rows, each naming a
// passage family of the books, and assembles the passages of a row into text. No widgets:
// the controls it fills are the interfaces of InterpControls.h.
#pragma once

#include "InterpControls.h"

#include <array>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <span>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace kyr {

class THoroscope;
class TLanguage;
class TWheel;

enum TInterpType : int { itNone, itBirthAnalysis, itDynamic, itBoth, itSynastry };

/// What a selection shows; values 1 and 9 belong to the interpretation window.
enum TSelectType : int {
    stTransit = 0,
    stNone = 2,
    stAspect = 3,
    stBodyInSign = 4,
    stBodyInHouse = 5,
    stBody = 6,
    stSign = 7,
    stHouse = 8,
    stCusp = 9,
    stCuspInSign = 10
};

/// Raised for a full sub-title table and for a dynamic row that cannot be signalled.
class EInterpretationException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

constexpr int MaxTitleRows = 400;
constexpr int MaxTitleTextLength = 160;
constexpr int MaxSynastryCodes = 200;
constexpr int MaxSynastryItems = 100;

/// One sub-title: a chapter key and where it belongs.
struct TTitleRow {
    std::uint8_t Ix = 0;       ///< main title, 1-based
    std::uint8_t ChapCode = 0; ///< chapter number
    std::uint8_t Code3 = 0;
    std::uint8_t Code4 = 0;
    std::int32_t Aspect = 0;   ///< aspect index (5, 6), transit index (8, 9), 5 on house periods
    std::int32_t RowIndex = 0; ///< the row's own position
    std::array<std::uint8_t, 4> Books{}; ///< 0-terminated; all 0 = not asked yet
    std::int32_t FromDate = 0;           ///< house periods: YYYYMMDD
    std::int32_t ToDate = 0;
    std::int32_t PageTag = 0; ///< the owner's; the printer keeps the page here
    std::string TitleText;    ///< at most 160 characters
};

/// A synastry code: kind 7..10, chart point and two values.
struct TSynastryCode {
    std::uint8_t Kind = 0;
    std::uint8_t Point = 0;
    std::uint8_t ValueA = 0;
    std::uint8_t ValueB = 0;
};

/// A synastry item: the codes (1-based, 0 = none) that answer a question from either side.
struct TSynastryItem {
    int Question = 0;
    int FirstCode = 0;
    int SecondCode = 0;
    std::uint8_t Shared = 0;
};

/// The fixed tables of the chapters.
extern const std::array<int, 13> RulerTable;     ///< [sign 1..12]
extern const std::array<int, 13> CoRulerTable;   ///< [sign 1..12], 0 = none
extern const std::array<int, 18> BothTitleMap;   ///< [dynamic title 1..17] → birth title
extern const std::array<double, 13> MaxOrbTable; ///< degrees by aspect number 0..12

/// "%1".."%9" of pattern replaced by the values.
std::string FormatText(const std::string &pattern, const std::vector<std::string> &values);

class TInterpretation {
public:
    using TSelectionEvent =
        std::function<void(TInterpretation &sender, TSelectType selType, int ref)>;
    /// Appends the passage (book, chapter, code3, code4) to text and sets its key word;
    /// nothing found: attitude empty, text untouched.
    using TGetChapterEvent =
        std::function<void(TInterpretation &sender, const std::string &book,
                           const std::string &chapter, const std::string &code3,
                           const std::string &code4, std::string &attitude, std::ostream &text)>;
    /// Sets count and writes the books that have a passage for the key (at most four, a 0
    /// after the last when there is room).
    using TGetBooksEvent = std::function<void(TInterpretation &sender, const std::string &chapter,
                                              const std::string &code3, const std::string &code4,
                                              int &count, std::span<std::uint8_t> books)>;

    TInterpretation();
    ~TInterpretation();
    TInterpretation(const TInterpretation &) = delete;
    TInterpretation &operator=(const TInterpretation &) = delete;

    // Published properties.
    TLanguage *Language() const { return FLanguage; }
    void SetLanguage(TLanguage *language) { FLanguage = language; }
    THoroscope *Horoscope() const { return FHoroscope; }
    void SetHoroscope(THoroscope *horoscope) { FHoroscope = horoscope; }
    /// Kept for the owner only.
    TWheel *Wheel() const { return FWheel; }
    void SetWheel(TWheel *wheel) { FWheel = wheel; }
    TInterpComboBox *MainTitleBox() const { return FMainTitleBox; }
    void SetMainTitleBox(TInterpComboBox *box);
    TInterpComboBox *SubTitleBox() const { return FSubTitleBox; }
    void SetSubTitleBox(TInterpComboBox *box);
    TInterpRadioGroup *BookButtons() const { return FBookButtons; }
    void SetBookButtons(TInterpRadioGroup *group);
    TInterpLabel *AttitudeLabel() const { return FAttitudeLabel; }
    void SetAttitudeLabel(TInterpLabel *label);
    TInterpMemo *InterpMemo() const { return FInterpMemo; }
    void SetInterpMemo(TInterpMemo *memo);
    TInterpListBox *DebugListBox() const { return FDebugListBox; }
    void SetDebugListBox(TInterpListBox *list) { FDebugListBox = list; }
    TInterpRadioButton *BirthButton() const { return FBirthButton; }
    void SetBirthButton(TInterpRadioButton *button);
    TInterpRadioButton *PeriodButton() const { return FPeriodButton; }
    void SetPeriodButton(TInterpRadioButton *button);
    TInterpRadioButton *BothButton() const { return FBothButton; }
    void SetBothButton(TInterpRadioButton *button);

    TInterpType Interptype() const { return FInterptype; }
    /// Rebuilds everything, also for the current type.
    void SetInterptype(TInterpType type);
    bool HardCopy = false;
    bool DebugMode = false;

    TSelectionEvent OnSelection;
    TGetChapterEvent OnGetChapter;
    TGetBooksEvent OnGetBooks;

    // Set directly by the owner.
    THoroscope *PartnerHoroscope = nullptr;
    TGetChapterEvent OnGetSynastryChapter;
    /// 1 = the first person's side, 2 = the second's, 3 = both.
    int SynastryView = 1;
    /// Shows an information box with an OK button; unset shows nothing.
    std::function<void(const std::string &message)> OnInformation;
    /// The system beep; unset is silence.
    std::function<void()> OnBeep;

    /// False when Language or Horoscope is missing or the chart is not usable.
    bool CheckHoroscope();

    // Navigation.
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrior();

    // Selection by chart factor; each selects the first matching row without OnSelection.
    void SelectBody(int body) { SelectChapter(12, 1, body); }
    void SelectSign(int sign) { SelectChapter(13, 1, sign); }
    void SelectHouse(int house) { SelectChapter(14, 1, house); }
    void SelectBodyInSign(int body, int sign) { SelectChapter(1, body, sign); }
    void SelectBodyInHouse(int body, int house) { SelectChapter(3, body, house); }
    void SelectCuspInSign(int house, int sign) { SelectChapter(2, house, sign); }
    void SelectChapter(int chapter, int code3, int code4);
    void SelectAspect(int aspectIndex);
    /// The row's Code4, or −1 when no row shows the transit.
    int SelectTransit(int transitIndex);
    void SelectHousePeriod(int firstDay, int house);

    /// Asks the row's books when not yet known, refreshes the book buttons and shows the text.
    void ShowSubTitle(int row);
    /// An earlier row with the same passage key (printing prints a passage once); −1 = none.
    int FindEarlierTwin(int limit, int row, bool &isTransit) const;

    /// Book i (1..count) of the current list; 0 outside it.
    int GetBook(int i) const;
    int GetBookCount() const { return FBookCount; }
    int GetRowMainTitle(int row) const;
    void GetRowText(int row, std::string &text) const;
    void SetRowPageTag(int row, int value);
    int GetRowPageTag(int row) const;

    /// Fills stream with the text of row in book: side chapters, main passage, headings.
    void AssembleText(int row, int book, std::string &title, std::string &period, int &transitIndex,
                      bool side, bool main, bool heading, std::stringstream *stream);
    /// Appends one side passage to stream.
    void AddSideChapter(std::ostream &stream, int book, int chapter, int code3, int code4);
    /// Shows the text of row in the book of button bookIndex (−1 = none) in the memo.
    bool ShowText(int row, int bookIndex);
    /// The synastry text of question 1..10 from the side SynastryView names.
    void GetSynastryText(int question, std::stringstream &stream);

    // Read access for the owner, the printer and tests.
    int RowCount() const { return static_cast<int>(FRows.size()); }
    const TTitleRow &Row(int row) const { return FRows.at(row); }
    int CurrentMainTitle() const { return FCurrentMainTitle; }
    const std::vector<TSynastryCode> &SynastryCodes() const { return FSynastryCodes; }
    const std::vector<TSynastryItem> &SynastryItems() const { return FSynastryItems; }
    /// The memo stream's text as last assembled.
    std::string MemoText() const { return FMemoStream.str(); }
    /// The first "&" doubled, unless HardCopy is set.
    std::string EscapeAmpersand(const std::string &text) const;

private:
    // Building.
    void FillMainTitles();
    void AddSubTitle(const std::string &text, int ix, int chapter, int code3, int code4,
                     int aspect);
    void BuildBirthAnalysis();
    void BuildDynamicAnalysis();
    void BuildSynastry(bool withRows);
    void AddBodyInSign(int ix, int body);
    void AddBodyInHouse(int ix, int body);
    void AddAspects(int ix, int chapter, int point);
    void AddHousePeriods(int body, int title);
    int AddSynastryCode(int kind, int point, int a, int b);
    void AddSynastryItem(int question, int a, int b, int shared);
    void AddSynastryQuestion(int question, int point, int extra);

    // Texts.
    std::string Text(int id) const;
    std::string Formatted(int id, const std::vector<std::string> &values,
                          const std::string &fallback) const;
    std::string BodyName(int body) const;
    std::string SignName(int sign) const;
    std::string Ordinal(int n) const;
    std::string BodyInSignText(int body, int sign) const;
    std::string BodyInHouseText(int body, int house) const;
    std::string CuspInSignText(int house, int sign) const;
    std::string AspectText(int point, int e, int other) const;
    std::string TransitText(int body, int e, int target) const;

    // Selection.
    bool Busy() const { return FBusy; }
    bool FillSubTitles(int ix);
    void SelectRow(int row);
    void ShowAndSignalCurrent();
    void SignalSelection(int subIndex);
    void ClearSelection();
    void AskBooks(TTitleRow &row);
    void LoadMemo();
    void MainTitleChanged();
    void SubTitleChanged();
    void BookButtonClicked();
    void RadioButtonClicked(int which);
    bool ValidRow(int row) const { return row >= 0 && row < RowCount(); }

    TLanguage *FLanguage = nullptr;
    THoroscope *FHoroscope = nullptr;
    TWheel *FWheel = nullptr;
    TInterpComboBox *FMainTitleBox = nullptr;
    TInterpComboBox *FSubTitleBox = nullptr;
    TInterpRadioGroup *FBookButtons = nullptr;
    TInterpLabel *FAttitudeLabel = nullptr;
    TInterpMemo *FInterpMemo = nullptr;
    TInterpListBox *FDebugListBox = nullptr;
    TInterpRadioButton *FBirthButton = nullptr;
    TInterpRadioButton *FPeriodButton = nullptr;
    TInterpRadioButton *FBothButton = nullptr;
    TInterpType FInterptype = itNone;

    bool FBusy = false;
    int FCurrentMainTitle = -1;
    int FBookCount = 0;
    std::array<std::uint8_t, 4> FBooks{};
    std::stringstream FMemoStream;
    std::stringstream FScratchStream;
    std::vector<TTitleRow> FRows;
    std::vector<TSynastryCode> FSynastryCodes;
    std::vector<TSynastryItem> FSynastryItems;
};

} // namespace kyr
