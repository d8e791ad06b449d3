// File access for the core. Paths are the core's code-page-1250 texts with
// "\" or "/" as separators. Files and folders are found without regard to
// letter case, one path component at a time, a name spelt exactly as
// written first; several spelt otherwise find none (ambiguousMatches).
// Files are created with exactly the spelling given. A name from outside (command line, file
// dialog) comes in through fileNameToCp1250 (CodePage.h) or is refused; a
// file whose name code page 1250 cannot spell is found by no path.
//
// The layer by concern: FileLookup.h (finding files without regard to
// case), FileKinds.h (what stands at a name, the Polish reasons),
// FileLock.h (locks and guards), ReplaceFile.h (replacing writes and
// temporary files), BinaryFile.h, TextFile.h.
#pragma once

#include "BinaryFile.h"
#include "FileKinds.h"
#include "FileLock.h"
#include "FileLookup.h"
#include "ReplaceFile.h"
#include "TextFile.h"
