#pragma once
// A scenario of the stand-in device service: its modem state and its scripted behaviour, read
// from a property list.
//
//   StartupDelayMs  integer   wait before the start-up records are pushed (default 50)
//   Modem           dict      one dictionary per modem area, by area name: "DeviceState", "Sim",
//                             "Network", "Connection" (their keys are listed in each area's header;
//                             a key an area does not know is logged when the scenario is loaded)
//   Startup         array     records pushed after those of the modem areas, in order
//   Replies         array     scripted answers: {Major, Minor, [Type], Records: [record...]}; a
//                             request of that ID (and type, when given) is answered with those
//                             records, in place of what a modem area would do
//
// A record: Major, Minor (default: those of the request it answers), Type (0), Result (0; -1 for
// failure), Module (1), Marker (0), Int32 (array of integers, little-endian from offset 0) or
// Data (raw bytes) or Text (UTF-8, zero-terminated), Length (the length field; default the
// payload's size), PlatformFlag (true: the tail byte at offset 8218 is '1').

#include "common/records/UiMsg.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariantMap>

#include <optional>

namespace brannoc {

struct ScriptedRecord {
    std::optional<std::uint16_t> major; // unset: the request's
    std::optional<std::uint16_t> minor;
    std::int32_t type = 0;
    std::int8_t result = 0;
    std::int32_t module = 1;
    std::int32_t marker = 0;
    QByteArray payload;
    std::optional<std::int32_t> length;
    bool platformFlag = false;

    // The record, with the request's ID where none is given.
    yov::UI_MSG build(std::uint16_t requestMajor = 0, std::uint16_t requestMinor = 0) const;
};

struct ScriptedReply {
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::optional<std::int32_t> type;
    QList<ScriptedRecord> records;
};

struct Scenario {
    int startupDelayMs = 50;
    QVariantMap modem;
    QList<ScriptedRecord> startup;
    QList<ScriptedReply> replies;

    // The scripted reply for a request, or null.
    const ScriptedReply *replyFor(const yov::UI_MSG &request) const;

    // Reads a scenario; on failure returns nullopt and, when error is given, the reason.
    static std::optional<Scenario> load(const QString &path, QString *error = nullptr);
    static std::optional<Scenario> fromVariant(const QVariant &root, QString *error = nullptr);
};

} // namespace brannoc
