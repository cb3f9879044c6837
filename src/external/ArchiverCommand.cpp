#include "external/ArchiverCommand.h"

#include "external/GuardedLibrary.h"

namespace zq {

namespace {

constexpr DWORD kOutputBytes = 30000;

std::wstring Quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

std::wstring WithBackslash(const std::wstring& directory) {
    return !directory.empty() && directory.back() == L'\\' ? directory : directory + L"\\";
}

bool EndsWithZip(const std::wstring& name) {
    return name.size() > 4 && ::CompareStringOrdinal(name.c_str() + name.size() - 4, 4, L".zip", 4, TRUE) == CSTR_EQUAL;
}

}  // namespace

std::wstring ArchiveExtractCommand(int kind, const std::wstring& archive, const std::wstring& target,
                                   const std::wstring& member) {
    if (kind != 0 && kind != 1) return {};
    const std::wstring switches = kind == 0 ? L"e -d0 -c1 -m1 -p1 " : L"-x -j -o ";
    return switches + Quoted(archive) + L" " + Quoted(WithBackslash(target)) + L" " + Quoted(member);
}

std::wstring ArchiveAddCommand(int kind, const std::wstring& archive, const std::wstring& base,
                               const std::vector<std::wstring>& files) {
    if (kind != 0 && kind != 1) return {};
    const std::wstring switches = kind == 0 ? L"a -d1 -c1" : L"-r -S";
    // The ZIP family's libraries add ".zip" to a name without an extension
    // only: "a.b.zip" given as "a.b" would write the archive "a.b".
    const std::wstring stem = EndsWithZip(archive) ? archive.substr(0, archive.size() - 4) : archive;
    const size_t slash = stem.find_last_of(L"\\/");
    const bool stemHasExtension = stem.find(L'.', slash == std::wstring::npos ? 0 : slash) != std::wstring::npos;
    const std::wstring named = stemHasExtension ? archive : stem;
    std::wstring line = switches + L" " + Quoted(named) + L" " + Quoted(WithBackslash(base));
    for (const std::wstring& file : files) line += L" " + Quoted(file);
    return line;
}

int CallArchiverCommand(const std::wstring& libraryPath, const std::string& prefix, const std::wstring& line,
                        HWND listener, HWND parent) {
    const auto ansi = AnsiText(line);
    if (line.empty() || !ansi) return kArchiverNotCalled;
    GuardedLibrary library(libraryPath);
    const auto command = library.Find<int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD)>(prefix.c_str());
    if (!command) return kArchiverNotCalled;
    // The progress messages go to the window the library is told of; a
    // library without that entry still runs the command, only silently.
    const auto setOwner = library.Find<BOOL(WINAPI*)(HWND)>((prefix + "SetOwnerWindow").c_str());
    const auto clearOwner = library.Find<BOOL(WINAPI*)()>((prefix + "ClearOwnerWindow").c_str());
    if (listener && setOwner) (void)setOwner(listener);
    std::string output(kOutputBytes, '\0');
    const auto answer = command(parent, ansi->c_str(), output.data(), kOutputBytes);
    if (listener && setOwner && clearOwner) (void)clearOwner();
    return answer ? *answer : kArchiverFaulted;
}

}  // namespace zq
