#pragma once
// The one place where the dashboard's modal alerts are shown.
//
// Code that wants a modal alert builds an AlertRequest and hands it to AlertPresenter::shared().
// The program installs the presenter it wants (the skinned panel with the system alert behind it);
// tests install a scripted one, so that no alert ever blocks a test.
//
// The answer is 1 for the default button and 0 for the alternate one.

#include <QString>

namespace yov {

struct AlertRequest {
    QString title;
    QString message;
    QString defaultButton;   // empty: "OK"
    QString alternateButton; // empty: no alternate button
};

class AlertPresenter {
public:
    static constexpr int DefaultReturn = 1;
    static constexpr int AlternateReturn = 0;

    virtual ~AlertPresenter() = default;
    virtual int runAlert(const AlertRequest &request) = 0;

    // The installed presenter; the system alert when none is installed.
    static AlertPresenter &shared();
    // Installs a presenter (not owned); null restores the system alert.
    static void setShared(AlertPresenter *presenter);
};

// The desktop's own modal message box: the default button as the accepted one, the alternate
// button (when given) as the rejecting one.
class SystemAlertPresenter final : public AlertPresenter {
public:
    int runAlert(const AlertRequest &request) override;
};

// Installs a presenter for the lifetime of the guard and puts back the previous one afterwards.
class ScopedAlertPresenter {
public:
    explicit ScopedAlertPresenter(AlertPresenter *presenter);
    ~ScopedAlertPresenter();
    ScopedAlertPresenter(const ScopedAlertPresenter &) = delete;
    ScopedAlertPresenter &operator=(const ScopedAlertPresenter &) = delete;

private:
    AlertPresenter *previous_;
};

} // namespace yov
