// Printing a Viewer text: rows wrapped as the Viewer wraps them, tabs
// expanded, optional row numbers, one header line with the file name and the
// page number.  Without a printer (a fresh system, Wine without a spooler) the
// user is told so instead of being shown an empty dialog.
#include <windows.h>

#include <cderr.h>
#include <commdlg.h>
#include <winspool.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ZqDll.h"

namespace {

constexpr wchar_t kTitle[] = L"テキストの印刷";

// One printed row of the text, in the ANSI code page.
std::vector<std::string> PrintRows(const char* text, uint32_t length, int columns, int tabWidth) {
    std::vector<std::string> rows;
    if (columns < 1) columns = 80;
    if (tabWidth < 1) tabWidth = 8;
    std::string row;
    bool pending = false;  // a row was started and not yet put out
    for (uint32_t i = 0; i < length; ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < length && text[i + 1] == '\n') ++i;
            rows.push_back(std::move(row));
            row.clear();
            pending = false;
            continue;
        }
        pending = true;
        if (c == '\t') {
            const size_t next = (row.size() / static_cast<size_t>(tabWidth) + 1) * static_cast<size_t>(tabWidth);
            row.append(std::min(next, static_cast<size_t>(columns)) - row.size(), ' ');
        } else {
            const bool lead = ::IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < length;
            // A wide character that would stand half outside goes to the next row.
            if (row.size() + (lead ? 2 : 1) > static_cast<size_t>(columns)) {
                rows.push_back(std::move(row));
                row.clear();
            }
            row.push_back(c);
            if (lead) row.push_back(text[++i]);
        }
        if (row.size() >= static_cast<size_t>(columns)) {
            rows.push_back(std::move(row));
            row.clear();
            pending = false;
        }
    }
    if (pending) rows.push_back(std::move(row));
    return rows;
}

std::wstring Wide(const std::string& bytes) {
    if (bytes.empty()) return {};
    const int units = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(units), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), units);
    return out;
}

void Refuse(HWND owner, DWORD error) {
    const wchar_t* reason = L"プリンタの準備ができませんでした。";
    if (error == PDERR_NODEFAULTPRN || error == PDERR_PRINTERNOTFOUND || error == PDERR_NODEVICES)
        reason = L"プリンタが見つかりません。プリンタを設定してから印刷してください。";
    wchar_t text[256];
    ::wsprintfW(text, L"%s\n(エラー %04X)", reason, static_cast<unsigned>(error));
    ::MessageBoxW(owner, text, kTitle, MB_OK | MB_ICONWARNING);
}

bool PrintPages(HDC dc, const StructZqPrintText& request) {
    const int dpiX = ::GetDeviceCaps(dc, LOGPIXELSX);
    const int dpiY = ::GetDeviceCaps(dc, LOGPIXELSY);
    const int pageWidth = ::GetDeviceCaps(dc, HORZRES);
    const int pageHeight = ::GetDeviceCaps(dc, VERTRES);
    const auto mm = [](int millimetres, int dpi) { return ::MulDiv(millimetres, dpi * 10, 254); };
    const RECT area{mm(request.SpaceLeft, dpiX), mm(request.SpaceTop, dpiY), pageWidth - mm(request.SpaceRight, dpiX),
                    pageHeight - mm(request.SpaceBottom, dpiY)};

    LOGFONTW font{};
    font.lfHeight = ::MulDiv(request.FontHeight, dpiY, 96);
    font.lfWidth = ::MulDiv(request.FontWidth, dpiX, 96);
    font.lfCharSet = static_cast<BYTE>(request.FontCharset ? *request.FontCharset : DEFAULT_CHARSET);
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    if (request.FontName) ::lstrcpynW(font.lfFaceName, request.FontName, LF_FACESIZE);
    HFONT handle = ::CreateFontIndirectW(&font);
    HGDIOBJ old = ::SelectObject(dc, handle);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    const int rowHeight = metrics.tmHeight + metrics.tmExternalLeading;
    // The header line and a blank one stand above the text on every page.
    const int rowsPerPage = rowHeight > 0 ? (area.bottom - area.top) / rowHeight - 2 : 0;

    const std::vector<std::string> rows =
        PrintRows(request.Text, request.TextLength, request.Columns, request.TabWidth);
    const bool numbers = request.LineNumbers && *request.LineNumbers;
    DOCINFOW document{};
    document.cbSize = sizeof(document);
    document.lpszDocName = request.FileName ? request.FileName : L"zq";
    bool ok = rowsPerPage > 0 && ::StartDocW(dc, &document) > 0;
    for (size_t first = 0, page = 1; ok && (first < rows.size() || page == 1);
         first += static_cast<size_t>(rowsPerPage), ++page) {
        ok = ::StartPage(dc) > 0;
        if (!ok) break;
        wchar_t header[400];
        ::wsprintfW(header, L"%s  - %d -", document.lpszDocName, static_cast<int>(page));
        ::TextOutW(dc, area.left, area.top, header, ::lstrlenW(header));
        for (int r = 0; r < rowsPerPage && first + static_cast<size_t>(r) < rows.size(); ++r) {
            std::wstring line = Wide(rows[first + static_cast<size_t>(r)]);
            if (numbers) {
                wchar_t number[16];
                ::wsprintfW(number, L"%6d ", static_cast<int>(first) + r);
                line.insert(0, number);
            }
            ::TextOutW(dc, area.left, area.top + (r + 2) * rowHeight, line.c_str(), static_cast<int>(line.size()));
        }
        ok = ::EndPage(dc) > 0;
    }
    if (ok) {
        ok = ::EndDoc(dc) > 0;
    } else {
        ::AbortDoc(dc);
    }
    ::SelectObject(dc, old);
    ::DeleteObject(handle);
    return ok;
}

}  // namespace

extern "C" BOOL WINAPI ZqPrintTextDlg(StructZqPrintText* request) {
    if (!request || (!request->Text && request->TextLength != 0)) return FALSE;
    // Asked first: the platform's dialog, with no printer, shows a warning of
    // its own that does not say what to do in this program.
    DWORD nameLength = 0;
    ::GetDefaultPrinterW(nullptr, &nameLength);
    if (nameLength == 0) {
        Refuse(request->hwndOwner, PDERR_NODEFAULTPRN);
        return FALSE;
    }
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = request->hwndOwner;
    // PD_NOWARNING: the platform's own "no printer" warning says less than ours.
    dialog.Flags = PD_RETURNDC | PD_NOWARNING | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    if (request->SetupPrinter) dialog.Flags |= PD_PRINTSETUP;
    if (!::PrintDlgW(&dialog)) {
        const DWORD error = ::CommDlgExtendedError();
        if (error != 0) Refuse(request->hwndOwner, error);
        return FALSE;
    }
    const bool printed = dialog.hDC && PrintPages(dialog.hDC, *request);
    if (dialog.hDC) ::DeleteDC(dialog.hDC);
    if (dialog.hDevMode) ::GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) ::GlobalFree(dialog.hDevNames);
    if (!printed) ::MessageBoxW(request->hwndOwner, L"印刷できませんでした。", kTitle, MB_OK | MB_ICONWARNING);
    return printed ? TRUE : FALSE;
}
