#include <gtest/gtest.h>

#include "filer/FilerFixture.h"
#include "fileops/ViewFileOps.h"
#include "fileops/ViewFileOpsSettings.h"
#include <cstring>
#include "settings/Settings.h"

using namespace zq;

namespace {

// Every copy-related key away from its default, so a key that is not carried
// (or carried into the wrong member) shows up.
Settings CopyChangedSettings() {
    Settings s;
    s.COPYDLGMINIMUM = !Settings().COPYDLGMINIMUM;
    s.COPYDLGEXTRA = !Settings().COPYDLGEXTRA;
    s.WRITE_LOG_COPY_MOVE = !Settings().WRITE_LOG_COPY_MOVE;
    s.REMOVABLE_COPY_FAST = !Settings().REMOVABLE_COPY_FAST;
    s.COPY_VERIFY = !Settings().COPY_VERIFY;
    s.SAVE_SAME_FILE_NAME_COPY_WAY = !Settings().SAVE_SAME_FILE_NAME_COPY_WAY;
    s.SAME_FILE_NAME_COPY_WAY = 5;
    s.COPY_FILE_TIME_USED_RANGE = !Settings().COPY_FILE_TIME_USED_RANGE;
    s.NO_COPY_ACTION_COPY_ATTRIBUTES = !Settings().NO_COPY_ACTION_COPY_ATTRIBUTES;
    s.NO_COPY_ACTION_COPY_DATE_TIME = !Settings().NO_COPY_ACTION_COPY_DATE_TIME;
    s.EDITORNAME = L"C:\\Tools\\ed.exe";
    s.EDITOR_OPEN_UNICODE_OPTION = L"-u";
    return s;
}

}  // namespace

TEST(ViewFileOpsSettings, CopySettingsWrittenBackReachEveryKeyTheDialogChanges) {
    const Settings changed = CopyChangedSettings();
    Settings target;
    const fileops::CopyDialogSettings copy = CopySettingsFrom(changed, L"C:\\zq");
    EXPECT_EQ(copy.removableFast, changed.REMOVABLE_COPY_FAST != 0);
    EXPECT_EQ(copy.editorName, L"C:\\Tools\\ed.exe");
    EXPECT_EQ(copy.editorUnicodeOption, L"-u");
    EXPECT_EQ(copy.programDirectory, L"C:\\zq");
    StoreCopySettings(copy, target);
    EXPECT_EQ(target.COPYDLGMINIMUM, changed.COPYDLGMINIMUM);
    EXPECT_EQ(target.COPYDLGEXTRA, changed.COPYDLGEXTRA);
    EXPECT_EQ(target.WRITE_LOG_COPY_MOVE, changed.WRITE_LOG_COPY_MOVE);
    EXPECT_EQ(target.COPY_VERIFY, changed.COPY_VERIFY);
    EXPECT_EQ(target.SAVE_SAME_FILE_NAME_COPY_WAY, changed.SAVE_SAME_FILE_NAME_COPY_WAY);
    EXPECT_EQ(target.SAME_FILE_NAME_COPY_WAY, changed.SAME_FILE_NAME_COPY_WAY);
    EXPECT_EQ(target.COPY_FILE_TIME_USED_RANGE, changed.COPY_FILE_TIME_USED_RANGE);
    EXPECT_EQ(target.NO_COPY_ACTION_COPY_ATTRIBUTES, changed.NO_COPY_ACTION_COPY_ATTRIBUTES);
    EXPECT_EQ(target.NO_COPY_ACTION_COPY_DATE_TIME, changed.NO_COPY_ACTION_COPY_DATE_TIME);
    // Neither the dialog nor the job changes these; they stay as the user set them.
    EXPECT_EQ(target.REMOVABLE_COPY_FAST, Settings().REMOVABLE_COPY_FAST);
    EXPECT_EQ(target.EDITORNAME, Settings().EDITORNAME);
}

TEST(ViewFileOpsSettings, DeleteOptionsAndTheRecycleBinChoiceOfEachCommand) {
    struct Case {
        RecycleChoice recycle;
        int stored;       // DELETETODUST before
        bool boxChecked;  // the dialog starts with
        bool userChecks;  // the dialog ends with
        int storedAfter;  // DELETETODUST after
    };
    const Case cases[] = {
        {RecycleChoice::AsStored, 0, false, true, 1},
        {RecycleChoice::AsStored, 1, true, false, 0},
        {RecycleChoice::Forced, 0, true, true, 0},     // @DeleteDefaultDust leaves the stored choice
        {RecycleChoice::Avoided, 1, false, false, 1},  // @DeleteDefaultNotDust likewise
    };
    for (const Case& c : cases) {
        Settings s;
        s.DELETETODUST = c.stored;
        s.DELETEASKNOTENMPTY = 1;
        s.TODUSTUNITFOLDER = 1;
        fileops::DeleteOptions options = DeleteOptionsFrom(s, c.recycle);
        EXPECT_EQ(options.toRecycleBin, c.boxChecked) << c.stored;
        EXPECT_TRUE(options.warnNotEmpty);
        EXPECT_TRUE(options.foldersAtOnce);
        EXPECT_FALSE(options.noDeleteDirectories);
        options.toRecycleBin = c.userChecks;
        options.warnNotEmpty = false;
        options.foldersAtOnce = false;
        StoreDeleteOptions(options, c.recycle, s);
        EXPECT_EQ(s.DELETETODUST, c.storedAfter) << c.stored;
        EXPECT_EQ(s.DELETEASKNOTENMPTY, 0);
        EXPECT_EQ(s.TODUSTUNITFOLDER, 0);
    }
}

TEST(ViewFileOpsSettings, DestinationListFollowsTheFourPriorityAndFlagKeys) {
    Settings s;
    s.COPYTOINDIR = 4;
    s.COPYTOPASTDIR = 3;
    s.COPYTOSPECIALDIR = 2;
    s.COPYTOSENDTODIR = 1;
    s.COPYTOINDIRFLAG = 0;
    s.COPYTOPASTDIRFLAG = 1;
    s.COPYTOSPECIALDIRFLAG = 1;
    s.COPYTOSENDTODIRFLAG = 0;
    const fileops::DestinationListSettings list = DestinationListFrom(s);
    EXPECT_EQ(list.priority, (std::array<int, 4>{4, 3, 2, 1}));
    EXPECT_EQ(list.enabled, (std::array<bool, 4>{false, true, true, false}));
}

TEST(ViewFileOps, RegistersEveryCopyAndDeleteCommandOfTheFiler) {
    test::FilerFixture f;
    ViewFileOps ops(f.context, *f.filer);
    ops.RegisterCommands();
    for (const wchar_t* name : {L"@Copy", L"@Move", L"@Filesupdir", L"@Neglectdir", L"@Toalldir", L"@Delete",
                                L"@DeleteDefaultDust", L"@DeleteDefaultNotDust"})
        EXPECT_TRUE(f.registry.HasHandler(ModeGroup::Filer, name)) << name;
    EXPECT_FALSE(f.registry.HasHandler(ModeGroup::Viewer, L"@Copy"));
}
