#pragma once
// One running instance per user session.
//
// The first instance owns the D-Bus name given (and, where the session bus is missing, a lock file
// in the runtime folder). A later launch asks the running instance to run its reopen road through
// the method Reopen() on that name and then ends: claim() answers false.

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

namespace yov {

class SingleInstance : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.ostrel.Instance")
public:
    // busName: e.g. "org.ostrel.Dashboard"; objectPath: where Reopen() is served.
    SingleInstance(QString busName, QString objectPath, QObject *parent = nullptr);
    ~SingleInstance() override;

    // true: this process is the one instance. false: another one runs (it was asked to reopen).
    bool claim();
    // After a claim() that answered false: whether the running instance took the request.
    bool broughtForward() const { return broughtForward_; }

public slots:
    // Called over D-Bus by a later launch (and by the tray icon's activation).
    Q_SCRIPTABLE void Reopen();

signals:
    void reopenRequested();

private:
    bool claimLockFile();
    QString busName_;
    QString objectPath_;
    std::unique_ptr<QLockFile> lock_;
    bool registered_ = false;
    bool broughtForward_ = false;
};

} // namespace yov
