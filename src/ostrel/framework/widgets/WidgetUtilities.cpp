#include "ostrel/framework/widgets/WidgetUtilities.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/widgets/NSViewExt.h"
#include "ostrel/framework/widgets/ResourcePaths.h"
#include "ostrel/framework/widgets/SkinFrame.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPainter>
#include <QRegularExpression>
#include <QTabWidget>

#include <cmath>

namespace ostrel {

namespace {
Q_LOGGING_CATEGORY(lcWidgets, "ostrel.widgets")
}

QColor colorWithNSString(const QString &text)
{
    QString t = text.trimmed();
    if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']')))
        t = t.mid(1, t.size() - 2).trimmed();
    const QStringList parts = t.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (parts.size() != 3 && parts.size() != 4)
        return {};
    double v[4] = {0, 0, 0, 1};
    for (int i = 0; i < parts.size(); ++i) {
        bool ok = false;
        v[i] = parts.at(i).toDouble(&ok);
        if (!ok || !std::isfinite(v[i]))
            return {};
        v[i] = std::clamp(v[i], 0.0, 1.0);
    }
    return QColor::fromRgbF(float(v[0]), float(v[1]), float(v[2]), float(v[3]));
}

QImage cutImageInRect(const QImage &image, const QRectF &rect)
{
    if (image.isNull() || rect.width() <= 0 || rect.height() <= 0 || rect.x() < 0 || rect.y() < 0)
        return {};
    const qreal w = std::ceil(qreal(image.width()));
    const qreal h = std::ceil(qreal(image.height()));
    if (rect.x() + rect.width() > w || rect.y() + rect.height() > h)
        return {};
    return image.copy(rect.toAlignedRect());
}

QImage rescaleImage(const QImage &image, const QSizeF &size)
{
    if (image.isNull() || size.width() <= 0 || size.height() <= 0)
        return {};
    const QSize target(qMax(1, qRound(size.width())), qMax(1, qRound(size.height())));
    return image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

static bool isAsciiDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

bool isDigitalString(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (!isAsciiDigit(c))
            return false;
    return true;
}

bool isValidPhoneNumber(const QString &text)
{
    if (text.isEmpty())
        return false;
    const QChar first = text.at(0);
    if (first != QLatin1Char('+') && !isAsciiDigit(first))
        return false;
    return text.size() == 1 || isDigitalString(text.mid(1));
}

static const char kIdentifierProperty[] = "itemIdentifier";

void setTabViewItemIdentifier(QWidget *page, const QString &identifier)
{
    if (page)
        page->setProperty(kIdentifierProperty, identifier);
}

QString tabViewItemIdentifier(const QWidget *page)
{
    return page ? page->property(kIdentifierProperty).toString() : QString();
}

int tabViewItemOfIdentifier(const QTabWidget *tabView, const QString &identifier)
{
    if (!tabView || identifier.isNull())
        return -1;
    for (int i = 0; i < tabView->count(); ++i)
        if (tabViewItemIdentifier(tabView->widget(i)) == identifier)
            return i;
    return -1;
}

QWidget *viewOfIdentifier(const QTabWidget *tabView, const QString &identifier)
{
    const int i = tabViewItemOfIdentifier(tabView, identifier);
    return i < 0 ? nullptr : tabView->widget(i);
}

bool removeTabViewItemWithIdentifier(QTabWidget *tabView, const QString &identifier)
{
    const int i = tabViewItemOfIdentifier(tabView, identifier);
    if (i < 0)
        return false;
    tabView->removeTab(i);
    return true;
}

bool setTabViewItemLabel(QTabWidget *tabView, const QString &label, const QString &identifier)
{
    const int i = tabViewItemOfIdentifier(tabView, identifier);
    if (label.isNull() || i < 0)
        return false;
    tabView->setTabText(i, label);
    return true;
}

bool setItemFrame(const QVariantMap &dict, QWidget *view, const QString &key)
{
    const QVariant entry = dict.value(key);
    if (!view || entry.typeId() != QMetaType::QVariantMap)
        return false;
    const QVariantMap e = entry.toMap();
    SkinFrame::setFrame(view, QRectF(yov::nsDouble(e.value(QStringLiteral("X"))), yov::nsDouble(e.value(QStringLiteral("Y"))),
                                     yov::nsDouble(e.value(QStringLiteral("W"))), yov::nsDouble(e.value(QStringLiteral("H")))));
    return true;
}

bool setWindowContentSize(const QVariantMap &dict, QWidget *window, const QString &key)
{
    const QVariant entry = dict.value(key);
    if (!window || entry.typeId() != QMetaType::QVariantMap)
        return false;
    const QVariantMap e = entry.toMap();
    SkinFrame::setSize(window, QSizeF(yov::nsDouble(e.value(QStringLiteral("W"))), yov::nsDouble(e.value(QStringLiteral("H")))));
    return true;
}

bool setUIItemSizeInfo(const QVariantMap &dict, QWidget *window, const QString &key)
{
    return setWindowContentSize(dict, window, key);
}

void setWidgetImage(QWidget *view, const QImage &image)
{
    if (auto *ext = qobject_cast<NSViewExt *>(view))
        ext->setImage(image);
    else if (auto *label = qobject_cast<QLabel *>(view))
        label->setPixmap(QPixmap::fromImage(image));
    else if (auto *button = qobject_cast<QAbstractButton *>(view)) {
        button->setIcon(QIcon(QPixmap::fromImage(image)));
        button->setIconSize(image.size());
    }
}

bool setItemFrameInfo(const QVariantMap &dict, QWidget *view, const QString &key)
{
    const QVariant entry = dict.value(key);
    if (!view || entry.typeId() != QMetaType::QVariantMap) {
        qCWarning(lcWidgets).noquote() << QStringLiteral("NSDictionaryExt setUIItemInfo the key:%1 is invalid").arg(key);
        return false;
    }
    const QVariantMap e = entry.toMap();
    if (e.contains(QStringLiteral("Hidden")))
        view->setHidden(yov::nsBool(e.value(QStringLiteral("Hidden"))));
    const QImage image = ResourcePaths::applicationImage(yov::nsString(e.value(QStringLiteral("Image"))));
    if (!image.isNull())
        setWidgetImage(view, image);
    return setItemFrame(dict, view, key);
}

bool fontFamilyExists(const QString &family)
{
    if (family.isEmpty())
        return false;
    const QStringList families = QFontDatabase::families();
    return families.contains(family, Qt::CaseInsensitive);
}

static void applyTraits(QFont &font, int traits)
{
    if (traits & BoldFontMask)
        font.setBold(true);
    if (traits & UnboldFontMask)
        font.setBold(false);
    if (traits & ItalicFontMask)
        font.setItalic(true);
    if (traits & UnitalicFontMask)
        font.setItalic(false);
    if (traits & SmallCapsFontMask)
        font.setCapitalization(QFont::SmallCaps);
    if (traits & (NarrowFontMask | CondensedFontMask))
        font.setStretch(QFont::Condensed);
    if (traits & ExpandedFontMask)
        font.setStretch(QFont::Expanded);
    if (traits & FixedPitchFontMask)
        font.setFixedPitch(true);
}

std::optional<QFont> createFont(const QString &name, qreal size, int traits, const QFont *fallback)
{
    const int pixels = qRound(size);
    if (pixels <= 0)
        return std::nullopt;
    QFont font;
    if (fontFamilyExists(name)) {
        font = QFont(name);
    } else {
        font = fallback ? *fallback : QApplication::font();
    }
    font.setPixelSize(pixels);
    applyTraits(font, traits);
    return font;
}

void setTextFieldString(QLineEdit *field, const QString &text, bool replace)
{
    if (!field || text.isNull())
        return;
    if (field->hasFocus()) {
        if (replace)
            field->setText(text);
        else
            field->insert(text); // replaces the selection
        field->end(false);
        return;
    }
    field->setText(replace ? text : field->text() + text);
}

void setTextFieldString(QLabel *field, const QString &text, bool replace)
{
    if (!field || text.isNull())
        return;
    field->setText(replace ? text : field->text() + text);
}

} // namespace ostrel
