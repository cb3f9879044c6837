#pragma once
// The file-system calls of the copy and delete engines, behind one interface so
// that tests can inject what a real disk rarely does on demand: read and write
// errors, a full disk, a vanishing source, a locked destination, a removable
// drive with its sector size.  Every failing call leaves GetLastError() set, as
// the Win32 call it stands for does.
//
// Every path goes to the platform through PlatformPath: a bare drive means its
// root, never the process's current directory there, and a file named like a
// device ("nul.txt", "aux") is reached as the file it is on the disk.
#include <windows.h>

#include <string>

namespace zq {

class IFileSystem {
  public:
    virtual ~IFileSystem() = default;

    // CreateFileW with no security attributes and no template.
    virtual HANDLE Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) = 0;
    virtual bool Read(HANDLE file, void* buffer, DWORD bytes, DWORD* read) = 0;
    virtual bool Write(HANDLE file, const void* buffer, DWORD bytes, DWORD* written) = 0;
    // Moves the file pointer to an absolute position.
    virtual bool Seek(HANDLE file, LONGLONG position) = 0;
    virtual bool SetEnd(HANDLE file) = 0;
    virtual bool Size(HANDLE file, LONGLONG* size) = 0;
    virtual bool SetTimes(HANDLE file, const FILETIME* creation, const FILETIME* access, const FILETIME* write) = 0;
    virtual bool SetAttributes(const std::wstring& path, DWORD attributes) = 0;
    virtual DWORD Attributes(const std::wstring& path) = 0;
    virtual bool Delete(const std::wstring& path) = 0;
    virtual bool Move(const std::wstring& from, const std::wstring& to) = 0;
    virtual bool MakeDirectory(const std::wstring& path) = 0;
    virtual bool RemoveDirectory(const std::wstring& path) = 0;
    virtual HANDLE FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW* data) = 0;
    virtual bool FindNext(HANDLE find, WIN32_FIND_DATAW* data) = 0;
    // GetDriveTypeW of a root such as "E:\".
    virtual UINT DriveType(const std::wstring& root) = 0;
    // Bytes per sector of a root; 0 when it cannot be read.
    virtual DWORD BytesPerSector(const std::wstring& root) = 0;
    // Bytes free to the caller on the volume of a directory; false when unknown.
    virtual bool FreeBytes(const std::wstring& directory, ULONGLONG* bytes) = 0;
    // The root of the volume that holds a path ("C:\", "\\server\share\").
    virtual std::wstring VolumeRoot(const std::wstring& path) = 0;

    // The path of an existing file or directory as the platform finally
    // reaches it, every link on the way resolved; empty when it cannot be had.
    virtual std::wstring FinalPath(const std::wstring& path) = 0;

    // MoveFileExW within one volume in one step; with replaceExisting an
    // existing file at to is replaced (never left half-way), without it the
    // call fails when to exists.
    virtual bool Rename(const std::wstring& from, const std::wstring& to, bool replaceExisting) = 0;
    // The same rename of a file this process holds open (with DELETE access),
    // through its handle: no second open of it by name.
    virtual bool RenameOpen(HANDLE file, const std::wstring& to, bool replaceExisting) = 0;
    // Attributes, times and size of a path in one call that opens nothing
    // (GetFileAttributesExW), as a find record named by the path's last part;
    // false when there is nothing there.
    virtual bool FindData(const std::wstring& path, WIN32_FIND_DATAW* data) = 0;
    // The three times and the attribute word of an open file in one call
    // (SetFileInformationByHandle); attributes 0 leaves them as they are.
    virtual bool SetTimesAndAttributes(HANDLE file, const FILETIME* creation, const FILETIME* access,
                                       const FILETIME* write, DWORD attributes) = 0;
};

// The real calls.
class Win32FileSystem : public IFileSystem {
  public:
    HANDLE Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) override;
    bool Read(HANDLE file, void* buffer, DWORD bytes, DWORD* read) override;
    bool Write(HANDLE file, const void* buffer, DWORD bytes, DWORD* written) override;
    bool Seek(HANDLE file, LONGLONG position) override;
    bool SetEnd(HANDLE file) override;
    bool Size(HANDLE file, LONGLONG* size) override;
    bool SetTimes(HANDLE file, const FILETIME* creation, const FILETIME* access, const FILETIME* write) override;
    bool SetAttributes(const std::wstring& path, DWORD attributes) override;
    DWORD Attributes(const std::wstring& path) override;
    bool Delete(const std::wstring& path) override;
    bool Move(const std::wstring& from, const std::wstring& to) override;
    bool MakeDirectory(const std::wstring& path) override;
    bool RemoveDirectory(const std::wstring& path) override;
    HANDLE FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW* data) override;
    bool FindNext(HANDLE find, WIN32_FIND_DATAW* data) override;
    UINT DriveType(const std::wstring& root) override;
    DWORD BytesPerSector(const std::wstring& root) override;
    bool FreeBytes(const std::wstring& directory, ULONGLONG* bytes) override;
    std::wstring VolumeRoot(const std::wstring& path) override;

    std::wstring FinalPath(const std::wstring& path) override;

    bool Rename(const std::wstring& from, const std::wstring& to, bool replaceExisting) override;
    bool RenameOpen(HANDLE file, const std::wstring& to, bool replaceExisting) override;
    bool FindData(const std::wstring& path, WIN32_FIND_DATAW* data) override;
    bool SetTimesAndAttributes(HANDLE file, const FILETIME* creation, const FILETIME* access, const FILETIME* write,
                               DWORD attributes) override;
};

// A process-wide real file system for callers that have no reason to fake one.
IFileSystem& RealFileSystem();

}  // namespace zq
