#include "ostrel/phonebook/page/PBUserWin.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ostrel {

namespace {

template <typename T>
T *named(T *control, const char *name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

} // namespace

PBUserWin::PBUserWin(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("pbUserwin"));
    auto *column = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    auto addRow = [this, form](QLineEdit *edit, const char *name, const char *label) {
        auto *text = new QLabel(this);
        labels_.append({text, QLatin1String(label)});
        form->addRow(text, named(edit, name));
        return text;
    };
    username = new QLineEdit(this);
    mobilephone = new QLineEdit(this);
    homephone = new QLineEdit(this);
    officephone = new QLineEdit(this);
    useremail = new QLineEdit(this);
    tfdUSerRemark_ = new QLineEdit(this);
    addRow(username, "tfPBUserName", "Name");
    addRow(mobilephone, "tfPBMobilePhone", "MobilePhone");
    addRow(homephone, "tfPBHomePhone", "HomePhone");
    addRow(officephone, "tfPBOfficePhone", "OfficePhone");
    addRow(useremail, "tfPBEmail", "EMail");
    tfdUSerRemarkLabel_ = addRow(tfdUSerRemark_, "tfPBRemark", "Remark");
    usergroup = named(new QComboBox(this), "popupPBUserGroup");
    usergrplabel = new QLabel(this);
    labels_.append({usergrplabel, QStringLiteral("Group")});
    form->addRow(usergrplabel, usergroup);
    column->addLayout(form);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    cancelButton = named(new QPushButton(this), "btnPBUserCancel");
    okButton = named(new QPushButton(this), "btnPBUserOK");
    okButton->setDefault(true);
    buttons->addWidget(cancelButton);
    buttons->addWidget(okButton);
    column->addLayout(buttons);

    connect(okButton, &QPushButton::clicked, this, &PBUserWin::okClicked);
    connect(cancelButton, &QPushButton::clicked, this, &PBUserWin::cancelClicked);
    connect(usergroup, &QComboBox::activated, this, &PBUserWin::groupSelected);
    applyWording([](const QString &english) { return english; });
}

QLineEdit *PBUserWin::field(ContactField which) const
{
    switch (which) {
    case ContactField::Name:
        return username;
    case ContactField::Mobile:
        return mobilephone;
    case ContactField::Home:
        return homephone;
    case ContactField::Office:
        return officephone;
    case ContactField::Email:
        return useremail;
    default:
        return nullptr;
    }
}

ContactFieldTexts PBUserWin::texts() const
{
    return {username->text(), mobilephone->text(), homephone->text(), officephone->text(), useremail->text()};
}

void PBUserWin::setTexts(const ContactFieldTexts &texts)
{
    for (ContactField f : {ContactField::Name, ContactField::Mobile, ContactField::Home, ContactField::Office, ContactField::Email})
        field(f)->setText(texts.of(f));
}

void PBUserWin::applyWording(const std::function<QString(const QString &)> &localized)
{
    for (const auto &[label, english] : labels_)
        if (label)
            label->setText(localized(english));
    okButton->setText(localized(QStringLiteral("OK")));
    cancelButton->setText(localized(QStringLiteral("Cancel")));
}

void PBUserWin::reject() { emit cancelClicked(); }

} // namespace ostrel
