// Device providers of GStreamer's device monitor, faked: a v4l2 provider, and a PipeWire and a
// libcamera provider that each ask the monitor to hide it, as PipeWire's does; they list the
// cameras a test gives them, which play a test source in gst-launch syntax.
#pragma once

#include <QString>
#include <vector>

namespace veltrix::test {

struct FakeCamera {
  QString name;
  QString caps;    // as the provider reports them
  QString source;  // what the camera plays, in gst-launch syntax
  QString path;    // its device node: "device.path" from v4l2, "api.v4l2.path" from PipeWire
};

struct FakeProviders {
  std::vector<FakeCamera> v4l2;
  std::vector<FakeCamera> pipeWire;
  std::vector<FakeCamera> libcamera;  // listed without a device node
};

// The providers list these cameras while the object lives, and nothing before or after.
class InstalledProviders {
 public:
  explicit InstalledProviders(FakeProviders providers);
  ~InstalledProviders();
  InstalledProviders(const InstalledProviders&) = delete;
  InstalledProviders& operator=(const InstalledProviders&) = delete;
};

}  // namespace veltrix::test
