#pragma once
// What the picture settings dialog edits, kept apart from its controls: a
// working copy of the plug-in array (applied only on OK), the lines of its two
// check lists, and the picture and thumbnail values it shows.
//
//     SusieSettingsModel model(host.Plugins(), SusieSettingsValues::From(settings));
//     for (const SusiePluginLine& line : model.Lines(kSusieImage)) ... line.text, line.index ...
//     model.SetEnabled(line.index, false);
//     host.Plugins() = model.Plugins();  model.Values().To(settings);
#include <string>
#include <vector>

#include "picture/StructSusieDllFile.h"

namespace zq {

struct Settings;

// One line of a check list: the plug-in's place in the array and its text.
struct SusiePluginLine {
    size_t index = 0;
    std::wstring text;
};

struct SusieSettingsValues {
    std::wstring susieDirectory;  // SUSIEDIRECTORY as typed (empty: the spi folder beside the program)
    std::wstring tempDirectory;   // TEMPDIRECTORY
    int highLoad = 0;             // HIGHLOADSPI 0-2
    bool scaleWidth = false;      // "幅をスケーリングする"
    bool scaleHeight = false;     // "高さをスケーリングする"
    bool beforeFullScreen = false;
    bool sortNameInDir = false;
    bool keepWindowSize = false;
    bool deleteTemp = false;
    int hPos = 0;  // GRAPHIC_VIEW_H_POS
    int vPos = 0;  // GRAPHIC_VIEW_V_POS
    int previewWidth = 100;
    int previewHeight = 100;
    int maxPreviewFiles = 10000;
    bool previewUseGetPicture = false;
    int previewSleep = 30;
    int previewCellType = 0;  // PREVIEW_FILE_NAME: the cells of directories switched on from now
    int previewNameLen = 20;
    int previewKindLen = 5;

    [[nodiscard]] static SusieSettingsValues From(const Settings& settings);
    void To(Settings& settings) const;
};

class SusieSettingsModel {
  public:
    SusieSettingsModel(std::vector<StructSusieDllFile> plugins, SusieSettingsValues values);

    [[nodiscard]] const std::vector<StructSusieDllFile>& Plugins() const noexcept { return m_plugins; }
    void ReplacePlugins(std::vector<StructSusieDllFile> plugins) { m_plugins = std::move(plugins); }
    [[nodiscard]] SusieSettingsValues& Values() noexcept { return m_values; }

    // The plug-ins of one kind (kSusieImage or kSusieArchive) in array order,
    // each name padded with blanks to the longest name of the list plus one.
    [[nodiscard]] std::vector<SusiePluginLine> Lines(int kind) const;
    void SetEnabled(size_t index, bool enabled);
    void SetPatterns(size_t index, std::vector<std::wstring> patterns);

  private:
    std::vector<StructSusieDllFile> m_plugins;
    SusieSettingsValues m_values;
};

// The patterns of one plug-in, ten to a page, as the pattern dialog edits them.
class PatternPager {
  public:
    static constexpr size_t kPerPage = 10;
    explicit PatternPager(std::vector<std::wstring> patterns);

    [[nodiscard]] size_t Page() const noexcept { return m_page; }
    [[nodiscard]] bool CanGoBack() const noexcept { return m_page > 0; }
    // The ten fields of the current page; those past the list are empty.
    [[nodiscard]] std::vector<std::wstring> Fields() const;
    // Takes the current page's fields back (up to ten).
    void Store(const std::vector<std::wstring>& fields);
    void Next();
    void Back();
    // The edited list, emptied fields (blanks only count as empty) removed.
    [[nodiscard]] std::vector<std::wstring> Result() const;

  private:
    std::vector<std::wstring> m_slots;
    size_t m_page = 0;
};

}  // namespace zq
