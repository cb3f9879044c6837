#pragma once
// What a copy worker reports, kept for its dialog: the worker writes, the
// dialog's timer reads and shows.  Neither side waits for the other.
#include <map>
#include <mutex>
#include <string>

#include "fileops/CopyInterfaces.h"

namespace zq::fileops {

class CopyProgressState : public IOperationProgress {
  public:
    void SetText(ProgressField field, const std::wstring& text) override;
    void SetBar(int percent) override;
    void Running(bool minimize) override;

    // Takes the texts changed since the last call.
    std::map<ProgressField, std::wstring> TakeChanges(int& bar, bool& runningNow, bool& minimize);

  private:
    std::mutex m_lock;
    std::map<ProgressField, std::wstring> m_changed;
    int m_bar = -1;
    bool m_running = false;
    bool m_runningReported = false;
    bool m_minimize = false;
};

}  // namespace zq::fileops
