#pragma once
// The storage positions and message boxes a build shows, from the "SMS" module of the settings:
// "positionOrder" (position name -> display order) and "boxOrder" (box name -> display order).
//
// Entries go by display order, then by name (the settings dictionary is sorted by name). When two
// entries share a display order, the first by name keeps it. A position name outside the four is
// logged and gets code 0; a box name outside the seven matches no box (code -1).

#include "common/sms/YovPositionManager.h"

#include <QMap>
#include <QString>
#include <QVariantMap>

namespace yov::sms {

struct SmsNamedOrder {
    QString name;
    int order = 0;
};

// The position table: without "positionOrder", "AT_PC" (order 0) and "AT_SIM" (order 1).
YovPositionManager smsPositionTable(const QVariantMap &smsModule);

// The storage positions the settings page offers for new messages, from "SetSMSPositionOrder"
// (position name -> display order). Names and codes: "SetAtDefault" 0, "SetAtSIM" 1, "SetAtPC" 2,
// "SetAtME" 3, "SetAtTcard" 4; any other name is logged and gets code 2. Without the dictionary:
// on the Icera platform "SetAtSIM" (order 0) and "SetAtPC" (1); elsewhere "SetAtDefault" (0),
// "SetAtSIM" (1) and "SetAtPC" (2).
YovPositionManager smsSetPositionTable(const QVariantMap &smsModule, bool iceraPlatform);
// The code of a settings-page position name; -1 for none.
int smsSetPositionOfName(const QString &name);

// The boxes in display order, one per order (the first name wins a shared order): without
// "boxOrder", "InBox" 0, "OutBox" 1, "DraftBox" 2.
QList<SmsNamedOrder> smsBoxesInDisplayOrder(const QVariantMap &smsModule);

// Display order -> box code for the boxes above.
QMap<int, int> smsBoxDisplayOrderMap(const QVariantMap &smsModule);

} // namespace yov::sms
