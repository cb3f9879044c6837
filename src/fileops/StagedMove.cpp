#include "fileops/StagedMove.h"

#include <utility>

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

// The user never made the staging folder and would not know it: the
// same-name question names the archive the file came out of instead.
class ShownSourceAsker final : public IOperationAsker {
  public:
    ShownSourceAsker(IOperationAsker& asker, std::wstring staging, std::wstring shownAs)
        : m_asker(asker), m_staging(std::move(staging)), m_shownAs(std::move(shownAs)) {}
    int AskYesNo(const std::wstring& text, const std::wstring& caption) override {
        return m_asker.AskYesNo(text, caption);
    }
    void Tell(const std::wstring& text) override { m_asker.Tell(text); }
    bool AskWay(SameNameChoice& choice, const SameNameFile* file) override {
        if (file == nullptr || m_shownAs.empty() || !IsSameOrBelow(file->sourceDirectory, m_staging))
            return m_asker.AskWay(choice, file);
        SameNameFile shown = *file;
        shown.sourceDirectory = m_shownAs + file->sourceDirectory.substr(m_staging.size());
        return m_asker.AskWay(choice, &shown);
    }
    bool AskNewName(const WIN32_FIND_DATAW& source, const std::wstring& destinationDirectory,
                    std::wstring& newName) override {
        return m_asker.AskNewName(source, destinationDirectory, newName);
    }
    bool AskSame(const std::wstring& caption, const std::wstring& text, bool& sameFromNow) override {
        return m_asker.AskSame(caption, text, sameFromNow);
    }

  private:
    IOperationAsker& m_asker;
    std::wstring m_staging;
    std::wstring m_shownAs;
};

}  // namespace

bool MoveStagedTree(const std::wstring& staging, const std::wstring& destination, const std::wstring& shownAs,
                    CopyJobOptions& options, IFileSystem& fs, IOperationAsker& plainAsker) {
    ShownSourceAsker asker(plainAsker, staging, shownAs);
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
                     const std::wstring& destination, const std::wstring& shownAs, HWND owner) {
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
    const bool completed = fileops::MoveStagedTree(staging, destination, shownAs, options, RealFileSystem(), questions);
    ui::RunOnWindowThread(owner, [&] {
        copy.sameName = options.sameName;
        StoreCopySettings(copy, settings);
    });
    return completed;
}

}  // namespace zq
