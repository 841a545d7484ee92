#include "Translation.h"

#include "Language.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVariant>

namespace kyr {

namespace {

constexpr const char *TagProperty = "Tag";

QString ToQString(const std::string &s) {
    return QString::fromStdString(s);
}

// A top-level window or the widget of an MDI child; popups (menus, combo lists) are not.
bool IsForm(const QWidget *widget) {
    if (qobject_cast<const QMdiSubWindow *>(widget))
        return true;
    if (const auto *sub = qobject_cast<const QMdiSubWindow *>(widget->parentWidget()))
        if (sub->widget() == widget)
            return true;
    const auto type = widget->windowType();
    return widget->isWindow() && (type == Qt::Window || type == Qt::Dialog);
}

// The caption rules by class. False for a class that takes no caption.
bool ApplyCaption(QObject *component, const QString &text) {
    if (auto *label = qobject_cast<QLabel *>(component)) {
        label->setText(text);
    } else if (auto *edit = qobject_cast<QLineEdit *>(component)) {
        edit->setText(text);
    } else if (auto *menu = qobject_cast<QMenu *>(component)) {
        if (!text.isEmpty()) // a missing text must not blank a menu
            menu->setTitle(text);
    } else if (auto *action = qobject_cast<QAction *>(component)) {
        if (!text.isEmpty())
            action->setText(text);
    } else if (auto *button = qobject_cast<QPushButton *>(component)) {
        // A button with an icon and no caption shows its text as a tooltip.
        if (text.isEmpty())
            return true;
        if (!button->icon().isNull() && button->text().isEmpty())
            button->setToolTip(text);
        else
            button->setText(text);
    } else if (auto *check = qobject_cast<QCheckBox *>(component)) {
        check->setText(text);
    } else if (auto *radio = qobject_cast<QRadioButton *>(component)) {
        radio->setText(text);
    } else if (auto *group = qobject_cast<QGroupBox *>(component)) {
        group->setTitle(text);
    } else {
        return false;
    }
    return true;
}

// Fonts and window titles, for components without a caption rule or without a text number.
void ApplyFontAndTitle(const TLanguage &language, QObject *component, int n) {
    auto *widget = qobject_cast<QWidget *>(component);
    if (!widget)
        return;
    if (qobject_cast<QComboBox *>(widget)) {
        ApplyLanguageFont(language, widget);
    } else if (auto *tabs = qobject_cast<QTabWidget *>(widget)) {
        // The tabs take name and size only; their weight stays.
        if (language.FontName().empty())
            return;
        QFont font = tabs->tabBar()->font();
        font.setFamily(ToQString(language.FontName()));
        if (language.FontSize() > 0)
            font.setPointSize(language.FontSize());
        tabs->tabBar()->setFont(font);
    } else if (IsForm(widget)) {
        if (n > 0)
            widget->setWindowTitle(ToQString(language.CaptionText(n)));
        ApplyLanguageFont(language, widget);
    }
}

class TTranslator {
public:
    explicit TTranslator(const TLanguage &language) : FLanguage(language) {}

    void Translate(QObject *component) {
        // Actions are reachable from several menus and widgets; each is translated once.
        if (!component || FVisited.contains(component))
            return;
        FVisited.insert(component);
        const int n = Tag(component);
        if (auto *speed = qobject_cast<QToolButton *>(component); speed && n < 0) {
            speed->setToolTip(ToQString(FLanguage.GetText(-n)));
        } else {
            if (n >= FirstUntranslatedTag)
                return;
            if (n < 1 || !ApplyCaption(component, ToQString(FLanguage.CaptionText(n))))
                ApplyFontAndTitle(FLanguage, component, n);
        }
        for (QObject *child : component->children())
            Translate(child);
        if (auto *widget = qobject_cast<QWidget *>(component))
            for (QAction *action : widget->actions())
                Translate(action);
        if (auto *action = qobject_cast<QAction *>(component))
            Translate(action->menu<QMenu *>());
    }

private:
    const TLanguage &FLanguage;
    QSet<QObject *> FVisited;
};

} // namespace

int Tag(const QObject *object) {
    return object ? object->property(TagProperty).toInt() : 0;
}

void SetTag(QObject *object, int tag) {
    object->setProperty(TagProperty, tag);
}

QPushButton *TaggedButton(QWidget *parent, int tag, const char *name) {
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    SetTag(button, tag);
    return button;
}

void TranslateForm(const TLanguage &language, QWidget *form) {
    TranslateComponent(language, form);
}

void TranslateComponent(const TLanguage &language, QObject *component) {
    TTranslator(language).Translate(component);
}

void ApplyLanguageFont(const TLanguage &language, QWidget *control) {
    if (language.FontName().empty())
        return;
    QFont font = control->font();
    font.setFamily(ToQString(language.FontName()));
    font.setBold(language.Bold());
    if (language.FontSize() > 0)
        font.setPointSize(language.FontSize());
    control->setFont(font);
}

void ShowTextIds(TLanguage &language, QWidget *form) {
    const QPalette oldPalette = form->palette();
    const bool ownPalette = form->testAttribute(Qt::WA_SetPalette);
    // Puts the texts and the colour back however the message box ends.
    struct TRestore {
        TLanguage &Language;
        QWidget *Form;
        const QPalette &Palette;
        bool OwnPalette;
        ~TRestore() {
            Form->setPalette(OwnPalette ? Palette : QPalette());
            Language.SetShowNumbers(false);
            TranslateForm(Language, Form);
        }
    } restore{language, form, oldPalette, ownPalette};

    language.SetShowNumbers(true);
    QPalette blue = oldPalette;
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        blue.setColor(role, Qt::blue);
    form->setPalette(blue);
    TranslateForm(language, form);
    QMessageBox::information(form, QString(), QStringLiteral("Press OK to continue..."),
                             QMessageBox::Ok);
}

} // namespace kyr
