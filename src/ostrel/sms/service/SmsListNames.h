#pragma once
// Names and indexes given to the messages of a box list when it is loaded.
//
// Each message gets "index" = its position in the box array. A draft of the computer or the card
// (box 2 of a position that is not SIM or device memory) gets "username", on itself and on its
// summary, from `multiName` of its "mobilephone" when that gives a name; any other message with a
// summary gets the summary's "username" from `name` of the summary's "mobilephone" when that gives
// one.

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>

namespace ostrel {

using SmsNameLookup = std::function<QString(const QString &number)>;

void setUserNameAndIndexToSMSBoxList(QVariantList &list, int box, int position, const SmsNameLookup &name,
                                     const SmsNameLookup &multiName);

// The numbers of a recipient text, split at every separator; empty pieces are dropped.
QStringList splitSmsRecipients(const QString &text, const QString &separator);

} // namespace ostrel
