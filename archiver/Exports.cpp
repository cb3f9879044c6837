// The exported functions: every prefix of the common archiver interface gets
// the same set, each a thin entry that names its family and forwards.  Callers
// pass 8-bit text in the ANSI code page; it becomes UTF-16 here, at the edge.
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "ArchiveReader.h"
#include "ArchiveSession.h"
#include "Command.h"
#include "CommandLine.h"
#include "ZipPacker.h"
#include "archive/ArchiverApi.h"

namespace unbypass {

namespace {

using namespace zq::arc;

constexpr WORD kVersion = 100;  // 1.00
std::atomic<bool> g_running{false};
std::atomic<HWND> g_owner{nullptr};

// One command at a time, and nothing thrown inside may reach a caller that
// knows no C++.
template <typename Run>
int RunAlone(Run&& run) {
    if (g_running.exchange(true)) return kErrorAlreadyRunning;
    int r = kErrorMemory;
    try {
        r = run();
    } catch (...) {
    }
    g_running = false;
    return r;
}

int Command(HWND, LPCSTR line, LPSTR out, DWORD outSize) {
    if (out && outSize) out[0] = '\0';
    if (!line) return kErrorCommandName;
    const auto command = ParseCommandLine(FromAnsi(line));
    if (!command) return kErrorCommandName;
    return RunAlone([&] { return RunCommand(*command, out, outSize, g_owner.load()); });
}

int Add(HWND, LPCSTR line, LPSTR out, DWORD outSize) {
    if (out && outSize) out[0] = '\0';
    if (!line) return kErrorCommandName;
    const auto command = ParseAddLine(FromAnsi(line));
    if (!command) return kErrorCommandName;
    const HWND owner = g_owner.load();
    const std::string archive = ToAnsi(command->archive);
    return RunAlone([&] {
        return RunAdd(*command, [&](const std::wstring& path, ULONGLONG size) {
            return TellProgress(owner, kExtractInProcess, ToAnsi(path), archive, static_cast<DWORD>(size), 0);
        });
    });
}

BOOL CheckFile(Family family, LPCSTR path, int mode) {
    ArchiveReader reader;
    if (reader.Open(FromAnsi(path)) != 0) return FALSE;
    Member member;
    int r = reader.Next(member);
    // An archive without members has told its format once the end is read.
    if (r == 0) return reader.IsFamily(family);
    if (r != 1 || !reader.IsFamily(family)) return FALSE;
    if (mode == kCheckRapid) return TRUE;
    for (;;) {
        if (mode == kCheckFull && reader.Verify() != 0) return FALSE;
        r = reader.Next(member);
        if (r == 0) return TRUE;
        if (r != 1) return FALSE;
    }
}

BOOL CheckArchive(Family family, LPCSTR path, int mode) {
    if (!path) return FALSE;
    try {
        return CheckFile(family, path, mode);
    } catch (...) {
        return FALSE;
    }
}

int GetFileCount(LPCSTR path) {
    if (!path) return -1;
    try {
        std::vector<Member> members;
        if (ReadMembers(FromAnsi(path), members) != 0) return -1;
        return static_cast<int>(members.size());
    } catch (...) {
        return -1;
    }
}

BOOL QueryFunctionList(int index) {
    switch (index) {
        case kFnCommand:
        case kFnGetVersion:
        case kFnGetRunning:
        case kFnCheckArchive:
        case kFnGetFileCount:
        case kFnQueryFunctionList:
        case kFnOpenArchive:
        case kFnCloseArchive:
        case kFnFindFirst:
        case kFnFindNext:
        case kFnSetOwnerWindow:
        case kFnClearOwnerWindow:
        case kFnGetArcFileName:
        case kFnGetArcFileSize:
        case kFnGetFileName:
        case kFnGetOriginalSize:
        case kFnGetCompressedSize:
        case kFnGetRatio:
        case kFnGetDate:
        case kFnGetTime:
        case kFnGetAttribute:
        case kFnGetMethod:
        case kFnGetWriteTime:
        case kFnGetWriteTimeEx:
        case kFnGetOriginalSizeEx:
            return TRUE;
        default:
            return FALSE;
    }
}

HARC OpenArchive(HWND, LPCSTR path, DWORD) {
    if (!path) return nullptr;
    try {
        return ArchiveSession::Open(FromAnsi(path), path);
    } catch (...) {
        return nullptr;
    }
}

int FindFirst(HARC handle, LPCSTR wild, INDIVIDUALINFO* info) {
    ArchiveSession* session = ArchiveSession::Find(handle);
    if (!session) return kErrorHarcNotOpened;
    return session->FindFirst(wild ? FromAnsi(wild) : std::wstring(), info);
}

int FindNext(HARC handle, INDIVIDUALINFO* info) {
    ArchiveSession* session = ArchiveSession::Find(handle);
    return session ? session->FindNext(info) : kErrorHarcNotOpened;
}

// The member of the last FindFirst/FindNext, or nullptr.
const Member* Current(HARC handle) {
    const ArchiveSession* session = ArchiveSession::Find(handle);
    return session ? session->Current() : nullptr;
}

int CopyText(const std::string& text, LPSTR buffer, int size) {
    if (!buffer || size <= 0) return kErrorMemory;
    if (static_cast<int>(text.size()) >= size) return kErrorMemory;
    lstrcpynA(buffer, text.c_str(), size);
    return 0;
}

int GetArcFileName(HARC handle, LPSTR buffer, int size) {
    const ArchiveSession* session = ArchiveSession::Find(handle);
    return session ? CopyText(session->AnsiPath(), buffer, size) : kErrorHarcNotOpened;
}

DWORD GetArcFileSize(HARC handle) {
    const ArchiveSession* session = ArchiveSession::Find(handle);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!session || !::GetFileAttributesExW(session->Path().c_str(), GetFileExInfoStandard, &data)) return DWORD(-1);
    return data.nFileSizeHigh ? DWORD(-1) : data.nFileSizeLow;
}

int GetFileName(HARC handle, LPSTR buffer, int size) {
    const Member* member = Current(handle);
    return member ? CopyText(member->ansiName, buffer, size) : kErrorNotSearchMode;
}

int GetMethod(HARC handle, LPSTR buffer, int size) {
    const ArchiveSession* session = ArchiveSession::Find(handle);
    if (!session || !session->Current()) return kErrorNotSearchMode;
    return CopyText(session->Method(), buffer, size);
}

DWORD GetOriginalSize(HARC handle) {
    const Member* member = Current(handle);
    return member && member->size <= 0xFFFFFFFFULL ? static_cast<DWORD>(member->size) : DWORD(-1);
}

BOOL GetOriginalSizeEx(HARC handle, LONGLONG* size) {
    const Member* member = Current(handle);
    if (!member || !size) return FALSE;
    *size = static_cast<LONGLONG>(member->size);
    return TRUE;
}

// The reader does not learn a member's packed size, so the library says it
// does not know rather than making one up.
DWORD GetCompressedSize(HARC) {
    return DWORD(-1);
}

WORD GetRatio(HARC) {
    return 0;
}

WORD GetDate(HARC handle) {
    const Member* member = Current(handle);
    WORD date = 0, time = 0;
    if (!member) return WORD(-1);
    DosDateTime(member->writeTime, date, time);
    return date;
}

WORD GetTime(HARC handle) {
    const Member* member = Current(handle);
    WORD date = 0, time = 0;
    if (!member) return WORD(-1);
    DosDateTime(member->writeTime, date, time);
    return time;
}

int GetAttribute(HARC handle) {
    const Member* member = Current(handle);
    return member ? MemberAttributes(*member) : -1;
}

DWORD GetWriteTime(HARC handle) {
    const Member* member = Current(handle);
    return member && member->writeTime >= 0 && member->writeTime <= 0xFFFFFFFFLL ? DWORD(member->writeTime) : DWORD(-1);
}

BOOL GetWriteTimeEx(HARC handle, FILETIME* time) {
    const Member* member = Current(handle);
    if (!member || !time) return FALSE;
    const ULONGLONG ticks = static_cast<ULONGLONG>(member->writeTime + 11644473600LL) * 10000000ULL;
    *time = FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    return TRUE;
}

}  // namespace

}  // namespace unbypass

#define UNBYPASS_EXPORT extern "C" __declspec(dllexport)

// One block per prefix.  The family only matters to CheckArchive: the other
// functions read every format, as callers reach every archive through the
// first prefix that accepts it.
#define UNBYPASS_PREFIX(P, FAMILY)                                                                         \
    UNBYPASS_EXPORT int WINAPI P(HWND w, LPCSTR line, LPSTR out, DWORD size) {                             \
        return unbypass::Command(w, line, out, size);                                                      \
    }                                                                                                      \
    UNBYPASS_EXPORT WORD WINAPI P##GetVersion() {                                                          \
        return unbypass::kVersion;                                                                         \
    }                                                                                                      \
    UNBYPASS_EXPORT BOOL WINAPI P##GetRunning() {                                                          \
        return unbypass::g_running.load() ? TRUE : FALSE;                                                  \
    }                                                                                                      \
    UNBYPASS_EXPORT BOOL WINAPI P##CheckArchive(LPCSTR path, int mode) {                                   \
        return unbypass::CheckArchive(unbypass::Family::FAMILY, path, mode);                               \
    }                                                                                                      \
    UNBYPASS_EXPORT int WINAPI P##GetFileCount(LPCSTR path) {                                              \
        return unbypass::GetFileCount(path);                                                               \
    }                                                                                                      \
    UNBYPASS_EXPORT BOOL WINAPI P##QueryFunctionList(int i) {                                              \
        return unbypass::QueryFunctionList(i);                                                             \
    }                                                                                                      \
    UNBYPASS_EXPORT zq::arc::HARC WINAPI P##OpenArchive(HWND w, LPCSTR path, DWORD mode) {                 \
        return unbypass::OpenArchive(w, path, mode);                                                       \
    }                                                                                                      \
    UNBYPASS_EXPORT int WINAPI P##CloseArchive(zq::arc::HARC h) {                                          \
        return unbypass::ArchiveSession::Close(h);                                                         \
    }                                                                                                      \
    UNBYPASS_EXPORT int WINAPI P##FindFirst(zq::arc::HARC h, LPCSTR wild, zq::arc::INDIVIDUALINFO* info) { \
        return unbypass::FindFirst(h, wild, info);                                                         \
    }                                                                                                      \
    UNBYPASS_EXPORT int WINAPI P##FindNext(zq::arc::HARC h, zq::arc::INDIVIDUALINFO* info) {               \
        return unbypass::FindNext(h, info);                                                                \
    }                                                                                                      \
    UNBYPASS_EXPORT BOOL WINAPI P##SetOwnerWindow(HWND w) {                                                \
        unbypass::g_owner = w;                                                                             \
        return TRUE;                                                                                       \
    }                                                                                                      \
    UNBYPASS_EXPORT BOOL WINAPI P##ClearOwnerWindow() {                                                    \
        unbypass::g_owner = nullptr;                                                                       \
        return TRUE;                                                                                       \
    }                                                                                                      \
    UNBYPASS_EXPORT int WINAPI P##GetArcFileName(zq::arc::HARC h, LPSTR b, int n) {                        \
        return unbypass::GetArcFileName(h, b, n);                                                          \
    }                                                                                                      \
    UNBYPASS_EXPORT DWORD WINAPI P##GetArcFileSize(zq::arc::HARC h) {                                      \
        return unbypass::GetArcFileSize(h);                                                                \
    }                                                                                                      \
    UNBYPASS_EXPORT int WINAPI P##GetFileName(zq::arc::HARC h, LPSTR b, int n) {                           \
        return unbypass::GetFileName(h, b, n);                                                             \
    }                                                                                                      \
    UNBYPASS_EXPORT int WINAPI P##GetMethod(zq::arc::HARC h, LPSTR b, int n) {                             \
        return unbypass::GetMethod(h, b, n);                                                               \
    }                                                                                                      \
    UNBYPASS_EXPORT DWORD WINAPI P##GetOriginalSize(zq::arc::HARC h) {                                     \
        return unbypass::GetOriginalSize(h);                                                               \
    }                                                                                                      \
    UNBYPASS_EXPORT BOOL WINAPI P##GetOriginalSizeEx(zq::arc::HARC h, LONGLONG* size) {                    \
        return unbypass::GetOriginalSizeEx(h, size);                                                       \
    }                                                                                                      \
    UNBYPASS_EXPORT DWORD WINAPI P##GetCompressedSize(zq::arc::HARC h) {                                   \
        return unbypass::GetCompressedSize(h);                                                             \
    }                                                                                                      \
    UNBYPASS_EXPORT WORD WINAPI P##GetRatio(zq::arc::HARC h) {                                             \
        return unbypass::GetRatio(h);                                                                      \
    }                                                                                                      \
    UNBYPASS_EXPORT WORD WINAPI P##GetDate(zq::arc::HARC h) {                                              \
        return unbypass::GetDate(h);                                                                       \
    }                                                                                                      \
    UNBYPASS_EXPORT WORD WINAPI P##GetTime(zq::arc::HARC h) {                                              \
        return unbypass::GetTime(h);                                                                       \
    }                                                                                                      \
    UNBYPASS_EXPORT int WINAPI P##GetAttribute(zq::arc::HARC h) {                                          \
        return unbypass::GetAttribute(h);                                                                  \
    }                                                                                                      \
    UNBYPASS_EXPORT DWORD WINAPI P##GetWriteTime(zq::arc::HARC h) {                                        \
        return unbypass::GetWriteTime(h);                                                                  \
    }                                                                                                      \
    UNBYPASS_EXPORT BOOL WINAPI P##GetWriteTimeEx(zq::arc::HARC h, FILETIME* t) {                          \
        return unbypass::GetWriteTimeEx(h, t);                                                             \
    }

UNBYPASS_PREFIX(Unlha, Lha)
UNBYPASS_PREFIX(UnZip, Zip)
UNBYPASS_PREFIX(Cab, Cab)
UNBYPASS_PREFIX(Unrar, Rar)
UNBYPASS_PREFIX(Unarj, Arj)
UNBYPASS_PREFIX(Tar, Tar)
UNBYPASS_PREFIX(UnGCA, Gca)
UNBYPASS_PREFIX(SevenZip, SevenZip)

// The ZIP family's packing prefix: the command alone, with the two functions
// callers ask before they call it.
UNBYPASS_EXPORT int WINAPI Zip(HWND w, LPCSTR line, LPSTR out, DWORD size) {
    return unbypass::Add(w, line, out, size);
}
UNBYPASS_EXPORT WORD WINAPI ZipGetVersion() {
    return unbypass::kVersion;
}
UNBYPASS_EXPORT BOOL WINAPI ZipGetRunning() {
    return unbypass::g_running.load() ? TRUE : FALSE;
}
UNBYPASS_EXPORT BOOL WINAPI ZipSetOwnerWindow(HWND w) {
    unbypass::g_owner = w;
    return TRUE;
}
UNBYPASS_EXPORT BOOL WINAPI ZipClearOwnerWindow() {
    unbypass::g_owner = nullptr;
    return TRUE;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
