#pragma once
// The process-wide registry of neighbouring controllers: one current implementation per
// controller, reached by every area that calls on another.
//
// At start every entry holds its default (the least answer each caller may rely on: idle, no
// call, nothing selected...). A controller that implements an interface installs itself with its
// setter when it is created ("sets its process-wide pointer") and should remove itself (set
// nullptr, which puts the default back) when it is destroyed. Main thread only.
#include "ostrel/framework/neighbours/CallControllerInterface.h"
#include "ostrel/framework/neighbours/DialControllerInterface.h"
#include "ostrel/framework/neighbours/DialRecordControllerInterface.h"
#include "ostrel/framework/neighbours/InitControllerInterface.h"
#include "ostrel/framework/neighbours/MMSControllerInterface.h"
#include "ostrel/framework/neighbours/MainControllerInterface.h"
#include "ostrel/framework/neighbours/PBControllerInterface.h"
#include "ostrel/framework/neighbours/SMSControllerInterface.h"
#include "ostrel/framework/neighbours/ServiceProviderCodeWindowInterface.h"
#include "ostrel/framework/neighbours/SettingControllerInterface.h"
#include "ostrel/framework/neighbours/SmsServiceInterface.h"
#include "ostrel/framework/neighbours/USSDControllerInterface.h"
#include "ostrel/framework/neighbours/UserRegistrationSheetInterface.h"
#include "ostrel/framework/neighbours/ContactPickerInterface.h"
#include "ostrel/framework/neighbours/STKControllerInterface.h"

namespace ostrel {

class ConfigManager;
class YOVMsgCenter;

class Neighbours {
public:
    // Puts every default back and hands the defaults that need them the message center (for the
    // device-state requests) and the configuration store (null: the shared one).
    static void installDefaults(YOVMsgCenter *msgCenter, ConfigManager *config = nullptr);

    static MainControllerInterface &main();
    static DialControllerInterface &dial();
    static InitControllerInterface &init();
    static DialRecordControllerInterface &records();
    static SettingControllerInterface &setting();
    static SMSControllerInterface &sms();
    static SmsServiceInterface &smsService();
    static PBControllerInterface &phonebook();
    static CallControllerInterface &call();
    static USSDControllerInterface &ussd();
    static MMSControllerInterface &mms();
    static ServiceProviderCodeWindowInterface &spCodeWindow();
    static UserRegistrationSheetInterface &registrationSheet();
    static ContactPickerInterface &contactPicker();
    static STKControllerInterface &stk();

    // nullptr puts the default back.
    static void setMain(MainControllerInterface *controller);
    static void setDial(DialControllerInterface *controller);
    static void setInit(InitControllerInterface *controller);
    static void setRecords(DialRecordControllerInterface *controller);
    static void setSetting(SettingControllerInterface *controller);
    static void setSms(SMSControllerInterface *controller);
    static void setSmsService(SmsServiceInterface *service);
    static void setPhonebook(PBControllerInterface *controller);
    static void setCall(CallControllerInterface *controller);
    static void setUssd(USSDControllerInterface *controller);
    static void setMms(MMSControllerInterface *controller);
    static void setSpCodeWindow(ServiceProviderCodeWindowInterface *window);
    static void setRegistrationSheet(UserRegistrationSheetInterface *sheet);
    static void setContactPicker(ContactPickerInterface *picker);
    static void setStk(STKControllerInterface *controller);
};

} // namespace ostrel
