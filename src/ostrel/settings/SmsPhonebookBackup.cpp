#include "ostrel/settings/SmsPhonebookBackup.h"

#include "common/ValueConversion.h"
#include "ostrel/phonebook/ContactLists.h"
#include "ostrel/phonebook/PBContact.h"

#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <limits>

namespace ostrel {

SmsPhonebookBackup::SmsPhonebookBackup(const QVariantMap &smsSettings)
    : boxOrder_(yov::nsDict(smsSettings.value(QStringLiteral("boxOrder")))),
      reportBox_(yov::nsBool(smsSettings.value(QStringLiteral("isHaveDeliveryReportBox"))))
{
}

QStringList SmsPhonebookBackup::boxNames() const
{
    if (boxOrder_.isEmpty()) {
        QStringList names{QStringLiteral("InBox"), QStringLiteral("OutBox"), QStringLiteral("DraftBox")};
        if (reportBox_)
            names << kReportBoxName;
        return names;
    }
    // Each box once, by its order; a gap or a repeated order cannot drop or double a box.
    QList<std::pair<int, QString>> ordered;
    for (auto it = boxOrder_.constBegin(); it != boxOrder_.constEnd(); ++it)
        ordered.append({yov::nsInt(it.value()), it.key()});
    std::stable_sort(ordered.begin(), ordered.end());
    QStringList names;
    for (const auto &entry : ordered)
        names << entry.second;
    return names;
}

QVariantList SmsPhonebookBackup::build(const QVariant &phonebook, const QVariantMap &boxes, const QVariant &reports) const
{
    QVariantList backup;
    backup << (phonebook.typeId() == QMetaType::QVariantList ? phonebook : QVariant(QVariantList()));
    for (const QString &name : boxNames()) {
        const QVariant box = name == kReportBoxName ? reports : boxes.value(name);
        backup << (box.typeId() == QMetaType::QVariantList ? box : QVariant(QVariantList()));
    }
    return backup;
}

std::optional<PcPhoneList> SmsPhonebookBackup::checkRestore(const QVariant &root, QString *reason) const
{
    const auto refuse = [reason](const QString &why) -> std::optional<PcPhoneList> {
        if (reason)
            *reason = why;
        return std::nullopt;
    };
    if (root.typeId() != QMetaType::QVariantList)
        return refuse(QStringLiteral("the file holds no array"));
    const QVariantList elements = root.toList();
    const int boxes = int(boxNames().size());
    const bool countFits = elements.size() == boxes + 1 || (boxOrder_.isEmpty() && reportBox_ && elements.size() == 4);
    if (!countFits)
        return refuse(QStringLiteral("%1 elements where %2 belong").arg(elements.size()).arg(boxes + 1));
    for (int i = 1; i < elements.size(); ++i)
        if (elements.at(i).typeId() != QMetaType::QVariantList)
            return refuse(QStringLiteral("element %1 is no list of messages").arg(i));
    QString why;
    std::optional<PcPhoneList> phonebook = PcPhoneBookFile::fromBackup(elements.first(), &why);
    if (!phonebook)
        return refuse(QStringLiteral("the phonebook: %1").arg(why));
    return phonebook;
}

std::optional<PcPhoneList> SmsPhonebookBackup::checkPhonebookOnly(const QVariant &root, QString *reason)
{
    if (root.typeId() != QMetaType::QVariantList || root.toList().size() != 1) {
        if (reason)
            *reason = QStringLiteral("the file is no array of one element");
        return std::nullopt;
    }
    return PcPhoneBookFile::fromBackup(root.toList().first(), reason);
}

QString SmsPhonebookBackup::withPlistExtension(const QString &path)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    const QString stem = suffix.isEmpty() ? path : path.left(path.size() - suffix.size() - 1);
    return stem + QStringLiteral(".plist");
}

bool SmsPhonebookBackup::fitsRestoreRequest(const QString &path)
{
    return !path.isEmpty() && path.toUtf8().size() <= kMaxRestorePathBytes && !path.contains(QChar(0));
}

PcPhoneList SmsPhonebookBackup::merge(PcPhoneList current, const PcPhoneList &backup)
{
    const auto addInto = [](PcGroup &group, const QList<QVariantMap> &contacts) {
        QSet<int> used;
        for (const QVariantMap &contact : group.contacts)
            if (hasContactIndex(contact))
                used.insert(contactIndex(contact));
        for (QVariantMap contact : contacts) {
            if (hasContactIndex(contact)) {
                int index = contactIndex(contact);
                if (used.contains(index)) {
                    index = ContactLists::lowestFreeIndex(used, std::numeric_limits<int>::max() - 1);
                    contact.insert(contactkey::index, index);
                }
                used.insert(index);
            }
            group.contacts.append(contact);
        }
    };
    for (const PcGroup &incoming : backup) {
        auto same = std::find_if(current.begin(), current.end(),
                                 [&](const PcGroup &group) { return group.name() == incoming.name(); });
        if (same != current.end()) {
            addInto(*same, incoming.contacts);
        } else {
            PcGroup added;
            added.header = incoming.header;
            addInto(added, incoming.contacts);
            current.append(std::move(added));
        }
    }
    return current;
}

} // namespace ostrel
