#pragma once
// A listing held in memory, for pane tests where the disk is not the point:
// a directory lists what was added to it and climbs by its path.
#include <atomic>
#include <map>
#include <string>
#include <vector>

#include "filer/ListingSource.h"
#include "common/Wildcard.h"

namespace zq::test {

class FakeListingSource final : public IListingSource {
  public:
    // A drive letter that no test machine maps, so nothing real answers for it.
    static constexpr const wchar_t* kRoot = L"Q:\\";

    void AddDirectory(const std::wstring& path) { m_entries[path]; }
    void AddFile(const std::wstring& directory, const std::wstring& name, unsigned long long size = 0) {
        Add(directory, name, FILE_ATTRIBUTE_ARCHIVE, size);
    }
    void AddSubdirectory(const std::wstring& directory, const std::wstring& name) {
        Add(directory, name, FILE_ATTRIBUTE_DIRECTORY, 0);
        AddDirectory(directory + L"\\" + name);
    }

    bool Reachable(const std::wstring& path) override { return !path.empty() && reachable; }
    bool CanEnter(const std::wstring& path) override { return m_entries.count(path) != 0; }
    void Enumerate(const std::wstring& directory, const std::wstring& pattern,
                   const std::function<bool(FileEntry&)>& take) override {
        if (const DWORD delay = enumerateDelayMs.load()) ::Sleep(delay);
        const auto found = m_entries.find(directory);
        if (found == m_entries.end()) return;
        std::vector<FileEntry> listed = found->second;
        for (FileEntry& entry : listed) {
            const bool all = pattern == L"*" || pattern == L"*.*";
            if (!all && !WildcardMatch(entry.cFileName, pattern)) continue;
            if (!take(entry)) return;
        }
    }
    bool Describe(const std::wstring& path, FileEntry& own) override {
        if (!CanEnter(path)) return false;
        own = Entry(L"", FILE_ATTRIBUTE_DIRECTORY, 0);
        return true;
    }

    ListingUp Up(const std::wstring& path) override { return DirectoryUp(path); }
    bool Watchable() const override { return false; }
    bool EnumeratesOffThread() const override { return offThread; }

    bool reachable = true;
    // A share that takes its time over a listing; the test keeps the source
    // alive until a listing given up on has finished.
    bool offThread = false;
    std::atomic<DWORD> enumerateDelayMs{0};

  private:
    static FileEntry Entry(const std::wstring& name, DWORD attributes, unsigned long long size) {
        FileEntry entry{};
        entry.dwFileAttributes = attributes;
        entry.nFileSizeLow = static_cast<DWORD>(size);
        entry.nFileSizeHigh = static_cast<DWORD>(size >> 32);
        name.copy(entry.cFileName, MAX_PATH - 1);
        return entry;
    }
    void Add(const std::wstring& directory, const std::wstring& name, DWORD attributes, unsigned long long size) {
        m_entries[directory].push_back(Entry(name, attributes, size));
    }

    std::map<std::wstring, std::vector<FileEntry>> m_entries;
};

}  // namespace zq::test
