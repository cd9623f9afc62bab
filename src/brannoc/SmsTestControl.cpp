// The test-control calls of the SMS area: PDUs and texts that arrive.

#include "brannoc/BrannocService.h"
#include "brannoc/SmsArea.h"

namespace brannoc {

namespace {

template <typename Deliver>
bool deliverToSmsArea(BrannocService *service, QDBusContext &dbus, const char *what, Deliver deliver)
{
    QString error;
    auto *sms = dynamic_cast<SmsArea *>(service->area(QStringLiteral("Sms")));
    bool ok = false;
    if (!service->devicePresent())
        error = QStringLiteral("no modem plugged");
    else if (sms)
        ok = deliver(*sms, &error);
    if (ok)
        return true;
    qCWarning(lcBrannoc).noquote() << what << "refused:" << error;
    if (dbus.calledFromDBus())
        dbus.sendErrorReply(QDBusError::InvalidArgs, error);
    return false;
}

} // namespace

bool BrannocTestControl::DeliverPdu(const QString &kind, const QString &hex)
{
    return deliverToSmsArea(service_, *this, "DeliverPdu",
                            [&](SmsArea &sms, QString *error) { return sms.deliverPdu(kind, hex, error); });
}

bool BrannocTestControl::DeliverText(const QString &sender, const QString &text)
{
    return deliverToSmsArea(service_, *this, "DeliverText",
                            [&](SmsArea &sms, QString *error) { return sms.deliverText(sender, text, error); });
}

} // namespace brannoc
