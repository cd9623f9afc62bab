#pragma once
// The PIN that the user chose to keep on this computer, bound to the ICCID of its SIM.
//
// It lives in a file of its own ("savedPin.plist", an XML property list {Iccid, PinNum}) that
// only the user can read or write (mode 0600), never in settings.plist: the settings file is
// shared with other programs and may be broadcast. The file is replaced atomically; a failed
// write leaves the old file whole and is reported.
#include <QString>

namespace ostrel {

class SavedPinStore {
public:
    static constexpr const char *kFileName = "savedPin.plist";

    // A store in the given folder (created when missing on the first save).
    explicit SavedPinStore(const QString &folder = QString());

    void setFolder(const QString &folder) { folder_ = folder; }
    QString folder() const { return folder_; }
    QString filePath() const;

    struct Entry {
        QString iccid;
        QString pin;
        bool isValid() const { return !iccid.isEmpty() && !pin.isEmpty(); }
    };

    // The kept entry; an invalid entry when there is none or the file does not parse.
    Entry load() const;
    // The kept PIN when the ICCID is the kept one; empty otherwise (also for an empty ICCID).
    QString pinForIccid(const QString &iccid) const;
    // Keeps the PIN for the ICCID; false (with a reason) when the file could not be written.
    bool save(const QString &iccid, const QString &pin, QString *error = nullptr);
    // Removes the kept PIN. true only when a kept PIN existed and its file is gone.
    bool remove(QString *error = nullptr);
    bool exists() const;

private:
    QString folder_;
};

} // namespace ostrel
