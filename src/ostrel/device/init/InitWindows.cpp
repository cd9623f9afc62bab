#include "ostrel/device/init/InitWindows.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QVBoxLayout>

namespace ostrel {

InitSheet::InitSheet(const QString &skinKey, QWidget *parent) : QDialog(parent)
{
    setObjectName(skinKey);
    setWindowModality(Qt::WindowModal);
    setModal(false);
}

void InitSheet::beginSheetOn(QWidget *window)
{
    // A sheet that is already up stays where it is (the topmost sheet may be this one).
    const bool alreadyUp = isVisible();
    if (!alreadyUp && window != this && window != parentWidget())
        setParent(window, Qt::Sheet | Qt::Dialog);
    setWindowModality(Qt::WindowModal);
    if (!alreadyUp && window && window != this && window->isVisible()) {
        // A sheet hangs from the top of the window it belongs to, centred across it (so that an
        // alert centred on the window leaves it in sight).
        adjustSize();
        const QRect over = window->geometry();
        int top = over.top();
        if (auto *main = qobject_cast<QMainWindow *>(window); main && main->centralWidget())
            top = main->centralWidget()->mapToGlobal(QPoint(0, 0)).y(); // below the menus and toolbar
        move(over.center().x() - width() / 2, top);
    }
    show();
    raise();
    activateWindow();
}

void InitSheet::endSheet()
{
    hide();
}

void InitSheet::reject()
{
    if (onCancel)
        onCancel();
    else
        endSheet();
}

QWidget *topmostSheetOf(QWidget *window)
{
    QWidget *current = window;
    for (int depth = 0; current && depth < 64; ++depth) {
        QWidget *next = nullptr;
        const auto children = current->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        for (QWidget *child : children) {
            if (child->isWindow() && child->isVisible() && child->windowModality() == Qt::WindowModal) {
                next = child;
                break;
            }
        }
        if (!next)
            break;
        current = next;
    }
    return current;
}

namespace {
QLineEdit *secretField(const char *name, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setEchoMode(QLineEdit::Password);
    field->setMaxLength(16);
    return field;
}

QPushButton *button(const char *name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QHBoxLayout *buttonRow(QPushButton *cancel, QPushButton *ok)
{
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(cancel);
    row->addWidget(ok);
    return row;
}
} // namespace

PinWindow::PinWindow(QWidget *parent) : InitSheet(QStringLiteral("wndSettingEnablePin"), parent)
{
    setWindowTitle(QStringLiteral("Enter PIN"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    labelPinCode = new QLabel(QStringLiteral("PIN code:"), this);
    m_PinCode = secretField("textPinCodeInit", this);
    form->addRow(labelPinCode, m_PinCode);
    layout->addLayout(form);
    m_PinTimeLeft = new QLabel(this);
    m_PinTimeLeft->setObjectName(QStringLiteral("labelPinTimeLeft"));
    layout->addWidget(m_PinTimeLeft);
    btnSavePinNum_ = new QCheckBox(QStringLiteral("PIN Auto Validation"), this);
    btnSavePinNum_->setObjectName(QStringLiteral("btnInitSavePinNum"));
    layout->addWidget(btnSavePinNum_);
    btnCancel = button("btnPinCancel", QStringLiteral("Cancel"), this);
    btnOK = button("btnPinOK", QStringLiteral("OK"), this);
    btnOK->setDefault(true);
    layout->addLayout(buttonRow(btnCancel, btnOK));
}

PukWindow::PukWindow(QWidget *parent) : InitSheet(QStringLiteral("wndSettingPuk"), parent)
{
    setWindowTitle(QStringLiteral("Unlock PIN"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_PukCode = secretField("textPukCodeInit", this);
    m_NewPinCode = secretField("textNewPinCodeInit", this);
    m_RepNewPinCode = secretField("textRepNewPinCodeInit", this);
    form->addRow(QStringLiteral("PUK code:"), m_PukCode);
    form->addRow(QStringLiteral("New PIN:"), m_NewPinCode);
    form->addRow(QStringLiteral("Confirm new PIN:"), m_RepNewPinCode);
    layout->addLayout(form);
    m_PukTimeLeft = new QLabel(this);
    m_PukTimeLeft->setObjectName(QStringLiteral("labelPukTimeLeft"));
    layout->addWidget(m_PukTimeLeft);
    btnCancel = button("btnPukCancel", QStringLiteral("Cancel"), this);
    btnOK = button("btnPukOK", QStringLiteral("OK"), this);
    btnOK->setDefault(true);
    layout->addLayout(buttonRow(btnCancel, btnOK));
}

ReAlertWindow::ReAlertWindow(QWidget *parent) : InitSheet(QStringLiteral("wndReAlertToCancelPinInput"), parent)
{
    auto *layout = new QVBoxLayout(this);
    labelMessage = new QLabel(this);
    labelMessage->setWordWrap(true);
    layout->addWidget(labelMessage);
    btnNO = button("btnReAlertNO", QStringLiteral("NO"), this);
    btnYES = button("btnReAlertYES", QStringLiteral("YES"), this);
    layout->addLayout(buttonRow(btnNO, btnYES));
}

SimCardUpdateWindow::SimCardUpdateWindow(QWidget *parent) : InitSheet(QStringLiteral("wndSimCardUpdate"), parent)
{
    auto *layout = new QVBoxLayout(this);
    labelSimCardUpdate_ = new QLabel(this);
    labelSimCardUpdate_->setObjectName(QStringLiteral("labelSimCardUpdate"));
    labelSimCardUpdate_->setWordWrap(true);
    layout->addWidget(labelSimCardUpdate_);
}

WhiteListCheckWindow::WhiteListCheckWindow(QWidget *parent) : InitSheet(QStringLiteral("winD3uWhiteCheck"), parent)
{
    auto *layout = new QVBoxLayout(this);
    tfdD3uRoamInWhiteList_ = new QLabel(this);
    tfdD3uRoamInWhiteList_->setObjectName(QStringLiteral("tfdD3uRoamInWhiteList_"));
    tfdD3uRoamInWhiteList_->setWordWrap(true);
    layout->addWidget(tfdD3uRoamInWhiteList_);
    tfdD3uRemindNextConnect_ = new QLabel(this);
    tfdD3uRemindNextConnect_->setObjectName(QStringLiteral("tfdD3uRemindNextConnect_"));
    tfdD3uRemindNextConnect_->setWordWrap(true);
    checkboxD3uWhiteCheck_ = new QCheckBox(this);
    checkboxD3uWhiteCheck_->setObjectName(QStringLiteral("checkboxD3uWhiteCheck_"));
    auto *remind = new QHBoxLayout;
    remind->addWidget(checkboxD3uWhiteCheck_);
    remind->addWidget(tfdD3uRemindNextConnect_, 1);
    layout->addLayout(remind);
    btnD3uWhiteCheck_ = button("btnD3uWhiteCheck_", QStringLiteral("OK"), this);
    btnD3uWhiteCheck_->setDefault(true);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(btnD3uWhiteCheck_);
    layout->addLayout(row);
}

UnlockDeviceWindow::UnlockDeviceWindow(QWidget *parent) : InitSheet(QStringLiteral("wndUnlockDevice"), parent)
{
    setWindowTitle(QStringLiteral("Unlock device"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    labelUnlockDeviceCode_ = new QLabel(QStringLiteral("Unlock code:"), this);
    labelUnlockDeviceCode_->setObjectName(QStringLiteral("labelUnlockDeviceCodeInit"));
    tfdUnlockDeviceCode_ = secretField("textUnlockDeviceCodeInit", this);
    form->addRow(labelUnlockDeviceCode_, tfdUnlockDeviceCode_);
    layout->addLayout(form);
    labelUnlockDeviceCount_ = new QLabel(this);
    labelUnlockDeviceCount_->setObjectName(QStringLiteral("labelUnlockDeviceCountInit"));
    layout->addWidget(labelUnlockDeviceCount_);
    btnUnlockDeviceCancel_ = button("btnUnlockDeviceCancelInit", QStringLiteral("Cancel"), this);
    btnUnlockDeviceOK_ = button("btnUnlockDeviceOKInit", QStringLiteral("OK"), this);
    btnUnlockDeviceOK_->setDefault(true);
    layout->addLayout(buttonRow(btnUnlockDeviceCancel_, btnUnlockDeviceOK_));
}

} // namespace ostrel
