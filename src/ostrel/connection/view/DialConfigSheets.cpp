#include "ostrel/connection/view/DialConfigSheets.h"

#include "ostrel/connection/dial/DialController.h"
#include "ostrel/connection/profile/ProfileInput.h"
#include "ostrel/framework/widgets/IPAddressFormatter.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ostrel {

namespace {

const QString kDrawerItems = QStringLiteral("DrawerItems");

// A row of radio buttons, one per title (localised), ids 0, 1, ...; the first one checked.
QHBoxLayout *radioRow(QWidget *parent, QButtonGroup *group, std::initializer_list<const char *> titles,
                      const DialController *controller)
{
    auto *row = new QHBoxLayout;
    int id = 0;
    for (const char *title : titles) {
        auto *r = new QRadioButton(controller->localizedText(QLatin1String(title)), parent);
        group->addButton(r, id++);
        row->addWidget(r);
    }
    group->button(0)->setChecked(true);
    return row;
}

// Shown as they stand, but the user cannot change them (the browse panel is read only).
void makeReadOnly(QAbstractButton *button)
{
    button->setAttribute(Qt::WA_TransparentForMouseEvents);
    button->setFocusPolicy(Qt::NoFocus);
}

void selectRow(QButtonGroup *group, int id)
{
    if (QAbstractButton *b = group->button(id))
        b->setChecked(true);
}

// The dotted-IPv4 formatter for a typed address, without its completion: "1.2.3" stays as typed
// and is refused on OK instead of becoming another address than the one the user meant.
class TypedAddressFormatter final : public IPAddressFormatter {
public:
    using IPAddressFormatter::IPAddressFormatter;
    void fixup(QString &) const override {}
};

} // namespace

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
    table_->setTextElideMode(Qt::ElideRight);
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

    // The browse panel: the keys of the edit sheet, read only.
    browseView_ = new QWidget(this);
    auto *form = new QFormLayout(browseView_);
    auto caption = [this](const char *text) { return controller_->localizedText(QLatin1String(text)) + QLatin1Char(':'); };
    auto addField = [&](const char *captionText, const QString &key) {
        auto *f = new QLineEdit(browseView_);
        f->setReadOnly(true);
        form->addRow(caption(captionText), f);
        browseFields_.insert(key, f);
        return f;
    };
    auto addGroup = [&](const char *captionText, const QString &key, std::initializer_list<const char *> titles) {
        auto *group = new QButtonGroup(browseView_);
        form->addRow(caption(captionText), radioRow(browseView_, group, titles, controller_));
        for (QAbstractButton *b : group->buttons())
            makeReadOnly(b);
        browseGroups_.insert(key, group);
    };
    auto addCheck = [&](const char *title, const QString &key) {
        auto *box = new QCheckBox(controller_->localizedText(QLatin1String(title)), browseView_);
        makeReadOnly(box);
        form->addRow(QString(), box);
        browseChecks_.insert(key, box);
    };
    browseName_ = addField("Profile name", profilekey::provider);
    addField("Number", profilekey::telNumber);
    addCheck("Save user name and password", profilekey::saveUsernameFlag);
    if (controller_->profiles().settings().checkAPNAccount)
        addCheck("Ask for user name and password before connecting", profilekey::askUsernameFlag);
    addField("User name", profilekey::accountName);
    addField("Password", profilekey::password)->setEchoMode(QLineEdit::Password);
    addGroup("APN", profilekey::apnFlag, {"Obtain automatically", "Static"});
    addField("APN", profilekey::apnName);
    addGroup("DNS", profilekey::dnsFlag, {"Obtain automatically", "Static"});
    addField("Preferred DNS", profilekey::preDns);
    addField("Alternate DNS", profilekey::altDns);
    addGroup("PDP address", profilekey::pdpFlag, {"Dynamic", "Static"});
    addField("PDP address", profilekey::pdpAddress);
    addGroup("Authentication", profilekey::pppFlag, {"PAP", "CHAP"});
    addField("IPv6 APN", profilekey::IPv6ApnName);
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
    // However the sheet closes, the drawer items take input again.
    connect(this, &QDialog::finished, this, [this] { controller_->setDynamicControllersEnabledByKey(kDrawerItems, true); });
    reloadTable();
}

std::optional<int> DialConfigManagementSheet::selectedRow() const
{
    const int row = table_->currentRow();
    if (row < 0 || row >= controller_->profiles().count())
        return std::nullopt;
    return row;
}

QLineEdit *DialConfigManagementSheet::browseField(const QString &key) const { return browseFields_.value(key); }
QButtonGroup *DialConfigManagementSheet::browseGroup(const QString &key) const { return browseGroups_.value(key); }
QCheckBox *DialConfigManagementSheet::browseCheckBox(const QString &key) const { return browseChecks_.value(key); }

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
    const DialConfigList &list = controller_->profiles();
    QVariantMap p;
    if (row)
        p = createSafeDialConfig(list.profileAt(*row).value_or(QVariantMap()), list.isSupportDoblePdpSettings());
    for (auto it = browseFields_.cbegin(); it != browseFields_.cend(); ++it)
        it.value()->setText(getSafeDialStrParas(p, it.key()));
    browseName_->setText(row ? list.shownName(p) : QString());
    for (auto it = browseGroups_.cbegin(); it != browseGroups_.cend(); ++it)
        selectRow(it.value(), getSafeDialNumParas(p, it.key()));
    for (auto it = browseChecks_.cbegin(); it != browseChecks_.cend(); ++it)
        it.value()->setChecked(getSafeDialNumParas(p, it.key()) != 0);
}

void DialConfigManagementSheet::popUpDialConfigWindow()
{
    reloadTable();
    if (browseOpen_)
        browseDialConfigSettings();
    open();
    controller_->setDynamicControllersEnabledByKey(kDrawerItems, false);
}

void DialConfigManagementSheet::AddAPNInfo()
{
    bool saved = false;
    NewProfileOptions options;
    options.askUsernameFeature = controller_->profiles().settings().checkAPNAccount;
    const int index = controller_->profiles().addProfile(options, &saved);
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
    // The wider sheet stays on the screen.
    if (QScreen *shown = screen()) {
        const QRect room = shown->availableGeometry();
        const int over = frameGeometry().right() - room.right();
        if (over > 0)
            move(qMax(room.left(), x() - over), y());
    }
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
        return radioRow(this, group, titles, controller_);
    };
    nameField = new QLineEdit(this);
    nameField->setMaxLength(kProfileNameMaxLength);
    numberField = new QLineEdit(this);
    saveUsername = new QCheckBox(t("Save user name and password"), this);
    if (controller_->profiles().settings().checkAPNAccount)
        askUsername = new QCheckBox(t("Ask for user name and password before connecting"), this);
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
    if (askUsername)
        form->addRow(QString(), askUsername);
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
    const ProfileEdit e =
        editValuesOf(profile, list.shownName(profile), askUsername != nullptr, false, list.isSupportDoblePdpSettings());
    const QSignalBlocker blockSave(saveUsername);
    nameField->setText(e.provider);
    numberField->setText(e.telNumber);
    saveUsername->setChecked(e.saveUsernameFlag != 0);
    if (askUsername)
        askUsername->setChecked(e.askUsernameFlag.value_or(0) != 0);
    userField->setText(e.accountName);
    passwordField->setText(e.password);
    apnField->setText(e.apnName);
    preDnsField->setText(e.preDns);
    altDnsField->setText(e.altDns);
    pdpAddressField->setText(e.pdpAddress);
    selectRow(apnGroup, e.apnFlag);
    selectRow(dnsGroup, e.dnsFlag);
    selectRow(pdpGroup, e.pdpFlag);
    selectRow(authGroup, e.pppFlag);
    for (QLineEdit *address : {preDnsField, altDnsField, pdpAddressField})
        setAddressFormatter(address, false);

    // An operator's default profile whose provider is listed opens in the restricted mode.
    controls_ = editSheetControlStates(list.checkProviderIsEditable(row), list.settings().apnNameAndAuthModemForConfigEnable);
    const std::pair<QWidget *, bool> states[] = {
        {nameField, controls_.name},         {numberField, controls_.number},   {saveUsername, controls_.saveUsername},
        {askUsername, controls_.ask},        {userField, controls_.user},       {passwordField, controls_.password},
        {apnField, controls_.apn},           {preDnsField, controls_.dns},      {altDnsField, controls_.dns},
        {pdpAddressField, controls_.pdpAddress},
    };
    for (const auto &[widget, enabled] : states)
        if (widget)
            widget->setEnabled(enabled);
    const std::pair<QButtonGroup *, bool> groups[] = {
        {apnGroup, controls_.apnGroup}, {dnsGroup, controls_.dnsGroup}, {pdpGroup, controls_.pdpGroup},
        {authGroup, controls_.authGroup}};
    for (const auto &[group, enabled] : groups)
        for (QAbstractButton *b : group->buttons())
            b->setEnabled(enabled);
    followControls();
}

void DialConfigEditSheet::setAddressFormatter(QLineEdit *field, bool attach)
{
    if (!attach) {
        field->setValidator(nullptr);
        return;
    }
    if (!field->validator())
        field->setValidator(new TypedAddressFormatter(field));
}

void DialConfigEditSheet::followControls()
{
    if (controls_.saveUsername) {
        const bool account = saveUsername->isChecked();
        userField->setEnabled(account);
        passwordField->setEnabled(account);
        if (!account) {
            userField->clear();
            passwordField->clear();
        }
    }
    if (controls_.apnGroup) {
        const bool apn = apnGroup->checkedId() == 1;
        apnField->setEnabled(apn);
        if (!apn)
            apnField->clear();
    }
    if (controls_.dnsGroup) {
        const bool dns = dnsGroup->checkedId() == 1;
        preDnsField->setEnabled(dns);
        altDnsField->setEnabled(dns);
        if (!dns) {
            preDnsField->clear();
            altDnsField->clear();
        }
        const bool bothEmpty = preDnsField->text().isEmpty() && altDnsField->text().isEmpty();
        setAddressFormatter(preDnsField, dns && (bothEmpty || preDnsField->validator()));
        setAddressFormatter(altDnsField, dns && (bothEmpty || altDnsField->validator()));
    }
    if (controls_.pdpGroup) {
        const bool pdp = pdpGroup->checkedId() == 1;
        pdpAddressField->setEnabled(pdp);
        if (!pdp)
            pdpAddressField->clear();
        setAddressFormatter(pdpAddressField, pdp && (pdpAddressField->text().isEmpty() || pdpAddressField->validator()));
    }
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
    if (askUsername)
        e.askUsernameFlag = askUsername->isChecked() ? 1 : 0;
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
