#include "ostrel/framework/widgets/Buttons.h"

#include "ostrel/framework/widgets/SkinFrame.h"
#include "platform/NotificationCenter.h"

#include <QEnterEvent>
#include <QGridLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace ostrel {

static void setTextColor(QWidget *w, const QColor &c)
{
    QPalette p = w->palette();
    for (auto role : {QPalette::ButtonText, QPalette::WindowText, QPalette::Text})
        p.setColor(role, c);
    w->setPalette(p);
}

// --- NSButtonExt -----------------------------------------------------------------------------

NSButtonExt::NSButtonExt(QWidget *parent) : QPushButton(parent)
{
}

void NSButtonExt::setTitleColor(const QColor &color)
{
    titleColor_ = color;
    applyTitleColor();
}

void NSButtonExt::applyTitleColor()
{
    if (titleColor_.isValid() && !text().isEmpty())
        setTextColor(this, titleColor_);
    update();
}

void NSButtonExt::setTitle(const QString &title)
{
    setText(title);
    applyTitleColor();
}

void NSButtonExt::setImage(const QImage &image)
{
    image_ = image;
    update();
}

void NSButtonExt::setAlternateImage(const QImage &image)
{
    alternateImage_ = image;
    update();
}

void NSButtonExt::setButtonType(int type)
{
    buttonType_ = type;
    setCheckable(type == Toggle || type == PushOnPushOff);
}

void NSButtonExt::setBordered(bool bordered)
{
    bordered_ = bordered;
    setFlat(!bordered);
    update();
}

void NSButtonExt::setImagePosition(int position)
{
    imagePosition_ = position;
    update();
}

QSize NSButtonExt::sizeHint() const
{
    if (!image_.isNull())
        return image_.size();
    return QPushButton::sizeHint();
}

void NSButtonExt::sizeToFit()
{
    SkinFrame::setSize(this, sizeHint());
}

QImage NSButtonExt::displayedImage() const
{
    if (isDown() && !alternateImage_.isNull())
        return alternateImage_;
    return image_;
}

void NSButtonExt::paintEvent(QPaintEvent *event)
{
    const QImage img = displayedImage();
    if (img.isNull() && bordered_) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter p(this);
    if (!img.isNull())
        p.drawImage(QPoint((width() - img.width()) / 2, (height() - img.height()) / 2), img);
    if (imagePosition_ != ImageOnly && !text().isEmpty()) {
        p.setPen(titleColor_.isValid() ? titleColor_ : palette().color(QPalette::ButtonText));
        p.setFont(font());
        p.drawText(rect(), Qt::AlignCenter, text());
    }
}

// --- NSFlickerButton -------------------------------------------------------------------------

NSFlickerButton::NSFlickerButton(QWidget *parent) : NSButtonExt(parent)
{
}

NSFlickerButton::~NSFlickerButton() = default; // observers go with the object

void NSFlickerButton::setFlickerButtonStyle()
{
    setButtonType(Toggle);
    setImagePosition(ImageOnly);
    setBordered(false);
    bFlickerButton_ = true;
    setAttribute(Qt::WA_Hover);
    enableMouseTracking();
}

void NSFlickerButton::setImage(const QImage &image)
{
    if (!image.isNull())
        NSButtonExt::setImage(image);
}

void NSFlickerButton::setHoverTitleColor(const QColor &c)
{
    if (!c.isValid())
        return;
    setTitleColor(c);
    setTitle(text());
}

void NSFlickerButton::show(const QImage &image, const QColor &titleColor)
{
    setImage(image);
    setHoverTitleColor(titleColor);
}

void NSFlickerButton::setGroupButton(const QString &groupID, bool bDefaultBtn)
{
    if (groupID.isEmpty())
        return;
    auto &center = yov::NotificationCenter::defaultCenter();
    if (!groupID_.isEmpty())
        center.removeObserver(this, QStringLiteral("NSFlickerButton") + groupID_);
    groupID_ = groupID;
    center.addObserver(this, &NSFlickerButton::groupBtnChanged, QStringLiteral("NSFlickerButton") + groupID);
    if (bDefaultBtn) {
        setImage(_imageDn);
        groupImage_ = _imageDn;
    }
}

void NSFlickerButton::setGroupButtonChange()
{
    if (groupID_.isEmpty())
        return;
    yov::NotificationCenter::defaultCenter().post(QStringLiteral("NSFlickerButton") + groupID_, this);
}

void NSFlickerButton::groupBtnChanged(const yov::Notification &n)
{
    const QImage image = n.object == this ? _imageDn : _imageUp;
    setImage(image);
    groupImage_ = image;
}

void NSFlickerButton::enableMouseTracking()
{
    static int lastTag = 0;
    trackingForcedOff_ = false;
    if (trackingRectTag == 0)
        trackingRectTag = ++lastTag;
}

void NSFlickerButton::disableMouseTracking()
{
    trackingRectTag = 0;
    trackingForcedOff_ = true;
}

void NSFlickerButton::resetMouseTracking(bool force)
{
    if (btnStatus == 0 || force) {
        trackingRectTag = 0;
        enableMouseTracking();
    }
}

void NSFlickerButton::mousePressEvent(QMouseEvent *event)
{
    if (!flickerActive()) {
        if (popupMenu_ && event->button() == Qt::LeftButton) {
            popupMenu_->popup(event->globalPosition().toPoint());
            return;
        }
        NSButtonExt::mousePressEvent(event);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    setBtnStatus(Pressed | MouseInside);
    show(_imageDn, dnTitleColor_);
}

void NSFlickerButton::mouseMoveEvent(QMouseEvent *event)
{
    if (!flickerActive()) {
        NSButtonExt::mouseMoveEvent(event);
        return;
    }
    if (!isBtnStatusOK(Pressed))
        return;
    if (rect().contains(event->position().toPoint())) {
        setBtnStatus(MouseInside);
        show(_imageDn, dnTitleColor_);
    } else {
        clearBtnStatus(MouseInside);
        show(_imageUp, upTitleColor_);
    }
}

void NSFlickerButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (!flickerActive()) {
        NSButtonExt::mouseReleaseEvent(event);
        return;
    }
    if (event->button() != Qt::LeftButton || !isBtnStatusOK(Pressed))
        return;
    clearBtnStatus(Pressed);
    show(_imageUp, upTitleColor_);
    if (isBtnStatusOK(MouseInside)) {
        if (popupMenu_) {
            popupMenu_->popup(event->globalPosition().toPoint());
        } else {
            emit clicked(isChecked());
            setGroupButtonChange();
            resetMouseTracking(false);
        }
    }
}

void NSFlickerButton::enterEvent(QEnterEvent *event)
{
    if (flickerActive() && trackingRectTag != 0) {
        setBtnStatus(MouseInside);
        if (isBtnStatusOK(Pressed))
            show(_imageDn, dnTitleColor_);
        else
            show(_imageIn, inTitleColor_);
    }
    NSButtonExt::enterEvent(event);
}

void NSFlickerButton::leaveEvent(QEvent *event)
{
    if (flickerActive() && trackingRectTag != 0) {
        clearBtnStatus(MouseInside);
        show(groupImage_.isNull() ? _imageUp : groupImage_, upTitleColor_);
    }
    NSButtonExt::leaveEvent(event);
}

void NSFlickerButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange && bFlickerButton_)
        setImage(isEnabled() ? _imageUp : _imageDisable);
    NSButtonExt::changeEvent(event);
}

void NSFlickerButton::paintEvent(QPaintEvent *event)
{
    NSButtonExt::paintEvent(event);
    if (!trackingForcedOff_ && bFlickerButton_)
        resetMouseTracking(false);
}

// --- cells, pop-up, matrix -------------------------------------------------------------------

NSButtonCellExt::NSButtonCellExt(const QString &title, QWidget *parent) : QRadioButton(title, parent)
{
}

void NSButtonCellExt::setTitleColor(const QColor &color)
{
    titleColor_ = color;
    if (color.isValid() && !text().isEmpty())
        setTextColor(this, color);
}

NSPopUpButtonExt::NSPopUpButtonExt(QWidget *parent) : QComboBox(parent)
{
}

void NSPopUpButtonExt::setTitleColor(const QColor &color)
{
    titleColor_ = color;
    if (color.isValid())
        setTextColor(this, color);
}

NSMatrix::NSMatrix(int rows, int columns, QWidget *parent)
    : QWidget(parent), rows_(qMax(1, rows)), columns_(qMax(1, columns))
{
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    group_.setExclusive(true);
}

void NSMatrix::addCell(QAbstractButton *cell)
{
    if (!cell)
        return;
    const int index = group_.buttons().size();
    static_cast<QGridLayout *>(layout())->addWidget(cell, index / columns_, index % columns_);
    group_.addButton(cell);
}

void NSMatrix::addCell(QAbstractButton *cell, int row, int column)
{
    if (!cell)
        return;
    static_cast<QGridLayout *>(layout())->addWidget(cell, row, column);
    group_.addButton(cell);
}

QPoint NSMatrix::placeOfCell(QAbstractButton *cell) const
{
    auto *grid = static_cast<QGridLayout *>(layout());
    const int index = grid->indexOf(cell);
    if (index < 0)
        return {-1, -1};
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    return {row, column};
}

QList<QAbstractButton *> NSMatrix::cells() const
{
    return group_.buttons();
}

QAbstractButton *NSMatrix::cellAtRow(int row, int column) const
{
    QLayoutItem *item = static_cast<QGridLayout *>(layout())->itemAtPosition(row, column);
    return item ? qobject_cast<QAbstractButton *>(item->widget()) : nullptr;
}

bool NSMatrix::selectCellAtRow(int row, int column)
{
    QAbstractButton *cell = row >= 0 && column >= 0 ? cellAtRow(row, column) : nullptr;
    if (!cell)
        return false;
    cell->setChecked(true);
    return true;
}

int NSMatrix::selectedRow() const
{
    QAbstractButton *cell = selectedCell();
    return cell ? placeOfCell(cell).x() : -1; // placeOfCell gives (row, column)
}

} // namespace ostrel
