#pragma once
// Chooses the user-interface language at start and loads its token list into the active table
// (Lingrove.h).
//
// settings.plist (top level): SupportLanguages (the names this operator build offers),
// CurrentLanguage (the name in use), FirstInstallFlag (true until the first choice is made).
//
// Start (initLanguage):
//   FirstInstallFlag true     -> the first-run choice (loadTokenListByFirstInstall)
//   SupportLanguages missing  -> the fallback token list
//   otherwise                 -> loadTokenList: the stored CurrentLanguage when it is one of the
//                                selectable names, else the fallback token list.
// First run: the first system language (in preference order) whose name is offered decides;
// none: "English" when offered, else the first offered name; nothing offered: the fallback list
// and CurrentLanguage unchanged. FirstInstallFlag then becomes false and settings.plist is written.
//
// Main thread only.

#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>

namespace ostrel {

class ConfigManager;

class LanguageOperation {
public:
    static LanguageOperation *sharedLanguageOperation();

    // Over a given store (not owned); null: the shared store at each call.
    explicit LanguageOperation(ConfigManager *store = nullptr);

    // The folder of the token lists (LanguageResources::defaultFolder() unless set).
    void setResourceFolder(const QString &folder) { folder_ = folder; }
    QString resourceFolder() const;
    // The user's preferred language codes (SystemLanguages::preferred() unless set).
    void setSystemLanguagesSource(std::function<QStringList()> source) { systemLanguages_ = std::move(source); }
    QStringList systemLanguages() const;

    void initLanguage();
    void loadTokenList();
    // SupportLanguages; empty when missing.
    QStringList getSupportLanguageArray();

    // The steps of the first-run choice.
    void loadTokenListByFirstInstall();
    // Sets CurrentLanguage to the name when it is offered (else to "English") and gives the token
    // list to load: the name's own, or the fallback list.
    QString findInSupportLanguages(const QString &name);
    // The name of the first of the system-code pairs whose code is the given one and whose name is
    // offered; empty when none.
    QString getSystemLanguageFullName(const QString &systemCode);
    bool languageIsSupported(const QString &name);

    // The names a stored CurrentLanguage can select, in order.
    static const QStringList &selectableLanguages();
    // The system codes and the names they stand for on the first run, in search order.
    static const QList<QPair<QString, QString>> &systemLanguagePairs();
    // The locale of a language name ("German", "zh_CN", ...) for sorting and comparing texts: the
    // first system code that stands for it; English for an empty or unknown name.
    static QLocale localeOfLanguage(const QString &name);

    QString tokenListPathOf(const QString &name) const;
    QString fallbackTokenListPath() const;

private:
    ConfigManager *store() const;

    ConfigManager *store_ = nullptr;
    QString folder_;
    std::function<QStringList()> systemLanguages_;
    QStringList m_SupportLanguageArray;
};

} // namespace ostrel
