#pragma once
// A DialController over the in-process transport, a manual clock, a ModemList folder of its own
// and scripted alerts: what a test needs to drive the connection record by record.
#include "FakeMsgTransport.h"

#include "common/PlistBridge.h"
#include "common/records/UiMsg.h"
#include "common/records/connection/ConnectionRecords.h"
#include "ostrel/connection/dial/DialController.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "platform/NotificationCenter.h"
#include "platform/alert/AlertPresenter.h"
#include "support/ManualClock.h"
#include "support/ScriptedAlertPresenter.h"

#include <QTemporaryDir>

#include <cstring>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace dialtest {

// The further features with answers a test can set.
class FakeExtensions : public ostrel::DefaultDialExtensions {
public:
};

// The operator content, counting the first-connection actions.
class FakeContent : public ostrel::DefaultDialOperatorContent {
public:
    int firstConnected = 0;
    void performActionWhenFirstConnected() override { ++firstConnected; }
};

// The records neighbour with totals a test sets; it counts the refreshes the limit checks ask for.
class FakeRecords : public ostrel::DefaultDialRecordController {
public:
    double totalKB = 0;
    qint64 totalSeconds = 0;
    int refreshes = 0;
    double getTotalData() const override { return totalKB; }
    qint64 gettotalTime() const override { return totalSeconds; }
    void updateInterface() override { ++refreshes; }
};

// The device state the connection reads, with answers a test can set.
class FakeInit : public ostrel::DefaultInitController {
public:
    int roaming = 1;
    int transferMode = 0;
    bool whiteList = false;
    bool roamTip = true;
    bool psDomainUsable = true;
    bool cycleAfterRoaming = false;
    int networkRoamStatus() const override { return roaming; }
    int roamTransferMode() const override { return transferMode; }
    bool isInWhiteList() const override { return whiteList; }
    bool roamTipWhenInWhiteList() const override { return roamTip; }
    bool checkToReturnPSDomain() const override { return psDomainUsable; }
    bool apnCyleWhenRoamToNoRoam() const override { return cycleAfterRoaming; }
    void setApnCyleWhenRoamToNoRoam(bool flag) override { cycleAfterRoaming = flag; }
};

class FakeSetting : public ostrel::DefaultSettingController {
public:
    bool lockOn = false;
    bool autoConnect = false;
    bool manualSelection = false;
    bool sheetOpen = false;
    bool getOperatorSelectionForNetwork() const override { return manualSelection; }
    bool isPinPukOrNetSelectWinBeginSheet() const override { return sheetOpen; }
    std::vector<QString> *calls = nullptr; // when set, records the connection's calls into settings
    bool getDeviceUnlockCodeState() const override { return lockOn; }
    bool allowAutoConnect() const override { return autoConnect; }
    void AutoLaunchURL() override
    {
        if (calls)
            calls->push_back(QStringLiteral("setting.AutoLaunchURL"));
    }
};

// Records, in order, what the connection asks of the main window, the MMS page and the operator
// content.
class CallLog : public ostrel::DefaultMainController,
                public ostrel::DefaultMMSController,
                public ostrel::DialOperatorContentInterface {
public:
    std::vector<QString> calls;
    void openMainWindow() override { calls.push_back(QStringLiteral("main.openMainWindow")); }
    void miniaturizeMainWindowWhenConnectSucced() override
    {
        calls.push_back(QStringLiteral("main.miniaturizeMainWindowWhenConnectSucced"));
    }
    void connectIdleStatuFromDial() override { calls.push_back(QStringLiteral("mms.connectIdleStatuFromDial")); }
    void connectRunningStatuFromDial() override { calls.push_back(QStringLiteral("mms.connectRunningStatuFromDial")); }
    void switchInternetTabAction() override { calls.push_back(QStringLiteral("content.switchInternetTabAction")); }
    void detachSpecialWebview() override { calls.push_back(QStringLiteral("content.detachSpecialWebview")); }
    void imageDownloadFinishForBillboard() override
    {
        calls.push_back(QStringLiteral("content.imageDownloadFinishForBillboard"));
    }
    void hideBackgroundAndEmbeddedWebViews() override
    {
        calls.push_back(QStringLiteral("content.hideBackgroundAndEmbeddedWebViews"));
    }
};

class Harness {
public:
    explicit Harness(const QVariantMap &settings = {}, const QVariantList &profiles = defaultProfiles(),
                     ostrel::SkinManagerAccess *skin = nullptr,
                     const std::function<void(ostrel::DialController &)> &beforeAwake = {})
    {
        yov::PlistBridge::writeFile(dir.filePath(QStringLiteral("settings.plist")), settings);
        yov::PlistBridge::writeFile(dir.filePath(QStringLiteral("dialConfig.plist")), profiles);
        store = std::make_unique<ostrel::ConfigManager>(dir.path());
        ostrel::ConfigManager::setSharedConfigManager(store.get());
        auto t = std::make_unique<msgtest::FakeMsgTransport>();
        transport = t.get();
        center = std::make_unique<ostrel::YOVMsgCenter>(std::move(t), std::make_unique<msgtest::FakeLauncher>(), clock,
                                                        notifications);
        center->setDoNotLockMsgReader([] { return false; });
        center->awakeFromNib();
        ostrel::Neighbours::installDefaults(center.get(), store.get());
        ostrel::Neighbours::setSetting(&setting);
        device.setMsgCenter(center.get());
        ostrel::Neighbours::setInit(&device);
        totals.setConfig(store.get());
        ostrel::Neighbours::setRecords(&totals);
        ostrel::ControllerContext context;
        context.config = store.get();
        context.msgCenter = center.get();
        context.notificationCenter = &notifications;
        context.clock = &clock;
        context.skinManager = skin;
        dial = std::make_unique<ostrel::DialController>(context);
        dial->setExtensions(&extensions);
        dial->setOperatorContent(&content);
        dial->setDeviceReadyNotifier([this] { ++deviceReady; });
        dial->setTerminator([this] { ++terminated; });
        if (beforeAwake)
            beforeAwake(*dial);
        dial->awakeFromNib();
        notifications.addObserver(&observer, QStringLiteral("ConnectStatusDidChange"), nullptr,
                                  [this](const yov::Notification &n) {
                                      statusChanges.push_back(n.userInfo.value(QStringLiteral("ConnectStatus")).toInt());
                                  });
        notifications.addObserver(&observer, QStringLiteral("ConnectFailed"), nullptr,
                                  [this](const yov::Notification &) { ++connectFailed; });
        notifications.addObserver(&observer, QStringLiteral("IsAbleToConnect"), nullptr,
                                  [this](const yov::Notification &n) {
                                      ableToConnect.push_back(n.userInfo.value(QStringLiteral("EnabledFlag")).toBool());
                                  });
    }

    ~Harness()
    {
        dial.reset();
        ostrel::Neighbours::setRecords(nullptr);
        ostrel::Neighbours::setSetting(nullptr);
        ostrel::Neighbours::setInit(nullptr);
        ostrel::Neighbours::setMain(nullptr);
        ostrel::Neighbours::setMms(nullptr);
        ostrel::ConfigManager::setSharedConfigManager(nullptr);
    }

    static QVariantList defaultProfiles()
    {
        return {QVariantMap{{QStringLiteral("provider"), QStringLiteral("Vandrel Web")},
                            {QStringLiteral("apnName"), QStringLiteral("web.vandrel")},
                            {QStringLiteral("telNumber"), QStringLiteral("*99#")}}};
    }

    // From now on the calls into the main window, the MMS page, the operator content and the
    // settings' launch go to log.
    void logNeighbourCalls(CallLog &log)
    {
        ostrel::Neighbours::setMain(&log);
        ostrel::Neighbours::setMms(&log);
        dial->setOperatorContent(&log);
        setting.calls = &log.calls;
    }

    // The device is present and its packet domain attached: Connect is enabled.
    void ready()
    {
        dial->receiveDeviceOn();
        dial->setPSDomainStatus(true);
    }

    // A record from the device service, posted by the message center.
    void deliver(int major, int minor, const QByteArray &payload = {}, int result = 0, int type = 1)
    {
        transport->deliver(msgtest::deviceRecord(2, major, minor, payload, result, type));
        clock.advance(ostrel::YOVMsgCenter::kDrainIntervalMs);
    }

    void pppStatus(std::uint32_t state, std::uint32_t seconds = 0, std::uint32_t in = 0, std::uint32_t out = 0)
    {
        yov::ppp_status s;
        s.status = state;
        s.timeElapsed = seconds;
        s.inBytes = in;
        s.outBytes = out;
        deliver(258, 67, s.encode());
    }

    // The requests sent so far, as (major, minor).
    std::vector<std::pair<int, int>> sent() const
    {
        std::vector<std::pair<int, int>> ids;
        for (const QByteArray &r : transport->sent) {
            yov::UI_MSG m;
            yov::msgFromBytes(r, m);
            ids.emplace_back(m.majorID, m.minorID);
        }
        return ids;
    }
    int count(int major, int minor) const
    {
        int c = 0;
        for (auto [ma, mi] : sent())
            c += ma == major && mi == minor;
        return c;
    }
    QByteArray lastPayload(int major, int minor) const
    {
        for (auto it = transport->sent.rbegin(); it != transport->sent.rend(); ++it) {
            yov::UI_MSG m;
            yov::msgFromBytes(*it, m);
            if (m.majorID == major && m.minorID == minor)
                return QByteArray(reinterpret_cast<const char *>(m.data), m.dataLength);
        }
        return {};
    }

    QString recordPath() const { return ostrel::Neighbours::records().dialRecordFilePath(); }
    QVariantList records() const
    {
        const auto v = yov::PlistBridge::readFile(recordPath());
        return v ? v->toList() : QVariantList();
    }

    // Connect by the main button and let the request run.
    void pressConnect()
    {
        dial->DialOption(ostrel::DialController::DialSender::ConnectButton);
        clock.advance(ostrel::DialController::kDialOptionDelayMs);
    }

    QTemporaryDir dir;
    testing_support::ManualClock clock;
    yov::NotificationCenter notifications;
    testing_support::ScriptedAlertPresenter alerts;
    yov::ScopedAlertPresenter alertGuard{&alerts};
    std::unique_ptr<ostrel::ConfigManager> store;
    msgtest::FakeMsgTransport *transport = nullptr;
    std::unique_ptr<ostrel::YOVMsgCenter> center;
    FakeExtensions extensions;
    FakeContent content;
    FakeSetting setting;
    FakeInit device;
    FakeRecords totals;
    std::unique_ptr<ostrel::DialController> dial;
    QObject observer;
    std::vector<int> statusChanges;
    std::vector<bool> ableToConnect;
    int connectFailed = 0;
    int deviceReady = 0;
    int terminated = 0;
};

} // namespace dialtest
