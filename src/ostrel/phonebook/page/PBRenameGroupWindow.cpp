#include "ostrel/phonebook/page/PBRenameGroupWindow.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ostrel {

PBRenameGroupWindow::PBRenameGroupWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("wndRenameGroup"));
    auto *column = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    oldGroupNameField_ = new QLineEdit(this);
    oldGroupNameField_->setObjectName(QStringLiteral("tfPBOldGroupName"));
    oldGroupNameField_->setReadOnly(true);
    newGroupNameField_ = new QLineEdit(this);
    newGroupNameField_->setObjectName(QStringLiteral("tfPBNewGroupName"));
    form->addRow(oldGroupNameField_);
    form->addRow(newGroupNameField_);
    column->addLayout(form);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    renameGroupCancelBtn_ = new QPushButton(this);
    renameGroupCancelBtn_->setObjectName(QStringLiteral("btnPBRenameCancel"));
    renameGroupOkBtn_ = new QPushButton(this);
    renameGroupOkBtn_->setObjectName(QStringLiteral("btnPBRenameOK"));
    renameGroupOkBtn_->setDefault(true);
    buttons->addWidget(renameGroupCancelBtn_);
    buttons->addWidget(renameGroupOkBtn_);
    column->addLayout(buttons);
    connect(renameGroupOkBtn_, &QPushButton::clicked, this, &PBRenameGroupWindow::okClicked);
    connect(renameGroupCancelBtn_, &QPushButton::clicked, this, &PBRenameGroupWindow::cancelClicked);
}

} // namespace ostrel
