#include "ostrel/framework/language/Lingrove.h"

#include "ostrel/framework/language/LanguageLog.h"
#include "ostrel/framework/language/TokenList.h"
#include "ostrel/framework/switches/ConfigService.h"

#include <QHash>
#include <QReadWriteLock>

#include <algorithm>

namespace ostrel {

Q_LOGGING_CATEGORY(lcLanguage, "ostrel.language")

namespace {

struct Table {
    QReadWriteLock lock;
    QHash<QString, QString> entries;
    QString path;
};

Table &table()
{
    static Table t;
    return t;
}

} // namespace

bool Lingrove_Init(const QString &path)
{
    TokenList list = TokenList::readFile(path);
    for (const QString &problem : std::as_const(list.problems))
        qCWarning(lcLanguage).noquote() << "Token list:" << problem;
    {
        Table &t = table();
        QWriteLocker lock(&t.lock);
        t.entries = list.loaded ? std::move(list.entries) : QHash<QString, QString>();
        t.path = path;
    }
    ConfigService::setActiveTokenListPath(list.loaded ? path : QString());
    return list.loaded;
}

void Lingrove_Dump()
{
    Table &t = table();
    QReadLocker lock(&t.lock);
    qCDebug(lcLanguage).noquote() << "Token list" << t.path << "holds" << t.entries.size() << "entries";
    QStringList keys = t.entries.keys();
    std::sort(keys.begin(), keys.end());
    for (const QString &key : std::as_const(keys))
        qCDebug(lcLanguage).noquote() << key << "=" << t.entries.value(key);
}

QString Map_Name_Item_of_IndexString(const QString &english)
{
    if (english.isEmpty())
        return QString(""); // never a null text
    Table &t = table();
    QReadLocker lock(&t.lock);
    const auto it = t.entries.constFind(english);
    return it == t.entries.constEnd() ? english : it.value();
}

QString Map_Name_Item_of_Index(int index)
{
    Table &t = table();
    QReadLocker lock(&t.lock);
    return t.entries.value(QStringLiteral("#%1").arg(index), QString(""));
}

QString Lingrove_ActivePath()
{
    Table &t = table();
    QReadLocker lock(&t.lock);
    return t.path;
}

int Lingrove_Count()
{
    Table &t = table();
    QReadLocker lock(&t.lock);
    return int(t.entries.size());
}

} // namespace ostrel
