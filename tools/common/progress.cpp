// The progress bar. Rates are measured from the start, so a slow first frame
// (the context warming up) weighs less as the work goes on.
#include "tools/common/progress.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
constexpr double INTERVALO_TERMINAL_S = 0.1;  // redraws on a terminal at most this often
constexpr double INTERVALO_LINEAS_S = 5.0;    // a line this often when not a terminal
constexpr int ANCHO_BARRA = 30;               // characters of the bar itself
}  // namespace

BarraProgreso::BarraProgreso(std::string que, long long total, Modo modo)
    : que_(std::move(que)), total_(total), modo_(modo), inicio_(std::chrono::steady_clock::now()),
      ultimo_(inicio_)
{
}

BarraProgreso::Modo BarraProgreso::modoPara(bool callada)
{
    if (callada)
        return Modo::Callada;
    return isatty(STDERR_FILENO) ? Modo::Terminal : Modo::Lineas;
}

double BarraProgreso::segundos() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio_).count();
}

std::string BarraProgreso::duracion(double segundos)
{
    const long long s = std::llround(std::max(0.0, segundos));
    char texto[32];
    if (s >= 3600)
        std::snprintf(texto, sizeof texto, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    else
        std::snprintf(texto, sizeof texto, "%lld:%02lld", s / 60, s % 60);
    return texto;
}

std::string BarraProgreso::linea(long long hechos, long long total, double segundos, int ancho)
{
    const double ritmo = segundos > 0 ? hechos / segundos : 0.0;
    const std::string falta = ritmo > 0 ? duracion((total - hechos) / ritmo) + " left" : "--:-- left";
    char cifras[128];
    std::snprintf(cifras, sizeof cifras, "%lld/%lld frames  %.1f fps  %s", hechos, total, ritmo, falta.c_str());
    if (ancho <= 0)
        return cifras;
    const int llenos = total > 0 ? static_cast<int>(ancho * std::min(hechos, total) / total) : ancho;
    return "[" + std::string(llenos, '#') + std::string(ancho - llenos, '-') + "] " + cifras;
}

void BarraProgreso::avanzar(long long hechos)
{
    if (modo_ == Modo::Callada)
        return;
    const auto ahora = std::chrono::steady_clock::now();
    const double desdeUltimo = std::chrono::duration<double>(ahora - ultimo_).count();
    const bool ultimo = hechos >= total_;
    if (modo_ == Modo::Terminal) {
        if (desdeUltimo < INTERVALO_TERMINAL_S && !ultimo && dibujada_)
            return;
        std::fprintf(salida_, "\r%s%s\033[K", linea(hechos, total_, segundos(), ANCHO_BARRA).c_str(), nota_.c_str());
        dibujada_ = true;
    } else {
        if (desdeUltimo < INTERVALO_LINEAS_S)
            return;
        std::fprintf(salida_, "%s: %s%s\n", que_.c_str(), linea(hechos, total_, segundos(), 0).c_str(), nota_.c_str());
    }
    std::fflush(salida_);
    ultimo_ = ahora;
}

void BarraProgreso::terminar()
{
    if (modo_ == Modo::Terminal && dibujada_) {
        std::fprintf(salida_, "\r\033[K");
        std::fflush(salida_);
        dibujada_ = false;
    }
}
