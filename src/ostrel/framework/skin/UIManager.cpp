#include "ostrel/framework/skin/UIManager.h"

#include "common/PlistBridge.h"
#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/Items.h"
#include "ostrel/framework/widgets/NSViewExt.h"
#include "ostrel/framework/widgets/NSWindowExt.h"
#include "ostrel/framework/widgets/SkinFrame.h"
#include "ostrel/framework/widgets/ViewPlacementWidgets.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"
#include "ostrel/framework/placement/ViewPlacement.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QWidget>

namespace ostrel {

Q_LOGGING_CATEGORY(lcSkin, "ostrel.skin")

using yov::nsArray;
using yov::nsBool;
using yov::nsDict;
using yov::nsDouble;
using yov::nsInt;
using yov::nsString;

namespace {

UIManager::LanguageProvider &defaultLanguageProvider()
{
    static UIManager::LanguageProvider provider;
    return provider;
}

QString k(const char *s) { return QString::fromLatin1(s); }

QString expandTilde(const QString &path)
{
    if (path == QLatin1String("~"))
        return QDir::homePath();
    if (path.startsWith(QLatin1String("~/")))
        return QDir::homePath() + path.mid(1);
    return path;
}

bool hasAll(const QVariantMap &item, std::initializer_list<const char *> keys)
{
    for (const char *key : keys)
        if (!item.contains(k(key)))
            return false;
    return true;
}

// Cuts an image strip into n equal slices, from the top (vertical) or from the left.
QList<QImage> sliceStrip(const QImage &strip, int n, bool vertical)
{
    QList<QImage> slices;
    if (n <= 0 || strip.isNull())
        return slices;
    const int w = vertical ? strip.width() : strip.width() / n;
    const int h = vertical ? strip.height() / n : strip.height();
    if (w <= 0 || h <= 0)
        return slices;
    for (int i = 0; i < n; ++i)
        slices << strip.copy(vertical ? QRect(0, i * h, w, h) : QRect(i * w, 0, w, h));
    return slices;
}

QStringList orderNames(const QString &order)
{
    QStringList names;
    for (const QString &n : order.split(QLatin1Char(',')))
        names << n.trimmed();
    return names;
}

QFont currentFontOf(QObject *control)
{
    if (auto *w = qobject_cast<QWidget *>(control))
        return w->font();
    if (auto *a = qobject_cast<QAction *>(control))
        return a->font();
    return QApplication::font();
}

bool applyFontTo(QObject *control, const QFont &font)
{
    if (auto *w = qobject_cast<QWidget *>(control)) {
        w->setFont(font);
        return true;
    }
    if (auto *a = qobject_cast<QAction *>(control)) {
        a->setFont(font);
        return true;
    }
    return false;
}

bool answersSetFont(QObject *control)
{
    return qobject_cast<QWidget *>(control) || qobject_cast<QAction *>(control);
}

qreal labelFontSize()
{
    return QFontInfo(QApplication::font()).pixelSize();
}

} // namespace

UIManager::UIManager(QObject *parent) : QObject(parent)
{
}

UIManager::~UIManager() = default;

void UIManager::setDefaultLanguageProvider(LanguageProvider provider)
{
    defaultLanguageProvider() = std::move(provider);
}

QString UIManager::currentLanguageName() const
{
    if (languageProvider_)
        return languageProvider_();
    if (defaultLanguageProvider())
        return defaultLanguageProvider()();
    return {};
}

ConfigManager *UIManager::configManager() const
{
    return config_ ? config_.data() : ConfigManager::sharedConfigManager();
}

bool UIManager::loadUIResource(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QString folder = expandTilde(path);
    if (!QFileInfo::exists(folder)) {
        qCWarning(lcSkin).noquote() << QStringLiteral("skin folder %1 does not exist").arg(folder);
        return false;
    }
    const QString file = descriptionFileFor(folder);
    QString error;
    const std::optional<QVariant> info = yov::PlistBridge::readFile(file, &error);
    if (!info || info->typeId() != QMetaType::QVariantMap) {
        qCWarning(lcSkin).noquote() << QStringLiteral("skin description %1 cannot be read: %2")
                                           .arg(file, error.isEmpty() ? QStringLiteral("not a dictionary") : error);
        return false;
    }
    skinInfo_ = info->toMap();
    skinPath_ = folder;
    skinInfoFile_ = file;
    return true;
}

QString UIManager::descriptionFileFor(const QString &folder) const
{
    ConfigManager *config = configManager();
    const QVariantList languages = config ? nsArray(config->getConfigurationByModule(k("SupportLanguages"))) : QVariantList();
    if (languages.isEmpty()) {
        const QString language = currentLanguageName();
        if (!language.isEmpty()) {
            const QString candidate = folder + QStringLiteral("/SkinInfo_") + language;
            if (QFileInfo(candidate).isFile())
                return candidate;
        }
    }
    return folder + QStringLiteral("/SkinInfo");
}

void UIManager::unloadUIResource()
{
    skinInfo_.clear();
    skinPath_ = QString();
    skinInfoFile_.clear();
}

void UIManager::prune() const
{
    controllerList_.removeIf([](const UINode &n) { return n.controller() == nullptr; });
}

int UIManager::indexOf(const QObject *control) const
{
    prune();
    for (int i = 0; i < controllerList_.size(); ++i)
        if (controllerList_.at(i).controller() == control)
            return i;
    return -1;
}

QList<UINode> UIManager::registrations() const
{
    prune();
    return controllerList_;
}

void UIManager::applyCommonFont(QObject *control)
{
    if (!answersSetFont(control))
        return;
    QVariantMap fontDict = nsDict(skinInfo_.value(k("allFont")));
    if (!skinInfo_.contains(k("allFont"))) {
        ConfigManager *config = configManager();
        if (config)
            fontDict = nsDict(config->getConfigurationByModuleAndKey(k("Main"), k("TextFont")));
    }
    if (fontDict.isEmpty())
        return;
    const QFont current = currentFontOf(control);
    qreal size = nsDouble(fontDict.value(k("FontSize")));
    if (size <= 0)
        size = QFontInfo(current).pixelSize();
    if (const auto font = createFont(nsString(fontDict.value(k("FontName"))), size, 0, &current))
        applyFontTo(control, *font);
}

bool UIManager::registerController(QObject *control, const QString &key, bool needReload)
{
    if (control)
        applyCommonFont(control);
    if (!hasSkin() || key.isEmpty() || !control)
        return false;
    if (skinInfo_.value(key).typeId() != QMetaType::QVariantMap)
        return false;
    if (indexOf(control) >= 0)
        return false;
    controllerList_.append(UINode(control, key));
    if (needReload)
        updataItem(control, key);
    return true;
}

void UIManager::removeController(QObject *control)
{
    const int i = indexOf(control);
    if (i >= 0)
        controllerList_.removeAt(i);
}

bool UIManager::updateItem(QObject *control)
{
    if (!hasSkin() || !control)
        return false;
    const int i = indexOf(control);
    if (i < 0)
        return false;
    return updataItem(control, controllerList_.at(i).name());
}

bool UIManager::updateUI()
{
    prune();
    if (!hasSkin() || controllerList_.isEmpty())
        return false;
    const QList<UINode> nodes = controllerList_; // an applier may register or remove
    for (const UINode &n : nodes)
        if (n.controller())
            updataItem(n.controller(), n.name());
    return true;
}

QObject *UIManager::controllerByKey(const QString &key) const
{
    if (key.isEmpty())
        return nullptr;
    prune();
    for (const UINode &n : controllerList_)
        if (n.name() == key)
            return n.controller();
    return nullptr;
}

QList<QObject *> UIManager::controllersByKey(const QString &key) const
{
    QList<QObject *> out;
    if (key.isEmpty())
        return out;
    prune();
    for (const UINode &n : controllerList_)
        if (n.name() == key)
            out << n.controller();
    return out;
}

bool UIManager::hasKey(const QString &key) const
{
    return skinInfo_.contains(key);
}

QVariantMap UIManager::itemInfoDictForKey(const QString &key) const
{
    if (!hasSkin())
        return {};
    return nsDict(skinInfo_.value(key));
}

// --- run-time changes ------------------------------------------------------------------------

bool UIManager::storeItem(const QString &key, const QVariantMap &item, bool needUpdate)
{
    skinInfo_.insert(key, item);
    if (needUpdate)
        updateItem(controllerByKey(key));
    return true;
}

bool UIManager::setImageForKey(const QString &key, int imageID, bool needUpdate)
{
    if (!hasSkin())
        return false;
    QVariantMap item = itemInfoDictForKey(key);
    const QVariantList images = nsArray(item.value(k("ImageArray")));
    if (imageID < 0 || imageID >= images.size())
        return false;
    item.insert(k("ImageName"), nsString(images.at(imageID)));
    return storeItem(key, item, needUpdate);
}

bool UIManager::setImageForKey(const QString &key, const QString &imageName, bool needUpdate)
{
    if (!hasSkin())
        return false;
    QVariantMap item = itemInfoDictForKey(key);
    const QString file = nsString(nsDict(item.value(k("ImageDict"))).value(imageName));
    if (file.isEmpty() || file == nsString(item.value(k("ImageName"))))
        return false;
    item.insert(k("ImageName"), file);
    for (const QVariant &v : nsArray(item.value(k("LocationArray")))) {
        const QVariantMap loc = nsDict(v);
        if (nsString(loc.value(k("ImageName"))) == file) {
            item.insert(k("Left"), loc.value(k("Left")));
            item.insert(k("Bottom"), loc.value(k("Bottom")));
            break;
        }
    }
    if (nsBool(item.value(k("CutImage")))) {
        for (const QVariant &v : nsArray(item.value(k("CutInfoArray")))) {
            const QVariantMap cut = nsDict(v);
            if (nsString(cut.value(k("ImageName"))) == file) {
                for (const char *c : {"CutLeft", "CutTop", "CutWidth", "CutHeight"})
                    item.insert(k(c), cut.value(k(c)));
                break;
            }
        }
    }
    return storeItem(key, item, needUpdate);
}

bool UIManager::setNewSizeForKey(const QString &key, const QString &itemName, bool needUpdate)
{
    if (!hasSkin())
        return false;
    QVariantMap item = itemInfoDictForKey(key);
    for (const QVariant &v : nsArray(item.value(k("SizeInfoArray")))) {
        const QVariantMap s = nsDict(v);
        if (nsString(s.value(k("ItemName"))) == itemName) {
            item.insert(k("Width"), s.value(k("Width")));
            item.insert(k("Height"), s.value(k("Height")));
            break;
        }
    }
    return storeItem(key, item, needUpdate);
}

bool UIManager::setNewLocationInSuperviewForKey(const QString &key, const QString &itemName, bool needUpdate)
{
    if (!hasSkin())
        return false;
    QVariantMap item = itemInfoDictForKey(key);
    for (const QVariant &v : nsArray(item.value(k("LocationInSuperviewArray")))) {
        const QVariantMap s = nsDict(v);
        if (nsString(s.value(k("ItemName"))) == itemName) {
            item.insert(k("PlacementInSuperviewMethod"), s.value(k("LocationInSuperview")));
            break;
        }
    }
    return storeItem(key, item, needUpdate);
}

// --- item readers ----------------------------------------------------------------------------

bool UIManager::getItemPoint(QPointF *point, const QString &key) const
{
    const QVariantMap item = itemInfoDictForKey(key);
    if (!hasAll(item, {"Left", "Bottom"}))
        return false;
    if (point)
        *point = QPointF(nsDouble(item.value(k("Left"))), nsDouble(item.value(k("Bottom"))));
    return true;
}

bool UIManager::getItemSize(QSizeF *size, const QString &key) const
{
    const QVariantMap item = itemInfoDictForKey(key);
    if (!hasAll(item, {"Width", "Height"}))
        return false;
    if (size)
        *size = QSizeF(nsDouble(item.value(k("Width"))), nsDouble(item.value(k("Height"))));
    return true;
}

bool UIManager::getItemRect(QRectF *rect, const QString &key) const
{
    QPointF p;
    QSizeF s;
    if (!getItemPoint(&p, key) || !getItemSize(&s, key))
        return false;
    if (rect)
        *rect = QRectF(p, s);
    return true;
}

bool UIManager::getItemCutRect(QRectF *rect, const QString &key) const
{
    const QVariantMap item = itemInfoDictForKey(key);
    if (!hasAll(item, {"CutLeft", "CutTop", "CutWidth", "CutHeight"}))
        return false;
    if (rect)
        *rect = QRectF(nsDouble(item.value(k("CutLeft"))), nsDouble(item.value(k("CutTop"))),
                       nsDouble(item.value(k("CutWidth"))), nsDouble(item.value(k("CutHeight"))));
    return true;
}

QImage UIManager::itemImage(QObject *control, const QString &key) const
{
    const QVariantMap item = itemInfoDictForKey(key);
    const QString name = nsString(item.value(k("ImageName")));
    if (name.isEmpty())
        return {};
    const QString file = QDir(skinPath_).filePath(name);
    QImage image(file);
    if (image.isNull()) {
        qCWarning(lcSkin).noquote() << QStringLiteral("skin image %1 of item %2 does not load").arg(file, key);
        return {};
    }
    if (nsBool(item.value(k("CutImage")))) {
        QRectF cut;
        if (!getItemCutRect(&cut, key))
            return image;
        return cutImageInRect(image, cut);
    }
    if (nsBool(item.value(k("Rescale")))) {
        QSizeF target = image.size();
        auto *w = qobject_cast<QWidget *>(control);
        if (nsBool(item.value(k("WidthFromController")))) {
            if (w)
                target.setWidth(w->width());
        } else if (nsBool(item.value(k("HeightFromController")))) {
            if (w)
                target.setHeight(w->height());
        } else if (nsBool(item.value(k("SizeFromController")))) {
            if (w)
                target = w->size();
        } else {
            QSizeF s;
            if (!getItemSize(&s, key))
                return image;
            target = s;
        }
        return rescaleImage(image, target);
    }
    return image;
}

// --- appliers --------------------------------------------------------------------------------

bool UIManager::updataItem(QObject *control, const QString &key)
{
    if (!control || key.isEmpty() || !hasSkin())
        return false;
    if (auto *w = qobject_cast<NSWindowExt *>(control)) // also NSPanelExt
        return updateNSWindowExt(w, key);
    if (auto *w = qobject_cast<NSWindow *>(control))
        return updateNSWindow(w, key);
    if (auto *w = qobject_cast<NSViewExt *>(control))
        return updateNSViewExt(w, key);
    if (auto *w = qobject_cast<NSImageView *>(control))
        return updateNSImageView(w, key);
    if (auto *b = qobject_cast<NSFlickerButton *>(control))
        return updateNSFlickerButton(b, key);
    if (auto *b = qobject_cast<NSButtonExt *>(control))
        return updateNSButtonExt(b, key);
    if (auto *b = qobject_cast<QAbstractButton *>(control))
        return updateNSButton(b, key);
    if (qobject_cast<QLabel *>(control) || qobject_cast<QLineEdit *>(control))
        return updateNSTextField(static_cast<QWidget *>(control), key);
    if (auto *c = qobject_cast<NSTextFieldCell *>(control))
        return updateNSTextFieldCell(c, key);
    if (auto *t = qobject_cast<NSTabViewItem *>(control))
        return updateNSTabViewItem(t, key);
    if (auto *b = qobject_cast<QGroupBox *>(control))
        return updateNSBox(b, key);
    if (auto *m = qobject_cast<NSMatrix *>(control))
        return updateNSMatrix(m, key);
    if (auto *w = qobject_cast<QWidget *>(control))
        return updateNSView(w, key);
    return false;
}

bool UIManager::setHidden(QWidget *view, const QString &key)
{
    const QVariantMap item = itemInfoDictForKey(key);
    if (!view || !item.contains(k("Hidden")))
        return false;
    view->setHidden(nsBool(item.value(k("Hidden"))));
    return true;
}

bool UIManager::setPosition(QWidget *view, const QString &key)
{
    QPointF origin;
    if (!view || !getItemPoint(&origin, key))
        return false;
    SkinFrame::setOrigin(view, origin);
    return true;
}

bool UIManager::setSize(QWidget *view, const QString &key)
{
    QSizeF size;
    if (!view || !getItemSize(&size, key))
        return false;
    SkinFrame::setSize(view, size);
    return true;
}

bool UIManager::setFont(QObject *control, const QString &key)
{
    if (!answersSetFont(control))
        return false;
    const QVariantMap item = itemInfoDictForKey(key);
    if (item.value(k("Font")).typeId() != QMetaType::QVariantMap)
        return false;
    const QVariantMap f = item.value(k("Font")).toMap();
    const qreal size = f.contains(k("FontSize")) ? nsDouble(f.value(k("FontSize"))) : labelFontSize();
    const QString name = nsString(f.value(k("FontName")));
    if (!name.isEmpty() && !fontFamilyExists(name))
        qCInfo(lcSkin).noquote() << QStringLiteral("font %1 of item %2 is not installed; the control's font is used")
                                        .arg(name, key);
    const QFont current = currentFontOf(control);
    const auto font = createFont(name, size, nsInt(f.value(k("FontTrait"))), &current);
    if (!font)
        return false;
    return applyFontTo(control, *font);
}

QColor UIManager::textColorForKey(const QString &key) const
{
    const QVariantMap item = itemInfoDictForKey(key);
    if (!item.contains(k("TextColorString")))
        return {};
    return colorWithNSString(nsString(item.value(k("TextColorString"))));
}

bool UIManager::setTextColor(QWidget *view, const QString &key)
{
    const QColor color = textColorForKey(key);
    if (!view || !color.isValid())
        return false;
    QPalette p = view->palette();
    p.setColor(QPalette::WindowText, color);
    p.setColor(QPalette::Text, color);
    view->setPalette(p);
    return true;
}

bool UIManager::setMatrixColor(QWidget *matrix, const QString &key)
{
    auto *m = qobject_cast<NSMatrix *>(matrix);
    const QColor color = textColorForKey(key);
    if (!m || !color.isValid())
        return false;
    for (QAbstractButton *cell : m->cells())
        if (auto *c = qobject_cast<NSButtonCellExt *>(cell))
            c->setTitleColor(color);
    return true;
}

bool UIManager::setGroupFlickerBtn(NSFlickerButton *button, const QString &key)
{
    const QVariantMap item = itemInfoDictForKey(key);
    const QString group = nsString(item.value(k("GroupBtnID")));
    if (!button || group.isEmpty())
        return false;
    button->setGroupButton(group, nsBool(item.value(k("GroupBtnDefault"))));
    return true;
}

bool UIManager::updateButtonTitleColor(NSButtonExt *button, const QString &key)
{
    const QColor color = textColorForKey(key);
    if (!button || !color.isValid())
        return false;
    button->setTitleColor(color);
    return true;
}

bool UIManager::placementSubviews(QWidget *view, const QString &key)
{
    const QVariantList entries = nsArray(itemInfoDictForKey(key).value(k("PlacementSubviewMethod")));
    if (!view || entries.isEmpty())
        return false;
    for (const QVariant &v : entries) {
        const PlacementEntry e = ViewPlacement::parseEntry(nsString(v));
        ViewPlacementWidgets::placementSubViewsSpacingPixel(view, e.pixels, e.mode);
    }
    return true;
}

bool UIManager::placementInSuperview(QWidget *view, const QString &key)
{
    const QVariantList entries = nsArray(itemInfoDictForKey(key).value(k("PlacementInSuperviewMethod")));
    if (!view || entries.isEmpty())
        return false;
    for (const QVariant &v : entries) {
        const PlacementEntry e = ViewPlacement::parseEntry(nsString(v));
        ViewPlacementWidgets::placementInSuperViewSpacingPixel(view, e.pixels, e.mode);
    }
    return true;
}

bool UIManager::updateNSView(QWidget *view, const QString &key)
{
    setPosition(view, key);
    setSize(view, key);
    placementSubviews(view, key);
    placementInSuperview(view, key);
    setHidden(view, key);
    return true;
}

bool UIManager::updateNSViewExt(QWidget *view, const QString &key)
{
    const QImage image = itemImage(view, key);
    if (!image.isNull()) {
        SkinFrame::setSize(view, image.size());
        static_cast<NSViewExt *>(view)->setImage(image);
    }
    return updateNSView(view, key);
}

bool UIManager::updateNSImageView(QWidget *view, const QString &key)
{
    const QImage image = itemImage(view, key);
    if (!image.isNull()) {
        SkinFrame::setSize(view, image.size());
        static_cast<NSImageView *>(view)->setImage(image);
    }
    return updateNSView(view, key);
}

bool UIManager::updateNSWindow(QWidget *window, const QString &key)
{
    auto *w = qobject_cast<NSWindow *>(window);
    if (!w)
        return false;
    const QImage image = itemImage(window, key);
    auto *content = qobject_cast<NSViewExt *>(w->contentView());
    if (!image.isNull() && content) {
        SkinFrame::setSize(content, image.size());
        content->setImage(image);
    }
    return true;
}

bool UIManager::updateNSWindowExt(QWidget *window, const QString &key)
{
    updateNSWindow(window, key);
    auto *w = qobject_cast<NSWindow *>(window);
    if (w && w->contentView())
        SkinFrame::setSize(w, w->contentView()->size());
    return true;
}

bool UIManager::updateNSButton(QWidget *button, const QString &key)
{
    setFont(button, key);
    return updateNSView(button, key);
}

bool UIManager::updateNSButtonExt(NSButtonExt *button, const QString &key)
{
    updateButtonTitleColor(button, key);
    updateNSButtonExtImage(button, key);
    return updateNSButton(button, key);
}

bool UIManager::updateNSFlickerButton(NSFlickerButton *button, const QString &key)
{
    const QVariantMap item = itemInfoDictForKey(key);
    button->setFlickerButtonStyle();
    setFont(button, key);
    updateButtonTitleColor(button, key);
    button->setImagePosition(item.contains(k("BtnImagePos")) ? nsInt(item.value(k("BtnImagePos"))) : 1);
    updateNSFlickerButtonImage(button, key);
    setGroupFlickerBtn(button, key);
    updateNSFlickerButtonTitleColor(button, key);
    return updateNSView(button, key);
}

bool UIManager::updateNSTextField(QWidget *field, const QString &key)
{
    setTextColor(field, key);
    setFont(field, key);
    return updateNSView(field, key);
}

bool UIManager::updateNSTextFieldCell(NSTextFieldCell *cell, const QString &key)
{
    if (!cell)
        return false;
    const QColor color = textColorForKey(key);
    if (color.isValid())
        cell->setTextColor(color);
    const QVariantMap item = itemInfoDictForKey(key);
    if (item.contains(k("Hidden")))
        cell->setHidden(nsBool(item.value(k("Hidden"))));
    return true;
}

bool UIManager::updateNSTabViewItem(QObject *, const QString &)
{
    return true; // a tab item has no state of its own in the skin
}

bool UIManager::updateNSBox(QWidget *box, const QString &key)
{
    setHidden(box, key);
    setSize(box, key);
    return true;
}

bool UIManager::updateNSMatrix(QWidget *matrix, const QString &key)
{
    setFont(matrix, key);
    setMatrixColor(matrix, key);
    setHidden(matrix, key);
    setPosition(matrix, key);
    setSize(matrix, key);
    return true;
}

bool UIManager::updateNSFlickerButtonImage(NSFlickerButton *button, const QString &key)
{
    const QImage strip = itemImage(button, key);
    if (strip.isNull())
        return false;
    const QVariantMap item = itemInfoDictForKey(key);
    QString order = nsString(item.value(k("BtnImageOrder")));
    if (order.isEmpty())
        order = QStringLiteral("Up,Down,Disable,In");
    const QStringList names = orderNames(order);
    const bool vertical = nsString(item.value(k("BtnStyle"))) == QLatin1String("Vertical");
    const QList<QImage> slices = sliceStrip(strip, int(names.size()), vertical);
    for (int i = 0; i < slices.size(); ++i) {
        const QString &name = names.at(i);
        if (name == QLatin1String("Up")) {
            button->setImageUp(slices.at(i));
            button->setImage(slices.at(i));
        } else if (name == QLatin1String("Down")) {
            button->setImageDn(slices.at(i));
        } else if (name == QLatin1String("Disable")) {
            button->setImageDisable(slices.at(i));
        } else if (name == QLatin1String("In")) {
            button->setImageIn(slices.at(i));
        }
    }
    button->sizeToFit();
    return true;
}

bool UIManager::updateNSButtonExtImage(NSButtonExt *button, const QString &key)
{
    const QImage strip = itemImage(button, key);
    if (strip.isNull())
        return false;
    // A button extension has two states; any other order is read as "Up,Down".
    const QStringList names{QStringLiteral("Up"), QStringLiteral("Down")};
    button->setButtonType(NSButtonExt::MomentaryChange);
    button->setBordered(false);
    const QString style = nsString(itemInfoDictForKey(key).value(k("BtnStyle")));
    if (style == QLatin1String("Vertical") || style == QLatin1String("Horizontal")) {
        const QList<QImage> slices = sliceStrip(strip, 2, style == QLatin1String("Vertical"));
        if (slices.size() == 2) {
            button->setImage(slices.at(0));
            button->setAlternateImage(slices.at(1));
        }
    }
    button->sizeToFit();
    return true;
}

bool UIManager::updateNSFlickerButtonTitleColor(NSFlickerButton *button, const QString &key)
{
    const QVariantMap colors = nsDict(itemInfoDictForKey(key).value(k("BtnTitleColorDict")));
    if (!button || colors.isEmpty())
        return false;
    const QColor up = colorWithNSString(nsString(colors.value(k("Up"))));
    if (up.isValid()) {
        button->setTitleColor(up);
        button->setUpTitleColor(up);
    }
    const QColor in = colorWithNSString(nsString(colors.value(k("In"))));
    if (in.isValid())
        button->setInTitleColor(in);
    const QColor down = colorWithNSString(nsString(colors.value(k("Down"))));
    if (down.isValid())
        button->setDnTitleColor(down);
    return true;
}

} // namespace ostrel
