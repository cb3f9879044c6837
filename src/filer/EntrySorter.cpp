#include "filer/EntrySorter.h"

#include <algorithm>
#include <cstring>

#include "common/Handle.h"

namespace zq {

namespace {

constexpr DWORD kLocaleCompareFlags = NORM_IGNORECASE | NORM_IGNORENONSPACE | NORM_IGNOREKANATYPE | NORM_IGNOREWIDTH;

int AttributeRank(const FileEntry& e) {
    const DWORD a = e.dwFileAttributes;
    return ((a & FILE_ATTRIBUTE_SYSTEM) ? 4 : 0) + ((a & FILE_ATTRIBUTE_HIDDEN) ? 2 : 0) +
           ((a & FILE_ATTRIBUTE_READONLY) ? 1 : 0);
}

template <typename T>
int Compare3(T a, T b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

bool ChainUsesText(const SortKey (&chain)[3]) {
    for (SortKey k : chain)
        if (k == SortKey::Name || k == SortKey::Extension) return true;
    return false;
}

}  // namespace

void EntrySorter::SplitName(const FileEntry& e, std::wstring_view& stem, std::wstring_view& extension) noexcept {
    const std::wstring_view name(e.cFileName, wcsnlen(e.cFileName, MAX_PATH));
    if (!IsFileEntry(e)) {
        stem = name;
        extension = {};
        return;
    }
    const size_t dot = name.rfind(L'.');
    if (dot == std::wstring_view::npos || dot == 0) {
        stem = name;
        extension = {};
        return;
    }
    stem = name.substr(0, dot);
    extension = name.substr(dot + 1);
}

EntrySorter::LogicalCompareFn EntrySorter::LogicalCompare() noexcept {
    // Looked up once; the library stays loaded for the life of the process.
    static UniqueModule shlwapi(::LoadLibraryW(L"Shlwapi.dll"));
    static const LogicalCompareFn fn =
        shlwapi ? reinterpret_cast<LogicalCompareFn>(::GetProcAddress(shlwapi.Get(), "StrCmpLogicalW")) : nullptr;
    return fn;
}

void EntrySorter::PrepareKeys(const FileEntry* entries, const int32_t* order, int first, int last, bool logical,
                              const std::vector<std::wstring>* altStems) {
    // The locale comparison is done through sort keys: comparing two keys byte
    // by byte gives the same answer as CompareStringW with the same flags, and
    // building one key per entry is far cheaper than a locale comparison per
    // pair when a listing holds tens of thousands of names.
    uint8_t buffer[8192];
    auto append = [&](std::wstring_view text, uint32_t& offset, uint32_t& length) {
        if (logical) {
            offset = static_cast<uint32_t>(m_text.size());
            m_text.insert(m_text.end(), text.begin(), text.end());
            m_text.push_back(L'\0');
            length = static_cast<uint32_t>(text.size());
            return;
        }
        offset = static_cast<uint32_t>(m_keyBytes.size());
        length = 0;
        if (text.empty()) return;
        int n = ::LCMapStringW(LOCALE_SYSTEM_DEFAULT, LCMAP_SORTKEY | kLocaleCompareFlags, text.data(),
                               static_cast<int>(text.size()), reinterpret_cast<LPWSTR>(buffer), sizeof buffer);
        if (n <= 0) {
            // Too long for the buffer (cannot happen for a 260-unit name) or a
            // failure: fall back to the raw units so the order stays defined.
            const auto* raw = reinterpret_cast<const uint8_t*>(text.data());
            m_keyBytes.insert(m_keyBytes.end(), raw, raw + text.size() * sizeof(wchar_t));
            length = static_cast<uint32_t>(text.size() * sizeof(wchar_t));
            return;
        }
        m_keyBytes.insert(m_keyBytes.end(), buffer, buffer + n);
        length = static_cast<uint32_t>(n);
    };
    for (int p = first; p < last; ++p) {
        const int i = order[p];
        std::wstring_view stem, extension;
        SplitName(entries[i], stem, extension);
        if (altStems && static_cast<size_t>(i) < altStems->size() && !(*altStems)[i].empty()) stem = (*altStems)[i];
        Keys& k = m_keys[i];
        append(stem, k.stemOffset, k.stemLength);
        append(extension, k.extOffset, k.extLength);
    }
}

void EntrySorter::SortRange(const FileEntry* entries, int32_t* order, int first, int last, const SortKey (&chain)[3],
                            bool descending, const SortOptions& options, LogicalCompareFn logical) const {
    if (last - first < 2 || chain[0] == SortKey::None) return;
    auto compareText = [&](uint32_t ao, uint32_t al, uint32_t bo, uint32_t bl) -> int {
        if (logical) return logical(m_text.data() + ao, m_text.data() + bo);
        const int c = std::memcmp(m_keyBytes.data() + ao, m_keyBytes.data() + bo, std::min(al, bl));
        return c != 0 ? c : Compare3(al, bl);
    };
    auto compare = [&](int32_t a, int32_t b) -> int {
        const FileEntry& ea = entries[a];
        const FileEntry& eb = entries[b];
        for (SortKey key : chain) {
            int c = 0;
            switch (key) {
                case SortKey::Name:
                    c = compareText(m_keys[a].stemOffset, m_keys[a].stemLength, m_keys[b].stemOffset,
                                    m_keys[b].stemLength);
                    break;
                case SortKey::Extension:
                    c = compareText(m_keys[a].extOffset, m_keys[a].extLength, m_keys[b].extOffset, m_keys[b].extLength);
                    break;
                case SortKey::Time:
                    c = Compare3(FileTimeValue(ViewTimeOf(ea, options.viewFileTimeType)),
                                 FileTimeValue(ViewTimeOf(eb, options.viewFileTimeType)));
                    break;
                case SortKey::Size:
                    c = Compare3(SizeOf(ea), SizeOf(eb));
                    break;
                case SortKey::Attribute:
                    c = Compare3(AttributeRank(ea), AttributeRank(eb));
                    break;
                case SortKey::None:
                    return 0;
            }
            if (c != 0) return descending ? -c : c;
        }
        return 0;
    };
    std::stable_sort(order + first, order + last, [&](int32_t a, int32_t b) { return compare(a, b) < 0; });
}

int EntrySorter::Sort(const FileEntry* entries, int count, const SortSettings& settings, const SortOptions& options,
                      int32_t* order, const std::vector<std::wstring>* altStems) {
    // Head: every "." then every "..", then directories and files (or all the
    // rest together), each in entry order.
    int n = 0;
    for (int i = 0; i < count; ++i)
        if (ClassOf(entries[i]) == kEntryCurrentLink) order[n++] = i;
    for (int i = 0; i < count; ++i)
        if (ClassOf(entries[i]) == kEntryParentLink) order[n++] = i;
    const int special = n;
    const SortChains chains = BuildSortChains(settings);
    int firstFile = special;
    if (chains.mixDirectoriesAndFiles) {
        for (int i = 0; i < count; ++i)
            if (!IsLinkEntry(entries[i])) order[n++] = i;
    } else {
        for (int i = 0; i < count; ++i)
            if (ClassOf(entries[i]) == kEntryDirectory) order[n++] = i;
        firstFile = n;
        for (int i = 0; i < count; ++i)
            if (IsFileEntry(entries[i])) order[n++] = i;
    }

    const SortKey dirChain[3] = {chains.dir[0], chains.dir[1], chains.dir[2]};
    const SortKey fileChain[3] = {chains.file[0], chains.file[1], chains.file[2]};
    const bool needText = ChainUsesText(dirChain) || ChainUsesText(fileChain);
    const LogicalCompareFn logical = options.useLogical ? LogicalCompare() : nullptr;
    if (needText) {
        m_keys.assign(static_cast<size_t>(count), Keys{});
        m_keyBytes.clear();
        m_text.clear();
        PrepareKeys(entries, order, special, count, logical != nullptr, altStems);
    }
    if (chains.mixDirectoriesAndFiles) {
        SortRange(entries, order, special, count, fileChain, chains.fileDescending, options, logical);
    } else {
        SortRange(entries, order, special, firstFile, dirChain, chains.dirDescending, options, logical);
        SortRange(entries, order, firstFile, count, fileChain, chains.fileDescending, options, logical);
    }
    return special;
}

}  // namespace zq
