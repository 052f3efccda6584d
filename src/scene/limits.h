#pragma once
// Every size and count the program refuses beyond, in one place: the desktop dialogs and the
// command line check against these same numbers (the README's "Limits on input" table lists
// them). A logo is a few words or a few imported objects on a timeline of some seconds; the
// limits sit far above that and only stop what would exhaust memory or take hours.
#include <cstddef>
#include <cstdint>

#include "scene/interface_text.h"

namespace qv {

// --- Timeline ---------------------------------------------------------------------------------

// The largest last frame the editing commands accept (about nine hours at 30 frames per second).
inline constexpr int32_t kMaxLastFrame = 1'000'000;

// Poses the scene may hold, over every model's tracks of every animation (models x frames x
// animations; an empty track counts as one). A pose is 40 bytes, so the scene holds at most
// 400 MB of them; the web and glTF exports add a matrix per pose (a 64-byte matrix, its pointer
// and heap header), and a glTF export of ten models at a million frames peaks at 1.7 GB. 30
// models at a million frames asked for 1.2 GB and 4.8 GB; 10,000 imported models for 400 GB.
inline constexpr int64_t kMaxStoredPoses = 10'000'000;

// --- Import (.mqo) ----------------------------------------------------------------------------

// Limits of one import; a file beyond them is refused as a whole. A logo is a few objects of a
// few thousand faces; these sizes only come from hostile or mistaken files (each object also
// carries a pose per frame, and mirroring multiplies faces by up to eight).
inline constexpr int64_t kMaxImportObjects = 10000;
inline constexpr int64_t kMaxImportFaces = 1000000;     // after mirroring
inline constexpr int64_t kMaxImportVertices = 1000000;  // after mirroring

// Materials of the whole scene, and so of one import: every model keeps a triangle count per
// scene material, so models x materials must stay small (a million materials took 2 GB to
// export); imports and texts add materials and cannot pass this, and a document with more does
// not open.
inline constexpr int64_t kMaxSceneMaterials = 10000;

// --- Textures ---------------------------------------------------------------------------------

// Largest texture side in pixels (read from the file's header before anything is decoded).
inline constexpr int32_t kMaxTextureSide = 8192;

// --- Text models ------------------------------------------------------------------------------

// Longest text made into a model, in characters: a logo is a few words, and every character
// costs its whole mesh (a hundred thousand characters took gigabytes). Longer texts make nothing.
inline constexpr size_t kMaxTextCharacters = 1000;
// Largest font size and thickness the command line accepts, in model units.
inline constexpr float kMaxTextExtent = 100000.0f;
// Subdivision counts above this are taken as this: finer steps change nothing visible and would
// only make the mesh huge.
inline constexpr int32_t kMaxSubdivisions = 100;
// Letter spacing in thousandths of the font size: from glyphs overlapping by a whole cell to ten
// cells apart.
inline constexpr int32_t kMinTextTracking = -1000;
inline constexpr int32_t kMaxTextTracking = 10000;
// Faces of one text model, the import's limit: estimated from the outlines before any mesh is
// made (a cap, its back and the walls make about three faces per outline point).
inline constexpr int64_t kMaxTextFaces = kMaxImportFaces;
// Profile steps of a bevel: past this, the steps are finer than the shading shows.
inline constexpr int32_t kMaxBevelSegments = 32;

// --- Settings ---------------------------------------------------------------------------------

inline constexpr float kMinFps = 1.0f;
inline constexpr float kMaxFps = 1000.0f;  // playback ticks every 1000 / rate milliseconds
inline constexpr int32_t kMaxCanvasSide = 16384;

// --- Pictures and movies ----------------------------------------------------------------------

// Sides of a rendered picture or a movie frame (as drawn, supersampling included).
inline constexpr int kMaxMovieSide = 16384;
inline constexpr int kMaxSupersample = 4;
// Pixels drawn for one picture or movie frame (supersampling included): 8192 x 8192. Drawing
// costs about 12 bytes a pixel (colour and depth buffers, the picture read back), so a picture
// stays under a gigabyte; 16384 x 16384 took 3.3 GB.
inline constexpr int64_t kMaxDrawnPixels = int64_t{8192} * 8192;
// Sides libvpx's VP9 and libwebp write at most (GIF and PNG take kMaxMovieSide).
inline constexpr int kMaxWebmSide = 16383;
inline constexpr int kMaxWebpSide = 16383;
// Pixels of a video frame (MP4, WebM): the encoders keep a dozen frames of their own, so a
// 4096 x 4096 movie peaks near 1.8 GB; also within H.264's largest level (8192 x 4352), beyond
// which players refuse the stream.
inline constexpr int64_t kMaxVideoPixels = int64_t{4096} * 4096;
// Frames one movie encodes, the repeats of a video included (frames x loops): about nine hours
// at 30 frames per second, as long as the longest timeline.
inline constexpr int64_t kMaxMovieFrames = int64_t{kMaxLastFrame} + 1;
inline constexpr int kMaxMovieLoops = 65535;

// --- Messages of the limits (the desktop program's; the command line translates them) ----------

inline constexpr const char* kTooManyPosesMessage = QV_TRANSLATE_NOOP("Messages", "モデル数×フレーム数が多すぎます！");
inline constexpr const char* kTooManyMaterialsMessage = QV_TRANSLATE_NOOP("Messages", "材質が多すぎます！");
inline constexpr const char* kTextTooLargeMessage = QV_TRANSLATE_NOOP("Messages", "文字のポリゴン数が多すぎます！");

}  // namespace qv
