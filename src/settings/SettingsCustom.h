#pragma once
// Sections whose keys or defaults depend on other settings: read and write
// routines named by the Custom rows of the settings table.
#include "settings/SettingsTable.h"

namespace zq::custom {

void ReadFilerInfo(const IniFile& ini, Settings& s, const SettingsReadContext& context);
bool WriteFilerInfo(IniFile& ini, const Settings& s);
void ReadJumpData(const IniFile& ini, Settings& s, const SettingsReadContext& context);
bool WriteJumpData(IniFile& ini, const Settings& s);
void ReadDisplayFont(const IniFile& ini, Settings& s, const SettingsReadContext& context);
bool WriteDisplayFont(IniFile& ini, const Settings& s);
void ReadDispFileSetting(const IniFile& ini, Settings& s, const SettingsReadContext& context);
bool WriteDispFileSetting(IniFile& ini, const Settings& s);

// Lists whose length comes from the file or from a setting are bounded, so that a
// damaged value cannot make the loader allocate without end.
constexpr int kMaxListEntries = 1000;
int BoundedCount(int value);

}  // namespace zq::custom
