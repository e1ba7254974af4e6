// Orbek: the desktop program of Kestrum.
#include "MainFrm.h"
#include "Orbek.h"
#include "Platform.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    CQtPlatform platform;
    COrbekApp orbek(platform);
    if (!orbek.InitInstance(QApplication::arguments().mid(1))) {
        return 1;
    }

    // For the documentation: ORBEK_SCREENSHOT=<file.png> saves a picture of
    // the main window once it is painted, and ends the program without
    // storing any settings.
    const QString screenshot = qEnvironmentVariable("ORBEK_SCREENSHOT");
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(1500, orbek.MainFrame(), [&orbek, screenshot] {
            const bool saved = orbek.MainFrame()->grab().save(screenshot);
            QCoreApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}
