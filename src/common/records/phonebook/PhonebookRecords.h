#pragma once
// Records of the device phonebook link (module 4), carried in the data field of a UI_MSG.
//
// Shared by the dashboard (which sends the storage switch and one write or delete per contact, and
// reads the storage reports and the answers) and the stand-in device service (which reads those
// requests and sends the reports and answers). Every record is little-endian with its fields at
// fixed offsets, built zero-filled. A character field of width n holds at most n - 1 bytes of
// UTF-8 and a zero; a text that does not fit is cut on a character boundary.
//
// Readers never go past the bytes a record carries (yov::PayloadReader): a shorter record reads as
// if zero-filled.

#include "common/records/Payload.h"

#include <QString>

#include <cstdint>

namespace yov {

namespace pbmsg {
inline constexpr std::uint16_t kMajorInit = 1025;    // PhonebookInitRecord, from the device service
inline constexpr std::uint16_t kMinorInit = 0;
inline constexpr std::uint16_t kMajorStorage = 1027; // PhonebookStorageRequest; answer: result byte
inline constexpr std::uint16_t kMinorStorage = 118;
inline constexpr std::uint16_t kMajorWrite = 1029;   // PhonebookWriteRequest; answer PhonebookWriteResult
inline constexpr std::uint16_t kMinorWrite = 122;

// Record types: the device's own reports carry 0, answers to a request 1.
inline constexpr std::int32_t kTypeReport = 0;
inline constexpr std::int32_t kTypeAnswer = 1;
// The result byte of an answered storage switch when it was done.
inline constexpr std::int8_t kStorageSwitchDone = 1;
} // namespace pbmsg

// Storages as this link numbers them.
enum PhonebookStorage : std::int32_t {
    kPbStorageMe = 1,  // the device memory ("Data Card")
    kPbStorageSim = 2, // the SIM ("(U)SIM")
};

// Operations of a write-or-delete record.
enum PhonebookOperation : std::int32_t {
    kPbOperationWrite = 1,
    kPbOperationDelete = 2,
};

// ---------------------------------------------------------------------------------------------
// 1025/0: a storage's limits and the path of its items file, 548 bytes.

struct PhonebookInitRecord {
    static constexpr int kSize = 548;
    static constexpr int kOffNumberLength = 4;
    static constexpr int kOffNameLength = 8;   // bytes of the SIM alpha coding
    static constexpr int kOffMinIndex = 12;
    static constexpr int kOffMaxIndex = 16;    // the storage's capacity
    static constexpr int kOffPath = 20, kLenPath = 512;
    static constexpr int kOffNumber2Length = 532;
    static constexpr int kOffNumber3Length = 536;
    static constexpr int kOffEmailLength = 540;
    static constexpr int kOffStorage = 544;

    std::int32_t numberLength = 0;
    std::int32_t nameLength = 0;
    std::int32_t minIndex = 0;
    std::int32_t maxIndex = 0;
    QString path;               // UTF-8 on the wire
    bool pathTerminated = true; // read: whether the path field holds its zero
    std::int32_t number2Length = 0; // 0: the storage has no number 2
    std::int32_t number3Length = 0;
    std::int32_t emailLength = 0;
    std::int32_t storage = 0;

    QByteArray encode() const;
    static PhonebookInitRecord decode(const PayloadReader &payload);

    bool operator==(const PhonebookInitRecord &) const = default;
};

// ---------------------------------------------------------------------------------------------
// 1027/118 request: the storage the modem works on from now, 4 bytes.

struct PhonebookStorageRequest {
    static constexpr int kSize = 4;

    std::int32_t storage = 0;

    QByteArray encode() const;
    static PhonebookStorageRequest decode(const PayloadReader &payload);
};

// ---------------------------------------------------------------------------------------------
// 1029/122 request: write one contact to, or delete one index from, the current storage, 540 bytes.

struct PhonebookWriteRequest {
    static constexpr int kSize = 540;
    static constexpr int kOffIndex = 0;
    static constexpr int kOffName = 4, kLenName = 120;
    static constexpr int kOffNumber1 = 124, kLenNumber = 81;
    static constexpr int kOffNumber2 = 205;
    static constexpr int kOffNumber3 = 286;
    static constexpr int kOffEmail = 367, kLenEmail = 165;
    static constexpr int kOffOperation = 532;
    // 536..539 stay zero.

    std::int32_t index = 0;
    QString name;
    QString number1; // "mobilephone"
    QString number2; // "homephone"
    QString number3; // "officephone"
    QString email;
    std::int32_t operation = kPbOperationWrite;

    QByteArray encode() const;
    static PhonebookWriteRequest decode(const PayloadReader &payload);

    bool operator==(const PhonebookWriteRequest &) const = default;
};

// ---------------------------------------------------------------------------------------------
// 1029/122 answer: the outcome of one write or delete; its first 16 bytes are read.

struct PhonebookWriteResult {
    static constexpr int kSize = 16;
    static constexpr int kOffIndex = 4;
    static constexpr int kOffOperation = 8;
    static constexpr int kOffResult = 12;

    std::int32_t index = 0;
    std::int32_t operation = 0;
    std::int32_t result = 0; // 0 failure; only its low byte is tested

    bool succeeded() const { return (result & 0xff) != 0; }

    QByteArray encode() const;
    static PhonebookWriteResult decode(const PayloadReader &payload);
};

} // namespace yov
