#include "Translation.h"
#include "Language.h"
#include "TestDirectory.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

using namespace kyr;

namespace {

QIcon SomeIcon() {
    QPixmap pixmap(8, 8);
    pixmap.fill(Qt::red);
    return QIcon(pixmap);
}

template <typename T> T *Tagged(QWidget *parent, int tag, const QString &design = "Design") {
    auto *widget = new T(parent);
    SetTag(widget, tag);
    if constexpr (std::is_same_v<T, QGroupBox>)
        widget->setTitle(design);
    else if constexpr (!std::is_same_v<T, QComboBox> && !std::is_same_v<T, QTabWidget>)
        widget->setText(design);
    return widget;
}

class TranslationTest : public ::testing::Test {
protected:
    void SetUp() override {
        directory.Write("KYR.STD", "[Screen]\nFont=DejaVu Serif\nBold=1\nSize=13\n");
        directory.Write("KYR_UK.TXT", "10=\"Label\"\n11=\"Edit\"\n12=\"Check\"\n13=\"Radio\"\n"
                                      "14=\"Group\"\n15=\"Button\"\n16=\"Icon\"\n18=\"Hint\"\n"
                                      "19=\"Menu\"\n20=\"Item\"\n21=\"Form\"\n22=\"Sub\"\n");
        language.SetCountry("UK");
        language.SetActive(true);
        ASSERT_TRUE(language.Active());
    }

    TTestDirectory directory;
    TLanguage language;
};

TEST_F(TranslationTest, TagHelpers) {
    QObject object;
    EXPECT_EQ(Tag(&object), 0);
    EXPECT_EQ(Tag(nullptr), 0);
    SetTag(&object, -7);
    EXPECT_EQ(Tag(&object), -7);
}

TEST_F(TranslationTest, CaptionsByClass) {
    QWidget form;
    SetTag(&form, 21);
    auto *label = Tagged<QLabel>(&form, 10);
    auto *edit = Tagged<QLineEdit>(&form, 11);
    auto *check = Tagged<QCheckBox>(&form, 12);
    auto *group = Tagged<QGroupBox>(&form, 14);
    auto *radio = Tagged<QRadioButton>(group, 13);
    auto *button = Tagged<QPushButton>(&form, 15);
    auto *iconOnly = Tagged<QPushButton>(&form, 16, "");
    iconOnly->setIcon(SomeIcon());
    auto *iconAndCaption = Tagged<QPushButton>(&form, 16);
    iconAndCaption->setIcon(SomeIcon());
    auto *speed = Tagged<QToolButton>(&form, -18);
    auto *speedPositive = Tagged<QToolButton>(&form, 18);

    TranslateForm(language, &form);

    const std::pair<QString, QString> cases[] = {
        {form.windowTitle(), "Form"},    {label->text(), "Label"},
        {edit->text(), "Edit"},          {check->text(), "Check"},
        {group->title(), "Group"},       {radio->text(), "Radio"},
        {button->text(), "Button"},      {iconOnly->text(), ""},
        {iconOnly->toolTip(), "Icon"},   {iconAndCaption->text(), "Icon"},
        {iconAndCaption->toolTip(), ""}, {speed->toolTip(), "Hint"},
        {speed->text(), "Design"},       {speedPositive->text(), "Design"},
        {speedPositive->toolTip(), ""},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].first.toStdString(), cases[i].second.toStdString()) << "case " << i;
}

TEST_F(TranslationTest, MissingTextEmptiesCaptionsButNotButtonsAndMenus) {
    QWidget form;
    auto *label = Tagged<QLabel>(&form, 30);
    auto *edit = Tagged<QLineEdit>(&form, 30);
    auto *check = Tagged<QCheckBox>(&form, 30);
    auto *group = Tagged<QGroupBox>(&form, 30);
    auto *button = Tagged<QPushButton>(&form, 30);
    auto *bar = new QMenuBar(&form);
    QMenu *menu = bar->addMenu("Design");
    SetTag(menu, 30);
    QAction *item = menu->addAction("Design");
    SetTag(item, 30);

    TranslateForm(language, &form);

    EXPECT_EQ(label->text(), "");
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(check->text(), "");
    EXPECT_EQ(group->title(), "");
    EXPECT_EQ(button->text(), "Design");
    EXPECT_EQ(menu->title(), "Design");
    EXPECT_EQ(item->text(), "Design");
}

TEST_F(TranslationTest, Tag2000KeepsComponentAndChildren) {
    QWidget form;
    auto *kept = Tagged<QGroupBox>(&form, FirstUntranslatedTag);
    auto *keptChild = Tagged<QLabel>(kept, 10);
    auto *keptCombo = Tagged<QComboBox>(kept, 0);
    auto *translated = Tagged<QGroupBox>(&form, FirstUntranslatedTag - 1);
    auto *translatedChild = Tagged<QLabel>(translated, 10);
    auto *bar = new QMenuBar(&form);
    QMenu *menu = bar->addMenu("Design");
    SetTag(menu, 2500);
    QAction *item = menu->addAction("Design");
    SetTag(item, 20);

    TranslateForm(language, &form);

    EXPECT_EQ(kept->title(), "Design");
    EXPECT_EQ(keptChild->text(), "Design");
    EXPECT_FALSE(keptCombo->testAttribute(Qt::WA_SetFont));
    EXPECT_EQ(translated->title(), ""); // 1999 has no text
    EXPECT_EQ(translatedChild->text(), "Label");
    EXPECT_EQ(item->text(), "Design");

    QWidget keptForm;
    SetTag(&keptForm, 2001);
    TranslateForm(language, &keptForm);
    EXPECT_EQ(keptForm.windowTitle(), "");
    EXPECT_FALSE(keptForm.testAttribute(Qt::WA_SetFont));
}

TEST_F(TranslationTest, MenusAndActionsOwnedElsewhere) {
    QWidget form;
    auto *bar = new QMenuBar(&form);
    QMenu *menu = bar->addMenu("Design");
    SetTag(menu, 19);
    // An action owned by the form but shown in the menu, and a submenu without a parent.
    auto *item = new QAction("Design", &form);
    SetTag(item, 20);
    menu->addAction(item);
    QMenu sub("Design");
    SetTag(&sub, 22);
    auto *subItem = sub.addAction("Design");
    SetTag(subItem, 20);
    menu->addMenu(&sub);

    TranslateForm(language, &form);

    EXPECT_EQ(menu->title(), "Menu");
    EXPECT_EQ(menu->menuAction()->text(), "Menu");
    EXPECT_EQ(item->text(), "Item");
    EXPECT_EQ(sub.title(), "Sub");
    EXPECT_EQ(subItem->text(), "Item");
}

TEST_F(TranslationTest, LanguageFont) {
    QWidget form;
    auto *combo = Tagged<QComboBox>(&form, 0);
    auto *tabs = Tagged<QTabWidget>(&form, 0);
    tabs->addTab(new QWidget, "Tab");
    auto *plain = new QWidget(&form);

    TranslateForm(language, &form);

    for (QWidget *widget : {static_cast<QWidget *>(&form), static_cast<QWidget *>(combo)}) {
        EXPECT_TRUE(widget->testAttribute(Qt::WA_SetFont));
        EXPECT_EQ(widget->font().family(), "DejaVu Serif");
        EXPECT_TRUE(widget->font().bold());
        EXPECT_EQ(widget->font().pointSize(), 13);
    }
    EXPECT_EQ(tabs->tabBar()->font().family(), "DejaVu Serif");
    EXPECT_EQ(tabs->tabBar()->font().pointSize(), 13);
    EXPECT_TRUE(tabs->tabBar()->testAttribute(Qt::WA_SetFont));
    EXPECT_FALSE(plain->testAttribute(Qt::WA_SetFont)); // inherits it from the form
    EXPECT_EQ(form.windowTitle(), "");                  // no text number

    // A language without a font name leaves every font alone.
    TLanguage plainLanguage;
    QComboBox other;
    TranslateComponent(plainLanguage, &other);
    EXPECT_FALSE(other.testAttribute(Qt::WA_SetFont));
}

TEST_F(TranslationTest, MdiChildIsAForm) {
    QMdiArea area;
    auto *child = new QWidget;
    SetTag(child, 21);
    QMdiSubWindow *window = area.addSubWindow(child);
    TranslateForm(language, child);
    EXPECT_EQ(child->windowTitle(), "Form");
    EXPECT_EQ(window->windowTitle(), "Form");
    EXPECT_EQ(child->font().family(), "DejaVu Serif");
}

// Runs inspect on the next message box and closes it with OK.
void AnswerNextMessageBox(const std::function<void(QMessageBox &)> &inspect) {
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, inspect] {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible()) {
                timer->stop();
                timer->deleteLater();
                inspect(*box);
                box->button(QMessageBox::Ok)->click();
                return;
            }
    });
    timer->start(10);
}

TEST_F(TranslationTest, ShowTextIds) {
    QWidget form;
    SetTag(&form, 21);
    auto *label = Tagged<QLabel>(&form, 10);
    auto *button = Tagged<QPushButton>(&form, 15);
    auto *speed = Tagged<QToolButton>(&form, -18);
    TranslateForm(language, &form);
    const QColor colour = form.palette().color(QPalette::WindowText);

    bool answered = false;
    AnswerNextMessageBox([&](QMessageBox &box) {
        answered = true;
        EXPECT_EQ(box.text(), "Press OK to continue...");
        EXPECT_EQ(form.windowTitle(), "[21]");
        EXPECT_EQ(label->text(), "[10]");
        EXPECT_EQ(button->text(), "[15]");
        EXPECT_EQ(speed->toolTip(), "Hint");
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::blue));
    });
    ShowTextIds(language, &form);

    EXPECT_TRUE(answered);
    EXPECT_FALSE(language.ShowNumbers());
    EXPECT_EQ(form.windowTitle(), "Form");
    EXPECT_EQ(label->text(), "Label");
    EXPECT_EQ(button->text(), "Button");
    EXPECT_EQ(form.palette().color(QPalette::WindowText), colour);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), colour);
}

} // namespace
