// The private X server: Xvfb on a display number it chooses itself (-displayfd),
// in a process group of its own so that the terminal's Ctrl-C reaches only us,
// and we stop it in order.
#include "tools/common/display_server.h"

#include <X11/Xlib.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool seAbre(const char* nombre)
{
    Display* d = XOpenDisplay(nombre);
    if (d == nullptr)
        return false;
    XCloseDisplay(d);
    return true;
}

}  // namespace

bool ServidorX::asegurar(std::string& error)
{
    const char* actual = std::getenv("DISPLAY");
    if (actual != nullptr && *actual != '\0' && seAbre(actual)) {
        nombre_ = actual;
        return true;
    }
    int tubo[2];
    if (pipe2(tubo, O_CLOEXEC) != 0) {
        error = std::string("cannot start Xvfb: ") + std::strerror(errno);
        return false;
    }
    const pid_t padre = getpid();
    pid_ = fork();
    if (pid_ < 0) {
        error = std::string("cannot start Xvfb: ") + std::strerror(errno);
        close(tubo[0]);
        close(tubo[1]);
        return false;
    }
    if (pid_ == 0) {
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != padre)
            _exit(1);
        const int nulo = open("/dev/null", O_RDWR);
        dup2(nulo, STDIN_FILENO);
        dup2(nulo, STDOUT_FILENO);
        dup2(nulo, STDERR_FILENO);
        const int fd = dup(tubo[1]);  // without close-on-exec: Xvfb writes its number here
        const std::string numeroFd = std::to_string(fd);
        execlp("Xvfb", "Xvfb", "-displayfd", numeroFd.c_str(), "-screen", "0", "640x480x24", "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(tubo[1]);
    std::string numero;
    char c;
    ssize_t n;
    while ((n = read(tubo[0], &c, 1)) == 1 && c != '\n')
        numero += c;
    close(tubo[0]);
    if (numero.empty()) {
        int estado = 0;
        waitpid(pid_, &estado, 0);
        pid_ = -1;
        error = WIFEXITED(estado) && WEXITSTATUS(estado) == 127
            ? "there is no display and Xvfb is not installed (install the xvfb package, or set DISPLAY)"
            : "there is no display and Xvfb did not start";
        return false;
    }
    nombre_ = ":" + numero;
    setenv("DISPLAY", nombre_.c_str(), 1);
    return true;
}

void ServidorX::parar()
{
    if (pid_ <= 0)
        return;
    kill(pid_, SIGTERM);
    int estado;
    while (waitpid(pid_, &estado, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
}
