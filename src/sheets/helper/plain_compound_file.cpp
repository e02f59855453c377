#include "plain_compound_file.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace veltrix::sheetreader {

namespace {

constexpr std::size_t kSectorSize = 512;
constexpr std::size_t kPerSector = kSectorSize / 4;
constexpr std::size_t kHeaderFatSlots = 109;
constexpr std::size_t kEntrySize = 128;
constexpr std::size_t kMiniCutoff = 4096;

constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFree = 0xFFFFFFFF;

void put16(std::string& out, std::size_t at, std::uint16_t value) {
  out[at] = char(value & 0xFF);
  out[at + 1] = char(value >> 8);
}

void put32(std::string& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + std::size_t(i)] = char((value >> (8 * i)) & 0xFF);
}

std::size_t sectorsFor(std::size_t bytes) {
  return (bytes + kSectorSize - 1) / kSectorSize;
}

// A directory entry: the name in UTF-16 with its terminator, no siblings.
void putEntry(std::string& out, std::size_t at, std::string_view name, std::uint8_t type,
              std::uint32_t child, std::uint32_t start, std::uint32_t size) {
  for (std::size_t i = 0; i < name.size(); ++i) put16(out, at + 2 * i, std::uint8_t(name[i]));
  put16(out, at + 64, std::uint16_t(2 * (name.size() + 1)));
  out[at + 66] = char(type);
  out[at + 67] = 1;  // black, as every node of a one-node tree may be
  put32(out, at + 68, kFree);
  put32(out, at + 72, kFree);
  put32(out, at + 76, child);
  put32(out, at + 116, start);
  put32(out, at + 120, size);
}

}  // namespace

std::string plainCompoundFile(std::string_view streamName, std::string_view stream) {
  // Sectors in order: the stream, the directory, the allocation table, then the DIFAT sectors
  // that list the allocation table's sectors past the header's 109.
  const std::size_t streamBytes = std::max(stream.size(), kMiniCutoff);
  const std::size_t streamSectors = sectorsFor(streamBytes);
  std::size_t fatSectors = 0;
  std::size_t difatSectors = 0;
  for (;;) {
    const std::size_t total = streamSectors + 1 + fatSectors + difatSectors;
    const std::size_t fat = (total + kPerSector - 1) / kPerSector;
    const std::size_t difat =
        fat > kHeaderFatSlots ? (fat - kHeaderFatSlots + kPerSector - 2) / (kPerSector - 1) : 0;
    if (fat == fatSectors && difat == difatSectors) break;
    fatSectors = fat;
    difatSectors = difat;
  }
  const std::size_t directorySector = streamSectors;
  const std::size_t firstFat = directorySector + 1;
  const std::size_t firstDifat = firstFat + fatSectors;
  const std::size_t total = firstDifat + difatSectors;

  std::string out(kSectorSize * (1 + total), '\0');
  const auto sectorAt = [](std::size_t sector) { return kSectorSize * (1 + sector); };

  out.replace(0, 8, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  put16(out, 0x18, 0x003E);
  put16(out, 0x1A, 3);
  put16(out, 0x1C, 0xFFFE);
  put16(out, 0x1E, 9);
  put16(out, 0x20, 6);
  put32(out, 0x2C, std::uint32_t(fatSectors));
  put32(out, 0x30, std::uint32_t(directorySector));
  put32(out, 0x38, kMiniCutoff);
  put32(out, 0x3C, kEndOfChain);
  put32(out, 0x44, difatSectors ? std::uint32_t(firstDifat) : kEndOfChain);
  put32(out, 0x48, std::uint32_t(difatSectors));

  // Where each allocation table sector is listed: the header's slots, then the DIFAT sectors',
  // each of which ends with the next one's number.
  for (std::size_t i = 0; i < kHeaderFatSlots; ++i) {
    put32(out, 0x4C + 4 * i, i < fatSectors ? std::uint32_t(firstFat + i) : kFree);
  }
  for (std::size_t d = 0; d < difatSectors; ++d) {
    const std::size_t at = sectorAt(firstDifat + d);
    for (std::size_t i = 0; i + 1 < kPerSector; ++i) {
      const std::size_t listed = kHeaderFatSlots + d * (kPerSector - 1) + i;
      put32(out, at + 4 * i, listed < fatSectors ? std::uint32_t(firstFat + listed) : kFree);
    }
    put32(out, at + kSectorSize - 4,
          d + 1 < difatSectors ? std::uint32_t(firstDifat + d + 1) : kEndOfChain);
  }

  std::vector<std::uint32_t> fat(fatSectors * kPerSector, kFree);
  for (std::size_t s = 0; s < streamSectors; ++s) {
    fat[s] = s + 1 < streamSectors ? std::uint32_t(s + 1) : kEndOfChain;
  }
  fat[directorySector] = kEndOfChain;
  for (std::size_t s = firstFat; s < firstDifat; ++s) fat[s] = kFatSector;
  for (std::size_t s = firstDifat; s < total; ++s) fat[s] = kDifatSector;
  for (std::size_t i = 0; i < fat.size(); ++i) put32(out, sectorAt(firstFat) + 4 * i, fat[i]);

  out.replace(sectorAt(0), stream.size(), stream);
  const std::size_t directory = sectorAt(directorySector);
  putEntry(out, directory, "Root Entry", 5, 1, kEndOfChain, 0);
  putEntry(out, directory + kEntrySize, streamName, 2, kFree, 0, std::uint32_t(streamBytes));
  for (std::size_t i = 2; i < kSectorSize / kEntrySize; ++i) {
    put32(out, directory + i * kEntrySize + 68, kFree);
    put32(out, directory + i * kEntrySize + 72, kFree);
    put32(out, directory + i * kEntrySize + 76, kFree);
  }
  return out;
}

}  // namespace veltrix::sheetreader
