// Hand-over of an address to the desktop's browser, which may fail to start (no browser set up,
// or one that refuses to run as root); the caller then tells the user.
#pragma once

#include "Language.h"

#include <QString>
#include <QUrl>

#include <functional>

namespace kyr {

/// Opens an address outside the program; true when it was handed over.
using TUrlOpener = std::function<bool(const QUrl &url)>;

/// Language text of the message that no browser could be started: %1 the address.
constexpr int BrowserFailedText = TextNo(1467);

/// Opens url through opener; unset: QDesktopServices::openUrl.
bool OpenInSystemBrowser(const QUrl &url, const TUrlOpener &opener);
/// The message for a failed OpenInSystemBrowser, in the language (English while it has none).
QString BrowserFailedMessage(const TLanguage &language, const QUrl &url);

} // namespace kyr
