#pragma once
// Token lists: the translation tables of the user interface, one file per language.
//
// A token list is UTF-8 text (a UTF-8 or UTF-16 byte-order mark is honoured) in the strings-file
// form:
//     /* a comment */  // a comment to the end of the line
//     "English text" = "Translation";
//     "Key only";                        (the key stands for itself)
//     Unquoted_Key = "Translation";      (letters, digits and _ . - $ : /)
// Quoted texts take the escapes \" \\ \' \n \r \t \0 and \uXXXX / \UXXXX (UTF-16 code units).
// A numbered entry, read by Map_Name_Item_of_Index(), has the key "#<number>".
//
// A malformed entry is skipped up to the next ";" or line end and reported with its line; the rest
// of the file still loads. Later entries replace earlier ones with the same key.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

namespace ostrel {

struct TokenList {
    QHash<QString, QString> entries;
    QStringList problems; // one text per malformed entry or unreadable file
    bool loaded = false;  // the file was read (it may still have had problems)

    // Files above this size are refused rather than read into memory.
    static constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

    static TokenList parse(const QByteArray &bytes);
    static TokenList readFile(const QString &path);
};

} // namespace ostrel
