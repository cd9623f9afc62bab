#include "platform/alert/AlertPresenter.h"

#include "platform/RecordDispatch.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAtomicPointer>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <memory>
#include <utility>

namespace yov {

namespace {
QAtomicPointer<AlertPresenter> g_presenter;

// A message box for the request; *alternate is its alternate button, or null.
QMessageBox *makeBox(const AlertRequest &request, QPushButton **alternate)
{
    auto *box = new QMessageBox(QApplication::activeWindow());
    box->setIcon(QMessageBox::Warning);
    box->setWindowTitle(request.title);
    box->setTextFormat(Qt::PlainText);
    box->setText(request.message);
    QPushButton *defaultButton = box->addButton(
        request.defaultButton.isEmpty() ? QStringLiteral("OK") : request.defaultButton, QMessageBox::AcceptRole);
    *alternate = nullptr;
    if (!request.alternateButton.isEmpty())
        *alternate = box->addButton(request.alternateButton, QMessageBox::RejectRole);
    box->setDefaultButton(defaultButton);
    box->setEscapeButton(*alternate ? static_cast<QAbstractButton *>(*alternate)
                                    : static_cast<QAbstractButton *>(defaultButton));
    return box;
}

int answerOf(const QMessageBox &box, const QPushButton *alternate)
{
    return alternate && box.clickedButton() == alternate ? AlertPresenter::AlternateReturn
                                                         : AlertPresenter::DefaultReturn;
}
} // namespace

int AlertPresenter::runAlert(const AlertRequest &request)
{
    RecordDispatchScope::warnNestedLoop(
        QStringLiteral("blocking alert \"%1\"").arg(request.title.isEmpty() ? request.message : request.title));
    return presentBlocking(request);
}

void AlertPresenter::showAlert(const AlertRequest &request, AlertAnswer onAnswer)
{
    presentNonBlocking(request, std::move(onAnswer));
}

AlertPresenter &AlertPresenter::shared()
{
    if (AlertPresenter *p = g_presenter.loadAcquire())
        return *p;
    return system();
}

void AlertPresenter::setShared(AlertPresenter *presenter)
{
    g_presenter.storeRelease(presenter);
}

AlertPresenter &AlertPresenter::system()
{
    static SystemAlertPresenter presenter;
    return presenter;
}

int SystemAlertPresenter::presentBlocking(const AlertRequest &request)
{
    QPushButton *alternate = nullptr;
    // Guarded: the box goes with its parent window should that close while the box is open.
    const QPointer<QMessageBox> box(makeBox(request, &alternate));
    box->exec();
    const int answer = box ? answerOf(*box, alternate) : DefaultReturn;
    delete box;
    return answer;
}

void SystemAlertPresenter::presentNonBlocking(const AlertRequest &request, AlertAnswer onAnswer)
{
    QPushButton *alternate = nullptr;
    QMessageBox *box = makeBox(request, &alternate);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    // Exactly one answer: from the button when the box finishes, else (the box went with the
    // window it belongs to) the closed answer, on the next turn of the event loop rather than from
    // inside that window's destruction.
    auto pending = std::make_shared<AlertAnswer>(onAnswer ? std::move(onAnswer) : AlertAnswer([](int) {}));
    const int closedAnswer = alternate ? AlternateReturn : DefaultReturn;
    QObject::connect(box, &QDialog::finished, box, [box, alternate, pending] {
        if (const AlertAnswer answer = std::exchange(*pending, nullptr))
            answer(answerOf(*box, alternate));
    });
    QObject::connect(box, &QObject::destroyed, QCoreApplication::instance(), [pending, closedAnswer] {
        if (!*pending)
            return;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [pending, closedAnswer] {
                if (const AlertAnswer answer = std::exchange(*pending, nullptr))
                    answer(closedAnswer);
            },
            Qt::QueuedConnection);
    });
    box->show();
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
