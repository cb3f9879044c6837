#pragma once
// Sending one path to the recycle bin, behind an interface: the shell's bin is
// a platform service that tests must not depend on.
#include <string>

#include "fileops/CopyInterfaces.h"

namespace zq::fileops {

class IRecycleBin {
  public:
    virtual ~IRecycleBin() = default;
    // true when the path went to the bin.
    virtual bool Recycle(const std::wstring& path) = 0;
    // true when the platform, asked to recycle path, would delete it for good
    // instead (and still report that it recycled it).
    virtual bool WouldDeleteForGood(const std::wstring& path) = 0;
};

// The shell's bin: one silent, unconfirmed, undoable delete of one path.
class ShellRecycleBin : public IRecycleBin {
  public:
    // teller shows "メモリを確保できませんでした" when the path buffer cannot be had.
    explicit ShellRecycleBin(IOperationAsker* teller = nullptr) : m_teller(teller) {}
    bool Recycle(const std::wstring& path) override;
    bool WouldDeleteForGood(const std::wstring& path) override;

  private:
    IOperationAsker* m_teller;
};

// The folder the shell's bin moves things into when it is a folder of the
// host system (under Wine, the desktop's trash); empty when there is none.
std::wstring HostTrashFolder();

}  // namespace zq::fileops
