#include "fileops/CopyJob.h"

#include "common/Paths.h"
#include "fileops/CopyText.h"

namespace zq::fileops {
namespace {

struct ModeTitle {
    unsigned mode;
    const wchar_t* title;
};
constexpr ModeTitle kModeTitles[] = {
    {kModeCopy, L"ファイルのコピー"},
    {kModeMove, L"ファイルの移動"},
    {kModeUpMove, L"ディレクトリの内容をこのディレクトリへ"},
    {kModeNeglectDir, L"ディレクトリ中のファイルをこのディレクトリへ"},
    {kModeDropCopy, L"ファイルのコピー"},
    {kModeCopyToAll, L"選択しているすべてのディレクトリにコピー"},
    {kModeDropMove, L"ファイルの移動"},
};

// Not a question: several files may meet themselves in one job, and they
// are named together once it ends.
constexpr wchar_t kRefusedSelf[] = L"次のファイルはコピー先が自分自身のためコピーしませんでした";
constexpr size_t kNamesShown = 20;

}  // namespace

bool IsMoveMode(unsigned mode) {
    return mode == kModeMove || mode == kModeUpMove || mode == kModeNeglectDir || mode == kModeDropMove;
}

std::wstring_view CopyModeTitle(unsigned mode) {
    for (const ModeTitle& row : kModeTitles)
        if (row.mode == mode) return row.title;
    return {};
}

CopyJob::CopyJob(CopyJobOptions options, CopyJobInput input, CopyJobServices services)
    : m_options(std::move(options)),
      m_input(std::move(input)),
      m_services(services),
      m_fs(services.fs),
      m_sameName(m_options.sameName),
      m_filter(m_options.include, m_options.exclude),
      m_copier(services.fs, services.clock),
      m_walk(services.fs) {
    m_copier.SetRemovableFast(m_options.removableFast);
    m_copier.SetSafeReplace(m_options.safeReplace);
    m_copier.SetNewFilesInPlace(m_options.newFilesInPlace);
    m_copier.SetVerify(m_options.verify);
    m_copier.SetProgress(&m_services.progress, &m_totals);
    // Kept as the panes keep a folder ("R:" for a root), so that every name is
    // joined to it with exactly one backslash.
    m_destinationRoot = FolderForm(m_input.destination);
}

CopyJob::~CopyJob() = default;

std::wstring CopyJob::FinalPathOfFolder(const std::wstring& path) {
    std::wstring existing = NormalisePath(path), rest;
    while (!existing.empty()) {
        const std::wstring found = m_fs.FinalPath(existing);
        if (!found.empty()) return rest.empty() ? found : JoinPath(found, rest);
        const std::wstring parent = ParentPath(existing);
        if (parent.empty()) break;
        const std::wstring name(FileNamePart(existing));
        rest = rest.empty() ? name : JoinPath(name, rest);
        existing = parent;
    }
    return {};
}

bool CopyJob::LoopGuardHits(const std::wstring& destination) {
    if (m_options.mode == kModeDropCopy || m_options.mode == kModeDropMove) return false;
    const SelectionSnapshot& s = m_input.source;
    std::wstring finalDestination;
    bool finalAsked = false;
    for (size_t i = 0; i < s.Count(); ++i) {
        if (!SelectionSnapshot::IsDirectory(s.entries[i])) continue;
        const std::wstring directory = JoinPath(s.DirectoryOf(i), s.entries[i].cFileName);
        if (IsSameOrBelow(destination, directory)) return true;
        // A link can lead into the selected directory under another name; only
        // the paths the platform finally reaches tell.
        if (!finalAsked) {
            finalDestination = FinalPathOfFolder(destination);
            finalAsked = true;
        }
        const std::wstring finalDirectory = m_fs.FinalPath(directory);
        if (!finalDestination.empty() && !finalDirectory.empty() && IsSameOrBelow(finalDestination, finalDirectory))
            return true;
    }
    return false;
}

bool CopyJob::IsSameFile(const std::wstring& a, const std::wstring& b) {
    if (SamePath(a, b)) return true;
    const std::wstring finalA = m_fs.FinalPath(a);
    return !finalA.empty() && SamePath(finalA, m_fs.FinalPath(b));
}

CopyJob::Step CopyJob::RefuseSelf(const Item& item, const std::wstring& source) {
    m_refusedSelf.push_back(source);
    return Skip(item);
}

void CopyJob::ReportRefused() {
    struct Group {
        const std::vector<std::wstring>& paths;
        const wchar_t* logCall;
        const wchar_t* title;
    };
    const Group groups[] = {
        {m_refusedSelf, L"SameFile", kRefusedSelf},
        {m_linksBackUp, L"LoopLink", L"無限ループに入るファイルのコピーできません"},
    };
    for (const Group& group : groups) {
        if (group.paths.empty()) continue;
        if (m_log.NoQuestion()) {
            for (const std::wstring& path : group.paths) (void)m_log.Write(group.logCall, 0, path);
            continue;
        }
        std::wstring text = group.title;
        for (size_t i = 0; i < group.paths.size() && i < kNamesShown; ++i) text += L"\n" + group.paths[i];
        if (group.paths.size() > kNamesShown)
            text += L"\nほか" + std::to_wstring(group.paths.size() - kNamesShown) + L"件";
        m_services.asker.Tell(text);
    }
}

bool CopyJob::SameVolume(const std::wstring& a, const std::wstring& b) {
    return SamePath(m_fs.VolumeRoot(a), m_fs.VolumeRoot(b));
}

void CopyJob::CountTree(const std::wstring& directory) {
    // The walk passes a link back up over; so does the count.
    ForEachFileInTree(m_fs, directory, [this](const WIN32_FIND_DATAW& data) {
        m_totals.totalBytes += FindDataSize(data);
        ++m_totals.totalFiles;
        return true;
    });
}

void CopyJob::CountTotals() {
    const unsigned mode = m_options.mode;
    bool count = mode == kModeCopy || mode == kModeDropCopy;
    if (mode == kModeMove || mode == kModeDropMove) {
        // A move within one volume is a rename: there are no bytes to count.
        std::wstring sourceDirectory = m_input.source.directory;
        if (mode == kModeDropMove && !m_input.dropped.empty())
            sourceDirectory = FolderForm(ParentPath(m_input.dropped.front()));
        count = !SameVolume(sourceDirectory, m_destinationRoot);
    }
    if (!count) return;
    const auto add = [this](const std::wstring& directory, const WIN32_FIND_DATAW& entry) {
        if (SelectionSnapshot::IsDirectory(entry)) {
            CountTree(JoinPath(directory, entry.cFileName));
        } else {
            m_totals.totalBytes += (FindDataSize(entry));
            ++m_totals.totalFiles;
        }
    };
    if (mode == kModeDropCopy || mode == kModeDropMove) {
        for (const std::wstring& path : m_input.dropped) {
            WIN32_FIND_DATAW data{};
            UniqueFind find(m_fs.FindFirst(path, &data));
            if (find) add(FolderForm(ParentPath(path)), data);
        }
    } else {
        for (size_t i = 0; i < m_input.source.Count(); ++i)
            add(m_input.source.DirectoryOf(i), m_input.source.entries[i]);
    }
    m_totals.overallDisplay = true;
    m_totals.bytesDone = 0;
    m_totals.filesDone = 0;
    IOperationProgress& p = m_services.progress;
    p.SetText(ProgressField::OverallBytes, GroupDigits(0, 15) + L"/" + GroupDigits(m_totals.totalBytes, 15));
    p.SetText(ProgressField::OverallFiles, L"0/" + std::to_wstring(m_totals.totalFiles));
    p.SetText(ProgressField::OverallPercent, m_totals.totalBytes == 0 ? L"100.0%" : L"0.0%");
}

// Mode 5: the next directory of the other pane becomes the destination root.
bool CopyJob::NextTarget(bool& end) {
    end = false;
    const SelectionSnapshot& other = m_input.other;
    while (m_nextTarget < other.Count()) {
        const WIN32_FIND_DATAW& entry = other.entries[m_nextTarget++];
        if (!SelectionSnapshot::IsDirectory(entry)) continue;
        const std::wstring target = JoinPath(other.directory, entry.cFileName);
        if (LoopGuardHits(target)) {
            m_services.asker.Tell(L"無限ループに入るファイルのコピーできません");
            end = true;
            return false;
        }
        const DWORD attributes = m_fs.Attributes(target);
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            if (!MakeDirectories(target)) continue;
            m_fs.SetAttributes(target, entry.dwFileAttributes & ~FILE_ATTRIBUTE_DIRECTORY);
        } else if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            continue;
        }
        m_destinationRoot = target;
        m_services.progress.SetText(ProgressField::Destination, target);
        m_nextTopLevel = 0;
        return true;
    }
    return false;
}

CopyJob::StartResult CopyJob::Start() {
    if (m_options.noQuestion && !m_sameName.Ask(m_services.asker, nullptr)) return StartResult::Fail;
    m_log =
        JobErrorLog(m_options.programDirectory, std::wstring(CopyModeLogWord(m_options.mode)), m_options.noQuestion);
    const SYSTEMTIME start = m_services.clock.LocalNow();
    m_log.Start(start);
    m_totals.jobStartTick = m_services.clock.TickMs();
    if (m_options.mode == kModeCopyToAll) {
        bool end = false;
        if (!NextTarget(end)) return end ? StartResult::Fail : StartResult::NothingToDo;
    } else {
        // Checked before the destination is created, so a refused job leaves
        // nothing behind.
        if (LoopGuardHits(m_destinationRoot)) {
            m_services.asker.Tell(L"無限ループに入るファイルのコピーできません");
            return StartResult::Fail;
        }
        if (EnsureDirectory(m_destinationRoot, 0, false) != DirResult::Ok) return StartResult::Fail;
        if (m_options.overallDisplay) CountTotals();
    }
    m_services.progress.Running(m_options.minimize);
    m_services.progress.SetText(ProgressField::StartTime, FormatClock(start));
    return StartResult::Go;
}

bool CopyJob::Run() {
    const StartResult start = Start();
    if (start != StartResult::Go) return start == StartResult::NothingToDo;
    const bool completed = Walk();
    m_walk.Clear();
    ReportRefused();
    return completed;
}

bool CopyJob::Walk() {
    for (;;) {
        if (m_cancel.load()) return false;
        Item item;
        const Take take = TakeNext(item);
        if (take == Take::End) return false;
        if (take == Take::Exhausted) {
            if (m_options.mode != kModeCopyToAll) return true;
            bool end = false;
            if (NextTarget(end)) continue;
            return !end;
        }
        m_services.progress.SetText(ProgressField::File, item.relativePath);
        const Step step = SelectionSnapshot::IsDirectory(item.find) ? HandleDirectory(item) : HandleFile(item);
        if (step == Step::End) return false;
    }
}

bool CopyJob::TakeTopLevel(Item& item) {
    const unsigned mode = m_options.mode;
    if (mode == kModeDropCopy || mode == kModeDropMove) {
        bool found = false;
        while (!found && m_nextTopLevel < m_input.dropped.size()) {
            const std::wstring& path = m_input.dropped[m_nextTopLevel++];
            UniqueFind find(m_fs.FindFirst(path, &item.find));
            if (!find) continue;  // dropped paths that have gone since are passed over
            item.sourceDirectory = FolderForm(ParentPath(path));
            found = true;
        }
        if (!found) return false;
    } else {
        const SelectionSnapshot& s = m_input.source;
        for (;;) {
            if (m_nextTopLevel >= s.Count()) return false;
            const size_t index = m_nextTopLevel++;
            const bool isDirectory = SelectionSnapshot::IsDirectory(s.entries[index]);
            if ((mode == kModeUpMove || mode == kModeNeglectDir) && !isDirectory) continue;
            item.find = s.entries[index];
            item.sourceDirectory = s.DirectoryOf(index);
            item.fromVirtualListing = s.isVirtual;
            break;
        }
    }
    item.topLevel = true;
    item.relativePath = item.find.cFileName;
    item.destinationDirectory = m_destinationRoot;
    m_currentSourceDirectory = item.sourceDirectory;
    m_currentFromVirtual = item.fromVirtualListing;
    return true;
}

CopyJob::Take CopyJob::TakeNext(Item& item) {
    WIN32_FIND_DATAW data{};
    for (;;) {
        const auto step = m_walk.Next(data);
        if (step == TreeWalker<CopyFrame>::Step::Finished) break;
        if (step == TreeWalker<CopyFrame>::Step::DirectoryDone) {
            FinishDirectory();
            if (m_cancel.load()) return Take::End;
            continue;
        }
        auto& frame = m_walk.Top();
        if (step == TreeWalker<CopyFrame>::Step::LinkBackUp) {
            m_linksBackUp.push_back(JoinPath(frame.Path(), data.cFileName));
            continue;
        }
        // Only files found inside a walked directory are filtered: an entry the
        // user selected himself is always taken, and subdirectories are walked
        // so that matching files deeper down are found.
        if (!SelectionSnapshot::IsDirectory(data) && !m_filter.Passes(data.cFileName)) continue;
        item.find = data;
        item.sourceDirectory = frame.Path();
        item.relativePath = JoinPath(frame.relativePath, data.cFileName);
        item.destinationDirectory = frame.extra.destination;
        item.topLevel = false;
        item.fromVirtualListing = false;
        return Take::Item;
    }
    return TakeTopLevel(item) ? Take::Item : Take::Exhausted;
}

void CopyJob::FinishDirectory() {
    auto& frame = m_walk.Top();
    frame.entries.Close();
    // A move onto a virtual drive only lists the real files: their directory stays where it is.
    if (IsMoveMode(m_options.mode) && !m_currentFromVirtual && !OnVirtualDrive(frame.extra.destination)) {
        // Removal fails, silently, while anything is left inside (a declined or
        // failed file): only an emptied directory goes.
        m_fs.SetAttributes(frame.Path(), FILE_ATTRIBUTE_ARCHIVE);
        m_fs.RemoveDirectory(frame.Path());
    }
    const CopyFrame& times = frame.extra;
    UniqueFile destination(m_fs.Open(times.destination, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS));
    if (destination) m_fs.SetTimes(destination.Get(), &times.creationTime, &times.lastAccessTime, &times.lastWriteTime);
    m_walk.Leave();
}

}  // namespace zq::fileops
