#include "fileops/DeleteJob.h"

#include <cwchar>

#include "common/Paths.h"
#include "fileops/OperationLog.h"

namespace zq::fileops {
namespace {

constexpr wchar_t kFailedContinue[] = L"削除に失敗しました続けますか";
constexpr wchar_t kRemainingTitle[] = L"次のファイルは削除できませんでした";
constexpr wchar_t kForGoodQuestion[] = L"%sはごみ箱に移動できないため完全に削除されます。削除しますか";
constexpr wchar_t kDeleteCaption[] = L"ファイルの削除";
constexpr size_t kNamesShown = 20;

// Checked in this order: a file that is system and read-only is asked about
// as a system file only.
struct KindRow {
    DWORD attribute;
    const wchar_t* format;
};
constexpr KindRow kKindRows[] = {
    {FILE_ATTRIBUTE_SYSTEM, L"%sは\nシステムファイルです。消去しますか?"},
    {FILE_ATTRIBUTE_READONLY, L"%sは\nリードオンリーファイルです。消去しますか?"},
    {FILE_ATTRIBUTE_HIDDEN, L"%sは\n隠しファイルです。消去しますか?"},
};

std::wstring Format(const wchar_t* format, const std::wstring& path) {
    std::wstring text(format);
    text.replace(text.find(L"%s"), 2, path);
    return text;
}

}  // namespace

DeleteJob::DeleteJob(SelectionSnapshot selection, DeleteOptions options, DeleteServices services)
    : m_selection(std::move(selection)),
      m_options(options),
      m_services(services),
      m_fs(services.fs),
      m_walk(services.fs, true) {}

DeleteJob::~DeleteJob() = default;

bool DeleteJob::WholeFolderToBin() const noexcept {
    return m_options.foldersAtOnce && m_options.toRecycleBin && !m_options.noDeleteDirectories;
}

void DeleteJob::Show(const std::wstring& item) {
    if (m_services.progress != nullptr) m_services.progress->SetText(ProgressField::File, item);
}

bool DeleteJob::HoldsFile(const std::wstring& directory) {
    return !ForEachFileInTree(m_fs, directory, [](const WIN32_FIND_DATAW&) { return false; });
}

bool DeleteJob::IsEmptyDirectory(const std::wstring& directory) {
    DirectoryEnumerator entries(m_fs, directory);
    WIN32_FIND_DATAW data{};
    return !entries.Next(data);
}

void DeleteJob::FinishDirectory() {
    // The directory is named by its full path, so nothing here depends on, or
    // changes, the process's current directory.
    const std::wstring path = m_walk.Top().Path();
    m_walk.Top().entries.Close();
    if (!m_options.noDeleteDirectories && (WholeFolderToBin() || IsEmptyDirectory(path))) {
        // A directory that still holds entries stays silently: what is left in
        // it was declined or failed, and was asked about already.  One that was
        // empty and is still there is reported.
        if (m_options.toRecycleBin) {
            m_services.recycleBin.Recycle(path);
        } else {
            m_fs.SetAttributes(path, FILE_ATTRIBUTE_NORMAL);
            m_fs.RemoveDirectory(path);
        }
        CheckGone(path);
    }
    m_walk.Leave();
}

void DeleteJob::RemoveLink(const std::wstring& path) {
    // Only the link goes, never what it leads to: removing a directory link
    // as a directory takes the link alone, and it is never sent to the bin,
    // which under Wine empties a folder it cannot move.  A link the platform
    // will not remove this way is named with what was left.
    m_fs.RemoveDirectory(path);
    CheckGone(path);
}

void DeleteJob::CheckGone(const std::wstring& path) {
    if (m_fs.Attributes(path) != INVALID_FILE_ATTRIBUTES) m_remaining.push_back(path);
}

bool DeleteJob::AllowedToRecycle(const std::wstring& path) {
    if (!m_options.askBeforeDeletingForGood || !m_services.recycleBin.WouldDeleteForGood(path)) return true;
    return m_services.asker.AskYesNo(Format(kForGoodQuestion, path), kDeleteCaption) != kAnswerNo;
}

void DeleteJob::ReportRemaining() {
    if (m_remaining.empty()) return;
    if (!m_options.programDirectory.empty()) {
        // Written whatever the question mode: the list may be longer than a
        // message can show.
        JobErrorLog log(m_options.programDirectory, L"DELETE", true);
        SYSTEMTIME now{};
        ::GetLocalTime(&now);
        log.Start(now);
        for (const std::wstring& path : m_remaining) (void)log.Write(L"DeleteFile", 0, path);
        m_logPath = log.FilePath();
    }
    std::wstring text = kRemainingTitle;
    for (size_t i = 0; i < m_remaining.size() && i < kNamesShown; ++i) text += L"\n" + m_remaining[i];
    if (m_remaining.size() > kNamesShown) text += L"\nほか" + std::to_wstring(m_remaining.size() - kNamesShown) + L"件";
    if (!m_logPath.empty()) text += L"\n(" + m_logPath + L")";
    m_services.asker.Tell(text);
}

bool DeleteJob::DeleteOneFile(const WIN32_FIND_DATAW& entry, const std::wstring& fullPath) {
    for (int kind = 0; kind < kKinds; ++kind) {
        if (!(entry.dwFileAttributes & kKindRows[kind].attribute)) continue;
        Question& question = m_questions[kind];
        if (!question.sameFromNow) {
            bool same = true;
            question.yes = m_services.asker.AskSame(L"削除の確認", Format(kKindRows[kind].format, fullPath), same);
            question.sameFromNow = same;
        }
        if (!question.yes) return true;  // kept
        break;
    }
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY) && !m_fs.SetAttributes(fullPath, FILE_ATTRIBUTE_ARCHIVE)) {
        if (m_services.asker.AskYesNo(kFailedContinue, std::wstring()) == kAnswerNo) return false;
    }
    const bool deleted = m_options.toRecycleBin ? m_services.recycleBin.Recycle(fullPath) : m_fs.Delete(fullPath);
    if (!deleted && m_services.asker.AskYesNo(kFailedContinue, std::wstring()) == kAnswerNo) {
        m_remaining.push_back(fullPath);
        return false;
    }
    // A success is not taken on trust: a platform may report a file removed
    // that an immutable flag or a read-only mount kept.
    CheckGone(fullPath);
    return true;
}

bool DeleteJob::DeleteItem(const WIN32_FIND_DATAW& entry, const std::wstring& fullPath,
                           const std::wstring& relativePath, bool topLevel, size_t index) {
    const bool virtualEntry = topLevel && m_selection.isVirtual;
    if (virtualEntry) {
        // Only the listing loses the entry; the real file or directory stays.
        if (m_services.virtualDrives != nullptr)
            m_services.virtualDrives->Remove(m_selection.directory, m_selection.DirectoryOf(index), entry.cFileName);
        return true;
    }
    if (SelectionSnapshot::IsDirectory(entry)) {
        if (topLevel && IsDirectoryLink(m_fs, m_topDirectory, entry)) {
            RemoveLink(fullPath);
            return true;
        }
        m_walk.Enter(fullPath, relativePath);
        return true;
    }
    return DeleteOneFile(entry, fullPath);
}

bool DeleteJob::Run() {
    while (!m_cancel.load()) {
        WIN32_FIND_DATAW entry{};
        std::wstring fullPath, relativePath;
        bool topLevel = false;
        size_t index = 0;
        if (m_walk.Walking()) {
            // A whole folder to the bin goes as one: nothing inside is walked.
            const auto step = WholeFolderToBin() ? TreeWalker<>::Step::DirectoryDone : m_walk.Next(entry);
            if (step == TreeWalker<>::Step::DirectoryDone) {
                FinishDirectory();
                continue;
            }
            const auto& frame = m_walk.Top();
            relativePath = JoinPath(frame.relativePath, entry.cFileName);
            fullPath = JoinPath(frame.Path(), entry.cFileName);
            // A link back up the tree is neither walked nor removed: it would
            // never end, and it is named with what was left.
            if (step == TreeWalker<>::Step::LinkBackUp) {
                m_remaining.push_back(fullPath);
                continue;
            }
            if (step == TreeWalker<>::Step::Link) {
                Show(relativePath);
                RemoveLink(fullPath);
                continue;
            }
            Show(relativePath);
        } else {
            if (m_nextTopLevel >= m_selection.Count()) {
                ReportRemaining();
                return true;
            }
            index = m_nextTopLevel++;
            entry = m_selection.entries[index];
            const std::wstring directory =
                m_selection.isVirtual ? m_selection.directory : m_selection.DirectoryOf(index);
            fullPath = JoinPath(directory, entry.cFileName);
            if (m_options.warnNotEmpty && SelectionSnapshot::IsDirectory(entry) && !m_selection.isVirtual &&
                HoldsFile(fullPath) &&
                m_services.asker.AskYesNo(Format(L"%sにはファイルが存在します。消去しますか", fullPath),
                                          kDeleteCaption) == kAnswerNo)
                continue;
            if (m_options.toRecycleBin && !m_selection.isVirtual && !AllowedToRecycle(fullPath)) continue;
            m_topDirectory = directory;
            relativePath = entry.cFileName;
            topLevel = true;
            Show(relativePath);
        }
        if (!DeleteItem(entry, fullPath, relativePath, topLevel, index)) {
            m_cancel.store(true);
        }
    }
    m_walk.Clear();
    ReportRemaining();
    return false;
}

}  // namespace zq::fileops
