#include "ostrel/connection/dial/OperatorContentRules.h"

#include "common/ValueConversion.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QUrl>

namespace ostrel {

namespace {
Q_LOGGING_CATEGORY(lcOperator, "ostrel.connection.operator")
}

LinkDecision decideOperatorLinkPolicy(const LinkPolicyInput &in, const QString &url)
{
    if (in.splitConnectionProcess)
        return in.knownIconLink ? LinkDecision{true, false} : LinkDecision{false, true};
    if (in.smartUI)
        return {true, false};
    if (in.indonesiaDAZ)
        return url == in.expectedMainPage ? LinkDecision{true, false} : LinkDecision{false, true};
    return {true, false};
}

QRectF getRectInSuperView(const QVariantMap &module)
{
    return QRectF(yov::nsDouble(module.value(QStringLiteral("InSuperViewLeft"))),
                  yov::nsDouble(module.value(QStringLiteral("InSuperViewBottom"))),
                  yov::nsDouble(module.value(QStringLiteral("DecreasedHeight"))),
                  yov::nsDouble(module.value(QStringLiteral("DecreasedWidth"))));
}

QRectF offsetFrame(const QRectF &frame, const QRectF &offset)
{
    return QRectF(frame.x() + offset.x(), frame.y() + offset.y(), frame.width() - offset.width(),
                  frame.height() - offset.height());
}

QRectF specialWebViewFrame(const QRectF &container)
{
    return offsetFrame(container, QRectF(10, 10, 20, 20));
}

QString profilePage(const QVariantList &openURLSettings, const QString &provider)
{
    for (const QVariant &item : openURLSettings) {
        const QVariantMap entry = item.toMap();
        if (yov::nsString(entry.value(QStringLiteral("APNProvider"))) != provider)
            continue;
        if (yov::nsBool(entry.value(QStringLiteral("AutoOpen"))))
            return yov::nsString(entry.value(QStringLiteral("URL")));
        return QString();
    }
    return QString();
}

QString imsiWebPage(const QString &imsi, const QVariantMap &imsiAndWebPage)
{
    QString best;
    for (auto it = imsiAndWebPage.cbegin(); it != imsiAndWebPage.cend(); ++it)
        if (!it.key().isEmpty() && imsi.startsWith(it.key()) && it.key().size() > best.size())
            best = it.key();
    if (best.isEmpty() || imsi.isEmpty())
        return QString();
    const QString url = yov::nsString(imsiAndWebPage.value(best));
    if (url.isEmpty())
        return QString();
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    return scheme.match(url).hasMatch() ? url : QStringLiteral("http://") + url;
}

QString getHtmlFilePathByFlash(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || info.suffix().compare(QLatin1String("swf"), Qt::CaseInsensitive) != 0)
        return QString();
    return path.left(path.size() - info.suffix().size()) + QStringLiteral("htm");
}

QString smartPhoneNumber(const QString &stored)
{
    if (stored.isEmpty())
        return QStringLiteral("SmartNet");
    if (stored.size() < 3)
        return stored;
    return QStringLiteral("0") + stored.mid(2);
}

StatusLineStyle smartStatusLineStyle(int rows, bool topLineFlag)
{
    StatusLineStyle style;
    if (rows == 2) {
        style.size = QSizeF(180, 59);
        style.alignment = Qt::AlignLeft | Qt::AlignVCenter;
    } else {
        style.size = QSizeF(175, 46);
        style.alignment = Qt::AlignRight | Qt::AlignVCenter;
    }
    style.fontPointSize = topLineFlag ? 21 : 16;
    return style;
}

QString msisdnFromRecords(const QVariantList &records)
{
    for (const QVariant &record : records) {
        const QVariantMap node = record.toMap();
        if (yov::nsString(node.value(QStringLiteral("xmlNodeName"))) == QLatin1String("MSISDN"))
            return yov::nsString(node.value(QStringLiteral("xmlNodeValue")));
    }
    return QString();
}

int nextBillboardIndex(int index, bool forward)
{
    if (forward)
        return index >= 3 ? 1 : index + 1;
    return index <= 1 ? 3 : index - 1;
}

QPointF hintWindowOrigin(const QRectF &m, const QRectF &h)
{
    return QPointF(m.x() + (m.width() - h.width()) * 0.5 + 165, m.y() + (m.height() - h.height()) * 0.5 - 65);
}

QPointF hintSubviewOrigin(const QRectF &m, const QRectF &v)
{
    return QPointF(v.x() + (m.width() - v.width()) * 0.5 + 173, v.y() + (m.height() - v.height()) * 0.5 - 45);
}

QList<FavoriteLink> favoriteLinksFromList(const QVariant &root)
{
    QList<FavoriteLink> links;
    const QVariantList list = root.toList();
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).typeId() != QMetaType::QVariantMap) {
            qCWarning(lcOperator) << "favourite link" << i << "is not a dictionary: skipped";
            continue;
        }
        const QVariantMap entry = list.at(i).toMap();
        if (!entry.contains(QStringLiteral("Index"))) {
            qCWarning(lcOperator) << "favourite link" << i << "has no Index: skipped";
            continue;
        }
        const int index = yov::nsInt(entry.value(QStringLiteral("Index")));
        if (index < 0 || index > 5) {
            qCWarning(lcOperator) << "favourite link" << i << "names button" << index << "outside 0-5: skipped";
            continue;
        }
        FavoriteLink link;
        link.button = index;
        link.image = yov::nsString(entry.value(QStringLiteral("Image")));
        link.path = yov::nsString(entry.value(QStringLiteral("Path")));
        link.type = yov::nsInt(entry.value(QStringLiteral("Type")));
        if (link.type == 0)
            link.para = yov::nsString(entry.value(QStringLiteral("Para")));
        links.append(link);
    }
    return links;
}

} // namespace ostrel
