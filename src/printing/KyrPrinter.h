// TKyrPrinter: the one print engine. Turns the page settings into device measures, flows text
// into newspaper columns, draws title boxes, sub-titles, header and footer, defers every page
// break until something is printed and honours the printed page range.
#pragma once

#include "LineBreaker.h"

#include <QFont>
#include <QPainter>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPaintDevice;
class QPrinter;

namespace kyr {

class TDataCollection;
class THoroscope;
class TInterpretation;
class TKyrSetup;
class TLanguage;
class TTransitMeter;
class TWheel;
struct TPrintLayout;

/// How a running job talks to the progress dialog (the dialog fills these in).
struct TPrintFeedback {
    std::function<void(const QString &text)> ShowStatus; // the message label
    std::function<void(const QString &text)> ShowPage;   // the page label
    std::function<bool()> Cancelled;                     // the dialog's cancel flag
};

/// The page model holds at most this many columns.
constexpr int MaxPrintColumns = 4;
/// The printed page range when nobody narrows it.
constexpr int DefaultFromPage = 1;
constexpr int DefaultToPage = 9999;
/// JobOptions bits.
enum : int {
    JobBook1 = 1,
    JobBook2 = 2,
    JobContents = 4,
    JobWheelPage = 8,
    JobSymbolPage = 16,
};

/// Device measures of one layout, in printer pixels unless stated.
struct TPageMeasures {
    long double XScale = 1; ///< pixels per mm across
    long double YScale = 1; ///< pixels per mm down
    int PageWidth = 0;
    int PageHeight = 0;
    int Left = 0;
    int Right = 0;
    int HeaderY = 0;
    int Top = 0;
    int Bottom = 0;
    int FooterY = 0;
    int ColumnWidth = 0;
    std::array<int, MaxPrintColumns> ColumnX{};
    int MarkLength = 0;
    int LogoWidth = 0;
    int LogoHeight = 0;
    int PictureWidth = 0;
    int PictureHeight = 0;
    int PictureLeft = 0;

    int TitleLine = 0;
    int SubTitleLine = 0;
    int BodyLine = 0;
    int HeaderLine = 0;
    int SubTitleBlock = 0; ///< 3 body lines + 1 sub-title line
    int PeriodBlock = 0;   ///< sub-title block + 1 sub-title line
    int GraphBlock = 0;    ///< 12 mm + 1 body line
    int GraphWidth = 0;    ///< 80 mm, at most the column width
};

class TKyrPrinter {
public:
    TKyrPrinter();
    ~TKyrPrinter();
    TKyrPrinter(const TKyrPrinter &) = delete;
    TKyrPrinter &operator=(const TKyrPrinter &) = delete;

    /// The printer pages go to; tests and "print to file" set a PDF printer. Not owned.
    void SetPrinter(QPrinter *printer);
    QPrinter *Printer() const { return FPrinter; }
    /// Pages go to the system's default printer (a printer object the engine owns; the
    /// platform's print and set-up dialogs change it).
    void UseSystemPrinter();
    /// Draws the pages elsewhere (previews, the tests' page images): each page on a device of
    /// its own from nextPage, laid out by the measures of measure; the printer still names the
    /// job. A null measure: the printer again. Not owned.
    void SetPageDevice(QPaintDevice *measure, std::function<QPaintDevice *()> nextPage);
    /// The device the layout is measured on: the page device when set, else the printer.
    QPaintDevice *Device() const;

    /// Copies the page numbers and the four fonts of the settings into the printer (the fonts
    /// stay the printer's own objects). Every job and the test page start with it.
    void LoadSettings(const TPrintLayout &layout);
    /// The same from the settings object, with the title-box and page-line colours.
    void LoadSettings(const TKyrSetup &setup);

    // --- A job's life: IsReady, BeginJob, ComputeLayout, output, FinishJob, EndJob. ---
    /// False without a valid printer (or page device) or a language (the fonts always exist);
    /// otherwise clamps the page range (FromPage < 0 → 0, ToPage < FromPage → 9999) and
    /// returns true.
    bool IsReady();
    /// Starts a document titled DocumentTitle. No page is sent yet: the painter begins on the
    /// printer at the first page that is actually printed (see Canvas).
    void BeginJob();
    /// Draws the last page's header and footer when something was printed on it, shows text
    /// 516 and ends the document. Call it also when the job fails or is cancelled.
    void FinishJob();
    /// Ends the document: ends the painter when it was begun. Safe to call twice.
    void EndJob();
    /// True between the first page sent and EndJob.
    bool PainterActive() const { return FPainter.isActive(); }
    /// The device refused the document or a page (an unwritable file, a printer error): nothing
    /// more is drawn in this job, which must report failure rather than success.
    bool Failed() const { return FFailed; }
    /// The painter on the printer, begun (which sends the document's first page) when needed.
    /// Jobs that draw pictures themselves draw here, only while PageInRange, and only when it
    /// is active (see Failed).
    QPainter &Canvas();

    // --- Layout and flow. ---
    /// All device measures for the current printer, fonts and settings; resets the flow to
    /// column 0 at the top; sets page-pending and no-page-finished-yet. False without a printer.
    bool ComputeLayout();
    /// Lays the text area out in 1..4 columns between the left and right edges, spaced as
    /// ComputeLayout spaces them; the flow goes on where it is. For a page laid out in other
    /// columns than the rest of the job.
    void SetColumnLayout(int columns);
    /// Moves the top of the text area (a page whose text starts below a picture).
    void SetTextTop(int y) { FM.Top = y; }
    const TPageMeasures &Measures() const { return FM; }
    /// The contents page sets the logo size (width = column width · 2 / 3).
    void SetLogoSize(int width, int height);
    /// The cover picture's own size; ComputeLayout scales it to the page.
    void SetPictureSize(int width, int height);
    bool PageInRange() const;
    /// True when a new printer page was due (a break is pending after a finished page); starts
    /// it when the page is in range.
    bool StartPageIfPending();
    /// Text with its top-left corner at a device position in the body font (after a deferred
    /// break), honouring the page range.
    void PrintAt(int x, int y, const std::string &text);
    void NextColumn();
    void NewPage();
    /// A column break when height no longer fits above the bottom.
    void EnsureSpace(int height);
    /// The line breaker over the printer's width table, column width and markers.
    bool NextLine(std::uint16_t &position, const std::string &text, std::string &line,
                  std::uint16_t length);
    /// Body text into the columns; length < 0 uses the whole text. Texts beyond 65535 bytes
    /// are flowed in pieces that end at a line end or blank.
    void FlowText(const std::string &text, int length = -1);
    void PrintTitleBox(const std::string &text);
    void PrintSubTitle(const std::string &text);
    void PrintPassage(const std::string &title, const std::string &keyWord, int length,
                      const std::string &text);
    /// Header and footer of the page being left.
    void DrawHeaderFooter();
    /// Guides of the test page.
    void DrawLayoutGuides();
    /// The logo at the flow position.
    void DrawLogo();

    int Column() const { return FColumn; }
    int ColumnX() const { return FM.ColumnX[static_cast<std::size_t>(FColumn)]; }
    int Y() const { return FY; }
    void SetY(int y) { FY = y; }
    int Page() const { return FPage; }
    void SetPage(int page) { FPage = page; }
    bool PagePending() const { return FPagePending; }
    void SetPagePending(bool pending) { FPagePending = pending; }
    bool NoPageFinishedYet() const { return FNoPageFinishedYet; }

    // --- Progress. ---
    void ShowStatus(const std::string &text);
    void ShowPage(int page);
    /// The feedback's cancel flag; false without a progress dialog.
    bool Cancelled() const;

    /// Name of the selected printer, or "<missing printer>" when none is selected.
    void PrinterName(std::string &name) const;
    /// The test page into the current printer; false when not ready or when the printer failed.
    bool TestPrint();

    // --- Contents list (main titles with their pages). ---
    void ClearContents();
    void AddContents(const std::string &title, int page);
    const std::vector<std::string> &ContentsTitles() const { return FContentsTitles; }
    const std::vector<int> &ContentsPages() const { return FContentsPages; }

    // --- Public state the jobs and dialogs set. ---
    TPrintFeedback Feedback;
    int JobOptions = JobBook1 | JobBook2 | JobContents | JobWheelPage | JobSymbolPage;
    /// Persons to print, first name + "#" + last name; empty = the current chart.
    std::vector<std::string> PersonList;
    int FromPage = DefaultFromPage;
    int ToPage = DefaultToPage;
    int Columns = 2;
    int HeaderMargin = 0;
    int TopMargin = 10;
    int LeftMargin = 10;
    int RgtMargin = 10;
    int BottomMargin = 10;
    int FooterMargin = 0;
    int ColumnSpace = 110;
    int LineSpace = 110;
    /// The printer's own fonts; jobs copy properties into them and never replace them.
    QFont TitleFont;
    QFont SubTitleFont;
    QFont BodyFont;
    QFont HeaderFont;
    /// "TitleBoxColor" and "PageLineColor" settings values.
    int TitleBoxColor = 224 + 224 * 256 + 224 * 65536;
    int PageLineColor = 0;

    std::string HeaderText;
    std::string FooterText;
    std::string DocumentTitle;
    std::string PageLabel;
    std::string PersonName;

    // References (never owned; any may be empty).
    TInterpretation *Interpretation = nullptr;
    TWheel *Wheel = nullptr;
    THoroscope *Horoscope = nullptr;
    TTransitMeter *TransitMeter = nullptr;
    TLanguage *Language = nullptr;
    /// Where the test page finds its sample passage.
    TDataCollection *Data = nullptr;

private:
    void MeasureLineHeights();
    void MeasureCharWidths();
    /// Column width and left edges for Columns and ColumnSpace.
    void LayOutColumns();
    void ClampSettings();
    void MarkPagePrinted();
    void DrawLogoOutline();
    int TextWidth(const QFont &font, const std::string &text) const;
    void DrawText(const QFont &font, int x, int y, const std::string &text);
    TLineBreakHooks MakeHooks();
    void ContentsEntry(std::string &line);

    QPrinter *FPrinter = nullptr;
    QPaintDevice *FPageDevice = nullptr;
    std::function<QPaintDevice *()> FNextPageDevice;
    std::unique_ptr<QPrinter> FOwnPrinter;
    QPainter FPainter;
    TPageMeasures FM;
    TCharWidths FWidths;
    int FPictureSourceWidth = 0;
    int FPictureSourceHeight = 0;
    int FColumn = 0;
    int FY = 0;
    int FPage = 1;
    bool FPagePending = true;
    bool FNoPageFinishedYet = true;
    /// Something was drawn on the printer page the painter is on.
    bool FPageDirty = false;
    bool FFailed = false;
    QFont FCanvasFont;
    std::string FLastStatus;
    std::vector<std::string> FContentsTitles;
    std::vector<int> FContentsPages;
    std::size_t FContentsIndex = 0;
    int FContentsWidth = 0;
};

/// A text of the flow for drawing: UTF-8 sequences decoded, any other byte taken as Latin-1,
/// the same way the line breaker measures it.
QString FlowQText(const std::string &text);

} // namespace kyr
