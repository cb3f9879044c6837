#include "ui/Clipboard.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

#include "common/Handle.h"

namespace zq::ui {
namespace {

// OpenClipboard fails while another program holds it; a few short retries
// cover the usual case of a clipboard viewer reading at the same moment.
bool OpenWithRetry(HWND owner) {
    for (int i = 0; i < 10; ++i) {
        if (::OpenClipboard(owner)) return true;
        ::Sleep(20);
    }
    return false;
}

struct ClipboardSession {
    bool open;
    explicit ClipboardSession(HWND owner) : open(OpenWithRetry(owner)) {}
    ~ClipboardSession() {
        if (open) ::CloseClipboard();
    }
};

UniqueGlobal GlobalCopy(const void* data, size_t bytes) {
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return memory;
    void* target = ::GlobalLock(memory.Get());
    if (!target) return UniqueGlobal();
    std::memcpy(target, data, bytes);
    ::GlobalUnlock(memory.Get());
    return memory;
}

}  // namespace

const wchar_t* ClipboardFailureText(ClipboardFailure failure) {
    switch (failure) {
        case ClipboardFailure::Open:
            return L"クリップボードを開くのに失敗しました";
        case ClipboardFailure::Empty:
            return L"クリップボードを空にするのに失敗しました";
        case ClipboardFailure::SetData:
            return L"クリップボードへのデータのセットに失敗しました";
        case ClipboardFailure::None:
            break;
    }
    return L"";
}

ClipboardFailure PutOnClipboard(HWND owner, std::span<const ClipboardBlock> blocks) {
    ClipboardSession session(owner);
    if (!session.open) return ClipboardFailure::Open;
    if (!::EmptyClipboard()) return ClipboardFailure::Empty;
    for (size_t i = 0; i < blocks.size(); ++i) {
        UniqueGlobal& data = *blocks[i].data;
        if (!data) {
            if (i == 0) return ClipboardFailure::SetData;
            continue;
        }
        if (::SetClipboardData(blocks[i].format, data.Get())) {
            (void)data.Release();  // the clipboard owns it now
        } else if (i == 0) {
            return ClipboardFailure::SetData;
        }
    }
    return ClipboardFailure::None;
}

bool SetClipboardText(HWND owner, const std::wstring& text) {
    UniqueGlobal memory = GlobalCopy(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    if (!memory) return false;
    const ClipboardBlock blocks[] = {{CF_UNICODETEXT, &memory}};
    return PutOnClipboard(owner, blocks) == ClipboardFailure::None;
}

std::optional<std::wstring> GetClipboardText(HWND owner) {
    ClipboardSession session(owner);
    if (!session.open) return std::nullopt;
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (!data) return std::nullopt;
    const auto* text = static_cast<const wchar_t*>(::GlobalLock(data));
    if (!text) return std::nullopt;
    // The block may lack a terminator when another program wrote it.
    const size_t units = ::GlobalSize(data) / sizeof(wchar_t);
    std::wstring result(text, wcsnlen(text, units));
    ::GlobalUnlock(data);
    return result;
}

bool SetClipboardFiles(HWND owner, const std::vector<std::wstring>& paths, DWORD dropEffect) {
    std::wstring list;
    for (const auto& path : paths) {
        list += path;
        list += L'\0';
    }
    list += L'\0';
    const size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    std::vector<unsigned char> block(bytes);
    auto* header = reinterpret_cast<DROPFILES*>(block.data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(block.data() + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    UniqueGlobal drop = GlobalCopy(block.data(), block.size());
    UniqueGlobal effect = GlobalCopy(&dropEffect, sizeof(dropEffect));
    if (!drop || !effect) return false;
    const UINT effectFormat = ::RegisterClipboardFormatW(CFSTR_PREFERREDDROPEFFECT);
    ClipboardSession session(owner);
    if (!session.open || !::EmptyClipboard()) return false;
    if (!::SetClipboardData(CF_HDROP, drop.Get())) return false;
    (void)drop.Release();
    if (::SetClipboardData(effectFormat, effect.Get())) (void)effect.Release();
    return true;
}

bool GetClipboardFiles(HWND owner, std::vector<std::wstring>& paths, DWORD& dropEffect) {
    paths.clear();
    dropEffect = DROPEFFECT_COPY;
    ClipboardSession session(owner);
    if (!session.open) return false;
    HANDLE drop = ::GetClipboardData(CF_HDROP);
    if (!drop) return false;
    auto hDrop = static_cast<HDROP>(drop);
    const UINT count = ::DragQueryFileW(hDrop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileW(hDrop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        ::DragQueryFileW(hDrop, i, path.data(), length + 1);
        path.resize(length);
        paths.push_back(std::move(path));
    }
    const UINT effectFormat = ::RegisterClipboardFormatW(CFSTR_PREFERREDDROPEFFECT);
    if (HANDLE effect = ::GetClipboardData(effectFormat)) {
        if (const auto* value = static_cast<const DWORD*>(::GlobalLock(effect))) {
            dropEffect = *value;
            ::GlobalUnlock(effect);
        }
    }
    return true;
}

}  // namespace zq::ui
