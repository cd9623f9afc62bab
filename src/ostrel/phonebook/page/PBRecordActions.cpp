#include "ostrel/phonebook/page/PBRecordActions.h"

#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/phonebook/PBController.h"
#include "ostrel/phonebook/page/PBRenameGroupWindow.h"
#include "ostrel/phonebook/page/PBUserWin.h"
#include "ostrel/phonebook/page/PBWindow.h"
#include "ostrel/phonebook/page/UpdatePhonebookWindow.h"
#include "platform/Clock.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTextBrowser>

namespace ostrel {

namespace {

const QString kDrawerItems = QStringLiteral("DrawerItems");

} // namespace

PBRecordActions::PBRecordActions(PBWindow *window, QObject *parent)
    : QObject(parent), window_(window), pb_(window->controller())
{
    window_->setActions(this);
}

PBRecordActions::~PBRecordActions()
{
    if (window_->actions() == this)
        window_->setActions(nullptr);
    delete dialog_.data();
    delete renameWindow_.data();
    delete wndUpdatePhonebook_.data();
}

QString PBRecordActions::localized(const QString &english) { return Map_Name_Item_of_IndexString(english); }

void PBRecordActions::resetContactInfo()
{
    page()->tvwContactInfo_->setPlainText(localized(QStringLiteral("There is not contact selected")));
}

PBPage *PBRecordActions::page() const { return window_->page(); }

QWidget *PBRecordActions::mainWindow() const { return pb_->wndMain; }

void PBRecordActions::setDrawerItemsEnabled(bool enabled) { pb_->setDynamicControllersEnabledByKey(kDrawerItems, enabled); }

// ---- the dialog ---------------------------------------------------------------------------------

PBUserWin *PBRecordActions::dialog()
{
    if (!dialog_) {
        dialog_ = new PBUserWin(mainWindow());
        // The window asks the device unlock on it, and a refused unlock closes it.
        window_->setContactDialog(dialog_);
        dialog_->applyWording(&PBRecordActions::localized);
        connect(dialog_, &PBUserWin::okClicked, this, [this] { adduserok(); });
        connect(dialog_, &PBUserWin::cancelClicked, this, [this] { canceladduser(); });
        connect(dialog_, &PBUserWin::groupSelected, this, [this](int index) { selectUsrGroup(index); });
        // The number fields take only what a number may hold, within the computer's limit; every
        // field is cut to what the side's storage keeps as it is typed.
        for (QLineEdit *number : {dialog_->mobilephone, dialog_->homephone, dialog_->officephone})
            connect(number, &QLineEdit::textEdited, this, [this, number] { ContentControl(number, pb_->pcNumberMaxLen_); });
        for (ContactField f : {ContactField::Name, ContactField::Mobile, ContactField::Home, ContactField::Office, ContactField::Email})
            connect(dialog_->field(f), &QLineEdit::textEdited, this, [this, f] { limitTextFieldLength(f); });
    }
    return dialog_;
}

void PBRecordActions::limitTextFieldLength(ContactField which)
{
    QLineEdit *field = dialog()->field(which);
    const QString cut = pb_->limitTextFieldLength(which, field->text(), window_->savePositionTag());
    if (cut != field->text())
        field->setText(cut);
}

bool PBRecordActions::isDialogOpen() const { return dialog_ && dialog_->isVisible(); }

void PBRecordActions::newUser()
{
    pb_->clearAddUserList();
    pb_->clearDelUserList();
    const int tag = window_->savePositionTag();
    if (canAddNewContact(tag)) {
        switch (tag) {
        case 0:
            addNewContactInPC();
            break;
        case 1:
            addNewContactInSIM();
            break;
        case 2:
            addNewContactInME();
            break;
        case 3:
            addNewContactInTCard();
            break;
        default:
            break;
        }
    }
    // A message's sender waits for this dialog only: a later add starts empty.
    if (!isDialogOpen())
        window_->setSavePhoneNumberFromSMS(false);
}

bool PBRecordActions::canAddNewContact(int tag)
{
    switch (tag) {
    case 0:
        return canAddNewContactInPC();
    case 1:
        return canAddNewContactInSIM();
    case 2:
        return canAddNewContactInME();
    case 3:
        return pb_->tcardInitFinished_;
    default:
        return false;
    }
}

bool PBRecordActions::canAddNewContactInPC()
{
    if (pb_->sumOfContactInPC() < pb_->PCUserMaxCount)
        return true;
    pb_->popupAlertOk(QStringLiteral("PC Record full,Please delete records first!"));
    return false;
}

bool PBRecordActions::canAddNewContactInSIM()
{
    if (pb_->getSimUserNumber() < pb_->simMaxIndex_)
        return true;
    if (!pb_->configuration().SaveToPCWhenSimFull) {
        pb_->popupAlertOk(QStringLiteral("SIM Record full,Please delete records first!"));
        return false;
    }
    if (pb_->popupAlertOkCancel(QStringLiteral("The SIM card is full.Do you want to save the contact to PC?")) == 1) {
        window_->showSideOfSavePosition(int(PBStorage::PC));
        newUser();
    }
    return false;
}

bool PBRecordActions::canAddNewContactInME()
{
    if (pb_->getMeUserNumber() < pb_->meMaxIndex_)
        return true;
    pb_->popupAlertOk(QStringLiteral("Data Card Record full,Please delete records first!"));
    return false;
}

void PBRecordActions::addNewContactInPC()
{
    if (pb_->sumOfGroupInPC() == 0) {
        pb_->popupAlertOk(QStringLiteral("There is no group,please create a group first!"));
        return;
    }
    pb_->phonebookOperate_ = PBController::OperationAdd;
    if (!isDialogOpen()) {
        setTextFieldWhenEditUser(QVariantMap());
        setUserGroupInPC();
        setDrawerItemsEnabled(false);
    }
    openPBUserWin();
    dialog_->username->setFocus();
}

void PBRecordActions::addNewContactOnDevice()
{
    pb_->phonebookOperate_ = PBController::OperationAdd;
    if (!isDialogOpen()) {
        PBUserWin *d = dialog();
        if (pb_->configuration().SimFieldAutoDetectionEnabled) {
            // Only the fields the storage keeps can be typed into.
            for (ContactField f : {ContactField::Name, ContactField::Mobile, ContactField::Home, ContactField::Office,
                                   ContactField::Email}) {
                d->field(f)->clear();
                d->field(f)->setEnabled(ContactFieldRules::isFieldEnabled(pb_->m_simContactFiledsFlag, f));
            }
            hideDeviceRemark();
        } else {
            setTextFieldWhenEditUser(QVariantMap());
            setDeviceFieldsEnabled(false, true);
        }
        setUserGroupInNotPC();
        setDrawerItemsEnabled(false);
    }
    openPBUserWin();
    dialog_->username->setFocus();
}

void PBRecordActions::hideDeviceRemark()
{
    // A device storage keeps no remark; the field shows (disabled) only where remarks are shown.
    PBUserWin *d = dialog();
    const bool shown = pb_->configuration().IsDisplayRemark;
    d->tfdUSerRemark_->clear();
    d->tfdUSerRemark_->setEnabled(false);
    d->tfdUSerRemark_->setVisible(shown);
    d->tfdUSerRemarkLabel_->setVisible(shown);
}

void PBRecordActions::setDeviceFieldsEnabled(bool enabled, bool empty)
{
    PBUserWin *d = dialog();
    for (QLineEdit *f : {d->officephone, d->homephone, d->useremail, d->tfdUSerRemark_}) {
        f->setEnabled(enabled);
        if (empty)
            f->clear();
    }
}

void PBRecordActions::editUser()
{
    pb_->clearAddUserList();
    pb_->clearDelUserList();
    switch (window_->savePositionTag()) {
    case 0:
        editContactInPC();
        break;
    case 1:
        editContactInSIM();
        break;
    case 2:
        editContactInME();
        break;
    case 3:
        editUserInTCard();
        break;
    default:
        return;
    }
}

void PBRecordActions::editContactInPC()
{
    if (!pb_->m_PcContact)
        return;
    const QVariantMap contact = pb_->contactAt(*pb_->m_PcContact);
    if (contact.isEmpty())
        return;
    pb_->phonebookOperate_ = PBController::OperationEdit;
    setTextFieldWhenEditUser(contact);
    setUserGroupInPC();
    openPBUserWin();
    dialog_->username->setFocus();
    setDrawerItemsEnabled(false);
}

void PBRecordActions::editContactOnDevice(int side)
{
    const std::optional<ContactPlace> &place = side == int(PBStorage::SIM) ? pb_->m_SimContact : pb_->m_MeContact;
    if (!place)
        return;
    const QVariantMap contact = pb_->contactAt(*place);
    if (contact.isEmpty())
        return;
    pb_->phonebookOperate_ = PBController::OperationEdit;
    PBUserWin *d = dialog();
    if (pb_->configuration().SimFieldAutoDetectionEnabled) {
        const int flags = pb_->m_simContactFiledsFlag;
        d->setTexts(ContactFieldRules::rearrangeEditDialogTextfieldsByContact(contact, flags));
        for (ContactField f : {ContactField::Name, ContactField::Mobile, ContactField::Home, ContactField::Office,
                               ContactField::Email})
            d->field(f)->setEnabled(ContactFieldRules::isFieldEnabled(flags, f));
        hideDeviceRemark();
    } else {
        setTextFieldWhenEditUser(contact);
        setDeviceFieldsEnabled(false, false);
    }
    setUserGroupInNotPC();
    openPBUserWin();
    d->username->setFocus();
    setDrawerItemsEnabled(false);
}

void PBRecordActions::setTextFieldWhenEditUser(const std::optional<QVariantMap> &contact)
{
    if (!contact)
        return;
    PBUserWin *d = dialog();
    const QVariantMap &c = *contact;
    d->username->setText(contactText(c, contactkey::username));
    d->mobilephone->setText(window_->savePhoneNumberFromSMS() ? Neighbours::sms().getMobilePhoneFromSelectedSMS()
                                                              : contactText(c, contactkey::mobilephone));
    d->officephone->setText(contactText(c, contactkey::officephone));
    d->homephone->setText(contactText(c, contactkey::homephone));
    d->useremail->setText(contactText(c, contactkey::email));
    d->tfdUSerRemark_->setText(contactText(c, contactkey::remark));
    for (QLineEdit *f : {d->username, d->mobilephone, d->officephone, d->homephone, d->useremail})
        f->setEnabled(true);
    const bool remark = pb_->configuration().IsDisplayRemark;
    d->tfdUSerRemark_->setVisible(remark);
    d->tfdUSerRemark_->setEnabled(remark);
    d->tfdUSerRemarkLabel_->setVisible(remark);
}

void PBRecordActions::setUserGroupInPC()
{
    PBUserWin *d = dialog();
    QComboBox *box = d->usergroup;
    box->show();
    d->usergrplabel->show();
    // An edit never moves a contact to another group.
    box->setEnabled(pb_->phonebookOperate_ != PBController::OperationEdit);
    box->clear();
    if (pb_->configuration().IsNoGroup) {
        box->addItem(localized(QStringLiteral("PC")));
        if (pb_->simInitFinished_)
            box->addItem(localized(QStringLiteral("(U)SIM")));
        box->setCurrentIndex(0);
        return;
    }
    box->addItems(pb_->groupNames());
    // An add starts on the current group, an edit shows the contact's own.
    int selected = pb_->currentGroupIndex();
    if (pb_->phonebookOperate_ == PBController::OperationEdit && pb_->m_PcContact)
        selected = pb_->m_PcContact->group;
    // With the computer's root chosen rather than a group, an add starts on the first group: with
    // none chosen the contact was saved under no group and never shown again.
    if (selected < 0 && box->count() > 0)
        selected = 0;
    box->setCurrentIndex(selected);
}

void PBRecordActions::setUserGroupInNotPC()
{
    PBUserWin *d = dialog();
    QComboBox *box = d->usergroup;
    if (!pb_->configuration().IsNoGroup) {
        box->hide();
        d->usergrplabel->hide();
        return;
    }
    box->clear();
    box->addItem(localized(QStringLiteral("PC")));
    box->addItem(localized(QStringLiteral("(U)SIM")));
    box->setEnabled(pb_->phonebookOperate_ != PBController::OperationEdit);
    box->setCurrentIndex(1);
    box->show();
    d->usergrplabel->show();
}

void PBRecordActions::selectUsrGroup(int index)
{
    if (!pb_->configuration().IsNoGroup)
        return;
    if (index == 0) {
        pb_->lastSelectSavePos_ = 0;
        setDeviceFieldsEnabled(true, false);
    } else if (index == 1) {
        pb_->lastSelectSavePos_ = 1;
        setDeviceFieldsEnabled(false, true);
    }
}

void PBRecordActions::openPBUserWin()
{
    PBUserWin *d = dialog();
    QWidget *main = mainWindow();
    if (pb_->hasModuleWith(QStringLiteral("Call"))) {
        // A free window under the main window's top, centred across it.
        d->setWindowModality(Qt::NonModal);
        d->setWindowTitle(QString());
        d->adjustSize();
        if (main) {
            const QRect frame = main->geometry();
            d->move(frame.x() + int((frame.width() - d->width()) * 0.5), frame.y() + 150);
        }
        d->show();
        d->raise();
        d->activateWindow();
        return;
    }
    d->setWindowModality(Qt::WindowModal);
    d->show();
}

void PBRecordActions::adduserok()
{
    PBUserWin *d = dialog();
    ContactDialogValues values;
    values.fields = d->texts();
    values.remark = d->tfdUSerRemark_->text();
    values.savePosition = window_->savePositionTag();
    values.groupPopUpIndex = d->usergroup->currentIndex();
    const bool pcSide = values.savePosition == int(PBStorage::PC);
    if (pcSide && !pb_->configuration().IsNoGroup)
        values.groupName = d->usergroup->currentText();
    else if (pcSide || values.groupPopUpIndex == 0)
        values.groupName = pb_->getPCUserByIndex(qMax(0, pb_->currentGroupIndex()), -1).value(contactkey::groupname).toString();
    FieldCheck check = pb_->validTextFieldContent(values);
    if (check.passed() && ConfigService(&pb_->config()).getCheckUserInformationLen())
        check = pb_->checkTextFieldLength(values);
    if (!check.passed()) {
        pb_->popupAlertOk(check.localizedMessage());
        if (QLineEdit *failing = d->field(check.field))
            failing->setFocus();
        return;
    }
    if (pb_->phonebookOperate_ == PBController::OperationEdit)
        pb_->contactIsEdited(values);
    else
        pb_->contactIsAdded(values);
    closeDialog();
    window_->reloadContactTable();
    resetContactInfo();
    if (window_->isSearching())
        window_->searchUser();
}

void PBRecordActions::canceladduser()
{
    if (pb_->phonebookOperate_ == PBController::OperationAdd || pb_->phonebookOperate_ == PBController::OperationEdit)
        pb_->phonebookOperate_ = PBController::OperationNone;
    closeDialog();
    window_->reloadContactTable();
    resetContactInfo();
}

void PBRecordActions::closeDialog()
{
    if (dialog_)
        dialog_->hide();
    setDrawerItemsEnabled(true);
    window_->setSavePhoneNumberFromSMS(false);
}

// ---- a number handed over by another area ---------------------------------------------------------

void PBRecordActions::openAddDialogToSaveNumber(int savePosition, const QString &number)
{
    window_->showSideOfSavePosition(savePosition);
    if (savePosition == int(PBStorage::PC))
        addNewContactInPC();
    else
        addNewContactOnDevice();
    if (!isDialogOpen())
        return;
    dialog_->mobilephone->setText(number);
    dialog_->username->setFocus();
    window_->selectTabViewOfPhoneBook();
}

} // namespace ostrel
