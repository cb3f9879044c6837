#include "fileops/CDeleteThread.h"

#include "resource.h"

namespace zq::fileops {

void CDeleteThread::FileField::SetText(ProgressField field, const std::wstring& item) {
    if (field != ProgressField::File) return;
    // Sent, not posted: the text must outlive the call; the dialog never waits
    // on this thread without handling its messages.
    ::SetDlgItemTextW(dialog, IDC_DEL_FILE, item.c_str());
}

CDeleteThread::CDeleteThread(HWND dialog, SelectionSnapshot selection, DeleteOptions options)
    : m_questions(dialog),
      m_bin(&m_questions),
      m_virtualDrives(WorkerVirtualDrives(dialog)),
      m_job(std::move(selection), options,
            DeleteServices{RealFileSystem(), m_questions, m_bin, &m_field, &m_virtualDrives}) {
    m_field.dialog = dialog;
}

}  // namespace zq::fileops
