#include "ostrel/connection/view/DialConfigSheets.h"

#include "ostrel/connection/dial/DialController.h"
#include "ostrel/connection/profile/PdpTypeRules.h"
#include "ostrel/connection/profile/ProfileInput.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/IPAddressFormatter.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QTabWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QTabBar>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

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

// Selects the page of a tab view whose identifier (object name) is id; none such changes nothing.
void selectTabWithIdentifier(QTabWidget *view, const QString &id)
{
    for (int i = 0; i < view->count(); ++i)
        if (view->widget(i)->objectName() == id) {
            view->setCurrentIndex(i);
            return;
        }
}

// The form layout row of a field (a widget, or a row layout holding it) shown or hidden; the
// layout closes the gap of a hidden row.
void setFieldRowVisible(QWidget *field, bool visible)
{
    auto *form = field->parentWidget() ? qobject_cast<QFormLayout *>(field->parentWidget()->layout()) : nullptr;
    if (!form)
        return;
    for (int row = 0; row < form->rowCount(); ++row) {
        QLayoutItem *item = form->itemAt(row, QFormLayout::FieldRole);
        if (item && (item->widget() == field || (item->layout() && item->layout()->indexOf(field) >= 0)))
            form->setRowVisible(row, visible);
    }
}

} // namespace

// ---- PDP-type group ------------------------------------------------------------------------------

NSMatrix *makePdpTypeGroup(int rows, int columns, const DialController *controller, QWidget *parent)
{
    auto *group = new NSMatrix(rows, columns, parent);
    group->setObjectName(QStringLiteral("PDPTypeGroup"));
    // The captions in cell order (row by row); the codes behind them are the layout's.
    const std::initializer_list<const char *> four = {"IPv4", "PPP", "IPv4v6", "IPv6"};
    const std::initializer_list<const char *> three = {"IPv4", "IPv6", "IPv4v6"};
    for (const char *caption : rows * columns == 3 ? three : four)
        group->addCell(new QRadioButton(controller->localizedText(QLatin1String(caption)), group));
    return group;
}

int pdpTypeOfGroup(const NSMatrix *group)
{
    if (!group)
        return 0;
    const int index = group->cells().indexOf(group->selectedCell());
    if (index < 0)
        return getPDPType(group->rows(), group->columns(), std::nullopt);
    return getPDPType(group->rows(), group->columns(), MatrixCell{index / group->columns(), index % group->columns()});
}

void displayPdpTypeInGroup(NSMatrix *group, int type)
{
    if (!group)
        return;
    const std::optional<MatrixCell> cell = displayPDPCell(group->rows(), group->columns(), type);
    const QList<QAbstractButton *> cells = group->cells();
    if (!cell) {
        // Nothing selected: the exclusive group lets go of its cell only while not exclusive.
        if (QAbstractButton *checked = group->selectedCell()) {
            checked->group()->setExclusive(false);
            checked->setChecked(false);
            checked->group()->setExclusive(true);
        }
        return;
    }
    const int index = cell->row * group->columns() + cell->column;
    if (index < cells.size())
        cells.at(index)->setChecked(true);
}

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
    addGroup("IPv6 DNS", profilekey::IPv6DNSMode, {"Obtain automatically", "Static"});
    addField("IPv6 preferred DNS", profilekey::IPv6PrefDNS);
    addField("IPv6 alternate DNS", profilekey::IPv6AltDNS);
    // The same shape as the edit sheet's group.
    const bool threeChoices = controller_->forbidIpv6ApnWhileChooseRas();
    bPDPTypeGroup_ = makePdpTypeGroup(threeChoices ? 1 : 2, threeChoices ? 3 : 2, controller_, browseView_);
    bPDPTypeGroup_->setEnabled(false); // the browse panel only shows the type
    form->addRow(caption("PDP type"), bPDPTypeGroup_);
    bPDPTypeGroup_->setVisible(controller_->pdpTypeGroupShown());
    form->setRowVisible(bPDPTypeGroup_, controller_->pdpTypeGroupShown());
    browseForm_ = form;
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
    displayPdpTypeInGroup(bPDPTypeGroup_, getSafeDialNumParas(p, profilekey::pdpType));
    displyEditDialParamsForIPv6();
    applyWcdmaHidden();
}

void DialConfigManagementSheet::displyEditDialParamsForIPv6()
{
    const bool doublePdp = controller_->profiles().isSupportDoblePdpSettings();
    for (const QString &key : {profilekey::IPv6ApnName, profilekey::IPv6PrefDNS, profilekey::IPv6AltDNS})
        browseForm_->setRowVisible(browseFields_.value(key), doublePdp);
    setFieldRowVisible(browseGroups_.value(profilekey::IPv6DNSMode)->buttons().first(), doublePdp);
}

bool DialConfigManagementSheet::saveDialConfigForIPv6()
{
    const std::optional<int> row = selectedRow();
    if (!row || !controller_->profiles().isSupportDoblePdpSettings())
        return false;
    return controller_->profiles().saveDialConfigForIPv6(
        *row, browseFields_.value(profilekey::IPv6ApnName)->text(), browseFields_.value(profilekey::IPv6PrefDNS)->text(),
        browseFields_.value(profilekey::IPv6AltDNS)->text(),
        std::max(browseGroups_.value(profilekey::IPv6DNSMode)->checkedId(), 0));
}

void DialConfigManagementSheet::applyWcdmaHidden()
{
    const bool hidden = controller_->display().wcdmaConfigHidden;
    for (const QString &key : {profilekey::apnName, profilekey::preDns, profilekey::altDns, profilekey::pdpAddress})
        if (QLineEdit *f = browseFields_.value(key))
            browseForm_->setRowVisible(f, !hidden);
    for (const QString &key : {profilekey::apnFlag, profilekey::dnsFlag, profilekey::pdpFlag})
        if (QButtonGroup *g = browseGroups_.value(key); g && !g->buttons().isEmpty())
            for (int row = 0; row < browseForm_->rowCount(); ++row) {
                QLayoutItem *item = browseForm_->itemAt(row, QFormLayout::FieldRole);
                if (item && item->layout() && item->layout()->indexOf(g->buttons().first()) >= 0)
                    browseForm_->setRowVisible(row, !hidden);
            }
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
    nameField = new QLineEdit(this);
    nameField->setMaxLength(kProfileNameMaxLength);
    numberField = new QLineEdit(this);
    form->addRow(t("Profile name") + QLatin1Char(':'), nameField);
    form->addRow(t("Number") + QLatin1Char(':'), numberField);
    form_ = form;
    // The group's shape: one row of three cells where the IPv6 cells are restricted by the
    // connect type, else two rows of two; both windows use the same shape.
    ePDPTypeGroup_ = makePdpTypeGroup(2, 2, controller_, this);
    form->addRow(t("PDP type") + QLatin1Char(':'), ePDPTypeGroup_);
    checkSinglePdp_ = new QCheckBox(t("Single PDP"), this);
    form->addRow(QString(), checkSinglePdp_);

    tabviewApnSettings_ = new QTabWidget(this);
    tabviewApnSettings_->setObjectName(QStringLiteral("tabviewApnSettings_"));
    tabviewApnSettings_->setDocumentMode(true);
    for (const char *title : {"Common", "Advanced"}) {
        auto *strip = new QWidget(tabviewApnSettings_);
        strip->setObjectName(QLatin1String(title));
        strip->setFixedHeight(0);
        tabviewApnSettings_->addTab(strip, t(title));
    }
    tabviewApnSettings_->tabBar()->setFocusPolicy(Qt::NoFocus);
    tabviewApnSettings_->tabBar()->installEventFilter(this);
    form->addRow(tabviewApnSettings_);
    form->addRow(makeIPv4Settings());
    ipv6Settings = makeIPv6Settings();
    form->addRow(ipv6Settings);
    const bool shown = controller_->pdpTypeGroupShown();
    form->setRowVisible(ePDPTypeGroup_, shown);
    ePDPTypeGroup_->setEnabled(shown);
    const bool doublePdp = controller_->profiles().isSupportDoblePdpSettings();
    form->setRowVisible(checkSinglePdp_, doublePdp);
    form->setRowVisible(ipv6Settings, doublePdp);
    if (controller_->forbidIpv6ApnWhileChooseRas())
        setPdpTypeGroupShape(1, 3);
    else
        setPdpTypeGroupShape(2, 2);
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
    for (QLineEdit *f : {numberField, apnField, userField, passwordField, tfUsernameForIPv6_, tfPasswordForIPv6_,
                         tfApnIPv6_, tfPreferDNSIPv6_, tfAltDNSIPv6_})
        connect(f, &QLineEdit::textEdited, this, &DialConfigEditSheet::filterTexts);
    connect(apnGroup, &QButtonGroup::idClicked, this, &DialConfigEditSheet::pdpTypeSelect);
    connect(checkSinglePdp_, &QCheckBox::toggled, this, &DialConfigEditSheet::setUseSinglePdpForIPv6);
    connect(checkSavePasswordForIPv6_, &QCheckBox::toggled, this, &DialConfigEditSheet::saveAPNPasswordIPv6);
    connect(radioObtainApnIPv6_, &QButtonGroup::idClicked, this, &DialConfigEditSheet::selectObtainAPNTypeIPv6);
    connect(radioObtainPdpIPv6_, &QButtonGroup::idClicked, this, &DialConfigEditSheet::selectObtainPDPTypeIPv6);
    connect(radioObtainDNSIPv6_, &QButtonGroup::idClicked, this, &DialConfigEditSheet::selectObtainDNSTypeIPv6);
}

QWidget *DialConfigEditSheet::makeIPv4Settings()
{
    auto t = [this](const char *s) { return controller_->localizedText(QLatin1String(s)); };
    auto *box = new QGroupBox(t("IPv4"), this);
    auto *boxLayout = new QVBoxLayout(box);
    tabviewIpv4ApnConfig_ = new QTabWidget(box);
    tabviewIpv4ApnConfig_->setObjectName(QStringLiteral("tabviewIpv4ApnConfig_"));
    tabviewIpv4ApnConfig_->tabBar()->hide(); // the APN settings strip switches it
    boxLayout->addWidget(tabviewIpv4ApnConfig_);
    auto radios = [&](QWidget *parent, QButtonGroup *&group, std::initializer_list<const char *> titles) {
        group = new QButtonGroup(this);
        return radioRow(parent, group, titles, controller_);
    };
    auto *common = new QWidget(tabviewIpv4ApnConfig_);
    common->setObjectName(QStringLiteral("Common"));
    auto *commonForm = new QFormLayout(common);
    saveUsername = new QCheckBox(t("Save user name and password"), common);
    if (controller_->profiles().settings().checkAPNAccount)
        askUsername = new QCheckBox(t("Ask for user name and password before connecting"), common);
    userField = new QLineEdit(common);
    passwordField = new QLineEdit(common);
    passwordField->setEchoMode(QLineEdit::Password);
    apnField = new QLineEdit(common);
    commonForm->addRow(QString(), saveUsername);
    if (askUsername)
        commonForm->addRow(QString(), askUsername);
    commonForm->addRow(t("User name") + QLatin1Char(':'), userField);
    commonForm->addRow(t("Password") + QLatin1Char(':'), passwordField);
    commonForm->addRow(t("APN") + QLatin1Char(':'), radios(common, apnGroup, {"Obtain automatically", "Static"}));
    commonForm->addRow(QString(), apnField);
    commonForm->addRow(t("Authentication") + QLatin1Char(':'), radios(common, authGroup, {"PAP", "CHAP"}));
    auto *advanced = new QWidget(tabviewIpv4ApnConfig_);
    advanced->setObjectName(QStringLiteral("Advanced"));
    auto *advancedForm = new QFormLayout(advanced);
    preDnsField = new QLineEdit(advanced);
    altDnsField = new QLineEdit(advanced);
    pdpAddressField = new QLineEdit(advanced);
    advancedForm->addRow(t("DNS") + QLatin1Char(':'), radios(advanced, dnsGroup, {"Obtain automatically", "Static"}));
    advancedForm->addRow(t("Preferred DNS") + QLatin1Char(':'), preDnsField);
    advancedForm->addRow(t("Alternate DNS") + QLatin1Char(':'), altDnsField);
    advancedForm->addRow(t("PDP address") + QLatin1Char(':'), radios(advanced, pdpGroup, {"Dynamic", "Static"}));
    advancedForm->addRow(QString(), pdpAddressField);
    tabviewIpv4ApnConfig_->addTab(common, t("Common"));
    tabviewIpv4ApnConfig_->addTab(advanced, t("Advanced"));
    return box;
}

bool DialConfigEditSheet::eventFilter(QObject *watched, QEvent *event)
{
    if (tabviewApnSettings_ && watched == tabviewApnSettings_->tabBar() && !shouldSelectTab(tabviewApnSettings_)) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const int index = tabviewApnSettings_->tabBar()->tabAt(static_cast<QMouseEvent *>(event)->position().toPoint());
            if (index >= 0)
                showApnSettingsTab(index);
            return true;
        }
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void DialConfigEditSheet::showApnSettingsTab(int index)
{
    if (index == 1) {
        advancedApnConfigForIPv4();
        advancedApnConfigForIPv6();
    } else {
        commonApnConfigForIPv4();
        commonApnConfigForIPv6();
    }
    tabviewApnSettings_->setCurrentIndex(index == 1 ? 1 : 0);
}

QWidget *DialConfigEditSheet::makeIPv6Settings()
{
    auto t = [this](const char *s) { return controller_->localizedText(QLatin1String(s)); };
    auto radios = [&](QWidget *parent, QButtonGroup *&group, std::initializer_list<const char *> titles) {
        group = new QButtonGroup(this);
        return radioRow(parent, group, titles, controller_);
    };
    auto *box = new QGroupBox(t("IPv6"), this);
    auto *boxLayout = new QVBoxLayout(box);
    tabviewIpv6ApnConfig_ = new QTabWidget(box);
    boxLayout->addWidget(tabviewIpv6ApnConfig_);
    tabviewIpv6ApnConfig_->setObjectName(QStringLiteral("tabviewIpv6ApnConfig_"));
    tabviewIpv6ApnConfig_->tabBar()->hide(); // the APN settings strip switches it
    auto *common = new QWidget(tabviewIpv6ApnConfig_);
    auto *commonForm = new QFormLayout(common);
    checkSavePasswordForIPv6_ = new QCheckBox(t("Save user name and password"), common);
    tfUsernameForIPv6_ = new QLineEdit(common);
    tfPasswordForIPv6_ = new QLineEdit(common);
    tfPasswordForIPv6_->setEchoMode(QLineEdit::Password);
    tfApnIPv6_ = new QLineEdit(common);
    commonForm->addRow(QString(), checkSavePasswordForIPv6_);
    commonForm->addRow(t("User name") + QLatin1Char(':'), tfUsernameForIPv6_);
    commonForm->addRow(t("Password") + QLatin1Char(':'), tfPasswordForIPv6_);
    commonForm->addRow(t("APN") + QLatin1Char(':'), radios(common, radioObtainApnIPv6_, {"Obtain automatically", "Static"}));
    commonForm->addRow(QString(), tfApnIPv6_);
    commonForm->addRow(t("Authentication") + QLatin1Char(':'), radios(common, radioAuthModeIPv6_, {"PAP", "CHAP"}));
    auto *advanced = new QWidget(tabviewIpv6ApnConfig_);
    auto *advancedForm = new QFormLayout(advanced);
    tfPdpAddrIPv6_ = new QLineEdit(advanced);
    tfPreferDNSIPv6_ = new QLineEdit(advanced);
    tfAltDNSIPv6_ = new QLineEdit(advanced);
    advancedForm->addRow(t("PDP address") + QLatin1Char(':'), radios(advanced, radioObtainPdpIPv6_, {"Dynamic", "Static"}));
    advancedForm->addRow(QString(), tfPdpAddrIPv6_);
    advancedForm->addRow(t("DNS") + QLatin1Char(':'), radios(advanced, radioObtainDNSIPv6_, {"Obtain automatically", "Static"}));
    advancedForm->addRow(t("Preferred DNS") + QLatin1Char(':'), tfPreferDNSIPv6_);
    advancedForm->addRow(t("Alternate DNS") + QLatin1Char(':'), tfAltDNSIPv6_);
    tabviewIpv6ApnConfig_->addTab(common, t("Common"));
    tabviewIpv6ApnConfig_->addTab(advanced, t("Advanced"));
    common->setObjectName(QStringLiteral("Common"));
    advanced->setObjectName(QStringLiteral("Advanced"));
    return box;
}

void DialConfigEditSheet::setPdpTypeGroupShape(int rows, int columns)
{
    const int shownType = pdpTypeOfGroup(ePDPTypeGroup_);
    NSMatrix *fresh = makePdpTypeGroup(rows, columns, controller_, this);
    delete form_->replaceWidget(ePDPTypeGroup_, fresh); // the layout hands back the old cell's item
    fresh->setEnabled(ePDPTypeGroup_->isEnabled());
    form_->setRowVisible(fresh, controller_->pdpTypeGroupShown());
    delete ePDPTypeGroup_;
    ePDPTypeGroup_ = fresh;
    displayPdpTypeInGroup(ePDPTypeGroup_, shownType);
    // With dual-PDP settings the four-choice cell of code 1 is not offered.
    if (controller_->profiles().isSupportDoblePdpSettings() && rows == 2 && columns == 2) {
        QAbstractButton *code1 = ePDPTypeGroup_->cells().at(1);
        code1->setEnabled(false);
        code1->setText(QString());
        code1->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    for (QAbstractButton *cell : ePDPTypeGroup_->cells())
        connect(cell, &QAbstractButton::clicked, this, [this] {
            setPdpTypeStatus();
            pdpTypeSelect();
        });
    forbiddenOperateIpv6Apn();
}

void DialConfigEditSheet::setIPv6ApnEnabled(bool enabled)
{
    for (QWidget *w : std::initializer_list<QWidget *>{checkSavePasswordForIPv6_, tfUsernameForIPv6_, tfPasswordForIPv6_, tfApnIPv6_})
        w->setEnabled(enabled);
    for (QButtonGroup *g : {radioObtainApnIPv6_, radioAuthModeIPv6_})
        for (QAbstractButton *b : g->buttons())
            b->setEnabled(enabled);
}

void DialConfigEditSheet::setIPv4ApnEnabled(bool enabled)
{
    for (QWidget *w : std::initializer_list<QWidget *>{saveUsername, userField, passwordField, apnField})
        w->setEnabled(enabled);
    for (QButtonGroup *g : {apnGroup, authGroup})
        for (QAbstractButton *b : g->buttons())
            b->setEnabled(enabled);
}

void DialConfigEditSheet::setPdpTypeStatus()
{
    const int type = pdpTypeOfGroup(ePDPTypeGroup_);
    const std::optional<PdpGroupStates> states = pdpTypeGroupStates(type, checkSinglePdp_->isChecked());
    if (!states)
        return;
    setIPv6ApnEnabled(states->ipv6);
    setIPv4ApnEnabled(states->ipv4);
}

void DialConfigEditSheet::setUseSinglePdpForIPv6()
{
    if (pdpTypeOfGroup(ePDPTypeGroup_) == 3)
        setIPv6ApnEnabled(!checkSinglePdp_->isChecked());
}

void DialConfigEditSheet::pdpTypeSelect()
{
    const std::optional<ApnFieldStates> states = apnFieldStatesForPdpType(
        pdpTypeOfGroup(ePDPTypeGroup_), apnGroup->checkedId() != 0, controller_->pdpTypeGroupShown());
    if (!states)
        return;
    tfApnIPv6_->setEnabled(states->ipv6);
    apnField->setEnabled(states->ipv4);
}

void DialConfigEditSheet::saveAPNPasswordIPv6()
{
    const bool on = checkSavePasswordForIPv6_->isChecked();
    tfUsernameForIPv6_->setEnabled(on);
    tfPasswordForIPv6_->setEnabled(on);
    if (!on) {
        tfUsernameForIPv6_->clear();
        tfPasswordForIPv6_->clear();
    }
}

void DialConfigEditSheet::selectObtainAPNTypeIPv6()
{
    const bool typed = radioObtainApnIPv6_->checkedId() != 0;
    tfApnIPv6_->setEnabled(typed);
    if (!typed)
        tfApnIPv6_->clear();
    pdpTypeSelect();
}

void DialConfigEditSheet::selectObtainPDPTypeIPv6()
{
    const bool typed = radioObtainPdpIPv6_->checkedId() != 0;
    if (!typed) {
        tfPdpAddrIPv6_->setValidator(nullptr);
        tfPdpAddrIPv6_->clear();
    }
    tfPdpAddrIPv6_->setEnabled(typed);
}

void DialConfigEditSheet::selectObtainDNSTypeIPv6()
{
    const bool typed = radioObtainDNSIPv6_->checkedId() != 0;
    for (QLineEdit *f : {tfPreferDNSIPv6_, tfAltDNSIPv6_}) {
        if (!typed) {
            f->setValidator(nullptr);
            f->clear();
        }
        f->setEnabled(typed);
    }
}

void DialConfigEditSheet::setApnEditWinCtrlStatusForIPv6()
{
    saveAPNPasswordIPv6();
    selectObtainDNSTypeIPv6();
    selectObtainPDPTypeIPv6();
    pdpTypeSelect();
}

void DialConfigEditSheet::forbiddenOperateIpv6Apn()
{
    if (!controller_->forbidIpv6ApnWhileChooseRas() || ePDPTypeGroup_->rows() != 1 || ePDPTypeGroup_->columns() != 3)
        return;
    const bool ppp = controller_->readConnectType() == 0;
    const QList<QAbstractButton *> cells = ePDPTypeGroup_->cells();
    for (int column = 1; column < 3 && column < cells.size(); ++column)
        cells.at(column)->setEnabled(!ppp);
}

void DialConfigEditSheet::advancedApnConfigForIPv4() { selectTabWithIdentifier(tabviewIpv4ApnConfig_, QStringLiteral("Advanced")); }

void DialConfigEditSheet::commonApnConfigForIPv4() { selectTabWithIdentifier(tabviewIpv4ApnConfig_, QStringLiteral("Common")); }

void DialConfigEditSheet::advancedApnConfigForIPv6() { selectTabWithIdentifier(tabviewIpv6ApnConfig_, QStringLiteral("Advanced")); }

void DialConfigEditSheet::commonApnConfigForIPv6() { selectTabWithIdentifier(tabviewIpv6ApnConfig_, QStringLiteral("Common")); }

void DialConfigEditSheet::applyWcdmaHidden()
{
    const bool hidden = controller_->display().wcdmaConfigHidden;
    for (QWidget *w : std::initializer_list<QWidget *>{apnField, preDnsField, altDnsField, pdpAddressField})
        setFieldRowVisible(w, !hidden);
    for (QButtonGroup *g : {apnGroup, dnsGroup, pdpGroup})
        setFieldRowVisible(g->buttons().first(), !hidden);
    // The tab view sizes itself by its pages; tell the sheet's layout that they changed.
    for (int i = 0; i < tabviewIpv4ApnConfig_->count(); ++i)
        tabviewIpv4ApnConfig_->widget(i)->updateGeometry();
    tabviewIpv4ApnConfig_->updateGeometry();
}

void DialConfigEditSheet::setEditWinValue(int row)
{
    row_ = row;
    DialConfigList &list = controller_->profiles();
    const QVariantMap profile = list.profileAt(row).value_or(QVariantMap());
    const ProfileEdit e = editValuesOf(profile, list.shownName(profile), askUsername != nullptr,
                                       ePDPTypeGroup_->isEnabled(), list.isSupportDoblePdpSettings());
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
    applyWcdmaHidden();

    // The sheet opens on the Common tabs.
    showApnSettingsTab(0);

    // The PDP type and the IPv6 half.
    displayPdpTypeInGroup(ePDPTypeGroup_, getSafeDialNumParas(profile, profilekey::pdpType));
    forbiddenOperateIpv6Apn();
    if (e.ipv6) {
        const QSignalBlocker blockSingle(checkSinglePdp_);
        const QSignalBlocker blockSaveIPv6(checkSavePasswordForIPv6_);
        checkSinglePdp_->setChecked(e.ipv6->singlePdp != 0);
        checkSavePasswordForIPv6_->setChecked(e.ipv6->saveAccount != 0);
        tfUsernameForIPv6_->setText(e.ipv6->username);
        tfPasswordForIPv6_->setText(e.ipv6->password);
        selectRow(radioObtainApnIPv6_, e.ipv6->apnMode);
        tfApnIPv6_->setText(e.ipv6->apnName);
        selectRow(radioAuthModeIPv6_, e.ipv6->authMode);
        selectRow(radioObtainPdpIPv6_, e.ipv6->pdpMode);
        tfPdpAddrIPv6_->setText(e.ipv6->pdpAddr);
        selectRow(radioObtainDNSIPv6_, e.ipv6->dnsMode);
        tfPreferDNSIPv6_->setText(e.ipv6->prefDns);
        tfAltDNSIPv6_->setText(e.ipv6->altDns);
        setApnEditWinCtrlStatusForIPv6();
    }
    if (ePDPTypeGroup_->isEnabled())
        setPdpTypeStatus();
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
    apply(tfUsernameForIPv6_, filterAccountText(tfUsernameForIPv6_->text(), limit));
    apply(tfPasswordForIPv6_, filterAccountText(tfPasswordForIPv6_->text(), limit));
    apply(tfApnIPv6_, filterApn(tfApnIPv6_->text()));
    apply(tfPreferDNSIPv6_, filterIPv6Dns(tfPreferDNSIPv6_->text()));
    apply(tfAltDNSIPv6_, filterIPv6Dns(tfAltDNSIPv6_->text()));
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
    if (ePDPTypeGroup_->isEnabled())
        e.pdpType = controller_->specialPdpTypeProcess(pdpTypeOfGroup(ePDPTypeGroup_));
    if (controller_->profiles().isSupportDoblePdpSettings())
        e.ipv6 = ProfileEdit::IPv6{tfApnIPv6_->text(),
                                   tfPreferDNSIPv6_->text(),
                                   tfAltDNSIPv6_->text(),
                                   std::max(radioObtainDNSIPv6_->checkedId(), 0),
                                   tfUsernameForIPv6_->text(),
                                   tfPasswordForIPv6_->text(),
                                   checkSavePasswordForIPv6_->isChecked() ? 1 : 0,
                                   std::max(radioObtainApnIPv6_->checkedId(), 0),
                                   std::max(radioAuthModeIPv6_->checkedId(), 0),
                                   std::max(radioObtainPdpIPv6_->checkedId(), 0),
                                   tfPdpAddrIPv6_->text(),
                                   checkSinglePdp_->isChecked() ? 1 : 0};
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
