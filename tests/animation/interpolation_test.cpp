#include "animation/interpolation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "scene/scene.h"

namespace qv {
namespace {

// A track of `frames` identity poses with keys at `keys` whose position x is `xs`.
Track TrackWithKeys(size_t frames, const std::vector<int>& keys, const std::vector<float>& xs) {
  Track track(frames);
  for (size_t i = 0; i < keys.size(); ++i) {
    track[keys[i]].m_key = 1;
    track[keys[i]].m_position.x = xs[i];
  }
  return track;
}

float X(const Track& t, size_t f) { return t[f].m_position.x; }

bool SameBits(const Track& a, const Track& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(CAnimation)) == 0;
}

// The nine channels of a pose, by number, for the reference implementations below.
float& Channel(CAnimation& p, int c) {
  CVector& v = c < 3 ? p.m_position : (c < 6 ? p.m_rotation : p.m_scale);
  return c % 3 == 0 ? v.x : (c % 3 == 1 ? v.y : v.z);
}

// Straightforward transcriptions of the two algorithms, one channel at a time, with the key list
// collected first. The production code must agree bit for bit.
void ReferenceLinear(Track& t) {
  const int n = static_cast<int>(t.size());
  for (int c = 0; c < 9; ++c) {
    int a = 0;
    for (int j = 1; j < n; ++j) {
      if (t[j].m_key != 1) continue;
      for (int l = a + 1; l < j; ++l) {
        const float vj = Channel(t[j], c), va = Channel(t[a], c);
        Channel(t[l], c) = vj - static_cast<float>(j - l) * (vj - va) / static_cast<float>(j - a);
      }
      a = j;
    }
    for (int l = a + 1; l < n; ++l) Channel(t[l], c) = Channel(t[a], c);
  }
}

void ReferenceHermite(Track& t) {
  std::vector<int> keys;
  for (int f = 0; f < static_cast<int>(t.size()); ++f)
    if (t[f].m_key == 1) keys.push_back(f);
  if (keys.empty()) return;
  for (int c = 0; c < 9; ++c) {
    int P = keys.back();
    for (size_t i = 0; i + 1 < keys.size(); ++i) {
      const int k = keys[i], l = keys[i + 1];
      const int q = i + 2 < keys.size() ? keys[i + 2] : 0;
      for (int d = k + 1; d < l; ++d) {
        const float s = static_cast<float>(d - k) / static_cast<float>(l - k);
        const float h00 = 2 * (s * s * s) - 3 * (s * s) + 1;
        const float h10 = s * s * s - 2 * (s * s) + s;
        const float h01 = 3 * (s * s) - 2 * (s * s * s);
        const float h11 = s * s * s - s * s;
        const float vk = Channel(t[k], c), vl = Channel(t[l], c);
        const float vp = Channel(t[P], c), vq = Channel(t[q], c);
        Channel(t[d], c) = h00 * vk + h10 * 0.5f * (vl - vp) + h01 * vl + h11 * 0.5f * (vq - vk);
      }
      P = k;
    }
    for (int l = keys.back() + 1; l < static_cast<int>(t.size()); ++l) Channel(t[l], c) = Channel(t[keys.back()], c);
  }
}

TEST(Interpolation, ThreeKeyWorkedExample) {
  Track hermite = TrackWithKeys(21, {0, 10, 20}, {0, 100, 0});
  InterpolateHermiteTrack(hermite);
  EXPECT_EQ(X(hermite, 5), 56.25f);
  EXPECT_EQ(X(hermite, 15), 56.25f);
  EXPECT_EQ(X(hermite, 10), 100.0f);

  Track linear = TrackWithKeys(21, {0, 10, 20}, {0, 100, 0});
  InterpolateLinearTrack(linear);
  EXPECT_EQ(X(linear, 5), 50.0f);
  EXPECT_EQ(X(linear, 15), 50.0f);
}

TEST(Interpolation, LinearTwoKeysHoldsAfterLastKey) {
  Track t = TrackWithKeys(61, {0, 10}, {0, 100});
  InterpolateLinearTrack(t);
  EXPECT_EQ(X(t, 5), 50.0f);
  for (size_t f = 11; f < t.size(); ++f) EXPECT_EQ(X(t, f), 100.0f) << f;
}

TEST(Interpolation, HermiteTwoKeysEasesInAndOut) {
  Track t = TrackWithKeys(31, {0, 20}, {10, 90});
  t[20].m_rotation.y = -40;
  InterpolateHermiteTrack(t);
  for (int d = 0; d <= 20; ++d) {
    const double s = d / 20.0;
    EXPECT_NEAR(X(t, d), 10 + (3 * s * s - 2 * s * s * s) * 80, 1e-4) << d;
    EXPECT_NEAR(t[d].m_rotation.y, (3 * s * s - 2 * s * s * s) * -40, 1e-4) << d;
  }
  for (size_t f = 21; f < t.size(); ++f) EXPECT_EQ(X(t, f), 90.0f) << f;
}

TEST(Interpolation, HermiteThreeKeyTangentsCloseTheCurve) {
  // Keys 0, a, b: tangents 0.5(V[a] - V[b]) at 0, 0.5(V[b] - V[0]) at a, 0.5(V[0] - V[a]) at b.
  const int a = 8, b = 20;
  const double v0 = 3, va = 40, vb = -12;
  Track t = TrackWithKeys(25, {0, a, b}, {3, 40, -12});
  InterpolateHermiteTrack(t);
  auto curve = [](double p0, double p1, double m0, double m1, double s) {
    return (2 * s * s * s - 3 * s * s + 1) * p0 + (s * s * s - 2 * s * s + s) * m0 + (3 * s * s - 2 * s * s * s) * p1 +
           (s * s * s - s * s) * m1;
  };
  for (int d = 0; d <= a; ++d)
    EXPECT_NEAR(X(t, d), curve(v0, va, 0.5 * (va - vb), 0.5 * (vb - v0), double(d) / a), 1e-4) << d;
  for (int d = a; d <= b; ++d)
    EXPECT_NEAR(X(t, d), curve(va, vb, 0.5 * (vb - v0), 0.5 * (v0 - va), double(d - a) / (b - a)), 1e-4) << d;
  for (int d = b; d < 25; ++d) EXPECT_EQ(X(t, d), -12.0f);
}

TEST(Interpolation, OnlyKeyAtFrameZeroFillsEveryFrameInBothModes) {
  for (bool hermite : {false, true}) {
    CModel model;
    model.m_tracks.assign(1, Track(12));
    model.m_tracks[0][0] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, 1};
    for (size_t f = 1; f < 12; ++f) model.m_tracks[0][f].m_position = {-50, -50, -50};
    InterpolateModel(model, hermite);
    for (size_t f = 1; f < 12; ++f) {
      CAnimation expected = model.m_tracks[0][0];
      expected.m_key = 0;
      EXPECT_EQ(model.m_tracks[0][f], expected) << "hermite " << hermite << " frame " << f;
    }
  }
}

TEST(Interpolation, FrameZeroWithoutKeyAnchorsLinearOnly) {
  auto make = [] {
    Track t = TrackWithKeys(16, {10}, {100});
    t[0].m_position.x = 20;
    for (int f = 1; f < 10; ++f) t[f].m_position.x = -1;  // stale in-betweens
    return t;
  };
  Track linear = make();
  InterpolateLinearTrack(linear);
  EXPECT_EQ(X(linear, 5), 60.0f);
  EXPECT_EQ(X(linear, 12), 100.0f);

  Track hermite = make();
  InterpolateHermiteTrack(hermite);
  for (int f = 1; f < 10; ++f) EXPECT_EQ(X(hermite, f), -1.0f) << f;
  EXPECT_EQ(X(hermite, 0), 20.0f);
  EXPECT_EQ(X(hermite, 12), 100.0f);
}

TEST(Interpolation, RotationsAreNotWrapped) {
  for (bool hermite : {false, true}) {
    CModel model;
    model.m_tracks.assign(1, Track(11));
    model.m_tracks[0][0] = {{}, {0, 350, 0}, {1, 1, 1}, 1};
    model.m_tracks[0][10] = {{}, {0, 10, 0}, {1, 1, 1}, 1};
    InterpolateModel(model, hermite);
    EXPECT_EQ(model.m_tracks[0][5].m_rotation.y, 180.0f) << hermite;
  }
}

TEST(Interpolation, TrackOfKeysOnlyIsLeftBitForBit) {
  Track t(6);
  for (size_t f = 0; f < t.size(); ++f) t[f] = {{float(f), -0.0f, 1e30f}, {-1e30f, 0, 3}, {1, 2, -0.0f}, 1};
  const Track before = t;
  InterpolateHermiteTrack(t);
  EXPECT_TRUE(SameBits(t, before));
  InterpolateLinearTrack(t);
  EXPECT_TRUE(SameBits(t, before));
}

TEST(Interpolation, TrackWithoutKeys) {
  Track t(5);
  for (size_t f = 0; f < t.size(); ++f) t[f].m_position = {float(f), 0, 0};
  Track hermite = t;
  InterpolateHermiteTrack(hermite);
  EXPECT_TRUE(SameBits(hermite, t));
  Track linear = t;
  InterpolateLinearTrack(linear);
  for (size_t f = 0; f < t.size(); ++f) EXPECT_EQ(X(linear, f), 0.0f);
}

TEST(Interpolation, EmptyAndSinglePoseTracks) {
  Track empty;
  InterpolateHermiteTrack(empty);
  InterpolateLinearTrack(empty);
  Track one(1);
  one[0].m_position.x = 7;
  InterpolateHermiteTrack(one);
  InterpolateLinearTrack(one);
  EXPECT_EQ(X(one, 0), 7.0f);
}

// Random tracks with keys scattered over all nine channels: both modes agree bit for bit with the
// transcriptions, key flags never change, and switching modes restores the in-betweens exactly.
TEST(Interpolation, MatchesReferenceBitForBit) {
  std::mt19937 rng(1234);
  std::uniform_real_distribution<float> value(-500.0f, 500.0f);
  std::bernoulli_distribution isKey(0.15);
  for (int trial = 0; trial < 200; ++trial) {
    Track t(1 + rng() % 90);
    for (CAnimation& pose : t) {
      for (int c = 0; c < 9; ++c) Channel(pose, c) = value(rng);
      pose.m_key = isKey(rng) ? 1 : 0;
    }
    if (trial % 3 == 0) t[0].m_key = 1;

    Track linear = t, linearRef = t, hermite = t, hermiteRef = t;
    InterpolateLinearTrack(linear);
    ReferenceLinear(linearRef);
    InterpolateHermiteTrack(hermite);
    ReferenceHermite(hermiteRef);
    ASSERT_TRUE(SameBits(linear, linearRef)) << trial;
    ASSERT_TRUE(SameBits(hermite, hermiteRef)) << trial;
    for (size_t f = 0; f < t.size(); ++f) ASSERT_EQ(hermite[f].m_key, t[f].m_key);

    Track flipped = linear;
    InterpolateHermiteTrack(flipped);
    InterpolateLinearTrack(flipped);
    ASSERT_TRUE(SameBits(flipped, linear)) << trial;
  }
}

TEST(Interpolation, ModelModesAndRecomputeAllFrames) {
  Scene scene;
  scene.m_models.resize(2);
  for (CModel& model : scene.m_models) {
    model.m_tracks = {TrackWithKeys(21, {0, 10, 20}, {0, 100, 0}), TrackWithKeys(11, {0, 10}, {0, 100})};
    model.m_tracks[0][20].m_scale = {3, 3, 3};
  }
  scene.m_hermite = true;
  RecomputeAllFrames(scene);
  for (const CModel& model : scene.m_models) {
    EXPECT_EQ(X(model.m_tracks[0], 5), 56.25f);
    EXPECT_EQ(X(model.m_tracks[1], 5), 50.0f);  // ease curve is symmetric at the middle
    EXPECT_NEAR(model.m_tracks[1][2].m_position.x, 10.4f, 1e-4);
    EXPECT_GT(model.m_tracks[0][15].m_scale.x, 1.0f);
  }
  scene.m_hermite = false;
  RecomputeAllFrames(scene);
  for (const CModel& model : scene.m_models) {
    EXPECT_EQ(X(model.m_tracks[0], 5), 50.0f);
    EXPECT_EQ(model.m_tracks[1][2].m_position.x, 20.0f);
    EXPECT_EQ(model.m_tracks[0][15].m_scale.x, 2.0f);
  }
}

}  // namespace
}  // namespace qv
