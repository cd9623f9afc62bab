#pragma once
// The PIN that the user chose to keep on this computer, bound to the ICCID of its SIM.
//
// It lives in a file of its own ("savedPin.plist", an XML property list {Iccid, PinNum}) that
// only the user can read or write (mode 0600), never in settings.plist: the settings file is
// shared with other programs and may be broadcast. The file is replaced atomically; a failed
// write leaves the old file whole and is reported.
//
// The file is read only when it is a regular file (not a link), owned by this user, that nobody
// else may read or write (no group or other permission bits); any other file is ignored and
// logged: a PIN that others could have written is never sent to the SIM. Nothing is saved into a
// shipped ModemList folder (one used directly because no per-user copy could be made): that
// folder is shared by every user of the computer.
#include <QString>

#include <functional>

namespace ostrel {

class SavedPinStore {
public:
    static constexpr const char *kFileName = "savedPin.plist";

    // A store in the given folder (created when missing on the first save).
    explicit SavedPinStore(const QString &folder = QString());

    void setFolder(const QString &folder) { folder_ = folder; }
    // Tells whether a folder is a shipped one (default: ModemListResolver::isShippedLocation).
    void setShippedFolderCheck(std::function<bool(const QString &)> check) { isShipped_ = std::move(check); }
    QString folder() const { return folder_; }
    QString filePath() const;

    struct Entry {
        QString iccid;
        QString pin;
        bool isValid() const { return !iccid.isEmpty() && !pin.isEmpty(); }
    };

    // The kept entry; an invalid entry when there is none, the file does not parse, or the file
    // is not private to this user.
    Entry load() const;
    // The kept PIN when the ICCID is the kept one; empty otherwise (also for an empty ICCID).
    QString pinForIccid(const QString &iccid) const;
    // Keeps the PIN for the ICCID; false (with a reason) when the file could not be written or
    // the folder is a shipped one (then sharedFolder is set when given).
    bool save(const QString &iccid, const QString &pin, QString *error = nullptr, bool *sharedFolder = nullptr);
    // Removes the kept PIN. true only when a kept PIN existed and its file is gone.
    bool remove(QString *error = nullptr);
    bool exists() const;

private:
    QString folder_;
    std::function<bool(const QString &)> isShipped_;
};

} // namespace ostrel
