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
    CZiduderizo scene;
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

}  // namespace
}  // namespace qv
