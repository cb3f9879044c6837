// The Graphic mode's layout, drawing, window sizing and the commands that
// hand the picture to someone else (a file, the clipboard, the desktop).
#include <algorithm>
#include <cstring>

#include "common/Paths.h"
#include "picture/CGraphicListDlg.h"
#include "picture/CSaveBmpDlg.h"
#include "picture/GraphicContent.h"
#include "settings/Settings.h"
#include "ui/CMessageBoxDlg.h"
#include "ui/Clipboard.h"

namespace zq {

int GraphicContent::HorizontalAnchor() const {
    return std::clamp(m_context.settings->GRAPHIC_VIEW_H_POS, 0, 2);
}

int GraphicContent::VerticalAnchor() const {
    return std::clamp(m_context.settings->GRAPHIC_VIEW_V_POS, 0, 2);
}

const BITMAPINFO* GraphicContent::Info() const {
    return m_info;
}

RECT GraphicContent::Area() const {
    if (!::IsRectEmpty(&m_area)) return m_area;
    RECT rect{};
    if (m_host && m_pane >= 0) rect = m_host->PaneRect(m_pane);
    if (::IsRectEmpty(&rect)) ::GetClientRect(m_context.view, &rect);
    return rect;
}

void GraphicContent::Layout() {
    if (!Loaded()) return;
    const RECT area = Area();
    picture::FitInput in;
    in.width = m_picture.width;
    in.height = m_picture.height;
    in.areaWidth = area.right - area.left;
    in.areaHeight = area.bottom - area.top;
    in.scrollBar = ::GetSystemMetrics(SM_CXVSCROLL);
    in.fitWidth = m_fitWidth;
    in.fitHeight = m_fitHeight;
    in.zoom = m_zoom;
    m_fit = picture::FitPicture(in);
    m_rangeX = picture::ScrollRangeFor(m_fit.overflowX, HorizontalAnchor());
    m_rangeY = picture::ScrollRangeFor(m_fit.overflowY, VerticalAnchor());
    m_scrollX = std::clamp(m_scrollX, m_rangeX.minimum, m_rangeX.maximum);
    m_scrollY = std::clamp(m_scrollY, m_rangeY.minimum, m_rangeY.maximum);
    UpdateTitle();
}

void GraphicContent::UpdateTitle() {
    if (!m_host || !Loaded()) return;
    wchar_t title[1200];
    const StructPictureItem& item = m_items[static_cast<size_t>(m_index)];
    const long percent = picture::ZoomPercent(m_fit.width, m_picture.width);
    if (item.kind == StructPictureItem::Kind::File) {
        const std::wstring name(FileNamePart(item.path));
        std::swprintf(title, std::size(title), L"%ls 幅:%d 高さ%d %dBit Color(%ld%%)", name.c_str(), m_picture.width,
                      m_picture.height, m_picture.bitCount, percent);
    } else {
        // A member: the archive's path first, the member's name in the parentheses.
        std::swprintf(title, std::size(title), L"%ls(%ls) 幅:%d 高さ%d %dBit Color(%ld%%)", item.path.c_str(),
                      item.member.c_str(), m_picture.width, m_picture.height, m_picture.bitCount, percent);
    }
    m_host->SetStatusText(title);
}

void GraphicContent::Redraw() {
    if (m_host && m_pane >= 0) m_host->RedrawPane(m_pane);
}

// The main window grows so that the picture fits, never shrinks, and keeps
// the edge the anchoring names (or its centre).
void GraphicContent::FitWindow() {
    if (!Loaded() || m_fullScreen || m_context.settings->GRAPHIC_VIEW_NOT_CHANGE_WND_SIZE != 0) return;
    const RECT area = Area();
    const int growX = std::max(0, m_fit.width - static_cast<int>(area.right - area.left));
    const int growY = std::max(0, m_fit.height - static_cast<int>(area.bottom - area.top));
    if (growX == 0 && growY == 0) return;
    HWND frame = m_context.frame;
    if (frame == nullptr || ::IsZoomed(frame)) return;
    RECT window{};
    ::GetWindowRect(frame, &window);
    MONITORINFO monitor{sizeof(monitor)};
    ::GetMonitorInfoW(::MonitorFromWindow(frame, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = std::min<int>(window.right - window.left + growX, work.right - work.left);
    const int height = std::min<int>(window.bottom - window.top + growY, work.bottom - work.top);
    const auto place = [](int anchor, LONG start, LONG end, LONG workStart, LONG workEnd, int size) -> int {
        int at = anchor == picture::kAnchorEnd      ? static_cast<int>(end) - size
                 : anchor == picture::kAnchorCentre ? static_cast<int>(workStart + workEnd) / 2 - size / 2
                                                    : static_cast<int>(start);
        return std::clamp(at, static_cast<int>(workStart), static_cast<int>(workEnd) - size);
    };
    const int x = place(HorizontalAnchor(), window.left, window.right, work.left, work.right, width);
    const int y = place(VerticalAnchor(), window.top, window.bottom, work.top, work.bottom, height);
    ::SetWindowPos(frame, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void GraphicContent::Paint(HDC dc, int pane, const RECT& rect) {
    if (pane != m_pane) return;
    if (!::EqualRect(&rect, &m_area)) {
        m_area = rect;
        Layout();
    }
    const COLORREF background = m_context.settings->BACK_GROUND_COLOR;
    const auto fill = [&](const RECT& r) {
        UniqueGdiObject brush(::CreateSolidBrush(background));
        ::FillRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
    };
    if (!Loaded() || m_paused) {
        fill(rect);
        return;
    }
    const int areaWidth = rect.right - rect.left;
    const int areaHeight = rect.bottom - rect.top;
    const int x = rect.left + picture::OriginFor(areaWidth, m_fit.width, HorizontalAnchor(), m_scrollX);
    const int y = rect.top + picture::OriginFor(areaHeight, m_fit.height, VerticalAnchor(), m_scrollY);
    const RECT picture{x, y, x + m_fit.width, y + m_fit.height};
    // The background around the picture, as four bands.
    const RECT bands[4] = {{rect.left, rect.top, rect.right, std::max(rect.top, picture.top)},
                           {rect.left, std::min(rect.bottom, picture.bottom), rect.right, rect.bottom},
                           {rect.left, picture.top, std::max(rect.left, picture.left), picture.bottom},
                           {std::min(rect.right, picture.right), picture.top, rect.right, picture.bottom}};
    for (const RECT& band : bands)
        if (band.right > band.left && band.bottom > band.top) fill(band);
    const void* bits = m_bits;
    const BITMAPINFO* info = Info();
    int copied = 0;
    if (m_fit.width == m_picture.width && m_fit.height == m_picture.height) {
        copied =
            ::SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(m_picture.width), static_cast<DWORD>(m_picture.height), 0,
                                0, 0, static_cast<UINT>(m_picture.height), bits, info, DIB_RGB_COLORS);
    } else {
        if (::GetStretchBltMode(dc) != HALFTONE) {
            ::SetStretchBltMode(dc, HALFTONE);
            ::SetBrushOrgEx(dc, 0, 0, nullptr);
        }
        copied = ::StretchDIBits(dc, x, y, m_fit.width, m_fit.height, 0, 0, m_picture.width, m_picture.height, bits,
                                 info, DIB_RGB_COLORS, SRCCOPY);
    }
    if (copied == 0) fill(picture);
}

bool GraphicContent::BmpImage(StructBmpImage& image) const {
    const int paletteBytes = picture::BmpPaletteBytes(m_picture.bitCount);
    if (paletteBytes < 0 || Info() == nullptr) {
        ShowError(L"データ不正で中止します");
        return false;
    }
    image.header = Info()->bmiHeader;
    image.header.biSize = sizeof(BITMAPINFOHEADER);
    image.bitsSize = picture::DibRowBytes(m_picture.width, m_picture.bitCount) * static_cast<size_t>(m_picture.height);
    image.header.biSizeImage = static_cast<DWORD>(image.bitsSize);
    image.palette.assign(static_cast<size_t>(paletteBytes), 0);
    const size_t infoSize = ::LocalSize(m_picture.info.Get());
    const size_t have = infoSize > Info()->bmiHeader.biSize ? infoSize - Info()->bmiHeader.biSize : 0;
    std::memcpy(image.palette.data(), reinterpret_cast<const BYTE*>(Info()) + Info()->bmiHeader.biSize,
                std::min(have, image.palette.size()));
    image.bits = m_bits;
    if (::LocalSize(m_picture.bits.Get()) < image.bitsSize) {
        ShowError(L"データ不正で中止します");
        return false;
    }
    return true;
}

void GraphicContent::SaveBmp(bool series) {
    if (!Loaded()) return;
    StructBmpImage image;
    if (!BmpImage(image)) return;
    const std::wstring& path = m_list[static_cast<size_t>(m_index)];
    std::wstring name = CSaveBmpDlg::DefaultName(path);
    if (series) {
        const std::wstring_view file = FileNamePart(path);
        const size_t dot = file.rfind(L'.');
        name = CSaveBmpDlg::SeriesName(std::wstring(ParentPart(path)),
                                       std::wstring(dot == std::wstring_view::npos ? file : file.substr(0, dot)),
                                       m_seriesNumber++);
    }
    const SuspendScope suspended(m_context);
    CSaveBmpDlg dialog(m_context.view, name, image);
    (void)dialog.DoModal();
}

void GraphicContent::CopyToClipboard() {
    if (!Loaded()) return;
    StructBmpImage image;
    if (!BmpImage(image)) return;
    const size_t size = sizeof(image.header) + image.palette.size() + image.bitsSize;
    UniqueGlobal block(::GlobalAlloc(GMEM_MOVEABLE, size));
    BYTE* data = block ? static_cast<BYTE*>(::GlobalLock(block.Get())) : nullptr;
    if (data == nullptr) return;
    std::memcpy(data, &image.header, sizeof(image.header));
    std::memcpy(data + sizeof(image.header), image.palette.data(), image.palette.size());
    std::memcpy(data + sizeof(image.header) + image.palette.size(), image.bits, image.bitsSize);
    ::GlobalUnlock(block.Get());
    const ui::ClipboardBlock blocks[] = {{CF_DIB, &block}};
    const ui::ClipboardFailure failure = ui::PutOnClipboard(m_context.view, blocks);
    if (failure != ui::ClipboardFailure::None) ShowError(ui::ClipboardFailureText(failure));
}

// The wallpaper is a .BMP in the temporary directory, centred as the desktop shows it by default.
void GraphicContent::SetWallpaper() {
    if (!Loaded()) return;
    StructBmpImage image;
    if (!BmpImage(image)) return;
    std::wstring directory = m_context.settings->tempDirectory;
    if (directory.empty()) {
        wchar_t temp[MAX_PATH + 1] = {};
        ::GetTempPathW(static_cast<DWORD>(std::size(temp)), temp);
        directory = temp;
    }
    const std::wstring path = JoinPath(directory, L"ZqWallpaper.bmp");
    {
        const UniqueFile file(::CreateFileW(PlatformPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            ShowError(L"ファイルが開けませんでした");
            return;
        }
        if (!WriteBmp(file.Get(), image, {}, {})) return;
    }
    ::SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<wchar_t*>(path.c_str()),
                            SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
}

void GraphicContent::ShowList() {
    int chosen = m_index;
    {
        const SuspendScope suspended(m_context);
        CGraphicListDlg dialog(m_context.view, m_list, m_index);
        if (dialog.DoModal() != IDOK) return;
        chosen = dialog.Selected();
    }
    if (chosen != m_index && chosen >= 0 && chosen < static_cast<int>(m_list.size())) (void)LoadStep(chosen - m_index);
}

void GraphicContent::ToggleFullScreen() {
    HWND frame = m_context.frame;
    if (frame == nullptr) return;
    if (!m_fullScreen) {
        m_savedStyle = ::GetWindowLongPtrW(frame, GWL_STYLE);
        m_savedPlacement.length = sizeof(m_savedPlacement);
        ::GetWindowPlacement(frame, &m_savedPlacement);
        MONITORINFO monitor{sizeof(monitor)};
        ::GetMonitorInfoW(::MonitorFromWindow(frame, MONITOR_DEFAULTTONEAREST), &monitor);
        ::SetWindowLongPtrW(frame, GWL_STYLE, m_savedStyle & ~static_cast<LONG_PTR>(WS_OVERLAPPEDWINDOW));
        const RECT& r = monitor.rcMonitor;
        ::SetWindowPos(frame, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_FRAMECHANGED);
        m_fullScreen = true;
    } else {
        ::SetWindowLongPtrW(frame, GWL_STYLE, m_savedStyle);
        ::SetWindowPlacement(frame, &m_savedPlacement);
        ::SetWindowPos(frame, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
        m_fullScreen = false;
    }
    if (Loaded()) {
        Layout();
        Redraw();
    }
}

}  // namespace zq
