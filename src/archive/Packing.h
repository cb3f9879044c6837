#pragma once
// Packing the entries selected in a Filer pane into one archive through the
// packing command of the archiver library ("Zip" for the ZIP family, the
// LHA family's command word "a").  No window lives here: the dialog asks for
// the name and runs RunPack on its worker.
#include <windows.h>

#include <string>
#include <vector>

namespace zq {

inline constexpr int kPackLha = 0;  // the archive kinds: rows of the archiver table
inline constexpr int kPackZip = 1;

// RunPack's own answer when a name has no form in the ANSI code page.
inline constexpr int kPackNameNotAnsi = -4;

struct StructPackRequest {
    int kind = kPackZip;
    std::wstring sourceDirectory;     // where the entries are
    std::vector<std::wstring> names;  // files and folders in it; folders go in whole
    std::wstring archive;             // the full path of the archive to write
    // An archive already there is replaced by a new one (written under a
    // name of its own, put in place only once whole); else the entries are
    // added to it, replacing members of their names.
    bool replaceExisting = false;
    std::wstring libraryPath;
    std::string prefix;  // the packing command's entry
};

// The archive offered: in `targetDirectory`, named after the one entry
// packed (its name without extension) or, for several, after the folder
// they are in ("archive" at a drive's root), with the kind's extension.
[[nodiscard]] std::wstring DefaultPackArchive(int kind, const std::wstring& sourceDirectory,
                                              const std::wstring& targetDirectory,
                                              const std::vector<std::wstring>& names);
// @Eachpack/@Eachpackzip: one request per entry of `all`, each archive in
// `targetDirectory` named as DefaultPackArchive names it for that entry
// alone.  Entries whose stems meet ("a.txt", "a.doc") or meet another's
// archive are told apart by their whole name ("a.doc.zip") and then by a
// number ("a_2.zip"): no archive of the batch is written twice.
[[nodiscard]] std::vector<StructPackRequest> EachPackRequests(const StructPackRequest& all,
                                                              const std::wstring& targetDirectory);
// What was typed as a full path: relative to `targetDirectory`, the kind's
// extension added when it has none.  Empty for a name no file may have.
[[nodiscard]] std::wstring PackArchivePath(int kind, const std::wstring& typed, const std::wstring& targetDirectory);
// True when the archive would be one of the entries packed or lie inside one.
[[nodiscard]] bool PacksItself(const StructPackRequest& request);

// Packs; 0, the library's error, kPackNameNotAnsi or kArchiverNotCalled/
// kArchiverFaulted.  `listener` receives the library's progress messages.
[[nodiscard]] int RunPack(const StructPackRequest& request, HWND listener);
// The message for RunPack's answer (empty for 0).
[[nodiscard]] std::wstring PackFailureText(const StructPackRequest& request, int code);

}  // namespace zq
