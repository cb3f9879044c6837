#include "fileops/StagedMove.h"

#include "common/Paths.h"
#include "fileops/ViewFileOpsSettings.h"
#include "fileops/WorkerQuestions.h"
#include "settings/Settings.h"
#include "ui/CJobThread.h"

namespace zq::fileops {

namespace {

// The unpack dialog shows its own progress; the move of a few colliding
// names has nothing to add to it.
struct QuietProgress : IOperationProgress {
    void SetText(ProgressField, const std::wstring&) override {}
};

}  // namespace

bool MoveStagedTree(const std::wstring& staging, const std::wstring& destination, CopyJobOptions& options,
                    IFileSystem& fs, IOperationAsker& asker) {
    CopyJobInput input;
    input.source.directory = std::wstring(ParentPart(staging));
    FileEntry folder{};
    if (!fs.FindData(staging, &folder)) return false;
    input.source.entries.push_back(folder);
    input.destination = destination;
    options.mode = kModeUpMove;
    QuietProgress progress;
    SystemClock clock;
    CopyJob job(options, std::move(input), CopyJobServices{fs, asker, progress, clock});
    const bool completed = job.Run();
    options.sameName = job.SameNameSettingsAfter();
    return completed;
}

}  // namespace zq::fileops

namespace zq {

bool MoveStagedFiles(Settings& settings, const std::wstring& programDir, const std::wstring& staging,
                     const std::wstring& destination, HWND owner) {
    fileops::CopyDialogSettings copy;
    ui::RunOnWindowThread(owner, [&] { copy = CopySettingsFrom(settings, programDir); });
    fileops::CopyJobOptions options;
    options.noQuestion = copy.noQuestion;
    options.removableFast = copy.removableFast;
    options.verify = copy.verify;
    options.newFilesInPlace = copy.newFilesInPlace;
    options.sameName = copy.sameName;
    options.programDirectory = copy.programDirectory;
    fileops::WorkerQuestions questions(owner);
    const bool completed = fileops::MoveStagedTree(staging, destination, options, RealFileSystem(), questions);
    ui::RunOnWindowThread(owner, [&] {
        copy.sameName = options.sameName;
        StoreCopySettings(copy, settings);
    });
    return completed;
}

}  // namespace zq
