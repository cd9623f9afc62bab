#include "ostrel/connection/profile/DialConfigList.h"

#include "ostrel/connection/profile/ProfileLog.h"

#include "common/AtomicFile.h"
#include "common/PlistBridge.h"
#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigFileKeys.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/switches/ConfigService.h"

#include <QDateTime>
#include <QFileInfo>

#include <algorithm>

namespace ostrel {

const QString DialConfigList::kCMDialConfigFile = configkeys::kCMDialConfigFile;

DialConfigList::DialConfigList(ConfigManager *store, Localizer localizer)
    : store_(store), localizer_(std::move(localizer))
{
}

ConfigManager *DialConfigList::store() const
{
    return store_ ? store_ : ConfigManager::sharedConfigManager();
}

ProfileSettings DialConfigList::settings() const
{
    return ProfileSettings::read(store());
}

QString DialConfigList::shownName(const QVariantMap &profile) const
{
    return getApnProviderNameWith(profile, settings().notChangeProviderWording, localizer_).left(kProfileNameMaxLength);
}

QString DialConfigList::dialConfigFilePath() const
{
    return store()->configFilePathOfKey(kCMDialConfigFile);
}

// ---------------------------------------------------------------------------------------------

bool DialConfigList::readDialConfigFile()
{
    dialConfigArray_.clear();
    dialConfigArrayWithSIM_.clear();
    unusableEntries_.clear();
    unreadableFile_ = false;
    lastError_.clear();

    const QString path = dialConfigFilePath();
    if (path.isEmpty()) {
        lastError_ = QStringLiteral("No ModemList folder for %1").arg(kCMDialConfigFile);
        qCWarning(lcProfile).noquote() << lastError_;
        return false;
    }
    if (!QFileInfo::exists(path)) {
        lastError_ = QStringLiteral("%1 does not exist").arg(path);
        qCInfo(lcProfile).noquote() << lastError_;
        appendTemporaryToList();
        return false;
    }
    QString error;
    const std::optional<QVariant> root = yov::PlistBridge::readFile(path, &error);
    if (!root || root->typeId() != QMetaType::QVariantList) {
        lastError_ = root ? QStringLiteral("%1 does not hold a list of profiles").arg(path)
                          : QStringLiteral("Can not read %1: %2").arg(path, error);
        qCWarning(lcProfile).noquote() << lastError_;
        unreadableFile_ = true;
        appendTemporaryToList();
        return false;
    }
    const QVariantList entries = root->toList();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QVariant &entry = entries.at(i);
        if (entry.typeId() != QMetaType::QVariantMap) {
            qCWarning(lcProfile).noquote() << "Entry" << i << "of" << path << "is not a profile; skipped";
            unusableEntries_.append(entry);
            continue;
        }
        const QVariantMap profile = entry.toMap();
        if (const QString key = unusableProfileKey(profile); !key.isEmpty()) {
            qCWarning(lcProfile).noquote() << "Entry" << i << "of" << path << "holds a value of the wrong type under"
                                           << key << "; skipped";
            unusableEntries_.append(entry);
            continue;
        }
        dialConfigArray_.append(profile);
    }
    appendTemporaryToList();
    return true;
}

int DialConfigList::loadDialConfig(bool simIdentityKnown)
{
    readDialConfigFile();
    const ProfileSettings s = settings();
    if (s.addAPNWithSIM) {
        if (!simIdentityKnown)
            return 1;
        loadDialConfigWithSIM(s.simIMSI);
        // The SIM's own list: a stored profile beyond it starts again at the first one.
        const int stored = readCurrentProfile();
        if (stored < 0 || stored >= count()) {
            writeCurrentProfile(0);
            return 1;
        }
        return stored + 1;
    }
    clampCurrentProfile();
    return currentChooserItem();
}

bool DialConfigList::setProfileValues(int index, const QVariantMap &values)
{
    if (index < 0 || index >= dialConfigArray_.size())
        return false;
    QVariantMap &profile = dialConfigArray_[index];
    for (auto it = values.begin(); it != values.end(); ++it)
        profile.insert(it.key(), it.value());
    return true;
}

bool DialConfigList::saveDialConfigFile()
{
    lastError_.clear();
    const QString path = dialConfigFilePath();
    if (path.isEmpty()) {
        lastError_ = QStringLiteral("No ModemList folder for %1").arg(kCMDialConfigFile);
        qCWarning(lcProfile).noquote() << lastError_;
        return false;
    }
    if (unreadableFile_ && QFileInfo::exists(path)) {
        QString error;
        const QString copy = yov::AtomicFile::moveAsideUnreadable(path, QDateTime::currentDateTime(), &error);
        if (copy.isEmpty()) {
            lastError_ = QStringLiteral("The unreadable %1 is not written over: %2").arg(path, error);
            qCWarning(lcProfile).noquote() << lastError_;
            return false;
        }
        qCWarning(lcProfile).noquote() << "The unreadable" << path << "was kept as" << copy;
    }
    unreadableFile_ = false;
    QVariantList all;
    all.reserve(dialConfigArray_.size() + dialConfigArrayWithSIM_.size() + unusableEntries_.size());
    for (const QVariantMap &p : storedProfiles())
        all.append(p);
    for (const QVariantMap &p : dialConfigArrayWithSIM_)
        all.append(p);
    all.append(unusableEntries_);
    QString error;
    const std::optional<QByteArray> xml = yov::PlistBridge::toXml(all, &error);
    if (!xml || !yov::AtomicFile::writePrivate(path, *xml, &error)) {
        lastError_ = QStringLiteral("Can not write %1: %2").arg(path, error);
        qCWarning(lcProfile).noquote() << lastError_;
        return false;
    }
    return true;
}

bool DialConfigList::replaceDialConfigFile(const QList<QVariantMap> &profiles)
{
    // The read tells whether a file stands there that must be moved aside first.
    readDialConfigFile();
    setDialConfigArray(profiles);
    dialConfigArrayWithSIM_.clear();
    unusableEntries_.clear();
    return saveDialConfigFile();
}

void DialConfigList::loadDialConfigWithSIM(const QString &simIMSI)
{
    // Take back what an earlier SIM set aside, in file order (shown first).
    dropTemporaryFromList();
    QList<QVariantMap> all = dialConfigArray_;
    all.append(dialConfigArrayWithSIM_);
    dialConfigArray_.clear();
    dialConfigArrayWithSIM_.clear();
    for (const QVariantMap &p : all) {
        const auto it = p.constFind(profilekey::IMSI);
        if (it != p.constEnd() && it->isValid() && yov::nsString(*it) != simIMSI)
            dialConfigArrayWithSIM_.append(p);
        else
            dialConfigArray_.append(p);
    }
    appendTemporaryToList();
}

QList<QVariantMap> DialConfigList::storedProfiles() const
{
    return temporaryProfile_ ? dialConfigArray_.first(dialConfigArray_.size() - 1) : dialConfigArray_;
}

void DialConfigList::dropTemporaryFromList()
{
    if (temporaryProfile_ && !dialConfigArray_.isEmpty())
        dialConfigArray_.removeLast();
}

void DialConfigList::appendTemporaryToList()
{
    if (temporaryProfile_)
        dialConfigArray_.append(*temporaryProfile_);
}

int DialConfigList::appendTemporaryProfile(const QVariantMap &profile)
{
    dropTemporaryFromList();
    temporaryProfile_ = profile;
    appendTemporaryToList();
    return count() - 1;
}

bool DialConfigList::removeTemporaryProfile()
{
    if (!temporaryProfile_)
        return false;
    dropTemporaryFromList();
    temporaryProfile_.reset();
    return true;
}

std::optional<int> DialConfigList::temporaryProfileIndex() const
{
    if (!temporaryProfile_)
        return std::nullopt;
    return count() - 1;
}

bool DialConfigList::replaceDefaultProfiles(const QList<QVariantMap> &matched, MatchedOrder order,
                                            DefaultsBeyondList beyond)
{
    if (unreadableFile_ && QFileInfo::exists(dialConfigFilePath())) {
        lastError_ = QStringLiteral("%1 can not be read; the default profiles are not changed").arg(dialConfigFilePath());
        qCWarning(lcProfile).noquote() << lastError_;
        return false;
    }
    const std::optional<QList<QVariantMap>> replaced =
        ostrel::replaceDefaultProfiles(storedProfiles(), readDefaultProfileNum(), matched, order, beyond);
    if (!replaced)
        return false;
    const QList<QVariantMap> before = dialConfigArray_;
    dialConfigArray_ = *replaced;
    appendTemporaryToList();
    if (!saveDialConfigFile()) {
        dialConfigArray_ = before;
        return false;
    }
    // The profile file now holds the matched profiles, so the change stands even when settings.plist
    // cannot take the new count: the store keeps it and saves it with the next write that succeeds
    // (the user is told once that settings cannot be saved); the failure is logged and kept in
    // lastError().
    writeDefaultProfileNum(int(matched.size()));
    return true;
}

bool DialConfigList::replaceDefaultProfilesInFile(const QList<QVariantMap> &matched)
{
    if (!readDialConfigFile() && unreadableFile_)
        return false;
    return replaceDefaultProfiles(matched, MatchedOrder::AsGiven, DefaultsBeyondList::ReplaceWholeList);
}

std::optional<QVariantMap> DialConfigList::profileAt(int index) const
{
    if (index < 0 || index >= count())
        return std::nullopt;
    return dialConfigArray_.at(index);
}

// ---------------------------------------------------------------------------------------------

int DialConfigList::readCurrentProfile() const
{
    return yov::nsInt(store()->getConfigurationByModule(QStringLiteral("ProfileID")));
}

bool DialConfigList::writeCurrentProfile(int profile)
{
    const bool ok = ConfigService(store()).writeCurrentProfile(profile);
    if (!ok) {
        lastError_ = QStringLiteral("Can not write ProfileID to settings.plist");
        qCWarning(lcProfile).noquote() << lastError_;
    }
    return ok;
}

int DialConfigList::readDefaultProfileNum() const
{
    return yov::nsInt(store()->getConfigurationByModule(QStringLiteral("DefaultProfileNum")));
}

bool DialConfigList::writeDefaultProfileNum(int number)
{
    const bool ok = ConfigService(store()).writeDefaultProfileNum(number);
    if (!ok) {
        lastError_ = QStringLiteral("Can not write DefaultProfileNum to settings.plist");
        qCWarning(lcProfile).noquote() << lastError_;
    }
    return ok;
}

std::optional<int> DialConfigList::currentProfileIndex() const
{
    if (dialConfigArray_.isEmpty())
        return std::nullopt;
    return std::clamp(readCurrentProfile(), 0, count() - 1);
}

QVariantMap DialConfigList::currentSafeProfile() const
{
    const std::optional<int> index = currentProfileIndex();
    return createSafeDialConfig(index ? dialConfigArray_.at(*index) : QVariantMap(), supportDoublePdp_);
}

QString DialConfigList::getDefaultProfileAPN() const
{
    return ostrel::getDefaultProfileAPN(currentSafeProfile(), localizer_);
}

bool DialConfigList::clampCurrentProfile()
{
    const int stored = readCurrentProfile();
    const int clamped = dialConfigArray_.isEmpty() ? 0 : std::clamp(stored, 0, count() - 1);
    const bool missing = !store()->getConfigurationByModule(QStringLiteral("ProfileID")).isValid();
    if (clamped == stored && !(dialConfigArray_.isEmpty() && missing))
        return true;
    return writeCurrentProfile(clamped);
}

// ---------------------------------------------------------------------------------------------

std::optional<QString> DialConfigList::chooserItemText(int item) const
{
    if (item == 0)
        return localized(localizer_, QStringLiteral("Edit Configuration"));
    if (item < 0 || item > count())
        return std::nullopt;
    return shownName(dialConfigArray_.at(item - 1));
}

DialConfigList::ChooserAction DialConfigList::selectChooserItem(int item)
{
    if (item == 0)
        return ChooserAction::OpenManagementSheet;
    if (item < 0 || item > count())
        return ChooserAction::None;
    setCurrentProfile(item);
    return ChooserAction::ProfileSelected;
}

bool DialConfigList::setCurrentProfile(int chooserItem)
{
    if (chooserItem < 1 || chooserItem > count())
        return false;
    return writeCurrentProfile(chooserItem - 1);
}

int DialConfigList::currentChooserItem() const
{
    const std::optional<int> index = currentProfileIndex();
    return index ? *index + 1 : 1;
}

// ---------------------------------------------------------------------------------------------

QString DialConfigList::tableRowText(int row) const
{
    if (row < 0 || row >= count())
        return localized(localizer_, QStringLiteral("Something is wrong, please check your code!"));
    return shownName(dialConfigArray_.at(row));
}

ProfileButtons DialConfigList::buttonsForRow(std::optional<int> row) const
{
    const ProfileSettings s = settings();
    ProfileButtons b = setEidtStatusAtRow(row, count(), readDefaultProfileNum(), s.addDefaultEdit);
    if (!row || *row >= count())
        return b;
    setUsernameAndPasswordEditable(b, *row, checkProviderIsEditable(*row));
    setBtnStausForRAVO(b, *row, s.timAPNEditable);
    return b;
}

bool DialConfigList::checkProviderIsEditable(int row) const
{
    return ostrel::checkProviderIsEditable(row, dialConfigArray_, readDefaultProfileNum(),
                                           settings().arrayForEditableProvider);
}

int DialConfigList::addProfile(const NewProfileOptions &options, bool *saved)
{
    // A new profile stands before the temporary one, which stays last.
    const QVariantMap added = newProfile(dialConfigArray_, settings(), options, localizer_);
    dropTemporaryFromList();
    dialConfigArray_.append(added);
    const int index = count() - 1;
    appendTemporaryToList();
    const bool ok = saveDialConfigFile();
    if (saved)
        *saved = ok;
    return index;
}

bool DialConfigList::deleteProfile(std::optional<int> row)
{
    if (dialConfigArray_.isEmpty())
        return false;
    const int index = row ? *row : count() - 1;
    if (index < 0 || index >= count())
        return false;
    if (temporaryProfileIndex() == index)
        temporaryProfile_.reset();
    dialConfigArray_.removeAt(index);
    bool ok = saveDialConfigFile();
    if (readCurrentProfile() >= count())
        ok = writeCurrentProfile(std::max(count() - 1, 0)) && ok;
    return ok;
}

ProfileCheck DialConfigList::saveProfile(int row, const ProfileEdit &edit, bool *saved)
{
    if (saved)
        *saved = false;
    if (row < 0 || row >= count())
        return ProfileCheck::InvalidProfile;
    const ProfileCheck check = checkDialConfigIsValid(edit, dialConfigArray_, row);
    if (check != ProfileCheck::Valid)
        return check;
    applyEdit(dialConfigArray_[row], edit, settings().passwordLimitLen);
    const bool ok = saveDialConfigFile();
    if (saved)
        *saved = ok;
    return check;
}

bool DialConfigList::saveDialConfigForIPv6(int row, const QString &apn, const QString &prefDns, const QString &altDns,
                                           int dnsMode)
{
    if (!supportDoublePdp_ || row < 0 || row >= count())
        return false;
    QVariantMap &profile = dialConfigArray_[row];
    profile.insert(profilekey::IPv6ApnName, filterApn(apn));
    profile.insert(profilekey::IPv6PrefDNS, filterIPv6Dns(prefDns));
    profile.insert(profilekey::IPv6AltDNS, filterIPv6Dns(altDns));
    profile.insert(profilekey::IPv6DNSMode, dnsMode == 0 ? 0 : 1);
    return saveDialConfigFile();
}

int DialConfigList::closeManagementSheet(bool *saved)
{
    const bool ok = saveDialConfigFile();
    const bool clamped = clampCurrentProfile();
    if (saved)
        *saved = ok && clamped;
    return currentChooserItem();
}

// ---------------------------------------------------------------------------------------------

yov::MSG_APN_SET_REQ_PARA_T DialConfigList::setDialParams(bool disableAlertWindow, QStringList *cutFields) const
{
    const ProfileSettings s = settings();
    DialParamsContext context;
    context.connectType = s.connectType;
    context.mtu = s.mtuSize;
    context.disableAlertWindow = disableAlertWindow;
    context.supportDoublePdp = supportDoublePdp_;
    return buildDialParams(currentSafeProfile(), context, cutFields);
}

} // namespace ostrel
