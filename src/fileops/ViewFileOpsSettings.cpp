#include "fileops/ViewFileOpsSettings.h"

#include "settings/Settings.h"

namespace zq {

fileops::CopyDialogSettings CopySettingsFrom(const Settings& s, const std::wstring& programDir) {
    fileops::CopyDialogSettings copy;
    copy.minimize = s.COPYDLGMINIMUM != 0;
    copy.overallDisplay = s.COPYDLGEXTRA != 0;
    copy.noQuestion = s.WRITE_LOG_COPY_MOVE != 0;
    copy.removableFast = s.REMOVABLE_COPY_FAST != 0;
    copy.verify = s.COPY_VERIFY != 0;
    copy.newFilesInPlace = s.COPY_NEW_FILE_IN_PLACE != 0;
    copy.sameName.saveWay = s.SAVE_SAME_FILE_NAME_COPY_WAY != 0;
    copy.sameName.savedWay = s.SAME_FILE_NAME_COPY_WAY;
    copy.sameName.timeRange = s.COPY_FILE_TIME_USED_RANGE != 0;
    copy.sameName.noCopyAttributes = s.NO_COPY_ACTION_COPY_ATTRIBUTES != 0;
    copy.sameName.noCopyDateTime = s.NO_COPY_ACTION_COPY_DATE_TIME != 0;
    copy.editorName = s.EDITORNAME;
    copy.editorUnicodeOption = s.EDITOR_OPEN_UNICODE_OPTION;
    copy.programDirectory = programDir;
    return copy;
}

void StoreCopySettings(const fileops::CopyDialogSettings& copy, Settings& s) {
    s.COPYDLGMINIMUM = copy.minimize ? 1 : 0;
    s.COPYDLGEXTRA = copy.overallDisplay ? 1 : 0;
    s.WRITE_LOG_COPY_MOVE = copy.noQuestion ? 1 : 0;
    s.COPY_VERIFY = copy.verify ? 1 : 0;
    s.SAVE_SAME_FILE_NAME_COPY_WAY = copy.sameName.saveWay ? 1 : 0;
    s.SAME_FILE_NAME_COPY_WAY = copy.sameName.savedWay;
    s.COPY_FILE_TIME_USED_RANGE = copy.sameName.timeRange ? 1 : 0;
    s.NO_COPY_ACTION_COPY_ATTRIBUTES = copy.sameName.noCopyAttributes ? 1 : 0;
    s.NO_COPY_ACTION_COPY_DATE_TIME = copy.sameName.noCopyDateTime ? 1 : 0;
}

fileops::DeleteOptions DeleteOptionsFrom(const Settings& s, RecycleChoice recycle) {
    fileops::DeleteOptions options;
    options.warnNotEmpty = s.DELETEASKNOTENMPTY != 0;
    options.foldersAtOnce = s.TODUSTUNITFOLDER != 0;
    options.askBeforeDeletingForGood = s.TODUSTASKFORGOOD != 0;
    switch (recycle) {
        case RecycleChoice::AsStored:
            options.toRecycleBin = s.DELETETODUST != 0;
            break;
        case RecycleChoice::Forced:
            options.toRecycleBin = true;
            break;
        case RecycleChoice::Avoided:
            options.toRecycleBin = false;
            break;
    }
    return options;
}

void StoreDeleteOptions(const fileops::DeleteOptions& options, RecycleChoice recycle, Settings& s) {
    s.DELETEASKNOTENMPTY = options.warnNotEmpty ? 1 : 0;
    s.TODUSTUNITFOLDER = options.foldersAtOnce ? 1 : 0;
    if (recycle == RecycleChoice::AsStored) s.DELETETODUST = options.toRecycleBin ? 1 : 0;
}

fileops::DestinationListSettings DestinationListFrom(const Settings& s) {
    fileops::DestinationListSettings list;
    list.priority = {s.COPYTOINDIR, s.COPYTOPASTDIR, s.COPYTOSPECIALDIR, s.COPYTOSENDTODIR};
    list.enabled = {s.COPYTOINDIRFLAG != 0, s.COPYTOPASTDIRFLAG != 0, s.COPYTOSPECIALDIRFLAG != 0,
                    s.COPYTOSENDTODIRFLAG != 0};
    return list;
}

}  // namespace zq
