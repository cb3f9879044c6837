#include "commands/KeyAssignments.h"

#include <windows.h>

#include <unordered_map>

namespace zq {

namespace {

struct StructSectionInfo {
    const wchar_t* section;
    std::size_t capacity;
};
const StructSectionInfo kSections[kModeGroupCount] = {
    {L"KEYEXEDATA", 520},
    {L"VIEWKEYEXEDATA", 100},
    {L"GRAPHICKEYEXEDATA", 100},
    {L"BINARYKEYEXEDATA", 100},
};

const wchar_t* const kKeyNamePrefixes[kModifierCount] = {L"N_", L"S_", L"C_", L"A_"};
const wchar_t* const kKeyTextPrefixes[kModifierCount] = {L"", L"Shift+", L"Ctrl+", L"Alt+"};

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

bool ValidSlot(int keyIndex, int modifier) {
    return keyIndex >= 0 && keyIndex < kKeyCount && modifier >= 0 && modifier < kModifierCount;
}

}  // namespace

// Defined with the built-in rows in KeyDefaults.cpp.
void FillBuiltInAssignments(KeyAssignments& keys);

const wchar_t* KeySectionName(ModeGroup group) {
    return kSections[static_cast<int>(group)].section;
}

std::size_t AssignmentCapacity(ModeGroup group) {
    return kSections[static_cast<int>(group)].capacity;
}

std::wstring AssignmentKeyName(int keyIndex, int modifier) {
    if (!ValidSlot(keyIndex, modifier)) return {};
    return std::wstring(kKeyNamePrefixes[modifier]) + KeyTable()[keyIndex].name;
}

KeyAssignments KeyAssignments::BuiltIn() {
    KeyAssignments keys;
    FillBuiltInAssignments(keys);
    return keys;
}

const std::wstring& KeyAssignments::Get(ModeGroup group, int keyIndex, int modifier) const {
    static const std::wstring empty;
    if (!ValidSlot(keyIndex, modifier)) return empty;
    return m_text[static_cast<int>(group)][keyIndex][modifier];
}

void KeyAssignments::Set(ModeGroup group, int keyIndex, int modifier, std::wstring_view text) {
    if (!ValidSlot(keyIndex, modifier)) return;
    m_text[static_cast<int>(group)][keyIndex][modifier] = text.substr(0, AssignmentCapacity(group) - 1);
}

const std::wstring* KeyAssignments::Find(ModeGroup group, unsigned virtualKey, int modifier) const {
    const int keyIndex = FindKeyIndex(virtualKey);
    if (!ValidSlot(keyIndex, modifier)) return nullptr;
    return &m_text[static_cast<int>(group)][keyIndex][modifier];
}

std::optional<std::wstring> KeyAssignments::KeyTextFor(ModeGroup group, std::wstring_view commandText) const {
    if (commandText.empty()) return std::nullopt;  // an empty text would match every unassigned key
    const ModeKeys& keys = m_text[static_cast<int>(group)];
    for (int modifier = 0; modifier < kModifierCount; ++modifier) {
        for (int k = 0; k < kKeyCount; ++k) {
            if (EqualIgnoringCase(keys[k][modifier], commandText))
                return std::wstring(kKeyTextPrefixes[modifier]) + KeyTable()[k].name;
        }
    }
    return std::nullopt;
}

std::vector<KeyValueLine> KeyAssignments::ToSection(ModeGroup group) const {
    std::vector<KeyValueLine> lines;
    lines.reserve(kKeyCount * kModifierCount);
    const ModeKeys& keys = m_text[static_cast<int>(group)];
    for (int k = 0; k < kKeyCount; ++k)
        for (int modifier = 0; modifier < kModifierCount; ++modifier)
            lines.emplace_back(AssignmentKeyName(k, modifier), keys[k][modifier]);
    return lines;
}

void KeyAssignments::ReadSection(ModeGroup group, const std::vector<KeyValueLine>& lines) {
    // Index the lines once; emplace keeps the first of two equal keys, as the
    // settings reader does.
    std::unordered_map<std::wstring_view, std::wstring_view> byKey;
    byKey.reserve(lines.size());
    for (const KeyValueLine& line : lines) byKey.emplace(line.first, line.second);
    for (int k = 0; k < kKeyCount; ++k) {
        for (int modifier = 0; modifier < kModifierCount; ++modifier) {
            const auto it = byKey.find(AssignmentKeyName(k, modifier));
            if (it != byKey.end()) Set(group, k, modifier, it->second);
        }
    }
}

}  // namespace zq
