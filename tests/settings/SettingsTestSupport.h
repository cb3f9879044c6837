#pragma once
// Helpers shared by the settings tests.
#include <string>
#include <string_view>

#include "common/Handle.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "settings/SettingsTable.h"

namespace zq::test {

// Bytes of a UTF-16LE file with its byte-order mark.
std::string Utf16File(std::wstring_view text);
// A UTF-16LE file's text without its byte-order mark.
std::wstring ReadUtf16File(const std::wstring& path);
// Settings in which every key of every section holds a value unlike its default
// and unlike every other key's, within its capacity.
Settings DistinctSettings(const SettingsReadContext& screens);
// Everything the program would write for these settings, as text, so that a
// failed comparison shows the differing lines.
std::wstring SettingsText(const Settings& settings);
// What start-up and the view's loader read from a loaded file.
Settings ReadAll(const IniFile& ini, const SettingsReadContext& context = {});
// A file opened by someone else with no sharing at all.
UniqueFile HoldExclusively(const std::wstring& path);

}  // namespace zq::test
