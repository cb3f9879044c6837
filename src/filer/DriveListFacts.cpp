#include "filer/DriveListFacts.h"

#include <windows.h>
#include <shellapi.h>

#include <chrono>
#include <thread>

namespace zq {

namespace {

std::wstring RootOfLetter(wchar_t letter) {
    return std::wstring{letter, L':', L'\\'};
}

}  // namespace

uint32_t Win32DriveProbe::LogicalDrives() {
    return ::GetLogicalDrives();
}

unsigned Win32DriveProbe::DriveType(wchar_t letter) {
    return ::GetDriveTypeW(RootOfLetter(letter).c_str());
}

bool Win32DriveProbe::ReadFacts(StructDriveFacts& facts) {
    const std::wstring root = RootOfLetter(facts.letter);
    if (facts.type == DRIVE_REMOVABLE) {
        // The shell names a removable drive without reading its medium.
        SHFILEINFOW info{};
        if (::SHGetFileInfoW(root.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME))
            facts.displayName = info.szDisplayName;
        return true;
    }
    // A drive without a medium would ask the user to insert one.
    const UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS);
    wchar_t label[MAX_PATH + 1] = {};
    const bool answered =
        ::GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) != FALSE;
    ::SetErrorMode(oldMode);
    if (!answered) return false;
    facts.label = label;
    ULARGE_INTEGER freeToCaller{}, total{}, freeTotal{};
    if (::GetDiskFreeSpaceExW(root.c_str(), &freeToCaller, &total, &freeTotal)) {
        facts.totalBytes = total.QuadPart;
        facts.freeBytes = freeToCaller.QuadPart;
    }
    if (facts.type == DRIVE_REMOTE) {
        const wchar_t local[] = {facts.letter, L':', L'\0'};
        wchar_t remote[MAX_PATH * 2] = {};
        DWORD size = static_cast<DWORD>(std::size(remote));
        if (::WNetGetConnectionW(local, remote, &size) == NO_ERROR) facts.remoteName = remote;
    }
    return true;
}

// One Start's workers and what they found; shared with the workers, so that
// a reader that is gone or has started again leaves them nothing to break.
struct DriveFactsReader::Round {
    mutable std::mutex mutex;
    std::condition_variable arrived;
    std::vector<StructDriveFacts> facts;
    std::vector<bool> done;
    size_t outstanding = 0;
};

DriveFactsReader::DriveFactsReader(std::shared_ptr<IDriveProbe> probe) : m_probe(std::move(probe)) {}

DriveFactsReader::~DriveFactsReader() = default;

std::vector<StructDriveFacts> DriveFactsReader::Start() {
    auto round = std::make_shared<Round>();
    const uint32_t present = m_probe->LogicalDrives();
    for (int n = 0; n < 26; ++n) {
        if (!(present & (1u << n))) continue;
        StructDriveFacts facts;
        facts.letter = static_cast<wchar_t>(L'A' + n);
        facts.type = m_probe->DriveType(facts.letter);
        round->facts.push_back(facts);
    }
    round->done.assign(round->facts.size(), false);
    round->outstanding = round->facts.size();
    std::vector<StructDriveFacts> listed = round->facts;
    for (size_t i = 0; i < listed.size(); ++i) {
        // Detached: a drive that hangs for minutes must not hold up the window or the program's end.
        std::thread([round, probe = m_probe, i, facts = listed[i]]() mutable {
            facts.ready = probe->ReadFacts(facts);
            facts.known = true;
            const std::lock_guard<std::mutex> lock(round->mutex);
            round->facts[i] = std::move(facts);
            round->done[i] = true;
            --round->outstanding;
            round->arrived.notify_all();
        }).detach();
    }
    m_round = std::move(round);
    return listed;
}

bool DriveFactsReader::Wait(unsigned milliseconds) {
    if (!m_round) return true;
    std::unique_lock<std::mutex> lock(m_round->mutex);
    return m_round->arrived.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                     [this] { return m_round->outstanding == 0; });
}

bool DriveFactsReader::Collect(std::vector<StructDriveFacts>& drives) {
    if (!m_round) return false;
    const std::lock_guard<std::mutex> lock(m_round->mutex);
    bool changed = false;
    for (size_t i = 0; i < m_round->facts.size(); ++i) {
        if (!m_round->done[i]) continue;
        const StructDriveFacts& found = m_round->facts[i];
        for (StructDriveFacts& drive : drives) {
            if (drive.letter != found.letter || drive.known) continue;
            drive = found;
            changed = true;
        }
    }
    return changed;
}

bool DriveFactsReader::Outstanding() const {
    if (!m_round) return false;
    const std::lock_guard<std::mutex> lock(m_round->mutex);
    return m_round->outstanding > 0;
}

}  // namespace zq
