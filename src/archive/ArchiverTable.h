#pragma once
// The table of archiver libraries: one row per archive family, each naming the
// prefix of its functions, the extensions it handles and the words of its
// command lines.  Every row is served by the one library file Unbypass.dll.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zq {

struct StructArchiverRow {
    std::wstring unpackDll;  // shown and stored by the settings; the library loaded is ArchiverLibraryPath()
    std::wstring packDll;
    std::wstring extractWord;  // the ordinary extraction command word
    std::string unpackPrefix;  // "%sOpenArchive" and the rest are built from this
    std::string packPrefix;
    // The extensions handled, each ended by a zero, the list by an empty one.
    std::wstring_view extensions;
    int checkMode = 0;  // passed to "%sCheckArchive"
    bool browsable = true;
    std::string wildcard = "*.*";
    std::wstring passwordFormat;  // empty: the family takes no password
    std::wstring listOption;
    std::wstring ignoreFoldersOption;
    std::wstring quietOption;
    // The extraction options the unpack settings switch on one by one
    // (UNPACK%02d%02d); an empty word is a switch without effect.
    std::array<std::wstring, 10> optionWords;
};

inline constexpr int kArchiverRows = 8;

// The eight rows as delivered.
std::vector<StructArchiverRow> DefaultArchiverTable();

// The library file of every row: Unbypass.dll in the folder of the setting
// UNBYPASS_DLL_PATH, or the bare file name when the setting is empty.
std::wstring ArchiverLibraryPath(std::wstring_view folderSetting);

// ChooseArchiver's errors.
enum : int { kChooseNoLibrary = 1, kChooseNameTooLong = 2 };

struct ChooseRequest {
    std::wstring directory;
    std::wstring name;
    bool browsing = false;
    bool testLongNames = false;  // the 8-bit full path must stay under 260 bytes
};

// The first row, in row order, with an extension matching the file's whose
// library's check function accepts the file; -1 with `error` set otherwise.
int ChooseArchiver(const std::vector<StructArchiverRow>& table, const std::wstring& libraryPath,
                   const ChooseRequest& request, int& error);

}  // namespace zq
