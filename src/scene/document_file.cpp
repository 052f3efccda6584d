#include "scene/document_file.h"

#include <algorithm>

#include "platform/atomic_file.h"
#include "platform/regular_file.h"
#include "scene/limits.h"
#include "scene/stored_sizes.h"

namespace qv {

namespace {

constexpr float kFileVersion = 2.7f;

// The frame range a document opens with when its first model has no track (60 + 1 poses).
constexpr int64_t kPosesWithoutTrack = 61;

// Counts the poses a document will make the scene hold, before each allocation, and refuses one
// beyond kMaxStoredPoses. Two counts: the poses read (an empty stored track becomes ten, so a
// small file could ask for many), and the poses after opening, when every model holds a track per
// animation name and its first track is fitted to the first model's (the document's frame
// range): a long first track times many models asked for hundreds of gigabytes.
class OpenedPoseBudget : public TrackSizeCheck {
 public:
  OpenedPoseBudget(uint32_t models, uint32_t names) : m_models(models), m_names(names) {}

  void TrackCount(uint32_t tracks) override {
    ++m_model;
    Within(m_read + tracks);  // every track holds at least one pose
    if (m_model == 1 && tracks == 0) StartFrameRange(kPosesWithoutTrack);
    if (m_model > 1 || tracks == 0) AddFittedModel();
  }

  void PoseCount(uint32_t track, uint32_t poses) override {
    const int64_t held = std::max<int64_t>(1, poses);
    m_read += held;
    Within(m_read);
    if (m_model == 1 && track == 0) {
      StartFrameRange(held);
      AddFittedModel();
    }
    if (track >= 1 && track < m_names) {
      m_fitted += held - 1;  // counted as one in AddFittedModel
      Within(m_fitted);
    }
  }

 private:
  static void Within(int64_t poses) {
    if (poses > kMaxStoredPoses) throw LimitException(kTooManyPosesMessage);
  }
  // Every model will hold the first track's poses: refused here, before the other models are read.
  void StartFrameRange(int64_t poses) {
    m_framePoses = poses;
    if (m_names > 0) Within(int64_t{m_models} * (poses + m_names - 1));
  }
  // A model after opening: the fitted first track and one pose for each other animation's track.
  void AddFittedModel() {
    if (m_names > 0) m_fitted += m_framePoses + m_names - 1;
    Within(m_fitted);
  }

  const int64_t m_models;
  const int64_t m_names;
  int64_t m_model = 0;  // the model being read, from 1
  int64_t m_framePoses = 0;
  int64_t m_read = 0;
  int64_t m_fitted = 0;
};

// The stored fields, in file order. `fps` stands for the scene's m_fps.
void SerializeScene(CArchive& ar, Scene& s, float& fps) {
  if (ar.IsStoring()) {
    ar.WriteFloat(s.m_version);
    ar.WriteUInt32(static_cast<uint32_t>(s.m_models.size()));
    ar.WriteUInt32(static_cast<uint32_t>(s.m_cameras.size()));
    ar.WriteUInt32(static_cast<uint32_t>(s.m_materials.size()));
    ar.WriteUInt32(static_cast<uint32_t>(s.m_animationNames.size()));
    for (const std::string& name : s.m_animationNames) ar.WriteString(name);
    ar.WriteInt32(s.m_nextModelId);
    ar.WriteInt32(s.m_nextMaterialId);
    ar.WriteFloat(fps);
    ar.WriteInt32(s.m_smoothShading);
    ar.WriteInt32(s.m_canvasWidth);
    ar.WriteInt32(s.m_canvasHeight);
    ar.WriteFloat(s.m_fieldOfView);
    ar.WriteUInt32(s.m_backgroundColor);
    ar.WriteBool(s.m_hermite);
    for (CModel& model : s.m_models) model.Serialize(ar);
    for (CAnimation& camera : s.m_cameras) camera.Serialize(ar);
    for (CMaterial& material : s.m_materials) material.Serialize(ar);
    return;
  }

  s.m_version = ar.ReadFloat();  // read back without any check
  const uint32_t modelCount = ar.ReadUInt32();
  const uint32_t cameraCount = ar.ReadUInt32();
  const uint32_t materialCount = ar.ReadUInt32();
  const uint32_t nameCount = ar.ReadUInt32();
  const uint64_t needed = uint64_t{modelCount} * kStoredModelBytes + uint64_t{cameraCount} * kStoredPoseBytes +
                          uint64_t{materialCount} * kStoredMaterialBytes + uint64_t{nameCount} * kStoredStringBytes;
  if (needed > ar.BytesLeft()) throw ArchiveException(ArchiveCause::kEndOfFile);
  // Every model keeps a triangle count per material: both counts multiply.
  if (materialCount > kMaxSceneMaterials) throw LimitException(kTooManyMaterialsMessage);
  s.m_animationNames.clear();
  s.m_animationNames.reserve(nameCount);
  for (uint32_t i = 0; i < nameCount; ++i) s.m_animationNames.push_back(ar.ReadString());
  s.m_nextModelId = ar.ReadInt32();
  s.m_nextMaterialId = ar.ReadInt32();
  fps = ar.ReadFloat();
  s.m_smoothShading = ar.ReadInt32();
  s.m_canvasWidth = ar.ReadInt32();
  s.m_canvasHeight = ar.ReadInt32();
  s.m_fieldOfView = ar.ReadFloat();
  s.m_backgroundColor = ar.ReadUInt32();
  s.m_hermite = ar.ReadBool();
  s.m_models.clear();
  s.m_models.resize(modelCount);
  OpenedPoseBudget budget(modelCount, nameCount);
  for (CModel& model : s.m_models) model.Serialize(ar, &budget);
  s.m_cameras.resize(cameraCount);
  for (CAnimation& camera : s.m_cameras) camera.Serialize(ar);
  s.m_materials.resize(materialCount);
  for (CMaterial& material : s.m_materials) material.Serialize(ar);
}

// Parent links that point nowhere or go round in a circle make the model top level.
void DetachBrokenParents(Scene& s) {
  const auto count = static_cast<int32_t>(s.m_models.size());
  for (CModel& model : s.m_models)
    if (model.m_parent != kNoModel && (model.m_parent < 0 || model.m_parent >= count)) model.m_parent = kNoModel;

  enum : uint8_t { kUnseen, kOnPath, kDone };
  std::vector<uint8_t> state(count, kUnseen);
  std::vector<int32_t> path;
  for (int32_t start = 0; start < count; ++start) {
    if (state[start] != kUnseen) continue;
    path.clear();
    int32_t i = start;
    while (i != kNoModel && state[i] == kUnseen) {
      state[i] = kOnPath;
      path.push_back(i);
      i = s.m_models[i].m_parent;
    }
    if (i != kNoModel && state[i] == kOnPath) {
      // i is on the path just walked: every model from i to the end of the path forms a cycle.
      for (auto it = path.rbegin(); it != path.rend(); ++it) {
        s.m_models[*it].m_parent = kNoModel;
        if (*it == i) break;
      }
    }
    for (int32_t m : path) state[m] = kDone;
  }
}

}  // namespace

void LoadScene(CArchive& ar, Scene& scene) {
  Scene staged;
  float fps = scene.m_fps;
  SerializeScene(ar, staged, fps);  // refuses face indices outside their model
  DetachBrokenParents(staged);

  // Everything read: replace the stored fields, keep the others.
  scene.m_version = staged.m_version;
  scene.m_models = std::move(staged.m_models);
  scene.m_cameras = std::move(staged.m_cameras);
  scene.m_materials = std::move(staged.m_materials);
  scene.m_animationNames = std::move(staged.m_animationNames);
  scene.m_nextModelId = staged.m_nextModelId;
  scene.m_nextMaterialId = staged.m_nextMaterialId;
  scene.m_smoothShading = staged.m_smoothShading;
  scene.m_canvasWidth = staged.m_canvasWidth;
  scene.m_canvasHeight = staged.m_canvasHeight;
  scene.m_fieldOfView = staged.m_fieldOfView;
  scene.m_backgroundColor = staged.m_backgroundColor;
  scene.m_hermite = staged.m_hermite;
  scene.m_fps = fps;
}

void StoreScene(CArchive& ar, Scene& scene) {
  scene.m_version = kFileVersion;
  float fps = scene.m_fps;
  SerializeScene(ar, scene, fps);
}

std::optional<Message> LoadDocumentFile(const std::string& path, Scene& scene) {
  std::optional<Message> failure;
  try {
    FileSource source(path);
    if (source.Size() != 0) {
      CArchive ar(source);
      LoadScene(ar, scene);
      ar.Close();
    }
  } catch (const LimitException& e) {
    failure = Message{0, e.message()};
  } catch (const ArchiveException& e) {
    failure = ArchiveErrorMessage(e.cause(), true);
  } catch (const FileException& e) {
    failure = FileErrorMessage(e, msg::kFailedToOpen);
  } catch (const std::bad_alloc&) {
    failure = MakeMessage(msg::kFailedToOpen);
  }
  return failure;
}

std::optional<Message> StoreDocumentFile(const std::string& path, Scene& scene) {
  try {
    WriteFileAtomically(path, [&](ByteSink& sink) {
      CArchive ar(sink);
      StoreScene(ar, scene);
      ar.Close();
    });
  } catch (const ArchiveException& e) {
    return ArchiveErrorMessage(e.cause(), false);
  } catch (const FileException& e) {
    return FileErrorMessage(e, msg::kFailedToSave);
  }
  return std::nullopt;
}

}  // namespace qv
