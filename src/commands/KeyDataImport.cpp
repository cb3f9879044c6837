#include "commands/KeyDataImport.h"

#include <vector>

namespace zq {

void ReadKeySections(const IniFile& ini, KeyAssignments& keys) {
    for (ModeGroup group : kAllModeGroups) {
        const int section = ini.FindSection(KeySectionName(group));
        if (section < 0) continue;
        std::vector<KeyValueLine> lines;
        std::wstring sectionName, key, value;
        for (size_t i = 0; ini.EnumLine(static_cast<size_t>(section), i, sectionName, key, value); ++i)
            lines.emplace_back(key, value);
        keys.ReadSection(group, lines);
    }
}

bool ImportKeyData(const std::wstring& path, KeyAssignments& keys, IniRetryPolicy retry) {
    IniFile ini(path, std::move(retry));
    switch (ini.Load()) {
        case IniLoadResult::Loaded:
            break;
        case IniLoadResult::Empty:
            return true;  // a file without any line names no key, so every key keeps its assignment
        default:
            return false;
    }
    // Built on a copy so that the live assignments change all at once.
    KeyAssignments imported = keys;
    ReadKeySections(ini, imported);
    keys = std::move(imported);
    return true;
}

std::wstring FileDialogFilter(std::wstring_view barSeparated) {
    std::wstring filter(barSeparated);
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    // The platform's list ends with two terminators; the string's own one is the second.
    if (filter.empty() || filter.back() != L'\0') filter += L'\0';
    return filter;
}

}  // namespace zq
