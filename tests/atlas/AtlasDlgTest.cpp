// The atlas dialog and the save-place dialog as the user drives them: what the pages show,
// the questions and messages of Save with what each answer writes, history entries added and
// deleted through the fields, and the page images for a look.
#include "AtlasDlg.h"
#include "AtlasPickDlg.h"
#include "SavePlaceDlg.h"

#include "AtlasEditorSupport.h"
#include "PlaceOffsets.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace kyr;
using kyr::test::TScratchAtlas;

// What the dialog said to the user, in order: "ask:" questions, "info:" notices, beeps.
struct TTranscript {
    std::vector<std::string> Lines;
    bool Answer = true;

    TAtlasPrompts Prompts() {
        TAtlasPrompts prompts;
        prompts.AskYes = [this](const QString &text) {
            Lines.push_back("ask:" + text.toStdString());
            return Answer;
        };
        prompts.ShowInfo = [this](const QString &text) {
            Lines.push_back("info:" + text.toStdString());
        };
        prompts.Confirm = [this](const QString &text) {
            Lines.push_back("confirm:" + text.toStdString());
            return Answer;
        };
        prompts.Beep = [this](TBeep kind) {
            Lines.push_back(kind == TBeep::Hand ? "beep:hand" : "beep:default");
        };
        return prompts;
    }
};

class AtlasDlgTest : public ::testing::Test {
protected:
    AtlasDlgTest() {
        // Short dates dd/MM/yyyy and times HH:mm.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        Fill(Atlas.Data);
    }

    // Two states, one zone and one summer definition with their histories, two places.
    static void Fill(TDataCollection &data) {
        data.StatesTable.AppendRecord({"1001", "Norway", 7110LL, 5758LL, -3102LL, -459LL});
        data.StatesTable.AppendRecord({"1002", "Chile", -1730LL, -5559LL, 6625LL, 10926LL});
        data.ZoneIdTable.AppendRecord({"1001", "Europe/Oslo", 17000301LL});
        data.ZoneTable.AppendRecord({"1001", 18950101LL, -100LL});
        data.ZoneTable.AppendRecord({"1001", 19400515LL, -200LL});
        data.ZoneTable.AppendRecord({"1001", 19450815LL, -130LL});
        data.SummerIdTable.AppendRecord({"1001", "Norway summer"});
        data.SummerTable.AppendRecord({"1001", 19800406LL, 200LL, 100LL});
        data.SummerTable.AppendRecord({"1001", 19800928LL, 300LL, 0LL});
        data.PlacesTable.AppendRecord({"1001", "Tromso", 6940LL, -1857LL, "1001", "1001"});
        data.PlacesTable.AppendRecord({"1001", "Bergen", 6023LL, -520LL, "1001", "1001"});
    }

    std::unique_ptr<TAtlasDlg> MakeDialog() {
        TAtlasPicks picks;
        picks.PickState = [this]() -> std::optional<std::string> { return PickedState; };
        picks.PickPlace = [this](const std::string &) -> std::optional<std::string> {
            return PickedPlace;
        };
        picks.PickZone = [this]() -> std::optional<std::string> { return PickedZone; };
        picks.PickSummer = [this]() -> std::optional<std::string> { return PickedSummer; };
        auto dialog =
            std::make_unique<TAtlasDlg>(Atlas.Data, Atlas.Language, picks, Said.Prompts());
        dialog->Activate();
        return dialog;
    }

    std::string Text(int number) const { return Atlas.Language.GetText(number); }

    TScratchAtlas Atlas;
    TTranscript Said;
    std::optional<std::string> PickedState, PickedPlace, PickedZone, PickedSummer;
};

std::string Shown(const QLineEdit *edit) {
    return edit->text().toStdString();
}

std::string Angle(const TAngleFields &fields) {
    return Shown(fields.Degrees) + "." + Shown(fields.Minutes) + Shown(fields.Mark);
}

TEST_F(AtlasDlgTest, OpensOnTheFirstStateWithItsBoundsAndMarks) {
    auto dialog = MakeDialog();
    EXPECT_EQ(TAtlasDlg::pgStates, dialog->Page());
    EXPECT_EQ(Text(218), dialog->windowTitle().toStdString());
    EXPECT_EQ("Chile", Shown(dialog->StateName()));
    const auto &bounds = dialog->StateBounds();
    EXPECT_EQ("17.30S", Angle(bounds[0]));
    EXPECT_EQ("55.59S", Angle(bounds[1]));
    EXPECT_EQ("66.25W", Angle(bounds[2]));
    EXPECT_EQ("109.26W", Angle(bounds[3]));
    EXPECT_EQ(Text(404), dialog->Pages()->tabText(0).toStdString());
    EXPECT_EQ(Text(407), dialog->Pages()->tabText(3).toStdString());
    EXPECT_FALSE(dialog->ZoneDelete()->isEnabled());
    EXPECT_FALSE(dialog->SummerDelete()->isEnabled());
    EXPECT_EQ(13, dialog->HelpContext());
}

TEST_F(AtlasDlgTest, ThePlacesPageShowsTheStatesFirstPlaceAndTheHistoriesFollowItsNames) {
    auto dialog = MakeDialog();
    PickedState = "Norway";
    dialog->ShowState("Norway");
    EXPECT_EQ("71.10N", Angle(dialog->StateBounds()[0]));
    EXPECT_EQ("31.02E", Angle(dialog->StateBounds()[2]));
    dialog->SetPage(TAtlasDlg::pgPlaces);
    EXPECT_EQ("Atlas - Places in Norway", dialog->windowTitle().toStdString());
    EXPECT_EQ(500, dialog->HelpContext());
    // No place name given: the state's first place in key order.
    EXPECT_EQ("Bergen", Shown(dialog->PlaceName()));
    EXPECT_EQ("60.23N", Angle(dialog->PlaceLatitude()));
    EXPECT_EQ("5.20E", Angle(dialog->PlaceLongitude()));
    EXPECT_EQ("Europe/Oslo", Shown(dialog->PlaceZone()));
    EXPECT_EQ("Norway summer", Shown(dialog->PlaceSummer()));

    dialog->SetPage(TAtlasDlg::pgZones);
    EXPECT_EQ(Text(561), dialog->windowTitle().toStdString());
    EXPECT_EQ("Europe/Oslo", Shown(dialog->ZoneName()));
    EXPECT_EQ("1700", Shown(dialog->GregorianDate().Year));
    EXPECT_EQ("03", Shown(dialog->GregorianDate().Month));
    ASSERT_EQ(3, dialog->ZoneList()->count());
    // An offset of -130: the start date, " --> ", 01:30, a blank and the east mark.
    EXPECT_EQ("15/08/1945 --> 01:30 E", dialog->ZoneList()->item(2)->text().toStdString());
    EXPECT_TRUE(dialog->ZoneDelete()->isEnabled());

    dialog->SetPage(TAtlasDlg::pgSummer);
    EXPECT_EQ(Text(524), dialog->windowTitle().toStdString());
    ASSERT_EQ(2, dialog->SummerList()->count());
    EXPECT_EQ("06/04/1980   02:00 --> 01:00", dialog->SummerList()->item(0)->text().toStdString());

    // Changing the state empties the place: the next visit shows that state's first place.
    dialog->SetPage(TAtlasDlg::pgStates);
    dialog->ShowState("Chile");
    EXPECT_EQ("", Shown(dialog->PlaceName()));
    dialog->SetPage(TAtlasDlg::pgPlaces);
    EXPECT_EQ("", Shown(dialog->PlaceName()));
    EXPECT_EQ("", Shown(dialog->PlaceZone()));
}

TEST_F(AtlasDlgTest, ClickingAHistoryLineFillsTheEntryFields) {
    auto dialog = MakeDialog();
    dialog->ShowState("Norway");
    dialog->SetPage(TAtlasDlg::pgPlaces);
    dialog->SetPage(TAtlasDlg::pgZones);
    QListWidget *list = dialog->ZoneList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    EXPECT_EQ("1940", Shown(dialog->ZoneStart().Year));
    EXPECT_EQ("05", Shown(dialog->ZoneStart().Month));
    EXPECT_EQ("15", Shown(dialog->ZoneStart().Day));
    EXPECT_EQ("2", Shown(dialog->ZoneHours()));
    EXPECT_EQ("00", Shown(dialog->ZoneMinutes()));
    EXPECT_EQ("E", Shown(dialog->ZoneMark()));

    dialog->SetPage(TAtlasDlg::pgSummer);
    QListWidget *summer = dialog->SummerList();
    summer->setCurrentRow(1);
    EXPECT_EQ("28", Shown(dialog->SummerStart().Day));
    EXPECT_EQ("3", Shown(dialog->SummerFrom().Hours));
    EXPECT_EQ("00", Shown(dialog->SummerOffset().Minutes));
}

TEST_F(AtlasDlgTest, EntriesAreAddedAndDeletedThroughTheFields) {
    auto dialog = MakeDialog();
    dialog->SetPage(TAtlasDlg::pgZones);
    dialog->ZoneName()->setText("Pacific/Test");
    dialog->GregorianDate().Year->setText("1600");
    dialog->GregorianDate().Month->setText("01");
    dialog->GregorianDate().Day->setText("01");
    const auto addZone = [&](const char *y, const char *m, const char *d, const char *hours) {
        dialog->ZoneStart().Year->setText(y);
        dialog->ZoneStart().Month->setText(m);
        dialog->ZoneStart().Day->setText(d);
        dialog->ZoneHours()->setText(hours);
        dialog->ZoneMinutes()->setText("00");
        dialog->ZoneMark()->setText("W");
        dialog->AddZoneEntry();
    };
    addZone("1901", "01", "01", "10");
    addZone("1950", "07", "01", "11");
    addZone("1950", "07", "01", "9"); // the same start date
    addZone("1960", "", "01", "9");   // no month
    EXPECT_EQ((std::vector<std::string>{"beep:hand", "beep:hand"}), Said.Lines);
    const TZoneHistory stored = LoadZoneHistory(Atlas.Data, "Pacific/Test");
    EXPECT_EQ(16000101, stored.GregDate);
    EXPECT_EQ((std::vector<TZoneEntry>{{19010101, 1000}, {19500701, 1100}}), stored.Entries);
    ASSERT_EQ(2, dialog->ZoneList()->count());

    dialog->ZoneList()->setCurrentRow(0);
    dialog->DeleteEntry();
    EXPECT_EQ((std::vector<TZoneEntry>{{19500701, 1100}}),
              LoadZoneHistory(Atlas.Data, "Pacific/Test").Entries);
    EXPECT_EQ(1, dialog->ZoneList()->count());
    // The deleted entry stays in the fields, to be added again after a correction.
    EXPECT_EQ("1901", Shown(dialog->ZoneStart().Year));

    Said.Lines.clear();
    dialog->ZoneName()->clear();
    dialog->AddZoneEntry();
    EXPECT_EQ((std::vector<std::string>{"beep:default"}), Said.Lines);

    dialog->SetPage(TAtlasDlg::pgSummer);
    dialog->SummerName()->setText("Test summer");
    dialog->SummerStart().Year->setText("1990");
    dialog->SummerStart().Month->setText("03");
    dialog->SummerStart().Day->setText("25");
    dialog->SummerFrom().Hours->setText("2");
    dialog->SummerFrom().Minutes->setText("00");
    dialog->SummerOffset().Hours->setText("1");
    dialog->SummerOffset().Minutes->setText("00");
    dialog->AddSummerEntry();
    ASSERT_EQ(1, dialog->SummerList()->count());
    dialog->SummerList()->setCurrentRow(0);
    dialog->DeleteEntry();
    EXPECT_TRUE(LoadSummerHistory(Atlas.Data, "Test summer").Entries.empty());
    EXPECT_FALSE(dialog->SummerDelete()->isEnabled());
}

// Save on each page: the question or message, and what Yes and No leave in the tables.
TEST_F(AtlasDlgTest, SaveAsksOrReportsAndWritesOnlyOnYes) {
    struct TCase {
        const char *what;
        int page;
        std::function<void(TAtlasDlg &)> fill;
        std::string said;
        bool answer;
        std::function<bool(TDataCollection &)> written;
    };
    const auto states = [](TDataCollection &d) { return TScratchAtlas::Rows(d.StatesTable); };
    const auto norwayNorth = [](TDataCollection &d) {
        return FindState(d, "Norway")->Bounds.MaxLatitude;
    };
    const TCase cases[] = {
        {"no state name", TAtlasDlg::pgStates, [](TAtlasDlg &d) { d.StateName()->clear(); },
         "info:" + Text(232), true, [&](TDataCollection &d) { return states(d).size() == 2; }},
        {"changed state, no", TAtlasDlg::pgStates,
         [](TAtlasDlg &d) {
             d.ShowState("Norway");
             d.StateBounds()[0].Degrees->setText("72");
         },
         "ask:Save the changes to the state or country 'Norway'?", false,
         [&](TDataCollection &d) { return norwayNorth(d) == 7110; }},
        {"changed state, yes", TAtlasDlg::pgStates,
         [](TAtlasDlg &d) {
             d.ShowState("Norway");
             d.StateBounds()[0].Degrees->setText("72");
         },
         "ask:Save the changes to the state or country 'Norway'?", true,
         [&](TDataCollection &d) { return norwayNorth(d) == 7210; }},
        {"new state, yes", TAtlasDlg::pgStates,
         [](TAtlasDlg &d) { d.StateName()->setText("Iceland"); },
         "ask:Add the new state or country 'Iceland' to the atlas?", true,
         [](TDataCollection &d) {
             const auto state = FindState(d, "Iceland");
             return state && state->StateID == "1003";
         }},
        {"no place name", TAtlasDlg::pgPlaces,
         [](TAtlasDlg &d) {
             d.ShowState("Norway");
             d.PlaceName()->clear();
         },
         "info:" + Text(608), true,
         [](TDataCollection &d) { return TScratchAtlas::Rows(d.PlacesTable).size() == 2; }},
        {"place of a missing state", TAtlasDlg::pgPlaces,
         [](TAtlasDlg &d) {
             d.StateName()->setText("Atlantis");
             d.PlaceName()->setText("Poseidonia");
         },
         "info:The state or country 'Atlantis' is not in the atlas. Please add it first.", true,
         [](TDataCollection &d) { return TScratchAtlas::Rows(d.PlacesTable).size() == 2; }},
        {"new place, yes", TAtlasDlg::pgPlaces,
         [](TAtlasDlg &d) {
             d.ShowState("Norway");
             d.PlaceName()->setText("Oslo");
             d.PlaceLatitude().Degrees->setText("59");
             d.PlaceLatitude().Minutes->setText("55");
             d.PlaceLatitude().Mark->setText("N");
             d.PlaceLongitude().Degrees->setText("10");
             d.PlaceLongitude().Minutes->setText("45");
             d.PlaceLongitude().Mark->setText("E");
             d.PlaceZone()->setText("Europe/Oslo");
             d.PlaceSummer()->setText("No such summer");
         },
         "ask:" + Text(609), true,
         [](TDataCollection &d) {
             const auto place = FindAtlasPlace(d, "Norway", "Oslo");
             return place && place->Latitude == 5955 && place->Longitude == -1045 &&
                    place->ZoneRef == "1001" && place->SummerRef == "0000";
         }},
        {"known place, no", TAtlasDlg::pgPlaces,
         [](TAtlasDlg &d) {
             d.ShowState("Norway");
             d.ShowPlace("Norway", "Tromso");
             d.PlaceLatitude().Degrees->setText("10");
         },
         "ask:" + Text(613), false,
         [](TDataCollection &d) {
             return FindAtlasPlace(d, "Norway", "Tromso")->Latitude == 6940;
         }},
        {"known zone: its Gregorian date, no question", TAtlasDlg::pgZones,
         [](TAtlasDlg &d) {
             d.ZoneName()->setText("Europe/Oslo");
             d.GregorianDate().Year->setText("1582");
             d.GregorianDate().Month->setText("10");
             d.GregorianDate().Day->setText("15");
         },
         "", true,
         [](TDataCollection &d) { return LoadZoneHistory(d, "Europe/Oslo").GregDate == 15821015; }},
        {"zone without a name", TAtlasDlg::pgZones, [](TAtlasDlg &d) { d.ZoneName()->clear(); },
         "beep:default", true,
         [](TDataCollection &d) { return TScratchAtlas::Rows(d.ZoneIdTable).size() == 1; }},
        {"known summer definition: nothing", TAtlasDlg::pgSummer,
         [](TAtlasDlg &d) { d.SummerName()->setText("Norway summer"); }, "", true,
         [](TDataCollection &d) { return TScratchAtlas::Rows(d.SummerIdTable).size() == 1; }},
        {"new summer definition, no", TAtlasDlg::pgSummer,
         [](TAtlasDlg &d) { d.SummerName()->setText("Other summer"); }, "ask:" + Text(545), false,
         [](TDataCollection &d) { return TScratchAtlas::Rows(d.SummerIdTable).size() == 1; }},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.what);
        TScratchAtlas atlas;
        Fill(atlas.Data);
        TTranscript said;
        said.Answer = c.answer;
        TAtlasDlg dialog(atlas.Data, Atlas.Language, {}, said.Prompts());
        dialog.Activate();
        dialog.SetPage(c.page);
        c.fill(dialog);
        said.Lines.clear();
        dialog.SaveAtlasPage();
        EXPECT_EQ(c.said.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.said},
                  said.Lines);
        EXPECT_TRUE(c.written(atlas.Data));
    }
}

// A new name typed over a loaded definition and saved copies the history shown.
TEST_F(AtlasDlgTest, SavingANewDefinitionNameCopiesTheHistoryShown) {
    auto dialog = MakeDialog();
    dialog->ShowState("Norway");
    dialog->SetPage(TAtlasDlg::pgPlaces);
    dialog->SetPage(TAtlasDlg::pgZones);
    dialog->ZoneName()->setText("Europe/Copy");
    dialog->SaveAtlasPage();
    EXPECT_EQ((std::vector<std::string>{"ask:" + Text(584)}), Said.Lines);
    const TZoneHistory copy = LoadZoneHistory(Atlas.Data, "Europe/Copy");
    EXPECT_EQ("1002", copy.ZoneID);
    EXPECT_EQ(17000301, copy.GregDate);
    EXPECT_EQ(LoadZoneHistory(Atlas.Data, "Europe/Oslo").Entries, copy.Entries);

    dialog->SetPage(TAtlasDlg::pgSummer);
    dialog->SummerName()->setText("Summer copy");
    dialog->SaveAtlasPage();
    EXPECT_EQ(LoadSummerHistory(Atlas.Data, "Norway summer").Entries,
              LoadSummerHistory(Atlas.Data, "Summer copy").Entries);
}

TEST_F(AtlasDlgTest, SearchButtonsShowTheChosenStatePlaceAndDefinitions) {
    auto dialog = MakeDialog();
    PickedState = "Norway";
    PickedPlace = "Tromso";
    PickedZone = "Europe/Oslo";
    auto buttons = dialog->Pages()->widget(0)->findChildren<QToolButton *>();
    ASSERT_EQ(1, buttons.size());
    buttons[0]->click();
    EXPECT_EQ("Norway", Shown(dialog->StateName()));
    dialog->SetPage(TAtlasDlg::pgPlaces);
    buttons = dialog->Pages()->widget(1)->findChildren<QToolButton *>();
    ASSERT_EQ(3, buttons.size());
    buttons[0]->click();
    EXPECT_EQ("Tromso", Shown(dialog->PlaceName()));
    EXPECT_EQ("69.40N", Angle(dialog->PlaceLatitude()));
    dialog->PlaceZone()->clear();
    buttons[1]->click();
    EXPECT_EQ("Europe/Oslo", Shown(dialog->PlaceZone()));
    // A cancelled choice changes nothing.
    PickedSummer.reset();
    buttons[2]->click();
    EXPECT_EQ("Norway summer", Shown(dialog->PlaceSummer()));
}

TEST_F(AtlasDlgTest, SavePlaceNeedsBothDefinitionsAndAddsOnlyANewPlace) {
    TTranscript said;
    TAtlasPicks picks;
    picks.PickZone = [] { return std::optional<std::string>("Europe/Oslo"); };
    picks.PickSummer = [] { return std::optional<std::string>("Norway summer"); };
    TSavePlaceDlg dialog(Atlas.Data, Atlas.Language, picks, said.Prompts());
    EXPECT_EQ(Text(586), dialog.windowTitle().toStdString());
    dialog.Activate("Norway", "Stavanger", 58.58L, -5.44L);
    EXPECT_EQ("Stavanger", Shown(dialog.PlaceName()));
    EXPECT_EQ("58.58N", Angle(dialog.Latitude()));
    EXPECT_EQ("5.44E", Angle(dialog.Longitude()));
    EXPECT_FALSE(dialog.SaveButton()->isEnabled());
    dialog.ZoneName()->setText("Europe/Oslo");
    EXPECT_FALSE(dialog.SaveButton()->isEnabled()); // the summer name is still empty
    auto buttons = dialog.findChildren<QToolButton *>();
    ASSERT_EQ(2, buttons.size());
    buttons[1]->click();
    EXPECT_EQ("Norway summer", Shown(dialog.SummerName()));
    ASSERT_TRUE(dialog.SaveButton()->isEnabled());

    dialog.show();
    dialog.SaveButton()->click();
    EXPECT_EQ(QDialog::Accepted, dialog.result());
    const auto place = FindAtlasPlace(Atlas.Data, "Norway", "Stavanger");
    ASSERT_TRUE(place);
    EXPECT_EQ(5858, place->Latitude);
    EXPECT_EQ(-544, place->Longitude);
    EXPECT_EQ("1001", place->ZoneRef);
    EXPECT_EQ("1001", place->SummerRef);
    EXPECT_TRUE(said.Lines.empty());

    // A place the atlas has: refused with a beep, the dialog stays, the row is untouched.
    dialog.Activate("Norway", "Bergen", 1.0L, 1.0L);
    dialog.ZoneName()->setText("Europe/Oslo");
    dialog.SummerName()->setText("Norway summer");
    dialog.setResult(0);
    dialog.show();
    dialog.SaveButton()->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ((std::vector<std::string>{"beep:default"}), said.Lines);
    EXPECT_EQ(6023, FindAtlasPlace(Atlas.Data, "Norway", "Bergen")->Latitude);

    // A country the atlas lacks.
    said.Lines.clear();
    dialog.Activate("Atlantis", "Poseidonia", 1.0L, 1.0L);
    dialog.ZoneName()->setText("Europe/Oslo");
    dialog.SummerName()->setText("Norway summer");
    dialog.SaveButton()->click();
    EXPECT_EQ(
        (std::vector<std::string>{
            "info:The state or country 'Atlantis' is not in the atlas. Please add it first."}),
        said.Lines);
    dialog.hide();
}

TEST_F(AtlasDlgTest, LeavingAFieldHoldsItToItsRange) {
    auto dialog = MakeDialog();
    dialog->show();
    QLineEdit *degrees = dialog->StateBounds()[0].Degrees;
    degrees->setFocus();
    degrees->setText("95");
    QTest::keyClick(degrees, Qt::Key_Return);
    EXPECT_EQ("90", Shown(degrees));
    EXPECT_EQ((std::vector<std::string>{"beep:hand"}), Said.Lines);
    // A mark field takes only its two marks, in either case.
    QLineEdit *mark = dialog->StateBounds()[0].Mark;
    mark->clear();
    mark->setFocus();
    QTest::keyClicks(mark, "x");
    EXPECT_EQ("", Shown(mark));
    QTest::keyClicks(mark, "s");
    EXPECT_EQ("S", Shown(mark));
    dialog->hide();
}

// The pages as the user sees them, left in the build directory for a look.
TEST_F(AtlasDlgTest, PagesAreDrawnForALook) {
    auto dialog = MakeDialog();
    dialog->ShowState("Norway");
    dialog->show();
    const char *names[] = {"atlas-states.png", "atlas-places.png", "atlas-zones.png",
                           "atlas-summer.png"};
    for (int page = 0; page < 4; ++page) {
        dialog->SetPage(page);
        if (page == TAtlasDlg::pgZones)
            dialog->ZoneList()->setCurrentRow(1);
        QApplication::processEvents();
        EXPECT_TRUE(dialog->grab().save(QString(KYR_TEST_OUTPUT_DIR "/") + names[page]));
    }
    dialog->hide();
    TSavePlaceDlg save(Atlas.Data, Atlas.Language, {}, Said.Prompts());
    save.Activate("Norway", "Stavanger", 58.58L, -5.44L);
    save.ZoneName()->setText("Europe/Oslo");
    save.show();
    QApplication::processEvents();
    EXPECT_TRUE(save.grab().save(KYR_TEST_OUTPUT_DIR "/save-place.png"));
    save.hide();
}

// The atlas's own list: a state's places, the typed beginning selecting the first match.
TEST_F(AtlasDlgTest, ThePickListShowsAStatesPlacesAndFindsTheTypedBeginning) {
    TAtlasPickDlg pick(Atlas.Data, Atlas.Language);
    pick.Fill(TAtlasPickDlg::Places, "Norway");
    EXPECT_EQ(Text(470), pick.windowTitle().toStdString());
    ASSERT_EQ(2, pick.List()->count());
    EXPECT_EQ("Bergen", pick.List()->item(0)->text().toStdString());
    QTest::keyClicks(pick.SearchEdit(), "tr");
    EXPECT_EQ("Tromso", pick.List()->currentItem()->text().toStdString());
    pick.Fill(TAtlasPickDlg::Zones);
    EXPECT_EQ(1, pick.List()->count());
    pick.Fill(TAtlasPickDlg::States);
    EXPECT_EQ("Chile", pick.List()->item(0)->text().toStdString());
    pick.show();
    QApplication::processEvents();
    EXPECT_TRUE(pick.grab().save(KYR_TEST_OUTPUT_DIR "/pick-states.png"));
    pick.hide();
}

} // namespace
