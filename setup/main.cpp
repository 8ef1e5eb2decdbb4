// Tidesetup: installs Tidebook into a new folder or upgrades a Catchfile
// installation. No command line, no settings.
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>

#include "platform/Application.h"
#include "setup/Main_F.h"

int main(int argc, char** argv) {
    platform::Application app(argc, argv);
    platform::Application::SetTitle(QStringLiteral("Tidesetup"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/setup/Tidesetup.png")));

    TMainF window;
    // Fixed size, centred on the screen.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
    window.show();
    return app.exec();
}
