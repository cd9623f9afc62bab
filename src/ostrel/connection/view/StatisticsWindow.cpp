#include "ostrel/connection/view/StatisticsWindow.h"

#include "ostrel/connection/dial/DialController.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace ostrel {

StatisticsWindow::StatisticsWindow(DialController *controller, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("wndStatisticsWin_"));
    setWindowTitle(controller->localizedText(QStringLiteral("Statistics")));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    auto row = [&](const char *caption, QLabel *&label) {
        label = new QLabel(this);
        form->addRow(controller->localizedText(QLatin1String(caption)) + QLatin1Char(':'), label);
    };
    row("Duration", tfdDisplayDuration_);
    row("Upload", tfdDisplayUpData_);
    row("Download", tfdDisplayDownData_);
    row("Total", tfdDisplayTotalData_);
    layout->addLayout(form);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *close = buttons->addButton(controller->localizedText(QStringLiteral("OK")), QDialogButtonBox::AcceptRole);
    connect(close, &QPushButton::clicked, this, &StatisticsWindow::closeStatisticsWin);
    layout->addWidget(buttons);
}

void StatisticsWindow::showStatistics(const QString &duration, const QString &sent, const QString &received,
                                      const QString &total)
{
    tfdDisplayDuration_->setText(duration);
    tfdDisplayUpData_->setText(sent);
    tfdDisplayDownData_->setText(received);
    tfdDisplayTotalData_->setText(total);
    show();
    raise();
}

} // namespace ostrel
