#pragma once
// The fixed-shape files of an exported site: style sheet, page and the scene script of each kind.
// Titles and folder words are UTF-8; each is written escaped for where it stands (web_text.h),
// which leaves titles of letters, digits and underscores unchanged. Each writer creates or
// truncates its file and returns false when the file could not be created or written.
#include <string>
#include <string_view>

#include "scene/scene.h"

namespace qv {

// css/styles.css: the canvas background colour.
bool WriteStyleSheet(const Scene& scene, const std::string& path);
// T.html: loads the scene script "K/T.js".
bool WriteHtmlPage(const std::string& path, std::string_view folderWord, std::string_view title);
// webgl/T.js and webgpu/T.js: canvas, runtime and model scripts, field of view and camera.
bool WriteWebGLScene(const Scene& scene, const std::string& path, std::string_view title);
bool WriteWebGPUScene(const Scene& scene, const std::string& path, std::string_view title);

// The class the model script declares for a page title: "Model_" and the title, made a valid
// script identifier.
std::string ModelClassName(std::string_view title);

}  // namespace qv
