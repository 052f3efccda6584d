#pragma once
// Keyframe interpolation: fills the in-between poses of tracks from their key poses.
//
// Every track stores a pose for every frame; poses with m_key = 1 are authored, all others are
// overwritten here. The nine channels (position, rotation, scale x/y/z) are interpolated
// independently in single precision, in exactly the operation order written below: exported
// files print these values with four decimals and must come out the same to the last digit.
// Key poses and key flags are never written.
#include "scene/model.h"
#include "scene/pose.h"

namespace qv {

class Scene;

// Linear in-betweens, for every track of the model. Frame 0 is the first anchor even when it is
// not a key. Between anchors a < l < j:
//   V[l] = V[j] - float(j - l) * (V[j] - V[a]) / float(j - a)
// Frames after the last key hold its pose (all frames hold pose 0 when there is no key).
void InterpolateLinear(CModel& model);
void InterpolateLinearTrack(Track& track);

// Closed Catmull-Rom (Hermite) in-betweens, for every track of the model. For consecutive keys
// k < l, with P the key before k (the last key for the first segment) and q the key after l
// (frame 0 when l is the last key), for k < d < l:
//   s = float(d - k) / float(l - k),  s2 = s * s,  s3 = s2 * s
//   h00 = 2 * s3 - 3 * s2 + 1,  h10 = s3 - 2 * s2 + s,  h01 = 3 * s2 - 2 * s3,  h11 = s3 - s2
//   V[d] = h00 * V[k] + h10 * 0.5f * (V[l] - V[P]) + h01 * V[l] + h11 * 0.5f * (V[q] - V[k])
// (left to right). Frames before the first key are left alone; frames after the last key hold
// its pose; a track without keys is left unchanged.
void InterpolateHermite(CModel& model);
void InterpolateHermiteTrack(Track& track);

// Hermite when `hermite` is true, linear otherwise.
void InterpolateModel(CModel& model, bool hermite);

// InterpolateModel for every model of the scene, in model order, with the scene's mode.
void RecomputeAllFrames(Scene& scene);

}  // namespace qv
