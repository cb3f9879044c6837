#include "filer/FileConditions.h"

namespace zq {

namespace {

bool InRange(const FILETIME& t, const FILETIME& from, const FILETIME& to) {
    return ::CompareFileTime(&t, &from) >= 0 && ::CompareFileTime(&t, &to) <= 0;
}

}  // namespace

bool EntryPassesConditions(const FileEntry& e, const FileConditions& c) noexcept {
    if (c.useAccessRange && !InRange(e.ftLastAccessTime, c.accessFrom, c.accessTo)) return false;
    if (c.useCreationRange && !InRange(e.ftCreationTime, c.creationFrom, c.creationTo)) return false;
    if (c.useWriteRange && !InRange(e.ftLastWriteTime, c.writeFrom, c.writeTo)) return false;
    const bool directory = (e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (directory && !(c.attributeMask & FILE_ATTRIBUTE_DIRECTORY)) return false;
    const bool plain = (e.dwFileAttributes & 0x37) == 0;
    if (!(c.acceptPlain == 1 && plain) && (e.dwFileAttributes & c.attributeMask) == 0) return false;
    if (directory) return true;
    const uint64_t size = SizeOf(e);
    return size >= c.minimumSize && size <= c.maximumSize;
}

}  // namespace zq
