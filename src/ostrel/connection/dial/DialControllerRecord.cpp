// DialController: the record of a finished connection and the profile list.
#include "ostrel/connection/dial/DialController.h"

#include "common/AtomicFile.h"
#include "common/TextFormat.h"
#include "common/ValueConversion.h"
#include "ostrel/connection/dial/DialLog.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "platform/Clock.h"

namespace ostrel {

QString DialController::recordInState(const QString &state)
{
    if (!state.isEmpty())
        recordState_ = state;
    return recordState_;
}

void DialController::saveDialRecord()
{
    const QDateTime start = statusDict_.value(QStringLiteral("starttime")).toDateTime();
    const qint64 seconds = statusDict_.contains(QStringLiteral("connecttime"))
                               ? yov::nsLongLong(statusDict_.value(QStringLiteral("connecttime")))
                               : connectSeconds_;
    if (start.isValid())
        statusDict_.insert(QStringLiteral("disconnecttime"), start.addSecs(seconds));
    statusDict_.insert(QStringLiteral("connectname"), currentProfileName());
    if (recordState_ != RECORD_IN_RUNNING)
        return;
    recordState_ = RECORD_IN_SAVED;

    DialRecordEntry entry;
    entry.connectName = statusDict_.value(QStringLiteral("connectname")).toString();
    entry.startTime = start.isValid() ? start : clock().now();
    entry.connectSeconds = seconds;
    entry.sentBytes = sendBytes_;
    entry.receivedBytes = receiveBytes_;
    if (statusDict_.contains(QStringLiteral("roaming")))
        entry.roaming = yov::nsInt(statusDict_.value(QStringLiteral("roaming")));
    pendingRecords_.append(entry);

    const QString path = Neighbours::records().dialRecordFilePath();
    QString error;
    DialService::RecordAppend result = DialService::appendDialRecords(path, pendingRecords_, &error);
    if (result == DialService::RecordAppend::Unreadable && setAsideUnreadableRecordFile(path))
        result = DialService::appendDialRecords(path, pendingRecords_, &error);
    if (result != DialService::RecordAppend::Written) {
        // Kept for the next append: a record is never dropped silently.
        lastRecordError_ = error;
        beginAlert(QStringLiteral("Warning"),
                   yov::formatPlaceholders(localizedText(QStringLiteral("The connection record could not be saved in %@: %@")),
                                           {path, error}));
        return;
    }
    pendingRecords_.clear();
    lastRecordError_.clear();
    Neighbours::records().updateInterface();
}

QString DialController::detailServiceOfChooserItem(int item)
{
    static const char *const details[] = {"Detail Service Mobile GPRS-Internet", "Detail Service HyperActive",
                                          "Detail Service Hyper.NET"};
    return item >= 1 && item <= 3 ? QLatin1String(details[item - 1]) : QString();
}

bool DialController::setAsideUnreadableRecordFile(const QString &path)
{
    const QString copy = DialService::setAsideUnreadableRecordFile(path, clock().now());
    if (copy.isEmpty())
        return false;
    beginAlert(QStringLiteral("Warning"),
               yov::formatPlaceholders(localizedText(DialService::unreadableRecordFileSetAsideText()), {path, copy}));
    return true;
}

QString DialController::currentProfileName() const
{
    const std::optional<int> index = profiles_.currentProfileIndex();
    if (!index)
        return QString();
    const std::optional<QVariantMap> profile = profiles_.profileAt(*index);
    return profile ? profiles_.shownName(*profile) : QString();
}

void DialController::loadDialConfig()
{
    const bool simKnown = !yov::nsString(config().getConfigurationByModule(QStringLiteral("simIMSI"))).isEmpty();
    const int item = profiles_.loadDialConfig(simKnown);
    // A profiles file that cannot be read leaves the chooser without the user's profiles: say so
    // once per file, rather than let them look lost.
    if (profiles_.fileUnreadable() && toldUnreadableProfiles_ != profiles_.dialConfigFilePath()) {
        toldUnreadableProfiles_ = profiles_.dialConfigFilePath();
        beginAlert(QStringLiteral("Warning"),
                   yov::formatPlaceholders(localizedText(QStringLiteral("The connection profiles file %@ could not be read. It is not written over: when a profile is saved, the file is kept beside it as a copy.")),
                                           {toldUnreadableProfiles_}));
    }
    // Per-SIM profiles before the SIM is known: item 1 stands in the chooser.
    display_.chooserItem = item == profiles_.currentChooserItem() ? -1 : item;
    emit profilesChanged();
    displayAPNInfo();
    changeControlsPosForProfile();
}

bool DialController::writeDialConfigFile(const QList<QVariantMap> &profiles)
{
    if (!profiles_.replaceDialConfigFile(profiles))
        return false;
    loadDialConfig();
    return true;
}

void DialController::dialConfigListSelectItemAtIndex(int item)
{
    switch (profiles_.selectChooserItem(item)) {
    case DialConfigList::ChooserAction::OpenManagementSheet:
        emit managementSheetRequested();
        break;
    case DialConfigList::ChooserAction::ProfileSelected:
        setCurrentProfile();
        break;
    case DialConfigList::ChooserAction::None:
        break;
    }
}

void DialController::setCurrentProfile()
{
    display_.chooserItem = -1;
    setDialParams();
    emit profilesChanged();
    displayAPNInfo();
    changeControlsPosForProfile();
}

void DialController::displayAPNInfo()
{
    const std::optional<int> index = profiles_.currentProfileIndex();
    const QVariantMap profile = index ? profiles_.profileAt(*index).value_or(QVariantMap()) : QVariantMap();
    display_.profile = ostrel::displayAPNInfo(profile, profiles_.currentChooserItem(), profiles_.readDefaultProfileNum(),
                                              profiles_.isSupportDoblePdpSettings(),
                                              [this](const QString &s) { return localizedText(s); });
    display_.currentApn = profiles_.getDefaultProfileAPN();
    changed();
}

void DialController::changeControlsPosForProfile()
{
    if (!internetBool("ChangePosForProfile"))
        return;
    const QString detail = detailServiceOfChooserItem(profiles_.currentChooserItem());
    display_.profileDetail = detail.isEmpty() ? QString() : localizedText(detail);
    changed();
}

} // namespace ostrel
