#include "compound_file.h"

#include <cstring>
#include <limits>

#include "read_failure.h"

namespace veltrix::sheetreader {

namespace {

constexpr std::string_view kSignature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kEntrySize = 128;
constexpr std::size_t kMiniSectorSize = 64;
constexpr std::uint32_t kLastRegularSector = 0xFFFFFFFA;
constexpr std::uint64_t kUnbounded = std::numeric_limits<std::uint64_t>::max();
constexpr std::uint8_t kStreamEntry = 2;
constexpr std::uint8_t kRootEntry = 5;

std::uint32_t u32(std::string_view data, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(data[at + i]);
  return value;
}

std::uint16_t u16(std::string_view data, std::size_t at) {
  return std::uint16_t(static_cast<unsigned char>(data[at]) |
                       (static_cast<unsigned char>(data[at + 1]) << 8));
}

std::vector<std::uint32_t> asTable(std::string_view data) {
  std::vector<std::uint32_t> table(data.size() / 4);
  for (std::size_t i = 0; i < table.size(); ++i) table[i] = u32(data, i * 4);
  return table;
}

bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; };
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

}  // namespace

CompoundFile::CompoundFile(std::string bytes) : bytes_(std::move(bytes)) {
  const std::string_view data = bytes_;
  if (data.size() < kHeaderSize || data.substr(0, 8) != kSignature) fail(sheetstream::kExitDamaged);
  const std::uint16_t shift = u16(data, 0x1E);
  if (shift != 9 && shift != 12) fail(sheetstream::kExitDamaged);
  sectorSize_ = std::size_t(1) << shift;
  const bool version4 = u16(data, 0x1A) == 4;
  miniCutoff_ = u32(data, 0x38);
  if (data.size() < 2 * sectorSize_) fail(sheetstream::kExitDamaged);
  const std::size_t sectorCount = data.size() / sectorSize_ - 1;  // the header takes one
  const std::size_t perSector = sectorSize_ / 4;

  // The allocation table's own sectors: 109 in the header, the rest in a chain of DIFAT sectors.
  std::vector<std::uint32_t> fatSectors;
  for (std::size_t i = 0; i < 109; ++i) fatSectors.push_back(u32(data, 0x4C + 4 * i));
  std::uint32_t difat = u32(data, 0x44);
  for (std::size_t hops = 0; difat < kLastRegularSector; ++hops) {
    if (hops > sectorCount || difat >= sectorCount) fail(sheetstream::kExitDamaged);
    const std::size_t at = (std::size_t(difat) + 1) * sectorSize_;
    for (std::size_t i = 0; i + 1 < perSector; ++i) fatSectors.push_back(u32(data, at + 4 * i));
    difat = u32(data, at + sectorSize_ - 4);
  }
  for (std::uint32_t sector : fatSectors) {
    if (sector >= kLastRegularSector) continue;
    if (sector >= sectorCount) fail(sheetstream::kExitDamaged);
    const std::vector<std::uint32_t> part =
        asTable(data.substr((std::size_t(sector) + 1) * sectorSize_, sectorSize_));
    fat_.insert(fat_.end(), part.begin(), part.end());
  }

  const std::string directory = sectorChain(u32(data, 0x30), kUnbounded);
  for (std::size_t at = 0; at + kEntrySize <= directory.size(); at += kEntrySize) {
    const std::string_view raw = std::string_view(directory).substr(at, kEntrySize);
    Entry entry;
    const std::size_t nameBytes = std::min<std::size_t>(u16(raw, 64), 64);
    for (std::size_t i = 0; i + 1 < nameBytes; i += 2) {
      const std::uint16_t unit = u16(raw, i);
      if (unit == 0) break;
      entry.name += unit < 0x80 ? char(unit) : '?';
    }
    entry.type = static_cast<std::uint8_t>(raw[66]);
    entry.start = u32(raw, 116);
    entry.size = version4 ? (std::uint64_t(u32(raw, 124)) << 32 | u32(raw, 120)) : u32(raw, 120);
    entries_.push_back(entry);
  }
  if (entries_.empty() || entries_[0].type != kRootEntry) fail(sheetstream::kExitDamaged);
  miniStream_ = sectorChain(entries_[0].start, entries_[0].size);
  const std::uint32_t miniFatStart = u32(data, 0x3C);
  if (miniFatStart < kLastRegularSector) miniFat_ = asTable(sectorChain(miniFatStart, kUnbounded));
}

bool CompoundFile::has(std::string_view name) const {
  return find(name) != nullptr;
}

const CompoundFile::Entry* CompoundFile::find(std::string_view name) const {
  for (const Entry& entry : entries_) {
    if (entry.type == kStreamEntry && sameName(entry.name, name)) return &entry;
  }
  return nullptr;
}

std::string CompoundFile::stream(std::string_view name) const {
  const Entry* entry = find(name);
  if (!entry) fail(sheetstream::kExitDamaged);
  if (entry->size < miniCutoff_) {
    return chain(miniFat_, entry->start, kMiniSectorSize, miniStream_, entry->size);
  }
  return sectorChain(entry->start, entry->size);
}

std::string CompoundFile::sectorChain(std::uint32_t start, std::uint64_t size) const {
  // Sector n lies one sector further on, past the header.
  return chain(fat_, start, sectorSize_, std::string_view(bytes_).substr(sectorSize_), size);
}

std::string CompoundFile::chain(const std::vector<std::uint32_t>& table, std::uint32_t start,
                                std::size_t unit, std::string_view data, std::uint64_t size) const {
  std::string out;
  const std::size_t units = data.size() / unit;
  std::uint32_t sector = start;
  for (std::size_t hops = 0; sector < kLastRegularSector && out.size() < size; ++hops) {
    if (hops >= units || sector >= units || sector >= table.size()) {
      fail(sheetstream::kExitDamaged);
    }
    out.append(data.substr(std::size_t(sector) * unit, unit));
    sector = table[sector];
  }
  if (size == kUnbounded) return out;
  if (out.size() < size) fail(sheetstream::kExitDamaged);
  out.resize(size);
  return out;
}

}  // namespace veltrix::sheetreader
