#include "brannoc/PhonebookArea.h"

#include "brannoc/BrannocService.h"
#include "brannoc/ModemRecords.h"
#include "common/ModemListResolver.h"
#include "common/ValueConversion.h"

#include <QDir>

#include <algorithm>
#include <utility>

namespace brannoc {

using namespace yov::pbmsg;

namespace {

constexpr std::int32_t kPhonebookModule = 4;

std::optional<QString> phonebookStateText(const QVariantMap &item, const char *key)
{
    const auto it = item.constFind(QLatin1String(key));
    return it == item.constEnd() ? std::nullopt : std::optional<QString>(yov::nsString(*it));
}

void putStateText(QVariantMap &item, const char *key, const std::optional<QString> &text)
{
    if (text)
        item.insert(QLatin1String(key), *text);
}

// A field as a storage keeps it: nothing when the storage has no such field or the text is empty.
std::optional<QString> keptField(const QString &text, int length)
{
    if (length <= 0 || text.isEmpty())
        return std::nullopt;
    return text;
}

} // namespace

QStringList PhonebookArea::stateKeys() const
{
    return {QStringLiteral("Sim"),         QStringLiteral("Me"),           QStringLiteral("MePresent"),
            QStringLiteral("ReportOrder"), QStringLiteral("FailIndexes"), QStringLiteral("SwitchResult"),
            QStringLiteral("HoldReplies")};
}

void PhonebookArea::load(const QVariantMap &state)
{
    state_ = state;
    sim_ = storeFromState(QStringLiteral("Sim"), yov::kPbStorageSim);
    me_ = storeFromState(QStringLiteral("Me"), yov::kPbStorageMe);
    current_ = 0;
    simReady_ = false;
    held_.clear();
    holdLeft_ = std::max(0, stateInt(state_, "HoldReplies", 0));
}

PhonebookArea::Store PhonebookArea::storeFromState(const QString &key, int storage) const
{
    const QVariantMap s = yov::nsDict(state_.value(key));
    Store store;
    store.storage = storage;
    store.key = key;
    store.minIndex = stateInt(s, "MinIndex", 1);
    store.maxIndex = stateInt(s, "MaxIndex", storage == yov::kPbStorageSim ? 250 : 500);
    store.nameLength = stateInt(s, "NameLength", 14);
    store.numberLength = stateInt(s, "NumberLength", 20);
    store.number2Length = stateInt(s, "Number2Length", 0);
    store.number3Length = stateInt(s, "Number3Length", 0);
    store.emailLength = stateInt(s, "EmailLength", 0);
    for (const QVariant &value : yov::nsArray(s.value(QStringLiteral("Items")))) {
        const QVariantMap entry = yov::nsDict(value);
        yov::PhonebookItem item;
        item.index = stateInt(entry, "Index", 0);
        item.name = phonebookStateText(entry, "Name");
        item.number1 = phonebookStateText(entry, "Num1");
        item.number2 = phonebookStateText(entry, "Num2");
        item.number3 = phonebookStateText(entry, "Num3");
        item.email = phonebookStateText(entry, "Email");
        if (item.index < store.minIndex || item.index > store.maxIndex || store.items.count(item.index)) {
            qCWarning(lcBrannoc).noquote() << "scenario: Phonebook" << key << "item" << item.index
                                           << "lies outside the storage or repeats an index; left out";
            continue;
        }
        store.items.emplace(item.index, item);
    }
    return store;
}

QVariantList PhonebookArea::itemsState(const Store &store)
{
    QVariantList items;
    for (const auto &[index, item] : store.items) {
        QVariantMap entry{{QStringLiteral("Index"), index}};
        putStateText(entry, "Name", item.name);
        putStateText(entry, "Num1", item.number1);
        putStateText(entry, "Num2", item.number2);
        putStateText(entry, "Num3", item.number3);
        putStateText(entry, "Email", item.email);
        items.append(entry);
    }
    return items;
}

QVariantMap PhonebookArea::state() const
{
    QVariantMap s = state_;
    for (const Store *store : {&sim_, &me_}) {
        QVariantMap storage = yov::nsDict(s.value(store->key));
        storage.insert(QStringLiteral("Items"), itemsState(*store));
        s.insert(store->key, storage);
    }
    s.insert(QStringLiteral("CurrentStorage"), current_);
    s.insert(QStringLiteral("HeldReplies"), int(held_.size()));
    return s;
}

void PhonebookArea::changed(const QVariantMap &previous, ModemContext &context)
{
    const auto differs = [&](const char *key) {
        return previous.value(QLatin1String(key)) != state_.value(QLatin1String(key));
    };
    if (differs("HoldReplies")) {
        holdLeft_ = std::max(0, stateInt(state_, "HoldReplies", 0));
        if (holdLeft_ == 0)
            releaseHeld(context);
    }
    for (Store *store : {&sim_, &me_}) {
        if (!differs(store->key.toLatin1().constData()))
            continue;
        *store = storeFromState(store->key, store->storage);
        if (simReady_ && present(store->storage))
            report(*store, context);
    }
}

void PhonebookArea::onEvent(ModemEvent event, ModemContext &context)
{
    if (event == ModemEvent::DeviceRemoved) {
        simReady_ = false;
        current_ = 0;
        held_.clear();
        holdLeft_ = 0;
        return;
    }
    if (event != ModemEvent::SimReady)
        return;
    simReady_ = true;
    // Both files first, then the reports: a report never names a file that is yet to come.
    QList<Store *> reported;
    for (const QVariant &value : yov::nsArray(state_.value(QStringLiteral("ReportOrder"), QVariantList{QStringLiteral("Me"), QStringLiteral("Sim")}))) {
        const QString key = yov::nsString(value);
        Store *store = key == sim_.key ? &sim_ : key == me_.key ? &me_ : nullptr;
        if (!store || !present(store->storage) || reported.contains(store))
            continue;
        writeItems(*store);
        reported.append(store);
    }
    for (Store *store : reported)
        report(*store, context);
}

// ---------------------------------------------------------------------------------------------
// Storages and files.

PhonebookArea::Store *PhonebookArea::storeOf(int storage)
{
    if (!present(storage))
        return nullptr;
    return storage == yov::kPbStorageSim ? &sim_ : &me_;
}

bool PhonebookArea::present(int storage) const
{
    if (storage == yov::kPbStorageSim)
        return true;
    return storage == yov::kPbStorageMe && stateBool(state_, "MePresent", true);
}

QString PhonebookArea::itemsPath(const Store &store) const
{
    const QString folder = yov::ModemListResolver::modemListPath();
    if (folder.isEmpty())
        return {};
    return QDir(folder).absoluteFilePath(QLatin1String(store.storage == yov::kPbStorageSim ? yov::kSimItemsFileName
                                                                                          : yov::kMeItemsFileName));
}

bool PhonebookArea::writeItems(const Store &store) const
{
    const QString path = itemsPath(store);
    QList<yov::PhonebookItem> items;
    for (const auto &entry : store.items)
        items.append(entry.second);
    QString why;
    if (!path.isEmpty() && yov::PhonebookItemsFile::write(path, items, &why))
        return true;
    qCWarning(lcBrannoc).noquote() << "Phonebook: cannot write the items file" << path << why;
    return false;
}

void PhonebookArea::report(const Store &store, ModemContext &context)
{
    yov::PhonebookInitRecord record;
    record.numberLength = store.numberLength;
    record.nameLength = store.nameLength;
    record.minIndex = store.minIndex;
    record.maxIndex = store.maxIndex;
    record.path = itemsPath(store);
    record.number2Length = store.number2Length;
    record.number3Length = store.number3Length;
    record.emailLength = store.emailLength;
    record.storage = store.storage;
    if (yov::utf8Within(record.path, yov::PhonebookInitRecord::kLenPath - 1).size() < record.path.toUtf8().size())
        qCWarning(lcBrannoc).noquote() << "Phonebook: the items path is too long for its field:" << record.path;
    context.push(makeRecord(kMajorInit, kMinorInit, kTypeReport, kOk, kPhonebookModule, record.encode()));
    current_ = store.storage;
}

// ---------------------------------------------------------------------------------------------
// Requests.

bool PhonebookArea::handleRequest(const yov::UI_MSG &request, ModemContext &context)
{
    if (request.majorID == kMajorStorage && request.minorID == kMinorStorage) {
        switchStorage(request, context);
        return true;
    }
    if (request.majorID == kMajorWrite && request.minorID == kMinorWrite) {
        writeOrDelete(request, context);
        return true;
    }
    return false;
}

void PhonebookArea::switchStorage(const yov::UI_MSG &request, ModemContext &context)
{
    const auto wanted = yov::PhonebookStorageRequest::decode(yov::PayloadReader::ofMsg(request));
    const bool exists = simReady_ && storeOf(wanted.storage);
    const int result = exists ? stateInt(state_, "SwitchResult", kStorageSwitchDone) : 0;
    if (exists && result == kStorageSwitchDone)
        current_ = wanted.storage;
    else
        qCInfo(lcBrannoc).noquote() << "Phonebook: the switch to storage" << wanted.storage << "answers" << result;
    context.push(makeRecord(kMajorStorage, kMinorStorage, kTypeAnswer, std::int8_t(result), kPhonebookModule,
                            wanted.encode()));
}

bool PhonebookArea::applyRequest(Store &store, const yov::PhonebookWriteRequest &request) const
{
    for (const QVariant &failing : yov::nsArray(state_.value(QStringLiteral("FailIndexes")))) {
        if (yov::nsInt(failing) == request.index)
            return false;
    }
    const bool held = store.items.count(request.index) > 0;
    if (request.operation == yov::kPbOperationDelete) {
        store.items.erase(request.index);
        return held;
    }
    if (request.operation != yov::kPbOperationWrite || request.index < store.minIndex || request.index > store.maxIndex)
        return false;
    if (!held && int(store.items.size()) >= store.maxIndex - store.minIndex + 1)
        return false;
    yov::PhonebookItem item;
    item.index = request.index;
    item.name = keptField(request.name, 1);
    item.number1 = keptField(request.number1, 1);
    item.number2 = keptField(request.number2, store.number2Length);
    item.number3 = keptField(request.number3, store.number3Length);
    item.email = keptField(request.email, store.emailLength);
    store.items[request.index] = item;
    return true;
}

void PhonebookArea::writeOrDelete(const yov::UI_MSG &request, ModemContext &context)
{
    const auto wanted = yov::PhonebookWriteRequest::decode(yov::PayloadReader::ofMsg(request));
    Store *store = simReady_ ? storeOf(current_) : nullptr;
    bool done = false;
    if (store) {
        Store changed = *store;
        done = applyRequest(changed, wanted) && writeItems(changed);
        if (done)
            *store = changed;
    }
    if (!done)
        qCInfo(lcBrannoc).noquote() << "Phonebook: operation" << wanted.operation << "of index" << wanted.index
                                    << "refused in storage" << current_;
    yov::PhonebookWriteResult result;
    result.index = wanted.index;
    result.operation = wanted.operation;
    result.result = done ? 1 : 0;
    answer(makeRecord(kMajorWrite, kMinorWrite, kTypeAnswer, kOk, kPhonebookModule, result.encode()), context);
}

void PhonebookArea::answer(const yov::UI_MSG &record, ModemContext &context)
{
    if (holdLeft_ <= 0) {
        context.push(record);
        return;
    }
    held_.append(record);
    if (--holdLeft_ == 0)
        releaseHeld(context);
}

void PhonebookArea::releaseHeld(ModemContext &context)
{
    const QList<yov::UI_MSG> held = std::exchange(held_, {});
    holdLeft_ = 0;
    state_.insert(QStringLiteral("HoldReplies"), 0);
    for (auto it = held.crbegin(); it != held.crend(); ++it)
        context.push(*it);
}

} // namespace brannoc
