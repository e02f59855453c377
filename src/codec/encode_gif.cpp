// GIF89a through giflib, with a palette made from the picture's own colours: all of them when
// there are at most 256, so such a picture survives exactly; otherwise 256 found by median cut,
// each pixel taking the nearest of them.
#include <gif_lib.h>

#include <QRgb>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include "codec/picture_encoders.h"

namespace veltrix::picture {

namespace {

constexpr std::size_t kMaxColours = 256;
constexpr int kMaxSide = 65535;

struct ColourCount {
  QRgb colour;
  std::uint32_t count;
};

int channel(QRgb colour, int which) {
  return int(colour >> (16 - 8 * which)) & 0xff;
}

// Every distinct colour once, sorted, with how many pixels have it.
std::vector<ColourCount> histogram(const QImage& image) {
  std::vector<QRgb> pixels;
  pixels.reserve(std::size_t(image.width()) * std::size_t(image.height()));
  for (int y = 0; y < image.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) pixels.push_back(row[x] & RGB_MASK);
  }
  std::sort(pixels.begin(), pixels.end());
  std::vector<ColourCount> counts;
  for (std::size_t i = 0; i < pixels.size();) {
    std::size_t next = i + 1;
    while (next < pixels.size() && pixels[next] == pixels[i]) ++next;
    counts.push_back({pixels[i], std::uint32_t(next - i)});
    i = next;
  }
  return counts;
}

// A run of colours in the median cut's working list, with the statistics that decide which box
// is split next and along which channel.
struct Box {
  std::size_t begin = 0;
  std::size_t end = 0;
  double population = 0;
  std::array<double, 3> sum{};
  int widestChannel = 0;
  double squaredError = 0;
};

Box makeBox(const std::vector<ColourCount>& colours, std::size_t begin, std::size_t end) {
  Box box{begin, end};
  std::array<double, 3> sumOfSquares{};
  for (std::size_t i = begin; i < end; ++i) {
    const double count = colours[i].count;
    box.population += count;
    for (int c = 0; c < 3; ++c) {
      const double value = channel(colours[i].colour, c);
      box.sum[std::size_t(c)] += count * value;
      sumOfSquares[std::size_t(c)] += count * value * value;
    }
  }
  double widest = -1;
  for (int c = 0; c < 3; ++c) {
    const double spread = sumOfSquares[std::size_t(c)] -
                          box.sum[std::size_t(c)] * box.sum[std::size_t(c)] / box.population;
    box.squaredError += spread;
    if (spread > widest) {
      widest = spread;
      box.widestChannel = c;
    }
  }
  return box;
}

// Cuts at the pixel-weighted median of the widest channel, leaving colours on both sides.
std::pair<Box, Box> split(std::vector<ColourCount>& colours, const Box& box) {
  const auto first = colours.begin() + std::ptrdiff_t(box.begin);
  const auto last = colours.begin() + std::ptrdiff_t(box.end);
  const int c = box.widestChannel;
  std::sort(first, last, [c](const ColourCount& a, const ColourCount& b) {
    return channel(a.colour, c) < channel(b.colour, c);
  });
  double below = 0;
  std::size_t cut = box.begin + 1;
  for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
    below += colours[i].count;
    cut = i + 1;
    if (below * 2 >= box.population) break;
  }
  return {makeBox(colours, box.begin, cut), makeBox(colours, cut, box.end)};
}

QRgb meanColour(const Box& box) {
  const auto mean = [&box](int c) { return int(box.sum[std::size_t(c)] / box.population + 0.5); };
  return qRgb(mean(0), mean(1), mean(2));
}

std::vector<QRgb> medianCut(std::vector<ColourCount> colours) {
  std::vector<Box> boxes{makeBox(colours, 0, colours.size())};
  while (boxes.size() < kMaxColours) {
    const auto worst = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
      return a.squaredError < b.squaredError;
    });
    if (worst->end - worst->begin < 2 || worst->squaredError <= 0) break;
    const auto [low, high] = split(colours, *worst);
    *worst = low;
    boxes.push_back(high);
  }
  std::vector<QRgb> palette;
  for (const Box& box : boxes) palette.push_back(meanColour(box));
  return palette;
}

// Exact nearest palette entry; the palette is kept sorted by green so that the search can stop
// once the green difference alone is larger than the best distance found.
class NearestColour {
 public:
  explicit NearestColour(const std::vector<QRgb>& palette) {
    for (std::size_t i = 0; i < palette.size(); ++i)
      entries_.push_back({qGreen(palette[i]), palette[i], std::uint8_t(i)});
    std::sort(entries_.begin(), entries_.end(),
              [](const Entry& a, const Entry& b) { return a.green < b.green; });
  }

  std::uint8_t operator()(QRgb colour) const {
    const int green = qGreen(colour);
    const auto start =
        std::lower_bound(entries_.begin(), entries_.end(), green,
                         [](const Entry& entry, int value) { return entry.green < value; });
    int best = 1 << 30;
    std::uint8_t index = 0;
    const auto consider = [&](const Entry& entry) {
      const int dg = entry.green - green;
      if (dg * dg >= best) return false;
      const int dr = qRed(entry.colour) - qRed(colour);
      const int db = qBlue(entry.colour) - qBlue(colour);
      const int distance = dr * dr + dg * dg + db * db;
      if (distance < best) {
        best = distance;
        index = entry.index;
      }
      return true;
    };
    for (auto it = start; it != entries_.end() && consider(*it); ++it) {
    }
    for (auto it = start; it != entries_.begin() && consider(*(it - 1)); --it) {
    }
    return index;
  }

 private:
  struct Entry {
    int green;
    QRgb colour;
    std::uint8_t index;
  };
  std::vector<Entry> entries_;
};

struct Palette {
  std::vector<QRgb> colours;
  std::vector<QRgb> distinct;         // sorted, for looking a pixel up
  std::vector<std::uint8_t> indexOf;  // palette index of each distinct colour
};

Palette choosePalette(const QImage& image) {
  const std::vector<ColourCount> counts = histogram(image);
  Palette palette;
  for (const ColourCount& count : counts) palette.distinct.push_back(count.colour);
  if (counts.size() <= kMaxColours) {
    palette.colours = palette.distinct;
    for (std::size_t i = 0; i < counts.size(); ++i) palette.indexOf.push_back(std::uint8_t(i));
    return palette;
  }
  palette.colours = medianCut(counts);
  const NearestColour nearest(palette.colours);
  for (const QRgb colour : palette.distinct) palette.indexOf.push_back(nearest(colour));
  return palette;
}

class ColourMap {
 public:
  explicit ColourMap(const std::vector<QRgb>& colours) {
    std::vector<GifColorType> entries(std::size_t(1) << GifBitSize(int(colours.size())));
    for (std::size_t i = 0; i < colours.size(); ++i)
      entries[i] = {GifByteType(qRed(colours[i])), GifByteType(qGreen(colours[i])),
                    GifByteType(qBlue(colours[i]))};
    map_ = GifMakeMapObject(int(entries.size()), entries.data());
  }
  ~ColourMap() { GifFreeMapObject(map_); }
  ColourMap(const ColourMap&) = delete;
  ColourMap& operator=(const ColourMap&) = delete;
  ColorMapObject* get() const { return map_; }

 private:
  ColorMapObject* map_ = nullptr;
};

int appendBytes(GifFileType* gif, const GifByteType* data, int length) {
  try {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
  } catch (const std::bad_alloc&) {
    return 0;  // giflib takes a short write as a failure
  }
  return length;
}

class GifOutput {
 public:
  explicit GifOutput(QByteArray* bytes) {
    int error = 0;
    gif_ = EGifOpen(bytes, appendBytes, &error);
  }
  ~GifOutput() { close(); }
  GifOutput(const GifOutput&) = delete;
  GifOutput& operator=(const GifOutput&) = delete;
  GifFileType* get() const { return gif_; }

  // Writes the trailer; giflib frees its state either way.
  bool close() {
    if (!gif_) return false;
    int error = 0;
    const bool closed = EGifCloseFile(gif_, &error) == GIF_OK;
    gif_ = nullptr;
    return closed;
  }

 private:
  GifFileType* gif_ = nullptr;
};

bool writeGif(const QImage& image, const Palette& palette, QByteArray* bytes) {
  const ColourMap map(palette.colours);
  GifOutput output(bytes);
  GifFileType* gif = output.get();
  if (!map.get() || !gif) return false;
  EGifSetGifVersion(gif, true);
  if (EGifPutScreenDesc(gif, image.width(), image.height(), 8, 0, map.get()) != GIF_OK ||
      EGifPutImageDesc(gif, 0, 0, image.width(), image.height(), false, nullptr) != GIF_OK)
    return false;

  std::vector<GifPixelType> line(std::size_t(image.width()));
  QRgb lastColour = palette.distinct.front();
  GifPixelType lastIndex = palette.indexOf.front();
  for (int y = 0; y < image.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb colour = row[x] & RGB_MASK;
      if (colour != lastColour) {
        const auto found =
            std::lower_bound(palette.distinct.begin(), palette.distinct.end(), colour);
        lastColour = colour;
        lastIndex = palette.indexOf[std::size_t(found - palette.distinct.begin())];
      }
      line[std::size_t(x)] = lastIndex;
    }
    if (EGifPutLine(gif, line.data(), image.width()) != GIF_OK) return false;
  }
  return output.close();
}

}  // namespace

QByteArray encodeGif(const QImage& image) {
  if (image.width() > kMaxSide || image.height() > kMaxSide) return {};
  QByteArray bytes;
  if (!writeGif(image, choosePalette(image), &bytes)) return {};
  return bytes;
}

}  // namespace veltrix::picture
