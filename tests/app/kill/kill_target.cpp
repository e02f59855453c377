// The program at work for scripts/kill-test, which kills it at random moments:
// `HOME CASE setup` prepares the home and prints the seconds within which to kill,
// `HOME CASE run SEED` works until it is killed, `HOME CASE check` tells whether what the kill
// left is sound.
#include <QApplication>
#include <cstdio>

#include "kill/kill_cases.h"

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const QStringList args = application.arguments();
  using namespace veltrix::kill;
  const KillCase cases[] = {batchCase(), pictureCase(), settingsCase(), taskCase(),
                            quickShotCase()};
  for (const KillCase& c : cases) {
    if (args.size() < 4 || args[2] != QLatin1String(c.name)) continue;
    if (args[3] == QLatin1String("setup")) {
      const int result = c.setup(args[1]);
      std::printf("%g\n", c.window);
      return result;
    }
    if (args[3] == QLatin1String("run")) return c.run(args[1], args.value(4).toUInt());
    if (args[3] == QLatin1String("check")) return c.check(args[1]);
  }
  std::fprintf(stderr,
               "usage: %s HOME batch|picture|settings|task|quick-shot setup|run SEED|check\n",
               argv[0]);
  return 2;
}
