#pragma once
// Regular expressions for text checks and searches, over ICU's engine.
//
// Patterns use ICU syntax and match the whole subject with no options: case-sensitive, "^" and
// "$" anchor at the start and end of the text, "." does not match line ends. Matching searches:
// the first match is the leftmost, and a pattern need not cover the whole text.
//
// Callers build patterns from user text, so a pattern that does not compile is reported through
// the error argument (name "RKLICURegexException", reason "ICU regular expression error #<code>,
// <name>.") and never throws. Compiled patterns are cached (13 sets of 4, least recently used
// replaced); the cache's lock is held only to find or compile a pattern: each search runs on a
// matcher of its own, so searches on several threads run side by side.
//
// Every search is bounded by ICU's time limit (kMatchTimeLimit steps of its engine, each on the
// order of a millisecond): a pattern that backtracks for ever on a text, such as "(a+)+$" on
// forty "a" and a "!", gives no match and one log line instead of blocking its thread; the error
// then says timedOut, so that a caller can stop using that pattern.

#include <QString>

#include <optional>

namespace yov {

struct RegexError {
    QString name;   // "RKLICURegexException", or "NSInvalidArgumentException" for a null pattern
    QString reason; // the text for the user or the log
    int code = 0;   // ICU's error code, 0 for a null pattern
    bool timedOut = false; // the search ran into the time limit (the pattern itself is sound)
};

class Regex {
public:
    // The engine's time limit of one search, in its own steps (uregex_setTimeLimit).
    static constexpr int kMatchTimeLimit = 500;

    // True when the pattern matches somewhere in subject. A bad pattern gives false and the error.
    static bool isMatchedByRegex(const QString &subject, const QString &pattern, RegexError *error = nullptr);

    // The text of the first match (the whole match); nullopt when there is none or the pattern is
    // bad. A pattern that matches empty text gives an empty (not absent) string.
    static std::optional<QString> stringByMatching(const QString &subject, const QString &pattern,
                                                   RegexError *error = nullptr);

    // How many patterns have been compiled so far (the cache's misses), for tests and benchmarks.
    static quint64 compileCount();
};

} // namespace yov
