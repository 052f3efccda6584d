// qvlogo: the command-line front end over the same core as the desktop program.
#include <cstdio>
#include <iostream>

#include "cli/cli_command.h"
#include "platform/memory_reuse.h"

int main(int argc, char** argv) {
  qv::KeepLargeBlocksForReuse();
  CLI::App app{"Quorvel Logo command line: make, inspect and edit .qvlogo documents headless."};
  app.require_subcommand(1);
  std::vector<std::pair<CLI::App*, qv::cli::CommandRunner>> commands;
  qv::cli::AddDocumentCommands(app, commands);
  qv::cli::AddEditCommands(app, commands);
  qv::cli::AddModelCommands(app, commands);
  qv::cli::AddExportCommands(app, commands);
  qv::cli::AddRenderCommands(app, commands);
  qv::cli::AddMovieCommands(app, commands);

  CLI11_PARSE(app, argc, argv);
  try {
    for (auto& [sub, run] : commands)
      if (sub->parsed()) run();
  } catch (const qv::cli::CommandFailure& failure) {
    if (!failure.message.empty()) std::cerr << failure.message << '\n';
    return failure.status;
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
