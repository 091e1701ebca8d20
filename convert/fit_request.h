// Fitting a request: the glyphs its run draws (the ASCII block and the code
// range, or the text's characters) fitted into its cell with its font,
// style and rendering mode.
#pragma once

#include "convert/convert_request.h"
#include "messages/refusal.h"
#include "render/glyph_fit.h"

namespace runemill {

// Fits the glyphs of `request`'s run; a header kind fits the library of its
// code range. Refused as the run would be (codes, cell, codec).
// `progress` as FitGlyphs gives it.
Refusal FitRequest(const ConvertRequest& request, FitResult* result,
                   const FitProgress& progress = {});

// The size and offsets found, written into the request; nothing when no
// size fits.
void ApplyFit(const FitResult& result, ConvertRequest* request);

}  // namespace runemill
