#pragma once
// The skinned alert panel, and the alert presenter that shows it.
//
// The first YOVAlertPanel created is the shared one (shareAlertPanel()) until it is destroyed.
// runAlertPanelTitle() shows the panel modally when the skin has its window ("wndYOVAlertPanel"),
// and otherwise (or while the panel is already showing an alert) hands the alert to the fallback,
// the system alert. SkinnedAlertPresenter routes the dashboard's alerts (NSRunAlertPanelExt) to the
// shared panel; the program installs it with yov::AlertPresenter::setShared().
#include "ostrel/framework/controller/YOVUIController.h"
#include "platform/alert/AlertPresenter.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPointer>

class QEventLoop;

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

    // 1 for the default button, 0 for the alternate one.
    int runAlertPanelTitle(const QString &title, const QString &message, const QString &defaultButton,
                           const QString &alternateButton);
    bool isRunning() const { return modalLoop_ != nullptr; }

    Q_INVOKABLE void btnOKAction(QObject *sender);
    Q_INVOKABLE void btnCancelAction(QObject *sender);

    // The alert used without the skinned window (the system alert when not set; not owned).
    void setFallback(yov::AlertPresenter *fallback) { fallback_ = fallback; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void stopModal(int code);
    void buildDefaultWindow();

    QEventLoop *modalLoop_ = nullptr;
    bool hasAlternate_ = false;
    yov::AlertPresenter *fallback_ = nullptr;
};

class SkinnedAlertPresenter final : public yov::AlertPresenter {
public:
    // fallback: the alert used when there is no shared panel (the system alert when null).
    explicit SkinnedAlertPresenter(yov::AlertPresenter *fallback = nullptr) : fallback_(fallback) {}
    int runAlert(const yov::AlertRequest &request) override;

private:
    yov::AlertPresenter *fallback_;
};

} // namespace ostrel
