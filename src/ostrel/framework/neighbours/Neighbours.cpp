#include "ostrel/framework/neighbours/Neighbours.h"

namespace ostrel {

namespace {

struct Registry {
    DefaultMainController defaultMain;
    DefaultDialController defaultDial;
    DefaultInitController defaultInit;
    DefaultDialRecordController defaultRecords;
    DefaultSettingController defaultSetting;
    DefaultSMSController defaultSms;
    DefaultSmsService defaultSmsService;
    DefaultPBController defaultPhonebook;
    DefaultCallController defaultCall;
    DefaultUSSDController defaultUssd;
    DefaultMMSController defaultMms;
    DefaultServiceProviderCodeWindow defaultSpCodeWindow;
    DefaultUserRegistrationSheet defaultRegistrationSheet;
    DefaultContactPicker defaultContactPicker;
    DefaultSTKController defaultStk;

    MainControllerInterface *main = &defaultMain;
    DialControllerInterface *dial = &defaultDial;
    InitControllerInterface *init = &defaultInit;
    DialRecordControllerInterface *records = &defaultRecords;
    SettingControllerInterface *setting = &defaultSetting;
    SMSControllerInterface *sms = &defaultSms;
    SmsServiceInterface *smsService = &defaultSmsService;
    PBControllerInterface *phonebook = &defaultPhonebook;
    CallControllerInterface *call = &defaultCall;
    USSDControllerInterface *ussd = &defaultUssd;
    MMSControllerInterface *mms = &defaultMms;
    ServiceProviderCodeWindowInterface *spCodeWindow = &defaultSpCodeWindow;
    UserRegistrationSheetInterface *registrationSheet = &defaultRegistrationSheet;
    ContactPickerInterface *contactPicker = &defaultContactPicker;
    STKControllerInterface *stk = &defaultStk;
};

Registry &registry()
{
    static Registry r;
    return r;
}

template <typename T, typename D>
void assign(T *&slot, T *value, D &fallback)
{
    slot = value ? value : &fallback;
}

} // namespace

void Neighbours::installDefaults(YOVMsgCenter *msgCenter, ConfigManager *config)
{
    Registry &r = registry();
    r.defaultInit = DefaultInitController(msgCenter);
    r.defaultRecords = DefaultDialRecordController(config);
    r.defaultSmsService = DefaultSmsService();
    r.defaultSetting = DefaultSettingController(config);
    r.main = &r.defaultMain;
    r.dial = &r.defaultDial;
    r.init = &r.defaultInit;
    r.records = &r.defaultRecords;
    r.setting = &r.defaultSetting;
    r.sms = &r.defaultSms;
    r.smsService = &r.defaultSmsService;
    r.phonebook = &r.defaultPhonebook;
    r.call = &r.defaultCall;
    r.ussd = &r.defaultUssd;
    r.mms = &r.defaultMms;
    r.spCodeWindow = &r.defaultSpCodeWindow;
    r.registrationSheet = &r.defaultRegistrationSheet;
    r.contactPicker = &r.defaultContactPicker;
    r.stk = &r.defaultStk;
}

MainControllerInterface &Neighbours::main() { return *registry().main; }
DialControllerInterface &Neighbours::dial() { return *registry().dial; }
InitControllerInterface &Neighbours::init() { return *registry().init; }
DialRecordControllerInterface &Neighbours::records() { return *registry().records; }
SettingControllerInterface &Neighbours::setting() { return *registry().setting; }
SMSControllerInterface &Neighbours::sms() { return *registry().sms; }
SmsServiceInterface &Neighbours::smsService() { return *registry().smsService; }
PBControllerInterface &Neighbours::phonebook() { return *registry().phonebook; }
CallControllerInterface &Neighbours::call() { return *registry().call; }
USSDControllerInterface &Neighbours::ussd() { return *registry().ussd; }
MMSControllerInterface &Neighbours::mms() { return *registry().mms; }
ServiceProviderCodeWindowInterface &Neighbours::spCodeWindow() { return *registry().spCodeWindow; }
UserRegistrationSheetInterface &Neighbours::registrationSheet() { return *registry().registrationSheet; }
ContactPickerInterface &Neighbours::contactPicker() { return *registry().contactPicker; }
STKControllerInterface &Neighbours::stk() { return *registry().stk; }

void Neighbours::setMain(MainControllerInterface *c) { assign(registry().main, c, registry().defaultMain); }
void Neighbours::setDial(DialControllerInterface *c) { assign(registry().dial, c, registry().defaultDial); }
void Neighbours::setInit(InitControllerInterface *c) { assign(registry().init, c, registry().defaultInit); }
void Neighbours::setRecords(DialRecordControllerInterface *c) { assign(registry().records, c, registry().defaultRecords); }
void Neighbours::setSetting(SettingControllerInterface *c) { assign(registry().setting, c, registry().defaultSetting); }
void Neighbours::setSms(SMSControllerInterface *c) { assign(registry().sms, c, registry().defaultSms); }
void Neighbours::setSmsService(SmsServiceInterface *s) { assign(registry().smsService, s, registry().defaultSmsService); }
void Neighbours::setPhonebook(PBControllerInterface *c) { assign(registry().phonebook, c, registry().defaultPhonebook); }
void Neighbours::setCall(CallControllerInterface *c) { assign(registry().call, c, registry().defaultCall); }
void Neighbours::setUssd(USSDControllerInterface *c) { assign(registry().ussd, c, registry().defaultUssd); }
void Neighbours::setMms(MMSControllerInterface *c) { assign(registry().mms, c, registry().defaultMms); }
void Neighbours::setSpCodeWindow(ServiceProviderCodeWindowInterface *w)
{
    assign(registry().spCodeWindow, w, registry().defaultSpCodeWindow);
}
void Neighbours::setRegistrationSheet(UserRegistrationSheetInterface *s)
{
    assign(registry().registrationSheet, s, registry().defaultRegistrationSheet);
}

void Neighbours::setContactPicker(ContactPickerInterface *p)
{
    assign(registry().contactPicker, p, registry().defaultContactPicker);
}

void Neighbours::setStk(STKControllerInterface *c) { assign(registry().stk, c, registry().defaultStk); }

} // namespace ostrel
