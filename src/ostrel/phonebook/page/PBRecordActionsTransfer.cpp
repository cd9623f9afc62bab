// The copy and move pop-ups and their actions, the progress bar of multi-record device
// operations, calling a contact, writing an SMS to contacts, saving a list to a file and the
// number-field filter.
#include "ostrel/phonebook/page/PBRecordActions.h"

#include "common/PlistBridge.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/neighbours/ContactPickerInterface.h"
#include "ostrel/framework/neighbours/NeighbourNotifications.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/phonebook/PBController.h"
#include "ostrel/phonebook/PcPhoneBookFile.h"
#include "ostrel/phonebook/page/PBWindow.h"
#include "platform/Clock.h"
#include "platform/filechooser/FileChooser.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTextBrowser>

namespace ostrel {

// ---- the copy and move pop-ups ---------------------------------------------------------------------

void PBRecordActions::addMoveMenuItem(const QString &english, bool added, bool enabled)
{
    if (!added)
        return;
    for (QComboBox *popup : {page()->moveMenu, page()->moveAndDelContMenu_}) {
        popup->addItem(localized(english));
        // A storage not read yet stays in the list, greyed.
        if (auto *model = qobject_cast<QStandardItemModel *>(popup->model()); model && !enabled)
            model->item(popup->count() - 1)->setEnabled(false);
    }
}

void PBRecordActions::setMoveMenu()
{
    PBPage *p = page();
    p->moveMenu->clear();
    p->moveAndDelContMenu_->clear();
    const int side = window_->savePositionTag() >= 0 ? window_->savePositionTag() : pb_->lastSelectSavePos_;
    const bool hasMe = pb_->configuration().HasMePosition;
    switch (side) {
    case 0:
        addMoveMenuItem(QStringLiteral("(U)SIM"), true, pb_->simInitFinished_);
        addMoveMenuItem(QStringLiteral("Data Card"), hasMe, pb_->meInitFinished_);
        break;
    case 1:
        addMoveMenuItem(QStringLiteral("Data Card"), hasMe, pb_->meInitFinished_);
        break;
    case 2:
        addMoveMenuItem(QStringLiteral("(U)SIM"), true, pb_->simInitFinished_);
        break;
    default:
        break;
    }
    if (side >= 0 && side <= 2)
        addMoveMenuItem(QStringLiteral("SD Card"), pb_->configuration().IsShowTCard, pb_->tcardInitFinished_);
    const bool searching = window_->isSearching();
    if (side != 0 || !searching) {
        QStringList groups = pb_->groupNames();
        // A group is never offered as its own destination.
        if (side == 0 && pb_->currentGroupIndex() >= 0 && pb_->currentGroupIndex() < groups.size())
            groups.removeAt(pb_->currentGroupIndex());
        for (const QString &name : groups) {
            p->moveMenu->addItem(name);
            p->moveAndDelContMenu_->addItem(name);
        }
    }
}

void PBRecordActions::showInfoLostAlert()
{
    if (!pb_->configuration().NOPopInfoLostTipWhenCopyFromPcToSim)
        pb_->popupAlertOk(QStringLiteral("The info may be lost!"));
}

void PBRecordActions::move() { transferSelection(false); }

void PBRecordActions::moveAndDelcont() { transferSelection(true); }

void PBRecordActions::transferSelection(bool move)
{
    QComboBox *popup = move ? page()->moveAndDelContMenu_ : page()->moveMenu;
    const QString destination = popup->currentText();
    if (destination.isEmpty())
        return;
    const bool toDevice = PBController::storageOfDestination(destination) != 0;
    if (toDevice) {
        if (!move && ConfigService(&pb_->config()).isPopupDialog()) {
            if (pb_->popupAlertOkCancel(QStringLiteral("The info may be lost! Do you want to copy the contact to (U)Sim?")) != 1)
                return;
        } else {
            showInfoLostAlert();
        }
    }
    const PBController::ContactSelection selection{PBStorage(qMax(0, window_->savePositionTag())), selectedRows()};
    // The move writes first and deletes each source only once the destination holds it.
    if (move)
        pb_->moveSelectedContacts(selection, destination);
    else
        pb_->copySelectedContacts(selection, destination);
}

// ---- the progress bar ------------------------------------------------------------------------------

void PBRecordActions::preDoWithProcessBeforeOperation(int records)
{
    QProgressBar *bar = page() ? page()->curOperationProcessBar_ : nullptr;
    if (!bar)
        return;
    sumOperationNumbers_ = records;
    alreadyOperationNumbers_ = 0;
    bar->setValue(0);
    bar->show();
    if (!curOperationTimer_)
        curOperationTimer_ = std::make_unique<yov::RepeatingTimer>(pb_->clock(), this, [this] { updateCurOperationProcessBar(); });
    if (!curOperationTimer_->isActive())
        curOperationTimer_->start(kProgressIntervalMs);
}

void PBRecordActions::doWithProcessWhenOneMoreRecordOperation() { alreadyOperationNumbers_ += 1; }

void PBRecordActions::updateCurOperationProcessBar()
{
    QProgressBar *bar = page() ? page()->curOperationProcessBar_ : nullptr;
    if (!bar)
        return;
    if (alreadyOperationNumbers_ >= sumOperationNumbers_) {
        bar->setValue(0);
        bar->hide();
        // Between operations the bar only stays hidden: the timer rests until the next one.
        if (curOperationTimer_)
            curOperationTimer_->stop();
        return;
    }
    bar->setValue(int(alreadyOperationNumbers_ / sumOperationNumbers_ * PBPage::kProgressMaximum));
}

// ---- calling and writing -----------------------------------------------------------------------------

QList<QVariantMap> PBRecordActions::selectedContacts() const
{
    const bool searching = window_->isSearching();
    QList<QVariantMap> contacts;
    for (int row : selectedRows()) {
        if (searching) {
            contacts.append(pb_->getUserFromCurSearchGroup(row));
            continue;
        }
        switch (pb_->lastSelectSavePos_) {
        case 0:
            contacts.append(pb_->getUserFromCurGroup(row));
            break;
        case 1:
            contacts.append(pb_->getUserFromSim(row));
            break;
        case 2:
            contacts.append(pb_->getUserFromMe(row));
            break;
        case 3:
            contacts.append(pb_->m_TCardPhoneList.value(row));
            break;
        default:
            break;
        }
    }
    return contacts;
}

void PBRecordActions::call()
{
    const QList<QVariantMap> contacts = selectedContacts();
    if (contacts.isEmpty())
        return;
    const QString number = contactMobile(contacts.first());
    if (number.isEmpty()) {
        NSRunAlertPanelExt(localized(QStringLiteral("STRING_WARNING_LABEL")), localized(QStringLiteral("Mobilephone is null!")),
                           localized(QStringLiteral("STRING_OK_LABEL")));
        return;
    }
    pb_->notificationCenter().post(QString(notifications::kMakeCallWithPhoneNumber), pb_,
                                   {{QString(notifications::kMakeCallNumberKey), number}});
}

void PBRecordActions::sendSMS()
{
    PBPage *p = page();
    window_->SetMutexButton(false, false, false);
    p->m_SendSMSBtn->setEnabled(false);
    p->smsBtn_->setEnabled(false);
    const QList<QVariantMap> contacts = selectedContacts();
    if (!window_->isSearching()) {
        switch (pb_->lastSelectSavePos_) {
        case 0:
        case 1:
            window_->buttonControl(true, false, false, true, false, false);
            break;
        case 2:
            window_->buttonControl(true, false, false, false, false, false);
            break;
        default:
            break;
        }
    }
    if (window_->m_bGroupsentSMS) {
        p->m_SendSMSBtn->setEnabled(true);
        window_->sendSMSToOneGroup();
        return;
    }
    QStringList numbers;
    for (const QVariantMap &contact : contacts)
        if (!contactMobile(contact).isEmpty())
            numbers.append(contactMobile(contact));
    bool write = !numbers.isEmpty();
    if (write && pb_->configuration().ContactNumbersSelectionEnabled) {
        // The user picks among every number of the contacts; Cancel writes nothing.
        QStringList chosen;
        write = Neighbours::contactPicker().runModalSelectWindow(contactsAsVariants(pb_->availableNumbersOfContacts(contacts)), &chosen) == 1;
        numbers = chosen;
    }
    if (write)
        Neighbours::sms().toNewMsgWinWithPhoneNumbers(numbers, QStringLiteral("PhoneBook"));
    window_->reloadContactTable();
    resetContactInfo();
}

// ---- saving a list to a file -------------------------------------------------------------------------

void PBRecordActions::saveAs()
{
    const int side = window_->savePositionTag();
    if (side != int(PBStorage::PC) && side != int(PBStorage::SIM))
        return;
    yov::FileChooserRequest request;
    request.title = localized(QStringLiteral("Save"));
    request.fileTypes = {QStringLiteral("plist")};
    request.parent = mainWindow();
    QPointer<PBRecordActions> self(this);
    yov::FileChooser::shared().chooseFileToSave(request, [self, side](const yov::FileChooserAnswer &answer) {
        if (!self || !answer.accepted || answer.path.isEmpty())
            return;
        PBController *pb = self->pb_;
        QString error;
        // The whole list at once: a file that cannot be written keeps its old contents.
        const bool written = side == int(PBStorage::PC) ? PcPhoneBookFile::write(answer.path, pb->m_PcPhoneList, &error)
                                                        : yov::PlistBridge::writeFile(answer.path, contactsAsVariants(pb->m_SimPhoneList), &error);
        if (!written) {
            qCWarning(lcPhonebook).noquote() << "The list could not be saved to" << answer.path << ":" << error;
            pb->NSBeginAlertPanelExt(localized(QStringLiteral("Warning!")), localized(QStringLiteral("The operation failed!")),
                                     localized(QStringLiteral("OK")), QString(), {});
        }
    });
}

// ---- the number-field filter ---------------------------------------------------------------------------

void PBRecordActions::ContentControl(QLineEdit *field, int maxLength)
{
    if (!field)
        return;
    QString message;
    const QString kept = ContactFieldRules::filterNumberText(field->text(), maxLength, &message);
    // An acceptable text stays as typed, the caret where the user put it.
    if (kept != field->text())
        field->setText(kept);
    if (!message.isEmpty())
        pb_->popupAlertOk(message);
}

} // namespace ostrel
