#include "ostrel/phonebook/PcPhoneBookFile.h"

#include "common/AtomicFile.h"
#include "common/PlistBridge.h"
#include "common/ValueConversion.h"
#include "ostrel/phonebook/PBContact.h"

#include <QFile>
#include <QFileInfo>

namespace ostrel {

namespace {

bool isPlistDictionary(const QVariant &value) { return value.typeId() == QMetaType::QVariantMap; }
bool isPlistArray(const QVariant &value) { return value.typeId() == QMetaType::QVariantList; }

bool isPlistNumber(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

// A number stored under a text key reads as its text from now on.
QVariantMap withContactTexts(QVariantMap dictionary)
{
    for (const QString &key : contactkey::textKeys()) {
        auto it = dictionary.find(key);
        if (it != dictionary.end() && isPlistNumber(*it))
            *it = yov::nsString(*it);
    }
    return dictionary;
}

} // namespace

QString PcGroup::name() const { return contactText(header, contactkey::groupname); }

std::optional<PcPhoneList> PcPhoneBookFile::fromPlist(const QVariant &root, QString *reason)
{
    const auto refuse = [reason](const QString &why) -> std::optional<PcPhoneList> {
        if (reason)
            *reason = why;
        return std::nullopt;
    };
    if (!isPlistArray(root))
        return refuse(QStringLiteral("the root is not an array of groups"));
    PcPhoneList groups;
    const QVariantList list = root.toList();
    groups.reserve(list.size());
    for (int g = 0; g < list.size(); ++g) {
        if (!isPlistArray(list.at(g)))
            return refuse(QStringLiteral("group %1 is not an array").arg(g));
        const QVariantList elements = list.at(g).toList();
        if (elements.isEmpty() || !isPlistDictionary(elements.first()))
            return refuse(QStringLiteral("group %1 has no header dictionary").arg(g));
        PcGroup group;
        group.header = withContactTexts(elements.first().toMap());
        group.contacts.reserve(elements.size() - 1);
        for (int i = 1; i < elements.size(); ++i) {
            if (!isPlistDictionary(elements.at(i)))
                return refuse(QStringLiteral("element %1 of group %2 is not a contact dictionary").arg(i).arg(g));
            group.contacts.append(withContactTexts(elements.at(i).toMap()));
        }
        groups.append(std::move(group));
    }
    return groups;
}

std::optional<PcPhoneList> PcPhoneBookFile::fromBackup(const QVariant &root, QString *reason)
{
    std::optional<PcPhoneList> groups = fromPlist(root, reason);
    if (!groups)
        return groups;
    const QVariantList list = root.toList();
    for (int g = 0; g < list.size(); ++g) {
        const QVariant name = list.at(g).toList().first().toMap().value(QStringLiteral("groupname"));
        if (name.typeId() != QMetaType::QString) {
            if (reason)
                *reason = QStringLiteral("group %1 has no group name").arg(g);
            return std::nullopt;
        }
    }
    return groups;
}

QVariantList PcPhoneBookFile::toPlist(const PcPhoneList &groups)
{
    QVariantList root;
    root.reserve(groups.size());
    for (const PcGroup &group : groups) {
        QVariantList elements;
        elements.reserve(group.contacts.size() + 1);
        elements.append(group.header);
        for (const QVariantMap &contact : group.contacts)
            elements.append(contact);
        root.append(QVariant(elements));
    }
    return root;
}

bool PcPhoneBookFile::write(const QString &path, const PcPhoneList &groups, QString *error)
{
    return yov::PlistBridge::writeFile(path, toPlist(groups), error);
}

QString PcPhoneBookFile::setAsideName(const QString &path)
{
    return yov::AtomicFile::freeNumberedName(path + QStringLiteral(".unreadable"));
}

bool PcPhoneBookFile::isPlainFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(QLatin1Char('/'))
           && !name.contains(QChar(0));
}

PcPhoneBookRead PcPhoneBookFile::read(const QString &path)
{
    PcPhoneBookRead result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.outcome = PcPhoneBookRead::Outcome::Missing;
        return result;
    }
    const std::optional<QVariant> root = yov::PlistBridge::readFile(path, &result.reason);
    if (root) {
        if (std::optional<PcPhoneList> groups = fromPlist(*root, &result.reason)) {
            result.outcome = PcPhoneBookRead::Outcome::Read;
            result.groups = std::move(*groups);
            return result;
        }
    }
    // A rename keeps the bytes as they are and never replaces another file.
    const QString aside = setAsideName(path);
    if (info.isFile() && QFile::rename(path, aside)) {
        result.outcome = PcPhoneBookRead::Outcome::SetAside;
        result.setAsideAs = aside;
    } else {
        result.outcome = PcPhoneBookRead::Outcome::LeftInPlace;
    }
    return result;
}

} // namespace ostrel
