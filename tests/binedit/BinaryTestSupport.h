#pragma once
// What the binary editor's tests share: a real file system that records each
// write's place and size and can fail one write, and files of known bytes.
#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "common/FileSystem.h"

namespace zq::binedit::test {

class RecordingFileSystem : public Win32FileSystem {
  public:
    std::vector<std::pair<LONGLONG, DWORD>> writes;
    std::vector<std::pair<LONGLONG, DWORD>> reads;  // place and size asked for
    int failingWrite = -1;                          // this write (counted from 0) fails, once

    bool Read(HANDLE file, void* buffer, DWORD bytes, DWORD* read) override {
        reads.emplace_back(m_positions[file], bytes);
        const bool ok = Win32FileSystem::Read(file, buffer, bytes, read);
        if (ok) m_positions[file] += *read;
        return ok;
    }

    bool Seek(HANDLE file, LONGLONG position) override {
        m_positions[file] = position;
        return Win32FileSystem::Seek(file, position);
    }
    bool Write(HANDLE file, const void* buffer, DWORD bytes, DWORD* written) override {
        if (static_cast<int>(writes.size()) == failingWrite) {
            failingWrite = -1;
            ::SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        writes.emplace_back(m_positions[file], bytes);
        m_positions[file] += bytes;
        return Win32FileSystem::Write(file, buffer, bytes, written);
    }

  private:
    std::map<HANDLE, LONGLONG> m_positions;
};

// Bytes below 0x80, so that a pattern with a high byte is only where a test puts it.
inline std::string LowBytes(size_t count) {
    std::string bytes(count, '\0');
    for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>((i * 7) % 0x80);
    return bytes;
}

inline std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (const int v : values) bytes.push_back(static_cast<char>(v));
    return bytes;
}

}  // namespace zq::binedit::test
