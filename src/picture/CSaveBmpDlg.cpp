#include "picture/CSaveBmpDlg.h"

#include <cstdio>

#include "common/Paths.h"
#include "picture/DibTransform.h"
#include "resource.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

namespace {

constexpr DWORD kWriteChunk = 32000;
constexpr UINT_PTR kPercentTimer = 1;

bool WriteAll(HANDLE file, const void* data, size_t size) {
    DWORD written = 0;
    return size == 0 || (::WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size);
}

}  // namespace

bool WriteBmp(HANDLE file, const StructBmpImage& image, const std::function<void(int)>& progress,
              const std::function<bool()>& cancelled) {
    const std::vector<std::uint8_t> fileHeader =
        picture::BmpFileHeader(image.bitsSize, static_cast<int>(image.palette.size()));
    if (!WriteAll(file, fileHeader.data(), fileHeader.size()) || !WriteAll(file, &image.header, sizeof(image.header)) ||
        !WriteAll(file, image.palette.data(), image.palette.size()))
        return false;
    size_t done = 0;
    while (done < image.bitsSize) {
        if (cancelled && cancelled()) return false;
        const size_t chunk = image.bitsSize - done < kWriteChunk ? image.bitsSize - done : kWriteChunk;
        if (!WriteAll(file, image.bits + done, chunk)) return false;
        done += chunk;
        if (progress) progress(static_cast<int>(static_cast<unsigned long long>(done) * 100 / image.bitsSize));
    }
    return true;
}

bool CWriteThread::Work() {
    return WriteBmp(
        m_file, m_image, [this](int percent) { m_percent.store(percent); }, [this] { return CancelRequested(); });
}

CSaveBmpDlg::CSaveBmpDlg(HWND parent, std::wstring defaultName, const StructBmpImage& image)
    : ui::CDialog(IDD_SAVE_BMP, parent), m_name(std::move(defaultName)), m_image(image) {}

CSaveBmpDlg::~CSaveBmpDlg() {
    if (m_thread) {
        m_thread->RequestCancel();
        ui::JoinPumping(m_thread->Handle());
    }
}

std::wstring CSaveBmpDlg::DefaultName(const std::wstring& path) {
    const std::wstring_view name = FileNamePart(path);
    const size_t dot = name.rfind(L'.');
    const std::wstring_view base = dot == std::wstring_view::npos ? name : name.substr(0, dot);
    return JoinPath(ParentPart(path), std::wstring(base) + L".BMP");
}

std::wstring CSaveBmpDlg::SeriesName(const std::wstring& directory, const std::wstring& base, int number) {
    wchar_t text[1100];
    std::swprintf(text, std::size(text), L"%ls\\%ls%04d.BMP", directory.c_str(), base.c_str(), number);
    return text;
}

bool CSaveBmpDlg::OnInitDialog() {
    SetDlgItemText(IDC_SAVE_BMP_NAME, m_name);
    return true;
}

void CSaveBmpDlg::OnOK() {
    if (m_thread) return;
    m_name = GetDlgItemText(IDC_SAVE_BMP_NAME);
    if (m_name.empty()) return;
    m_file.Reset(::CreateFileW(PlatformPath(m_name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!m_file) {
        ui::ZqMessageBox(m_hWnd, L"ファイルが開けませんでした");
        return;
    }
    m_thread = std::make_unique<CWriteThread>(m_file.Get(), m_image);
    m_thread->SetOwner(m_hWnd);
    EnableItem(IDOK, false);
    if (!m_thread->CreateThread()) {
        m_thread.reset();
        m_file.Reset();
        EndDialog(IDABORT);
        return;
    }
    SetTimer(kPercentTimer, 100);
}

void CSaveBmpDlg::OnCancel() {
    if (m_thread)
        m_thread->RequestCancel();
    else
        EndDialog(IDCANCEL);
}

void CSaveBmpDlg::OnTimer(UINT_PTR id) {
    if (id == kPercentTimer && m_thread)
        SetDlgItemText(IDC_SAVE_BMP_PERCENT, std::to_wstring(m_thread->Percent()) + L"%");
}

bool CSaveBmpDlg::OnCommand(WORD id, WORD code, HWND control) {
    (void)code, (void)control;
    if (id != ui::CWinThread::kCommandSucceeded && id != ui::CWinThread::kCommandFailed) return false;
    KillTimer(kPercentTimer);
    m_thread->Join();
    m_thread.reset();
    m_file.Reset();
    if (id == ui::CWinThread::kCommandFailed) {
        // A half-written file is of no use to anyone.
        ::DeleteFileW(PlatformPath(m_name).c_str());
        EndDialog(IDABORT);
        return true;
    }
    EndDialog(IDOK);
    return true;
}

}  // namespace zq
