#include "common/PlistXmlReader.h"

#include "common/PlistBridge.h"

#include <QDateTime>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <charconv>
#include <cstring>
#include <limits>
#include <map>
#include <string_view>
#include <unordered_map>

namespace yov {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The value elements of a property list and the two structural ones.
enum class Tag { None, Plist, Dict, Array, Key, String, Integer, Real, Date, Data, True, False };

Tag tagOf(std::string_view name)
{
    static const std::pair<std::string_view, Tag> names[] = {
        {"dict", Tag::Dict},       {"array", Tag::Array}, {"key", Tag::Key},   {"string", Tag::String},
        {"integer", Tag::Integer}, {"real", Tag::Real},   {"date", Tag::Date}, {"data", Tag::Data},
        {"true", Tag::True},       {"false", Tag::False}, {"plist", Tag::Plist},
    };
    for (const auto &[text, tag] : names)
        if (text == name)
            return tag;
    return Tag::None;
}

struct OpenTag {
    Tag tag = Tag::None;
    std::string_view name;
    bool empty = false; // written <name/>
};

class Parser {
public:
    explicit Parser(const QByteArray &bytes) : p_(bytes.constData()), end_(bytes.constData() + bytes.size()) {}

    PlistXmlReader::Result run()
    {
        PlistXmlReader::Result result;
        if (!skipMisc(true))
            return result;
        OpenTag root;
        if (!openTag(root, true) || root.tag != Tag::Plist || root.empty)
            return result;
        if (!skipMisc(false) || !value(result.value) || !skipMisc(false) || !closeTag("plist"))
            return result;
        skipSpace();
        if (p_ != end_)
            return result;
        result.status = PlistXmlReader::Status::Read;
        return result;
    }

    bool tooDeep() const { return tooDeep_; }

private:
    const char *p_;
    const char *end_;
    int depth_ = 0;
    bool tooDeep_ = false;
    // Keys repeat in every record of a list: each distinct key is decoded once and then shared.
    std::unordered_map<std::string_view, QString> keys_;

    bool at(std::string_view text) const
    {
        return size_t(end_ - p_) >= text.size() && std::memcmp(p_, text.data(), text.size()) == 0;
    }

    void skipSpace()
    {
        while (p_ < end_ && isSpace(*p_))
            ++p_;
    }

    // Skips to just past `marker`. In a declaration or a tag (`quotes`), text in double quotes is
    // stepped over and a '<' outside them is not taken.
    bool skipPast(std::string_view marker, bool quotes)
    {
        while (p_ < end_) {
            if (quotes && *p_ == '"') {
                const void *close = std::memchr(p_ + 1, '"', size_t(end_ - p_ - 1));
                if (!close)
                    return false;
                p_ = static_cast<const char *>(close) + 1;
                continue;
            }
            if (quotes && *p_ == '<')
                return false;
            if (at(marker)) {
                p_ += marker.size();
                return true;
            }
            ++p_;
        }
        return false;
    }

    // White space and comments between elements; before the root also the XML declaration and
    // a DOCTYPE without an internal subset.
    bool skipMisc(bool prolog)
    {
        for (;;) {
            skipSpace();
            if (at("<!--")) {
                p_ += 4;
                if (!skipPast("-->", false))
                    return false;
            } else if (prolog && at("<?xml") && p_ + 5 < end_ && isSpace(p_[5])) {
                p_ += 5;
                if (!skipPast("?>", true))
                    return false;
            } else if (prolog && at("<!DOCTYPE") && p_ + 9 < end_ && isSpace(p_[9])) {
                const char *start = p_ += 9;
                if (!skipPast(">", true) || std::memchr(start, '[', size_t(p_ - start)))
                    return false;
            } else {
                return true;
            }
        }
    }

    // <name> or <name/>; attributes only on <plist>.
    bool openTag(OpenTag &tag, bool attributes)
    {
        if (p_ >= end_ || *p_ != '<')
            return false;
        const char *name = ++p_;
        while (p_ < end_ && *p_ >= 'a' && *p_ <= 'z')
            ++p_;
        tag.name = std::string_view(name, size_t(p_ - name));
        tag.tag = tagOf(tag.name);
        if (tag.tag == Tag::None)
            return false;
        if (attributes && p_ < end_ && isSpace(*p_)) {
            if (!skipPast(">", true))
                return false;
            tag.empty = p_[-2] == '/';
            return true;
        }
        if (at(">")) {
            p_ += 1;
            tag.empty = false;
            return true;
        }
        if (at("/>")) {
            p_ += 2;
            tag.empty = true;
            return true;
        }
        return false;
    }

    bool closeTag(std::string_view name)
    {
        if (!at("</"))
            return false;
        p_ += 2;
        if (!at(name))
            return false;
        p_ += name.size();
        if (!at(">"))
            return false;
        ++p_;
        return true;
    }

    // Plain text up to the element's closing tag: no markup, no entities.
    bool plainText(std::string_view name, std::string_view &text)
    {
        const char *start = p_;
        const void *lt = std::memchr(p_, '<', size_t(end_ - p_));
        if (!lt)
            return false;
        p_ = static_cast<const char *>(lt);
        text = std::string_view(start, size_t(p_ - start));
        if (text.find('&') != std::string_view::npos)
            return false;
        return closeTag(name);
    }

    static bool appendUtf8(std::string &out, uint32_t code)
    {
        if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        if (code < 0x80) {
            out += char(code);
        } else if (code < 0x800) {
            out += char(0xC0 | (code >> 6));
            out += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += char(0xE0 | (code >> 12));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        } else {
            out += char(0xF0 | (code >> 18));
            out += char(0x80 | ((code >> 12) & 0x3F));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        }
        return true;
    }

    // One entity at p_ (just past '&'), decoded into out.
    bool entity(std::string &out)
    {
        static const std::pair<std::string_view, char> named[] = {
            {"amp;", '&'}, {"lt;", '<'}, {"gt;", '>'}, {"quot;", '"'}, {"apos;", '\''}};
        for (const auto &[text, c] : named) {
            if (at(text)) {
                p_ += text.size();
                out += c;
                return true;
            }
        }
        if (!at("#"))
            return false;
        ++p_;
        const bool hex = p_ < end_ && (*p_ == 'x' || *p_ == 'X');
        if (hex)
            ++p_;
        const char *digits = p_;
        while (p_ < end_ && p_ - digits < 7 && *p_ != ';')
            ++p_;
        if (p_ >= end_ || *p_ != ';' || p_ == digits)
            return false;
        uint32_t code = 0;
        const auto res = std::from_chars(digits, p_, code, hex ? 16 : 10);
        if (res.ec != std::errc() || res.ptr != p_)
            return false;
        ++p_;
        return appendUtf8(out, code);
    }

    // The text of a string or key element: entities and CDATA sections decoded.
    bool stringText(std::string_view name, std::string_view &raw, std::string &decoded, bool &isRaw)
    {
        const char *start = p_;
        isRaw = true;
        for (;;) {
            while (p_ < end_ && *p_ != '<' && *p_ != '&')
                ++p_;
            if (p_ >= end_)
                return false;
            if (*p_ == '<' && p_ + 1 < end_ && p_[1] == '/')
                break;
            if (isRaw) {
                decoded.assign(start, size_t(p_ - start));
                isRaw = false;
            } else {
                decoded.append(start, size_t(p_ - start));
            }
            if (*p_ == '&') {
                ++p_;
                if (!entity(decoded))
                    return false;
            } else if (at("<![CDATA[")) {
                p_ += 9;
                const char *cdata = p_;
                if (!skipPast("]]>", false))
                    return false;
                decoded.append(cdata, size_t(p_ - 3 - cdata));
            } else {
                return false;
            }
            start = p_;
        }
        if (isRaw)
            raw = std::string_view(start, size_t(p_ - start));
        else
            decoded.append(start, size_t(p_ - start));
        return closeTag(name);
    }

    bool string(std::string_view name, QString &out)
    {
        std::string_view raw;
        std::string decoded;
        bool isRaw = true;
        if (!stringText(name, raw, decoded, isRaw))
            return false;
        out = isRaw ? QString::fromUtf8(raw.data(), qsizetype(raw.size()))
                    : QString::fromUtf8(decoded.data(), qsizetype(decoded.size()));
        return true;
    }

    bool key(QString &out)
    {
        std::string_view raw;
        std::string decoded;
        bool isRaw = true;
        if (!stringText("key", raw, decoded, isRaw))
            return false;
        if (!isRaw) {
            out = QString::fromUtf8(decoded.data(), qsizetype(decoded.size()));
            return true;
        }
        auto it = keys_.find(raw);
        if (it == keys_.end())
            it = keys_.emplace(raw, QString::fromUtf8(raw.data(), qsizetype(raw.size()))).first;
        out = it->second;
        return true;
    }

    static bool integer(std::string_view text, QVariant &out)
    {
        // Decimal digits, a minus sign at most, no leading zero: other spellings are left to the
        // general reader.
        const bool negative = !text.empty() && text.front() == '-';
        const std::string_view digits = negative ? text.substr(1) : text;
        if (digits.empty() || (digits.size() > 1 && digits.front() == '0'))
            return false;
        for (char c : digits)
            if (!isDigit(c))
                return false;
        if (negative) {
            qint64 v = 0;
            const auto res = std::from_chars(text.data(), text.data() + text.size(), v);
            if (res.ec != std::errc() || res.ptr != text.data() + text.size())
                return false;
            out = QVariant(v);
            return true;
        }
        quint64 v = 0;
        const auto res = std::from_chars(digits.data(), digits.data() + digits.size(), v);
        if (res.ec != std::errc() || res.ptr != digits.data() + digits.size())
            return false;
        out = v > quint64(std::numeric_limits<qint64>::max()) ? QVariant(v) : QVariant(qint64(v));
        return true;
    }

    static bool real(std::string_view text, QVariant &out)
    {
        if (text == "nan") {
            out = QVariant(std::numeric_limits<double>::quiet_NaN());
            return true;
        }
        if (text == "+infinity" || text == "infinity" || text == "-infinity") {
            const double inf = std::numeric_limits<double>::infinity();
            out = QVariant(text.front() == '-' ? -inf : inf);
            return true;
        }
        // [-]digits[.digits][e[+-]digits], in the C locale whatever the process's locale is.
        size_t i = 0;
        const auto digits = [&] {
            const size_t from = i;
            while (i < text.size() && isDigit(text[i]))
                ++i;
            return i > from;
        };
        if (i < text.size() && text[i] == '-')
            ++i;
        if (!digits())
            return false;
        if (i < text.size() && text[i] == '.') {
            ++i;
            if (!digits())
                return false;
        }
        if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
            ++i;
            if (i < text.size() && (text[i] == '+' || text[i] == '-'))
                ++i;
            if (!digits())
                return false;
        }
        if (i != text.size())
            return false;
        double d = 0;
        const auto res = std::from_chars(text.data(), text.data() + text.size(), d);
        if (res.ec != std::errc() || res.ptr != text.data() + text.size())
            return false;
        out = QVariant(d);
        return true;
    }

    // yyyy-MM-ddTHH:mm:ssZ, UTC.
    static bool date(std::string_view text, QVariant &out)
    {
        static constexpr std::string_view form = "dddd-dd-ddTdd:dd:ddZ";
        if (text.size() != form.size())
            return false;
        for (size_t i = 0; i < form.size(); ++i)
            if (form[i] == 'd' ? !isDigit(text[i]) : text[i] != form[i])
                return false;
        const auto number = [&](size_t from, size_t n) {
            int v = 0;
            for (size_t i = from; i < from + n; ++i)
                v = v * 10 + (text[i] - '0');
            return v;
        };
        const QDate day(number(0, 4), number(5, 2), number(8, 2));
        const QTime time(number(11, 2), number(14, 2), number(17, 2));
        if (number(0, 4) < 1000 || !day.isValid() || !time.isValid())
            return false;
        out = QVariant(QDateTime(day, time, Qt::UTC));
        return true;
    }

    // Base64 with white space anywhere, padded to whole groups of four.
    static bool data(std::string_view text, QVariant &out)
    {
        QByteArray compact;
        compact.reserve(qsizetype(text.size()));
        for (char c : text) {
            if (isSpace(c))
                continue;
            if (!(isDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '+' || c == '/' || c == '='))
                return false;
            compact += c;
        }
        if (compact.size() % 4 != 0)
            return false;
        const qsizetype pad = compact.indexOf('=');
        if (pad >= 0 && (pad < compact.size() - 2 || compact.mid(pad).count('=') != compact.size() - pad))
            return false;
        auto decoded = QByteArray::fromBase64Encoding(compact, QByteArray::AbortOnBase64DecodingErrors);
        if (decoded.decodingStatus != QByteArray::Base64DecodingStatus::Ok)
            return false;
        out = QVariant(decoded.decoded);
        return true;
    }

    bool value(QVariant &out)
    {
        OpenTag tag;
        if (!openTag(tag, false))
            return false;
        switch (tag.tag) {
        case Tag::True:
        case Tag::False:
            if (!tag.empty)
                return false;
            out = QVariant(tag.tag == Tag::True);
            return true;
        case Tag::String: {
            QString text;
            if (tag.empty)
                text = QString::fromUtf8("", 0);
            else if (!string(tag.name, text))
                return false;
            out = QVariant(std::move(text));
            return true;
        }
        case Tag::Integer:
        case Tag::Real:
        case Tag::Date:
        case Tag::Data: {
            std::string_view text;
            if (tag.empty || !plainText(tag.name, text))
                return false;
            return tag.tag == Tag::Integer ? integer(text, out)
                   : tag.tag == Tag::Real  ? real(text, out)
                   : tag.tag == Tag::Date  ? date(text, out)
                                           : data(text, out);
        }
        case Tag::Array:
        case Tag::Dict: {
            if (depth_ >= PlistBridge::kMaxDepth) {
                tooDeep_ = true;
                return false;
            }
            if (tag.empty) {
                out = tag.tag == Tag::Array ? QVariant(QVariantList()) : QVariant(QVariantMap());
                return true;
            }
            ++depth_;
            const bool ok = tag.tag == Tag::Array ? array(out) : dict(out);
            --depth_;
            return ok;
        }
        default:
            return false;
        }
    }

    bool array(QVariant &out)
    {
        QVariantList list;
        for (;;) {
            if (!skipMisc(false))
                return false;
            if (at("</"))
                break;
            QVariant item;
            if (!value(item))
                return false;
            list.emplace_back(std::move(item));
        }
        if (!closeTag("array"))
            return false;
        out = QVariant(std::move(list));
        return true;
    }

    bool dict(QVariant &out)
    {
        std::map<QString, QVariant> map;
        for (;;) {
            if (!skipMisc(false))
                return false;
            if (at("</"))
                break;
            if (!at("<key>"))
                return false;
            p_ += 5;
            QString name;
            if (!key(name) || !skipMisc(false))
                return false;
            QVariant item;
            if (!value(item))
                return false;
            const size_t before = map.size();
            map.emplace_hint(map.end(), std::move(name), std::move(item));
            if (map.size() == before) // a repeated key
                return false;
        }
        if (!closeTag("dict"))
            return false;
        out = QVariant(QVariantMap(std::move(map)));
        return true;
    }
};

} // namespace

PlistXmlReader::Result PlistXmlReader::read(const QByteArray &bytes)
{
    // A NUL byte ends the text for C-string based readers: such documents are left to them.
    if (bytes.isEmpty() || std::memchr(bytes.constData(), '\0', size_t(bytes.size())))
        return {};
    Parser parser(bytes);
    Result result = parser.run();
    if (result.status != Status::Read) {
        result.value = QVariant();
        if (parser.tooDeep())
            result.status = Status::TooDeep;
    }
    return result;
}

} // namespace yov
