#pragma once
// The whole dashboard in this process against the stand-in modem, on the test's own session bus:
// a copy of the shipped ModemList folder, the settings the test writes into it, then the assembly
// built, woken and launched as main() does. Alerts go to a scripted presenter.
#include "ostrel/app/DashboardAssembly.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "platform/alert/AlertPresenter.h"
#include "support/ScriptedAlertPresenter.h"

#include <QDBusMessage>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantList>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <memory>

class QPushButton;
class QWidget;

namespace ostrel {
class DialController;
class InitController;
class MainController;
} // namespace ostrel

namespace dashboard_test {

constexpr int kWaitMs = 15000;

// Copies a folder with everything in it; the copies are writable.
bool copyTree(const QString &from, const QString &to);
// Whether the device service's name is owned on the session bus.
bool serviceRunning();

// The stand-in's test-control interface (com.vandrel.DataCardServer.Test).
QDBusMessage control(const QString &method, const QVariantList &args = {});
// A D-Bus value as a map or a list, whether it came as one or still wrapped.
QVariantMap mapOf(const QVariant &value);
QVariantList listOf(const QVariant &value);
// One modem area's state as ModemState gives it; empty when the call fails.
QVariantMap modemState(const QString &area);
// The IDs ("major/minor") of the requests the stand-in received so far.
QStringList receivedIds();
// The payloads of the requests of that ID the stand-in received so far, in order.
QList<QByteArray> receivedPayloads(int major, int minor);

class DashboardFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Top-level keys written into the copied settings before the dashboard reads them; a key of
    // the form "Module/Key" goes into that module.
    void setSettings(const QVariantMap &keys);
    // Keys of one modem area's state written into the scenario copy that launch() starts.
    void setScenarioModem(const QString &area, const QVariantMap &keys) { scenarioModem_.insert(area, keys); }
    // Builds the dashboard, wakes it and launches it against the named scenario of the stand-in.
    // Alerts go to the scripted presenter, or with realAlerts to the dashboard's own skinned panel.
    void launch(const QString &scenario, bool realAlerts = false);

    ostrel::InitController *init() const { return assembly_->initController(); }
    ostrel::DialController *dial() const { return assembly_->dialController(); }
    ostrel::MainController *main() const { return assembly_->mainController(); }
    bool waitSimReady();

    QWidget *mainWindow() const;
    // A text of the device-state status row.
    QString statusText(const char *name) const;
    QWidget *internetPage() const;
    QPushButton *connectButton() const;
    // The text of a field of the Internet page.
    QString fieldText(const char *name) const;
    // Presses the Internet page's button once it offers the action (its title) and can be pressed.
    void pressConnectButton(const QString &action);
    // The records of finished connections, over every record file in the ModemList folder.
    QVariantList connectionRecords() const;
    // Saves a picture of the widget into $OSTREL_TEST_SCREENSHOTS, when that is set.
    static void saveScreenshot(QWidget *widget, const QString &name);
    // The settings file as it is on disk now.
    QVariantMap storedSettings() const;
    // A copy of the shipped language folder with a German token list of these lines, which the
    // dashboard reads its words from; TearDown goes back to the English list.
    bool useGermanTokenList(const QByteArray &lines);
    // The settings window's road: the stored language, its token list, then the change notice.
    bool changeLanguage(const QString &language);
    // How many of the alerts shown so far name the file and say the words.
    int alertsAbout(const QString &file, const QString &words) const;

    QTemporaryDir dir_;
    QString modemList_;
    std::unique_ptr<ostrel::ConfigManager> config_;
    testing_support::ScriptedAlertPresenter presenter_;
    std::unique_ptr<yov::ScopedAlertPresenter> scopedPresenter_;
    QObject observer_;
    int simReady_ = 0;
    QVariantMap scenarioModem_;
    bool ownLanguageFolder_ = false;
    std::unique_ptr<ostrel::DashboardAssembly> assembly_;
};

} // namespace dashboard_test
