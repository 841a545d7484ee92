// The application object: catches what an event handler throws, shows it and goes on.
#pragma once

#include <QApplication>

#include <functional>
#include <string>

namespace kyr {

class TKyrApplication : public QApplication {
    Q_OBJECT
public:
    TKyrApplication(int &argc, char **argv);

    /// Delivers the event; an exception from its handler goes to OnException.
    bool notify(QObject *receiver, QEvent *event) override;

    /// Shows the message of an exception that reached the event loop; the default is a
    /// warning box titled with the application's name. Tests replace it.
    std::function<void(const std::string &message)> OnException;
};

/// The standard exception message box.
void ShowExceptionMessage(const std::string &message);

} // namespace kyr
