#include "ostrel/framework/language/Language.h"

#include "ostrel/framework/language/LanguageLog.h"
#include "ostrel/framework/language/SystemLanguages.h"
#include "ostrel/framework/language/TokenList.h"
#include "platform/NotificationCenter.h"

#include <QFileInfo>
#include <QMetaMethod>
#include <QPointer>

namespace ostrel {

const QString kUpdateLanguage = QStringLiteral("UpdateLanguage");

namespace {
const Language::Row kRows[] = {
    {"ar", "Arabic", "لعربية"},
    {"bg", "Bulgarian", "Bulgarian"},
    {"hr", "Croatian", "Hrvatski"},
    {"cs", "Czech", "Česky"},
    {"da", "Danish", "Dansk"},
    {"nl", "Dutch", "Nederlands"},
    {"en", "English", "English"},
    {"fi", "Finnish", "Suomi"},
    {"fr", "French", "Français"},
    {"de", "German", "Deutsch"},
    {"hu", "Hungarian", "Magyar"},
    {"id", "Indonesian", "Indonesia"},
    {"it", "Italian", "Italiano"},
    {"ja", "Japanese", "日本語"},
    {"nb", "Norwegian", "Norsk"},
    {"pl", "Polish", "Polski"},
    {"pt", "Portuguese", "Português"},
    {"ro", "Romanian", "Română"},
    {"ru", "Russian", "Русский"},
    {"sk", "Slovak", "Slovenčina"},
    {"es", "Spanish", "Español"},
    {"sv", "Swedish", "Svenska"},
    {"tr", "Turkish", "Türkçe"},
    {"zh-Hans", "zh_CN", "简体中文"},
    {"zh-Hant", "zh_TW", "繁體中文"},
    {"lt", "Lithuanian", "Lietuvių"},
    {"sr", "Serbian", "Српски"},
};
} // namespace

const Language::Row *Language::rows(int *count)
{
    if (count)
        *count = int(std::size(kRows));
    return kRows;
}

Language::Language(QObject *parent) : QObject(parent), count_(int(std::size(kRows))) {}

void Language::setLanguageTokenDict(const QHash<QString, QString> &tokens)
{
    tokens_ = tokens;
    hasTokens_ = true;
}

bool Language::LoadTokenListResource(const QString &path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    TokenList list = TokenList::readFile(path);
    for (const QString &problem : std::as_const(list.problems))
        qCWarning(lcLanguage).noquote() << "Token list:" << problem;
    if (!list.loaded)
        return false;
    setLanguageTokenDict(list.entries);
    return true;
}

QString Language::mapStringByName(const QString &text) const
{
    if (text.isNull())
        return QString("");
    if (!hasTokens_)
        return text;
    return tokens_.value(text, text);
}

QString Language::nativeToEnglish(const QString &nativeName) const
{
    for (const Row &r : kRows)
        if (nativeName == QString::fromUtf8(r.nativeName))
            return QString::fromUtf8(r.englishName);
    return QString();
}

QString Language::englishToNative(const QString &englishName) const
{
    for (const Row &r : kRows)
        if (englishName == QString::fromUtf8(r.englishName))
            return QString::fromUtf8(r.nativeName);
    return QString();
}

QString Language::systemLanguageToEnglish(const QString &systemCode) const
{
    for (const Row &r : kRows)
        if (systemCode == QString::fromUtf8(r.systemCode))
            return QString::fromUtf8(r.englishName);
    return QString();
}

QString Language::systemDefaultLanguage() const
{
    const QStringList langs = systemLanguages_ ? systemLanguages_() : SystemLanguages::preferred();
    return langs.value(0);
}

bool Language::registerObserver(QObject *observer, const char *method, bool needUpdate)
{
    if (!observer || !method)
        return false;
    const QMetaObject *meta = observer->metaObject();
    const QByteArray name(method);
    int index = -1;
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod m = meta->method(i);
        if (m.name() == name && m.parameterCount() == 0 &&
            (m.methodType() == QMetaMethod::Slot || m.methodType() == QMetaMethod::Method)) {
            index = i;
            break;
        }
    }
    if (index < 0)
        return false;
    const QMetaMethod m = meta->method(index);
    QPointer<QObject> target(observer);
    yov::NotificationCenter::defaultCenter().addObserver(observer, kUpdateLanguage, this,
                                                         [target, m](const yov::Notification &) {
                                                             if (target)
                                                                 m.invoke(target.data(), Qt::DirectConnection);
                                                         });
    if (needUpdate)
        m.invoke(observer, Qt::DirectConnection);
    return true;
}

void Language::update()
{
    yov::NotificationCenter::defaultCenter().post(kUpdateLanguage, this);
}

} // namespace ostrel
