#include "ostrel/framework/widgets/WebLinkImageView.h"

#include "ostrel/framework/widgets/WeblinkButton.h"
#include "platform/NotificationCenter.h"

#include <QMouseEvent>
#include <QPixmap>

namespace ostrel {

WebLinkImageView::WebLinkImageView(QWidget *parent) : QLabel(parent)
{
    setScaledContents(true);
}

void WebLinkImageView::setWebLinkString(const QString &text)
{
    webLink_ = webLinkFromString(text);
}

bool WebLinkImageView::setImageFile(const QString &path)
{
    const QPixmap picture(path);
    imageFile_ = picture.isNull() ? QString() : path;
    setPixmap(picture);
    return !picture.isNull();
}

void WebLinkImageView::mousePressEvent(QMouseEvent *event)
{
    QLabel::mousePressEvent(event);
    if (!linkEnabled_) {
        yov::NotificationCenter::defaultCenter().post(QStringLiteral("WebLinkImageViewDisabled"));
        return;
    }
    if (webLink_.isValid() && !webLink_.isEmpty())
        WeblinkButton::open(webLink_);
}

} // namespace ostrel
