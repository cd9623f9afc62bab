#include "ostrel/phonebook/page/UpdatePhonebookWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace ostrel {

UpdatePhonebookWindow::UpdatePhonebookWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("wndUpdatePhonebook"));
    setWindowModality(Qt::WindowModal);
    tfdMsg_ = new QLabel(this);
    tfdMsg_->setWordWrap(true);
    tfdMsg_->setMinimumWidth(320);
    piIndicator_ = new QProgressBar(this);
    piIndicator_->setTextVisible(false);
    btnOk_ = new QPushButton(QStringLiteral("OK"), this);
    btnOk_->setDefault(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tfdMsg_);
    layout->addWidget(piIndicator_);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk_);
    layout->addLayout(buttons);
    connect(btnOk_, &QPushButton::clicked, this, [this] { ok(); });
    setRunning(false);
    piIndicator_->hide();
}

void UpdatePhonebookWindow::applyWording(QString (*localized)(const QString &))
{
    btnOk_->setText(localized(QStringLiteral("OK")));
}

void UpdatePhonebookWindow::setMsg(const QString &message) { tfdMsg_->setText(message); }

QString UpdatePhonebookWindow::msg() const { return tfdMsg_->text(); }

void UpdatePhonebookWindow::setRunning(bool running)
{
    // A range of 0..0 is the indeterminate bar; 0..1 at 0 stands still.
    piIndicator_->setRange(0, running ? 0 : 1);
    piIndicator_->setValue(0);
}

void UpdatePhonebookWindow::beginToCheckUpdate(QWidget *parent)
{
    btnOk_->hide();
    setRunning(true);
    piIndicator_->show();
    if (parent) {
        if (parentWidget() != parent)
            setParent(parent, windowFlags());
        show();
        raise();
    }
}

void UpdatePhonebookWindow::showResult(const QString &message)
{
    setMsg(message);
    btnOk_->show();
    setRunning(false);
    piIndicator_->hide();
    if (!isVisible() && parentWidget())
        show();
}

void UpdatePhonebookWindow::endModalWindow()
{
    btnOk_->show();
    setRunning(false);
    hide();
}

} // namespace ostrel
