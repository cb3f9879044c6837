#include "archive/ArchiverTable.h"

#include <windows.h>

#include "archive/ArchiverApi.h"
#include "common/Paths.h"
#include "external/GuardedLibrary.h"

namespace zq {

namespace {

using namespace std::string_view_literals;

StructArchiverRow Row(const wchar_t* unpackDll, const wchar_t* packDll, const char* prefix, const char* packPrefix,
                      std::wstring_view extensions, const wchar_t* extract, const wchar_t* ignoreFolders,
                      const wchar_t* password) {
    StructArchiverRow row;
    row.unpackDll = unpackDll;
    row.packDll = packDll;
    row.unpackPrefix = prefix;
    row.packPrefix = packPrefix;
    row.extensions = extensions;
    row.extractWord = extract;
    row.ignoreFoldersOption = ignoreFolders;
    row.passwordFormat = password;
    row.listOption = L"l";
    return row;
}

bool SameText(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

}  // namespace

std::vector<StructArchiverRow> DefaultArchiverTable() {
    std::vector<StructArchiverRow> table = {
        Row(L"Unlha32.dll", L"Unlha32.dll", "Unlha", "Unlha", L"LZH\0EXE\0\0"sv, L"x", L"e", L""),
        Row(L"Unzip32.dll", L"Zip32J.dll", "UnZip", "Zip", L"ZIP\0EXE\0\0"sv, L"-x", L"-j", L"-P%s"),
        Row(L"Cab32.dll", L"Cab32.dll", "Cab", "Cab", L"CAB\0EXE\0\0"sv, L"-x", L"-j", L""),
        Row(L"Unrar32.dll", L"Unrar32.dll", "Unrar", "Unrar", L"RAR\0EXE\0\0"sv, L"-x", L"-e", L"-p<%s>"),
        Row(L"Unarj32.dll", L"Unarj32.dll", "Unarj", "Unarj", L"ARJ\0EXE\0\0"sv, L"x", L"e", L""),
        Row(L"Tar32.dll", L"Tar32.dll", "Tar", "Tar", L"TAR\0GZ\0TGZ\0EXE\0\0"sv, L"xvaf", L"--use-directory=0", L""),
        Row(L"Ungca32.dll", L"Ungca32.dll", "UnGCA", "UnGCA", L"GCA\0EXE\0\0"sv, L"x", L"e", L"-p %s"),
        Row(L"7-zip32.dll", L"7-zip32.dll", "SevenZip", "SevenZip", L"7Z\0EXE\0\0"sv, L"x", L"e", L"-p%s"),
    };
    table[5].listOption = L"tvf";
    // The families' own switches: keep attributes, no time check, no
    // messages, no indicator, full paths, recurse, and for LHA the seventh,
    // which newer libraries of that family no longer take.
    table[0].optionWords = {L"-a1", L"-c1", L"-m1", L"-n1", L"-p1", L"-r1", L"-jp1"};
    table[1].optionWords = {L"-o", L"-qq", L"-X"};
    table[2].optionWords = {L"-i", L"-q"};
    table[3].optionWords = {L"-y", L"-q", L"-s"};
    table[4].optionWords = {L"-y", L"-q"};
    table[5].optionWords = {L"--overwrite", L"--quiet", L"--keep-old-files"};
    table[6].optionWords = {L"-y", L"-q"};
    table[7].optionWords = {L"-y", L"-hide", L"-aoa"};
    return table;
}

std::wstring ArchiverLibraryPath(std::wstring_view folderSetting) {
    if (folderSetting.empty()) return L"Unbypass.dll";
    return JoinPath(folderSetting, L"Unbypass.dll");
}

int ChooseArchiver(const std::vector<StructArchiverRow>& table, const std::wstring& libraryPath,
                   const ChooseRequest& request, int& error) {
    error = kChooseNoLibrary;
    const std::wstring full = JoinPath(request.directory, request.name);
    const auto ansi = AnsiText(full);
    if (ansi && request.testLongNames && ansi->size() >= MAX_PATH) {
        error = kChooseNameTooLong;
        return -1;
    }
    // A path without an 8-bit form cannot be handed to any library.
    if (!ansi) return -1;
    const size_t dot = request.name.find_last_of(L'.');
    if (dot == std::wstring::npos) return -1;
    const std::wstring_view extension = std::wstring_view(request.name).substr(dot + 1);
    for (size_t i = 0; i < table.size(); ++i) {
        const auto& row = table[i];
        if (request.browsing && !row.browsable) continue;
        for (std::wstring_view rest = row.extensions; !rest.empty() && rest.front() != L'\0';) {
            const std::wstring_view candidate = rest.substr(0, rest.find(L'\0'));
            rest.remove_prefix(candidate.size() + (candidate.size() < rest.size() ? 1 : 0));
            if (!SameText(candidate, extension)) continue;
            GuardedLibrary library(libraryPath);
            const auto check = library.Find<arc::CheckArchiveFn>((row.unpackPrefix + "CheckArchive").c_str());
            if (!check) break;
            const auto accepted = check(ansi->c_str(), row.checkMode);
            if (accepted && *accepted) {
                error = 0;
                return static_cast<int>(i);
            }
            break;
        }
    }
    return -1;
}

}  // namespace zq
