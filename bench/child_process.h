// A program run to its end as a child process: what it printed and the CPU time it used, user
// and system, as the kernel counted it for that process alone, so a figure covers the whole
// process and nothing of the one that started it.
#pragma once

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace veltrix::bench {

struct ChildRun {
  bool succeeded = false;  // started, and exited with status 0
  double cpuSeconds = 0;
  std::string output;  // its standard output; its errors go where ours go
};

inline double secondsIn(const timeval& time) {
  return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

// arguments[0] is looked up on PATH.
inline ChildRun runChild(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  ChildRun run;
  char buffer[4096];
  for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
    run.output.append(buffer, static_cast<std::size_t>(got));
  close(pipeEnds[0]);
  if (spawned != 0) return {};
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) return {};
  run.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  run.cpuSeconds = secondsIn(usage.ru_utime) + secondsIn(usage.ru_stime);
  return run;
}

}  // namespace veltrix::bench
