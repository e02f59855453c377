// What the fuzz targets share, in plain C++ for the helper's readers too: a file holding the input
// for the readers that only read files, and a property check that stops the fuzzer when it fails.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace veltrix::fuzz {

// Aborts, which libFuzzer reports as a crash with the input that caused it.
inline void check(bool property, const char* what) {
  if (property) return;
  std::fprintf(stderr, "property failed: %s\n", what);
  std::abort();
}

// The input written to a file of this process with the given extension, rewritten for each
// input; the folder goes when the fuzzer exits normally.
inline std::string inputFile(const std::uint8_t* data, std::size_t size, const char* extension) {
  // Never destroyed, so that the exit handler still has it.
  static const std::filesystem::path& folder = []() -> const std::filesystem::path& {
    const auto* path = new std::filesystem::path(std::filesystem::temp_directory_path() /
                                                 ("veltrix-fuzz-" + std::to_string(getpid())));
    std::filesystem::create_directories(*path);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(folder, ignored);
    });
    return *path;
  }();
  const std::string path = (folder / (std::string("input") + extension)).string();
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path;
}

}  // namespace veltrix::fuzz
