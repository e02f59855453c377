#include "zip_package.h"

#include <zip.h>

#include <algorithm>
#include <memory>

#include "read_failure.h"

namespace veltrix::sheetreader {

namespace {

constexpr std::size_t kChunk = 64 << 10;

struct ZipFileCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

}  // namespace

ZipPackage::ZipPackage(const std::string& path) {
  int error = 0;
  zip_ = zip_open(path.c_str(), ZIP_RDONLY, &error);
  if (zip_ == nullptr)
    fail(error == ZIP_ER_MEMORY ? sheetstream::kExitTooLarge : sheetstream::kExitDamaged);
  if (zip_get_num_entries(zip_, 0) > kMaxZipEntries) fail(sheetstream::kExitTooLarge);
}

ZipPackage::~ZipPackage() {
  zip_discard(zip_);
}

bool ZipPackage::has(const std::string& name) const {
  return zip_name_locate(zip_, name.c_str(), ZIP_FL_NOCASE) >= 0;
}

std::string ZipPackage::read(const std::string& name) const {
  const zip_int64_t index = zip_name_locate(zip_, name.c_str(), ZIP_FL_NOCASE);
  if (index < 0) fail(sheetstream::kExitDamaged);
  const std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(zip_, index, 0));
  if (!file) {
    const int error = zip_error_code_zip(zip_get_error(zip_));
    if (error == ZIP_ER_NOPASSWD || error == ZIP_ER_WRONGPASSWD) fail(sheetstream::kExitEncrypted);
    fail(error == ZIP_ER_MEMORY ? sheetstream::kExitTooLarge : sheetstream::kExitDamaged);
  }
  // The header's size only spares copies; the count below is what holds the limit.
  std::string data;
  zip_stat_t stat;
  if (zip_stat_index(zip_, index, 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE)) {
    data.reserve(std::min<zip_uint64_t>(stat.size, kMaxPartSize) + kChunk);
  }
  for (;;) {
    const std::size_t at = data.size();
    data.resize(at + kChunk);
    const zip_int64_t got = zip_fread(file.get(), data.data() + at, kChunk);
    if (got < 0) fail(sheetstream::kExitDamaged);
    data.resize(at + std::size_t(got));
    if (data.size() > kMaxPartSize) fail(sheetstream::kExitTooLarge);
    if (got == 0) return data;
  }
}

}  // namespace veltrix::sheetreader
