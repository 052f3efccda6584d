#include "geometry/unique_names.h"

#include <gtest/gtest.h>

#include <string>
#include <unordered_set>
#include <vector>

namespace qv {
namespace {

std::vector<std::string> Unique(const std::vector<std::string>& names) {
  Scene scene;
  for (const std::string& name : names) {
    scene.m_models.emplace_back().m_name = name;
    scene.m_materials.emplace_back().m_name = name;
  }
  MakeNamesUnique(scene);
  std::vector<std::string> out;
  for (size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(scene.m_models[i].m_name, scene.m_materials[i].m_name);  // materials alike
    out.push_back(scene.m_models[i].m_name);
  }
  return out;
}

TEST(MakeNamesUnique, RenamesFromTheLastWithTheFirstFreeNumber) {
  using Names = std::vector<std::string>;
  EXPECT_EQ(Unique({"a", "b"}), (Names{"a", "b"}));
  EXPECT_EQ(Unique({"a", "a", "a"}), (Names{"a", "a_3", "a_2"}));
  EXPECT_EQ(Unique({"a", "A", "a_2", "a"}), (Names{"a", "A_4", "a_2", "a_3"}));
  EXPECT_EQ(Unique({"obj", "obj_2", "obj"}), (Names{"obj", "obj_2", "obj_3"}));
  // Case is folded for ASCII letters only: the second byte of a double-byte character is kept.
  EXPECT_EQ(Unique({"\x83\x41", "\x83\x61"}), (Names{"\x83\x41", "\x83\x61"}));
  EXPECT_EQ(Unique({"\x83\x41x", "\x83\x41X"}), (Names{"\x83\x41x", "\x83\x41X_2"}));
}

TEST(MakeNamesUnique, ManyEqualNamesStayFast) {
  std::vector<std::string> names(100000, "part");
  const std::vector<std::string> out = Unique(names);
  EXPECT_EQ(out.front(), "part");
  EXPECT_EQ(out.back(), "part_2");
  EXPECT_EQ(std::unordered_set<std::string>(out.begin(), out.end()).size(), out.size());
}

}  // namespace
}  // namespace qv
