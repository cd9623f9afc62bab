#pragma once
// Every message ID of the device-service link, in one table that the dashboard and the device
// service share, so that both sides agree on the numbers.
//
// Each entry gives the direction (requests the dashboard sends, records it handles, or both), the
// payload size of the records of that ID the device service sends (where it is fixed) and, for
// each way the dashboard sends it, the sending area, the module ID put in the record (another
// area's in a few cases), the type, the result byte and the payload size (0: sent without data).
// Replies of the device service carry the ID of their request; its own reports use the IDs that
// the dashboard handles.
//
// The dashboard sends only through YOVMsgCenter::sendCatalogued(), which takes module, type,
// result and size from here (checked at compile time for a constant ID); the stand-in device
// service sizes its records from here too.

#include <cstdint>
#include <string_view>

namespace yov {

// Module IDs: the sending area of the dashboard.
enum ModuleID : std::int8_t {
    kModuleMain = 0,      // main window
    kModuleInit = 1,      // device state
    kModuleDial = 2,      // connection
    kModuleSetting = 3,   // settings
    kModulePhoneBook = 4, // phonebook
    kModuleSMS = 5,       // SMS
    kModuleSTK = 6,       // SIM toolkit
    kModuleUSSD = 7,      // USSD
    kModuleGPS = 8,       // GPS
    kModuleCall = 9,      // voice call
    kModuleWLAN = 10,     // router Wi-Fi
};

enum class MsgDirection : std::uint8_t {
    ToDevice = 1,   // sent by the dashboard; nothing handles a record of this ID
    FromDevice = 2, // handled by the dashboard; never sent by it
    Both = 3,       // sent by the dashboard, and its replies (or reports) handled
};

struct MsgSender {
    std::int8_t area;          // the sending area (its own module ID)
    std::int8_t module;        // the module ID put in the record
    std::int8_t type;
    std::uint8_t result;       // the result byte (255 is -1 as a signed byte)
    std::int16_t payloadSize;  // data bytes; 0 when sent without data (may exceed the 8196 a record
                               // carries: the USSD request's 8200 bytes are sent cut to 8196)
};

// The answer size of an ID whose records from the device service the catalogue does not fix (the
// handler's area has not settled it, or the ID comes in more than one form).
inline constexpr std::int16_t kAnyAnswerSize = -1;

struct MsgCatalogueEntry {
    std::uint16_t major;
    std::uint16_t minor;
    MsgDirection direction;
    std::int16_t answerSize;   // data bytes of the records of this ID the device service sends
                               // (its replies and reports), or kAnyAnswerSize
    std::uint8_t senderCount;
    MsgSender senders[3];

    constexpr bool isSent() const { return senderCount > 0; }
    constexpr bool isHandled() const { return direction != MsgDirection::ToDevice; }
};

// Ordered by major, then minor.
inline constexpr MsgCatalogueEntry kMsgCatalogue[] = {
    {0, 26, MsgDirection::FromDevice, 4, 0, {}},
    {0, 164, MsgDirection::FromDevice, 0, 0, {}},
    {1, 0, MsgDirection::FromDevice, 0, 0, {}},
    {2, 1, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {3, 2, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {3, 3, MsgDirection::Both, 0, 1, {{kModuleInit, kModuleInit, 0, 0, 0}}},
    {3, 4, MsgDirection::Both, 0, 1, {{kModuleInit, kModuleInit, 0, 0, 0}}},
    {3, 5, MsgDirection::FromDevice, 4, 0, {}},
    {3, 6, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleSetting, kModuleSetting, 0, 0, 4}}},
    {4, 8, MsgDirection::Both, 8, 1, {{kModuleSetting, kModuleSetting, 0, 0, 8}}},
    {4, 9, MsgDirection::FromDevice, 0, 0, {}},
    {4, 10, MsgDirection::Both, 0, 1, {{kModuleInit, kModuleInit, 1, 0, 10}}},
    {4, 11, MsgDirection::Both, 0, 2, {{kModuleInit, kModuleInit, 1, 0, 20}, {kModuleSetting, kModuleSetting, 0, 0, 20}}},
    {4, 12, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleSetting, kModuleSetting, 0, 0, 20}}},
    {4, 13, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {4, 14, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleSetting, kModuleSetting, 0, 0, 16}}},
    {4, 15, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleInit, kModuleInit, 1, 0, 0}}},
    {4, 16, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleInit, kModuleInit, 0, 0, 0}}},
    {4, 17, MsgDirection::Both, 0, 2, {{kModuleSetting, kModuleSetting, 0, 0, 10}, {kModuleInit, kModuleInit, 0, 0, 10}}},
    {4, 18, MsgDirection::Both, 0, 2, {{kModuleInit, kModuleInit, 0, 0, 8}, {kModuleSetting, kModuleSetting, 0, 0, 8}}},
    {4, 19, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {5, 27, MsgDirection::ToDevice, kAnyAnswerSize, 2, {{kModuleInit, kModuleInit, 1, 0, 4}, {kModuleInit, kModuleSetting, 1, 0, 4}}},
    {5, 28, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleSetting, kModuleSetting, 1, 0, 12}}},
    {5, 30, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleSetting, kModuleSetting, 1, 0, 10}}},
    {6, 32, MsgDirection::FromDevice, 4, 0, {}},
    {6, 33, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {7, 34, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {7, 35, MsgDirection::FromDevice, 4, 0, {}},
    {7, 36, MsgDirection::FromDevice, 180, 0, {}},
    {7, 37, MsgDirection::FromDevice, 324, 0, {}},
    {7, 38, MsgDirection::FromDevice, 28, 0, {}},
    {7, 39, MsgDirection::FromDevice, 512, 0, {}},
    {7, 40, MsgDirection::FromDevice, 512, 0, {}},
    {7, 41, MsgDirection::FromDevice, 512, 0, {}},
    {7, 42, MsgDirection::Both, 36, 1, {{kModuleInit, kModuleInit, 0, 0, 0}}},
    {7, 44, MsgDirection::FromDevice, 68, 0, {}},
    {7, 45, MsgDirection::FromDevice, 68, 0, {}},
    {7, 46, MsgDirection::FromDevice, 180, 0, {}},
    {7, 47, MsgDirection::FromDevice, 44, 0, {}},
    {7, 48, MsgDirection::FromDevice, 128, 0, {}},
    {7, 49, MsgDirection::FromDevice, 32, 0, {}},
    {7, 50, MsgDirection::FromDevice, 40, 0, {}},
    {7, 51, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {7, 54, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {7, 55, MsgDirection::FromDevice, 12, 0, {}},
    {7, 56, MsgDirection::FromDevice, 384, 0, {}},
    {7, 57, MsgDirection::FromDevice, 8, 0, {}},
    {8, 26, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {8, 30, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {8, 58, MsgDirection::Both, 0, 1, {{kModuleMain, kModuleMain, 2, 255, 0}}},
    {8, 59, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {257, 60, MsgDirection::Both, 0, 1, {{kModuleDial, kModuleDial, 0, 0, 920}}},
    {257, 61, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleDial, kModuleDial, 0, 0, 8}}},
    {257, 62, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleDial, kModuleDial, 0, 0, 0}}},
    {257, 87, MsgDirection::FromDevice, 8, 0, {}},
    {258, 64, MsgDirection::FromDevice, 0, 0, {}},
    {258, 65, MsgDirection::Both, 0, 1, {{kModuleDial, kModuleDial, 0, 0, 0}}},
    {258, 66, MsgDirection::Both, 0, 1, {{kModuleDial, kModuleDial, 0, 0, 0}}},
    {258, 67, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleDial, kModuleDial, 0, 0, 0}}},
    {258, 68, MsgDirection::Both, 4, 1, {{kModuleDial, kModuleDial, 0, 0, 0}}},
    {258, 69, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleDial, kModuleDial, 0, 0, 0}}},
    {258, 70, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleDial, kModuleDial, 0, 0, 0}}},
    {258, 71, MsgDirection::FromDevice, 4, 0, {}},
    {258, 72, MsgDirection::Both, 0, 1, {{kModuleDial, kModuleDial, 0, 0, 0}}},
    {258, 73, MsgDirection::FromDevice, 156, 0, {}},
    {258, 74, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleSetting, kModuleSetting, 0, 0, 0}}},
    {258, 76, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleDial, kModuleDial, 0, 0, 8}}},
    {512, 164, MsgDirection::FromDevice, 0, 0, {}},
    {513, 75, MsgDirection::FromDevice, 12, 0, {}},
    {513, 76, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleSetting, kModuleSetting, 0, 0, 8}}},
    {513, 78, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleSetting, kModuleSetting, 0, 0, 8}}},
    {513, 79, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleSetting, kModuleSetting, 0, 0, 80}}},
    {513, 80, MsgDirection::FromDevice, 4, 0, {}},
    {513, 81, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {513, 82, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleSetting, kModuleSetting, 0, 0, 4}}},
    {513, 83, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {513, 84, MsgDirection::Both, 0, 1, {{kModuleSetting, kModuleSetting, 0, 0, 8}}},
    {513, 85, MsgDirection::FromDevice, 8, 0, {}},
    {513, 88, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleSetting, kModuleSetting, 0, 0, 0}}},
    {513, 89, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleSetting, kModuleSetting, 0, 0, 0}}},
    {768, 90, MsgDirection::Both, 64, 1, {{kModuleSMS, kModuleSMS, 0, 0, 6488}}},
    {768, 91, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleSMS, kModuleSMS, 0, 0, 12}}},
    {768, 92, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleSMS, kModuleSMS, 0, 0, 16}}},
    {768, 93, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleSMS, kModuleSMS, 0, 0, 7744}}},
    {768, 94, MsgDirection::FromDevice, 516, 0, {}},
    {768, 95, MsgDirection::Both, 32, 1, {{kModuleSetting, kModuleSMS, 0, 0, 32}}},
    {768, 96, MsgDirection::Both, 4, 2, {{kModuleSetting, kModuleSetting, 0, 0, 4}, {kModuleSMS, kModuleSetting, 0, 0, 4}}},
    {768, 97, MsgDirection::FromDevice, 16, 0, {}},
    {768, 98, MsgDirection::FromDevice, 2092, 0, {}},
    {768, 99, MsgDirection::FromDevice, 100, 0, {}},
    {768, 100, MsgDirection::FromDevice, 436, 0, {}},
    {768, 101, MsgDirection::FromDevice, 436, 0, {}},
    {768, 102, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleSMS, kModuleSMS, 0, 0, 8}}},
    {768, 103, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleSetting, kModuleSMS, 0, 0, 128}}},
    {768, 105, MsgDirection::FromDevice, 336, 0, {}},
    {768, 106, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleSetting, kModuleSetting, 0, 0, 4}}},
    {768, 107, MsgDirection::FromDevice, 4, 0, {}},
    {768, 108, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {768, 109, MsgDirection::Both, 32, 2, {{kModuleSetting, kModuleSMS, 0, 0, 0}, {kModuleSMS, kModuleSetting, 0, 0, 0}}},
    {768, 110, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleSetting, kModuleSMS, 0, 0, 0}}},
    {768, 111, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleSMS, kModuleSMS, 1, 0, 0}}},
    {768, 112, MsgDirection::FromDevice, 100, 0, {}},
    {768, 113, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleSMS, kModuleSMS, 0, 0, 0}}},
    {768, 114, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleSMS, kModuleSMS, 0, 0, 0}}},
    {1025, 0, MsgDirection::FromDevice, 548, 0, {}},
    {1027, 118, MsgDirection::Both, 4, 1, {{kModulePhoneBook, kModulePhoneBook, 0, 0, 4}}},
    {1029, 122, MsgDirection::Both, 16, 1, {{kModulePhoneBook, kModulePhoneBook, 0, 0, 540}}},
    {1280, 124, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {1280, 125, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {1280, 126, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {1280, 127, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {1280, 128, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {1280, 129, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {1280, 130, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleSTK, kModuleSTK, 0, 0, 4}}},
    {1280, 131, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleSTK, kModuleSTK, 0, 0, 4}}},
    {1280, 132, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleSTK, kModuleSTK, 0, 0, 0}}},
    {1280, 133, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleSTK, kModuleSTK, 0, 0, 0}}},
    {1280, 134, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleSTK, kModuleSTK, 0, 0, 0}}},
    {1280, 135, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleSTK, kModuleSTK, 0, 0, 0}}},
    {1280, 136, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleSTK, kModuleSTK, 0, 0, 1028}}},
    {1280, 137, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleSTK, kModuleSTK, 0, 0, 0}}},
    {1792, 138, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleUSSD, kModuleUSSD, 0, 0, 8200}}},
    {1792, 139, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {2048, 140, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleGPS, kModuleGPS, 0, 0, 8}}},
    {2048, 141, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleGPS, kModuleGPS, 0, 0, 0}}},
    {2048, 142, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleGPS, kModuleGPS, 0, 0, 8}}},
    {2048, 143, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {2305, 0, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {2306, 145, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {2306, 146, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {2306, 147, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {2306, 148, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {2307, 149, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleCall, kModuleCall, 0, 0, 100}}},
    {2307, 150, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleCall, kModuleCall, 0, 0, 0}}},
    {2307, 151, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleCall, kModuleCall, 0, 0, 0}}},
    {2307, 152, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleCall, kModuleCall, 0, 0, 1}}},
    {2307, 153, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleSetting, kModuleSetting, 0, 0, 88}}},
    {2307, 154, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleSetting, kModuleSetting, 0, 0, 32}}},
    {2307, 155, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleSetting, kModuleSetting, 0, 0, 12}}},
    {2307, 156, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {2307, 157, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {2307, 158, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {2307, 159, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {2307, 160, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {2307, 161, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {2307, 162, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleCall, kModuleCall, 0, 0, 4}}},
    {2307, 163, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleCall, kModuleCall, 0, 0, 0}}},
    {2307, 165, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {2307, 166, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {2308, 144, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {4097, 167, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {4097, 168, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {4097, 169, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {4097, 170, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {4097, 171, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {4097, 172, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {4097, 173, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleWLAN, kModuleWLAN, 0, 0, 8}}},
    {4097, 174, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {4097, 175, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleWLAN, kModuleWLAN, 0, 0, 8}}},
    {4097, 176, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {4097, 177, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {4097, 178, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {4098, 180, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {4098, 181, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleWLAN, kModuleWLAN, 0, 0, 52}}},
    {4098, 182, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleWLAN, kModuleWLAN, 0, 0, 8}}},
    {4098, 183, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleWLAN, kModuleWLAN, 0, 0, 132}}},
    {4098, 184, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleWLAN, kModuleWLAN, 0, 0, 76}}},
    {4098, 185, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleWLAN, kModuleWLAN, 0, 0, 8}}},
    {4098, 186, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleWLAN, kModuleWLAN, 0, 0, 120}}},
    {4098, 187, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleWLAN, kModuleWLAN, 0, 0, 4}}},
    {4098, 188, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleWLAN, kModuleWLAN, 0, 0, 72}}},
    {4098, 189, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {4098, 190, MsgDirection::Both, kAnyAnswerSize, 1, {{kModuleWLAN, kModuleWLAN, 0, 0, 72}}},
    {4098, 191, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
    {4098, 192, MsgDirection::ToDevice, kAnyAnswerSize, 1, {{kModuleWLAN, kModuleWLAN, 0, 0, 4}}},
    {8192, 193, MsgDirection::FromDevice, kAnyAnswerSize, 0, {}},
};

struct MsgGroup {
    std::uint16_t major;
    std::string_view label;
};

inline constexpr MsgGroup kMsgGroups[] = {
    {0, "user device lock: status reply, unlock result"},
    {1, "handshake"},
    {2, "power check"},
    {3, "work mode: online and offline, device mode, preferred network mode"},
    {4, "PIN and PUK: counts, status, verify, change, enable and disable, automatic validation, saved PIN"},
    {5, "user device lock commands"},
    {6, "SIM and USIM status"},
    {7, "device and network information"},
    {8, "device status: lock status and code change, device removed, not attached"},
    {257, "dial parameters and frequency lock"},
    {258, "connection"},
    {512, "device unlock result"},
    {513, "network selection"},
    {768, "SMS"},
    {1025, "phonebook initialised"},
    {1027, "phonebook storage"},
    {1029, "phonebook SIM write and delete"},
    {1280, "SIM toolkit"},
    {1792, "USSD"},
    {2048, "GPS"},
    {2305, "voice subsystem initialised"},
    {2306, "incoming call, call stage, ring, waiting call"},
    {2307, "call commands and call settings"},
    {2308, "emergency numbers"},
    {4097, "router Wi-Fi read"},
    {4098, "router Wi-Fi apply"},
    {8192, "MMS push"},
};

inline constexpr int kMsgCatalogueSize = int(sizeof kMsgCatalogue / sizeof kMsgCatalogue[0]);

namespace detail {
constexpr bool catalogueOrdered()
{
    for (int i = 1; i < kMsgCatalogueSize; ++i) {
        const auto &a = kMsgCatalogue[i - 1];
        const auto &b = kMsgCatalogue[i];
        if (a.major > b.major || (a.major == b.major && a.minor >= b.minor))
            return false;
    }
    return true;
}
constexpr bool catalogueConsistent()
{
    for (const auto &e : kMsgCatalogue) {
        if ((e.senderCount > 0) != (e.direction != MsgDirection::FromDevice) || e.senderCount > 3)
            return false;
        if (e.answerSize < kAnyAnswerSize || e.answerSize > 8196)
            return false;
        for (int i = 0; i < e.senderCount; ++i)
            if (e.senders[i].payloadSize < 0)
                return false;
    }
    return true;
}
// The send call takes the size from the ID and the type and result from the ID and module: every
// sender of an ID sends one size, and senders under one module agree on type and result.
constexpr bool sendersAgree()
{
    for (const auto &e : kMsgCatalogue)
        for (int i = 1; i < e.senderCount; ++i)
            for (int j = 0; j < i; ++j) {
                const MsgSender &a = e.senders[i];
                const MsgSender &b = e.senders[j];
                if (a.payloadSize != b.payloadSize)
                    return false;
                if (a.module == b.module && (a.type != b.type || a.result != b.result))
                    return false;
            }
    return true;
}
} // namespace detail
static_assert(detail::catalogueOrdered(), "kMsgCatalogue must be ordered by (major, minor) without repeats");
static_assert(detail::catalogueConsistent(), "kMsgCatalogue entry with senders that do not match its direction");
static_assert(detail::sendersAgree(), "kMsgCatalogue entry whose senders differ in size, or in type under one module");

// The index of a message ID in kMsgCatalogue, or -1 when the catalogue has none. (Compile-time
// checks work with indices: GCC does not fold a table element's address compared with null in a
// sanitised build.)
constexpr int messageIndex(std::uint16_t major, std::uint16_t minor)
{
    int lo = 0, hi = kMsgCatalogueSize;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        const auto &e = kMsgCatalogue[mid];
        if (e.major < major || (e.major == major && e.minor < minor))
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo < kMsgCatalogueSize && kMsgCatalogue[lo].major == major && kMsgCatalogue[lo].minor == minor)
        return lo;
    return -1;
}

// The entry of a message ID, or null when the catalogue has none.
constexpr const MsgCatalogueEntry *findMessage(std::uint16_t major, std::uint16_t minor)
{
    const int i = messageIndex(major, minor);
    return i < 0 ? nullptr : &kMsgCatalogue[i];
}

// The label of a message group ("handshake", "connection", ...), empty when unknown.
constexpr std::string_view msgGroupLabel(std::uint16_t major)
{
    for (const auto &g : kMsgGroups)
        if (g.major == major)
            return g.label;
    return {};
}

// The sender entry of a message ID for a sending area, or null.
constexpr const MsgSender *findSender(std::uint16_t major, std::uint16_t minor, int area)
{
    const MsgCatalogueEntry *e = findMessage(major, minor);
    if (!e)
        return nullptr;
    for (int i = 0; i < e->senderCount; ++i)
        if (e->senders[i].area == area)
            return &e->senders[i];
    return nullptr;
}

// --- the send call's view of the catalogue ------------------------------------------------------

// The module argument of a send that names none.
inline constexpr int kCatalogueModule = -1;

// Whether the senders of a request put different module IDs in it, or another area's than their
// own: the sender then names the module it sends under.
constexpr bool requestNeedsModule(std::uint16_t major, std::uint16_t minor)
{
    const int i = messageIndex(major, minor);
    if (i < 0)
        return false;
    const MsgCatalogueEntry &e = kMsgCatalogue[i];
    for (int s = 0; s < e.senderCount; ++s)
        if (e.senders[s].module != e.senders[s].area || e.senders[s].module != e.senders[0].module)
            return true;
    return false;
}

// The sender row that a send of the ID under module uses (kCatalogueModule: the request's one
// module); null for an ID the dashboard does not send, a module the catalogue does not give it, or
// no module where the request needs one.
constexpr const MsgSender *requestSender(std::uint16_t major, std::uint16_t minor, int module)
{
    const int i = messageIndex(major, minor);
    if (i < 0 || !kMsgCatalogue[i].isSent())
        return nullptr;
    const MsgCatalogueEntry &e = kMsgCatalogue[i];
    if (module == kCatalogueModule)
        return requestNeedsModule(major, minor) ? nullptr : &e.senders[0];
    for (int s = 0; s < e.senderCount; ++s)
        if (e.senders[s].module == module)
            return &e.senders[s];
    return nullptr;
}

// The payload size of a request; -1 for an ID the dashboard does not send.
constexpr int requestPayloadSize(std::uint16_t major, std::uint16_t minor)
{
    const int i = messageIndex(major, minor);
    return i >= 0 && kMsgCatalogue[i].isSent() ? kMsgCatalogue[i].senders[0].payloadSize : -1;
}

// The payload size of the device service's records of an ID; kAnyAnswerSize when the catalogue
// does not fix it or does not know the ID.
constexpr int answerPayloadSize(std::uint16_t major, std::uint16_t minor)
{
    const int i = messageIndex(major, minor);
    return i >= 0 ? kMsgCatalogue[i].answerSize : kAnyAnswerSize;
}

} // namespace yov
