#include "zip_package.h"

#include <zip.h>

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
  std::string data;
  stream(name, [&data](std::string_view piece) { data += piece; });
  return data;
}

void ZipPackage::stream(const std::string& name,
                        const std::function<void(std::string_view)>& take) const {
  const zip_int64_t index = zip_name_locate(zip_, name.c_str(), ZIP_FL_NOCASE);
  if (index < 0) fail(sheetstream::kExitDamaged);
  const std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(zip_, index, 0));
  if (!file) {
    const int error = zip_error_code_zip(zip_get_error(zip_));
    if (error == ZIP_ER_NOPASSWD || error == ZIP_ER_WRONGPASSWD) fail(sheetstream::kExitEncrypted);
    fail(error == ZIP_ER_MEMORY ? sheetstream::kExitTooLarge : sheetstream::kExitDamaged);
  }
  // The headers' sizes are not trusted: the count of what inflated holds the limit.
  const std::unique_ptr<char[]> buffer(new char[kChunk]);
  std::size_t total = 0;
  for (;;) {
    const zip_int64_t got = zip_fread(file.get(), buffer.get(), kChunk);
    if (got < 0) fail(sheetstream::kExitDamaged);
    if (got == 0) return;
    total += std::size_t(got);
    if (total > kMaxPartSize) fail(sheetstream::kExitTooLarge);
    take(std::string_view(buffer.get(), std::size_t(got)));
  }
}

}  // namespace veltrix::sheetreader
