// Writing all of a buffer to a file descriptor (a pipe, a file), however many
// calls it takes and whatever signals interrupt them.
#pragma once

#include <cstddef>

// False, with errno set, when a write fails.
bool escribirTodo(int fd, const void* datos, size_t n);
