#include "ostrel/framework/controller/YOVUIController.h"

#include "common/TextFormat.h"
#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/controller/AlertSounds.h"
#include "ostrel/framework/controller/NotificationCoverage.h"
#include "common/util/CalendarFormat.h"
#include "ostrel/framework/language/Language.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/plugin/PluginHost.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"
#include "platform/Clock.h"
#include "platform/alert/AlertPresenter.h"

#include <QAbstractButton>
#include <QAction>
#include <QDesktopServices>
#include <QDialog>
#include <QMetaMethod>
#include <QTabWidget>
#include <QWidget>

Q_LOGGING_CATEGORY(lcController, "ostrel.controller")

namespace ostrel {

const NotificationTableRow yovUINotificationTable[] = {
    {"deviceRemoved:", "DeviceRemoved"},
    {"devicePlugin:", "DevicePlugin"},
    {"simReady:", "SimReady"},
    {"setDataServicesStatus:", "DataServiceSwitch"},
    {"tabViewItemWillChange:", "TabViewItemWillChange"},
    {"tabViewItemDidChange:", "TabViewItemDidChange"},
    {"applicationReady:", "AppReady"},
    {"applicationWillClose:", "AppWillClose"},
    {"connectStatusDidChange:", "ConnectStatusDidChange"},
    {"isAbleToConnect:", "IsAbleToConnect"},
    {"dialConnectStart:", "StartConnection"},
    {nullptr, nullptr},
};

const NotificationTableRow mainWindowChangeNotificationTable[] = {
    {"changeMainWindowOfApp:", "MainwindOfAppChanged"},
    {nullptr, nullptr},
};

namespace {

std::function<bool(const QUrl &)> &urlOpener()
{
    static std::function<bool(const QUrl &)> opener = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
    return opener;
}

// "name:with:" -> "name"
QByteArray methodNameOfSelector(const QByteArray &selector)
{
    const int colon = selector.indexOf(':');
    return (colon < 0 ? selector : selector.left(colon)).trimmed();
}

// Handlers and actions are the slots and invokable methods that the controller classes declare:
// never a signal, and never a method of QObject itself (deleteLater must not be configurable).
bool isControllerMethod(const QMetaObject *mo, int index)
{
    if (index < YOVUIController::staticMetaObject.methodOffset())
        return false;
    const QMetaMethod method = mo->method(index);
    return method.methodType() == QMetaMethod::Slot || method.methodType() == QMetaMethod::Method;
}

} // namespace

ControllerContext &ControllerContext::shared()
{
    static ControllerContext context;
    return context;
}

YOVUIController::YOVUIController(QObject *parent)
    : YOVUIController(ControllerContext::shared(), parent)
{
}

YOVUIController::YOVUIController(const ControllerContext &context, QObject *parent)
    : QObject(parent)
{
    config_ = context.config ? context.config : ConfigManager::sharedConfigManager();
    yovMsgCenter_ = context.msgCenter;
    yovSkinManager_ = context.skinManager;
    yovLanguage_ = context.language;
    notificationCenter_ = context.notificationCenter ? context.notificationCenter : &yov::NotificationCenter::defaultCenter();
    clock_ = context.clock ? context.clock : &yov::Clock::system();
    notificationCoverage_ = context.notificationCoverage;

    customDateFormat_ = yov::nsString(setting(QStringLiteral("CustomDateFormat")));
    const QVariantMap textFont = yov::nsDict(setting(QStringLiteral("Main"), QStringLiteral("TextFont")));
    if (!textFont.isEmpty()) {
        fontName_ = yov::nsString(textFont.value(QStringLiteral("FontName")));
        fontSize_ = yov::nsFloat(textFont.value(QStringLiteral("FontSize")));
        if (!fontName_.isEmpty())
            font_ = createFont(fontName_, fontSize_, 0, nullptr);
    }

    // The configured alert sounds are decoded ahead of their first play.
    QStringList soundFiles;
    for (int type = 0; type < AlertSounds::kTypeCount; ++type)
        soundFiles.append(soundFileName(type));
    AlertSounds::shared().preload(soundFiles);
}

YOVUIController::~YOVUIController()
{
    cancelDelayedStops();
    // A controller that goes takes its own sound with it, never another controller's (a picker
    // closed during a call must not silence the ring).
    if (AlertSounds::shared().owner() == this)
        stopSound();
    notificationCenter_->removeObserver(this);
}

// --- settings --------------------------------------------------------------------------------

QVariant YOVUIController::setting(const QString &key) const
{
    return config_->getConfigurationByModule(key);
}

QVariant YOVUIController::setting(const QString &module, const QString &key) const
{
    return config_->getConfigurationByModuleAndKey(module, key);
}

void YOVUIController::writeSettings()
{
    if (!config_->writeToFile())
        qCWarning(lcController) << "settings could not be written";
}

// --- life cycle -----------------------------------------------------------------------------

void YOVUIController::awakeFromNib()
{
    initializeSkin();
    initializeNibResources();
    registerMessages();
    initializeController();
    loadCommonBundle();

    if (yovLanguage_) {
        yovLanguage_->registerObserver(this, "updateLanguages", true);
    } else {
        notificationCenter_->addObserver(this, QStringLiteral("UpdateLanguage"), nullptr,
                                         [this](const yov::Notification &) { updateLanguages(); });
    }
    registerNotification(yovUINotificationTable);
}

int YOVUIController::findHandler(const char *selector, bool withArgument) const
{
    const QByteArray name = methodNameOfSelector(selector);
    if (name.isEmpty())
        return -1;
    const QByteArray signature = withArgument ? name + "(yov::Notification)" : name + "()";
    const int index = metaObject()->indexOfMethod(QMetaObject::normalizedSignature(signature.constData()).constData());
    if (index < 0)
        return -1;
    return isControllerMethod(metaObject(), index) ? index : -1;
}

bool YOVUIController::registerNotification(const NotificationTableRow *table)
{
    if (!table)
        return false;
    for (const NotificationTableRow *row = table; row->selector; ++row) {
        if (!row->notification)
            continue;
        const int index = findHandler(row->selector, true);
        if (index < 0) {
            if (notificationCoverage_)
                notificationCoverage_->skipped(metaObject()->className(), row->selector, row->notification);
            else
                qCDebug(lcController) << metaObject()->className() << "has no handler" << row->selector
                                      << "for" << row->notification << ": skipped";
            continue;
        }
        if (notificationCoverage_)
            notificationCoverage_->handled(row->selector, row->notification);
        notificationCenter_->addObserver(this, QString::fromLatin1(row->notification), nullptr,
                                         [this, index](const yov::Notification &n) {
                                             yov::Notification copy = n;
                                             void *args[] = {nullptr, &copy};
                                             QMetaObject::metacall(this, QMetaObject::InvokeMetaMethod, index, args);
                                         });
    }
    return true;
}

// --- notifications --------------------------------------------------------------------------

void YOVUIController::notifyDeviceRemoved() { notificationCenter_->post(QStringLiteral("DeviceRemoved"), this); }
void YOVUIController::notifyDevicePlugin() { notificationCenter_->post(QStringLiteral("DevicePlugin"), this); }
void YOVUIController::notifySimReady() { notificationCenter_->post(QStringLiteral("SimReady"), this); }
void YOVUIController::notifyAppReady() { notificationCenter_->post(QStringLiteral("AppReady"), this); }
void YOVUIController::notifyAppWillClose() { notificationCenter_->post(QStringLiteral("AppWillClose"), this); }

void YOVUIController::notifyDataServiceSwitch(bool on)
{
    notificationCenter_->post(QStringLiteral("DataServiceSwitch"), this, {{QStringLiteral("DataServiceSwitch"), on}});
}

void YOVUIController::notifyChangeTabViewItem(const QString &identifier)
{
    if (identifier.isNull())
        return;
    if (yovSkinManager_)
        yovSkinManager_->setImageForKey(QStringLiteral("wndMainTabviewBack"), identifier, true);
    const QVariantMap info{{QStringLiteral("TabViewItemWillChange"), identifier}};
    notificationCenter_->post(QStringLiteral("TabViewItemWillChange"), nullptr, info);
    if (tabviewMain) {
        const int index = tabViewItemOfIdentifier(tabviewMain, identifier);
        if (index >= 0)
            tabviewMain->setCurrentIndex(index);
    }
    notificationCenter_->post(QStringLiteral("TabViewItemDidChange"), nullptr, info);
}

void YOVUIController::notifyChangeLanguage()
{
    if (yovLanguage_)
        yovLanguage_->update();
    else
        notificationCenter_->post(QStringLiteral("UpdateLanguage"), this);
}

void YOVUIController::changeMainWindowOfApp(const yov::Notification &notification)
{
    auto *window = qobject_cast<QWidget *>(notification.userInfo.value(QStringLiteral("window")).value<QObject *>());
    if (window == wndMain)
        return;
    closeAllSheetsOfMainWnd();
    wndMain = window;
}

namespace {
// The visible window-modal window attached to the window, if any.
QWidget *sheetOf(QWidget *window)
{
    if (!window)
        return nullptr;
    const auto children = window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *child : children) {
        if (child->isWindow() && child->isVisible()
            && (child->windowModality() == Qt::WindowModal || (child->windowFlags() & Qt::Sheet) == Qt::Sheet))
            return child;
    }
    return nullptr;
}
} // namespace

void YOVUIController::closeAllSheetsOfMainWnd()
{
    QList<QPointer<QWidget>> chain;
    for (QWidget *sheet = sheetOf(wndMain); sheet && chain.size() < 64; sheet = sheetOf(sheet))
        chain.append(sheet);
    for (auto it = chain.crbegin(); it != chain.crend(); ++it) {
        QWidget *sheet = *it;
        if (!sheet)
            continue;
        if (auto *dialog = qobject_cast<QDialog *>(sheet))
            dialog->done(QDialog::Rejected);
        else
            sheet->hide();
    }
}

// --- actions --------------------------------------------------------------------------------

bool YOVUIController::performAction(const QString &selector, QObject *sender)
{
    const QByteArray name = methodNameOfSelector(selector.toLatin1());
    if (!name.isEmpty()) {
        const QMetaObject *mo = metaObject();
        for (const QByteArray &signature : {name + "(QObject*)", name + "()"}) {
            const int index = mo->indexOfMethod(signature.constData());
            if (!isControllerMethod(mo, index))
                continue;
            QObject *argument = sender;
            void *args[] = {nullptr, &argument};
            QMetaObject::metacall(this, QMetaObject::InvokeMetaMethod, index, args);
            return true;
        }
    }
    qCWarning(lcController).noquote() << metaObject()->className() << "has no action" << selector;
    return false;
}

void YOVUIController::connectAction(QAbstractButton *button, const QString &selector)
{
    if (!button || selector.isEmpty())
        return;
    QPointer<QAbstractButton> guard(button);
    connect(button, &QAbstractButton::clicked, this, [this, guard, selector] { performAction(selector, guard); });
}

void YOVUIController::connectAction(QAction *action, const QString &selector)
{
    if (!action || selector.isEmpty())
        return;
    QPointer<QAction> guard(action);
    connect(action, &QAction::triggered, this, [this, guard, selector] { performAction(selector, guard); });
}

// --- utilities ------------------------------------------------------------------------------

void YOVUIController::setUrlOpener(std::function<bool(const QUrl &)> opener)
{
    if (opener)
        urlOpener() = std::move(opener);
    else
        urlOpener() = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
}

void YOVUIController::openSafari(const QString &url)
{
    if (url.isEmpty())
        return;
    const QUrl parsed(url, QUrl::StrictMode);
    if (!parsed.isValid() || parsed.scheme().isEmpty()) {
        qCInfo(lcController) << "not a URL:" << url;
        return;
    }
    if (!urlOpener()(parsed))
        qCWarning(lcController) << "the browser could not open" << parsed.toDisplayString();
}

QVariant YOVUIController::webURLForKey(const QString &key) const
{
    return yov::nsDict(setting(QStringLiteral("webURLDict"))).value(key);
}

void YOVUIController::tbiMainURLActionExt(QObject *sender)
{
    if (!sender)
        return;
    QString identifier;
    if (auto *button = qobject_cast<NSButtonExt *>(sender))
        identifier = button->itemIdentifier();
    else
        identifier = sender->property("itemIdentifier").toString();
    const QString format = yov::nsString(webURLForKey(identifier));
    if (format.isEmpty()) {
        qCInfo(lcController) << "no web link for" << identifier;
        return;
    }
    // The link is operator data: its placeholders are filled in order, never read as printf.
    const QString url = yov::formatPlaceholders(format, {yov::nsString(runtimeObjectForKey(QStringLiteral("runtimePhoneNumber"))),
                                                         yov::nsString(runtimeObjectForKey(QStringLiteral("runtimeIMEI")))});
    openSafari(url);
}

QString YOVUIController::formatStringFromDate(const QDateTime &date) const
{
    if (!date.isValid())
        return QString();
    if (!customDateFormat_.isEmpty())
        return yov::formatCalendarDate(date, customDateFormat_);
    return yov::formatSystemDate(date);
}

QString YOVUIController::getControlWordingValueByKey(const QString &key, int module) const
{
    QString lookup = key;
    if (module == 5 && yov::nsBool(setting(QStringLiteral("SMS"), QStringLiteral("RenameCancelWording")))) {
        if (key == QLatin1String("Cancel"))
            lookup = QStringLiteral("Cancel_SMS");
        else if (key == QLatin1String("cancel:"))
            lookup = QStringLiteral("Cancel_SMS:");
    }
    return Map_Name_Item_of_IndexString(lookup);
}

QString YOVUIController::trimString(const QString &text, const std::function<bool(QChar)> &set, int length)
{
    QString out;
    if (text.isEmpty() || !set || length <= 0)
        return out;
    for (const QChar c : text) {
        if (out.size() >= length)
            break;
        if (set(c))
            out.append(c);
    }
    return out;
}

// --- run-time dictionary --------------------------------------------------------------------

QVariantMap YOVUIController::runtimeDictionary()
{
    const QVariant current = setting(QStringLiteral("RuntimeData"));
    if (current.metaType().id() == QMetaType::QVariantMap)
        return current.toMap();
    config_->setConfigurationByModule(QStringLiteral("RuntimeData"), QVariantMap());
    return {};
}

QVariant YOVUIController::runtimeObjectForKey(const QString &key) const
{
    return yov::nsDict(setting(QStringLiteral("RuntimeData"))).value(key);
}

void YOVUIController::setRuntimeObject(const QVariant &value, const QString &key)
{
    if (!value.isValid() || key.isEmpty())
        return;
    runtimeDictionary();
    config_->updateModule(QStringLiteral("RuntimeData"), [&](QVariant &module) {
        QVariantMap map = module.toMap();
        map.insert(key, value);
        module = map;
    });
}

bool YOVUIController::deleteRuntimeDictionary()
{
    return removeRuntimeData(config_);
}

bool YOVUIController::removeRuntimeData(ConfigManager *config)
{
    ConfigManager *store = config ? config : ConfigManager::sharedConfigManager();
    store->removeConfigurationByModule(QStringLiteral("RuntimeData"));
    return store->writeToFile();
}

// --- plug-ins -------------------------------------------------------------------------------

QVariantMap YOVUIController::objectsDict() const
{
    QVariantMap objects;
    auto add = [&objects](const char *name, QObject *object) {
        if (object)
            objects.insert(QString::fromLatin1(name), QVariant::fromValue<QObject *>(object));
    };
    add("wndMain", wndMain);
    add("tabviewMain", tabviewMain);
    add("wndMainPopup", wndMainPopup);
    add("yovMsgCenter", yovMsgCenter_);
    add("yovSkinManager", yovSkinManager_ ? yovSkinManager_->managerObject() : nullptr);
    add("tabviewSetting", tabviewSetting);
    add("yovLanguage", yovLanguage_);
    return objects;
}

bool YOVUIController::loadPlugin(const QString &bundleName, const QString &tabIdentifier)
{
    if (bundleName.isEmpty() || tabIdentifier.isEmpty() || !tabviewMain)
        return false;
    const int index = tabViewItemOfIdentifier(tabviewMain, tabIdentifier);
    if (index < 0)
        return false;
    if (loadedBundle_) {
        qCWarning(lcController) << metaObject()->className() << "already hosts a plug-in; not loading" << bundleName;
        return false;
    }
    auto host = std::make_unique<PluginHost>();
    TabPluginInterface *plugin = host->load(bundleName);
    if (!plugin)
        return false;
    if (!plugin->initWithParam(objectsDict())) {
        qCWarning(lcController) << "plug-in" << bundleName << "refused its start";
        return false;
    }
    QWidget *view = plugin->bundleView();
    if (!view) {
        qCWarning(lcController) << "plug-in" << bundleName << "has no view";
        return false;
    }
    loadedBundle_ = std::move(host);
    bundleInstance_ = plugin;

    // The tab keeps its identifier and label; its page becomes the plug-in's view. The former
    // page is kept (hidden) for the run.
    QWidget *oldPage = tabviewMain->widget(index);
    const QString label = tabviewMain->tabText(index);
    const bool wasCurrent = tabviewMain->currentIndex() == index;
    viewOfOldTavViewItem_ = oldPage;
    setTabViewItemIdentifier(view, tabIdentifier);
    tabviewMain->removeTab(index);
    tabviewMain->insertTab(index, view, label);
    if (oldPage)
        oldPage->hide();
    if (wasCurrent)
        tabviewMain->setCurrentIndex(index);
    return true;
}

void YOVUIController::reportRequestNotSent(int major, int minor) const
{
    const QString who = QString::fromLatin1(metaObject()->className());
    if (!yovMsgCenter_)
        qCWarning(lcController).noquote()
            << QStringLiteral("%1: no message center, request %2/%3 not sent").arg(who).arg(major).arg(minor);
    else
        qCWarning(lcController).noquote()
            << QStringLiteral("%1: request %2/%3 was not delivered to the device service").arg(who).arg(major).arg(minor);
}

// --- alerts ---------------------------------------------------------------------------------

int NSRunAlertPanelExt(const QString &title, const QString &message, const QString &defaultButton,
                       const QString &alternateButton)
{
    return yov::AlertPresenter::shared().runAlert({title, message, defaultButton, alternateButton});
}

void NSBeginAlertPanelExt(const QString &title, const QString &message, const QString &defaultButton,
                          const QString &alternateButton, std::function<void(int)> onAnswer)
{
    yov::AlertPresenter::shared().showAlert({title, message, defaultButton, alternateButton}, std::move(onAnswer));
}

void YOVUIController::NSBeginAlertPanelExt(const QString &title, const QString &message, const QString &defaultButton,
                                           const QString &alternateButton, std::function<void(int)> onAnswer)
{
    std::function<void(int)> guarded;
    if (onAnswer)
        guarded = [self = QPointer<YOVUIController>(this), onAnswer = std::move(onAnswer)](int answer) {
            if (self)
                onAnswer(answer);
        };
    ostrel::NSBeginAlertPanelExt(title, message, defaultButton, alternateButton, std::move(guarded));
}

} // namespace ostrel
