#pragma once
// Message counts and the capacity rules of the four stores.
//
// A message counts 1, a concatenated one (its "concatSmsFlag" YES) as many as the parts stored in
// its "smsInfo". A capacity of 0 for the SIM or the device memory means no count has been reported
// yet: never full. The computer's capacity is SMS/MaxSMSCountInfo["AT_PC"] (0 when missing, so the
// computer then counts as full).

#include <QString>
#include <QVariantList>
#include <QVariantMap>

namespace ostrel {

struct SmsCapacityCounts {
    int simCap = 0;    // m_nSIM_Cap
    int simUsed = 0;   // m_nSIM_Used
    int modemCap = 0;  // modemCap_
    int modemUsed = 0; // modemUsed_
    int pcCap = 0;     // MaxSMSCountInfo["AT_PC"]
    int pcStored = 0;  // messages stored on the computer
};

enum class SmsRoom {
    Enough,
    DeviceNotEnough, // "Data Card capacity is not enough!", answer NO
    SimNotEnough,    // "Sim card capacity is not enough!", answer NO
    DatabaseFull,    // "DataBase is full,please delete some items.", answer still YES
};

int getNumWithSmsDict(const QVariantMap &message);
int smsPlacesOfList(const QVariantList &messages);
// A message without "smsInfo": a draft written on the computer (or a flat broadcast).
bool isPCDrafBoxMessage(const QVariantMap &message);

bool isFullWithPosition(int position, const SmsCapacityCounts &counts);
// Room for `places` message places at the position (before a copy or move there).
SmsRoom roomForPlaces(int position, int places, const SmsCapacityCounts &counts);
// The alert text of a room answer; empty for Enough.
QString smsRoomAlertText(SmsRoom room);
// Whether the caller goes on after the answer.
bool smsRoomAllowsStoring(SmsRoom room);

// The computer's capacity from the "SMS" settings module.
int pcSmsCapacity(const QVariantMap &smsModule);

} // namespace ostrel
