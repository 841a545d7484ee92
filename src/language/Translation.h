// Translation of Qt forms through TLanguage: every widget, menu and action whose text number
// ("Tag") is set receives its caption by class.
#pragma once

class QObject;
class QPushButton;
class QWidget;

namespace kyr {

class TLanguage;

/// From this text number on a component and everything it owns keep their own captions.
constexpr int FirstUntranslatedTag = 2000;

/// The text number of a widget, menu or action (the dynamic property "Tag"); 0 when unset.
int Tag(const QObject *object);
void SetTag(QObject *object, int tag);
/// A dialog button captioned by language text tag and named for the tests; Return does not press
/// it unless it is made the default.
QPushButton *TaggedButton(QWidget *parent, int tag, const char *name);

/// Translates a form and everything it owns; every form calls it when it is created.
void TranslateForm(const TLanguage &language, QWidget *form);
/// Gives a component and, recursively, its children and actions their captions.
void TranslateComponent(const TLanguage &language, QObject *component);
/// The language's screen font on a control; nothing while the language names no font.
void ApplyLanguageFont(const TLanguage &language, QWidget *control);
/// Shows the form's text numbers in blue until the user confirms, then the texts again.
void ShowTextIds(TLanguage &language, QWidget *form);

} // namespace kyr
