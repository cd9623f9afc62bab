#include "ostrel/connection/speedtest/SpeedTestController.h"

#include "ostrel/connection/speedtest/PrivateFileAppend.h"

#include "common/ValueConversion.h"
#include "common/util/KLog.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "platform/Clock.h"

#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcSpeedTest, "ostrel.speedtest")

namespace ostrel {

namespace {

SpeedTestController *g_SpeedTestController = nullptr;

// Characters a URL path segment allows as they are (RFC 3986 pchar without the percent sign).
const QByteArray kPathSafeCharacters = QByteArrayLiteral("!$&'()*+,;=:@-._~");

QString uploadField(const std::optional<QString> &value)
{
    return value ? *value : QStringLiteral("(null)");
}

QString numberText(const QVariant &value)
{
    if (!value.isValid())
        return QStringLiteral("(null)");
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    if (value.typeId() == QMetaType::Float) // a float's own precision, as a float prints
        return QString::number(double(value.toFloat()), 'g', 7);
    return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
}

} // namespace

SpeedTestController::SpeedTestController(const ControllerContext &context, QObject *parent)
    : YOVUIController(context, parent)
{
    g_SpeedTestController = this;
}

SpeedTestController::~SpeedTestController()
{
    if (g_SpeedTestController == this)
        g_SpeedTestController = nullptr;
}

SpeedTestController *SpeedTestController::shareSpeedTestController()
{
    return g_SpeedTestController;
}

void SpeedTestController::registerMessages()
{
    static const NotificationTableRow table[] = {
        {"uploadSpeedTestResult:", kSpeedTestResultNotification},
        {"setRscpRssiEcnoInfo:", "ReadRscpRssiEcnoInfo"},
        {"setCellIdInfo:", "ReadCellIDInfo"},
        {nullptr, nullptr},
    };
    registerNotification(table);
}

QNetworkAccessManager &SpeedTestController::network()
{
    if (!network_)
        network_ = new QNetworkAccessManager(this);
    return *network_;
}

QString SpeedTestController::serverBaseUrl() const
{
    QString base = yov::nsString(
                       config().getConfigurationByModuleAndKey(QStringLiteral("Internet"),
                                                               QStringLiteral("Internet_SpeedTestServerURL")))
                       .trimmed();
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base;
}

QUrl SpeedTestController::serverUrl(const QString &path) const
{
    const QString base = serverBaseUrl();
    if (base.isEmpty())
        return {};
    return QUrl(base + path);
}

std::optional<QHash<QString, QString>> SpeedTestController::readSupportTestSpeedMccMnc(const QString &text)
{
    if (text.isNull()) {
        qCInfo(lcSpeedTest) << "Mncs is null";
        return std::nullopt;
    }
    QHash<QString, QString> entries;
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1); // a list written with CR LF line ends
        const QStringList parts = line.split(QLatin1Char('='));
        const QString key = parts.first();
        if (key != QLatin1String("MCC") && key != QLatin1String("MNC") && key != QLatin1String("TEST"))
            continue;
        for (qsizetype i = 1; i < parts.size(); ++i)
            entries.insert(key, parts.at(i));
    }
    return entries;
}

bool SpeedTestController::listMatchesSim(const QHash<QString, QString> &list, const QString &mcc, const QString &mnc)
{
    if (mcc.isEmpty() || list.value(QStringLiteral("MCC")) != mcc || list.value(QStringLiteral("TEST")) != QLatin1String("ON"))
        return false;
    const QStringList mncs = list.value(QStringLiteral("MNC")).split(QLatin1Char(','));
    for (const QString &entry : mncs)
        if (entry.startsWith(mnc))
            return true;
    return false;
}

std::pair<QString, QString> SpeedTestController::homeMccMnc() const
{
    const QString home = Neighbours::init().currentHmccmnc();
    if (home.size() < 5)
        return {};
    return {home.left(3), home.mid(3)};
}

void SpeedTestController::isNeedTestSpeed(QObject *context, std::function<void(bool)> answer)
{
    deleteLogFile();
    if (!ConfigService(&config()).isNeedTestSpeedAtConnected()) {
        answer(false);
        return;
    }
    const QUrl url = serverUrl(QStringLiteral("/throughputtest.txt"));
    if (url.isEmpty()) {
        writeToLogFile(QStringLiteral("No speed test server configured (Internet_SpeedTestServerURL)"));
        answer(false);
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setTransferTimeout(60000);
    QNetworkReply *reply = network().get(request);
    // The reply goes when it ends, also when the asker is gone before the answer.
    connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
    QPointer<SpeedTestController> self(this);
    connect(reply, &QNetworkReply::finished, context, [self, reply, answer = std::move(answer)] {
        if (!self)
            return;
        if (reply->error() != QNetworkReply::NoError) {
            self->writeToLogFile(QStringLiteral("Download File throughputtest.txt: %1").arg(reply->errorString()));
            answer(false);
            return;
        }
        const QByteArray bytes = reply->readAll();
        auto decoder = QStringDecoder(QStringDecoder::Utf8);
        QString text = decoder.decode(bytes);
        if (decoder.hasError())
            text = QString(); // not UTF-8: no list
        const auto list = readSupportTestSpeedMccMnc(text);
        const auto [mcc, mnc] = self->homeMccMnc();
        if (mcc.isEmpty())
            self->writeToLogFile(QStringLiteral("The home code of the SIM is too short: \"%1\"")
                                     .arg(Neighbours::init().currentHmccmnc()));
        if (list) {
            self->writeToLogFile(QStringLiteral("MCC: %1").arg(list->value(QStringLiteral("MCC"))));
            self->writeToLogFile(QStringLiteral("MNC: %1").arg(list->value(QStringLiteral("MNC"))));
            self->writeToLogFile(QStringLiteral("TEST: %1").arg(list->value(QStringLiteral("TEST"))));
        }
        if (list && listMatchesSim(*list, mcc, mnc)) {
            answer(true);
            return;
        }
        self->writeToLogFile(QStringLiteral("The Sim Card Info is not exit in Service"));
        answer(false);
    });
}

void SpeedTestController::setRscpRssiEcnoInfo(const yov::Notification &n)
{
    dictForRscpRssiEcno_ = n.userInfo;
}

void SpeedTestController::setCellIdInfo(const yov::Notification &n)
{
    const QVariant cell = n.userInfo.value(QStringLiteral("CellIDInfo"));
    if (cell.isValid())
        cellIDForSpeedTest_ = yov::nsString(cell);
    else
        cellIDForSpeedTest_.reset();
}

QUrl SpeedTestController::uploadUrl(const QVariantMap &result) const
{
    const QVariant number = runtimeObjectForKey(QStringLiteral("runtimePhoneNumber"));
    const auto [mcc, mnc] = homeMccMnc();
    auto radio = [this](const char *key) -> std::optional<QString> {
        if (!dictForRscpRssiEcno_)
            return std::nullopt;
        return yov::nsString(dictForRscpRssiEcno_->value(QLatin1String(key)));
    };
    const QList<std::pair<const char *, QString>> fields = {
        {"msisdn=", number.isValid() ? yov::nsString(number) : QStringLiteral("(null)")},
        {"&user=", QLatin1String(kSpeedTestUploadUser)},
        {"&password=", QLatin1String(kSpeedTestUploadPassword)},
        {"&cellid=", uploadField(cellIDForSpeedTest_)},
        {"&mnc=", mnc},
        {"&mcc=", mcc},
        {"&download=", numberText(result.value(QStringLiteral("DownloadSpeedValue")))},
        {"&upload=", numberText(result.value(QStringLiteral("UploadSpeedValue")))},
        {"&lateny=", numberText(result.value(QStringLiteral("DelayTimeValue")))},
        {"&rssi=", uploadField(radio("RSSI"))},
        {"&ecno=", uploadField(radio("ECNO"))},
        {"&rscp=", uploadField(radio("RSCP"))},
        {"&conntype=", QLatin1String(kSpeedTestConnType)},
        {"&disconnectionreason=", numberText(result.value(QStringLiteral("DisconnectionReason")))},
    };
    QByteArray path = QByteArrayLiteral("/check/checkspeed.php/");
    for (const auto &[name, value] : fields)
        path += QByteArray(name) + value.toUtf8().toPercentEncoding(kPathSafeCharacters);
    const QString base = serverBaseUrl();
    if (base.isEmpty())
        return {};
    return QUrl::fromEncoded(base.toUtf8() + path, QUrl::TolerantMode);
}

void SpeedTestController::uploadSpeedTestResult(const yov::Notification &n)
{
    const QUrl url = uploadUrl(n.userInfo);
    if (url.isEmpty()) {
        writeToLogFile(QStringLiteral("No speed test server configured (Internet_SpeedTestServerURL)"));
        return;
    }
    writeToLogFile(QString::fromUtf8(url.toEncoded()));
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/x-www-form-urlencoded"));
    request.setTransferTimeout(60000);
    QNetworkReply *reply = network().post(request, QByteArray());
    connect(reply, &QNetworkReply::finished, reply, [reply] {
        if (reply->error() != QNetworkReply::NoError)
            qCInfo(lcSpeedTest) << "speed test result upload failed:" << reply->errorString();
        reply->deleteLater();
    });
}

QString SpeedTestController::logFilePath() const
{
    if (!logFilePath_.isEmpty())
        return logFilePath_;
    return QDir(yov::KLog::sharedLog().logDir()).filePath(QStringLiteral("LogTest.txt"));
}

void SpeedTestController::deleteLogFile()
{
    const QByteArray path = QFile::encodeName(logFilePath());
    if (::unlink(path.constData()) != 0 && errno != ENOENT)
        qCWarning(lcSpeedTest) << "cannot remove the speed test log" << logFilePath() << std::strerror(errno);
}

void SpeedTestController::writeToLogFile(const QString &text)
{
    const QByteArray entry = clock().now().toString(QStringLiteral("dd/MM/yy HH:mm:ss")).toUtf8() + "    " + text.toUtf8();
    QString error;
    if (!appendToPrivateFile(logFilePath(), entry, true, &error))
        qCWarning(lcSpeedTest) << "cannot write the speed test log" << logFilePath() << error;
}

} // namespace ostrel
