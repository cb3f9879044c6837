#pragma once
// The common archiver interface: the records, result codes and call forms an
// archiver library shares with its callers.  Every library of this kind (ours,
// Unbypass.dll, and those users already own) exports each function as a
// format prefix followed by a fixed word ("UnlhaOpenArchive"), so these types
// are the contract on both sides and their layout must not move.
#include <windows.h>

#include <cstddef>

namespace zq::arc {

using HARC = HANDLE;

#pragma pack(push, 1)
struct INDIVIDUALINFO {
    DWORD dwOriginalSize;
    DWORD dwCompressedSize;
    DWORD dwCRC;
    UINT uFlag;
    UINT uOSType;
    WORD wRatio;  // per mille
    WORD wDate;   // DOS date, local time
    WORD wTime;   // DOS time
    char szFileName[513];
    char dummy1[3];
    char szAttribute[8];
    char szMode[8];
};

struct EXTRACTINGINFO {
    DWORD dwFileSize;
    DWORD dwWriteSize;
    char szSourceFileName[513];
    char dummy1[3];
    char szDestFileName[513];
    char dummy[3];
};

struct EXTRACTINGINFOEX {
    EXTRACTINGINFO exinfo;
    DWORD dwCompressedSize;
    DWORD dwCRC;
    UINT uOSType;
    WORD wRatio;
    WORD wDate;
    WORD wTime;
    char szAttribute[8];
    char szMode[8];
};
#pragma pack(pop)

static_assert(sizeof(INDIVIDUALINFO) == 558);
static_assert(offsetof(INDIVIDUALINFO, wRatio) == 20);
static_assert(offsetof(INDIVIDUALINFO, wDate) == 22);
static_assert(offsetof(INDIVIDUALINFO, wTime) == 24);
static_assert(offsetof(INDIVIDUALINFO, szFileName) == 26);
static_assert(offsetof(INDIVIDUALINFO, szAttribute) == 542);
static_assert(offsetof(INDIVIDUALINFO, szMode) == 550);
static_assert(sizeof(EXTRACTINGINFO) == 1040);
static_assert(offsetof(EXTRACTINGINFO, szDestFileName) == 524);
static_assert(sizeof(EXTRACTINGINFOEX) == 1074);
static_assert(offsetof(EXTRACTINGINFOEX, dwCompressedSize) == 1040);
static_assert(offsetof(EXTRACTINGINFOEX, wDate) == 1054);
static_assert(offsetof(EXTRACTINGINFOEX, szAttribute) == 1058);
static_assert(offsetof(EXTRACTINGINFOEX, szMode) == 1066);

// Some callers hand a 560-byte block for a record; receivers allocate that much.
inline constexpr std::size_t kIndividualInfoAlloc = 560;

// Result codes of the command function and of FindFirst/FindNext.
enum : int {
    kErrorDiskSpace = 0x8005,
    kErrorUserSkip = 0x8007,
    kErrorUnknownType = 0x8008,
    kErrorMethod = 0x8009,
    kErrorPasswordFile = 0x800A,
    kErrorFileCrc = 0x800C,
    kErrorFileOpen = 0x800D,
    kErrorMakeDirectory = 0x8012,
    kErrorCannotWrite = 0x8013,
    kErrorHeaderBroken = 0x8017,
    kErrorArchiveOpen = 0x8018,
    kErrorNotArchive = 0x8019,
    kErrorCannotRead = 0x801A,
    kErrorCommandName = 0x801C,
    kErrorMemory = 0x801E,
    kErrorAlreadyRunning = 0x801F,
    kErrorUserCancel = 0x8020,
    kErrorHarcNotOpened = 0x8021,
    kErrorNotSearchMode = 0x8022,
    kErrorNotSupported = 0x8023,
    kErrorArchiveNotFound = 0x8029,
    kErrorBrokenData = 0x8048,
};

// Numbers asked of QueryFunctionList (not export ordinals).
enum : int {
    kFnCommand = 0,
    kFnGetVersion = 1,
    kFnGetRunning = 8,
    kFnCheckArchive = 16,
    kFnConfigDialog = 17,
    kFnGetFileCount = 18,
    kFnQueryFunctionList = 19,
    kFnOpenArchive = 23,
    kFnCloseArchive = 24,
    kFnFindFirst = 25,
    kFnFindNext = 26,
    kFnSetOwnerWindow = 31,
    kFnClearOwnerWindow = 32,
    kFnGetArcFileName = 40,
    kFnGetArcFileSize = 41,
    kFnGetFileName = 57,
    kFnGetOriginalSize = 58,
    kFnGetCompressedSize = 59,
    kFnGetRatio = 60,
    kFnGetDate = 61,
    kFnGetTime = 62,
    kFnGetCrc = 63,
    kFnGetAttribute = 64,
    kFnGetOsType = 65,
    kFnGetMethod = 66,
    kFnGetWriteTime = 67,
    kFnGetWriteTimeEx = 70,
    kFnGetOriginalSizeEx = 85,
};

// CheckArchive modes and OpenArchive's usual mode (use drive letter, check all paths... as callers pass it).
enum : int { kCheckRapid = 0, kCheckBasic = 1, kCheckFull = 2 };
inline constexpr DWORD kOpenModeList = 4098;

// The registered message a library sends its owner window while extracting;
// wParam is one of these states, lParam an EXTRACTINGINFOEX.
inline constexpr char kExtractMessageName[] = "wm_arcextract";
enum : WPARAM { kExtractBegin = 0, kExtractInProcess = 1, kExtractEnd = 2 };

using CommandFn = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);
using GetVersionFn = WORD(WINAPI*)();
using GetRunningFn = BOOL(WINAPI*)();
using CheckArchiveFn = BOOL(WINAPI*)(LPCSTR, int);
using GetFileCountFn = int(WINAPI*)(LPCSTR);
using QueryFunctionListFn = BOOL(WINAPI*)(int);
using OpenArchiveFn = HARC(WINAPI*)(HWND, LPCSTR, DWORD);
using CloseArchiveFn = int(WINAPI*)(HARC);
using FindFirstFn = int(WINAPI*)(HARC, LPCSTR, INDIVIDUALINFO*);
using FindNextFn = int(WINAPI*)(HARC, INDIVIDUALINFO*);
using SetOwnerWindowFn = BOOL(WINAPI*)(HWND);
using ClearOwnerWindowFn = BOOL(WINAPI*)();
// The current member's size in full, for members the record's 32-bit field cannot hold.
using GetOriginalSizeExFn = BOOL(WINAPI*)(HARC, LONGLONG*);

}  // namespace zq::arc
