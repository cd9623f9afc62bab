#include "common/util/YovFileManager.h"

#include "common/AtomicFile.h"
#include "common/PlistBridge.h"
#include "platform/Clock.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStringDecoder>
#include <QStringEncoder>

Q_LOGGING_CATEGORY(lcFileManager, "ostrel.filemanager")

namespace yov {

bool YovFileManager::createDirectory(const QString &path)
{
    if (path.isEmpty())
        return false;
    if (QFileInfo::exists(path))
        return true;
    return QDir().mkdir(path);
}

bool YovFileManager::createFolder(const QString &path)
{
    if (path.isEmpty())
        return false;
    QString expanded = path;
    if (expanded == QLatin1String("~") || expanded.startsWith(QLatin1String("~/")))
        expanded = QDir::homePath() + expanded.mid(1);

    const bool absolute = expanded.startsWith(QLatin1Char('/'));
    const QStringList parts = (absolute ? expanded.mid(1) : expanded).split(QLatin1Char('/'));
    QString current = absolute ? QStringLiteral("/") : QString();
    int walked = 0;
    for (const QString &part : parts) {
        if (part.isEmpty())
            break;
        if (!current.isEmpty() && !current.endsWith(QLatin1Char('/')))
            current += QLatin1Char('/');
        current += part;
        if (!createDirectory(current))
            return false;
        ++walked;
    }
    return walked > 0;
}

bool YovFileManager::writeToFile(const QString &path, const QVariant &content, QStringConverter::Encoding encoding)
{
    if (path.isEmpty())
        return false;
    const QMetaType type = content.metaType();
    const bool isText = type == QMetaType::fromType<QString>();
    const bool isData = type == QMetaType::fromType<QByteArray>();
    const bool isList = type == QMetaType::fromType<QVariantMap>() || type == QMetaType::fromType<QVariantList>();
    if (!isText && !isData && !isList)
        return true;

    if (!QFileInfo::exists(path)) {
        const QString parent = QFileInfo(path).path();
        if (!parent.isEmpty() && parent != QLatin1String(".") && !createFolder(parent))
            return false;
    }
    if (isText) {
        QStringEncoder encoder(encoding);
        const QByteArray bytes = encoder.encode(content.toString());
        if (encoder.hasError())
            return false;
        return AtomicFile::write(path, bytes);
    }
    if (isData)
        return AtomicFile::write(path, content.toByteArray());
    return PlistBridge::writeFile(path, content);
}

QMap<QString, QString> YovFileManager::readFromFile(const QString &path, const QString &lineSeparator,
                                                    const QString &itemSeparator, QStringConverter::Encoding encoding)
{
    QMap<QString, QString> result;
    QFile file(path);
    if (!QFileInfo::exists(path)) {
        qCWarning(lcFileManager) << "error:file path is not exist![readFromFile:]";
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcFileManager) << "cannot read" << path << file.errorString();
        return result;
    }
    if (file.size() > maxReadBytes) {
        qCWarning(lcFileManager) << "file too large to read:" << path << file.size() << "bytes";
        return result;
    }
    const QByteArray bytes = file.read(maxReadBytes + 1);
    if (bytes.size() > maxReadBytes) {
        qCWarning(lcFileManager) << "file too large to read:" << path;
        return result;
    }
    QStringDecoder decoder(encoding);
    const QString text = decoder.decode(bytes);
    if (lineSeparator.isEmpty() || itemSeparator.isEmpty())
        return result;
    for (const QString &line : text.split(lineSeparator)) {
        const QStringList parts = line.split(itemSeparator);
        if (parts.size() == 2)
            result.insert(parts.at(0), parts.at(1));
    }
    return result;
}

YovFileManager::FileType YovFileManager::getFileTypeWithPath(const QString &path)
{
    const QFileInfo info(path); // follows links
    if (path.isEmpty() || !info.exists())
        return Missing;
    if (info.isDir())
        return Directory;
    if (info.isFile())
        return RegularFile;
    return OtherKind;
}

bool YovFileManager::isHiddenFile(const QString &path)
{
    return QFileInfo(path).fileName().startsWith(QLatin1Char('.'));
}

std::optional<QStringList> YovFileManager::getSubPathsWithFileDirectoryPath(const QString &directory, int searchType,
                                                                            bool fullPath, bool containHidden)
{
    if (getFileTypeWithPath(directory) != Directory) {
        qCWarning(lcFileManager)
            << "error:file type isn't directory or file may not be exist![getSubPathsFromFileDirectoryPath]";
        return std::nullopt;
    }
    const QDir root(directory);
    QStringList relative;
    QDirIterator it(directory, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        relative << root.relativeFilePath(it.next());
    relative.sort();

    QStringList result;
    for (const QString &sub : relative) {
        const QString full = root.filePath(sub);
        const FileType type = getFileTypeWithPath(full);
        bool wanted = false;
        switch (searchType) {
        case SearchFiles:
            wanted = type == RegularFile;
            break;
        case SearchDirectories:
            wanted = type == Directory;
            break;
        case SearchAll:
            wanted = true;
            break;
        default:
            wanted = false;
        }
        if (!wanted || isHiddenFile(full) != containHidden)
            continue;
        result << (fullPath ? directory + QLatin1Char('/') + sub : sub);
    }
    return result;
}

bool YovFileManager::removeFileAtPath(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || (!info.exists() && !info.isSymLink()))
        return true;
    if (info.isDir() && !info.isSymLink())
        return QDir(path).removeRecursively();
    return QFile::remove(path);
}

QVariant YovObjectOperation::checkNilWithObject(const QVariant &object, ObjectClass objectClass, Clock *clock)
{
    if (object.isValid())
        return object;
    switch (objectClass) {
    case ObjectClass::String:
        return QString(QLatin1String(""));
    case ObjectClass::Number:
        return QVariant(qint64(0));
    case ObjectClass::Date:
        return (clock ? *clock : Clock::system()).now();
    case ObjectClass::Other:
        break;
    }
    return QVariant::fromValue(nullptr);
}

bool YovObjectOperation::isNullObject(const QVariant &value)
{
    return value.metaType() == QMetaType::fromType<std::nullptr_t>();
}

} // namespace yov
