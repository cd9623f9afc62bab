#include "common/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace yov {

namespace {

bool writeAtomically(const QString &path, const QByteArray &data, bool ownerOnly, QString *error)
{
    auto fail = [&](const QString &reason) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(path, reason);
        return false;
    };
    if (path.isEmpty())
        return fail(QStringLiteral("no path"));
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return fail(QStringLiteral("cannot create folder %1").arg(info.absolutePath()));
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (ownerOnly && !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (file.write(data) != data.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace

bool AtomicFile::write(const QString &path, const QByteArray &data, QString *error)
{
    return writeAtomically(path, data, false, error);
}

bool AtomicFile::writePrivate(const QString &path, const QByteArray &data, QString *error)
{
    return writeAtomically(path, data, true, error);
}

QString AtomicFile::unreadableCopyName(const QString &path, const QDateTime &when)
{
    return freeNumberedName(path + QStringLiteral(".unreadable-") + when.toString(QStringLiteral("yyyyMMdd-HHmmss")));
}

QString AtomicFile::freeNumberedName(const QString &base)
{
    QString name = base;
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
        name = base + QStringLiteral("-%1").arg(n);
    return name;
}

QString AtomicFile::moveAsideUnreadable(const QString &path, const QDateTime &when, QString *error)
{
    const QString copy = unreadableCopyName(path, when);
    QFile file(path);
    if (!file.rename(copy)) {
        if (error)
            *error = QStringLiteral("cannot move %1 to %2: %3").arg(path, copy, file.errorString());
        return QString();
    }
    return copy;
}

} // namespace yov
