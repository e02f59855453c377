#include "fake_device_providers.h"

#include <gst/gst.h>

#include <utility>

namespace veltrix::test {
namespace {

enum class Kind { V4l2, PipeWire, Libcamera };

struct ProviderSpec {
  Kind kind;
  const char* factory;
  const char* hides;  // the provider it hides from the monitor, as the real one does
};

constexpr ProviderSpec kSpecs[] = {
    {Kind::V4l2, "veltrixfakev4l2deviceprovider", nullptr},
    {Kind::PipeWire, "veltrixfakepipewiredeviceprovider", "veltrixfakev4l2deviceprovider"},
    {Kind::Libcamera, "veltrixfakelibcameraprovider", "veltrixfakev4l2deviceprovider"},
};

FakeProviders* installed = nullptr;

struct ProviderClass {
  GstDeviceProviderClass parent;
  const ProviderSpec* spec;
};

GstElement* createElement(GstDevice* device, const gchar* name) {
  GstStructure* properties = gst_device_get_properties(device);
  GstElement* source = gst_parse_bin_from_description(
      gst_structure_get_string(properties, "veltrix.test-source"), TRUE, nullptr);
  gst_structure_free(properties);
  if (source && name) gst_object_set_name(GST_OBJECT(source), name);
  return source;
}

GType cameraType() {
  static const GType type = g_type_register_static_simple(
      GST_TYPE_DEVICE, "VeltrixFakeCamera", sizeof(GstDeviceClass),
      [](gpointer klass, gpointer) { GST_DEVICE_CLASS(klass)->create_element = createElement; },
      sizeof(GstDevice), nullptr, GTypeFlags(0));
  return type;
}

GstDevice* makeCamera(const FakeCamera& camera, Kind kind) {
  GstStructure* properties = gst_structure_new("properties", "veltrix.test-source", G_TYPE_STRING,
                                               camera.source.toUtf8().constData(), nullptr);
  if (kind == Kind::V4l2) {
    gst_structure_set(properties, "device.path", G_TYPE_STRING, camera.path.toUtf8().constData(),
                      "device.api", G_TYPE_STRING, "v4l2", nullptr);
  } else if (kind == Kind::PipeWire) {
    gst_structure_set(properties, "api.v4l2.path", G_TYPE_STRING, camera.path.toUtf8().constData(),
                      "device.api", G_TYPE_STRING, "pipewire", nullptr);
  }
  GstCaps* caps = gst_caps_from_string(camera.caps.toUtf8().constData());
  auto* device = GST_DEVICE(
      g_object_new(cameraType(), "display-name", camera.name.toUtf8().constData(), "caps", caps,
                   "device-class", "Video/Source", "properties", properties, nullptr));
  gst_caps_unref(caps);
  gst_structure_free(properties);
  return device;
}

GList* probe(GstDeviceProvider* provider) {
  const ProviderSpec* spec =
      reinterpret_cast<ProviderClass*>(GST_DEVICE_PROVIDER_GET_CLASS(provider))->spec;
  if (!installed) return nullptr;
  const std::vector<FakeCamera>& cameras = spec->kind == Kind::V4l2       ? installed->v4l2
                                           : spec->kind == Kind::PipeWire ? installed->pipeWire
                                                                          : installed->libcamera;
  GList* devices = nullptr;
  for (const FakeCamera& camera : cameras) {
    devices = g_list_append(devices, gst_object_ref_sink(makeCamera(camera, spec->kind)));
  }
  return devices;
}

GType providerType(const ProviderSpec& spec) {
  GTypeInfo info{};
  info.class_size = sizeof(ProviderClass);
  info.class_init = [](gpointer klass, gpointer data) {
    auto* provider = static_cast<ProviderClass*>(klass);
    provider->spec = static_cast<const ProviderSpec*>(data);
    provider->parent.probe = probe;
    gst_device_provider_class_set_static_metadata(&provider->parent, provider->spec->factory,
                                                  "Source/Video", "A camera provider for tests",
                                                  "Veltrix");
  };
  info.class_data = &spec;
  info.instance_size = sizeof(GstDeviceProvider);
  info.instance_init = [](GTypeInstance* instance, gpointer klass) {
    const ProviderSpec* spec = static_cast<ProviderClass*>(klass)->spec;
    if (spec->hides) gst_device_provider_hide_provider(GST_DEVICE_PROVIDER(instance), spec->hides);
  };
  const QByteArray name = QByteArray("VeltrixFake") + spec.factory;
  return g_type_register_static(GST_TYPE_DEVICE_PROVIDER, name.constData(), &info, GTypeFlags(0));
}

void registerProviders() {
  static const bool registered = gst_plugin_register_static(
      GST_VERSION_MAJOR, GST_VERSION_MINOR, "veltrixfakecameras", "Camera providers for tests",
      [](GstPlugin* plugin) -> gboolean {
        for (const ProviderSpec& spec : kSpecs) {
          gst_device_provider_register(plugin, spec.factory, GST_RANK_PRIMARY, providerType(spec));
        }
        return TRUE;
      },
      "1.0", "LGPL", "veltrix", "veltrix", "https://example.invalid/veltrix");
  (void)registered;
}

}  // namespace

InstalledProviders::InstalledProviders(FakeProviders providers) {
  gst_init(nullptr, nullptr);
  registerProviders();
  installed = new FakeProviders(std::move(providers));
}

InstalledProviders::~InstalledProviders() {
  delete installed;
  installed = nullptr;
}

}  // namespace veltrix::test
