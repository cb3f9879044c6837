#pragma once
// Reading the facts of the drive list without holding up the window: which
// letters exist and their types are asked at once (the platform answers from
// memory); labels and sizes are read by one worker per drive, and whatever
// has not arrived within the caller's limit is shown as pending until a
// later collect finds it.  A drive that never answers only keeps its worker.
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "filer/DriveList.h"

namespace zq {

class IDriveProbe {
  public:
    virtual ~IDriveProbe() = default;
    // Bit n set: letter 'A' + n exists.
    [[nodiscard]] virtual uint32_t LogicalDrives() = 0;
    [[nodiscard]] virtual unsigned DriveType(wchar_t letter) = 0;
    // Fills the label, sizes, display and remote names; false when the drive
    // did not answer.  May block for as long as the medium makes it; called
    // on a worker thread.
    [[nodiscard]] virtual bool ReadFacts(StructDriveFacts& facts) = 0;
};

// The platform's answers.
class Win32DriveProbe final : public IDriveProbe {
  public:
    [[nodiscard]] uint32_t LogicalDrives() override;
    [[nodiscard]] unsigned DriveType(wchar_t letter) override;
    [[nodiscard]] bool ReadFacts(StructDriveFacts& facts) override;
};

class DriveFactsReader {
  public:
    explicit DriveFactsReader(std::shared_ptr<IDriveProbe> probe);
    ~DriveFactsReader();
    DriveFactsReader(const DriveFactsReader&) = delete;
    DriveFactsReader& operator=(const DriveFactsReader&) = delete;

    // The drives present now, their facts not yet known; the workers start.
    // Results of an earlier Start still on their way are dropped.
    [[nodiscard]] std::vector<StructDriveFacts> Start();
    // Waits up to `milliseconds` for every worker of the last Start; true when all have answered.
    bool Wait(unsigned milliseconds);
    // Copies the facts that arrived into `drives`; true when any line changed.
    bool Collect(std::vector<StructDriveFacts>& drives);
    // Whether a worker of the last Start has not answered yet.
    [[nodiscard]] bool Outstanding() const;

  private:
    struct Round;
    std::shared_ptr<IDriveProbe> m_probe;
    std::shared_ptr<Round> m_round;
};

}  // namespace zq
