#include "ostrel/connection/view/OperatorConnectWindows.h"

#include "ostrel/connection/dial/DialController.h"

#include "ostrel/framework/widgets/ResourcePaths.h"

#include <QHBoxLayout>
#include <QPixmap>
#include <QVBoxLayout>

namespace ostrel {

QString progressImageName(int step)
{
    return step > 0 ? QStringLiteral("Stategif%1.png").arg(step) : QString();
}

namespace {

void showProgressImage(QLabel *view, int step)
{
    const QString name = progressImageName(step);
    const QImage image = name.isEmpty() ? QImage() : ResourcePaths::applicationImage(name);
    if (image.isNull()) {
        view->setPixmap(QPixmap());
        view->setText(step > 0 ? QString(step, QLatin1Char('.')) : QString());
    } else {
        view->setPixmap(QPixmap::fromImage(image));
    }
}

} // namespace

ConnectStateWindow::ConnectStateWindow(DialController *controller, QWidget *parent)
    : QDialog(parent), controller_(controller)
{
    setObjectName(QStringLiteral("windowOfConnectStateForDidizu_"));
    auto *layout = new QVBoxLayout(this);
    imageViewOfProgressIndicator_ = new QLabel(this);
    labelConnectStateOfForDidizu_ = new QLabel(this);
    btnOfCancelConnectOperateForDidizu_ = new QPushButton(controller->localizedText(QStringLiteral("Cancel")), this);
    layout->addWidget(imageViewOfProgressIndicator_);
    layout->addWidget(labelConnectStateOfForDidizu_);
    layout->addWidget(btnOfCancelConnectOperateForDidizu_);
    connect(btnOfCancelConnectOperateForDidizu_, &QPushButton::clicked, this,
            [this] { controller_->cancelCurrentConnectOperate(); });
}

void ConnectStateWindow::refresh()
{
    const DialDisplay &d = controller_->display();
    labelConnectStateOfForDidizu_->setText(d.connectStateLabel);
    btnOfCancelConnectOperateForDidizu_->setEnabled(d.connectStateCancelEnabled);
    showProgressImage(imageViewOfProgressIndicator_, d.progressImage);
    setVisible(d.connectStateWindowShown);
}

ConnectFailedWindow::ConnectFailedWindow(DialController *controller, QWidget *parent)
    : QDialog(parent), controller_(controller)
{
    setObjectName(QStringLiteral("windowOfConnectFailedForDidizu_"));
    auto *layout = new QVBoxLayout(this);
    imageViewOfConnectFailed_ = new QLabel(this);
    labelOfConnectStateWhenConnectFailed_ = new QLabel(this);
    layout->addWidget(imageViewOfConnectFailed_);
    layout->addWidget(labelOfConnectStateWhenConnectFailed_);
    auto *row = new QHBoxLayout;
    auto *redial = new QPushButton(controller->localizedText(QStringLiteral("Redial")), this);
    auto *close = new QPushButton(controller->localizedText(QStringLiteral("Close")), this);
    row->addWidget(redial);
    row->addWidget(close);
    layout->addLayout(row);
    connect(redial, &QPushButton::clicked, this, [this] { controller_->redialWhenConnectFailed(); });
    connect(close, &QPushButton::clicked, this, [this] { controller_->closeConnectFailedWindow(); });
}

void ConnectFailedWindow::refresh()
{
    const DialDisplay &d = controller_->display();
    labelOfConnectStateWhenConnectFailed_->setText(d.connectFailedLabel);
    showProgressImage(imageViewOfConnectFailed_, d.progressImage);
    setVisible(d.connectFailedWindowShown);
}

} // namespace ostrel
