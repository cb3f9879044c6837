#include "fileops/SyncJob.h"

#include <cwchar>

#include "common/Handle.h"
#include "common/Paths.h"
#include "common/TreeWalk.h"

namespace zq::fileops {

SyncJob::SyncJob(std::vector<StructSyncData> lines, std::wstring sourceDirectory, std::wstring destinationDirectory,
                 bool removableFast, SyncJobServices services)
    : m_lines(std::move(lines)),
      m_sourceDirectory(std::move(sourceDirectory)),
      m_destinationDirectory(std::move(destinationDirectory)),
      m_services(services),
      m_copier(services.fs, services.clock) {
    m_copier.SetRemovableFast(removableFast);
    m_copier.SetProgress(&services.progress, &m_totals);
}

bool SyncJob::MakeTargetDirectories(const std::wstring& from, const std::wstring& to, const std::wstring& relative) {
    IFileSystem& fs = m_services.fs;
    for (size_t slash = relative.find(L'\\'); slash != std::wstring::npos; slash = relative.find(L'\\', slash + 1)) {
        const std::wstring part = relative.substr(0, slash);
        const std::wstring target = JoinPath(to, part);
        const DWORD existing = fs.Attributes(target);
        if (existing != INVALID_FILE_ATTRIBUTES) {
            if ((existing & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
            return false;  // a file stands where the directory must go
        }
        if (!fs.MakeDirectory(target)) return false;
        const DWORD attributes = fs.Attributes(JoinPath(from, part));
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & ~FILE_ATTRIBUTE_DIRECTORY) != 0)
            fs.SetAttributes(target, attributes & ~FILE_ATTRIBUTE_DIRECTORY);
    }
    return true;
}

bool SyncJob::Run() {
    IFileSystem& fs = m_services.fs;
    m_services.progress.Running(false);
    m_totals.jobStartTick = m_services.clock.TickMs();
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const StructSyncData& line = m_lines[i];
        if (line.direction == kSyncNone) continue;
        if (m_cancel.load()) return false;
        const bool down = line.direction == kSyncToDestination;
        const std::wstring& from = down ? m_sourceDirectory : m_destinationDirectory;
        const std::wstring& to = down ? m_destinationDirectory : m_sourceDirectory;
        if (!MakeTargetDirectories(from, to, line.relativePath)) {
            m_services.asker.Tell(kSyncMakeDirectoryFailedText);
            return false;
        }
        const std::wstring sourcePath = JoinPath(from, line.relativePath);
        WIN32_FIND_DATAW source{};
        {
            UniqueFind find(fs.FindFirst(sourcePath, &source));
            if (!find || DirectoryEnumerator::IsDirectory(source)) {
                wchar_t text[700] = {};
                _snwprintf_s(text, 700, _TRUNCATE, L"コピー元ファイル%sが見つかりません", sourcePath.c_str());
                m_services.asker.Tell(text);
                return false;
            }
        }
        if (m_services.lines != nullptr)
            m_services.lines->ShowLine(i, std::wstring(DirectionSymbol(line)) + L" " + line.relativePath);
        const std::wstring targetPath = JoinPath(to, line.relativePath);
        const DWORD existing = fs.Attributes(targetPath);
        m_copier.SetReplaceExisting(existing != INVALID_FILE_ATTRIBUTES);
        const std::wstring sourceDirectory(ParentPart(sourcePath));
        switch (m_copier.Copy(sourceDirectory, source, targetPath, m_cancel)) {
            case FileCopier::Result::Done:
                ++m_copied;
                break;
            case FileCopier::Result::Cancelled:
                return false;
            case FileCopier::Result::Failed:
            case FileCopier::Result::Exists:
                if (m_cancel.load()) return false;
                if (m_services.asker.AskYesNo(kSyncCopyFailedText, std::wstring()) == kAnswerNo) return false;
                break;
        }
    }
    return true;
}

}  // namespace zq::fileops
