// The interpretation print dialog offscreen: its controls, how they become the printer's job
// options, persons and interpretation type, the orb popup, and the wheel page alone. The job and
// the platform print dialog are replaced, so that what the dialog hands over is seen directly.

#include "PIntDlg.h"

#include "GroupDlg.h"
#include "PWhlDlg.h"
#include "PrintDialogsTestSupport.h"
#include "PrintProgress.h"
#include "TitleWidth.h"
#include "TransitMeter.h"
#include "Wheel.h"

#include <QAction>
#include <QCoreApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include <optional>

namespace kyr::test {
namespace {

/// What the dialog handed to the printer when the job started.
struct TJobSeen {
    int JobOptions = 0;
    std::vector<std::string> Persons;
    TInterpType Type = itNone;
    int FromPage = -1;
    int ToPage = -1;
    std::string FirstName;
    int AspectCount = 0;
    Extended GregorianStart = 0;
    bool WheelBW = false;
    bool WheelAspects = false;
};

class PIntDlgTest : public PrintDialogFixture {
protected:
    PIntDlgTest() : Dlg(Printer, Setup, Data, Language, MainChart) {
        Dlg.OnBeep = [this] { ++Beeps; };
        Dlg.OnInformation = [this](const QString &title, const QString &m) {
            Titles << title;
            Messages << m;
        };
        Dlg.OnPrintDialog = [this](int &from, int &to) {
            ++PrintDialogs;
            if (Range) {
                from = Range->first;
                to = Range->second;
            }
            return !CancelPrintDialog;
        };
        Dlg.OnRunJob = [this] {
            // The job activates the chart; so does this stand-in.
            THoroscope &chart = *Printer.Horoscope;
            chart.SetActive(true);
            Jobs.push_back({Printer.JobOptions, Printer.PersonList,
                            Dlg.Interpretation().Interptype(), Printer.FromPage, Printer.ToPage,
                            chart.FirstName, chart.AspectCount, chart.GregorianStart(),
                            Dlg.Wheel()->BW(), Dlg.Wheel()->ShowAspects()});
            chart.SetActive(false);
            return JobResult;
        };
    }

    TPIntDlg Dlg;
    int PrintDialogs = 0;
    bool CancelPrintDialog = false;
    std::optional<std::pair<int, int>> Range;
    int JobResult = TPrintProgress::mrOk;
    std::vector<TJobSeen> Jobs;
    QStringList Messages;
    QStringList Titles; ///< the title each notice bore
};

TEST_F(PIntDlgTest, StartsWithItsCaptionsAndDefaults) {
    Dlg.show();
    Grab(Dlg, "PIntDlg");
    EXPECT_EQ("Print Interpretation", Dlg.windowTitle());
    EXPECT_EQ("&Current only", Dlg.CurrentOnlyButton()->text());
    EXPECT_EQ(QString::fromUtf8("&Wheel + Info →"), Dlg.WheelCheck()->text());
    EXPECT_EQ("P&rinter Options", Dlg.PrinterOptionsButton()->text());
    EXPECT_EQ("&Userdefined Orbs...", Dlg.UserOrbsItem()->text());
    EXPECT_EQ("&Weak + Medium + Strong", Dlg.WeakItem()->text());
    Dlg.OrbMenu()->popup(Dlg.AspectsButton()->mapToGlobal(QPoint(0, 0)));
    Grab(*Dlg.OrbMenu(), "PIntDlg-orbs");
    Dlg.OrbMenu()->hide();
    EXPECT_TRUE(Dlg.CurrentOnlyButton()->isChecked());
    EXPECT_TRUE(Dlg.BothButton()->isChecked());
    EXPECT_TRUE(Dlg.ContentsCheck()->isChecked());
    EXPECT_TRUE(Dlg.WheelCheck()->isChecked());
    EXPECT_TRUE(Dlg.BirthCheck()->isChecked());
    EXPECT_FALSE(Dlg.DynamicCheck()->isChecked());
    EXPECT_TRUE(Dlg.SymbolCheck()->isChecked());
    EXPECT_EQ(JobBook1 | JobBook2 | JobContents | JobWheelPage | JobSymbolPage,
              Dlg.JobOptionsFromControls());
    EXPECT_EQ(itBirthAnalysis, Dlg.InterpTypeFromControls());

    // Every set-up button follows its page's check box; Select follows Multiple.
    EXPECT_FALSE(Dlg.SelectButton()->isEnabled());
    EXPECT_TRUE(Dlg.LayoutButton()->isEnabled());
    EXPECT_TRUE(Dlg.AspectsButton()->isEnabled());
    EXPECT_FALSE(Dlg.OptionsButton()->isEnabled());
    Dlg.MultipleButton()->click();
    EXPECT_TRUE(Dlg.SelectButton()->isEnabled());
    Dlg.CurrentOnlyButton()->click();
    EXPECT_FALSE(Dlg.SelectButton()->isEnabled());
    Dlg.WheelCheck()->click();
    Dlg.BirthCheck()->click();
    Dlg.DynamicCheck()->click();
    EXPECT_FALSE(Dlg.LayoutButton()->isEnabled());
    EXPECT_FALSE(Dlg.AspectsButton()->isEnabled());
    EXPECT_TRUE(Dlg.OptionsButton()->isEnabled());
}

TEST_F(PIntDlgTest, ControlsBecomeTheJobOptionsAndTheInterpretationType) {
    ActivateMainChart();
    struct TCase {
        QRadioButton *(TPIntDlg::*Books)() const;
        bool Contents, Wheel, Birth, Dynamic, Symbols;
        int Options;
        TInterpType Type;
    };
    const TCase cases[] = {
        {&TPIntDlg::BothButton, true, true, true, false, true, 31, itBirthAnalysis},
        {&TPIntDlg::ProfessionalButton, false, false, true, true, false, 1, itBoth},
        {&TPIntDlg::PersonalButton, true, false, false, true, false, 2 | 4, itDynamic},
        {&TPIntDlg::BothButton, false, true, false, false, false, 3 | 8, itNone},
        {&TPIntDlg::PersonalButton, false, false, false, false, true, 2 | 16, itNone},
    };
    for (const TCase &c : cases) {
        (Dlg.*c.Books)()->click();
        Dlg.ContentsCheck()->setChecked(c.Contents);
        Dlg.WheelCheck()->setChecked(c.Wheel);
        Dlg.BirthCheck()->setChecked(c.Birth);
        Dlg.DynamicCheck()->setChecked(c.Dynamic);
        Dlg.SymbolCheck()->setChecked(c.Symbols);
        const std::size_t before = Jobs.size();
        Dlg.Confirm();
        ASSERT_EQ(before + 1, Jobs.size()) << c.Options;
        EXPECT_EQ(c.Options, Jobs.back().JobOptions);
        EXPECT_EQ(c.Type, Jobs.back().Type) << c.Options;
        // The current chart: no person list, the main chart's data in the dialog's chart, which
        // finds the same aspects.
        EXPECT_TRUE(Jobs.back().Persons.empty());
        EXPECT_EQ("Ann", Jobs.back().FirstName);
        EXPECT_EQ(MainChart.AspectCount, Jobs.back().AspectCount);
        EXPECT_EQ(MainChart.GregorianStart(), Jobs.back().GregorianStart);
    }
    EXPECT_EQ(QStringList(std::size(cases), "The printout has been sent to the printer."),
              Messages);
    // The printer works on the dialog's own chart and views.
    EXPECT_EQ(&Dlg.Horoscope(), Printer.Horoscope);
    EXPECT_EQ(Dlg.Wheel(), Printer.Wheel);
    EXPECT_EQ(Dlg.TransitMeter(), Printer.TransitMeter);
    EXPECT_EQ(&Dlg.Interpretation(), Printer.Interpretation);
    EXPECT_TRUE(Dlg.Interpretation().HardCopy);
}

TEST_F(PIntDlgTest, PageRangeAspectLinesAndColourStyleComeFromTheDialogAndSettings) {
    ActivateMainChart();
    Setup.System.HideAspects = true;
    Setup.PrintOptions.BW = true;
    Dlg.Confirm();
    Range = std::pair{3, 4};
    Setup.System.HideAspects = false;
    Setup.PrintOptions.BW = false;
    Dlg.Confirm();
    ASSERT_EQ(2u, Jobs.size());
    EXPECT_EQ(0, Jobs[0].FromPage);
    EXPECT_EQ(9999, Jobs[0].ToPage);
    EXPECT_TRUE(Jobs[0].WheelBW);
    EXPECT_FALSE(Jobs[0].WheelAspects);
    EXPECT_EQ(3, Jobs[1].FromPage);
    EXPECT_EQ(4, Jobs[1].ToPage);
    EXPECT_FALSE(Jobs[1].WheelBW);
    EXPECT_TRUE(Jobs[1].WheelAspects);
    EXPECT_EQ(Setup.FromYear, Dlg.TransitMeter()->FromYear());
    EXPECT_EQ(Setup.ToYear, Dlg.TransitMeter()->ToYear());
}

TEST_F(PIntDlgTest, NothingIsPrintedWithoutAChartAPersonOrTheUsersConsent) {
    // The current chart is not active: a beep, not even the print dialog.
    Dlg.Confirm();
    EXPECT_EQ(1, Beeps);
    EXPECT_EQ(0, PrintDialogs);

    ActivateMainChart();
    // Multiple with nobody chosen.
    Dlg.MultipleButton()->click();
    Dlg.Confirm();
    EXPECT_EQ(2, Beeps);
    EXPECT_EQ(0, PrintDialogs);

    // The print dialog cancelled.
    Dlg.CurrentOnlyButton()->click();
    CancelPrintDialog = true;
    Dlg.Confirm();
    EXPECT_EQ(1, PrintDialogs);
    EXPECT_TRUE(Jobs.empty());

    // A job that was cancelled or could not print is not reported as sent; one that could not
    // print says so.
    CancelPrintDialog = false;
    for (const int result : {TPrintProgress::mrCancel, TPrintProgress::mrFailed}) {
        JobResult = result;
        Dlg.Confirm();
    }
    EXPECT_EQ(2u, Jobs.size());
    ASSERT_EQ(1, Messages.size());
    EXPECT_TRUE(Messages[0].startsWith("The printout could not be finished"))
        << Messages[0].toStdString();
}

TEST_F(PIntDlgTest, MultiplePrintsThePersonsOfTheGroupDialog) {
    AddPerson("Ann", "Lee");
    AddPerson("Mary Ann", "Smith");
    AddPerson("Carl", "Adams");
    TGroupDlg &groups = Dlg.GroupDialog();
    groups.FillSource();
    QListWidget *source = groups.SourceList();
    for (int row = 0; row < source->count(); ++row)
        source->item(row)->setSelected(source->item(row)->text() != "Ann Lee");
    groups.AddClicked();
    ASSERT_EQ(2, groups.SelectedCount());

    Dlg.MultipleButton()->click();
    Dlg.Confirm();
    ASSERT_EQ(1u, Jobs.size());
    std::vector<std::string> persons = Jobs[0].Persons;
    std::sort(persons.begin(), persons.end());
    EXPECT_EQ((std::vector<std::string>{"Carl#Adams", "Mary Ann#Smith"}), persons);
}

TEST_F(PIntDlgTest, OrbItemsSetTheSettingAndTheirChecks) {
    std::vector<std::string> told;
    Dlg.OnOrbsChosen = [&](const std::string &name) { told.push_back(name); };
    struct TCase {
        QAction *Item;
        const char *Name;
    };
    for (const TCase &c : {TCase{Dlg.MediumItem(), "Medium"}, TCase{Dlg.WeakItem(), "Weak"},
                           TCase{Dlg.StrongItem(), "Strong"}}) {
        c.Item->trigger();
        EXPECT_EQ(c.Name, Setup.System.OrbisName);
        for (QAction *item :
             {Dlg.StrongItem(), Dlg.MediumItem(), Dlg.WeakItem(), Dlg.UserOrbsItem()})
            EXPECT_EQ(item == c.Item, item->isChecked()) << c.Name;
    }
    EXPECT_EQ((std::vector<std::string>{"Medium", "Weak", "Strong"}), told);

    // The orb dialog: on OK its set is the setting and the user item is checked; on Cancel
    // nothing changes and nobody is told.
    Dlg.OnUserOrbs = [this] {
        Setup.System.OrbisName = "Mine";
        return true;
    };
    Dlg.UserOrbsItem()->trigger();
    EXPECT_TRUE(Dlg.UserOrbsItem()->isChecked());
    EXPECT_FALSE(Dlg.StrongItem()->isChecked());
    EXPECT_EQ("Mine", told.back());
    Dlg.OnUserOrbs = [] { return false; };
    Dlg.UserOrbsItem()->trigger();
    EXPECT_EQ(4u, told.size());
    EXPECT_TRUE(Dlg.UserOrbsItem()->isChecked());

    // Hide toggles the setting and tells the main window.
    std::vector<bool> hidden;
    Dlg.OnHideAspects = [&](bool h) { hidden.push_back(h); };
    Setup.System.HideAspects = false;
    Dlg.HideItem()->trigger();
    Dlg.HideItem()->trigger();
    EXPECT_EQ((std::vector<bool>{true, false}), hidden);
    EXPECT_FALSE(Setup.System.HideAspects);

    // Showing the dialog takes the checks from the settings again.
    Setup.System.OrbisName = "Weak";
    Setup.System.HideAspects = true;
    Dlg.Activate();
    EXPECT_TRUE(Dlg.WeakItem()->isChecked());
    EXPECT_FALSE(Dlg.UserOrbsItem()->isChecked());
    EXPECT_TRUE(Dlg.HideItem()->isChecked());
}

TEST_F(PIntDlgTest, WheelPageAloneFromThePrintModeOfTheWheelDialog) {
    TPWhlDlg *wheel = Dlg.WheelDialog();
    wheel->SetMode(TPWhlDlg::PrintMode);
    wheel->show();
    EXPECT_EQ("Print Wheel Drawing", wheel->windowTitle());
    wheel->OkButton()->click();
    EXPECT_EQ(1, Beeps) << "no active chart";
    EXPECT_TRUE(Jobs.empty());

    ActivateMainChart();
    Dlg.ProfessionalButton()->click();
    Dlg.DynamicCheck()->setChecked(true);
    wheel->show();
    wheel->OkButton()->click();
    ASSERT_EQ(1u, Jobs.size());
    EXPECT_EQ(JobWheelPage, Jobs[0].JobOptions);
    EXPECT_EQ(itNone, Jobs[0].Type);
    EXPECT_TRUE(Jobs[0].Persons.empty());
    EXPECT_EQ(0, Jobs[0].FromPage);
    EXPECT_EQ(9999, Jobs[0].ToPage);
    EXPECT_EQ("Ann", Jobs[0].FirstName);
    EXPECT_EQ(0, PrintDialogs);
    EXPECT_EQ(QStringList{"The printout has been sent to the printer."}, Messages);
}

TEST_F(PIntDlgTest, TheWheelPageAloneReachesThePrinter) {
    ActivateMainChart();
    Dlg.OnRunJob = nullptr; // the real progress dialog and job
    const std::filesystem::path pdf = Program / "out.pdf";
    Dlg.PrintWheelOnly();
    EXPECT_EQ(QStringList{"The printout has been sent to the printer."}, Messages);
    // Not "Print Interpretation": the wheel page was printed from the wheel-page dialog.
    EXPECT_EQ(QStringList{Dlg.WheelDialog()->windowTitle()}, Titles);
    EXPECT_NE(Dlg.windowTitle(), Titles.value(0));
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_GT(std::filesystem::file_size(pdf), 0u);
    EXPECT_FALSE(Dlg.Horoscope().Active()) << "the job leaves the printer's chart inactive";
}

TEST(PIntDlgLifetime, ThePrinterForgetsTheDialogsViews) {
    TLanguage language;
    TDataCollection data;
    TKyrSetup setup(MakeEnvironment(std::filesystem::temp_directory_path()));
    TKyrPrinter printer;
    THoroscope chart;
    {
        TPIntDlg dlg(printer, setup, data, language, chart);
        EXPECT_EQ(&dlg.Horoscope(), printer.Horoscope);
    }
    EXPECT_EQ(nullptr, printer.Horoscope);
    EXPECT_EQ(nullptr, printer.Wheel);
    EXPECT_EQ(nullptr, printer.Interpretation);
    EXPECT_EQ(nullptr, printer.TransitMeter);
}

TEST_F(PIntDlgTest, DialogsAreWideEnoughForTheirTitles) {
    // The frame shows the title with the program's name; a dialog narrower than that cuts it.
    TPWhlDlg *wheel = Dlg.WheelDialog();
    for (QWidget *dialog : {static_cast<QWidget *>(&Dlg), static_cast<QWidget *>(wheel)}) {
        SCOPED_TRACE(dialog->windowTitle().toStdString());
        ASSERT_FALSE(dialog->windowTitle().isEmpty());
        dialog->show();
        QCoreApplication::processEvents();
        EXPECT_GE(dialog->width(), TitleBarWidth(dialog->windowTitle()));
        dialog->hide();
    }
}

} // namespace
} // namespace kyr::test
