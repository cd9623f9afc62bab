#pragma once
// Rule-based placement of views, on frames alone.
//
// A skin item may place a container's subviews (line them up, centre them, align them to an
// edge) or place a view inside its superview. The rules work on skin frames (origin at the
// bottom left, y upwards; see FrameAdapter) so that they are plain geometry: the caller reads the
// frames of the views, runs a rule and writes the frames back. Subview lists are in the
// container's subview order (i = 0 first); a rule never changes a size.

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace ostrel {

// One entry of PlacementSubviewMethod / PlacementInSuperviewMethod: "Mode" or "Mode,pixels".
struct PlacementEntry {
    QString mode;
    int pixels = 0;
};

class ViewPlacement {
public:
    static constexpr int NotFound = -1;

    // Parses "Mode,12": the number counts only when the entry has exactly two parts; a missing or
    // malformed number is 0.
    static PlacementEntry parseEntry(const QString &entry);

    // Mode numbers of the two tables (0..13 and 14..19), NotFound for any other name.
    static int subviewPlacementType(const QString &mode);
    static int superviewPlacementType(const QString &mode);

    // Runs a subview mode over the frames. False when there are no frames or the name is not a
    // subview mode; otherwise the mode's result. For the sorting modes the frames come back in
    // the new order and *order (when given) holds the old index of each.
    static bool placementSubViewsSpacingPixel(QList<QRectF> &frames, const QSizeF &bounds, qreal spacing,
                                              const QString &mode, QList<int> *order = nullptr);
    // Runs a superview mode on one frame inside a superview of the given size. False when the
    // name is not a superview mode or the view does not fit along that axis.
    static bool placementInSuperViewSpacingPixel(QRectF &frame, const QSizeF &superSize, qreal pixels,
                                                 const QString &mode);

    // Stable selection sort: key x for mode 0, y - h for any other mode. Gives the indices of the
    // frames in sorted order; empty for no frames.
    static QList<int> rearrangeOrder(const QList<QRectF> &frames, int mode);
    static bool rebuildSubViewsByMode(QList<QRectF> &frames, int mode, QList<int> *order = nullptr);

    // Lining up from a reference view; pos -1 keeps the reference view where it is.
    static bool placementRefLeftViewSpacingPixel(QList<QRectF> &frames, qreal spacing, qreal pos = -1);
    static bool placementRefRightViewSpacingPixel(QList<QRectF> &frames, qreal spacing, qreal pos = -1);
    static bool placementRefTopViewSpacingPixel(QList<QRectF> &frames, qreal spacing, qreal pos = -1);
    static bool placementRefBottomViewSpacingPixel(QList<QRectF> &frames, qreal spacing, qreal pos = -1);

    // Every subview against an edge of the container's bounds.
    static bool placementToViewLeftSpacingPixel(QList<QRectF> &frames, qreal spacing);
    static bool placementToViewRightSpacingPixel(QList<QRectF> &frames, const QSizeF &bounds, qreal spacing);
    static bool placementToViewTopSpacingPixel(QList<QRectF> &frames, const QSizeF &bounds, qreal spacing);
    static bool placementToViewBottomSpacingPixel(QList<QRectF> &frames, qreal spacing);

    // Centring.
    static bool placementToViewCenterX(QList<QRectF> &frames, const QSizeF &bounds, qreal spacing);
    static bool placementToViewCenterY(QList<QRectF> &frames, const QSizeF &bounds, qreal spacing);
    static bool placementToViewCenterYRefTop(QList<QRectF> &frames, const QSizeF &bounds);
    static bool placementToViewCenterXRefLeft(QList<QRectF> &frames, const QSizeF &bounds);

    // In the superview.
    static bool placementInSuperViewCenterX(QRectF &frame, const QSizeF &superSize);
    static bool placementInSuperViewCenterY(QRectF &frame, const QSizeF &superSize);
    static bool placementInSuperViewLeft(QRectF &frame, const QSizeF &superSize, qreal d);
    static bool placementInSuperViewTop(QRectF &frame, const QSizeF &superSize, qreal d);
    static bool placementInSuperViewRight(QRectF &frame, const QSizeF &superSize, qreal d);
    static bool placementInSuperViewBottom(QRectF &frame, const QSizeF &superSize, qreal d);
};

} // namespace ostrel
