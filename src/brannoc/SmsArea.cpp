#include "brannoc/SmsArea.h"

#include "brannoc/BrannocService.h"
#include "brannoc/ModemRecords.h"
#include "brannoc/SimArea.h"
#include "common/ModemListResolver.h"
#include "common/PlistBridge.h"
#include "common/ValueConversion.h"
#include "common/sms/SmsBoxCodes.h"
#include "common/sms/SmsListFileLock.h"
#include "common/sms/SmsListFiles.h"

#include <QDir>
#include <QFileInfo>

#include <limits>
#include <memory>
#include <set>

namespace brannoc {

using namespace yov::sms;
using yov::smsmsg::kMajor;

namespace {

constexpr std::int32_t kSmsModule = 5;

} // namespace

SmsArea::SmsArea()
{
    pumpTimer_.setSingleShot(true);
    pumpTimer_.callOnTimeout([this] { pump(); });
    clock_.start();
}

QStringList SmsArea::stateKeys() const
{
    return {QStringLiteral("SimCapacity"),    QStringLiteral("MeCapacity"),   QStringLiteral("SimMessages"),
            QStringLiteral("MeMessages"),     QStringLiteral("StoreCode"),    QStringLiteral("SmsCentre"),
            QStringLiteral("Routing"),        QStringLiteral("SendOutcomes"), QStringLiteral("FailNextDelete"),
            QStringLiteral("FailNextCopy"),   QStringLiteral("HoldAnswers"),
            QStringLiteral("RefuseCentre")};
}

void SmsArea::load(const QVariantMap &state)
{
    state_ = state;
    pumpTimer_.stop();
    requests_.clear();
    deliveries_.clear();
    held_.clear();
    touchedAtMs_.clear();
    simReady_ = false;
    resetStores();
}

QVariantMap SmsArea::state() const
{
    QVariantMap s = state_;
    s.insert(QStringLiteral("SimUsed"), used(kPositionSim));
    s.insert(QStringLiteral("MeUsed"), used(kPositionMe));
    s.insert(QStringLiteral("HeldAnswers"), int(held_.size()));
    return s;
}

void SmsArea::changed(const QVariantMap &previous, ModemContext &)
{
    const auto differs = [&](const char *key) {
        return previous.value(QLatin1String(key)) != state_.value(QLatin1String(key));
    };
    if (differs("HoldAnswers"))
        releaseHeldAnswers();
    if (differs("SimMessages") || differs("MeMessages")) {
        resetStores();
        if (simReady_) {
            writeDeviceFiles();
            pushListState(yov::SmsListState::kChanged);
            pushCapacity();
        }
    } else if (simReady_ && (differs("SimCapacity") || differs("MeCapacity"))) {
        pushCapacity();
    }
}

void SmsArea::onEvent(ModemEvent event, ModemContext &)
{
    if (event == ModemEvent::DeviceRemoved) {
        simReady_ = false;
        pumpTimer_.stop();
        requests_.clear();
        deliveries_.clear();
        return;
    }
    if (event != ModemEvent::SimReady)
        return;
    simReady_ = true;
    writeDeviceFiles();
    // The computer's file belongs to the dashboard as much as to the modem: it is only created.
    const QString pc = listPath(kPositionPc);
    if (!pc.isEmpty() && !QFileInfo::exists(pc)) {
        SmsListFileLock lock(pc);
        QString why;
        if (lock.tryLock(&why) && !QFileInfo::exists(pc) && !yov::PlistBridge::writeFile(pc, emptySmsList(kPositionPc), &why))
            qCWarning(lcBrannoc).noquote() << "SMS: cannot create" << pc << why;
    }
    pushCapacity();
    pushListState(yov::SmsListState::kReady);
}

// ---------------------------------------------------------------------------------------------
// Settings and paths.

QVariantMap SmsArea::settings() const
{
    const QString folder = yov::ModemListResolver::modemListPath();
    if (folder.isEmpty())
        return {};
    const auto root = yov::PlistBridge::readFile(QDir(folder).filePath(QStringLiteral("settings.plist")));
    return root ? yov::nsDict(*root) : QVariantMap();
}

SmsCodecOptions SmsArea::codecOptions() const
{
    return smsCodecOptionsFromSettings(settings());
}

QString SmsArea::ownNumber() const
{
    const auto *sim = context_ ? dynamic_cast<const SimArea *>(context_->area(QStringLiteral("Sim"))) : nullptr;
    return sim ? sim->ownNumber() : QString();
}

QString SmsArea::imsi() const
{
    const auto *sim = context_ ? dynamic_cast<const SimArea *>(context_->area(QStringLiteral("Sim"))) : nullptr;
    return sim ? sim->imsi() : QString();
}

QString SmsArea::tcardVolume() const
{
    return qEnvironmentVariable("OSTREL_TCARD");
}

QString SmsArea::listPath(int position) const
{
    if (position == kPositionTcard) {
        const QString volume = tcardVolume();
        return volume.isEmpty() ? QString() : tcardSmsListPath(volume);
    }
    const QString folder = yov::ModemListResolver::modemListPath();
    if (folder.isEmpty())
        return {};
    switch (position) {
    case kPositionPc: return QDir(folder).filePath(QLatin1String(kSmsListPcFileName));
    case kPositionSim: return QDir(folder).filePath(QLatin1String(kSmsListSimFileName));
    case kPositionMe: return QDir(folder).filePath(QLatin1String(kSmsListMeFileName));
    default: return {};
    }
}

int SmsArea::storePosition() const
{
    const int position = yov::smsPositionOfStoreCode(stateInt(state_, "StoreCode", yov::kSmsStoreSim));
    return position < 0 ? int(kPositionSim) : position;
}

int SmsArea::landingPosition(int places) const
{
    const int position = storePosition();
    if (position == kPositionTcard && tcardVolume().isEmpty())
        return kPositionPc;
    if (isSimOrMePosition(position) && used(position) + places > capacity(position))
        return kPositionPc;
    return position;
}

// ---------------------------------------------------------------------------------------------
// Stores.

void SmsArea::resetStores()
{
    sim_ = storedList(state_, "SimMessages", kPositionSim);
    me_ = storedList(state_, "MeMessages", kPositionMe);
}

QVariantMap SmsArea::storedList(const QVariantMap &messagesState, const char *key, int position)
{
    QVariantMap list = emptySmsList(position);
    for (const QVariant &value : yov::nsArray(messagesState.value(QLatin1String(key)))) {
        const QVariantMap message = yov::nsDict(value);
        const QString box = yov::nsString(message.value(QStringLiteral("Box"), QStringLiteral("InBox")));
        if (!list.contains(box)) {
            qCWarning(lcBrannoc).noquote() << "scenario: Sms" << key << "has no box" << box;
            continue;
        }
        const QList<SmsStoredPart> parts = scenarioParts(message, position);
        if (parts.isEmpty())
            continue;
        QVariantList entries = list.value(box).toList();
        entries.append(smsRegularEntry(parts, parts.size() > 1));
        list.insert(box, entries);
    }
    renumberSmsList(list);
    return list;
}

int SmsArea::capacity(int position) const
{
    if (position == kPositionSim)
        return qMax(0, stateInt(state_, "SimCapacity", 20));
    if (position == kPositionMe)
        return qMax(0, stateInt(state_, "MeCapacity", 50));
    return std::numeric_limits<int>::max();
}

int SmsArea::used(int position) const
{
    if (position == kPositionSim)
        return smsListPlaces(sim_);
    if (position == kPositionMe)
        return smsListPlaces(me_);
    return 0;
}

std::optional<QVariantMap> SmsArea::readStore(int position, QString *error) const
{
    if (position == kPositionSim)
        return sim_;
    if (position == kPositionMe)
        return me_;
    const QString path = listPath(position);
    if (path.isEmpty()) {
        if (error)
            *error = position == kPositionTcard ? QStringLiteral("no memory card") : QStringLiteral("no such store");
        return std::nullopt;
    }
    if (!QFileInfo::exists(path))
        return emptySmsList(position);
    return readSmsListFile(path, error);
}

bool SmsArea::changeStore(int position, const std::function<bool(QVariantMap &)> &change, QString *error)
{
    const QString path = listPath(position);
    if (path.isEmpty()) {
        if (error)
            *error = position == kPositionTcard ? QStringLiteral("no memory card") : QStringLiteral("no such store");
        return false;
    }
    if (!isSimOrMePosition(position))
        return rewriteSmsListFile(path, change, emptySmsList(position), error);
    // The device's own stores: their parts always tell their place.
    QVariantMap &store = position == kPositionSim ? sim_ : me_;
    QVariantMap next = store;
    if (!change(next))
        return false;
    renumberSmsList(next);
    if (!yov::PlistBridge::writeFile(path, next, error))
        return false;
    store = next;
    return true;
}

void SmsArea::writeDeviceFiles()
{
    for (int position : {kPositionSim, kPositionMe}) {
        const QString path = listPath(position);
        QString why;
        if (path.isEmpty() || !yov::PlistBridge::writeFile(path, position == kPositionSim ? sim_ : me_, &why))
            qCWarning(lcBrannoc).noquote() << "SMS: cannot write the list of position" << position << why;
    }
}

void SmsArea::announce(int position)
{
    pushListState(yov::SmsListState::kChanged);
    if (isSimOrMePosition(position))
        pushCapacity();
}

void SmsArea::settle(int position, bool changed, const char *what, const QString &why)
{
    if (changed)
        announce(position);
    else
        qCInfo(lcBrannoc).noquote() << "SMS:" << what << "-" << why;
}

void SmsArea::pushCapacity()
{
    const yov::SmsCapacity c{capacity(kPositionSim), used(kPositionSim), capacity(kPositionMe), used(kPositionMe)};
    report(yov::smsmsg::kMinorCapacity, c.encode(), yov::kSmsTypeAnswer);
}

void SmsArea::pushListState(std::int32_t state)
{
    report(yov::smsmsg::kMinorListState, yov::SmsListState{state}.encode());
}

// ---------------------------------------------------------------------------------------------
// Answers and reports.

void SmsArea::answer(std::uint16_t minor, std::int8_t result, const QByteArray &payload, std::int32_t type)
{
    const yov::UI_MSG record = makeRecord(kMajor, minor, type, result, kSmsModule, payload);
    for (const QVariant &held : yov::nsArray(state_.value(QStringLiteral("HoldAnswers"))))
        if (yov::nsInt(held) == minor) {
            held_.append(record);
            return;
        }
    if (context_)
        context_->push(record);
}

void SmsArea::report(std::uint16_t minor, const QByteArray &payload, std::int32_t type)
{
    if (context_)
        context_->push(makeRecord(kMajor, minor, type, kOk, kDeviceModule, payload));
}

void SmsArea::releaseHeldAnswers()
{
    std::set<int> stillHeld;
    for (const QVariant &v : yov::nsArray(state_.value(QStringLiteral("HoldAnswers"))))
        stillHeld.insert(yov::nsInt(v));
    QList<yov::UI_MSG> keep;
    for (const yov::UI_MSG &record : std::as_const(held_)) {
        if (stillHeld.count(record.minorID))
            keep.append(record);
        else if (context_)
            context_->push(record);
    }
    held_ = keep;
}

// ---------------------------------------------------------------------------------------------
// Jobs: requests in the order they came, new messages in the order they arrived; each waits for
// the lock of the shared files it writes without holding up the modem.

void SmsArea::enqueue(JobQueue &queue, Job job)
{
    queue.push_back(std::move(job));
    pump();
}

void SmsArea::pump()
{
    if (pumping_ || !context_)
        return;
    pumping_ = true;
    pumpTimer_.stop();
    qint64 wait = -1;
    for (;;) {
        const qint64 a = runQueue(requests_);
        const qint64 b = runQueue(deliveries_);
        // A job may have queued more work in a queue that was already run through.
        if ((a < 0 && !requests_.empty()) || (b < 0 && !deliveries_.empty()))
            continue;
        if (a >= 0 && b >= 0)
            wait = qMin(a, b);
        else
            wait = qMax(a, b);
        break;
    }
    pumping_ = false;
    if (wait >= 0)
        pumpTimer_.start(int(wait));
}

qint64 SmsArea::runQueue(JobQueue &queue)
{
    while (!queue.empty()) {
        Job &job = queue.front();
        QList<int> positions = job.positions ? job.positions() : QList<int>();
        if (job.waitMs) {
            const qint64 wait = job.waitMs();
            if (wait > 0)
                return wait;
        }
        std::sort(positions.begin(), positions.end());
        positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
        std::vector<std::unique_ptr<SmsListFileLock>> locks;
        bool locked = true;
        QString why;
        for (int position : std::as_const(positions)) {
            if (isSimOrMePosition(position) || listPath(position).isEmpty())
                continue;
            auto lock = std::make_unique<SmsListFileLock>(listPath(position));
            if (!lock->tryLock(&why)) {
                locked = false;
                break;
            }
            locks.push_back(std::move(lock));
        }
        if (!locked) {
            if (!job.lockWait.isValid())
                job.lockWait.start();
            if (job.lockWait.elapsed() < SmsListFileLock::kWaitMs)
                return kLockRetryMs;
            qCWarning(lcBrannoc).noquote() << "SMS: the list-file lock was not had within"
                                           << SmsListFileLock::kWaitMs << "ms:" << why;
        }
        Job current = std::move(job);
        queue.pop_front();
        current.run(locked);
    }
    return -1;
}

void SmsArea::touch(int position)
{
    touchedAtMs_[position] = clock_.elapsed();
}

qint64 SmsArea::quietWait(int position) const
{
    const auto it = touchedAtMs_.find(position);
    if (it == touchedAtMs_.end())
        return 0;
    return qMax<qint64>(0, it->second + kQuietMs - clock_.elapsed());
}

// ---------------------------------------------------------------------------------------------
// Requests.

bool SmsArea::handleRequest(const yov::UI_MSG &request, ModemContext &)
{
    using namespace yov::smsmsg;
    if (request.majorID != kMajor)
        return false;
    const yov::PayloadReader payload = yov::PayloadReader::ofMsg(request);
    const auto job = [this](QList<int> positions, std::function<void(bool)> run) {
        Job j;
        j.positions = [positions] { return positions; };
        j.run = std::move(run);
        enqueue(requests_, std::move(j));
    };
    switch (request.minorID) {
    case kMinorSend: {
        const yov::SmsSendRequest r = yov::SmsSendRequest::decode(payload);
        QList<int> positions;
        if (r.saveInBox)
            positions = {storePosition(), int(kPositionPc)};
        job(positions, [this, r](bool locked) { send(r, locked); });
        return true;
    }
    case kMinorDelete: {
        const yov::SmsDeleteRequest r = yov::SmsDeleteRequest::decode(payload);
        job({r.position}, [this, r](bool locked) { removeMessage(r, locked); });
        return true;
    }
    case kMinorCopy: {
        const yov::SmsCopyRequest r = yov::SmsCopyRequest::decode(payload);
        job({r.destinationPosition}, [this, r](bool locked) { copyMessage(r, locked); });
        return true;
    }
    case kMinorDraft: {
        const yov::SmsDraftRequest r = yov::SmsDraftRequest::decode(payload);
        job({draftPosition(r)}, [this, r](bool locked) { storeDraft(r, locked); });
        return true;
    }
    case kMinorRead: {
        const yov::SmsReadRequest r = yov::SmsReadRequest::decode(payload);
        job({r.position}, [this, r](bool locked) { markRead(r, locked); });
        return true;
    }
    case kMinorRestore: {
        const QString path = yov::decodeSmsRestorePath(payload);
        job({kPositionPc}, [this, path](bool locked) { restore(path, locked); });
        return true;
    }
    case kMinorAutoDelete:
        if (request.type == yov::kSmsTypeAnswer)
            job({}, [this](bool) { freeSimPlace(); });
        return true;
    case kMinorReloadTcard:
    case kMinorSyncTcard: {
        const bool rewrite = request.minorID == kMinorSyncTcard;
        job({kPositionTcard}, [this, rewrite](bool locked) { syncTcard(rewrite, locked); });
        return true;
    }
    case kMinorSetCentre:
    case kMinorStoreCode:
    case kMinorSetRouting:
    case kMinorCentre:
    case kMinorNationalChanged: {
        const yov::UI_MSG copy = request;
        job({}, [this, copy](bool) { setting(copy); });
        return true;
    }
    default:
        return false;
    }
}

} // namespace brannoc
