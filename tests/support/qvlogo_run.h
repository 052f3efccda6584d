#pragma once
// Runs the built qvlogo as a user would, for the tests of the command line, movies and sessions.
// Each argument reaches the program whole, whatever spaces, quotes or bytes it holds.
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

namespace qv::testing {

using Args = std::vector<std::string>;

struct CommandRun {
  int status = -1;     // exit status: 124 when the time ran out, -1 when qvlogo did not run or end
  std::string out;     // stdout
  std::string err;     // stderr
  std::string output;  // stdout, then stderr
};

// `text` as one word of a POSIX shell command.
inline std::string ShellWord(const std::string& text) {
  std::string word = "'";
  for (char c : text) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return word + "'";
}

// The argument lists one after another.
inline Args Join(std::initializer_list<Args> parts) {
  Args all;
  for (const Args& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// Runs qvlogo with `args`, no input, under `timeout`: a command that hangs fails its test (status
// 124) instead of stalling the suite.
inline CommandRun Qvlogo(const Args& args, int timeoutSeconds = 120) {
  CommandRun run;
  const std::string errPath =
      (std::filesystem::temp_directory_path() / "qvlogo-stderr-XXXXXX").string();
  std::vector<char> errName(errPath.begin(), errPath.end());
  errName.push_back('\0');
  const int errFile = mkstemp(errName.data());
  if (errFile < 0) {
    run.output = run.err = std::string("cannot make a file for stderr: ") + std::strerror(errno);
    return run;
  }
  close(errFile);

  std::string command = "timeout -k 5 " + std::to_string(timeoutSeconds) + " " +
                        ShellWord(std::string(QV_BIN_DIR) + "/qvlogo");
  for (const std::string& arg : args) command += " " + ShellWord(arg);
  command += " </dev/null 2>" + ShellWord(errName.data());
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.status = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream errors(errName.data(), std::ios::binary);
    std::ostringstream text;
    text << errors.rdbuf();
    run.err = text.str();
  } else {
    run.err = "cannot run " + command + ": " + std::strerror(errno);
  }
  std::remove(errName.data());
  run.output = run.out + run.err;
  return run;
}

}  // namespace qv::testing
