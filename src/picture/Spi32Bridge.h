#pragma once
// The program's side of the 32-bit plug-in helper (zqspi32.exe): starts it on
// the first call, hands it one request at a time and waits a limited time for
// the answer.  A helper that dies or does not answer in time is ended; that
// call fails, and the next one starts a new helper.
//
//     Spi32Bridge& bridge = Spi32Bridge::Shared();          // the helper beside zq.exe
//     UniqueLocal info, bits;
//     if (auto r = bridge.Picture(spi, kGetPicture, {ansiPath, 0}, 0, info, bits)) ... *r is GetPicture's result
//     else ... the helper failed: treat as a plug-in that faulted
//
// Calls may come from any thread; they take turns.
#include <windows.h>

#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Handle.h"
#include "picture/Spi32Protocol.h"
#include "picture/SusieApi.h"

namespace zq {

struct Spi32Limits {
    DWORD start = 20000;  // ms until a new helper says it is ready
    DWORD call = 60000;   // ms for one answer
};

class Spi32Bridge {
  public:
    using Limits = Spi32Limits;
    // Where the plug-in reads: a file (8-bit path and start offset) or memory.
    struct Input {
        std::string_view name;
        LONG_PTR offset = 0;
        const void* data = nullptr;
        size_t size = 0;
    };
    struct Acceptance {
        bool accepted = false;
        LONG_PTR offset = 0;  // into the head: 0 or 128
    };

    explicit Spi32Bridge(std::wstring helperPath, Limits limits = {});
    ~Spi32Bridge();
    Spi32Bridge(const Spi32Bridge&) = delete;
    Spi32Bridge& operator=(const Spi32Bridge&) = delete;

    // The helper beside the program, for the whole run.
    static Spi32Bridge& Shared();

    [[nodiscard]] bool Installed() const;

    // Every call: nullopt when the helper could not start, died or did not answer.
    // GetPluginInfo's texts from entry 0 on; empty when the library or the export is missing.
    [[nodiscard]] std::optional<std::vector<std::string>> PluginInfo(const std::wstring& plugin);
    // IsSupported with the file's handle and head (head holds spi32::kHeadBytes).
    [[nodiscard]] std::optional<Acceptance> IsSupported(const std::wstring& plugin, std::string_view name,
                                                        const char* head, bool memoryOnly);
    // GetPicture or GetPreview; the blocks are the plug-in's, copied, unchecked.  -1 for a missing export.
    [[nodiscard]] std::optional<int> Picture(const std::wstring& plugin, spi32::Entry entry, const Input& input,
                                             unsigned int flag, UniqueLocal& info, UniqueLocal& bits);
    [[nodiscard]] std::optional<int> PictureInfo(const std::wstring& plugin, const Input& input, unsigned int flag,
                                                 susie::PictureInfo& info);

    // Ends the call now running, from any thread: its helper is ended and
    // the call fails as a hang past the limit would.
    void GiveUp() noexcept { ::SetEvent(m_giveUp.Get()); }

    // Helpers started so far (the first, and one after each failure).
    [[nodiscard]] int Starts() const noexcept { return m_starts; }
    // The running helper's process, or null.
    [[nodiscard]] HANDLE Process() const noexcept { return m_process.Get(); }

  private:
    // A fresh request for the plug-in in the control block; null when no helper runs.
    [[nodiscard]] spi32::Control* Begin(spi32::Op op, const std::wstring& plugin);
    [[nodiscard]] bool PutInput(spi32::Control& control, const Input& input);
    [[nodiscard]] bool Exchange(DWORD limit);
    [[nodiscard]] bool Send();
    [[nodiscard]] bool Await(DWORD limit);
    [[nodiscard]] bool Start();
    void Stop(bool ask);

    std::mutex m_lock;
    std::wstring m_helper;
    Limits m_limits;
    std::wstring m_names;
    int m_starts = 0;
    uint32_t m_sequence = 0;
    uint32_t m_inputGeneration = 0;
    size_t m_recentBitsSizes[2] = {};  // the last two pictures', for the block made while the next decodes
    UniqueHandle m_process;
    UniqueHandle m_request;
    UniqueHandle m_answer;
    UniqueHandle m_giveUp{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    spi32::SharedBlock m_control;
    spi32::SharedBlock m_input;
    spi32::SharedBlock m_output;
};

}  // namespace zq
