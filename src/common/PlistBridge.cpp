#include "common/PlistBridge.h"

#include "common/AtomicFile.h"
#include "common/PlistXmlReader.h"

#include <QDateTime>
#include <QFile>
#include <QTimeZone>
#include <plist/plist.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace yov {

namespace {

struct PlistDeleter {
    void operator()(plist_t p) const { plist_free(p); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

std::optional<QDateTime> parseIsoDate(const QString &text)
{
    QDateTime dt = QDateTime::fromString(text.trimmed(), Qt::ISODate);
    if (!dt.isValid())
        return std::nullopt;
    return dt.toUTC();
}

// libplist's accessor returns 32-bit seconds; its XML writer keeps the full value, so the
// date's own XML form is read back instead.
std::optional<QDateTime> dateOf(plist_t node)
{
    char *xml = nullptr;
    uint32_t len = 0;
    plist_to_xml(node, &xml, &len);
    if (!xml)
        return std::nullopt;
    QByteArray doc(xml, int(len));
    plist_to_xml_free(xml);
    const int open = doc.indexOf("<date>");
    const int close = doc.indexOf("</date>");
    if (open < 0 || close < open)
        return std::nullopt;
    return parseIsoDate(QString::fromLatin1(doc.mid(open + 6, close - open - 6)));
}

// libplist's key accessor aborts the process on a key that holds a NUL byte, which a binary list
// can carry: its XML form shows the byte.
bool keyHoldsNul(plist_t keyNode)
{
    char *xml = nullptr;
    uint32_t len = 0;
    plist_to_xml(keyNode, &xml, &len);
    if (!xml)
        return true;
    const bool nul = std::memchr(xml, '\0', len) != nullptr;
    plist_to_xml_free(xml);
    return nul;
}

std::optional<QVariant> tooDeep(QString *error)
{
    if (error)
        *error = QStringLiteral("containers nested deeper than %1 levels").arg(PlistBridge::kMaxDepth);
    return std::nullopt;
}

// libplist builds and frees its tree recursively, so a deeply nested XML document would exhaust
// the stack inside it: the opening and closing container tags are counted before it sees one.
bool xmlNestsTooDeep(const QByteArray &bytes)
{
    int depth = 0;
    const char *p = bytes.constData();
    const char *end = p + bytes.size();
    while ((p = static_cast<const char *>(std::memchr(p, '<', size_t(end - p))))) {
        ++p;
        const bool closing = p < end && *p == '/';
        const char *name = closing ? p + 1 : p;
        const qsizetype left = end - name;
        const int len = left >= 5 && std::memcmp(name, "array", 5) == 0  ? 5
                        : left >= 4 && std::memcmp(name, "dict", 4) == 0 ? 4
                                                                          : 0;
        if (!len)
            continue;
        const char *after = name + len;
        const bool empty = after < end && (*after == '/' || (after + 1 < end && after[0] == ' ' && after[1] == '/'));
        if (closing)
            --depth;
        else if (!empty && ++depth > PlistBridge::kMaxDepth)
            return true;
    }
    return false;
}

std::optional<QVariant> toVariant(plist_t node, QString *error, bool binary, int depth = 0)
{
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t b = 0;
        plist_get_bool_val(node, &b);
        return QVariant(b != 0);
    }
    case PLIST_UINT: {
        // libplist keeps every integer as 64 bits; an unsigned value above INT64_MAX is marked
        // by a 16-byte length, everything else is a signed 64-bit value.
        uint64_t v = 0;
        plist_get_uint_val(node, &v);
        if (v > uint64_t(INT64_MAX)) {
            char *xml = nullptr;
            uint32_t len = 0;
            plist_to_xml(node, &xml, &len);
            const bool negative = xml && QByteArray(xml, int(len)).contains("<integer>-");
            if (xml)
                plist_to_xml_free(xml);
            if (!negative)
                return QVariant(quint64(v));
        }
        return QVariant(qint64(v));
    }
    case PLIST_REAL: {
        double d = 0;
        plist_get_real_val(node, &d);
        return QVariant(d);
    }
    case PLIST_STRING: {
        // Read in place: libplist's copying accessor aborts the process on a string that holds a
        // NUL byte. The text ends at the first NUL, as a C string would.
        uint64_t len = 0;
        const char *s = plist_get_string_ptr(node, &len);
        return QVariant(s ? QString::fromUtf8(s, qsizetype(qstrnlen(s, size_t(len)))) : QString());
    }
    case PLIST_DATA: {
        char *d = nullptr;
        uint64_t len = 0;
        plist_get_data_val(node, &d, &len);
        QByteArray bytes(d, qsizetype(len));
        free(d);
        return QVariant(bytes);
    }
    case PLIST_DATE: {
        auto dt = dateOf(node);
        if (!dt) {
            if (error)
                *error = QStringLiteral("unreadable date");
            return std::nullopt;
        }
        return QVariant(*dt);
    }
    case PLIST_ARRAY: {
        if (depth >= PlistBridge::kMaxDepth)
            return tooDeep(error);
        QVariantList list;
        const uint32_t n = plist_array_get_size(node);
        list.reserve(n);
        for (uint32_t i = 0; i < n; ++i) {
            auto v = toVariant(plist_array_get_item(node, i), error, binary, depth + 1);
            if (!v)
                return std::nullopt;
            list.append(*v);
        }
        return QVariant(list);
    }
    case PLIST_DICT: {
        if (depth >= PlistBridge::kMaxDepth)
            return tooDeep(error);
        QVariantMap map;
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        std::unique_ptr<void, decltype(&free)> iterGuard(it, &free);
        for (;;) {
            plist_t item = nullptr;
            plist_dict_next_item(node, it, nullptr, &item);
            if (!item)
                break;
            plist_t keyNode = plist_dict_item_get_key(item);
            if (binary && keyHoldsNul(keyNode)) {
                if (error)
                    *error = QStringLiteral("a dictionary key holds a NUL byte");
                return std::nullopt;
            }
            char *key = nullptr;
            plist_get_key_val(keyNode, &key);
            const QString name = QString::fromUtf8(key);
            free(key);
            auto v = toVariant(item, error, binary, depth + 1);
            if (!v)
                return std::nullopt;
            map.insert(name, *v);
        }
        return QVariant(map);
    }
    default:
        if (error)
            *error = QStringLiteral("unsupported property-list node type %1").arg(int(plist_get_node_type(node)));
        return std::nullopt;
    }
}

void escapeInto(QByteArray &out, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    for (char c : utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += c;
        }
    }
}

QByteArray realText(double d)
{
    if (std::isnan(d))
        return "nan";
    if (std::isinf(d))
        return d > 0 ? "+infinity" : "-infinity";
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, d); // shortest text that reads back exactly
    QByteArray text(buf, int(res.ptr - buf));
    if (!text.contains('.') && !text.contains('e'))
        text += ".0";
    return text;
}

bool writeNode(QByteArray &out, const QVariant &v, int depth, QString *error)
{
    const QByteArray indent(depth, '\t');
    out += indent;
    switch (v.typeId()) {
    case QMetaType::Bool:
        out += v.toBool() ? "<true/>\n" : "<false/>\n";
        return true;
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::SChar:
        out += "<integer>" + QByteArray::number(v.toLongLong()) + "</integer>\n";
        return true;
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::UChar:
        out += "<integer>" + QByteArray::number(v.toULongLong()) + "</integer>\n";
        return true;
    case QMetaType::Double:
    case QMetaType::Float:
        out += "<real>" + realText(v.toDouble()) + "</real>\n";
        return true;
    case QMetaType::QString:
        out += "<string>";
        escapeInto(out, v.toString());
        out += "</string>\n";
        return true;
    case QMetaType::QByteArray:
        out += "<data>" + v.toByteArray().toBase64() + "</data>\n";
        return true;
    case QMetaType::QDateTime:
    case QMetaType::QDate: {
        const QDateTime dt = v.toDateTime().toUTC();
        if (!dt.isValid()) {
            if (error)
                *error = QStringLiteral("invalid date");
            return false;
        }
        out += "<date>" + dt.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ")).toLatin1() + "</date>\n";
        return true;
    }
    case QMetaType::QStringList:
    case QMetaType::QVariantList: {
        const QVariantList list = v.toList();
        if (list.isEmpty()) {
            out += "<array/>\n";
            return true;
        }
        out += "<array>\n";
        for (const QVariant &item : list)
            if (!writeNode(out, item, depth + 1, error))
                return false;
        out += indent + "</array>\n";
        return true;
    }
    case QMetaType::QVariantMap:
    case QMetaType::QVariantHash: {
        const QVariantMap map = v.toMap();
        if (map.isEmpty()) {
            out += "<dict/>\n";
            return true;
        }
        out += "<dict>\n";
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            out += indent + "\t<key>";
            escapeInto(out, it.key());
            out += "</key>\n";
            if (!writeNode(out, it.value(), depth + 1, error))
                return false;
        }
        out += indent + "</dict>\n";
        return true;
    }
    default:
        if (error)
            *error = QStringLiteral("a value of type %1 cannot be stored in a property list")
                         .arg(QString::fromLatin1(v.typeName() ? v.typeName() : "invalid"));
        return false;
    }
}

} // namespace

std::optional<QVariant> PlistBridge::parse(const QByteArray &bytes, QString *error)
{
    if (!bytes.startsWith("bplist00")) {
        const PlistXmlReader::Result fast = PlistXmlReader::read(bytes);
        if (fast.status == PlistXmlReader::Status::Read)
            return fast.value;
        if (fast.status == PlistXmlReader::Status::TooDeep)
            return tooDeep(error);
    }
    return parseGeneral(bytes, error);
}

std::optional<QVariant> PlistBridge::parseGeneral(const QByteArray &bytes, QString *error)
{
    if (bytes.isEmpty()) {
        if (error)
            *error = QStringLiteral("empty document");
        return std::nullopt;
    }
    if (!bytes.startsWith("bplist00") && xmlNestsTooDeep(bytes))
        return tooDeep(error);
    plist_t root = nullptr;
    plist_from_memory(bytes.constData(), uint32_t(bytes.size()), &root);
    if (!root) {
        if (error)
            *error = QStringLiteral("not a property list");
        return std::nullopt;
    }
    PlistPtr guard(root);
    return toVariant(root, error, bytes.startsWith("bplist00"));
}

std::optional<QVariant> PlistBridge::readFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    if (file.size() > kMaxFileBytes) {
        if (error)
            *error = QStringLiteral("%1: larger than %2 bytes, not read").arg(path).arg(kMaxFileBytes);
        return std::nullopt;
    }
    QString reason;
    auto value = parse(file.read(kMaxFileBytes), &reason);
    if (!value && error)
        *error = QStringLiteral("%1: %2").arg(path, reason);
    return value;
}

std::optional<QByteArray> PlistBridge::toXml(const QVariant &value, QString *error)
{
    QByteArray out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                     "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                     "<plist version=\"1.0\">\n";
    if (!writeNode(out, value, 0, error))
        return std::nullopt;
    out += "</plist>\n";
    return out;
}

bool PlistBridge::writeFile(const QString &path, const QVariant &value, QString *error)
{
    auto xml = toXml(value, error);
    if (!xml)
        return false;
    return AtomicFile::write(path, *xml, error);
}

} // namespace yov
