#pragma once
// Reads a byte range of a picture file into memory for the plug-ins that
// decode from memory, on a worker, while the loading dialog shows progress.
// The dialog hears the end as the command 3001 (read) or 3000 (the file
// cannot be opened, is shorter than offset + length, a read failed, or the
// dialog cancelled).
#include <windows.h>

#include <functional>
#include <string>

#include "common/Handle.h"
#include "ui/CJobThread.h"

namespace zq {

// Percent done, 0-100, after each read.
using LoadProgress = std::function<void(int percent)>;

// The engine of the thread: the range in a new zero-filled local-memory block
// of exactly length bytes, read 32000 bytes at a time; an empty handle on failure.
[[nodiscard]] UniqueLocal LoadFileRange(const std::wstring& path, ULONGLONG offset, size_t length,
                                        const LoadProgress& progress, const std::function<bool()>& cancelled);

class CLoadThread : public ui::CJobThread {
  public:
    CLoadThread(std::wstring path, ULONGLONG offset, size_t length, LoadProgress progress)
        : m_path(std::move(path)), m_offset(offset), m_length(length), m_progress(std::move(progress)) {}

    // After 3001: the data, handed over once.
    [[nodiscard]] UniqueLocal TakeData() noexcept { return std::move(m_data); }

  protected:
    bool Work() override;

  private:
    std::wstring m_path;
    ULONGLONG m_offset;
    size_t m_length;
    LoadProgress m_progress;
    UniqueLocal m_data;
};

}  // namespace zq
