#include "export/page_writers.h"

#include "export/export_camera.h"
#include "export/runtime_file_list.h"
#include "export/script_file.h"
#include "export/web_text.h"
#include "scene/bgr_color.h"

namespace qv {

namespace {

// Three "%f" values separated by ", ".
void PutPoint(ScriptFile& file, const CVector& p) {
  file.Fixed(p.x, 6).Put(", ").Fixed(p.y, 6).Put(", ").Fixed(p.z, 6);
}

// A document.write line loading one script of the kind's folder.
void PutLoadScript(ScriptFile& file, std::string_view folderWord, std::string_view fileName) {
  file.Put("document.write('<script type=\"text/javascript\" src=\"")
      .Put(folderWord)
      .Put("/")
      .Put(fileName)
      .Line("\"></script>');");
}

// The model script's name inside the loading line: a URL in an HTML attribute in a
// single-quoted script string.
std::string ModelScriptReference(std::string_view title) {
  return ScriptString(HtmlAttribute(UrlSegment("Model_" + std::string(title) + ".js")), '\'');
}

}  // namespace

std::string ModelClassName(std::string_view title) { return ScriptIdentifier("Model_" + std::string(title)); }

bool WriteStyleSheet(const Scene& scene, const std::string& path) {
  ScriptFile file;
  if (!file.Create(path)) return false;
  const Rgb8 rgb = RgbOfBgr(scene.m_backgroundColor);
  file.Line("canvas {");
  file.Put("\tbackground-color: #").HexByte(rgb.red).HexByte(rgb.green).HexByte(rgb.blue).Line(";");
  file.Line("}");
  return file.Close();
}

bool WriteHtmlPage(const std::string& path, std::string_view folderWord, std::string_view title) {
  ScriptFile file;
  if (!file.Create(path)) return false;
  file.Line("<!DOCTYPE html>");
  file.Line("<html lang=\"ja\">");
  file.Line("<head>");
  file.Line("\t<meta charset=\"UTF-8\">");
  file.Put("\t<title>").Put(HtmlText(title)).Line("</title>");
  file.Line("\t<link href=\"css/styles.css\" rel=\"stylesheet\" type=\"text/css\" />");
  file.Line("</head>");
  file.Line("<body>");
  file.EndLine();
  file.Put("\t<script src=\"")
      .Put(HtmlAttribute(UrlSegment(folderWord)))
      .Put("/")
      .Put(HtmlAttribute(UrlSegment(std::string(title) + ".js")))
      .Line("\"></script>");
  file.EndLine();
  file.Line("</body>");
  file.Line("</html>");
  return file.Close();
}

bool WriteWebGLScene(const Scene& scene, const std::string& path, std::string_view title) {
  ScriptFile file;
  if (!file.Create(path)) return false;
  const ExportCameraPoints camera = CameraPointsFromInverseView(ExportInverseView(scene));
  const std::string className = ModelClassName(title);
  file.Put("document.write('<canvas id=\"Orvakis3D-Canvas\" width=\"")
      .Int(scene.m_canvasWidth)
      .Put("\" height=\"")
      .Int(scene.m_canvasHeight)
      .Line("\"></canvas>');");
  // The load order comes from web_runtime/runtime_files.json with the list of files.
  for (const char* runtime : {QV_RUNTIME_LOAD_ORDER_WEBGL}) PutLoadScript(file, "webgl", runtime);
  PutLoadScript(file, "webgl", ModelScriptReference(title));
  file.Line("document.write('<script>initWebGL();</script>');");
  file.Line("var _model;");
  file.Line("function beginWebGL(){");
  file.Put("\t_fov = ").Fixed(scene.m_fieldOfView, 6).Line(";");
  file.Put("\t_model = new ").Put(className).Line("();");
  file.Line("}");
  file.EndLine();
  file.Line("function drawWebGL(){");
  file.Put("\t_eye = new Vector3D(");
  PutPoint(file, camera.eye);
  file.Line(");");
  file.Put("\t_lookAt = new Vector3D(");
  PutPoint(file, camera.target);
  file.Line(");");
  file.Line("\t_mvMatrix.lookAtCamera(_eye, _lookAt, new Vector3D(0, 1, 0));");
  file.Line("\t_model.draw();");
  file.Line("}");
  file.EndLine();
  file.Line("function onMouseDown(event){}");
  file.EndLine();
  file.Line("function onMouseUp(event){}");
  file.EndLine();
  file.Line("function onMouseMove(event){}");
  file.EndLine();
  file.Line("function onKeyDown(event){}");
  file.EndLine();
  file.Line("function onKeyUp(event){}");
  return file.Close();
}

bool WriteWebGPUScene(const Scene& scene, const std::string& path, std::string_view title) {
  ScriptFile file;
  if (!file.Create(path)) return false;
  const ExportCameraPoints camera = CameraPointsFromInverseView(ExportInverseView(scene));
  const std::string className = ModelClassName(title);
  file.Put("document.write('<canvas id=\"Canvas_")
      .Put(ScriptString(HtmlAttribute(title), '\''))
      .Put("\" width=\"")
      .Int(scene.m_canvasWidth)
      .Put("\" height=\"")
      .Int(scene.m_canvasHeight)
      .Line("\"></canvas>');");
  for (const char* runtime : {QV_RUNTIME_LOAD_ORDER_WEBGPU}) PutLoadScript(file, "webgpu", runtime);
  PutLoadScript(file, "webgpu", ModelScriptReference(title));
  // The canvas id sits in a double-quoted string of an inline script, itself inside the
  // single-quoted string given to document.write.
  file.Put("document.write('<script>initWebGPU(\"Canvas_")
      .Put(ScriptString(ScriptString(title, '"', true), '\''))
      .Line("\");</script>');");
  file.Line("let _model;");
  file.EndLine();
  file.Line("function init() {");
  file.Put("\t_fov = ").Fixed(scene.m_fieldOfView, 6).Line(";");
  file.Put("\t_model = new ").Put(className).Line("();");
  file.Line("}");
  file.EndLine();
  file.Line("function draw(passEncoder) {");
  file.Put("\t_camera.lookAt(new Vector3D(");
  PutPoint(file, camera.eye);
  file.Put("), new Vector3D(");
  PutPoint(file, camera.target);
  file.Line("), new Vector3D(0, 1, 0))");
  file.Line("\t_model.draw(passEncoder);");
  file.Line("}");
  return file.Close();
}

}  // namespace qv
