// What differs between Windows and POSIX systems, kept in one place: the
// rule by which a file name is split, and the local calendar time.
#pragma once

#include <ctime>

namespace zolan {

// posix: "/" separates directories, there are no drives.
// windows: a leading letter and colon is the drive; "\" and "/" both separate.
enum class PathRules { posix, windows };

#ifdef _WIN32
inline constexpr PathRules kNativePathRules = PathRules::windows;
#else
inline constexpr PathRules kNativePathRules = PathRules::posix;
#endif

// The local calendar time of `t` in `out`; false when the system cannot give it.
bool local_time(std::time_t t, std::tm& out);

}  // namespace zolan
