#include "fileops/FileCopier.h"

#include <cstring>
#include <cwchar>

#include "common/Paths.h"
#include "fileops/CopyText.h"
#include "fileops/SelectionSnapshot.h"

namespace zq::fileops {
namespace {

LONGLONG RoundUp(LONGLONG value, DWORD unit) {
    return (value + unit - 1) / unit * unit;
}

bool IsUncPath(const std::wstring& path) {
    return path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\';
}

constexpr wchar_t kTemporaryMark[] = L"~zq";
constexpr wchar_t kTemporaryExtension[] = L".tmp";
constexpr size_t kLongestName = 255;
constexpr DWORD kBlockingAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// Unique within the process for its life; the process id keeps two running
// copies of the program apart, and CREATE_NEW settles any remaining clash.
DWORD NextUnique() {
    static std::atomic<DWORD> counter{0};
    return (::GetCurrentProcessId() << 16) ^ counter.fetch_add(1);
}

}  // namespace

FileCopier::FileCopier(IFileSystem& fs, IClock& clock) : m_fs(fs), m_clock(clock) {
    // Page-aligned, which satisfies every sector size an unbuffered write needs.
    m_buffer = static_cast<BYTE*>(::VirtualAlloc(nullptr, kChunkSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
}

FileCopier::~FileCopier() {
    CloseHandles();
    if (m_buffer != nullptr) ::VirtualFree(m_buffer, 0, MEM_RELEASE);
    if (m_verifyBuffer != nullptr) ::VirtualFree(m_verifyBuffer, 0, MEM_RELEASE);
}

void FileCopier::SetVerify(bool on) {
    m_verify = on;
    if (on && m_verifyBuffer == nullptr)
        m_verifyBuffer =
            static_cast<BYTE*>(::VirtualAlloc(nullptr, kChunkSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
}

std::wstring FileCopier::TemporaryPath(const std::wstring& destinationPath, DWORD unique) {
    const size_t slash = destinationPath.rfind(L'\\');
    const std::wstring directory = slash == std::wstring::npos ? std::wstring() : destinationPath.substr(0, slash + 1);
    const std::wstring name = slash == std::wstring::npos ? destinationPath : destinationPath.substr(slash + 1);
    wchar_t digits[16] = {};
    swprintf(digits, 16, L"%08X", static_cast<unsigned>(unique));
    // The destination's own name first, so that a file left by a killed
    // process says what it was meant to become.
    std::wstring longForm = name + L"." + kTemporaryMark + digits + kTemporaryExtension;
    if (longForm.size() <= kLongestName && directory.size() + longForm.size() < MAX_PATH) return directory + longForm;
    return directory + kTemporaryMark + digits + kTemporaryExtension;
}

bool FileCopier::IsTemporaryName(std::wstring_view name) {
    constexpr size_t kTail = 3 + 8 + 4;  // "~zq", the digits, ".tmp"
    if (name.size() < kTail) return false;
    const std::wstring_view tail = name.substr(name.size() - kTail);
    if (tail.substr(0, 3) != kTemporaryMark || tail.substr(11) != kTemporaryExtension) return false;
    for (wchar_t c : tail.substr(3, 8))
        if (!((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F'))) return false;
    // The short form stands alone; the long form follows the destination's name and a dot.
    return name.size() == kTail || (name.size() > kTail + 1 && name[name.size() - kTail - 1] == L'.');
}

int FileCopier::RemoveStaleTemporaries(IFileSystem& fs, const std::wstring& directory, const FILETIME& now) {
    constexpr ULONGLONG kStaleAfter = 60ULL * 10'000'000;  // one minute in FILETIME units
    const auto ticks = [](const FILETIME& t) { return (ULONGLONG{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
    WIN32_FIND_DATAW data{};
    UniqueFind find(fs.FindFirst(JoinPath(directory, L"*~zq*.tmp"), &data));
    if (!find) return 0;
    int removed = 0;
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !IsTemporaryName(data.cFileName)) continue;
        if (ticks(now) < ticks(data.ftLastWriteTime) + kStaleAfter) continue;
        const std::wstring path = JoinPath(directory, data.cFileName);
        // Opened without sharing: fails while its copy still writes it.
        UniqueFile probe(fs.Open(path, GENERIC_READ | DELETE, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
        if (!probe) continue;
        probe.Reset();
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) continue;
        if (fs.Delete(path)) ++removed;
    } while (fs.FindNext(find.Get(), &data));
    return removed;
}

int FileCopier::FilePercent(LONGLONG done, LONGLONG size) {
    if (size <= 0) return 100;
    if (size <= 100) return static_cast<int>(done * 100 / size);
    return static_cast<int>(done / (size / 100));
}

void FileCopier::CloseHandles() {
    m_source.Reset();
    m_destination.Reset();
    m_truncateHandle.Reset();
}

FileCopier::Result FileCopier::Fail(const wchar_t* call, const std::wstring& path) {
    return FailWith(call, ::GetLastError(), path);
}

FileCopier::Result FileCopier::FailWith(const wchar_t* call, DWORD code, const std::wstring& path) {
    m_failure = Win32Error{call, code};
    m_failedPath = path;
    if (m_totals != nullptr) m_totals->bytesDone += static_cast<ULONGLONG>(m_fileSize);
    CloseHandles();
    // In place (the plain path) the partial file stays as far as it was
    // written; a temporary file is of no use to anyone.
    if (m_safeReplace) DiscardTarget();
    return Result::Failed;
}

void FileCopier::DiscardTarget() {
    if (m_writePath.empty()) return;
    CloseHandles();
    m_fs.SetAttributes(m_writePath, FILE_ATTRIBUTE_NORMAL);
    m_fs.Delete(m_writePath);
    m_writePath.clear();
}

bool FileCopier::OpenTarget(const std::wstring& destinationPath, DWORD flags) {
    if (!m_safeReplace) {
        m_writePath = destinationPath;
        m_destination.Reset(m_fs.Open(destinationPath, GENERIC_WRITE, FILE_SHARE_WRITE, CREATE_ALWAYS, flags));
        return m_destination.Valid();
    }
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::wstring path = TemporaryPath(destinationPath, NextUnique());
        m_destination.Reset(
            m_fs.Open(path, GENERIC_WRITE | (m_renameByHandle ? DELETE : 0), FILE_SHARE_WRITE, CREATE_NEW, flags));
        if (m_destination) {
            m_writePath = path;
            return true;
        }
        const DWORD code = ::GetLastError();
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) return false;
    }
    return false;
}

// The name was free when the job looked, and CREATE_NEW keeps it so: a file
// that appeared since is left alone.  The placeholder date goes on before the
// first byte, so that an interrupted file never carries a date of now.
bool FileCopier::OpenNewInPlace(const std::wstring& destinationPath, DWORD flags) {
    m_destination.Reset(m_fs.Open(destinationPath, GENERIC_WRITE, FILE_SHARE_WRITE, CREATE_NEW, flags));
    if (!m_destination) return false;
    m_writePath = destinationPath;
    ULARGE_INTEGER placeholder{};
    placeholder.QuadPart = kPlaceholderTime;
    const FILETIME date{placeholder.LowPart, placeholder.HighPart};
    if (m_fs.SetTimes(m_destination.Get(), nullptr, nullptr, &date)) return true;
    const DWORD code = ::GetLastError();
    DiscardTarget();
    ::SetLastError(code);
    return false;
}

// Reads the written file back and compares it with the source; false with the
// failure recorded when they differ or cannot be read.
bool FileCopier::SameAsSource(const std::wstring& destinationPath) {
    if (m_verifyBuffer == nullptr) {
        FailWith(L"Compare", ERROR_NOT_ENOUGH_MEMORY, destinationPath);
        return false;
    }
    UniqueFile written(m_fs.Open(m_writePath, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN));
    if (!written) {
        Fail(L"Compare", destinationPath);
        return false;
    }
    if (!m_fs.Seek(m_source.Get(), 0)) {
        Fail(L"Compare", destinationPath);
        return false;
    }
    LONGLONG done = 0;
    while (done < m_fileSize) {
        const LONGLONG left = m_fileSize - done;
        const DWORD want = left < static_cast<LONGLONG>(kChunkSize) ? static_cast<DWORD>(left) : kChunkSize;
        DWORD fromSource = 0, fromCopy = 0;
        if (!m_fs.Read(m_source.Get(), m_buffer, want, &fromSource) ||
            !m_fs.Read(written.Get(), m_verifyBuffer, want, &fromCopy)) {
            // Closed first: an open handle would keep the temporary file from
            // being deleted.
            const DWORD code = ::GetLastError();
            written.Reset();
            FailWith(L"Compare", code, destinationPath);
            return false;
        }
        if (fromSource != want || fromCopy != want || memcmp(m_buffer, m_verifyBuffer, want) != 0) {
            written.Reset();
            FailWith(L"Compare", 0, destinationPath);
            return false;
        }
        done += want;
    }
    return true;
}

// Gives the finished temporary file the real name in one rename.  Only a
// destination the job chose to replace is replaced: it keeps its attributes
// until then, and gets them back when the replacing rename fails.  Anything
// else must be a new name, so a file that appeared meanwhile stays.
bool FileCopier::Commit(const std::wstring& destinationPath) {
    const auto rename = [&](bool replace) {
        return m_renameByHandle ? m_fs.RenameOpen(m_destination.Get(), destinationPath, replace)
                                : m_fs.Rename(m_writePath, destinationPath, replace);
    };
    const DWORD existing = m_replaceExisting ? m_fs.Attributes(destinationPath) : INVALID_FILE_ATTRIBUTES;
    if (existing == INVALID_FILE_ATTRIBUTES) return rename(false);
    if (existing & FILE_ATTRIBUTE_DIRECTORY) {
        ::SetLastError(ERROR_ALREADY_EXISTS);
        return false;
    }
    if (existing & kBlockingAttributes) m_fs.SetAttributes(destinationPath, existing & ~kBlockingAttributes);
    if (rename(true)) return true;
    const DWORD code = ::GetLastError();
    if (existing & kBlockingAttributes) m_fs.SetAttributes(destinationPath, existing);
    ::SetLastError(code);
    return false;
}

bool FileCopier::ChooseUnbuffered(const std::wstring& destinationPath, LONGLONG size) {
    m_sectorSize = 0;
    if (!m_removableFast || size <= static_cast<LONGLONG>(kChunkSize) || IsUncPath(destinationPath)) return false;
    if (destinationPath.size() < 2 || destinationPath[1] != L':') return false;
    const std::wstring root = destinationPath.substr(0, 1) + L":\\";
    if (m_fs.DriveType(root) != DRIVE_REMOVABLE) return false;
    m_sectorSize = m_fs.BytesPerSector(root);
    return m_sectorSize != 0 && m_sectorSize <= kChunkSize;
}

bool FileCopier::FreeBytes(const std::wstring& directory, ULONGLONG needed, bool fresh, ULONGLONG* bytes) {
    const ULONGLONG now = m_clock.TickMs();
    if (!fresh && !m_freeDirectory.empty() && m_freeDirectory == directory && now - m_freeTick < 1000) {
        const ULONGLONG estimate = m_freeBytes > m_writtenSinceFree ? m_freeBytes - m_writtenSinceFree : 0;
        if (estimate >= needed) {
            *bytes = estimate;
            return true;
        }
    }
    if (!m_fs.FreeBytes(directory, bytes)) {
        m_freeDirectory.clear();
        return false;
    }
    m_freeDirectory = directory;
    m_freeBytes = *bytes;
    m_freeTick = now;
    m_writtenSinceFree = 0;
    return true;
}

void FileCopier::ShowPercent(int percent) {
    if (percent == m_lastPercent || m_progress == nullptr) return;
    m_lastPercent = percent;
    wchar_t text[16] = {};
    swprintf(text, 16, L"%d%%", percent);
    m_progress->SetText(ProgressField::FilePercent, text);
    m_progress->SetBar(percent);
}

void FileCopier::ShowOverall(ULONGLONG extra) {
    if (m_totals == nullptr || !m_totals->overallDisplay || m_progress == nullptr) return;
    const ULONGLONG done = m_totals->bytesDone + extra;
    m_progress->SetText(ProgressField::OverallBytes,
                        GroupDigits(done, 15) + L"/" + GroupDigits(m_totals->totalBytes, 15));
    m_progress->SetText(ProgressField::OverallFiles,
                        std::to_wstring(m_totals->filesDone) + L"/" + std::to_wstring(m_totals->totalFiles));
    wchar_t percent[32] = {};
    if (m_totals->totalBytes == 0) {
        swprintf(percent, 32, L"100.0%%");
    } else {
        swprintf(percent, 32, L"%3.1f%%",
                 static_cast<double>(done) * 100.0 / static_cast<double>(m_totals->totalBytes));
    }
    m_progress->SetText(ProgressField::OverallPercent, percent);
}

void FileCopier::ShowTimes() {
    if (m_progress == nullptr) return;
    const ULONGLONG now = m_clock.TickMs();
    if (m_totals != nullptr)
        m_progress->SetText(ProgressField::Elapsed, FormatDuration((now - m_totals->jobStartTick) / 1000));
    const ULONGLONG elapsedMs = m_elapsedBase + (now - m_fileStartTick);
    if (elapsedMs == 0 || m_timedBytes <= 0) return;
    const double bytesPerMs = static_cast<double>(m_timedBytes) / static_cast<double>(elapsedMs);
    if (bytesPerMs <= 0) return;
    m_progress->SetText(ProgressField::Speed, GroupDigits(static_cast<ULONGLONG>(bytesPerMs * 1000.0)));
    if (m_totals == nullptr) return;
    // Opening and closing cost time that the byte rate does not see; many small
    // files are dominated by it.
    const double averageOpenClose = (m_openCount ? static_cast<double>(m_openTime) / m_openCount : 0.0) +
                                    (m_closeCount ? static_cast<double>(m_closeTime) / m_closeCount : 0.0);
    const LONGLONG filesLeft = static_cast<LONGLONG>(m_totals->totalFiles) - m_totals->filesDone;
    const double overhead = averageOpenClose * static_cast<double>(filesLeft > 0 ? filesLeft : 0) / 1000.0;
    const double bytesLeft =
        static_cast<double>(m_totals->totalBytes) - static_cast<double>(m_fileDone + m_totals->bytesDone);
    double remaining = (bytesLeft > 0 ? bytesLeft : 0) / bytesPerMs / 1000.0 + overhead;
    m_progress->SetText(ProgressField::Remaining, FormatDuration(static_cast<LONGLONG>(remaining)));
    FILETIME nowFile{};
    SYSTEMTIME local = m_clock.LocalNow();
    ::SystemTimeToFileTime(&local, &nowFile);
    ULARGE_INTEGER end{};
    end.LowPart = nowFile.dwLowDateTime;
    end.HighPart = nowFile.dwHighDateTime;
    end.QuadPart += static_cast<ULONGLONG>(remaining) * 10000000ULL;
    nowFile.dwLowDateTime = end.LowPart;
    nowFile.dwHighDateTime = end.HighPart;
    SYSTEMTIME endLocal{};
    if (::FileTimeToSystemTime(&nowFile, &endLocal)) m_progress->SetText(ProgressField::EndTime, FormatClock(endLocal));
}

FileCopier::Result FileCopier::Copy(const std::wstring& sourceDirectory, const WIN32_FIND_DATAW& source,
                                    const std::wstring& destinationPath, const std::atomic<bool>& cancel) {
    m_failure = Win32Error{};
    m_failedPath.clear();
    m_writePath.clear();
    m_lastPercent = -1;
    m_fileDone = 0;
    m_fileSize = FindDataSize(source);
    m_unbuffered = false;
    m_inPlace = false;
    m_renameByHandle = false;
    m_chunk = kChunkSize;
    if (m_buffer == nullptr) {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return Fail(L"ReadFile", destinationPath);
    }
    const std::wstring sourcePath = sourceDirectory + L"\\" + source.cFileName;

    const ULONGLONG openStart = m_clock.TickMs();
    m_source.Reset(m_fs.Open(sourcePath, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN));
    if (!m_source) return Fail(L"CreateFile", sourcePath);
    if (!m_fs.Size(m_source.Get(), &m_fileSize)) return Fail(L"ReadFile", sourcePath);

    m_unbuffered = ChooseUnbuffered(destinationPath, m_fileSize);
    if (m_unbuffered) m_chunk = kChunkSize / m_sectorSize * m_sectorSize;
    m_inPlace = m_safeReplace && m_newInPlace && !m_replaceExisting && !m_unbuffered &&
                m_fileSize <= static_cast<LONGLONG>(m_chunk);
    // The rename goes through the handle that wrote the file, before it is
    // closed: under Wine a rename by name opens the file once more, three more
    // requests to the wine server per file.  The read-back of a verified copy
    // needs the file closed first, and the second handle of an unbuffered
    // copy shares no DELETE access, so those rename by name.
    m_renameByHandle = m_safeReplace && !m_inPlace && !m_unbuffered && !m_verify;
    // A temporary file is created writable: its attributes are the source's
    // only once it has its real name.
    const DWORD keptAttributes =
        source.dwFileAttributes & ~(FILE_ATTRIBUTE_DIRECTORY | (m_safeReplace ? FILE_ATTRIBUTE_READONLY : 0));
    const DWORD createFlags = m_unbuffered ? FILE_FLAG_NO_BUFFERING : (keptAttributes | FILE_FLAG_SEQUENTIAL_SCAN);
    if (m_inPlace) {
        if (!OpenNewInPlace(destinationPath, createFlags)) {
            const DWORD code = ::GetLastError();
            if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) return Fail(L"CreateFile", destinationPath);
            CloseHandles();
            return Result::Exists;
        }
    } else if (!OpenTarget(destinationPath, createFlags)) {
        return Fail(L"CreateFile", destinationPath);
    }
    const bool partialSector = m_unbuffered && m_fileSize % m_sectorSize != 0;
    if (m_unbuffered) {
        if (partialSector) {
            m_truncateHandle.Reset(
                m_fs.Open(m_writePath, GENERIC_WRITE, FILE_SHARE_WRITE, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
        }
        // Pre-sizing lets the drive allocate once instead of growing per chunk.
        if (!m_fs.Seek(m_destination.Get(), RoundUp(m_fileSize, m_sectorSize)))
            return Fail(L"SetFilePointer", destinationPath);
        if (!m_fs.SetEnd(m_destination.Get())) return Fail(L"SetEndOfFile", destinationPath);
        if (!m_fs.Seek(m_destination.Get(), 0)) return Fail(L"SetFilePointer", destinationPath);
    }
    m_openTime += m_clock.TickMs() - openStart;
    ++m_openCount;
    m_fileStartTick = m_clock.TickMs();

    while (m_fileDone < m_fileSize) {
        if (cancel.load()) {
            DiscardTarget();
            m_elapsedBase += m_clock.TickMs() - m_fileStartTick;
            return Result::Cancelled;
        }
        const LONGLONG left = m_fileSize - m_fileDone;
        const DWORD want = left < static_cast<LONGLONG>(m_chunk) ? static_cast<DWORD>(left) : m_chunk;
        DWORD got = 0;
        if (!m_fs.Read(m_source.Get(), m_buffer, want, &got)) return Fail(L"ReadFile", sourcePath);
        if (got == 0) {
            // The source became shorter than it was when opened.
            ::SetLastError(ERROR_HANDLE_EOF);
            return Fail(L"ReadFile", sourcePath);
        }
        const DWORD toWrite = m_unbuffered ? static_cast<DWORD>(RoundUp(got, m_sectorSize)) : got;
        DWORD written = 0;
        if (!m_fs.Write(m_destination.Get(), m_buffer, toWrite, &written)) return Fail(L"WriteFile", destinationPath);
        if (written != toWrite) {
            ::SetLastError(ERROR_DISK_FULL);
            return Fail(L"WriteFile", destinationPath);
        }
        m_fileDone += got;
        m_timedBytes += got;
        m_writtenSinceFree += toWrite;
        ShowOverall(static_cast<ULONGLONG>(m_fileDone));
        ShowPercent(FilePercent(m_fileDone, m_fileSize));
        if (m_fileDone < m_fileSize) ShowTimes();
    }

    HANDLE timesHandle = m_destination.Get();
    if (partialSector) {
        m_destination.Reset();
        if (!m_truncateHandle) {
            m_truncateHandle.Reset(
                m_fs.Open(m_writePath, GENERIC_WRITE, FILE_SHARE_WRITE, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
            if (!m_truncateHandle) return Fail(L"CreateFile", destinationPath);
        }
        if (!m_fs.Seek(m_truncateHandle.Get(), m_fileSize)) return Fail(L"SetFilePointer", destinationPath);
        if (!m_fs.SetEnd(m_truncateHandle.Get())) return Fail(L"SetEndOfFile", destinationPath);
        timesHandle = m_truncateHandle.Get();
    }
    if (m_safeReplace) {
        // What the file system says it holds, not what the writes said they
        // wrote, decides whether the old file may go.
        LONGLONG writtenSize = -1;
        if (!m_fs.Size(timesHandle, &writtenSize)) return Fail(L"WriteFile", destinationPath);
        if (writtenSize != m_fileSize) return FailWith(L"WriteFile", ERROR_WRITE_FAULT, destinationPath);
    }
    ShowPercent(100);
    const DWORD attributes = source.dwFileAttributes & ~FILE_ATTRIBUTE_DIRECTORY;
    if (m_safeReplace) {
        // Through the handle, in one call: the temporary file carries its
        // final attributes and times into the rename.
        m_fs.SetTimesAndAttributes(timesHandle, &source.ftCreationTime, &source.ftLastAccessTime,
                                   &source.ftLastWriteTime, attributes);
    } else {
        m_fs.SetAttributes(destinationPath, attributes);
        m_fs.SetTimes(timesHandle, &source.ftCreationTime, &source.ftLastAccessTime, &source.ftLastWriteTime);
    }
    if (m_renameByHandle) {
        if (!Commit(destinationPath)) return Fail(L"MoveFile", destinationPath);
        m_writePath.clear();
    }
    const ULONGLONG closeStart = m_clock.TickMs();
    const bool bothOpen = m_source.Valid() && (m_destination.Valid() || m_truncateHandle.Valid());
    m_destination.Reset();
    m_truncateHandle.Reset();
    if (m_verify && !SameAsSource(destinationPath)) return Result::Failed;
    m_source.Reset();
    if (m_safeReplace && !m_inPlace && !m_renameByHandle && !Commit(destinationPath))
        return Fail(L"MoveFile", destinationPath);
    m_writePath.clear();
    if (bothOpen) {
        m_closeTime += m_clock.TickMs() - closeStart;
        ++m_closeCount;
    }
    m_elapsedBase += m_clock.TickMs() - m_fileStartTick;
    m_fileStartTick = m_clock.TickMs();
    ShowTimes();
    if (m_totals != nullptr && m_totals->overallDisplay) m_totals->bytesDone += static_cast<ULONGLONG>(m_fileSize);
    return Result::Done;
}

}  // namespace zq::fileops
