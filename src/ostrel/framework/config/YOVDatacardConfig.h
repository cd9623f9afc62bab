#pragma once
// The older accessor of single top-level keys of one property-list file (the work file).
//
// Every read and write goes to the file afresh; nothing is cached. The work path is empty until
// initGlobal() (or setSettingDictWorkPath()) sets it, and with no work path nothing is read or
// written.

#include <QString>
#include <QVariant>

namespace ostrel {

class YOVDatacardConfig {
public:
    YOVDatacardConfig() = delete;

    // Once per process: the work path becomes defaultConfigListName(0).
    static void initGlobal();
    static void freeGlobal();
    static bool isInitialize();

    // The file name at index 0..12; a null string for any other index.
    static QString configListName(int index);
    // The ModemList folder joined with configListName(index); null when either is missing.
    static QString defaultConfigListName(int index);

    static void setSettingDictWorkPath(const QString &path);
    static QString settingDictWorkPath();

    // The key's top-level value in the work file, read afresh; invalid when the key or the work
    // path is null or the file cannot be read.
    static QVariant settingDictKey(const QString &key);
    // Reads the work file afresh, sets the key and writes the whole file back atomically. Does
    // nothing when the key, the value or the work path is null, or when the file cannot be read
    // as a dictionary (so an unreadable file is never replaced). Always returns false.
    static bool setSettingDictKey(const QString &key, const QVariant &value);
};

} // namespace ostrel
