#pragma once
// The contact picker as the other pages reach it (Neighbours::contactPicker()): each call makes a
// new SelectWindowControl in the form asked for. Installs itself while it lives.
#include "ostrel/framework/neighbours/ContactPickerInterface.h"

#include <functional>

namespace ostrel {

class SelectWindowControl;

class ContactPicker : public ContactPickerInterface {
public:
    ContactPicker();
    ~ContactPicker() override;

    void showSelectWindow(ContactPickerForm form, QWidget *hostWindow, const QSizeF &size) override;
    int runModalSelectWindow(const QVariantList &availableContactNumbers, QStringList *selectedContactNumbers) override;

    // Told of every picker made, before it is shown (tests drive the window through it).
    void setPickerObserver(std::function<void(SelectWindowControl *)> observer) { observer_ = std::move(observer); }

private:
    std::function<void(SelectWindowControl *)> observer_;
};

} // namespace ostrel
