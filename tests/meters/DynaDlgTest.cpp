// The dynamic-analysis dialog driven with the mouse and keyboard: what it shows, what OK does
// with the settings, the refused periods, the corrected years, and the effect on a chart.
#include "DynaDlg.h"

#include "Ephemeris.h"
#include "Horoscope.h"
#include "KyrSetup.h"
#include "Language.h"
#include "ProgramDirectory.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace kyr;

enum TFlagKind { Trend, Body, Aspect };

struct TBoxCase {
    const char *caption;
    TFlagKind kind;
    int index;
};

// Every box by its English caption and the setting it stands for.
const TBoxCase Boxes[] = {
    {"Saturn Through Houses", Trend, 1},
    {"Jupiter Through Houses", Trend, 2},
    {"Jupiter", Body, 6},
    {"Saturn", Body, 7},
    {"Uranus", Body, 8},
    {"Neptune", Body, 9},
    {"Pluto", Body, 10},
    {"Conjunctions", Aspect, 0},
    {"Half Sextiles", Aspect, 1},
    {"Semisquares", Aspect, 2},
    {"Sextiles", Aspect, 3},
    {"Squares", Aspect, 4},
    {"Trines", Aspect, 5},
    {"Sesquiquadrate", Aspect, 6},
    {"Quincunxes", Aspect, 7},
    {"Oppositions", Aspect, 8},
};

bool Flag(const TKyrSetup &setup, TFlagKind kind, int index) {
    switch (kind) {
    case Trend:
        return setup.TrendFlag(index);
    case Body:
        return setup.TransitBodyFlag(index);
    case Aspect:
        return setup.TransitAspectFlag(index);
    }
    return false;
}

void SetFlag(TKyrSetup &setup, TFlagKind kind, int index, bool on) {
    switch (kind) {
    case Trend:
        return setup.SetTrendFlag(index, on);
    case Body:
        return setup.SetTransitBodyFlag(index, on);
    case Aspect:
        return setup.SetTransitAspectFlag(index, on);
    }
}

class DynaDlgTest : public ::testing::Test {
protected:
    DynaDlgTest() {
        SetProgramDirectory(KYR_PROGRAM_DIR);
        Language.SetCountry("UK");
        Language.SetActive(true);
        TSetupEnvironment environment;
        environment.ProgramDirectory = KYR_PROGRAM_DIR;
        environment.ConfigDirectory = std::filesystem::temp_directory_path().string();
        environment.CanWrite = [](const std::string &) { return false; };
        Setup = std::make_unique<TKyrSetup>(environment);
        Setup->FromYear = 2001;
        Setup->ToYear = 2003;
    }
    ~DynaDlgTest() override { SetProgramDirectory(""); }

    /// A dialog shown as the active window, as Execute shows it, with messages caught.
    std::unique_ptr<TDynaDlg> Show() {
        auto dialog = std::make_unique<TDynaDlg>(*Setup, Language);
        dialog->ShowMessage = [this](const QString &message) {
            Messages.push_back(message.toStdString());
        };
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return dialog;
    }

    static QLineEdit *Edit(TDynaDlg &dialog, const char *name) {
        return dialog.findChild<QLineEdit *>(QString::fromLatin1(name));
    }

    static QCheckBox *Box(TDynaDlg &dialog, const char *caption) {
        for (QCheckBox *box : dialog.findChildren<QCheckBox *>())
            if (box->text().remove(QLatin1Char('&')) == QString::fromLatin1(caption))
                return box;
        ADD_FAILURE() << "no check box \"" << caption << "\"";
        return nullptr;
    }

    /// Clicks the box's indicator: a box wider than its caption ignores a click beside it.
    static void Toggle(QCheckBox *box) {
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(4, box->height() / 2));
    }

    static void Click(TDynaDlg &dialog, const char *button) {
        QTest::mouseClick(dialog.findChild<QPushButton *>(QString::fromLatin1(button)),
                          Qt::LeftButton);
    }

    static void Type(QLineEdit *edit, const QString &text) {
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    void SetAllFlags(bool on) {
        for (const TBoxCase &b : Boxes)
            SetFlag(*Setup, b.kind, b.index, on);
        Setup->SetTrendFlag(3, on);
        Setup->SetTrendFlag(4, on);
    }

    TLanguage Language;
    std::unique_ptr<TKyrSetup> Setup;
    std::vector<std::string> Messages;
};

TEST_F(DynaDlgTest, ShowsTheSettings) {
    // Every other flag on, so that a box wired to a neighbour's flag shows wrong.
    for (std::size_t i = 0; i < std::size(Boxes); ++i)
        SetFlag(*Setup, Boxes[i].kind, Boxes[i].index, i % 2 == 0);
    auto dialog = Show();
    EXPECT_EQ("Dynamic Analysis", dialog->windowTitle().toStdString());
    EXPECT_EQ("2001", Edit(*dialog, "Edit2")->text().toStdString());
    EXPECT_EQ("2003", Edit(*dialog, "Edit4")->text().toStdString());
    for (std::size_t i = 0; i < std::size(Boxes); ++i)
        EXPECT_EQ(i % 2 == 0, Box(*dialog, Boxes[i].caption)->isChecked()) << Boxes[i].caption;
    EXPECT_FALSE(dialog->Changed());
}

TEST_F(DynaDlgTest, EachBoxSetsItsOwnFlag) {
    for (const TBoxCase &b : Boxes) {
        SCOPED_TRACE(b.caption);
        SetAllFlags(true);
        auto dialog = Show();
        Toggle(Box(*dialog, b.caption));
        EXPECT_TRUE(dialog->Changed());
        Click(*dialog, "Button1");
        ASSERT_EQ(QDialog::Accepted, dialog->result());
        for (const TBoxCase &other : Boxes)
            EXPECT_EQ(&other != &b, Flag(*Setup, other.kind, other.index)) << other.caption;
        EXPECT_TRUE(Setup->TrendFlag(3) && Setup->TrendFlag(4)) << "trends 3 and 4 have no box";
    }
    SetAllFlags(false);
    auto dialog = Show();
    Toggle(Box(*dialog, "Pluto"));
    Click(*dialog, "Button1");
    EXPECT_FALSE(Setup->TrendFlag(3) || Setup->TrendFlag(4)) << "trends 3 and 4 have no box";
}

TEST_F(DynaDlgTest, OkWithoutChangesIsACancel) {
    auto dialog = Show();
    Click(*dialog, "Button1");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(QDialog::Rejected, dialog->result());
}

TEST_F(DynaDlgTest, PeriodsOfOneToThreeYearsOnly) {
    struct Case {
        const char *from, *to;
        int message; // 0: accepted
    };
    const Case cases[] = {
        {"2000", "2003", 0},   {"2000", "2001", 0},   {"2000", "2004", 737},
        {"2000", "2000", 736}, {"2002", "2000", 736},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.from) + ".." + c.to);
        Setup->FromYear = 1999;
        Setup->ToYear = 2002;
        Messages.clear();
        auto dialog = Show();
        Type(Edit(*dialog, "Edit2"), QString::fromLatin1(c.from));
        Type(Edit(*dialog, "Edit4"), QString::fromLatin1(c.to));
        Click(*dialog, "Button1");
        if (c.message == 0) {
            EXPECT_TRUE(Messages.empty());
            EXPECT_EQ(QDialog::Accepted, dialog->result());
            EXPECT_EQ(std::stoi(c.from), Setup->FromYear);
            EXPECT_EQ(std::stoi(c.to), Setup->ToYear);
        } else {
            EXPECT_EQ(std::vector<std::string>{Language.GetText(c.message)}, Messages);
            EXPECT_TRUE(dialog->isVisible()) << "the dialog stays for a correction";
            EXPECT_EQ(1999, Setup->FromYear);
            EXPECT_EQ(2002, Setup->ToYear);
        }
    }
}

TEST_F(DynaDlgTest, YearsOutsideTheEphemerisAreCorrectedOnLeaving) {
    struct Case {
        const char *typed, *shown;
    };
    const Case cases[] = {
        {"1400", "1501"}, {"1500", "1501"}, {"abc", "1501"},  {"", "1501"},
        {"2100", "2099"}, {"3000", "2099"}, {"1501", "1501"}, {"2099", "2099"},
    };
    auto dialog = Show();
    for (const char *name : {"Edit2", "Edit4"}) {
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(name) + " \"" + c.typed + "\"");
            QLineEdit *edit = Edit(*dialog, name);
            Type(edit, QString::fromLatin1(c.typed));
            QTest::keyClick(edit, Qt::Key_Tab);
            EXPECT_EQ(c.shown, edit->text().toStdString());
            const bool corrected = std::string(c.typed) != c.shown;
            EXPECT_EQ(corrected, edit->hasFocus()) << "back to the edit only after a correction";
        }
    }
}

TEST_F(DynaDlgTest, EnterInAYearEditChecksTheYearToo) {
    auto dialog = Show();
    QLineEdit *from = Edit(*dialog, "Edit2");
    Type(from, QStringLiteral("1400"));
    QTest::keyClick(from, Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ("1501", from->text().toStdString());
    EXPECT_EQ(2001, Setup->FromYear);
}

TEST_F(DynaDlgTest, HelpAsksForItsQuickHelp) {
    auto dialog = Show();
    QSignalSpy help(dialog.get(), &TDynaDlg::HelpRequested);
    Click(*dialog, "Button3");
    ASSERT_EQ(1, help.count());
    EXPECT_EQ(250, help.first().at(0).toInt());
    EXPECT_TRUE(dialog->isVisible());
}

// Execute on the program's first chart: the choices reach the transits computed for it.
TEST_F(DynaDlgTest, ExecuteRecalculatesTheTransitsOfTheChart) {
    if (!std::filesystem::exists(std::filesystem::path(KYR_PROGRAM_DIR) / EphemerisFileName))
        GTEST_SKIP() << "no ephemeris file in " << KYR_PROGRAM_DIR;
    ResetEphemeris();
    THoroscope h;
    h.SetBirthDate(1975.0321L);
    h.SetBirthTime(14.30L);
    h.SetLatitude(48.08L);
    h.SetLongitude(-11.34L);
    h.SetOptions(OptionAspects | OptionTransits);
    h.SetActive(true);
    Setup->FromYear = 2000;
    Setup->ToYear = 2003;
    Setup->ApplyTransitSettings(h);
    const auto jupiterRecords = [&h] {
        int n = 0;
        for (int i = 0; i < h.TransitCount; ++i)
            n += h.Transits[static_cast<std::size_t>(i)].Body == 1;
        return n;
    };
    ASSERT_GT(jupiterRecords(), 0);
    const int before = h.TransitCount;

    TDynaDlg dialog(*Setup, Language);
    // Cancel leaves the chart alone.
    QTimer::singleShot(0, &dialog, [&dialog] {
        Toggle(dialog.findChild<QCheckBox *>("CheckBox7"));
        QTest::mouseClick(dialog.findChild<QPushButton *>("Button2"), Qt::LeftButton);
    });
    EXPECT_FALSE(dialog.Execute(&h));
    EXPECT_TRUE(h.TransitPlanet(6));
    EXPECT_EQ(before, h.TransitCount);

    QTimer::singleShot(0, &dialog, [&dialog] {
        Toggle(dialog.findChild<QCheckBox *>("CheckBox7"));
        dialog.findChild<QLineEdit *>("Edit2")->setText(QStringLiteral("2001"));
        QTest::mouseClick(dialog.findChild<QPushButton *>("Button1"), Qt::LeftButton);
    });
    EXPECT_TRUE(dialog.Execute(&h));
    EXPECT_FALSE(h.TransitPlanet(6));
    EXPECT_EQ(2001, h.FromYear());
    EXPECT_EQ(2003, h.ToYear());
    EXPECT_TRUE(h.Active());
    EXPECT_EQ(0, jupiterRecords());
    EXPECT_GT(h.TransitCount, 0);
    ResetEphemeris();
}

} // namespace
