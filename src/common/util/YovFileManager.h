#pragma once
// File utilities used by the memory-card phonebook files and others.

#include <QMap>
#include <QString>
#include <QStringConverter>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace yov {

class Clock;

class YovFileManager {
public:
    enum FileType { RegularFile = 0, Directory = 1, Missing = 2, OtherKind = 3 };
    enum SearchType { SearchFiles = 0, SearchDirectories = 1, SearchAll = 2 };

    // False for an empty path; true when the path exists; else creates this one directory.
    static bool createDirectory(const QString &path);
    // Creates every level of path (a leading "~" is the home folder); stops at the first empty
    // component, so a trailing "/" ends the walk. False for an empty path or when a level fails.
    static bool createFolder(const QString &path);
    // Writes content atomically, creating missing parent folders first: a string in the given
    // encoding, bytes as they are, a dictionary or array as an XML property list. Content of
    // another kind writes nothing and gives true. False for an empty path or a failed write.
    static bool writeToFile(const QString &path, const QVariant &content,
                            QStringConverter::Encoding encoding = QStringConverter::Utf8);
    // key/value pairs from the lines of a text file: a line that splits at itemSeparator into
    // exactly two parts adds them (a later key wins); other lines are ignored. A missing file, or
    // one above maxReadBytes, gives an empty map (logged).
    static QMap<QString, QString> readFromFile(const QString &path, const QString &lineSeparator,
                                               const QString &itemSeparator,
                                               QStringConverter::Encoding encoding = QStringConverter::Utf8);
    static constexpr qint64 maxReadBytes = 16 * 1024 * 1024;

    // Links followed.
    static FileType getFileTypeWithPath(const QString &path);
    // A hidden file: its name starts with ".".
    static bool isHiddenFile(const QString &path);
    // Every path below directory (recursively, sorted), filtered by type and then kept only where
    // isHiddenFile() equals containHidden; as directory + "/" + relative path with fullPath, else
    // relative. nullopt (logged) when directory is not a directory.
    static std::optional<QStringList> getSubPathsWithFileDirectoryPath(const QString &directory, int searchType,
                                                                       bool fullPath, bool containHidden);
    // True when nothing is there; else removes it (a folder with its contents, a link itself).
    static bool removeFileAtPath(const QString &path);
};

class YovObjectOperation {
public:
    enum class ObjectClass { String, Number, Date, Other };
    // object when it is valid (the null value included); for an invalid one, by class: an empty
    // string, the number 0, now (by clock, else the system clock), or the null value (a QVariant
    // holding std::nullptr_t).
    static QVariant checkNilWithObject(const QVariant &object, ObjectClass objectClass, Clock *clock = nullptr);
    static bool isNullObject(const QVariant &value);
};

} // namespace yov
