#pragma once
// The phonebook's configuration, read once at start: module "PhoneBook" of settings.plist and the
// top-level HasMePosition and PCDataWithIMSI. Every truth value is false when its key is missing.
//
// The computer's capacity is PCContactsMaxCount when it lies in 100..10000, else 1000; the number
// lookup compares PhoneNumberMatchThreshold trailing characters (8 when missing, clamped to 1..12).
// The computer's field limits are 40/40/40 (name, number, e-mail), 15/24/40 with
// D3UDefinedPBItemLength.
#include <QString>

namespace ostrel {

class ConfigManager;

struct PBConfiguration {
    static constexpr int kDefaultCapacity = 1000;
    static constexpr int kMinCapacity = 100;
    static constexpr int kMaxCapacity = 10000;
    static constexpr int kDefaultThreshold = 8;
    static constexpr int kMaxThreshold = 12;

    int PCUserMaxCount = kDefaultCapacity;
    int pcNameMaxLen = 40;
    int pcNumberMaxLen = 40;
    int pcEmailMaxLen = 40;
    int threshold = kDefaultThreshold;

    // Module "PhoneBook", named as its keys.
    bool SendMessageToGroupEnabled = false;
    bool PrefixMatchModeEnabled = false;
    bool ContactNumbersSelectionEnabled = false;
    bool ContactNameUniqueCheckingEnabled = false;
    bool SimFieldAutoDetectionEnabled = false;
    bool D3UDefinedPBItemLength = false;
    bool PBNameAndNumberUnique = false;
    bool AddDefGrpWhileInit = false;
    bool ChangeDefGrpNameWithLag = false;
    bool IsShowTCard = false;
    bool IsNoGroup = false;
    bool IsCustormizeControlSize = false;
    bool IsDisplayRemark = false;
    bool NotAddCountWhenSameRecord = false;
    bool NotAllowSameRecordInOneGroup = false;
    bool SaveToPCWhenSimFull = false;
    bool D3UNotEnoughSpaceTip = false;
    bool NOPopInfoLostTipWhenCopyFromPcToSim = false;
    bool defaultSelectMemory = false;

    // Top level.
    bool HasMePosition = false;
    bool PCDataWithIMSI = false;

    // The defaults, then the settings of the store.
    static PBConfiguration read(const ConfigManager &config);
    // A truth value of module "PhoneBook" (false when missing).
    static bool phonebookBool(const ConfigManager &config, const QString &key);
};

} // namespace ostrel
