#pragma once
// The Viewer's per-extension rows (KIND%d, KINDWORDS%d, KINDTAB%d in
// VIEWERSETTING): an extension and the columns per line and tab width that
// files with it are shown with.
#include <array>
#include <string>
#include <string_view>

namespace zq {
struct Settings;
}

namespace zq::viewer {

struct KindSetting {
    std::wstring extension;  // without the dot; empty never matches
    int columns = 80;
    int tabWidth = 8;
};
using KindSettings = std::array<KindSetting, 30>;

[[nodiscard]] KindSettings KindSettingsFrom(const Settings& settings);

// Applies every row whose extension equals the file name's (after the last
// dot, ignoring case) to tabWidth and columns; the last matching row wins.
void ApplyKindSettings(const KindSettings& kinds, std::wstring_view fileName, int& tabWidth, int& columns);

}  // namespace zq::viewer
