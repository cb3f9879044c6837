#include "viewer/ViewerText.h"

#include <cstdlib>

#include "common/Paths.h"
#include "viewer/CViewDataThread.h"

namespace zq::viewer {

ViewerText::ViewerText(int paneNumber) : m_pane(paneNumber) {}

ViewerText::~ViewerText() {
    Close();
    if (m_state.semaphore) ::CloseHandle(m_state.semaphore);
}

std::int64_t ViewerText::MemberByteLimit(const FileEntry& entry, int getViewMemThousands) noexcept {
    const auto size = static_cast<std::int64_t>(SizeOf(entry));
    const std::int64_t limit = static_cast<std::int64_t>(getViewMemThousands) * 1000;
    return size < limit ? size : limit;
}

bool ViewerText::PrepareOpen(const FileEntry& entry, const std::wstring& directory,
                             const ViewerOpenSettings& settings) {
    // The entry and directory may be our own (a reopen): copy them first.
    const FileEntry viewed = entry;
    const std::wstring folder = directory.empty() ? m_currentDirectory : directory;
    m_viewedEntry = viewed;
    if (!m_state.semaphore) {
        wchar_t name[32];
        ::swprintf(name, 32, L"SEMAPHORE_VIEWER_%d", m_pane);
        m_state.semaphore = ::CreateSemaphoreW(nullptr, 1, 1, name);
        if (!m_state.semaphore) return false;
    }
    Close();
    int tabWidth = settings.tabWidth;
    int columns = settings.columns;
    if (settings.kinds) ApplyKindSettings(*settings.kinds, viewed.cFileName, tabWidth, columns);
    m_tabWidth = tabWidth;
    m_columns = columns;
    m_viewedDirectory = folder;
    m_viewedPath = JoinPath(folder, viewed.cFileName);
    return true;
}

bool ViewerText::Open(const FileEntry& entry, const std::wstring& directory, const ViewerOpenSettings& settings) {
    if (!PrepareOpen(entry, directory, settings)) return false;
    m_fromMemory = false;
    std::wstring folder = m_viewedDirectory;
    if (m_translator && m_translator->IsVirtual(folder)) {
        std::wstring real;
        if (!m_translator->ToRealPath(folder, real)) return false;
        folder = real;
    }
    const std::wstring path = JoinPath(folder, m_viewedEntry.cFileName);
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size)) {
        ::CloseHandle(file);
        return false;
    }
    return StartLoad(file, size.QuadPart, false, false, settings.request);
}

bool ViewerText::OpenMemory(const FileEntry& entry, const std::wstring& directory, HLOCAL block, std::int64_t length,
                            const ViewerOpenSettings& settings) {
    if (!PrepareOpen(entry, directory, settings)) {
        ::LocalFree(block);
        return false;
    }
    m_fromMemory = true;
    char* text = block ? static_cast<char*>(::LocalLock(block)) : nullptr;
    if (!text) {
        if (block) ::LocalFree(block);
        return false;
    }
    {
        SemaphoreHold hold(m_state.semaphore);
        m_state.text = text;
    }
    m_state.textLength.store(length);
    m_state.capacityTarget = length;
    return StartLoad(nullptr, length, false, true, settings.request);
}

bool ViewerText::StartLoad(HANDLE file, std::int64_t size, bool reindex, bool unconverted, ViewerCharCode request) {
    {
        SemaphoreHold hold(m_state.semaphore);
        m_blankLine.assign(static_cast<size_t>(m_columns > 0 ? m_columns : 0) + 10, ' ');
    }
    StopLoader();
    m_state.lineCount.store(0);
    m_topLine = 0;
    FreeLines();

    auto loader = std::make_unique<CViewDataThread>(m_state, file, m_tabWidth, m_columns, unconverted);
    if (reindex) {
        loader->SetCode(m_effectiveCode, 0);
    } else {
        m_requestedCode = request;
        if (size >= 0) m_state.fileSize = size;
        const MarkResult mark = loader->TestMark();
        m_detectedCode = mark.detected;
        m_effectiveCode = request == kCharCodeAuto ? mark.detected : request;
        if (request == kCharCodeAuto) m_requestedCode = mark.detected;
        const bool skips = m_effectiveCode == kCharCodeUnicode || m_effectiveCode == kCharCodeUtf8;
        loader->SetCode(m_effectiveCode, skips ? mark.length : 0);
    }
    if (!loader->LoadStep()) {
        loader.reset();
        FreeLines();
    } else if (!loader->CreateThread()) {
        // Without a thread of its own the text loads here, all of it.
        while (!loader->Done()) loader->LoadStep();
    }
    m_loader = std::move(loader);
    if (!m_state.lines) {
        FreeText();
        m_state.capacityTarget = 0;
        return false;
    }
    return true;
}

bool ViewerText::Reindex(int tabWidth, int columns) {
    if (!m_state.text || !m_state.lines) return false;
    const int newTab = tabWidth > 0 ? tabWidth : m_tabWidth;
    const int newColumns = columns > 0 ? columns : m_columns;
    if (m_loader) m_loader->Stop();
    // A file whose load was cut short has only part of its text here: read it again.
    if (!m_fromMemory && m_loader && !m_loader->Complete()) {
        const ViewerOpenSettings settings{newTab, newColumns, m_effectiveCode, nullptr};
        return Reopen(settings);
    }
    m_tabWidth = newTab;
    m_columns = newColumns;
    return StartLoad(nullptr, -1, true, false, m_effectiveCode);
}

void ViewerText::StopLoader() {
    if (!m_loader) return;
    m_loader->Stop();
    m_loader.reset();
}

void ViewerText::FreeText() {
    SemaphoreHold hold(m_state.semaphore);
    FreeTextBuffer(m_state.text);
    m_state.text = nullptr;
}

void ViewerText::FreeLines() {
    SemaphoreHold hold(m_state.semaphore);
    std::free(m_state.lines);
    m_state.lines = nullptr;
    m_state.lineCapacity = 0;
}

void ViewerText::Close() {
    StopLoader();
    FreeText();
    FreeLines();
    m_state.capacityTarget = 0;
    m_state.textLength.store(0);
    m_state.lineCount.store(0);
    m_topLine = 0;
    searchOrigin = 0;
    searchPosition = 0;
    m_viewedPath.clear();
}

bool ViewerText::Reopen(const ViewerOpenSettings& settings) {
    if (m_fromMemory || m_viewedDirectory.empty()) return false;
    const FileEntry entry = m_viewedEntry;
    const std::wstring directory = m_viewedDirectory;
    return Open(entry, directory, settings);
}

bool ViewerText::BeginReload(const ViewerOpenSettings& settings) {
    m_reloadTopLine = m_topLine;
    return Reopen(settings);
}

bool ViewerText::ReloadSettled() const noexcept {
    return LineCount() > m_reloadTopLine || LoaderFinished();
}

void ViewerText::FinishReload() noexcept {
    m_topLine = m_reloadTopLine;
}

bool ViewerText::TextAvailable() {
    if (m_printing || !m_state.semaphore) return false;
    ::WaitForSingleObject(m_state.semaphore, INFINITE);
    if (m_state.text && m_state.lines) return true;
    ::ReleaseSemaphore(m_state.semaphore, 1, nullptr);
    return false;
}

void ViewerText::Release() {
    if (m_state.semaphore) ::ReleaseSemaphore(m_state.semaphore, 1, nullptr);
}

bool ViewerText::LoaderFinished() const {
    return !m_loader || !m_loader->Running();
}

bool CodeChangeNeedsReopen(ViewerCharCode request, ViewerCharCode effective, ViewerCharCode detected) noexcept {
    if (request != kCharCodeAuto) return request != effective;
    const bool marked = detected == kCharCodeSjis || detected == kCharCodeUnicode || detected == kCharCodeUtf8;
    return !(marked && detected == effective);
}

}  // namespace zq::viewer
