#pragma once
// What the file-operation dialogs take from the settings and give back.
#include <string>
#include <vector>

#include "fileops/CopyDestinationList.h"
#include "fileops/CopyDialogSettings.h"
#include "fileops/DeleteJob.h"

namespace zq {

struct Settings;

// Which way the recycle-bin box starts: as stored, or forced by the command.
enum class RecycleChoice { AsStored, Forced, Avoided };

[[nodiscard]] fileops::CopyDialogSettings CopySettingsFrom(const Settings& settings, const std::wstring& programDir);
void StoreCopySettings(const fileops::CopyDialogSettings& copy, Settings& settings);

[[nodiscard]] fileops::DeleteOptions DeleteOptionsFrom(const Settings& settings, RecycleChoice recycle);
// A forced recycle-bin choice belongs to that one command and is not stored.
void StoreDeleteOptions(const fileops::DeleteOptions& options, RecycleChoice recycle, Settings& settings);

[[nodiscard]] fileops::DestinationListSettings DestinationListFrom(const Settings& settings);

}  // namespace zq
