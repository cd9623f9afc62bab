#pragma once
// What the SMS, MMS, call and phonebook pages ask of the contact picker (SelectWindowControl).
//
// The sheet forms hang on a host window and own themselves: the caller keeps nothing, and the
// result leaves through the SMS and MMS pages' setTheSearchFieldText, "SelectContactFinished"
// {"SendList"} or "makeCallWithPhoneNumber". The modal number choice runs until OK or Cancel and
// hands its numbers back directly.
//
// DefaultContactPicker: there is no picker; it opens nothing and hands back no number (0).
#include <QSizeF>
#include <QStringList>
#include <QVariantList>

class QWidget;

namespace ostrel {

enum class ContactPickerForm {
    RecipientSheet,  // several numbers for a new message; size: the host's content size
    CallSheet,       // one number to call
    SimplifiedSheet, // a narrow form over the phonebook's SIM list; size 285 x 448
};

class ContactPickerInterface {
public:
    virtual ~ContactPickerInterface() = default;
    // Opens a new picker of that form as a sheet on the host window; returns at once.
    virtual void showSelectWindow(ContactPickerForm form, QWidget *hostWindow, const QSizeF &size) = 0;
    // Runs the number choice over {"username", "mobilephone"} entries: 1 after OK, with the chosen
    // numbers in selectedContactNumbers (when given), 0 after Cancel.
    virtual int runModalSelectWindow(const QVariantList &availableContactNumbers, QStringList *selectedContactNumbers) = 0;
};

class DefaultContactPicker : public ContactPickerInterface {
public:
    void showSelectWindow(ContactPickerForm, QWidget *, const QSizeF &) override {}
    int runModalSelectWindow(const QVariantList &, QStringList *selectedContactNumbers) override
    {
        if (selectedContactNumbers)
            selectedContactNumbers->clear();
        return 0;
    }
};

} // namespace ostrel
