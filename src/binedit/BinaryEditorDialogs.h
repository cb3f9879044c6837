#pragma once
// The BinaryEditor's dialogs: data input, jump, range, search (with the
// replacement field for @Changeddata) and comparison.  Each takes the
// choices remembered by the view and gives the texts back; the texts are
// turned into bytes by BinaryInput, so a rule never lives in a dialog.
#include <windows.h>

#include <string>

#include "binedit/BinaryInput.h"
#include "binedit/BinarySearch.h"
#include "ui/CDialog.h"

namespace zq::binedit {

// What the view remembers between two uses of the dialogs (both panes share it).
struct DialogChoices {
    InputType inputType = InputType::Hex;
    bool inputSigned = false;
    int repeatMode = 0;  // 0 by count, 1 by end address, 2 over the selection
    long long repeatCount = 1;
    InputType searchType = InputType::Hex;
    bool searchSigned = false;
    SearchDirection direction = SearchDirection::Down;
    bool fromStart = false;
    bool jumpHex = false;  // shared by the jump and the range dialog
    bool jumpRelative = false;
    CompareRequest compare;
};

}  // namespace zq::binedit

namespace zq::binedit {

// The data input of @Inputpaste and, with the repeat choices, @Inputpasteloop.
class CBinaryInputDlg : public ui::CDialog {
  public:
    CBinaryInputDlg(HWND parent, bool repeat, DialogChoices& choices);
    std::wstring text;
    std::wstring repeatValue;  // the count (decimal) or the end address (hexadecimal)

  protected:
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    bool m_repeat;
    DialogChoices& m_choices;
};

// The row jump: a row number, decimal ("X16" beside it) or hexadecimal ("0H").
class CBinaryJumpDlg : public ui::CDialog {
  public:
    CBinaryJumpDlg(HWND parent, DialogChoices& choices);
    std::wstring text;

  protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    void ShowUnit();
    DialogChoices& m_choices;
};

// The range selection: a first and a last byte.
class CBinaryRangeDlg : public ui::CDialog {
  public:
    CBinaryRangeDlg(HWND parent, DialogChoices& choices, long long cursorByte);
    std::wstring start;
    std::wstring end;

  protected:
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    DialogChoices& m_choices;
};

// The search of @Searchdata, with the replacement field for @Changeddata.
class CBinarySearchDlg : public ui::CDialog {
  public:
    CBinarySearchDlg(HWND parent, bool replace, DialogChoices& choices);
    std::wstring search;
    std::wstring replacement;

  protected:
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    bool m_replace;
    DialogChoices& m_choices;
};

// The comparison with a second file; the choices are kept in `choices.compare`.
class CBinaryCompareDlg : public ui::CDialog {
  public:
    CBinaryCompareDlg(HWND parent, const std::wstring& editPath, DialogChoices& choices);

  protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    std::wstring m_editPath;
    DialogChoices& m_choices;
};

// "データを変換しますか": answers IDYES, IDNO, kAll or kStop.
class CBinaryConvertAskDlg : public ui::CDialog {
  public:
    static constexpr INT_PTR kAll = 3;
    static constexpr INT_PTR kStop = 4;
    explicit CBinaryConvertAskDlg(HWND parent);

  protected:
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnCancel() override;
};

}  // namespace zq::binedit
