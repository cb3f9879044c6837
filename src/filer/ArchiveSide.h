#pragma once
// A pane that shows an archive, as an operation that takes the whole archive
// for one of its sides sees it (the synchronised copy): which archive, which
// library family serves it, where the pane stands inside it, and every file
// member with its time.  The Filer knows nothing of archives; the archive
// browser's listing source answers this, and the operations ask it.
#include <windows.h>

#include <string>
#include <vector>

namespace zq {

struct StructArchiveSideFile {
    std::wstring path;  // inside the archive, "docs\a.txt"
    FILETIME lastWrite{};
};

struct StructArchiveSide {
    int kind = -1;  // the archiver row; -1 when a plug-in lists the archive
    std::wstring directory;
    std::wstring name;
    std::wstring folder;  // where the pane stands inside the archive, "" at its top
    std::wstring libraryPath;
    std::string unpackPrefix;
    std::string packPrefix;
    std::vector<StructArchiveSideFile> files;
};

class IArchiveSide {
  public:
    virtual ~IArchiveSide() = default;
    // The archive shown at `location`; false when it cannot be read now.
    [[nodiscard]] virtual bool DescribeArchiveSide(const std::wstring& location, StructArchiveSide& side) = 0;
};

}  // namespace zq
