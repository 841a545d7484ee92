// The drop-down list: its pool of items grows to the longest list and hides what a shorter
// one leaves over; a click names the line by its position.
#include "DropDownMenu.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

using namespace kyr;

namespace {

QStringList VisibleTexts(const TDropDownMenu &menu) {
    QStringList texts;
    for (QAction *item : menu.Pool())
        if (item->isVisible())
            texts << item->text();
    return texts;
}

TEST(DropDownMenu, PoolGrowsAndHidesWhatAShorterListLeavesOver) {
    TDropDownMenu menu;
    ASSERT_EQ(1, menu.Pool().size());
    EXPECT_EQ("Empty...", menu.Pool()[0]->text());

    std::vector<int> clicked;
    menu.OnClick = [&](TDropDownMenu &sender, int item) {
        EXPECT_EQ(&menu, &sender);
        clicked.push_back(item);
    };
    menu.SetItems({"Sun in Aries", "Moon in Aries", "Love & Money"});
    menu.Popup(10, 20);
    EXPECT_EQ(3, menu.Pool().size());
    // An ampersand in a line is shown, not taken for an accelerator.
    EXPECT_EQ((QStringList{"Sun in Aries", "Moon in Aries", "Love && Money"}), VisibleTexts(menu));
    menu.Pool()[2]->trigger();

    menu.SetItems({"Mars in Leo"});
    menu.Popup(10, 20);
    EXPECT_EQ(3, menu.Pool().size());
    EXPECT_EQ(QStringList{"Mars in Leo"}, VisibleTexts(menu));
    menu.Pool()[0]->trigger();
    EXPECT_EQ((std::vector<int>{2, 0}), clicked);
    menu.Menu()->hide();

    // Nobody listening: a click is harmless.
    menu.OnClick = nullptr;
    menu.Pool()[0]->trigger();
}

} // namespace
