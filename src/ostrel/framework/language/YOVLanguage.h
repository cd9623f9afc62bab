#pragma once
// The language object of the main window, shared by every controller.
//
// It keeps its choice (SupportLanguages, CurrentLanguage, FirstInstallFlag, FirstInstallLanguage)
// through the single-key accessor YOVDatacardConfig. The dashboard never gives that accessor a
// work file, so in the dashboard this object starts with no supported languages, loads no token
// list of its own and passes texts through unchanged: the visible texts come from the active
// table (Lingrove.h).

#include "ostrel/framework/language/Language.h"

#include <QStringList>

namespace ostrel {

class YOVLanguage : public Language {
    Q_OBJECT
public:
    // Reads the supported languages and, on a first load, picks the system language's list.
    // resourceFolder empty: LanguageResources::defaultFolder().
    explicit YOVLanguage(QObject *parent = nullptr, const QString &resourceFolder = QString(),
                         std::function<QStringList()> systemLanguages = {});

    void loadSupportLanguagesArray();
    bool findSupportLanguage(const QString &name) const;
    bool loadLanguageTokenListFileAutomatically();
    bool loadLanguageTokenListFileOfLastUsing();
    bool loadLanguageTokenListFileInSystemLanguage();
    // Loads "<name>.lproj"; on success stores CurrentLanguage = name and FirstInstallFlag = false.
    bool loadLanguageTokenListFileByName(const QString &name);
    bool isFirstLoadLanguage() const;
    int supportLanguageCount() const { return int(supportLanguages_.size()); }
    QString supportLanguageByIndex(int index) const { return supportLanguages_.value(index); }
    QString currentLanguage() const;

private:
    QString folder_;
    QStringList supportLanguages_;
};

} // namespace ostrel
