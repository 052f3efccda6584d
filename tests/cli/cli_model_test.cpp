// qvlogo import, textures, text and export, run as a user runs them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "geometry/bounds.h"
#include "scene/document_file.h"
#include "scene/scene.h"
#include "support/qvlogo_run.h"
#include "support/scratch_folder.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

using testing::CommandRun;
using testing::Qvlogo;

class CliModelTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return dir_.Path(name); }
  const testing::ScratchFolder dir_{"qvlogo model"};
};

TEST_F(CliModelTest, ImportedTexturesAreFoundNextToTheDocument) {
  for (const char* name : {"texture.mqo", "texture.png"})
    fs::copy_file(fs::path(QV_TEST_DATA_DIR) / "mqo" / name, dir_.path() / name);
  const CommandRun imported = Qvlogo({"import", Path("doc.qvlogo"), Path("texture.mqo")});
  ASSERT_EQ(imported.status, 0) << imported.output;
  EXPECT_NE(imported.output.find("imported 1 models"), std::string::npos);
  const CommandRun listed = Qvlogo({"textures", Path("doc.qvlogo")});
  EXPECT_EQ(listed.status, 0) << listed.output;
  EXPECT_NE(listed.output.find("512x512"), std::string::npos) << listed.output;

  fs::remove(dir_.path() / "texture.png");  // a missing texture is reported, its name stays
  const CommandRun missing = Qvlogo({"textures", Path("doc.qvlogo")});
  EXPECT_NE(missing.status, 0);
  EXPECT_NE(missing.output.find("texture.png\tFAILED"), std::string::npos) << missing.output;
}

TEST_F(CliModelTest, ImportFailuresNameTheFileOrTheLine) {
  const CommandRun unreadable = Qvlogo({"import", Path("doc.qvlogo"), Path("none.mqo")});
  EXPECT_NE(unreadable.status, 0);
  EXPECT_NE(unreadable.output.find("cannot read"), std::string::npos);

  std::ofstream(Path("old.mqo"), std::ios::binary) << "Metasequoia Document\r\nFormat Text Ver 1.2\r\n";
  const CommandRun refused = Qvlogo({"import", Path("doc.qvlogo"), Path("old.mqo")});
  EXPECT_NE(refused.status, 0);
  EXPECT_NE(refused.output.find("old.mqo:2:"), std::string::npos) << refused.output;
}

TEST_F(CliModelTest, TextThenExportWritesBothKinds) {
  ASSERT_EQ(Qvlogo({"text", Path("doc.qvlogo"), "--text", "Hi", "--font", "DejaVu Sans"}).status, 0);
  for (const char* kind : {"webgl", "webgpu"}) {
    const CommandRun exported = Qvlogo({"export", Path("doc.qvlogo"), std::string("--") + kind, Path("site/Hi.html")});
    ASSERT_EQ(exported.status, 0) << exported.output;
    EXPECT_TRUE(fs::exists(dir_.path() / "site" / kind / "Model_Hi.js"));
  }
  EXPECT_NE(Qvlogo({"export", Path("doc.qvlogo"), Path("site/Hi.html")}).status, 0);  // no kind
  EXPECT_NE(Qvlogo({"export", Path("doc.qvlogo"), "--webgl", Path("site/.html")}).status, 0);  // no title
}

TEST_F(CliModelTest, CharactersFromAnotherFontAreToldInEnglish) {
  const CommandRun made = Qvlogo({"text", Path("doc.qvlogo"), "--text", "A\xE3\x81\x82", "--font", "Kaushan Script"});
  ASSERT_EQ(made.status, 0) << made.output;
  EXPECT_NE(made.output.find("characters missing from \"Kaushan Script\" were taken from \""), std::string::npos)
      << made.output;
  EXPECT_EQ(made.output.find("\xE4\xBD\x9C\xE3\x82\x8A"), std::string::npos) << made.output;  // no Japanese sentence
}

// Kerning and letter spacing reach the model: each text is made into a document of its own and
// its width read back.
TEST_F(CliModelTest, KerningAndTrackingSetTheWidth) {
  auto width = [&](const std::vector<std::string>& options) {
    const std::string doc = Path("kerned.qvlogo");
    std::filesystem::remove(doc);
    std::vector<std::string> args{"text", doc, "--text", "AVA", "--font", "DejaVu Sans", "--size", "100"};
    args.insert(args.end(), options.begin(), options.end());
    const CommandRun made = Qvlogo(args);
    EXPECT_EQ(made.status, 0) << made.output;
    Scene scene;
    EXPECT_FALSE(LoadDocumentFile(doc, scene));
    if (scene.m_models.empty()) return 0.0;
    ComputeBounds(scene.m_models[0]);
    return double{scene.m_models[0].m_boundsMax.x} - double{scene.m_models[0].m_boundsMin.x};
  };
  const double kerned = width({}), on = width({"--kerning", "on"}), off = width({"--kerning", "off"});
  EXPECT_EQ(kerned, on);  // on by default
  EXPECT_LT(kerned, off - 5.0);
  EXPECT_NEAR(width({"--kerning", "off", "--tracking", "250"}) - off, 2 * 25.0, 1e-3);
  EXPECT_NEAR(width({"--kerning", "off", "--tracking", "-100"}) - off, 2 * -10.0, 1e-3);
}

// The bevel options: the bevel cuts inwards, so the model keeps the flat text's bounds and gains
// the bevel's bands; values that cannot make a bevel are refused naming the option.
TEST_F(CliModelTest, BevelOptionsCutTheEdgesAndNonsenseIsRefused) {
  const testing::Args text = {"text", Path("doc.qvlogo"), "--text", "I", "--font", "DejaVu Sans", "--thickness", "20"};
  ASSERT_EQ(Qvlogo(text).status, 0);
  testing::Args bevelled = text;
  for (const char* arg : {"--bevel-width", "2", "--bevel-depth", "3", "--bevel-segments", "4", "--bevel-shape", "round"})
    bevelled.push_back(arg);
  ASSERT_EQ(Qvlogo(bevelled).status, 0);
  testing::Args chamfered = text;
  for (const char* arg : {"--bevel-width", "2", "--bevel-depth", "10", "--bevel-shape", "chamfer"})
    chamfered.push_back(arg);
  ASSERT_EQ(Qvlogo(chamfered).status, 0);
  const std::string info = Qvlogo({"info", Path("doc.qvlogo")}).out;
  // Flat: 2 + 2 cap triangles and 4 walls. Bevelled: each band adds a ring of faces front and back.
  const auto models = [&](const std::string& key) {
    std::vector<std::string> values;
    for (size_t at = info.find(key); at != std::string::npos; at = info.find(key, at + 1))
      values.push_back(info.substr(at, info.find_first_of(",\n", at) - at));
    return values;
  };
  const std::vector<std::string> faces = models("\"faces\"");
  ASSERT_EQ(faces.size(), 3u) << info;
  EXPECT_EQ(faces[0], "\"faces\": 8");
  EXPECT_NE(faces[1], faces[0]);
  EXPECT_NE(faces[2], faces[0]);
  const size_t firstBounds = info.find("\"bounds\"");
  const std::string flatBounds = info.substr(firstBounds, info.find("}", firstBounds) - firstBounds);
  for (size_t at = info.find("\"bounds\"", firstBounds + 1); at != std::string::npos; at = info.find("\"bounds\"", at + 1))
    EXPECT_EQ(info.substr(at, info.find("}", at) - at), flatBounds);

  const std::string before = Qvlogo({"info", Path("doc.qvlogo")}).out;
  const struct {
    std::vector<std::string> options;
    const char* named;
  } refusals[] = {
      {{"--bevel-width", "-1"}, "--bevel-width must be a number from 0"},
      {{"--bevel-width", "nan"}, "--bevel-width"},
      {{"--bevel-depth", "-0.5"}, "--bevel-depth must be a number from 0 to half the thickness (10)"},
      {{"--bevel-depth", "10.5"}, "--bevel-depth must be a number from 0 to half the thickness (10)"},
      {{"--bevel-segments", "0"}, "--bevel-segments must be a whole number from 1 to 32"},
      {{"--bevel-segments", "33"}, "--bevel-segments must be a whole number from 1 to 32"},
      {{"--bevel-shape", "square"}, "--bevel-shape must be round or chamfer"},
  };
  for (const auto& r : refusals) {
    testing::Args args = text;
    args.insert(args.end(), r.options.begin(), r.options.end());
    const CommandRun run = Qvlogo(args);
    EXPECT_EQ(run.status, 1) << r.named;
    EXPECT_NE(run.err.find(r.named), std::string::npos) << run.err;
  }
  EXPECT_EQ(Qvlogo({"info", Path("doc.qvlogo")}).out, before);

  const std::string help = Qvlogo({"text", "--help"}).out;
  for (const char* option : {"--bevel-width", "--bevel-depth", "--bevel-segments", "--bevel-shape"})
    EXPECT_NE(help.find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace qv
