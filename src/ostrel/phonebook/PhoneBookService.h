#pragma once
// The phonebook's service: how a contact of the computer becomes entries of a device storage that
// holds one, two or three numbers.
//
// The number-field count is the count of number bits (number 1, 2 and 3) among the device's field
// flags (bit 0 name, 1 number 1, 2 number 2, 3 number 3, 4 e-mail).
#include "ostrel/framework/service/YovServiceBase.h"
#include "ostrel/phonebook/ContactFieldRules.h"

#include <QList>
#include <QVariantMap>

namespace ostrel {

class PhoneBookService : public YovServiceBase {
public:
    static PhoneBookService &sharedPhoneBookService();

    // 0..3.
    static int getSimFieldCount(int contactFieldsFlag);

    // Appends the entries of the contact for a storage of fieldCount number fields, the first one
    // made from firstContact ({name, mobile}, already cut to the storage's limits):
    //   1: one entry {name, number} for each of the mobile, home and office numbers that is not
    //      empty, each number cut to the number-1 limit;
    //   2: the first entry with the home number (number-2 limit) and the e-mail address; the office
    //      number is not copied;
    //   3: the first entry with the home (number-2 limit) and office (number-3 limit) numbers and
    //      the e-mail address;
    //   any other count: nothing.
    // A field the contact does not have is left out.
    static void changeContactAccordToPBFiledCount(const QVariantMap &contact, QList<QVariantMap> &entries,
                                                  const QVariantMap &firstContact, int fieldCount,
                                                  const FieldLimits &limits);

    // The entries with one number each (number 1): for the mobile, home and office numbers in that
    // order, each cut to the number-1 limit; empty numbers give none.
    static QList<QVariantMap> entriesPerNumber(const QVariantMap &contact, const QString &name, const FieldLimits &limits);

    // The device entries one number of a contact needs on a storage of fieldCount number fields:
    // with k numbers (mobile, home, office) that are not empty, ceil(k / fieldCount) when k exceeds
    // fieldCount, else 1; none when the storage holds no number.
    static int recordsNeeded(const QVariantMap &contact, int fieldCount);
    // The numbers among mobile, home and office that are not empty.
    static int nonEmptyNumbers(const QVariantMap &contact);
};

} // namespace ostrel
