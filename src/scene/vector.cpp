#include "scene/vector.h"

#include "scene/archive.h"

namespace qv {

void CVector::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteFloat(x);
    ar.WriteFloat(y);
    ar.WriteFloat(z);
  } else {
    x = ar.ReadFloat();
    y = ar.ReadFloat();
    z = ar.ReadFloat();
  }
}

void CUV::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteFloat(u);
    ar.WriteFloat(v);
  } else {
    u = ar.ReadFloat();
    v = ar.ReadFloat();
  }
}

}  // namespace qv
