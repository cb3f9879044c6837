// zq's own test plug-in: it writes everything it was handed into a UTF-8 text
// file, so that a test can read back what the program passed.  The file is
// the one ZQTEST_PLUGIN_OUT names, else "zqtest-plugin.txt" in the program's
// folder.  A key text containing "CRASH" makes it fault on purpose; one
// containing "REREAD" makes it ask for the listings to be read again.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "../../src/external/PluginApi.h"

namespace {

std::string Utf8(const wchar_t* text) {
    if (text == nullptr) return "(null)";
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string bytes(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
    bytes.pop_back();
    return bytes;
}

void WritePane(FILE* out, const char* which, const StructZqPaneInfo* pane) {
    if (pane == nullptr) {
        std::fprintf(out, "%s=none\n", which);
        return;
    }
    std::fprintf(out, "%s.mode=0x%04lx\n", which, static_cast<unsigned long>(pane->Mode));
    std::fprintf(out, "%s.directory=%s\n", which, Utf8(pane->Directory).c_str());
    std::fprintf(out, "%s.counts=%ld,%ld,%ld\n", which, static_cast<long>(pane->EntryCount),
                 static_cast<long>(pane->MarkedCount), static_cast<long>(pane->SpecialCount));
    for (int32_t position = 0; position < pane->EntryCount; ++position) {
        const int32_t index = pane->Order[position];
        std::fprintf(out, "%s.entry=%s%s\n", which, Utf8(pane->Entries[index].cFileName).c_str(),
                     pane->Marks[index] ? " *" : "");
    }
}

}  // namespace

extern "C" __declspec(dllexport) int WINAPI
    ZqExecutePlugin(HWND mainWindow, const wchar_t* programDirectory, const wchar_t* userName, const wchar_t* keyText,
                    const StructZqPaneInfo* focused, const StructZqPaneInfo* other, PFN_ZqMakePath makePath) {
    const std::wstring key = keyText ? keyText : L"";
    if (key.find(L"CRASH") != std::wstring::npos) {
        volatile int* nowhere = nullptr;
        *nowhere = 1;
    }
    wchar_t path[ZQ_PLUGIN_PATH_CHARS] = {};
    const DWORD fromEnvironment = ::GetEnvironmentVariableW(L"ZQTEST_PLUGIN_OUT", path, ZQ_PLUGIN_PATH_CHARS);
    if (fromEnvironment == 0 || fromEnvironment >= ZQ_PLUGIN_PATH_CHARS) {
        if (makePath == nullptr || !makePath(programDirectory, L"zqtest-plugin.txt", path)) return 0;
    }
    FILE* out = _wfopen(path, L"wb");
    if (out == nullptr) return 0;
    wchar_t joined[ZQ_PLUGIN_PATH_CHARS] = {};
    const int madePath = makePath ? makePath(L"C:", L"x.txt", joined) : 0;
    std::fprintf(out, "window=%s\n", ::IsWindow(mainWindow) ? "yes" : "no");
    std::fprintf(out, "program=%s\n", Utf8(programDirectory).c_str());
    std::fprintf(out, "user=%s\n", Utf8(userName).c_str());
    std::fprintf(out, "key=%s\n", Utf8(keyText).c_str());
    std::fprintf(out, "makepath=%d,%s\n", madePath, Utf8(joined).c_str());
    WritePane(out, "focused", focused);
    WritePane(out, "other", other);
    std::fclose(out);
    return key.find(L"REREAD") != std::wstring::npos ? 1 : 0;
}
