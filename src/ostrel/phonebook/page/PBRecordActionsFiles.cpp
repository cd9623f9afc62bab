// Export and import of the exchange file, the number-plan update and the restore from its backup.
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/phonebook/PBController.h"
#include "ostrel/phonebook/PhonebookBackup.h"
#include "ostrel/phonebook/page/PBRecordActions.h"
#include "ostrel/phonebook/page/PBTableModel.h"
#include "ostrel/phonebook/page/PBWindow.h"
#include "ostrel/phonebook/page/UpdatePhonebookWindow.h"
#include "platform/filechooser/FileChooser.h"

#include <QItemSelectionModel>
#include <QTableView>

namespace ostrel {

namespace {

// The titles of the export and import sheets are the program's own texts, not the language
// tables' ones.
const QString kExportTitle = QStringLiteral("Export PhoneBook");
const QString kImportTitle = QStringLiteral("Import Phonebool");
const QString kPlist = QStringLiteral("plist");
const QString kBlankTitle = QStringLiteral(" ");

} // namespace

void PBRecordActions::initPhonebookUpdatedRule() { pb_->initPhonebookUpdatedRule(); }

UpdatePhonebookWindow *PBRecordActions::updateWindow()
{
    if (!wndUpdatePhonebook_) {
        wndUpdatePhonebook_ = new UpdatePhonebookWindow(mainWindow());
        wndUpdatePhonebook_->applyWording(&PBRecordActions::localized);
    }
    return wndUpdatePhonebook_;
}

// ---- export and import ------------------------------------------------------------------------------

void PBRecordActions::exportContacts()
{
    const int side = window_->savePositionTag();
    const QList<int> rows = selectedRows();
    const bool searching = window_->isSearching();
    yov::FileChooserRequest request;
    request.title = kExportTitle;
    request.fileTypes = {kPlist};
    request.parent = mainWindow();
    QPointer<PBRecordActions> self(this);
    yov::FileChooser::shared().chooseFileToSave(request, [self, side, rows, searching](const yov::FileChooserAnswer &answer) {
        if (self && answer.accepted && !answer.path.isEmpty())
            self->pb_->exportContacts(answer.path, side, rows, searching);
    });
}

void PBRecordActions::importContacts()
{
    const int side = window_->savePositionTag();
    const QList<int> groups = PBWindow::getSelectedRowIndexes(page()->m_GroupList);
    const int group = groups.isEmpty() ? 0 : groups.first();
    yov::FileChooserRequest request;
    request.title = kImportTitle;
    request.fileTypes = {kPlist};
    request.parent = mainWindow();
    QPointer<PBRecordActions> self(this);
    yov::FileChooser::shared().chooseFileToOpen(request, [self, side, group](const yov::FileChooserAnswer &answer) {
        if (!self || !answer.accepted || answer.path.isEmpty())
            return;
        const std::optional<QList<QVariantMap>> entries = PhonebookBackup::readExchangeFile(answer.path);
        self->pb_->importContacts(entries, side, group);
        if (entries && side == int(PBStorage::SIM))
            self->showInfoLostAlert();
        self->window_->reloadContactTable();
        self->window_->SetConpacityShow();
    });
}

// ---- the number-plan update -------------------------------------------------------------------------

void PBRecordActions::updatePhonebook()
{
    const int side = window_->savePositionTag();
    UpdatePhonebookWindow *sheet = updateWindow();
    sheet->setMsg(localized(QStringLiteral("Checking contacts now ...")));
    sheet->beginToCheckUpdate(mainWindow());
    if (pb_->phonebookIsUpdated(side)) {
        sheet->showResult(localized(QStringLiteral("Contacts are already transformed to new format.")));
        return;
    }
    // Two questions, each answered without a nested event loop.
    QPointer<PBRecordActions> self(this);
    auto update = [self, side](int sure) {
        if (!self)
            return;
        if (sure != 1) {
            self->updateWindow()->endModalWindow();
            return;
        }
        self->updateWindow()->setMsg(localized(QStringLiteral("Updateing contacts now ...")));
        self->pb_->updateContacts(side);
    };
    pb_->NSBeginAlertPanelExt(kBlankTitle, localized(QStringLiteral("Do you want to update our contacts to the new rules?")),
                              localized(QStringLiteral("Yes")), localized(QStringLiteral("No")), [self, update](int answer) {
                                  if (!self)
                                      return;
                                  if (answer != 1) {
                                      self->updateWindow()->endModalWindow();
                                      return;
                                  }
                                  self->pb_->NSBeginAlertPanelExt(kBlankTitle, localized(QStringLiteral("Are you sure?")),
                                                                  localized(QStringLiteral("Yes")),
                                                                  localized(QStringLiteral("No")), update);
                              });
}

void PBRecordActions::updateOrRestoreResult()
{
    const QString text = pb_->takeUpdateOrRestoreResult();
    if (text.isEmpty())
        return;
    updateWindow()->showResult(text);
    window_->groupModel()->reloadData();
    window_->reloadContactTable();
    window_->SetConpacityShow();
}

// ---- restore ------------------------------------------------------------------------------------------

void PBRecordActions::restorePhonebook()
{
    const int side = window_->savePositionTag();
    const std::optional<QString> path = pb_->currentBackupFilePath(side);
    if (!path) {
        pb_->NSBeginAlertPanelExt(kBlankTitle, localized(QStringLiteral("Backup files dont's exist.")),
                                  localized(QStringLiteral("OK")), QString(), {});
        return;
    }
    if (!path->isEmpty()) {
        restoreFromBackupFile(*path);
        return;
    }
    // Several backups: the user picks one in the side's backup folder.
    yov::FileChooserRequest request;
    request.directory = pb_->backupFileBasePath(side);
    request.fileTypes = {kPlist};
    request.parent = mainWindow();
    QPointer<PBRecordActions> self(this);
    yov::FileChooser::shared().chooseFileToOpen(request, [self](const yov::FileChooserAnswer &answer) {
        if (self && answer.accepted && !answer.path.isEmpty())
            self->restoreFromBackupFile(answer.path);
    });
}

void PBRecordActions::restoreFromBackupFile(const QString &path)
{
    const int side = window_->savePositionTag();
    const auto illegal = [this] {
        pb_->NSBeginAlertPanelExt(kBlankTitle, localized(QStringLiteral("Illegal backup file is selected.")),
                                  localized(QStringLiteral("OK")), QString(), {});
    };
    if (!pb_->backupFileIsValid(path, side)) {
        illegal();
        return;
    }
    page()->m_GroupList->clearSelection();
    page()->m_UserList->clearSelection();
    UpdatePhonebookWindow *sheet = updateWindow();
    sheet->setMsg(localized(QStringLiteral("Restoring contacts now ...")));
    sheet->beginToCheckUpdate(mainWindow());
    if (pb_->restoreFromBackupFile(path, side))
        return;
    // The file changed after it was checked.
    sheet->endModalWindow();
    illegal();
}

} // namespace ostrel
