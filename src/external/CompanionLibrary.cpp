#include "external/CompanionLibrary.h"

#include <shellapi.h>

#include <algorithm>

#include "common/Paths.h"
#include "external/NonLoadCpl.h"

namespace zq {

namespace {

StructZqCplContext MakeContext(HWND owner, const std::vector<std::wstring>& nonLoadCpl) {
    StructZqCplContext context{};
    context.cbSize = sizeof(context);
    context.hwndOwner = owner;
    StoreNonLoadCplList(nonLoadCpl, context);
    return context;
}

// Redirection is a state of each thread, so what it was before is kept per thread.
struct Wow64ThreadState {
    bool disabled = false;
    PVOID oldValue = nullptr;
};
thread_local Wow64ThreadState t_wow64;

}  // namespace

CompanionLibrary::CompanionLibrary(std::wstring programDirectory) : m_directory(std::move(programDirectory)) {}

std::wstring CompanionLibrary::LibraryPath() const {
    return JoinPath(m_directory, L"ZqDll.DLL");
}

const GuardedLibrary& CompanionLibrary::Use() {
    // Loaded at the first use and kept: its tray window and hot key outlive the
    // call that made them.  A library that is not there yet may be copied in
    // later, so a failed load is tried again at the next use.
    if (!m_library.Loaded()) m_library = GuardedLibrary(LibraryPath());
    return m_library;
}

std::vector<StructZqCplData> CompanionLibrary::GetCplAllData(bool debug, HWND owner,
                                                             const std::vector<std::wstring>& nonLoadCpl) {
    const auto getCplAllData = Use().Find<PFN_ZqGetCplAllData>("ZqGetCplAllData");
    if (!getCplAllData) return {};
    std::vector<StructZqCplData> records(ZQ_CPL_MAX_RECORDS);
    StructZqCplContext context = MakeContext(owner, nonLoadCpl);
    const auto count = getCplAllData(records.data(), static_cast<int>(records.size()), debug ? TRUE : FALSE, &context);
    if (!count) return {};
    records.resize(static_cast<size_t>(std::clamp(*count, 0, ZQ_CPL_MAX_RECORDS)));
    for (auto& record : records) {  // the texts are shown and passed on; make sure they end
        record.CplPath[std::size(record.CplPath) - 1] = L'\0';
        record.Name[std::size(record.Name) - 1] = L'\0';
        record.Info[std::size(record.Info) - 1] = L'\0';
    }
    return records;
}

std::optional<std::vector<std::wstring>> CompanionLibrary::SetNonLoadCpl(HWND owner,
                                                                         const std::vector<std::wstring>& nonLoadCpl) {
    StructZqCplContext context = MakeContext(owner, nonLoadCpl);
    const auto confirmed = Use().Find<PFN_OnSetNonLoadCpl>("OnSetNonLoadCpl")(&context);
    if (!confirmed || !*confirmed) return std::nullopt;
    for (auto& slot : context.NonLoadCpl) slot[ZQ_NONLOADCPL_CHARS - 1] = L'\0';
    return NonLoadCplList(context);
}

bool CompanionLibrary::SetToTaskTray(HWND frame, int modifierIndex, UINT virtualKey) {
    return Use().Find<PFN_SetToTaskTray>("SetToTaskTray")(frame, modifierIndex, virtualKey).value_or(FALSE) != FALSE;
}

bool CompanionLibrary::ReleaseToTaskTray() {
    return Use().Find<PFN_ReleaseToTaskTray>("ReleaseToTaskTray")().value_or(FALSE) != FALSE;
}

bool CompanionLibrary::PrintText(StructZqPrintText& request) {
    return Use().Find<PFN_ZqPrintTextDlg>("ZqPrintTextDlg")(&request).value_or(FALSE) != FALSE;
}

bool CompanionLibrary::CompareBinary(const std::wstring& directory, const std::wstring& first,
                                     const std::wstring& second) {
    return Use()
               .Find<PFN_ZqCmpBinaryDlg>("ZqCmpBinaryDlg")(directory.c_str(), first.c_str(), second.c_str())
               .value_or(FALSE) != FALSE;
}

bool CompanionLibrary::MakeTag(HWND owner, const std::vector<std::wstring>& files, int& written) {
    std::vector<const wchar_t*> paths;
    for (const std::wstring& file : files) paths.push_back(file.c_str());
    StructZqTagRequest request{};
    request.cbSize = sizeof(request);
    request.hwndOwner = owner;
    request.Files = paths.data();
    request.FileCount = static_cast<int32_t>(paths.size());
    const bool done = Use().Find<PFN_ZqTagMakeDlg>("ZqTagMakeDlg")(&request).value_or(FALSE) != FALSE;
    written = request.Written;
    return done;
}

bool CompanionLibrary::DirTree(StructZqDirTreeRequest& request) {
    request.cbSize = sizeof(request);
    return Use().Find<PFN_ZqDirTreeDlg>("ZqDirTreeDlg")(&request).value_or(FALSE) != FALSE;
}

int CompanionLibrary::Launcher(StructZqLauncherRequest& request) {
    request.cbSize = sizeof(request);
    request.Changed = 0;
    const int chosen = Use().Find<PFN_OnLancher>("OnLancher")(&request).value_or(-1);
    // A library that faulted may have left anything behind: keep only what can be true.
    request.Count = std::clamp(request.Count, 0, static_cast<int32_t>(ZQ_LAUNCHER_MAX_ENTRIES));
    return chosen < request.Count ? chosen : -1;
}

bool CompanionLibrary::InitWow64Redirection() {
    m_wow64 = RunsUnderWow64() && Use().Find<PFN_DisableWow64FsRedirection>("DisableWow64FsRedirection") &&
              Use().Find<PFN_RevertWow64FsRedirection>("RevertWow64FsRedirection");
    return m_wow64;
}

void CompanionLibrary::DisableWow64FsRedirection() {
    if (!m_wow64 || t_wow64.disabled) return;
    PVOID oldValue = nullptr;
    if (m_library.Find<PFN_DisableWow64FsRedirection>("DisableWow64FsRedirection")(&oldValue).value_or(FALSE))
        t_wow64 = {true, oldValue};
}

void CompanionLibrary::RevertWow64FsRedirection() {
    if (!m_wow64 || !t_wow64.disabled) return;
    if (m_library.Find<PFN_RevertWow64FsRedirection>("RevertWow64FsRedirection")(t_wow64.oldValue).value_or(FALSE))
        t_wow64 = {};
}

bool RunsUnderWow64() {
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto fn =
        reinterpret_cast<IsWow64ProcessFn>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "IsWow64Process"));
    BOOL wow64 = FALSE;
    return fn && fn(::GetCurrentProcess(), &wow64) && wow64;
}

std::wstring CplOpenParameters(const StructZqCplData& item) {
    return L"\"" + std::wstring(item.CplPath) + L"\",@" + std::to_wstring(item.AppletIndex);
}

bool OpenCplItem(const StructZqCplData& item) {
    const std::wstring parameters = CplOpenParameters(item);
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", L"control.exe", parameters.c_str(), nullptr, SW_SHOWNORMAL));
    return result > 32;
}

}  // namespace zq
