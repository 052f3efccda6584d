#pragma once
// A geometry header that calls the system itself: the layer check must refuse it.
#include <sys/stat.h>

#include "scene/scene.h"
