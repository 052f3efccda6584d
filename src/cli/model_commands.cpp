// text, fonts, import, textures: adding models to a document and checking its textures.
#include <iostream>
#include <memory>

#include "cli/cli_command.h"
#include "cli/document_io.h"
#include "geometry/import_mqo.h"
#include "geometry/text_model.h"
#include "geometry/texture_loader.h"
#include "platform/font_catalog.h"
#include "platform/text_codec.h"
#include "document/motion_doc.h"

namespace qv::cli {

namespace {

void RunText(const std::string& docPath, const TextParameters& parameters) {
  EditSession session(docPath, /*createIfMissing=*/true);
  CMotionDoc& doc = session.doc();
  if (!doc.CreateText(parameters)) throw CommandFailure{"no text model was made"};
  session.Save();
}

void RunImport(const std::string& docPath, const std::string& mqoPath) {
  EditSession session(docPath, /*createIfMissing=*/true);
  CMotionDoc& doc = session.doc();
  MqoImportOptions options;
  options.showMessage = [&](const std::string& text) { session.ui().ShowMessage(text); };
  const MqoImportResult result = ImportMQO(doc.scene(), mqoPath, options);
  if (!result.opened) throw CommandFailure{"cannot read " + mqoPath};
  // Models read before a parse error are kept, as in the program.
  doc.SetModifiedFlag();
  session.Save();
  std::cout << "imported " << result.modelsAdded << " models, " << result.materialsAdded << " materials from "
            << mqoPath << '\n';
  if (!result.ok())
    throw CommandFailure{mqoPath + ":" + std::to_string(result.line) + ": " + MqoResultText(result.code) +
                         " (the models read before this line were kept)"};
}

void RunTextures(const std::string& docPath) {
  EditSession session(docPath);
  CZiduderizo& scene = session.doc().scene();
  const TextureLookup lookup = MakeTextureLookup(session.doc().m_documentFolder);
  int failures = 0;
  for (size_t i = 0; i < scene.m_materials.size(); ++i) {
    CMaterial probe = scene.m_materials[i];
    const std::string name = Cp932ToUtf8(probe.m_texture);
    std::cout << i << "\t" << Cp932ToUtf8(probe.m_name) << "\t";
    if (name.empty()) {
      std::cout << "(no texture)\n";
      continue;
    }
    TextureLoadReport report;
    LoadTexture(probe, lookup, {}, &report);
    if (report.loaded) {
      std::cout << name << "\tfound " << report.foundPath << "\t" << report.width << "x" << report.height << "\t"
                << report.channels << " channels\n";
    } else {
      ++failures;
      std::cout << name << "\tFAILED: " << report.failure << '\n';
    }
  }
  if (failures > 0) throw CommandFailure{std::to_string(failures) + " texture(s) could not be loaded"};
}

}  // namespace

void AddModelCommands(CLI::App& app, std::vector<std::pair<CLI::App*, CommandRunner>>& commands) {
  auto textDoc = std::make_shared<std::string>();
  auto text = std::make_shared<TextParameters>();
  CLI::App* textCmd = app.add_subcommand("text", "Add a 3D text model (creates DOC if missing)");
  textCmd->add_option("DOC", *textDoc, "document to edit")->required();
  // At most one value: "--text=" is an empty text, not a request for the next argument.
  textCmd->add_option("--text", text->text, "the text")->required()->expected(0, 1);
  textCmd->add_option("--font", text->fontName, "font family")->capture_default_str();
  textCmd->add_option("--size", text->fontSize, "character cell height")->capture_default_str();
  textCmd->add_option("--thickness", text->thickness, "depth")->capture_default_str();
  textCmd->add_option("--subdivisions", text->subdivisions, "steps per curve")->capture_default_str();
  textCmd->add_option("--weight", text->weight, "1 to 1000 (400 normal, 700 bold)")->capture_default_str();
  commands.emplace_back(textCmd, [textDoc, text] { RunText(*textDoc, *text); });

  CLI::App* fontsCmd = app.add_subcommand("fonts", "List the installed outline fonts");
  commands.emplace_back(fontsCmd, [] {
    for (const std::string& family : ListOutlineFontFamilies()) std::cout << family << '\n';
  });

  auto importDoc = std::make_shared<std::string>();
  auto importFile = std::make_shared<std::string>();
  CLI::App* importCmd = app.add_subcommand("import", "Import a Metasequoia .mqo file (creates DOC if missing)");
  importCmd->add_option("DOC", *importDoc, "document to edit")->required();
  importCmd->add_option("FILE", *importFile, ".mqo file")->required();
  commands.emplace_back(importCmd, [importDoc, importFile] { RunImport(*importDoc, *importFile); });

  auto texturesDoc = std::make_shared<std::string>();
  CLI::App* texturesCmd = app.add_subcommand("textures", "List each material's texture and where it was found");
  texturesCmd->add_option("DOC", *texturesDoc, "document to read")->required();
  commands.emplace_back(texturesCmd, [texturesDoc] { RunTextures(*texturesDoc); });
}

}  // namespace qv::cli
