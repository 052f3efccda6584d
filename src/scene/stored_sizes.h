#pragma once
// Smallest stored size of each record, used to refuse counts that a damaged file could not hold.
#include <cstddef>

namespace qv {

inline constexpr size_t kStoredIndexBytes = 4;
inline constexpr size_t kStoredUvBytes = 8;
inline constexpr size_t kStoredVectorBytes = 12;
inline constexpr size_t kStoredPoseBytes = 40;
inline constexpr size_t kStoredStringBytes = 1;
inline constexpr size_t kStoredCountBytes = 4;
// normal, material, index count, coordinate count
inline constexpr size_t kStoredFaceBytes = 12 + 4 + 4 + 4;
// number, name, colour, five factors, three file names
inline constexpr size_t kStoredMaterialBytes = 4 + 1 + 16 + 20 + 3;
// id, name, parent, parent name, three counts, visible, smoothing angle, origin
inline constexpr size_t kStoredModelBytes = 4 + 1 + 4 + 1 + 12 + 4 + 4 + 12;

}  // namespace qv
