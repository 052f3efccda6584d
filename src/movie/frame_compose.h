#pragma once
// Turns what the renderer drew into one movie frame: scaled down from the supersampled size and,
// for a transparent movie, with the alpha recovered from two drawings over black and over white.
#include "platform/rgba_image.h"

namespace qv {

// `overBlack` is the frame drawn over a black background. With `overWhite` (the same frame over
// white) a pixel's alpha is 255 minus how far the two drawings differ, and its colour is the
// black drawing divided by that alpha: this holds for blended, translucent materials too.
// Without it the frame is opaque. Each `factor` x `factor` block becomes one pixel (box filter,
// averaged with premultiplied alpha). `out` is reused between frames.
void ComposeMovieFrame(const RgbaImage& overBlack, const RgbaImage* overWhite, int factor, RgbaImage& out);

}  // namespace qv
