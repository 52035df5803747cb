// A small drawing for demonstrations: door tags and sheet numbers on a few layers, a locked and
// an off layer, paragraph and multi-line texts, a text near the length limit, and a line.
#pragma once

#include "cadhost/model/drawing.h"

#include <string>

namespace cadhost {

Drawing SampleDrawing();

} // namespace cadhost
