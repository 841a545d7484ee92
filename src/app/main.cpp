// The program entry: the application, the main window's start-up, the message loop.
#include "KyrApplication.h"
#include "MainWindow.h"

#include <exception>

int main(int argc, char **argv) {
    kyr::TKyrApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KYR"));
    QApplication::setApplicationDisplayName(QStringLiteral("KYR"));
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
