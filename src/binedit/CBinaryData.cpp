#include "binedit/CBinaryData.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "binedit/BinaryFileRead.h"

namespace zq::binedit {

CBinaryData::CBinaryData(IFileSystem& fileSystem) : m_fs(fileSystem), m_search(fileSystem) {}

CBinaryData::~CBinaryData() = default;

bool CBinaryData::Fail(const wchar_t* call) {
    m_error = Win32Error{call, ::GetLastError()};
    return false;
}

bool CBinaryData::Open(const std::wstring& path) {
    m_error = {};
    UniqueFile file(m_fs.Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, 0));
    if (!file) return Fail(L"CreateFile");
    LONGLONG size = 0;
    if (!m_fs.Size(file.Get(), &size)) return Fail(L"GetFileSizeEx");
    m_file = std::move(file);
    m_path = path;
    m_size = size;
    m_filePointer = 0;
    if (!DiskStamp(m_written, m_diskSize)) m_diskSize = static_cast<std::uint64_t>(size);
    m_buckets.clear();
    m_undo.clear();
    m_redo.clear();
    m_search.Reset();
    InvalidateCache();
    m_cursor = 0;
    m_topRow = 0;
    ClearSelection();
    return true;
}

bool CBinaryData::IsSameFile(const std::wstring& path) const {
    return ::CompareStringOrdinal(m_path.c_str(), static_cast<int>(m_path.size()), path.c_str(),
                                  static_cast<int>(path.size()), TRUE) == CSTR_EQUAL;
}

void CBinaryData::InvalidateCache() noexcept {
    m_cacheStart = m_cacheEnd = 0;
}

std::size_t CBinaryData::ReadFileAt(std::int64_t offset, std::size_t count, std::uint8_t* buffer) {
    if (!m_file) return 0;
    return binedit::ReadFileAt(m_fs, m_file.Get(), offset, count, buffer, m_filePointer);
}

bool CBinaryData::ReadWindow(std::int64_t position) {
    if (m_cache.empty()) m_cache.resize(kCacheBytes + 10);
    const std::int64_t start = std::max<std::int64_t>(0, position - kCacheBack);
    const std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(kCacheBytes, m_size - start));
    const std::size_t got = ReadFileAt(start, want, m_cache.data());
    m_cacheStart = start;
    m_cacheEnd = start + static_cast<std::int64_t>(got);
    return got > 0;
}

void CBinaryData::Overlay(std::int64_t offset, std::size_t count, std::uint8_t* buffer) const {
    const std::int64_t end = offset + static_cast<std::int64_t>(count);
    // Every chunk's 32 bytes are laid over the file's: unchanged bytes in a
    // chunk equal the file's, so copying the whole overlap is right.
    for (auto it = m_buckets.lower_bound(offset / kBucketBytes);
         it != m_buckets.end() && it->first * kBucketBytes < end; ++it) {
        for (const ChangeChunk& chunk : it->second) {
            const std::int64_t from = std::max(offset, chunk.base);
            const std::int64_t to = std::min(end, chunk.base + kChunkBytes);
            if (from < to)
                std::memcpy(buffer + (from - offset), chunk.data + (from - chunk.base),
                            static_cast<std::size_t>(to - from));
        }
    }
}

std::size_t CBinaryData::ReadBytes(std::int64_t offset, std::size_t count, std::uint8_t* buffer) {
    if (count == 0 || offset < 0 || offset >= m_size) return 0;
    count = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(count), m_size - offset));
    std::size_t done = 0;
    while (done < count) {
        const std::int64_t position = offset + static_cast<std::int64_t>(done);
        const std::size_t piece = std::min<std::size_t>(count - done, kCacheBack);
        if (position < m_cacheStart || position + static_cast<std::int64_t>(piece) > m_cacheEnd) {
            if (!ReadWindow(position)) break;
        }
        const std::size_t available =
            static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(piece), m_cacheEnd - position));
        if (available == 0) break;
        std::memcpy(buffer + done, m_cache.data() + (position - m_cacheStart), available);
        done += available;
    }
    Overlay(offset, done, buffer);
    return done;
}

bool CBinaryData::IsChanged(std::int64_t offset) const {
    if (offset < 0) return false;
    const auto bucket = m_buckets.find(offset / kBucketBytes);
    if (bucket == m_buckets.end()) return false;
    const std::int64_t base = offset - offset % kChunkBytes;
    for (const ChangeChunk& chunk : bucket->second)
        if (chunk.base == base) return (chunk.changed >> (offset - base) & 1U) != 0;
    return false;
}

CBinaryData::ChangeChunk* CBinaryData::FindOrMakeChunk(std::int64_t offset) {
    const std::int64_t base = offset - offset % kChunkBytes;
    Bucket& bucket = m_buckets[offset / kBucketBytes];
    for (ChangeChunk& chunk : bucket)
        if (chunk.base == base) return &chunk;
    ChangeChunk chunk;
    chunk.base = base;
    const std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(kChunkBytes, m_size - base));
    // The chunk starts from the file's own bytes, not the edited view: it is
    // the only chunk for these bytes.
    std::size_t got = 0;
    while (got < want) {
        const std::int64_t position = base + static_cast<std::int64_t>(got);
        if (position < m_cacheStart || position >= m_cacheEnd) {
            if (!ReadWindow(position)) break;
        }
        const std::size_t n = static_cast<std::size_t>(
            std::min<std::int64_t>(static_cast<std::int64_t>(want - got), m_cacheEnd - position));
        std::memcpy(chunk.data + got, m_cache.data() + (position - m_cacheStart), n);
        got += n;
    }
    if (got < want) {
        if (bucket.empty()) m_buckets.erase(offset / kBucketBytes);
        return nullptr;
    }
    bucket.push_back(chunk);
    return &bucket.back();
}

bool CBinaryData::WriteByte(std::int64_t offset, std::uint8_t value, WriteMode mode) {
    if (offset < 0 || offset >= m_size) return false;
    ChangeChunk* chunk = FindOrMakeChunk(offset);
    if (chunk == nullptr) return false;
    const int i = static_cast<int>(offset - chunk->base);
    std::uint8_t& byte = chunk->data[i];
    const std::uint8_t before = byte;
    const bool wasChanged = (chunk->changed >> i & 1U) != 0;
    switch (mode) {
        case WriteMode::Byte:
            byte = value;
            break;
        case WriteMode::HighNibble:
            byte = static_cast<std::uint8_t>((byte & 0x0F) | (value & 0xF0));
            break;
        case WriteMode::LowNibble:
            byte = static_cast<std::uint8_t>((byte & 0xF0) | (value & 0x0F));
            break;
    }
    chunk->changed |= 1u << i;
    if (!m_replaying) {
        if (m_newStep || m_undo.empty()) {
            m_undo.emplace_back();
            m_newStep = false;
        }
        m_undo.back().push_back({offset, before, byte, wasChanged});
        m_redo.clear();
    }
    return true;
}

std::int64_t CBinaryData::WriteRun(std::int64_t offset, const std::uint8_t* data, std::size_t count, std::int64_t end) {
    end = std::min(end, m_size);
    std::int64_t written = 0;
    for (std::size_t i = 0; i < count && offset + static_cast<std::int64_t>(i) < end; ++i) {
        if (WriteByte(offset + static_cast<std::int64_t>(i), data[i], WriteMode::Byte)) ++written;
    }
    return written;
}

std::int64_t CBinaryData::WriteRepeat(std::int64_t offset, const std::uint8_t* data, std::size_t count,
                                      std::int64_t end) {
    if (count == 0) return 0;
    end = std::min(end, m_size);
    std::int64_t written = 0;
    for (std::int64_t at = offset; at < end; at += static_cast<std::int64_t>(count))
        written += WriteRun(at, data, count, end);
    return written;
}

std::vector<const CBinaryData::ChangeChunk*> CBinaryData::ChunksInOrder() const {
    std::vector<const ChangeChunk*> chunks;
    for (const auto& [index, bucket] : m_buckets) {
        const std::size_t first = chunks.size();
        for (const ChangeChunk& chunk : bucket) chunks.push_back(&chunk);
        std::sort(chunks.begin() + static_cast<std::ptrdiff_t>(first), chunks.end(),
                  [](const ChangeChunk* a, const ChangeChunk* b) { return a->base < b->base; });
    }
    return chunks;
}

bool CBinaryData::Save() {
    m_error = {};
    // A read-only file is refused here, not left to the open: an account that
    // may write anything (as under Wine for root) would write over it.
    const DWORD attributes = m_fs.Attributes(m_path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return Fail(L"CreateFile");
    }
    UniqueFile file(m_fs.Open(m_path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING, 0));
    if (!file) return Fail(L"CreateFile");
    // Each chunk goes back whole, 32 bytes (cut at the file end): its bytes
    // that were not written are the file's as they stood when the chunk was
    // made.  The record is emptied only after every chunk is on the disk, so
    // that a failed save leaves nothing out of a second one.
    for (const ChangeChunk* chunk : ChunksInOrder()) {
        const DWORD count = static_cast<DWORD>(std::min<std::int64_t>(kChunkBytes, m_size - chunk->base));
        if (!m_fs.Seek(file.Get(), chunk->base)) return Fail(L"SetFilePointerEx");
        DWORD written = 0;
        if (!m_fs.Write(file.Get(), chunk->data, count, &written)) return Fail(L"WriteFile");
        if (written != count) {
            ::SetLastError(ERROR_DISK_FULL);
            return Fail(L"WriteFile");
        }
    }
    if (!::FlushFileBuffers(file.Get())) return Fail(L"FlushFileBuffers");
    file.Reset();
    m_buckets.clear();
    m_undo.clear();
    m_redo.clear();
    (void)DiskStamp(m_written, m_diskSize);
    InvalidateCache();
    return true;
}

bool CBinaryData::DiskStamp(FILETIME& written, std::uint64_t& size) {
    WIN32_FIND_DATAW found{};
    UniqueFind find(m_fs.FindFirst(m_path, &found));
    if (!find) return false;
    written = found.ftLastWriteTime;
    size = static_cast<std::uint64_t>(found.nFileSizeHigh) << 32 | found.nFileSizeLow;
    return true;
}

bool CBinaryData::ChangedOnDisk() {
    FILETIME written{};
    std::uint64_t size = 0;
    if (!DiskStamp(written, size)) return false;
    return size != m_diskSize || ::CompareFileTime(&written, &m_written) != 0;
}

bool CBinaryData::WriteChangedPositions(const std::wstring& outputPath) {
    m_error = {};
    UniqueFile file(m_fs.Open(outputPath, GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL));
    if (!file) return Fail(L"CreateFile");
    std::wstring text =
        L"\xFEFF"
        L"ADDRESS    DATA\r\n";
    const auto flush = [&]() {
        DWORD written = 0;
        const DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        const bool ok = m_fs.Write(file.Get(), text.data(), bytes, &written) && written == bytes;
        text.clear();
        return ok;
    };
    wchar_t line[40];
    for (const ChangeChunk* chunk : ChunksInOrder()) {
        for (int i = 0; i < kChunkBytes; ++i) {
            if (!(chunk->changed & (1u << i))) continue;
            std::swprintf(line, std::size(line), L"%08llXH  %02X\r\n", static_cast<unsigned long long>(chunk->base + i),
                          chunk->data[i]);
            text += line;
        }
        if (text.size() >= 32768 && !flush()) return Fail(L"WriteFile");
    }
    if (!flush()) return Fail(L"WriteFile");
    return true;
}

}  // namespace zq::binedit
