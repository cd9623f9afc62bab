#pragma once
// The two link lists of the settings window, as files and as data (no widgets):
//
// - browserList.plist: the links the browser may open when a connection starts, an array of
//   {"browserdiscription": link text, "DonotOpenTheBrowser": "0"};
// - FavoriteLinks.plist: the user's favourite applications and pages, an array of
//   {"Index", "Name", "Type" (0 application, 1 web link), "Path", "Para", "Image",
//   "LaunchAtStartup", "LaunchaWhenConnected"}.
//
// A list file that exists but cannot be read (not a property list, too large for the bridge, or
// not an array of dictionaries) is renamed to "<name>.unreadable" ("-2", "-3"... when taken)
// before anything is written, so that saving the editor's list never writes over it. A missing
// file is an empty list.
#include <QList>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

namespace ostrel {

struct LinkListRead {
    enum class Outcome { Missing, Read, SetAside, LeftInPlace };
    Outcome outcome = Outcome::Missing;
    QVariantList entries;
    QString setAsideAs; // where an unreadable file now is
    QString reason;     // why it could not be read
};

namespace LinkListFile {

// Reads the array of dictionaries at path, setting an unreadable file aside (see above) unless
// setAside is false (a reader that never writes the file leaves it for the editor to find).
LinkListRead read(const QString &path, bool setAside = true);
// Writes the list atomically; false (with a reason) when it could not be written.
bool write(const QString &path, const QVariantList &entries, QString *error = nullptr);

// Whether the text begins with "http://" or "https:/" (its first seven characters).
bool hasWebScheme(const QString &text);
// The text as a link to open: unchanged with a web scheme, else with "http://" in front.
QString linkWithScheme(const QString &text);

} // namespace LinkListFile

// The browser links being edited in the advanced sheet. Every entry remembers where it was in the
// file, so that the chosen link (BrowserID, an index into the file's list) can be followed across
// removals.
class BrowserLinkList {
public:
    enum class Refusal { None, Blank, Duplicate, Empty, Unchanged };

    void reset(const QVariantList &entries);
    const QVariantList &entries() const { return entries_; }
    int count() const { return int(entries_.size()); }
    QString text(int index) const;
    // The index of the entry with that text; -1 when none.
    int indexOf(const QString &text) const;

    // Appends the text as a new link. Refused: a blank anywhere, an existing text, empty.
    Refusal add(const QString &text);
    // Replaces the entry at index by the text. Refused: a blank, the entry's own text (nothing to
    // do), another entry's text, empty.
    Refusal edit(int index, const QString &text);
    // Removes the entry; false outside the list.
    bool remove(int index);

    // Where the link chosen by the file's index now is: one less for each removed entry before
    // it; 0 when it was removed itself (or was outside the list).
    int followChosen(int chosenInFile) const;

    static QVariantMap entryFor(const QString &text);

private:
    QVariantList entries_;
    QList<int> fileIndex_; // each entry's index in the file; -1 for an added one
};

// The favourite links being edited; entries are found by their "Index" (the icon's cell).
class FavoriteLinkList {
public:
    QVariantList &entries() { return entries_; }
    const QVariantList &entries() const { return entries_; }
    // The position of the entry whose Index is index; -1 when none (or index is negative).
    int positionOfIndex(int index) const;
    QVariantMap entryAtIndex(int index) const;
    // Sets the key of the entry whose Index is index; false when no entry has it.
    bool setValue(int index, const QString &key, const QVariant &value);
    // Exchanges the Index values of the entry at cell current and its neighbour, backward
    // ((current + n - 1) mod n) or forward ((current + 1) mod n) with n entries; returns the
    // neighbour's cell, or -1 when nothing moved (no entries, no current cell).
    int move(int current, bool forward);

private:
    QVariantList entries_;
};

} // namespace ostrel
