#include "filer/VirtualDriveSource.h"

#include <cwchar>

#include "common/Handle.h"
#include "common/Wildcard.h"

namespace zq {

namespace {

// Directories of a virtual drive exist only in its store: no times, no size.
FileEntry DirectoryEntry(const std::wstring& name) {
    FileEntry entry{};
    entry.dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_NORMAL;
    std::wcsncpy(entry.cFileName, name.c_str(), MAX_PATH - 1);
    return entry;
}

}  // namespace

VirtualDrives& ProcessVirtualDrives() {
    static VirtualDrives drives(L"");
    static const bool registered = [] {
        ListingSources::Register(
            []() -> std::unique_ptr<IListingSource> { return std::make_unique<VirtualDriveSource>(drives); });
        return true;
    }();
    (void)registered;
    return drives;
}

bool VirtualDriveSource::CanEnter(const std::wstring& path) {
    const VirtualDriveStore* store = m_drives.ForPath(path);
    const VirtualNode* node = store ? store->Find(path) : nullptr;
    return node && node->directory;
}

void VirtualDriveSource::Enumerate(const std::wstring& directory, const std::wstring& pattern,
                                   const std::function<bool(FileEntry&)>& take) {
    const VirtualDriveStore* store = m_drives.ForPath(directory);
    const VirtualNode* node = store ? store->Find(directory) : nullptr;
    if (!node || !node->directory) return;
    const bool all = pattern == L"*" || pattern == L"*.*";
    for (const VirtualNode& child : node->children) {
        if (!all && !WildcardMatch(child.name, pattern)) continue;
        FileEntry entry;
        if (child.directory) {
            entry = DirectoryEntry(child.name);
        } else {
            // The real file's record as it is now; a file that has gone is not listed.
            const std::wstring real = child.realDirectory + L"\\" + child.name;
            UniqueFind find(
                ::FindFirstFileExW(real.c_str(), FindExInfoStandard, &entry, FindExSearchNameMatch, nullptr, 0));
            if (!find || (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        }
        if (!take(entry)) return;
    }
}

std::wstring VirtualDriveSource::EntryDirectory(const std::wstring& location, const FileEntry& entry) const {
    const VirtualDriveStore* store = m_drives.ForPath(location);
    std::wstring virtualPath = location;
    if (!virtualPath.empty() && virtualPath.back() != L'\\') virtualPath += L'\\';
    virtualPath += entry.cFileName;
    const std::wstring real = store ? RealPathOf(*store, virtualPath) : std::wstring();
    if (real.empty()) return location;
    return real.substr(0, real.find_last_of(L'\\'));
}

bool VirtualDriveSource::Describe(const std::wstring& path, FileEntry& own) {
    if (!CanEnter(path)) return false;
    own = DirectoryEntry(L"");
    return true;
}

}  // namespace zq
