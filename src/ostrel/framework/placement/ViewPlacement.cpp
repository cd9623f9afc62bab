#include "ostrel/framework/placement/ViewPlacement.h"

#include <QStringList>

namespace ostrel {

namespace {

const char *const kSubviewModes[] = {
    "RebuilSubviewsByX",    "RebuilSubviewsByY",    "PlacementRefLeft",       "PlacementRefRight",
    "PlacementRefTop",      "PlacementRefBottom",   "PlacementToViewLeft",    "PlacementToViewRight",
    "PlacementToViewTop",   "PlacementToViewBottom", "PlacementCenterX",      "PlacementCenterY",
    "PlacementCenterYRefTop", "PlacementCenterXRefLeft",
};

const char *const kSuperviewModes[] = {
    "InSuperViewCenterX", "InSuperViewCenterY", "InSuperViewLeft",
    "InSuperViewTop",     "InSuperViewRight",   "InSuperViewBottom",
};

constexpr int kFirstSuperviewMode = 14;

void setX(QRectF &r, qreal x) { r.moveLeft(x); }
void setY(QRectF &r, qreal y) { r.moveTop(y); } // skin frames: "top" of QRectF is the origin y

} // namespace

PlacementEntry ViewPlacement::parseEntry(const QString &entry)
{
    PlacementEntry out;
    const QStringList parts = entry.split(QLatin1Char(','));
    out.mode = parts.value(0);
    if (parts.size() == 2) {
        bool ok = false;
        const int n = parts.at(1).trimmed().toInt(&ok);
        out.pixels = ok ? n : 0;
    }
    return out;
}

int ViewPlacement::subviewPlacementType(const QString &mode)
{
    for (int i = 0; i < int(std::size(kSubviewModes)); ++i)
        if (mode == QLatin1String(kSubviewModes[i]))
            return i;
    return NotFound;
}

int ViewPlacement::superviewPlacementType(const QString &mode)
{
    for (int i = 0; i < int(std::size(kSuperviewModes)); ++i)
        if (mode == QLatin1String(kSuperviewModes[i]))
            return kFirstSuperviewMode + i;
    return NotFound;
}

bool ViewPlacement::placementSubViewsSpacingPixel(QList<QRectF> &frames, const QSizeF &bounds, qreal s,
                                                  const QString &mode, QList<int> *order)
{
    if (frames.isEmpty())
        return false;
    switch (subviewPlacementType(mode)) {
    case 0: return rebuildSubViewsByMode(frames, 0, order);
    case 1: return rebuildSubViewsByMode(frames, 1, order);
    case 2: return placementRefLeftViewSpacingPixel(frames, s, -1);
    case 3: return placementRefRightViewSpacingPixel(frames, s, -1);
    case 4: return placementRefTopViewSpacingPixel(frames, s, -1);
    case 5: return placementRefBottomViewSpacingPixel(frames, s, -1);
    case 6: return placementToViewLeftSpacingPixel(frames, s);
    case 7: return placementToViewRightSpacingPixel(frames, bounds, s);
    case 8: return placementToViewTopSpacingPixel(frames, bounds, s);
    case 9: return placementToViewBottomSpacingPixel(frames, s);
    case 10: return placementToViewCenterX(frames, bounds, s);
    case 11: return placementToViewCenterY(frames, bounds, s);
    case 12: return placementToViewCenterYRefTop(frames, bounds);
    case 13: return placementToViewCenterXRefLeft(frames, bounds);
    default: return false;
    }
}

bool ViewPlacement::placementInSuperViewSpacingPixel(QRectF &frame, const QSizeF &superSize, qreal d,
                                                     const QString &mode)
{
    switch (superviewPlacementType(mode)) {
    case 14: return placementInSuperViewCenterX(frame, superSize);
    case 15: return placementInSuperViewCenterY(frame, superSize);
    case 16: return placementInSuperViewLeft(frame, superSize, d);
    case 17: return placementInSuperViewTop(frame, superSize, d);
    case 18: return placementInSuperViewRight(frame, superSize, d);
    case 19: return placementInSuperViewBottom(frame, superSize, d);
    default: return false;
    }
}

QList<int> ViewPlacement::rearrangeOrder(const QList<QRectF> &frames, int mode)
{
    auto key = [mode](const QRectF &r) { return mode == 0 ? r.x() : r.y() - r.height(); };
    QList<int> remaining;
    for (int i = 0; i < frames.size(); ++i)
        remaining.append(i);
    QList<int> result;
    while (!remaining.isEmpty()) {
        int best = 0;
        for (int j = 1; j < remaining.size(); ++j)
            if (key(frames.at(remaining.at(j))) < key(frames.at(remaining.at(best))))
                best = j;
        result.append(remaining.takeAt(best));
    }
    return result;
}

bool ViewPlacement::rebuildSubViewsByMode(QList<QRectF> &frames, int mode, QList<int> *order)
{
    if (frames.isEmpty())
        return false;
    const QList<int> sorted = rearrangeOrder(frames, mode);
    QList<QRectF> out;
    for (int i : sorted)
        out.append(frames.at(i));
    frames = out;
    if (order)
        *order = sorted;
    return true;
}

bool ViewPlacement::placementRefLeftViewSpacingPixel(QList<QRectF> &f, qreal s, qreal p)
{
    if (f.isEmpty())
        return false;
    if (p != -1)
        setX(f[0], p);
    for (int i = 1; i < f.size(); ++i)
        setX(f[i], f[i - 1].x() + f[i - 1].width() + s);
    return true;
}

bool ViewPlacement::placementRefRightViewSpacingPixel(QList<QRectF> &f, qreal s, qreal p)
{
    if (f.isEmpty())
        return false;
    const int n = f.size();
    if (p != -1)
        setX(f[n - 1], p - f[n - 1].width());
    for (int i = n - 2; i >= 0; --i)
        setX(f[i], f[i + 1].x() - s - f[i].width());
    return true;
}

bool ViewPlacement::placementRefTopViewSpacingPixel(QList<QRectF> &f, qreal s, qreal p)
{
    if (f.isEmpty())
        return false;
    if (p != -1)
        setY(f[0], p + f[0].height());
    for (int i = 1; i < f.size(); ++i)
        setY(f[i], f[i - 1].y() + s + f[i].height());
    return true;
}

bool ViewPlacement::placementRefBottomViewSpacingPixel(QList<QRectF> &f, qreal s, qreal p)
{
    if (f.isEmpty())
        return false;
    const int n = f.size();
    if (p != -1)
        setY(f[n - 1], p);
    for (int i = n - 2; i >= 0; --i)
        setY(f[i], f[i + 1].y() - f[i + 1].height() - s);
    return true;
}

bool ViewPlacement::placementToViewLeftSpacingPixel(QList<QRectF> &f, qreal s)
{
    for (QRectF &r : f)
        setX(r, s);
    return !f.isEmpty();
}

bool ViewPlacement::placementToViewRightSpacingPixel(QList<QRectF> &f, const QSizeF &b, qreal s)
{
    for (QRectF &r : f)
        setX(r, b.width() - s - r.width());
    return !f.isEmpty();
}

bool ViewPlacement::placementToViewTopSpacingPixel(QList<QRectF> &f, const QSizeF &b, qreal s)
{
    for (QRectF &r : f)
        setY(r, b.height() - s - r.height());
    return !f.isEmpty();
}

bool ViewPlacement::placementToViewBottomSpacingPixel(QList<QRectF> &f, qreal s)
{
    for (QRectF &r : f)
        setY(r, s);
    return !f.isEmpty();
}

bool ViewPlacement::placementToViewCenterX(QList<QRectF> &f, const QSizeF &b, qreal s)
{
    if (f.isEmpty())
        return false;
    qreal total = 0;
    for (const QRectF &r : f)
        total += r.width();
    const qreal used = total + (f.size() - 1) * s;
    if (!(b.width() > used))
        return false;
    const qreal p = qreal(qint64((b.width() - used) / 2));
    return placementRefLeftViewSpacingPixel(f, s, p);
}

bool ViewPlacement::placementToViewCenterY(QList<QRectF> &f, const QSizeF &b, qreal s)
{
    if (f.isEmpty())
        return false;
    qreal total = 0;
    for (const QRectF &r : f)
        total += r.height();
    const qreal used = total + (f.size() - 1) * s;
    if (!(b.height() > used))
        return false;
    const qreal p = qreal(qint64((b.height() - used) / 2));
    return placementRefTopViewSpacingPixel(f, s, p);
}

bool ViewPlacement::placementToViewCenterYRefTop(QList<QRectF> &f, const QSizeF &b)
{
    if (f.isEmpty())
        return false;
    const qreal y = (b.height() - f.first().height()) / 2;
    for (QRectF &r : f)
        setY(r, y);
    return true;
}

bool ViewPlacement::placementToViewCenterXRefLeft(QList<QRectF> &f, const QSizeF &b)
{
    if (f.isEmpty())
        return false;
    const qreal x = (b.width() - f.first().width()) / 2;
    for (QRectF &r : f)
        setX(r, x);
    return true;
}

bool ViewPlacement::placementInSuperViewCenterX(QRectF &r, const QSizeF &S)
{
    if (S.width() < r.width())
        return false;
    setX(r, (S.width() - r.width()) / 2);
    return true;
}

bool ViewPlacement::placementInSuperViewCenterY(QRectF &r, const QSizeF &S)
{
    if (S.height() < r.height())
        return false;
    setY(r, (S.height() - r.height()) / 2);
    return true;
}

bool ViewPlacement::placementInSuperViewLeft(QRectF &r, const QSizeF &S, qreal d)
{
    if (S.width() < r.width())
        return false;
    setX(r, d + r.width() < S.width() ? d : 0);
    return true;
}

bool ViewPlacement::placementInSuperViewTop(QRectF &r, const QSizeF &S, qreal d)
{
    if (S.height() < r.height())
        return false;
    setY(r, S.height() > d + r.height() ? S.height() - r.height() - d : S.height() - r.height());
    return true;
}

bool ViewPlacement::placementInSuperViewRight(QRectF &r, const QSizeF &S, qreal d)
{
    if (S.width() < r.width())
        return false;
    setX(r, S.width() > d + r.width() ? S.width() - r.width() - d : S.width() - r.width());
    return true;
}

bool ViewPlacement::placementInSuperViewBottom(QRectF &r, const QSizeF &S, qreal d)
{
    if (S.height() < r.height())
        return false;
    setY(r, d + r.height() < S.height() ? d : 0);
    return true;
}

} // namespace ostrel
