#pragma once
// An open archive as callers hold it (HARC): the listing read at opening and
// the search position of FindFirst/FindNext.
#include <windows.h>

#include <string>
#include <vector>

#include "ArchiveReader.h"
#include "archive/ArchiverApi.h"

namespace unbypass {

class ArchiveSession {
  public:
    // Reads the listing; nullptr when the file cannot be listed.  The session
    // is registered so that Find() can tell a live handle from a stale one.
    static ArchiveSession* Open(const std::wstring& path, const std::string& ansiPath);
    // The session of a handle, or nullptr when it is not (or no longer) one of ours.
    static ArchiveSession* Find(zq::arc::HARC handle);
    // 0, or -1 for a handle that is not open.
    static int Close(zq::arc::HARC handle);

    int FindFirst(const std::wstring& pattern, zq::arc::INDIVIDUALINFO* info);
    int FindNext(zq::arc::INDIVIDUALINFO* info);

    // The member found last, or nullptr outside a search.
    [[nodiscard]] const Member* Current() const;
    [[nodiscard]] const std::string& AnsiPath() const { return m_ansiPath; }
    [[nodiscard]] const std::wstring& Path() const { return m_path; }
    [[nodiscard]] const std::string& Method() const { return m_method; }

  private:
    ArchiveSession() = default;
    int Advance(zq::arc::INDIVIDUALINFO* info);

    std::wstring m_path;
    std::string m_ansiPath;
    std::string m_method;
    std::vector<Member> m_members;
    std::wstring m_pattern;
    size_t m_next = 0;
    size_t m_current = static_cast<size_t>(-1);
};

// A member's DOS date and time in local time, as the records carry them.
void DosDateTime(std::int64_t unixTime, WORD& date, WORD& time);
// The attribute bits of the interface (1 read-only, 0x10 folder, 0x20 archive).
int MemberAttributes(const Member& member);
void FillInfo(const Member& member, const std::string& method, zq::arc::INDIVIDUALINFO& info);

}  // namespace unbypass
