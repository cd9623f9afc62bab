#include "ostrel/framework/neighbours/SMSControllerInterface.h"

#include <QGuiApplication>
#include <QScreen>

namespace ostrel {

QPointF DefaultSMSController::centerTheNewSMSArriveWnd(const QSizeF &size) const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QRectF area = screen->availableGeometry();
    return {area.center().x() - size.width() / 2, area.center().y() - size.height() / 2};
}

} // namespace ostrel
