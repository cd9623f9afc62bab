#include "common/TextFormat.h"

namespace yov {

namespace {

// Length of the placeholder that starts at format[i] (a '%'), 0 when there is none.
qsizetype placeholderLength(const QString &format, qsizetype i)
{
    const qsizetype n = format.size();
    qsizetype j = i + 1;
    if (j >= n)
        return 0;
    const QChar c = format.at(j);
    if (c == u'@' || c == u'd' || c == u'i' || c == u'u' || c == u's')
        return 2;
    // %ld %lu %lld %llu
    qsizetype longs = 0;
    while (j < n && format.at(j) == u'l' && longs < 2) {
        ++j;
        ++longs;
    }
    if (longs > 0 && j < n && (format.at(j) == u'd' || format.at(j) == u'u'))
        return j - i + 1;
    return 0;
}

} // namespace

QString formatPlaceholders(const QString &format, const QStringList &args)
{
    QString out;
    out.reserve(format.size());
    qsizetype next = 0;
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = format.at(i);
        if (c != u'%') {
            out.append(c);
            continue;
        }
        if (i + 1 < n && format.at(i + 1) == u'%') {
            out.append(u'%');
            ++i;
            continue;
        }
        const qsizetype len = placeholderLength(format, i);
        if (len == 0) {
            out.append(c);
            continue;
        }
        if (next < args.size())
            out.append(args.at(next));
        ++next;
        i += len - 1;
    }
    return out;
}

} // namespace yov
