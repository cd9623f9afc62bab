// The phonebook tab's storage tree in step with the groups and the SIM, the Call button's menu,
// writing an SMS to a whole group, and saving an SMS sender as a contact.
#include "ostrel/phonebook/page/PBWindow.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/neighbours/NeighbourNotifications.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/Items.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/phonebook/PBController.h"
#include "ostrel/phonebook/page/PBSource.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPushButton>

namespace ostrel {

// ---- the tree -------------------------------------------------------------------------------

void PBWindow::initialNodeOfPc()
{
    if (source_)
        source_->initialNodeOfPc(pb_->groupNames());
}

void PBWindow::createNodeOfSimWhenSimCardvalid()
{
    if (source_)
        source_->createNodeOfSimWhenSimCardvalid();
}

void PBWindow::deleteNodeOfSimWhenSimCardInvalid()
{
    if (source_)
        source_->deleteNodeOfSimWhenSimCardInvalid();
}

void PBWindow::addGroupNodeWithGroupName(const QString &name)
{
    if (source_)
        source_->addGroupNodeWithGroupName(name);
}

void PBWindow::deleteSeletedGroupNode()
{
    if (source_)
        source_->deleteSeletedGroupNode();
}

void PBWindow::outlineViewSelectionIsChanging(Node *node)
{
    if (!source_)
        return;
    const PBSource::NodeType type = source_->typeOfNode(node);
    switch (type) {
    case PBSource::SimNode:
        selectSavePositionCell(1);
        selectSavePos();
        break;
    case PBSource::PcNode:
        selectSavePositionCell(0);
        selectSavePos();
        break;
    case PBSource::GroupNode: {
        selectSavePositionCell(0);
        // The group's rows are on the computer side.
        if (pb_->lastSelectSavePos_ != 0)
            selectSavePos();
        const int row = pb_->userGroupIndexByGroupName(node->name());
        if (row >= 0)
            page_->m_GroupList->selectionModel()->select(groupModel_->index(row, 0),
                                                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        break;
    }
    default:
        break;
    }
    source_->flashNewPopUpMenuStatusByNodeType(type);
}

// ---- the toolbar's buttons ------------------------------------------------------------------

NSFlickerButton *PBWindow::getFlickerButtonOfToolItemFromID(const QString &identifier) const
{
    if (identifier.isEmpty())
        return nullptr;
    for (NSToolbarItemExt *item : Neighbours::main().toolbarItemsArray()) {
        if (!item || (item->objectName() != identifier && item->property("itemIdentifier").toString() != identifier))
            continue;
        return qobject_cast<NSFlickerButton *>(item->property("itemView").value<QWidget *>());
    }
    return nullptr;
}

// ---- the Call button's menu -----------------------------------------------------------------

void PBWindow::setCallButtonPopMenu()
{
    QMenu *menu = page_->popUpMenuOnCallButton_;
    if (!page_->callBtn_->isEnabled() || !menu)
        return;
    QVariantMap contact;
    QList<QPair<const char *, const char *>> numbers;
    if (pb_->lastSelectSavePos_ == 0 && pb_->m_PcContact) {
        contact = pb_->contactAt(*pb_->m_PcContact);
        numbers = {{"mobilephone", "Mobile Number:"}, {"officephone", "Office Number:"}, {"homephone", "Home Number:"}};
    } else if (pb_->lastSelectSavePos_ == 1 && pb_->m_SimContact) {
        contact = pb_->contactAt(*pb_->m_SimContact);
        numbers = {{"mobilephone", "Mobile Number:"}};
    }
    menu->clear();
    for (const auto &[key, title] : numbers) {
        const QString number = contact.value(QLatin1String(key)).toString();
        if (!number.isEmpty())
            menu->addAction(QLatin1String(title) + number);
    }
}

void PBWindow::clickMenuItemToCall(QAction *item)
{
    if (!item)
        return;
    const QString title = item->text();
    const int colon = title.indexOf(QLatin1Char(':'));
    const QString number = colon < 0 ? QString() : title.mid(colon + 1);
    if (NSFlickerButton *call = getFlickerButtonOfToolItemFromID(QStringLiteral("Call")))
        call->setGroupButtonChange();
    const QString special = yov::nsString(ConfigService(&pb_->config()).readDisplayInTheInputBoxSpecialPhoneNum());
    if (!special.isEmpty() && special == number) {
        pb_->notificationCenter().post(QString(notifications::kSpecialPhoneNumber), nullptr,
                                       {{QString(notifications::kMakeCallNumberKey), special}});
        pb_->notifyChangeTabViewItem(QStringLiteral("Call"));
        return;
    }
    pb_->notificationCenter().post(QString(notifications::kMakeCallWithPhoneNumber), pb_,
                                   {{QString(notifications::kMakeCallNumberKey), number}});
}

// ---- SMS to a group -------------------------------------------------------------------------

void PBWindow::sendSMSToOneGroup()
{
    Neighbours::sms().toNewMsgWinWithPhoneNumbers(getPhoneNumbersInOneGroup(), QStringLiteral("PhoneBook"));
    pb_->notifyChangeTabViewItem(QStringLiteral("SMS"));
    if (NSFlickerButton *sms = getFlickerButtonOfToolItemFromID(QStringLiteral("SMS")))
        sms->setGroupButtonChange();
}

QList<QVariantMap> PBWindow::getContactsFromPC() const
{
    QList<QVariantMap> contacts;
    for (const PcGroup &group : pb_->m_PcPhoneList)
        contacts.append(group.contacts);
    return contacts;
}

QStringList PBWindow::getPhoneNumbersInOneGroup() const
{
    QList<QVariantMap> contacts;
    const PBSource::NodeType type = source_ ? source_->typeOfNode(source_->selectedNode()) : PBSource::OtherNode;
    if (type == PBSource::SimNode)
        contacts = pb_->m_SimPhoneList;
    else if (type == PBSource::PcNode)
        contacts = getContactsFromPC();
    else if (pb_->currentGroupIndex() >= 0 && pb_->currentGroupIndex() < pb_->m_PcPhoneList.size())
        contacts = pb_->m_PcPhoneList.at(pb_->currentGroupIndex()).contacts;
    QStringList numbers;
    for (const QVariantMap &contact : contacts) {
        const QString number = contact.value(QStringLiteral("mobilephone")).toString();
        if (!number.isEmpty())
            numbers.append(number);
    }
    return numbers;
}

// ---- saving an SMS sender -------------------------------------------------------------------

void PBWindow::clickSavePhoneNumber(QObject *sender)
{
    // The item is ours or the SMS page's item of the same name. A storage it names is reached the
    // way every handed-over number reaches it: its side is shown, after the device has switched to
    // it where needed, so that the contact is written where the dialog says.
    const auto is = [sender](const QAction *item) { return sender && (sender == item || sender->objectName() == item->objectName()); };
    if (is(menuItemOfSaveNumberToPC_) || is(menuItemOfSaveNumberToSim_)) {
        const QString storage = is(menuItemOfSaveNumberToPC_) ? QStringLiteral("PC") : QStringLiteral("(U)SIM");
        pb_->toPbUserWinWithPhoneNumber(Neighbours::sms().getMobilePhoneFromSelectedSMS(), localized(storage));
        return;
    }
    selectTabViewOfPhoneBook();
    savePhoneNumberFromSMS_ = true;
    perform(QStringLiteral("newUser:"));
}

void PBWindow::selectTabViewOfPhoneBook()
{
    pb_->notifyChangeTabViewItem(QStringLiteral("Phonebook"));
    if (NSFlickerButton *phonebook = getFlickerButtonOfToolItemFromID(QStringLiteral("Phonebook")))
        phonebook->setGroupButtonChange();
}

} // namespace ostrel
