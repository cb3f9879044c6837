// The library is built on its own, without the program's core library, yet
// must follow the same rules as the program: the guard around foreign calls,
// path handling and the NONLOADCPL list are compiled in from the one place
// they are written.
#include "common/Guard.cpp"
#include "common/Paths.cpp"
#include "external/NonLoadCpl.cpp"
#include "common/FileCompare.cpp"
#include "common/Id3v1Tag.cpp"
#include "common/TextConv.cpp"
#include "common/DirTreeCache.cpp"
