#include "ArchiveSession.h"

#include <mutex>
#include <set>

#include "MemberPath.h"

namespace unbypass {

namespace {

std::mutex g_sessionsLock;
std::set<ArchiveSession*> g_sessions;

}  // namespace

ArchiveSession* ArchiveSession::Open(const std::wstring& path, const std::string& ansiPath) {
    auto* session = new ArchiveSession;
    session->m_path = path;
    session->m_ansiPath = ansiPath;
    if (ReadMembers(path, session->m_members, &session->m_method) != 0) {
        delete session;
        return nullptr;
    }
    std::lock_guard lock(g_sessionsLock);
    g_sessions.insert(session);
    return session;
}

ArchiveSession* ArchiveSession::Find(zq::arc::HARC handle) {
    std::lock_guard lock(g_sessionsLock);
    const auto it = g_sessions.find(static_cast<ArchiveSession*>(handle));
    return it == g_sessions.end() ? nullptr : *it;
}

int ArchiveSession::Close(zq::arc::HARC handle) {
    ArchiveSession* session = nullptr;
    {
        std::lock_guard lock(g_sessionsLock);
        const auto it = g_sessions.find(static_cast<ArchiveSession*>(handle));
        if (it == g_sessions.end()) return -1;
        session = *it;
        g_sessions.erase(it);
    }
    delete session;
    return 0;
}

int ArchiveSession::FindFirst(const std::wstring& pattern, zq::arc::INDIVIDUALINFO* info) {
    m_pattern = pattern;
    m_next = 0;
    m_current = static_cast<size_t>(-1);
    return Advance(info);
}

int ArchiveSession::FindNext(zq::arc::INDIVIDUALINFO* info) {
    if (m_next == 0 && m_current == static_cast<size_t>(-1)) return zq::arc::kErrorNotSearchMode;
    return Advance(info);
}

int ArchiveSession::Advance(zq::arc::INDIVIDUALINFO* info) {
    while (m_next < m_members.size()) {
        const size_t i = m_next++;
        if (!MemberMatches(m_pattern, m_members[i].name)) continue;
        m_current = i;
        if (info) FillInfo(m_members[i], m_method, *info);
        return 0;
    }
    m_current = static_cast<size_t>(-1);
    m_next = m_members.size() + 1;  // the search stays ended until the next FindFirst
    return -1;
}

const Member* ArchiveSession::Current() const {
    return m_current < m_members.size() ? &m_members[m_current] : nullptr;
}

void DosDateTime(std::int64_t unixTime, WORD& date, WORD& time) {
    date = time = 0;
    const ULONGLONG ticks = static_cast<ULONGLONG>(unixTime + 11644473600LL) * 10000000ULL;
    const FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    FILETIME local;
    if (::FileTimeToLocalFileTime(&utc, &local)) ::FileTimeToDosDateTime(&local, &date, &time);
}

int MemberAttributes(const Member& member) {
    if (member.isFolder) return FILE_ATTRIBUTE_DIRECTORY;
    return FILE_ATTRIBUTE_ARCHIVE | (member.readOnly ? FILE_ATTRIBUTE_READONLY : 0);
}

void FillInfo(const Member& member, const std::string& method, zq::arc::INDIVIDUALINFO& info) {
    info = zq::arc::INDIVIDUALINFO{};
    info.dwOriginalSize = member.size > 0xFFFFFFFFULL ? 0xFFFFFFFFUL : static_cast<DWORD>(member.size);
    DosDateTime(member.writeTime, info.wDate, info.wTime);
    lstrcpynA(info.szFileName, member.ansiName.c_str(), sizeof info.szFileName);
    // Letters where the attribute is set, in the order R H S D A.
    const int attributes = MemberAttributes(member);
    const char* letters = "RHSDA";
    const int bits[] = {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM, FILE_ATTRIBUTE_DIRECTORY,
                        FILE_ATTRIBUTE_ARCHIVE};
    for (int i = 0; i < 5; ++i) info.szAttribute[i] = (attributes & bits[i]) ? letters[i] : '-';
    lstrcpynA(info.szMode, method.c_str(), sizeof info.szMode);
}

}  // namespace unbypass
