#pragma once
// The fixed numbering of SMS storage positions and message boxes, shared by every SMS part of the
// dashboard and by the device service: names are configuration keys and list-file keys, codes go
// into the device records.

#include <QString>
#include <QStringList>

#include <string_view>

namespace yov::sms {

enum SmsPositionCode : int {
    kPositionPc = 0,
    kPositionSim = 1,
    kPositionTcard = 3, // the memory card in the modem
    kPositionMe = 4,    // the device memory
};

enum SmsBoxCode : int {
    kBoxInBox = 0,
    kBoxOutBox = 1,
    kBoxDraftBox = 2,
    kBoxDeliveryReport = 3, // reports live in a file of their own, not in a list file
    kBoxDeletedBox = 4,
    kBoxImportantBox = 5,
    kBoxBroadCastBox = 6,
};

struct SmsNamedCode {
    std::string_view name;
    int code;
};

// Code 2 is no position.
inline constexpr SmsNamedCode kSmsPositionNames[] = {
    {"AT_PC", kPositionPc},
    {"AT_SIM", kPositionSim},
    {"AT_TCARD", kPositionTcard},
    {"AT_ME", kPositionMe},
};

inline constexpr SmsNamedCode kSmsBoxNames[] = {
    {"InBox", kBoxInBox},
    {"OutBox", kBoxOutBox},
    {"DraftBox", kBoxDraftBox},
    {"DELIVERY_REPORTBOX", kBoxDeliveryReport},
    {"DeletedBox", kBoxDeletedBox},
    {"ImportantBox", kBoxImportantBox},
    {"BroadCastBox", kBoxBroadCastBox},
};

// A position name's code; -1 for a name outside the four.
int smsPositionOfName(const QString &name);
// A code's position name; a null string for a code that is no position.
QString smsPositionName(int code);
// A box name's code; -1 for a name outside the seven, so that it matches no box.
int smsBoxOfName(const QString &name);
// A code's box name; a null string for a code outside 0 to 6.
QString smsBoxName(int code);
// SIM and device memory: the stores only the device service changes, one message per request.
bool isSimOrMePosition(int code);

// The boxes a list file holds: the computer's and the memory card's six, the SIM's and the device
// memory's three.
QStringList smsListBoxNames(int position);

} // namespace yov::sms
