// Path building: relative to a folder, to the program's own folder, and to
// the folder of the panel file being loaded. Paths hold at most MAX_PATH
// characters with the terminator; longer results are cut.
#pragma once

#include "platform/win32.h"

class SectionHandler;

constexpr UINT kMaxPath = 260;

bool IsPathSeparator(WCHAR ch);

// The length of the folder part of `path`: up to and including its last
// "\" or "/", 0 when it has none.
UINT FolderLength(const WCHAR* path);

// base + relative. A separator is put between them when the base lacks one;
// one leading separator of `relative` is dropped, so the result stays under
// the base; each leading "..\" or "../" steps one folder up while the
// destination is not empty. Returns the result's length.
UINT JoinPath(WCHAR* destination, UINT capacity, const WCHAR* relative, const WCHAR* base);

// `relative` joined to the running program's folder. When the program's path
// is unknown this is reported and 0 returned, the destination untouched.
UINT ExeRelativePath(WCHAR* destination, UINT capacity, const WCHAR* relative);

// `relative` against the panel file folder of `object` while it is loaded;
// a path beginning with a separator is taken as it is. Returns 0, the
// destination untouched, when the object has no base folder.
UINT ObjectRelativePath(const SectionHandler& object, const WCHAR* relative, WCHAR* destination, UINT capacity);
