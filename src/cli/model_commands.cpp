// text, fonts, import, textures: adding models to a document and checking its textures.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <limits>
#include <memory>

#include "cli/cli_command.h"
#include "cli/document_io.h"
#include "document/dialog_fields.h"
#include "geometry/import_mqo.h"
#include "geometry/text_model.h"
#include "geometry/texture_loader.h"
#include "platform/font_catalog.h"
#include "platform/text_codec.h"
#include "document/motion_doc.h"

namespace qv::cli {

namespace {

bool IsValidUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    size_t length = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (length == 0 || i + length > text.size() || (length == 2 && c < 0xC2)) return false;
    for (size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}

// The command line refuses what the dialog would clamp: a size of 0 is a typing mistake here.
void CheckTextParameters(const TextParameters& p, bool fontGiven) {
  if (!IsValidUtf8(p.text)) throw CommandFailure{"--text is not valid UTF-8"};
  if (CodePoints(p.text).size() > kMaxTextCharacters)
    throw CommandFailure{"--text has more than " + std::to_string(kMaxTextCharacters) + " characters"};
  if (!(p.fontSize >= 1.0f && p.fontSize <= kMaxTextExtent))
    throw CommandFailure{"--size must be a number from 1 to 100000"};
  if (!(p.thickness >= 1.0f && p.thickness <= kMaxTextExtent))
    throw CommandFailure{"--thickness must be a number from 1 to 100000"};
  if (p.subdivisions < 1 || p.subdivisions > kMaxSubdivisions)
    throw CommandFailure{"--subdivisions must be a whole number from 1 to " + std::to_string(kMaxSubdivisions)};
  if (p.weight < 1 || p.weight > 1000) throw CommandFailure{"--weight must be a whole number from 1 to 1000"};
  if (p.tracking < kMinTextTracking || p.tracking > kMaxTextTracking)
    throw CommandFailure{"--tracking must be a whole number from " + std::to_string(kMinTextTracking) + " to " +
                         std::to_string(kMaxTextTracking) + " (thousandths of the size)"};
  if (!(p.bevel.width >= 0.0f && p.bevel.width <= kMaxTextExtent))
    throw CommandFailure{"--bevel-width must be a number from 0 to 100000"};
  if (!(p.bevel.depth >= 0.0f && p.bevel.depth <= p.thickness / 2.0f))
    throw CommandFailure{"--bevel-depth must be a number from 0 to half the thickness (" +
                         FormatNumberField(p.thickness / 2.0f) + ")"};
  if (p.bevel.segments < 1 || p.bevel.segments > kMaxBevelSegments)
    throw CommandFailure{"--bevel-segments must be a whole number from 1 to " + std::to_string(kMaxBevelSegments)};
  if (fontGiven && !IsFamilyInstalled(p.fontName))
    throw CommandFailure{"--font: no installed outline font named " + p.fontName + " (qvlogo fonts lists them)"};
}

void RunText(const std::string& docPath, const TextParameters& parameters, bool fontGiven) {
  CheckTextParameters(parameters, fontGiven);
  EditSession session(docPath, /*createIfMissing=*/true);
  CMotionDoc& doc = session.doc();
  const int messagesBefore = session.ui().messagesShown;
  if (!doc.CreateText(parameters)) {
    if (session.ui().messagesShown > messagesBefore) throw CommandFailure{"", 1};  // the limit was named
    throw CommandFailure{"no text model was made"};
  }
  // Only blanks, or characters the font has no outline for: nothing to see, nothing is saved.
  if (doc.scene().m_models.back().m_faces.empty())
    throw CommandFailure{"--text has no character with an outline in the font; nothing was added"};
  doc.SetModifiedFlag();
  session.Save();
}

void RunImport(const std::string& docPath, const std::string& mqoPath) {
  RefuseOutputOverInput(docPath, mqoPath);
  EditSession session(docPath, /*createIfMissing=*/true);
  CMotionDoc& doc = session.doc();
  MqoImportOptions options;
  options.showMessage = [&](const std::string& text) { session.ui().ShowMessage(text); };
  const MqoImportResult result = ImportMQO(doc.scene(), mqoPath, options);
  if (!result.opened) {
    const std::string reason = result.openError == EINVAL ? "not a regular file" : std::strerror(result.openError);
    throw CommandFailure{"cannot read " + mqoPath + ": " + reason};
  }
  // The scene's limits were told already, naming the document.
  if (result.code == kMqoTooManyPoses || result.code == kMqoTooManyMaterials) throw CommandFailure{"", 1};
  const std::string where = mqoPath + ":" + std::to_string(result.line) + ": " + MqoResultText(result.code);
  // Nothing usable read: the document is not written (nor created).
  if (!result.ok() && result.modelsAdded == 0) throw CommandFailure{where + "; nothing was imported"};
  doc.SetModifiedFlag();
  session.Save();
  ReportUnloadedTextures(doc.scene(), std::filesystem::path(mqoPath).parent_path().string(),
                         doc.scene().m_materials.size() - static_cast<size_t>(result.materialsAdded), mqoPath);
  // The models read before a parse error are kept, as in the program: the import succeeded in part.
  if (!result.ok()) std::cerr << where << "; the rest of the file was skipped\n";
  std::cout << "imported " << result.modelsAdded << " models, " << result.materialsAdded << " materials from "
            << mqoPath << '\n';
}

void RunTextures(const std::string& docPath) {
  EditSession session(docPath);
  Scene& scene = session.doc().scene();
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
    LoadTexture(probe, lookup, {}, &report);  // each probe's image is freed before the next
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
  // Read as the dialogs read numbers (CLI11 would take nan, inf and 1e39 as floats); what does not
  // read is refused with the option's range.
  auto sizes = std::make_shared<std::pair<std::string, std::string>>(FormatNumberField(text->fontSize),
                                                                      FormatNumberField(text->thickness));
  textCmd->add_option("--size", sizes->first, "character cell height")->capture_default_str();
  textCmd->add_option("--thickness", sizes->second, "depth")->capture_default_str();
  textCmd->add_option("--subdivisions", text->subdivisions, "steps per curve")->capture_default_str();
  textCmd->add_option("--weight", text->weight, "1 to 1000 (400 normal, 700 bold)")->capture_default_str();
  auto kerning = std::make_shared<std::string>(text->kerning ? "on" : "off");
  textCmd->add_option("--kerning", *kerning, "the font's kerning: on or off")->capture_default_str();
  textCmd->add_option("--tracking", text->tracking, "letter spacing in thousandths of the size (negative tightens)")
      ->capture_default_str();
  // Width 0 leaves the edges sharp.
  struct BevelTexts {
    std::string width, depth, shape = "round";
  };
  auto bevel = std::make_shared<BevelTexts>(
      BevelTexts{FormatNumberField(text->bevel.width), FormatNumberField(text->bevel.depth),
                 text->bevel.shape == BevelShape::kChamfer ? "chamfer" : "round"});
  textCmd->add_option("--bevel-width", bevel->width, "how far the bevel cuts into the glyph (0: none)")
      ->capture_default_str();
  textCmd->add_option("--bevel-depth", bevel->depth, "how far the bevel runs along the thickness, front and back")
      ->capture_default_str();
  textCmd->add_option("--bevel-segments", text->bevel.segments, "1 to 32 steps of the bevel's profile")
      ->capture_default_str();
  textCmd->add_option("--bevel-shape", bevel->shape, "round (a quarter circle) or chamfer (straight)")
      ->capture_default_str();
  CLI::Option* fontOption = textCmd->get_option("--font");
  commands.emplace_back(textCmd, [textDoc, text, sizes, kerning, bevel, fontOption] {
    text->fontSize = ReadNumberField(sizes->first).value_or(std::numeric_limits<float>::quiet_NaN());
    text->thickness = ReadNumberField(sizes->second).value_or(std::numeric_limits<float>::quiet_NaN());
    if (*kerning != "on" && *kerning != "off") throw CommandFailure{"--kerning must be on or off"};
    text->kerning = *kerning == "on";
    text->bevel.width = ReadNumberField(bevel->width).value_or(std::numeric_limits<float>::quiet_NaN());
    text->bevel.depth = ReadNumberField(bevel->depth).value_or(std::numeric_limits<float>::quiet_NaN());
    if (bevel->shape == "round")
      text->bevel.shape = BevelShape::kRound;
    else if (bevel->shape == "chamfer")
      text->bevel.shape = BevelShape::kChamfer;
    else
      throw CommandFailure{"--bevel-shape must be round or chamfer"};
    RunText(*textDoc, *text, fontOption->count() > 0);
  });

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
