#include "Command.h"

#include <cstring>
#include <string>

#include "ArchiveReader.h"
#include "MemberPath.h"
#include "archive/ArchiverApi.h"

namespace unbypass {

namespace {

using namespace zq::arc;

// Text for the caller's buffer, never past its end and always terminated.
class OutBuffer {
  public:
    OutBuffer(char* out, DWORD size) : m_out(out), m_size(out ? size : 0) {
        if (m_size) m_out[0] = '\0';
    }
    // Appends bytes; false when they did not all fit.
    bool Append(const char* data, size_t n, bool terminate = true) {
        const size_t room = m_size > m_used ? m_size - m_used - (terminate ? 1 : 0) : 0;
        const size_t take = n < room ? n : room;
        if (take) std::memcpy(m_out + m_used, data, take);
        m_used += take;
        if (terminate && m_size) m_out[m_used < m_size ? m_used : m_size - 1] = '\0';
        return take == n;
    }
    void Line(const std::string& text) {
        Append(text.data(), text.size());
        Append("\r\n", 2);
    }

  private:
    char* m_out;
    size_t m_size;
    size_t m_used = 0;
};

bool Selected(const CommandLine& command, const Member& member) {
    if (command.members.empty()) return true;
    for (const auto& pattern : command.members)
        if (MemberMatches(pattern, member.name)) return true;
    return false;
}

std::wstring WithSlash(std::wstring folder) {
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    return folder;
}

// Creates every folder level of `path` up to its last separator.
// A path at or past MAX_PATH in the \\?\ form, which the platform takes
// whole: a member just short of the limit still comes out, though its
// partial file (and a caller's staging folder) make the path longer.  The
// paths here are full and have backslashes only.
std::wstring OnDisk(const std::wstring& path) {
    if (path.size() < MAX_PATH || path.rfind(L"\\\\?\\", 0) == 0) return path;
    if (path.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + path.substr(2);
    if (path.size() > 2 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
    return path;
}

bool MakeFolders(const std::wstring& path) {
    size_t start = 3;  // past "C:\\"
    if (path.rfind(L"\\\\", 0) == 0) {
        // A UNC root ("\\\\server\\share\\") is there or not; it is never made.
        start = path.find_first_of(L"\\/", 2);
        if (start != std::wstring::npos) start = path.find_first_of(L"\\/", start + 1);
    }
    for (size_t i = path.find_first_of(L"\\/", start); i != std::wstring::npos; i = path.find_first_of(L"\\/", i + 1)) {
        const std::wstring part = path.substr(0, i);
        const DWORD attributes = ::GetFileAttributesW(OnDisk(part).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        if (!::CreateDirectoryW(OnDisk(part).c_str(), nullptr)) return false;
    }
    return true;
}

FILETIME FromUnixTime(std::int64_t seconds) {
    const ULONGLONG ticks = static_cast<ULONGLONG>(seconds + 11644473600LL) * 10000000ULL;
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

class Progress {
  public:
    explicit Progress(HWND owner) : m_owner(owner) {}
    // False when the owner asked to stop.
    bool Tell(WPARAM state, const std::string& archive, const std::string& dest, const Member* member, DWORD done) {
        if (!member) return TellProgress(m_owner, state, archive, {}, 0, 0);
        return TellProgress(m_owner, state, member->ansiName, dest, static_cast<DWORD>(member->size), done);
    }

  private:
    HWND m_owner;
};

int WriteMember(ArchiveReader& reader, const std::wstring& target, const Member& member) {
    if (!MakeFolders(target)) return kErrorMakeDirectory;
    // The data goes to a name of its own beside the target and takes the
    // target's name only once whole: a failed or cancelled member leaves no
    // partial file under its name, and a file already there stays as it was.
    const std::wstring partial = target + L".unbypass-part";
    const HANDLE file = ::CreateFileW(OnDisk(partial).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return kErrorFileOpen;
    bool written = true;
    int r = reader.ReadData([&](const char* data, size_t n) {
        DWORD done = 0;
        written = ::WriteFile(file, data, static_cast<DWORD>(n), &done, nullptr) && done == n;
        return written;
    });
    if (!written) r = kErrorCannotWrite;
    if (r == 0 && member.writeTime) {
        const FILETIME time = FromUnixTime(member.writeTime);
        ::SetFileTime(file, nullptr, nullptr, &time);
    }
    ::CloseHandle(file);
    if (r == 0 && !::MoveFileExW(OnDisk(partial).c_str(), OnDisk(target).c_str(), MOVEFILE_REPLACE_EXISTING))
        r = kErrorCannotWrite;
    if (r != 0) {
        ::DeleteFileW(OnDisk(partial).c_str());
        return r;
    }
    if (member.readOnly) ::SetFileAttributesW(OnDisk(target).c_str(), FILE_ATTRIBUTE_READONLY);
    return 0;
}

}  // namespace

bool TellProgress(HWND owner, WPARAM state, const std::string& source, const std::string& dest, DWORD size,
                  DWORD done) {
    if (!owner) return true;
    static const UINT message = ::RegisterWindowMessageA(kExtractMessageName);
    EXTRACTINGINFOEX info{};
    info.exinfo.dwFileSize = size;
    info.exinfo.dwWriteSize = done;
    lstrcpynA(info.exinfo.szSourceFileName, source.c_str(), sizeof info.exinfo.szSourceFileName);
    lstrcpynA(info.exinfo.szDestFileName, dest.c_str(), sizeof info.exinfo.szDestFileName);
    return ::SendMessageA(owner, message, state, reinterpret_cast<LPARAM>(&info)) == 0;
}

int RunCommand(const CommandLine& command, char* out, DWORD outSize, HWND owner) {
    OutBuffer buffer(out, outSize);
    if (command.kind == CommandKind::Change) return kErrorNotSupported;
    ArchiveReader reader;
    if (const int r = reader.Open(command.archive, command.password)) return r;
    std::wstring destination = command.destination;
    if (command.kind == CommandKind::Extract) {
        if (destination.empty()) {
            wchar_t current[MAX_PATH * 2];
            const DWORD n = ::GetCurrentDirectoryW(MAX_PATH * 2, current);
            destination.assign(current, n);
        }
        wchar_t full[MAX_PATH * 2];
        const DWORD n = ::GetFullPathNameW(destination.c_str(), MAX_PATH * 2, full, nullptr);
        if (n == 0 || n >= MAX_PATH * 2) return kErrorMakeDirectory;
        destination = WithSlash(std::wstring(full, n));
        if (!MakeFolders(destination)) return kErrorMakeDirectory;
    }
    Progress progress(command.kind == CommandKind::Extract ? owner : nullptr);
    const std::string ansiArchive = ToAnsi(command.archive);
    if (!progress.Tell(kExtractBegin, ansiArchive, {}, nullptr, 0)) return kErrorUserCancel;
    int result = 0;
    bool printed = false;
    for (;;) {
        Member member;
        const int next = reader.Next(member);
        if (next == 0) break;
        if (next != 1) return next;
        if (!Selected(command, member)) continue;
        switch (command.kind) {
            case CommandKind::List:
                buffer.Line(std::to_string(member.size) + "\t" + member.ansiName);
                break;
            case CommandKind::Test:
                if (const int r = reader.Verify()) return r;
                break;
            case CommandKind::Change:
                break;
            case CommandKind::Print:
                if (!member.isFile || printed) break;
                printed = true;
                // What does not fit is left out, and reading stops once the
                // buffer is full: a caller that shows the start of a big
                // member passes a buffer of the size it will show, and the
                // rest of the member is never decompressed.
                if (const int r =
                        reader.ReadData([&](const char* data, size_t n) { return buffer.Append(data, n, false); });
                    r != 0 && r != kErrorUserCancel)
                    return r;
                break;
            case CommandKind::Extract: {
                const std::wstring relative = SafeRelativePath(member.name, command.keepFolders);
                if (relative.empty()) {
                    // A name that climbs out of the destination is never written;
                    // the others still are, and the result tells the caller.
                    if (!member.isFolder || command.keepFolders) result = kErrorCannotWrite;
                    break;
                }
                const std::wstring target = destination + relative;
                if (member.isFolder) {
                    if (command.keepFolders && !MakeFolders(WithSlash(target))) return kErrorMakeDirectory;
                    break;
                }
                if (!member.isFile) break;
                const std::string ansiTarget = ToAnsi(target);
                if (!progress.Tell(kExtractInProcess, ansiArchive, ansiTarget, &member, 0)) return kErrorUserCancel;
                if (const int r = WriteMember(reader, target, member)) return r;
                buffer.Line(member.ansiName);
                if (!progress.Tell(kExtractInProcess, ansiArchive, ansiTarget, &member,
                                   static_cast<DWORD>(member.size)))
                    return kErrorUserCancel;
                break;
            }
        }
    }
    if (command.kind == CommandKind::Print && !printed) return kErrorFileOpen;
    progress.Tell(kExtractEnd, ansiArchive, {}, nullptr, 0);
    return result;
}

}  // namespace unbypass
