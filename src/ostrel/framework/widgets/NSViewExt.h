#pragma once
// A view that draws a skin image as its background, anchored at its bottom-left corner (the
// skin's origin). Without an image it draws as a plain view.

#include <QImage>
#include <QWidget>

namespace ostrel {

class NSViewExt : public QWidget {
    Q_OBJECT
public:
    explicit NSViewExt(QWidget *parent = nullptr);

    void setImage(const QImage &image);
    QImage image() const { return backGroundImage; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage backGroundImage;
};

// The image view of the skin (an image shown at its own size).
class NSImageView : public QWidget {
    Q_OBJECT
public:
    explicit NSImageView(QWidget *parent = nullptr);
    void setImage(const QImage &image);
    QImage image() const { return image_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage image_;
};

} // namespace ostrel
