#pragma once
// The loader of one pane's text: reads the file in 64 KiB blocks, converts
// each into the internal form at the end of the pane's text buffer and indexes
// the display lines.  The first step runs on the thread that opens the text;
// the rest on this thread, until the done flag is set.  Created with
// auto-delete off: the pane stops it (Stop) and deletes it.
#include <windows.h>

#include <atomic>
#include <climits>
#include <cstdint>
#include <vector>

#include "common/Handle.h"
#include "ui/CWinThread.h"
#include "viewer/ViewerConvert.h"

namespace zq::viewer {

struct ViewerLoadState;

// Holds a semaphore for one short section.
class SemaphoreHold {
  public:
    explicit SemaphoreHold(HANDLE semaphore) noexcept : m_semaphore(semaphore) {
        if (m_semaphore) ::WaitForSingleObject(m_semaphore, INFINITE);
    }
    ~SemaphoreHold() {
        if (m_semaphore) ::ReleaseSemaphore(m_semaphore, 1, nullptr);
    }
    SemaphoreHold(const SemaphoreHold&) = delete;
    SemaphoreHold& operator=(const SemaphoreHold&) = delete;

  private:
    HANDLE m_semaphore;
};

// The text buffer is movable local memory kept locked; its handle is found
// again from the pointer when it grows or is freed.
[[nodiscard]] char* AllocTextBuffer(std::int64_t bytes) noexcept;
[[nodiscard]] char* ReallocTextBuffer(char* text, std::int64_t bytes) noexcept;  // null: failed, text kept
void FreeTextBuffer(char* text) noexcept;

class CViewDataThread : public ui::CWinThread {
  public:
    static constexpr std::int64_t kBlockSize = 0x10000;
    static constexpr std::int64_t kGrowStep = 300000;
    static constexpr std::int32_t kLineGrowth = 3000;
    static constexpr std::int32_t kMaxLines = INT32_MAX - 2 * kLineGrowth;

    // file: the open file (owned from here on), or none when the text is
    // already in the pane's buffer; `unconverted` says that text still has to
    // be converted in place.
    CViewDataThread(ViewerLoadState& state, HANDLE file, int tabWidth, int columns, bool unconverted);
    ~CViewDataThread() override;

    // The byte-order mark at the start of the file (from the current position,
    // which is kept) or of the text in memory.
    [[nodiscard]] MarkResult TestMark();
    void SetCode(ViewerCharCode code, int skip) noexcept {
        m_code = code;
        m_skip = skip;
    }

    // One block: grow, read, convert, index.  False when it failed (the done
    // flag is then set and what was indexed stays).
    bool LoadStep();
    // Sets the done flag and waits for the step in progress to end.
    void Stop();
    [[nodiscard]] bool Done() const noexcept { return m_done.load() != 0; }
    // Every byte of the file has gone through a step.
    [[nodiscard]] bool Complete() const noexcept;

  protected:
    DWORD Run() override;

  private:
    bool GrowText(std::int64_t blockSize);
    bool EnsureLineCapacity();
    bool ConvertInPlace();
    bool ReadBlock(std::int64_t blockSize, bool last, std::int64_t& consumed);
    bool IndexLines(bool last);
    void TrimLines();

    ViewerLoadState& m_state;
    UniqueFile m_file;
    int m_tabWidth;
    int m_columns;
    ViewerCharCode m_code = kCharCodeSjis;
    std::atomic<std::int32_t> m_done{0};
    int m_skip = 0;
    bool m_unconverted;
    bool m_ended = false;  // the file ended before its size said
    std::vector<std::uint8_t> m_block;
    std::vector<wchar_t> m_wide;
    ConvertState m_convert;
    std::int64_t m_bytesRead = 0;
    std::int64_t m_scanPos = 0;
};

}  // namespace zq::viewer
