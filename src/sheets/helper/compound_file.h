// A compound file (the container of .xls workbooks, and of .xlsx workbooks saved with a
// password), read far enough to tell what it holds and to take one stream out of it. Every
// sector chain is bounded by the file's size, so a looping chain is damage, not a hang.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix::sheetreader {

class CompoundFile {
 public:
  // Fails Damaged when the header, the allocation tables or the directory are broken.
  explicit CompoundFile(std::string bytes);

  // Stream names compare without regard to case, as the format has them.
  bool has(std::string_view stream) const;
  // Fails Damaged when the stream's chain is broken or shorter than its size.
  std::string stream(std::string_view name) const;

 private:
  struct Entry {
    std::string name;  // names outside ASCII are kept as "?" runs; the streams read are ASCII
    std::uint8_t type = 0;
    std::uint32_t start = 0;
    std::uint64_t size = 0;
  };

  std::string chain(const std::vector<std::uint32_t>& table, std::uint32_t start, std::size_t unit,
                    std::string_view data, std::uint64_t size) const;
  std::string sectorChain(std::uint32_t start, std::uint64_t size) const;
  const Entry* find(std::string_view name) const;

  std::string bytes_;
  std::size_t sectorSize_ = 512;
  std::uint32_t miniCutoff_ = 4096;
  std::vector<std::uint32_t> fat_;
  std::vector<std::uint32_t> miniFat_;
  std::string miniStream_;
  std::vector<Entry> entries_;
};

}  // namespace veltrix::sheetreader
