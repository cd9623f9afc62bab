#pragma once
// A MainController over a temporary ModemList folder, a manual clock, its own notification center
// and a message center whose bus and launcher are in-process fakes that write one shared event log.
#include "common/PlistBridge.h"
#include "common/records/UiMsg.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "support/ManualClock.h"
#include "support/ScriptedAlertPresenter.h"

#include <functional>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace maintest {

struct EventLog {
    QStringList events;
    int indexOf(const QString &e) const { return int(events.indexOf(e)); }
};

class LoggingTransport final : public ostrel::MsgTransport {
public:
    explicit LoggingTransport(EventLog &log) : log_(log) {}
    void setReceiver(Receiver) override {}
    int send(const QByteArray &record, int) override
    {
        yov::UI_MSG msg;
        std::memset(&msg, 0, sizeof msg);
        std::memcpy(&msg, record.constData(), qMin<qsizetype>(record.size(), sizeof msg));
        sent.push_back(msg);
        log_.events << QStringLiteral("send %1/%2").arg(msg.majorID).arg(msg.minorID);
        return ostrel::kMsgSendOK;
    }
    qint64 serviceOwnerPid() override
    {
        log_.events << QStringLiteral("owner");
        return ownerPid;
    }
    bool waitForServiceGone(int) override { return true; }
    void setOwnerWatcher(OwnerWatcher watcher) override { ownerWatcher = std::move(watcher); }
    std::vector<yov::UI_MSG> sent;
    OwnerWatcher ownerWatcher;
    qint64 ownerPid = 0;

private:
    EventLog &log_;
};

class LoggingLauncher final : public ostrel::MsgServerLauncher {
public:
    explicit LoggingLauncher(EventLog &log) : log_(log) {}
    bool launch(const QString &) override
    {
        log_.events << QStringLiteral("launch");
        running_ = !failLaunches;
        return !failLaunches;
    }
    bool failLaunches = false;
    bool isRunning() const override { return running_; }
    void terminate(int) override
    {
        if (running_)
            log_.events << QStringLiteral("terminate");
        running_ = false;
    }
    bool endProcess(qint64 pid, int) override
    {
        log_.events << QStringLiteral("end %1").arg(pid);
        return true;
    }

private:
    EventLog &log_;
    bool running_ = false;
};

// Neighbours whose answers a test sets.
struct FakeDial : ostrel::DefaultDialController {
    bool busy = false;
    int status = 0;
    int disconnects = 0;
    int quitEnds = 0;
    int launchSteps = 0;
    bool GetisDialNow() const override { return busy; }
    int connectStatus() const override { return status; }
    void SelectDisconnectAction() override { ++disconnects; }
    void endConnectionForQuit() override { ++quitEnds; }
    void applicationDidFinishLaunchingInDialController() override { ++launchSteps; }
};
struct FakeSetting : ostrel::DefaultSettingController {
    bool selecting = false;
    bool isManualSelecting() const override { return selecting; }
};
struct FakeCall : ostrel::DefaultCallController {
    int stage = 0;
    int callStage() const override { return stage; }
};

class MainControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        resources_ = dir_.filePath(QStringLiteral("resources"));
        QDir().mkpath(resources_);
    }

    void TearDown() override
    {
        controller.reset();
        ostrel::Neighbours::installDefaults(nullptr);
        center_.reset();
        config_.reset();
    }

    // Writes settings.plist and builds the controller over it (nib time included).
    void build(const QVariantMap &settings)
    {
        ASSERT_TRUE(yov::PlistBridge::writeFile(dir_.filePath(QStringLiteral("settings.plist")), settings));
        config_ = std::make_unique<ostrel::ConfigManager>(dir_.path());
        auto transport = std::make_unique<LoggingTransport>(log);
        transport_ = transport.get();
        auto launcher = std::make_unique<LoggingLauncher>(log);
        launcher_ = launcher.get();
        center_ = std::make_unique<ostrel::YOVMsgCenter>(std::move(transport), std::move(launcher),
                                                         clock, notifications);
        // An executable stand-in path for the fake launcher; no resource list that names another.
        QFile program(dir_.filePath(QStringLiteral("Brannoc")));
        ASSERT_TRUE(program.open(QIODevice::WriteOnly));
        program.close();
        program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        center_->setProgramDir(dir_.path());
        center_->setResourceDir(resources_);
        ostrel::Neighbours::installDefaults(center_.get(), config_.get());
        ostrel::Neighbours::setDial(&dial);
        ostrel::Neighbours::setSetting(&setting);
        ostrel::Neighbours::setCall(&call);

        ostrel::ControllerContext context;
        context.skinManager = skinAccess;
        context.config = config_.get();
        context.msgCenter = center_.get();
        context.notificationCenter = &notifications;
        context.clock = &clock;
        controller = std::make_unique<ostrel::MainController>(context);
        controller->setResourcesFolder(resources_);
        controller->setBlocker([this](int ms) { blocks << ms; });
        controller->setTerminator([this] { ++terminations; });
        controller->setExiter([this](int status) { exits << status; });
        QObject::connect(controller.get(), &ostrel::MainController::splashFrameShown,
                         [this](int index) { frames << index; });
        notifications.removeObserver(&observer_);
        for (const char *name : {"AppReady", "AppWillClose", "MainwindOfAppChanged"}) {
            const QString n = QString::fromLatin1(name);
            notifications.addObserver(&observer_, n, nullptr, [this, n](const yov::Notification &note) {
                log.events << n;
                lastNotification = note;
            });
        }
        if (beforeWake)
            beforeWake(); // neighbours the wake-up itself talks to
        controller->awakeFromNib();
    }
    std::function<void()> beforeWake;

    // Numbered PNG frames 1..count in resources/<folder>.
    void writeFrames(const QString &folder, int count)
    {
        const QString path = QDir(resources_).filePath(folder);
        QDir().mkpath(path);
        for (int i = 1; i <= count; ++i) {
            QImage image(4 + i, 3, QImage::Format_RGB32);
            image.fill(Qt::white);
            ASSERT_TRUE(image.save(path + QStringLiteral("/%1.png").arg(i)));
        }
    }

    bool launched() const { return log.events.contains(QStringLiteral("launch")); }

    QTemporaryDir dir_;
    QString resources_;
    EventLog log;
    testing_support::ManualClock clock;
    yov::NotificationCenter notifications;
    QObject observer_;
    yov::Notification lastNotification;
    std::unique_ptr<ostrel::ConfigManager> config_;
    std::unique_ptr<ostrel::YOVMsgCenter> center_;
    LoggingTransport *transport_ = nullptr;
    LoggingLauncher *launcher_ = nullptr;
    // The skin the controller is built with (none by default).
    ostrel::SkinManagerAccess *skinAccess = nullptr;
    FakeDial dial;
    FakeSetting setting;
    FakeCall call;
    std::unique_ptr<ostrel::MainController> controller;
    QList<int> frames;
    QList<int> blocks;
    QList<int> exits;
    int terminations = 0;
};

} // namespace maintest
