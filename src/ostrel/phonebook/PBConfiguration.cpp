#include "ostrel/phonebook/PBConfiguration.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"

#include <algorithm>

namespace ostrel {

namespace {
const QString kModule = QStringLiteral("PhoneBook");
} // namespace

bool PBConfiguration::phonebookBool(const ConfigManager &config, const QString &key)
{
    return yov::nsBool(config.getConfigurationByModuleAndKey(kModule, key));
}

PBConfiguration PBConfiguration::read(const ConfigManager &config)
{
    PBConfiguration c;
    const auto flag = [&config](const char *key) { return phonebookBool(config, QLatin1String(key)); };
#define OSTREL_PB_SWITCH(name) c.name = flag(#name)
    OSTREL_PB_SWITCH(SendMessageToGroupEnabled);
    OSTREL_PB_SWITCH(PrefixMatchModeEnabled);
    OSTREL_PB_SWITCH(ContactNumbersSelectionEnabled);
    OSTREL_PB_SWITCH(ContactNameUniqueCheckingEnabled);
    OSTREL_PB_SWITCH(SimFieldAutoDetectionEnabled);
    OSTREL_PB_SWITCH(D3UDefinedPBItemLength);
    OSTREL_PB_SWITCH(PBNameAndNumberUnique);
    OSTREL_PB_SWITCH(AddDefGrpWhileInit);
    OSTREL_PB_SWITCH(ChangeDefGrpNameWithLag);
    OSTREL_PB_SWITCH(IsShowTCard);
    OSTREL_PB_SWITCH(IsNoGroup);
    OSTREL_PB_SWITCH(IsCustormizeControlSize);
    OSTREL_PB_SWITCH(IsDisplayRemark);
    OSTREL_PB_SWITCH(NotAddCountWhenSameRecord);
    OSTREL_PB_SWITCH(NotAllowSameRecordInOneGroup);
    OSTREL_PB_SWITCH(SaveToPCWhenSimFull);
    OSTREL_PB_SWITCH(D3UNotEnoughSpaceTip);
    OSTREL_PB_SWITCH(NOPopInfoLostTipWhenCopyFromPcToSim);
    OSTREL_PB_SWITCH(defaultSelectMemory);
#undef OSTREL_PB_SWITCH
    c.HasMePosition = yov::nsBool(config.getConfigurationByModule(QStringLiteral("HasMePosition")));
    c.PCDataWithIMSI = yov::nsBool(config.getConfigurationByModule(QStringLiteral("PCDataWithIMSI")));

    const QVariant capacity = config.getConfigurationByModuleAndKey(kModule, QStringLiteral("PCContactsMaxCount"));
    if (capacity.isValid()) {
        const int value = yov::nsInt(capacity);
        c.PCUserMaxCount = (value >= kMinCapacity && value <= kMaxCapacity) ? value : kDefaultCapacity;
    }
    const QVariant threshold = config.getConfigurationByModuleAndKey(kModule, QStringLiteral("PhoneNumberMatchThreshold"));
    if (threshold.isValid())
        c.threshold = std::clamp(yov::nsInt(threshold), 1, kMaxThreshold);
    if (c.D3UDefinedPBItemLength) {
        c.pcNameMaxLen = 15;
        c.pcNumberMaxLen = 24;
        c.pcEmailMaxLen = 40;
    }
    return c;
}

} // namespace ostrel
