#pragma once
// The enabling rules of the SMS page, without widgets: which context-menu items and which buttons
// a selection of the message table offers. The page feeds them the selection, the box and storage
// position shown and the device state, and sets its controls from the answer.
#include <array>

namespace ostrel {

// The context menu of the message table, by index.
enum SmsMenuItem {
    kSmsMenuNew = 0,
    kSmsMenuEdit = 1,
    kSmsMenuSend = 2,
    kSmsMenuReply = 3,
    kSmsMenuForward = 4,
    kSmsMenuMove = 5,
    kSmsMenuSaveNumberToPc = 6,
    kSmsMenuSaveNumberToSim = 7,
    kSmsMenuDelete = 8,
    kSmsMenuSaveToImportant = 9,
    kSmsMenuItemCount = 10,
};

struct SmsSelectionState {
    int selected = 0;        // selected rows of the table
    int box = 0;             // box code shown
    int position = 0;        // storage position shown
    bool ready = false;      // device and SIM ready (status 12)
    bool forwardInOutBox = false; // SMS/supportMessageForwardInOutBox
    bool sendingUserInfo = false; // the registration messages are going out
    bool callModule = false;      // the toolbar hosts "Call" or "Videocall"
    bool hasCurrent = false;      // a current message exists
    bool currentHasNumber = false; // the current draft names a number
};

using SmsMenuStates = std::array<bool, kSmsMenuItemCount>;

// The menu as it starts: New only with the device ready, the rest off.
SmsMenuStates smsInitialMenuStates(bool ready);
// The menu for a selection.
SmsMenuStates smsMenuStatesForSelection(const SmsSelectionState &state);

struct SmsButtonStates {
    bool deleteBtn = false;
    bool moveToImportant = false;
    bool read = false;
    bool forward = false;
    bool savePhone = false; // the save-number pop-up and its picture
    bool reply = false;
    bool send = false;
    bool saveTo = false;
    bool moveTo = false;
    bool recover = false;
    bool call = false;
    bool showSummary = false; // nothing selected on a ready device: the text gives way to the summary
    bool operator==(const SmsButtonStates &) const = default;
};

SmsButtonStates smsButtonStatesForSelection(const SmsSelectionState &state);

// Whether a position is the SIM or the device memory (the device's own stores).
bool smsIsDeviceStore(int position);

} // namespace ostrel
