#include "filer/NetworkListAccounts.h"

#include "ui/CMessageBoxDlg.h"

namespace zq {

bool NetworkListAccounts::Connect(const std::wstring& remoteName, const std::wstring& provider) {
    NETRESOURCEW resource{};
    resource.dwType = RESOURCETYPE_ANY;
    resource.lpRemoteName = const_cast<wchar_t*>(remoteName.c_str());
    resource.lpProvider = provider.empty() ? nullptr : const_cast<wchar_t*>(provider.c_str());
    if (::WNetAddConnection2W(&resource, nullptr, nullptr, 0) == NO_ERROR) return true;
    ui::ZqMessageBox(m_owner, L"接続に失敗しました");
    return false;
}

}  // namespace zq
