#pragma once
// Reading and writing the Settings record through an IniFile.
//
// Start-up (before the main window):
//     IniFile ini;                             // lives until the view's loader has run
//     UserIniEntry user;
//     if (!OpenStartupSettings(ini, {programDir, windowsDir, userName}, askWaitForInUse, user))
//         return false;                        // SettingsStartup.h: Cancel ends the process
//     Settings settings;                       // every key at its default
//     ReadStartupSettings(ini, settings);      // ALLDATA, ALLDATA2, SIZE_INFO
// View creation:
//     ReadRemainingSettings(ini, settings, {EnumerateScreenSizes()});   // every other section
// Saving: SettingsSaver (SettingsSaver.h), with {user.mode, user.path} as the user-ini state.
//
// Key sections, as ordered key/command lists:
//     settings.keySections[kKeyFiler]                      // KEYEXEDATA as read
//     ImportKeySections(otherFile, settings);              // "キーデータの読み込み"
#include <string_view>
#include <vector>

#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "settings/SettingsTable.h"

namespace zq {

void ReadStartupSettings(const IniFile& ini, Settings& settings);
// Corrects SUMDIRJUMPGROUP (at least 1) and sizes the SELECTDIR list by
// SUMCOPYPASTDIRECTORY, then reads every section that start-up did not.
void ReadRemainingSettings(const IniFile& ini, Settings& settings, const SettingsReadContext& context);
// Every section in table order, every key, defaults included.  False when a write failed.
bool WriteAllSettings(IniFile& ini, const Settings& settings);

// One row's keys, by the generic routines (exposed for the settings sheet and tests).
void ReadRow(const IniFile& ini, const KeyRow& row, Settings& settings, const SettingsReadContext& context);
bool WriteRow(IniFile& ini, const KeyRow& row, const Settings& settings);

Settings::KeySection ReadKeySection(const IniFile& ini, std::wstring_view section, size_t capacity);
bool WriteKeySection(IniFile& ini, std::wstring_view section, const Settings::KeySection& keys);
size_t KeySectionCapacity(KeySectionIndex index);
// "キーデータの読み込み": the four key sections of another settings file over the
// current ones; a key the file does not name keeps its current command.  Answers
// the load result (InUse: the caller shows "ファイルの読み込みに失敗しました").
IniLoadResult ImportKeySections(IniFile& file, Settings& settings);

// The ALLDATA, ALLDATA2 and SIZE_INFO variables by key name; nullptr for another name.
int* FindIntSetting(Settings& settings, std::wstring_view key);
std::wstring* FindStringSetting(Settings& settings, std::wstring_view key);

// The display's distinct screen sizes in the platform's enumeration order, at most 20.
std::vector<ScreenSize> EnumerateScreenSizes();

}  // namespace zq
