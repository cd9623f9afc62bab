#include "ostrel/settings/LinkListFile.h"

#include "common/AtomicFile.h"
#include "common/PlistBridge.h"
#include "common/ValueConversion.h"

#include <QFile>
#include <QFileInfo>

namespace ostrel {

namespace LinkListFile {

LinkListRead read(const QString &path, bool setAside)
{
    LinkListRead result;
    const QFileInfo info(path);
    if (path.isEmpty() || (!info.exists() && !info.isSymLink()))
        return result;
    if (std::optional<QVariant> root = yov::PlistBridge::readFile(path, &result.reason)) {
        if (root->typeId() != QMetaType::QVariantList) {
            result.reason = QStringLiteral("the root is not an array");
        } else {
            const QVariantList list = root->toList();
            bool allDictionaries = true;
            for (int i = 0; i < list.size() && allDictionaries; ++i) {
                if (list.at(i).typeId() != QMetaType::QVariantMap) {
                    allDictionaries = false;
                    result.reason = QStringLiteral("element %1 is not a dictionary").arg(i);
                }
            }
            if (allDictionaries) {
                result.outcome = LinkListRead::Outcome::Read;
                result.entries = list;
                return result;
            }
        }
    }
    // A rename keeps the bytes as they are and never replaces another file.
    const QString aside = yov::AtomicFile::freeNumberedName(path + QStringLiteral(".unreadable"));
    if (setAside && info.isFile() && QFile::rename(path, aside)) {
        result.outcome = LinkListRead::Outcome::SetAside;
        result.setAsideAs = aside;
    } else {
        result.outcome = LinkListRead::Outcome::LeftInPlace;
    }
    return result;
}

bool write(const QString &path, const QVariantList &entries, QString *error)
{
    return yov::PlistBridge::writeFile(path, entries, error);
}

bool hasWebScheme(const QString &text)
{
    if (text.size() < 7)
        return false;
    const QStringView head = QStringView(text).left(7);
    return head == QLatin1String("http://") || head == QLatin1String("https:/");
}

QString linkWithScheme(const QString &text) { return hasWebScheme(text) ? text : QStringLiteral("http://") + text; }

} // namespace LinkListFile

// --- browser links -----------------------------------------------------------------------------

namespace {

bool hasBlank(const QString &text)
{
    for (QChar c : text)
        if (c.isSpace())
            return true;
    return false;
}

} // namespace

QVariantMap BrowserLinkList::entryFor(const QString &text)
{
    return {{QStringLiteral("browserdiscription"), text}, {QStringLiteral("DonotOpenTheBrowser"), QStringLiteral("0")}};
}

void BrowserLinkList::reset(const QVariantList &entries)
{
    entries_ = entries;
    fileIndex_.clear();
    for (int i = 0; i < entries_.size(); ++i)
        fileIndex_ << i;
}

QString BrowserLinkList::text(int index) const
{
    if (index < 0 || index >= entries_.size())
        return QString();
    return yov::nsString(entries_.at(index).toMap().value(QStringLiteral("browserdiscription")));
}

int BrowserLinkList::indexOf(const QString &text) const
{
    for (int i = 0; i < entries_.size(); ++i)
        if (this->text(i) == text)
            return i;
    return -1;
}

BrowserLinkList::Refusal BrowserLinkList::add(const QString &text)
{
    if (hasBlank(text))
        return Refusal::Blank;
    if (indexOf(text) >= 0)
        return Refusal::Duplicate;
    if (text.isEmpty())
        return Refusal::Empty;
    entries_.append(entryFor(text));
    fileIndex_.append(-1);
    return Refusal::None;
}

BrowserLinkList::Refusal BrowserLinkList::edit(int index, const QString &text)
{
    if (hasBlank(text))
        return Refusal::Blank;
    if (index >= 0 && index < count() && text == this->text(index))
        return Refusal::Unchanged;
    if (indexOf(text) >= 0)
        return Refusal::Duplicate;
    if (text.isEmpty())
        return Refusal::Empty;
    if (index < 0 || index >= count())
        return Refusal::Empty;
    entries_[index] = entryFor(text);
    return Refusal::None;
}

bool BrowserLinkList::remove(int index)
{
    if (index < 0 || index >= count())
        return false;
    entries_.removeAt(index);
    fileIndex_.removeAt(index);
    return true;
}

int BrowserLinkList::followChosen(int chosenInFile) const
{
    const int now = int(fileIndex_.indexOf(chosenInFile));
    return chosenInFile >= 0 && now >= 0 ? now : 0;
}

// --- favourite links ---------------------------------------------------------------------------

int FavoriteLinkList::positionOfIndex(int index) const
{
    if (index < 0)
        return -1;
    for (int i = 0; i < entries_.size(); ++i) {
        const QVariantMap entry = entries_.at(i).toMap();
        if (entry.contains(QStringLiteral("Index")) && yov::nsInt(entry.value(QStringLiteral("Index"))) == index)
            return i;
    }
    return -1;
}

QVariantMap FavoriteLinkList::entryAtIndex(int index) const
{
    const int at = positionOfIndex(index);
    return at >= 0 ? entries_.at(at).toMap() : QVariantMap();
}

bool FavoriteLinkList::setValue(int index, const QString &key, const QVariant &value)
{
    const int at = positionOfIndex(index);
    if (at < 0)
        return false;
    QVariantMap entry = entries_.at(at).toMap();
    entry.insert(key, value);
    entries_[at] = entry;
    return true;
}

int FavoriteLinkList::move(int current, bool forward)
{
    const int n = int(entries_.size());
    if (n == 0 || current < 0)
        return -1;
    const int target = forward ? (current + 1) % n : (current + n - 1) % n;
    // Both entries are found before either changes: the exchange is one step.
    const int from = positionOfIndex(current);
    const int to = positionOfIndex(target);
    const auto setIndex = [this](int at, int index) {
        QVariantMap entry = entries_.at(at).toMap();
        entry.insert(QStringLiteral("Index"), index);
        entries_[at] = entry;
    };
    if (from >= 0)
        setIndex(from, target);
    if (to >= 0 && to != from)
        setIndex(to, current);
    return target;
}

} // namespace ostrel
