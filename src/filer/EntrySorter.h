#pragma once
// Builds the display order of a listing: "." and ".." first, then directories
// and files, each range sorted by its key chain.  Entries never move; only the
// order array is rewritten.
#include <cstdint>
#include <string>
#include <vector>

#include "filer/FileEntry.h"
#include "filer/SortSettings.h"

namespace zq {

struct SortOptions {
    int viewFileTimeType = 2;  // VIEWFILETIMETYPE
    bool useLogical = false;   // USE_STR_CMP_LOGICAL_W
};

class EntrySorter {
  public:
    // Rewrites order[0..count) and returns the number of "." and ".." entries
    // at its head.  altStems, when given, holds per entry a title that replaces
    // the name's stem (empty = none).
    int Sort(const FileEntry* entries, int count, const SortSettings& settings, const SortOptions& options,
             int32_t* order, const std::vector<std::wstring>* altStems = nullptr);

    // Stem and extension of a name as the sort sees them: a file's extension is
    // what follows its last dot, unless that dot is the first character.
    static void SplitName(const FileEntry& e, std::wstring_view& stem, std::wstring_view& extension) noexcept;

    // The platform's logical comparison, or nullptr when Shlwapi lacks it.
    using LogicalCompareFn = int(__stdcall*)(const wchar_t*, const wchar_t*);
    static LogicalCompareFn LogicalCompare() noexcept;

  private:
    struct Keys {
        uint32_t stemOffset, stemLength;  // into m_keyBytes (sort keys) or m_text (logical)
        uint32_t extOffset, extLength;
    };
    void PrepareKeys(const FileEntry* entries, const int32_t* order, int first, int last, bool logical,
                     const std::vector<std::wstring>* altStems);
    void SortRange(const FileEntry* entries, int32_t* order, int first, int last, const SortKey (&chain)[3],
                   bool descending, const SortOptions& options, LogicalCompareFn logical) const;

    std::vector<Keys> m_keys;         // indexed by entry index
    std::vector<uint8_t> m_keyBytes;  // locale sort keys, back to back
    std::vector<wchar_t> m_text;      // NUL-terminated stems and extensions for the logical comparison
};

}  // namespace zq
