#include "picture/SusiePluginHost.h"

#include <chrono>
#include <cstring>
#include <cwchar>
#include <mutex>

#include "common/Paths.h"
#include "common/TextConv.h"
#include "common/Wildcard.h"
#include "external/GuardedLibrary.h"
#include "picture/PluginLibrary.h"
#include "picture/Spi32Bridge.h"

namespace zq {

using namespace susie;

namespace {

// More pattern entries than any plug-in has; a plug-in that never answers 0 ends here.
constexpr int kMaxPatternEntries = 256;
// The third IsSupported call looks 128 bytes into the head; the buffer holds a
// full head from there too, so that a plug-in reading 2048 bytes stays inside.
constexpr size_t kHeaderSkip = 128;

bool EndsWithIgnoringCase(std::wstring_view text, std::wstring_view tail) {
    return text.size() >= tail.size() &&
           ::CompareStringOrdinal(text.data() + text.size() - tail.size(), static_cast<int>(tail.size()), tail.data(),
                                  static_cast<int>(tail.size()), TRUE) == CSTR_EQUAL;
}

SIZE_T GuardedLocalSize(HLOCAL memory) {
    return GuardedInvoke([&] { return ::LocalSize(memory); }).value_or(0);
}

// What the rest of the program draws: a BITMAPINFO whose header, colour table
// and bits all fit the blocks they came in, rows bottom-up.
bool AcceptDib(HLOCAL infoHandle, HLOCAL bitsHandle, SusiePicture& picture) {
    if (infoHandle == nullptr || bitsHandle == nullptr) return false;
    const SIZE_T infoSize = GuardedLocalSize(infoHandle);
    const SIZE_T bitsSize = GuardedLocalSize(bitsHandle);
    if (infoSize < sizeof(BITMAPINFOHEADER) || bitsSize == 0) return false;
    auto* header = static_cast<BITMAPINFOHEADER*>(::LocalLock(infoHandle));
    auto* bits = static_cast<BYTE*>(::LocalLock(bitsHandle));
    bool ok = header != nullptr && bits != nullptr;
    if (ok) {
        const BITMAPINFOHEADER h = *header;
        const int depth = h.biBitCount;
        const bool knownDepth = depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
        const bool masks = h.biCompression == BI_BITFIELDS && (depth == 16 || depth == 32);
        const uint64_t colours = h.biClrUsed ? h.biClrUsed : (depth <= 8 ? uint64_t{1} << depth : 0);
        const uint64_t tableEnd = uint64_t{h.biSize} + (masks && h.biSize == 40 ? 12 : 0) + colours * 4;
        const uint64_t rows = h.biHeight < 0 ? -int64_t{h.biHeight} : int64_t{h.biHeight};
        const uint64_t stride = (uint64_t(h.biWidth > 0 ? h.biWidth : 0) * uint64_t(depth) + 31) / 32 * 4;
        ok = h.biSize >= sizeof(BITMAPINFOHEADER) && h.biSize <= infoSize && knownDepth && h.biWidth > 0 && rows > 0 &&
             (h.biCompression == BI_RGB || masks) && (depth > 8 || colours <= 256) && tableEnd <= infoSize &&
             stride * rows <= bitsSize;
        if (ok && h.biHeight < 0) {
            // A top-down picture is turned over once here, so that every drawer sees one row order.
            std::vector<BYTE> swap(static_cast<size_t>(stride));
            for (uint64_t y = 0; y < rows / 2; ++y) {
                BYTE* a = bits + y * stride;
                BYTE* b = bits + (rows - 1 - y) * stride;
                std::memcpy(swap.data(), a, swap.size());
                std::memcpy(a, b, swap.size());
                std::memcpy(b, swap.data(), swap.size());
            }
            header->biHeight = static_cast<LONG>(rows);
        }
        if (ok) {
            picture.width = h.biWidth;
            picture.height = static_cast<int>(rows);
            picture.bitCount = depth;
        }
    }
    if (header) ::LocalUnlock(infoHandle);
    if (bits) ::LocalUnlock(bitsHandle);
    return ok;
}

}  // namespace

struct SusiePluginHost::Use {
    std::string name;  // for the plug-in, in the ANSI code page
    LONG_PTR offset = 0;
};

SusiePluginHost::SusiePluginHost(std::wstring_view directory, Reporter report)
    : m_report(std::move(report)), m_bridge(&Spi32Bridge::Shared()) {
    SetDirectory(directory);
}

void SusiePluginHost::SetDirectory(std::wstring_view directory) {
    m_directory.assign(directory);
    if (!m_directory.empty() && IsPathSeparator(m_directory.back())) m_directory.pop_back();
}

std::wstring SusiePluginHost::PathOf(size_t index) const {
    return JoinPath(m_directory, m_plugins[index].fileName);
}

std::string SusiePluginHost::PluginPath(const std::wstring& path) {
    if (auto ansi = AnsiText(path)) return *ansi;
    wchar_t shortPath[1040] = {};
    const DWORD length = ::GetShortPathNameW(path.c_str(), shortPath, static_cast<DWORD>(std::size(shortPath)));
    if (length == 0 || length >= std::size(shortPath)) return {};
    return AnsiText(shortPath).value_or(std::string());
}

void SusiePluginHost::Load(const std::vector<std::wstring>& stored, SusieLoadMode mode) {
    m_plugins.clear();
    for (const std::wstring& value : stored) {
        if (value.empty()) break;
        if (auto plugin = ParseStoredPlugin(value, mode)) m_plugins.push_back(std::move(*plugin));
    }
    if (mode != SusieLoadMode::On) Rescan(true, mode);
}

std::vector<std::wstring> SusiePluginHost::StoredValues(SusieLoadMode mode) const {
    std::vector<std::wstring> values;
    for (const StructSusieDllFile& plugin : m_plugins) values.push_back(StoredPluginValue(plugin, mode));
    return values;
}

bool SusiePluginHost::ReadPlugin(const std::wstring& path, StructSusieDllFile& plugin) {
    if (m_beforeLoad) m_beforeLoad(path);
    const PluginLibrary library(path);
    if (!library.Loaded() || !library.Has("GetPluginInfo")) return false;
    char version[10] = {};
    char type[260] = {};
    const auto gotVersion = library.Call<GetPluginInfoFn>("GetPluginInfo", 0, version, int{sizeof version});
    const auto gotType =
        gotVersion ? library.Call<GetPluginInfoFn>("GetPluginInfo", 3, type, int{sizeof type}) : std::nullopt;
    if (!gotVersion || !gotType) {
        if (m_report)
            m_report(L"画像Plug-In " + std::wstring(FileNamePart(path)) + L" が異常終了したため、使用しません");
        return false;
    }
    std::vector<std::string> patterns;
    for (int n = 0; n < kMaxPatternEntries; ++n) {
        char buffer[520] = {};
        const auto got = library.Call<GetPluginInfoFn>("GetPluginInfo", 2 * n + 2, buffer, int{sizeof buffer});
        if (!got || *got == 0) break;
        buffer[sizeof buffer - 1] = '\0';
        patterns.emplace_back(buffer);
    }
    version[sizeof version - 1] = '\0';
    type[sizeof type - 1] = '\0';
    ApplyInfo(plugin, version, type, patterns);
    return true;
}

bool SusiePluginHost::ReadRemotePlugin(const std::wstring& path, StructSusieDllFile& plugin) {
    if (m_bridge == nullptr || !m_bridge->Installed()) {
        if (m_report)
            m_report(L"画像Plug-In " + std::wstring(FileNamePart(path)) +
                     L" は32bit用ですが、zqspi32.exe が見つからないため、使用しません");
        return false;
    }
    if (m_beforeLoad) m_beforeLoad(path);
    const std::optional<std::vector<std::string>> texts = m_bridge->PluginInfo(path);
    if (!texts) {
        if (m_report)
            m_report(L"画像Plug-In " + std::wstring(FileNamePart(path)) + L" が異常終了したため、使用しません");
        return false;
    }
    // Entry 0 is the version, 1 the name, then patterns and format names by turns.
    if (texts->size() < 4) return false;
    std::vector<std::string> patterns;
    for (size_t n = 2; n < texts->size(); n += 2) patterns.push_back((*texts)[n]);
    ApplyInfo(plugin, (*texts)[0].c_str(), (*texts)[3].c_str(), patterns);
    return true;
}

void SusiePluginHost::ApplyInfo(StructSusieDllFile& plugin, const char* version, const char* type,
                                const std::vector<std::string>& patterns) {
    std::memset(plugin.apiVersion, 0, sizeof plugin.apiVersion);
    std::memcpy(plugin.apiVersion, version, std::min(std::strlen(version), sizeof plugin.apiVersion - 1));
    plugin.SetTypeName(FromAnsi(type, std::strlen(type)));
    plugin.patterns.clear();
    for (const std::string& pattern : patterns) {
        const std::wstring text = FromAnsi(pattern.c_str(), pattern.size());
        std::wstring_view rest = text;
        while (!rest.empty()) {
            const size_t end = std::min(rest.find(L';'), rest.size());
            std::wstring_view piece = rest.substr(0, end);
            while (!piece.empty() && piece.front() == L' ') piece.remove_prefix(1);
            while (!piece.empty() && piece.back() == L' ') piece.remove_suffix(1);
            if (!piece.empty()) plugin.patterns.emplace_back(piece);
            rest = end < rest.size() ? rest.substr(end + 1) : std::wstring_view();
        }
    }
    plugin.CompleteJpeg();
}

bool SusiePluginHost::RightMachine(const std::wstring& path, bool is32Bit) {
    const WORD machine = PeMachine(path);
#if defined(_WIN64)
    const WORD own = IMAGE_FILE_MACHINE_AMD64;
#else
    const WORD own = IMAGE_FILE_MACHINE_I386;
#endif
    const WORD wanted = is32Bit ? WORD{IMAGE_FILE_MACHINE_I386} : own;
    if (machine == wanted) return true;
    // A 32-bit library under the 64-bit name would fail to load or worse; it is not even tried.
    if (m_report && machine == IMAGE_FILE_MACHINE_I386)
        m_report(L"Plug-In " + std::wstring(FileNamePart(path)) +
                 L" は32bit用のDLLのため、読み込みません（32bit用は拡張子 .spi で置いてください）");
    else if (m_report)
        m_report(L"Plug-In " + std::wstring(FileNamePart(path)) +
                 L" はこのプログラムで使えるDLLではないため、読み込みません");
    return false;
}

void SusiePluginHost::Rescan(bool refresh, SusieLoadMode mode) {
    if (!refresh) m_plugins.clear();
    // An unset directory would make the pattern relative to whatever is current.
    for (const wchar_t* extension : {L".sph", L".spi"}) {
        WIN32_FIND_DATAW data{};
        UniqueFind find;
        if (!m_directory.empty())
            find.Reset(::FindFirstFileW(JoinPath(m_directory, L"*" + std::wstring(extension)).c_str(), &data));
        if (find) {
            do {
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
                const std::wstring name = data.cFileName;
                // "*.sph" also finds longer extensions through their short names.
                if (!EndsWithIgnoringCase(name, extension)) continue;
                size_t known = m_plugins.size();
                for (size_t i = 0; i < m_plugins.size(); ++i)
                    if (::CompareStringOrdinal(m_plugins[i].fileName, -1, name.c_str(), -1, TRUE) == CSTR_EQUAL)
                        known = i;
                const bool isKnown = known < m_plugins.size();
                if (isKnown && mode == SusieLoadMode::NewOnly) continue;
                StructSusieDllFile plugin = isKnown ? m_plugins[known] : StructSusieDllFile{};
                plugin.SetFileName(name);
                const std::wstring path = JoinPath(m_directory, name);
                if (!RightMachine(path, plugin.Is32Bit())) continue;
                if (!(plugin.Is32Bit() ? ReadRemotePlugin(path, plugin) : ReadPlugin(path, plugin))) continue;
                if (isKnown)
                    m_plugins[known] = std::move(plugin);
                else
                    m_plugins.push_back(std::move(plugin));
            } while (::FindNextFileW(find.Get(), &data));
        }
    }
    for (size_t i = m_plugins.size(); i-- > 0;)
        if (m_plugins[i].patterns.empty()) m_plugins.erase(m_plugins.begin() + static_cast<std::ptrdiff_t>(i));
}

bool SusiePluginHost::Supports(std::wstring_view name, int kinds, size_t index) const {
    if (index >= m_plugins.size()) return false;
    const StructSusieDllFile& plugin = m_plugins[index];
    if (!plugin.enabled || plugin.runtime->faulted) return false;
    const int kind = plugin.Kind();
    if ((kind & kinds) == 0) return false;
    const std::wstring_view fileName = FileNamePart(name);
    for (const std::wstring& pattern : plugin.patterns) {
        if (pattern == L"*.*" || pattern == L"*.") return true;
        if (WildcardMatch(fileName, pattern)) return true;
    }
    return false;
}

void SusiePluginHost::Disable(size_t index, const wchar_t* reason) {
    StructSusieDllFile& plugin = m_plugins[index];
    if (plugin.runtime->faulted.exchange(true)) return;
    const wchar_t* kind = plugin.Kind() == kSusieArchive ? L"解凍Plug-In " : L"画像Plug-In ";
    if (m_report)
        m_report(kind + std::wstring(plugin.fileName) + L" が" + reason + L"ため、今回の起動中は使用しません");
}

namespace {

// The file open for reading and its head, zero-padded to a full head from 128 bytes in.
bool ReadHead(const std::wstring& path, UniqueFile& file, std::vector<char>& head) {
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes)) return false;
    const ULONGLONG size = (ULONGLONG{attributes.nFileSizeHigh} << 32) | attributes.nFileSizeLow;
    if (size == 0) return false;
    file.Reset(::CreateFileW(PlatformPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    head.assign(kHeadSize + kHeaderSkip, '\0');
    DWORD read = 0;
    return ::ReadFile(file.Get(), head.data(), static_cast<DWORD>(size < kHeadSize ? size : kHeadSize), &read,
                      nullptr) != FALSE;
}

// A plug-in's turn: another caller may be inside it, maybe for good; a
// plug-in disabled meanwhile is given up, so no caller waits for a hung one.
std::unique_lock<std::timed_mutex> TakeTurn(StructSusieDllFile::Runtime& runtime) {
    std::unique_lock<std::timed_mutex> turn(runtime.lock, std::defer_lock);
    while (!runtime.faulted && !turn.try_lock_for(std::chrono::milliseconds(100))) {
    }
    if (runtime.faulted && turn.owns_lock()) turn.unlock();
    return turn;
}

// Marks the time a plug-in's call began, for the window thread's watch.
struct CallWatch {
    StructSusieDllFile::Runtime& runtime;
    explicit CallWatch(StructSusieDllFile::Runtime& r) : runtime(r) { runtime.callSince = ::GetTickCount64(); }
    ~CallWatch() { runtime.callSince = 0; }
    CallWatch(const CallWatch&) = delete;
    CallWatch& operator=(const CallWatch&) = delete;
};

}  // namespace

bool SusiePluginHost::DisableUnanswering(unsigned long long limit) {
    const unsigned long long now = ::GetTickCount64();
    bool found = false;
    for (size_t i = 0; i < m_plugins.size(); ++i) {
        const unsigned long long since = m_plugins[i].runtime->callSince;
        if (since == 0 || now - since < limit) continue;
        Disable(i, L"応答しなくなった");
        // A 32-bit plug-in's call ends with its helper; the caller then returns.
        if (m_plugins[i].Is32Bit() && m_bridge != nullptr) m_bridge->GiveUp();
        found = true;
    }
    return found;
}

bool SusiePluginHost::Probe(size_t index, const PluginLibrary& library, const std::wstring& path, Use& use) {
    UniqueFile file;
    std::vector<char> head;
    if (!ReadHead(path, file, head)) return false;
    auto accepted = [&](void* dw) {
        const auto answer = library.Call<IsSupportedFn>("IsSupported", use.name.c_str(), dw);
        if (!answer) Disable(index, L"異常終了した");
        return answer.value_or(0) != 0;
    };
    use.offset = 0;
    if (accepted(file.Get()) || accepted(head.data())) return true;
    use.offset = static_cast<LONG_PTR>(kHeaderSkip);
    return !m_plugins[index].runtime->faulted && accepted(head.data() + kHeaderSkip);
}

bool SusiePluginHost::RemoteProbe(size_t index, const char* head, bool memoryOnly, Use& use) {
    const auto answer = m_bridge->IsSupported(PathOf(index), use.name, head, memoryOnly);
    if (!answer) {
        Disable(index, L"異常終了した");
        return false;
    }
    use.offset = answer->offset;
    return answer->accepted;
}

int SusiePluginHost::RemotePicture(size_t index, int entry, const Use& use, const void* data, size_t size,
                                   unsigned int flag, SusiePicture& picture) {
    UniqueLocal info;
    UniqueLocal bits;
    const Spi32Bridge::Input input{use.name, use.offset, data, size};
    const auto got = m_bridge->Picture(PathOf(index), static_cast<spi32::Entry>(entry), input, flag, info, bits);
    if (!got) {
        Disable(index, L"異常終了した");
        return kInternalError;
    }
    if (*got != kOk) return *got;
    // Copies made here, so a picture that fails the checks is freed, not kept for safety.
    const int result = Finish(index, kOk, info.Get(), bits.Get(), picture);
    if (result == kOk) {
        static_cast<void>(info.Release());
        static_cast<void>(bits.Release());
    }
    return result;
}

int SusiePluginHost::Walk(const std::wstring& name, int kinds, const char* entry,
                          const std::function<bool(size_t, const PluginLibrary&, Use&)>& accepts,
                          const std::function<int(size_t, const PluginLibrary&, const Use&)>& call,
                          const Remote& remote) {
    int last = kUnknownFormat;
    for (size_t i = 0; i < m_plugins.size(); ++i) {
        if (!Supports(name, kinds, i)) continue;
        const std::shared_ptr<StructSusieDllFile::Runtime> runtime = m_plugins[i].runtime;
        const std::unique_lock<std::timed_mutex> turn = TakeTurn(*runtime);
        if (!turn.owns_lock()) continue;
        if (m_plugins[i].Is32Bit()) {
            if (!remote || m_bridge == nullptr) continue;
            const CallWatch watch(*runtime);
            const std::optional<int> result = remote(i);
            if (!result) continue;
            if (*result == kOk || *result == kAborted) return *result;
            last = *result;
            continue;
        }
        const CallWatch watch(*runtime);
        const PluginLibrary library(PathOf(i));
        if (!library.Loaded() || !library.Has(entry) || !library.Has("IsSupported")) continue;
        Use use;
        if (!accepts(i, library, use) || runtime->faulted) continue;
        const int result = call(i, library, use);
        if (result == kOk || result == kAborted) return result;
        last = result;
    }
    return last;
}

int SusiePluginHost::Finish(size_t index, int result, HLOCAL info, HLOCAL bits, SusiePicture& picture) {
    if (result != kOk) return result;
    if (!AcceptDib(info, bits, picture)) {
        // Blocks that do not hold what the header says cannot be trusted even to be freed.
        Disable(index, L"大きさの合わない画像を返した");
        return kInternalError;
    }
    picture.info.Reset(info);
    picture.bits.Reset(bits);
    picture.plugin = static_cast<int>(index);
    return kOk;
}

int SusiePluginHost::WalkFile(const std::wstring& path, int kinds, const char* entry,
                              const std::function<int(size_t, const PluginLibrary&, const Use&)>& call,
                              const std::function<std::optional<int>(size_t, const Use&)>& remote) {
    const std::string ansi = PluginPath(path);
    if (ansi.empty()) return kReadError;
    return Walk(
        path, kinds, entry,
        [&](size_t i, const PluginLibrary& library, Use& use) {
            use.name = ansi;
            return Probe(i, library, path, use);
        },
        call,
        remote ? Remote([&](size_t i) -> std::optional<int> {
            UniqueFile file;
            std::vector<char> head;
            Use use;
            use.name = ansi;
            if (!ReadHead(path, file, head) || !RemoteProbe(i, head.data(), false, use)) return std::nullopt;
            return remote(i, use);
        })
               : Remote());
}

int SusiePluginHost::CallPicture(size_t index, const PluginLibrary& library, const char* entry, LPCSTR buf,
                                 LONG_PTR len, unsigned int flag, SusieProgress progress, SusiePicture& picture) {
    HLOCAL info = nullptr;
    HLOCAL bits = nullptr;
    const auto got = library.Call<GetPictureFn>(entry, buf, len, flag, &info, &bits, progress.callback, progress.data);
    if (!got) {
        Disable(index, L"異常終了した");
        return kInternalError;
    }
    return Finish(index, *got, info, bits, picture);
}

int SusiePluginHost::DecodeFile(const std::wstring& path, SusiePicture& picture, SusieProgress progress) {
    return WalkFile(
        path, kSusieImage, "GetPicture",
        [&](size_t i, const PluginLibrary& library, const Use& use) {
            return CallPicture(i, library, "GetPicture", use.name.c_str(), use.offset, kInputFile, progress, picture);
        },
        [&](size_t i, const Use& use) {
            return std::optional<int>(RemotePicture(i, spi32::kGetPicture, use, nullptr, 0, kInputFile, picture));
        });
}

int SusiePluginHost::DecodeMemory(const std::wstring& name, const void* data, size_t size, SusiePicture& picture,
                                  SusieProgress progress) {
    if (data == nullptr || size == 0) return kBrokenData;
    std::vector<char> head(kHeadSize + kHeaderSkip, '\0');
    std::memcpy(head.data(), data, size < kHeadSize ? size : kHeadSize);
    // Only a hint for the plug-in here: nothing is opened by this name.
    const std::string ansi = ToNarrow(FileNamePart(name));
    return Walk(
        name, kSusieImage, "GetPicture",
        [&](size_t i, const PluginLibrary& library, Use& use) {
            use.name = ansi;
            const auto answer = library.Call<IsSupportedFn>("IsSupported", use.name.c_str(), head.data());
            if (!answer) Disable(i, L"異常終了した");
            return answer.value_or(0) != 0;
        },
        [&](size_t i, const PluginLibrary& library, const Use&) {
            int result = kInternalError;
            for (const unsigned int flag : {kInputMemory, kInputMask}) {
                result = CallPicture(i, library, "GetPicture", static_cast<LPCSTR>(data), static_cast<LONG_PTR>(size),
                                     flag, progress, picture);
                if (result == kOk || result == kAborted || m_plugins[i].runtime->faulted) break;
            }
            return result;
        },
        [&](size_t i) -> std::optional<int> {
            Use use;
            use.name = ansi;
            if (!RemoteProbe(i, head.data(), true, use)) return std::nullopt;
            int result = kInternalError;
            for (const unsigned int flag : {kInputMemory, kInputMask}) {
                result = RemotePicture(i, spi32::kGetPicture, use, data, size, flag, picture);
                if (result == kOk || result == kAborted || m_plugins[i].runtime->faulted) break;
            }
            return result;
        });
}

namespace {

bool IsLocalFile(const std::wstring& path) {
    if (path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) return false;
    const wchar_t root[] = {path.empty() ? L'C' : path[0], L':', L'\\', L'\0'};
    return ::GetDriveTypeW(root) != DRIVE_REMOTE;
}

// The whole file in a zero-filled local block, for GetPicture from memory.
UniqueLocal ReadWholeFile(const std::wstring& path, size_t& size) {
    const UniqueFile file(::CreateFileW(PlatformPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER length{};
    if (!file || !::GetFileSizeEx(file.Get(), &length) || length.QuadPart <= 0 || length.QuadPart >= (1LL << 32))
        return UniqueLocal();
    size = static_cast<size_t>(length.QuadPart);
    UniqueLocal block(::LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, size));
    if (!block) return UniqueLocal();
    auto* bytes = static_cast<BYTE*>(block.Get());
    size_t done = 0;
    while (done < size) {
        DWORD read = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(size - done, 1 << 20));
        if (!::ReadFile(file.Get(), bytes + done, want, &read, nullptr) || read == 0) return UniqueLocal();
        done += read;
    }
    return block;
}

}  // namespace

int SusiePluginHost::DecodePreview(const std::wstring& path, bool fullDecoding, SusiePicture& picture) {
    return WalkFile(
        path, kSusieImage, "IsSupported",
        [&](size_t i, const PluginLibrary& library, const Use& use) {
            const auto call = [&](const char* entry, LPCSTR buf, LONG_PTR len, unsigned int flag) {
                return CallPicture(i, library, entry, buf, len, flag, {}, picture);
            };
            const bool hasPicture = library.Has("GetPicture");
            if (fullDecoding && hasPicture && IsLocalFile(path)) {
                size_t size = 0;
                const UniqueLocal data = ReadWholeFile(path, size);
                if (!data) return int{kReadError};
                int result = kInternalError;
                for (const unsigned int flag : {kInputMemory, kInputMask}) {
                    result = call("GetPicture", static_cast<LPCSTR>(data.Get()), static_cast<LONG_PTR>(size), flag);
                    if (result == kOk || m_plugins[i].runtime->faulted) break;
                }
                return result;
            }
            int result = kNotImplemented;
            if (library.Has("GetPreview")) result = call("GetPreview", use.name.c_str(), use.offset, kInputFile);
            if (result == kNotImplemented && fullDecoding && hasPicture && !m_plugins[i].runtime->faulted)
                result = call("GetPicture", use.name.c_str(), use.offset, kInputFile);
            return result;
        },
        [&](size_t i, const Use& use) -> std::optional<int> {
            // The same order as above; a missing export answers -1 from the helper.
            if (fullDecoding && IsLocalFile(path)) {
                size_t size = 0;
                const UniqueLocal data = ReadWholeFile(path, size);
                if (!data) return int{kReadError};
                int result = kInternalError;
                for (const unsigned int flag : {kInputMemory, kInputMask}) {
                    result = RemotePicture(i, spi32::kGetPicture, use, data.Get(), size, flag, picture);
                    if (result == kOk || m_plugins[i].runtime->faulted) break;
                }
                if (result != kNotImplemented) return result;
            }
            int result = RemotePicture(i, spi32::kGetPreview, use, nullptr, 0, kInputFile, picture);
            if (result == kNotImplemented && fullDecoding && !m_plugins[i].runtime->faulted)
                result = RemotePicture(i, spi32::kGetPicture, use, nullptr, 0, kInputFile, picture);
            return result;
        });
}

int SusiePluginHost::ListArchive(const std::wstring& path, SusieArchive& archive) {
    archive = SusieArchive();
    return WalkFile(
        path, kSusieArchive, "GetArchiveInfo",
        [&](size_t i, const PluginLibrary& library, const Use& use) {
            HLOCAL list = nullptr;
            const auto got =
                library.Call<GetArchiveInfoFn>("GetArchiveInfo", use.name.c_str(), use.offset, kInputFile, &list);
            if (!got) {
                Disable(i, L"異常終了した");
                return int{kInternalError};
            }
            if (*got != kOk) return *got;
            if (list == nullptr) return int{kInternalError};
            // The list ends at an empty method or an empty name, and never beyond its block.
            const SIZE_T bytes = GuardedLocalSize(list);
            const auto* entries = static_cast<const FileInfo*>(::LocalLock(list));
            const bool ended = entries != nullptr && [&] {
                for (SIZE_T n = 0; (n + 1) * sizeof(FileInfo) <= bytes; ++n) {
                    FileInfo entry = entries[n];
                    if (entry.method[0] == 0 || entry.filename[0] == 0) return true;
                    entry.path[sizeof entry.path - 1] = '\0';
                    entry.filename[sizeof entry.filename - 1] = '\0';
                    archive.entries.push_back(entry);
                }
                return false;
            }();
            if (entries) ::LocalUnlock(list);
            if (!ended) {
                archive.entries.clear();
                Disable(i, L"終わりのない一覧を返した");
                return int{kInternalError};
            }
            (void)GuardedInvoke([&] { return ::LocalFree(list); });
            archive.plugin = static_cast<int>(i);
            archive.ansiPath = use.name;
            return int{kOk};
        },
        nullptr);
}

int SusiePluginHost::ExtractMember(const SusieArchive& archive, const FileInfo& entry, UniqueLocal& data, size_t& size,
                                   SusieProgress progress) {
    data.Reset();
    size = 0;
    if (archive.plugin < 0 || static_cast<size_t>(archive.plugin) >= m_plugins.size()) return kInternalError;
    const auto index = static_cast<size_t>(archive.plugin);
    const std::shared_ptr<StructSusieDllFile::Runtime> runtime = m_plugins[index].runtime;
    if (!m_plugins[index].enabled || runtime->faulted || m_plugins[index].Is32Bit()) return kInternalError;
    const std::unique_lock<std::timed_mutex> turn = TakeTurn(*runtime);
    if (!turn.owns_lock()) return kInternalError;
    const CallWatch watch(*runtime);
    const PluginLibrary library(PathOf(index));
    HLOCAL block = nullptr;
    const auto got =
        library.Call<GetFileFn>("GetFile", archive.ansiPath.c_str(), static_cast<LONG_PTR>(entry.position),
                                reinterpret_cast<LPSTR>(&block), 0x0100u, progress.callback, progress.data);
    if (!got) {
        if (library.Loaded() && library.Has("GetFile")) Disable(index, L"異常終了した");
        return kInternalError;
    }
    if (*got != kOk) return *got;
    // LocalSize may exceed the data, never fall short of it.
    if (block == nullptr || GuardedLocalSize(block) < entry.filesize) {
        Disable(index, L"大きさの合わないデータを返した");
        return kInternalError;
    }
    data.Reset(block);
    size = static_cast<size_t>(entry.filesize);
    return kOk;
}

std::optional<int> SusiePluginHost::Configure(const std::wstring& pluginPath, HWND parent) {
    // A 32-bit plug-in's dialog would need a window of the helper's own; not offered.
    if (PeMachine(pluginPath) != IMAGE_FILE_MACHINE_AMD64) return std::nullopt;
    const PluginLibrary library(pluginPath);
    if (!library.Loaded()) return std::nullopt;
    return library.Call<ConfigurationDlgFn>("ConfigurationDlg", parent, 1);
}

int SusiePluginHost::PictureInfoOf(const std::wstring& path, susie::PictureInfo& info) {
    // One judgement of the answer, whether the plug-in ran here or in the 32-bit helper.
    const auto checked = [&](size_t i, const std::optional<int>& got) {
        if (!got) {
            Disable(i, L"異常終了した");
            return int{kInternalError};
        }
        if (*got == kOk && (info.width <= 0 || info.height <= 0)) {
            Disable(i, L"大きさの合わない画像を返した");
            return int{kInternalError};
        }
        return *got;
    };
    return WalkFile(
        path, kSusieImage, "GetPictureInfo",
        [&](size_t i, const PluginLibrary& library, const Use& use) {
            info = {};
            return checked(
                i, library.Call<GetPictureInfoFn>("GetPictureInfo", use.name.c_str(), use.offset, kInputFile, &info));
        },
        [&](size_t i, const Use& use) -> std::optional<int> {
            return checked(i, m_bridge->PictureInfo(PathOf(i), {use.name, use.offset}, kInputFile, info));
        });
}

}  // namespace zq
