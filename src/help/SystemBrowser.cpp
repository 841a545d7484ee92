#include "SystemBrowser.h"

#include <QDesktopServices>

namespace kyr {

bool OpenInSystemBrowser(const QUrl &url, const TUrlOpener &opener) {
    return opener ? opener(url) : QDesktopServices::openUrl(url);
}

QString BrowserFailedMessage(const TLanguage &language, const QUrl &url) {
    const std::string text = language.Active() ? language.GetText(1467) : std::string();
    const QString format =
        text.empty() ? QStringLiteral("No web browser could be started to open %1.")
                     : QString::fromStdString(text);
    return format.arg(url.isLocalFile() ? url.toLocalFile() : url.toString());
}

} // namespace kyr
