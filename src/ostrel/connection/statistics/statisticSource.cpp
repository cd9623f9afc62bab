#include "ostrel/connection/statistics/statisticSource.h"

#include "common/ValueConversion.h"
#include "ostrel/connection/statistics/StatisticsFormat.h"
#include "ostrel/connection/statistics/transferSource.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"

namespace ostrel {

namespace {

statisticSource *g_statisticForm = nullptr;

const NotificationTableRow statisticSourceNotificationTable[] = {
    {"receiveConnectStatisticsData:", "ConnectStatistics"},
    {nullptr, nullptr},
};

// The rows by position, as Init_statistic_view names them.
const QStringList &statisticRowNames()
{
    static const QStringList names = {
        QStringLiteral("Statistics"),    QStringLiteral("Time Last Reset:"), QStringLiteral("Daily"),
        QStringLiteral("Upload Data:"),  QStringLiteral("Download Data:"),   QStringLiteral("Monthly"),
        QStringLiteral("Upload Data:"),  QStringLiteral("Download Data:"),   QStringLiteral("Yearly"),
        QStringLiteral("Upload Data:"),  QStringLiteral("Download Data:")};
    return names;
}

} // namespace

statisticSource *statisticForm() { return g_statisticForm; }

statisticSource::statisticSource(const ControllerContext &context, QObject *parent)
    : StatisticsOutlineSource(context, parent)
{
    const auto name = [this](const char *english) { return localizedText(QLatin1String(english)); };
    auto group = std::make_unique<Node>();
    group->setNodeName(name("Statistics"));
    group->setValue(QStringLiteral(""));
    Node *statistics = group.get();
    root().addChild(std::move(group));
    timeLastReset_ = statistics->addChildWithName(name("Time Last Reset:"), QStringLiteral("00:00:00"));
    for (Node **period : {&Daily, &Monthly, &Yearly}) {
        const char *title = period == &Daily ? "Daily" : period == &Monthly ? "Monthly" : "Yearly";
        *period = statistics->addChildWithName(name(title), QStringLiteral(""));
        (*period)->addChildWithName(name("Upload Data:"), QStringLiteral("0"));
        (*period)->addChildWithName(name("Download Data:"), QStringLiteral("0"));
    }
    g_statisticForm = this;
    // Nobody here posts it; it stays for listeners outside.
    notificationCenter().addObserver(this, &statisticSource::prepareUsageDate, QStringLiteral("PrepareUsageDate"));
}

statisticSource::~statisticSource()
{
    if (g_statisticForm == this)
        g_statisticForm = nullptr;
}

void statisticSource::initializeNibResources() { expandOutline(); }

void statisticSource::registerMessages() { registerNotification(statisticSourceNotificationTable); }

void statisticSource::updateLanguages()
{
    Init_statistic_view();
    emit wordingChanged();
}

void statisticSource::receiveConnectStatisticsData(const yov::Notification &n) { reloadStatisticSendData(n.userInfo); }

void statisticSource::prepareUsageDate(const yov::Notification &) { updateInterface(); }

void statisticSource::reloadStatisticSendData(const QVariantMap &info)
{
    if (info.isEmpty())
        return;
    const auto kbText = [&info](const char *key) {
        const QVariant value = info.value(QLatin1String(key));
        return value.isValid() ? yov::nsString(value) : QStringLiteral("0.0");
    };
    sendData = kbText("UploadDataUnitWithKB");
    receiveData = kbText("DowloadDataUnitWithKB");
    updateInterface();
}

void statisticSource::updateInterface()
{
    reloadStatistic();
    Init_statistic_view();
    if (transferSource *transfer = transferForm())
        transfer->init_transfer_view();
}

void statisticSource::tabViewItemWillChange(const yov::Notification &n)
{
    if (yov::nsString(n.userInfo.value(QStringLiteral("TabViewItemWillChange"))) == QLatin1String("Statistics"))
        updateInterface();
}

void statisticSource::Init_statistic_view() { renameRows(statisticRowNames()); }

void statisticSource::reloadStatistic()
{
    displayLastResetTime();
    displayPeriodStatistics();
    expandOutline();
}

void statisticSource::displayLastResetTime()
{
    const QVariant last = config().getConfigurationByModuleAndKey(QStringLiteral("Record"), QStringLiteral("recordLastResetTime"));
    setNodeValue(timeLastReset_, last.typeId() == QMetaType::QDateTime ? formatStringFromDate(last.toDateTime())
                                                                       : QStringLiteral("00:00:00"));
}

void statisticSource::displayPeriodStatistics()
{
    DialRecordControllerInterface &records = Neighbours::records();
    // The running connection counts in each period.
    const double runningSent = yov::textDouble(sendData);
    const double runningReceived = yov::textDouble(receiveData);
    const auto show = [&](Node *period, DialRecordSums sums) {
        sums.sendKB += runningSent;
        sums.receiveKB += runningReceived;
        setNodeValue(period->child(0), autoSwitchStatisticData(sums.sendKB));
        setNodeValue(period->child(1), autoSwitchStatisticData(sums.receiveKB));
        return sums;
    };
    show(Daily, records.getDayRecordReceive());
    const DialRecordSums month = show(Monthly, records.getMonthRecordReceive());
    const DialRecordSums year = show(Yearly, records.getYearRecordReceive());
    monthlyTotalData_ = month.sendKB + month.receiveKB;
    notificationCenter().post(QStringLiteral("yearReceiveDateAndSendData"), this,
                              {{QStringLiteral("yearSendData"), float(year.sendKB)},
                               {QStringLiteral("yearReceiveData"), float(year.receiveKB)}});
}

QString statisticSource::autoSwitchStatisticData(double kb) const
{
    const bool bits = yov::nsString(config().getConfigurationByModuleAndKey(QStringLiteral("Internet"), QStringLiteral("dataType")))
                      == QLatin1String("Kb");
    return StatisticsFormat::autoSwitchStatisticData(kb, bits, [this](const QString &s) { return localizedText(s); });
}

} // namespace ostrel
