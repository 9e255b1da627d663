#pragma once

// Numbers of the controls that the guide file describes and that have no number of their own
// elsewhere: the windows that hold them give them these (SetControlId), so that the guide finds
// them. Controls numbered elsewhere (the draw window's buttons 7, 1003, 102, 107 and 110, the
// prize-level page's 1017, 1019 and 1021, the base settings, the design tool's commands) keep
// their own numbers.
namespace GuideControlIds {

// Settings window.
constexpr int kSettingsTabs = 1231;
constexpr int kSettingsReset = 1232;
constexpr int kSettingsLoadScheme = 1233;
constexpr int kSettingsBackupScheme = 1234;
constexpr int kSettingsClose = 1235;

// Numbers page.
constexpr int kNumbersList = 1201;
constexpr int kNumbersAdd = 1202;
constexpr int kNumbersModify = 1203;
constexpr int kNumbersDelete = 1204;
constexpr int kNumbersImport = 1205;
constexpr int kNumbersEdit = 1206;
constexpr int kNumbersOutput = 1207;
constexpr int kNumbersSummary = 1208;

// A prize-level row of the prize levels page: its two buttons.
constexpr int kLevelBaseSettings = 8;
constexpr int kLevelDesignMode = 9;

// Other options page.
constexpr int kOtherStopAtStartup = 1211;
constexpr int kOtherStartSymbol = 1212;
constexpr int kOtherShowButtons = 1213;
constexpr int kOtherMouseControl = 1214;
constexpr int kOtherMouseDrawOnly = 1215;
constexpr int kOtherMouseRestartOnly = 1216;
constexpr int kOtherMouseBoth = 1217;
constexpr int kOtherAllowDelete = 1218;
constexpr int kOtherMonitor = 1219;
constexpr int kOtherCommand = 1220;
constexpr int kOtherCtrl = 1221;
constexpr int kOtherShift = 1222;
constexpr int kOtherAlt = 1223;
constexpr int kOtherKey = 1224;

} // namespace GuideControlIds
