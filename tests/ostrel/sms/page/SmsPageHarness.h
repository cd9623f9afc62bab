#pragma once
// The SMS page controller over an in-process message transport, a temporary ModemList folder, a
// manual clock and scripted alerts, woken as the dashboard wakes it (with a tab view holding
// "SMS" and "Internet"); the neighbours it calls are small recording fakes.
#include "FakeMsgTransport.h"

#include "common/PlistBridge.h"
#include "common/sms/SmsListFiles.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/sms/page/SmsBoxView.h"
#include "ostrel/sms/page/SmsPageView.h"
#include "ostrel/sms/page/SmsTableModel.h"
#include "common/records/Payload.h"
#include "common/records/UiMsg.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/controller/SkinManagerAccess.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"
#include "ostrel/sms/page/SMSController.h"
#include "platform/NotificationCenter.h"
#include "support/ManualClock.h"
#include "support/ScriptedAlertPresenter.h"

#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>

#include <QItemSelectionModel>

#include <gtest/gtest.h>

#include <memory>

namespace sms_page_test {

using namespace ostrel;

inline const char *const kPcList = yov::sms::kSmsListPcFileName;
inline const char *const kSimList = yov::sms::kSmsListSimFileName;

// Selects the table's rows as a user would.
inline void selectRows(SMSController &c, const QList<int> &rows)
{
    QItemSelection selection;
    for (int row : rows)
        selection.select(c.tableModel()->index(row, 0), c.tableModel()->index(row, 3));
    c.page()->msgBoxList->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// Chooses a position and a box in the page's storage controls.
inline void choose(SMSController &c, int position, int box)
{
    SmsBoxView *view = c.boxView();
    ASSERT_TRUE(view->saveAtPos->selectCellAtRow(c.yovPositionManager().getPositionOrderByPositon(position)));
    c.selectSaveAt();
    ASSERT_TRUE(view->msgBoxSelectAt->selectCellAtRow(c.getBoxDisplayOrderWithBox(box)));
    c.msgBoxSelect();
}

// A phonebook that knows two numbers and records the new-contact windows asked for.
class FakePhonebook : public DefaultPBController {
public:
    QString searchNameAtPhoneBook(const QString &number) override
    {
        if (number == "100")
            return "Ann";
        if (number == "200")
            return "Bob";
        return number;
    }
    void toPbUserWinWithPhoneNumber(const QString &number, const QString &position) override
    {
        newContacts << number + "@" + position;
    }
    QStringList newContacts;
};

class RecordingSetting : public DefaultSettingController {
public:
    QList<bool> simFull;
    QList<bool> restores;
    bool deviceLockOn = false;
    QStringList centres;
    void setIsSimCardFull(bool full) override { simFull << full; }
    void writeMessageCenter(const QString &number) override { centres << number; }
    void restoreAlertPanel(bool success) override { restores << success; }
    bool getDeviceUnlockCodeState() const override { return deviceLockOn; }
};

class RecordingInit : public DefaultInitController {
public:
    int unlockWindows = 0;
    void openUnlockDeviceWindow(QWidget *) override { ++unlockWindows; }
};

class RecordingMain : public DefaultMainController {
public:
    bool sendingUserInfo = false;
    bool isSendingUserInfo() const override { return sendingUserInfo; }
    void setIsSendingUserInfo(bool sending) override { sendingUserInfo = sending; }
    // What the status item was last told.
    QStringList statusItem;
    void freshStatusViewWhenNormalSMSArrive() override { statusItem << "normal"; }
    void freshStatusViewWhenFlowValueSMSArrive() override { statusItem << "flow"; }
    void freshStatusViewToStaticViewAccorindToDialStatus(int status) override { statusItem << QString("dial %1").arg(status); }
    void setImageOfStatusBarViewWithImageName(const QString &name) override { statusItem << name; }
};

// A skin that binds nothing and holds the smart window's unread-hint label.
class HintSkin final : public SkinManagerAccess {
public:
    bool registerController(QObject *, const QString &, bool) override { return false; }
    bool updateItem(QObject *) override { return false; }
    QObject *controllerByKey(const QString &key) const override
    {
        return key == QLatin1String("labelSMSHint") ? const_cast<QLabel *>(&hint) : nullptr;
    }
    bool hasKey(const QString &key) const override { return key == QLatin1String("labelSMSHint"); }
    bool setImageForKey(const QString &, const QString &, bool) override { return false; }
    QLabel hint;
};

class SmsPageHarness {
public:
    explicit SmsPageHarness(const QVariantMap &settings, const QVariantMap &lists = {})
    {
        yov::PlistBridge::writeFile(dir.filePath("settings.plist"), settings);
        for (auto it = lists.cbegin(); it != lists.cend(); ++it)
            writeList(it.key().toUtf8().constData(), it.value().toMap());
        store = std::make_unique<ConfigManager>(dir.path());
        auto t = std::make_unique<msgtest::FakeMsgTransport>();
        transport = t.get();
        center = std::make_unique<YOVMsgCenter>(std::move(t), std::make_unique<msgtest::FakeLauncher>(), clock, notifications);
        center->setDoNotLockMsgReader([] { return false; });
        center->awakeFromNib();
        Neighbours::installDefaults(center.get(), store.get());
        Neighbours::setPhonebook(&phonebook);
        Neighbours::setSetting(&setting);
        Neighbours::setInit(&init);
        Neighbours::setMain(&mainWindow);
        for (const char *id : {"Internet", "SMS"}) {
            auto *page = new QWidget;
            setTabViewItemIdentifier(page, id);
            tabs.addTab(page, id);
        }
        ControllerContext context;
        context.config = store.get();
        context.msgCenter = center.get();
        context.notificationCenter = &notifications;
        context.clock = &clock;
        context.skinManager = &skin;
        controller = std::make_unique<SMSController>(context);
        controller->tabviewMain = &tabs;
        controller->awakeFromNib();
    }
    ~SmsPageHarness()
    {
        controller.reset();
        Neighbours::installDefaults(nullptr);
    }

    void writeList(const char *name, const QVariantMap &list) { yov::PlistBridge::writeFile(dir.filePath(name), list); }
    void deliver(int minor, const QByteArray &payload = {}, int type = 1, int result = 0)
    {
        transport->deliver(msgtest::deviceRecord(1, 768, minor, payload, result, type));
        clock.advance(YOVMsgCenter::kDrainIntervalMs);
    }
    QList<yov::UI_MSG> sentRecords(int minor) const
    {
        QList<yov::UI_MSG> records;
        for (const QByteArray &r : transport->sent) {
            yov::UI_MSG m;
            yov::msgFromBytes(r, m);
            if (m.majorID == 768 && m.minorID == minor)
                records << m;
        }
        return records;
    }
    int sentCount(int minor) const { return int(sentRecords(minor).size()); }
    // The records of that minor sent so far, decoded.
    template <typename Record>
    QList<Record> decodedRecords(int minor) const
    {
        QList<Record> out;
        for (const yov::UI_MSG &m : sentRecords(minor))
            out << Record::decode(yov::PayloadReader::ofMsg(m));
        return out;
    }

    QTemporaryDir dir;
    std::unique_ptr<ConfigManager> store;
    testing_support::ManualClock clock;
    yov::NotificationCenter notifications;
    msgtest::FakeMsgTransport *transport = nullptr;
    std::unique_ptr<YOVMsgCenter> center;
    FakePhonebook phonebook;
    RecordingSetting setting;
    RecordingInit init;
    RecordingMain mainWindow;
    QTabWidget tabs;
    HintSkin skin;
    testing_support::ScriptedAlertPresenter alerts;
    yov::ScopedAlertPresenter alertGuard{&alerts};
    std::unique_ptr<SMSController> controller;
};

// One box of a list file in the harness's folder as it is on disk.
inline QVariantList fileBox(const SmsPageHarness &h, const char *file, const char *box)
{
    return yov::sms::readSmsListFile(h.dir.filePath(file)).value_or(QVariantMap()).value(box).toList();
}

} // namespace sms_page_test
