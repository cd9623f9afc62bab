#pragma once
// The items file of a device phonebook storage: written by the device service into the ModemList
// folder ("SIM_Items.plist", "ME_Items.plist") and named by the storage's 1025/0 report; read by
// the dashboard.
//
// An XML property list: an array of dictionaries with ITEM_INDEX (the record index, an integer)
// and the texts ITEM_NAME, ITEM_NUM1, ITEM_NUM2, ITEM_NUM3 and ITEM_EMAIL, each present only when
// the record has it.
//
// Reading is bounded and forgiving: an entry without an integer ITEM_INDEX within the storage's
// record range, or repeating an index read before, is skipped with a note; the other values are
// read as texts through the project's conversions (a number where a name belongs is its decimal
// text). A file that is missing or cannot be read gives no items and a note.

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace yov {

namespace pbitem {
inline constexpr char kIndex[] = "ITEM_INDEX";
inline constexpr char kName[] = "ITEM_NAME";
inline constexpr char kNumber1[] = "ITEM_NUM1";
inline constexpr char kNumber2[] = "ITEM_NUM2";
inline constexpr char kNumber3[] = "ITEM_NUM3";
inline constexpr char kEmail[] = "ITEM_EMAIL";
} // namespace pbitem

inline constexpr char kSimItemsFileName[] = "SIM_Items.plist";
inline constexpr char kMeItemsFileName[] = "ME_Items.plist";

// One record of a storage.
struct PhonebookItem {
    int index = 0;
    std::optional<QString> name;
    std::optional<QString> number1;
    std::optional<QString> number2;
    std::optional<QString> number3;
    std::optional<QString> email;

    bool operator==(const PhonebookItem &) const = default;
};

struct PhonebookItemsRead {
    QList<PhonebookItem> items; // in file order
    QStringList notes;          // what was skipped or could not be read, one line each
};

class PhonebookItemsFile {
public:
    // The items whose index lies in minIndex..maxIndex (no item when minIndex > maxIndex).
    static PhonebookItemsRead read(const QString &path, int minIndex, int maxIndex);
    // Writes the items in the given order, atomically; false (and the reason) leaves the old file.
    static bool write(const QString &path, const QList<PhonebookItem> &items, QString *error = nullptr);
};

} // namespace yov
