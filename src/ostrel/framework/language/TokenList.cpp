#include "ostrel/framework/language/TokenList.h"

#include <QFile>
#include <QStringDecoder>

namespace ostrel {

namespace {

QString decode(const QByteArray &bytes, QStringList *problems)
{
    auto encoding = QStringConverter::encodingForData(bytes);
    if (!encoding || *encoding == QStringConverter::Utf8) {
        QStringDecoder decoder(QStringConverter::Utf8);
        QString text = decoder.decode(bytes);
        if (decoder.hasError())
            problems->append(QStringLiteral("text is not valid UTF-8; bad bytes replaced"));
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    QStringDecoder decoder(*encoding);
    QString text = decoder.decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

bool isBareChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'-' || c == u'$' || c == u':' || c == u'/';
}

class Parser {
public:
    Parser(const QString &text, TokenList &out) : s_(text), out_(out) {}

    void run()
    {
        while (true) {
            skipBlanksAndComments();
            if (atEnd())
                return;
            const int entryLine = line_;
            QString key, value, error;
            bool keep = false;
            if (!readEntry(&key, &value, &error, &keep)) {
                out_.problems.append(QStringLiteral("line %1: %2").arg(entryLine).arg(error));
                if (keep) // only the ";" at the line end was missing: the entry stands
                    out_.entries.insert(key, value);
                else
                    recover();
                continue;
            }
            out_.entries.insert(key, value);
        }
    }

private:
    bool atEnd() const { return i_ >= s_.size(); }
    QChar peek(qsizetype ahead = 0) const { return i_ + ahead < s_.size() ? s_.at(i_ + ahead) : QChar(); }
    void advance()
    {
        if (s_.at(i_) == u'\n')
            ++line_;
        ++i_;
    }

    void skipBlanksAndComments()
    {
        while (!atEnd()) {
            const QChar c = peek();
            if (c.isSpace()) {
                advance();
            } else if (c == u'/' && peek(1) == u'/') {
                while (!atEnd() && peek() != u'\n')
                    advance();
            } else if (c == u'/' && peek(1) == u'*') {
                advance();
                advance();
                while (!atEnd() && !(peek() == u'*' && peek(1) == u'/'))
                    advance();
                if (atEnd()) {
                    out_.problems.append(QStringLiteral("line %1: comment not closed").arg(line_));
                    return;
                }
                advance();
                advance();
            } else {
                return;
            }
        }
    }

    // Skips the rest of a malformed entry: up to and including the next ";" or line end.
    void recover()
    {
        while (!atEnd()) {
            const QChar c = peek();
            advance();
            if (c == u';' || c == u'\n')
                return;
        }
    }

    bool readText(QString *text, QString *error)
    {
        if (peek() == u'"')
            return readQuoted(text, error);
        if (!isBareChar(peek())) {
            *error = atEnd() ? QStringLiteral("unexpected end of file")
                             : QStringLiteral("unexpected character '%1'").arg(peek());
            return false;
        }
        while (!atEnd() && isBareChar(peek())) {
            text->append(peek());
            advance();
        }
        return true;
    }

    static int hexValue(QChar c)
    {
        if (c >= u'0' && c <= u'9')
            return c.unicode() - u'0';
        if (c >= u'a' && c <= u'f')
            return c.unicode() - u'a' + 10;
        if (c >= u'A' && c <= u'F')
            return c.unicode() - u'A' + 10;
        return -1;
    }

    bool readQuoted(QString *text, QString *error)
    {
        advance(); // opening quote
        while (!atEnd()) {
            const QChar c = peek();
            if (c == u'"') {
                advance();
                return true;
            }
            if (c != u'\\') {
                text->append(c);
                advance();
                continue;
            }
            advance();
            if (atEnd())
                break;
            const QChar e = peek();
            advance();
            switch (e.unicode()) {
            case u'n': text->append(u'\n'); break;
            case u'r': text->append(u'\r'); break;
            case u't': text->append(u'\t'); break;
            case u'0': text->append(QChar(0)); break;
            case u'u':
            case u'U': {
                int code = 0;
                for (int k = 0; k < 4; ++k) {
                    const int h = hexValue(peek());
                    if (h < 0) {
                        *error = QStringLiteral("bad \\u escape");
                        return false;
                    }
                    code = code * 16 + h;
                    advance();
                }
                text->append(QChar(char16_t(code)));
                break;
            }
            default: // \" \\ \' and any other character stand for themselves
                text->append(e);
                break;
            }
        }
        *error = QStringLiteral("text not closed");
        return false;
    }

    // keep: on failure, the entry was complete but for its ";" at the end of its line.
    bool readEntry(QString *key, QString *value, QString *error, bool *keep)
    {
        if (!readText(key, error))
            return false;
        const int keyLine = line_;
        skipBlanksAndComments();
        if (peek() == u';') {
            advance();
            *value = *key;
            return true;
        }
        if (peek() != u'=') {
            *error = QStringLiteral("'=' or ';' expected after \"%1\"").arg(*key);
            *value = *key;
            *keep = atEnd() || line_ != keyLine;
            return false;
        }
        advance();
        skipBlanksAndComments();
        if (!readText(value, error))
            return false;
        const int valueLine = line_;
        skipBlanksAndComments();
        if (peek() != u';') {
            *error = QStringLiteral("';' expected after the entry \"%1\"").arg(*key);
            *keep = atEnd() || line_ != valueLine;
            return false;
        }
        advance();
        return true;
    }

    const QString &s_;
    TokenList &out_;
    qsizetype i_ = 0;
    int line_ = 1;
};

} // namespace

TokenList TokenList::parse(const QByteArray &bytes)
{
    TokenList out;
    out.loaded = true;
    const QString text = decode(bytes, &out.problems);
    Parser(text, out).run();
    return out;
}

TokenList TokenList::readFile(const QString &path)
{
    TokenList out;
    if (path.isEmpty()) {
        out.problems.append(QStringLiteral("no token list"));
        return out;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        out.problems.append(QStringLiteral("%1: %2").arg(path, file.errorString()));
        return out;
    }
    if (file.size() > kMaxFileSize) {
        out.problems.append(QStringLiteral("%1: larger than %2 bytes, not read").arg(path).arg(kMaxFileSize));
        return out;
    }
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (bytes.size() > kMaxFileSize) {
        out.problems.append(QStringLiteral("%1: larger than %2 bytes, not read").arg(path).arg(kMaxFileSize));
        return out;
    }
    return parse(bytes);
}

} // namespace ostrel
