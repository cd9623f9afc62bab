#include "ostrel/phonebook/TCardPhonebookFiles.h"

#include "common/AtomicFile.h"
#include "common/ValueConversion.h"
#include "common/util/YovFileManager.h"
#include "ostrel/phonebook/ContactLists.h"
#include "ostrel/phonebook/PBContact.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSet>

Q_LOGGING_CATEGORY(lcTCardPhonebook, "ostrel.phonebook.tcard")

namespace ostrel {

namespace {

const QString kCardLineEnd = QStringLiteral("\r\n");
const QString kCardPrefix = QStringLiteral("PB");
const QString kKeyListName = QStringLiteral("KEY_LIST");
const QString kIniExtension = QStringLiteral(".ini");
const QString kKeyListCount = QStringLiteral("Count");
const QString kKeyListHeader = QStringLiteral("[KeyList]");
const QString kIndexKey = QStringLiteral("Index");

// The record file's keys and the card contact's keys, in the file's order.
struct RecordKey {
    const char *file;
    const char *contact;
};
const RecordKey kRecordKeys[] = {
    {"Index", "index"},           {"GroupId", "groupid"},         {"Name", "username"},
    {"SecondName", "secondname"}, {"Company", "company"},         {"Duty", "duty"},
    {"Email", "email"},           {"Email2", "email2"},           {"QQ", "qq"},
    {"MSN", "msn"},               {"Notes", "notes"},             {"PhoneNumber", "mobilephone"},
    {"HomeNumber", "homephone"},  {"OfficeNumber", "officephone"}, {"HomeAddress", "homeaddress"},
    {"WorkAddress", "workaddress"}, {"Url", "url"},                {"PictureID", "pictureid"},
};

const QString kRecordTemplate = QStringLiteral(
    "[Contact]\r\nIndex=%1\r\nGroupId=\r\nName=%2\r\nSecondName= \t\t\t\t\t\t \r\nCompany=\r\nDuty=\r\n"
    "Email=%3\r\nEmail2=\r\nQQ=\r\nMSN=\r\nNotes= \t\t\t\t\t\t \r\nPhoneNumber=%4\r\nHomeNumber=%5\r\n"
    "OfficeNumber=%6\r\nHomeAddress= \t\t\t\t\t\t \r\nWorkAddress=\r\nUrl=\r\nPictureID=");

// A value stays on its own line.
QString singleLine(const QString &value)
{
    QString text = value;
    for (QChar &c : text)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    return text;
}

std::optional<int> strictInt(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

int intOf(const QVariantMap &contact, const QString &key) { return yov::nsInt(contact.value(key)); }

} // namespace

TCardPhonebookFiles::TCardPhonebookFiles(const QString &volume) : folder_(volume + QLatin1Char('/') + kCardPrefix) {}

QString TCardPhonebookFiles::keyListPath() const { return folder_ + QLatin1Char('/') + kKeyListName + kIniExtension; }

QString TCardPhonebookFiles::recordPath(int fileNumber) const
{
    return folder_ + QLatin1Char('/') + kCardPrefix + QLatin1Char('_') + QString::number(fileNumber) + kIniExtension;
}

bool TCardPhonebookFiles::prepare() const
{
    if (QFileInfo::exists(keyListPath()))
        return true;
    if (!yov::YovFileManager::createFolder(folder_))
        return false;
    return writeKeyList({}, 0);
}

// ---- text ---------------------------------------------------------------------------------------

QByteArray TCardPhonebookFiles::encode(const QString &text)
{
    QByteArray bytes("\xFF\xFE", 2);
    bytes.reserve(2 + text.size() * 2);
    for (QChar c : text) {
        const char16_t unit = c.unicode();
        bytes.append(char(unit & 0xFF));
        bytes.append(char(unit >> 8));
    }
    return bytes;
}

std::optional<QString> TCardPhonebookFiles::decode(const QByteArray &bytes)
{
    if (bytes.size() < 2 || bytes.size() % 2 != 0)
        return std::nullopt;
    const auto byte = [&bytes](qsizetype i) { return char16_t(uchar(bytes.at(i))); };
    bool little = false;
    if (byte(0) == 0xFF && byte(1) == 0xFE)
        little = true;
    else if (!(byte(0) == 0xFE && byte(1) == 0xFF))
        return std::nullopt;
    QString text;
    text.reserve((bytes.size() - 2) / 2);
    for (qsizetype i = 2; i < bytes.size(); i += 2)
        text.append(QChar(little ? char16_t(byte(i) | (byte(i + 1) << 8)) : char16_t((byte(i) << 8) | byte(i + 1))));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate()) {
            if (i + 1 >= text.size() || !text.at(i + 1).isLowSurrogate())
                return std::nullopt;
            ++i;
        } else if (text.at(i).isLowSurrogate()) {
            return std::nullopt;
        }
    }
    return text;
}

std::optional<QMap<QString, QString>> TCardPhonebookFiles::readIni(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (file.size() > yov::YovFileManager::maxReadBytes) {
        qCWarning(lcTCardPhonebook) << "A card file too large to read was skipped:" << path;
        return std::nullopt;
    }
    const std::optional<QString> text = decode(file.read(yov::YovFileManager::maxReadBytes));
    if (!text) {
        qCWarning(lcTCardPhonebook) << "A card file that is not UTF-16 text was skipped:" << path;
        return std::nullopt;
    }
    QMap<QString, QString> lines;
    for (const QString &line : text->split(kCardLineEnd)) {
        const QStringList parts = line.split(QLatin1Char('='));
        if (parts.size() == 2)
            lines.insert(parts.at(0), parts.at(1));
    }
    return lines;
}

QString TCardPhonebookFiles::recordText(const QVariantMap &contact)
{
    return kRecordTemplate.arg(QString::number(contactIndex(contact)), singleLine(contactText(contact, contactkey::username)),
                               singleLine(contactText(contact, contactkey::email)),
                               singleLine(contactText(contact, contactkey::mobilephone)),
                               singleLine(contactText(contact, contactkey::homephone)),
                               singleLine(contactText(contact, contactkey::officephone)));
}

// ---- loading --------------------------------------------------------------------------------------

int TCardPhonebookFiles::fileNumberOfName(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? fileName.left(dot) : fileName;
    if (!base.startsWith(kCardPrefix))
        return 0;
    const QStringList parts = base.split(QLatin1Char('_'));
    if (parts.size() != 2)
        return 0;
    const std::optional<int> n = strictInt(parts.at(1));
    return n && *n > 0 ? *n : 0;
}

QVariantMap TCardPhonebookFiles::contactOfRecord(const QMap<QString, QString> &record, int fileNumber)
{
    const std::optional<int> index = strictInt(record.value(kIndexKey));
    if (!record.contains(kIndexKey) || !index || fileNumber <= 0)
        return {};
    QVariantMap contact;
    for (const RecordKey &key : kRecordKeys)
        contact.insert(QString::fromLatin1(key.contact), record.value(QString::fromLatin1(key.file)));
    contact.insert(contactkey::index, *index);
    contact.insert(tcardkey::fileNameNumber, fileNumber);
    return contact;
}

QList<QVariantMap> TCardPhonebookFiles::scan() const
{
    QList<QVariantMap> contacts;
    const std::optional<QStringList> paths =
        yov::YovFileManager::getSubPathsWithFileDirectoryPath(folder_, yov::YovFileManager::SearchFiles, false, false);
    if (!paths)
        return contacts;
    QSet<int> read;
    for (const QString &path : *paths) {
        const int n = fileNumberOfName(QFileInfo(path).fileName());
        // "PB_3.bak" or "sub/PB_3.ini" also name the record file PB_3.ini: it is read once.
        if (n <= 0 || read.contains(n))
            continue;
        read.insert(n);
        const std::optional<QMap<QString, QString>> record = readIni(recordPath(n));
        if (!record || record->isEmpty())
            continue;
        const QVariantMap contact = contactOfRecord(*record, n);
        if (contact.isEmpty()) {
            qCWarning(lcTCardPhonebook) << "A card record without an index was skipped:" << recordPath(n);
            continue;
        }
        contacts.append(contact);
    }
    ContactLists::sortList(contacts);
    return contacts;
}

// ---- numbering ------------------------------------------------------------------------------------

int TCardPhonebookFiles::newIndex(const QList<QVariantMap> &cardList)
{
    if (cardList.isEmpty())
        return kFirstIndex;
    int smallest = kFirstIndex;
    for (const QVariantMap &contact : cardList)
        smallest = qMin(smallest, intOf(contact, contactkey::index));
    return smallest - 1;
}

int TCardPhonebookFiles::newFileNumber(const QList<QVariantMap> &cardList)
{
    int largest = 0;
    for (const QVariantMap &contact : cardList)
        largest = qMax(largest, intOf(contact, tcardkey::fileNameNumber));
    return largest + 1;
}

int TCardPhonebookFiles::freeFileNumber(const QList<QVariantMap> &cardList) const
{
    int n = newFileNumber(cardList);
    while (QFileInfo::exists(recordPath(n)))
        ++n;
    return n;
}

// ---- writing --------------------------------------------------------------------------------------

bool TCardPhonebookFiles::writeRecord(const QVariantMap &contact) const
{
    const int n = intOf(contact, tcardkey::fileNameNumber);
    if (n <= 0 || !yov::YovFileManager::createFolder(folder_))
        return false;
    return yov::AtomicFile::write(recordPath(n), encode(recordText(contact)));
}

bool TCardPhonebookFiles::writeKeyList(const QMap<QString, QString> &entries, int count) const
{
    QString text = kKeyListHeader + kCardLineEnd + kKeyListCount + QLatin1Char('=') + QString::number(count);
    for (auto it = entries.cbegin(); it != entries.cend(); ++it)
        text += kCardLineEnd + it.key() + QLatin1Char('=') + it.value();
    return yov::AtomicFile::write(keyListPath(), encode(text));
}

QMap<QString, QString> TCardPhonebookFiles::keyListEntries(const QList<QVariantMap> &cardList) const
{
    if (std::optional<QMap<QString, QString>> read = readIni(keyListPath())) {
        read->remove(kKeyListCount);
        return *read;
    }
    qCWarning(lcTCardPhonebook) << "The card's key list could not be read; it is rebuilt from the card list";
    QMap<QString, QString> entries;
    for (const QVariantMap &contact : cardList)
        entries.insert(QString::number(intOf(contact, tcardkey::fileNameNumber)),
                       QString::number(intOf(contact, contactkey::index)));
    return entries;
}

bool TCardPhonebookFiles::addToKeyList(int fileNumber, int index, const QList<QVariantMap> &cardList) const
{
    QMap<QString, QString> entries = keyListEntries(cardList);
    entries.insert(QString::number(fileNumber), QString::number(index));
    return writeKeyList(entries, int(cardList.size()) + 1);
}

bool TCardPhonebookFiles::deleteRecord(int fileNumber, const QList<QVariantMap> &cardListAfter) const
{
    if (fileNumber <= 0 || !yov::YovFileManager::removeFileAtPath(recordPath(fileNumber)))
        return false;
    QMap<QString, QString> entries = keyListEntries(cardListAfter);
    entries.remove(QString::number(fileNumber));
    return writeKeyList(entries, int(cardListAfter.size()));
}

} // namespace ostrel
