#pragma once
// The host of the Susie plug-ins: the ordered array of installed plug-ins, its
// scan of the Susie directory, the choice of a plug-in for a file, and the
// guarded calls that decode pictures.
//
//     SusiePluginHost host(settings.susieDirectory, report);   // report shows the Japanese message
//     host.Load(settings.pluginFiles, SusieLoadModeFrom(settings.HIGHLOADSPI));
//     SusiePicture picture;
//     if (host.DecodeFile(path, picture, {callback, data}) == susie::kOk) ... picture.Header() ...
//     settings.pluginFiles = host.StoredValues(mode);
//
// Libraries are loaded only for the length of one use.  The array changes only
// on the window thread; decoding may run on any thread.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Handle.h"
#include "picture/StructSusieDllFile.h"
#include "picture/SusieApi.h"

namespace zq {

class PluginLibrary;
class Spi32Bridge;

// A decoded picture: a BITMAPINFO and bottom-up bits, in local memory.
struct SusiePicture {
    UniqueLocal info;
    UniqueLocal bits;
    int width = 0;
    int height = 0;
    int bitCount = 0;
    int plugin = -1;  // the array index of the plug-in that decoded it
};

struct SusieProgress {
    susie::ProgressCallback callback = nullptr;
    LONG_PTR data = 0;
};

// An archive as an archive plug-in lists it: the plug-in's array index, the
// 8-bit path it was given and the entries of GetArchiveInfo (names made safe
// to read: each text field ends inside its record).
struct SusieArchive {
    int plugin = -1;
    std::string ansiPath;
    std::vector<susie::FileInfo> entries;
};

class SusiePluginHost {
  public:
    using Reporter = std::function<void(const std::wstring& message)>;

    SusiePluginHost(std::wstring_view directory, Reporter report);

    [[nodiscard]] const std::wstring& Directory() const noexcept { return m_directory; }
    void SetDirectory(std::wstring_view directory);
    // The helper that serves the ".spi" plug-ins; the one beside the program unless a test gives another.
    void SetBridge(Spi32Bridge* bridge) noexcept { m_bridge = bridge; }
    // Called with each library's path before a scan loads it (the debug option).
    void SetBeforeLoad(std::function<void(const std::wstring&)> beforeLoad) { m_beforeLoad = std::move(beforeLoad); }

    [[nodiscard]] std::vector<StructSusieDllFile>& Plugins() noexcept { return m_plugins; }
    [[nodiscard]] const std::vector<StructSusieDllFile>& Plugins() const noexcept { return m_plugins; }

    // Start-up: the stored records, then the scan that the mode asks for.
    void Load(const std::vector<std::wstring>& stored, SusieLoadMode mode);
    [[nodiscard]] std::vector<std::wstring> StoredValues(SusieLoadMode mode) const;
    // Rebuilds the array from the directory (refresh = false) or brings it up to date.
    void Rescan(bool refresh, SusieLoadMode mode);

    // Plug-in index claims the name by its patterns, for these kinds (SusieKinds).
    [[nodiscard]] bool Supports(std::wstring_view name, int kinds, size_t index) const;
    // Plug-ins whose call has run for `limit` ms or more are disabled for the
    // run and reported (once); true while there is one.  A 32-bit plug-in's
    // call is ended with its helper; the thread of one in this process is
    // left to it: nothing can take it back from a plug-in.
    bool DisableUnanswering(unsigned long long limit);

    // The first plug-in that claims and accepts the file decodes it.  The result
    // is a Susie result code; 2 when no plug-in takes the file.
    int DecodeFile(const std::wstring& path, SusiePicture& picture, SusieProgress progress = {});
    // The same for a picture already in memory; name picks the plug-ins by pattern.
    int DecodeMemory(const std::wstring& name, const void* data, size_t size, SusiePicture& picture,
                     SusieProgress progress = {});
    // A picture for a thumbnail: GetPreview from the file, or with fullDecoding
    // GetPicture (from memory for a local file, else from the file) when the
    // plug-in offers no preview.
    int DecodePreview(const std::wstring& path, bool fullDecoding, SusiePicture& picture);
    // The first archive plug-in that claims and accepts the file lists it
    // (GetArchiveInfo); a Susie result, 2 when no plug-in takes the file.
    int ListArchive(const std::wstring& path, SusieArchive& archive);
    // One listed member into local memory (GetFile, output to memory); size is
    // the member's length, which the block is checked to hold.
    int ExtractMember(const SusieArchive& archive, const susie::FileInfo& entry, UniqueLocal& data, size_t& size,
                      SusieProgress progress = {});

    // The picture's size and depth; info.hInfo, when the plug-in set it, is the caller's to LocalFree.
    int PictureInfoOf(const std::wstring& path, susie::PictureInfo& info);

    // The plug-in's own settings dialog (ConfigurationDlg with 1); nothing when
    // the library does not load, lacks the entry or faults inside it.
    [[nodiscard]] static std::optional<int> Configure(const std::wstring& pluginPath, HWND parent);

    // The 8-bit form of a path for a plug-in: the ANSI code page, or the short
    // name when the long one has no form there; empty when neither exists.
    [[nodiscard]] static std::string PluginPath(const std::wstring& path);

  private:
    struct Use;
    // A ".spi" plug-in's turn: its result, or nothing when it does not take the file.
    using Remote = std::function<std::optional<int>(size_t)>;
    int Walk(const std::wstring& name, int kinds, const char* entry,
             const std::function<bool(size_t, const PluginLibrary&, Use&)>& accepts,
             const std::function<int(size_t, const PluginLibrary&, const Use&)>& call, const Remote& remote);
    // Walk for a file on disk: the plug-ins that claim it and accept its contents.
    int WalkFile(const std::wstring& path, int kinds, const char* entry,
                 const std::function<int(size_t, const PluginLibrary&, const Use&)>& call,
                 const std::function<std::optional<int>(size_t, const Use&)>& remote);
    // IsSupported of a ".spi" plug-in in the helper, the file's forms or the memory head alone.
    bool RemoteProbe(size_t index, const char* head, bool memoryOnly, Use& use);
    // GetPicture or GetPreview in the helper; its blocks checked as a 64-bit plug-in's are.
    int RemotePicture(size_t index, int entry, const Use& use, const void* data, size_t size, unsigned int flag,
                      SusiePicture& picture);
    // GetPicture or GetPreview, guarded, its blocks checked.
    int CallPicture(size_t index, const PluginLibrary& library, const char* entry, LPCSTR buf, LONG_PTR len,
                    unsigned int flag, SusieProgress progress, SusiePicture& picture);
    bool Probe(size_t index, const PluginLibrary& library, const std::wstring& path, Use& use);
    int Finish(size_t index, int result, HLOCAL info, HLOCAL bits, SusiePicture& picture);
    void Disable(size_t index, const wchar_t* reason);
    bool ReadPlugin(const std::wstring& path, StructSusieDllFile& plugin);
    bool ReadRemotePlugin(const std::wstring& path, StructSusieDllFile& plugin);
    // The kind of library the name promises is the kind in the file; says so when not.
    bool RightMachine(const std::wstring& path, bool is32Bit);
    void ApplyInfo(StructSusieDllFile& plugin, const char* version, const char* type,
                   const std::vector<std::string>& patterns);
    [[nodiscard]] std::wstring PathOf(size_t index) const;

    std::wstring m_directory;
    Reporter m_report;
    std::function<void(const std::wstring&)> m_beforeLoad;
    Spi32Bridge* m_bridge;
    std::vector<StructSusieDllFile> m_plugins;
};

}  // namespace zq
