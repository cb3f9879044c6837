#include "filer/VirtualDrive.h"

#include <windows.h>

#include <cwchar>
#include <cwctype>

#include "settings/IniFile.h"

namespace zq {

namespace {

constexpr int kMaxDirectories = 30000;
constexpr size_t kNameUnits = 259;

std::wstring Key(const wchar_t* prefix, int n) {
    wchar_t key[16];
    std::swprintf(key, std::size(key), L"%ls%05d", prefix, n);
    return key;
}

bool SameName(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// The components of a path below the drive's root.
std::vector<std::wstring> Components(const std::wstring& path) {
    size_t at = 0;
    if (path.size() >= 2 && path[1] == L':') at = 2;
    std::vector<std::wstring> parts;
    while (at < path.size()) {
        const size_t slash = path.find(L'\\', at);
        const size_t end = slash == std::wstring::npos ? path.size() : slash;
        if (end > at) parts.push_back(path.substr(at, end - at).substr(0, kNameUnits));
        at = end + 1;
    }
    return parts;
}

VirtualNode* Child(VirtualNode& node, const std::wstring& name) {
    for (VirtualNode& child : node.children)
        if (SameName(child.name, name)) return &child;
    return nullptr;
}

void SaveTree(IniFile& out, const VirtualNode& node, const std::wstring& path, int& directories) {
    for (const VirtualNode& child : node.children) {
        if (!child.directory) continue;
        const std::wstring childPath = path + L"\\" + child.name;
        out.WriteString(L"DIR", Key(L"", directories++), childPath);
        SaveTree(out, child, childPath, directories);
    }
}

void SaveFiles(IniFile& out, const VirtualNode& node, const std::wstring& path, int& files) {
    for (const VirtualNode& child : node.children) {
        const std::wstring childPath = path + L"\\" + child.name;
        if (child.directory) {
            SaveFiles(out, child, childPath, files);
            continue;
        }
        out.WriteString(L"FILE", Key(L"F", files), child.name);
        out.WriteString(L"FILE", Key(L"R", files), child.realDirectory);
        out.WriteString(L"FILE", Key(L"P", files), path.empty() ? std::wstring(L"\\") : path);
        ++files;
    }
}

}  // namespace

bool IsRealFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

VirtualDriveStore::VirtualDriveStore(wchar_t letter) : m_letter(static_cast<wchar_t>(std::towupper(letter))) {}

VirtualNode* VirtualDriveStore::Directory(const std::wstring& path, bool make) {
    VirtualNode* node = &m_root;
    for (const std::wstring& part : Components(path)) {
        VirtualNode* next = Child(*node, part);
        if (next && !next->directory) return nullptr;
        if (!next) {
            if (!make) return nullptr;
            node->children.push_back({part, L"", true, {}});
            next = &node->children.back();
        }
        node = next;
    }
    return node;
}

bool VirtualDriveStore::AddDirectory(const std::wstring& path) {
    return Directory(path, true) != nullptr;
}

bool VirtualDriveStore::AddFile(const std::wstring& virtualDirectory, const std::wstring& name,
                                const std::wstring& realDirectory) {
    if (name.empty() || name.find(L'\\') != std::wstring::npos) return false;
    VirtualNode* directory = Directory(virtualDirectory, true);
    if (!directory) return false;
    if (VirtualNode* same = Child(*directory, name)) {
        if (same->directory) return false;
        same->realDirectory = realDirectory;
        return true;
    }
    directory->children.push_back({name.substr(0, kNameUnits), realDirectory, false, {}});
    return true;
}

bool VirtualDriveStore::RemoveFile(const std::wstring& virtualDirectory, const std::wstring& realDirectory,
                                   const std::wstring& name) {
    VirtualNode* directory = Directory(virtualDirectory, false);
    if (!directory) return false;
    return std::erase_if(directory->children, [&](const VirtualNode& node) {
               return !node.directory && SameName(node.name, name) && SameName(node.realDirectory, realDirectory);
           }) > 0;
}

bool VirtualDriveStore::ForgetDirectory(const std::wstring& virtualDirectory, const std::wstring& name) {
    VirtualNode* directory = Directory(virtualDirectory, false);
    if (!directory) return false;
    return std::erase_if(directory->children,
                         [&](const VirtualNode& node) { return node.directory && SameName(node.name, name); }) > 0;
}

const VirtualNode* VirtualDriveStore::Find(const std::wstring& path) const {
    const VirtualNode* node = &m_root;
    for (const std::wstring& part : Components(path)) {
        const VirtualNode* next = nullptr;
        for (const VirtualNode& child : node->children)
            if (SameName(child.name, part)) next = &child;
        if (!next) return nullptr;
        node = next;
    }
    return node;
}

void VirtualDriveStore::Load(const IniFile& ini, const RealFileCheck& isFile) {
    m_root.children.clear();
    std::wstring_view value;
    for (int n = 0; n < kMaxDirectories && ini.Find(L"DIR", Key(L"", n), value); ++n) AddDirectory(std::wstring(value));
    for (int n = 0;; ++n) {
        std::wstring_view name, real, shown;
        if (!ini.Find(L"FILE", Key(L"F", n), name) || !ini.Find(L"FILE", Key(L"R", n), real)) break;
        if (!ini.Find(L"FILE", Key(L"P", n), shown)) shown = {};
        std::wstring realDirectory(real);
        while (!realDirectory.empty() && realDirectory.back() == L'\\') realDirectory.pop_back();
        if (!isFile(realDirectory + L"\\" + std::wstring(name))) continue;
        AddFile(std::wstring(shown), std::wstring(name), realDirectory);
    }
}

bool VirtualDriveStore::Save(const std::wstring& path) const {
    IniFile out;
    if (!out.OpenForWriting(path)) return false;
    int directories = 0, files = 0;
    const std::wstring root{m_letter, L':'};
    // Parents come before their children, so that reading them back in order rebuilds the tree.
    SaveTree(out, m_root, root, directories);
    SaveFiles(out, m_root, root, files);
    return out.CloseWriting();
}

std::wstring RealPathOf(const VirtualDriveStore& store, const std::wstring& virtualPath) {
    const VirtualNode* node = store.Find(virtualPath);
    if (!node || node->directory) return {};
    return node->realDirectory + L"\\" + node->name;
}

std::wstring VirtualStoreFile(const std::wstring& folder, wchar_t letter) {
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    path += static_cast<wchar_t>(std::towupper(letter));
    path += L"_Drive.ini";
    return path;
}

VirtualDrives::VirtualDrives(std::wstring folder, RealFileCheck isFile)
    : m_folder(std::move(folder)), m_isFile(std::move(isFile)) {}

void VirtualDrives::Refresh(const std::array<int, 26>& enabled, uint32_t presentDrives) {
    for (size_t n = 0; n < 26; ++n) {
        const wchar_t letter = static_cast<wchar_t>(L'A' + n);
        const bool wanted = enabled[n] != 0 && !(presentDrives & (1u << n));
        std::unique_ptr<VirtualDriveStore>& store = m_stores[n];
        if (wanted && !store) {
            store = std::make_unique<VirtualDriveStore>(letter);
            IniFile ini(VirtualStoreFile(m_folder, letter));
            if (ini.Load() == IniLoadResult::Loaded) store->Load(ini, m_isFile);
        } else if (!wanted && store) {
            (void)store->Save(VirtualStoreFile(m_folder, letter));
            store.reset();
        }
    }
}

bool VirtualDrives::SaveAll() const {
    bool all = true;
    for (const auto& store : m_stores)
        if (store && !store->Save(VirtualStoreFile(m_folder, store->Letter()))) all = false;
    return all;
}

VirtualDriveStore* VirtualDrives::For(wchar_t letter) {
    letter = static_cast<wchar_t>(std::towupper(letter));
    if (letter < L'A' || letter > L'Z') return nullptr;
    return m_stores[static_cast<size_t>(letter - L'A')].get();
}

VirtualDriveStore* VirtualDrives::ForPath(const std::wstring& path) {
    if (path.size() < 2 || path[1] != L':') return nullptr;
    return For(path[0]);
}

uint32_t VirtualDrives::LoadedMask() const {
    uint32_t mask = 0;
    for (size_t n = 0; n < 26; ++n)
        if (m_stores[n]) mask |= 1u << n;
    return mask;
}

}  // namespace zq
