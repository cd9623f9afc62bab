#include "ostrel/connection/view/CredentialsSheet.h"

#include "ostrel/connection/dial/DialController.h"
#include "ostrel/connection/profile/ProfileInput.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ostrel {

CredentialsSheet::CredentialsSheet(DialController *controller, QWidget *parent)
    : QDialog(parent), controller_(controller)
{
    setObjectName(QStringLiteral("checkUernameWin_"));
    setWindowModality(Qt::WindowModal);
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    const auto field = [this](const char *name, bool secret) {
        auto *f = new QLineEdit(this);
        f->setObjectName(QLatin1String(name));
        if (secret)
            f->setEchoMode(QLineEdit::Password);
        connect(f, &QLineEdit::textEdited, this, [this, f] { filterField(f); });
        return f;
    };
    winUernameLabel_ = new QLabel(this);
    winUernameLabel_->setObjectName(QStringLiteral("winUernameLabel_"));
    winUernameText_ = field("winUernameText_", false);
    form->addRow(winUernameLabel_, winUernameText_);
    winPasswordLabel_ = new QLabel(this);
    winPasswordLabel_->setObjectName(QStringLiteral("winPasswordLabel_"));
    winPasswordText_ = field("winPasswordText_", true);
    form->addRow(winPasswordLabel_, winPasswordText_);
    layout->addLayout(form);
    winAskUsernameCheck_ = new QCheckBox(this);
    winAskUsernameCheck_->setObjectName(QStringLiteral("winAskUsernameCheck_"));
    layout->addWidget(winAskUsernameCheck_);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    askWinCancel_ = new QPushButton(this);
    askWinCancel_->setObjectName(QStringLiteral("askWinCancel_"));
    askWinOK_ = new QPushButton(this);
    askWinOK_->setObjectName(QStringLiteral("askWinOK_"));
    askWinOK_->setDefault(true);
    row->addWidget(askWinCancel_);
    row->addWidget(askWinOK_);
    layout->addLayout(row);
    connect(askWinOK_, &QPushButton::clicked, this, &CredentialsSheet::checkWindowOK);
    connect(askWinCancel_, &QPushButton::clicked, this, &CredentialsSheet::reject);
    updateLanguages();
}

void CredentialsSheet::updateLanguages()
{
    const auto t = [this](const char *s) { return controller_->localizedText(QLatin1String(s)); };
    winUernameLabel_->setText(t("UserName:"));
    winPasswordLabel_->setText(t("Password:"));
    winAskUsernameCheck_->setText(t("Save Username and Password"));
    askWinOK_->setText(t("OK"));
    askWinCancel_->setText(t("Cancel"));
}

void CredentialsSheet::filterField(QLineEdit *field)
{
    const QString filtered = filterAccountText(field->text(), controller_->profiles().settings().passwordLimitLen);
    if (filtered != field->text())
        field->setText(filtered);
}

void CredentialsSheet::beginSheet(const QString &userName, const QString &password, bool save)
{
    winUernameText_->setText(userName);
    winPasswordText_->setText(password);
    filterField(winUernameText_);
    filterField(winPasswordText_);
    winAskUsernameCheck_->setChecked(save);
    winUernameText_->setFocus();
    open();
}

void CredentialsSheet::checkWindowOK()
{
    hide();
    controller_->checkWindowOK(winUernameText_->text(), winPasswordText_->text(), winAskUsernameCheck_->isChecked());
}

void CredentialsSheet::reject()
{
    QDialog::reject();
    controller_->checkWindowCancel();
}

} // namespace ostrel
