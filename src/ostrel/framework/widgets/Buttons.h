#pragma once
// Buttons of the skin.
//
// NSButtonExt: a push button with a title colour, an item identifier, a URL label and, when the
// skin gives them, an image and an alternate (pressed) image drawn instead of the platform look.
// NSFlickerButton: a four-state image button (up, down, disabled, hover) with hover tracking,
// radio groups and a pop-up menu. NSButtonCellExt: a cell of a button matrix with a title colour.
// NSPopUpButtonExt: a pop-up (combo) button with title colour, item identifier and URL label.
// NSMatrix: a grid of button cells, one of them chosen.

#include <QButtonGroup>
#include <QComboBox>
#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include <QMenu>

namespace yov { struct Notification; }

namespace ostrel {

class NSButtonExt : public QPushButton {
    Q_OBJECT
public:
    // Button types as skin code names them.
    enum ButtonType { MomentaryLight = 0, PushOnPushOff = 1, Toggle = 2, MomentaryChange = 5 };
    // Image positions.
    enum ImagePosition { NoImage = 0, ImageOnly = 1, ImageOverlaps = 6 };

    explicit NSButtonExt(QWidget *parent = nullptr);

    void setTitleColor(const QColor &color);
    QColor titleColor() const { return titleColor_; }
    void setTitle(const QString &title); // sets the text and re-applies the title colour
    QString title() const { return text(); }

    void setItemIdentifier(const QString &id) { _itemIdentifier = id; }
    QString itemIdentifier() const { return _itemIdentifier; }
    void setUrlLabel(const QString &label) { urlLabel_ = label; }
    QString urlLabel() const { return urlLabel_; }

    virtual void setImage(const QImage &image);
    QImage image() const { return image_; }
    void setAlternateImage(const QImage &image);
    QImage alternateImage() const { return alternateImage_; }
    void setButtonType(int type);
    int buttonType() const { return buttonType_; }
    void setBordered(bool bordered);
    bool isBordered() const { return bordered_; }
    void setImagePosition(int position);
    int imagePosition() const { return imagePosition_; }
    // Resizes to the image (or the platform size hint without one), bottom edge kept.
    void sizeToFit();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    virtual QImage displayedImage() const;
    void applyTitleColor();

private:
    QColor titleColor_;
    QString _itemIdentifier;
    QString urlLabel_;
    QImage image_;
    QImage alternateImage_;
    int buttonType_ = MomentaryLight;
    int imagePosition_ = NoImage;
    bool bordered_ = true;
};

class NSFlickerButton : public NSButtonExt {
    Q_OBJECT
public:
    enum StatusBit { Pressed = 1, MouseInside = 2 };

    explicit NSFlickerButton(QWidget *parent = nullptr);
    ~NSFlickerButton() override;

    // Toggle type, image only, no border, flicker behaviour on.
    void setFlickerButtonStyle();
    bool isFlickerButton() const { return bFlickerButton_; }

    void setImage(const QImage &image) override; // ignores a null image
    void setImageUp(const QImage &i) { _imageUp = i; }
    void setImageDn(const QImage &i) { _imageDn = i; }
    void setImageDisable(const QImage &i) { _imageDisable = i; }
    void setImageIn(const QImage &i) { _imageIn = i; }
    QImage imageUp() const { return _imageUp; }
    QImage imageDn() const { return _imageDn; }
    QImage imageDisable() const { return _imageDisable; }
    QImage imageIn() const { return _imageIn; }
    QImage groupImage() const { return groupImage_; }

    void setUpTitleColor(const QColor &c) { upTitleColor_ = c; }
    void setInTitleColor(const QColor &c) { inTitleColor_ = c; }
    void setDnTitleColor(const QColor &c) { dnTitleColor_ = c; }
    QColor upTitleColor() const { return upTitleColor_; }
    QColor inTitleColor() const { return inTitleColor_; }
    QColor dnTitleColor() const { return dnTitleColor_; }
    void setHoverTitleColor(const QColor &c);

    void setItemLabel(const QString &label) { _itemLabel = label; }
    QString itemLabel() const { return _itemLabel; }
    void setPopupMenu(QMenu *menu) { popupMenu_ = menu; }
    QMenu *popupMenu() const { return popupMenu_; }

    void setBtnStatus(int bits) { btnStatus |= bits; }
    void clearBtnStatus(int bits) { btnStatus &= ~bits; }
    bool isBtnStatusOK(int bits) const { return (btnStatus & bits) != 0; }
    int status() const { return btnStatus; }

    // Joins the radio group (nothing for an empty ID); a default button shows its down image
    // and keeps it as its group image.
    void setGroupButton(const QString &groupID, bool bDefaultBtn);
    QString groupID() const { return groupID_; }
    // Tells the group that this button was chosen.
    void setGroupButtonChange();

    void enableMouseTracking();
    void disableMouseTracking();
    void resetMouseTracking(bool force);
    int trackingTag() const { return trackingRectTag; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void groupBtnChanged(const yov::Notification &n);
    bool flickerActive() const { return bFlickerButton_ && isEnabled(); }
    void show(const QImage &image, const QColor &titleColor);

    QImage _imageUp, _imageDn, _imageDisable, _imageIn;
    QString _itemLabel;
    int btnStatus = 0;
    int trackingRectTag = 0;
    bool trackingForcedOff_ = false;
    QString groupID_;
    QImage groupImage_;
    QColor upTitleColor_, inTitleColor_, dnTitleColor_;
    bool bFlickerButton_ = false;
    QPointer<QMenu> popupMenu_;
};

class NSButtonCellExt : public QRadioButton {
    Q_OBJECT
public:
    explicit NSButtonCellExt(const QString &title = QString(), QWidget *parent = nullptr);
    void setTitleColor(const QColor &color);
    QColor titleColor() const { return titleColor_; }

private:
    QColor titleColor_;
};

class NSPopUpButtonExt : public QComboBox {
    Q_OBJECT
public:
    explicit NSPopUpButtonExt(QWidget *parent = nullptr);
    void setTitleColor(const QColor &color);
    QColor titleColor() const { return titleColor_; }
    void setItemIdentifier(const QString &id) { _itemIdentifier = id; }
    QString itemIdentifier() const { return _itemIdentifier; }
    void setUrlLabel(const QString &label) { urlLabel_ = label; }
    QString urlLabel() const { return urlLabel_; }

private:
    QColor titleColor_;
    QString _itemIdentifier;
    QString urlLabel_;
};

class NSMatrix : public QWidget {
    Q_OBJECT
public:
    NSMatrix(int rows, int columns, QWidget *parent = nullptr);
    // Adds a cell at the next free place (row by row); the matrix owns it.
    void addCell(QAbstractButton *cell);
    // Adds a cell at that row and column; the matrix owns it.
    void addCell(QAbstractButton *cell, int row, int column);
    // The row and column of a cell; (-1, -1) for a cell not in the matrix.
    QPoint placeOfCell(QAbstractButton *cell) const;
    QList<QAbstractButton *> cells() const;
    QAbstractButton *selectedCell() const { return group_.checkedButton(); }
    int rows() const { return rows_; }
    int columns() const { return columns_; }
    // The cell placed at that row and column; null when none.
    QAbstractButton *cellAtRow(int row, int column = 0) const;
    // Checks the cell at that row and column; false (selection unchanged) when there is none.
    bool selectCellAtRow(int row, int column = 0);
    // The row of the checked cell; -1 when none is checked.
    int selectedRow() const;

private:
    int rows_;
    int columns_;
    QButtonGroup group_;
};

} // namespace ostrel
