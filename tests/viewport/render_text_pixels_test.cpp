#include <gtest/gtest.h>

#include "geometry/text_model.h"
#include "pixel_fixture.h"

namespace qv {
namespace {

using testing::AddMaterial;
using testing::ColorAt;
using testing::kBackground;
using testing::Rgb;

class TextPixelTest : public testing::PixelTest {
 protected:
  int TextModel(const std::string& text, float size = 100) {
    TextParameters parameters;
    parameters.fontName = "DejaVu Sans";
    parameters.text = text;
    parameters.fontSize = size;
    const int index = CreateTextModel(scene, parameters);
    RebuildHierarchyWalk(scene);
    return index;
  }
};

TEST_F(TextPixelTest, TextFacesTheDefaultCameraLitAndItsBackCapIsCulled) {
  const int text = TextModel("I");  // solid at the centre
  ASSERT_GE(text, 0);
  CModel& model = scene.m_models[text];
  ASSERT_FALSE(model.m_faces.empty());
  // Paint the back cap red: if the wrong side were culled it would show through.
  const int red = AddMaterial(scene, 1, 0, 0);
  int back = 0;
  for (CFace& face : model.m_faces)
    if (face.m_normal.z > 0.9f) {
      face.m_material = red;
      ++back;
    }
  ASSERT_GT(back, 0);
  RebuildModelGeometry(model, scene.m_materials.size());

  const RgbaImage image = Render();
  const Rgb centre = ColorAt(image, 400, 300);
  EXPECT_NE(image.Argb(400, 300), kBackground);
  // The default material is a light grey lit almost head-on.
  EXPECT_GT(centre.r, 150);
  EXPECT_NEAR(centre.r, centre.g, 8);
  EXPECT_NEAR(centre.g, centre.b, 8);
}

TEST_F(TextPixelTest, FlatAndSmoothShadingDifferOnACurvedText) {
  TextModel("O", 300);
  scene.m_cameras[0].m_rotation = {30, 40, 0};  // see the curved walls
  const RgbaImage smooth = Render();
  scene.m_smoothShading = 0;
  const RgbaImage flat = Render();
  ASSERT_EQ(smooth.pixels.size(), flat.pixels.size());
  int different = 0;
  for (int y = 0; y < smooth.height; ++y)
    for (int x = 0; x < smooth.width; ++x) different += smooth.Argb(x, y) != flat.Argb(x, y);
  EXPECT_GT(different, 500);
  // Same shapes: only colours change, the background around stays.
  EXPECT_EQ(smooth.Argb(5, 5), flat.Argb(5, 5));
}

}  // namespace
}  // namespace qv
