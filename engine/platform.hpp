// What differs between Windows and POSIX systems, kept in one place: the
// rule by which a file name is split, and the local calendar time.
#pragma once

#include <ctime>

namespace zolan {

// posix: "/" separates directories, there are no drives.
// windows: a leading letter and colon is the drive; "\" and "/" both separate.
enum class PathRules { posix, windows };

// The report splits the names of names.dat by the Windows rule on every
// platform: front ends write names for Windows, and a report shows the same
// split whatever system ran the analysis (the file itself is opened by its
// whole name). The POSIX rule stays available to callers that want it.
inline constexpr PathRules kNativePathRules = PathRules::windows;

// The local calendar time of `t` in `out`; false when the system cannot give it.
bool local_time(std::time_t t, std::tm& out);

}  // namespace zolan
