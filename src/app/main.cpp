// The program entry: the application, the main window's start-up, the message loop.
#include "KyrApplication.h"
#include "MainWindow.h"
#include "ProgramDirectory.h"
#include "SingleInstance.h"
#include "Wheel.h"

#include <QTimer>

#include <cstdio>
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
    const QString directory = QString::fromStdString(kyr::ProgramDirectory());
    kyr::TSingleInstance instance(directory);
    switch (instance.Claim()) {
    case kyr::TSingleInstance::TClaim::HandedOver:
        return 0;
    case kyr::TSingleInstance::TClaim::NoAnswer:
        std::fprintf(stderr,
                     "KYR: another copy of the program holds %s but does not answer; start "
                     "again once it is ready or has ended\n",
                     qPrintable(directory));
        return 1;
    case kyr::TSingleInstance::TClaim::First:
        break;
    }
    TFirstWheelPaint firstPaint;
    if (std::getenv("KYR_EXIT_AFTER_FIRST_PAINT"))
        application.installEventFilter(&firstPaint);
    kyr::TForm_KYR_Main main;
    // Connected before the start-up, which may show dialogs that let a request through.
    QObject::connect(&instance, &kyr::TSingleInstance::RaiseRequested, &main,
                     [&main] { main.BringToFront(); });
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
