#include "platform/gst_capture_device.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/capture_texts.h"
#include "platform/mjpeg_guard.h"

namespace veltrix {
namespace {

namespace texts = capture_texts;

constexpr int kFirstFrameTimeoutMs = 3000;
constexpr const char* kTestCameraSource = "videotestsrc pattern=ball is-live=true";

QString devicePath(GstDevice* device, bool* fromV4l2Provider) {
  GstStructure* properties = gst_device_get_properties(device);
  if (!properties) return {};
  QString path;
  // The v4l2 provider names the node "device.path"; PipeWire passes it on as "api.v4l2.path".
  if (const char* node = gst_structure_get_string(properties, "device.path")) {
    path = QString::fromUtf8(node);
    *fromV4l2Provider = true;
  } else if (const char* passed = gst_structure_get_string(properties, "api.v4l2.path")) {
    path = QString::fromUtf8(passed);
    *fromV4l2Provider = false;
  }
  gst_structure_free(properties);
  return path;
}

// /dev/video2 before /dev/video10.
bool nodeBefore(const QString& a, const QString& b) {
  const auto split = [](const QString& path) {
    qsizetype digits = path.size();
    while (digits > 0 && path[digits - 1].isDigit()) --digits;
    return std::pair(path.left(digits), path.mid(digits).toLongLong());
  };
  return split(a) < split(b);
}

bool isMjpeg(const CaptureFormat& format) {
  return format.pixelFormat == QLatin1String(kMjpegFormat);
}

// Whether everything the source in gst-launch syntax can send is JPEG.
bool sendsJpeg(const QString& description) {
  GstElement* source =
      gst_parse_bin_from_description(description.toUtf8().constData(), TRUE, nullptr);
  if (!source) return false;
  gst_object_ref_sink(source);
  GstPad* pad = gst_element_get_static_pad(source, "src");
  GstCaps* caps = pad ? gst_pad_query_caps(pad, nullptr) : nullptr;
  bool jpeg = caps && !gst_caps_is_empty(caps) && !gst_caps_is_any(caps);
  for (guint i = 0; jpeg && i < gst_caps_get_size(caps); ++i) {
    jpeg = gst_structure_has_name(gst_caps_get_structure(caps, i), "image/jpeg");
  }
  if (caps) gst_caps_unref(caps);
  if (pad) gst_object_unref(pad);
  gst_object_unref(source);
  return jpeg;
}

// The test camera's three sizes, as MJPEG when its source sends JPEG, as the source's own raw
// format otherwise.
QList<CaptureFormat> testCameraFormats(const QString& source) {
  const QString pixelFormat = sendsJpeg(source) ? QLatin1String(kMjpegFormat) : QString();
  return {{pixelFormat, QSize(640, 480)},
          {pixelFormat, QSize(1280, 720)},
          {pixelFormat, QSize(1920, 1080)}};
}

QString describe(const CaptureFormat& format) {
  QString rate = QString::number(double(format.rateNumerator) / format.rateDenominator, 'g', 4);
  QString text = QStringLiteral("%1 × %2    %3 %4")
                     .arg(format.size.width())
                     .arg(format.size.height())
                     .arg(rate, QString::fromUtf8(texts::kFramesPerSecond));
  return format.pixelFormat.isEmpty() ? text : format.pixelFormat + QStringLiteral("    ") + text;
}

GstCaps* wireCaps(const CaptureFormat& format) {
  GstCaps* caps = gst_caps_new_empty_simple(isMjpeg(format) ? "image/jpeg" : "video/x-raw");
  if (!format.size.isEmpty()) {
    gst_caps_set_simple(caps, "width", G_TYPE_INT, format.size.width(), "height", G_TYPE_INT,
                        format.size.height(), "framerate", GST_TYPE_FRACTION, format.rateNumerator,
                        format.rateDenominator, nullptr);
  }
  if (!isMjpeg(format) && !format.pixelFormat.isEmpty()) {
    gst_caps_set_simple(caps, "format", G_TYPE_STRING, format.pixelFormat.toUtf8().constData(),
                        nullptr);
  }
  return caps;
}

// Whether a format named in caps is YUV; a list of formats is YUV when every one of them is.
bool yuvFormats(const GValue* formats) {
  if (!formats) return false;
  if (GST_VALUE_HOLDS_LIST(formats)) {
    const guint count = gst_value_list_get_size(formats);
    for (guint i = 0; i < count; ++i) {
      if (!yuvFormats(gst_value_list_get_value(formats, i))) return false;
    }
    return count > 0;
  }
  if (!G_VALUE_HOLDS_STRING(formats)) return false;
  const GstVideoFormat format = gst_video_format_from_string(g_value_get_string(formats));
  const GstVideoFormatInfo* info = gst_video_format_get_info(format);
  return format != GST_VIDEO_FORMAT_UNKNOWN && info && GST_VIDEO_FORMAT_INFO_IS_YUV(info);
}

// Whether everything the source can send through the wire arrives as YUV: a camera's YUY2 or
// NV12, or JPEG, which decodes to YUV.
bool arrivesAsYuv(GstElement* source, GstCaps* wire) {
  GstPad* pad = gst_element_get_static_pad(source, "src");
  if (!pad) return false;
  GstCaps* offered = gst_pad_query_caps(pad, wire);
  gst_object_unref(pad);
  bool yuv = offered && !gst_caps_is_empty(offered) && !gst_caps_is_any(offered);
  for (guint i = 0; yuv && i < gst_caps_get_size(offered); ++i) {
    const GstStructure* structure = gst_caps_get_structure(offered, i);
    yuv = gst_structure_has_name(structure, "image/jpeg") ||
          (gst_structure_has_name(structure, "video/x-raw") &&
           yuvFormats(gst_structure_get_value(structure, "format")));
  }
  if (offered) gst_caps_unref(offered);
  return yuv;
}

// 确定 and 取消, closing the dialog.
QDialogButtonBox* okAndCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  buttons->button(QDialogButtonBox::Ok)->setText(QString::fromUtf8(texts::kOk));
  buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8(texts::kCancel));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace

struct GstCaptureDevice::BusWatch {
  GstCaptureDevice* device;
  quint64 generation;
};

GstCaptureDevice::GstCaptureDevice() {
  gst_init_check(nullptr, nullptr, nullptr);
  if (!qEnvironmentVariableIsEmpty("VELTRIX_TEST_CAMERA")) {
    testSource_ = QString::fromLatin1(kTestCameraSource);
  }
}

GstCaptureDevice::GstCaptureDevice(const QString& testSource) : GstCaptureDevice() {
  testSource_ = testSource;
}

GstCaptureDevice::~GstCaptureDevice() {
  stop();
  clearDrivers();
}

void GstCaptureDevice::clearDrivers() {
  for (const Driver& driver : drivers_) {
    if (driver.device) gst_object_unref(driver.device);
  }
  drivers_.clear();
}

void GstCaptureDevice::listDrivers() {
  clearDrivers();
  listed_ = true;
  if (!gst_is_initialized()) return;

  std::vector<std::pair<QString, GstDevice*>> nodes;
  GstDeviceMonitor* monitor = gst_device_monitor_new();
  gst_device_monitor_add_filter(monitor, "Video/Source", nullptr);
  // A PipeWire provider (and any other that asks for it) hides the v4l2 provider's cameras when
  // installed beside it; v4l2src is what the formats and controls here are made for.
  gst_device_monitor_set_show_all_devices(monitor, TRUE);
  GList* devices = gst_device_monitor_get_devices(monitor);
  for (GList* item = devices; item; item = item->next) {
    auto* device = static_cast<GstDevice*>(item->data);
    bool fromV4l2Provider = false;
    const QString path = devicePath(device, &fromV4l2Provider);
    if (path.isEmpty()) continue;
    const auto same = std::find_if(nodes.begin(), nodes.end(),
                                   [&](const auto& node) { return node.first == path; });
    // One camera may be offered both by the v4l2 provider and through PipeWire; v4l2src it is.
    if (same == nodes.end()) {
      nodes.emplace_back(path, GST_DEVICE(gst_object_ref(device)));
    } else if (fromV4l2Provider) {
      gst_object_unref(same->second);
      same->second = GST_DEVICE(gst_object_ref(device));
    }
  }
  g_list_free_full(devices, gst_object_unref);
  gst_object_unref(monitor);

  std::sort(nodes.begin(), nodes.end(),
            [](const auto& a, const auto& b) { return nodeBefore(a.first, b.first); });
  for (const auto& [path, device] : nodes) {
    GstCaps* caps = gst_device_get_caps(device);
    const QList<CaptureFormat> formats = offeredFormats(caps);
    if (caps) gst_caps_unref(caps);
    // A node with no colour format, such as a laptop's infrared camera, is no camera to take
    // photos with.
    if (formats.isEmpty()) {
      gst_object_unref(device);
      continue;
    }
    gchar* name = gst_device_get_display_name(device);
    drivers_.append({QString::fromUtf8(name), path, device, formats});
    g_free(name);
  }
  if (testSource_) {
    drivers_.append({QString::fromUtf8(texts::kTestCamera), *testSource_, nullptr,
                     testCameraFormats(*testSource_)});
  }
}

int GstCaptureDevice::driverCount() {
  // While connected the list stays as it is, so the current driver keeps its number.
  if (!current_) listDrivers();
  return static_cast<int>(drivers_.size());
}

QStringList GstCaptureDevice::driverNames() const {
  QStringList names;
  for (const Driver& driver : drivers_) names.append(driver.name);
  return names;
}

QList<CaptureFormat> GstCaptureDevice::formats() const {
  return current_ ? drivers_[current_ - 1].formats : QList<CaptureFormat>();
}

bool GstCaptureDevice::connect(int driver) {
  if (!listed_) listDrivers();
  if (driver < 1 || driver > drivers_.size()) return false;
  const Driver& chosen = drivers_[driver - 1];
  const auto remembered = chosenFormats_.find(chosen.key);
  const bool rememberedOffered =
      remembered != chosenFormats_.end() && chosen.formats.contains(remembered->second);
  return open(driver, rememberedOffered ? remembered->second : startingFormat(chosen.formats));
}

bool GstCaptureDevice::setFormat(const CaptureFormat& format) {
  if (!current_ || !formats().contains(format)) return false;
  const int driver = current_;
  const CaptureFormat previous = format_;
  if (open(driver, format)) {
    chosenFormats_[drivers_[driver - 1].key] = format;
    return true;
  }
  open(driver, previous);
  return false;
}

bool GstCaptureDevice::open(int driver, const CaptureFormat& format) {
  stop();
  if (!start(drivers_[driver - 1], format)) {
    stop();
    return false;
  }
  current_ = driver;
  format_ = format;
  return true;
}

void GstCaptureDevice::disconnect() {
  stop();
}

GstElement* GstCaptureDevice::buildPipeline(const Driver& driver, const CaptureFormat& format) {
  GstElement* source = nullptr;
  if (driver.device) {
    source = gst_device_create_element(driver.device, nullptr);
  } else {
    GError* error = nullptr;
    source = gst_parse_bin_from_description(driver.key.toUtf8().constData(), TRUE, &error);
    if (error) {
      qWarning("camera: %s", error->message);
      g_error_free(error);
    }
  }
  if (!source) return nullptr;

  GstCaps* caps = wireCaps(format);
  const bool yuv = arrivesAsYuv(source, caps);
  GstElement* wire = gst_element_factory_make("capsfilter", nullptr);
  GstElement* sink = gst_element_factory_make("appsink", nullptr);
  std::vector<GstElement*> chain{source, wire};
  if (isMjpeg(format)) chain.push_back(makeGuardedJpegDecoder());
  chain.push_back(gst_element_factory_make("videoconvert", nullptr));
  // videoconvert's 8-bit path from YUV to RGB truncates, leaving colours up to 6 levels dark; by
  // way of 16 bits a channel they arrive within 2 of what the camera sent.
  if (yuv) {
    GstElement* wide = gst_element_factory_make("capsfilter", nullptr);
    GstCaps* argb64 =
        gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "ARGB64", nullptr);
    if (wide) g_object_set(wide, "caps", argb64, nullptr);
    gst_caps_unref(argb64);
    chain.push_back(wide);
    chain.push_back(gst_element_factory_make("videoconvert", nullptr));
  }
  chain.push_back(sink);
  GstElement* pipeline = gst_pipeline_new("camera");
  bool complete = true;
  for (GstElement* element : chain) {
    if (element) {
      gst_bin_add(GST_BIN(pipeline), element);
    } else {
      complete = false;
    }
  }
  for (std::size_t i = 1; complete && i < chain.size(); ++i) {
    complete = gst_element_link(chain[i - 1], chain[i]);
  }
  if (!complete) {
    gst_caps_unref(caps);
    gst_object_unref(pipeline);
    return nullptr;
  }

  g_object_set(wire, "caps", caps, nullptr);
  gst_caps_unref(caps);
  GstCaps* bgrx = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGRx", nullptr);
  // One frame waits at most; a slow reader gets the newest, never a backlog.
  g_object_set(sink, "caps", bgrx, "max-buffers", 1u, "drop", TRUE, "sync", FALSE, nullptr);
  gst_caps_unref(bgrx);
  GstAppSinkCallbacks callbacks{};
  callbacks.new_sample = [](GstAppSink* appsink, gpointer self) {
    static_cast<GstCaptureDevice*>(self)->takeSample(GST_ELEMENT(appsink));
    return GST_FLOW_OK;
  };
  gst_app_sink_set_callbacks(GST_APP_SINK(sink), &callbacks, this, nullptr);
  return pipeline;
}

// On a streaming thread: the frame is copied out of the buffer, so GStreamer can reuse it.
void GstCaptureDevice::takeSample(GstElement* sink) {
  const auto arrived = std::chrono::steady_clock::now();
  GstSample* sample = gst_app_sink_pull_sample(GST_APP_SINK(sink));
  if (!sample) return;
  GstVideoInfo info;
  GstVideoFrame video;
  if (gst_video_info_from_caps(&info, gst_sample_get_caps(sample)) &&
      gst_video_frame_map(&video, &info, gst_sample_get_buffer(sample), GST_MAP_READ)) {
    // BGRx bytes read as little-endian words are 0xffRRGGBB, the layout of Format_RGB32.
    QImage frame = QImage(static_cast<const uchar*>(GST_VIDEO_FRAME_PLANE_DATA(&video, 0)),
                          GST_VIDEO_FRAME_WIDTH(&video), GST_VIDEO_FRAME_HEIGHT(&video),
                          GST_VIDEO_FRAME_PLANE_STRIDE(&video, 0), QImage::Format_RGB32)
                       .copy();
    gst_video_frame_unmap(&video);
    {
      QMutexLocker lock(&mutex_);
      frame_ = std::move(frame);
      frameArrived_ = arrived;
      ++frameNumber_;
      if (previewing_) queueDelivery();
    }
    changed_.wakeAll();
  }
  gst_sample_unref(sample);
}

bool GstCaptureDevice::start(const Driver& driver, const CaptureFormat& format) {
  if (!gst_is_initialized()) return false;
  pipeline_ = buildPipeline(driver, format);
  if (!pipeline_) return false;

  // Messages are seen where they are posted, so no GLib main loop is needed; errors and the end
  // of the stream reach the GUI thread as a queued call stamped with this pipeline's generation.
  GstBus* bus = gst_element_get_bus(pipeline_);
  gst_bus_set_sync_handler(
      bus,
      [](GstBus*, GstMessage* message, gpointer data) {
        const auto* watch = static_cast<const BusWatch*>(data);
        const GstMessageType type = GST_MESSAGE_TYPE(message);
        if (type == GST_MESSAGE_ERROR) {
          GError* error = nullptr;
          gst_message_parse_error(message, &error, nullptr);
          qWarning("camera: %s", error ? error->message : "stream error");
          g_clear_error(&error);
        }
        if (type == GST_MESSAGE_ERROR || type == GST_MESSAGE_EOS) {
          GstCaptureDevice* device = watch->device;
          {
            QMutexLocker lock(&device->mutex_);
            device->ended_ = true;
          }
          device->changed_.wakeAll();
          QMetaObject::invokeMethod(
              &device->gui_,
              [device, generation = watch->generation] { device->streamEnded(generation); },
              Qt::QueuedConnection);
        }
        return GST_BUS_DROP;
      },
      new BusWatch{this, generation_},
      [](gpointer watch) { delete static_cast<BusWatch*>(watch); });
  gst_object_unref(bus);

  if (gst_element_set_state(pipeline_, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
    return false;
  }
  QMutexLocker lock(&mutex_);
  const QDeadlineTimer deadline(kFirstFrameTimeoutMs);
  while (frameNumber_ == 0 && !ended_ && changed_.wait(&mutex_, deadline)) {
  }
  return frameNumber_ > 0 && !ended_;
}

void GstCaptureDevice::stop() {
  ++generation_;
  if (pipeline_) {
    // Joins the streaming threads; no callback runs after this.
    gst_element_set_state(pipeline_, GST_STATE_NULL);
    GstBus* bus = gst_element_get_bus(pipeline_);
    gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
    gst_object_unref(bus);
    gst_object_unref(pipeline_);
    pipeline_ = nullptr;
  }
  {
    QMutexLocker lock(&mutex_);
    frame_ = QImage();
    frameNumber_ = 0;
    deliveredNumber_ = 0;
    ended_ = false;
  }
  current_ = 0;
  format_ = {};
}

void GstCaptureDevice::streamEnded(quint64 generation) {
  if (generation != generation_) return;
  stop();
  if (const std::function<void()> onLost = onLost_) onLost();
}

// A frame already there shows at once, without waiting for the next.
void GstCaptureDevice::preview(bool on) {
  QMutexLocker lock(&mutex_);
  previewing_ = on;
  if (on) queueDelivery();
}

// Frames that come while a delivery waits only replace the frame it will hand over, so a busy
// GUI thread never finds a backlog of stale frames when it gets to them.
void GstCaptureDevice::queueDelivery() {
  if (deliveryQueued_) return;
  deliveryQueued_ = true;
  QMetaObject::invokeMethod(
      &gui_, [this] { deliverFrame(); }, Qt::QueuedConnection);
}

void GstCaptureDevice::deliverFrame() {
  QImage frame;
  {
    QMutexLocker lock(&mutex_);
    deliveryQueued_ = false;
    if (previewing_ && frameNumber_ != deliveredNumber_) frame = frame_;
    deliveredNumber_ = frameNumber_;
  }
  if (!frame.isNull() && onFrame_) {
    const std::function<void(const QImage&)> onFrame = onFrame_;
    onFrame(frame);
  }
}

void GstCaptureDevice::setFrameHandler(std::function<void(const QImage& frame)> onFrame) {
  onFrame_ = std::move(onFrame);
}

void GstCaptureDevice::setLostHandler(std::function<void()> onLost) {
  onLost_ = std::move(onLost);
}

QSize GstCaptureDevice::frameSize() const {
  QMutexLocker lock(&mutex_);
  return frame_.size();
}

QImage GstCaptureDevice::latestFrame() const {
  QMutexLocker lock(&mutex_);
  return frame_;
}

GstCaptureDevice::ArrivedFrame GstCaptureDevice::latestArrival() const {
  QMutexLocker lock(&mutex_);
  return {frame_, frameArrived_};
}

void GstCaptureDevice::showFormatDialog(QWidget* owner) {
  if (!current_) return;
  const QList<CaptureFormat> offered = formats();
  QDialog dialog(owner);
  dialog.setObjectName(QString::fromUtf8(texts::kFormatTitle));
  dialog.setWindowTitle(QString::fromUtf8(texts::kFormatTitle));
  auto* list = new QListWidget(&dialog);
  list->setObjectName(QString::fromUtf8(texts::kFormatList));
  for (const CaptureFormat& format : offered) list->addItem(describe(format));
  list->setCurrentRow(static_cast<int>(offered.indexOf(format_)));
  QObject::connect(list, &QListWidget::itemActivated, &dialog, &QDialog::accept);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(list);
  layout->addWidget(okAndCancel(&dialog));

  if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0 || !current_) return;
  const CaptureFormat& chosen = offered[list->currentRow()];
  if (chosen != format_) setFormat(chosen);
}

void GstCaptureDevice::showSourceDialog(QWidget* owner) {
  if (!current_) return;
  QDialog dialog(owner);
  dialog.setObjectName(QString::fromUtf8(texts::kSourceTitle));
  dialog.setWindowTitle(QString::fromUtf8(texts::kSourceTitle));
  auto* form = new QFormLayout(&dialog);
  auto* devices = new QComboBox(&dialog);
  devices->setObjectName(QString::fromUtf8(texts::kSourceDeviceList));
  devices->addItems(driverNames());
  devices->setCurrentIndex(current_ - 1);
  form->addRow(QString::fromUtf8(texts::kSourceDevice), devices);

  // The sliders act at once on the running device, as the picture shows; Cancel puts the values
  // back. A device lost meanwhile is left alone.
  const quint64 generation = generation_;
  GstElement* balance = gst_bin_get_by_interface(GST_BIN(pipeline_), GST_TYPE_COLOR_BALANCE);
  std::vector<std::pair<GstColorBalanceChannel*, int>> initial;
  if (balance) {
    GstColorBalance* controls = GST_COLOR_BALANCE(balance);
    for (const GList* item = gst_color_balance_list_channels(controls); item; item = item->next) {
      auto* channel = static_cast<GstColorBalanceChannel*>(item->data);
      initial.emplace_back(channel, gst_color_balance_get_value(controls, channel));
      auto* slider = new QSlider(Qt::Horizontal, &dialog);
      slider->setObjectName(QString::fromUtf8(channel->label));
      slider->setRange(channel->min_value, channel->max_value);
      slider->setValue(initial.back().second);
      QObject::connect(slider, &QSlider::valueChanged, &dialog, [=, this](int value) {
        if (generation == generation_) gst_color_balance_set_value(controls, channel, value);
      });
      form->addRow(QString::fromUtf8(channel->label), slider);
    }
  }
  form->addRow(okAndCancel(&dialog));

  const bool accepted = dialog.exec() == QDialog::Accepted;
  if (!accepted && balance && generation == generation_) {
    for (const auto& [channel, value] : initial) {
      gst_color_balance_set_value(GST_COLOR_BALANCE(balance), channel, value);
    }
  }
  if (balance) gst_object_unref(balance);
  const int chosen = devices->currentIndex() + 1;
  if (accepted && chosen != current_) connect(chosen);
}

}  // namespace veltrix
