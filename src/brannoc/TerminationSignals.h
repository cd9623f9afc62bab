#pragma once
// Hands SIGTERM, SIGINT and SIGHUP over to the event loop: the signal handler only writes one byte
// to a socket pair (async-signal-safe); a socket notifier on the other end emits received() on the
// thread that owns this object, where any cleanup can run.

#include <QObject>

class QSocketNotifier;

namespace brannoc {

class TerminationSignals final : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;
    // Installs the handlers; false when the socket pair or a handler could not be set up.
    bool install();

signals:
    void received(int signalNumber);

private:
    void onReadable();
    QSocketNotifier *notifier_ = nullptr;
};

} // namespace brannoc
