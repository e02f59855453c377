#include "sheets/workbook_reader.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include "sheets/sheet_reader_location.h"
#include "sheets/sheet_stream_format.h"
#include "sheets/sheet_stream_parser.h"

namespace veltrix {

namespace {

constexpr rlim_t kMemoryLimit = rlim_t(1) << 30;
constexpr int kTimeLimitMs = 10'000;

// Runs in the child between fork and exec, so only async-signal-safe calls.
void limitHelper() {
  // AddressSanitizer reserves terabytes of address space for its shadow at start-up, so a
  // sanitized helper runs without the cap; the reader's own limits still hold.
#ifndef VELTRIX_SANITIZED
  const rlimit memory{kMemoryLimit, kMemoryLimit};
  setrlimit(RLIMIT_AS, &memory);
#endif
  const rlimit noCore{0, 0};
  setrlimit(RLIMIT_CORE, &noCore);
  // A helper outliving the program would go on reading for nobody.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
}

WorkbookResult resultOfExit(int code, SheetStreamParser& parser) {
  switch (code) {
    case sheetstream::kExitRead:
      if (parser.state() == SheetStreamParser::State::Whole) return parser.takeBook();
      return WorkbookFailure::Crashed;
    case sheetstream::kExitNotWorkbook:
      return WorkbookFailure::NotWorkbook;
    case sheetstream::kExitDamaged:
      return WorkbookFailure::Damaged;
    case sheetstream::kExitEncrypted:
      return WorkbookFailure::Encrypted;
    case sheetstream::kExitTooOld:
      return WorkbookFailure::TooOld;
    case sheetstream::kExitTooLarge:
      return WorkbookFailure::TooLarge;
    default:
      return WorkbookFailure::Crashed;
  }
}

}  // namespace

struct WorkbookReader::Run {
  QProcess* process = nullptr;  // deleted by stop() or after the result, never in its own signal
  SheetStreamParser parser;
};

WorkbookReader::WorkbookReader(QObject* parent) : QObject(parent) {}

WorkbookReader::~WorkbookReader() {
  stop(Release::Now);
}

bool WorkbookReader::busy() const {
  return run_ != nullptr;
}

void WorkbookReader::cancel() {
  stop(Release::Now);
}

void WorkbookReader::start(const QString& path) {
  stop(Release::Now);
  run_ = std::make_unique<Run>();
  const quint64 run = ++generation_;
  const auto current = [this, run] { return run_ && generation_ == run; };

  const QString helper = sheetReaderPath();
  if (!QFileInfo(helper).isExecutable()) {
    // Reported from the event loop, as every other result is, never from inside start().
    QTimer::singleShot(0, this, [this, current] {
      if (current()) complete(WorkbookFailure::NoHelper);
    });
    return;
  }
  auto* process = new QProcess;
  run_->process = process;
  process->setProgram(helper);
  process->setArguments({path});
  process->setStandardInputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  process->setChildProcessModifier(limitHelper);
  connect(process, &QProcess::readyReadStandardOutput, this, [this, current] {
    if (current()) takeOutput();
  });
  connect(process, &QProcess::finished, this,
          [this, current](int code, QProcess::ExitStatus status) {
            if (!current()) return;
            takeOutput();
            if (!current()) return;
            complete(status == QProcess::NormalExit ? resultOfExit(code, run_->parser)
                                                    : WorkbookResult(WorkbookFailure::Crashed));
          });
  connect(process, &QProcess::errorOccurred, this, [this, current](QProcess::ProcessError error) {
    if (current() && error == QProcess::FailedToStart) complete(WorkbookFailure::NoHelper);
  });
  // A helper still at work after this long is stuck in, or buried under, what it reads.
  QTimer::singleShot(kTimeLimitMs, Qt::PreciseTimer, this, [this, current] {
    if (current()) complete(WorkbookFailure::TooLarge);
  });
  process->start();
}

void WorkbookReader::takeOutput() {
  switch (run_->parser.feed(run_->process->readAllStandardOutput())) {
    case SheetStreamParser::State::Broken:
      complete(WorkbookFailure::Crashed);
      break;
    case SheetStreamParser::State::TooLarge:
      complete(WorkbookFailure::TooLarge);
      break;
    default:
      break;
  }
}

void WorkbookReader::complete(WorkbookResult result) {
  stop(Release::Later);
  emit finished(result);
}

void WorkbookReader::stop(Release release) {
  ++generation_;
  const std::unique_ptr<Run> run = std::move(run_);
  if (!run || !run->process) return;
  run->process->disconnect(this);
  run->process->kill();
  if (release == Release::Now) {
    delete run->process;  // waits for the killed helper, which takes no time
  } else {
    run->process->deleteLater();
  }
}

WorkbookResult readWorkbook(const QString& path) {
  WorkbookReader reader;
  WorkbookResult result = WorkbookFailure::Crashed;
  QEventLoop loop;
  QObject::connect(&reader, &WorkbookReader::finished, &loop, [&](const WorkbookResult& outcome) {
    result = outcome;
    loop.quit();
  });
  reader.start(path);
  loop.exec();
  // The finished helper's QProcess was handed to deleteLater inside the loop just left.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return result;
}

}  // namespace veltrix
