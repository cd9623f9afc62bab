// Backup and restore of the computer phonebook and SMS boxes in the "Security" panel: one file the
// user names, written here; its restore writes the phonebook here and has the device service
// restore the SMS boxes (768/103), whose answer is the one message the user sees. A configuration
// switch reduces both buttons to a phonebook-only export and import.
//
// A file is checked before anything is written or sent: a file the check refuses changes nothing.
#include "ostrel/settings/SettingController.h"

#include "common/PlistBridge.h"
#include "common/ValueConversion.h"
#include "common/records/Payload.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/settings/SmsPhonebookBackup.h"
#include "platform/filechooser/FileChooser.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>

namespace ostrel {

namespace {

const QString kChooserTitle = QStringLiteral("Select one or more audio files.");
const QString kBackupDone = QStringLiteral("BackUp SMS And PhoneBook Success.");
const QString kBackupFailed = QStringLiteral("BackUp SMS And PhoneBook failed. Please confirm the access privileges.");
const QString kBackupUnreadable =
    QStringLiteral("BackUp SMS And PhoneBook failed. The phonebook or SMS file of this computer could not be read.");
const QString kRestoreDone = QStringLiteral("Restore SMS And PhoneBook Success.");
const QString kRestoreInvalid = QStringLiteral("Restore SMS And PhoneBook Failed.Invalid data file!");
const QString kRestorePhonebookFailed =
    QStringLiteral("Restore SMS And PhoneBook Failed. The phonebook of this computer could not be read or written.");
const QString kRestorePathTooLong =
    QStringLiteral("Restore SMS And PhoneBook Failed. The path of the file is too long; please move it to a shorter path.");
const QString kRestoreNoAnswer = QStringLiteral("Restore SMS And PhoneBook Failed. The device did not answer.");
const QString kExportDone = QStringLiteral("Export PhoneBook Success.");
const QString kExportFailed = QStringLiteral("Export PhoneBook failed. Please confirm the access privileges.");
const QString kImportDone = QStringLiteral("Import PhoneBook Success.");
const QString kImportInvalid = QStringLiteral("Import PhoneBook Failed. Invalid data file!");
const QString kImportFailed = QStringLiteral("Import PhoneBook Failed. The phonebook of this computer could not be written.");

// A file's content: missing is an empty value; one that exists but cannot be read is nullopt.
std::optional<QVariant> readIfPresent(const QString &path, QString *why)
{
    if (!QFileInfo::exists(path))
        return QVariant();
    return yov::PlistBridge::readFile(path, why);
}

} // namespace

void SettingController::buildBackupControls()
{
    QWidget *security = panels_.value(QStringLiteral("Security"));
    if (!security || BRSMSandPBFlag_)
        return;
    auto *row = new QWidget(security);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    BRSMSandPBFlag_ = new QCheckBox(QStringLiteral("Backup/Restore the phonebook and SMS"), row);
    BRSMSandPBFlag_->setObjectName(QStringLiteral("btnSettingBRSMSPB"));
    backupSMSandPhoneBook_ = new QPushButton(QStringLiteral("Backup"), row);
    backupSMSandPhoneBook_->setObjectName(QStringLiteral("btnBackupSMSandPhonebookSetting"));
    restoreSMSandPhoneBook_ = new QPushButton(QStringLiteral("Restore"), row);
    restoreSMSandPhoneBook_->setObjectName(QStringLiteral("btnRestoreSMSandPhonebookSetting"));
    backupSMSandPhoneBook_->setEnabled(false);
    restoreSMSandPhoneBook_->setEnabled(false);
    layout->addWidget(BRSMSandPBFlag_);
    layout->addWidget(backupSMSandPhoneBook_);
    layout->addWidget(restoreSMSandPhoneBook_);
    layout->addStretch(1);
    if (auto *panelLayout = qobject_cast<QBoxLayout *>(security->layout()))
        panelLayout->insertWidget(qMax(0, panelLayout->count() - 1), row); // above the panel's stretch
    backupRow_ = row;
    connect(BRSMSandPBFlag_, &QCheckBox::clicked, this, [this] { BRSMSandPB(); });
    // The phonebook-only switch rewires both buttons (initNibForBackupPhoneBookOnly).
    connect(backupSMSandPhoneBook_, &QPushButton::clicked, this, [this] {
        backupPhoneBookOnly_ ? backupPhoneBookOnly() : backupSMSAndPhoneBook();
    });
    connect(restoreSMSandPhoneBook_, &QPushButton::clicked, this, [this] {
        backupPhoneBookOnly_ ? restorePhoneBookOnly() : restoreSMSAndPhoneBook();
    });
}

void SettingController::BRSMSandPB(QObject *)
{
    const bool on = BRSMSandPBFlag_ && BRSMSandPBFlag_->isChecked();
    for (QPushButton *button : {backupSMSandPhoneBook_.data(), restoreSMSandPhoneBook_.data()})
        if (button)
            button->setEnabled(on);
}

void SettingController::setEnableBRSMSAndPB(bool enable)
{
    if (backupPhoneBookOnly_)
        return;
    bSimCardReady_ = enable;
    if (BRSMSandPBFlag_)
        BRSMSandPBFlag_->setEnabled(enable);
    if (!enable) {
        if (BRSMSandPBFlag_)
            BRSMSandPBFlag_->setChecked(false);
        BRSMSandPB();
    }
}

void SettingController::initNibForBackupPhoneBookOnly()
{
    backupPhoneBookOnly_ =
        yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("Setting_BackupAndRestorePhoneBookOnly")));
    if (!backupPhoneBookOnly_)
        return;
    for (QPushButton *button : {backupSMSandPhoneBook_.data(), restoreSMSandPhoneBook_.data()})
        if (button)
            button->setEnabled(true);
}

void SettingController::ConfigBackAndRestore()
{
    if (!m_BackAndRestore)
        return;
    for (QWidget *w : {static_cast<QWidget *>(BRSMSandPBFlag_.data()), static_cast<QWidget *>(backupSMSandPhoneBook_.data()),
                       static_cast<QWidget *>(restoreSMSandPhoneBook_.data())})
        if (w)
            w->setVisible(false);
}

void SettingController::backupResult(const QString &message)
{
    ++resultAlerts_;
    QPointer<SettingController> self(this);
    sheetQueue_->beginAlert({tr_(QStringLiteral(" ")), tr_(message), tr_(QStringLiteral("OK")), QString()}, [self](int) {
        if (self)
            --self->resultAlerts_;
    });
}

// --- choosers ----------------------------------------------------------------------------------

void SettingController::backupSMSAndPhoneBook(QObject *)
{
    QPointer<SettingController> self(this);
    // No type for the chooser to add: the name's own extension is replaced by "plist".
    yov::FileChooser::shared().chooseFileToSave({tr_(kChooserTitle), {}, {}, {}, wndMain, {}},
                                                [self](const yov::FileChooserAnswer &answer) {
                                                    if (self && answer.accepted && !answer.path.isEmpty())
                                                        self->backupSMSAndPhoneFile(answer.path);
                                                });
}

void SettingController::restoreSMSAndPhoneBook(QObject *)
{
    QPointer<SettingController> self(this);
    yov::FileChooser::shared().chooseFileToOpen({tr_(kChooserTitle), {}, {}, {QStringLiteral("plist")}, wndMain, {}},
                                                [self](const yov::FileChooserAnswer &answer) {
                                                    if (self && answer.accepted && !answer.path.isEmpty())
                                                        self->restoreSMSAndPhoneFile(answer.path);
                                                });
}

void SettingController::backupPhoneBookOnly(QObject *)
{
    QPointer<SettingController> self(this);
    yov::FileChooser::shared().chooseFileToSave({tr_(kChooserTitle), {}, {}, {}, wndMain, {}},
                                                [self](const yov::FileChooserAnswer &answer) {
                                                    if (self && answer.accepted && !answer.path.isEmpty())
                                                        self->backupPhoneFileOnly(answer.path);
                                                });
}

void SettingController::restorePhoneBookOnly(QObject *)
{
    QPointer<SettingController> self(this);
    yov::FileChooser::shared().chooseFileToOpen({tr_(kChooserTitle), {}, {}, {}, wndMain, {}},
                                                [self](const yov::FileChooserAnswer &answer) {
                                                    if (self && answer.accepted && !answer.path.isEmpty())
                                                        self->restorePhoneFileOnly(answer.path);
                                                });
}

// --- backup --------------------------------------------------------------------------------------

void SettingController::backupSMSAndPhoneFile(const QString &chosenPath)
{
    QString why;
    const auto phonebook = readIfPresent(getPhoneBookFilePath(), &why);
    const auto boxes = phonebook ? readIfPresent(config().getFilePathWithFileName(QStringLiteral("SmsList_PC.plist")), &why)
                                 : std::nullopt;
    const auto reports =
        boxes ? readIfPresent(config().getFilePathWithFileName(QStringLiteral("smsReportsBoxData.plist")), &why) : std::nullopt;
    if (!reports) {
        // A backup without what could not be read would lose it without a word.
        qCWarning(lcSetting) << "backup not written:" << why;
        backupResult(kBackupUnreadable);
        return;
    }
    const SmsPhonebookBackup rules(yov::nsDict(setting(QStringLiteral("SMS"))));
    const QString path = SmsPhonebookBackup::withPlistExtension(chosenPath);
    const QVariantList backup = rules.build(*phonebook, yov::nsDict(*boxes), *reports);
    if (!yov::PlistBridge::writeFile(path, backup, &why)) {
        qCWarning(lcSetting) << "backup not written to" << path << why;
        backupResult(kBackupFailed);
        return;
    }
    backupResult(kBackupDone);
}

void SettingController::backupPhoneFileOnly(const QString &chosenPath)
{
    QString why;
    const auto phonebook = readIfPresent(getPhoneBookFilePath(), &why);
    if (!phonebook) {
        qCWarning(lcSetting) << "phonebook export not written:" << why;
        backupResult(kExportFailed);
        return;
    }
    const QVariantList exported{phonebook->typeId() == QMetaType::QVariantList ? *phonebook : QVariant(QVariantList())};
    if (!yov::PlistBridge::writeFile(chosenPath, exported, &why)) {
        qCWarning(lcSetting) << "phonebook export not written to" << chosenPath << why;
        backupResult(kExportFailed);
        return;
    }
    backupResult(kExportDone);
}

// --- restore -------------------------------------------------------------------------------------

bool SettingController::restorePhonebookFile(const PcPhoneList &groups, bool merge)
{
    const QString target = getPhoneBookFilePath();
    QString why;
    PcPhoneList result = groups;
    if (merge) {
        // A missing phonebook merges as an empty one; one that cannot be read is left alone.
        const auto current = readIfPresent(target, &why);
        std::optional<PcPhoneList> currentGroups = PcPhoneList();
        if (current && current->isValid())
            currentGroups = PcPhoneBookFile::fromPlist(*current, &why);
        if (!current || !currentGroups) {
            qCWarning(lcSetting) << "the phonebook" << target << "cannot be merged into:" << why;
            return false;
        }
        result = SmsPhonebookBackup::merge(std::move(*currentGroups), groups);
    }
    if (!PcPhoneBookFile::write(target, result, &why)) {
        qCWarning(lcSetting) << "the phonebook" << target << "was not written:" << why;
        return false;
    }
    return true;
}

void SettingController::restoreSMSAndPhoneFile(const QString &path)
{
    // The device opens the file by its path: a path the request cannot carry whole is refused.
    if (!SmsPhonebookBackup::fitsRestoreRequest(path)) {
        backupResult(kRestorePathTooLong);
        return;
    }
    QString why;
    const SmsPhonebookBackup rules(yov::nsDict(setting(QStringLiteral("SMS"))));
    const auto root = yov::PlistBridge::readFile(path, &why);
    const std::optional<PcPhoneList> phonebook = root ? rules.checkRestore(*root, &why) : std::nullopt;
    if (!phonebook) {
        qCWarning(lcSetting) << "restore refused," << path << why;
        backupResult(kRestoreInvalid);
        return;
    }
    const bool merge = yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("RestorePhonebookSuperaddition")));
    const bool written = restorePhonebookFile(*phonebook, merge);
    Neighbours::phonebook().reloadPCPhoneList();
    if (!written) {
        backupResult(kRestorePhonebookFailed);
        return;
    }
    yov::FixedPayload<SmsPhonebookBackup::kMaxRestorePathBytes + 1> request;
    request.setText(0, SmsPhonebookBackup::kMaxRestorePathBytes + 1, path.toUtf8());
    if (!sendRequest<768, 103>(request, yov::kModuleSMS)) {
        backupResult(kRestoreNoAnswer);
        return;
    }
    // The device's answer (restoreAlertPanel) is the one message; without it the user is told.
    if (restoreTimer_)
        clock().cancel(restoreTimer_);
    restoreTimer_ = clock().schedule(kRestoreAnswerMs, this, [this] {
        restoreTimer_ = 0;
        backupResult(kRestoreNoAnswer);
    });
}

void SettingController::restoreAlertPanel(bool success)
{
    // Only the restore this page started waits for an answer: an answer after the no-answer
    // message, or to another client's restore, would be a second, contradicting message.
    if (!restoreTimer_) {
        qCInfo(lcSetting) << "restore answer with no restore waiting:" << success;
        return;
    }
    clock().cancel(restoreTimer_);
    restoreTimer_ = 0;
    backupResult(success ? kRestoreDone : kRestoreInvalid);
}

void SettingController::restorePhoneFileOnly(const QString &path)
{
    QString why;
    const auto root = yov::PlistBridge::readFile(path, &why);
    const std::optional<PcPhoneList> phonebook = root ? SmsPhonebookBackup::checkPhonebookOnly(*root, &why) : std::nullopt;
    if (!phonebook) {
        qCWarning(lcSetting) << "phonebook import refused," << path << why;
        backupResult(kImportInvalid);
    } else if (!restorePhonebookFile(*phonebook, false)) {
        backupResult(kImportFailed);
    } else {
        backupResult(kImportDone);
    }
    Neighbours::phonebook().reloadPCPhoneList();
}

} // namespace ostrel
