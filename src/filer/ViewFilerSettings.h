#pragma once
// The settings record turned into the plain values the Filer engines take.
// Each engine gets its own record so that a changed setting only needs the
// matching function run again.
#include <array>
#include <string>
#include <vector>

#include "filer/FilerCellText.h"
#include "filer/FilerColor.h"
#include "filer/FilerHeaderLayout.h"
#include "filer/FilerLayout.h"
#include "filer/FilerLayoutFont.h"
#include "filer/FilerOptions.h"
#include "filer/SortSettings.h"

namespace zq {

struct Settings;

[[nodiscard]] FilerOptions FilerOptionsFrom(const Settings& settings);
// The six display-file flags of a stored group (or a dialog's boxes) become the settings.
void StoreDisplayGroup(Settings& settings, unsigned group);
// The record FILERINFONUMBER selects; a number outside 0-4 selects record 0.
[[nodiscard]] int DisplayFormatNumber(const Settings& settings);
[[nodiscard]] filer::FilerDisplayFormat DisplayFormatFrom(const Settings& settings);
[[nodiscard]] filer::FilerLayoutOptions FilerLayoutOptionsFrom(const Settings& settings);
[[nodiscard]] filer::FilerCellOptions FilerCellOptionsFrom(const Settings& settings);
[[nodiscard]] filer::FilerHeaderOptions FilerHeaderOptionsFrom(const Settings& settings);
[[nodiscard]] filer::FilerColors FilerColorsFrom(const Settings& settings);
// Rows with an empty extension are left out.
[[nodiscard]] filer::KindColorTable KindColorsFrom(const Settings& settings);
[[nodiscard]] filer::FilerFontInfo FilerFontFrom(const Settings& settings);

// Default sort values of pane 0 or 1; the reserved fields are 0.
[[nodiscard]] SortSettings SortSettingsFrom(const Settings& settings, int pane);
void StoreSortSettings(Settings& settings, int pane, const SortSettings& sort);

// The directory each pane starts in: a "-d" option of the command line first
// (`commandLine`, already made absolute), then with STARTENDDIR the directory of
// the last run, then FIRSTDIRECTORY / SECONDDIRECTORY, else `current`.  A
// relative directory from the settings is refused: it would be read against
// whatever folder happens to be current, and a copy would land there.
[[nodiscard]] std::array<std::wstring, 2> StartDirectories(const Settings& settings,
                                                           const std::vector<std::wstring>& commandLine,
                                                           const std::wstring& current);
// What the next start reads back with STARTENDDIR.
void StoreEndDirectories(Settings& settings, const std::wstring& pane0, const std::wstring& pane1);

}  // namespace zq
