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
};

// The shell's bin: one silent, unconfirmed, undoable delete of one path.
class ShellRecycleBin : public IRecycleBin {
public:
    // teller shows "メモリを確保できませんでした" when the path buffer cannot be had.
    explicit ShellRecycleBin(IQuestionAsker* teller = nullptr) : m_teller(teller) {}
    bool Recycle(const std::wstring& path) override;

private:
    IQuestionAsker* m_teller;
};

}  // namespace zq::fileops
