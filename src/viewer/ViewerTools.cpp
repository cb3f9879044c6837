#include "viewer/ViewerTools.h"

#include "commands/CommandRegistry.h"
#include "commands/PaneModes.h"
#include "common/Paths.h"
#include "external/CompanionLibrary.h"
#include "filer/FilerPane.h"
#include "filer/KindExecute.h"
#include "filer/ViewFiler.h"
#include "settings/Settings.h"
#include "viewer/CTextBoxDlg.h"
#include "viewer/CViewTagDlg.h"
#include "viewer/TextBoxFile.h"

namespace zq {
namespace {

constexpr unsigned kFollowTimer = 1;
constexpr unsigned kFollowPeriodMs = 200;

bool IsMp3Name(std::wstring_view name) {
    const std::wstring_view extension = ExtensionOf(name);
    return ::CompareStringOrdinal(extension.data(), static_cast<int>(extension.size()), L"mp3", 3, TRUE) == CSTR_EQUAL;
}

}  // namespace

TextBoxPart::TextBoxPart(ViewContext& context) : m_context(context) {}

// Before the frame goes, so that the text reaches its file on every way out.
TextBoxPart::~TextBoxPart() {
    if (m_dialog) m_dialog->Close();
}

void TextBoxPart::RegisterCommands() {
    m_context.registry->RegisterCommon(cmd::common::TextBox, [this](const CommandCall&) {
        if (!m_dialog) {
            m_dialog = std::make_unique<viewer::CTextBoxDlg>(m_context.frame,
                                                             JoinPath(m_context.programDir, viewer::kTextBoxFileName));
        }
        m_dialog->ShowBox();
    });
}

ViewTagPart::ViewTagPart(ViewContext& context, ViewFiler& filer) : m_context(context), m_filer(filer) {}

ViewTagPart::~ViewTagPart() = default;

void ViewTagPart::Start(const std::vector<std::wstring>&) {
    // Held by whoever reads a tag; the dialog only opens it.
    m_mutex.Reset(::CreateMutexW(nullptr, FALSE, L"hViewTagMutex"));
}

void ViewTagPart::RegisterCommands() {
    m_context.registry->Register(cmd::filer::Viewtagview, [this](const CommandCall&) { Toggle(); });
    m_context.registry->Register(cmd::filer::MakeMp3Tag, [this](const CommandCall&) { MakeTags(false); });
    m_context.registry->Register(cmd::filer::AllmakeMp3Tag, [this](const CommandCall&) { MakeTags(true); });
}

void ViewTagPart::MakeTags(bool selection) {
    const int pane = m_filer.ActivePane();
    if (!m_context.companion || !m_context.modes->Query(pane, 0, pane_mode::kDirectory)) return;
    FilerPane& listing = m_filer.Pane(pane);
    std::vector<std::wstring> files;
    if (!selection) {
        if (const FileEntry* entry = listing.CursorEntry(); entry && IsFileEntry(*entry))
            files.push_back(JoinPath(listing.Path(), entry->cFileName));
    } else {
        // Of a selection only the MP3 files: the tag goes at the end of whatever it is written to.
        std::wstring directory;
        for (int n = 0;; ++n) {
            const FileEntry* entry = listing.NthSelected(0, n, &directory);
            if (!entry) break;
            if (IsFileEntry(*entry) && IsMp3Name(entry->cFileName))
                files.push_back(JoinPath(directory, entry->cFileName));
        }
    }
    if (files.empty()) return;
    int written = 0;
    bool done = false;
    {
        SuspendScope suspended(m_context);
        done = m_context.companion->MakeTag(m_context.frame, files, written);
    }
    if (!done) return;
    if (selection) listing.ApplyMarkKind(kMarkRelease);
    if (written > 0) {
        m_filer.Refresh();
        m_shownPath.clear();
        FollowCursor();
    }
    ::InvalidateRect(m_context.view, nullptr, FALSE);
}

void ViewTagPart::Toggle() {
    if (m_dialog && m_dialog->Shown()) {
        ::ShowWindow(m_dialog->GetSafeHwnd(), SW_HIDE);
        if (m_host) m_host->StopTimer(kFollowTimer);
        m_following = false;
        return;
    }
    if (!m_dialog) {
        m_dialog = std::make_unique<viewer::CViewTagDlg>(m_context.frame);
        if (!m_dialog->Create()) {
            m_dialog.reset();
            return;
        }
        const Settings& settings = *m_context.settings;
        if (settings.VIEWTAGVIEWX != 0 || settings.VIEWTAGVIEWY != 0) {
            ::SetWindowPos(m_dialog->GetSafeHwnd(), nullptr, settings.VIEWTAGVIEWX, settings.VIEWTAGVIEWY, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    // Shown without taking the keys: the user goes on moving the cursor.
    ::ShowWindow(m_dialog->GetSafeHwnd(), SW_SHOWNOACTIVATE);
    m_shownPath.clear();
    m_following = true;
    FollowCursor();
    if (m_host) m_host->StartTimer(kFollowTimer, kFollowPeriodMs);
}

void ViewTagPart::OnTimer(unsigned id) {
    if (id != kFollowTimer) return;
    if (!m_dialog || !m_dialog->Shown()) {
        // Closed by its own button.
        if (m_host) m_host->StopTimer(kFollowTimer);
        m_following = false;
        return;
    }
    FollowCursor();
}

void ViewTagPart::FollowCursor() {
    if (!m_following || !m_dialog) return;
    const int pane = m_filer.ActivePane();
    std::wstring path;
    if (m_context.modes->Query(pane, 0, pane_mode::kDirectory)) {
        const FilerPane& listing = m_filer.Pane(pane);
        if (const FileEntry* entry = listing.CursorEntry();
            entry && !(entry->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            path = JoinPath(listing.Path(), entry->cFileName);
        }
    }
    if (path == m_shownPath) return;
    m_shownPath = path;
    m_dialog->ShowTagOf(path);
}

void ViewTagPart::StoreState(Settings& settings) const {
    POINT at{};
    if (m_dialog && m_dialog->Position(at)) {
        settings.VIEWTAGVIEWX = at.x;
        settings.VIEWTAGVIEWY = at.y;
    }
}

}  // namespace zq
