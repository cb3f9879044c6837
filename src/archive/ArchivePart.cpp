#include "archive/ArchivePart.h"

#include <memory>

#include "archive/ArchiveSource.h"
#include "archive/ArchiverTable.h"
#include "settings/Settings.h"

namespace zq {

ArchivePart::ArchivePart(ViewContext& context) : m_context(context) {
    ListingSources::Register([this]() -> std::unique_ptr<IListingSource> {
        return std::make_unique<ArchiveSource>([this] {
            return ArchiverLibraryPath(m_context.settings ? m_context.settings->unbypassDllPath : std::wstring());
        });
    });
}

}  // namespace zq
