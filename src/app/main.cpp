// The program entry: the application, the main window's start-up, the message loop.
#include "KyrApplication.h"
#include "MainWindow.h"
#include "Wheel.h"

#include <QTimer>

#include <cstdlib>
#include <exception>

namespace {

// With KYR_EXIT_AFTER_FIRST_PAINT set, the program quits once a chart wheel has painted, so
// bench/startup.sh can time the way from launch to the first chart on the screen.
class TFirstWheelPaint : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint && dynamic_cast<kyr::TWheel *>(watched)) {
            qApp->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};

} // namespace

int main(int argc, char **argv) {
    kyr::TKyrApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KYR"));
    QApplication::setApplicationDisplayName(QStringLiteral("KYR"));
    TFirstWheelPaint firstPaint;
    if (std::getenv("KYR_EXIT_AFTER_FIRST_PAINT"))
        application.installEventFilter(&firstPaint);
    kyr::TForm_KYR_Main main;
    try {
        if (!main.StartUp())
            return 1;
        // Off and on again: every form is translated once the windows exist.
        main.KYR_Language.SetActive(false);
        main.KYR_Language.SetActive(true);
        main.PostStartUp();
    } catch (const std::exception &e) {
        // Without usable texts or tables there is nothing to show; say why and stop.
        kyr::ShowExceptionMessage(e.what());
        return 1;
    }
    main.SetLoading(false);
    main.show();
    return application.exec();
}
