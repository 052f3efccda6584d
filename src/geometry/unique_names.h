#pragma once
// Unique model and material names after models or materials were added.
#include "scene/scene.h"

namespace qv {

// A model whose name equals another model's name (ignoring letter case) is renamed "%s_%d" with
// the first number from 2 upwards that makes it unique, examining the models from the last to
// the first; materials likewise. The first of a set of equal names keeps its name.
void MakeNamesUnique(Scene& scene);

}  // namespace qv
