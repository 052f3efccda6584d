#pragma once
// Each command of the command line registers itself on the CLI11 app and runs when chosen.
#include <CLI/CLI.hpp>

#include <functional>
#include <string>
#include <vector>

namespace qv::cli {

// Thrown by a command to end the program with a message on stderr and a non-zero status.
struct CommandFailure {
  std::string message;  // UTF-8
  int status = 1;
};

using CommandRunner = std::function<void()>;

// Adds the document commands: new, info, resave.
void AddDocumentCommands(CLI::App& app, std::vector<std::pair<CLI::App*, CommandRunner>>& commands);

// Adds the editing commands: key, frames, set.
void AddEditCommands(CLI::App& app, std::vector<std::pair<CLI::App*, CommandRunner>>& commands);

// Adds the model commands: text, fonts, import, textures.
void AddModelCommands(CLI::App& app, std::vector<std::pair<CLI::App*, CommandRunner>>& commands);

// Adds the web export command.
void AddExportCommands(CLI::App& app, std::vector<std::pair<CLI::App*, CommandRunner>>& commands);

// Adds the render command.
void AddRenderCommands(CLI::App& app, std::vector<std::pair<CLI::App*, CommandRunner>>& commands);

// Adds the movie command.
void AddMovieCommands(CLI::App& app, std::vector<std::pair<CLI::App*, CommandRunner>>& commands);

}  // namespace qv::cli
