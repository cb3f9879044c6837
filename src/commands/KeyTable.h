#pragma once
// The 88 keys that can carry a command, shared by all modes, and the modifier
// index that selects one of a key's four assignments.  The key names are the
// names of the settings keys ("N_%s" ...) and of the key texts ("Ctrl+%s").
#include <span>
#include <string_view>

namespace zq {

// Modifier index of a key press.  Shift wins over Ctrl; Alt keys arrive as
// system keys and are dispatched with index 3.
enum KeyModifier : int { kModifierNone = 0, kModifierShift = 1, kModifierCtrl = 2, kModifierAlt = 3 };
inline constexpr int kModifierCount = 4;

inline constexpr int kKeyCount = 88;
inline constexpr std::size_t kKeyNameCapacity = 30;  // 29 units and the terminator

struct StructKey {
    unsigned virtualKey;
    const wchar_t* name;
};

[[nodiscard]] std::span<const StructKey> KeyTable();

// Index in the key table, or -1 for a key without a record (a media key, say).
[[nodiscard]] int FindKeyIndex(unsigned virtualKey);

// Index of the key with exactly this name, or -1.
[[nodiscard]] int FindKeyIndexByName(std::wstring_view name);

// The modifier index of an ordinary key-down from the Shift and Ctrl states.
[[nodiscard]] int ModifierIndex(bool shiftDown, bool ctrlDown);

}  // namespace zq
