// DialController: the record of a finished connection and the profile list.
#include "ostrel/connection/dial/DialController.h"

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
    if (!DialService::appendDialRecords(path, pendingRecords_, &error)) {
        // Kept for the next append: a record is never dropped silently.
        lastRecordError_ = error;
        beginAlert(QStringLiteral("Warning"), QStringLiteral("The connection record could not be saved."));
        return;
    }
    pendingRecords_.clear();
    lastRecordError_.clear();
    Neighbours::records().updateInterface();
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
    profiles_.loadDialConfig(simKnown);
    emit profilesChanged();
    display_.currentApn = profiles_.getDefaultProfileAPN();
    changed();
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
    setDialParams();
    display_.currentApn = profiles_.getDefaultProfileAPN();
    emit profilesChanged();
    changed();
}

} // namespace ostrel
