#pragma once
// The companion library ZqDll.DLL beside the program.  It is loaded on first
// use and stays loaded.  When it or one of its functions is missing, or a call
// crashes inside it, the call answers "nothing happened" and the command that
// made it does nothing, without a message.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "../../companion/ZqDll.h"
#include "external/GuardedLibrary.h"

namespace zq {

class CompanionLibrary {
  public:
    // programDirectory: the folder of zq.exe, without a trailing backslash.
    explicit CompanionLibrary(std::wstring programDirectory);
    CompanionLibrary(const CompanionLibrary&) = delete;
    CompanionLibrary& operator=(const CompanionLibrary&) = delete;

    [[nodiscard]] std::wstring LibraryPath() const;
    // Whether the library is loaded now (it is not loaded before its first use).
    [[nodiscard]] bool IsLoaded() const noexcept { return m_library.Loaded(); }

    // The control-panel items of the system, at most ZQ_CPL_MAX_RECORDS; item n
    // belongs to command 3000 + n.  nonLoadCpl: the NONLOADCPL entries.
    [[nodiscard]] std::vector<StructZqCplData> GetCplAllData(bool debug, HWND owner,
                                                             const std::vector<std::wstring>& nonLoadCpl);
    // Lets the user edit NONLOADCPL; the new entries when he confirmed.
    [[nodiscard]] std::optional<std::vector<std::wstring>> SetNonLoadCpl(HWND owner,
                                                                         const std::vector<std::wstring>& nonLoadCpl);
    // True when the window went to the tray (the caller then sets its in-tray flag).
    [[nodiscard]] bool SetToTaskTray(HWND frame, int modifierIndex, UINT virtualKey);
    // True when a window came back from the tray.
    bool ReleaseToTaskTray();

    // Prints through the library's print dialog; false when nothing was
    // printed (no library, cancelled, or refused with the library's message).
    bool PrintText(StructZqPrintText& request);
    // Shows the library's comparison of two files; false when it has none.
    bool CompareBinary(const std::wstring& directory, const std::wstring& first, const std::wstring& second);
    // The tag dialog for the files; false when the user cancelled or no
    // dialog could be shown.  written: how many files took the tag.
    bool MakeTag(HWND owner, const std::vector<std::wstring>& files, int& written);
    // The directory tree: true with request.Directory chosen; false when the
    // user chose none or no dialog could be shown.
    bool DirTree(StructZqDirTreeRequest& request);
    // The launcher: the chosen entry's index, below 0 when none was chosen or
    // there is no dialog; request.Changed says the entries were edited.
    int Launcher(StructZqLauncherRequest& request);

    // File-system redirection: called once at start.  Only a 32-bit process on
    // 64-bit Windows needs it; answers whether it is in use from now on.
    bool InitWow64Redirection();
    [[nodiscard]] bool Wow64RedirectionInUse() const noexcept { return m_wow64; }
    // Before each file open and directory enumeration of the shared file
    // helpers, and after an enumeration failed.  Both act on the calling
    // thread only, as the redirection does, and do nothing when not in use.
    void DisableWow64FsRedirection();
    void RevertWow64FsRedirection();

  private:
    // The library, loaded now if it is not yet.
    const GuardedLibrary& Use();

    std::wstring m_directory;
    GuardedLibrary m_library;
    bool m_wow64 = false;
};

// Whether this process is a 32-bit process on 64-bit Windows ("IsWow64Process"
// looked up in kernel32.dll; false where the system has no such function).
[[nodiscard]] bool RunsUnderWow64();

// Running a control-panel item: control.exe with these parameters.
[[nodiscard]] std::wstring CplOpenParameters(const StructZqCplData& item);
bool OpenCplItem(const StructZqCplData& item);

}  // namespace zq
