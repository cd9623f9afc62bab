#include "ostrel/phonebook/PBController.h"

#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/phonebook/ContactLists.h"

#include <algorithm>

namespace ostrel {

namespace {

// What the phonebook plug-in asks of the controller. Rows whose handler the controller does not
// have are skipped at registration.
const NotificationTableRow phoneBookNotficationTable[] = {
    {"initUSIMListWithReadResult:", "initPhoneBookSimSide"},
    {"wirteContactsToUSIMList:", "addNewContactsInPB"},
    {"SearUserInUSIMSide:", "SearchItemInUSIMList"},
    {"addNewUserInSIMOrPC:", "AddNewUserItem"},
    {"saveNewUserToPB:", "saveNewUserToPB"},
    {"CheckBundleUserName:", "checkInputUserName"},
    {"CheckBundleMobilePhone:", "checkInputMobilePhone"},
    {"getSelectContact:", "selectContact"},
    {"editUserInSIMOrPC:", "editUserItem"},
    {"deleteUserInSIMOrPC:", "deleteUserItem"},
    {"callModuleReady:", "callModuleReady"},
    {"changeMainWindowOfApp:", "MainwindOfAppChanged"},
    {nullptr, nullptr},
};

const NotificationTableRow deviceFunctionNotficationTable[] = {
    {"notifyDeviceUnlockSuccess:", "DeviceUnlockSuccess"},
    {"notifyDeviceUnlockFailed:", "DeviceUnlockFailed"},
    {nullptr, nullptr},
};

} // namespace

void PBController::registerNotificationTables()
{
    registerNotification(phoneBookNotficationTable);
    registerNotification(deviceFunctionNotficationTable);
}

void PBController::netcardChanged(int state)
{
    m_nNetCardStatus = state;
    extensions().netcardChanged(state);
}

void PBController::devicePlugin(const yov::Notification &) { netcardChanged(2); }

void PBController::simReady(const yov::Notification &) { netcardChanged(12); }

void PBController::deviceRemoved(const yov::Notification &)
{
    netcardChanged(4);
    resetDevicePhonebooks();
    // A computer phonebook read from the removed SIM's own file is not shown (nor written) any
    // longer: the generic file takes its place again.
    if (configuration_.PCDataWithIMSI)
        loadPcPhoneList(kDefaultFileName);
    selectedSavePosition_ = int(PBStorage::PC);
    isPopWarningWindow = false;
    isCallModuleReady_ = false;
    extensions().deviceRemoved();
    notificationCenter().post(QStringLiteral("deviceRemovedInfo"), this,
                              {{QStringLiteral("deviceRemovedInfo"), QStringLiteral("DeviceHasRemoved")}});
}

void PBController::tabViewItemWillChange(const yov::Notification &notification)
{
    extensions().tabViewItemWillChange(notification.userInfo.value(QStringLiteral("TabViewItemWillChange")).toString());
}

void PBController::tabViewItemDidChange(const yov::Notification &) { extensions().tabViewItemDidChange(); }

void PBController::notifyDeviceUnlockSuccess(const yov::Notification &)
{
    if (Neighbours::init().getDeviceLockFunctionModule() == kDeviceLockModule)
        extensions().deviceUnlockAnswered(true);
}

void PBController::notifyDeviceUnlockFailed(const yov::Notification &)
{
    if (Neighbours::init().getDeviceLockFunctionModule() == kDeviceLockModule)
        extensions().deviceUnlockAnswered(false);
}

void PBController::callModuleReady(const yov::Notification &) { isCallModuleReady_ = true; }

// ---- sorting of the contact table ---------------------------------------------------------------

void PBController::sortCurrentGroupBy(const QString &key, bool ascending)
{
    if (m_CurGroupIndex >= 0 && m_CurGroupIndex < m_PcPhoneList.size())
        followPcRows(m_CurGroupIndex, ContactLists::sortList(m_PcPhoneList[m_CurGroupIndex].contacts, key, ascending));
}

void PBController::sortSimListBy(const QString &key, bool ascending)
{
    changeDeviceList(yov::kPbStorageSim,
                     [&key, ascending](QList<QVariantMap> &list) { ContactLists::sortList(list, key, ascending); });
}

void PBController::sortSearchResultBy(const QString &key, bool ascending)
{
    if (!m_CurrentSearchGroup)
        return;
    const QCollator &collator = ContactLists::activeCollator();
    std::stable_sort(m_CurrentSearchGroup->begin(), m_CurrentSearchGroup->end(),
                     [&](const ContactPlace &a, const ContactPlace &b) {
                         const int order = collator.compare(contactText(contactAt(a), key), contactText(contactAt(b), key));
                         return ascending ? order < 0 : order > 0;
                     });
}

} // namespace ostrel
