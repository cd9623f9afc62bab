// The "Browser" panel (the link opened in the default browser when a connection starts, chosen
// from the editable list in browserList.plist, and the operator's one-time page) and the
// "FavoriteLinks" panel (the user's favourite applications and web pages in FavoriteLinks.plist,
// shown as icons, launched at start-up or when connected).
#include "ostrel/settings/SettingController.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/widgets/IconMatrix.h"
#include "platform/filechooser/FileChooser.h"
#include "platform/process/ProgramLauncher.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ostrel {

namespace {

const QString kBrowserListFile = QStringLiteral("browserList.plist");
const QString kFavoriteLinksFile = QStringLiteral("FavoriteLinks.plist");

QPushButton *linkButton(const char *text, const char *key, QWidget *parent)
{
    auto *button = new QPushButton(QString::fromLatin1(text), parent);
    if (key)
        button->setObjectName(QLatin1String(key));
    return button;
}

} // namespace

// --- building ----------------------------------------------------------------------------------

void SettingController::buildBrowserPanel(QWidget *panel)
{
    auto *layout = static_cast<QVBoxLayout *>(panel->layout());
    browserTitle_ = new QLabel(QStringLiteral("Browser auto-launch"), panel);
    browserTitle_->setObjectName(QStringLiteral("labelBrowserAutoConnectSetting"));
    browserTitle_->setStyleSheet(QStringLiteral("font-weight: bold;"));
    layout->addWidget(browserTitle_);
    browserLinkLabel_ = new QLabel(QStringLiteral("Open the browser on the following link at connection startup:"), panel);
    browserLinkLabel_->setObjectName(QStringLiteral("textBrowserSetting"));
    layout->addWidget(browserLinkLabel_);
    auto *row = new QWidget(panel);
    auto *rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    browserCombo_ = new QComboBox(row);
    browserCombo_->setObjectName(QStringLiteral("cbboxSettingBrowserList"));
    browserCombo_->setMinimumWidth(260);
    advancedButton_ = linkButton("Advanced...", "btnAdvancedSetting", row);
    rowLayout->addWidget(browserCombo_, 1);
    rowLayout->addWidget(advancedButton_);
    layout->addWidget(row);
    connect(browserCombo_, &QComboBox::activated, this, [this](int index) { browserComboChosen(index); });
    connect(advancedButton_, &QPushButton::clicked, this, [this] { advancedbrowserlist(); });
    buildBrowserSheets();
}

void SettingController::buildBrowserSheets()
{
    wndAddBrowser_ = new QDialog;
    wndAddBrowser_->setObjectName(QStringLiteral("wndSettingAddBrowser"));
    wndAddBrowser_->setWindowTitle(QStringLiteral("Advanced settings"));
    auto *grid = new QGridLayout(wndAddBrowser_.data());
    labelAdvanced_ = new QLabel(QStringLiteral("Advanced settings"), wndAddBrowser_);
    labelAdvanced_->setObjectName(QStringLiteral("labelAdvancedSetting"));
    labelAdvanced_->setStyleSheet(QStringLiteral("font-weight: bold;"));
    labelAddLink_ = new QLabel(QStringLiteral("Add link"), wndAddBrowser_);
    labelAddLink_->setObjectName(QStringLiteral("labelAddLinkSetting"));
    addBrowserField_ = new QLineEdit(wndAddBrowser_);
    addBrowserField_->setObjectName(QStringLiteral("textAddBrowserSetting"));
    addLinkButton_ = linkButton("Add", "btnAddLinkSetting", wndAddBrowser_);
    labelAvailableLinks_ = new QLabel(QStringLiteral("Available links:"), wndAddBrowser_);
    labelAvailableLinks_->setObjectName(QStringLiteral("labelAddBrowserListSetting"));
    availableLinksCombo_ = new QComboBox(wndAddBrowser_);
    availableLinksCombo_->setObjectName(QStringLiteral("cbboxAddBrowserListSetting"));
    editLinkButton_ = linkButton("Edit", "btnEditAvailableSetting", wndAddBrowser_);
    removeLinkButton_ = linkButton("Remove", "btnRemoveAvailableSetting", wndAddBrowser_);
    doNotOpenBox_ = new QCheckBox(QStringLiteral("Do not open the browser at connection startup"), wndAddBrowser_);
    doNotOpenBox_->setObjectName(QStringLiteral("btnSettingAddBrowser"));
    okAddBrowserButton_ = linkButton("OK", "btnOKAddBrowserSetting", wndAddBrowser_);
    cancelAddBrowserButton_ = linkButton("Cancel", "btnCancelAddBrowserSetting", wndAddBrowser_);
    grid->addWidget(labelAdvanced_, 0, 0, 1, 3);
    grid->addWidget(labelAddLink_, 1, 0);
    grid->addWidget(addBrowserField_, 1, 1);
    grid->addWidget(addLinkButton_, 1, 2);
    grid->addWidget(labelAvailableLinks_, 2, 0);
    grid->addWidget(availableLinksCombo_, 2, 1);
    auto *editRow = new QHBoxLayout;
    editRow->addWidget(editLinkButton_);
    editRow->addWidget(removeLinkButton_);
    grid->addLayout(editRow, 2, 2);
    grid->addWidget(doNotOpenBox_, 3, 0, 1, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancelAddBrowserButton_);
    buttons->addWidget(okAddBrowserButton_);
    grid->addLayout(buttons, 4, 0, 1, 3);
    connect(addLinkButton_, &QPushButton::clicked, this, [this] { addlink(); });
    connect(editLinkButton_, &QPushButton::clicked, this, [this] { editAvailableLinks(); });
    connect(removeLinkButton_, &QPushButton::clicked, this, [this] { removAvailableLinks(); });
    connect(okAddBrowserButton_, &QPushButton::clicked, this, [this] { okAddBrowser(); });
    connect(cancelAddBrowserButton_, &QPushButton::clicked, this, [this] { cancelAddBrowser(); });
    connect(availableLinksCombo_, &QComboBox::currentIndexChanged, this, [this](int index) { availableLinkChosen(index); });

    wndEditBrowser_ = new QDialog(wndAddBrowser_);
    wndEditBrowser_->setObjectName(QStringLiteral("wndSettingEditBrowser"));
    auto *edit = new QHBoxLayout(wndEditBrowser_.data());
    editBrowserField_ = new QLineEdit(wndEditBrowser_);
    editBrowserField_->setObjectName(QStringLiteral("textEditBrowserSetting"));
    okEditBrowserButton_ = linkButton("OK", "btnOKEditBrowserSetting", wndEditBrowser_);
    cancelEditBrowserButton_ = linkButton("Cancel", "btnCancelEditBrowserSetting", wndEditBrowser_);
    edit->addWidget(editBrowserField_, 1);
    edit->addWidget(cancelEditBrowserButton_);
    edit->addWidget(okEditBrowserButton_);
    connect(okEditBrowserButton_, &QPushButton::clicked, this, [this] { okEditBrowser(); });
    connect(cancelEditBrowserButton_, &QPushButton::clicked, this, [this] { cancelEditBrowser(); });
}

void SettingController::buildFavoriteLinksPanel(QWidget *panel)
{
    auto *layout = static_cast<QVBoxLayout *>(panel->layout());
    auto *top = new QWidget(panel);
    auto *topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    iconMatrix_ = new IconMatrix(1, 8, top);
    iconMatrix_->setObjectName(QStringLiteral("matrixFavoriteLinksSetting"));
    auto *moves = new QHBoxLayout;
    backwardButton_ = linkButton("Backward", "btnFavoriteLinkBackward", top);
    forwardButton_ = linkButton("ForwardBtnCaption", "btnFavoriteLinkForward", top);
    moves->addWidget(backwardButton_);
    moves->addWidget(forwardButton_);
    topLayout->addWidget(iconMatrix_);
    topLayout->addLayout(moves);
    topLayout->addStretch(1);
    layout->addWidget(top);

    auto *form = new QWidget(panel);
    auto *grid = new QGridLayout(form);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    const auto label = [form](const char *text) { return new QLabel(QString::fromLatin1(text), form); };
    linkNameLabel_ = label("linkNameLabelCaption:");
    linkTypeLabel_ = label("Type:");
    linkPathLabel_ = label("Path:");
    linkImageLabel_ = label("Image:");
    linkParaLabel_ = label("Para:");
    linkName_ = new QLineEdit(form);
    linkName_->setObjectName(QStringLiteral("textFavoriteLinkName"));
    linkType_ = new QComboBox(form);
    linkType_->setObjectName(QStringLiteral("cbboxFavoriteLinkType"));
    linkType_->addItems({QStringLiteral("Application"), QStringLiteral("Web link")});
    linkPath_ = new QLineEdit(form);
    linkPath_->setObjectName(QStringLiteral("textFavoriteLinkPath"));
    linkPathBrowse_ = linkButton("Browse...", "btnFavoriteLinkPathBrowse", form);
    linkImage_ = new QLineEdit(form);
    linkImage_->setObjectName(QStringLiteral("textFavoriteLinkImage"));
    linkImageBrowse_ = linkButton("Browse...", "btnFavoriteLinkImageBrowse", form);
    linkPara_ = new QLineEdit(form);
    linkPara_->setObjectName(QStringLiteral("textFavoriteLinkPara"));
    launchAtStartup_ = new QCheckBox(QStringLiteral("Auto launch at startup"), form);
    launchAtStartup_->setObjectName(QStringLiteral("btnFavoriteLinkLaunchAtStartup"));
    launchWhenConnected_ = new QCheckBox(QStringLiteral("Auto launch when connected"), form);
    launchWhenConnected_->setObjectName(QStringLiteral("btnFavoriteLinkLaunchWhenConnected"));
    grid->addWidget(linkNameLabel_, 0, 0);
    grid->addWidget(linkName_, 0, 1);
    grid->addWidget(linkTypeLabel_, 1, 0);
    grid->addWidget(linkType_, 1, 1);
    grid->addWidget(linkPathLabel_, 2, 0);
    grid->addWidget(linkPath_, 2, 1);
    grid->addWidget(linkPathBrowse_, 2, 2);
    grid->addWidget(linkImageLabel_, 3, 0);
    grid->addWidget(linkImage_, 3, 1);
    grid->addWidget(linkImageBrowse_, 3, 2);
    grid->addWidget(linkParaLabel_, 4, 0);
    grid->addWidget(linkPara_, 4, 1);
    grid->addWidget(launchAtStartup_, 5, 1);
    grid->addWidget(launchWhenConnected_, 6, 1);
    layout->addWidget(form);

    favoriteHint_ = new QLabel(form);
    favoriteHint_->setObjectName(QStringLiteral("labelFavoriteLinksHint"));
    favoriteHint_->setWordWrap(true);
    layout->addWidget(favoriteHint_);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cancelLinkButton_ = linkButton("Cancel", "btnFavoriteLinkCancel", panel);
    modifyLinkButton_ = linkButton("Modify", "btnFavoriteLinkModify", panel);
    buttons->addWidget(cancelLinkButton_);
    buttons->addWidget(modifyLinkButton_);
    layout->addLayout(buttons);

    connect(iconMatrix_, &IconMatrix::cellClicked, this, [this](int) { iconMatrixClicked(); });
    connect(backwardButton_, &QPushButton::clicked, this, [this] { moveLinkBackward(); });
    connect(forwardButton_, &QPushButton::clicked, this, [this] { moveLinkForward(); });
    connect(linkType_, &QComboBox::currentIndexChanged, this, [this](int) { setLinkTypeComboxStatus(); });
    connect(launchAtStartup_, &QCheckBox::clicked, this,
            [this](bool on) { setCurLinkPropertyValue(int(on), QStringLiteral("LaunchAtStartup")); });
    connect(launchWhenConnected_, &QCheckBox::clicked, this,
            [this](bool on) { setCurLinkPropertyValue(int(on), QStringLiteral("LaunchaWhenConnected")); });
    connect(linkPathBrowse_, &QPushButton::clicked, this, [this] { browseLinkPath(); });
    connect(linkImageBrowse_, &QPushButton::clicked, this, [this] { browseLinkImage(); });
    connect(modifyLinkButton_, &QPushButton::clicked, this, [this] { modifyFavoriteLink(); });
    connect(cancelLinkButton_, &QPushButton::clicked, this, [this] { cancelFavoriteLink(); });
}

// --- unreadable list files ---------------------------------------------------------------------

void SettingController::tellUnreadableLinkFile(const LinkListRead &read, const QString &path)
{
    if (read.outcome == LinkListRead::Outcome::SetAside) {
        qCWarning(lcSetting).noquote() << "the unreadable" << path << "(" << read.reason << ") was renamed to" << read.setAsideAs;
        sheetQueue_->beginAlert({tr_(QStringLiteral("Warning!")),
                                 tr_(QStringLiteral("The link list file could not be read. It was renamed to %1 and an empty list is used."))
                                     .replace(QStringLiteral("%1"), read.setAsideAs),
                                 tr_(QStringLiteral("OK")), QString()},
                                {});
    } else if (read.outcome == LinkListRead::Outcome::LeftInPlace) {
        qCWarning(lcSetting).noquote() << "the unreadable" << path << "(" << read.reason << ") could not be renamed";
    }
}

// --- browser list ------------------------------------------------------------------------------

void SettingController::LoadBrowserList()
{
    const QString path = config().configFilePathOfKey(kBrowserListFile);
    const LinkListRead read = LinkListFile::read(path);
    if (read.outcome == LinkListRead::Outcome::SetAside || read.outcome == LinkListRead::Outcome::LeftInPlace) {
        if (!toldUnreadableBrowserList_)
            tellUnreadableLinkFile(read, path);
        toldUnreadableBrowserList_ = true;
    }
    browserLinks_.reset(read.entries);
    browserID_ = yov::nsInt(setting(QStringLiteral("BrowserID")));
    defaultBrowserNum_ = yov::nsInt(setting(QStringLiteral("DefaultBrowserNum")));
    reloadBrowserCombos();
    const bool any = browserLinks_.count() > 0;
    for (QWidget *control : {static_cast<QWidget *>(browserCombo_.data()), static_cast<QWidget *>(availableLinksCombo_.data())})
        if (control)
            control->setEnabled(any);
    // "Advanced..." stays open without entries: it is the only way to add the first link, so an
    // empty (or emptied) list is no dead end.
    if (advancedButton_)
        advancedButton_->setEnabled(true);
    if (any) {
        if (browserCombo_) {
            const QSignalBlocker blocker(browserCombo_);
            browserCombo_->setMaxVisibleItems(browserLinks_.count());
            browserCombo_->setCurrentIndex(browserID_ < browserLinks_.count() ? browserID_ : -1);
        }
        if (availableLinksCombo_) {
            availableLinksCombo_->setMaxVisibleItems(browserLinks_.count());
            availableLinksCombo_->setCurrentIndex(browserID_ < browserLinks_.count() ? browserID_ : -1);
        }
    }
}

void SettingController::reloadBrowserCombos()
{
    for (QComboBox *combo : {browserCombo_.data(), availableLinksCombo_.data()}) {
        if (!combo)
            continue;
        const QSignalBlocker blocker(combo);
        combo->clear();
        for (int i = 0; i < browserLinks_.count(); ++i)
            combo->addItem(browserLinks_.text(i));
    }
    if (availableLinksCombo_)
        availableLinkChosen(availableLinksCombo_->currentIndex());
}

QString SettingController::browserComboBoxItemAtIndex(int index)
{
    if (index < 0 || index >= browserLinks_.count()) {
        if (browserCombo_ && browserCombo_->count() > 0)
            browserCombo_->setCurrentIndex(0);
        return QString();
    }
    return browserLinks_.text(index);
}

void SettingController::browserComboChosen(int index)
{
    if (index < 0)
        return;
    browserID_ = index;
    config().setConfigurationByModule(QStringLiteral("BrowserID"), index);
    writeSettings();
}

void SettingController::availableLinkChosen(int index)
{
    // The fixed entries can be chosen, not edited or removed.
    const bool editable = index >= 0 && index >= defaultBrowserNum_;
    if (editLinkButton_)
        editLinkButton_->setEnabled(editable);
    if (removeLinkButton_)
        removeLinkButton_->setEnabled(editable);
}

void SettingController::advancedbrowserlist()
{
    if (!wndAddBrowser_ || !browserCombo_)
        return;
    const int matching = browserLinks_.indexOf(browserCombo_->currentText());
    if (matching >= 0) {
        const QSignalBlocker blocker(browserCombo_);
        browserCombo_->setCurrentIndex(matching);
    }
    if (availableLinksCombo_)
        availableLinksCombo_->setCurrentIndex(browserID_ < browserLinks_.count() ? browserID_ : -1);
    availableLinkChosen(availableLinksCombo_ ? availableLinksCombo_->currentIndex() : -1);
    if (addBrowserField_)
        addBrowserField_->clear();
    rememberedBrowserIndex_ = browserCombo_->currentIndex();
    wndAddBrowser_->setParent(wndMain ? wndMain.data() : settingPage_.data(), Qt::Dialog);
    sheetQueue_->beginSheet(wndAddBrowser_);
}

void SettingController::addlink()
{
    if (!addBrowserField_)
        return;
    switch (browserLinks_.add(addBrowserField_->text())) {
    case BrowserLinkList::Refusal::Blank:
        popupAlertSheet(QStringLiteral("Invalid Profile!"), wndAddBrowser_);
        return;
    case BrowserLinkList::Refusal::Duplicate:
        popupAlertSheet(QStringLiteral("Name already exists, please rename!"), wndAddBrowser_);
        return;
    case BrowserLinkList::Refusal::None:
        addBrowserField_->clear();
        reloadBrowserCombos();
        return;
    default:
        return;
    }
}

void SettingController::editAvailableLinks()
{
    if (!availableLinksCombo_ || !wndEditBrowser_)
        return;
    const int index = browserLinks_.indexOf(availableLinksCombo_->currentText());
    if (index < 0)
        return;
    availableLinksCombo_->setCurrentIndex(index);
    editBrowserField_->setText(availableLinksCombo_->currentText());
    sheetQueue_->beginSheet(wndEditBrowser_);
}

void SettingController::okEditBrowser()
{
    if (!availableLinksCombo_ || !editBrowserField_)
        return;
    const int index = availableLinksCombo_->currentIndex();
    switch (browserLinks_.edit(index, editBrowserField_->text())) {
    case BrowserLinkList::Refusal::Blank:
        popupAlertSheet(QStringLiteral("Invalid Profile!"), wndEditBrowser_);
        return;
    case BrowserLinkList::Refusal::Duplicate:
        popupAlertSheet(QStringLiteral("Name already exists, please rename!"), wndEditBrowser_);
        return;
    case BrowserLinkList::Refusal::Unchanged:
        wndEditBrowser_->done(QDialog::Accepted);
        return;
    case BrowserLinkList::Refusal::Empty:
        return; // the sheet stays
    case BrowserLinkList::Refusal::None:
        break;
    }
    editBrowserField_->clear();
    reloadBrowserCombos();
    wndEditBrowser_->done(QDialog::Accepted);
    availableLinksCombo_->setCurrentIndex(index);
}

void SettingController::cancelEditBrowser()
{
    if (wndEditBrowser_)
        wndEditBrowser_->done(QDialog::Rejected);
}

void SettingController::removAvailableLinks()
{
    if (!availableLinksCombo_)
        return;
    const int index = browserLinks_.indexOf(availableLinksCombo_->currentText());
    if (index < 0 || index < defaultBrowserNum_)
        return;
    browserLinks_.remove(index);
    reloadBrowserCombos();
    // The panel's combo keeps showing the chosen link where it now is.
    if (browserCombo_) {
        const QSignalBlocker blocker(browserCombo_);
        browserCombo_->setCurrentIndex(browserLinks_.count() > 0 ? browserLinks_.followChosen(browserID_) : -1);
    }
    if (browserLinks_.count() > 0)
        availableLinksCombo_->setCurrentIndex(0);
}

void SettingController::okAddBrowser()
{
    const QString path = config().configFilePathOfKey(kBrowserListFile);
    QString error;
    if (!LinkListFile::write(path, browserLinks_.entries(), &error)) {
        qCWarning(lcSetting).noquote() << "the browser list could not be written:" << error;
        alertWarning(QStringLiteral("Failed to save the link list."), {}, wndAddBrowser_);
        return;
    }
    // The chosen link stays the chosen one, wherever removals moved it.
    browserID_ = browserLinks_.followChosen(browserID_);
    config().setConfigurationByModule(QStringLiteral("BrowserID"), browserID_);
    notAutolaunch_ = doNotOpenBox_ && doNotOpenBox_->isChecked();
    config().setConfigurationByModule(QStringLiteral("NotAutolaunch"), notAutolaunch_);
    writeSettings();
    if (wndAddBrowser_)
        wndAddBrowser_->done(QDialog::Accepted);
    LoadBrowserList();
}

void SettingController::cancelAddBrowser()
{
    if (doNotOpenBox_)
        doNotOpenBox_->setChecked(notAutolaunch_);
    if (wndAddBrowser_)
        wndAddBrowser_->done(QDialog::Rejected);
    if (browserCombo_) {
        const QSignalBlocker blocker(browserCombo_);
        browserCombo_->setCurrentIndex(rememberedBrowserIndex_);
    }
    LoadBrowserList(); // every unsaved add, edit and removal is dropped
}

// --- opening the link when connected -----------------------------------------------------------

void SettingController::AutoLaunchURL()
{
    // The dial controller and the connection notification both ask: one opening per connection.
    if (browserLinkOpened_)
        return;
    browserLinkOpened_ = true;
    if (!sethasModuleWith(QStringLiteral("Browser"))) {
        openURLFirstConnectOnly();
        return;
    }
    const QString text = browserCombo_ ? browserCombo_->currentText() : QString();
    if (text.isEmpty())
        return;
    const QString url = LinkListFile::linkWithScheme(text);
    if (notAutolaunch_)
        return;
    openSafari(url);
}

void SettingController::openURLFirstConnectOnly()
{
    const QVariant opened = setting(QStringLiteral("Internet"), QStringLiteral("CustomURLHasOpened"));
    if (!opened.isValid() || yov::nsBool(opened))
        return;
    const QString page = Map_Name_Item_of_IndexString(QStringLiteral("The Custom URL"));
    if (page.isEmpty() || page == QLatin1String("The Custom URL")) {
        // No page in the language file: nothing was opened, so nothing is marked as opened.
        qCInfo(lcSetting) << "no operator page to open at the first connection";
        return;
    }
    openSafari(page);
    QVariantMap internet = setting(QStringLiteral("Internet")).toMap();
    internet.insert(QStringLiteral("CustomURLHasOpened"), true);
    config().setConfigurationByModule(QStringLiteral("Internet"), internet);
    writeSettings();
}

// --- favourite links ---------------------------------------------------------------------------

void SettingController::loadFavoriteLinks()
{
    const QString path = config().getFilePathWithFileName(kFavoriteLinksFile);
    const LinkListRead read = LinkListFile::read(path);
    if (read.outcome == LinkListRead::Outcome::SetAside || read.outcome == LinkListRead::Outcome::LeftInPlace) {
        if (!toldUnreadableFavorites_)
            tellUnreadableLinkFile(read, path);
        toldUnreadableFavorites_ = true;
    }
    favoriteLinks_.entries() = read.entries;
}

bool SettingController::saveFavoriteLinks()
{
    QString error;
    const bool saved = LinkListFile::write(config().getFilePathWithFileName(kFavoriteLinksFile), favoriteLinks_.entries(), &error);
    if (!saved)
        qCWarning(lcSetting).noquote() << "the favourite links could not be written:" << error;
    return saved;
}

void SettingController::initFavoriteLinksSettings()
{
    if (!sethasModuleWith(QStringLiteral("FavoriteLinks")))
        return;
    loadFavoriteLinks();
    if (iconMatrix_) {
        iconMatrix_->setList(&favoriteLinks_.entries());
        iconMatrix_->refresh();
    }
    iconMatrixClicked();
}

void SettingController::iconMatrixClicked()
{
    switchInterfaceToIndexedLink(iconMatrix_ ? iconMatrix_->curcellIndex() : -1);
}

void SettingController::SetControl(QObject *control, const QVariantMap *entry, const QString &key)
{
    if (!control || !entry || key.isEmpty())
        return;
    const QVariant value = entry->value(key);
    if (auto *combo = qobject_cast<QComboBox *>(control)) {
        combo->setCurrentIndex(value.isValid() ? yov::nsInt(value) : 0);
    } else if (auto *field = qobject_cast<QLineEdit *>(control)) {
        field->setText(value.isValid() ? yov::nsString(value) : QString());
    } else if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        button->setChecked(value.isValid() && yov::nsInt(value) != 0);
    }
}

void SettingController::switchInterfaceToIndexedLink(int index)
{
    if (favoriteLinks_.positionOfIndex(index) < 0)
        return;
    const QVariantMap entry = favoriteLinks_.entryAtIndex(index);
    {
        // Filling the controls is no edit.
        const QSignalBlocker blocker(linkType_);
        SetControl(linkName_, &entry, QStringLiteral("Name"));
        SetControl(linkPath_, &entry, QStringLiteral("Path"));
        SetControl(linkType_, &entry, QStringLiteral("Type"));
        SetControl(linkImage_, &entry, QStringLiteral("Image"));
        SetControl(linkPara_, &entry, QStringLiteral("Para"));
        SetControl(launchAtStartup_, &entry, QStringLiteral("LaunchAtStartup"));
        SetControl(launchWhenConnected_, &entry, QStringLiteral("LaunchaWhenConnected"));
    }
    setLinkTypeComboxStatus();
}

void SettingController::setCurLinkPropertyValue(const QVariant &value, const QString &key)
{
    if (iconMatrix_)
        favoriteLinks_.setValue(iconMatrix_->curcellIndex(), key, value);
}

void SettingController::setLinkTypeComboxStatus()
{
    if (!linkType_)
        return;
    const int type = linkType_->currentIndex();
    setCurLinkPropertyValue(type, QStringLiteral("Type"));
    const bool application = type == 0;
    if (linkPara_)
        linkPara_->setEnabled(application);
    if (linkPathBrowse_)
        linkPathBrowse_->setEnabled(application);
}

void SettingController::moveLinkBackward()
{
    if (!iconMatrix_)
        return;
    const int target = favoriteLinks_.move(iconMatrix_->curcellIndex(), false);
    if (target < 0)
        return;
    iconMatrix_->refresh();
    iconMatrix_->setCurcellIndex(target);
}

void SettingController::moveLinkForward()
{
    if (!iconMatrix_)
        return;
    const int target = favoriteLinks_.move(iconMatrix_->curcellIndex(), true);
    if (target < 0)
        return;
    iconMatrix_->refresh();
    iconMatrix_->setCurcellIndex(target);
}

bool SettingController::checkFavoriteURL() const
{
    return linkPath_ && LinkListFile::hasWebScheme(linkPath_->text());
}

void SettingController::modifyFavoriteLink()
{
    if (ConfigService(&config()).isSkinVersionForDEdorud() && linkType_ && linkType_->currentIndex() == 1
        && !checkFavoriteURL()) {
        Neighbours::phonebook().popupAlertOk(QStringLiteral("URL must start with \"http://\" or \"https://\""));
        return;
    }
    if (linkName_)
        setCurLinkPropertyValue(linkName_->text(), QStringLiteral("Name"));
    if (linkPath_)
        setCurLinkPropertyValue(linkPath_->text(), QStringLiteral("Path"));
    if (linkPara_)
        setCurLinkPropertyValue(linkPara_->text(), QStringLiteral("Para"));
    if (!saveFavoriteLinks()) {
        alertWarning(QStringLiteral("Failed to save the favourite links."));
        return;
    }
    if (iconMatrix_)
        iconMatrix_->refresh();
    Neighbours::dial().loadFavoritesLinkPropeties();
}

void SettingController::cancelFavoriteLink() { initFavoriteLinksSettings(); }

void SettingController::browseLinkPath()
{
    yov::FileChooserRequest request;
    request.parent = wndMain ? wndMain.data() : settingPage_.data();
    // Programs and desktop entries; the choice is checked again, as anything else could never be
    // started.
    request.programsOnly = true;
    QPointer<SettingController> self(this);
    yov::FileChooser::shared().chooseFileToOpen(request, [self](const yov::FileChooserAnswer &answer) {
        if (!self || !answer.accepted || answer.path.isEmpty())
            return;
        if (!yov::FileChooser::isProgram(answer.path)) {
            qCInfo(lcSetting).noquote() << "not a program:" << answer.path;
            self->popupAlertSheet(QStringLiteral("Please choose a program or a desktop entry (.desktop file)."),
                                  self->wndMain ? self->wndMain.data() : self->settingPage_.data());
            return;
        }
        if (self->linkPath_)
            self->linkPath_->setText(answer.path);
        self->setCurLinkPropertyValue(answer.path, QStringLiteral("Path"));
        if (self->iconMatrix_)
            self->iconMatrix_->refresh();
    });
}

void SettingController::browseLinkImage()
{
    yov::FileChooserRequest request;
    request.parent = wndMain ? wndMain.data() : settingPage_.data();
    request.directory = config().getFilePathWithFileName(QStringLiteral("rorira/images/"));
    QPointer<SettingController> self(this);
    yov::FileChooser::shared().chooseFileToOpen(request, [self](const yov::FileChooserAnswer &answer) {
        if (!self || !answer.accepted || answer.path.isEmpty())
            return;
        if (self->linkImage_)
            self->linkImage_->setText(answer.path);
        self->setCurLinkPropertyValue(answer.path, QStringLiteral("Image"));
        if (self->iconMatrix_)
            self->iconMatrix_->refresh();
    });
}

void SettingController::checkLauchWebLinksAtMoment(int moment)
{
    // The saved file, not the list being edited.
    const LinkListRead read = LinkListFile::read(config().getFilePathWithFileName(kFavoriteLinksFile), false);
    const QString key = moment != 0 ? QStringLiteral("LaunchaWhenConnected") : QStringLiteral("LaunchAtStartup");
    for (const QVariant &item : read.entries) {
        const QVariantMap entry = item.toMap();
        if (yov::nsBool(entry.value(key)))
            launchFavoriteLinksBy(entry);
    }
}

void SettingController::launchFavoriteLinksBy(const QVariantMap &entry)
{
    if (entry.isEmpty())
        return;
    const int type = yov::nsInt(entry.value(QStringLiteral("Type")));
    const QString path = yov::nsString(entry.value(QStringLiteral("Path")));
    if (type == 0)
        yov::ProgramLauncher::launchApplication(path, yov::nsString(entry.value(QStringLiteral("Para"))));
    else if (type == 1)
        openSafari(path);
}

} // namespace ostrel
