// The dashboard's entry: one instance per session, then the application.
#include "common/ModemListResolver.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "platform/process/SingleInstance.h"
#include "platform/process/UnixSignalWatcher.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <csignal>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ostrel"));

    yov::SingleInstance instance(QStringLiteral("org.ostrel.Dashboard"), QStringLiteral("/org/ostrel/Dashboard"));
    if (!instance.claim())
        return 0; // the running dashboard was asked to come forward

    yov::UnixSignalWatcher signals_;
    signals_.watch(SIGTERM);
    QObject::connect(&signals_, &yov::UnixSignalWatcher::unixSignal, &app, [] { QApplication::exit(0); });

    ostrel::ConfigManager *config = ostrel::ConfigManager::sharedConfigManager();

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Ostrel"));
    auto *label = new QLabel(QStringLiteral("ModemList folder: %1")
                                 .arg(config->modemListPath().isEmpty() ? QStringLiteral("(none found)")
                                                                        : config->modemListPath()));
    label->setMargin(24);
    window.setCentralWidget(label);
    QObject::connect(&instance, &yov::SingleInstance::reopenRequested, &window, [&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    window.show();
    return app.exec();
}
