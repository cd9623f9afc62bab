#include "ostrel/phonebook/PBController.h"

#include "ostrel/phonebook/PBContact.h"

#include "common/TextFormat.h"
#include "common/phonebook/SimAlphaCoding.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "platform/Clock.h"

Q_LOGGING_CATEGORY(lcPhonebook, "ostrel.phonebook")

namespace ostrel {

namespace {
PBController *g_pbController = nullptr;
} // namespace

PBController::PBController(const ControllerContext &context, QObject *parent) : YOVUIController(context, parent)
{
    setItemDefaultConfig();
    g_pbController = this;
    Neighbours::setPhonebook(this);
}

PBController::~PBController()
{
    if (g_pbController == this) {
        g_pbController = nullptr;
        Neighbours::setPhonebook(nullptr);
    }
}

PBController *PBController::g_PBController() { return g_pbController; }

void PBController::initializeController()
{
    readConfigurations();
    loadPcPhoneList(kDefaultFileName);
    extensions().initializeController();
}

// ---- configuration ---------------------------------------------------------------------------

void PBController::setItemDefaultConfig()
{
    const PBConfiguration defaults;
    PCUserMaxCount = defaults.PCUserMaxCount;
    pcNameMaxLen_ = defaults.pcNameMaxLen;
    pcNumberMaxLen_ = defaults.pcNumberMaxLen;
    pcEmailMaxLen_ = defaults.pcEmailMaxLen;
}

void PBController::readConfigurations()
{
    configuration_ = PBConfiguration::read(config());
    PCUserMaxCount = configuration_.PCUserMaxCount;
    pcNameMaxLen_ = configuration_.pcNameMaxLen;
    pcNumberMaxLen_ = configuration_.pcNumberMaxLen;
    pcEmailMaxLen_ = configuration_.pcEmailMaxLen;
    m_threshold = configuration_.threshold;
    hasMePosition_ = configuration_.HasMePosition;
}

bool PBController::getPhonebookSettingBoolValue(const QString &key) const
{
    return PBConfiguration::phonebookBool(config(), key);
}

// ---- neighbour calls -------------------------------------------------------------------------

QString PBController::deleteExtraContent(const QString &text, int maxLength) const
{
    return yov::phonebook::deleteExtraContent(text, maxLength);
}

QString PBController::getDiagnosticsContact() const
{
    return QStringLiteral("%1/%2").arg(getSimUserNumber()).arg(simMaxIndex_);
}

void PBController::setCurDefGrpName()
{
    if (!configuration_.ChangeDefGrpNameWithLag)
        return;
    const QString name = localized(QStringLiteral("Group")) + QStringLiteral(" 0");
    if (!config().setConfigurationByModuleKeyAndValue(QStringLiteral("PhoneBook"), QStringLiteral("CurDefGrpName"), name)
        || !config().writeToFile())
        qCWarning(lcPhonebook) << "the default group name could not be stored in the settings";
}

bool PBController::changeDefGrpWithLag()
{
    if (!configuration_.ChangeDefGrpNameWithLag || m_PcPhoneList.size() != 1 || !m_PcPhoneList.first().contacts.isEmpty())
        return false;
    const QString stored = config()
                               .getConfigurationByModuleAndKey(QStringLiteral("PhoneBook"), QStringLiteral("CurDefGrpName"))
                               .toString();
    if (stored.isEmpty() || m_PcPhoneList.first().header.value(contactkey::groupname).toString() != stored)
        return false;
    deleteGrop(0);
    addGroup();
    setCurrentgroup(0);
    // The name just made is the default group's name from now on, so that the next language
    // change replaces it again.
    setCurDefGrpName();
    return true;
}

// ---- alerts ----------------------------------------------------------------------------------

QString PBController::localized(const QString &english) { return Map_Name_Item_of_IndexString(english); }

void PBController::popupAlertOk(const QString &message)
{
    NSRunAlertPanelExt(localized(QStringLiteral("Warning!")), localized(message), localized(QStringLiteral("OK")));
}

int PBController::popupAlertOkCancel(const QString &message)
{
    return NSRunAlertPanelExt(localized(QStringLiteral("Warning!")), localized(message), localized(QStringLiteral("OK")),
                              localized(QStringLiteral("Cancel")));
}

void PBController::popupAlertOkLater(const QString &localizedMessage)
{
    clock().schedule(0, this, [this, localizedMessage] { popupAlertOk(localizedMessage); });
}

} // namespace ostrel
