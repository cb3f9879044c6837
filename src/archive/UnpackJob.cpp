#include "archive/UnpackJob.h"

#include <algorithm>
#include <unordered_set>
#include <unordered_map>
#include <utility>
#include <cwchar>
#include <cwctype>

#include "archive/ArchiverApi.h"
#include "common/Paths.h"
#include "common/TextConv.h"
#include "external/ArchiverCommand.h"
#include "external/GuardedLibrary.h"

namespace zq {

namespace {

constexpr int kSevenZipRow = 7;
constexpr wchar_t kFailedCaption[] = L"解凍失敗";

std::wstring Quoted(const std::wstring& text) {
    return L'"' + text + L'"';
}

std::wstring WithoutSlash(std::wstring path) {
    while (path.size() > 3 && path.back() == L'\\') path.pop_back();
    return path;
}

std::wstring Format(const wchar_t* format, const std::wstring& a, const std::wstring& b) {
    std::wstring text = format;
    const size_t first = text.find(L"%s");
    if (first != std::wstring::npos) text.replace(first, 2, a);
    const size_t second = text.find(L"%s", first == std::wstring::npos ? 0 : first + a.size());
    if (second != std::wstring::npos) text.replace(second, 2, b);
    return text;
}

// The folder and every missing one above it.
bool CreateDirectoryTree(const std::wstring& path) {
    if (path.empty() || DirectoryExists(path)) return true;
    const std::wstring parent(ParentPart(path));
    if (parent.size() >= path.size() || !CreateDirectoryTree(parent)) return false;
    return ::CreateDirectoryW(PlatformPath(path).c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

// Removes a folder the job made and everything in it.  What the archiver
// wrote there is plain files and folders; a link is removed, never followed.
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data{};
    const HANDLE find = ::FindFirstFileW(PlatformPath(JoinPath(folder, L"*")).c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = PlatformPath(JoinPath(folder, name));
            const bool folderEntry = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (folderEntry && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                RemoveTree(JoinPath(folder, name));
                continue;
            }
            ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (folderEntry)
                ::RemoveDirectoryW(path.c_str());
            else
                ::DeleteFileW(path.c_str());
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::SetFileAttributesW(PlatformPath(folder).c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryW(PlatformPath(folder).c_str());
}

constexpr wchar_t kStagingPrefix[] = L"~zq";

// The process that made a staging folder, read from its name "~zq<pid>" or
// "~zq<pid>_<n>"; 0 when the name is not one of ours.
DWORD StagingOwner(const std::wstring& name) {
    const size_t prefix = std::wcslen(kStagingPrefix);
    if (name.compare(0, prefix, kStagingPrefix) != 0) return 0;
    size_t end = prefix;
    DWORD pid = 0;
    for (; end < name.size() && end - prefix < 10 && iswdigit(name[end]); ++end) pid = pid * 10 + (name[end] - L'0');
    if (end == prefix) return 0;
    if (end < name.size()) {
        if (name[end] != L'_' || end + 1 == name.size()) return 0;
        for (size_t i = end + 1; i < name.size(); ++i)
            if (!iswdigit(name[i])) return 0;
    }
    return pid;
}

bool ProcessAlive(DWORD pid) {
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process == nullptr) return ::GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool alive = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    ::CloseHandle(process);
    return alive;
}

// A zq that was ended while its unpack waited for the same-name question
// left its staging folder, with a full copy of the members, in the user's
// folder.  Only folders of processes that are gone are removed: a living
// zq (or a process that reuses the number) keeps its own.
void RemoveAbandonedStaging(const std::wstring& root) {
    WIN32_FIND_DATAW data{};
    const std::wstring pattern = JoinPath(root, std::wstring(kStagingPrefix) + L"*");
    const HANDLE find = ::FindFirstFileW(PlatformPath(pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    std::vector<std::wstring> abandoned;
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
        const DWORD owner = StagingOwner(data.cFileName);
        if (owner != 0 && owner != ::GetCurrentProcessId() && !ProcessAlive(owner))
            abandoned.push_back(JoinPath(root, data.cFileName));
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    for (const std::wstring& folder : abandoned) RemoveTree(folder);
}

// A folder of the job's own inside the destination, on its volume so that
// placing a member is a rename; removed with whatever is left in it (names
// the user chose not to move) when the archive is done.
class StagingFolder {
  public:
    explicit StagingFolder(const std::wstring& destination) {
        const std::wstring root = WithoutSlash(destination);
        if (!CreateDirectoryTree(root)) return;
        RemoveAbandonedStaging(root);
        const std::wstring stem = JoinPath(root, kStagingPrefix + std::to_wstring(::GetCurrentProcessId()));
        for (int n = 0; n < 100 && m_path.empty(); ++n) {
            const std::wstring path = n == 0 ? stem : stem + L"_" + std::to_wstring(n);
            if (::CreateDirectoryW(PlatformPath(path).c_str(), nullptr))
                m_path = path;
            else if (::GetLastError() != ERROR_ALREADY_EXISTS)
                return;
        }
    }
    ~StagingFolder() {
        if (!m_path.empty()) RemoveTree(m_path);
    }
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;
    [[nodiscard]] const std::wstring& Path() const noexcept { return m_path; }

  private:
    std::wstring m_path;
};

}  // namespace

namespace {

// The files in the destination's folders, each folder read once: an archive
// of 100,000 members asks the disk once per folder it names, not per member.
class TakenFiles {
  public:
    explicit TakenFiles(std::wstring root) : m_root(std::move(root)) {}

    // `relative`: backslashes between folders.
    bool Taken(const std::wstring& relative) {
        const size_t slash = relative.rfind(L'\\');
        const std::wstring folder = slash == std::wstring::npos ? L"" : Folded(relative.substr(0, slash));
        auto listed = m_folders.find(folder);
        if (listed == m_folders.end()) listed = m_folders.emplace(folder, Read(relative.substr(0, slash + 1))).first;
        return listed->second.count(Folded(relative.substr(slash + 1))) != 0;
    }

  private:
    static std::wstring Folded(std::wstring name) {
        if (!name.empty()) ::CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
        return name;
    }
    // The names of the files (not folders) in one folder; none when it is not there.
    std::unordered_set<std::wstring> Read(const std::wstring& folder) const {
        std::unordered_set<std::wstring> files;
        WIN32_FIND_DATAW found{};
        const std::wstring pattern = PlatformPath(JoinPath(m_root, folder + L"*"));
        const HANDLE find =
            ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
        if (find == INVALID_HANDLE_VALUE) return files;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.insert(Folded(found.cFileName));
        } while (::FindNextFileW(find, &found));
        ::FindClose(find);
        return files;
    }

    std::wstring m_root;
    std::unordered_map<std::wstring, std::unordered_set<std::wstring>> m_folders;
};

}  // namespace

bool AnyNameTaken(const std::wstring& destination, const std::vector<std::wstring>& members, bool keepFolders) {
    const std::wstring root = WithoutSlash(destination);
    if (!DirectoryExists(root)) return false;
    TakenFiles taken(root);
    for (std::wstring member : members) {
        std::replace(member.begin(), member.end(), L'/', L'\\');
        if (!keepFolders) member = member.substr(member.rfind(L'\\') + 1);
        const std::wstring relative = SafeMemberPath(L"", member, true);
        if (!relative.empty() && taken.Taken(relative)) return true;
    }
    return false;
}

std::wstring UnpackDestination(const UnpackRequest& request, const std::wstring& archiveName) {
    std::wstring destination = WithoutSlash(request.destination);
    if (request.folderPerArchive) {
        const size_t dot = archiveName.rfind(L'.');
        destination = JoinPath(destination, dot == std::wstring::npos ? archiveName : archiveName.substr(0, dot));
    }
    if (destination.empty() || destination.back() != L'\\') destination += L'\\';
    return destination;
}

std::wstring UnpackOptionString(const StructArchiverRow& row, bool ignoreFolders, const std::wstring& password,
                                const std::array<int, 10>* enabled, int leaveOut) {
    std::wstring options = (ignoreFolders ? row.ignoreFoldersOption : row.extractWord) + L' ';
    for (size_t i = 0; enabled && i < enabled->size(); ++i)
        if ((*enabled)[i] != 0 && static_cast<int>(i) != leaveOut && !row.optionWords[i].empty())
            options += row.optionWords[i] + L' ';
    if (!password.empty() && !row.passwordFormat.empty())
        options += Format(row.passwordFormat.c_str(), password, L"") + L' ';
    return options;
}

std::wstring UnpackCommandLine(int row, const std::wstring& options, const std::wstring& archive,
                               const std::wstring& destination) {
    // A quoted destination ending in a backslash would escape its own quote
    // for some parsers; the folder is named without it.
    const std::wstring folder = WithoutSlash(destination) + L'\\';
    if (row == kSevenZipRow) return options + L' ' + Quoted(archive) + L" \"-o" + folder + L'"';
    return options + L' ' + Quoted(archive) + L' ' + Quoted(folder);
}

std::wstring MemberCommandLine(bool ignoreFolders, const std::wstring& archive, const std::wstring& destination,
                               const std::vector<std::wstring>& members) {
    std::wstring line = ignoreFolders ? L"e -d0 -m1 -p1 -n1 " : L"e -d1 -m1 -p1 -n1 ";
    line += Quoted(archive) + L' ' + Quoted(WithoutSlash(destination) + L'\\');
    for (const std::wstring& member : members) line += L' ' + Quoted(member);
    return line;
}

int CheckPathLengths(const std::string& destination, const std::vector<std::string>& members,
                     const std::function<bool(const std::string&)>& exists) {
    const size_t d = destination.size();
    if (d >= 255) return -2;
    if (!exists(destination) && d >= 247) return -3;
    for (const std::string& raw : members) {
        std::string member = raw;
        for (size_t i = 0; i < member.size(); ++i) {
            if (::IsDBCSLeadByte(static_cast<BYTE>(member[i]))) {
                ++i;
                continue;
            }
            if (member[i] == '/') member[i] = '\\';
        }
        if (member.size() + d + 1 >= MAX_PATH) return -4;
        size_t slash = std::string::npos;
        for (size_t i = 0; i < member.size(); ++i) {
            if (::IsDBCSLeadByte(static_cast<BYTE>(member[i])))
                ++i;
            else if (member[i] == '\\')
                slash = i;
        }
        if (slash == std::string::npos) continue;
        if (slash + d + 1 >= 255) return -2;
        const std::string folder = destination + '\\' + member.substr(0, slash);
        if (folder.size() >= 247 && !exists(folder)) return -3;
    }
    return 0;
}

std::wstring SafeMemberPath(const std::wstring& folder, const std::wstring& name, bool keepFolders) {
    std::wstring whole = keepFolders && !folder.empty() ? folder + L'\\' + name : name;
    std::replace(whole.begin(), whole.end(), L'/', L'\\');
    if (whole.empty() || whole.front() == L'\\' || whole.find(L':') != std::wstring::npos) return {};
    std::wstring safe;
    size_t start = 0;
    while (start <= whole.size()) {
        const size_t end = std::min(whole.find(L'\\', start), whole.size());
        std::wstring level = whole.substr(start, end - start);
        start = end + 1;
        // Windows drops trailing dots and blanks: ".. " is "..".
        std::wstring trimmed = level;
        while (!trimmed.empty() && (trimmed.back() == L'.' || trimmed.back() == L' ')) trimmed.pop_back();
        if (level == L"..") return {};
        if (level.empty() || level == L".") continue;
        if (trimmed.empty()) return {};
        if (!safe.empty()) safe += L'\\';
        safe += level;
    }
    // Without folders the name alone is kept, and it must be a name.
    if (!keepFolders && safe.find(L'\\') != std::wstring::npos) return {};
    return safe;
}

std::wstring ArchiverFailureReason(int code) {
    switch (code) {
        case arc::kErrorPasswordFile:
            return L"(パスワードが違うか、指定されていません)";
        case arc::kErrorNotArchive:
        case arc::kErrorUnknownType:
            return L"(圧縮ファイルではないか、対応していない形式です)";
        case arc::kErrorHeaderBroken:
        case arc::kErrorBrokenData:
        case arc::kErrorFileCrc:
        case arc::kErrorCannotRead:
            return L"(圧縮ファイルが壊れています)";
        case arc::kErrorMethod:
            return L"(対応していない圧縮方法です)";
        case arc::kErrorDiskSpace:
        case arc::kErrorCannotWrite:
        case arc::kErrorMakeDirectory:
            return L"(解凍先に書き込めません)";
        default:
            return {};
    }
}

int UnpackJob::Called(const std::string& prefix, const std::wstring& line) const {
    const int answer = CallArchiverCommand(m_libraryPath, prefix, line, m_owner);
    if (answer == kArchiverFaulted) return arc::kErrorBrokenData;
    return answer == kArchiverNotCalled ? -1 : answer;
}

bool UnpackJob::AskContinue(const std::wstring& reason, const Item& item) {
    const std::wstring text =
        L"ファイルの解凍に失敗しました" + reason + L"\n" + item.directory + L"\\" + item.name + L"\n続けますか?";
    return m_questions.OkCancel(text, kFailedCaption);
}

int UnpackJob::ListMembers(int row, const std::string& archive, std::vector<std::string>& names) {
    const StructArchiverRow& r = m_table[static_cast<size_t>(row)];
    GuardedLibrary library(m_libraryPath);
    const auto open = library.Find<arc::OpenArchiveFn>((r.unpackPrefix + "OpenArchive").c_str());
    const auto first = library.Find<arc::FindFirstFn>((r.unpackPrefix + "FindFirst").c_str());
    const auto next = library.Find<arc::FindNextFn>((r.unpackPrefix + "FindNext").c_str());
    const auto close = library.Find<arc::CloseArchiveFn>((r.unpackPrefix + "CloseArchive").c_str());
    if (!open || !first || !next || !close) return -1;
    const auto handle = open(nullptr, archive.c_str(), arc::kOpenModeList);
    if (!handle || !*handle) return 0;
    alignas(arc::INDIVIDUALINFO) unsigned char buffer[arc::kIndividualInfoAlloc] = {};
    auto* info = reinterpret_cast<arc::INDIVIDUALINFO*>(buffer);
    for (auto found = first(*handle, r.wildcard.c_str(), info); found && *found == 0; found = next(*handle, info))
        names.emplace_back(info->szFileName, strnlen(info->szFileName, sizeof info->szFileName));
    (void)close(*handle);
    return 1;
}

int UnpackJob::ListAndCheck(int row, const std::string& archive, const std::wstring& destination,
                            std::vector<std::string>& names) {
    // An archive that cannot be opened: the command itself reports what is wrong with it.
    const int listed = ListMembers(row, archive, names);
    if (listed <= 0) return listed;
    const auto ansiDestination = AnsiText(WithoutSlash(destination));
    if (!ansiDestination) return -4;
    return CheckPathLengths(*ansiDestination, names, [](const std::string& path) {
        return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    });
}

void MemberTally::Count(const std::wstring& target) {
    std::wstring key = target;
    ::CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
    if (!m_seen.insert(std::move(key)).second) m_repeated.push_back(target);
}

void MemberTally::Note(const std::wstring& target, std::uint64_t done) {
    if (target != m_last || done < m_lastDone) Count(target);
    m_last = target;
    m_lastDone = done;
}

void MemberTally::NoteMember(const std::wstring& target) {
    Count(target);
    m_last = target;
    m_lastDone = 0;
}

std::vector<std::wstring> MemberTally::TakeRepeated() {
    std::vector<std::wstring> repeated = std::move(m_repeated);
    *this = MemberTally();
    std::sort(repeated.begin(), repeated.end());
    repeated.erase(std::unique(repeated.begin(), repeated.end()), repeated.end());
    return repeated;
}

void UnpackJob::TellRepeated(const std::wstring& archive, const std::wstring& into) {
    const std::vector<std::wstring> repeated = m_tally.TakeRepeated();
    if (repeated.empty()) return;
    constexpr size_t kShown = 10;
    std::wstring text = L"同じ名前のメンバーが複数あるため、後のメンバーで上書きしました\n" + archive;
    for (size_t i = 0; i < repeated.size() && i < kShown; ++i) {
        const std::wstring& target = repeated[i];
        const bool below = target.size() > into.size() && SameIgnoringCase(target.substr(0, into.size()), into);
        text += L"\n" + (below ? target.substr(into.size()) : target);
    }
    if (repeated.size() > kShown) text += L"\nほか" + std::to_wstring(repeated.size() - kShown) + L"件";
    m_questions.Inform(text);
}

bool UnpackJob::ThroughStaging(const std::wstring& archive, const std::wstring& destination,
                               const std::vector<std::wstring>& members,
                               const std::function<void(const std::wstring& into)>& unpack) {
    const auto run = [&](const std::wstring& into) {
        (void)m_tally.TakeRepeated();
        unpack(into);
        TellRepeated(archive, into);
    };
    if (!m_placeStaged || !AnyNameTaken(destination, members, !m_request.ignoreFolders)) {
        run(destination);
        return true;
    }
    const StagingFolder staging(destination);
    if (staging.Path().empty()) {
        run(destination);
        return true;
    }
    run(staging.Path() + L'\\');
    // What came out is placed even when the archiver stopped part-way, as it
    // would stand in the destination had no name been taken.
    return m_placeStaged(staging.Path(), WithoutSlash(destination), archive);
}

bool UnpackJob::UnpackOne(const Item& item, bool& failed) {
    int error = 0;
    const int row =
        ChooseArchiver(m_table, m_libraryPath, {item.directory, item.name, false, m_request.checkPathLength}, error);
    if (row < 0 && error != kChooseNameTooLong) {
        // Formats that only an archive plug-in knows.
        const int done =
            UnpackByPlugin(JoinPath(item.directory, item.name), UnpackDestination(m_request, item.name), nullptr);
        if (done == 1) return true;
        if (done == 0) {
            failed = true;
            return !m_stop.load() && AskContinue(L"", item);
        }
    }
    if (row < 0) {
        failed = true;
        return AskContinue(error == kChooseNameTooLong ? L"(ファイル名長すぎ)" : L"(対応DLLなし)", item);
    }
    if (!m_present[static_cast<size_t>(row)]) {
        failed = true;
        return true;
    }
    const StructArchiverRow& r = m_table[static_cast<size_t>(row)];
    const std::wstring destination = UnpackDestination(m_request, item.name);
    const std::wstring archive = JoinPath(item.directory, item.name);
    const auto ansiArchive = AnsiText(archive);
    int result = ansiArchive ? 0 : -4;
    // The names listed for the length check serve the same-name check too.
    std::vector<std::string> names;
    bool listed = false;
    if (result == 0 && m_request.checkPathLength) {
        result = ListAndCheck(row, *ansiArchive, destination, names);
        listed = true;
    }
    GuardedLibrary library(m_libraryPath);
    if (result == 0 && !library.Find<arc::CommandFn>(r.unpackPrefix.c_str())) result = -1;
    if (result == 0) {
        // The first row's seventh option is unknown to libraries of version 1.51 and later.
        int leaveOut = -1;
        if (row == 0) {
            const auto version = library.Find<arc::GetVersionFn>((r.unpackPrefix + "GetVersion").c_str());
            const auto answer = version ? version() : std::nullopt;
            if (answer && *answer >= 151) leaveOut = 6;
        }
        const std::wstring options = UnpackOptionString(r, m_request.ignoreFolders, m_request.password,
                                                        &m_request.unpackOptions[static_cast<size_t>(row)], leaveOut);
        std::vector<std::wstring> members;
        if (m_placeStaged && DirectoryExists(WithoutSlash(destination)) &&
            (listed || ListMembers(row, *ansiArchive, names) == 1))
            for (const std::string& name : names) members.push_back(ToWide(name));
        const bool placed = ThroughStaging(archive, destination, members, [&](const std::wstring& into) {
            const std::wstring line = UnpackCommandLine(row, options, archive, into);
            result = AnsiText(line) ? Called(r.unpackPrefix, line) : -4;
        });
        if (!placed) {
            failed = true;
            return false;
        }
    }
    if (result == 0) return true;
    failed = true;
    const std::wstring where = L"\n" + item.directory + L"\\" + item.name + L"\n続けますか?";
    switch (result) {
        case -1:
            if (!m_questions.OkCancel(m_libraryPath + L"が見つかりません\n処理を続けますか", L"")) return false;
            m_present[static_cast<size_t>(row)] = false;
            return true;
        case -4:
            return m_questions.OkCancel(L"解凍後のファイル名が長すぎます(MAX=260)" + where, L"");
        case -3:
            return m_questions.OkCancel(L"解凍先のパス名が長すぎます(作成不可)(MAX=257)" + where, L"");
        case -2:
            return m_questions.OkCancel(L"解凍先のパス名が長すぎます(MAX=260)" + where, L"");
        case arc::kErrorUserCancel:
            return !m_questions.OkCancel(L"解凍を中止しますか", L"ZQ");
        default:
            return AskContinue(ArchiverFailureReason(result), item);
    }
}

bool UnpackJob::WriteMember(const std::wstring& target, const UniqueLocal& data, std::size_t size,
                            std::int64_t timestamp) {
    // Written under a temporary name beside the target and renamed when whole:
    // a failure leaves no part of a file under the member's name.
    const std::wstring folder(ParentPart(target));
    wchar_t temporary[MAX_PATH * 2] = {};
    if (!::GetTempFileNameW(folder.c_str(), L"zqu", 0, temporary)) return false;
    UniqueFile file(::CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    bool ok = static_cast<bool>(file);
    const auto* bytes = size ? static_cast<const char*>(::LocalLock(data.Get())) : nullptr;
    for (std::size_t done = 0; ok && done < size;) {
        DWORD wrote = 0;
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(size - done, 1 << 20));
        ok = bytes != nullptr && ::WriteFile(file.Get(), bytes + done, piece, &wrote, nullptr) && wrote == piece;
        done += piece;
    }
    if (bytes) ::LocalUnlock(data.Get());
    if (ok && timestamp > 0) {
        const auto ticks = static_cast<std::uint64_t>(timestamp + 11644473600LL) * 10000000ULL;
        const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
        ::SetFileTime(file.Get(), nullptr, nullptr, &time);
    }
    file.Reset();
    if (ok) ok = ::MoveFileExW(temporary, target.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    if (!ok) ::DeleteFileW(temporary);
    return ok;
}

int UnpackJob::UnpackByPlugin(const std::wstring& archive, const std::wstring& destination,
                              const std::vector<std::wstring>* only) {
    if (m_plugins == nullptr) return -1;
    std::vector<StructPluginMember> members;
    int plugin = -1;
    m_plugins->PauseLoader();
    const bool listed = m_plugins->List(archive, members, plugin);
    m_plugins->ResumeLoader();
    if (!listed) return -1;
    // Every member's place is known before anything is written: one that
    // would reach outside the destination stops the archive untouched.
    std::vector<std::pair<const StructPluginMember*, std::wstring>> chosen;
    std::vector<std::wstring> relatives;
    std::uint64_t total = 0;
    for (const StructPluginMember& member : members) {
        const std::wstring folder = ToWide(member.path);
        const std::wstring name = ToWide(member.fileName);
        if (only) {
            std::wstring full = folder;
            std::replace(full.begin(), full.end(), L'/', L'\\');
            while (!full.empty() && full.back() == L'\\') full.pop_back();
            full = full.empty() ? name : full + L'\\' + name;
            if (std::find(only->begin(), only->end(), full) == only->end()) continue;
        }
        const std::wstring relative = SafeMemberPath(folder, name, !m_request.ignoreFolders);
        if (relative.empty()) return 0;
        chosen.emplace_back(&member, relative);
        relatives.push_back(relative);
        total += member.size;
    }
    int done = 1;
    const bool placed = ThroughStaging(archive, destination, relatives, [&](const std::wstring& into) {
        const std::wstring root = WithoutSlash(into);
        std::uint64_t written = 0;
        for (const auto& [member, relative] : chosen) {
            if (m_stop.load()) {
                done = 0;
                return;
            }
            const std::wstring target = JoinPath(root, relative);
            if (!CreateDirectoryTree(std::wstring(ParentPart(target)))) {
                m_questions.Inform(L"ディレクトリの作成に失敗しました");
                done = 0;
                return;
            }
            m_tally.NoteMember(target);
            UniqueLocal data;
            std::size_t size = 0;
            if (m_plugins->Extract(archive, plugin, *member, data, size) != 0 ||
                !WriteMember(target, data, size, member->timestamp)) {
                done = 0;
                return;
            }
            written += member->size;
            if (onBytes) onBytes(written, total);
        }
    });
    if (!placed) m_stop.store(true);
    return placed ? done : 0;
}

bool UnpackJob::UnpackMembers() {
    if (m_membersByPlugin) {
        if (UnpackByPlugin(m_membersOf, m_request.destination, &m_members) == 1) return true;
        if (!m_stop.load()) m_questions.Inform(L"ファイルの解凍に失敗しました");
        return false;
    }
    // The first row whose library is the handle's: with one library, the first.
    const StructArchiverRow& row = m_table.front();
    int result = 0;
    const bool placed = ThroughStaging(m_membersOf, m_request.destination, m_members, [&](const std::wstring& into) {
        result = Called(row.unpackPrefix, MemberCommandLine(m_request.ignoreFolders, m_membersOf, into, m_members));
    });
    if (!placed) return false;
    if (result == 0) return true;
    if (result != arc::kErrorUserCancel)
        m_questions.Inform(L"ファイルの解凍に失敗しました" + ArchiverFailureReason(result));
    return false;
}

bool UnpackJob::Run() {
    if (!m_membersOf.empty()) return UnpackMembers() && !m_stop.load();
    bool failed = false;
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_stop.load()) return false;
        if (onArchive)
            onArchive(std::to_wstring(i + 1) + L"/" + std::to_wstring(m_items.size()) + L" " + m_items[i].name);
        if (!UnpackOne(m_items[i], failed)) return false;
    }
    return !failed && !m_stop.load();
}

}  // namespace zq
