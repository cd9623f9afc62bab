#pragma once
// The APN profile list of "dialConfig.plist" and the current-profile keys of settings.plist.
//
// The list holds the shown profiles (dialConfigArray) and, with per-SIM profiles, the profiles of
// other SIMs set aside (dialConfigArrayWithSIM_). Saving writes the shown profiles followed by the
// set-aside ones, so a profile of another SIM is never lost. The current profile is the top-level
// ProfileID; every read of it is clamped to the list, and an empty list has no current profile
// (the dial parameters are then built from the empty profile).
//
// The profile chooser has one item more than the list: item 0 opens the management sheet, item
// i >= 1 is profile i - 1.
//
// Main thread only.

#include "ostrel/connection/profile/DefaultProfileMatch.h"
#include "ostrel/connection/profile/DialProfile.h"
#include "ostrel/connection/profile/ProfileInput.h"

#include <QList>
#include <QString>
#include <QVariantMap>

#include <optional>

namespace ostrel {

class ConfigManager;

class DialConfigList {
public:
    // The path-table key of the profile file.
    static const QString kCMDialConfigFile;

    // store: the configuration store (not owned; null: the shared one at each call).
    explicit DialConfigList(ConfigManager *store = nullptr, Localizer localizer = {});

    ConfigManager *store() const;
    void setSupportDoublePdp(bool support) { supportDoublePdp_ = support; }
    bool isSupportDoblePdpSettings() const { return supportDoublePdp_; }

    // The file's full path (empty when the store has no ModemList folder).
    QString dialConfigFilePath() const;

    // ---- file
    // Reads the file into the shown list and empties the set-aside list. A missing or unreadable
    // file, or a root that is not an array, gives an empty list and false (with the reason in
    // lastError()). Entries that are not dictionaries, and profiles with a key of the wrong type
    // (unusableProfileKey), are skipped with a warning naming them; they are kept as they stand
    // and written back after the usable profiles, so a save loses none of them.
    bool readDialConfigFile();
    // The entries of the file that are not usable profiles, as read.
    const QVariantList &unusableEntries() const { return unusableEntries_; }
    // The whole loader: reads the file, then without per-SIM profiles clamps ProfileID (written
    // when it changes; 0 for an empty list). With per-SIM profiles and the SIM's identity known it
    // applies the per-SIM filter and keeps ProfileID when it lies within the SIM's list, else
    // stores 0; with the identity not yet known it only answers item 1. Returns the chooser item
    // to select.
    int loadDialConfig(bool simIdentityKnown = false);
    // Writes the shown profiles followed by the set-aside ones and the unusable entries, atomically,
    // readable by the user alone (the file holds APN passwords). The temporary profile is not written.
    // A file that the last read found unreadable is first moved aside (AtomicFile::moveAsideUnreadable)
    // and never written over; when it cannot be moved nothing is written. False (and lastError())
    // when the file could not be written; the old file is then left whole.
    bool saveDialConfigFile();
    // Makes the given profiles the whole file: the shown list becomes them, nothing is set aside,
    // and the file is written as saveDialConfigFile() writes it (an unreadable file moved aside
    // first). False (and lastError()) when it could not be written.
    bool replaceDialConfigFile(const QList<QVariantMap> &profiles);
    QString lastError() const { return lastError_; }
    // Whether the file exists but the last read could not take it as a list of profiles.
    bool fileUnreadable() const { return unreadableFile_; }

    // ---- operator default profiles
    // Replaces the defaults at the head of the shown list with the matched profiles
    // (replaceDefaultProfiles), writes the file and then DefaultProfileNum = their number. The
    // temporary profile stays last; profiles set aside stay behind the shown ones. Nothing changes
    // (false) when there is nothing to replace, when the file exists but could not be read (it is
    // never rewritten from an empty list), or when the file cannot be written. Once the file is
    // written the change stands (true) even when settings.plist cannot be saved: DefaultProfileNum
    // is then set in the store and saved by its next successful write, and lastError() tells why.
    bool replaceDefaultProfiles(const QList<QVariantMap> &matched, MatchedOrder order, DefaultsBeyondList beyond);
    // Reads the file as it stands (no profile set aside) and replaces its defaults as above; a
    // missing file is an empty list.
    bool replaceDefaultProfilesInFile(const QList<QVariantMap> &matched);

    // ---- the temporary profile (the MMS page's): shown last, never written to the file, kept
    // across reloads until removed.
    // Appends it (replacing an earlier one); returns its index.
    int appendTemporaryProfile(const QVariantMap &profile);
    // Removes it; false when there is none.
    bool removeTemporaryProfile();
    std::optional<int> temporaryProfileIndex() const;

    // ---- per-SIM profiles
    // Sets aside every profile whose IMSI is present and differs from simIMSI; profiles without
    // an IMSI stay shown. Profiles set aside earlier are taken back first, so a change of SIM
    // shows the new SIM's profiles and loses none.
    void loadDialConfigWithSIM(const QString &simIMSI);

    // ---- the list
    int count() const { return int(dialConfigArray_.size()); }
    const QList<QVariantMap> &dialConfigArray() const { return dialConfigArray_; }
    const QList<QVariantMap> &dialConfigArrayWithSIM() const { return dialConfigArrayWithSIM_; }
    std::optional<QVariantMap> profileAt(int index) const;
    // Replaces the shown list (the temporary profile with it).
    void setDialConfigArray(const QList<QVariantMap> &profiles)
    {
        dialConfigArray_ = profiles;
        temporaryProfile_.reset();
    }

    // Sets keys of the shown profile at index (not saved); false for an index out of the list.
    bool setProfileValues(int index, const QVariantMap &values);

    // ---- settings keys
    int readCurrentProfile() const;    // ProfileID, 0 when missing
    bool writeCurrentProfile(int profile);
    int readDefaultProfileNum() const; // DefaultProfileNum, 0 when missing
    bool writeDefaultProfileNum(int number);

    // Whether the default profile of row opens its edit sheet in the restricted mode (the
    // provider is listed in Internet/ArrayForEditableProvider).
    bool checkProviderIsEditable(int row) const;

    // The index of the current profile, ProfileID clamped to the list; none for an empty list.
    std::optional<int> currentProfileIndex() const;
    // The safe copy of the current profile; the empty profile made safe when there is none.
    QVariantMap currentSafeProfile() const;
    QString getDefaultProfileAPN() const;

    // ---- chooser
    int chooserItemCount() const { return count() + 1; }
    // Item 0: the localised "Edit Configuration"; item i: the shown name of profile i - 1; none
    // beyond.
    std::optional<QString> chooserItemText(int item) const;
    enum class ChooserAction { None, OpenManagementSheet, ProfileSelected };
    // Item 0 opens the sheet; an item of a profile makes it current (setCurrentProfile); a negative
    // or too high item does nothing.
    ChooserAction selectChooserItem(int item);
    // Writes ProfileID = item - 1; false for an item that is not a profile or a failed write.
    bool setCurrentProfile(int chooserItem);
    // The item that shows the current profile (ProfileID clamped, + 1); 1 for an empty list.
    int currentChooserItem() const;

    // ---- management sheet
    // The name shown in table row; the localised "Something is wrong, please check your code!" for
    // a row at or beyond the count.
    QString tableRowText(int row) const;
    ProfileButtons buttonsForRow(std::optional<int> row) const;
    // Appends a new profile and saves. Returns its index; the save result in saved.
    int addProfile(const NewProfileOptions &options, bool *saved = nullptr);
    // Removes the profile of row (the last one when no row is selected), saves, and moves ProfileID
    // to the new last profile when it is no longer below the count (0 for an empty list).
    // False when there was nothing to remove or a write failed.
    bool deleteProfile(std::optional<int> row);
    // Checks the sheet's values against the list and, when valid, writes them into the profile of
    // row and saves. saved (optional) tells whether the file was written.
    ProfileCheck saveProfile(int row, const ProfileEdit &edit, bool *saved = nullptr);
    // The IPv6 APN, preferred and alternate DNS (filtered as the edit sheet filters them) and the
    // DNS mode into the profile of row, then saves. Only with double-PDP settings; false when
    // nothing was stored or the file could not be written.
    bool saveDialConfigForIPv6(int row, const QString &apn, const QString &prefDns, const QString &altDns, int dnsMode);
    // Closing the management sheet: saves, clamps ProfileID; returns the chooser item to select.
    int closeManagementSheet(bool *saved = nullptr);

    // ---- dial parameters of the current profile
    // The settings give the connect type and MTU; disableAlertWindow comes from the caller
    // (dialParaDisableAlertWindow()).
    yov::MSG_APN_SET_REQ_PARA_T setDialParams(bool disableAlertWindow, QStringList *cutFields = nullptr) const;

    ProfileSettings settings() const;
    // The name as shown (getApnProviderNameWith), cut to kProfileNameMaxLength.
    QString shownName(const QVariantMap &profile) const;

private:
    // Clamps ProfileID to the list, writing it when it changes.
    bool clampCurrentProfile();
    // The shown profiles without the temporary one.
    QList<QVariantMap> storedProfiles() const;
    void dropTemporaryFromList();
    void appendTemporaryToList();

    ConfigManager *store_ = nullptr;
    Localizer localizer_;
    bool supportDoublePdp_ = false;
    QList<QVariantMap> dialConfigArray_;
    QList<QVariantMap> dialConfigArrayWithSIM_;
    QVariantList unusableEntries_;
    bool unreadableFile_ = false; // the file exists but the last read could not take it as a list
    std::optional<QVariantMap> temporaryProfile_; // when set, the last shown profile
    QString lastError_;
};

} // namespace ostrel
