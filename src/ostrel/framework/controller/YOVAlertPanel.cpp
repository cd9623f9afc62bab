#include "ostrel/framework/controller/YOVAlertPanel.h"

#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/NSWindowExt.h"

#include <QEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace ostrel {

namespace {
YOVAlertPanel *g_sharedAlertPanel = nullptr;

yov::AlertPresenter &systemAlert()
{
    static yov::SystemAlertPresenter presenter;
    return presenter;
}
} // namespace

YOVAlertPanel::YOVAlertPanel(QObject *parent)
    : YOVAlertPanel(ControllerContext::shared(), parent)
{
}

YOVAlertPanel::YOVAlertPanel(const ControllerContext &context, QObject *parent)
    : YOVUIController(context, parent)
{
    if (!g_sharedAlertPanel)
        g_sharedAlertPanel = this;
}

YOVAlertPanel::~YOVAlertPanel()
{
    if (modalLoop_)
        modalLoop_->exit(hasAlternate_ ? yov::AlertPresenter::AlternateReturn : yov::AlertPresenter::DefaultReturn);
    if (g_sharedAlertPanel == this)
        g_sharedAlertPanel = nullptr;
    delete wndAlert_;
}

YOVAlertPanel *YOVAlertPanel::shareAlertPanel()
{
    return g_sharedAlertPanel;
}

void YOVAlertPanel::buildDefaultWindow()
{
    auto *window = new NSPanelExt;
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    auto *title = new QLabel;
    auto *message = new QLabel;
    message->setWordWrap(true);
    title->setTextFormat(Qt::PlainText);
    message->setTextFormat(Qt::PlainText);
    auto *buttons = new QHBoxLayout;
    auto *ok = new NSButtonExt;
    auto *cancel = new NSButtonExt;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    layout->addWidget(title);
    layout->addWidget(message);
    layout->addLayout(buttons);
    window->setContentView(content);
    wndAlert_ = window;
    labelTitle_ = title;
    labelMsg_ = message;
    btnOK_ = ok;
    btnCancel_ = cancel;
}

void YOVAlertPanel::awakeFromNib()
{
    if (!wndAlert_)
        buildDefaultWindow();
    if (btnOK_)
        connectAction(btnOK_, QStringLiteral("btnOKAction:"));
    if (btnCancel_)
        connectAction(btnCancel_, QStringLiteral("btnCancelAction:"));
    wndAlert_->installEventFilter(this);
    if (SkinManagerAccess *skin = yovSkinManager()) {
        skin->registerController(wndAlert_, QStringLiteral("wndYOVAlertPanel"), true);
        if (labelMsg_)
            skin->registerController(labelMsg_, QStringLiteral("labelYOVAlertPanelMsg"), true);
        if (labelTitle_)
            skin->registerController(labelTitle_, QStringLiteral("labelYOVAlertPanelTitle"), true);
        if (btnOK_)
            skin->registerController(btnOK_, QStringLiteral("btnAlertOK"), true);
        if (btnCancel_)
            skin->registerController(btnCancel_, QStringLiteral("btnAlertCancel"), true);
    }
}

int YOVAlertPanel::runAlertPanelTitle(const QString &title, const QString &message, const QString &defaultButton,
                                      const QString &alternateButton)
{
    SkinManagerAccess *skin = yovSkinManager();
    // Without the skinned window, or while the panel already shows an alert (an alert raised from
    // inside another one), the system alert is used.
    if (!wndAlert_ || !skin || !skin->hasKey(QStringLiteral("wndYOVAlertPanel")) || modalLoop_) {
        yov::AlertPresenter &fallback = fallback_ ? *fallback_ : systemAlert();
        return fallback.runAlert({title, message, defaultButton, alternateButton});
    }
    if (labelTitle_)
        labelTitle_->setText(title);
    if (labelMsg_)
        labelMsg_->setText(message);
    if (btnOK_)
        btnOK_->setText(defaultButton.isEmpty() ? QStringLiteral("OK") : defaultButton);
    hasAlternate_ = !alternateButton.isEmpty();
    if (btnCancel_) {
        btnCancel_->setText(alternateButton);
        btnCancel_->setVisible(hasAlternate_);
    }
    wndAlert_->setWindowModality(Qt::ApplicationModal);
    wndAlert_->show();
    wndAlert_->raise();
    wndAlert_->activateWindow();

    QEventLoop loop;
    modalLoop_ = &loop;
    const int code = loop.exec();
    modalLoop_ = nullptr;
    return code;
}

void YOVAlertPanel::stopModal(int code)
{
    if (modalLoop_) {
        QEventLoop *loop = modalLoop_;
        modalLoop_ = nullptr;
        loop->exit(code);
    }
}

void YOVAlertPanel::btnOKAction(QObject *)
{
    stopModal(yov::AlertPresenter::DefaultReturn);
    if (wndAlert_)
        wndAlert_->hide();
}

void YOVAlertPanel::btnCancelAction(QObject *)
{
    stopModal(yov::AlertPresenter::AlternateReturn);
    if (wndAlert_)
        wndAlert_->hide();
}

bool YOVAlertPanel::eventFilter(QObject *watched, QEvent *event)
{
    // The panel closed some other way (window manager): the alternate answer when there is one.
    if (watched == wndAlert_ && event->type() == QEvent::Hide && modalLoop_)
        stopModal(hasAlternate_ ? yov::AlertPresenter::AlternateReturn : yov::AlertPresenter::DefaultReturn);
    return YOVUIController::eventFilter(watched, event);
}

int SkinnedAlertPresenter::runAlert(const yov::AlertRequest &request)
{
    if (YOVAlertPanel *panel = YOVAlertPanel::shareAlertPanel())
        return panel->runAlertPanelTitle(request.title, request.message, request.defaultButton, request.alternateButton);
    yov::AlertPresenter &fallback = fallback_ ? *fallback_ : systemAlert();
    return fallback.runAlert(request);
}

} // namespace ostrel
