#pragma once
// The phonebook controller on the in-process transport: records from the device service go in
// through the message center, and the requests it sends are read back. What the page, the dialog
// and the later phonebook parts would do is recorded by RecordingExtensions.
#include "FakeMsgTransport.h"
#include "PhonebookHarness.h"

#include "common/records/phonebook/PhonebookItemsFile.h"
#include "common/records/phonebook/PhonebookRecords.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "support/ManualClock.h"

#include <QPair>

#include <optional>

namespace pbtest {

inline const QString kOperationFailed = QStringLiteral("The operation failed!");

class RecordingExtensions : public ostrel::DefaultPBExtensions {
public:
    void openAddDialogToSaveNumber(int savePosition, const QString &number) override { dialogs.append({savePosition, number}); }
    void savePositionsChanged(const ostrel::SavePositionCells &c) override { cells = c; }
    void showSideOfSavePosition(int tag) override { sides.append(tag); }
    void setPBMenuAndExportStatus(bool enabled) override { menus = enabled; }
    void preDoWithProcessBeforeOperation(int records) override { progressTotal = records; }
    // Deletes every card record whose "fileNameNumber" is not in refusedCardFiles.
    bool deleteTCardRecord(const QVariantMap &contact) override
    {
        const int file = contact.value(QStringLiteral("fileNameNumber")).toInt();
        cardFilesDeleted.append(file);
        return !refusedCardFiles.contains(file);
    }

    QList<QPair<int, QString>> dialogs;
    std::optional<ostrel::SavePositionCells> cells;
    QList<int> sides;
    std::optional<bool> menus;
    int progressTotal = -1;
    QList<int> refusedCardFiles;
    QList<int> cardFilesDeleted; // every deletion asked for, refused ones included
};

// One record of a device storage, for items files and expectations.
inline yov::PhonebookItem item(int index, const QString &name, const QString &number = QString())
{
    yov::PhonebookItem i;
    i.index = index;
    i.name = name;
    if (!number.isNull())
        i.number1 = number;
    return i;
}

class LinkHarness : public Harness {
public:
    explicit LinkHarness(const QVariantMap &phoneBook = {}, const QVariantMap &topLevel = {}) : Harness(phoneBook, topLevel)
    {
        auto t = std::make_unique<msgtest::FakeMsgTransport>();
        transport = t.get();
        center = std::make_unique<ostrel::YOVMsgCenter>(std::move(t), std::make_unique<msgtest::FakeLauncher>(), manualClock,
                                                        notifications);
        center->setDoNotLockMsgReader([] { return false; });
        center->awakeFromNib();
        msgCenter = center.get();
        clock = &manualClock;
        notifications.addObserver(&observer, QStringLiteral("addContactResult"), nullptr,
                                  [this](const yov::Notification &n) {
                                      ++addContactResults;
                                      lastAddContactResult = n.userInfo.value(QStringLiteral("addContactResult")).toList();
                                  });
    }
    ~LinkHarness() { pb.reset(); }

    ostrel::PBController &startLinked()
    {
        ostrel::PBController &controller = start();
        controller.setExtensions(&extensions);
        return controller;
    }

    // A record from the device service, handed to the controller by the message center.
    void deliver(int major, int minor, const QByteArray &payload, int result = 0, int type = 0)
    {
        transport->deliver(msgtest::deviceRecord(4, major, minor, payload, result, type));
        manualClock.advance(ostrel::YOVMsgCenter::kDrainIntervalMs);
    }

    // Writes the storage's items file and reports the storage (1025/0).
    void report(int storage, const QList<yov::PhonebookItem> &items, int maxIndex, int nameLength = 14,
                int numberLength = 20, int number2 = 0, int number3 = 0, int email = 0)
    {
        const QString file = path(storage == yov::kPbStorageSim ? QStringLiteral("SIM_Items.plist") : QStringLiteral("ME_Items.plist"));
        yov::PhonebookItemsFile::write(file, items);
        yov::PhonebookInitRecord r;
        r.numberLength = numberLength;
        r.nameLength = nameLength;
        r.minIndex = 1;
        r.maxIndex = maxIndex;
        r.path = file;
        r.number2Length = number2;
        r.number3Length = number3;
        r.emailLength = email;
        r.storage = storage;
        deliver(1025, 0, r.encode());
    }

    void answerWrite(int index, bool ok, int operation = yov::kPbOperationWrite)
    {
        deliver(1029, 122, yov::PhonebookWriteResult{index, operation, ok ? 1 : 0}.encode(), 0, 1);
    }
    void answerSwitch(int outcome, int storage) { deliver(1027, 118, yov::int32Words({storage}), outcome, 1); }

    // The requests sent so far with that ID, as their payloads.
    QList<QByteArray> sent(int major, int minor) const
    {
        QList<QByteArray> payloads;
        for (const QByteArray &r : transport->sent) {
            yov::UI_MSG m;
            yov::msgFromBytes(r, m);
            if (m.majorID == major && m.minorID == minor)
                payloads.append(QByteArray(reinterpret_cast<const char *>(m.data), m.dataLength));
        }
        return payloads;
    }
    QList<yov::PhonebookWriteRequest> writes() const
    {
        QList<yov::PhonebookWriteRequest> requests;
        for (const QByteArray &p : sent(1029, 122))
            requests.append(yov::PhonebookWriteRequest::decode(yov::PayloadReader(p)));
        return requests;
    }
    // The storages asked for by 1027/118, in order.
    QList<int> switches() const
    {
        QList<int> storages;
        for (const QByteArray &p : sent(1027, 118))
            storages.append(yov::PayloadReader(p).int32(0));
        return storages;
    }
    // The IDs of every request, "major/minor", in order.
    QStringList requestIds() const
    {
        QStringList ids;
        for (const QByteArray &r : transport->sent) {
            yov::UI_MSG m;
            yov::msgFromBytes(r, m);
            ids << QStringLiteral("%1/%2").arg(m.majorID).arg(m.minorID);
        }
        return ids;
    }

    testing_support::ManualClock manualClock;
    msgtest::FakeMsgTransport *transport = nullptr;
    std::unique_ptr<ostrel::YOVMsgCenter> center;
    RecordingExtensions extensions;
    QObject observer;
    int addContactResults = 0;
    QVariantList lastAddContactResult;
};

// The names of a list, in order.
inline QStringList namesOf(const QList<QVariantMap> &list)
{
    QStringList names;
    for (const QVariantMap &c : list)
        names << c.value(QStringLiteral("username")).toString();
    return names;
}

} // namespace pbtest
