// Dialogs wide enough for their title: the window frame shows the title followed by " — " and the
// program's name, and cuts whatever does not fit between the frame's buttons.
#pragma once

#include <QString>

class QWidget;

namespace kyr {

/// The width a window needs to show title in full in its frame, with room for the frame's buttons.
int TitleBarWidth(const QString &title);
/// Widens the dialog to TitleBarWidth of its window title; a layout of fixed size gets the
/// missing width as spacing. Call after the title is set.
void KeepTitleVisible(QWidget *dialog);

} // namespace kyr
