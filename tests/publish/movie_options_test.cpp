// The movie options of save-as: the command line's defaults, and what the settings remember.
#include <gtest/gtest.h>

#include <map>

#include "publish/movie_options.h"

namespace qv {
namespace {

class MapSettings : public SettingsStore {
 public:
  std::optional<std::string> Read(const std::string& section, const std::string& name) const override {
    auto it = values.find(section + "/" + name);
    return it == values.end() ? std::nullopt : std::optional(it->second);
  }
  void Write(const std::string& section, const std::string& name, const std::string& value) override {
    values[section + "/" + name] = value;
  }
  void Remove(const std::string& section, const std::string& name) override { values.erase(section + "/" + name); }
  std::map<std::string, std::string> values;
};

Scene CanvasScene(int width, int height, int32_t lastFrame, float fps = 24.0f) {
  Scene scene;
  scene.m_canvasWidth = width;
  scene.m_canvasHeight = height;
  scene.m_lastFrame = lastFrame;
  scene.m_fps = fps;
  return scene;
}

TEST(MovieOptions, DefaultsAreTheCommandLines) {
  const Scene scene = CanvasScene(640, 360, 90);
  for (MovieFormat format :
       {MovieFormat::kMp4, MovieFormat::kWebm, MovieFormat::kGif, MovieFormat::kApng, MovieFormat::kWebp}) {
    const MovieSettings s = DefaultMovieSettings(scene, format);
    EXPECT_EQ(s.format, format);
    EXPECT_EQ(s.width, 640);
    EXPECT_EQ(s.height, 360);
    EXPECT_EQ(s.fps, 24.0f);
    EXPECT_EQ(s.firstFrame, 0);
    EXPECT_EQ(s.lastFrame, 90);
    EXPECT_EQ(s.loops, IsVideoFormat(format) ? 1 : 0);
    EXPECT_FALSE(s.transparent);
    EXPECT_EQ(s.supersample, 1);
    EXPECT_EQ(CheckMovieSettings(s, 90), "") << MovieFormatName(format);
  }
}

TEST(MovieOptions, SaveTypesMapToTheirFormats) {
  EXPECT_EQ(MovieFormatOfSaveType(SaveType::kMp4), MovieFormat::kMp4);
  EXPECT_EQ(MovieFormatOfSaveType(SaveType::kWebm), MovieFormat::kWebm);
  EXPECT_EQ(MovieFormatOfSaveType(SaveType::kGif), MovieFormat::kGif);
  EXPECT_EQ(MovieFormatOfSaveType(SaveType::kApng), MovieFormat::kApng);
  EXPECT_EQ(MovieFormatOfSaveType(SaveType::kWebp), MovieFormat::kWebp);
  for (SaveType type : {SaveType::kDocument, SaveType::kWebGL, SaveType::kWebGPU, SaveType::kGltfBinary, SaveType::kGltf})
    EXPECT_FALSE(MovieFormatOfSaveType(type));
}

TEST(MovieOptions, WhatWasAskedForIsOfferedNextTime) {
  const Scene scene = CanvasScene(800, 600, 60);
  MapSettings store;
  MovieSettings asked = DefaultMovieSettings(scene, MovieFormat::kWebm);
  asked.width = 400;
  asked.height = 300;
  asked.firstFrame = 10;
  asked.lastFrame = 20;
  asked.loops = 3;
  asked.transparent = true;
  asked.supersample = 2;
  RememberMovieSettings(store, asked, scene);

  const MovieSettings webm = RememberedMovieSettings(store, scene, MovieFormat::kWebm);
  EXPECT_EQ(webm.width, 400);
  EXPECT_EQ(webm.height, 300);
  EXPECT_EQ(webm.firstFrame, 10);
  EXPECT_EQ(webm.lastFrame, 20);
  EXPECT_EQ(webm.loops, 3);
  EXPECT_TRUE(webm.transparent);
  EXPECT_EQ(webm.supersample, 2);

  // Loops mean something else for animated images; MP4 cannot be transparent.
  EXPECT_EQ(RememberedMovieSettings(store, scene, MovieFormat::kGif).loops, 0);
  EXPECT_TRUE(RememberedMovieSettings(store, scene, MovieFormat::kGif).transparent);
  EXPECT_FALSE(RememberedMovieSettings(store, scene, MovieFormat::kMp4).transparent);
  EXPECT_EQ(RememberedMovieSettings(store, scene, MovieFormat::kMp4).loops, 3);
}

TEST(MovieOptions, TheCanvasAndTheWholeAnimationFollowTheDocument) {
  MapSettings store;
  const Scene first = CanvasScene(800, 600, 60);
  RememberMovieSettings(store, DefaultMovieSettings(first, MovieFormat::kGif), first);
  // Another document: its own canvas and its own frames, not the last one's.
  const Scene second = CanvasScene(320, 240, 30);
  const MovieSettings s = RememberedMovieSettings(store, second, MovieFormat::kGif);
  EXPECT_EQ(s.width, 320);
  EXPECT_EQ(s.height, 240);
  EXPECT_EQ(s.firstFrame, 0);
  EXPECT_EQ(s.lastFrame, 30);
}

TEST(MovieOptions, RememberedValuesThatDoNotFitAreLeftAtTheDefaults) {
  const Scene scene = CanvasScene(800, 600, 30);
  struct Stored {
    const char* name;
    const char* value;
  };
  const Stored junk[] = {
      {"Size", "0x600"},         {"Size", "800 x 600"},   {"Size", "99999x2"},  {"FirstFrame", "-1"},
      {"FirstFrame", "x"},       {"LastFrame", "31"},     {"VideoLoops", "0"},  {"VideoLoops", "70000"},
      {"Supersample", "5"},      {"Supersample", "0"},    {"Supersample", "2a"},
  };
  for (const Stored& stored : junk) {
    MapSettings store;
    store.values[std::string(kMovieSettingsSection) + "/FirstFrame"] = "0";
    store.values[std::string(kMovieSettingsSection) + "/LastFrame"] = "30";
    store.values[std::string(kMovieSettingsSection) + "/" + stored.name] = stored.value;
    const MovieSettings s = RememberedMovieSettings(store, scene, MovieFormat::kMp4);
    const MovieSettings d = DefaultMovieSettings(scene, MovieFormat::kMp4);
    EXPECT_EQ(s.width, d.width) << stored.name << "=" << stored.value;
    EXPECT_EQ(s.height, d.height) << stored.name << "=" << stored.value;
    EXPECT_EQ(s.firstFrame, d.firstFrame) << stored.name << "=" << stored.value;
    EXPECT_EQ(s.lastFrame, d.lastFrame) << stored.name << "=" << stored.value;
    EXPECT_EQ(s.loops, d.loops) << stored.name << "=" << stored.value;
    EXPECT_EQ(s.supersample, d.supersample) << stored.name << "=" << stored.value;
    EXPECT_EQ(CheckMovieSettings(s, 30), "") << stored.name << "=" << stored.value;
  }
}

}  // namespace
}  // namespace qv
