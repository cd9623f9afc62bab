#pragma once
// Where the token lists are: <folder>/<Name>.lproj/LanguageTokenList.txt per language, and
// <folder>/LanguageTokenList.txt, the fallback list, used when no language folder applies.
//
// The folder is, first match wins: the environment variable OSTREL_LANGUAGE_DIR; the shipped data
// beside the program (<prefix>/share/ostrel/Language, <prefix> being the folder above bin/);
// /usr/local/share/ostrel/Language; /usr/share/ostrel/Language.

#include <QString>

namespace ostrel {

class LanguageResources {
public:
    static QString defaultFolder();

    // The token list of a language in the folder, or the fallback list; empty when the file does
    // not exist (the caller passes the empty path on, and English is shown).
    static QString tokenListPath(const QString &folder, const QString &languageName);
    static QString fallbackTokenListPath(const QString &folder);
};

} // namespace ostrel
