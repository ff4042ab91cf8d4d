// Diagnostic lines: file, line, column (errors only), severity, message.
#include "film/diagnostics.h"

#include <array>

std::string lineaDiagnostico(const std::string& fichero, PosicionTexto donde, Gravedad gravedad,
                             const std::string& mensaje)
{
    static constexpr std::array<const char*, 3> ETIQUETAS = {"error", "warning", "note"};
    std::string linea = fichero;
    if (donde.linea > 0) {
        linea += ":" + std::to_string(donde.linea);
        if (gravedad == Gravedad::Error && donde.columna > 0)
            linea += ":" + std::to_string(donde.columna);
    }
    return linea + ": " + ETIQUETAS[static_cast<size_t>(gravedad)] + ": " + mensaje;
}
