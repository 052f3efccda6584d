#pragma once
// Runs the built qvlogo as a user would, for the command-line and movie tests.
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace qv::testing {

struct CommandRun {
  int status = -1;
  std::string output;  // stdout and stderr
};

inline CommandRun Qvlogo(const std::string& args) {
  CommandRun run;
  FILE* pipe = popen((std::string(QV_BIN_DIR) + "/qvlogo " + args + " 2>&1").c_str(), "r");
  if (!pipe) return run;
  char buffer[512];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) run.output.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace qv::testing
