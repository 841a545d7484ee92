// The Qt controls bound to the interpretation: what the widgets show and how user actions
// reach the engine.
#include "QtInterpControls.h"

#include "InterpFixture.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

using namespace kyr;
using namespace kyr::test;

namespace {

class QtBinding : public InterpTest {
protected:
    void SetUp() override {
        InterpTest::SetUp();
        Widgets.MainTitles = new QComboBox(&Window);
        Widgets.SubTitles = new QComboBox(&Window);
        Widgets.BookButtons = new QGroupBox(&Window);
        Widgets.Attitude = new QLabel(&Window);
        Widgets.Memo = new QPlainTextEdit(&Window);
        Widgets.DebugList = new QListWidget(&Window);
        Widgets.Birth = new QRadioButton(&Window);
        Widgets.Period = new QRadioButton(&Window);
        Widgets.Both = new QRadioButton(&Window);
        Binding = std::make_unique<TInterpretationBinding>(Interp, Widgets);
        // The binding's message box would wait for a click.
        Interp.OnInformation = [this](const std::string &m) { Messages.push_back(m); };
    }
    void TearDown() override { Binding.reset(); }

    std::vector<QRadioButton *> BookButtons() const {
        const auto found = Widgets.BookButtons->findChildren<QRadioButton *>();
        return {found.begin(), found.end()};
    }

    QWidget Window;
    TInterpWidgets Widgets;
    std::unique_ptr<TInterpretationBinding> Binding;
};

} // namespace

TEST_F(QtBinding, WidgetsShowTheRowsAndTheText) {
    Interp.SetInterptype(itBirthAnalysis);
    EXPECT_EQ(Widgets.MainTitles->count(), 16);
    EXPECT_EQ(Widgets.MainTitles->currentIndex(), 0);
    EXPECT_EQ(Widgets.SubTitles->count(), 6);
    EXPECT_EQ(Widgets.SubTitles->itemText(2), QStringLiteral("Mars in Aries"));
    EXPECT_EQ(Widgets.SubTitles->itemData(2).toInt(), 2);
    EXPECT_EQ(Widgets.DebugList->count(), Interp.RowCount());
    ASSERT_EQ(BookButtons().size(), 2u);
    EXPECT_EQ(BookButtons()[0]->text(), QStringLiteral("Professional"));
    EXPECT_TRUE(BookButtons()[0]->isChecked());
    EXPECT_EQ(Widgets.Memo->toPlainText(), QStringLiteral("Text 01/02/01/08"));
    EXPECT_EQ(Widgets.Attitude->text(), QStringLiteral("Key 01/02/01/08"));
    EXPECT_TRUE(Widgets.Birth->isChecked());
    EXPECT_EQ(Widgets.Period->text(), QStringLiteral("Dynamic Analysis (1996-1997)"));
}

TEST_F(QtBinding, UserActionsReachTheEngine) {
    Interp.SetInterptype(itBirthAnalysis);
    Selections.clear();
    Widgets.MainTitles->setCurrentIndex(3);
    emit Widgets.MainTitles->activated(3); // Mercury
    EXPECT_EQ(Widgets.SubTitles->itemText(0), QStringLiteral("Mercury in Gemini (retrograde)"));
    Widgets.SubTitles->setCurrentIndex(2);
    emit Widgets.SubTitles->activated(2);
    EXPECT_EQ(Selections.back(), (std::pair<TSelectType, int>{stAspect, 3}));
    EXPECT_TRUE(Widgets.Memo->toPlainText().endsWith(QStringLiteral("Text 01/05/03/04")));

    BookButtons()[1]->click();
    EXPECT_TRUE(Widgets.Memo->toPlainText().endsWith(QStringLiteral("Text 02/05/03/04")));
    EXPECT_EQ(Widgets.Attitude->text(), QStringLiteral("Key 02/05/03/04"));

    // A row with one book leaves one button, checked.
    Fake.OnlyBook1 = {"03/03/08"};
    Widgets.SubTitles->setCurrentIndex(1);
    emit Widgets.SubTitles->activated(1);
    ASSERT_EQ(BookButtons().size(), 1u);
    EXPECT_TRUE(BookButtons()[0]->isChecked());

    // A row without books removes every button.
    Fake.MissingChapter = {"03/04/09"};
    Widgets.MainTitles->setCurrentIndex(4);
    emit Widgets.MainTitles->activated(4); // Venus
    Widgets.SubTitles->setCurrentIndex(1);
    emit Widgets.SubTitles->activated(1);
    EXPECT_TRUE(BookButtons().empty());
    EXPECT_EQ(Messages, std::vector<std::string>{"Missing book information for [03 0409]"});

    Widgets.Period->click();
    EXPECT_EQ(Interp.Interptype(), itDynamic);
    EXPECT_EQ(Widgets.MainTitles->count(), 17);
    EXPECT_EQ(Widgets.Memo->toPlainText(),
              QStringLiteral("There are no transits for this title in the chosen period."));
}

TEST_F(QtBinding, ReleasingTheBindingUnhooksTheControls) {
    Binding.reset();
    EXPECT_EQ(Interp.MainTitleBox(), nullptr);
    EXPECT_EQ(Interp.InterpMemo(), nullptr);
    EXPECT_EQ(Interp.BookButtons(), nullptr);
    // The engine still builds without controls.
    Interp.SetInterptype(itBirthAnalysis);
    EXPECT_GT(Interp.RowCount(), 0);
}
