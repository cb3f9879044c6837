#pragma once
// Saving the picture on screen as a .BMP file: the dialog takes the file
// name (the picture's own name with ".BMP", or the numbered name of a
// series), and a worker writes the file while the dialog shows the percentage.
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/Handle.h"
#include "ui/CDialog.h"
#include "ui/CJobThread.h"

namespace zq {

// What is saved: the info header and palette as they will be written, and the bits.
struct StructBmpImage {
    BITMAPINFOHEADER header{};
    std::vector<BYTE> palette;
    const BYTE* bits = nullptr;
    size_t bitsSize = 0;
};

// Writes header, palette and bits to an open file, the bits 32000 bytes at a
// time; false when a write fails or `cancelled` says so.
[[nodiscard]] bool WriteBmp(HANDLE file, const StructBmpImage& image, const std::function<void(int)>& progress,
                            const std::function<bool()>& cancelled);

class CWriteThread final : public ui::CJobThread {
  public:
    CWriteThread(HANDLE file, const StructBmpImage& image) : m_file(file), m_image(image) {}
    [[nodiscard]] int Percent() const noexcept { return m_percent.load(); }

  protected:
    bool Work() override;

  private:
    HANDLE m_file;
    const StructBmpImage& m_image;
    std::atomic<int> m_percent{0};
};

class CSaveBmpDlg final : public ui::CDialog {
  public:
    CSaveBmpDlg(HWND parent, std::wstring defaultName, const StructBmpImage& image);
    ~CSaveBmpDlg() override;
    [[nodiscard]] const std::wstring& FileName() const noexcept { return m_name; }

    // The default names: "<name without extension>.BMP", and for a series "%s\\%s%04d.BMP".
    [[nodiscard]] static std::wstring DefaultName(const std::wstring& path);
    [[nodiscard]] static std::wstring SeriesName(const std::wstring& directory, const std::wstring& base, int number);

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnTimer(UINT_PTR id) override;

  private:
    std::wstring m_name;
    const StructBmpImage& m_image;
    UniqueFile m_file;
    std::unique_ptr<CWriteThread> m_thread;
};

}  // namespace zq
