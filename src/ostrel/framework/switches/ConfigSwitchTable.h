#pragma once
// The table of operator switches that are plain reads of settings.plist.
//
// X(kind, getter, module, key, subkey, whenMissing)
//   kind         how the stored value becomes the answer (see switch_kind in ConfigService.h)
//   module       top-level module of settings.plist
//   key          key inside the module; nullptr: the module's own value
//   subkey       key inside the dictionary found under key; nullptr: none
//   whenMissing  the answer when the value is missing (for Presence: the answer when it is missing,
//                the opposite when it is there)
//
// ConfigService declares and defines one getter per row, and the tests walk the same rows.
// Switches with an algorithm of their own (several keys, an argument, a side effect) are written
// out by hand in ConfigService.

#define OSTREL_CONFIG_SWITCHES(X)                                                                              \
    /* Init */                                                                                                 \
    X(Object, getMccAndMncData, "Init", "Init_specificMccAndMnc", nullptr, {})                                 \
    X(Bool, isDisplayCheckModemStatus, "Init", "Init_DisplayCheckModemStatus", nullptr, false)                 \
    X(Bool, showSpnByNewMethod, "Init", "Init_ShowSpnByNewMethod", nullptr, false)                             \
    X(Bool, onlyShowLocalSpnAndHighPriorityThanHomeSpn, "Init", "Init_OnlyShowLocalSpn_AndHighPriorityThanHomeSpn", nullptr, false) \
    X(Object, readCustomHomeSPNFromConfig, "Init", "Init_changeHomeSPN_IfMatchedSpecialMCCMNC", nullptr, {})   \
    X(Bool, isOnlyShowSpnWhenRoamOff, "Init", "Init_OnlyShowBelongtoSpn_WhenRoamOff", nullptr, false)          \
    X(Object, readCustomSPNFromConfig, "Init", "Init_ChangeAllSPN_IfMatchedSpecialMCCMNC", nullptr, {})        \
    X(Object, readCustomLocalSPNFromConfig, "Init", "Init_ChangeLocalSPN_IfMatchedSpecialMCCMNC", nullptr, {}) \
    X(Object, readMCCMNCListFromConfig, "Init", "Init_HideRoamStatus_IfMatchedSpecialMCCMNC", nullptr, {})     \
    X(Object, readHMCCMNCListNeededHideRoamStatus, "Init", "Init_HideRoamStatus_IfMatchedSpecialHMCCMNC", nullptr, {}) \
    X(Object, readFixedSPNFromConfig, "Init", "Init_FixedLocalSPN_AccordingBelongMCCMNC", nullptr, {})         \
    X(Object, readHMCCMNCListNeededChangeSpn, "Init", "Init_SimHMCCMNCList_NeededChangeSPN", nullptr, {})      \
    X(Object, readCustomBelongSPNFromConfig, "Init", "Init_ChangeBelongSPN_IfMatchedSpecialMCCMNC", nullptr, {}) \
    /* Main */                                                                                                 \
    X(Bool, isApnWindSheetWindMainChanged_IfJamaicaSkinVersion, "Main", "Main_AddNewApnSheetWhenMainWndChanged_IfJamaicaSkinVersion", nullptr, false) \
    X(Int, getUIModelConfig, "Main", "Main_UIModel", nullptr, 3)                                               \
    X(Bool, isDisplayCheckSimStatus, "Main", "Main_DisplayCheckSIMStatus", nullptr, false)                     \
    X(Bool, isCloseUIIfDeviceRemoved, "Main", "Main_CloseUI_IfDeviceRemoved", nullptr, false)                  \
    X(Bool, isFreshStatusViewWhenConnectStatusChanged, "Main", "Main_FreshStatusView_ConnectStatusChanged", nullptr, false) \
    X(Bool, isFreshStatusViewWhenNewSMSArrive, "Main", "Main_FreshStatusView_NewSMSArrive", nullptr, false)    \
    X(Dict, getUIFont, "Main", "TextFont", nullptr, {})                                                        \
    X(Bool, doNotCloseApp, "Main", "Main_MinimizeMainWnd_IfClickCloseButton", nullptr, false)                  \
    X(Bool, makeFavoriteIconHintWindowIntoSubviewOfMainWnd, "Main", "Main_addHintWindowIntoMainWnd_IfNeedMoveWithMainWnd", nullptr, false) \
    X(Int, getURLEncryptPattern, "Main", "Main_EncryptURLPattern_IfNeeded", nullptr, 0)                        \
    X(String, getURLEncryptSerectKey, "Main", "Main_EncryptSerectKey_IfNeededEncrypt", nullptr, "")            \
    /* MAINFORM */                                                                                             \
    X(Bool, startupWindowControlGetSoftwareVersionString, "MAINFORM", "StartupWindow", "StartupWindow_GetSoftwareVersionString", false) \
    X(Dict, getStartupInfo, "MAINFORM", "StartupWindow", nullptr, {})                                          \
    X(Int, getDisplayStartupFlashTimes, "MAINFORM", "StartupWindow", "DisplayCount", 0)                        \
    X(Float, getStartupViewDelayTime, "MAINFORM", "StartupWindow", "DelayTime", 0.0f)                          \
    /* Internet */                                                                                             \
    X(Bool, isAppingApnInfoForConnectStateWhenConnected, "Internet", "Internet_AppendingApnInfoForConnectStateWhenConnected", nullptr, false) \
    X(Bool, isDisplayPhoneNumberForSmart, "Internet", "Internet_IsDisplayPhoneNumber_WhenConnectedOrDisconnected", nullptr, false) \
    X(Bool, isSavedDataToTheTxtFileToMB, "Internet", "Internet_RecordDataUnitWithMB_ifRecordFileSaveTypeIsTxt", nullptr, false) \
    X(Bool, isDisplayBillboard, "Internet", "Internet_isDisplayBillboard_WhenConnectSuccess", nullptr, false)  \
    X(Bool, isNotShowIPAddressWhenDhcpFailed, "Internet", "Internet_doNotDisplayIPAddress_whenDHCPFailed", nullptr, false) \
    X(Presence, isNeedTestSpeedAtConnected, "Internet", "Internet_IsNeedTestSpeedAtConnected", nullptr, false) \
    X(Object, getParmsForUploadTestTool, "Internet", "Internet_ParmsForUploadTestTool", nullptr, {})           \
    X(Bool, forbiddenIpv6ApnWhileChooseRas, "Internet", "Internet_ForbiddenIPV6APN_WhileChooseRAS", nullptr, false) \
    X(Bool, isDisplayWordingForConnectBtn, "Internet", "Internet_notDisplayWordingForConnectBtn", nullptr, false) \
    X(Bool, displayTooltipForConnectBtn, "Internet", "Internet_displayTooltipForConnectBtn", nullptr, false)   \
    X(Bool, changeLeftValueOfWordingForConnectBtn, "Internet", "Internet_ChangeLeftValueOfWording_ForConnectBtn", nullptr, false) \
    X(Int, getPassWordLimitLen, "Internet", "Internet_setPasswordLenOfAPN", nullptr, 0)                        \
    X(Bool, isDisconnectAsk, "Internet", "PopUpDisconnectWaring", nullptr, false)                              \
    X(Bool, isTransplantCodeToTestApnMatch, "Internet", "Internet_UseTransplantCodeToTestApnMatch", nullptr, false) \
    /* Record */                                                                                               \
    X(Presence, judgeRecordLastResetTimeWhetherEmptyWhenUIInit, "Record", "recordLastResetTime", nullptr, true) \
    /* SMS */                                                                                                  \
    X(Bool, isSupportDeleteSmsAfterSaveSmsOK, "SMS", "Sms_DeleteSavedSms_AfterSaveOK", nullptr, false)         \
    X(Bool, isSupportArrangeSmsOrderStat, "SMS", "Sms_ArrangeSms_OrderStat", nullptr, false)                   \
    X(Bool, isDisplayInboxCountLabelWithUnreadSmsCount, "SMS", "Sms_DisplayUnreadSmsCount_WithInboxCountLabel", nullptr, false) \
    X(Bool, isCheckPCCompacity, "SMS", "Sms_CheckPCCompacity_IfNeeded", nullptr, false)                        \
    X(Bool, checkIfShowReadStatus, "SMS", "showReadStatus", nullptr, false)                                    \
    X(Object, getArrayContainsSpeicalNumberAndSpeicalStringToReplace, "SMS", "SpecialNumberToHidden", nullptr, {}) \
    X(Bool, checkIfSaveBroadCastAsShortMessage, "SMS", "Sms_SaveBroadCastAsSMS_IfNeeded", nullptr, false)      \
    X(Bool, isSupportCheckSmsIsFlowValueSMS, "SMS", "SMS_CheckSmsIsFlowValueSms_ifNeeded", nullptr, false)     \
    X(Bool, isSupportCheckSmsIsRechargeSMS, "SMS", "SMS_CheckSmsIsRechargeSms_ifNeeded", nullptr, false)       \
    X(Bool, isBackUpPcInBoxListBeforeNewSMSArrive, "SMS", "SMS_BackUpPcInBoxList_BeforeNewSMSArrive", nullptr, false) \
    X(Bool, isGoToSMSPageWhenNewSMSArrives, "SMS", "SMS_GoToSMSPageWhenNewSMSArrives", nullptr, false)         \
    X(Bool, isSupportSetSmsStoreLocWhenClickSavePos, "SMS", "SMS_SetSmsStoreLoc_WhenClickSavePos", nullptr, false) \
    X(Bool, isSupportSetSmsBrowsePosBySmsStoreLoc, "SMS", "SMS_SetSmsBrowsePos_WhenSmsStoreLocChanged", nullptr, false) \
    X(Bool, isSupportSelectSMSDefaultBrowsePosWhenOpenSmsUI, "SMS", "SMS_selectDefaultPos_WhenOpenSMSUI", nullptr, false) \
    X(String, getSMSDefaultBrowsePosWhenOpenSmsUI, "SMS", "SMS_DefaultPos_WhenOpenSMSUI", nullptr, "AT_PC")    \
    X(Object, readFlowValueSMSJudgeCondition, "SMS", "SMS_FlowValueSMSJudegeConditions", nullptr, {})          \
    X(Bool, isNotShowSMSReportWndWhenHasReportBox, "SMS", "SMS_NotShowSMSReportWnd_WhenHasReportBox", nullptr, false) \
    X(Bool, getNewMessageBtnIsEnabledFromFileWhenSMSInit, "SMS", "SMS_NewMessageBtnIsEnabled_WhenSMSInit", nullptr, false) \
    X(Bool, getNewMessageBtnIsEnabledFromFileWhenNetCardUnDetected, "SMS", "SMS_NewMessageBtnIsEnabled_WhenNetCardUnDetected", nullptr, false) \
    X(Bool, isShowSendInfoWndWhenSendSMSFailOnBackGround, "SMS", "SMS_ShowSendInfoWnd_WhenSendSMSFailOnBackGround", nullptr, false) \
    X(Bool, isSendUnreadRechargeSMSToUSSD, "SMS", "SMS_SendUnreadRechargeSMSToUSSD_IfNeeded", nullptr, false)  \
    X(Bool, isNotShowNewSMSWndWithCertainContent, "SMS", "NoShowNewSMSWndWithCertainContent", nullptr, false)  \
    X(Object, readSpecialSMSConfig, "SMS", "SpecialSMS", nullptr, {})                                          \
    X(Bool, notDisplayWordingForNewBtn, "SMS", "SMS_notDisplayWordingForNewBtn", nullptr, false)               \
    /* USSD */                                                                                                 \
    X(Bool, checkIfUSSDEncodeAndDecodeTypeIsGSM7, "USSD", "Ussd_codeTheSendStringWithGSM7_IfUssdModeIsOne", nullptr, false) \
    X(Bool, isEnableToolbarForDUziva, "USSD", "DisableUSSDToolbarForDEdorud", nullptr, false)                  \
    X(Bool, whetherEnableToolbarBasesMatching, "USSD", "USSD_WhetherEnableToolbarBasesMatching", nullptr, false) \
    X(Bool, selectAppointUssdTabView, "USSD", "USSD_SelectAppointTabView", nullptr, false)                     \
    X(Object, getServerNumberWhenRechargeByUSSD, "USSD", "USSD_ServerNumber_WhenRecharge", nullptr, {})        \
    /* Setting */                                                                                              \
    X(Bool, setSearchNetListViewApplyBtnEnable, "Setting", "Setting_SetSearchNetListViewApplyBtnEnable", nullptr, false) \
    X(Bool, isSetSearchNetMode2GOnly, "Setting", "Setting_SetSearchNetMode2GOnly_IfChoose3GPref", nullptr, false) \
    X(Bool, isBackupPhoneBookOnly, "Setting", "Setting_BackupAndRestorePhoneBookOnly", nullptr, false)         \
    X(Bool, isSupportSetSMSDefaultStorePosWhenFirstStartUpUI, "Setting", "Setting_SetSMSDefaultStore_WhenFirstStartUpUI", nullptr, false) \
    X(String, getSMSDefaultStorePosWhenFirstStartUpUI, "Setting", "Setting_SMSDefaultStorePos_WhenFirstStartUpUI", nullptr, "SetAtPC") \
    X(Bool, forbiddenNetCanChooseAndReturnFailedByUI, "Setting", "Setting_ForbiddenNetCanChooseAndReturnFailedByUI", nullptr, false) \
    X(Bool, isRoamingImsiSet, "Setting", "Setting_RoamingImsiSet", nullptr, false)                             \
    X(Bool, isCallBarringSetting, "Setting", "Setting_DoNotReadCallBarSetting_IfNoCallBar", nullptr, false)    \
    X(Object, specialImsiAndIccidMnc, "Setting", "Setting_SpecialImsiAndIccidMnc", nullptr, {})                \
    /* PhoneBook */                                                                                            \
    X(Bool, getCheckUserInformationLen, "PhoneBook", "PhoneBook_IsCheckUserInformationLen", nullptr, false)    \
    X(Int, getUserEmailLen, "PhoneBook", "PhoneBook_UserEmailLen", nullptr, 0)                                 \
    X(Int, getUserHomePhoneLen, "PhoneBook", "PhoneBook_UserHomePhoneLen", nullptr, 0)                         \
    X(Int, getUserMobilePhoneLen, "PhoneBook", "PhoneBook_UserMobilePhoneLen", nullptr, 0)                     \
    X(Int, getUserNameLen, "PhoneBook", "PhoneBook_UserNameLen", nullptr, 0)                                   \
    X(Int, getUserOfficePhoneNumLen, "PhoneBook", "PhoneBook_UserOfficePhoneLen", nullptr, 0)                  \
    X(Bool, isDisplayEditGroupBtn, "PhoneBook", "PhoneBook_isDisplayEditGroupBtn_IfNeedDisplayInSIM", nullptr, false) \
    X(Bool, isPopupDialog, "PhoneBook", "PhoneBook_PopUpSelectAlertWnd_IfCopyToSim", nullptr, false)           \
    X(Bool, isSupportCaseSensitiveWhenSearch, "PhoneBook", "PhoneBook_caseSensitive_WhenSearch", nullptr, false) \
    /* Call */                                                                                                 \
    X(Bool, isGoToCallViewWhenIncoming, "Call", "Call_IncomingCallOKClickedGoToCallView", nullptr, false)      \
    X(Object, readDisplayInTheInputBoxSpecialPhoneNum, "Call", "Call_SpecialPhoneNumberNeedDisplayInTheInputBox", nullptr, {}) \
    /* Top-level modules */                                                                                    \
    X(Presence, hasImsiPhoneConfig, "ImsiPhone", nullptr, nullptr, false)                                      \
    X(Object, readPurchaseProcessList, "PurchargeBySMS", nullptr, nullptr, {})                                 \
    X(Bool, isSkinVersionForDEdorud, "DifferentWorkingMothodForDedorud", nullptr, nullptr, false)              \
    X(Bool, setModemAndSimStateStringWhenKV424, "ShowModemAndSimStateBasisDeviceStateWhenKV424", nullptr, nullptr, false) \
    X(Object, configDictionaryOfUIAnimation, "UIAnimation", nullptr, nullptr, {})                              \
    X(Bool, needShakePinWindow, "UIAnimation", "ShakeWindow", "PinWindow", false)                              \
    X(Object, readImsiConfig, "IMSI2DialConfigIdx", nullptr, nullptr, {})                                      \
    X(Object, readDefDialCfgs, "AllDefaultDialCfg", nullptr, nullptr, {})                                      \
    X(Int, readDefaultProfileNum, "DefaultProfileNum", nullptr, nullptr, 0)                                    \
    X(Presence, hasToolbarSkinInfo, "UIConfig", "ToolbarItems", nullptr, false)                                \
    X(String, getUIDateFormat, "CustomDateFormat", nullptr, nullptr, "")                                       \
    X(Bool, deviceLockForSettingFunction, "DeviceLockSettingFunction", nullptr, nullptr, false)                \
    X(Bool, isEnableAutoApnMatch, "EnableAutoApnMatch", nullptr, nullptr, true)                                \
    X(Bool, isImsiMatchGlobalApn, "ImsiMatchGlobalApn", nullptr, nullptr, false)                               \
    X(Bool, isAPNMatchWithMCCMNC, "APNMatchWithMCCMNC", nullptr, nullptr, false)                               \
    X(Bool, isYdonMatchApn, "YdonMatchApn", nullptr, nullptr, false)                                           \
    X(Bool, isImsiMatchApn, "ImsiMatchApn", nullptr, nullptr, false)                                           \
    X(Bool, isSpecialImsiRoam, "SpecialImsiRoam", nullptr, nullptr, false)                                     \
    X(Object, readEntertainTableConfig, "EntertainTabelConfig", nullptr, nullptr, {})
