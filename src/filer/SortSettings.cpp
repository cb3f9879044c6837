#include "filer/SortSettings.h"

namespace zq {

SortSettings SortSettings::Default() {
    SortSettings s;
    s.v.fill(0);
    return s;
}

SortSettings SortSettings::EmptyTemporary() {
    SortSettings s;
    for (int i = 0; i < 6; ++i) s.v[i] = 0xFFFFFFFFu;
    s.v[6] = s.v[7] = s.v[8] = 0;
    return s;
}

bool SortSettings::IsTemporaryInForce() const noexcept {
    return v[0] != 0xFFFFFFFFu && v[1] != 0xFFFFFFFFu;
}

SortKey MappedKey(uint32_t listPosition) noexcept {
    if (listPosition >= 1 && listPosition <= 5) return static_cast<SortKey>(listPosition - 1);
    return SortKey::None;
}

namespace {

// The third key where the rules leave it open: the first of name and extension
// that is not already one of the first two keys.  This keeps listings stable
// for entries that tie on the first two keys.
SortKey FillThird(SortKey f1, SortKey f2) {
    if (f1 != SortKey::Name && f2 != SortKey::Name) return SortKey::Name;
    if (f1 != SortKey::Extension && f2 != SortKey::Extension) return SortKey::Extension;
    return SortKey::None;
}

std::array<SortKey, 3> FileChain(const SortSettings& s) {
    const SortKey f1 = s.v[0] <= 4 ? static_cast<SortKey>(s.v[0]) : SortKey::None;
    if (f1 == SortKey::None) return {SortKey::None, SortKey::None, SortKey::None};
    SortKey f2 = MappedKey(s.v[1]);
    if (f2 == f1) f2 = SortKey::None;
    SortKey f3 = SortKey::None;
    bool thirdFixed = false;
    switch (f1) {
        case SortKey::Name:
            if (f2 == SortKey::Extension || f2 == SortKey::None) f2 = SortKey::Extension;
            break;
        case SortKey::Time:
        case SortKey::Size:
            if (f2 == SortKey::Name) {
                f3 = SortKey::Extension, thirdFixed = true;
            } else if (f2 == SortKey::Extension) {
                f3 = SortKey::Name, thirdFixed = true;
            } else if (f2 == SortKey::None) {
                f2 = SortKey::Name, f3 = SortKey::Extension, thirdFixed = true;
            }
            break;
        case SortKey::Extension:
            if (f2 == SortKey::Name || f2 == SortKey::None) f2 = SortKey::Name;
            break;
        case SortKey::Attribute:
            if (f2 == SortKey::None) f2 = SortKey::Name, f3 = SortKey::Extension, thirdFixed = true;
            break;
        default:
            break;
    }
    if (!thirdFixed) f3 = FillThird(f1, f2);
    return {f1, f2, f3};
}

std::array<SortKey, 3> DirChain(const SortSettings& s) {
    const SortKey d1 = MappedKey(s.v[3]);
    switch (d1) {
        case SortKey::Name:
            return {d1, SortKey::Extension, SortKey::None};
        case SortKey::Extension:
            return {d1, SortKey::Name, SortKey::None};
        case SortKey::None:
            return {SortKey::None, SortKey::None, SortKey::None};
        default:
            return {d1, SortKey::Name, SortKey::Extension};
    }
}

}  // namespace

SortChains BuildSortChains(const SortSettings& s) noexcept {
    SortChains c;
    c.mixDirectoriesAndFiles = s.v[8] == 1;
    c.file = FileChain(s);
    c.fileDescending = s.v[7] != 0;
    if (c.mixDirectoriesAndFiles) {
        c.dir = c.file;
        c.dirDescending = c.fileDescending;
        return c;
    }
    c.dir = DirChain(s);
    c.dirDescending = s.v[6] != 0;
    if (c.dir[0] == SortKey::None) {
        // Without a directory key, directories follow the file keys and order.
        c.dir = c.file;
        c.dirDescending = c.fileDescending;
    }
    return c;
}

const char* const kSortIniKeys[9][2] = {
    {"SORTWAY", "SORTWAY2"},
    {"SECONDSORTWAYFLAG", "SECONDSORTWAYFLAG2"},
    {nullptr, nullptr},
    {"SORT_DIR_WAY1", "SORT_DIR_WAY2"},
    {nullptr, nullptr},
    {nullptr, nullptr},
    {"SORT_DIR_ORDER1", "SORT_DIR_ORDER2"},
    {"SORTORDER", "SORTORDER2"},
    {"SORT_NEGLECT_FILE_KIND1", "SORT_NEGLECT_FILE_KIND2"},
};

SortSettings WithSortCommand(SortSettings s, SortCommand command) noexcept {
    const int c = static_cast<int>(command);
    if (command <= SortCommand::Sortno) {
        s.v[0] = static_cast<uint32_t>(c);
    } else if (command <= SortCommand::SortAttributeDir) {
        s.v[3] = static_cast<uint32_t>(c - static_cast<int>(SortCommand::SortNameDir) + 1);
    } else if (command == SortCommand::Sortexchange) {
        s.v[7] = s.v[7] ? 0 : 1;
    } else {
        s.v[6] = s.v[6] ? 0 : 1;
    }
    return s;
}

void StoreDefaultSort(PaneSortState& target, PaneSortState& other, const SortSettings& s, int chyncroSort) noexcept {
    target.defaults = s;
    target.DropTemporary();
    if (chyncroSort) {
        other.defaults = s;
        other.DropTemporary();
    }
}

}  // namespace zq
