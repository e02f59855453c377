// The workbook reader as the program runs it (readWorkbook starts the helper and reads its
// stream), beside openpyxl and xlrd each reading every cell in a Python process of its own, on
// class lists of 10,000 rows that the benchmark makes, and the naming window's import of such a
// list from its button to the grid filled; then the zip bomb's failure: how soon it comes and how
// much memory the helper took; and the helper's time and peak memory on small files that cost a
// careless reader dearly. Prints one "name: value" line a figure.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QApplication>
#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <variant>
#include <vector>

#include "paired_runs.h"
#include "platform/prompter.h"
#include "sheets/excel_naming_window.h"
#include "sheets/sheet_reader_location.h"
#include "sheets/workbook_reader.h"

extern char** environ;

namespace {

using namespace veltrix;

constexpr int kPairs = 15;
constexpr int kBombRuns = 9;
constexpr int kImportRuns = 9;
constexpr int kCostlyRuns = 5;
const QString kPython = QStringLiteral("/usr/bin/python3");

// Rows as a school sends them: a number, a name, a class, and two more text columns.
const char* const kMakeWorkbooks = R"(
import sys, openpyxl, xlwt
xlsx, xls = sys.argv[1], sys.argv[2]
rows = [[20230000 + i, "学生%d号" % i, "%d班" % (i % 12 + 1), "男" if i % 2 else "女",
         "备注 %d" % (i * 7)] for i in range(10000)]
book = openpyxl.Workbook(write_only=True)
sheet = book.create_sheet("名单")
for row in rows:
    sheet.append(row)
book.save(xlsx)
book = xlwt.Workbook(encoding="utf-8")
sheet = book.add_sheet("名单")
for r, row in enumerate(rows):
    for c, value in enumerate(row):
        sheet.write(r, c, value)
book.save(xls)
)";

const char* const kOpenpyxlReads = R"(
import sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1], read_only=True)
print(sum(v is not None for s in book.worksheets for row in s.iter_rows(values_only=True)
          for v in row))
)";

const char* const kXlrdReads = R"(
import sys, xlrd
book = xlrd.open_workbook(sys.argv[1])
print(sum(s.cell_type(r, c) != xlrd.XL_CELL_EMPTY for s in book.sheets()
          for r in range(s.nrows) for c in range(s.ncols)))
)";

QByteArray runPython(const char* script, const QStringList& arguments) {
  QProcess process;
  process.start(kPython, QStringList{QStringLiteral("-c"), QString::fromUtf8(script)} + arguments);
  process.waitForFinished(-1);
  return process.readAllStandardOutput().trimmed();
}

long long textCells(const QString& path) {
  const WorkbookResult result = readWorkbook(path);
  if (!std::holds_alternative<SpreadsheetBook>(result)) return -1;
  long long count = 0;
  for (const SpreadsheetSheet& sheet : std::get<SpreadsheetBook>(result).sheets) {
    count += sheet.cells.size();
  }
  return count;
}

double versusPeer(const char* name, const QString& path, const char* peerScript) {
  const long long ours = textCells(path);
  const QByteArray theirs = runPython(peerScript, {path});
  if (QByteArray::number(ours) != theirs) {
    std::fprintf(stderr, "%s: we read %lld cells, the peer %s\n", name, ours, theirs.constData());
  }
  const bench::PairedTimes times = bench::alternate(
      kPairs, [&] { textCells(path); }, [&] { runPython(peerScript, {path}); });
  std::fprintf(stderr, "%s median ms: ours %.1f, peer %.1f\n", name, times.oursSeconds * 1e3,
               times.peerSeconds * 1e3);
  return times.ratio;
}

// The open dialog answered at once with the roster; everything else is never asked.
class RosterPrompter final : public Prompter {
 public:
  explicit RosterPrompter(QString roster) : roster_(std::move(roster)) {}
  PromptAnswer message(QWidget*, const QString&, const QString&, PromptIcon,
                       PromptButtons) override {
    return PromptAnswer::Ok;
  }
  QString openFile(QWidget*, const FileDialogRequest&) override { return roster_; }
  QString saveFile(QWidget*, const FileDialogRequest&) override { return {}; }
  QString browseFolder(QWidget*, const QString&) override { return {}; }
  std::optional<QFont> chooseFont(QWidget*, const QFont&) override { return std::nullopt; }
  std::optional<QColor> chooseColour(QWidget*, const QColor&) override { return std::nullopt; }

 private:
  QString roster_;
};

// From the import button to the grid filled and its columns measured, in the naming window.
double importToGridMs(const QString& roster) {
  RosterPrompter prompter(roster);
  std::vector<double> runs;
  for (int i = 0; i < kImportRuns; ++i) {
    SpreadsheetNaming naming;
    ExcelNamingWindow window(naming, prompter, NamingMode::Crop, [] { return NamingMode::Crop; });
    window.show();
    QElapsedTimer clock;
    clock.start();
    window.findChild<QPushButton*>(QStringLiteral("导入EXCEL按钮"))->click();
    if (!QTest::qWaitFor([&naming] { return naming.bookLoaded; }, 15000)) return -1;
    runs.push_back(double(clock.nsecsElapsed()) / 1e6);
  }
  return bench::median(runs);
}

struct HelperRun {
  bool read = false;  // exited 0: the workbook was read whole
  double ms = 0;
  double peakMb = 0;
};

// The helper run on its own, its stream thrown away, without the program's caps: what the
// workbook really costs it. GNU time starts it and reports its peak: the rusage of a child this
// process spawned itself would count this process's own pages, shared until the exec.
HelperRun runHelper(const QString& workbook, const QString& peakFile) {
  const std::string time = "/usr/bin/time";
  const std::string format = "--format=%M";
  const std::string output = "--output=" + peakFile.toStdString();
  const std::string helper = sheetReaderPath().toStdString();
  const std::string path = workbook.toStdString();
  std::vector<char*> argv;
  for (const std::string* argument : {&time, &format, &output, &helper, &path}) {
    argv.push_back(const_cast<char*>(argument->c_str()));
  }
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  HelperRun run;
  int status = 0;
  if (spawned != 0 || waitpid(child, &status, 0) != child) return run;
  run.ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  run.read = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  QFile peak(peakFile);
  if (peak.open(QIODevice::ReadOnly)) run.peakMb = peak.readAll().trimmed().toDouble() / 1024;
  return run;
}

// The median time and the largest peak over the runs.
void printHelperCost(const char* name, const char* fixture) {
  const QString workbook = QStringLiteral(VELTRIX_SHEET_DATA "/") + QString::fromUtf8(fixture);
  QTemporaryDir folder;
  const QString peakFile = folder.filePath(QStringLiteral("peak"));
  std::vector<double> ms;
  double peakMb = 0;
  for (int i = 0; i < kCostlyRuns; ++i) {
    const HelperRun run = runHelper(workbook, peakFile);
    if (!run.read) std::fprintf(stderr, "%s: the helper did not read %s\n", name, fixture);
    ms.push_back(run.ms);
    peakMb = std::max(peakMb, run.peakMb);
  }
  std::printf("%s_ms: %.1f\n", name, bench::median(ms));
  std::printf("%s_peak_rss_mb: %.1f\n", name, peakMb);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);

  // First, while the helper is the only child this process has had: the peak resident memory
  // of the largest child reaped so far is the helper's on the bomb.
  const QString bomb = QStringLiteral(VELTRIX_SHEET_DATA "/bomb.xlsx");
  std::vector<double> bombMs;
  for (int i = 0; i < kBombRuns; ++i) {
    QElapsedTimer clock;
    clock.start();
    const WorkbookResult result = readWorkbook(bomb);
    bombMs.push_back(double(clock.nsecsElapsed()) / 1e6);
    const auto* failure = std::get_if<WorkbookFailure>(&result);
    if (!failure || *failure != WorkbookFailure::TooLarge) {
      std::fprintf(stderr, "the bomb was not refused as too large\n");
      return 1;
    }
  }
  rusage children{};
  getrusage(RUSAGE_CHILDREN, &children);

  QTemporaryDir dir;
  const QString xlsx = dir.filePath(QStringLiteral("roster-10k.xlsx"));
  const QString xls = dir.filePath(QStringLiteral("roster-10k.xls"));
  runPython(kMakeWorkbooks, {xlsx, xls});

  std::printf("xlsx_10k_rows_vs_openpyxl: %.3f\n",
              versusPeer("xlsx_10k_rows", xlsx, kOpenpyxlReads));
  std::printf("xls_10k_rows_vs_xlrd: %.3f\n", versusPeer("xls_10k_rows", xls, kXlrdReads));
  std::printf("import_to_grid_10k_ms: %.1f\n", importToGridMs(xlsx));
  std::printf("bomb_error_ms: %.1f\n", bench::median(bombMs));
  std::printf("bomb_peak_rss_mb: %.1f\n", double(children.ru_maxrss) / 1024);
  // 140 KB whose sheet part inflates to 58 MB of numbers; 100,000 cells that share one string of
  // 30,000 characters.
  printHelperCost("xlsx_many_numbers", "many-numbers.xlsx");
  printHelperCost("xlsx_one_long_shared_string", "one-long-shared-string.xlsx");
  // Four sheets with one cell each, at the far corner of BIFF8's 65,536 rows and 256 columns.
  printHelperCost("xls_far_cells", "far-cells.xls");
  return 0;
}
