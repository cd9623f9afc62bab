#include "ostrel/phonebook/PhonebookBackup.h"

#include "common/PlistBridge.h"
#include "ostrel/phonebook/PBContact.h"
#include "ostrel/phonebook/PcPhoneBookFile.h"

#include <QDir>
#include <QFileInfo>

namespace ostrel {

namespace {
const QString kPlistExtension = QStringLiteral(".plist");
}

QString PhonebookBackup::folder(const QString &modemListPath, const QString &kind)
{
    return modemListPath + QStringLiteral("/PhonebookBackup/") + kind;
}

QString PhonebookBackup::newFilePath(const QString &folder, const QString &kind, const QDateTime &localTime)
{
    const QString base = folder + QLatin1Char('/') + kind + QLatin1Char('-') + localTime.toString(QStringLiteral("yyyy-MM-dd-HH-mm"));
    QString path = base + kPlistExtension;
    for (int n = 1; QFileInfo::exists(path); ++n)
        path = base + QLatin1Char('-') + QString::number(n) + kPlistExtension;
    return path;
}

std::optional<QString> PhonebookBackup::currentFilePath(const QString &folder)
{
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*") + kPlistExtension}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        return std::nullopt;
    if (files.size() > 1)
        return QString();
    return files.first().absoluteFilePath();
}

bool PhonebookBackup::isValidForPC(const QVariant &root)
{
    if (root.typeId() != QMetaType::QVariantList)
        return false;
    // An empty phonebook is a valid backup; every group needs its header.
    return root.toList().isEmpty() || PcPhoneBookFile::fromBackup(root).has_value();
}

bool PhonebookBackup::isValidForSIM(const QVariant &root)
{
    if (root.typeId() != QMetaType::QVariantList)
        return false;
    for (const QVariant &entry : root.toList())
        if (entry.typeId() != QMetaType::QVariantMap)
            return false;
    return true;
}

std::optional<QVariant> PhonebookBackup::read(const QString &path, const QString &folder, const QString &kind)
{
    const QFileInfo file(path);
    if (folder.isEmpty() || file.absolutePath() != QFileInfo(folder).absoluteFilePath())
        return std::nullopt;
    std::optional<QVariant> root = yov::PlistBridge::readFile(path);
    if (!root)
        return std::nullopt;
    const bool valid = kind == kPC ? isValidForPC(*root) : kind == kSIM && isValidForSIM(*root);
    return valid ? root : std::nullopt;
}

std::optional<QList<QVariantMap>> PhonebookBackup::readExchangeFile(const QString &path)
{
    const std::optional<QVariant> root = yov::PlistBridge::readFile(path);
    if (!root || root->typeId() != QMetaType::QVariantList)
        return std::nullopt;
    QList<QVariantMap> contacts;
    for (const QVariant &entry : root->toList()) {
        if (entry.typeId() != QMetaType::QVariantMap)
            return std::nullopt;
        contacts.append(entry.toMap());
    }
    return contacts;
}

bool PhonebookBackup::writeExchangeFile(const QString &path, const QList<QVariantMap> &contacts)
{
    QVariantList root;
    for (QVariantMap contact : contacts) {
        contact.remove(contactkey::savepos);
        root.append(contact);
    }
    return yov::PlistBridge::writeFile(path, root);
}

QString PhonebookBackup::withPlistExtension(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    return info.dir().filePath(base + kPlistExtension);
}

} // namespace ostrel
