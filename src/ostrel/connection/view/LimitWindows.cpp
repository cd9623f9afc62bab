#include "ostrel/connection/view/LimitWindows.h"

#include "ostrel/connection/dial/DialController.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace ostrel {

LimitMessageWindow::LimitMessageWindow(DialController *controller, const QString &objectName, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName(objectName);
    setModal(false);
    setWindowTitle(controller->localizedText(QStringLiteral("Warning!")));
    auto *layout = new QVBoxLayout(this);
    labelText_ = new QLabel(this);
    labelText_->setObjectName(QStringLiteral("labelLimitText"));
    labelText_->setWordWrap(true);
    labelText_->setTextFormat(Qt::PlainText);
    labelText_->setMinimumWidth(320);
    layout->addWidget(labelText_);
    auto *buttons = new QDialogButtonBox(this);
    btnOK_ = buttons->addButton(controller->localizedText(QStringLiteral("OK")), QDialogButtonBox::AcceptRole);
    btnOK_->setObjectName(QStringLiteral("btnLimitOK"));
    connect(btnOK_, &QPushButton::clicked, this, &LimitMessageWindow::closeMessage);
    layout->addWidget(buttons);
}

void LimitMessageWindow::showText(const QString &text)
{
    labelText_->setText(text);
    adjustSize();
    show();
    raise();
    activateWindow();
}

void installLimitWindows(DialController *controller, QWidget *parent)
{
    if (!controller)
        return;
    QPointer<LimitMessageWindow> warning;
    QPointer<LimitMessageWindow> reached;
    QObject::connect(controller, &DialController::limitWarningRequested, controller,
                     [controller, parent, warning](const QString &text) mutable {
                         if (!warning)
                             warning = new LimitMessageWindow(controller, QStringLiteral("wndLimitWarning"), parent);
                         warning->showText(text);
                     });
    QObject::connect(controller, &DialController::limitReachedRequested, controller, [controller, parent, reached]() mutable {
        if (!reached)
            reached = new LimitMessageWindow(controller, QStringLiteral("wndLimitReached"), parent);
        reached->showText(controller->localizedText(
            QStringLiteral("Modem has been disconnected because you reached the set Time and Data Volume Limites")));
    });
}

} // namespace ostrel
