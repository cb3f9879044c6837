#include "picture/Spi32Bridge.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "common/Paths.h"

namespace zq {

using namespace spi32;

namespace {

// A helper asked to quit gets this long before it is ended.
constexpr DWORD kQuitLimit = 2000;

// A missing library or export reads as the plug-in's "not implemented".
std::optional<int> PictureResult(const Control& control) {
    if (control.status == kNoMemory) return int{susie::kNoMemory};
    if (control.status != kDone) return int{susie::kNotImplemented};
    return control.result;
}

// Names of one bridge's objects: the process, then the bridge, so that two bridges never share one.
std::atomic<unsigned> g_bridges{0};

}  // namespace

Spi32Bridge::Spi32Bridge(std::wstring helperPath, Limits limits)
    : m_helper(std::move(helperPath)),
      m_limits(limits),
      m_names(L"Local\\zqspi32-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++g_bridges)) {}

Spi32Bridge::~Spi32Bridge() {
    Stop(true);
}

Spi32Bridge& Spi32Bridge::Shared() {
    static Spi32Bridge bridge(JoinPath(ModuleDirectory(), L"zqspi32.exe"));
    return bridge;
}

bool Spi32Bridge::Installed() const {
    const DWORD attributes = ::GetFileAttributesW(m_helper.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Spi32Bridge::Start() {
    Stop(false);
    ++m_starts;
    const std::wstring pid = std::to_wstring(::GetCurrentProcessId());
    const std::wstring base = m_names + L"-" + std::to_wstring(m_starts);
    m_request.Reset(::CreateEventW(nullptr, FALSE, FALSE, RequestEventName(base).c_str()));
    m_answer.Reset(::CreateEventW(nullptr, FALSE, FALSE, AnswerEventName(base).c_str()));
    if (!m_request || !m_answer || !m_control.Create(ControlName(base), sizeof(Control))) {
        Stop(false);
        return false;
    }
    std::wstring command = L"\"" + m_helper + L"\" " + base + L" " + pid;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(m_helper.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                          &startup, &process)) {
        Stop(false);
        return false;
    }
    ::CloseHandle(process.hThread);
    m_process.Reset(process.hProcess);
    const HANDLE waits[] = {m_answer.Get(), m_process.Get()};
    if (::WaitForMultipleObjects(2, waits, FALSE, m_limits.start) != WAIT_OBJECT_0) {
        Stop(false);
        return false;
    }
    return true;
}

void Spi32Bridge::Stop(bool ask) {
    if (m_process) {
        if (ask && m_control.Data() != nullptr) {
            auto& control = *static_cast<Control*>(m_control.Data());
            control.magic = kMagic;
            control.op = kOpQuit;
            ::SetEvent(m_request.Get());
        }
        if (!ask || ::WaitForSingleObject(m_process.Get(), kQuitLimit) != WAIT_OBJECT_0) {
            ::TerminateProcess(m_process.Get(), 1);
            static_cast<void>(::WaitForSingleObject(m_process.Get(), kQuitLimit));
        }
    }
    m_process.Reset();
    m_request.Reset();
    m_answer.Reset();
    m_control.Close();
    m_output.Close();
}

Control* Spi32Bridge::Begin(Op op, const std::wstring& plugin) {
    const bool running = m_process && ::WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT;
    if (!running && !Start()) return nullptr;
    auto* control = static_cast<Control*>(m_control.Data());
    std::memset(control, 0, sizeof *control);
    control->magic = kMagic;
    control->op = op;
    if (!PutText(control->plugin, plugin)) return nullptr;
    return control;
}

bool Spi32Bridge::PutInput(Control& control, const Input& input) {
    if (input.data == nullptr) {
        control.offset = input.offset;
        return PutText(control.name, std::string(input.name));
    }
    if (input.size == 0 || input.size > 0xFFFFFFFFu) return false;
    const std::wstring prefix = m_names + L"-i";
    if (!GrowBlock(m_input, prefix, input.size, m_inputGeneration)) return false;
    std::memcpy(m_input.Data(), input.data, input.size);
    control.inputSize = static_cast<uint32_t>(input.size);
    return PutText(control.inputBlock, m_input.Name()) && PutText(control.name, std::string(input.name));
}

bool Spi32Bridge::Exchange(DWORD limit) {
    return Send() && Await(limit);
}

bool Spi32Bridge::Send() {
    auto& control = *static_cast<Control*>(m_control.Data());
    control.sequence = ++m_sequence;
    // A give-up meant for an earlier call is no concern of this one.
    ::ResetEvent(m_giveUp.Get());
    if (::SetEvent(m_request.Get())) return true;
    Stop(false);
    return false;
}

bool Spi32Bridge::Await(DWORD limit) {
    const HANDLE waits[] = {m_answer.Get(), m_process.Get(), m_giveUp.Get()};
    if (::WaitForMultipleObjects(3, waits, FALSE, limit) == WAIT_OBJECT_0) return true;
    // Dead, given up or busy past the limit: either way this helper is finished.
    Stop(false);
    return false;
}

std::optional<std::vector<std::string>> Spi32Bridge::PluginInfo(const std::wstring& plugin) {
    const std::lock_guard<std::mutex> hold(m_lock);
    Control* control = Begin(kOpInfo, plugin);
    if (control == nullptr || !Exchange(m_limits.call)) return std::nullopt;
    std::vector<std::string> texts;
    if (control->status != kDone) return texts;
    const size_t used = std::min<size_t>(control->textSize, sizeof control->text);
    for (size_t at = 0; at < used && texts.size() < static_cast<size_t>(control->result);) {
        const size_t length = ::strnlen(control->text + at, used - at);
        texts.emplace_back(control->text + at, length);
        at += length + 1;
    }
    return texts;
}

std::optional<Spi32Bridge::Acceptance> Spi32Bridge::IsSupported(const std::wstring& plugin, std::string_view name,
                                                                const char* head, bool memoryOnly) {
    const std::lock_guard<std::mutex> hold(m_lock);
    Control* control = Begin(kOpIsSupported, plugin);
    if (control == nullptr || !PutText(control->name, std::string(name))) return std::nullopt;
    std::memcpy(control->head, head, kHeadBytes);
    control->flag = memoryOnly ? kMemoryOnly : 0;
    if (!Exchange(m_limits.call)) return std::nullopt;
    if (control->status != kDone) return Acceptance{};
    return Acceptance{control->result != 0, static_cast<LONG_PTR>(control->offset)};
}

std::optional<int> Spi32Bridge::Picture(const std::wstring& plugin, Entry entry, const Input& input, unsigned int flag,
                                        UniqueLocal& info, UniqueLocal& bits) {
    info.Reset();
    bits.Reset();
    const std::lock_guard<std::mutex> hold(m_lock);
    Control* control = Begin(kOpPicture, plugin);
    if (control == nullptr) return std::nullopt;
    if (!PutInput(*control, input)) return int{susie::kNoMemory};
    control->entry = entry;
    control->flag = flag;
    if (!Send()) return std::nullopt;
    // Pictures come in series of one size or nearly (a camera's, a scanner's).
    // Fresh memory costs a page fault per 4 KiB on first touch, as much as the
    // copy itself: a block as large as the larger of the last two pictures is
    // made and touched here, on this waiting thread, while the helper decodes.
    const size_t spareSize = std::max(m_recentBitsSizes[0], m_recentBitsSizes[1]);
    UniqueLocal spare(spareSize ? ::LocalAlloc(LMEM_MOVEABLE, spareSize) : nullptr);
    if (spare) {
        auto* pages = static_cast<volatile char*>(::LocalLock(spare.Get()));
        for (size_t at = 0; pages != nullptr && at < spareSize; at += 4096) pages[at] = 0;
        ::LocalUnlock(spare.Get());
    }
    if (!Await(m_limits.call)) return std::nullopt;
    const std::optional<int> result = PictureResult(*control);
    if (control->status != kDone || control->result != susie::kOk) return result;
    const std::wstring name(control->outputBlock, ::wcsnlen(control->outputBlock, std::size(control->outputBlock)));
    if (m_output.Name() != name && !m_output.Open(name)) return int{susie::kNoMemory};
    const size_t infoSize = control->infoSize;
    const size_t bitsSize = control->bitsSize;
    if (m_output.Size() < BitsOffset(infoSize) + bitsSize) return int{susie::kMemoryError};
    // Empty blocks stay null, as the plug-in left them; the host judges what it got.
    const auto* from = static_cast<const char*>(m_output.Data());
    m_recentBitsSizes[1] = m_recentBitsSizes[0];
    m_recentBitsSizes[0] = bitsSize;
    // A block somewhat larger than the plug-in's does no harm (every reader
    // takes the size as a bound); a much larger one would hold memory for nothing.
    const bool spareFits = spare && spareSize >= bitsSize && bitsSize >= spareSize / 4 * 3;
    if (infoSize) info.Reset(::LocalAlloc(LMEM_MOVEABLE, infoSize));
    if (bitsSize) bits = spareFits ? std::move(spare) : UniqueLocal(::LocalAlloc(LMEM_MOVEABLE, bitsSize));
    if ((infoSize && !info) || (bitsSize && !bits)) return int{susie::kNoMemory};
    if (infoSize) {
        std::memcpy(::LocalLock(info.Get()), from, infoSize);
        ::LocalUnlock(info.Get());
    }
    if (bitsSize) {
        std::memcpy(::LocalLock(bits.Get()), from + BitsOffset(infoSize), bitsSize);
        ::LocalUnlock(bits.Get());
    }
    return result;
}

std::optional<int> Spi32Bridge::PictureInfo(const std::wstring& plugin, const Input& input, unsigned int flag,
                                            susie::PictureInfo& info) {
    info = {};
    const std::lock_guard<std::mutex> hold(m_lock);
    Control* control = Begin(kOpPictureInfo, plugin);
    if (control == nullptr) return std::nullopt;
    if (!PutInput(*control, input)) return int{susie::kNoMemory};
    control->flag = flag;
    if (!Exchange(m_limits.call)) return std::nullopt;
    if (control->status != kDone || control->textSize < sizeof(PictureRecord)) return PictureResult(*control);
    PictureRecord record{};
    std::memcpy(&record, control->text, sizeof record);
    info.left = record.left;
    info.top = record.top;
    info.width = record.width;
    info.height = record.height;
    info.x_density = record.xDensity;
    info.y_density = record.yDensity;
    info.colorDepth = record.colorDepth;
    return control->result;
}

}  // namespace zq
