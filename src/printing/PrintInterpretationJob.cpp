// The interpretation job: one document per person, with the wheel page, the analysis, the
// symbol explanation and the contents page as the job options ask.
#include "PrintJobParts.h"
#include "PrintJobs.h"

#include "KyrPrinter.h"

#include "Calendar.h"
#include "Horoscope.h"
#include "Interpretation.h"
#include "Language.h"
#include "NameRecord.h"
#include "TextHelpers.h"

#include <QApplication>
#include <QDate>
#include <QPrinter>

namespace kyr {

namespace {

constexpr std::size_t MaxHeaderChars = 80;

/// "Interpretation - Birth Analysis + Dynamic Analysis (1996-1997) for ", each step kept to
/// 80 characters.
std::string HeaderBase(const TKyrPrinter &printer, TInterpType type) {
    auto add = [](std::string &text, const std::string &more) {
        text = FirstCharacters(text + more, MaxHeaderChars);
    };
    std::string base;
    add(base, PrinterText(printer, 109) + " - ");
    if (type == itBirthAnalysis || type == itBoth)
        add(base, PrinterText(printer, 759));
    if (type == itBoth)
        add(base, " + ");
    if (type == itDynamic || type == itBoth)
        add(base, PrinterText(printer, 760) + " (" + std::to_string(printer.Horoscope->FromYear()) +
                      "-" + std::to_string(printer.Horoscope->ToYear()) + ")");
    add(base, " " + PrinterText(printer, 14) + " ");
    return base;
}

/// The pages after the contents page: the wheel page, the analysis and the symbol page; false
/// when the user cancelled.
bool PrintBodyPages(TKyrPrinter &printer, TDataCollection &data,
                    const TWheelPageSettings &wheelPage, const std::string &header) {
    const bool wheelOnly = printer.JobOptions == JobWheelPage;
    if (JobCancelled(printer))
        return false;
    printer.HeaderText.clear();
    if (printer.JobOptions & JobWheelPage) {
        // The wheel page draws straight on the canvas: after a contents page it needs a sheet.
        printer.StartPageIfPending();
        PrintWheelPage(printer, wheelPage);
    }
    if (wheelOnly)
        return true;

    if (JobCancelled(printer))
        return false;
    printer.HeaderText = header;
    if (!PrintInterpretationBody(printer))
        return false;

    if (JobCancelled(printer))
        return false;
    if (printer.JobOptions & JobSymbolPage)
        PrintSymbolPage(printer, data);
    return true;
}

/// A PDF is read in page order, so its contents page comes first; a paper printer prints it
/// last, when its page numbers are known, and the user puts it on top.
bool ContentsGoFirst(const TKyrPrinter &printer) {
    const QPrinter *device = printer.Printer();
    return device && (device->outputFormat() == QPrinter::PdfFormat ||
                      device->outputFileName().endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive));
}

/// Lays the body pages out without drawing or showing anything, for the contents list; then
/// the layout starts again with that list. False when the user cancelled.
bool CountBodyPages(TKyrPrinter &printer, TDataCollection &data,
                    const TWheelPageSettings &wheelPage, const std::string &header) {
    struct TQuietPass {
        TKyrPrinter &Printer;
        int From = Printer.FromPage;
        int To = Printer.ToPage;
        TPrintFeedback Feedback = Printer.Feedback;
        explicit TQuietPass(TKyrPrinter &printer) : Printer(printer) {
            // An empty page range: nothing reaches the device, the layout is the same.
            Printer.FromPage = 1;
            Printer.ToPage = 0;
            Printer.Feedback.ShowPage = nullptr;
            Printer.Feedback.ShowStatus = nullptr;
        }
        ~TQuietPass() {
            Printer.FromPage = From;
            Printer.ToPage = To;
            Printer.Feedback = Feedback;
        }
    };
    bool done = false;
    {
        TQuietPass quiet(printer);
        done = PrintBodyPages(printer, data, wheelPage, header);
    }
    const std::vector<std::string> titles = printer.ContentsTitles();
    const std::vector<int> pages = printer.ContentsPages();
    printer.ComputeLayout();
    printer.ClearContents();
    printer.SetPage(1);
    for (std::size_t i = 0; i < titles.size(); ++i)
        printer.AddContents(titles[i], pages[i]);
    return done;
}

/// The pages of one person's document; false when the user cancelled.
bool PrintDocument(TKyrPrinter &printer, TDataCollection &data, const TWheelPageSettings &wheelPage,
                   const std::string &header) {
    printer.ComputeLayout();
    printer.ClearContents();
    printer.SetPage(1);
    const bool contents =
        (printer.JobOptions & JobContents) && printer.JobOptions != JobWheelPage;

    if (contents && ContentsGoFirst(printer)) {
        if (!CountBodyPages(printer, data, wheelPage, header) || JobCancelled(printer))
            return false;
        printer.HeaderText = header;
        PrintContentsPage(printer, data);
        printer.NewPage();
        // The body pages list themselves again, on the same pages.
        printer.ClearContents();
        return PrintBodyPages(printer, data, wheelPage, header);
    }

    if (!PrintBodyPages(printer, data, wheelPage, header))
        return false;
    if (JobCancelled(printer))
        return false;
    printer.HeaderText = header;
    if (contents)
        PrintContentsPage(printer, data);
    return true;
}

/// Loads "first#last" into the horoscope; false when the person is not in the name table.
bool LoadPerson(TDataCollection &data, const std::string &entry, THoroscope &horoscope) {
    const std::size_t hash = entry.find('#');
    const std::string first = entry.substr(0, hash);
    const std::string last = hash == std::string::npos ? std::string() : entry.substr(hash + 1);
    return LoadNameIntoHoroscope(data, first, last, horoscope);
}

} // namespace

bool PrintInterpretationJob(TKyrPrinter &printer, TDataCollection &data,
                            const TWheelPageSettings &wheelPage) {
    if (!printer.IsReady() || !printer.Horoscope)
        return false;
    // The wheel page alone needs no interpretation.
    if (printer.JobOptions != JobWheelPage && !printer.Interpretation)
        return false;
    THoroscope &horoscope = *printer.Horoscope;

    printer.PageLabel = PrinterText(printer, 100);
    const QDate today = QDate::currentDate();
    printer.FooterText = YmdToDateString(today.year() * 10000 + today.month() * 100 + today.day());
    const TInterpType type = printer.Interpretation ? printer.Interpretation->Interptype() : itNone;
    const std::string base = HeaderBase(printer, type);
    // A copy: the list may belong to a dialog that the pending messages reach.
    const std::vector<std::string> persons = printer.PersonList;
    const std::size_t documents = persons.empty() ? 1 : persons.size();

    bool completed = true;
    try {
        for (std::size_t p = 0; p < documents; ++p) {
            if (JobCancelled(printer)) {
                completed = false;
                break;
            }
            horoscope.SetActive(false);
            if (!persons.empty() && !LoadPerson(data, persons[p], horoscope)) {
                QApplication::beep();
                completed = false;
                break;
            }
            horoscope.SetActive(true);
            printer.PersonName = horoscope.FirstName + " " + horoscope.LastName;
            printer.HeaderText = base + printer.PersonName;
            printer.DocumentTitle = printer.HeaderText;
            printer.BeginJob();
            bool documentDone = false;
            try {
                documentDone = PrintDocument(printer, data, wheelPage, printer.DocumentTitle);
            } catch (...) {
                printer.FinishJob();
                throw;
            }
            printer.FinishJob();
            // A document the device refused is no success.
            if (!documentDone || printer.Failed()) {
                completed = false;
                break;
            }
        }
    } catch (...) {
        horoscope.SetActive(false);
        throw;
    }
    horoscope.SetActive(false);
    return completed;
}

} // namespace kyr
