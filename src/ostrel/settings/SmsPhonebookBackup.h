#pragma once
// The file rules of the SMS-and-phonebook backup (no widgets).
//
// A backup is a property-list array: element 0 the computer phonebook (an array of groups), then
// the computer's SMS boxes. Without "SMS"/"boxOrder" the boxes are "InBox", "OutBox", "DraftBox"
// and, with "SMS"/"isHaveDeliveryReportBox", the delivery reports; with boxOrder every box it names
// comes once, in ascending order (ties by name), "DELIVERY_REPORTBOX" being the delivery reports.
// A phonebook-only export is an array with the phonebook as its one element.
#include "ostrel/phonebook/PcPhoneBookFile.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

#include <optional>

namespace ostrel {

class SmsPhonebookBackup {
public:
    // The restore request carries the path in a char[128] with its terminating zero.
    static constexpr int kMaxRestorePathBytes = 127;
    static inline const QString kReportBoxName = QStringLiteral("DELIVERY_REPORTBOX");

    // From the settings' "SMS" module.
    explicit SmsPhonebookBackup(const QVariantMap &smsSettings);

    // The SMS elements in file order: box names (the report box by kReportBoxName).
    QStringList boxNames() const;
    // The backup array. phonebook: the phonebook file's content (anything but an array: empty);
    // boxes: "SmsList_PC.plist"; reports: "smsReportsBoxData.plist".
    QVariantList build(const QVariant &phonebook, const QVariantMap &boxes, const QVariant &reports) const;
    // The phonebook of a full backup, or nullopt (and why) when the file is no such backup: a root
    // that is no array, an element count that does not fit the box settings (4 is also taken with
    // the report box on), a phonebook of the wrong shape, or an SMS element that is no array.
    std::optional<PcPhoneList> checkRestore(const QVariant &root, QString *reason = nullptr) const;
    // The phonebook of a phonebook-only export (exactly one element, of the phonebook's shape).
    static std::optional<PcPhoneList> checkPhonebookOnly(const QVariant &root, QString *reason = nullptr);

    // The chosen name with its extension replaced by "plist".
    static QString withPlistExtension(const QString &path);
    // Whether the path fits the restore request whole.
    static bool fitsRestoreRequest(const QString &path);
    // The backup's groups merged into the current ones: a group of a known name adds its contacts
    // to that group (no second header), a new one is appended; a contact whose index is taken in
    // its group gets the group's lowest free index. Duplicate contacts are kept.
    static PcPhoneList merge(PcPhoneList current, const PcPhoneList &backup);

private:
    QVariantMap boxOrder_;
    bool reportBox_ = false;
};

} // namespace ostrel
