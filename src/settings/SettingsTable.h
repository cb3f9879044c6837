#pragma once
// The settings table: one row per key or run of numbered keys, in the order the
// file is written.  SettingsIo walks it with one read and one write routine; a
// new key is one new row.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zq {

class IniFile;
struct Settings;

struct ScreenSize {
    int width = 0;
    int height = 0;
};

// What reading needs from outside the file.
struct SettingsReadContext {
    std::vector<ScreenSize> screenSizes;  // DISPLAYFONT keys: the display's distinct sizes, at most 20
};

enum class KeyKind : std::uint8_t {
    Int,      // int, "%d"
    String,   // std::wstring, cut to capacity - 1
    Colour,   // std::uint32_t, "%06x"
    History,  // MruList: slots 0..Capacity()-1, read from the last slot to the first, each pushed to the front
    List,     // std::vector<std::wstring>: keys from index 0 up to the first empty value
    Pairs,    // Settings::KeySection: every key line of the section, in file order
    Records,  // a list of records (RecordList below)
    Custom,   // a section whose keys depend on other values: read and write below
};

// One field of a record: its key format ("EXE%d", the record's index) and the
// member behind it, an int (Int) or a std::wstring (String, cut to capacity - 1).
struct RecordField {
    const wchar_t* name;
    KeyKind kind;
    size_t capacity;
    void* (*at)(void* record);
};

// A list of records, written record after record, each field in turn.  Its
// length is the integer setting countKey (bounded; missing slots are written
// empty), or without one, the records up to the first whose first field is
// empty.  A list is read even while the switch that puts it to use is off
// (the plug-ins, the cursor memory): a save with the switch off keeps it.
struct RecordList {
    std::span<const RecordField> fields;
    const wchar_t* countKey = nullptr;
    size_t (*size)(const Settings&) = nullptr;
    void (*resize)(Settings&, size_t) = nullptr;
    void* (*record)(Settings&, size_t) = nullptr;
};

struct KeyRow {
    const wchar_t* section;
    // The key, or a format for a run: "%d", "%02d", "%02x", "%c" (the index as a
    // letter from A), or two "%02d" for a run of count x count2 keys.
    const wchar_t* name;
    KeyKind kind;
    int count = 1;
    int count2 = 0;
    int defaultInt = 0;  // Int and Colour
    const wchar_t* defaultText = L"";
    size_t capacity = 0;  // String, History, List, Pairs
    // The variable behind key index i: int*, std::wstring*, std::uint32_t*,
    // MruList*, std::vector<std::wstring>* or Settings::KeySection*.
    void* (*at)(Settings&, int index) = nullptr;
    const int* defaultInts = nullptr;              // per-index defaults, when they differ
    const wchar_t* const* defaultTexts = nullptr;  //
    const wchar_t* const* names = nullptr;         // per-index key names instead of a format
    const RecordList* records = nullptr;           // Records
    void (*read)(const IniFile&, Settings&, const SettingsReadContext&) = nullptr;  // Custom
    bool (*write)(IniFile&, const Settings&) = nullptr;                             // Custom

    [[nodiscard]] int Keys() const noexcept { return count2 > 0 ? count * count2 : count; }
};

std::span<const KeyRow> SettingsTable();

// The key name of index i of a run.
std::wstring KeyName(const KeyRow& row, int index);
// printf-like formatting of the key formats above (and "%04d").
std::wstring FormatKey(std::wstring_view format, int first, int second = 0);

// Sections read at start-up, before the main window exists.
bool IsStartupSection(std::wstring_view section);

}  // namespace zq
