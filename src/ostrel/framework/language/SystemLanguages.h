#pragma once
// The user's preferred languages, from the Linux locale, as the language codes the language
// tables use ("en", "fr", "pt-PT", "zh-Hans", "zh-Hant", "nb", ...), most preferred first.

#include <QString>
#include <QStringList>

namespace ostrel {

class SystemLanguages {
public:
    struct Inputs {
        QString languageEnv;     // LANGUAGE: a colon-separated list, e.g. "fr_FR:en"
        QString lcAllEnv;        // LC_ALL
        QString lcMessagesEnv;   // LC_MESSAGES
        QString langEnv;         // LANG, e.g. "de_DE.UTF-8"
        QStringList uiLanguages; // QLocale::system().uiLanguages()
    };

    static Inputs currentInputs();

    // LANGUAGE first (the user's own ordered list), then LC_ALL, LC_MESSAGES, LANG, then the
    // system locale's list; normalised, duplicates and "C"/"POSIX" dropped.
    static QStringList preferred(const Inputs &in);
    static QStringList preferred() { return preferred(currentInputs()); }

    // One locale name ("zh_TW.UTF-8", "pt-BR", "nb_NO@euro", "zh-Hans-CN") as a language code;
    // empty for "C", "POSIX" and text that is no locale name.
    static QString normalise(const QString &localeName);
};

} // namespace ostrel
