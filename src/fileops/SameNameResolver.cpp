#include "fileops/SameNameResolver.h"

#include <cwchar>

#include "common/Handle.h"
#include "fileops/SelectionSnapshot.h"
#include "common/Paths.h"

namespace zq::fileops {
namespace {

constexpr ULONGLONG kTimeTolerance = 20000000;  // 2 s in 100-ns units

ULONGLONG Ticks(const FILETIME& t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

bool Exists(IFileSystem& fs, const std::wstring& path) {
    return fs.Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

int CompareWriteTimes(const FILETIME& a, const FILETIME& b, bool range) {
    const ULONGLONG tolerance = range ? kTimeTolerance : 0;
    const ULONGLONG ta = Ticks(a), tb = Ticks(b);
    if (ta > tb + tolerance) return 1;
    if (tb > ta + tolerance) return -1;
    return 0;
}

std::wstring FirstFreeNumberedPath(IFileSystem& fs, const std::wstring& destinationDirectory,
                                   const std::wstring& name) {
    std::wstring base, extension;
    SplitFileName(name, base, extension);
    for (int number = 0; number <= 998; ++number) {
        wchar_t digits[8] = {};
        swprintf(digits, 8, L"%03d", number);
        const std::wstring path = destinationDirectory + L"\\" + base + digits + L"." + extension;
        if (!Exists(fs, path)) return path;
    }
    return {};
}

SameNameResolver::SameNameResolver(const SameNameSettings& settings)
    : m_settings(settings), m_noCopyAttributes(settings.noCopyAttributes), m_noCopyDateTime(settings.noCopyDateTime) {}

void SameNameResolver::SetWay(CopyWay way, bool sameFromNow) {
    m_way = static_cast<int>(way);
    m_sameFromNow = sameFromNow;
    m_firstQuestion = false;
}

bool SameNameResolver::Ask(IOperationAsker& asker, const SameNameFile* file) {
    SameNameChoice choice;
    choice.way = m_way;
    if (m_firstQuestion && m_settings.saveWay) choice.way = m_settings.savedWay;
    choice.sameFromNow = m_firstQuestion ? true : m_sameFromNow;
    choice.timeRange = m_settings.timeRange;
    choice.noCopyAttributes = m_noCopyAttributes;
    choice.noCopyDateTime = m_noCopyDateTime;
    // Cleared before asking: a cancelled first question still counts as asked.
    m_firstQuestion = false;
    if (!asker.AskWay(choice, file)) return false;
    if (choice.way < 0 || choice.way >= kCopyWayCount) choice.way = 0;
    m_noCopyAttributes = m_settings.noCopyAttributes = choice.noCopyAttributes;
    m_noCopyDateTime = m_settings.noCopyDateTime = choice.noCopyDateTime;
    m_settings.timeRange = choice.timeRange;
    m_sameFromNow = choice.sameFromNow;
    m_way = choice.way;
    m_settings.savedWay = choice.way;
    return true;
}

SameNameOutcome SameNameResolver::Apply(IFileSystem& fs, IOperationAsker& asker, const WIN32_FIND_DATAW& source,
                                        const WIN32_FIND_DATAW& destination,
                                        const std::wstring& destinationDirectory) const {
    SameNameOutcome out;
    const auto copyWhen = [&out](bool allowed) {
        out.action = allowed ? SameNameAction::Copy : SameNameAction::SkipAfterNoCopy;
    };
    switch (static_cast<CopyWay>(m_way)) {
        case CopyWay::Newer:
            copyWhen(CompareWriteTimes(source.ftLastWriteTime, destination.ftLastWriteTime, m_settings.timeRange) > 0);
            break;
        case CopyWay::Older:
            copyWhen(CompareWriteTimes(source.ftLastWriteTime, destination.ftLastWriteTime, m_settings.timeRange) < 0);
            break;
        case CopyWay::Larger:
            copyWhen(FindDataSize(source) > FindDataSize(destination));
            break;
        case CopyWay::Rename: {
            std::wstring newName;
            if (!asker.AskNewName(source, destinationDirectory, newName)) {
                out.action = SameNameAction::EndJob;
                break;
            }
            const std::wstring path = destinationDirectory + L"\\" + newName;
            if (newName.empty() || Exists(fs, path)) {
                out.action = SameNameAction::Skip;
            } else {
                out.action = SameNameAction::CopyAs;
                out.newPath = path;
            }
            break;
        }
        case CopyWay::Numbered:
            out = Numbered(fs, source, destinationDirectory);
            break;
        case CopyWay::Skip:
            out.action = SameNameAction::SkipAfterNoCopy;
            break;
        case CopyWay::Overwrite:
            out.action = SameNameAction::Copy;
            break;
    }
    return out;
}

SameNameOutcome SameNameResolver::Numbered(IFileSystem& fs, const WIN32_FIND_DATAW& source,
                                           const std::wstring& destinationDirectory) {
    SameNameOutcome out;
    out.newPath = FirstFreeNumberedPath(fs, destinationDirectory, source.cFileName);
    out.action = out.newPath.empty() ? SameNameAction::Skip : SameNameAction::CopyAs;
    return out;
}

bool SameNameResolver::NoCaseLess::operator()(const std::wstring& a, const std::wstring& b) const {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_LESS_THAN;
}

void SameNameResolver::NoteWritten(const std::wstring& path) {
    m_written.insert(path);
}

void SameNameResolver::NoteWrittenTree(const std::wstring& directory) {
    m_writtenTrees.push_back(directory);
}

bool SameNameResolver::WrittenByThisJob(const std::wstring& path) const {
    if (m_written.count(path) != 0) return true;
    for (const std::wstring& tree : m_writtenTrees) {
        if (path.size() <= tree.size() || path[tree.size()] != L'\\') continue;
        if (::CompareStringOrdinal(path.data(), static_cast<int>(tree.size()), tree.data(),
                                   static_cast<int>(tree.size()), TRUE) == CSTR_EQUAL)
            return true;
    }
    return false;
}

void SameNameResolver::NoteCreatedDirectory(const std::wstring& directory) {
    m_createdDirectories.insert(directory);
}

bool SameNameResolver::KnownAbsent(const std::wstring& directory, const std::wstring& path) const {
    return m_createdDirectories.count(directory) != 0 && m_createdDirectories.count(path) == 0 &&
           !WrittenByThisJob(path);
}

NoCopyFailure SameNameResolver::RunNoCopyProcessing(IFileSystem& fs, const WIN32_FIND_DATAW& source,
                                                    const std::wstring& destinationPath) const {
    NoCopyFailure failure;
    const auto fail = [&failure](const wchar_t* call, const wchar_t* word) {
        failure.call = call;
        failure.code = ::GetLastError();
        if (!failure.words.empty()) failure.words += L",";
        failure.words += word;
    };
    if (m_noCopyAttributes && !fs.SetAttributes(destinationPath, source.dwFileAttributes))
        fail(L"SetFileAttributes", L"属性");
    if (m_noCopyDateTime) {
        fs.SetAttributes(destinationPath, FILE_ATTRIBUTE_NORMAL);
        UniqueFile file(fs.Open(destinationPath, GENERIC_WRITE, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
        if (!file) {
            fail(L"CreateFile", L"日時");
        } else if (!fs.SetTimes(file.Get(), &source.ftCreationTime, &source.ftLastAccessTime,
                                &source.ftLastWriteTime)) {
            fail(L"SetFileTime", L"日時");
        }
        file.Reset();
        fs.SetAttributes(destinationPath, source.dwFileAttributes);
    }
    return failure;
}

}  // namespace zq::fileops
