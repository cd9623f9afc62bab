#pragma once
// Small helpers of the widget family: colours, images and texts read from skin and settings
// values, tab-view and dictionary-frame helpers, fonts and text fields.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QVariantMap>

#include <optional>

class QLabel;
class QLineEdit;
class QTabWidget;
class QWidget;

namespace ostrel {

// Font trait mask bits as skin files write them (FontTrait).
enum FontTrait : int {
    ItalicFontMask = 0x1,
    BoldFontMask = 0x2,
    UnboldFontMask = 0x4,
    NarrowFontMask = 0x10,
    ExpandedFontMask = 0x20,
    CondensedFontMask = 0x40,
    SmallCapsFontMask = 0x80,
    FixedPitchFontMask = 0x400,
    UnitalicFontMask = 0x01000000,
};

// A colour from "r g b a" (fractions 0 to 1 separated by blanks; alpha may be left out; the
// bracketed form "[r g b a]" is read as well). An invalid colour for an empty or unreadable text.
QColor colorWithNSString(const QString &text);

// The rectangle (pixels from the top left) of the image; null when it does not fit inside the
// image's size raised to whole pixels, or is empty.
QImage cutImageInRect(const QImage &image, const QRectF &rect);
// The image redrawn at the size; null for a width or height of 0 or less.
QImage rescaleImage(const QImage &image, const QSizeF &size);

// Not empty and every character an ASCII digit. Characters beyond 8 bits are never digits.
bool isDigitalString(const QString &text);
// Not empty, first character "+" or a digit, the rest (if any) digits.
bool isValidPhoneNumber(const QString &text);

// Tab-view helpers: a tab's identifier is kept on its page widget (property "itemIdentifier").
void setTabViewItemIdentifier(QWidget *page, const QString &identifier);
QString tabViewItemIdentifier(const QWidget *page);
int tabViewItemOfIdentifier(const QTabWidget *tabView, const QString &identifier); // index, -1 when absent
QWidget *viewOfIdentifier(const QTabWidget *tabView, const QString &identifier);
bool removeTabViewItemWithIdentifier(QTabWidget *tabView, const QString &identifier);
bool setTabViewItemLabel(QTabWidget *tabView, const QString &label, const QString &identifier);

// Dictionary-frame helpers over entries {X, Y, W, H} (skin frames), {W, H} (content sizes),
// Hidden and Image.
bool setItemFrame(const QVariantMap &dict, QWidget *view, const QString &key);
bool setWindowContentSize(const QVariantMap &dict, QWidget *window, const QString &key);
bool setUIItemSizeInfo(const QVariantMap &dict, QWidget *window, const QString &key);
bool setItemFrameInfo(const QVariantMap &dict, QWidget *view, const QString &key);
inline bool setItemImage(const QVariantMap &d, QWidget *v, const QString &k) { return setItemFrameInfo(d, v, k); }
inline bool setItemHiden(const QVariantMap &d, QWidget *v, const QString &k) { return setItemFrameInfo(d, v, k); }
inline bool setItemFrameImageHiden(const QVariantMap &d, QWidget *v, const QString &k) { return setItemFrameInfo(d, v, k); }

// Sets an image on a widget that shows one (NSViewExt background, image label, button).
void setWidgetImage(QWidget *view, const QImage &image);

// Whether the machine has a font family of that name (case-insensitive).
bool fontFamilyExists(const QString &family);
// The named font at the size (pixels) with the traits; when the name is empty or names no
// installed family, the fallback font (or, without one, the application font) at that size
// with the traits. Empty only for a size that makes no font.
std::optional<QFont> createFont(const QString &name, qreal size, int traits, const QFont *fallback);

// Puts text into a field. Nothing for a null field or text. While the field is being edited
// (has focus): replace the whole text, or replace the selection with the text, then move to the
// end. Otherwise set the text (replace) or append it.
void setTextFieldString(QLineEdit *field, const QString &text, bool replace);
void setTextFieldString(QLabel *field, const QString &text, bool replace);

} // namespace ostrel
