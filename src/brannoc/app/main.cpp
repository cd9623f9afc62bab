// Brannoc: the stand-in device service. Started by the dashboard with no arguments.
//
// The scenario comes from the environment variable OSTREL_BRANNOC_SCENARIO when set, else from
// <prefix>/share/ostrel/brannoc/default.plist next to this program's bin/ folder.

#include "brannoc/BrannocService.h"

#include "common/InstallLayout.h"
#include "brannoc/TerminationSignals.h"

#include <QCoreApplication>
#include <QDir>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Brannoc"));

    QString path = qEnvironmentVariable("OSTREL_BRANNOC_SCENARIO");
    if (path.isEmpty())
        path = yov::InstallLayout::resourcesDir() + QStringLiteral("/brannoc/default.plist");
    QString error;
    auto scenario = brannoc::Scenario::load(path, &error);
    if (!scenario) {
        qCCritical(lcBrannoc).noquote() << "cannot read the scenario:" << error;
        return 2;
    }
    qCInfo(lcBrannoc).noquote() << "scenario:" << path;

    brannoc::TerminationSignals signals_;
    if (!signals_.install()) {
        qCCritical(lcBrannoc) << "cannot install the termination handlers";
        return 1;
    }
    QObject::connect(&signals_, &brannoc::TerminationSignals::received, &app, [](int sig) {
        qCInfo(lcBrannoc) << "signal" << sig << "received: ending";
        QCoreApplication::quit();
    });

    brannoc::BrannocService service(std::move(*scenario));
    if (!service.start(&error)) {
        qCCritical(lcBrannoc).noquote() << error;
        return 1;
    }
    qCInfo(lcBrannoc) << "device service running, process" << QCoreApplication::applicationPid();
    const int rc = app.exec();
    qCInfo(lcBrannoc) << "device service ended";
    return rc;
}
