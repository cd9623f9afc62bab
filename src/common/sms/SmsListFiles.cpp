#include "common/sms/SmsListFiles.h"

#include "common/PlistBridge.h"
#include "common/sms/SmsBoxCodes.h"
#include "common/sms/SmsListFileLock.h"

#include <QFileInfo>
#include <QVariantList>

namespace yov::sms {

QString tcardSmsFolder(const QString &volume)
{
    return volume + QStringLiteral("/SMS");
}

QString tcardSmsListPath(const QString &volume)
{
    return tcardSmsFolder(volume) + QLatin1Char('/') + QLatin1String(kSmsListTcardFileName);
}

QVariantMap emptySmsList(int position)
{
    QVariantMap list;
    for (const QString &box : smsListBoxNames(position))
        list.insert(box, QVariantList());
    return list;
}

std::optional<QVariantMap> readSmsListFile(const QString &path, QString *error)
{
    QString why;
    const auto root = PlistBridge::readFile(path, &why);
    if (!root) {
        if (error)
            *error = why;
        return std::nullopt;
    }
    if (root->typeId() != QMetaType::QVariantMap) {
        if (error)
            *error = path + QStringLiteral(" holds no dictionary");
        return std::nullopt;
    }
    return root->toMap();
}

bool rewriteSmsListFile(const QString &path, const std::function<bool(QVariantMap &)> &change,
                        const std::optional<QVariantMap> &whenMissing, QString *error)
{
    QVariantMap list;
    if (!QFileInfo::exists(path) && whenMissing) {
        list = *whenMissing;
    } else {
        auto read = readSmsListFile(path, error);
        if (!read)
            return false;
        list = std::move(*read);
    }
    if (!change(list)) {
        if (error && error->isEmpty())
            *error = QStringLiteral("nothing to write");
        return false;
    }
    return PlistBridge::writeFile(path, list, error);
}

bool updateSmsListFile(const QString &path, const std::function<bool(QVariantMap &)> &change,
                       const std::optional<QVariantMap> &whenMissing, int waitMs, QString *error)
{
    SmsListFileLock lock(path);
    if (!lock.lock(waitMs, error))
        return false;
    return rewriteSmsListFile(path, change, whenMissing, error);
}

} // namespace yov::sms
