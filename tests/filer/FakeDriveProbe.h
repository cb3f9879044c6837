#pragma once
// Drives for the drive-list tests: letters, types and facts chosen by the
// test, and drives that hang until the test lets them answer.
#include <condition_variable>
#include <map>
#include <mutex>

#include "filer/DriveListFacts.h"

namespace zq::test {

class FakeDriveProbe final : public IDriveProbe {
  public:
    void Add(const StructDriveFacts& facts, bool answers = true) { m_drives[facts.letter] = {facts, answers}; }
    // ReadFacts of `letter` blocks until Release().
    void Hang(wchar_t letter) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_hanging[letter] = true;
    }
    void Release() {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_hanging.clear();
        m_released.notify_all();
    }

    uint32_t LogicalDrives() override {
        uint32_t mask = 0;
        for (const auto& [letter, drive] : m_drives) mask |= 1u << (letter - L'A');
        return mask;
    }
    unsigned DriveType(wchar_t letter) override { return m_drives.at(letter).facts.type; }
    bool ReadFacts(StructDriveFacts& facts) override {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_released.wait(lock, [&] { return !m_hanging[facts.letter]; });
        }
        const Drive& drive = m_drives.at(facts.letter);
        if (!drive.answers) return false;
        facts = drive.facts;
        return true;
    }

  private:
    struct Drive {
        StructDriveFacts facts;
        bool answers = true;
    };
    std::map<wchar_t, Drive> m_drives;
    std::mutex m_mutex;
    std::condition_variable m_released;
    std::map<wchar_t, bool> m_hanging;
};

inline StructDriveFacts Drive(wchar_t letter, unsigned type, std::wstring label = L"", uint64_t total = 0,
                              uint64_t freeBytes = 0) {
    StructDriveFacts facts;
    facts.letter = letter;
    facts.type = type;
    facts.label = std::move(label);
    facts.totalBytes = total;
    facts.freeBytes = freeBytes;
    return facts;
}

}  // namespace zq::test
