#include "picture/GraphicContent.h"

#include <algorithm>
#include <cstring>

#include "commands/CommandRegistry.h"
#include "commands/PaneModes.h"
#include "common/Paths.h"
#include "common/ShellLink.h"
#include "common/TextConv.h"
#include "filer/FilerPane.h"
#include "filer/ViewFiler.h"
#include "picture/CLoadPictureBDlg.h"
#include "picture/PictureList.h"
#include "picture/SusieHostPart.h"
#include "settings/EventSounds.h"
#include "settings/Settings.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

GraphicContent::GraphicContent(ViewContext& context, ViewFiler& filer, SusieHostPart& susie)
    : m_context(context), m_filer(filer), m_susie(susie) {}

GraphicContent::~GraphicContent() = default;

std::uint32_t GraphicContent::ModeMask() const {
    return pane_mode::kGraphicGroup;
}

SusiePluginHost* GraphicContent::Host() const {
    return m_susie.Host();
}

void GraphicContent::ShowError(const std::wstring& text) const {
    ui::ZqMessageBox(m_context.view, text);
}

std::wstring GraphicContent::ActiveLocation() {
    return Shown() && m_index < static_cast<int>(m_list.size()) ? m_list[static_cast<size_t>(m_index)] : std::wstring();
}

namespace {

bool ImagePluginClaims(const SusiePluginHost& host, std::wstring_view name) {
    for (size_t i = 0; i < host.Plugins().size(); ++i)
        if (host.Supports(name, kSusieImage, i)) return true;
    return false;
}

std::wstring MemberName(const susie::FileInfo& entry) {
    std::wstring path = ToWide(entry.path);
    while (!path.empty() && IsPathSeparator(path.back())) path.pop_back();
    const std::wstring name = ToWide(entry.filename);
    return path.empty() ? name : path + L"\\" + name;
}

}  // namespace

void GraphicContent::AddItems(const std::wstring& path, std::vector<StructPictureItem>& items) {
    SusiePluginHost& host = *Host();
    if (ImagePluginClaims(host, FileNamePart(path))) {
        items.push_back({StructPictureItem::Kind::File, path});
        return;
    }
    auto archive = std::make_shared<SusieArchive>();
    if (host.ListArchive(path, *archive) != susie::kOk) return;
    std::vector<size_t> pictures;
    for (size_t i = 0; i < archive->entries.size(); ++i)
        if (ImagePluginClaims(host, ToWide(archive->entries[i].filename))) pictures.push_back(i);
    for (size_t n = 0; n < pictures.size(); ++n)
        items.push_back({StructPictureItem::Kind::PluginMember, path, MemberName(archive->entries[pictures[n]]),
                         archive, pictures[n], static_cast<long>(n + 1), static_cast<long>(pictures.size())});
}

void GraphicContent::Enter(bool oneOnly) {
    SusiePluginHost* host = Host();
    const int pane = m_filer.ActivePane();
    if (host == nullptr || pane < 0 || !m_context.modes->Query(pane, 0, pane_mode::kDirectory)) return;
    const FilerPane& listing = m_filer.Pane(pane);
    const Settings& settings = *m_context.settings;
    const bool onDisk = listing.Source().EntriesOnDisk();
    Win32FileSystem fs;
    picture::PictureListBuilder builder(fs, {[host](const std::wstring& name) {
                                                 for (size_t i = 0; i < host->Plugins().size(); ++i)
                                                     if (host->Supports(name, kSusieAny, i)) return true;
                                                 return false;
                                             },
                                             ShortcutTarget, settings.SORTNAMEGRAPHICINDIR != 0});
    // The entries of a listing that is not on disk are the archive's members
    // the pane browses: they are read through the pane's own archive handle.
    std::vector<StructPictureItem> members;
    const auto addMember = [&](const FileEntry& entry) {
        if (ClassOf(entry) == kEntryFile && ImagePluginClaims(*host, entry.cFileName))
            members.push_back({StructPictureItem::Kind::ListingMember, listing.Path(), entry.cFileName});
    };
    int start = 0;
    const FileEntry* cursor = listing.CursorEntry();
    if (oneOnly || listing.MarkedCount() > 0) {
        const unsigned flags = oneOnly ? kNthCursorOnly : kNthCursorUnlessMarked;
        std::wstring directory;
        for (int n = 0;; ++n) {
            const FileEntry* entry = listing.NthSelected(flags, n, &directory);
            if (entry == nullptr) break;
            if (IsLinkEntry(*entry)) continue;
            if (!onDisk)
                addMember(*entry);
            else
                builder.Add(JoinPath(directory, entry->cFileName), ClassOf(*entry) == kEntryDirectory);
        }
    } else {
        // Nothing marked: every picture of the listing, from the one under the cursor on.
        for (int position = 0; position < listing.Count(); ++position) {
            const FileEntry& entry = listing.EntryAt(position);
            if (ClassOf(entry) != kEntryFile) continue;
            if (&entry == cursor) start = static_cast<int>(onDisk ? builder.Pictures().size() : members.size());
            if (!onDisk)
                addMember(entry);
            else
                builder.Add(JoinPath(listing.Path(), entry.cFileName), false);
        }
    }
    std::vector<StructPictureItem> items;
    if (onDisk) {
        const std::vector<std::wstring> files = builder.Take();
        for (size_t i = 0; i < files.size(); ++i) {
            if (static_cast<int>(i) == start) start = static_cast<int>(items.size());
            AddItems(files[i], items);
        }
        m_susie.ShowPendingReports();
    } else {
        items = std::move(members);
    }
    if (items.empty()) return;
    PlayEventSound(settings, SoundEvent::LoadPicture);
    FreePicture();
    m_items = std::move(items);
    m_list.clear();
    for (const StructPictureItem& item : m_items)
        m_list.push_back(item.kind == StructPictureItem::Kind::File ? item.path : JoinPath(item.path, item.member));
    m_index = std::clamp(start, 0, static_cast<int>(m_list.size()) - 1);
    m_pane = pane;
    m_seriesNumber = 0;
    if (m_host) m_host->ShowMode(pane, pane_mode::kPicture, 0);
    if (!LoadStep(0)) Leave();
}

void GraphicContent::Leave() {
    FreePicture();
    const int pane = m_pane;
    m_pane = -1;
    m_list.clear();
    m_items.clear();
    if (m_fullScreen) ToggleFullScreen();
    if (m_host && pane >= 0) {
        m_host->SetStatusText({});
        m_host->ShowFiler(pane);
    }
}

void GraphicContent::FreePicture() {
    if (m_info != nullptr) ::LocalUnlock(m_picture.info.Get());
    if (m_bits != nullptr) ::LocalUnlock(m_picture.bits.Get());
    m_info = nullptr;
    m_bits = nullptr;
    m_picture = SusiePicture();
    m_loadState = 0;
}

bool GraphicContent::DecodeJobFor(const StructPictureItem& item, std::wstring& text, std::wstring& extractingText,
                                  DecodeJob& job) {
    SusiePluginHost* host = Host();
    const auto firstImagePlugin = [host](std::wstring_view name) {
        for (size_t i = 0; i < host->Plugins().size(); ++i)
            if (host->Supports(name, kSusieImage, i) && !host->Plugins()[i].runtime->faulted)
                return std::wstring(host->Plugins()[i].FileName());
        return std::wstring();
    };
    const std::wstring name(FileNamePart(item.member));
    switch (item.kind) {
        case StructPictureItem::Kind::File: {
            const std::wstring plugin = firstImagePlugin(FileNamePart(item.path));
            if (plugin.empty()) return false;
            text = CLoadPictureBDlg::LoadingText(plugin, std::wstring(FileNamePart(item.path)));
            job = [host, path = item.path](SusiePicture& picture, SusieProgress progress,
                                           const std::function<void()>&) {
                return host->DecodeFile(path, picture, progress);
            };
            return true;
        }
        case StructPictureItem::Kind::PluginMember: {
            const auto index = static_cast<size_t>(item.archive->plugin);
            if (index >= host->Plugins().size()) return false;
            const std::wstring plugin(host->Plugins()[index].FileName());
            const std::wstring archiveName(FileNamePart(item.path));
            text = CLoadPictureBDlg::MemberLoadingText(plugin, archiveName, item.member, item.number, item.count);
            extractingText =
                CLoadPictureBDlg::MemberLoadingText(plugin, archiveName, item.member, item.number, item.count, true);
            job = [host, archive = item.archive, entry = item.entry, name](
                      SusiePicture& picture, SusieProgress progress, const std::function<void()>& done) {
                UniqueLocal data;
                size_t size = 0;
                const int extracted = host->ExtractMember(*archive, archive->entries[entry], data, size, progress);
                if (extracted != susie::kOk) return extracted;
                done();
                const int decoded = host->DecodeMemory(name, ::LocalLock(data.Get()), size, picture);
                ::LocalUnlock(data.Get());
                return decoded;
            };
            return true;
        }
        case StructPictureItem::Kind::ListingMember: {
            const std::wstring plugin = firstImagePlugin(name);
            if (plugin.empty() || m_pane < 0) return false;
            // The pane's archive handle belongs to the window thread: the
            // member is read here, only the decoding goes to the worker.
            HLOCAL block = nullptr;
            std::size_t length = 0;
            if (!m_filer.Pane(m_pane).Source().ReadEntry(item.path, item.member, SIZE_MAX / 2, block, length))
                return false;
            auto data = std::make_shared<UniqueLocal>(block);
            text = CLoadPictureBDlg::LoadingText(plugin, name);
            job = [host, data, length, name](SusiePicture& picture, SusieProgress progress,
                                             const std::function<void()>&) {
                return host->DecodeMemory(name, data->Get(), length, picture, progress);
            };
            return true;
        }
    }
    return false;
}

bool GraphicContent::LoadEntry(const StructPictureItem& item, bool& cancelled) {
    if (Host() == nullptr) return false;
    std::wstring text;
    std::wstring extractingText;
    DecodeJob job;
    if (!DecodeJobFor(item, text, extractingText, job)) return false;
    CLoadPictureBDlg dialog(m_context.view, text, std::move(job), extractingText);
    dialog.WatchForHangs(*Host());
    INT_PTR answer = 0;
    {
        const SuspendScope suspended(m_context);
        answer = dialog.DoModal();
    }
    m_susie.ShowPendingReports();
    if (answer == IDCANCEL) cancelled = true;
    if (answer != IDOK) {
        if (item.kind == StructPictureItem::Kind::PluginMember && dialog.Result() == susie::kBrokenData)
            ui::ZqMessageBox(m_context.view, item.path + L"は\nファイルが壊れているか、展開にパスワードが必要です",
                             L"ファイル読み込みエラー", MB_OK);
        return false;
    }
    m_picture = dialog.TakePicture();
    if (!m_picture.info.Valid() || !m_picture.bits.Valid()) return false;
    m_info = static_cast<BITMAPINFO*>(::LocalLock(m_picture.info.Get()));
    m_bits = static_cast<BYTE*>(::LocalLock(m_picture.bits.Get()));
    return m_info != nullptr && m_bits != nullptr;
}

bool GraphicContent::LoadStep(int step) {
    FreePicture();
    const int count = static_cast<int>(m_list.size());
    int direction = step < 0 ? -1 : 1;
    const auto move = [&] {
        m_index += direction;
        if (m_index < 0) {
            m_index = 0;
            direction = 1;
        }
    };
    for (int i = 0; i < std::abs(step); ++i) move();
    // A failed entry is passed over in the same direction; each entry is tried once.
    std::vector<bool> tried(static_cast<size_t>(count), false);
    while (m_index >= 0 && m_index < count && !tried[static_cast<size_t>(m_index)]) {
        tried[static_cast<size_t>(m_index)] = true;
        bool cancelled = false;
        if (LoadEntry(m_items[static_cast<size_t>(m_index)], cancelled)) {
            AfterLoad();
            return true;
        }
        if (cancelled) break;
        move();
    }
    if (m_index >= count) m_index = count - 1;
    if (m_host) m_host->SetStatusText({});
    Redraw();
    return false;
}

void GraphicContent::AfterLoad() {
    const Settings& settings = *m_context.settings;
    m_loadState = 2;
    m_paused = false;
    m_zoom = std::clamp(settings.ZOOMNUMBER, 0, picture::kZoomCount);
    // The width flag is stored under HEIGHTSCALING and the height flag under WIDTHSCALING.
    m_fitWidth = settings.HEIGHTSCALING != 0;
    m_fitHeight = settings.WIDTHSCALING != 0;
    if (settings.BEFOREFULLSCREEN != 0 && !m_fullScreen) ToggleFullScreen();
    m_scrollX = m_scrollY = 0;
    Layout();
    FitWindow();
    Redraw();
}

void GraphicContent::Next(int step) {
    if (!Shown()) return;
    if (step > 0 && m_index + step >= static_cast<int>(m_list.size()) && step == 1) {
        Leave();
        return;
    }
    if (!LoadStep(step) && step == 1) Leave();
}

void GraphicContent::Add(CommandId id, std::function<void()> action) {
    m_context.registry->Register(id, [this, action = std::move(action)](const CommandCall&) {
        if (Shown()) action();
    });
}

void GraphicContent::RegisterCommands() {
    CommandRegistry& registry = *m_context.registry;
    registry.Register(cmd::filer::GraphicviewB, [this](const CommandCall&) { Enter(false); });
    registry.Register(cmd::filer::GraphiconeviewB, [this](const CommandCall&) { Enter(true); });

    Add(cmd::graphic::Next, [this] { Next(1); });
    Add(cmd::graphic::Returnkey, [this] { Next(1); });
    Add(cmd::graphic::Before, [this] { Next(-1); });
    Add(cmd::graphic::Num10Next, [this] { Next(10); });
    Add(cmd::graphic::Num10Before, [this] { Next(-10); });
    Add(cmd::graphic::Exitgraphic, [this] {
        if (ui::ZqMessageBox(m_context.view, L"画像の表示を終了しますか", L"画像の表示の終了の確認",
                             MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
            Leave();
    });
    RegisterViewCommands();
}

void GraphicContent::RegisterViewCommands() {
    Add(cmd::graphic::Zoomin, [this] { Zoom(true); });
    Add(cmd::graphic::Zoomout, [this] { Zoom(false); });
    Add(cmd::graphic::ScalingOnOff, [this] { SetScaling(true); });
    Add(cmd::graphic::TempScalingOnOff, [this] { SetScaling(false); });
    Add(cmd::graphic::RightRot, [this] { Turn(picture::DibTurn::Right); });
    Add(cmd::graphic::LeftRot, [this] { Turn(picture::DibTurn::Left); });
    Add(cmd::graphic::Num180Rot, [this] { Turn(picture::DibTurn::Half); });
    Add(cmd::graphic::H_Reverse, [this] { Turn(picture::DibTurn::MirrorLeftRight); });
    Add(cmd::graphic::V_Reverse, [this] { Turn(picture::DibTurn::MirrorUpDown); });
    Add(cmd::graphic::H_PosLeft, [this] { SetAnchor(true, picture::kAnchorStart); });
    Add(cmd::graphic::H_PosRight, [this] { SetAnchor(true, picture::kAnchorEnd); });
    Add(cmd::graphic::H_PosCenter, [this] { SetAnchor(true, picture::kAnchorCentre); });
    Add(cmd::graphic::V_PosUp, [this] { SetAnchor(false, picture::kAnchorStart); });
    Add(cmd::graphic::V_PosBottom, [this] { SetAnchor(false, picture::kAnchorEnd); });
    Add(cmd::graphic::V_PosCenter, [this] { SetAnchor(false, picture::kAnchorCentre); });
    Add(cmd::graphic::Right, [this] { Scroll(1, 0, false); });
    Add(cmd::graphic::Left, [this] { Scroll(-1, 0, false); });
    Add(cmd::graphic::Down, [this] { Scroll(0, 1, false); });
    Add(cmd::graphic::Up, [this] { Scroll(0, -1, false); });
    Add(cmd::graphic::Rightpage, [this] { Scroll(1, 0, true); });
    Add(cmd::graphic::Leftpage, [this] { Scroll(-1, 0, true); });
    Add(cmd::graphic::Downpage, [this] { Scroll(0, 1, true); });
    Add(cmd::graphic::Uppage, [this] { Scroll(0, -1, true); });
    Add(cmd::graphic::SaveBmp, [this] { SaveBmp(false); });
    Add(cmd::graphic::NextSaveBmp, [this] {
        SaveBmp(true);
        Next(1);
    });
    Add(cmd::graphic::Graphicclipcopy, [this] { CopyToClipboard(); });
    Add(cmd::graphic::PauseGraphic, [this] {
        m_paused = !m_paused;
        Redraw();
    });
    Add(cmd::graphic::GraphicList, [this] { ShowList(); });
    Add(cmd::graphic::Fullscreen, [this] { ToggleFullScreen(); });
    Add(cmd::graphic::Setwallpaper, [this] { SetWallpaper(); });
}

void GraphicContent::Turn(picture::DibTurn turn) {
    if (!Loaded()) return;
    const picture::DibShape shape{m_picture.width, m_picture.height, m_picture.bitCount};
    std::vector<std::uint8_t> out;
    picture::DibShape turned;
    const size_t size = ::LocalSize(m_picture.bits.Get());
    UniqueLocal bits;
    if (!picture::TurnDib(shape, m_bits, size, turn, out, turned) ||
        !(bits = UniqueLocal(::LocalAlloc(LMEM_FIXED, out.size() + 1)))) {
        ShowError(L"画像の変換に失敗しました");
        return;
    }
    // A fixed block: its handle is its address.
    std::memcpy(bits.Get(), out.data(), out.size());
    BITMAPINFOHEADER* header = &m_info->bmiHeader;
    header->biWidth = turned.width;
    header->biHeight = turned.height;
    header->biSizeImage = static_cast<DWORD>(out.size());
    ::LocalUnlock(m_picture.bits.Get());
    m_picture.bits = std::move(bits);
    m_bits = static_cast<BYTE*>(m_picture.bits.Get());
    m_picture.width = turned.width;
    m_picture.height = turned.height;
    m_scrollX = m_scrollY = 0;
    Layout();
    FitWindow();
    Redraw();
}

void GraphicContent::SetScaling(bool permanent) {
    if (!Loaded()) return;
    const bool on = !m_fitWidth && !m_fitHeight;
    m_fitWidth = m_fitHeight = on;
    if (permanent) {
        m_context.settings->HEIGHTSCALING = on ? 1 : 0;
        m_context.settings->WIDTHSCALING = on ? 1 : 0;
    }
    m_zoom = 0;
    m_scrollX = m_scrollY = 0;
    Layout();
    FitWindow();
    Redraw();
}

void GraphicContent::SetAnchor(bool horizontal, int anchor) {
    int& setting = horizontal ? m_context.settings->GRAPHIC_VIEW_H_POS : m_context.settings->GRAPHIC_VIEW_V_POS;
    if (setting == anchor) return;
    setting = anchor;
    if (!Loaded()) return;
    m_scrollX = m_scrollY = 0;
    Layout();
    Redraw();
}

void GraphicContent::Zoom(bool in) {
    if (!Loaded()) return;
    std::array<int, picture::kZoomCount> enabled{};
    for (int i = 0; i < picture::kZoomCount; ++i)
        enabled[static_cast<size_t>(i)] = m_context.settings->zoomSteps[static_cast<size_t>(i)];
    const int next = picture::NextZoom(m_zoom, in, m_fit.width, m_picture.width, enabled);
    if (next == m_zoom) return;
    m_zoom = next;
    if (m_context.settings->CHANGEZOOMENABLE != 0) m_context.settings->ZOOMNUMBER = next;
    m_scrollX = m_scrollY = 0;
    Layout();
    FitWindow();
    Redraw();
}

void GraphicContent::Scroll(int dx, int dy, bool pages) {
    if (!Loaded()) return;
    const RECT area = Area();
    const int pageX = std::max(1, static_cast<int>(area.right - area.left) / picture::kScrollStep);
    const int pageY = std::max(1, static_cast<int>(area.bottom - area.top) / picture::kScrollStep);
    const int x = std::clamp(m_scrollX + dx * (pages ? pageX : 1), m_rangeX.minimum, m_rangeX.maximum);
    const int y = std::clamp(m_scrollY + dy * (pages ? pageY : 1), m_rangeY.minimum, m_rangeY.maximum);
    if (x == m_scrollX && y == m_scrollY) return;
    m_scrollX = x;
    m_scrollY = y;
    Redraw();
}

}  // namespace zq
