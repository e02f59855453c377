#include "platform/capture_formats.h"

#include <gst/gst.h>
#include <gst/video/video.h>

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

namespace veltrix {
namespace {

constexpr QSize kStartSize{640, 480};

// What a camera that gives its sizes as ranges is asked for: the sizes webcams and capture
// programs use.
constexpr QSize kCommonSizes[] = {
    {160, 120},  {320, 240},  {352, 288},   {640, 360},   {640, 480},   {800, 600},   {1024, 768},
    {1280, 720}, {1280, 960}, {1280, 1024}, {1600, 1200}, {1920, 1080}, {2560, 1440}, {3840, 2160}};
constexpr int kCommonRates[] = {60, 30, 25, 20, 15, 10, 5};

using Rate = std::pair<int, int>;

bool isMjpeg(const CaptureFormat& format) {
  return format.pixelFormat == QLatin1String(kMjpegFormat);
}

// Whether value, an int, a range of ints or a list of them, takes n.
bool takesInt(const GValue* value, int n) {
  if (G_VALUE_HOLDS_INT(value)) return g_value_get_int(value) == n;
  if (GST_VALUE_HOLDS_INT_RANGE(value)) {
    const int min = gst_value_get_int_range_min(value);
    const int step = std::max(gst_value_get_int_range_step(value), 1);
    return n >= min && n <= gst_value_get_int_range_max(value) && (n - min) % step == 0;
  }
  if (GST_VALUE_HOLDS_LIST(value)) {
    for (guint i = 0; i < gst_value_list_get_size(value); ++i) {
      if (takesInt(gst_value_list_get_value(value, i), n)) return true;
    }
  }
  return false;
}

std::vector<QSize> sizesOf(const GstStructure* structure) {
  int width = 0;
  int height = 0;
  if (gst_structure_get_int(structure, "width", &width) &&
      gst_structure_get_int(structure, "height", &height)) {
    return {QSize(width, height)};
  }
  const GValue* widths = gst_structure_get_value(structure, "width");
  const GValue* heights = gst_structure_get_value(structure, "height");
  std::vector<QSize> sizes;
  if (!widths || !heights) return sizes;
  for (const QSize size : kCommonSizes) {
    if (takesInt(widths, size.width()) && takesInt(heights, size.height())) sizes.push_back(size);
  }
  return sizes;
}

void addRates(const GValue* value, std::vector<Rate>& rates) {
  if (GST_VALUE_HOLDS_FRACTION(value)) {
    rates.emplace_back(gst_value_get_fraction_numerator(value),
                       gst_value_get_fraction_denominator(value));
  } else if (GST_VALUE_HOLDS_FRACTION_RANGE(value)) {
    const GValue* slowest = gst_value_get_fraction_range_min(value);
    const GValue* fastest = gst_value_get_fraction_range_max(value);
    addRates(fastest, rates);
    const double min = double(gst_value_get_fraction_numerator(slowest)) /
                       std::max(gst_value_get_fraction_denominator(slowest), 1);
    const double max = double(gst_value_get_fraction_numerator(fastest)) /
                       std::max(gst_value_get_fraction_denominator(fastest), 1);
    for (const int rate : kCommonRates) {
      if (rate >= min && rate < max) rates.emplace_back(rate, 1);
    }
  } else if (GST_VALUE_HOLDS_LIST(value)) {
    for (guint i = 0; i < gst_value_list_get_size(value); ++i) {
      addRates(gst_value_list_get_value(value, i), rates);
    }
  }
}

bool isColour(const char* raw) {
  const GstVideoFormat format = gst_video_format_from_string(raw);
  const GstVideoFormatInfo* info = gst_video_format_get_info(format);
  return format != GST_VIDEO_FORMAT_UNKNOWN && info && !GST_VIDEO_FORMAT_INFO_IS_GRAY(info);
}

// The colour pixel formats a structure names: MJPG for JPEG, the raw ones it lists otherwise.
QStringList pixelFormatsOf(const GstStructure* structure) {
  if (gst_structure_has_name(structure, "image/jpeg")) return {QLatin1String(kMjpegFormat)};
  QStringList formats;
  if (!gst_structure_has_name(structure, "video/x-raw")) return formats;
  const GValue* value = gst_structure_get_value(structure, "format");
  if (!value) return formats;
  const auto add = [&](const GValue* one) {
    if (G_VALUE_HOLDS_STRING(one) && isColour(g_value_get_string(one))) {
      formats.append(QString::fromUtf8(g_value_get_string(one)));
    }
  };
  if (GST_VALUE_HOLDS_LIST(value)) {
    for (guint i = 0; i < gst_value_list_get_size(value); ++i) {
      add(gst_value_list_get_value(value, i));
    }
  } else {
    add(value);
  }
  return formats;
}

bool large(const QSize size) {
  return qint64(size.width()) * size.height() > qint64(kStartSize.width()) * kStartSize.height();
}

// At one size: MJPEG first above 640 × 480 and last otherwise, YUY2 before other raw formats,
// then the faster rate.
auto preference(const CaptureFormat& f) {
  const bool mjpeg = isMjpeg(f);
  return std::tuple(large(f.size) ? !mjpeg : mjpeg, f.pixelFormat != QLatin1String("YUY2"),
                    f.pixelFormat, -double(f.rateNumerator) / f.rateDenominator);
}

bool listedBefore(const CaptureFormat& a, const CaptureFormat& b) {
  const auto size = [](const CaptureFormat& f) {
    return std::pair(qint64(f.size.width()) * f.size.height(), f.size.width());
  };
  return std::tuple(size(a), preference(a)) < std::tuple(size(b), preference(b));
}

// How far a size is from 640 × 480: by the number of pixels, then by the shape.
std::pair<qint64, int> distanceFromStart(const QSize size) {
  const qint64 pixels = qint64(kStartSize.width()) * kStartSize.height();
  return {std::abs(qint64(size.width()) * size.height() - pixels),
          std::abs(size.width() - kStartSize.width())};
}

}  // namespace

QList<CaptureFormat> offeredFormats(const GstCaps* caps) {
  QList<CaptureFormat> formats;
  for (guint i = 0; caps && i < gst_caps_get_size(caps); ++i) {
    const GstCapsFeatures* features = gst_caps_get_features(caps, i);
    if (features && !gst_caps_features_is_equal(features, GST_CAPS_FEATURES_MEMORY_SYSTEM_MEMORY)) {
      continue;
    }
    const GstStructure* structure = gst_caps_get_structure(caps, i);
    const QStringList pixelFormats = pixelFormatsOf(structure);
    const GValue* rateValue = gst_structure_get_value(structure, "framerate");
    std::vector<Rate> rates;
    if (rateValue) addRates(rateValue, rates);
    for (const QString& pixelFormat : pixelFormats) {
      for (const QSize size : sizesOf(structure)) {
        for (const auto& [numerator, denominator] : rates) {
          const CaptureFormat format{pixelFormat, size, numerator, denominator};
          if (numerator > 0 && denominator > 0 && !formats.contains(format)) {
            formats.append(format);
          }
        }
      }
    }
  }
  std::sort(formats.begin(), formats.end(), listedBefore);
  return formats;
}

QList<CaptureFormat> offeredFormats(const QString& caps) {
  if (!gst_is_initialized() && !gst_init_check(nullptr, nullptr, nullptr)) return {};
  GstCaps* parsed = gst_caps_from_string(caps.toUtf8().constData());
  QList<CaptureFormat> formats = offeredFormats(parsed);
  if (parsed) gst_caps_unref(parsed);
  return formats;
}

CaptureFormat startingFormat(const QList<CaptureFormat>& offered) {
  if (offered.isEmpty()) return {};
  const auto nearest = std::min_element(
      offered.begin(), offered.end(), [](const CaptureFormat& a, const CaptureFormat& b) {
        return std::tuple(distanceFromStart(a.size), preference(a)) <
               std::tuple(distanceFromStart(b.size), preference(b));
      });
  return *nearest;
}

}  // namespace veltrix
