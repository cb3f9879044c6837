#pragma once
// How the operations (copy, delete, and those to come) talk to the outside:
// one asker for every question, one sink for progress, the clock and virtual
// drives.  The dialogs implement them for real; tests script them.
#include <windows.h>

#include <string>

namespace zq::fileops {

// The program's own question box: Yes is 1, No is 2.
inline constexpr int kAnswerYes = 1;
inline constexpr int kAnswerNo = 2;

struct SameNameChoice;
struct SameNameFile;

class IOperationAsker {
  public:
    virtual ~IOperationAsker() = default;
    // A yes/no question; answers kAnswerYes or kAnswerNo.
    virtual int AskYesNo(const std::wstring& text, const std::wstring& caption) = 0;
    // A message with an OK button only.
    virtual void Tell(const std::wstring& text) = 0;
    // What to do with a file whose name the destination holds already; file
    // is null for the compact form.  false: Cancel.
    virtual bool AskWay(SameNameChoice& choice, const SameNameFile* file) = 0;
    // The single-name rename dialog; false: Cancel.
    virtual bool AskNewName(const WIN32_FIND_DATAW& source, const std::wstring& destinationDirectory,
                            std::wstring& newName) = 0;
    // The confirmation box with "以後同設定": true for "YES(&Y)"; sameFromNow
    // comes in checked and goes out as the user left it.
    virtual bool AskSame(const std::wstring& caption, const std::wstring& text, bool& sameFromNow) = 0;
};

// The texts an operation dialog shows, one per field; a delete shows File only.
enum class ProgressField {
    File,            // "ファイル": the item's relative path
    Destination,     // the destination field (mode 5 shows each target here)
    FreeSpace,       // "空き容量"
    FilePercent,     // "%d%%"
    OverallBytes,    // "%s/%s"
    OverallFiles,    // "%ld/%ld"
    OverallPercent,  // "%3.1f%%"
    Speed,           // "コピー速度"
    Remaining,       // "残"
    EndTime,         // "終了"
    Elapsed,         // "経過"
    StartTime,       // the job's start, local
};

// Where an operation shows how far it is; a dialog without a bar or a
// running state leaves those out.
class IOperationProgress {
  public:
    virtual ~IOperationProgress() = default;
    virtual void SetText(ProgressField field, const std::wstring& text) = 0;
    virtual void SetBar(int /*percent*/) {}
    // The walk starts: options and OK/Cancel locked, abort enabled, minimised when asked.
    virtual void Running(bool /*minimize*/) {}
};

class IClock {
  public:
    virtual ~IClock() = default;
    virtual ULONGLONG TickMs() = 0;
    virtual SYSTEMTIME LocalNow() = 0;
};

class SystemClock : public IClock {
  public:
    ULONGLONG TickMs() override { return ::GetTickCount64(); }
    SYSTEMTIME LocalNow() override {
        SYSTEMTIME t{};
        ::GetLocalTime(&t);
        return t;
    }
};

// Virtual drives (lists of paths shown as a drive).  Engines only add and
// remove entries; the Filer owns the lists.
class IVirtualDrives {
  public:
    virtual ~IVirtualDrives() = default;
    // The path lies on a virtual drive.
    virtual bool IsVirtual(const std::wstring& path) = 0;
    // Adds a real file's path to the list of a virtual directory.
    virtual bool Add(const std::wstring& virtualDirectory, const std::wstring& realPath) = 0;
    // Makes a directory (and the missing ones above it) in a virtual drive's tree.
    virtual bool AddDirectory(const std::wstring& virtualPath) = 0;
    // Removes an entry (by its real directory and name) from a virtual
    // directory; a directory entry's real directory is the virtual directory itself.
    virtual bool Remove(const std::wstring& virtualDirectory, const std::wstring& realDirectory,
                        const std::wstring& name) = 0;
};

}  // namespace zq::fileops
