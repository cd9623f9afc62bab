// MainController: the toolbar of the complete window, built from the configuration, and its
// enable rules.
#include "ostrel/device/main/MainController.h"
#include "ostrel/device/main/MainControllerText.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/skin/YOVUIManager.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/widgets/Items.h"
#include "ostrel/framework/widgets/ResourcePaths.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

Q_DECLARE_LOGGING_CATEGORY(lcMainController)

namespace ostrel {

namespace {

const QString kLogoIdentifier = QStringLiteral("Custom Logo Toolbar Item Identifier");
const QString kFlexibleSpace = QStringLiteral("NSToolbarFlexibleSpaceItem");

using main_text::tr_;

QImage loadImageFile(const QString &path)
{
    if (path.isEmpty())
        return {};
    QImage image(path);
    return image;
}

} // namespace

QImage MainController::namedImage(const QString &name) const
{
    if (name.isEmpty())
        return {};
    const QImage image = ResourcePaths::applicationImage(name);
    if (!image.isNull())
        return image;
    // Then the skin in use (the shipped default skin when none is recorded).
    QString skin = yov::nsString(uiConfigDict().value(QStringLiteral("CurrentSkinName")));
    if (skin.isEmpty() || !QFileInfo(skin).isDir())
        skin = QDir(resourcesFolder()).filePath(QStringLiteral("skin/defaultSkin"));
    return ResourcePaths::imageInFolder(skin, name);
}

QList<NSToolbarItemExt *> MainController::toolbarItemsArray() const
{
    QList<NSToolbarItemExt *> items;
    for (const auto &item : toolbarItems_)
        if (item)
            items << item.data();
    return items;
}

void MainController::loadToolBar()
{
    if (!toolbarItems_.isEmpty())
        return;
    const QVariantList entries = configService().hasToolbarSkinInfo()
                                     ? yov::nsArray(uiConfigDict().value(QStringLiteral("ToolbarItems")))
                                     : toolbarItemsSetting();
    for (const QVariant &value : entries) {
        if (value.typeId() != QMetaType::QVariantMap) {
            qCWarning(lcMainController).noquote() << "a toolbar entry that is not a dictionary is skipped:" << value;
            continue;
        }
        const QVariantMap entry = value.toMap();
        const QVariant identifierValue = entry.value(QStringLiteral("itemIdentifier"));
        const QString identifier = identifierValue.typeId() == QMetaType::QString ? identifierValue.toString() : QString();
        if (identifier.isEmpty()) {
            qCInfo(lcMainController) << "a toolbar entry without a text itemIdentifier is skipped:" << identifierValue;
            continue;
        }
        auto *item = new NSToolbarItemExt(this);
        item->setObjectName(identifier);
        item->setProperty("itemIdentifier", identifier);
        item->englishLabel = yov::nsString(entry.value(QStringLiteral("itemLabel")));
        item->englishToolTip = yov::nsString(entry.value(QStringLiteral("itemToolTip")));
        item->setText(tr_(item->englishLabel));
        item->setToolTip(tr_(item->englishToolTip));
        setToolbarItemImage(entry, item);
        const QString action = yov::nsString(entry.value(QStringLiteral("itemAction")));
        if (!action.isEmpty()) {
            item->setProperty("itemAction", action);
            QPointer<NSToolbarItemExt> guard(item);
            item->backUpAction = [this, guard, action] {
                if (guard)
                    guard->setProperty("itemAction", action);
            };
            // Tab items show which tab is on.
            if (action == QLatin1String("tabViewChangeItemAction:"))
                item->setCheckable(true);
            QObject::connect(item, &QAction::triggered, this, [this, guard] {
                if (!guard)
                    return;
                const QString selector = guard->property("itemAction").toString();
                if (!selector.isEmpty())
                    performAction(selector, guard);
            });
        }
        item->setUrlLabel(yov::nsString(entry.value(QStringLiteral("urlLabel"))));
        toolbarItems_ << item;
    }

    auto *window = qobject_cast<QMainWindow *>(wndCompleteMain_.data());
    if (window)
        buildToolbarView(window);
    notifyChangeTabViewItem(QStringLiteral("Internet"));
    specialToolBarItemsSetEnable(false);
}

void MainController::buildToolbarView(QMainWindow *window)
{
    delete toolbar.data();
    auto *bar = new QToolBar(window);
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setContextMenuPolicy(Qt::PreventContextMenu); // no user customisation
    bar->toggleViewAction()->setVisible(false);
    bar->setIconSize(QSize(32, 32));
    const bool iconsOnly = yov::nsBool(setting(QStringLiteral("MAINFORM"), QStringLiteral("ToolBarOnlyIcon")));
    bar->setToolButtonStyle(iconsOnly ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextUnderIcon);
    bar->setStyleSheet(QStringLiteral("QToolBar#ToolBar { spacing: 4px; padding: 2px 6px; }"
                                      "QToolBar#ToolBar QToolButton { min-width: 64px; padding: 3px; }"
                                      "QToolBar#ToolBar QToolButton:checked { background: #d3dfef;"
                                      " border: 1px solid #9db2cf; border-radius: 5px; }"
                                      "QToolButton::menu-indicator { image: none; width: 0px; }"));
    toolbar = bar;
    for (const QString &identifier : toolbarDefaultItemIdentifiers()) {
        if (identifier == kFlexibleSpace) {
            auto *spacer = new QWidget(bar);
            spacer->setObjectName(kFlexibleSpace);
            spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
            bar->addWidget(spacer);
            continue;
        }
        QAction *item = itemForItemIdentifier(identifier);
        if (!item)
            continue;
        if (auto *widgetItem = qobject_cast<QWidgetAction *>(item)) {
            bar->addAction(widgetItem);
            continue;
        }
        // An item with a view of its own shows through its holder (which owns the view and
        // keeps it when a toolbar is rebuilt).
        if (auto *holder = item->findChild<QWidgetAction *>(QString(), Qt::FindDirectChildrenOnly)) {
            bar->addAction(holder);
            continue;
        }
        bar->addAction(item);
    }
    window->addToolBar(Qt::TopToolBarArea, bar);
}

void MainController::setToolbarItemImage(const QVariantMap &entry, NSToolbarItemExt *theItem)
{
    if (!theItem)
        return;
    const QString name = yov::nsString(entry.value(QStringLiteral("itemImageName")));
    if (name.isEmpty())
        return;
    const QImage image = namedImage(name);
    if (image.isNull())
        qCInfo(lcMainController).noquote() << "toolbar image not found:" << name;
    if (yov::nsBool(entry.value(QStringLiteral("UseAsButton")))) {
        setToolbarItemAsButton(entry, theItem, image);
        return;
    }
    const QVariantList popup = yov::nsArray(entry.value(QStringLiteral("UseAsPopupButton")));
    if (!popup.isEmpty()) {
        setToolbarItemAsPopupButton(entry, theItem, image);
        return;
    }
    if (!image.isNull())
        theItem->setIcon(QIcon(QPixmap::fromImage(image)));
}

void MainController::setToolbarItemAsButton(const QVariantMap &entry, NSToolbarItemExt *theItem, const QImage &theImage)
{
    auto *button = new QToolButton;
    button->setObjectName(theItem->objectName() + QStringLiteral("Button"));
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setProperty("itemIdentifier", theItem->objectName());
    button->setProperty("urlLabel", yov::nsString(entry.value(QStringLiteral("urlLabel"))));
    // The button keeps the raw tool tip of the entry.
    button->setToolTip(yov::nsString(entry.value(QStringLiteral("itemToolTip"))));
    if (!theImage.isNull()) {
        button->setIcon(QIcon(QPixmap::fromImage(theImage)));
        button->setIconSize(theImage.size());
        button->setFixedSize(theImage.size());
        button->setStyleSheet(QStringLiteral("QToolButton { border: none; padding: 0; min-width: 0; }"));
    }
    QObject::connect(button, &QToolButton::clicked, theItem, &QAction::trigger);
    theItem->setProperty("itemView", QVariant::fromValue<QWidget *>(button));
    theItem->setProperty("itemForm", QStringLiteral("button"));
    auto *holder = new QWidgetAction(theItem);
    holder->setObjectName(theItem->objectName() + QStringLiteral("Holder"));
    holder->setDefaultWidget(button);
    // The view follows the item's enabled state.
    QObject::connect(theItem, &QAction::enabledChanged, button, &QWidget::setEnabled);
}

void MainController::setToolbarItemAsPopupButton(const QVariantMap &entry, NSToolbarItemExt *theItem,
                                                 const QImage &theImage)
{
    auto *button = new QToolButton;
    button->setObjectName(theItem->objectName() + QStringLiteral("PopUp"));
    button->setAutoRaise(true);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setToolTip(theItem->toolTip());
    if (!theImage.isNull()) {
        button->setIcon(QIcon(QPixmap::fromImage(theImage)));
        button->setIconSize(theImage.size());
        button->setFixedSize(theImage.width() + 10, theImage.height());
    }
    setToolbarPopupButtonMenu(yov::nsArray(entry.value(QStringLiteral("UseAsPopupButton"))), button);
    theItem->setProperty("itemView", QVariant::fromValue<QWidget *>(button));
    theItem->setProperty("itemForm", QStringLiteral("popup"));
    auto *holder = new QWidgetAction(theItem);
    holder->setObjectName(theItem->objectName() + QStringLiteral("Holder"));
    holder->setDefaultWidget(button);
    // The view follows the item's enabled state.
    QObject::connect(theItem, &QAction::enabledChanged, button, &QWidget::setEnabled);
}

void MainController::setToolbarPopupButtonMenu(const QVariantList &entries, QToolButton *popupButton)
{
    if (!popupButton)
        return;
    auto *menu = new QMenu(popupButton);
    menu->setObjectName(popupButton->objectName() + QStringLiteral("Menu"));
    for (const QVariant &value : entries) {
        const QVariantMap entry = yov::nsDict(value);
        const QString title = yov::nsString(entry.value(QStringLiteral("itemTitle")));
        const QString action = yov::nsString(entry.value(QStringLiteral("itemAction")));
        QAction *item = menu->addAction(tr_(title));
        item->setProperty("englishTitle", title);
        if (!action.isEmpty())
            connectAction(item, action);
    }
    popupButton->setMenu(menu);
}

QStringList MainController::toolbarDefaultItemIdentifiers() const
{
    QStringList identifiers = toolbarAllowedItemIdentifiers();
    if (!yov::nsBool(setting(QStringLiteral("UseLogoAsButton"))))
        identifiers << kFlexibleSpace << kLogoIdentifier;
    return identifiers;
}

QStringList MainController::toolbarAllowedItemIdentifiers() const
{
    QStringList identifiers;
    for (const auto &item : toolbarItems_)
        if (item)
            identifiers << item->objectName();
    return identifiers;
}

QAction *MainController::itemForItemIdentifier(const QString &identifier)
{
    if (identifier == kLogoIdentifier) {
        auto *item = new QWidgetAction(this);
        item->setObjectName(kLogoIdentifier);
        setToolbarProviderLogo(item);
        customLogoToolbarItem_ = item;
        return item;
    }
    for (const auto &item : toolbarItems_)
        if (item && item->objectName() == identifier)
            return item;
    return nullptr;
}

QImage MainController::providerLogoImage() const
{
    if (yov::nsBool(setting(QStringLiteral("ChangeProviderLogo")))) {
        const QString folder = yov::nsString(setting(QStringLiteral("ProviderLogoFolder")));
        const QString image = yov::nsString(setting(QStringLiteral("ProviderLogoImage")));
        if (folder.isEmpty() || image.isEmpty())
            return {};
        return loadImageFile(QDir(folder).filePath(image));
    }
    if (yov::nsBool(setting(QStringLiteral("ProviderLogoLocalize"))))
        return loadImageFile(tr_(QStringLiteral("STRING_PROVIDER_LOGO_PATH")));
    return namedImage(QStringLiteral("ProviderLogoPlaceHolder"));
}

void MainController::setToolbarProviderLogo(QAction *item)
{
    auto *widgetItem = qobject_cast<QWidgetAction *>(item);
    if (!widgetItem)
        return;
    const QImage image = providerLogoImage();
    auto *view = new QLabel;
    view->setObjectName(QStringLiteral("viewextProviderLogo"));
    if (!image.isNull()) {
        view->setPixmap(QPixmap::fromImage(image));
        view->setFixedSize(image.size());
    }
    widgetItem->setDefaultWidget(view);
}

void MainController::resetProviderLogoImage(QAction *item)
{
    auto *widgetItem = qobject_cast<QWidgetAction *>(item);
    if (!widgetItem)
        return;
    const QImage image = loadImageFile(tr_(QStringLiteral("STRING_PROVIDER_LOGO_PATH")));
    if (image.isNull())
        return;
    if (auto *view = qobject_cast<QLabel *>(widgetItem->defaultWidget())) {
        view->setPixmap(QPixmap::fromImage(image));
        view->setFixedSize(image.size());
    }
}

// --- enabling ----------------------------------------------------------------------------------

void MainController::toolbarSetEnable(bool enable)
{
    for (const auto &item : toolbarItems_) {
        if (!item)
            continue;
        item->setEnabled(enable);
        if (!yovSkinManager()) {
            if (enable) {
                if (item->backUpAction)
                    item->backUpAction();
            } else {
                item->setProperty("itemAction", QString());
            }
        }
    }
    specialToolBarItemsSetEnable(enable);
    menuToolbarSetEnable(enable);
}

void MainController::toolbarSetItemEnable(bool enable, const QString &itemIdentifer)
{
    for (const auto &item : toolbarItems_) {
        if (!item || item->objectName() != itemIdentifer)
            continue;
        item->setEnabled(enable);
        if (!yovSkinManager()) {
            if (enable) {
                if (item->backUpAction)
                    item->backUpAction();
            } else {
                item->setProperty("itemAction", QString());
            }
        }
        return;
    }
}

void MainController::specialToolBarItemsSetEnable(bool enable)
{
    const bool connectEnabled = yov::nsBool(runtimeObjectForKey(QStringLiteral("IsConnectBtnEnable")));
    toolbarSetItemEnable(enable && connectEnabled, QStringLiteral("URLWithAlert"));
}

void MainController::setToolbarEnableWhenSimDetected(bool enable)
{
    if (yov::nsBool(setting(QStringLiteral("disableToolbarWhenNoSIM"))))
        toolbarSetEnable(enable);
}

void MainController::resetToolBar()
{
    const QVariantList skinEntries = yov::nsArray(uiConfigDict().value(QStringLiteral("ToolbarItems")));
    const QList<NSToolbarItemExt *> items = toolbarItemsArray();
    if (!skinEntries.isEmpty()) {
        for (int i = 0; i < items.size() && i < skinEntries.size(); ++i)
            items[i]->setToolTip(
                tr_(yov::nsString(yov::nsDict(skinEntries[i]).value(QStringLiteral("itemToolTip")))));
        return;
    }
    for (NSToolbarItemExt *item : items) {
        item->setText(tr_(item->englishLabel));
        item->setToolTip(tr_(item->englishToolTip));
    }
}

void MainController::updateStkTooltip(const yov::Notification &notification)
{
    const QString title = yov::nsString(notification.userInfo.value(QStringLiteral("StkMainTitle")));
    if (title.isEmpty())
        return;
    for (NSToolbarItemExt *item : toolbarItemsArray())
        if (item->objectName() == QLatin1String("STK"))
            item->setToolTip(tr_(title));
}

void MainController::dialConnectStart(const yov::Notification &notification)
{
    if (!hasModuleWith(QStringLiteral("ChangeAPN")))
        return;
    const bool starting = yov::nsBool(notification.userInfo.value(QStringLiteral("StartConnection")));
    toolbarSetItemEnable(!starting, QStringLiteral("ChangeAPN"));
}

void MainController::isAbleToConnect(const yov::Notification &notification)
{
    toolbarSetItemEnable(yov::nsBool(notification.userInfo.value(QStringLiteral("EnabledFlag"))),
                         QStringLiteral("URLWithAlert"));
}

void MainController::disableUSSDToolbarForMalaixiya()
{
    if (configService().isEnableToolbarForDUziva()) {
        toolbarSetEnable(false);
        if (configService().isSkinVersionForDEdorud())
            setIsHiddenForUSSDActive(false);
    }
    if (yov::nsBool(setting(QStringLiteral("USSD"), QStringLiteral("DisableUSSDToolbarForDiGi"))))
        toolbarSetItemEnable(false, QStringLiteral("USSD1"));
}

void MainController::setIsHiddenForUSSDActive(bool active)
{
    if (btnUSSDActive_) {
        btnUSSDActive_->setVisible(active);
        btnUSSDActive_->setEnabled(active);
    }
    // The USSD button takes the connect button's place.
    Neighbours::dial().setIsHiddenConnectBtn(active);
}

void MainController::insertUSSDToobarItem(int index)
{
    static const char *const keys[] = {"CurrentSkinName2", "CurrentSkinName", "CurrentSkinName1"};
    if (index < 0 || index > 2)
        return;
    const QString skin = yov::nsString(uiConfigDict().value(QString::fromLatin1(keys[index])));
    qCInfo(lcMainController).noquote() << "toolbar skin for index" << index << ":" << skin;
    // The named skin is loaded (its toolbar description with it), then the toolbar view's buttons
    // are made anew.
    if (!skin.isEmpty() && yovSkinManager()) {
        if (auto *manager = qobject_cast<YOVUIManager *>(yovSkinManager()->managerObject());
            manager && !manager->loadUIResourceBySkinName(skin))
            qCWarning(lcMainController).noquote() << "the skin" << skin << "could not be loaded";
    }
    if (skinToolbarView_) {
        rebuildSkinToolbarButtons();
        return;
    }
    if (auto *window = qobject_cast<QMainWindow *>(wndCompleteMain_.data()); window && !toolbarItems_.isEmpty())
        buildToolbarView(window);
}

} // namespace ostrel
