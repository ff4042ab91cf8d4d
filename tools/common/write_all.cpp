// Writing all of a buffer: short writes go on where they stopped, EINTR retries.
#include "tools/common/write_all.h"

#include <cerrno>
#include <unistd.h>

bool escribirTodo(int fd, const void* datos, size_t n)
{
    const char* p = static_cast<const char*>(datos);
    while (n > 0) {
        const ssize_t escritos = write(fd, p, n);
        if (escritos < 0 && errno == EINTR)
            continue;
        if (escritos <= 0)
            return false;
        p += escritos;
        n -= static_cast<size_t>(escritos);
    }
    return true;
}
