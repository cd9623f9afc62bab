#pragma once
// The language object handed to every controller: its own token dictionary, the table of
// language names, and the "UpdateLanguage" notification that tells controllers to redraw their
// texts.

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

namespace ostrel {

// Posted by Language::update(), the language object as its object, no user info.
extern const QString kUpdateLanguage;

class Language : public QObject {
    Q_OBJECT
public:
    struct Row {
        const char *systemCode;
        const char *englishName;
        const char *nativeName;
    };

    explicit Language(QObject *parent = nullptr);

    void setLanguageTokenDict(const QHash<QString, QString> &tokens);
    const QHash<QString, QString> &languageTokenDict() const { return tokens_; }

    // Reads a token list into the dictionary; false (dictionary unchanged) when the file is
    // missing or unreadable.
    bool LoadTokenListResource(const QString &path);

    // The dictionary's text for the English text; the text itself without an entry; "" for a null text.
    QString mapStringByName(const QString &text) const;

    QString nativeToEnglish(const QString &nativeName) const;
    QString englishToNative(const QString &englishName) const;
    QString systemLanguageToEnglish(const QString &systemCode) const;

    // The user's most preferred system language code.
    virtual QString systemDefaultLanguage() const;
    // Where systemDefaultLanguage() comes from (SystemLanguages::preferred() unless set).
    void setSystemLanguagesSource(std::function<QStringList()> source) { systemLanguages_ = std::move(source); }

    // Registers the observer's method (an invokable method or slot without arguments, by name) for
    // "UpdateLanguage" from this object. False, and nothing registered, when the observer has no
    // such method. With needUpdate the method is also called at once.
    bool registerObserver(QObject *observer, const char *method, bool needUpdate);
    // Posts "UpdateLanguage".
    void update();

    int rowCount() const { return count_; }
    static const Row *rows(int *count);

protected:
    QHash<QString, QString> tokens_;
    bool hasTokens_ = false;
    int count_ = 0;
    std::function<QStringList()> systemLanguages_;
};

} // namespace ostrel
