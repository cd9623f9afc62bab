#include "common/util/Regex.h"

#include <QHash>
#include <QLoggingCategory>
#include <QMutex>

#include <unicode/uregex.h>
#include <unicode/utypes.h>

#include <array>

Q_LOGGING_CATEGORY(lcRegex, "yov.regex")

namespace yov {

namespace {

constexpr int kSets = 13;
constexpr int kWays = 4;
constexpr uint32_t kOptions = 0; // no flags: case-sensitive, no multi-line, "." stops at line ends

struct CacheEntry {
    QString pattern;
    uint32_t options = 0;
    URegularExpression *regex = nullptr;
    quint64 lastUse = 0;
};

struct Cache {
    QMutex mutex;
    std::array<std::array<CacheEntry, kWays>, kSets> sets;
    quint64 clock = 0;
    quint64 compiles = 0;

    ~Cache()
    {
        for (auto &set : sets)
            for (auto &entry : set)
                if (entry.regex)
                    uregex_close(entry.regex);
    }
};

Cache &cache()
{
    static Cache instance;
    return instance;
}

void setError(RegexError *error, const QString &name, const QString &reason, int code)
{
    if (!error)
        return;
    error->name = name;
    error->reason = reason;
    error->code = code;
}

void setIcuError(RegexError *error, UErrorCode status)
{
    setError(error, QStringLiteral("RKLICURegexException"),
             QStringLiteral("ICU regular expression error #%1, %2.").arg(int(status)).arg(QString::fromLatin1(u_errorName(status))),
             int(status));
}

// Finds or compiles the pattern; call with the cache's lock held. Null and the error on failure.
// The cached expression is never matched itself: it only serves as the source of clones.
URegularExpression *compiled(Cache &c, const QString &pattern, RegexError *error)
{
    const size_t set = (qHash(pattern) ^ kOptions) % kSets;
    auto &ways = c.sets[set];
    ++c.clock;
    for (auto &entry : ways) {
        if (entry.regex && entry.options == kOptions && entry.pattern == pattern) {
            entry.lastUse = c.clock;
            return entry.regex;
        }
    }

    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError{};
    URegularExpression *regex = uregex_open(reinterpret_cast<const UChar *>(pattern.utf16()), int32_t(pattern.size()),
                                            kOptions, &parseError, &status);
    ++c.compiles;
    if (U_FAILURE(status)) {
        if (regex)
            uregex_close(regex);
        setIcuError(error, status);
        return nullptr;
    }

    CacheEntry *victim = &ways[0];
    for (auto &entry : ways) {
        if (!entry.regex) {
            victim = &entry;
            break;
        }
        if (entry.lastUse < victim->lastUse)
            victim = &entry;
    }
    if (victim->regex)
        uregex_close(victim->regex);
    victim->pattern = pattern;
    victim->options = kOptions;
    victim->regex = regex;
    victim->lastUse = c.clock;
    return regex;
}

// A matcher of its own for one search: a clone of the cached pattern (clones share the compiled
// pattern, counted by ICU, so a clone stays valid when its cache entry is replaced meanwhile).
// Null and the error when the pattern does not compile.
URegularExpression *matcherFor(const QString &pattern, RegexError *error)
{
    Cache &c = cache();
    QMutexLocker lock(&c.mutex);
    URegularExpression *regex = compiled(c, pattern, error);
    if (!regex)
        return nullptr;
    UErrorCode status = U_ZERO_ERROR;
    URegularExpression *clone = uregex_clone(regex, &status);
    if (U_FAILURE(status)) {
        if (clone)
            uregex_close(clone);
        setIcuError(error, status);
        return nullptr;
    }
    return clone;
}

// Runs the search on a matcher of its own, outside the cache's lock and within the time limit.
bool firstMatch(const QString &subject, const QString &pattern, RegexError *error, int *start, int *end)
{
    if (pattern.isNull()) {
        setError(error, QStringLiteral("NSInvalidArgumentException"),
                 QStringLiteral("The regular expression argument is NULL."), 0);
        return false;
    }
    URegularExpression *regex = matcherFor(pattern, error);
    if (!regex)
        return false;

    UErrorCode status = U_ZERO_ERROR;
    uregex_setTimeLimit(regex, Regex::kMatchTimeLimit, &status);
    if (U_SUCCESS(status))
        uregex_setText(regex, reinterpret_cast<const UChar *>(subject.utf16()), int32_t(subject.size()), &status);
    bool found = false;
    if (U_SUCCESS(status))
        found = uregex_find(regex, 0, &status);
    if (found && U_SUCCESS(status)) {
        *start = uregex_start(regex, 0, &status);
        *end = uregex_end(regex, 0, &status);
    }
    uregex_close(regex);

    if (status == U_REGEX_TIME_OUT) {
        // Text from the user can make a pattern backtrack for ever: that search simply finds
        // nothing.
        qCWarning(lcRegex).noquote() << QStringLiteral("the regular expression %1 took too long on a text of %2 characters; "
                                                       "taken as no match")
                                            .arg(pattern)
                                            .arg(subject.size());
        setIcuError(error, status);
        if (error)
            error->timedOut = true;
        return false;
    }
    if (U_FAILURE(status)) {
        setIcuError(error, status);
        return false;
    }
    return found;
}

} // namespace

bool Regex::isMatchedByRegex(const QString &subject, const QString &pattern, RegexError *error)
{
    int start = -1, end = -1;
    return firstMatch(subject, pattern, error, &start, &end);
}

std::optional<QString> Regex::stringByMatching(const QString &subject, const QString &pattern, RegexError *error)
{
    int start = -1, end = -1;
    if (!firstMatch(subject, pattern, error, &start, &end))
        return std::nullopt;
    return subject.mid(start, end - start).isNull() ? QString(QLatin1String("")) : subject.mid(start, end - start);
}

quint64 Regex::compileCount()
{
    Cache &c = cache();
    QMutexLocker lock(&c.mutex);
    return c.compiles;
}

} // namespace yov
