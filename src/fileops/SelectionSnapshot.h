#pragma once
// The copy and delete engines work on the Filer's own selection type.
#include "filer/SelectionSnapshot.h"

namespace zq::fileops {

using zq::FindDataSize;
using zq::SelectionSnapshot;

}  // namespace zq::fileops
