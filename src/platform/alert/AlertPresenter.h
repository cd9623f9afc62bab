#pragma once
// The one place where the dashboard's alerts are shown.
//
// Code that wants an alert builds an AlertRequest and hands it to AlertPresenter::shared(), in one
// of two forms:
//   runAlert()   blocking: a nested event loop until the user answers; the answer is returned.
//   showAlert()  non-blocking: the alert is shown and the call returns at once; the answer
//                reaches a callback later, on the main thread, exactly once.
// A record handler of the device link uses the non-blocking form: while a blocking alert is open
// inside a dispatch, no further record is dispatched and the receive queue fills. The blocking
// form called during a dispatch logs a warning naming the record being handled.
//
// The program installs the presenter it wants (the skinned panel with the system alert behind it);
// tests install a scripted one, so that no alert ever blocks a test.
//
// The answer is 1 for the default button and 0 for the alternate one. An alert closed another way
// answers as its alternate button when it has one, else as its default button.

#include <QString>

#include <functional>

namespace yov {

struct AlertRequest {
    QString title;
    QString message;
    QString defaultButton;   // empty: "OK"
    QString alternateButton; // empty: no alternate button
};

// Receives the answer of a non-blocking alert (AlertPresenter::DefaultReturn or AlternateReturn).
using AlertAnswer = std::function<void(int answer)>;

class AlertPresenter {
public:
    static constexpr int DefaultReturn = 1;
    static constexpr int AlternateReturn = 0;

    virtual ~AlertPresenter() = default;

    // The blocking form (see above).
    int runAlert(const AlertRequest &request);
    // The non-blocking form (see above); onAnswer may be empty.
    void showAlert(const AlertRequest &request, AlertAnswer onAnswer);

    // What a presenter implements; callers use runAlert() and showAlert().
    virtual int presentBlocking(const AlertRequest &request) = 0;
    virtual void presentNonBlocking(const AlertRequest &request, AlertAnswer onAnswer) = 0;

    // The installed presenter; the system alert when none is installed.
    static AlertPresenter &shared();
    // Installs a presenter (not owned); null restores the system alert.
    static void setShared(AlertPresenter *presenter);
    // The desktop's own alert.
    static AlertPresenter &system();
};

// The desktop's own message box: the default button as the accepted one, the alternate button
// (when given) as the rejecting one. The non-blocking form is application-modal without a nested
// event loop.
class SystemAlertPresenter final : public AlertPresenter {
public:
    int presentBlocking(const AlertRequest &request) override;
    void presentNonBlocking(const AlertRequest &request, AlertAnswer onAnswer) override;
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
