#pragma once
// The rules behind the operator content of the Internet view, without widgets: which links the
// operator's web views follow, where its embedded views go, which page the SIM opens, how the
// compact skin shows the phone number and its status line, and the billboard's order.
#include <QPointF>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <Qt>

#include <optional>

namespace ostrel {

// ---- link policy of the operator's web views
struct LinkPolicyInput {
    bool splitConnectionProcess = false; // top-level EnableSplitConnectionProcess
    bool knownIconLink = false;          // the updater knows the address as one of its icon links
    bool smartUI = false;                // UIConfig/SmartUI
    bool indonesiaDAZ = false;           // UIConfig/IndonesiaDAZ
    QString expectedMainPage;            // the "MainPage" web link, filled with number and IMEI
};
struct LinkDecision {
    bool use = true;            // load it in the same view
    bool openInBrowser = false; // hand it to the desktop's browser (only when not used)
    bool operator==(const LinkDecision &o) const { return use == o.use && openInBrowser == o.openInBrowser; }
};
// The three rules in order (split page, compact skin, web background); the first that applies
// decides. With none of them the view follows the link.
LinkDecision decideOperatorLinkPolicy(const LinkPolicyInput &in, const QString &url);

// ---- frames (skin coordinates)
// Module WebViewRectInSuperView as (InSuperViewLeft, InSuperViewBottom, DecreasedHeight,
// DecreasedWidth): the third member shrinks the width and the fourth the height, as stored
// configurations expect.
QRectF getRectInSuperView(const QVariantMap &module);
// The frame moved by (offset x, y) and shrunk by (offset width, height).
QRectF offsetFrame(const QRectF &frame, const QRectF &offset);
// The special web view inside its container: 10 points in on every side.
QRectF specialWebViewFrame(const QRectF &container);

// ---- pages
// The page for the connected profile: the first OpenURLSettings entry whose "APNProvider" is the
// provider, when its "AutoOpen" is YES and it has a "URL".
QString profilePage(const QVariantList &openURLSettings, const QString &provider);
// The page for the IMSI: the longest IMSIAndWebPage key that is a prefix of it; "http://" in front
// when the address has no scheme. Empty when none matches.
QString imsiWebPage(const QString &imsi, const QVariantMap &imsiAndWebPage);
// The ".htm" twin of a ".swf" file; empty for any other path.
QString getHtmlFilePathByFlash(const QString &path);

// ---- compact skin
// "SmartNet" for no number, a number of fewer than 3 characters as it is, else "0" and the number
// without its two-digit country code.
QString smartPhoneNumber(const QString &stored);
struct StatusLineStyle {
    QSizeF size;
    Qt::Alignment alignment;
    int fontPointSize;
};
StatusLineStyle smartStatusLineStyle(int rows, bool topLineFlag);
// The MSISDN in a SOAP reply's records; empty without one.
QString msisdnFromRecords(const QVariantList &records);

// ---- billboard and hint
int nextBillboardIndex(int index, bool forward);
// The hint as a window of its own (main window frame m, hint frame h, skin coordinates) and as a
// subview of the main window (main frame m, hint view frame v).
QPointF hintWindowOrigin(const QRectF &m, const QRectF &h);
QPointF hintSubviewOrigin(const QRectF &m, const QRectF &v);

// ---- favourites
struct FavoriteLink {
    int button = -1; // 0-5
    QString image;
    QString path;
    int type = 0;
    QString para;
};
// The entries of FavoriteLinks.plist that name a button 0-5; others are skipped and logged.
QList<FavoriteLink> favoriteLinksFromList(const QVariant &root);

} // namespace ostrel
