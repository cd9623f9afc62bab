#include "ostrel/framework/update/UpdateCfgIni.h"

#include "common/AtomicFile.h"
#include "ostrel/framework/update/UpdateLog.h"

#include <QFile>
#include <QStringList>

namespace ostrel {

bool UpdateCfgIni::rewrite(const QByteArray &text, const QString &key, const QString &value, QByteArray *out)
{
    if (key.isEmpty() || value.contains(u'\n') || value.contains(u'\r') || key.contains(u'\n') || key.contains(u'\r'))
        return false;
    const QStringList lines = QString::fromUtf8(text).split(u'\n');
    QString result;
    for (const QString &line : lines) {
        if (line.isEmpty() || line == QLatin1String("\r"))
            continue;
        qsizetype start = 0;
        while (start < line.size() && (line.at(start) == u' ' || line.at(start) == u'\t'))
            ++start;
        if (QStringView(line).mid(start).startsWith(key))
            result += line.left(start + key.size()) + value;
        else
            result += line;
        result += QLatin1String("\n\n");
    }
    *out = result.toUtf8();
    return true;
}

bool UpdateCfgIni::rewriteFile(const QString &path, const QString &key, const QString &value)
{
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcUpdate).noquote() << "Cannot read" << path << ":" << file.errorString();
        return false;
    }
    const QByteArray text = file.read(kMaxFileSize + 1);
    file.close();
    if (text.size() > kMaxFileSize) {
        qCWarning(lcUpdate).noquote() << path << "is larger than" << kMaxFileSize << "bytes; not rewritten";
        return false;
    }
    QByteArray rewritten;
    if (!rewrite(text, key, value, &rewritten)) {
        qCWarning(lcUpdate).noquote() << "Refused value for" << key << "in" << path << "(line break)";
        return false;
    }
    QString error;
    if (!yov::AtomicFile::write(path, rewritten, &error)) {
        qCWarning(lcUpdate).noquote() << "Cannot write" << path << ":" << error;
        return false;
    }
    return true;
}

} // namespace ostrel
