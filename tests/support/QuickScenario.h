#pragma once
// A copy of a shipped stand-in scenario whose modem answers sooner: the SIM read, the steps of a
// PPP link and the NDIS traffic reports take a fraction of their shipped time. For tests that
// check what the stand-in and the dashboard do, not how long a real modem takes; everything else
// in the scenario stays as shipped.
#include "common/PlistBridge.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QVariantMap>

namespace testing_support {

// Writes the quick copy of resources/brannoc/<name> into folder and returns its path; empty when
// the scenario cannot be read or the copy cannot be written.
inline QString quickScenario(const QString &name, const QString &folder)
{
    const std::optional<QVariant> shipped =
        yov::PlistBridge::readFile(QDir(testing_paths::sourceResources()).filePath(QStringLiteral("brannoc/") + name));
    if (!shipped)
        return {};
    QVariantMap scenario = shipped->toMap();
    QVariantMap modem = scenario.value(QStringLiteral("Modem")).toMap();
    const auto shorten = [&modem](const char *area, const char *key, int ms) {
        QVariantMap state = modem.value(QLatin1String(area)).toMap();
        state.insert(QLatin1String(key), ms);
        modem.insert(QLatin1String(area), state);
    };
    shorten("Sim", "ReadDelayMs", 100);
    shorten("Connection", "StepMs", 60);
    shorten("Connection", "NdisTransferIntervalMs", 200);
    scenario.insert(QStringLiteral("Modem"), modem);
    const QString path = QDir(folder).filePath(QStringLiteral("quick-") + name);
    return yov::PlistBridge::writeFile(path, scenario) ? path : QString();
}

} // namespace testing_support
