#include "picture/ThumbnailPart.h"

#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "filer/FilerPane.h"
#include "filer/ViewFiler.h"
#include "picture/CLoadPreviewThread.h"
#include "picture/SusieHostPart.h"
#include "picture/SusieThumbnailMaker.h"
#include "settings/Settings.h"

namespace zq {

namespace {

// How long the window thread waits for the worker at a pause and at the end.
constexpr unsigned long long kHangLimit = 15000;
constexpr DWORD kStopLimit = 5000;

bool IsDotEntry(const FileEntry& e) {
    return (e.cFileName[0] == L'.' && e.cFileName[1] == L'\0') ||
           (e.cFileName[0] == L'.' && e.cFileName[1] == L'.' && e.cFileName[2] == L'\0');
}

}  // namespace

ThumbnailPart::ThumbnailPart(ViewContext& context, ViewFiler& filer, SusieHostPart& susie)
    : m_context(context), m_filer(filer), m_susie(susie) {}

ThumbnailPart::~ThumbnailPart() {
    // The thread stops before the queue and the maker it uses go.  One that a
    // hung plug-in holds keeps them: the process ends around it.
    if (m_thread) {
        if (!m_thread->Stop(kStopLimit)) {
            static_cast<void>(m_thread.release());
            static_cast<void>(m_maker.release());
            static_cast<void>(m_queue.release());
        }
        m_susie.SetLoaderPause({}, {});
    }
    m_thread.reset();
    for (int i = 0; i < 2; ++i) m_filer.Pane(i).SetThumbnails(nullptr);
}

void ThumbnailPart::RegisterCommands() {
    CommandRegistry& registry = *m_context.registry;
    registry.Register(cmd::filer::PreviewEnable, [this](const CommandCall&) { Switch(true, false); });
    registry.Register(cmd::filer::PreviewEnableWithChild, [this](const CommandCall&) { Switch(true, true); });
    registry.Register(cmd::filer::PreviewDisable, [this](const CommandCall&) { Switch(false, false); });
}

void ThumbnailPart::Start(const std::vector<std::wstring>& startDirectories) {
    (void)startDirectories;
    const Settings& settings = *m_context.settings;
    std::vector<PreviewDirectories::Entry> entries;
    for (const Settings::PreviewDir& d : settings.previewDirs)
        if (!d.dir.empty()) entries.push_back({d.dir, static_cast<unsigned>(d.type)});
    m_directories = PreviewDirectories(std::move(entries));
    m_loadedMessage = ::RegisterWindowMessageW(L"WMSG_ZQ_PREVIEW_LOAD");
    m_queue = std::make_unique<PreviewQueue>(settings.MAX_PREVIEW_FILES, kPreviewSyncNames);
    for (int i = 0; i < 2; ++i) m_filer.Pane(i).SetThumbnails(this);
}

void ThumbnailPart::StartLoader() {
    // The plug-in host starts after this part; the loader follows it at the first look at the panes.
    SusiePluginHost* host = m_susie.Host();
    if (host == nullptr || m_thread) return;
    const Settings& settings = *m_context.settings;
    m_maker = std::make_unique<SusieThumbnailMaker>(*host, settings.PREVIEW_WIDTH, settings.PREVIEW_HEIGHT,
                                                    settings.PREVIEW_USE_GET_PICTURE != 0);
    m_thread = std::make_unique<CLoadPreviewThread>(*m_queue, *m_maker, m_context.view, m_loadedMessage);
    m_thread->SetSleep(settings.PREVIEW_NEXT_FILE_SLEEP);
    // Made suspended and let go once the view stands.
    if (m_thread->CreateThread(true)) m_thread->ResumeThread();
    m_susie.SetLoaderPause([this] { Pause(); }, [this] { Resume(); });
}

void ThumbnailPart::Pause() {
    if (!m_queue) return;
    // A plug-in that never returns on a thumbnail would hold the window
    // thread here for good: past the limit it is disabled and the wait ends.
    SusiePluginHost* host = m_susie.Host();
    m_queue->Pause([host] { return host != nullptr && host->DisableUnanswering(kHangLimit); });
}

void ThumbnailPart::Resume() {
    if (!m_queue) return;
    const Settings& settings = *m_context.settings;
    // The settings dialog may have changed what the worker uses: it is idle now.
    if (m_maker) {
        m_maker->Configure(settings.PREVIEW_WIDTH, settings.PREVIEW_HEIGHT, settings.PREVIEW_USE_GET_PICTURE != 0);
        m_thread->SetSleep(settings.PREVIEW_NEXT_FILE_SLEEP);
    }
    m_queue->SetLimit(settings.MAX_PREVIEW_FILES);
    m_queue->Resume();
    m_filer.ApplySettings();
    ::InvalidateRect(m_context.view, nullptr, FALSE);
}

void ThumbnailPart::OnSettingsChanged(bool reread) {
    (void)reread;
    Pause();
    Resume();
}

void ThumbnailPart::StoreState(Settings& settings) const {
    settings.previewDirs.clear();
    for (const PreviewDirectories::Entry& e : m_directories.Entries())
        settings.previewDirs.push_back({e.directory, static_cast<int>(e.type)});
}

void ThumbnailPart::Switch(bool on, bool withChildren) {
    FilerPane& pane = m_filer.Pane(m_filer.ActivePane());
    if (pane.Kind() != kKindDirectory || pane.Path().empty()) return;
    if (on) {
        // A directory keeps the cell sizing chosen when it was switched on.
        const int type = m_context.settings->PREVIEW_FILE_NAME;
        m_directories.Enable(pane.Path(), withChildren,
                             type >= filer::kThumbnailCellAsFiler && type <= filer::kThumbnailCellGivenWidth
                                 ? static_cast<unsigned>(type)
                                 : 0U);
    } else {
        m_directories.Disable(pane.Path());
    }
    CheckPanes();
}

void ThumbnailPart::CheckPanes() {
    if (!m_queue) return;
    StartLoader();
    bool changed = false;
    std::array<std::wstring, 2> shown;
    for (int i = 0; i < 2; ++i) {
        FilerPane& pane = m_filer.Pane(i);
        const bool allowed = pane.Kind() == kKindDirectory && (pane.SubKind() & kSubKindThumbnails) &&
                             !pane.Path().empty() && m_directories.Find(pane.Path()).has_value();
        if (allowed != pane.PreviewActive()) {
            pane.SetPreviewActive(allowed);
            changed = true;
        }
        const size_t slot = static_cast<size_t>(i);
        if (!allowed) {
            m_requested[slot].clear();
            m_requestedCount[slot] = -1;
            continue;
        }
        shown[slot] = pane.Path();
        if (m_requested[slot] == pane.Path() && m_requestedCount[slot] == pane.Count()) continue;
        std::vector<FileEntry> entries;
        for (int n = 0; n < pane.Count(); ++n)
            if (!IsDotEntry(pane.Entry(n))) entries.push_back(pane.Entry(n));
        m_queue->SetShownDirectories(shown[0], shown[1]);
        m_queue->AddRequest(pane.Path(), entries);
        m_requested[slot] = pane.Path();
        m_requestedCount[slot] = pane.Count();
    }
    m_queue->SetShownDirectories(shown[0], shown[1]);
    if (changed) {
        // The grid changes shape: the next paint lays the panes out anew.
        m_filer.ApplySettings();
        ::InvalidateRect(m_context.view, nullptr, FALSE);
    }
}

bool ThumbnailPart::ForwardMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)wParam, (void)lParam;
    if (m_loadedMessage == 0 || message != m_loadedMessage) return false;
    // Loads come one per picture: drop the ones already queued behind this one.
    MSG pending{};
    while (::PeekMessageW(&pending, m_context.view, m_loadedMessage, m_loadedMessage, PM_REMOVE)) {
    }
    ::InvalidateRect(m_context.view, nullptr, FALSE);
    result = 0;
    return true;
}

int ThumbnailPart::CellType(const std::wstring& directory) const {
    const std::optional<PreviewDirectories::Entry> entry = m_directories.Find(directory);
    const int type = entry ? static_cast<int>(entry->type & 0xFFU) : filer::kThumbnailCellAsFiler;
    return type <= filer::kThumbnailCellGivenWidth ? type : filer::kThumbnailCellAsFiler;
}

void ThumbnailPart::DrawThumbnail(HDC dc, const RECT& box, const std::wstring& directory, const FileEntry& entry) {
    if (!m_queue) return;
    std::shared_ptr<const StructThumbnail> thumbnail;
    if (m_queue->StateOf(directory, entry.cFileName, &thumbnail) != kPreviewDone || !thumbnail) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = thumbnail->width;
    info.bmiHeader.biHeight = thumbnail->height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    // Centred in the box.
    const int x = box.left + (box.right - box.left - thumbnail->width) / 2;
    const int y = box.top + (box.bottom - box.top - thumbnail->height) / 2;
    ::SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(thumbnail->width), static_cast<DWORD>(thumbnail->height), 0, 0, 0,
                        static_cast<UINT>(thumbnail->height), thumbnail->bits.data(), &info, DIB_RGB_COLORS);
}

}  // namespace zq
