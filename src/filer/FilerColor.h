#pragma once
// Colours of the Filer: the twenty named colours of the COLORDATA section, the
// kind-colour table (colour by extension), and the rule that picks the colour
// of an entry's name.
#include <windows.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zq::filer {

// In the order of the settings file.
enum class FilerColorId {
    ReadOnly,
    System,
    Directory,
    Hidden,
    Archive,
    BackGround,
    AllIntro,
    IntroVolume,
    Time,
    Information,
    Alarm,
    Tag,
    Line,
    Viewer,
    ViewerControl,
    ViewerLine,
    BinaryCmp,
    MpegName,
    PreviewBack,
    PreviewSel,
    Count
};
inline constexpr size_t kFilerColorCount = static_cast<size_t>(FilerColorId::Count);

// Key name and default value of each named colour, in the order above.
struct FilerColorKey {
    const wchar_t* name;
    COLORREF defaultValue;
};
[[nodiscard]] const std::array<FilerColorKey, kFilerColorCount>& FilerColorKeys();

struct FilerColors {
    std::array<COLORREF, kFilerColorCount> values;
    FilerColors();  // the defaults
    [[nodiscard]] COLORREF operator[](FilerColorId id) const { return values[static_cast<size_t>(id)]; }
    COLORREF& operator[](FilerColorId id) { return values[static_cast<size_t>(id)]; }
};

// One row of the kind-colour table (KINDCOLORNAME%d, KINDCOLOR%d).
struct KindColor {
    std::wstring extension;  // without the dot
    COLORREF color = 0;
};

class KindColorTable {
public:
    static constexpr size_t kMaxRows = 100;
    KindColorTable() = default;
    explicit KindColorTable(std::vector<KindColor> rows);
    // The colour of an extension, given with or without its dot, compared
    // ignoring case; nullptr when the extension is not listed.
    [[nodiscard]] const COLORREF* Find(std::wstring_view extension) const;
    [[nodiscard]] const std::vector<KindColor>& Rows() const { return m_rows; }

private:
    std::vector<KindColor> m_rows;
};

struct EntryColorOptions {
    bool colorNeglectAttribute = false;  // COLOR_NEGLECT_ATTIRUBTE
    bool dispFileKindColor = false;      // DISP_FILE_KIND_COLOR
    bool mpegNameDisplay = false;        // MPEGNAMEDISPLAY
};

// Colour of a name by its attributes alone: a directory ignores its other
// attributes when COLOR_NEGLECT_ATTIRUBTE is on; else system, hidden and
// read-only win in that order; else file or directory.
[[nodiscard]] COLORREF AttributeColor(DWORD attributes, const FilerColors& colors, bool colorNeglectAttribute);

// The colour of an entry's name (its stem, and its extension unless
// ExtensionColor says otherwise).  `extension` is the name's extension as the
// cell shows it, dot included or empty.
[[nodiscard]] COLORREF EntryColor(const WIN32_FIND_DATAW& entry, std::wstring_view extension,
                                  const FilerColors& colors, const KindColorTable& kinds,
                                  const EntryColorOptions& options, bool hasMusicTitle);

// The colour of the extension part: the kind colour of a listed extension of
// a file when DISP_FILE_KIND_COLOR is off, else the entry colour.
[[nodiscard]] COLORREF ExtensionColor(const WIN32_FIND_DATAW& entry, std::wstring_view extension,
                                      COLORREF entryColor, const KindColorTable& kinds,
                                      const EntryColorOptions& options, bool hasMusicTitle);

}  // namespace zq::filer
