// qvlogo given careless and hostile input: a failed command leaves the document as it was, and
// nothing hangs on files that never end.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "scene/document_file.h"
#include "support/animated_scene.h"
#include "support/file_bytes.h"
#include "support/qvlogo_run.h"
#include "support/scratch_folder.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

using testing::Args;
using Outcome = testing::CommandRun;

class CliCarelessInputTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return dir_.Path(name); }

  // A two-model document; with `texture`, its material names that image file.
  void WriteDocument(const std::string& texture = {}) {
    Scene scene;
    testing::MakeAnimatedScene(scene, {"Logo", "Other"}, 20);
    CMaterial material;
    material.m_texture = texture;
    scene.m_materials.push_back(material);
    ASSERT_FALSE(StoreDocumentFile(doc_, scene));
  }

  // A hang fails the test at once instead of stalling it.
  static Outcome Qvlogo(const Args& args) { return testing::Qvlogo(args, 20); }

  const testing::ScratchFolder dir_{"qvlogo careless"};
  const std::string doc_ = Path("doc.qvlogo");
};

TEST_F(CliCarelessInputTest, AFailedImportLeavesTheDocumentByteIdenticalAndCreatesNothing) {
  std::ofstream(Path("old.mqo"), std::ios::binary) << "Metasequoia Document\r\nFormat Text Ver 1.2\r\n";
  std::ofstream(Path("broken.mqo"), std::ios::binary)
      << "Metasequoia Document\r\nFormat Text Ver 1.0\r\nMaterial 1 {\r\n\"m\" col(1 1 1 1)\r\n}\r\nObject \"a\" {\r\n"
         "vertex 3 {\r\n0 0 0\r\n";  // ends inside the first object: no model
  const struct {
    const char* name;
    std::string file;
  } cases[] = {
      {"not Metasequoia", "/etc/passwd"},
      {"unsupported version", Path("old.mqo")},
      {"no model before the error", Path("broken.mqo")},
      {"missing file", Path("none.mqo")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteDocument();
    const std::string before = testing::FileBytes(doc_);
    const Outcome run = Qvlogo({"import", doc_, c.file});
    EXPECT_NE(run.status, 0);
    EXPECT_EQ(testing::FileBytes(doc_), before);
    EXPECT_EQ(run.out, "");  // no success line
    EXPECT_NE(run.err.find(c.file), std::string::npos) << run.err;

    const Outcome created = Qvlogo({"import", Path("new.qvlogo"), c.file});
    EXPECT_NE(created.status, 0);
    EXPECT_FALSE(fs::exists(Path("new.qvlogo")));
  }
}

TEST_F(CliCarelessInputTest, APartlyReadImportKeepsWhatWasReadAndSaysWhatWasSkipped) {
  WriteDocument();
  std::ofstream(Path("half.mqo"), std::ios::binary)
      << "Metasequoia Document\nFormat Text Ver 1.0\nObject \"a\" {\nvertex 3 {\n0 0 0\n1 0 0\n0 1 0\n}\n"
         "face 1 {\n3 V(0 1 2)\n}\n}\nObject \"b\" {\nface 1 {\nnonsense\n}\n}\n";
  const Outcome run = Qvlogo({"import", doc_, Path("half.mqo")});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("half.mqo:15: syntax error"), std::string::npos) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  Scene scene;
  ASSERT_FALSE(LoadDocumentFile(doc_, scene));
  EXPECT_EQ(scene.m_models.size(), 3u);
}

TEST_F(CliCarelessInputTest, FrameEditsSucceedOnADocumentWhoseTextureIsMissing) {
  WriteDocument("missing.png");
  const struct {
    Args args;
    size_t poses;
  } cases[] = {
      {{"--last", "30"}, 31},
      {{"--insert-after", "5", "--count", "4"}, 35},
      {{"--delete", "1", "2"}, 33},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0]);
    const Outcome run = Qvlogo(testing::Join({{"frames", doc_}, c.args}));
    EXPECT_EQ(run.status, 0) << run.err;
    Scene scene;
    ASSERT_FALSE(LoadDocumentFile(doc_, scene));
    EXPECT_EQ(scene.m_models[0].m_tracks[0].size(), c.poses);
  }
  // The edit's own refusal still fails.
  EXPECT_NE(Qvlogo({"frames", doc_, "--delete", "50", "60"}).status, 0);
}

TEST_F(CliCarelessInputTest, FilesThatAreNoRegularFilesAreRefusedAtOnce) {
  WriteDocument();
  ASSERT_EQ(mkfifo(Path("fifo.mqo").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo(Path("fifo.qvlogo").c_str(), 0600), 0);
  fs::create_directories(Path("folder.mqo"));
  const std::string before = testing::FileBytes(doc_);
  for (const std::string& file : {Path("fifo.mqo"), std::string("/dev/zero"), Path("folder.mqo")}) {
    SCOPED_TRACE(file);
    const Outcome run = Qvlogo({"import", doc_, file});
    EXPECT_EQ(run.status, 1) << run.err;  // not 124: the timeout did not have to end it
    EXPECT_NE(run.err.find(file), std::string::npos) << run.err;
    EXPECT_EQ(testing::FileBytes(doc_), before);
  }
  const Outcome info = Qvlogo({"info", Path("fifo.qvlogo")});
  EXPECT_EQ(info.status, 1);
  EXPECT_NE(info.err.find("fifo.qvlogo"), std::string::npos) << info.err;
}

TEST_F(CliCarelessInputTest, AnEndlessLineEndsTheImportWithAnError) {
  WriteDocument();
  {
    std::ofstream out(Path("long.mqo"), std::ios::binary);
    out << "Metasequoia Document\nFormat Text Ver 1.0\nScene {\n";
    out << std::string(3 << 20, 'x');
  }
  const Outcome run = Qvlogo({"import", doc_, Path("long.mqo")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("line too long"), std::string::npos) << run.err;
}

TEST_F(CliCarelessInputTest, NonsenseIsRefusedNamingTheOptionAndChangesNothing) {
  WriteDocument();
  const std::string before = testing::FileBytes(doc_);
  const std::string font = "DejaVu Sans";
  const struct {
    Args args;
    const char* named;
  } cases[] = {
      {{"set", doc_, "--canvas", "0x0"}, "--canvas"},
      {{"set", doc_, "--canvas", "-5x-5"}, "--canvas"},
      {{"set", doc_, "--canvas", "3000000000x1"}, "--canvas"},
      {{"set", doc_, "--canvas", "800x600abc"}, "--canvas"},
      {{"set", doc_, "--canvas", "+800x600"}, "--canvas"},
      {{"set", doc_, "--fps", "1e-45"}, "--fps"},
      {{"set", doc_, "--fps", "100000"}, "--fps"},
      {{"set", doc_, "--fov", "-1"}, "--fov"},
      {{"set", doc_, "--fov", "200"}, "--fov"},
      {{"set", doc_, "--fps", "30", "--canvas", "0x0"}, "--canvas"},  // nothing of it is applied
      {{"text", doc_, "--font", font, "--text", "A", "--size", "0"}, "--size"},
      {{"text", doc_, "--font", font, "--text", "A", "--size", "-5"}, "--size"},
      {{"text", doc_, "--font", font, "--text", "A", "--size", "nan"}, "--size"},
      {{"text", doc_, "--font", font, "--text", "A", "--thickness", "0"}, "--thickness"},
      {{"text", doc_, "--font", font, "--text", "A\377"}, "--text"},
      {{"text", doc_, "--font", font, "--text", "   "}, "--text"},
      {{"text", doc_, "--font", font, "--text", std::string(1001, 'x')}, "--text"},
      {{"text", doc_, "--font", "No Such Font 42", "--text", "A"}, "--font"},
      {{"text", doc_, "--font", font, "--text", "A", "--kerning", "yes"}, "--kerning"},
      {{"text", doc_, "--font", font, "--text", "A", "--tracking", "10001"}, "--tracking"},
      {{"text", doc_, "--font", font, "--text", "A", "--tracking", "-1001"}, "--tracking"},
      {{"key", doc_, "--model", "Logo", "--frame", "5", "--delete"}, "no key"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[2] + " " + c.args.back());
    const Outcome run = Qvlogo(c.args);
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
    EXPECT_EQ(testing::FileBytes(doc_), before);
  }
  // A number that is no number is refused by the option parser, naming the option.
  const Outcome wide = Qvlogo({"text", doc_, "--font", font, "--text", "A", "--tracking", "wide"});
  EXPECT_NE(wide.status, 0);
  EXPECT_NE(wide.err.find("--tracking"), std::string::npos) << wide.err;
  EXPECT_EQ(testing::FileBytes(doc_), before);
  // What is in range goes through.
  EXPECT_EQ(Qvlogo({"set", doc_, "--canvas", "1x16384", "--fps", "29.97", "--fov", "175"}).status, 0);
}

// The command line speaks English, names the file and says each problem once.
TEST_F(CliCarelessInputTest, MessagesAreEnglishNameTheFileAndComeOnce) {
  WriteDocument();
  std::string mqo = "Metasequoia Document\nFormat Text Ver 1.0\nMaterial 13 {\n";
  for (int i = 0; i < 13; ++i) mqo += "\"m" + std::to_string(i) + "\" tex(\"missing.png\")\n";
  mqo += "}\nObject \"a\" {\nvertex 3 {\n0 0 0\n1 0 0\n0 1 0\n}\nface 1 {\n3 V(0 1 2)\n}\n}\n";
  std::ofstream(Path("textured.mqo"), std::ios::binary) << mqo;
  const Outcome imported = Qvlogo({"import", doc_, Path("textured.mqo")});
  EXPECT_EQ(imported.status, 0) << imported.err;
  EXPECT_EQ(imported.err, Path("textured.mqo") + ": texture missing.png: not found\n");

  // Edits that draw nothing do not look for textures at all.
  const Outcome keyed = Qvlogo({"key", doc_, "--model", "Logo", "--frame", "3", "--position", "1,2,3"});
  EXPECT_EQ(keyed.status, 0) << keyed.err;
  EXPECT_EQ(keyed.err, "");

  const struct {
    Args args;
    std::string line;
  } failures[] = {
      {{"info", Path("gone.qvlogo")}, Path("gone.qvlogo") + ": file not found\n"},
      {{"frames", doc_, "--delete", "50", "60"}, doc_ + ": frame number out of range\n"},
      {{"export", doc_, "--webgl", Path("site/.html")}, doc_ + ": the page needs a name before .html\n"},
  };
  for (const auto& f : failures) {
    SCOPED_TRACE(f.args[0]);
    const Outcome run = Qvlogo(f.args);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.substr(0, f.line.size()), f.line) << run.err;
    for (char c : run.err) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << run.err;
  }
}

}  // namespace
}  // namespace qv
