// Controls described in the settings module UIConfig: built, registered with the skin manager
// under their item names, re-localised and re-skinned.
#include "ostrel/framework/controller/YOVUIController.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/controller/Drawer.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/placement/FrameAdapter.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/Items.h"
#include "ostrel/framework/widgets/NSViewExt.h"
#include "ostrel/framework/widgets/ResourcePaths.h"

#include <QAction>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>

namespace ostrel {

namespace {

YOVUIController::ControlFactory &controlFactory()
{
    static YOVUIController::ControlFactory factory;
    return factory;
}

QAbstractButton *makeButton()
{
    if (controlFactory().button)
        return controlFactory().button();
    return new NSFlickerButton;
}

QWidget *makeViewExt()
{
    if (controlFactory().viewExt)
        return controlFactory().viewExt();
    return new NSViewExt;
}

QWidget *makeImageView()
{
    if (controlFactory().imageView)
        return controlFactory().imageView();
    return new NSImageView;
}

QString localized(const QString &english)
{
    return Map_Name_Item_of_IndexString(english);
}

// Old text alignments of the configuration: 0 left, 1 right, 2 centre, 3 justified, 4 natural.
Qt::Alignment alignmentOf(int style)
{
    switch (style) {
    case 1: return Qt::AlignRight | Qt::AlignVCenter;
    case 2: return Qt::AlignHCenter | Qt::AlignVCenter;
    case 3: return Qt::AlignJustify | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

void setControlToolTip(QObject *control, const QString &text)
{
    if (auto *w = qobject_cast<QWidget *>(control))
        w->setToolTip(text);
    else if (auto *a = qobject_cast<QAction *>(control))
        a->setToolTip(text);
}

void setControlTitle(QObject *control, const QString &text)
{
    if (auto *b = qobject_cast<NSButtonExt *>(control))
        b->setTitle(text);
    else if (auto *ab = qobject_cast<QAbstractButton *>(control))
        ab->setText(text);
    else if (auto *l = qobject_cast<QLabel *>(control))
        l->setText(text);
    else if (auto *e = qobject_cast<QLineEdit *>(control))
        e->setText(text);
    else if (auto *a = qobject_cast<QAction *>(control))
        a->setText(text);
    else if (auto *g = qobject_cast<QGroupBox *>(control))
        g->setTitle(text);
}

// A key equivalent of the configuration ("q"; an upper-case letter adds Shift) as a shortcut.
QKeySequence shortcutOf(const QString &keyEquiv)
{
    if (keyEquiv.isEmpty())
        return {};
    QString text = QStringLiteral("Ctrl+");
    const QChar key = keyEquiv.at(0);
    if (key.isUpper())
        text += QStringLiteral("Shift+");
    text += key.toUpper();
    return QKeySequence(text);
}

} // namespace

void YOVUIController::setControlFactory(const ControlFactory &factory)
{
    controlFactory() = factory;
}

QVariantMap YOVUIController::uiConfigDict() const
{
    return yov::nsDict(setting(QStringLiteral("UIConfig")));
}

QVariantList YOVUIController::uiConfigList(const QString &key) const
{
    return yov::nsArray(uiConfigDict().value(key));
}

bool YOVUIController::registerController(QObject *control, const QString &key, QWidget *superview)
{
    if (!control)
        return false;
    auto *widget = qobject_cast<QWidget *>(control);
    if (key.isEmpty() || !yovSkinManager_) {
        delete control;
        return false;
    }
    // The control joins its superview first: the skin places it inside that view.
    if (widget && superview) {
        widget->setParent(superview);
        widget->setVisible(true);
    }
    if (!yovSkinManager_->registerController(control, key, true)) {
        qCDebug(lcController) << "skin item" << key << "not registered: control dropped";
        delete control;
        return false;
    }
    return true;
}

QWidget *YOVUIController::createNSViewExtByKey(const QString &key, QWidget *superView)
{
    if (key.isEmpty())
        return nullptr;
    QWidget *view = makeViewExt();
    view->setGeometry(0, 0, 0, 0);
    return registerController(view, key, superView) ? view : nullptr;
}

QWidget *YOVUIController::createNSImageViewByKey(const QString &key, QWidget *superView)
{
    if (key.isEmpty())
        return nullptr;
    QWidget *view = makeImageView();
    view->setGeometry(0, 0, 1, 1);
    return registerController(view, key, superView) ? view : nullptr;
}

bool YOVUIController::initializeBtnsOfView(QWidget *view, const QString &key)
{
    if (!view)
        return false;
    bool made = false;
    for (const QVariant &item : uiConfigList(key)) {
        const QVariantMap entry = yov::nsDict(item);
        const QString identifier = yov::nsString(entry.value(QStringLiteral("itemIdentifier")));
        const QString name = yov::nsString(entry.value(QStringLiteral("itemName")));
        const QString action = yov::nsString(entry.value(QStringLiteral("itemAction")));
        if (identifier.isEmpty() || name.isEmpty() || action.isEmpty())
            continue;
        QAbstractButton *button = makeButton();
        button->setGeometry(0, 0, 0, 0);
        button->setProperty("itemIdentifier", identifier);
        if (auto *ext = qobject_cast<NSButtonExt *>(button))
            ext->setItemIdentifier(identifier);
        if (entry.contains(QStringLiteral("itemToolTip")))
            button->setToolTip(yov::nsString(entry.value(QStringLiteral("itemToolTip"))));
        if (entry.contains(QStringLiteral("itemBtnTitle"))) {
            const QString title = yov::nsString(entry.value(QStringLiteral("itemBtnTitle")));
            button->setProperty("itemLabel", title);
            if (auto *flicker = qobject_cast<NSFlickerButton *>(button))
                flicker->setItemLabel(title);
            setControlTitle(button, localized(title));
        }
        if (entry.contains(QStringLiteral("urlLabel"))) {
            const QString label = yov::nsString(entry.value(QStringLiteral("urlLabel")));
            button->setProperty("urlLabel", label);
            if (auto *ext = qobject_cast<NSButtonExt *>(button))
                ext->setUrlLabel(label);
        }
        if (QMenu *menu = createPopUpMenuFromConfig(yov::nsArray(entry.value(QStringLiteral("popupMenu"))))) {
            menu->setParent(button, menu->windowFlags());
            if (auto *flicker = qobject_cast<NSFlickerButton *>(button))
                flicker->setPopupMenu(menu);
            else
                button->setProperty("popupMenu", QVariant::fromValue<QObject *>(menu));
        }
        connectAction(button, action);
        if (registerController(button, name, view))
            made = true;
    }
    return made;
}

bool YOVUIController::initializeLabelsOfView(QWidget *view, const QString &key)
{
    if (!view)
        return false;
    bool made = false;
    for (const QVariant &item : uiConfigList(key)) {
        const QVariantMap entry = yov::nsDict(item);
        const QString name = yov::nsString(entry.value(QStringLiteral("itemName")));
        if (name.isEmpty())
            continue;
        const int width = yov::nsInt(entry.value(QStringLiteral("width")));
        const int height = yov::nsInt(entry.value(QStringLiteral("height")));
        const bool bordered = yov::nsBool(entry.value(QStringLiteral("isBordered")));
        const bool editable = yov::nsBool(entry.value(QStringLiteral("isEditable")));
        const bool drawsBackground = yov::nsBool(entry.value(QStringLiteral("isDrawsBackground")));
        const Qt::Alignment alignment = alignmentOf(yov::nsInt(entry.value(QStringLiteral("textAlignmentStyle"))));
        const QString text = yov::nsString(entry.value(QStringLiteral("itemStringValue")));
        QWidget *field = nullptr;
        if (editable) {
            auto *edit = new QLineEdit;
            edit->setFrame(bordered);
            edit->setAlignment(alignment);
            edit->setText(text);
            field = edit;
        } else {
            auto *label = new QLabel;
            label->setFrameStyle(bordered ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
            label->setAlignment(alignment);
            label->setTextFormat(Qt::PlainText);
            label->setText(text);
            field = label;
        }
        field->setAutoFillBackground(drawsBackground);
        field->setGeometry(0, 0, width, height);
        if (entry.contains(QStringLiteral("itemToolTip")))
            field->setToolTip(yov::nsString(entry.value(QStringLiteral("itemToolTip"))));
        if (registerController(field, name, view))
            made = true;
    }
    return made;
}

bool YOVUIController::initializeTabViewItemOfView(QTabWidget *tabView, const QString &key)
{
    if (!tabView)
        return false;
    bool made = false;
    for (const QVariant &item : uiConfigList(key)) {
        const QVariantMap entry = yov::nsDict(item);
        const QString name = yov::nsString(entry.value(QStringLiteral("itemName")));
        const QString identifier = yov::nsString(entry.value(QStringLiteral("itemIdentifier")));
        if (name.isEmpty() || identifier.isEmpty())
            continue;
        auto *page = new QWidget;
        QWidget *content = createNSViewExtByKey(name, page);
        if (content)
            page->resize(content->size());
        auto *tabItem = new NSTabViewItem(identifier, page, tabView);
        if (!yovSkinManager_ || !yovSkinManager_->registerController(tabItem, name, true)) {
            delete tabItem;
            delete page;
            continue;
        }
        tabItem->addToTabView(tabView);
        made = true;
    }
    return made;
}

bool YOVUIController::initializeImageViewOfView(QWidget *view, const QString &key)
{
    if (!view)
        return false;
    for (const QVariant &item : uiConfigList(key)) {
        const QString name = yov::nsString(item);
        if (!name.isEmpty())
            createNSImageViewByKey(name, view);
    }
    return false;
}

bool YOVUIController::initializeNSMatrixOfView(QWidget *view, const QString &key)
{
    if (!view)
        return false;
    bool made = false;
    for (const QVariant &item : uiConfigList(key)) {
        const QString name = yov::nsString(yov::nsDict(item).value(QStringLiteral("Name")));
        if (name.isEmpty())
            continue;
        auto *matrix = new NSMatrix(1, 1);
        if (registerController(matrix, name, view))
            made = true;
    }
    return made;
}

bool YOVUIController::initializeNSBoxOfView(QWidget *view, const QString &key)
{
    if (!view)
        return false;
    bool made = false;
    for (const QVariant &item : uiConfigList(key)) {
        const QVariantMap entry = yov::nsDict(item);
        const QString name = yov::nsString(entry.value(QStringLiteral("Name")));
        if (name.isEmpty() || !entry.contains(QStringLiteral("Title")))
            continue;
        auto *box = new QGroupBox(yov::nsString(entry.value(QStringLiteral("Title"))));
        box->setAlignment(Qt::AlignHCenter); // title on the top edge
        box->setFlat(false);                 // grooved frame
        if (registerController(box, name, view))
            made = true;
    }
    return made;
}

QMenu *YOVUIController::createPopUpMenuFromConfig(const QVariantList &entries)
{
    if (entries.isEmpty())
        return nullptr;
    auto *menu = new QMenu;
    menu->setTitle(QStringLiteral("popupMenu"));
    for (const QVariant &entry : entries)
        createMenuItem(yov::nsDict(entry), menu);
    return menu;
}

QAction *YOVUIController::createMenuItem(const QVariantMap &entry, QMenu *menu)
{
    if (!menu)
        return nullptr;
    if (yov::nsBool(entry.value(QStringLiteral("separatorItem"))))
        return menu->addSeparator();
    auto *action = new QAction(yov::nsString(entry.value(QStringLiteral("menuItemTitle"))), menu);
    action->setShortcut(shortcutOf(yov::nsString(entry.value(QStringLiteral("keyEquiv")))));
    const QString imageName = yov::nsString(entry.value(QStringLiteral("menuItemImageName")));
    if (!imageName.isEmpty()) {
        const QImage image = ResourcePaths::applicationImage(imageName);
        if (!image.isNull())
            action->setIcon(QIcon(QPixmap::fromImage(image)));
    }
    if (entry.contains(QStringLiteral("menuItemTag"))) {
        const int tag = yov::nsInt(entry.value(QStringLiteral("menuItemTag")));
        action->setData(tag);
        action->setProperty("tag", tag);
    }
    const QString selector = yov::nsString(entry.value(QStringLiteral("menuItemAction")));
    if (!selector.isEmpty())
        connectAction(action, selector);
    const QString name = yov::nsString(entry.value(QStringLiteral("menuItemName")));
    if (!name.isEmpty() && yovSkinManager_)
        yovSkinManager_->registerController(action, name, true);
    if (QMenu *sub = createPopUpMenuFromConfig(yov::nsArray(entry.value(QStringLiteral("popupMenu"))))) {
        sub->setParent(menu, sub->windowFlags());
        sub->setTitle(action->text());
        action->setMenu(sub);
    }
    menu->addAction(action);
    return action;
}

void YOVUIController::updateLanguagesOfDynamicItem(const QString &key)
{
    if (!yovSkinManager_)
        return;
    for (const QVariant &item : uiConfigList(key)) {
        const QVariantMap entry = yov::nsDict(item);
        const QString name = yov::nsString(entry.value(QStringLiteral("itemName")));
        if (name.isEmpty())
            continue;
        QObject *control = yovSkinManager_->controllerByKey(name);
        if (!control)
            continue;
        if (entry.contains(QStringLiteral("itemToolTip")))
            setControlToolTip(control, localized(yov::nsString(entry.value(QStringLiteral("itemToolTip")))));
        if (entry.contains(QStringLiteral("itemBtnTitle")))
            setControlTitle(control, localized(yov::nsString(entry.value(QStringLiteral("itemBtnTitle")))));
        updateMenuLanguage(yov::nsArray(entry.value(QStringLiteral("popupMenu"))));
        if (auto *button = qobject_cast<NSButtonExt *>(control))
            button->sizeToFit();
        else if (auto *widget = qobject_cast<QWidget *>(control))
            widget->adjustSize();
    }
}

void YOVUIController::updateMenuLanguage(const QVariantList &entries)
{
    if (!yovSkinManager_)
        return;
    for (const QVariant &item : entries) {
        const QVariantMap entry = yov::nsDict(item);
        const QString name = yov::nsString(entry.value(QStringLiteral("menuItemName")));
        if (!name.isEmpty() && entry.contains(QStringLiteral("menuItemTitle"))) {
            if (auto *action = qobject_cast<QAction *>(yovSkinManager_->controllerByKey(name)))
                action->setText(localized(yov::nsString(entry.value(QStringLiteral("menuItemTitle")))));
        }
        updateMenuLanguage(yov::nsArray(entry.value(QStringLiteral("popupMenu"))));
    }
}

void YOVUIController::updateDynamicControllersByKey(const QString &key)
{
    if (!yovSkinManager_)
        return;
    for (const QVariant &item : uiConfigList(key)) {
        const QString name = yov::nsString(yov::nsDict(item).value(QStringLiteral("itemName")));
        if (QObject *control = name.isEmpty() ? nullptr : yovSkinManager_->controllerByKey(name))
            yovSkinManager_->updateItem(control);
    }
}

void YOVUIController::setDynamicControllersEnabledByKey(const QString &key, bool enabled)
{
    if (!yovSkinManager_)
        return;
    for (const QVariant &item : uiConfigList(key)) {
        const QString name = yov::nsString(yov::nsDict(item).value(QStringLiteral("itemName")));
        QObject *control = name.isEmpty() ? nullptr : yovSkinManager_->controllerByKey(name);
        if (auto *widget = qobject_cast<QWidget *>(control))
            widget->setEnabled(enabled);
        else if (auto *action = qobject_cast<QAction *>(control))
            action->setEnabled(enabled);
    }
}

void YOVUIController::updateDynamicItemsByModule(const QString &imageName)
{
    if (!yovSkinManager_)
        return;
    yovSkinManager_->setImageForKey(QStringLiteral("wndMain"), imageName, true);
    yovSkinManager_->setImageForKey(QStringLiteral("wndMainTitlebar"), imageName, true);
    updateDynamicControllersByKey(QStringLiteral("TitlebarItems"));
    yovSkinManager_->setImageForKey(QStringLiteral("rightbar"), imageName, true);
    updateDynamicControllersByKey(QStringLiteral("RightbarItems"));
    yovSkinManager_->setImageForKey(QStringLiteral("wndMainStatusView"), imageName, true);
}

void YOVUIController::initializeDrawer()
{
    const QVariant infoValue = uiConfigDict().value(QStringLiteral("DrawerInfoDict"));
    if (!infoValue.isValid())
        return;
    const QVariantMap info = yov::nsDict(infoValue);
    auto number = [&info](const char *key) { return qreal(yov::nsFloat(info.value(QLatin1String(key)))); };
    auto *drawer = new Drawer(QSizeF(number("OriginWidth"), number("OriginHeight")));
    QWidget *content = makeViewExt();
    content->setGeometry(0, 0, 0, 0);
    if (yovSkinManager_)
        yovSkinManager_->registerController(content, QStringLiteral("drawContentView"), true);
    drawer->setParentWindow(wndMain);
    drawer->setContentView(content);
    drawer->setMinContentSize(QSizeF(number("MinWidth"), number("MinHeight")));
    drawer->setMaxContentSize(QSizeF(number("MaxWidth"), number("MaxHeight")));
    drawer->setLeadingOffset(number("LeadingOffset"));
    drawer->setTrailingOffset(number("TrailingOffset"));
    drawerMain = drawer;
    initializeBtnsOfView(content, QStringLiteral("DrawerItems"));
}

void YOVUIController::updateDrawerOffsetByWindow(const QString &windowName)
{
    if (!drawerMain)
        return;
    const QVariantMap info = yov::nsDict(uiConfigDict().value(QStringLiteral("DrawerInfoDict")));
    for (const QVariant &item : yov::nsArray(info.value(QStringLiteral("OffsetInfoArray")))) {
        const QVariantMap entry = yov::nsDict(item);
        if (yov::nsString(entry.value(QStringLiteral("ItemName"))) != windowName)
            continue;
        drawerMain->setLeadingOffset(yov::nsFloat(entry.value(QStringLiteral("LeadingOffset"))));
        drawerMain->setTrailingOffset(yov::nsFloat(entry.value(QStringLiteral("TrailingOffset"))));
        return;
    }
}

void YOVUIController::changeMainTabViewItemSize(const QString &identifier)
{
    if (identifier.isEmpty() || !yovSkinManager_)
        return;
    const QVariant sizesValue = yov::nsDict(uiConfigDict().value(QStringLiteral("changeWndInfo"))).value(identifier);
    if (!sizesValue.isValid())
        return;
    const QVariantMap sizes = yov::nsDict(sizesValue);
    auto number = [&sizes](const char *key) { return qreal(yov::nsFloat(sizes.value(QLatin1String(key)))); };

    if (auto *middle = qobject_cast<QWidget *>(yovSkinManager_->controllerByKey(QStringLiteral("viewMiddleChangeable")))) {
        const QRectF g = FrameAdapter::resizeKeepingOrigin(QRectF(middle->geometry()),
                                                           QSizeF(middle->width(), number("viewMiddleChangeableHeight")));
        middle->setGeometry(g.toRect());
    }
    if (auto *top = qobject_cast<QWidget *>(yovSkinManager_->controllerByKey(QStringLiteral("viewTopFixed")))) {
        const qreal containerHeight = top->parentWidget() ? top->parentWidget()->height() : 0;
        const QRectF g = FrameAdapter::moveSkinOrigin(QRectF(top->geometry()),
                                                      QPointF(number("viewTopFixedLeft"), number("viewTopFixedBottom")),
                                                      containerHeight);
        top->setGeometry(g.toRect());
    }
    if (!wndMain)
        return;
    // The window keeps its bottom-left corner and grows upwards, but its top never goes above the
    // top of the screen's visible area.
    const QRect old = wndMain->geometry();
    const int width = int(number("wndWidth"));
    const int height = int(number("wndHeight"));
    int top = old.top() + old.height() - height;
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen && top < screen->availableGeometry().top())
        top = screen->availableGeometry().top();
    wndMain->setGeometry(old.left(), top, width, height);
}

QVariantList YOVUIController::toolbarItemsSetting() const
{
    // "toolBarItems" of another type than a list would leave the window without a toolbar: the
    // shipped list stands in for it (the file is left as it is).
    const QVariant items = setting(QStringLiteral("toolBarItems"));
    if (!items.isValid() || items.typeId() == QMetaType::QVariantList || items.typeId() == QMetaType::QStringList)
        return yov::nsArray(items);
    qCWarning(lcController) << "toolBarItems in settings.plist is not a list; the shipped toolbar is used";
    return yov::nsArray(config_->shippedConfigurationByModule(QStringLiteral("toolBarItems")));
}

bool YOVUIController::hasModuleWith(const QString &identifier) const
{
    const QVariantMap ui = uiConfigDict();
    // The main window's rule: the skin's items when it lists them, else the top-level list.
    const bool useTopLevel = yov::nsBool(ui.value(QStringLiteral("NoToolbar"))) || !yovSkinManager_
                             || !ui.contains(QStringLiteral("ToolbarItems"));
    const QVariantList items = useTopLevel ? toolbarItemsSetting()
                                           : yov::nsArray(ui.value(QStringLiteral("ToolbarItems")));
    for (const QVariant &item : items) {
        if (yov::nsString(yov::nsDict(item).value(QStringLiteral("itemIdentifier"))) == identifier)
            return true;
    }
    return false;
}

} // namespace ostrel
