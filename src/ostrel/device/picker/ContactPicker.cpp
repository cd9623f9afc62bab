#include "ostrel/device/picker/ContactPicker.h"

#include "ostrel/device/picker/SelectWindowControl.h"
#include "ostrel/framework/neighbours/Neighbours.h"

#include <QDialog>

namespace ostrel {

ContactPicker::ContactPicker() { Neighbours::setContactPicker(this); }

ContactPicker::~ContactPicker()
{
    if (&Neighbours::contactPicker() == this)
        Neighbours::setContactPicker(nullptr);
}

void ContactPicker::showSelectWindow(ContactPickerForm form, QWidget *hostWindow, const QSizeF &size)
{
    if (form == ContactPickerForm::RecipientSheet && size.isValid() && !size.isEmpty())
        SelectWindowControl::setSelectWindowSize(size);
    auto *picker = new SelectWindowControl;
    switch (form) {
    case ContactPickerForm::RecipientSheet:
        picker->allowsContactTableMultiSelection(true);
        break;
    case ContactPickerForm::CallSheet:
        picker->ResizeWindowForCall();
        picker->allowsContactTableMultiSelection(false);
        break;
    case ContactPickerForm::SimplifiedSheet:
        picker->allowsContactTableMultiSelection(true);
        picker->simpliedSelectWnd(size.isValid() && !size.isEmpty() ? size : QSizeF(285, 448));
        break;
    }
    if (observer_)
        observer_(picker);
    picker->showWindow(hostWindow);
}

int ContactPicker::runModalSelectWindow(const QVariantList &availableContactNumbers, QStringList *selectedContactNumbers)
{
    SelectWindowControl picker;
    picker.setSourceRange(SelectWindowControl::ModalRange);
    picker.setAvailableContactNumbers(availableContactNumbers);
    if (observer_)
        observer_(&picker);
    const int code = picker.showModalWindow();
    if (selectedContactNumbers)
        *selectedContactNumbers = code == 1 ? picker.selectedContactNumbers() : QStringList();
    return code == 1 ? 1 : 0;
}

} // namespace ostrel
