#include "ostrel/sms/service/SmsPageRules.h"

#include "common/sms/SmsBoxCodes.h"

namespace ostrel {

bool smsIsDeviceStore(int position)
{
    return position == yov::sms::kPositionSim || position == yov::sms::kPositionMe;
}

SmsMenuStates smsInitialMenuStates(bool ready)
{
    SmsMenuStates items{};
    items[kSmsMenuNew] = ready;
    return items;
}

SmsMenuStates smsMenuStatesForSelection(const SmsSelectionState &s)
{
    SmsMenuStates items = smsInitialMenuStates(s.ready);
    items[kSmsMenuDelete] = true;
    const bool specialBox = s.box == yov::sms::kBoxDeliveryReport || s.box == yov::sms::kBoxDeletedBox
                            || s.box == yov::sms::kBoxImportantBox;
    if (s.selected >= 1 && !specialBox && !smsIsDeviceStore(s.position))
        items[kSmsMenuSaveToImportant] = true;
    if (!s.ready) {
        if (s.selected == 1)
            items[kSmsMenuSaveNumberToPc] = true;
        return items;
    }
    const bool inOrOut = s.box == yov::sms::kBoxInBox || s.box == yov::sms::kBoxOutBox;
    if (s.selected == 1) {
        if (s.box == yov::sms::kBoxInBox)
            items[kSmsMenuReply] = items[kSmsMenuForward] = true;
        if (s.forwardInOutBox && s.box == yov::sms::kBoxOutBox)
            items[kSmsMenuForward] = items[kSmsMenuMove] = true;
        else if (s.box == yov::sms::kBoxDraftBox)
            items[kSmsMenuEdit] = true;
        else if (inOrOut)
            items[kSmsMenuMove] = true;
        if (s.box != yov::sms::kBoxInBox && s.box != yov::sms::kBoxDeliveryReport && !s.sendingUserInfo)
            items[kSmsMenuSend] = true;
        items[kSmsMenuSaveNumberToPc] = items[kSmsMenuSaveNumberToSim] = true;
    } else if (s.selected == 0) {
        items[kSmsMenuDelete] = false;
    } else if (inOrOut) {
        items[kSmsMenuMove] = true;
    }
    return items;
}

SmsButtonStates smsButtonStatesForSelection(const SmsSelectionState &s)
{
    SmsButtonStates b;
    b.deleteBtn = b.moveToImportant = b.read = true;
    const bool deletedOrImportant = s.box == yov::sms::kBoxDeletedBox || s.box == yov::sms::kBoxImportantBox;
    if (s.selected == 0 || deletedOrImportant) {
        b.moveToImportant = false;
        if (s.selected > 0)
            b.recover = true;
    }
    if (smsIsDeviceStore(s.position) || s.box == yov::sms::kBoxDeliveryReport)
        b.moveToImportant = b.recover = false;
    if (s.ready) {
        const bool inOrOut = s.box == yov::sms::kBoxInBox || s.box == yov::sms::kBoxOutBox;
        const bool deviceDraft = s.box == yov::sms::kBoxDraftBox && smsIsDeviceStore(s.position);
        if (s.selected > 0 && (inOrOut || deviceDraft))
            b.saveTo = b.moveTo = true;
        if (s.selected == 1) {
            if (s.box == yov::sms::kBoxInBox)
                b.reply = b.forward = true;
            if (s.box == yov::sms::kBoxOutBox)
                b.forward = s.forwardInOutBox;
            if (inOrOut)
                b.savePhone = b.send = true;
            if (s.box == yov::sms::kBoxDraftBox && s.hasCurrent) {
                b.send = true;
                b.savePhone = s.currentHasNumber;
            }
            if (s.callModule && inOrOut)
                b.call = true;
        }
        if (s.selected == 0) {
            b.deleteBtn = b.recover = b.moveToImportant = b.read = false;
            b.showSummary = true;
        }
    } else {
        if (s.selected == 1)
            b.savePhone = true;
        if (s.selected == 0)
            b.deleteBtn = b.read = false;
    }
    return b;
}

} // namespace ostrel
