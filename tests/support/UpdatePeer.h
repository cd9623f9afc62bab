#pragma once
// A recording stand-in for the update manager: it owns the bus name "com.yov.CMUpdate" on a second
// connection of the test process (each test runs on a session bus of its own) and keeps every
// dictionary that arrives through UCMS(s).
#include <QtDBus/qtdbusglobal.h>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace testing_support {

class UpdatePeer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.yov.CMUpdate")
public:
    ~UpdatePeer() override;

    // Takes the name; false when the bus or the name cannot be had.
    bool start();

    QList<QVariantMap> received;
    QStringList malformed; // texts that were not a dictionary property list

public slots:
    Q_NOREPLY void UCMS(const QString &xml);

private:
    bool started_ = false;
};

} // namespace testing_support
