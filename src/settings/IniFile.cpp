#include "settings/IniFile.h"

#include <windows.h>

#include <climits>

#include "common/TextConv.h"

namespace zq {

namespace {

// A settings file is a few hundred kilobytes; anything beyond this is not one,
// and reading it whole would only exhaust memory.
constexpr unsigned long long kMaxFileBytes = 512ull * 1024 * 1024;
constexpr DWORD kReadChunk = 16u * 1024 * 1024;
constexpr size_t kFlushThreshold = 256 * 1024;

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// Next line of [pos, end): returns its end and moves pos past the break.
size_t LineEnd(const std::wstring& text, size_t pos, size_t end, size_t& next) {
    size_t cr = pos;
    while (cr < end && text[cr] != L'\r') ++cr;
    next = cr;
    if (next < end) {
        ++next;
        if (next < end && text[next] == L'\n') ++next;
    }
    return cr;
}

}  // namespace

std::wstring FormatColour(std::uint32_t colour) {
    static constexpr wchar_t kDigits[] = L"0123456789abcdef";
    std::wstring out(6, L'0');
    for (int i = 5; i >= 0; --i) {
        out[static_cast<size_t>(i)] = kDigits[colour & 0xF];
        colour >>= 4;
    }
    return out;
}

std::uint32_t ParseColour(std::wstring_view text, std::uint32_t fallback) {
    if (text.size() < 6) return fallback;
    std::uint32_t value = 0;
    for (size_t i = 0; i < 6; ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0) return fallback;
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return value;
}

int ParseInt(std::wstring_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || (text[i] >= L'\t' && text[i] <= L'\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;  // saturate like the C library does
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

IniFile::IniFile(std::wstring path, IniRetryPolicy retry) : m_path(std::move(path)), m_retry(std::move(retry)) {}

IniFile::~IniFile() {
    // A write that nobody finished must not replace the file.
    if (Writing()) AbandonWriting();
}

void IniFile::Clear() {
    m_cache = SectionCache{};
    m_firstSection.clear();
    m_sections.clear();
    m_text.clear();
    m_text.shrink_to_fit();
}

IniLoadResult IniFile::Load() {
    Clear();
    m_damaged = false;
    const DWORD attributes = ::GetFileAttributesW(m_path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME)
            return IniLoadResult::NoFile;
    } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        return IniLoadResult::Unreadable;
    }

    UniqueFile file;
    const int attempts = m_retry.attempts < 1 ? 1 : m_retry.attempts;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        file.Reset(::CreateFileW(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.Valid()) break;
        if (::GetLastError() == ERROR_FILE_NOT_FOUND) return IniLoadResult::NoFile;
        if (attempt + 1 < attempts) {
            if (m_retry.sleep)
                m_retry.sleep(m_retry.delayMs);
            else
                ::Sleep(m_retry.delayMs);
        }
    }
    if (!file.Valid()) return IniLoadResult::InUse;

    LARGE_INTEGER size{};
    // From here on the file exists and holds something: what cannot be read is damage.
    m_damaged = true;
    if (!::GetFileSizeEx(file.Get(), &size)) return IniLoadResult::Unreadable;
    if (size.QuadPart == 0) {
        m_damaged = false;
        return IniLoadResult::Empty;
    }
    if (size.QuadPart < 3 || static_cast<unsigned long long>(size.QuadPart) > kMaxFileBytes)
        return IniLoadResult::Unreadable;

    std::string bytes;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t filled = 0;
    while (filled < bytes.size()) {
        const size_t left = bytes.size() - filled;
        const DWORD want = left < kReadChunk ? static_cast<DWORD>(left) : kReadChunk;
        DWORD got = 0;
        if (!::ReadFile(file.Get(), bytes.data() + filled, want, &got, nullptr)) return IniLoadResult::Unreadable;
        if (got == 0) break;  // the file shrank while we read it
        filled += got;
    }
    bytes.resize(filled);
    if (filled < 3) return IniLoadResult::Unreadable;
    file.Reset();
    LoadBytes(bytes);
    return IniLoadResult::Loaded;
}

void IniFile::LoadBytes(std::string_view bytes) {
    Clear();
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        const size_t units = (bytes.size() - 2) / 2;  // an odd last byte is not a character
        m_text.resize(units);
        for (size_t i = 0; i < units; ++i) {
            const auto lo = static_cast<unsigned char>(bytes[2 + 2 * i]);
            const auto hi = static_cast<unsigned char>(bytes[3 + 2 * i]);
            m_text[i] = static_cast<wchar_t>(lo | (hi << 8));
        }
    } else {
        m_text = ToWide(bytes);
    }
    BuildIndex();
    // No text file of ours holds a NUL, and a settings file without a single
    // section is nothing the program wrote; UTF-16 without its mark shows as both.
    m_damaged = m_text.find(L'\0') != std::wstring::npos || (!m_text.empty() && m_sections.empty());
}

void IniFile::BuildIndex() {
    const size_t end = m_text.size();
    size_t pos = 0;
    while (pos < end) {
        size_t next = 0;
        const size_t lineEnd = LineEnd(m_text, pos, end, next);
        if (m_text[pos] == L'[') {
            if (!m_sections.empty())
                m_sections.back().length = static_cast<size_t>(m_text.data() + pos - m_sections.back().body);
            size_t close = pos + 1;
            while (close < lineEnd && m_text[close] != L']') ++close;
            StructIniData section;
            section.name.assign(m_text, pos + 1, close - pos - 1);
            section.body = m_text.data() + next;
            m_sections.push_back(std::move(section));
        }
        pos = next;
    }
    if (!m_sections.empty())
        m_sections.back().length = static_cast<size_t>(m_text.data() + end - m_sections.back().body);
    // Built after the vector stops growing: the keys are views of the names.
    for (size_t i = 0; i < m_sections.size(); ++i)
        m_firstSection.try_emplace(std::wstring_view(m_sections[i].name), static_cast<int>(i));
}

int IniFile::FindSection(std::wstring_view section) const {
    const auto found = m_firstSection.find(section);
    return found == m_firstSection.end() ? -1 : found->second;
}

const IniFile::SectionCache* IniFile::CacheSection(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= m_sections.size()) return nullptr;
    if (m_cache.index == index) return &m_cache;
    m_cache = SectionCache{};
    const StructIniData& data = m_sections[static_cast<size_t>(index)];
    const size_t begin = static_cast<size_t>(data.body - m_text.data());
    const size_t end = begin + data.length;
    size_t pos = begin;
    while (pos < end) {
        size_t next = 0;
        const size_t lineEnd = LineEnd(m_text, pos, end, next);
        const std::wstring_view line(m_text.data() + pos, lineEnd - pos);
        const size_t equals = line.find(L'=');
        if (equals != std::wstring_view::npos) {
            const KeyLine keyLine{line.substr(0, equals), line.substr(equals + 1)};
            m_cache.lines.push_back(keyLine);
            m_cache.firstByKey.try_emplace(keyLine.key, keyLine.value);
        }
        pos = next;
    }
    m_cache.index = index;
    return &m_cache;
}

bool IniFile::Find(std::wstring_view section, std::wstring_view key, std::wstring_view& value) const {
    const SectionCache* cache = CacheSection(FindSection(section));
    if (!cache) return false;
    const auto found = cache->firstByKey.find(key);
    if (found == cache->firstByKey.end()) return false;
    value = found->second;
    return true;
}

std::wstring IniFile::GetString(std::wstring_view section, std::wstring_view key, std::wstring_view fallback,
                                size_t capacity) const {
    std::wstring_view value;
    if (!Find(section, key, value)) value = fallback;
    if (capacity > 0 && value.size() > capacity - 1) value = value.substr(0, capacity - 1);
    return std::wstring(value);
}

int IniFile::GetInt(std::wstring_view section, std::wstring_view key, int fallback) const {
    std::wstring_view value;
    if (!Find(section, key, value) || value.empty()) return fallback;
    return ParseInt(value);
}

std::uint32_t IniFile::GetColour(std::wstring_view section, std::wstring_view key, std::uint32_t fallback) const {
    std::wstring_view value;
    if (!Find(section, key, value)) return fallback;
    return ParseColour(value, fallback);
}

void IniFile::BindSection(std::wstring_view section, std::wstring_view fallback) {
    m_boundSection = section;
    m_boundDefault = fallback;
}

std::wstring IniFile::GetBoundString(std::wstring_view key, size_t capacity) const {
    return GetString(m_boundSection, key, m_boundDefault, capacity);
}

bool IniFile::EnumLine(size_t section, size_t line, std::wstring& sectionName, std::wstring& key,
                       std::wstring& value) const {
    const SectionCache* cache = CacheSection(section < m_sections.size() ? static_cast<int>(section) : -1);
    if (!cache || line >= cache->lines.size()) return false;
    sectionName = m_sections[section].name;
    key = cache->lines[line].key;
    value = cache->lines[line].value;
    return true;
}

std::wstring IniFile::TemporaryPathFor(const std::wstring& path) {
    return path + L".tmp";
}

bool IniFile::Fail(const wchar_t* call, DWORD code) {
    m_failedCall = call;
    m_failedCode = code;
    return false;
}

bool IniFile::OpenForWriting(const std::wstring& path) {
    if (Writing()) AbandonWriting();
    m_failedCall = L"";
    m_failedCode = 0;
    // Checked first so that a file that cannot be replaced costs no write, and
    // so that the answer does not depend on how the platform renames over it.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return Fail(L"CreateFile", ERROR_ACCESS_DENIED);
    m_target = path;
    m_temporary = TemporaryPathFor(path);
    m_out.Reset(
        ::CreateFileW(m_temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!m_out.Valid()) return Fail(L"CreateFile", ::GetLastError());
    m_writeFailed = false;
    m_bytesWritten = 0;
    m_sectionWritten = false;
    m_lastWrittenSection.clear();
    m_outBuffer.assign(1, L'\xFEFF');
    return true;
}

bool IniFile::WriteString(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
    if (!Writing()) return false;
    if (!m_sectionWritten || section != m_lastWrittenSection) {
        m_outBuffer += L'[';
        m_outBuffer += section;
        m_outBuffer += L"]\r\n";
        m_lastWrittenSection = section;
        m_sectionWritten = true;
    }
    m_outBuffer += key;
    m_outBuffer += L'=';
    m_outBuffer += value;
    m_outBuffer += L"\r\n";
    if (m_outBuffer.size() >= kFlushThreshold) return Flush();
    return !m_writeFailed;
}

bool IniFile::WriteInt(std::wstring_view section, std::wstring_view key, int value) {
    return WriteString(section, key, std::to_wstring(value));
}

bool IniFile::Flush() {
    if (m_outBuffer.empty() || !Writing() || m_writeFailed) {
        m_outBuffer.clear();
        return !m_writeFailed;
    }
    // The file is UTF-16LE whatever the host's byte order.
    std::string bytes(m_outBuffer.size() * 2, '\0');
    for (size_t i = 0; i < m_outBuffer.size(); ++i) {
        bytes[2 * i] = static_cast<char>(m_outBuffer[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>((m_outBuffer[i] >> 8) & 0xFF);
    }
    m_outBuffer.clear();
    DWORD written = 0;
    const auto size = static_cast<DWORD>(bytes.size());
    const BOOL ok = m_write ? m_write(m_out.Get(), bytes.data(), size, &written)
                            : ::WriteFile(m_out.Get(), bytes.data(), size, &written, nullptr);
    if (!ok) {
        m_writeFailed = true;
        Fail(L"WriteFile", ::GetLastError());
    } else if (written != size) {
        m_writeFailed = true;
        Fail(L"WriteFile", ERROR_DISK_FULL);
    }
    m_bytesWritten += written;
    return !m_writeFailed;
}

bool IniFile::CloseWriting() {
    if (!Writing()) return false;
    bool ok = Flush();
    if (ok && !::FlushFileBuffers(m_out.Get())) ok = Fail(L"FlushFileBuffers", ::GetLastError());
    // A disk that says it wrote what it did not is caught by the size on the disk.
    LARGE_INTEGER size{};
    if (ok && !::GetFileSizeEx(m_out.Get(), &size)) ok = Fail(L"GetFileSizeEx", ::GetLastError());
    if (ok && static_cast<unsigned long long>(size.QuadPart) != m_bytesWritten)
        ok = Fail(L"WriteFile", ERROR_DISK_FULL);
    m_out.Reset();
    if (ok && !::MoveFileExW(m_temporary.c_str(), m_target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ok = Fail(L"MoveFileEx", ::GetLastError());
    if (!ok) ::DeleteFileW(m_temporary.c_str());
    return ok;
}

void IniFile::AbandonWriting() {
    if (!Writing()) return;
    m_out.Reset();
    m_outBuffer.clear();
    ::DeleteFileW(m_temporary.c_str());
}

}  // namespace zq
