#include "ostrel/framework/language/WordingOperation.h"

#include "common/TextFormat.h"
#include "ostrel/framework/language/LanguageLog.h"
#include "ostrel/framework/language/Lingrove.h"

#include <QStringList>

namespace ostrel {

QString WordingOperation::getDisplayWordingValueByWordingKey(const QString &key)
{
    static const QStringList modules = {
        QStringLiteral("Main"),      QStringLiteral("Init"),    QStringLiteral("SMS"),
        QStringLiteral("PhoneBook"), QStringLiteral("Setting"), QStringLiteral("Internet"),
        QStringLiteral("Record"),    QStringLiteral("USSD"),
    };
    const qsizetype underscore = key.indexOf(u'_');
    if (underscore < 0) {
        qCWarning(lcLanguage).noquote() << yov::formatPlaceholders(
            QStringLiteral("error://%@ has no the characer of _  by the  standard Wording rule"), {key});
        return QString("");
    }
    if (!modules.contains(key.left(underscore))) {
        qCWarning(lcLanguage).noquote() << yov::formatPlaceholders(
            QStringLiteral("error://%@ has no module before the character of _  by the  standard Wording rule"), {key});
        return QString("");
    }
    return Map_Name_Item_of_IndexString(key);
}

} // namespace ostrel
