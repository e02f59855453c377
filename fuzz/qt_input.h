// The fuzzer's input as the Qt byte array the program's parsers take.
#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>

namespace veltrix::fuzz {

inline QByteArray bytesOf(const std::uint8_t* data, std::size_t size) {
  return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

}  // namespace veltrix::fuzz
