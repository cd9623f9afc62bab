#include "ostrel/connection/view/ConnectWarningSheet.h"

#include "ostrel/connection/dial/DialController.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ostrel {

ConnectWarningSheet::ConnectWarningSheet(DialController *controller, QWidget *parent)
    : QDialog(parent), controller_(controller)
{
    setObjectName(QStringLiteral("wndConnectWarning_"));
    setWindowModality(Qt::WindowModal);
    setWindowTitle(controller->localizedText(QStringLiteral("Warning")));
    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(controller->localizedText(QStringLiteral("Do you want to establish a connection?")), this);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(controller->localizedText(QStringLiteral("OK")), QDialogButtonBox::AcceptRole);
    QPushButton *cancel =
        buttons->addButton(controller->localizedText(QStringLiteral("Cancel")), QDialogButtonBox::RejectRole);
    connect(ok, &QPushButton::clicked, this, &ConnectWarningSheet::connectWarningWinOKClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void ConnectWarningSheet::connectWarningWinOKClicked()
{
    accept();
    controller_->connectWarningWinOKClicked(DialController::DialSender::Other);
}

} // namespace ostrel
