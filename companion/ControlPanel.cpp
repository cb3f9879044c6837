// The control-panel items of the system: every applet of every *.cpl file in
// the system directory, asked for through the files' CPlApplet entry.  Those
// files are other makers' code, so each call into them is guarded; a file that
// crashes gives no items and is left loaded, since unloading a module that
// just crashed runs more of its code.
#include <windows.h>

#include <cpl.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "SystemCpl.h"
#include "ZqDll.h"
#include "common/Guard.h"
#include "common/Handle.h"
#include "common/Paths.h"
#include "external/NonLoadCpl.h"

namespace {

template <size_t N>
void CopyText(wchar_t (&target)[N], std::wstring_view text) {
    const size_t n = std::min(text.size(), N - 1);
    std::copy_n(text.data(), n, target);
    target[n] = L'\0';
}

std::wstring ResourceString(HMODULE module, LONG id) {
    const wchar_t* text = nullptr;
    const int n = ::LoadStringW(module, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    return n > 0 && text ? std::wstring(text, static_cast<size_t>(n)) : std::wstring();
}

// Names of one applet: the resource strings when the applet gives their
// numbers, otherwise what it reports in its extended inquiry (in either
// character set, as the structure's size tells).
enum class Inquiry { kNamed, kNameless, kCrashed };

Inquiry InquireApplet(HMODULE module, APPLET_PROC applet, HWND owner, int index, StructZqCplData& record) {
    CPLINFO info{};
    if (!zq::GuardedCall([&] { applet(owner, CPL_INQUIRE, index, reinterpret_cast<LPARAM>(&info)); })) {
        return Inquiry::kCrashed;
    }
    std::wstring name = info.idName != CPL_DYNAMIC_RES ? ResourceString(module, info.idName) : std::wstring();
    std::wstring text = info.idInfo != CPL_DYNAMIC_RES ? ResourceString(module, info.idInfo) : std::wstring();
    record.IconResourceId = info.idIcon != CPL_DYNAMIC_RES ? info.idIcon : 0;

    if (name.empty()) {
        union {
            NEWCPLINFOW wide;
            NEWCPLINFOA narrow;
        } inquiry{};
        if (!zq::GuardedCall([&] { applet(owner, CPL_NEWINQUIRE, index, reinterpret_cast<LPARAM>(&inquiry)); })) {
            return Inquiry::kCrashed;
        }
        if (inquiry.wide.dwSize == sizeof(NEWCPLINFOW)) {
            inquiry.wide.szName[ARRAYSIZE(inquiry.wide.szName) - 1] = L'\0';
            inquiry.wide.szInfo[ARRAYSIZE(inquiry.wide.szInfo) - 1] = L'\0';
            name = inquiry.wide.szName;
            if (text.empty()) text = inquiry.wide.szInfo;
        } else if (inquiry.narrow.dwSize == sizeof(NEWCPLINFOA)) {
            inquiry.narrow.szName[ARRAYSIZE(inquiry.narrow.szName) - 1] = '\0';
            inquiry.narrow.szInfo[ARRAYSIZE(inquiry.narrow.szInfo) - 1] = '\0';
            wchar_t wide[64];
            if (::MultiByteToWideChar(CP_ACP, 0, inquiry.narrow.szName, -1, wide, ARRAYSIZE(wide)) > 0) name = wide;
            if (text.empty() && ::MultiByteToWideChar(CP_ACP, 0, inquiry.narrow.szInfo, -1, wide, ARRAYSIZE(wide)) > 0) {
                text = wide;
            }
        }
    }
    if (name.empty()) return Inquiry::kNameless;  // an item without a name cannot be offered in a menu
    record.AppletIndex = index;
    CopyText(record.Name, name);
    CopyText(record.Info, text);
    return Inquiry::kNamed;
}

void Unload(HMODULE module) {
    // Nothing is left to do for a file whose unloading crashes.
    static_cast<void>(zq::GuardedCall([&] { ::FreeLibrary(module); }));
}

// Adds the applets of one file; answers how many records it filled.
int ReadCplFile(const std::wstring& path, StructZqCplData* records, int room, HWND owner) {
    HMODULE module = nullptr;
    if (!zq::GuardedCall([&] { module = ::LoadLibraryW(path.c_str()); }) || !module) return 0;
    auto applet = reinterpret_cast<APPLET_PROC>(::GetProcAddress(module, "CPlApplet"));
    if (!applet) {
        Unload(module);
        return 0;
    }
    LONG initialised = 0;
    if (!zq::GuardedCall([&] { initialised = applet(owner, CPL_INIT, 0, 0); })) return 0;
    if (!initialised) {
        Unload(module);
        return 0;
    }
    LONG count = 0;
    if (!zq::GuardedCall([&] { count = applet(owner, CPL_GETCOUNT, 0, 0); })) return 0;

    int filled = 0;
    for (int i = 0; i < count && filled < room; ++i) {
        StructZqCplData record{};
        CopyText(record.CplPath, path);
        const Inquiry result = InquireApplet(module, applet, owner, i, record);
        if (result == Inquiry::kCrashed) return filled;
        if (result == Inquiry::kNamed) records[filled++] = record;
    }
    const bool stopped = zq::GuardedCall([&] {
        for (int i = 0; i < count; ++i) applet(owner, CPL_STOP, i, 0);
        applet(owner, CPL_EXIT, 0, 0);
    });
    if (stopped) Unload(module);
    return filled;
}

}  // namespace

extern "C" int WINAPI ZqGetCplAllData(StructZqCplData* records, int capacity, BOOL debug, StructZqCplContext* context) {
    if (!records || capacity <= 0) return 0;
    const bool contextOk = context && context->cbSize >= sizeof(StructZqCplContext);
    const HWND owner = contextOk ? context->hwndOwner : nullptr;
    const std::vector<std::wstring> nonLoad = contextOk ? zq::NonLoadCplList(*context) : std::vector<std::wstring>{};

    int filled = 0;
    for (const auto& path : zq::LoadableCpls(zq::companion::SystemCplFiles(), nonLoad)) {
        if (filled == capacity) break;
        if (debug) ::OutputDebugStringW((L"ZqDll: loading " + path + L"\n").c_str());
        const int added = ReadCplFile(path, records + filled, capacity - filled, owner);
        if (debug) {
            ::OutputDebugStringW((L"ZqDll: " + std::to_wstring(added) + L" item(s) from " + path + L"\n").c_str());
        }
        filled += added;
    }
    return filled;
}
