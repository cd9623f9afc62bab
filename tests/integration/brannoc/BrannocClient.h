#pragma once
// A tiny client of the stand-in device service: starts the Brannoc program with a scenario, sends
// request records with yMsg(ay), collects the yMsg signals, and calls the test-control interface.

#include "common/records/UiMsg.h"

#include <QByteArray>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QVariantList>

#include <functional>
#include <memory>
#include <vector>

class BrannocClient : public QObject {
    Q_OBJECT
public:
    static constexpr int kWaitMs = 10000;

    struct Received {
        yov::UI_MSG msg;
        QByteArray raw;
        qint64 atMs;
    };

    BrannocClient();
    ~BrannocClient() override;

    // Starts Brannoc with the scenario file (a name in the shipped brannoc folder, or a path) and
    // waits until it owns its bus name. Returns false with a reason in error(). A shipped scenario
    // is used as its quick copy (support/QuickScenario.h). With a log, the program's output is kept
    // (log()) instead of passed through; environment: extra variables.
    bool start(const QString &scenario, bool keepLog = false, const QStringList &environment = {});
    // What the program wrote to its output so far (with keepLog).
    QByteArray log();
    void stop();
    QString error() const { return error_; }

    // Sends one request record; true when the service took it.
    bool send(int module, int major, int minor, int type = 0, const QByteArray &payload = {});
    // Calls a method of the test-control interface.
    QDBusMessage control(const QString &method, const QVariantList &args = {});
    // ModemState and SetModemState of one modem area.
    QVariantMap modemState(const QString &area);
    bool setModemState(const QString &area, const QVariantMap &values);
    // A dictionary as it came over D-Bus (nested ones come as D-Bus arguments).
    static QVariantMap mapOf(const QVariant &value);

    // Waits until a record matching the predicate arrives at index from or later; returns its
    // index, or -1 after the time-out.
    int waitFor(const std::function<bool(const yov::UI_MSG &)> &match, int from = 0, int timeoutMs = kWaitMs);
    int waitFor(int major, int minor, int from = 0, int timeoutMs = kWaitMs);

    const std::vector<Received> &records() const { return records_; }
    int size() const { return int(records_.size()); }
    // The IDs of the records from index from on, as "major/minor".
    QStringList ids(int from = 0, int to = -1) const;
    // The path of a scenario given by name (the quick copy of a shipped one) or by path.
    QString scenarioPath(const QString &name);

private slots:
    void onMsg(const QByteArray &record);

private:
    std::unique_ptr<QProcess> process_;
    std::vector<Received> records_;
    QElapsedTimer clock_;
    QString error_;
    QByteArray log_;
    QTemporaryDir scenarios_;
};
