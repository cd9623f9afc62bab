#include "ostrel/connection/statistics/transferSource.h"

#include "common/ValueConversion.h"
#include "common/records/connection/ConnectionRecords.h"
#include "ostrel/connection/statistics/StatisticsFormat.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"

namespace ostrel {

namespace {

transferSource *g_transferForm = nullptr;

const NotificationTableRow transferSourceNotificationTable[] = {
    {"receiveConnectStatistics:", "ConnectStatistics"},
    {nullptr, nullptr},
};

} // namespace

transferSource *transferForm() { return g_transferForm; }

transferSource::transferSource(const ControllerContext &context, QObject *parent) : StatisticsOutlineSource(context, parent)
{
    g_transferForm = this;
    const auto name = [this](const char *english) { return localizedText(QLatin1String(english)); };
    auto group = std::make_unique<Node>();
    group->setNodeName(name("Transfer"));
    group->setValue(QStringLiteral(""));
    Node *transfer = group.get();
    root().addChild(std::move(group));
    transferTime_ = transfer->addChildWithName(name("Transfer Time:"), QStringLiteral("00:00:00"));
    for (Node **direction : {&Upload, &Download}) {
        *direction = transfer->addChildWithName(name(direction == &Upload ? "Upload" : "Download"), QStringLiteral(""));
        (*direction)->addChildWithName(name("Speed:"), localizedText(QStringLiteral("0.00KB/s")));
        (*direction)->addChildWithName(name("Data:"), localizedText(QStringLiteral("0.00KB")));
    }
}

transferSource::~transferSource()
{
    if (g_transferForm == this)
        g_transferForm = nullptr;
}

void transferSource::initializeNibResources() { expandOutline(); }

void transferSource::registerMessages() { registerNotification(transferSourceNotificationTable); }

void transferSource::updateLanguages()
{
    init_transfer_view();
    emit wordingChanged();
}

void transferSource::receiveConnectStatistics(const yov::Notification &n) { reloadTransferSendData(n.userInfo); }

void transferSource::reloadTransferSendData(const QVariantMap &info)
{
    if (info.isEmpty())
        return;
    const std::pair<Node *, const char *> rows[] = {
        {transferTime_, "ConnectTime"},        {Download->child(0), "DowloadSpeed"}, {Download->child(1), "DowloadData"},
        {Upload->child(0), "UploadSpeed"},     {Upload->child(1), "UploadData"},
    };
    for (const auto &[node, key] : rows) {
        const auto it = info.find(QLatin1String(key));
        if (it != info.end())
            setNodeValue(node, yov::nsString(*it));
    }
    expandOutline();
}

void transferSource::reloadTransferSendData(double sendKB, double receiveKB, double sendSpeed, double receiveSpeed,
                                            qint64 connectSeconds)
{
    const auto record = [this](const char *key) {
        return yov::nsString(config().getConfigurationByModuleAndKey(QStringLiteral("Record"), QLatin1String(key)));
    };
    const bool speedBits = record("ConnectRateUnit") == QLatin1String("Kbps");
    const bool dataBits = record("ConnectDataUnit") == QLatin1String("Kb");
    const Localizer localizer = [this](const QString &s) { return localizedText(s); };
    setNodeValue(transferTime_, yov::formatConnectDuration(connectSeconds));
    setNodeValue(Download->child(0), StatisticsFormat::transferSpeedText(receiveSpeed, speedBits, localizer));
    setNodeValue(Download->child(1), StatisticsFormat::transferVolumeText(receiveKB, dataBits, localizer));
    setNodeValue(Upload->child(0), StatisticsFormat::transferSpeedText(sendSpeed, speedBits, localizer));
    setNodeValue(Upload->child(1), StatisticsFormat::transferVolumeText(sendKB, dataBits, localizer));
    expandOutline();
}

void transferSource::clearTransferSourceView()
{
    if (Neighbours::dial().GetisDialNow())
        return;
    for (Node *direction : {Upload, Download}) {
        setNodeValue(direction->child(0), localizedText(QStringLiteral("0.00KB/s")));
        setNodeValue(direction->child(1), localizedText(QStringLiteral("0.00KB")));
    }
}

void transferSource::deviceRemoved(const yov::Notification &) { clearTransferSourceView(); }

void transferSource::init_transfer_view()
{
    const bool diffSpeedWording = yov::nsBool(config().getConfigurationByModule(QStringLiteral("DiffSpeedWording")));
    renameRows({QStringLiteral("Transfer"), QStringLiteral("Transfer Time:"), QStringLiteral("Upload"),
                diffSpeedWording ? QStringLiteral("Upload Speed:") : QStringLiteral("Speed:"), QStringLiteral("Data:"),
                QStringLiteral("Download"), diffSpeedWording ? QStringLiteral("Download Speed:") : QStringLiteral("Speed:"),
                QStringLiteral("Data:")});
}

} // namespace ostrel
