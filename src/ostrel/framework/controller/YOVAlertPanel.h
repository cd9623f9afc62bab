#pragma once
// The skinned alert panel, and the alert presenter that shows it.
//
// The first YOVAlertPanel created is the shared one (shareAlertPanel()) until it is destroyed.
// The panel shows one alert at a time, in either form: runAlertPanelTitle() modally (a nested
// event loop) and beginAlertPanelTitle() without blocking (the answer goes to a callback). It uses
// its own window when the skin has one ("wndYOVAlertPanel"); otherwise, or while it already shows
// an alert, the alert goes to the fallback, the system alert. SkinnedAlertPresenter routes the
// dashboard's alerts (NSRunAlertPanelExt, NSBeginAlertPanelExt) to the shared panel; the program
// installs it with yov::AlertPresenter::setShared().
//
// The window is drawn opaque (the skin's image over a plain background, with a border, so that it
// reads on any desktop, with or without a window manager or compositor), sized to its text and
// buttons (a message taller than the screen leaves room for scrolls), and centred on the main
// window (wndMain; the active window or the screen without one).
#include "ostrel/framework/controller/YOVUIController.h"
#include "platform/alert/AlertPresenter.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPointer>

class QEventLoop;
class QScrollArea;

namespace ostrel {

class YOVAlertPanel : public YOVUIController {
    Q_OBJECT
public:
    explicit YOVAlertPanel(QObject *parent = nullptr);
    YOVAlertPanel(const ControllerContext &context, QObject *parent = nullptr);
    ~YOVAlertPanel() override;

    static YOVAlertPanel *shareAlertPanel();

    // The panel's window and controls; made by awakeFromNib() when not set before.
    QPointer<QWidget> wndAlert_;
    QPointer<QLabel> labelTitle_;
    QPointer<QLabel> labelMsg_;
    QPointer<QAbstractButton> btnOK_;
    QPointer<QAbstractButton> btnCancel_;

    // Connects the buttons and registers the window and controls with the skin (this replaces
    // the base template).
    void awakeFromNib() override;

    // The blocking form: 1 for the default button, 0 for the alternate one.
    int runAlertPanelTitle(const QString &title, const QString &message, const QString &defaultButton,
                           const QString &alternateButton);
    // The non-blocking form: returns at once; the answer reaches onAnswer when the user answers
    // (an alert still open when the panel is destroyed gets none).
    void beginAlertPanelTitle(const QString &title, const QString &message, const QString &defaultButton,
                              const QString &alternateButton, yov::AlertAnswer onAnswer);
    // Whether the panel shows an alert (either form).
    bool isRunning() const { return modalLoop_ != nullptr || bool(pendingAnswer_); }

    Q_INVOKABLE void btnOKAction(QObject *sender);
    Q_INVOKABLE void btnCancelAction(QObject *sender);

    // The alert used without the skinned window (the system alert when not set; not owned).
    void setFallback(yov::AlertPresenter *fallback) { fallback_ = fallback; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Whether the skinned window can show an alert now; otherwise the fallback takes it.
    bool canShow() const;
    yov::AlertPresenter &fallback() const;
    void showPanel(const QString &title, const QString &message, const QString &defaultButton,
                   const QString &alternateButton);
    void fitAndCentre();
    // The scroll area around the message, when the message has one.
    QScrollArea *messageScroller() const;
    void finish(int code);
    int closeAnswer() const;
    void buildDefaultWindow();

    QEventLoop *modalLoop_ = nullptr;
    yov::AlertAnswer pendingAnswer_;
    bool hasAlternate_ = false;
    yov::AlertPresenter *fallback_ = nullptr;
};

class SkinnedAlertPresenter final : public yov::AlertPresenter {
public:
    // fallback: the alert used when there is no shared panel (the system alert when null).
    explicit SkinnedAlertPresenter(yov::AlertPresenter *fallback = nullptr) : fallback_(fallback) {}
    int presentBlocking(const yov::AlertRequest &request) override;
    void presentNonBlocking(const yov::AlertRequest &request, yov::AlertAnswer onAnswer) override;

private:
    yov::AlertPresenter &fallback() const { return fallback_ ? *fallback_ : yov::AlertPresenter::system(); }
    yov::AlertPresenter *fallback_;
};

} // namespace ostrel
