#pragma once
// A scene header that reaches up into the document: the layer check must refuse it.
#include "document/motion_doc.h"
