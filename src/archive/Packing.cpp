#include "archive/Packing.h"

#include <algorithm>

#include "archive/ArchiverApi.h"
#include "archive/UnpackJob.h"
#include "common/Paths.h"
#include "external/ArchiverCommand.h"
#include "external/GuardedLibrary.h"

namespace zq {

namespace {

const wchar_t* Extension(int kind) {
    return kind == kPackLha ? L".lzh" : L".zip";
}

}  // namespace

std::wstring DefaultPackArchive(int kind, const std::wstring& sourceDirectory, const std::wstring& targetDirectory,
                                const std::vector<std::wstring>& names) {
    std::wstring stem;
    if (names.size() == 1) {
        std::wstring extension;
        SplitFileName(names.front(), stem, extension);
        // A name that is all extension (".profile") keeps it as its stem.
        if (stem.empty()) stem = names.front();
    } else {
        stem = IsRootPath(sourceDirectory) ? L"archive" : std::wstring(FileNamePart(FolderForm(sourceDirectory)));
    }
    return JoinPath(FolderForm(targetDirectory), stem + Extension(kind));
}

std::vector<StructPackRequest> EachPackRequests(const StructPackRequest& all, const std::wstring& targetDirectory) {
    std::vector<StructPackRequest> requests;
    std::vector<std::wstring> taken;
    const auto free = [&](const std::wstring& archive) {
        return std::none_of(taken.begin(), taken.end(),
                            [&](const std::wstring& other) { return SamePath(other, archive); });
    };
    for (const std::wstring& name : all.names) {
        StructPackRequest one = all;
        one.names = {name};
        one.archive = DefaultPackArchive(all.kind, all.sourceDirectory, targetDirectory, one.names);
        if (!free(one.archive)) one.archive = JoinPath(FolderForm(targetDirectory), name + Extension(all.kind));
        std::wstring stem;
        std::wstring extension;
        SplitFileName(FileNamePart(one.archive), stem, extension);
        for (int n = 2; !free(one.archive); ++n)
            one.archive = JoinPath(FolderForm(targetDirectory), stem + L"_" + std::to_wstring(n) + Extension(all.kind));
        taken.push_back(one.archive);
        requests.push_back(std::move(one));
    }
    return requests;
}

std::wstring PackArchivePath(int kind, const std::wstring& typed, const std::wstring& targetDirectory) {
    size_t first = typed.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    std::wstring name = typed.substr(first);
    while (!name.empty() && (name.back() == L' ' || name.back() == L'.')) name.pop_back();
    if (name.empty() || name.find_first_of(L"*?\"<>|") != std::wstring::npos) return {};
    const std::wstring full = ResolvePath(targetDirectory, name);
    if (full.empty() || IsRootPath(full) || IsPathSeparator(name.back())) return {};
    // A colon belongs only to the drive: anything else names a stream.
    if (full.find(L':', RootLength(full)) != std::wstring::npos) return {};
    std::wstring stem;
    std::wstring extension;
    SplitFileName(FileNamePart(full), stem, extension);
    return extension.empty() ? full + Extension(kind) : full;
}

bool PacksItself(const StructPackRequest& request) {
    for (const std::wstring& name : request.names)
        if (IsSameOrBelow(request.archive, JoinPath(FolderForm(request.sourceDirectory), name))) return true;
    return false;
}

int RunPack(const StructPackRequest& request, HWND listener) {
    const bool replacing = request.replaceExisting && FileExists(request.archive);
    // The new archive takes the old one's place only once it is whole.
    const std::wstring target =
        replacing ? JoinPath(ParentPath(request.archive),
                             L"~zqpack" + std::to_wstring(::GetCurrentProcessId()) + Extension(request.kind))
                  : request.archive;
    const std::wstring line = ArchiveAddCommand(request.kind, target, request.sourceDirectory, request.names);
    if (!AnsiText(line)) return kPackNameNotAnsi;
    if (replacing) ::DeleteFileW(target.c_str());
    int result = CallArchiverCommand(request.libraryPath, request.prefix, line, listener);
    if (replacing) {
        if (result == 0 && !::MoveFileExW(target.c_str(), request.archive.c_str(), MOVEFILE_REPLACE_EXISTING))
            result = arc::kErrorCannotWrite;
        if (result != 0) ::DeleteFileW(target.c_str());
    }
    return result;
}

std::wstring PackFailureText(const StructPackRequest& request, int code) {
    switch (code) {
        case 0:
            return {};
        case kPackNameNotAnsi:
            return L"圧縮ライブラリに渡せない文字がファイル名にあります";
        case kArchiverNotCalled:
            return request.libraryPath + L"が見つかりません";
        case arc::kErrorNotSupported:
            return request.kind == kPackLha
                       ? L"この圧縮ライブラリはLHA形式の書き込みに対応していません\nZIP圧縮をお使いください"
                       : L"この圧縮ライブラリは圧縮に対応していません";
        case arc::kErrorUserCancel:
            return L"圧縮を中止しました";
        default:
            return L"ファイルの圧縮に失敗しました" + ArchiverFailureReason(code) + L"\n" + request.archive;
    }
}

}  // namespace zq
