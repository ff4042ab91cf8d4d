// Signal handlers that only note, remove temporaries, kill and raise: all safe
// in a handler.
#include "tools/common/signals.h"

#include "tools/common/whole_file.h"

#include <atomic>
#include <csignal>
#include <cstdlib>

namespace {

constexpr int SENALES[] = {SIGINT, SIGTERM, SIGHUP};

std::atomic<int> recibida{0};
void (*alDetener)() = nullptr;

[[noreturn]] void pararYa(int senal)
{
    if (alDetener != nullptr)
        alDetener();
    quitarTemporalesYa();
    morirPorSenal(senal);
}

void anotarOParar(int senal)
{
    int ninguna = 0;
    if (!recibida.compare_exchange_strong(ninguna, senal))
        pararYa(senal);
}

// A signal ignored when the tool starts (SIGHUP under nohup, SIGINT in a
// script's background job) stays ignored, as it is for any other command.
void instalar(void (*manejador)(int))
{
    struct sigaction accion {};
    accion.sa_handler = manejador;
    sigemptyset(&accion.sa_mask);
    accion.sa_flags = SA_RESTART;
    for (int s : SENALES) {
        struct sigaction antes {};
        if (sigaction(s, nullptr, &antes) == 0 && antes.sa_handler == SIG_IGN)
            continue;
        sigaction(s, &accion, nullptr);
    }
}

}  // namespace

void alSenalTerminarYa()
{
    instalar(pararYa);
}

void alSenalTerminarLuego(void (*detener)())
{
    alDetener = detener;
    instalar(anotarOParar);
}

int senalRecibida()
{
    return recibida.load();
}

void morirPorSenal(int senal)
{
    signal(senal, SIG_DFL);
    sigset_t conjunto;
    sigemptyset(&conjunto);
    sigaddset(&conjunto, senal);
    sigprocmask(SIG_UNBLOCK, &conjunto, nullptr);
    raise(senal);
    std::_Exit(128 + senal);  // not reached: the default action of these signals ends the process
}
