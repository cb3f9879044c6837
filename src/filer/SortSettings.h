#pragma once
// The nine sort values of a pane and the key chains derived from them.
#include <array>
#include <cstdint>

namespace zq {

enum class SortKey : int { Name = 0, Time = 1, Size = 2, Extension = 3, Attribute = 4, None = 5 };

struct SortSettings {
    // 0 first key (0 name, 1 time, 2 size, 3 extension, 4 attribute, 5 none)
    // 1 key for equal data (list position: 0 default, 1..5 a key, 6 none)
    // 2 reserved, 3 directory key (list position: 0 same as files, 1..5 a key)
    // 4, 5 reserved, 6 directory order, 7 file order (0 ascending, 1 descending)
    // 8 do not separate directories and files
    std::array<uint32_t, 9> v{};

    static SortSettings Default();
    // The empty temporary settings: fields 0-5 are -1, 6-8 are 0.
    static SortSettings EmptyTemporary();
    [[nodiscard]] bool IsTemporaryInForce() const noexcept;
    bool operator==(const SortSettings&) const = default;
};

// A stored list position v means key v - 1 when 1 <= v <= 5, otherwise none.
[[nodiscard]] SortKey MappedKey(uint32_t listPosition) noexcept;

struct SortChains {
    std::array<SortKey, 3> dir{SortKey::None, SortKey::None, SortKey::None};
    std::array<SortKey, 3> file{SortKey::None, SortKey::None, SortKey::None};
    bool dirDescending = false;
    bool fileDescending = false;
    bool mixDirectoriesAndFiles = false;
};
[[nodiscard]] SortChains BuildSortChains(const SortSettings& s) noexcept;

// Default and temporary settings of one pane.
struct PaneSortState {
    SortSettings defaults = SortSettings::Default();
    SortSettings temporary = SortSettings::EmptyTemporary();
    [[nodiscard]] const SortSettings& InForce() const noexcept {
        return temporary.IsTemporaryInForce() ? temporary : defaults;
    }
    void DropTemporary() noexcept { temporary = SortSettings::EmptyTemporary(); }
};

// The ini keys of the nine values for pane 1 and pane 2; nullptr for the
// reserved fields, which are kept as stored.
extern const char* const kSortIniKeys[9][2];

// The one-key sort commands, each a change of the default settings.
enum class SortCommand {
    Sortname,
    Sorttime,
    Sortsize,
    Sortkind,
    Sortattribute,
    Sortno,  // field 0 := 0..5
    SortNameDir,
    SortTimeDir,
    SortSizeDir,
    SortKindDir,
    SortAttributeDir,  // field 3 := 1..5
    Sortexchange,      // field 7 toggles
    SortExchangeDir,   // field 6 toggles
};
[[nodiscard]] SortSettings WithSortCommand(SortSettings s, SortCommand command) noexcept;

// Stores new default settings for one pane; with CHYNCROSORT the other pane
// gets the same nine values.  Both panes lose their temporary settings.
void StoreDefaultSort(PaneSortState& target, PaneSortState& other, const SortSettings& s, int chyncroSort) noexcept;

}  // namespace zq
