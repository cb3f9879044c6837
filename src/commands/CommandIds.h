#pragma once
// Compile-time names of the commands, made from the same rows as the command
// tables, so that a misspelt command does not build:
//
//   registry.Register(cmd::filer::Copy, ...);        // the Filer's "@Copy"
//   registry.RegisterCommon(cmd::common::Zoomscreen, ...);
//
// A command word as text ("@Copy" in key data, menus, plug-in keys) is turned
// into an identifier only where the text comes in: FindCommandId.
#include <cstdint>
#include <optional>
#include <string_view>

#include "commands/CommandTable.h"

namespace zq {

// A row of one mode group's table.
struct CommandId {
    ModeGroup group;
    std::uint16_t index;
    friend constexpr bool operator==(CommandId, CommandId) = default;
};

// A command of the common routine, known in every mode.
struct CommonCommandId {
    std::uint16_t index;
    friend constexpr bool operator==(CommonCommandId, CommonCommandId) = default;
};

namespace command_index {
#define ZQ_COMMAND(id, ...) id,
#define ZQ_COMMAND_AS(id, ...) id,
#define ZQ_COMMON(id) id,
namespace filer {
enum : std::uint16_t {
#include "commands/FilerCommands.inc"
    kCount
};
}  // namespace filer
namespace viewer {
enum : std::uint16_t {
#include "commands/ViewerCommands.inc"
    kCount
};
}  // namespace viewer
namespace graphic {
enum : std::uint16_t {
#include "commands/GraphicCommands.inc"
    kCount
};
}  // namespace graphic
namespace binary_editor {
enum : std::uint16_t {
#include "commands/BinaryEditorCommands.inc"
    kCount
};
}  // namespace binary_editor
namespace common {
enum : std::uint16_t {
#include "commands/CommonCommands.inc"
    kCount
};
}  // namespace common
#undef ZQ_COMMAND
#undef ZQ_COMMAND_AS
#undef ZQ_COMMON
}  // namespace command_index

namespace cmd {
#define ZQ_COMMAND_AS(id, ...) ZQ_COMMAND(id)
namespace filer {
#define ZQ_COMMAND(id, ...) inline constexpr CommandId id{ModeGroup::Filer, command_index::filer::id};
#include "commands/FilerCommands.inc"
#undef ZQ_COMMAND
}  // namespace filer
namespace viewer {
#define ZQ_COMMAND(id, ...) inline constexpr CommandId id{ModeGroup::Viewer, command_index::viewer::id};
#include "commands/ViewerCommands.inc"
#undef ZQ_COMMAND
}  // namespace viewer
namespace graphic {
#define ZQ_COMMAND(id, ...) inline constexpr CommandId id{ModeGroup::Graphic, command_index::graphic::id};
#include "commands/GraphicCommands.inc"
#undef ZQ_COMMAND
}  // namespace graphic
namespace binary_editor {
#define ZQ_COMMAND(id, ...) inline constexpr CommandId id{ModeGroup::BinaryEditor, command_index::binary_editor::id};
#include "commands/BinaryEditorCommands.inc"
#undef ZQ_COMMAND
}  // namespace binary_editor
#undef ZQ_COMMAND_AS
namespace common {
#define ZQ_COMMON(id) inline constexpr CommonCommandId id{command_index::common::id};
#include "commands/CommonCommands.inc"
#undef ZQ_COMMON
}  // namespace common
}  // namespace cmd

// The "@" word of a command.
[[nodiscard]] std::wstring_view CommandName(CommandId id);
[[nodiscard]] std::wstring_view CommandName(CommonCommandId id);

// From text to identifier (exact comparison, as dispatch compares).
[[nodiscard]] std::optional<CommandId> FindCommandId(ModeGroup group, std::wstring_view name);
[[nodiscard]] std::optional<CommonCommandId> FindCommonCommandId(std::wstring_view name);

}  // namespace zq
