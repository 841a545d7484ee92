#include "KyrApplication.h"

#include <QMessageBox>

#include <exception>

namespace kyr {

TKyrApplication::TKyrApplication(int &argc, char **argv)
    : QApplication(argc, argv), OnException(ShowExceptionMessage) {}

bool TKyrApplication::notify(QObject *receiver, QEvent *event) {
    // Bad input throws typed exceptions; nothing is lost, so the user is told and goes on.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        if (OnException)
            OnException(e.what());
    } catch (...) {
        if (OnException)
            OnException("Unknown error");
    }
    return false;
}

void ShowExceptionMessage(const std::string &message) {
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                          QString::fromStdString(message));
}

} // namespace kyr
