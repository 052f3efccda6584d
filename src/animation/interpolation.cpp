#include "animation/interpolation.h"

#include <cstddef>

#include "scene/scene.h"

namespace qv {

namespace {

bool IsKeyPose(const CAnimation& pose) { return pose.m_key == 1; }

// One channel between the anchors a and j, at distance jl = j - l before j; ja = j - a.
inline float LinearChannel(float vj, float va, float jl, float ja) { return vj - jl * (vj - va) / ja; }

inline CVector LinearVector(const CVector& vj, const CVector& va, float jl, float ja) {
  return {LinearChannel(vj.x, va.x, jl, ja), LinearChannel(vj.y, va.y, jl, ja),
          LinearChannel(vj.z, va.z, jl, ja)};
}

struct HermiteWeights {
  float h00, h10, h01, h11;
};

inline HermiteWeights WeightsAt(float s) {
  const float s2 = s * s;
  const float s3 = s2 * s;
  return {2.0f * s3 - 3.0f * s2 + 1.0f, s3 - 2.0f * s2 + s, 3.0f * s2 - 2.0f * s3, s3 - s2};
}

// vk, vl: the segment's keys; vp: the key before k; vq: the key after l.
inline float HermiteChannel(const HermiteWeights& w, float vk, float vl, float vp, float vq) {
  return w.h00 * vk + w.h10 * 0.5f * (vl - vp) + w.h01 * vl + w.h11 * 0.5f * (vq - vk);
}

inline CVector HermiteVector(const HermiteWeights& w, const CVector& vk, const CVector& vl,
                             const CVector& vp, const CVector& vq) {
  return {HermiteChannel(w, vk.x, vl.x, vp.x, vq.x), HermiteChannel(w, vk.y, vl.y, vp.y, vq.y),
          HermiteChannel(w, vk.z, vl.z, vp.z, vq.z)};
}

// Frames after `last` take its channels; their key flags stay.
void HoldAfter(Track& track, size_t last) {
  const CAnimation held = track[last];
  for (size_t l = last + 1; l < track.size(); ++l) track[l].CopyPoseFrom(held);
}

// First key at or after `from`, or track.size() when there is none.
size_t NextKeyFrom(const Track& track, size_t from) {
  while (from < track.size() && !IsKeyPose(track[from])) ++from;
  return from;
}

}  // namespace

void InterpolateLinearTrack(Track& track) {
  const size_t n = track.size();
  if (n == 0) return;
  size_t a = 0;  // frame 0 anchors the first segment, key or not
  for (size_t j = 1; j < n; ++j) {
    if (!IsKeyPose(track[j])) continue;
    // Copies, so that the compiler can keep them in registers while the poses are written.
    const CAnimation pa = track[a];
    const CAnimation pj = track[j];
    const float ja = static_cast<float>(j - a);
    for (size_t l = a + 1; l < j; ++l) {
      const float jl = static_cast<float>(j - l);
      CAnimation& pose = track[l];
      pose.m_position = LinearVector(pj.m_position, pa.m_position, jl, ja);
      pose.m_rotation = LinearVector(pj.m_rotation, pa.m_rotation, jl, ja);
      pose.m_scale = LinearVector(pj.m_scale, pa.m_scale, jl, ja);
    }
    a = j;
  }
  HoldAfter(track, a);
}

void InterpolateHermiteTrack(Track& track) {
  const size_t n = track.size();
  size_t last = n;
  while (last > 0 && !IsKeyPose(track[last - 1])) --last;
  if (last == 0) return;  // no key: nothing to anchor the curve
  --last;

  size_t previous = last;  // the curve is closed: the first key's incoming neighbour is the last
  size_t k = NextKeyFrom(track, 0);
  while (k < last) {
    const size_t l = NextKeyFrom(track, k + 1);
    const size_t afterL = NextKeyFrom(track, l + 1);
    const size_t q = afterL < n ? afterL : 0;  // the last segment leaves towards frame 0
    const CAnimation pk = track[k];
    const CAnimation pl = track[l];
    const CAnimation pp = track[previous];
    const CAnimation pq = track[q];
    const float span = static_cast<float>(l - k);
    for (size_t d = k + 1; d < l; ++d) {
      const HermiteWeights w = WeightsAt(static_cast<float>(d - k) / span);
      CAnimation& pose = track[d];
      pose.m_position = HermiteVector(w, pk.m_position, pl.m_position, pp.m_position, pq.m_position);
      pose.m_rotation = HermiteVector(w, pk.m_rotation, pl.m_rotation, pp.m_rotation, pq.m_rotation);
      pose.m_scale = HermiteVector(w, pk.m_scale, pl.m_scale, pp.m_scale, pq.m_scale);
    }
    previous = k;
    k = l;
  }
  HoldAfter(track, last);
}

void InterpolateLinear(CModel& model) {
  for (Track& track : model.m_tracks) InterpolateLinearTrack(track);
}

void InterpolateHermite(CModel& model) {
  for (Track& track : model.m_tracks) InterpolateHermiteTrack(track);
}

void InterpolateModel(CModel& model, bool hermite) {
  if (hermite)
    InterpolateHermite(model);
  else
    InterpolateLinear(model);
}

void RecomputeAllFrames(Scene& scene) {
  for (CModel& model : scene.m_models) InterpolateModel(model, scene.m_hermite);
}

}  // namespace qv
