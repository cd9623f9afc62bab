// The dashboard's entry: one instance per session, then the application.
#include "common/ValueConversion.h"
#include "common/util/KLog.h"
#include "ostrel/app/DashboardAssembly.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/controller/YOVUIController.h"
#include "ostrel/framework/language/LanguageOperation.h"
#include "ostrel/framework/webengine/WebEngineSetup.h"
#include "platform/process/SingleInstance.h"
#include "platform/process/UnixSignalWatcher.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QMetaType>
#include <csignal>
#include <cstdio>
#include <utility>

namespace {

// The trace-log switch: the top-level IsLogOn when it is a number (a boolean or an integer);
// anything else leaves the trace log off.
void setKLog()
{
    const QVariant value =
        ostrel::ConfigManager::sharedConfigManager()->getConfigurationByModule(QStringLiteral("IsLogOn"));
    const int type = value.typeId();
    const bool isNumber = type == QMetaType::Bool || type == QMetaType::LongLong || type == QMetaType::Int ||
                          type == QMetaType::Double;
    yov::KLog::sharedLog().SetKLogOpen(isNumber && yov::nsBool(value));
}

} // namespace

int main(int argc, char **argv)
{
    // Before the application object: the web engine's sandbox cannot run as root.
    ostrel::WebEngineSetup::prepareProcess();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ostrel"));
    // Debug lines of our own categories stay quiet unless QT_LOGGING_RULES asks for them.
    QLoggingCategory::setFilterRules(QStringLiteral("ostrel.*.debug=false\nbrannoc.*.debug=false\nqt.webenginecontext.info=false"));
    // Every quit goes through the application's quit road, not through a last closed window.
    QApplication::setQuitOnLastWindowClosed(false);

    yov::SingleInstance instance(QStringLiteral("org.ostrel.Dashboard"), QStringLiteral("/org/ostrel/Dashboard"));
    if (!instance.claim()) {
        // The running dashboard was asked to run its reopen road; say so to whoever launched us.
        std::fputs(instance.broughtForward()
                       ? "Ostrel is already running: the running dashboard was brought forward.\n"
                       : "Ostrel is already running, but the running dashboard did not answer.\n",
                   stderr);
        return 0;
    }

    ostrel::YOVUIController::removeRuntimeData();
    setKLog();
    ostrel::LanguageOperation::sharedLanguageOperation()->initLanguage();

    ostrel::DashboardAssembly assembly;
    ostrel::MainController *main = assembly.mainController();

    // SIGTERM, and Ctrl+C in the terminal that started the dashboard, end it the same way: a
    // standing connection keeps its record and the device service is stopped.
    yov::UnixSignalWatcher signals_;
    for (const auto &[number, name] : {std::pair{SIGTERM, "SIGTERM"}, std::pair{SIGINT, "SIGINT"}})
        if (!signals_.watch(number))
            qCWarning(lcAssembly) << name << "cannot be watched: the device service is not stopped on" << name;
    QObject::connect(&signals_, &yov::UnixSignalWatcher::unixSignal, main, [main](int number) {
        qCInfo(lcAssembly) << (number == SIGINT ? "SIGINT" : "SIGTERM") << "received";
        main->handleTerminationSignal();
    });
    QObject::connect(&instance, &yov::SingleInstance::reopenRequested, main,
                     [main] { main->applicationShouldHandleReopen(true); });

    assembly.launch();
    return app.exec();
}
