// Draws one of the subset's frames into the current WebGL context (the one the
// toolkit made for the canvas): the drawing buffer cleared to the frame's clear
// colour, then one draw call per batch. Built with emscripten only.
#pragma once

#include "web/gl/glsub.h"

#include <cstddef>

namespace glsub {

void present(const Frame& frame);

// What the last present drew, for a page's statistics.
struct PresentStats {
    std::size_t drawCalls = 0, lineVertices = 0, triangleVertices = 0;
};
const PresentStats& lastPresent();

}  // namespace glsub
