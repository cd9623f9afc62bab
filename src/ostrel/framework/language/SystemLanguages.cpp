#include "ostrel/framework/language/SystemLanguages.h"

#include <QLocale>
#include <QRegularExpression>

namespace ostrel {

SystemLanguages::Inputs SystemLanguages::currentInputs()
{
    Inputs in;
    in.languageEnv = qEnvironmentVariable("LANGUAGE");
    in.lcAllEnv = qEnvironmentVariable("LC_ALL");
    in.lcMessagesEnv = qEnvironmentVariable("LC_MESSAGES");
    in.langEnv = qEnvironmentVariable("LANG");
    in.uiLanguages = QLocale::system().uiLanguages();
    return in;
}

QString SystemLanguages::normalise(const QString &localeName)
{
    QString name = localeName.trimmed();
    // Drop the encoding and the modifier: "de_DE.UTF-8@euro" -> "de_DE".
    const qsizetype cut = name.indexOf(QRegularExpression(QStringLiteral("[.@]")));
    if (cut >= 0)
        name.truncate(cut);
    if (name.isEmpty() || name == QLatin1String("C") || name == QLatin1String("POSIX"))
        return QString();
    const QStringList parts = name.split(QRegularExpression(QStringLiteral("[-_]")), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return QString();
    const QString lang = parts.first().toLower();
    for (const QChar c : lang) {
        if (c < u'a' || c > u'z')
            return QString();
    }
    if (lang.size() < 2 || lang.size() > 3)
        return QString();

    QString script, region;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString &p = parts.at(i);
        if (p.size() == 4 && script.isEmpty())
            script = p.left(1).toUpper() + p.mid(1).toLower();
        else if ((p.size() == 2 || p.size() == 3) && region.isEmpty())
            region = p.toUpper();
    }

    if (lang == QLatin1String("zh")) {
        if (script == QLatin1String("Hant") || script == QLatin1String("Hans"))
            return QStringLiteral("zh-") + script;
        if (region == QLatin1String("TW") || region == QLatin1String("HK") || region == QLatin1String("MO"))
            return QStringLiteral("zh-Hant");
        return QStringLiteral("zh-Hans");
    }
    if (lang == QLatin1String("pt"))
        return region == QLatin1String("PT") ? QStringLiteral("pt-PT") : QStringLiteral("pt");
    if (lang == QLatin1String("no") || lang == QLatin1String("nn") || lang == QLatin1String("nb"))
        return QStringLiteral("nb");
    return lang;
}

QStringList SystemLanguages::preferred(const Inputs &in)
{
    QStringList names;
    // LANGUAGE is honoured only with a real locale, as gettext does.
    const QString effective = !in.lcAllEnv.isEmpty() ? in.lcAllEnv
                              : !in.lcMessagesEnv.isEmpty() ? in.lcMessagesEnv
                                                            : in.langEnv;
    if (!in.languageEnv.isEmpty() && !normalise(effective).isEmpty())
        names << in.languageEnv.split(u':', Qt::SkipEmptyParts);
    names << in.lcAllEnv << in.lcMessagesEnv << in.langEnv << in.uiLanguages;

    QStringList out;
    for (const QString &n : std::as_const(names)) {
        const QString code = normalise(n);
        if (!code.isEmpty() && !out.contains(code))
            out << code;
    }
    return out;
}

} // namespace ostrel
