#pragma once
// The phonebook side of the simulated modem: the SIM's and the device memory's contacts, their
// items files and the records of module 4 (common/records/phonebook/PhonebookRecords.h). Reports
// carry module 4 and type 0, answers module 4 and type 1.
//
// State (Modem/Phonebook):
//   Sim, Me            one storage each: MinIndex (1), MaxIndex (Sim 250, Me 500), NameLength (14,
//                      in bytes of the SIM alpha coding), NumberLength (20), Number2Length,
//                      Number3Length, EmailLength (0: the storage has no such field) and Items
//                      (array of {Index, Name, Num1, Num2, Num3, Email})
//   MePresent (YES)    whether the device memory holds a phonebook
//   ReportOrder        the storages reported at SIM ready, in order (["Me", "Sim"])
//   FailIndexes ([])   writes and deletes of these indexes are refused
//   SwitchResult (1)   the result byte of a storage switch (1 done, anything else failed)
//   HoldReplies (0)    the next n write and delete answers are held, then sent in reverse order
// Live values in ModemState: the Items of both storages as they are now, CurrentStorage (1 the
// device memory, 2 the SIM, 0 before the first report) and HeldReplies (count).
//
// When the SIM is ready the items files "SIM_Items.plist" and "ME_Items.plist" are written
// atomically into the ModemList folder, then one 1025/0 per storage is pushed in ReportOrder with
// the file's absolute path; the storage reported last is the current one. Nothing is reported
// before the SIM is ready, and removal forgets the reports, the current storage and held answers.
// A change of Sim or Me through SetModemState while ready rewrites that storage's file and reports
// it again.
//
// 1027/118 makes the named storage current when it exists and SwitchResult is 1; the answer's
// result byte is SwitchResult, or 0 for a storage that does not exist. 1029/122 acts on the
// current storage: a write is refused (result 0) for an index outside MinIndex..MaxIndex, or for
// a new index while the storage is full; a delete for an index it does not hold. Each change
// rewrites that storage's items file before the answer (index, operation, result) goes out.
// Fields the storage does not have (a length of 0) are not kept.

#include "brannoc/ModemArea.h"

#include "common/records/phonebook/PhonebookItemsFile.h"
#include "common/records/phonebook/PhonebookRecords.h"

#include <QList>

#include <map>

namespace brannoc {

class PhonebookArea final : public ModemArea {
public:
    QString name() const override { return QStringLiteral("Phonebook"); }
    void load(const QVariantMap &state) override;
    bool handleRequest(const yov::UI_MSG &request, ModemContext &context) override;
    void onEvent(ModemEvent event, ModemContext &context) override;
    QStringList stateKeys() const override;
    QVariantMap state() const override;

protected:
    void changed(const QVariantMap &previous, ModemContext &context) override;

private:
    struct Store {
        int storage = 0; // yov::PhonebookStorage
        QString key;     // "Sim" or "Me"
        int minIndex = 1;
        int maxIndex = 0;
        int nameLength = 0;
        int numberLength = 0;
        int number2Length = 0;
        int number3Length = 0;
        int emailLength = 0;
        std::map<int, yov::PhonebookItem> items;
    };

    Store storeFromState(const QString &key, int storage) const;
    Store *storeOf(int storage);
    bool present(int storage) const;
    QString itemsPath(const Store &store) const;
    bool writeItems(const Store &store) const;
    void report(const Store &store, ModemContext &context);
    void switchStorage(const yov::UI_MSG &request, ModemContext &context);
    void writeOrDelete(const yov::UI_MSG &request, ModemContext &context);
    // The store as it would be after the request; false when the request is refused.
    bool applyRequest(Store &store, const yov::PhonebookWriteRequest &request) const;
    void answer(const yov::UI_MSG &record, ModemContext &context);
    void releaseHeld(ModemContext &context);
    static QVariantList itemsState(const Store &store);

    Store sim_;
    Store me_;
    int current_ = 0;
    bool simReady_ = false;
    int holdLeft_ = 0;
    QList<yov::UI_MSG> held_;
};

} // namespace brannoc
