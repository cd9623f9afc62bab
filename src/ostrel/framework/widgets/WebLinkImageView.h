#pragma once
// A picture that opens its link in the desktop's browser when clicked. A click on a view whose link
// is disabled posts "WebLinkImageViewDisabled" instead (the view itself stays enabled, as a
// disabled widget would not see the click).
#include <QLabel>
#include <QUrl>

namespace ostrel {

class WebLinkImageView : public QLabel {
    Q_OBJECT
public:
    explicit WebLinkImageView(QWidget *parent = nullptr);

    void setWebLinkString(const QString &text);
    QUrl webLink() const { return webLink_; }
    // Shows the picture file scaled into the view; false (and no picture) when it cannot be read.
    bool setImageFile(const QString &path);
    QString imageFile() const { return imageFile_; }
    void setLinkEnabled(bool enabled) { linkEnabled_ = enabled; }
    bool isLinkEnabled() const { return linkEnabled_; }

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    QUrl webLink_;
    QString imageFile_;
    bool linkEnabled_ = true;
};

} // namespace ostrel
