#include "search/FindResultOrder.h"

#include <algorithm>
#include <cwchar>

#include "filer/EntrySorter.h"

namespace zq {

namespace {

constexpr DWORD kNameFlags = NORM_IGNORECASE | NORM_IGNORENONSPACE | NORM_IGNOREKANATYPE | NORM_IGNOREWIDTH;

bool IsDirectory(const structFindThreadInfo& item) {
    return (item.find.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

ULONGLONG SizeOf(const structFindThreadInfo& item) {
    return (static_cast<ULONGLONG>(item.find.nFileSizeHigh) << 32) | item.find.nFileSizeLow;
}

ULONGLONG TimeOf(const structFindThreadInfo& item) {
    return (static_cast<ULONGLONG>(item.find.ftLastWriteTime.dwHighDateTime) << 32) |
           item.find.ftLastWriteTime.dwLowDateTime;
}

template <typename T>
int Compare3(T a, T b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

int CompareNames(const wchar_t* a, const wchar_t* b, bool logical) {
    if (logical) {
        if (const EntrySorter::LogicalCompareFn compare = EntrySorter::LogicalCompare()) return compare(a, b);
    }
    return ::CompareStringW(LOCALE_SYSTEM_DEFAULT, kNameFlags, a, -1, b, -1) - CSTR_EQUAL;
}

}  // namespace

FindOrder ClickedColumn(FindOrder order, FindColumn column) {
    if (order.column == column) {
        order.descending = !order.descending;
    } else {
        order.column = column;
        order.descending = false;
    }
    return order;
}

int CompareFindResults(const structFindThreadInfo& a, const structFindThreadInfo& b, const FindOrder& order) {
    int result = 0;
    switch (order.column) {
        case FindColumn::None:
            return 0;
        case FindColumn::Name:
            result = CompareNames(a.find.cFileName, b.find.cFileName, order.logical);
            break;
        case FindColumn::Directory:
            result = CompareNames(a.directory, b.directory, order.logical);
            if (result == 0) result = CompareNames(a.find.cFileName, b.find.cFileName, order.logical);
            break;
        case FindColumn::Size:
            // Directories first, then the files by size.
            result = Compare3(IsDirectory(a) ? 0 : 1, IsDirectory(b) ? 0 : 1);
            if (result == 0) result = Compare3(SizeOf(a), SizeOf(b));
            break;
        case FindColumn::Date:
        case FindColumn::Time:
            result = Compare3(TimeOf(a), TimeOf(b));
            break;
    }
    return order.descending ? -result : result;
}

void FindResultView::Clear() {
    m_items.clear();
    m_rows.clear();
}

void FindResultView::Append(std::vector<structFindThreadInfo> items) {
    if (items.empty()) return;
    const auto first = static_cast<uint32_t>(m_items.size());
    m_items.insert(m_items.end(), std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
    const auto last = static_cast<uint32_t>(m_items.size());
    if (m_order.column == FindColumn::None) {
        // Newest on top.
        std::vector<uint32_t> rows;
        rows.reserve(m_items.size());
        for (uint32_t n = last; n > first; --n) rows.push_back(n - 1);
        rows.insert(rows.end(), m_rows.begin(), m_rows.end());
        m_rows = std::move(rows);
        return;
    }
    // A few new rows are placed one by one; a flood is cheaper sorted in whole.
    if (last - first > 256) {
        for (uint32_t n = first; n < last; ++n) m_rows.push_back(n);
        SortAll();
        return;
    }
    for (uint32_t n = first; n < last; ++n) {
        const auto at = std::upper_bound(m_rows.begin(), m_rows.end(), n, [this](uint32_t a, uint32_t b) {
            return CompareFindResults(m_items[a], m_items[b], m_order) < 0;
        });
        m_rows.insert(at, n);
    }
}

void FindResultView::SetOrder(const FindOrder& order) {
    m_order = order;
    m_rows.clear();
    if (m_order.column == FindColumn::None) {
        for (auto n = static_cast<uint32_t>(m_items.size()); n > 0; --n) m_rows.push_back(n - 1);
        return;
    }
    for (uint32_t n = 0; n < m_items.size(); ++n) m_rows.push_back(n);
    SortAll();
}

void FindResultView::SortAll() {
    // Stable: rows that compare equal keep the order they came in.
    std::stable_sort(m_rows.begin(), m_rows.end(), [this](uint32_t a, uint32_t b) {
        return CompareFindResults(m_items[a], m_items[b], m_order) < 0;
    });
}

std::wstring FindColumnText(const structFindThreadInfo& item, FindColumn column) {
    wchar_t text[64] = {};
    SYSTEMTIME local{};
    FILETIME localTime{};
    switch (column) {
        case FindColumn::None:
            return {};
        case FindColumn::Name:
            return item.find.cFileName;
        case FindColumn::Directory:
            return item.directory;
        case FindColumn::Size: {
            if (IsDirectory(item)) return L"<DIR>";
            std::wstring digits = std::to_wstring(SizeOf(item));
            for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
                digits.insert(static_cast<size_t>(at), 1, L',');
            if (digits.size() < 14) digits.insert(0, 14 - digits.size(), L' ');
            return digits;
        }
        case FindColumn::Date:
        case FindColumn::Time:
            if (!::FileTimeToLocalFileTime(&item.find.ftLastWriteTime, &localTime) ||
                !::FileTimeToSystemTime(&localTime, &local))
                return {};
            if (column == FindColumn::Date)
                std::swprintf(text, std::size(text), L"%04u/%02u/%02u", local.wYear, local.wMonth, local.wDay);
            else
                std::swprintf(text, std::size(text), L"%02u:%02u:%02u", local.wHour, local.wMinute, local.wSecond);
            return text;
    }
    return {};
}

}  // namespace zq
