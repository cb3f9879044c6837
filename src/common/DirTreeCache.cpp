#include "common/DirTreeCache.h"

#include <windows.h>

#include <algorithm>

#include "common/Paths.h"

namespace zq {

namespace {

int CompareFolded(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) -
           CSTR_EQUAL;
}

void SortNames(std::vector<std::wstring>& names) {
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size())) == CSTR_LESS_THAN;
    });
}

}  // namespace

bool DirTreeCache::FoldLess::operator()(const std::wstring& a, const std::wstring& b) const {
    return CompareFolded(a, b) < 0;
}

const std::vector<std::wstring>& DirTreeCache::SubFolders(const std::wstring& folder, const Reader& reader) {
    static const std::vector<std::wstring> kNone;
    const std::wstring key = NormalisePath(folder);
    if (const auto found = m_folders.find(key); found != m_folders.end()) return found->second;
    std::optional<std::vector<std::wstring>> names = reader ? reader(key) : std::nullopt;
    if (!names) return kNone;
    SortNames(*names);
    return m_folders.emplace(key, std::move(*names)).first->second;
}

bool DirTreeCache::Known(std::wstring_view folder) const {
    return m_folders.contains(NormalisePath(folder));
}

void DirTreeCache::Forget(std::wstring_view folder) {
    const std::wstring key = NormalisePath(folder);
    // Not a range of the map: "C:\A B" sorts between "C:\A" and "C:\A\x".
    std::erase_if(m_folders, [&](const auto& entry) { return IsSameOrBelow(entry.first, key); });
}

std::wstring DirTreeCache::Serialize() const {
    std::wstring text;
    for (const auto& [folder, names] : m_folders) {
        text += folder;
        for (const std::wstring& name : names) text += L'\t' + name;
        text += L"\r\n";
    }
    return text;
}

DirTreeCache DirTreeCache::Parse(std::wstring_view text) {
    DirTreeCache cache;
    while (!text.empty()) {
        const size_t end = std::min(text.find(L'\n'), text.size());
        std::wstring_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
        const size_t tab = std::min(line.find(L'\t'), line.size());
        const std::wstring_view folder = line.substr(0, tab);
        if (RootLength(folder) == 0) continue;
        std::vector<std::wstring> names;
        for (std::wstring_view rest = line.substr(tab); !rest.empty();) {
            rest.remove_prefix(1);  // the tab
            const size_t next = std::min(rest.find(L'\t'), rest.size());
            if (next > 0) names.emplace_back(rest.substr(0, next));
            rest.remove_prefix(next);
        }
        cache.m_folders[NormalisePath(folder)] = std::move(names);
    }
    return cache;
}

bool DirTreeCache::Save(const std::wstring& path) const {
    const std::wstring temporary = path + L".new";
    const std::wstring text = L"\xFEFF" + Serialize();
    const HANDLE file =
        ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    DWORD written = 0;
    const bool ok = ::WriteFile(file, text.data(), bytes, &written, nullptr) && written == bytes;
    ::CloseHandle(file);
    if (ok && ::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    ::DeleteFileW(temporary.c_str());
    return false;
}

DirTreeCache DirTreeCache::Load(const std::wstring& path) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    LARGE_INTEGER size{};
    std::wstring text;
    if (::GetFileSizeEx(file, &size) && size.QuadPart >= 2 && size.QuadPart < (256LL << 20)) {
        text.resize(static_cast<size_t>(size.QuadPart) / sizeof(wchar_t));
        DWORD read = 0;
        const DWORD want = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (!::ReadFile(file, text.data(), want, &read, nullptr) || read != want) text.clear();
    }
    ::CloseHandle(file);
    // Only our own file is read: one without the mark is someone else's.
    if (text.empty() || text[0] != L'\xFEFF') return {};
    return Parse(std::wstring_view(text).substr(1));
}

std::vector<std::wstring> DirTreeCache::Chain(std::wstring_view path) {
    std::vector<std::wstring> chain;
    for (std::wstring folder = NormalisePath(path); !folder.empty(); folder = ParentPath(folder))
        chain.push_back(folder);
    std::reverse(chain.begin(), chain.end());
    return chain;
}

}  // namespace zq
