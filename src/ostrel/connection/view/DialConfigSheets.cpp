#include "ostrel/connection/view/DialConfigSheets.h"

#include "ostrel/connection/dial/DialController.h"
#include "ostrel/connection/profile/ProfileInput.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ostrel {

// ---- management sheet --------------------------------------------------------------------------

DialConfigManagementSheet::DialConfigManagementSheet(DialController *controller, QWidget *parent)
    : QDialog(parent), controller_(controller)
{
    setObjectName(QStringLiteral("wndDialConfig"));
    setWindowModality(Qt::WindowModal);
    setWindowTitle(controller_->localizedText(QStringLiteral("Edit Configuration")));
    auto *outer = new QHBoxLayout(this);

    auto *left = new QVBoxLayout;
    table_ = new QListWidget(this);
    table_->setObjectName(QStringLiteral("tableDialConfig"));
    left->addWidget(table_);
    auto *buttons = new QHBoxLayout;
    auto make = [&](const char *title) {
        auto *b = new QPushButton(controller_->localizedText(QLatin1String(title)), this);
        buttons->addWidget(b);
        return b;
    };
    QPushButton *add = make("Add");
    delete_ = make("Delete");
    edit_ = make("Edit");
    browse_ = make("Browse");
    QPushButton *close = make("Close");
    left->addLayout(buttons);
    outer->addLayout(left, 1);

    browseView_ = new QWidget(this);
    auto *form = new QFormLayout(browseView_);
    for (const char *caption : {"Profile name", "Number", "User name", "APN", "Preferred DNS", "Alternate DNS",
                                "PDP address", "IPv6 APN"}) {
        auto *f = new QLineEdit(browseView_);
        f->setReadOnly(true);
        form->addRow(controller_->localizedText(QLatin1String(caption)) + QLatin1Char(':'), f);
        browseFields_.append(f);
    }
    browseView_->hide();
    outer->addWidget(browseView_);

    connect(add, &QPushButton::clicked, this, &DialConfigManagementSheet::AddAPNInfo);
    connect(delete_, &QPushButton::clicked, this, &DialConfigManagementSheet::DelAPNInfo);
    connect(edit_, &QPushButton::clicked, this, &DialConfigManagementSheet::editDialConfigSettings);
    connect(browse_, &QPushButton::clicked, this, &DialConfigManagementSheet::browseDialConfigSettings);
    connect(close, &QPushButton::clicked, this, &DialConfigManagementSheet::closeDialConfigSettings);
    connect(table_, &QListWidget::currentRowChanged, this, [this] {
        setEidtStatusAtRow();
        fillBrowse();
    });
    reloadTable();
}

std::optional<int> DialConfigManagementSheet::selectedRow() const
{
    const int row = table_->currentRow();
    if (row < 0 || row >= controller_->profiles().count())
        return std::nullopt;
    return row;
}

void DialConfigManagementSheet::reloadTable()
{
    const std::optional<int> keep = selectedRow();
    const QSignalBlocker blocker(table_);
    table_->clear();
    const DialConfigList &list = controller_->profiles();
    for (int row = 0; row < list.count(); ++row)
        table_->addItem(list.tableRowText(row));
    if (keep && *keep < list.count())
        table_->setCurrentRow(*keep);
    setEidtStatusAtRow();
    fillBrowse();
}

void DialConfigManagementSheet::setEidtStatusAtRow()
{
    const ProfileButtons b = controller_->profiles().buttonsForRow(selectedRow());
    edit_->setEnabled(b.edit);
    delete_->setEnabled(b.del);
    browse_->setEnabled(b.browse);
}

void DialConfigManagementSheet::fillBrowse()
{
    const std::optional<int> row = selectedRow();
    QVariantMap p;
    if (row)
        p = createSafeDialConfig(controller_->profiles().profileAt(*row).value_or(QVariantMap()),
                                 controller_->profiles().isSupportDoblePdpSettings());
    const QStringList keys{profilekey::telNumber, profilekey::accountName, profilekey::apnName, profilekey::preDns,
                           profilekey::altDns,    profilekey::pdpAddress,  profilekey::IPv6ApnName};
    browseFields_[0]->setText(row ? controller_->profiles().shownName(p) : QString());
    for (int i = 0; i < keys.size(); ++i)
        browseFields_[i + 1]->setText(getSafeDialStrParas(p, keys[i]));
}

void DialConfigManagementSheet::popUpDialConfigWindow()
{
    reloadTable();
    if (browseOpen_)
        browseDialConfigSettings();
    open();
}

void DialConfigManagementSheet::AddAPNInfo()
{
    bool saved = false;
    const int index = controller_->profiles().addProfile(NewProfileOptions{}, &saved);
    if (!saved)
        controller_->runAlert(QStringLiteral("Warning"), QStringLiteral("The profiles could not be saved."));
    reloadTable();
    table_->setCurrentRow(index);
    emit controller_->profilesChanged();
}

void DialConfigManagementSheet::DelAPNInfo()
{
    int answer = 0;
    controller_->runAlert(QStringLiteral("Warning"), QStringLiteral("Delete item?"), QStringLiteral("OK"),
                          QStringLiteral("Cancel"), &answer);
    if (answer != 1)
        return;
    if (!controller_->profiles().deleteProfile(selectedRow()))
        controller_->runAlert(QStringLiteral("Warning"), QStringLiteral("The profiles could not be saved."));
    reloadTable();
    emit controller_->profilesChanged();
}

void DialConfigManagementSheet::editDialConfigSettings()
{
    const std::optional<int> row = selectedRow();
    if (!row)
        return;
    if (browseOpen_)
        browseDialConfigSettings();
    if (!editSheet_) {
        editSheet_ = new DialConfigEditSheet(controller_, this);
        connect(editSheet_, &DialConfigEditSheet::saved, this, [this] {
            reloadTable();
            emit controller_->profilesChanged();
        });
    }
    editSheet_->setEditWinValue(*row);
    editSheet_->open();
}

void DialConfigManagementSheet::browseDialConfigSettings()
{
    browseOpen_ = !browseOpen_;
    browseView_->setVisible(browseOpen_);
    adjustSize();
}

void DialConfigManagementSheet::closeDialConfigSettings()
{
    bool saved = false;
    const int item = controller_->profiles().closeManagementSheet(&saved);
    if (!saved)
        controller_->runAlert(QStringLiteral("Warning"), QStringLiteral("The profiles could not be saved."));
    accept();
    controller_->dialConfigListSelectItemAtIndex(item);
}

// ---- edit sheet --------------------------------------------------------------------------------

DialConfigEditSheet::DialConfigEditSheet(DialController *controller, QWidget *parent)
    : QDialog(parent), controller_(controller)
{
    setObjectName(QStringLiteral("wndEditDialConfig"));
    setWindowModality(Qt::WindowModal);
    auto t = [this](const char *s) { return controller_->localizedText(QLatin1String(s)); };
    setWindowTitle(t("Edit Configuration"));
    auto *form = new QFormLayout(this);
    auto radios = [&](QButtonGroup *&group, std::initializer_list<const char *> titles) {
        group = new QButtonGroup(this);
        auto *row = new QHBoxLayout;
        int id = 0;
        for (const char *title : titles) {
            auto *r = new QRadioButton(t(title), this);
            group->addButton(r, id++);
            row->addWidget(r);
        }
        group->button(0)->setChecked(true);
        return row;
    };
    nameField = new QLineEdit(this);
    numberField = new QLineEdit(this);
    saveUsername = new QCheckBox(t("Save user name and password"), this);
    userField = new QLineEdit(this);
    passwordField = new QLineEdit(this);
    passwordField->setEchoMode(QLineEdit::Password);
    apnField = new QLineEdit(this);
    preDnsField = new QLineEdit(this);
    altDnsField = new QLineEdit(this);
    pdpAddressField = new QLineEdit(this);
    form->addRow(t("Profile name") + QLatin1Char(':'), nameField);
    form->addRow(t("Number") + QLatin1Char(':'), numberField);
    form->addRow(QString(), saveUsername);
    form->addRow(t("User name") + QLatin1Char(':'), userField);
    form->addRow(t("Password") + QLatin1Char(':'), passwordField);
    form->addRow(t("APN") + QLatin1Char(':'), radios(apnGroup, {"Obtain automatically", "Static"}));
    form->addRow(QString(), apnField);
    form->addRow(t("DNS") + QLatin1Char(':'), radios(dnsGroup, {"Obtain automatically", "Static"}));
    form->addRow(t("Preferred DNS") + QLatin1Char(':'), preDnsField);
    form->addRow(t("Alternate DNS") + QLatin1Char(':'), altDnsField);
    form->addRow(t("PDP address") + QLatin1Char(':'), radios(pdpGroup, {"Dynamic", "Static"}));
    form->addRow(QString(), pdpAddressField);
    form->addRow(t("Authentication") + QLatin1Char(':'), radios(authGroup, {"PAP", "CHAP"}));
    auto *buttons = new QHBoxLayout;
    auto *ok = new QPushButton(t("OK"), this);
    auto *cancel = new QPushButton(t("Cancel"), this);
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    form->addRow(buttons);
    connect(ok, &QPushButton::clicked, this, &DialConfigEditSheet::editWindowOK);
    connect(cancel, &QPushButton::clicked, this, &DialConfigEditSheet::editWindowCancel);
    for (QButtonGroup *g : {apnGroup, dnsGroup, pdpGroup})
        connect(g, &QButtonGroup::idClicked, this, &DialConfigEditSheet::followControls);
    connect(saveUsername, &QCheckBox::toggled, this, &DialConfigEditSheet::followControls);
    for (QLineEdit *f : {numberField, apnField, userField, passwordField})
        connect(f, &QLineEdit::textEdited, this, &DialConfigEditSheet::filterTexts);
}

void DialConfigEditSheet::setEditWinValue(int row)
{
    row_ = row;
    DialConfigList &list = controller_->profiles();
    const QVariantMap profile = list.profileAt(row).value_or(QVariantMap());
    const ProfileEdit e = editValuesOf(profile, list.shownName(profile), false, false, list.isSupportDoblePdpSettings());
    nameField->setText(e.provider);
    numberField->setText(e.telNumber);
    saveUsername->setChecked(e.saveUsernameFlag != 0);
    userField->setText(e.accountName);
    passwordField->setText(e.password);
    apnField->setText(e.apnName);
    preDnsField->setText(e.preDns);
    altDnsField->setText(e.altDns);
    pdpAddressField->setText(e.pdpAddress);
    auto select = [](QButtonGroup *g, int id) {
        if (QAbstractButton *b = g->button(id))
            b->setChecked(true);
    };
    select(apnGroup, e.apnFlag);
    select(dnsGroup, e.dnsFlag);
    select(pdpGroup, e.pdpFlag);
    select(authGroup, e.pppFlag);
    followControls();
}

void DialConfigEditSheet::followControls()
{
    const bool account = saveUsername->isChecked();
    userField->setEnabled(account);
    passwordField->setEnabled(account);
    if (!account) {
        userField->clear();
        passwordField->clear();
    }
    const bool apn = apnGroup->checkedId() == 1;
    apnField->setEnabled(apn);
    if (!apn)
        apnField->clear();
    const bool dns = dnsGroup->checkedId() == 1;
    preDnsField->setEnabled(dns);
    altDnsField->setEnabled(dns);
    if (!dns) {
        preDnsField->clear();
        altDnsField->clear();
    }
    const bool pdp = pdpGroup->checkedId() == 1;
    pdpAddressField->setEnabled(pdp);
    if (!pdp)
        pdpAddressField->clear();
}

void DialConfigEditSheet::filterTexts()
{
    const int limit = controller_->profiles().settings().passwordLimitLen;
    auto apply = [](QLineEdit *f, const QString &filtered) {
        if (f->text() != filtered)
            f->setText(filtered);
    };
    apply(numberField, filterDialNumber(numberField->text()));
    apply(apnField, filterApn(apnField->text()));
    apply(userField, filterAccountText(userField->text(), limit));
    apply(passwordField, filterAccountText(passwordField->text(), limit));
}

ProfileEdit DialConfigEditSheet::values() const
{
    ProfileEdit e;
    e.provider = nameField->text();
    e.telNumber = numberField->text();
    e.saveUsernameFlag = saveUsername->isChecked() ? 1 : 0;
    e.accountName = userField->text();
    e.password = passwordField->text();
    e.apnFlag = apnGroup->checkedId();
    e.apnName = apnField->text();
    e.dnsFlag = dnsGroup->checkedId();
    e.preDns = preDnsField->text();
    e.altDns = altDnsField->text();
    e.pdpFlag = pdpGroup->checkedId();
    e.pdpAddress = pdpAddressField->text();
    e.pppFlag = authGroup->checkedId();
    return e;
}

bool DialConfigEditSheet::editWindowOK()
{
    bool written = false;
    const ProfileCheck check = controller_->profiles().saveProfile(row_, values(), &written);
    if (check != ProfileCheck::Valid) {
        controller_->runAlert(QStringLiteral("Warning"), profileCheckMessage(check));
        return false;
    }
    if (!written)
        controller_->runAlert(QStringLiteral("Warning"), QStringLiteral("The profiles could not be saved."));
    accept();
    emit saved();
    return true;
}

} // namespace ostrel
