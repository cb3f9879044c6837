#include "settings/Settings.h"

#include "settings/IniFile.h"
#include "settings/SettingsIo.h"

namespace zq {

const wchar_t* const kKeySectionNames[kKeySectionCount] = {L"KEYEXEDATA", L"VIEWKEYEXEDATA", L"GRAPHICKEYEXEDATA",
                                                           L"BINARYKEYEXEDATA"};

Settings::Settings() {
    // The defaults are what reading a file without any key gives, so that each
    // default is written once, in its table row.
    const IniFile none;
    ReadStartupSettings(none, *this);
    ReadRemainingSettings(none, *this, {});
}

}  // namespace zq
