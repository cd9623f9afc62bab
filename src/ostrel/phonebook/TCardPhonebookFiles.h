#pragma once
// The phonebook files on the modem's memory card: the folder "PB" of the card's volume holds one
// file per contact, "PB_<n>.ini" (n a positive file number), and the key list "KEY_LIST.ini"
// (one line "<n>=<record index>" per contact, for the modem's own use; the dashboard writes it but
// loads by scanning the folder). All of them are UTF-16 text with a byte-order mark (written
// little-endian), lines ending in CR LF, each line "key=value".
//
// A card contact is a contact dictionary whose values are texts (empty when the file lacks the
// key), plus "fileNameNumber" (n) and "index" (the record index, negative, from -10000 down).
// A file that is not UTF-16 text is skipped and never rewritten or deleted; every write is
// atomic.
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QVariantMap>

#include <optional>

namespace ostrel {

namespace tcardkey {
inline const QString fileNameNumber = QStringLiteral("fileNameNumber");
} // namespace tcardkey

class TCardPhonebookFiles {
public:
    static constexpr int kFirstIndex = -10000;

    explicit TCardPhonebookFiles(const QString &volume);

    QString folderPath() const { return folder_; }
    QString keyListPath() const;
    QString recordPath(int fileNumber) const;

    // The key list exists, or a fresh one ("[KeyList]\r\nCount=0") was written (the folder made
    // first): true when the card folder can be used.
    bool prepare() const;

    // The card contacts of every record file, sorted by name; each file number read once. Empty
    // when the folder is missing.
    QList<QVariantMap> scan() const;

    // Writes the contact's record file (atomically); false when it could not be written.
    bool writeRecord(const QVariantMap &contact) const;
    // Adds the record to the key list; cardList is the card list before the add (the key list is
    // rebuilt from it when it cannot be read).
    bool addToKeyList(int fileNumber, int index, const QList<QVariantMap> &cardList) const;
    // Removes the record file and its key-list line; cardListAfter is the card list without it.
    // False (nothing changed) when the file could not be removed.
    bool deleteRecord(int fileNumber, const QList<QVariantMap> &cardListAfter) const;

    // Numbering of a new record: the index below the smallest one (at most -10000), and the file
    // number above the largest one (1 for an empty list).
    static int newIndex(const QList<QVariantMap> &cardList);
    static int newFileNumber(const QList<QVariantMap> &cardList);
    // newFileNumber(), moved on past numbers whose file is on the card (a file the scan skipped
    // is never written over).
    int freeFileNumber(const QList<QVariantMap> &cardList) const;

    // The record file's text: the fixed template with the index, name, e-mail, mobile, home and
    // office number; line breaks in a value are written as blanks.
    static QString recordText(const QVariantMap &contact);
    // UTF-16LE with its byte-order mark.
    static QByteArray encode(const QString &text);
    // nullopt unless the bytes are UTF-16 with a byte-order mark, of even length, without an
    // unpaired surrogate.
    static std::optional<QString> decode(const QByteArray &bytes);
    // The "key=value" lines (exactly one "=") of a UTF-16 file; nullopt when it is missing, too
    // large or not UTF-16 text.
    static std::optional<QMap<QString, QString>> readIni(const QString &path);
    // The card contact of a record file's lines; empty without an integer "Index".
    static QVariantMap contactOfRecord(const QMap<QString, QString> &record, int fileNumber);
    // The file number a card file's name gives ("PB_<n>.<ext>", n > 0); 0 for any other name.
    static int fileNumberOfName(const QString &fileName);

private:
    bool writeKeyList(const QMap<QString, QString> &entries, int count) const;
    // The key list's record lines, or, when it cannot be read, those of the card list.
    QMap<QString, QString> keyListEntries(const QList<QVariantMap> &cardList) const;

    QString folder_;
};

} // namespace ostrel
