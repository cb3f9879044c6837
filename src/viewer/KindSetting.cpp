#include "viewer/KindSetting.h"

#include <windows.h>

#include "settings/Settings.h"

namespace zq::viewer {

KindSettings KindSettingsFrom(const Settings& settings) {
    KindSettings kinds;
    for (size_t i = 0; i < kinds.size(); ++i) {
        kinds[i].extension = settings.viewerKind[i];
        kinds[i].columns = settings.viewerKindWords[i];
        kinds[i].tabWidth = settings.viewerKindTab[i];
    }
    return kinds;
}

void ApplyKindSettings(const KindSettings& kinds, std::wstring_view fileName, int& tabWidth, int& columns) {
    const size_t dot = fileName.rfind(L'.');
    if (dot == std::wstring_view::npos) return;
    const std::wstring_view extension = fileName.substr(dot + 1);
    for (const KindSetting& kind : kinds) {
        if (kind.extension.empty() || kind.extension.size() != extension.size()) continue;
        if (::CompareStringOrdinal(kind.extension.data(), static_cast<int>(kind.extension.size()), extension.data(),
                                   static_cast<int>(extension.size()), TRUE) != CSTR_EQUAL)
            continue;
        tabWidth = kind.tabWidth;
        columns = kind.columns;
    }
}

}  // namespace zq::viewer
