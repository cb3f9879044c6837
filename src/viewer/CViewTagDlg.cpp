#include "viewer/CViewTagDlg.h"

#include <array>

#include "common/Handle.h"
#include "common/Paths.h"
#include "resource.h"
#include "viewer/AudioTag.h"

namespace zq::viewer {
namespace {

constexpr std::array<int, 9> kFields = {IDC_VIEW_TAG_TITLE,   IDC_VIEW_TAG_ARTIST,   IDC_VIEW_TAG_ALBUM,
                                        IDC_VIEW_TAG_YEAR,    IDC_VIEW_TAG_GENRE,    IDC_VIEW_TAG_COMMENT,
                                        IDC_VIEW_TAG_BITRATE, IDC_VIEW_TAG_SAMPLING, IDC_VIEW_TAG_CHANNELS};

}  // namespace

CViewTagDlg::CViewTagDlg(HWND owner) : ui::CDialog(IDD_VIEW_TAG, owner) {}

void CViewTagDlg::OnCancel() {
    ::ShowWindow(m_hWnd, SW_HIDE);
}

bool CViewTagDlg::Position(POINT& topLeft) const {
    RECT rect{};
    if (!m_hWnd || !::GetWindowRect(m_hWnd, &rect)) return false;
    topLeft = {rect.left, rect.top};
    return true;
}

void CViewTagDlg::ShowTagOf(const std::wstring& path) {
    if (!m_hWnd) return;
    for (int id : kFields) SetDlgItemText(id, L"");
    // Another reader of the same file (a second zq) fills its dialog in turn.
    UniqueHandle mutex(::OpenMutexW(SYNCHRONIZE, FALSE, L"hViewTagMutex"));
    const bool held = mutex && ::WaitForSingleObject(mutex.Get(), 2000) != WAIT_TIMEOUT;
    if (const auto tag = path.empty() ? std::nullopt : ReadAudioTag(path)) {
        ::SetWindowTextW(m_hWnd, std::wstring(FileNamePart(path)).c_str());
        Fill(*tag);
    }
    if (held) ::ReleaseMutex(mutex.Get());
}

void CViewTagDlg::Fill(const StructAudioTag& tag) {
    SetDlgItemText(IDC_VIEW_TAG_TITLE, tag.title);
    SetDlgItemText(IDC_VIEW_TAG_ARTIST, tag.artist);
    SetDlgItemText(IDC_VIEW_TAG_ALBUM, tag.album);
    SetDlgItemText(IDC_VIEW_TAG_YEAR, tag.year);
    SetDlgItemText(IDC_VIEW_TAG_GENRE, GenreText(tag.genre));
    SetDlgItemText(IDC_VIEW_TAG_COMMENT, tag.comment);
    if (tag.bitRateKbps == 0) return;
    wchar_t rate[32];
    ::swprintf(rate, 32, L"%d kbps", tag.bitRateKbps);
    SetDlgItemText(IDC_VIEW_TAG_BITRATE, rate);
    SetDlgItemText(IDC_VIEW_TAG_SAMPLING, SampleRateText(tag.sampleRateHz));
    SetDlgItemText(IDC_VIEW_TAG_CHANNELS, std::wstring(ChannelModeText(tag.channels)));
}

}  // namespace zq::viewer
