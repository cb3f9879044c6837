#include "viewer/CViewDataThread.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "viewer/ViewerText.h"

namespace zq::viewer {

namespace {

constexpr std::int64_t kScratchSize = CViewDataThread::kBlockSize + 1;

bool Seek(HANDLE file, std::int64_t delta) {
    LARGE_INTEGER distance;
    distance.QuadPart = delta;
    return ::SetFilePointerEx(file, distance, nullptr, FILE_CURRENT) != FALSE;
}

}  // namespace

char* AllocTextBuffer(std::int64_t bytes) noexcept {
    HLOCAL block = ::LocalAlloc(LMEM_MOVEABLE, static_cast<SIZE_T>(bytes));
    if (!block) return nullptr;
    char* text = static_cast<char*>(::LocalLock(block));
    if (!text) ::LocalFree(block);
    return text;
}

char* ReallocTextBuffer(char* text, std::int64_t bytes) noexcept {
    HLOCAL block = ::LocalHandle(text);
    if (!block) return nullptr;
    ::LocalUnlock(block);
    HLOCAL grown = ::LocalReAlloc(block, static_cast<SIZE_T>(bytes), LMEM_MOVEABLE);
    // A failed reallocation leaves the old block as it was: lock it again.
    char* result = static_cast<char*>(::LocalLock(grown ? grown : block));
    return grown ? result : nullptr;
}

void FreeTextBuffer(char* text) noexcept {
    if (!text) return;
    HLOCAL block = ::LocalHandle(text);
    if (!block) return;
    ::LocalUnlock(block);
    ::LocalFree(block);
}

CViewDataThread::CViewDataThread(ViewerLoadState& state, HANDLE file, int tabWidth, int columns, bool unconverted)
    : m_state(state),
      m_file(file ? file : INVALID_HANDLE_VALUE),
      m_tabWidth(tabWidth),
      m_columns(columns),
      m_unconverted(unconverted) {}

CViewDataThread::~CViewDataThread() {
    Stop();
}

MarkResult CViewDataThread::TestMark() {
    if (!m_file) return DetectMark(reinterpret_cast<const std::uint8_t*>(m_state.text), m_state.textLength.load());
    // Each mark is read from where the file stands and the position is put
    // back whether it matched or not; a file that is only the mark has none.
    static constexpr int kLengths[] = {2, 3};
    for (int length : kLengths) {
        if (m_state.fileSize <= length) continue;
        // One byte more than the mark, so that the memory test applies as it is.
        std::uint8_t head[4] = {};
        DWORD got = 0;
        if (!::ReadFile(m_file.Get(), head, static_cast<DWORD>(length), &got, nullptr)) continue;
        Seek(m_file.Get(), -static_cast<std::int64_t>(got));
        const MarkResult mark = DetectMark(head, got + 1);
        if (got == static_cast<DWORD>(length) && mark.length == length) return mark;
    }
    return {};
}

void CViewDataThread::Stop() {
    m_done.store(1);
    Join();
}

bool CViewDataThread::Complete() const noexcept {
    return m_ended || m_bytesRead >= m_state.fileSize;
}

DWORD CViewDataThread::Run() {
    bool ok = true;
    while (!Done()) ok = LoadStep();
    m_file.Reset();
    return ok ? 0 : static_cast<DWORD>(-1);
}

bool CViewDataThread::GrowText(std::int64_t blockSize) {
    if (m_state.capacityTarget > m_bytesRead + blockSize) return true;
    if (m_state.fileSize - m_state.capacityTarget < kGrowStep + 1)
        m_state.capacityTarget = m_state.fileSize;
    else
        m_state.capacityTarget += kGrowStep;
    if (!m_state.text) {
        SemaphoreHold hold(m_state.semaphore);
        // A file's text never grows beyond the file (conversion only ever
        // shrinks it), so the buffer is taken at its final size at once:
        // only the pages written are backed by memory, and no block is ever
        // copied to grow.  When so much cannot be had the buffer grows step
        // by step instead, and the load goes as far as memory allows.
        if (m_file) m_state.text = AllocTextBuffer(m_state.fileSize + 1000);
        if (!m_state.text) m_state.text = AllocTextBuffer(m_state.capacityTarget + 1000);
        return m_state.text != nullptr;
    }
    // Every reallocation of a large block copies it, and under Wine it costs
    // far more than the copy: growing a big file 300,000 bytes at a time made
    // loading quadratic.  The block is therefore reallocated only when the
    // target outgrows it, and then to twice its size, never beyond what the
    // whole file needs, so its final size is the same as step by step.
    const auto current = static_cast<std::int64_t>(::LocalSize(::LocalHandle(m_state.text)));
    if (m_state.capacityTarget + 1 <= current) return true;
    const std::int64_t bytes = std::max(m_state.capacityTarget + 1, std::min(2 * current, m_state.fileSize + 1));
    SemaphoreHold hold(m_state.semaphore);
    char* text = ReallocTextBuffer(m_state.text, bytes);
    if (!text) return false;
    m_state.text = text;
    return true;
}

bool CViewDataThread::EnsureLineCapacity() {
    const std::int32_t count = m_state.lineCount.load();
    if (count % kLineGrowth != 0 || (m_state.lines && m_state.lineCapacity >= count + kLineGrowth + 10)) return true;
    // For the reason given at GrowText, the index at least doubles when it grows.
    SemaphoreHold hold(m_state.semaphore);
    const std::int64_t entries = std::max<std::int64_t>(count + kLineGrowth + 10, 2 * m_state.lineCapacity);
    auto* lines = static_cast<std::int64_t*>(std::realloc(m_state.lines, static_cast<size_t>(entries) * 8));
    if (!lines) {
        m_state.lineCount.store(0);
        return false;
    }
    if (!m_state.lines) lines[0] = 0;
    m_state.lines = lines;
    m_state.lineCapacity = entries;
    return true;
}

void CViewDataThread::TrimLines() {
    // The index grew by doubling; once it is complete the unused part is
    // given back.  A shrinking reallocation may keep the block's size, so
    // the entries move to a block of their own size.
    const std::int64_t entries = static_cast<std::int64_t>(m_state.lineCount.load()) + 1;
    if (!m_state.lines || m_state.lineCapacity - entries < entries / 32 + kLineGrowth) return;
    auto* lines = static_cast<std::int64_t*>(std::malloc(static_cast<size_t>(entries) * 8));
    if (!lines) return;
    std::memcpy(lines, m_state.lines, static_cast<size_t>(entries) * 8);
    SemaphoreHold hold(m_state.semaphore);
    std::free(m_state.lines);
    m_state.lines = lines;
    m_state.lineCapacity = entries;
}

bool CViewDataThread::ConvertInPlace() {
    // The text was put in the buffer unconverted (an archive member).  Each
    // piece goes through the scratch block and is written back at the end of
    // what is converted so far, which never overtakes what is still to read.
    auto* text = reinterpret_cast<std::uint8_t*>(m_state.text);
    const std::int64_t oldLength = m_state.textLength.load();
    std::int64_t length = 0;
    for (std::int64_t offset = 0; offset < oldLength;) {
        std::int64_t piece = std::min(kBlockSize, oldLength - offset);
        std::memcpy(m_block.data(), text + offset, static_cast<size_t>(piece));
        if (m_code == kCharCodeUtf8 && offset + piece < oldLength) piece = Utf8CutLength(m_block.data(), piece);
        const std::uint8_t* in = m_block.data();
        std::int64_t inLength = piece;
        if (offset == 0 && (m_code == kCharCodeUnicode || m_code == kCharCodeUtf8)) {
            in += m_skip;
            inLength -= m_skip;
        }
        length += ConvertBlock(m_code, in, inLength, text + length, m_convert, m_wide, offset + piece >= oldLength);
        offset += piece;
    }
    m_state.textLength.store(length);
    m_skip = 0;
    m_unconverted = false;
    return true;
}

bool CViewDataThread::ReadBlock(std::int64_t blockSize, bool last, std::int64_t& consumed) {
    auto* end = reinterpret_cast<std::uint8_t*>(m_state.text) + m_state.textLength.load();
    // Shift_JIS too is read into the scratch block and copied from there:
    // under Wine a read straight into pages of the text buffer that were
    // never touched costs the system far more than the copy.
    DWORD got = 0;
    if (!::ReadFile(m_file.Get(), m_block.data(), static_cast<DWORD>(blockSize), &got, nullptr)) return false;
    consumed = got;
    // A file that shrank while it loads ends where its bytes end: what came
    // is indexed to its last line, and the loader stops instead of asking
    // for the missing bytes forever.
    if (got == 0 && blockSize > 0) {
        m_ended = true;
        return true;
    }
    if (m_code == kCharCodeSjis) {
        std::memcpy(end, m_block.data(), got);
        m_state.textLength.store(m_state.textLength.load() + got);
        return true;
    }
    std::int64_t length = got;
    if (m_code == kCharCodeUtf8 && !last) {
        // Ending the block just after a line break keeps every character whole.
        length = Utf8CutLength(m_block.data(), length);
        if (length < got && !Seek(m_file.Get(), length - got)) return false;
        consumed = length;
    }
    const std::uint8_t* in = m_block.data();
    if (m_code == kCharCodeUnicode || m_code == kCharCodeUtf8) {
        const std::int64_t skip = std::min<std::int64_t>(m_skip, length);
        in += skip;
        length -= skip;
    }
    m_skip = 0;
    const std::int64_t produced = ConvertBlock(m_code, in, length, end, m_convert, m_wide, last);
    m_state.textLength.store(m_state.textLength.load() + produced);
    return true;
}

bool CViewDataThread::IndexLines(bool last) {
    if (!EnsureLineCapacity()) return false;
    bool failed = false;
    const LineWalk walk{m_tabWidth, m_columns};
    m_scanPos = WalkLines(walk, reinterpret_cast<const std::uint8_t*>(m_state.text), m_state.textLength.load(),
                          m_scanPos, last, m_state.lineCount.load(), [&](std::int64_t end) {
                              const std::int32_t count = m_state.lineCount.load();
                              // The line count is 32-bit: a text of more lines shows its first ones.
                              if (count >= kMaxLines) {
                                  failed = true;
                                  return false;
                              }
                              m_state.lines[count + 1] = end;
                              m_state.lineCount.store(count + 1);
                              if (!EnsureLineCapacity()) {
                                  failed = true;
                                  return false;
                              }
                              return true;
                          });
    return !failed;
}

bool CViewDataThread::LoadStep() {
    const bool converting = m_code >= kCharCodeEuc && m_code <= kCharCodeUtf8;
    if ((converting || m_file) && m_block.empty()) {
        try {
            m_block.assign(static_cast<size_t>(kScratchSize), 0);
        } catch (...) {
            m_done.store(1);
            return false;
        }
    }
    const std::int64_t remaining = std::max<std::int64_t>(m_state.fileSize - m_bytesRead, 0);
    const std::int64_t blockSize = std::min(remaining, kBlockSize);
    if (!GrowText(blockSize)) {
        m_done.store(1);
        return false;
    }
    std::int64_t consumed = blockSize;
    if (!m_file) {
        if (m_unconverted && converting) ConvertInPlace();
        m_unconverted = false;
    } else if (!ReadBlock(blockSize, blockSize == remaining, consumed)) {
        m_done.store(1);
        return false;
    }
    m_bytesRead += consumed;
    const bool last = Complete();
    if (!IndexLines(last)) {
        m_done.store(1);
        return false;
    }
    if (last) {
        TrimLines();
        m_done.store(1);
    }
    return true;
}

}  // namespace zq::viewer
