// A minimal front end for Windows: loads zolan.dll, makes a directory the
// current one and calls IZOLAN there with each code given, printing
// "IZOLAN(<code>) = <result>" for each call.
//   load_izolan <dll> <directory> <code> [<code> ...]
// Exit status: 0 when every call was made, 2 when the DLL, its export or the
// directory could not be had (the reason on standard error).
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// The one export of zolan.dll: C linkage, the x64 calling convention.
using IzolanEntry = std::int32_t (*)(std::int32_t);

int fail(const char* what, const char* name) {
  std::fprintf(stderr, "load_izolan: %s %s (error %lu)\n", what, name, GetLastError());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: load_izolan <dll> <directory> <code> [<code> ...]\n");
    return 2;
  }
  // The full name is taken before the directory changes under a relative one.
  char dll_path[MAX_PATH];
  if (GetFullPathNameA(argv[1], MAX_PATH, dll_path, nullptr) == 0) return fail("no full name for", argv[1]);
  HMODULE dll = LoadLibraryA(dll_path);
  if (dll == nullptr) return fail("cannot load", dll_path);
  const auto izolan = reinterpret_cast<IzolanEntry>(
      reinterpret_cast<void*>(GetProcAddress(dll, "IZOLAN")));
  if (izolan == nullptr) return fail("no IZOLAN export in", dll_path);
  if (!SetCurrentDirectoryA(argv[2])) return fail("cannot enter the directory", argv[2]);

  for (int k = 3; k < argc; ++k) {
    const auto code = static_cast<std::int32_t>(std::strtol(argv[k], nullptr, 10));
    const std::int32_t result = izolan(code);
    std::fflush(stdout);
    std::printf("IZOLAN(%d) = %d\n", static_cast<int>(code), static_cast<int>(result));
    std::fflush(stdout);
  }
  FreeLibrary(dll);
  return 0;
}
