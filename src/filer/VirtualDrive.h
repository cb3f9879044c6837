#pragma once
// Virtual drives: a drive letter that does not exist on the machine and
// whose tree holds references to real files kept elsewhere.  A store is the
// tree of one letter, kept in "<settings folder>\<letter>_Drive.ini"; the set
// of stores follows the enabled letters (VIRTUALDRIVE) and the letters that
// exist: a real drive hides the virtual one of its letter.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zq {

class IniFile;

struct VirtualNode {
    std::wstring name;
    std::wstring realDirectory;  // files: the directory that holds the real file; empty for directories
    bool directory = true;
    std::vector<VirtualNode> children;  // in insertion order
};

// Whether a path names an existing file that is not a directory.
using RealFileCheck = std::function<bool(const std::wstring& path)>;
[[nodiscard]] bool IsRealFile(const std::wstring& path);

class VirtualDriveStore {
  public:
    explicit VirtualDriveStore(wchar_t letter);
    [[nodiscard]] wchar_t Letter() const noexcept { return m_letter; }

    // Paths are the drive's own ("M:\docs\old") or relative to its root
    // ("docs\old"); "M:" and "" name the root.  Missing directories on the way are made.
    bool AddDirectory(const std::wstring& path);
    // A name already in the directory is pointed at the new real file.
    bool AddFile(const std::wstring& virtualDirectory, const std::wstring& name, const std::wstring& realDirectory);
    // The file node of `virtualDirectory` that points at `realDirectory`\`name` goes; false when none does.
    bool RemoveFile(const std::wstring& virtualDirectory, const std::wstring& realDirectory, const std::wstring& name);
    // The directory node `name` of `virtualDirectory` goes with all it holds; false when there is none.
    bool ForgetDirectory(const std::wstring& virtualDirectory, const std::wstring& name);
    [[nodiscard]] const VirtualNode* Find(const std::wstring& path) const;
    [[nodiscard]] const VirtualNode& Root() const noexcept { return m_root; }

    // Sections "DIR" (keys 00000…) and "FILE" (F/R/P 00000…); a file is taken
    // only when `isFile` says its real file is there.
    void Load(const IniFile& ini, const RealFileCheck& isFile);
    // Writes the store in the same layout; false when the file could not be written.
    [[nodiscard]] bool Save(const std::wstring& path) const;

  private:
    VirtualNode* Directory(const std::wstring& path, bool make);
    wchar_t m_letter;
    VirtualNode m_root;
};

// The real file behind a virtual path ("M:\docs\a.txt" -> "D:\real\a.txt"),
// for the Viewer and the copy engine; empty for a directory or a path the store does not hold.
[[nodiscard]] std::wstring RealPathOf(const VirtualDriveStore& store, const std::wstring& virtualPath);
// "<folder>\M_Drive.ini".
[[nodiscard]] std::wstring VirtualStoreFile(const std::wstring& folder, wchar_t letter);

// The stores of the letters A-Z.
class VirtualDrives {
  public:
    explicit VirtualDrives(std::wstring folder, RealFileCheck isFile = IsRealFile);
    // Where the store files are; the stores loaded so far stay as they are.
    void SetFolder(std::wstring folder) { m_folder = std::move(folder); }
    // Enabled letters that do not exist are loaded (when not loaded yet);
    // every other loaded store is saved and unloaded.
    void Refresh(const std::array<int, 26>& enabled, uint32_t presentDrives);
    // Every loaded store into its file; false when one could not be written.
    bool SaveAll() const;
    [[nodiscard]] VirtualDriveStore* For(wchar_t letter);
    // The store of the drive `path` is on, when it is loaded.
    [[nodiscard]] VirtualDriveStore* ForPath(const std::wstring& path);
    // Bit n: letter 'A' + n has a loaded store.
    [[nodiscard]] uint32_t LoadedMask() const;

  private:
    std::wstring m_folder;
    RealFileCheck m_isFile;
    std::array<std::unique_ptr<VirtualDriveStore>, 26> m_stores;
};

}  // namespace zq
