#include "archive/ArchivePart.h"

#include <algorithm>

#include "archive/ArchiveSource.h"
#include "archive/ArchiverTable.h"
#include "archive/CPackDlg.h"
#include "archive/CUnpackDlg.h"
#include "archive/CUnpackSettingsDlg.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "commands/DialogLists.h"
#include "common/Paths.h"
#include "filer/FilerPane.h"
#include "filer/ViewFiler.h"
#include "resource.h"
#include "settings/EventSounds.h"
#include "settings/Settings.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

namespace {

constexpr size_t kHistorySize = 10;

bool ShowsRealDirectory(const FilerPane& pane) {
    return pane.Kind() == kKindDirectory && !pane.Path().empty() && &pane.Source() == &DirectorySource::Shared();
}

// Shows an operation dialog whose end reads the panes again.
template <class Dialog>
bool ShowRefreshing(Dialog& dialog, HWND view, ViewFiler& filer) {
    dialog.onEnded = [&filer, view] {
        filer.Refresh();
        ::InvalidateRect(view, nullptr, FALSE);
    };
    if (!dialog.Create(view)) return false;
    ::ShowWindow(dialog, SW_SHOW);
    return true;
}

}  // namespace

ArchivePart::ArchivePart(ViewContext& context, ViewFiler& filer, std::unique_ptr<IArchivePlugins> plugins,
                         CUnpackDlg::PlaceStaged placeStaged)
    : m_context(context), m_filer(filer), m_plugins(std::move(plugins)), m_placeStaged(std::move(placeStaged)) {
    ListingSources::Register([this]() -> std::unique_ptr<IListingSource> {
        return std::make_unique<ArchiveSource>(
            [this] {
                return ArchiverLibraryPath(m_context.settings ? m_context.settings->unbypassDllPath : std::wstring());
            },
            m_plugins.get());
    });
}

ArchivePart::~ArchivePart() = default;

void ArchivePart::RegisterCommands() {
    CommandRegistry& registry = *m_context.registry;
    registry.Register(cmd::filer::Unpack, [this](const CommandCall&) { StartUnpack(); });
    registry.RegisterMenu(IDM_UNPACK_SETTINGS, [this](const CommandCall&) { EditUnpackSettings(); });
    registry.Register(cmd::filer::Pack, [this](const CommandCall&) { StartPack(kPackLha); });
    registry.Register(cmd::filer::Packzip, [this](const CommandCall&) { StartPack(kPackZip); });
    registry.Register(cmd::filer::Eachpack, [this](const CommandCall&) { StartPack(kPackLha, true); });
    registry.Register(cmd::filer::Eachpackzip, [this](const CommandCall&) { StartPack(kPackZip, true); });
    // The members selected inside an archive are copied by unpacking them.
    registry.Wrap(cmd::filer::Copy, [this](const CommandCall& call, const CommandHandler& earlier) {
        if (dynamic_cast<ArchiveSource*>(&m_filer.Pane(m_filer.ActivePane()).Source()) != nullptr)
            StartUnpack(true);
        else if (earlier)
            earlier(call);
    });
    // The drive list replaces the pane's listing: the archive is left first,
    // so that the pane holds no archive open behind the list.
    registry.Wrap(cmd::filer::Drivelist, [this](const CommandCall& call, const CommandHandler& earlier) {
        const FilerPane& pane = m_filer.Pane(m_filer.ActivePane());
        ArchiveSource::Location where;
        if (dynamic_cast<ArchiveSource*>(&pane.Source()) != nullptr && ArchiveSource::Split(pane.Path(), where))
            m_filer.GoToDirectory(std::wstring(ParentPart(where.archive)), std::wstring(FileNamePart(where.archive)),
                                  false);
        if (earlier) earlier(call);
    });
}

void ArchivePart::RunModal(CUnpackDlg& dialog) {
    HWND frame = m_context.frame ? m_context.frame : m_context.view;
    ::EnableWindow(frame, FALSE);
    MSG message{};
    while (!dialog.Finished() && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (::IsWindow(dialog) && ::IsDialogMessageW(dialog, &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    ::EnableWindow(frame, TRUE);
    if (message.message == WM_QUIT) ::PostQuitMessage(static_cast<int>(message.wParam));
}

namespace {

// A running unpack dialog as the view's list sees it: the quit request asks
// the list, and refuses while one is there.
template <typename Dialog>
class ArchiveOperation final : public IOperationDialog {
  public:
    explicit ArchiveOperation(std::unique_ptr<Dialog> dialog) : m_dialog(std::move(dialog)) {}
    [[nodiscard]] bool Finished() const override { return m_dialog->Finished(); }
    [[nodiscard]] Dialog& Get() const { return *m_dialog; }

  private:
    std::unique_ptr<Dialog> m_dialog;
};

}  // namespace

bool ArchivePart::ForwardMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message == 0 || message != CUnpackDlg::StartMessage()) return false;
    Settings& settings = *m_context.settings;
    std::wstring destination;
    if (m_modal != nullptr && m_modal->TakeStartedDestination(destination)) settings.dirHistory.Push(destination);
    m_context.lists->ForEachReverse(DialogList::Unpack, [&](IOperationDialog& entry) {
        auto* operation = dynamic_cast<ArchiveOperation<CUnpackDlg>*>(&entry);
        if (operation != nullptr && operation->Get().TakeStartedDestination(destination))
            settings.dirHistory.Push(destination);
    });
    result = 0;
    return true;
}

void ArchivePart::DropFinishedDialogs() {
    (void)m_context.lists->PurgeAndTestEmpty(DialogList::Unpack);
    (void)m_context.lists->PurgeAndTestEmpty(DialogList::Pack);
}

bool ArchivePart::SelectedMembers(const FilerPane& pane, const ArchiveSource& source, CUnpackDlg::Setup& setup) {
    ArchiveSource::Location where;
    const ArchiveHandle& archive = source.Archive();
    if (!ArchiveSource::Split(pane.Path(), where) || !archive.IsOpen()) return false;
    setup.membersOf = archive.ArchivePath();
    setup.membersByPlugin = archive.ByPlugin();
    const auto same = [](const std::wstring& a, const std::wstring& b) {
        return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
    };
    for (int n = 0;; ++n) {
        const FileEntry* entry = pane.NthSelected(0, n);
        if (!entry) break;
        const std::wstring name = entry->cFileName;
        // A folder entry stands for every member below it.
        const std::wstring below = where.folder.empty() ? name : where.folder + L"\\" + name;
        for (const StructArchiveMember& member : archive.Members()) {
            const bool file =
                IsFileEntry(*entry) && same(member.folder, where.folder) && same(member.find.cFileName, name);
            const bool inFolder =
                !IsFileEntry(*entry) && (same(member.folder, below) ||
                                         (member.folder.size() > below.size() && member.folder[below.size()] == L'\\' &&
                                          same(member.folder.substr(0, below.size()), below)));
            if (file || inFolder) setup.members.push_back(member.fullPath);
        }
    }
    return !setup.members.empty();
}

void ArchivePart::StartUnpack(bool toOtherPane) {
    DropFinishedDialogs();
    Settings& settings = *m_context.settings;
    const int active = m_filer.ActivePane();
    FilerPane& pane = m_filer.Pane(active);
    CUnpackDlg::Setup setup;
    const bool fromArchive = dynamic_cast<ArchiveSource*>(&pane.Source()) != nullptr;
    if (toOtherPane && !fromArchive) return;
    if (ShowsRealDirectory(pane)) {
        std::wstring directory;
        for (int n = 0;; ++n) {
            const FileEntry* entry = pane.NthSelected(0, n, &directory);
            if (!entry) break;
            if (IsFileEntry(*entry)) setup.items.push_back({directory, entry->cFileName});
        }
        if (setup.items.empty()) return;
    } else if (auto* source = dynamic_cast<ArchiveSource*>(&pane.Source())) {
        if (!SelectedMembers(pane, *source, setup)) return;
    } else {
        return;
    }
    PlayEventSound(settings, SoundEvent::Unpack);
    setup.table = DefaultArchiverTable();
    setup.libraryPath = ArchiverLibraryPath(settings.unbypassDllPath);
    setup.plugins = m_plugins.get();
    setup.placeStaged = m_placeStaged;
    const FilerPane& other = m_filer.Pane(1 - active);
    if (ShowsRealDirectory(other)) setup.request.destination = other.Path();
    setup.request.folderPerArchive = settings.UNPACKMAKEDIRARC != 0;
    setup.request.checkPathLength = settings.UNPACK_CHECK_PATH_LENGTH != 0;
    // The destinations offered are the directory history, where every unpack
    // puts its destination first: it lives in zq.ini with the other histories.
    const std::vector<std::wstring>& history = settings.dirHistory.Items();
    setup.history.assign(history.begin(), history.begin() + std::min(history.size(), kHistorySize));
    setup.request.unpackOptions = settings.unpackOptions;
    if (toOtherPane && setup.request.destination.empty()) return;

    auto dialog = std::make_unique<CUnpackDlg>(m_context.view, std::move(setup));
    dialog->onStarted = [&settings](const UnpackRequest& request) {
        settings.UNPACKMAKEDIRARC = request.folderPerArchive ? 1 : 0;
        settings.UNPACK_CHECK_PATH_LENGTH = request.checkPathLength ? 1 : 0;
    };
    if (!ShowRefreshing(*dialog, m_context.view, m_filer)) return;
    if (fromArchive) {
        m_modal = dialog.get();
        RunModal(*dialog);
        m_modal = nullptr;
        return;
    }
    m_context.lists->Add(DialogList::Unpack, std::make_unique<ArchiveOperation<CUnpackDlg>>(std::move(dialog)));
}

void ArchivePart::EditUnpackSettings() {
    Settings& settings = *m_context.settings;
    CUnpackSettingsDlg dialog(m_context.view, DefaultArchiverTable(), settings.unpackOptions, settings.unbypassDllPath);
    if (dialog.DoModal() != IDOK) return;
    // Unpacks already running keep the switches they started with.
    settings.unpackOptions = dialog.Result();
    settings.unbypassDllPath = dialog.LibraryPath();
}

void ArchivePart::StartPack(int kind, bool eachEntry) {
    DropFinishedDialogs();
    const int active = m_filer.ActivePane();
    const FilerPane& pane = m_filer.Pane(active);
    const std::wstring caption =
        std::wstring(eachEntry ? L"ファイルごとに" : L"") + (kind == kPackLha ? L"LHA圧縮" : L"ZIP圧縮");
    if (!ShowsRealDirectory(pane)) {
        ui::ZqMessageBox(m_context.view, L"圧縮できるのはディレクトリにあるファイルだけです", caption, MB_OK);
        return;
    }
    StructPackRequest request;
    request.kind = kind;
    request.sourceDirectory = pane.Path();
    for (int n = 0;; ++n) {
        std::wstring directory;
        const FileEntry* entry = pane.NthSelected(0, n, &directory);
        if (!entry) break;
        if (!IsLinkEntry(*entry) && SamePath(directory, pane.Path())) request.names.emplace_back(entry->cFileName);
    }
    if (request.names.empty()) return;
    const Settings& settings = *m_context.settings;
    request.replaceExisting = settings.PACKEXISTOVERWRITE != 0;
    request.libraryPath = ArchiverLibraryPath(settings.unbypassDllPath);
    request.prefix = DefaultArchiverTable()[static_cast<size_t>(kind)].packPrefix;
    const FilerPane& other = m_filer.Pane(1 - active);
    const std::wstring target = ShowsRealDirectory(other) ? other.Path() : pane.Path();
    request.archive = DefaultPackArchive(kind, request.sourceDirectory, target, request.names);

    auto dialog = std::make_unique<CPackDlg>(m_context.view, caption, std::move(request), target, eachEntry);
    if (!ShowRefreshing(*dialog, m_context.view, m_filer)) return;
    m_context.lists->Add(DialogList::Pack, std::make_unique<ArchiveOperation<CPackDlg>>(std::move(dialog)));
}

}  // namespace zq
