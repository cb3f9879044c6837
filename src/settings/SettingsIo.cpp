#include "settings/SettingsIo.h"

#include <windows.h>

#include <algorithm>
#include <unordered_set>

#include "settings/SettingsCustom.h"

namespace zq {

namespace {

template <typename T>
T& Variable(const KeyRow& row, Settings& settings, int index) {
    return *static_cast<T*>(row.at(settings, index));
}

// Writing only reads the variables; the rows hand out one pointer type for both directions.
Settings& Mutable(const Settings& settings) {
    return const_cast<Settings&>(settings);
}

// 88 keys with four modifiers is what a key section holds; far more is damage.
constexpr size_t kMaxKeyLines = 4096;

int IntSetting(Settings& settings, const wchar_t* key) {
    const int* value = FindIntSetting(settings, key);
    return value ? *value : 0;
}

void ReadRecords(const IniFile& ini, const KeyRow& row, Settings& settings) {
    const RecordList& list = *row.records;
    const int count = list.countKey ? custom::BoundedCount(IntSetting(settings, list.countKey)) : 0;
    list.resize(settings, 0);
    list.resize(settings, static_cast<size_t>(count));
    const int limit = list.countKey ? count : custom::kMaxListEntries;
    for (int n = 0; n < limit; ++n) {
        if (!list.countKey) list.resize(settings, static_cast<size_t>(n) + 1);
        void* record = list.record(settings, static_cast<size_t>(n));
        for (const RecordField& field : list.fields) {
            const std::wstring key = FormatKey(field.name, n);
            if (field.kind == KeyKind::Int)
                *static_cast<int*>(field.at(record)) = ini.GetInt(row.section, key, 0);
            else
                *static_cast<std::wstring*>(field.at(record)) = ini.GetString(row.section, key, L"", field.capacity);
        }
        // Without a count the list ends at the first record whose first field is empty.
        if (!list.countKey && static_cast<std::wstring*>(list.fields.front().at(record))->empty()) {
            list.resize(settings, static_cast<size_t>(n));
            break;
        }
    }
}

bool WriteRecords(IniFile& ini, const KeyRow& row, Settings& settings) {
    const RecordList& list = *row.records;
    const size_t size = list.size(settings);
    const size_t count =
        list.countKey ? static_cast<size_t>(custom::BoundedCount(IntSetting(settings, list.countKey))) : size;
    bool ok = true;
    for (size_t n = 0; n < count; ++n) {
        void* record = n < size ? list.record(settings, n) : nullptr;  // a slot past the list is written empty
        for (const RecordField& field : list.fields) {
            const std::wstring key = FormatKey(field.name, static_cast<int>(n));
            if (field.kind == KeyKind::Int)
                ok &= ini.WriteInt(row.section, key, record ? *static_cast<int*>(field.at(record)) : 0);
            else
                ok &= ini.WriteString(row.section, key,
                                      record ? *static_cast<std::wstring*>(field.at(record)) : std::wstring());
        }
    }
    return ok;
}

}  // namespace

void ReadRow(const IniFile& ini, const KeyRow& row, Settings& settings, const SettingsReadContext& context) {
    switch (row.kind) {
        case KeyKind::Int:
            for (int i = 0; i < row.Keys(); ++i) {
                const int fallback = row.defaultInts ? row.defaultInts[i] : row.defaultInt;
                Variable<int>(row, settings, i) = ini.GetInt(row.section, KeyName(row, i), fallback);
            }
            break;
        case KeyKind::String:
            for (int i = 0; i < row.Keys(); ++i) {
                const wchar_t* fallback =
                    row.defaultTexts && row.defaultTexts[i] ? row.defaultTexts[i] : row.defaultText;
                Variable<std::wstring>(row, settings, i) =
                    ini.GetString(row.section, KeyName(row, i), fallback, row.capacity);
            }
            break;
        case KeyKind::Colour:
            for (int i = 0; i < row.Keys(); ++i) {
                const auto fallback = static_cast<std::uint32_t>(row.defaultInts ? row.defaultInts[i] : row.defaultInt);
                Variable<std::uint32_t>(row, settings, i) = ini.GetColour(row.section, KeyName(row, i), fallback);
            }
            break;
        case KeyKind::History: {
            // From the oldest slot to the newest, each pushed to the front: the
            // file's order survives and duplicates drop out.
            MruList& list = Variable<MruList>(row, settings, 0);
            list.Clear();
            for (int i = static_cast<int>(list.Capacity()) - 1; i >= 0; --i)
                list.Push(ini.GetString(row.section, FormatKey(row.name, i), L"", row.capacity));
            break;
        }
        case KeyKind::List: {
            auto& list = Variable<std::vector<std::wstring>>(row, settings, 0);
            list.clear();
            for (int i = 0; i < custom::kMaxListEntries; ++i) {
                std::wstring value = ini.GetString(row.section, FormatKey(row.name, i), L"", row.capacity);
                if (value.empty()) break;
                list.push_back(std::move(value));
            }
            break;
        }
        case KeyKind::Pairs:
            Variable<Settings::KeySection>(row, settings, 0) = ReadKeySection(ini, row.section, row.capacity);
            break;
        case KeyKind::Records:
            ReadRecords(ini, row, settings);
            break;
        case KeyKind::Custom:
            row.read(ini, settings, context);
            break;
    }
}

bool WriteRow(IniFile& ini, const KeyRow& row, const Settings& constSettings) {
    Settings& settings = Mutable(constSettings);
    bool ok = true;
    switch (row.kind) {
        case KeyKind::Int:
            for (int i = 0; i < row.Keys(); ++i)
                ok &= ini.WriteInt(row.section, KeyName(row, i), Variable<int>(row, settings, i));
            break;
        case KeyKind::String:
            for (int i = 0; i < row.Keys(); ++i)
                ok &= ini.WriteString(row.section, KeyName(row, i), Variable<std::wstring>(row, settings, i));
            break;
        case KeyKind::Colour:
            for (int i = 0; i < row.Keys(); ++i)
                ok &= ini.WriteString(row.section, KeyName(row, i),
                                      FormatColour(Variable<std::uint32_t>(row, settings, i)));
            break;
        case KeyKind::History: {
            const MruList& list = Variable<MruList>(row, settings, 0);
            for (size_t i = 0; i < list.Capacity(); ++i)
                ok &= ini.WriteString(row.section, FormatKey(row.name, static_cast<int>(i)), list.Get(i));
            break;
        }
        case KeyKind::List: {
            const auto& list = Variable<std::vector<std::wstring>>(row, settings, 0);
            for (size_t i = 0; i < list.size(); ++i)
                ok &= ini.WriteString(row.section, FormatKey(row.name, static_cast<int>(i)), list[i]);
            // The reader stops at the first empty value: one is written after the last
            // entry, so that a shorter list hides what a longer one left in the file.
            ok &= ini.WriteString(row.section, FormatKey(row.name, static_cast<int>(list.size())), L"");
            break;
        }
        case KeyKind::Pairs:
            ok &= WriteKeySection(ini, row.section, Variable<Settings::KeySection>(row, settings, 0));
            break;
        case KeyKind::Records:
            ok &= WriteRecords(ini, row, settings);
            break;
        case KeyKind::Custom:
            ok &= row.write(ini, settings);
            break;
    }
    return ok;
}

void ReadStartupSettings(const IniFile& ini, Settings& settings) {
    for (const KeyRow& row : SettingsTable())
        if (IsStartupSection(row.section)) ReadRow(ini, row, settings, {});
}

void ReadRemainingSettings(const IniFile& ini, Settings& settings, const SettingsReadContext& context) {
    if (settings.SUMDIRJUMPGROUP < 1) settings.SUMDIRJUMPGROUP = 1;
    settings.selectDir.Resize(static_cast<size_t>(custom::BoundedCount(settings.SUMCOPYPASTDIRECTORY)));
    for (const KeyRow& row : SettingsTable())
        if (!IsStartupSection(row.section)) ReadRow(ini, row, settings, context);
}

bool WriteAllSettings(IniFile& ini, const Settings& settings) {
    bool ok = true;
    for (const KeyRow& row : SettingsTable()) ok &= WriteRow(ini, row, settings);
    return ok;
}

Settings::KeySection ReadKeySection(const IniFile& ini, std::wstring_view section, size_t capacity) {
    Settings::KeySection keys;
    const int index = ini.FindSection(section);
    if (index < 0) return keys;
    std::unordered_set<std::wstring> seen;
    std::wstring name, key, value;
    for (size_t line = 0; ini.EnumLine(static_cast<size_t>(index), line, name, key, value); ++line) {
        // The first line of a key is the one a lookup would find.
        if (!seen.insert(key).second) continue;
        if (keys.size() >= kMaxKeyLines) break;
        if (capacity > 0 && value.size() > capacity - 1) value.resize(capacity - 1);
        keys.emplace_back(std::move(key), std::move(value));
    }
    return keys;
}

bool WriteKeySection(IniFile& ini, std::wstring_view section, const Settings::KeySection& keys) {
    bool ok = true;
    for (const auto& [key, value] : keys) ok &= ini.WriteString(section, key, value);
    return ok;
}

size_t KeySectionCapacity(KeySectionIndex index) {
    return index == kKeyFiler ? 520 : 100;
}

IniLoadResult ImportKeySections(IniFile& file, Settings& settings) {
    const IniLoadResult result = file.Load();
    if (result != IniLoadResult::Loaded) return result;
    for (int i = 0; i < kKeySectionCount; ++i) {
        const auto index = static_cast<KeySectionIndex>(i);
        Settings::KeySection& current = settings.keySections[static_cast<size_t>(i)];
        for (auto& [key, command] : ReadKeySection(file, kKeySectionNames[i], KeySectionCapacity(index))) {
            const auto same =
                std::find_if(current.begin(), current.end(), [&](const auto& pair) { return pair.first == key; });
            if (same != current.end())
                same->second = std::move(command);
            else
                current.emplace_back(std::move(key), std::move(command));
        }
    }
    return result;
}

int* FindIntSetting(Settings& settings, std::wstring_view key) {
    for (const KeyRow& row : SettingsTable())
        if (row.kind == KeyKind::Int && row.count == 1 && IsStartupSection(row.section) && key == row.name)
            return static_cast<int*>(row.at(settings, 0));
    return nullptr;
}

std::wstring* FindStringSetting(Settings& settings, std::wstring_view key) {
    for (const KeyRow& row : SettingsTable())
        if (row.kind == KeyKind::String && row.count == 1 && IsStartupSection(row.section) && key == row.name)
            return static_cast<std::wstring*>(row.at(settings, 0));
    return nullptr;
}

std::vector<ScreenSize> EnumerateScreenSizes() {
    std::vector<ScreenSize> sizes;
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    for (DWORD i = 0; sizes.size() < 20 && ::EnumDisplaySettingsW(nullptr, i, &mode); ++i) {
        const ScreenSize size{static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight)};
        const bool known = std::any_of(sizes.begin(), sizes.end(), [&](const ScreenSize& s) {
            return s.width == size.width && s.height == size.height;
        });
        if (!known) sizes.push_back(size);
    }
    return sizes;
}

}  // namespace zq
