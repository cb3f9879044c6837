#pragma once
// zq's own reader/writer of zq.ini (not the platform's profile functions).
//
// Reading: the whole file is read once (UTF-16LE when it starts with FF FE,
// otherwise text in the system's ANSI code page), and indexed by section.  A
// line ends at CR (an LF right after it belongs to the break; a lone LF is an
// ordinary character).  "[" at the start of a line opens a section whose name
// runs to the first "]".  Other lines are "key=value" with no trimming and no
// comments; names compare exactly.  The first section of a name and the first
// line of a key win.  Lines are taken whole however long they are (there is no
// fixed line buffer to overrun); values are cut to the caller's capacity.
//
// Writing: UTF-16LE with the byte-order mark, CR LF lines, a "[section]" header
// whenever the section differs from the one written last.  The text goes to a
// temporary file beside the target ("zq.ini.tmp"), which replaces the target
// only when every byte was written, flushed and the size checked: a full disk,
// a killed process or a target that cannot be replaced leaves the old file as
// it was.
//
//     IniFile ini(path);
//     if (ini.Load() == IniLoadResult::InUse) …ask and retry…
//     int size = ini.GetInt(L"ALLDATA", L"STARTSIZE", 0);
//     std::wstring font = ini.GetString(L"ALLDATA", L"FONTNAME", L"ＭＳ 明朝", 100);
//
//     IniFile out;
//     if (out.OpenForWriting(path)) { out.WriteInt(L"ALLDATA", L"STARTSIZE", 2); out.CloseWriting(); }
//     // false from CloseWriting: out.FailedCall() and out.FailedCode() say why; the old file is intact.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <windows.h>

#include "common/Handle.h"

namespace zq {

// One section of the loaded text: its name and its body (every line after the
// header up to the next header, line breaks included), pointing into the text.
struct StructIniData {
    std::wstring name;
    const wchar_t* body = nullptr;
    size_t length = 0;
};

enum class IniLoadResult : int {
    Loaded = 1,
    InUse = 2,  // exists, but could not be opened for reading after every attempt
    NoFile = 3,
    Empty = 4,
    Unreadable = 5,  // a directory, a read error, or shorter than 3 bytes
};

// How long Load keeps trying a file that another process holds.  Tests pass a
// sleeper that only counts, so they do not wait.
struct IniRetryPolicy {
    int attempts = 20;
    unsigned delayMs = 100;
    std::function<void(unsigned)> sleep;  // empty: ::Sleep
};

// The one call that writes bytes to a file; tests pass one that fails or lies
// (a full disk) to see that the old file survives.
using IniWriteFunction = std::function<BOOL(HANDLE file, const void* data, DWORD bytes, DWORD* written)>;

// "%06x" of a Windows colour value (0x00BBGGRR), and its reverse: three pairs of
// hexadecimal digits of either case; shorter text or a bad digit gives fallback.
std::wstring FormatColour(std::uint32_t colour);
std::uint32_t ParseColour(std::wstring_view text, std::uint32_t fallback);
// The usual leading-blanks, sign and digits conversion; 0 when no number starts the text.
int ParseInt(std::wstring_view text);

class IniFile {
  public:
    explicit IniFile(std::wstring path = {}, IniRetryPolicy retry = {});
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    void SetPath(std::wstring path) { m_path = std::move(path); }
    [[nodiscard]] const std::wstring& Path() const noexcept { return m_path; }
    void SetRetryPolicy(IniRetryPolicy retry) { m_retry = std::move(retry); }

    // Drops what was loaded before, then reads the file at Path().
    [[nodiscard]] IniLoadResult Load();
    // Builds the text and the section index from the bytes of a file (BOM or ANSI).
    void LoadBytes(std::string_view bytes);
    void Clear();

    // The value of the first line of key in the first section of that name.
    [[nodiscard]] bool Find(std::wstring_view section, std::wstring_view key, std::wstring_view& value) const;
    // The default when the key is missing, the value (possibly empty) cut to capacity - 1 units otherwise.
    [[nodiscard]] std::wstring GetString(std::wstring_view section, std::wstring_view key, std::wstring_view fallback,
                                         size_t capacity) const;
    // The default when the key is missing or its value is empty.
    [[nodiscard]] int GetInt(std::wstring_view section, std::wstring_view key, int fallback) const;
    [[nodiscard]] std::uint32_t GetColour(std::wstring_view section, std::wstring_view key,
                                          std::uint32_t fallback) const;

    void BindSection(std::wstring_view section, std::wstring_view fallback);
    [[nodiscard]] std::wstring GetBoundString(std::wstring_view key, size_t capacity) const;

    [[nodiscard]] size_t SectionCount() const noexcept { return m_sections.size(); }
    [[nodiscard]] const StructIniData& Section(size_t index) const { return m_sections[index]; }
    // Index of the first section of that name, -1 when there is none.
    [[nodiscard]] int FindSection(std::wstring_view section) const;
    // The line-th key line ("key=value") of a section; false past the last one.
    [[nodiscard]] bool EnumLine(size_t section, size_t line, std::wstring& sectionName, std::wstring& key,
                                std::wstring& value) const;

    // The loaded file is not one this reader can make sense of (binary data,
    // UTF-16 without its byte-order mark, no section at all): saving over it
    // would lose whatever it held.
    [[nodiscard]] bool Damaged() const noexcept { return m_damaged; }

    // Starts writing the file at path: creates the temporary file beside it,
    // unshared, and writes the byte-order mark.  Fails when the target is a
    // folder or read-only, or the temporary file cannot be created.
    [[nodiscard]] bool OpenForWriting(const std::wstring& path);
    bool WriteString(std::wstring_view section, std::wstring_view key, std::wstring_view value);
    bool WriteInt(std::wstring_view section, std::wstring_view key, int value);
    // Flushes, checks the size and puts the new file in place of the old one;
    // false when any step failed, and then the old file is untouched.
    bool CloseWriting();
    // Drops what was written; the old file stays.  Also what the destructor does.
    void AbandonWriting();
    [[nodiscard]] bool Writing() const noexcept { return m_out.Valid(); }
    void SetWriteFunction(IniWriteFunction write) { m_write = std::move(write); }
    // Why the last OpenForWriting or CloseWriting failed: the platform call and its error code.
    [[nodiscard]] const wchar_t* FailedCall() const noexcept { return m_failedCall; }
    [[nodiscard]] DWORD FailedCode() const noexcept { return m_failedCode; }
    // The temporary name the text is written under before it replaces path.
    [[nodiscard]] static std::wstring TemporaryPathFor(const std::wstring& path);

  private:
    struct KeyLine {
        std::wstring_view key;
        std::wstring_view value;
    };
    // The last section looked up, with its key lines parsed once: the loader
    // reads many keys of one section in a row.
    struct SectionCache {
        int index = -1;
        std::vector<KeyLine> lines;
        std::unordered_map<std::wstring_view, std::wstring_view> firstByKey;
    };

    void BuildIndex();
    const SectionCache* CacheSection(int index) const;
    bool Flush();
    bool Fail(const wchar_t* call, DWORD code);

    std::wstring m_path;
    IniRetryPolicy m_retry;
    std::wstring m_boundSection;
    std::wstring m_boundDefault;

    std::wstring m_text;
    std::vector<StructIniData> m_sections;
    std::unordered_map<std::wstring_view, int> m_firstSection;
    mutable SectionCache m_cache;

    bool m_damaged = false;

    UniqueFile m_out;
    std::wstring m_target;
    std::wstring m_temporary;
    IniWriteFunction m_write;
    unsigned long long m_bytesWritten = 0;
    const wchar_t* m_failedCall = L"";
    DWORD m_failedCode = 0;
    std::wstring m_outBuffer;
    std::wstring m_lastWrittenSection;
    bool m_sectionWritten = false;
    bool m_writeFailed = false;
};

}  // namespace zq
