// The subset's only WebGL calls: one shader pair that maps window pixels onto
// the drawing buffer, one buffer per vertex array re-filled every frame, and a
// drawArrays per batch. Calls WebGL through the emscripten_gl* names, since the
// plain gl* names of the calls the program makes (glViewport, glClear, ...) are
// the subset's own. Assumes a WebGL 1 context is current (the toolkit's).
#include "web/gl/webgl_backend.h"

#include <emscripten/html5_webgl.h>
#include <webgl/webgl1.h>

#include <cstddef>
#include <cstdio>

namespace glsub {

namespace {

static_assert(sizeof(FrameVertex) == 16, "x, y, w as floats, then four colour bytes");

// (x, y) in pixels over the buffer's size to -1..1, scaled by w so that the
// division by w leaves the pixel and the colours interpolate with perspective.
const char* const kVertexShader = R"(
attribute vec3 position;
attribute vec4 color;
uniform vec2 size;
varying vec4 vColor;
void main() {
    gl_Position = vec4((position.xy / size * 2.0 - 1.0) * position.z, 0.0, position.z);
    vColor = color;
}
)";
const char* const kFragmentShader = R"(
precision mediump float;
varying vec4 vColor;
void main() { gl_FragColor = vColor; }
)";

PresentStats stats;

struct Pipeline {
    GLuint program = 0;
    GLint position = -1, color = -1, size = -1;
    GLuint buffers[2] = {0, 0};  // lines, triangles
};

GLuint compile(GLenum type, const char* source)
{
    const GLuint shader = emscripten_glCreateShader(type);
    emscripten_glShaderSource(shader, 1, &source, nullptr);
    emscripten_glCompileShader(shader);
    GLint ok = 0;
    emscripten_glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[512] = "";
        emscripten_glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::printf("glsub: shader: %s\n", log);
    }
    return shader;
}

const Pipeline& pipeline()
{
    static Pipeline p;
    if (p.program != 0)
        return p;
    p.program = emscripten_glCreateProgram();
    emscripten_glAttachShader(p.program, compile(GL_VERTEX_SHADER, kVertexShader));
    emscripten_glAttachShader(p.program, compile(GL_FRAGMENT_SHADER, kFragmentShader));
    emscripten_glLinkProgram(p.program);
    p.position = emscripten_glGetAttribLocation(p.program, "position");
    p.color = emscripten_glGetAttribLocation(p.program, "color");
    p.size = emscripten_glGetUniformLocation(p.program, "size");
    emscripten_glGenBuffers(2, p.buffers);
    return p;
}

void bind(const Pipeline& p, GLuint buffer)
{
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, buffer);
    emscripten_glVertexAttribPointer(static_cast<GLuint>(p.position), 3, GL_FLOAT, GL_FALSE, sizeof(FrameVertex),
                                     reinterpret_cast<const void*>(offsetof(FrameVertex, x)));
    emscripten_glVertexAttribPointer(static_cast<GLuint>(p.color), 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(FrameVertex),
                                     reinterpret_cast<const void*>(offsetof(FrameVertex, rgba)));
}

}  // namespace

const PresentStats& lastPresent()
{
    return stats;
}

void present(const Frame& frame)
{
    stats = {frame.batches.size(), frame.lines.size(), frame.triangles.size()};
    int width = 0, height = 0;
    emscripten_webgl_get_drawing_buffer_size(emscripten_webgl_get_current_context(), &width, &height);
    emscripten_glViewport(0, 0, width, height);
    emscripten_glClearColor(frame.clearColor.r, frame.clearColor.g, frame.clearColor.b, 1.0f);
    emscripten_glClear(GL_COLOR_BUFFER_BIT);
    if (frame.batches.empty())
        return;

    const Pipeline& p = pipeline();
    emscripten_glUseProgram(p.program);
    emscripten_glUniform2f(p.size, static_cast<float>(width), static_cast<float>(height));
    emscripten_glEnableVertexAttribArray(static_cast<GLuint>(p.position));
    emscripten_glEnableVertexAttribArray(static_cast<GLuint>(p.color));
    const std::vector<FrameVertex>* arrays[2] = {&frame.lines, &frame.triangles};
    for (int k = 0; k < 2; k++) {
        emscripten_glBindBuffer(GL_ARRAY_BUFFER, p.buffers[k]);
        emscripten_glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(arrays[k]->size() * sizeof(FrameVertex)),
                                arrays[k]->data(), GL_STREAM_DRAW);
    }
    int bound = -1;
    for (const Batch& b : frame.batches) {
        const int k = b.kind == BatchKind::Lines ? 0 : 1;
        if (k != bound)
            bind(p, p.buffers[k]);
        bound = k;
        emscripten_glDrawArrays(k == 0 ? GL_LINES : GL_TRIANGLES, static_cast<GLint>(b.first),
                                static_cast<GLsizei>(b.count));
    }
}

}  // namespace glsub
