#pragma once
// The rows of the four command tables, defined one table per file and walked
// only through CommandTable.h.  Declared here so that each definition has
// external linkage.
#include <cstddef>
#include <iterator>

#include "commands/CommandTable.h"

namespace zq::commands_data {

extern const StructCommand kFilerCommands[];
extern const std::size_t kFilerCommandCount;
extern const wchar_t* const kFilerCategories[];
extern const std::size_t kFilerCategoryCount;
extern const StructCommand kViewerCommands[];
extern const std::size_t kViewerCommandCount;
extern const wchar_t* const kViewerCategories[];
extern const std::size_t kViewerCategoryCount;
extern const StructCommand kGraphicCommands[];
extern const std::size_t kGraphicCommandCount;
extern const wchar_t* const kGraphicCategories[];
extern const std::size_t kGraphicCategoryCount;
extern const StructCommand kBinaryEditorCommands[];
extern const std::size_t kBinaryEditorCommandCount;
extern const wchar_t* const kBinaryEditorCategories[];
extern const std::size_t kBinaryEditorCategoryCount;

}  // namespace zq::commands_data
