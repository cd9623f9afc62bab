#include "ostrel/sms/service/SmsListWriter.h"

#include "common/PlistBridge.h"
#include "common/ValueConversion.h"
#include "common/sms/SmsBoxCodes.h"
#include "common/sms/SmsListFileLock.h"
#include "common/sms/SmsListFiles.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/sms/service/SmsBoxMerge.h"
#include "platform/alert/AlertPresenter.h"

#include <QFileInfo>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcSmsListWriter, "ostrel.sms.lists")

namespace ostrel {

using yov::sms::SmsListFileLock;

void reportSmsListWriteFailure(const SmsBoxWriteResult &result)
{
    qCWarning(lcSmsListWriter).noquote() << "the messages could not be saved:" << result.error;
    yov::AlertPresenter::shared().showAlert(
        {Map_Name_Item_of_IndexString(QStringLiteral("Warning")),
         Map_Name_Item_of_IndexString(QStringLiteral("The messages could not be saved.")) + QLatin1Char('\n') + result.error,
         Map_Name_Item_of_IndexString(QStringLiteral("OK")), QString()},
        {});
}

SmsListWriter::SmsListWriter(yov::Clock &clock) : clock_(clock), context_(std::make_unique<QObject>()) {}

SmsListWriter::~SmsListWriter()
{
    if (retryId_)
        clock_.cancel(retryId_);
}

SmsBoxChange SmsListWriter::replaceMerging(QVariantList array, QVariantList base, int box)
{
    return [array = std::move(array), base = std::move(base), box](const QVariantList &current) {
        return mergeSmsBox(array, base, current, box);
    };
}

SmsBoxChange SmsListWriter::addMessage(QVariantMap message, bool atFront)
{
    return [message = std::move(message), atFront](const QVariantList &current) {
        QVariantList box = current;
        if (atFront)
            box.prepend(message);
        else
            box.append(message);
        return box;
    };
}

SmsBoxWriteResult SmsListWriter::writeBoxLocked(const QString &path, int position, int box, const SmsBoxChange &change)
{
    SmsBoxWriteResult result;
    const QString boxName = yov::sms::smsBoxName(box);
    if (path.isEmpty()) {
        result.error = QStringLiteral("no list file to write");
    } else if (boxName.isNull() || box == yov::sms::kBoxDeliveryReport) {
        result.error = QStringLiteral("box %1 is not kept in %2").arg(box).arg(path);
    } else {
        QVariantList written;
        const bool created = !QFileInfo::exists(path);
        result.ok = yov::sms::rewriteSmsListFile(
            path,
            [&](QVariantMap &list) {
                written = change(yov::nsArray(list.value(boxName)));
                list.insert(boxName, written);
                return true;
            },
            yov::sms::emptySmsList(position), &result.error);
        if (result.ok) {
            result.newBase = written;
            if (created)
                qCInfo(lcSmsListWriter).noquote() << "created the list file" << path;
        }
    }
    if (!result.ok)
        qCWarning(lcSmsListWriter).noquote() << "SMS list write failed:" << result.error;
    return result;
}

void SmsListWriter::write(const QString &path, int position, int box, SmsBoxChange change, SmsBoxWriteDone done)
{
    pending_.push_back({path, position, box, std::move(change), std::move(done)});
    pump();
}

void SmsListWriter::pump()
{
    if (pumping_ || retryId_)
        return; // the running pump or the scheduled retry takes the new write in its turn
    pumping_ = true;
    while (!pending_.empty()) {
        Pending &head = pending_.front();
        SmsListFileLock lock(head.path);
        QString why;
        SmsBoxWriteResult result;
        if (head.path.isEmpty()) {
            result = writeBoxLocked(head.path, head.position, head.box, head.change);
        } else if (lock.tryLock(&why)) {
            result = writeBoxLocked(head.path, head.position, head.box, head.change);
            lock.unlock();
        } else {
            const qint64 now = clock_.monotonicMs();
            if (head.firstTryMs < 0)
                head.firstTryMs = now;
            if (now - head.firstTryMs < SmsListFileLock::kWaitMs) {
                retryId_ = clock_.schedule(kRetryMs, context_.get(), [this] {
                    retryId_ = 0;
                    pump();
                });
                break;
            }
            result.error = QStringLiteral("the list-file lock of %1 stayed held for %2 ms: %3")
                               .arg(head.path)
                               .arg(SmsListFileLock::kWaitMs)
                               .arg(why);
            qCWarning(lcSmsListWriter).noquote() << "SMS list write failed:" << result.error;
        }
        Pending finished = std::move(head);
        pending_.pop_front();
        if (finished.done)
            finished.done(result);
    }
    pumping_ = false;
}

} // namespace ostrel
