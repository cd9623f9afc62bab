// Deleting contacts on every side, and the computer's groups: new, delete, rename.
#include "ostrel/phonebook/page/PBRecordActions.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/phonebook/PBController.h"
#include "ostrel/phonebook/page/PBRenameGroupWindow.h"
#include "ostrel/phonebook/page/PBSource.h"
#include "ostrel/phonebook/page/PBWindow.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>

namespace ostrel {

namespace {

void clearSelectionOf(QTableView *table)
{
    table->selectionModel()->clearSelection();
}

} // namespace

QList<int> PBRecordActions::selectedRows() const { return PBWindow::getSelectedRowIndexes(page()->m_UserList); }

// ---- contacts -------------------------------------------------------------------------------------

void PBRecordActions::deleteUser()
{
    if (selectedRows().isEmpty())
        return;
    if (pb_->popupAlertOkCancel(QStringLiteral("Are you sure you want to delete the selected record(s)?")) != 1)
        return;
    deleteCurrectSelectedUser();
}

void PBRecordActions::deleteCurrectSelectedUser()
{
    switch (window_->savePositionTag()) {
    case 0:
        deleteContactsInPC();
        break;
    case 1:
    case 2:
        deleteContactsInPos(window_->savePositionTag());
        break;
    case 3:
        deleteUserInTCard();
        break;
    default:
        break;
    }
}

void PBRecordActions::deleteContactsInPC()
{
    const bool searching = window_->isSearching();
    QList<ContactPlace> places;
    for (int row : selectedRows()) {
        if (searching) {
            if (const std::optional<ContactPlace> found = pb_->placeOfCurSearchGroup(row))
                places.append(*found);
        } else {
            places.append({PBStorage::PC, pb_->currentGroupIndex(), row});
        }
    }
    pb_->deletePcContacts(places);
    if (searching)
        window_->buttonControl(false, false, false, false, false, false);
    else
        window_->buttonControl(true, false, false, true, false, false);
    window_->SetMutexButton(false, false, false);
    window_->reloadContactTable();
    window_->SetConpacityShow();
    resetContactInfo();
}

void PBRecordActions::deleteContactsInPos(int side)
{
    const bool searching = window_->isSearching();
    const QList<int> rows = selectedRows();
    const QList<QVariantMap> &list = side == int(PBStorage::SIM) ? pb_->m_SimPhoneList : pb_->m_MePhoneList;
    QList<int> indexes;
    for (int row : rows) {
        const QVariantMap contact = searching ? pb_->getUserFromCurSearchGroup(row) : list.value(row);
        if (!contact.isEmpty() && hasContactIndex(contact))
            indexes.append(contactIndex(contact));
    }
    preDoWithProcessBeforeOperation(int(indexes.size()));
    pb_->clearDelUserList();
    window_->buttonControl(!searching, false, false, true, false, false);
    QList<int> unsent;
    for (int index : indexes) {
        pb_->addContactToDelUserList(index);
        if (!pb_->deleteContactFromSim(index))
            unsent.append(index);
    }
    // A delete that could not be sent is answered as refused at once.
    for (int index : unsent)
        pb_->handleWriteResult({index, yov::kPbOperationDelete, 0});
    window_->SetMutexButton(false, false, false);
    clearSelectionOf(page()->m_UserList);
    resetContactInfo();
}

// ---- groups ---------------------------------------------------------------------------------------

void PBRecordActions::addGroup()
{
    if (!window_->source())
        page()->m_GroupList->setFocus();
    pb_->addGroupItem();
    if (window_->source()) {
        window_->source()->nodeOfPc()->removeAllChildren();
        window_->initialNodeOfPc();
    }
    window_->groupModel()->reloadData();
    page()->m_SaveBtn->setEnabled(true);
    window_->SetConpacityShow();
    setMoveMenu();
}

void PBRecordActions::deleteGroup()
{
    pb_->isEditing_ = false;
    const QList<int> rows = PBWindow::getSelectedRowIndexes(page()->m_GroupList);
    const int row = rows.isEmpty() ? (window_->source() ? pb_->currentGroupIndex() : -1) : rows.first();
    const auto done = qScopeGuard([this] { pb_->isEditing_ = true; });
    if (row < 0 || row >= pb_->sumOfGroupInPC())
        return;
    if (pb_->sumOfGroupInPC() == 1) {
        pb_->popupAlertOk(QStringLiteral("The last group should not be deleted!"));
        return;
    }
    // A reserved group stays, without a word.
    if (yov::nsBool(pb_->getPCUserByIndex(row, -1).value(QStringLiteral("bRes"))))
        return;
    if (pb_->popupAlertOkCancel(QStringLiteral("Are you sure you want to delete the group and all the record(s) in it?")) != 1)
        return;
    clearSelectionOf(page()->m_GroupList);
    if (!window_->source())
        page()->m_GroupList->setFocus();
    pb_->deleteGrop(row);
    if (window_->source())
        window_->deleteSeletedGroupNode();
    window_->groupModel()->reloadData();
    page()->m_DeleteGroupBtn->setEnabled(false);
    pb_->setCurrentgroup(0);
    window_->reloadContactTable();
    page()->m_SaveBtn->setEnabled(true);
    window_->SetConpacityShow();
    setMoveMenu();
}

PBRenameGroupWindow *PBRecordActions::renameWindow()
{
    if (!renameWindow_) {
        renameWindow_ = new PBRenameGroupWindow(mainWindow());
        renameWindow_->setWindowModality(Qt::WindowModal);
        renameWindow_->renameGroupOkBtn_->setText(localized(QStringLiteral("OK")));
        renameWindow_->renameGroupCancelBtn_->setText(localized(QStringLiteral("Cancel")));
        connect(renameWindow_, &PBRenameGroupWindow::okClicked, this, [this] { clickRenamGroupOK(); });
        connect(renameWindow_, &PBRenameGroupWindow::cancelClicked, this, [this] { clickRenamGroupCancel(); });
    }
    return renameWindow_;
}

void PBRecordActions::editGroup()
{
    const int group = pb_->currentGroupIndex();
    if (!window_->source() || group < 0 || group >= pb_->sumOfGroupInPC())
        return;
    PBRenameGroupWindow *w = renameWindow();
    w->oldGroupNameField_->setText(pb_->getPCUserByIndex(group, -1).value(contactkey::groupname).toString());
    w->show();
}

void PBRecordActions::clickRenamGroupOK()
{
    const int group = pb_->currentGroupIndex();
    const QString name = renameWindow()->newGroupNameField_->text();
    const FieldCheck check = pb_->checkGroupName(name, group);
    if (check.passed() && group >= 0) {
        // The rename of the group table's own editing: header, contacts, order, file and tree.
        window_->setObjectValue(window_->groupModel(), name, contactkey::groupname, group);
        if (window_->source())
            window_->source()->selectRow(0);
    } else if (!check.passed()) {
        pb_->popupAlertOk(check.localizedMessage());
    }
    clickRenamGroupCancel();
}

void PBRecordActions::clickRenamGroupCancel()
{
    PBRenameGroupWindow *w = renameWindow();
    w->hide();
    w->oldGroupNameField_->clear();
    w->newGroupNameField_->clear();
}

} // namespace ostrel
