#pragma once
// A text indexed by the pane's own loader (from memory, no conversion), kept
// as a copy that the layout and selection rules read without the semaphore.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "viewer/ViewerSelection.h"
#include "viewer/ViewerText.h"

namespace zq::viewer {

struct IndexedText {
    std::string bytes;
    std::vector<std::int64_t> lines;

    IndexedText(const std::string& text, int columns, int tabWidth = 8) {
        ViewerText pane(0);
        HLOCAL block = ::LocalAlloc(LMEM_MOVEABLE, text.size() + 1);
        std::memcpy(::LocalLock(block), text.data(), text.size());
        ::LocalUnlock(block);
        if (!pane.OpenMemory(FileEntry{}, L"", block, static_cast<std::int64_t>(text.size()),
                             {tabWidth, columns, kCharCodeSjis, nullptr}))
            return;
        for (int i = 0; i < 30000 && !pane.LoaderFinished(); ++i) ::Sleep(1);
        const TextLock lock(pane);
        bytes.assign(pane.Text(), static_cast<size_t>(pane.TextLength()));
        lines.assign(pane.Lines(), pane.Lines() + pane.LineCount() + 1);
    }
    [[nodiscard]] TextView View() const {
        return {bytes.data(), static_cast<std::int64_t>(bytes.size()), lines.data(),
                static_cast<std::int32_t>(lines.size()) - 1};
    }
};

}  // namespace zq::viewer
