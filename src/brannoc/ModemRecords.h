#pragma once
// Small builders shared by the modem areas: records with a payload, integer and text payloads, and
// typed reads of an area's state dictionary (through the common value conversions).

#include "common/records/Payload.h"
#include "common/records/UiMsg.h"

#include <QByteArray>
#include <QString>
#include <QVariantMap>

#include <cstdint>
#include <initializer_list>

namespace brannoc {

// Module ID of the device's own device-state reports.
inline constexpr std::int32_t kDeviceModule = 1;
// Result bytes.
inline constexpr std::int8_t kOk = 0;
inline constexpr std::int8_t kFailed = -1;

// A record from the device service. Its payload has the size the message catalogue gives the
// device service's records of that ID (yov::answerPayloadSize): a shorter payload is filled with
// zeros, a longer one is cut (and logged: the area built it wrong); the length field is that
// size. An ID without a catalogued size carries the payload as given (at most 8196 bytes).
yov::UI_MSG makeRecord(std::uint16_t major, std::uint16_t minor, std::int32_t type, std::int8_t result,
                       std::int32_t module, const QByteArray &payload = {});

// A zero-filled payload of the catalogued size of the ID's records.
yov::PayloadWriter answerPayload(std::uint16_t major, std::uint16_t minor);
// A payload of the catalogued size holding one zero-terminated text from offset 0.
QByteArray textAnswer(std::uint16_t major, std::uint16_t minor, const QByteArray &text);

// Little-endian int32 words from offset 0.
QByteArray int32Payload(std::initializer_list<std::int32_t> words);

// Reads of an area's state; a missing key gives the fallback.
int stateInt(const QVariantMap &state, const char *key, int fallback);
bool stateBool(const QVariantMap &state, const char *key, bool fallback);
QString stateText(const QVariantMap &state, const char *key, const QString &fallback);

} // namespace brannoc
