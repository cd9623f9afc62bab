#include "platform/alert/AlertPresenter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAtomicPointer>
#include <QMessageBox>
#include <QPushButton>

namespace yov {

namespace {
QAtomicPointer<AlertPresenter> g_presenter;

SystemAlertPresenter &systemPresenter()
{
    static SystemAlertPresenter presenter;
    return presenter;
}
} // namespace

AlertPresenter &AlertPresenter::shared()
{
    if (AlertPresenter *p = g_presenter.loadAcquire())
        return *p;
    return systemPresenter();
}

void AlertPresenter::setShared(AlertPresenter *presenter)
{
    g_presenter.storeRelease(presenter);
}

int SystemAlertPresenter::runAlert(const AlertRequest &request)
{
    QMessageBox box(QApplication::activeWindow());
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(request.title);
    box.setTextFormat(Qt::PlainText);
    box.setText(request.message);
    QPushButton *defaultButton = box.addButton(
        request.defaultButton.isEmpty() ? QStringLiteral("OK") : request.defaultButton, QMessageBox::AcceptRole);
    QPushButton *alternateButton = nullptr;
    if (!request.alternateButton.isEmpty())
        alternateButton = box.addButton(request.alternateButton, QMessageBox::RejectRole);
    box.setDefaultButton(defaultButton);
    box.setEscapeButton(alternateButton ? static_cast<QAbstractButton *>(alternateButton)
                                        : static_cast<QAbstractButton *>(defaultButton));
    box.exec();
    return box.clickedButton() == alternateButton && alternateButton ? AlternateReturn : DefaultReturn;
}

ScopedAlertPresenter::ScopedAlertPresenter(AlertPresenter *presenter)
    : previous_(g_presenter.loadAcquire())
{
    AlertPresenter::setShared(presenter);
}

ScopedAlertPresenter::~ScopedAlertPresenter()
{
    AlertPresenter::setShared(previous_);
}

} // namespace yov
