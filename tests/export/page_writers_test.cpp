// Style sheet, page and scene scripts, line for line.
#include "export/page_writers.h"

#include <gtest/gtest.h>

#include "animation/pose_matrix.h"
#include "export/export_camera.h"
#include "export/export_test_support.h"
#include "viewport/camera.h"
#include "viewport/view_math.h"

namespace qv {
namespace {

using testing::CrLfLines;
using testing::ReadFile;
using testing::ScratchFolder;

// A camera at (0, 0, 1500) without rotation, as the viewport last drew it.
Scene SceneWithCameraAt1500() {
  Scene scene;
  scene.m_inverseView = TranslationMatrix(0, 0, 1500);
  scene.m_inverseViewValid = true;
  return scene;
}

TEST(PageWriters, DefaultStyleSheet) {
  ScratchFolder temp{"qv export"};
  const std::string path = temp.Path("styles.css");
  ASSERT_TRUE(WriteStyleSheet(Scene{}, path));
  EXPECT_EQ(ReadFile(path), CrLfLines({"canvas {", "\tbackground-color: #1e415a;", "}"}));

  Scene scene;
  scene.m_backgroundColor = 0x00000AFF;  // red ff, green 0a, blue 00
  ASSERT_TRUE(WriteStyleSheet(scene, path));
  EXPECT_EQ(ReadFile(path), CrLfLines({"canvas {", "\tbackground-color: #ff0a00;", "}"}));
}

TEST(PageWriters, Page) {
  ScratchFolder temp{"qv export"};
  const std::string path = temp.Path("logo.html");
  ASSERT_TRUE(WriteHtmlPage(path, "webgl", "logo"));
  EXPECT_EQ(ReadFile(path), CrLfLines({"<!DOCTYPE html>", "<html lang=\"ja\">", "<head>", "\t<meta charset=\"UTF-8\">",
                                       "\t<title>logo</title>",
                                       "\t<link href=\"css/styles.css\" rel=\"stylesheet\" type=\"text/css\" />",
                                       "</head>", "<body>", "", "\t<script src=\"webgl/logo.js\"></script>", "",
                                       "</body>", "</html>"}));
}

TEST(PageWriters, WebGLSceneWithEyeAndTarget) {
  ScratchFolder temp{"qv export"};
  const std::string path = temp.Path("logo.js");
  ASSERT_TRUE(WriteWebGLScene(SceneWithCameraAt1500(), path, "logo"));
  EXPECT_EQ(ReadFile(path),
            CrLfLines({
                "document.write('<canvas id=\"Orvakis3D-Canvas\" width=\"800\" height=\"600\"></canvas>');",
                "document.write('<script type=\"text/javascript\" src=\"webgl/Vector3D.js\"></script>');",
                "document.write('<script type=\"text/javascript\" src=\"webgl/Matrix3D.js\"></script>');",
                "document.write('<script type=\"text/javascript\" src=\"webgl/GLSL.js\"></script>');",
                "document.write('<script type=\"text/javascript\" src=\"webgl/Orvakis3D.js\"></script>');",
                "document.write('<script type=\"text/javascript\" src=\"webgl/Model3D.js\"></script>');",
                "document.write('<script type=\"text/javascript\" src=\"webgl/BoneModel3D.js\"></script>');",
                "document.write('<script type=\"text/javascript\" src=\"webgl/Material.js\"></script>');",
                "document.write('<script type=\"text/javascript\" src=\"webgl/Model_logo.js\"></script>');",
                "document.write('<script>initWebGL();</script>');",
                "var _model;",
                "function beginWebGL(){",
                "\t_fov = 20.000000;",
                "\t_model = new Model_logo();",
                "}",
                "",
                "function drawWebGL(){",
                "\t_eye = new Vector3D(0.000000, 0.000000, 1500.000000);",
                "\t_lookAt = new Vector3D(0.000000, 0.000000, 1400.000000);",
                "\t_mvMatrix.lookAtCamera(_eye, _lookAt, new Vector3D(0, 1, 0));",
                "\t_model.draw();",
                "}",
                "",
                "function onMouseDown(event){}",
                "",
                "function onMouseUp(event){}",
                "",
                "function onMouseMove(event){}",
                "",
                "function onKeyDown(event){}",
                "",
                "function onKeyUp(event){}",
            }));
}

TEST(PageWriters, WebGPUSceneWithEyeAndTarget) {
  ScratchFolder temp{"qv export"};
  const std::string path = temp.Path("logo.js");
  Scene scene = SceneWithCameraAt1500();
  scene.m_canvasWidth = 640;
  scene.m_canvasHeight = 480;
  scene.m_fieldOfView = 25.5f;
  ASSERT_TRUE(WriteWebGPUScene(scene, path, "logo"));
  EXPECT_EQ(ReadFile(path),
            CrLfLines({
                "document.write('<canvas id=\"Canvas_logo\" width=\"640\" height=\"480\"></canvas>');",
                "document.write('<script type=\"text/javascript\" src=\"webgpu/Vector3D.js\"></script>');",
                "document.write('<script type=\"text/javascript\" src=\"webgpu/Matrix3D.js\"></script>');",
                "document.write('<script type=\"text/javascript\" src=\"webgpu/Zentrel3D.js\"></script>');",
                "document.write('<script type=\"text/javascript\" src=\"webgpu/Model3D.js\"></script>');",
                "document.write('<script type=\"text/javascript\" src=\"webgpu/BoneModel3D.js\"></script>');",
                "document.write('<script type=\"text/javascript\" src=\"webgpu/Material.js\"></script>');",
                "document.write('<script type=\"text/javascript\" src=\"webgpu/WGSL.js\"></script>');",
                "document.write('<script type=\"text/javascript\" src=\"webgpu/Model_logo.js\"></script>');",
                "document.write('<script>initWebGPU(\"Canvas_logo\");</script>');",
                "let _model;",
                "",
                "function init() {",
                "\t_fov = 25.500000;",
                "\t_model = new Model_logo();",
                "}",
                "",
                "function draw(passEncoder) {",
                "\t_camera.lookAt(new Vector3D(0.000000, 0.000000, 1500.000000), new Vector3D(0.000000, 0.000000, "
                "1400.000000), new Vector3D(0, 1, 0))",
                "\t_model.draw(passEncoder);",
                "}",
            }));
}

// Japanese titles and titles with spaces: unchanged in the page title, file names and canvas id;
// only the class name becomes an identifier (a Japanese one stays as it is).
TEST(PageWriters, TitlesWithSpacesAndJapaneseCharacters) {
  ScratchFolder temp{"qv export"};
  const Scene scene = SceneWithCameraAt1500();
  const std::string page = temp.Path("page.html");
  const std::string gl = temp.Path("gl.js");
  const std::string gpu = temp.Path("gpu.js");
  struct {
    const char* title;
    const char* className;
  } cases[] = {{"ロゴ", "Model_ロゴ"}, {"my logo", "Model_my_logo"}, {"春の ロゴ", "Model_春の_ロゴ"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    const std::string t = c.title;
    ASSERT_TRUE(WriteHtmlPage(page, "webgpu", t));
    const std::string html = ReadFile(page);
    EXPECT_NE(html.find("\t<meta charset=\"UTF-8\">\r\n"), std::string::npos);
    EXPECT_NE(html.find("\r\n\t<title>" + t + "</title>\r\n"), std::string::npos);
    EXPECT_NE(html.find("\r\n\t<script src=\"webgpu/" + t + ".js\"></script>\r\n"), std::string::npos);

    ASSERT_TRUE(WriteWebGLScene(scene, gl, t));
    const std::string glText = ReadFile(gl);
    EXPECT_NE(glText.find("src=\"webgl/Model_" + t + ".js\"></script>');\r\n"), std::string::npos);
    EXPECT_NE(glText.find("\r\n\t_model = new " + std::string(c.className) + "();\r\n"), std::string::npos);

    ASSERT_TRUE(WriteWebGPUScene(scene, gpu, t));
    const std::string gpuText = ReadFile(gpu);
    EXPECT_EQ(gpuText.rfind("document.write('<canvas id=\"Canvas_" + t + "\" width=\"800\" height=\"600\"></canvas>');\r\n", 0), 0u);
    EXPECT_NE(gpuText.find("src=\"webgpu/Model_" + t + ".js\"></script>');\r\n"), std::string::npos);
    EXPECT_NE(gpuText.find("\r\ndocument.write('<script>initWebGPU(\"Canvas_" + t + "\");</script>');\r\n"),
              std::string::npos);
    EXPECT_NE(gpuText.find("\r\n\t_model = new " + std::string(c.className) + "();\r\n"), std::string::npos);
    EXPECT_EQ(ModelClassName(t), c.className);
  }
}

// Quotes, backslashes, "<" and "&" in a title still give a page that parses.
TEST(PageWriters, TitlesThatWouldBreakTheCodeAreEscaped) {
  ScratchFolder temp{"qv export"};
  const Scene scene = SceneWithCameraAt1500();
  const std::string title = "a'b\"c<d>&e#f";
  const std::string page = temp.Path("page.html");
  ASSERT_TRUE(WriteHtmlPage(page, "webgl", title));
  const std::string html = ReadFile(page);
  EXPECT_NE(html.find("\t<title>a'b\"c&lt;d&gt;&amp;e#f</title>\r\n"), std::string::npos);
  EXPECT_NE(html.find("\t<script src=\"webgl/a&#39;b&quot;c&lt;d&gt;&amp;e%23f.js\"></script>\r\n"), std::string::npos);

  const std::string gpu = temp.Path("gpu.js");
  ASSERT_TRUE(WriteWebGPUScene(scene, gpu, title));
  const std::string text = ReadFile(gpu);
  EXPECT_NE(text.find("<canvas id=\"Canvas_a&#39;b&quot;c&lt;d&gt;&amp;e#f\" width"), std::string::npos);
  EXPECT_NE(text.find("src=\"webgpu/Model_a&#39;b&quot;c&lt;d&gt;&amp;e%23f.js\""), std::string::npos);
  // In the inline script: the double quote escaped for the inner string, then every backslash
  // and the single quote escaped again for the outer one.
  EXPECT_NE(text.find("initWebGPU(\"Canvas_a\\'b\\\\\"c\\\\x3Cd>&e#f\");"), std::string::npos);
  EXPECT_NE(text.find("\t_model = new Model_a_b_c_d__e_f();\r\n"), std::string::npos);
}

TEST(PageWriters, FileThatCannotBeCreated) {
  ScratchFolder temp{"qv export"};
  const std::string path = temp.Path("missing/folder/x.css");
  EXPECT_FALSE(WriteStyleSheet(Scene{}, path));
  EXPECT_FALSE(WriteHtmlPage(path, "webgl", "x"));
  EXPECT_FALSE(WriteWebGLScene(Scene{}, path, "x"));
  EXPECT_FALSE(WriteWebGPUScene(Scene{}, path, "x"));
  EXPECT_FALSE(std::filesystem::exists(path));
}

// Without a drawn viewport the camera is the one the viewport would compose (following off).
TEST(ExportCamera, UndrawnViewportUsesTheCameraPose) {
  Scene scene;
  ASSERT_FALSE(scene.m_inverseViewValid);
  scene.m_cameras[0].m_position = {12, -30, -900};
  scene.m_cameras[0].m_rotation = {20, 10, 5};
  scene.m_cameras[0].m_scale = {1.5f, 1.5f, 1.5f};
  const Matrix4 expected = vmath::InverseOrIdentity(ComposeViewMatrix(scene));
  EXPECT_EQ(ExportInverseView(scene), expected);

  scene.m_inverseView = TranslationMatrix(1, 2, 3);
  scene.m_inverseViewValid = true;
  EXPECT_EQ(ExportInverseView(scene), TranslationMatrix(1, 2, 3));

  // The default camera looks at the origin from 1500 units away.
  const ExportCameraPoints points = CameraPointsFromInverseView(ExportInverseView(Scene{}));
  EXPECT_NEAR(std::sqrt(Dot(points.eye, points.eye)), 1500.0f, 0.01f);
}

}  // namespace
}  // namespace qv
