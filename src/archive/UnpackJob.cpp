#include "archive/UnpackJob.h"

#include <cwchar>

#include "archive/ArchiverApi.h"
#include "common/Paths.h"
#include "common/TextConv.h"
#include "external/GuardedLibrary.h"

namespace zq {

namespace {

constexpr int kSevenZipRow = 7;
constexpr DWORD kCommandOutputSize = 29999;
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

}  // namespace

std::wstring UnpackDestination(const UnpackRequest& request, const std::wstring& archiveName) {
    std::wstring destination = WithoutSlash(request.destination);
    if (request.folderPerArchive) {
        const size_t dot = archiveName.rfind(L'.');
        destination = JoinPath(destination, dot == std::wstring::npos ? archiveName : archiveName.substr(0, dot));
    }
    if (destination.empty() || destination.back() != L'\\') destination += L'\\';
    return destination;
}

std::wstring UnpackOptionString(const StructArchiverRow& row, bool ignoreFolders, const std::wstring& password) {
    std::wstring options = (ignoreFolders ? row.ignoreFoldersOption : row.extractWord) + L' ';
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

bool UnpackJob::AskContinue(const std::wstring& reason, const Item& item) {
    const std::wstring text =
        L"ファイルの解凍に失敗しました" + reason + L"\n" + item.directory + L"\\" + item.name + L"\n続けますか?";
    return m_questions.OkCancel(text, kFailedCaption);
}

int UnpackJob::ListAndCheck(int row, const std::string& archive, const std::wstring& destination) {
    const StructArchiverRow& r = m_table[static_cast<size_t>(row)];
    GuardedLibrary library(m_libraryPath);
    const auto open = library.Find<arc::OpenArchiveFn>((r.unpackPrefix + "OpenArchive").c_str());
    const auto first = library.Find<arc::FindFirstFn>((r.unpackPrefix + "FindFirst").c_str());
    const auto next = library.Find<arc::FindNextFn>((r.unpackPrefix + "FindNext").c_str());
    const auto close = library.Find<arc::CloseArchiveFn>((r.unpackPrefix + "CloseArchive").c_str());
    if (!open || !first || !next || !close) return -1;
    const auto handle = open(nullptr, archive.c_str(), arc::kOpenModeList);
    if (!handle || !*handle) return 0;  // the command itself reports what is wrong with the archive
    std::vector<std::string> names;
    alignas(arc::INDIVIDUALINFO) unsigned char buffer[arc::kIndividualInfoAlloc] = {};
    auto* info = reinterpret_cast<arc::INDIVIDUALINFO*>(buffer);
    for (auto found = first(*handle, r.wildcard.c_str(), info); found && *found == 0; found = next(*handle, info))
        names.emplace_back(info->szFileName, strnlen(info->szFileName, sizeof info->szFileName));
    (void)close(*handle);
    const auto ansiDestination = AnsiText(WithoutSlash(destination));
    if (!ansiDestination) return -4;
    return CheckPathLengths(*ansiDestination, names, [](const std::string& path) {
        return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    });
}

bool UnpackJob::UnpackOne(const Item& item, bool& failed) {
    int error = 0;
    const int row =
        ChooseArchiver(m_table, m_libraryPath, {item.directory, item.name, false, m_request.checkPathLength}, error);
    if (row < 0) {
        failed = true;
        // The Susie route for formats only an archive plug-in knows is not taken here.
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
    if (result == 0 && m_request.checkPathLength) result = ListAndCheck(row, *ansiArchive, destination);
    GuardedLibrary library(m_libraryPath);
    const auto command = library.Find<arc::CommandFn>(r.unpackPrefix.c_str());
    if (result == 0 && !command) result = -1;
    if (result == 0) {
        const std::wstring line = UnpackCommandLine(
            row, UnpackOptionString(r, m_request.ignoreFolders, m_request.password), archive, destination);
        const auto ansiLine = AnsiText(line);
        if (!ansiLine) {
            result = -4;
        } else {
            const auto setOwner = library.Find<arc::SetOwnerWindowFn>((r.unpackPrefix + "SetOwnerWindow").c_str());
            const auto clearOwner =
                library.Find<arc::ClearOwnerWindowFn>((r.unpackPrefix + "ClearOwnerWindow").c_str());
            if (m_owner && setOwner) (void)setOwner(m_owner);
            std::string output(kCommandOutputSize, '\0');
            const auto answer = command(nullptr, ansiLine->c_str(), output.data(), kCommandOutputSize);
            if (m_owner && clearOwner) (void)clearOwner();
            result = answer ? *answer : arc::kErrorBrokenData;
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
            return AskContinue(L"", item);
    }
}

bool UnpackJob::UnpackMembers() {
    // The first row whose library is the handle's: with one library, the first.
    const StructArchiverRow& row = m_table.front();
    GuardedLibrary library(m_libraryPath);
    const auto command = library.Find<arc::CommandFn>(row.unpackPrefix.c_str());
    const auto line =
        AnsiText(MemberCommandLine(m_request.ignoreFolders, m_membersOf, m_request.destination, m_members));
    int result = -1;
    if (command && line) {
        const auto setOwner = library.Find<arc::SetOwnerWindowFn>((row.unpackPrefix + "SetOwnerWindow").c_str());
        const auto clearOwner = library.Find<arc::ClearOwnerWindowFn>((row.unpackPrefix + "ClearOwnerWindow").c_str());
        if (m_owner && setOwner) (void)setOwner(m_owner);
        std::string output(kCommandOutputSize, '\0');
        const auto answer = command(nullptr, line->c_str(), output.data(), kCommandOutputSize);
        if (m_owner && clearOwner) (void)clearOwner();
        result = answer ? *answer : arc::kErrorBrokenData;
    }
    if (result == 0) return true;
    if (result != arc::kErrorUserCancel) m_questions.Inform(L"ファイルの解凍に失敗しました");
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
