// The zip of an .xlsx, read within limits that a hostile file cannot talk its way past: the
// number of entries, and each part's size counted as it inflates rather than taken from its
// headers.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

struct zip;

namespace veltrix::sheetreader {

inline constexpr std::int64_t kMaxZipEntries = 10000;
inline constexpr std::size_t kMaxPartSize = 64u << 20;

class ZipPackage {
 public:
  // Fails Damaged when the zip cannot be opened, TooLarge beyond kMaxZipEntries.
  explicit ZipPackage(const std::string& path);
  ~ZipPackage();
  ZipPackage(const ZipPackage&) = delete;
  ZipPackage& operator=(const ZipPackage&) = delete;

  // Part names are matched without regard to case, as the package format has them.
  bool has(const std::string& name) const;
  // The part inflated whole; fails Damaged when it is missing or its data is broken, Encrypted
  // when it needs a password, TooLarge past kMaxPartSize.
  std::string read(const std::string& name) const;
  // The part handed over piece by piece as it inflates, failing as read() does; nothing of it
  // is kept here, so a reader that keeps little holds little however large the part.
  void stream(const std::string& name, const std::function<void(std::string_view)>& take) const;

 private:
  zip* zip_ = nullptr;
};

}  // namespace veltrix::sheetreader
