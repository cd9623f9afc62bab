// The contact dialog and the delete on the memory-card side.
#include "ostrel/phonebook/PBController.h"
#include "ostrel/phonebook/page/PBRecordActions.h"
#include "ostrel/phonebook/page/PBUserWin.h"
#include "ostrel/phonebook/page/PBWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace ostrel {

namespace {

// The card keeps the five texts; the dialog has neither group nor remark for it.
void prepareCardDialog(PBUserWin *d, const QVariantMap &contact)
{
    for (ContactField f :
         {ContactField::Name, ContactField::Mobile, ContactField::Home, ContactField::Office, ContactField::Email}) {
        static const QString keys[] = {contactkey::username, contactkey::mobilephone, contactkey::homephone,
                                       contactkey::officephone, contactkey::email};
        d->field(f)->setText(contactText(contact, keys[int(f)]));
        d->field(f)->setEnabled(true);
    }
    d->tfdUSerRemark_->clear();
    d->tfdUSerRemark_->setEnabled(false);
    d->usergroup->hide();
    d->usergrplabel->hide();
}

} // namespace

void PBRecordActions::addNewContactInTCard()
{
    pb_->phonebookOperate_ = PBController::OperationAdd;
    if (!isDialogOpen()) {
        prepareCardDialog(dialog(), {});
        setDrawerItemsEnabled(false);
    }
    openPBUserWin();
    dialog_->username->setFocus();
}

void PBRecordActions::editUserInTCard()
{
    if (!pb_->m_TCardContact)
        return;
    const QVariantMap contact = pb_->contactAt(*pb_->m_TCardContact);
    if (contact.isEmpty())
        return;
    pb_->phonebookOperate_ = PBController::OperationEdit;
    prepareCardDialog(dialog(), contact);
    openPBUserWin();
    dialog_->username->setFocus();
    setDrawerItemsEnabled(false);
}

void PBRecordActions::deleteUserInTCard()
{
    // The search collects no card contacts, so the rows are those of the card list.
    pb_->deleteUserFromTCard(selectedRows());
    window_->reloadContactTable();
    window_->SetMutexButton(false, false, false);
    window_->buttonControl(true, false, false, true, false, false);
    window_->SetConpacityShow();
    resetContactInfo();
}

} // namespace ostrel
