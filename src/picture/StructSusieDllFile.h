#pragma once
// One installed Susie plug-in, as the program keeps it for the whole run and
// stores it in zq.ini ("PLUGINFILE%d" of SUSIEDATA).
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zq {

// Plug-in kinds as the callers ask for them: a bit set.
enum SusieKinds : int { kSusieArchive = 1, kSusieImage = 2, kSusieAny = 3 };

// HIGHLOADSPI: 0 scan every plug-in at start, 1 scan only new ones, 2 trust the stored records.
enum class SusieLoadMode { Off = 0, NewOnly = 1, On = 2 };
[[nodiscard]] SusieLoadMode SusieLoadModeFrom(int highLoadSpi) noexcept;

struct StructSusieDllFile {
    char apiVersion[10] = {};    // GetPluginInfo 0, e.g. "00IN"
    wchar_t fileName[260] = {};  // in the Susie directory
    std::vector<std::wstring> patterns;
    int enabled = 1;
    wchar_t typeName[260] = {};  // GetPluginInfo 3

    // Shared by copies of the record: callers on the thumbnail thread and the
    // window thread take turns at one plug-in, and a plug-in that crashed or
    // answered garbage is left alone for the rest of the run.
    // A plug-in that never returns is found by the time its call began.
    struct Runtime {
        std::timed_mutex lock;
        std::atomic<bool> faulted{false};
        std::atomic<unsigned long long> callSince{0};  // GetTickCount64 at the call's start, 0 between calls
    };
    std::shared_ptr<Runtime> runtime = std::make_shared<Runtime>();

    // kSusieImage for "IN", kSusieArchive for "AM", 0 for anything else.
    [[nodiscard]] int Kind() const noexcept;
    // A ".spi": a 32-bit plug-in, served by the 32-bit helper.
    [[nodiscard]] bool Is32Bit() const noexcept;
    [[nodiscard]] std::wstring_view FileName() const noexcept { return fileName; }
    void SetFileName(std::wstring_view name);
    void SetTypeName(std::wstring_view name);
    // The patterns in one text, the separator between them.
    [[nodiscard]] std::wstring JoinedPatterns(wchar_t separator) const;
    // Adds "*.jpeg" when a pattern names "jpg" and none "jpeg", as plug-ins often forget.
    void CompleteJpeg();
};

// The value of a "PLUGINFILE%d" key, and back; a value that the mode cannot
// use gives nothing.
[[nodiscard]] std::wstring StoredPluginValue(const StructSusieDllFile& plugin, SusieLoadMode mode);
[[nodiscard]] std::optional<StructSusieDllFile> ParseStoredPlugin(std::wstring_view value, SusieLoadMode mode);

}  // namespace zq
