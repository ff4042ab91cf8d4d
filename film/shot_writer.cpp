// Shot lists written for the shot-list reader.
#include "film/shot_writer.h"

#include "film/text_lines.h"

#include <cstdio>
#include <cstdlib>

namespace {

// The columns a key's fields start at in the bundled shot list: frame, eye, centre, up, motion.
constexpr int ANCHO_FOTOGRAMA = 7;
constexpr int ANCHO_OJO = 29;
constexpr int ANCHO_CENTRO = 25;
constexpr int ANCHO_ARRIBA = 8;

std::string formatear(const char* formato, int precision, float valor)
{
    char texto[64];
    std::snprintf(texto, sizeof texto, formato, precision, static_cast<double>(valor));
    return texto;
}

std::string tres(const std::array<float, 3>& v)
{
    return textoDeNumero(v[0]) + " " + textoDeNumero(v[1]) + " " + textoDeNumero(v[2]);
}

// The field, then spaces up to ancho, and always one space.
void campo(std::string& linea, const std::string& texto, int ancho)
{
    linea += texto;
    linea.append(texto.size() + 1 < static_cast<size_t>(ancho) ? ancho - texto.size() : 1, ' ');
}

// The shortest "%.Ng" text that strtod reads back as the same double.
std::string textoDeDecimal(double valor)
{
    char texto[32];
    for (int digitos = 1; digitos <= 17; digitos++) {
        std::snprintf(texto, sizeof texto, "%.*g", digitos, valor);
        if (std::strtod(texto, nullptr) == valor)
            break;
    }
    return texto;
}

}  // namespace

std::string textoDeNumero(float valor)
{
    if (valor == 0.0f)
        return "0";
    for (int decimales = 0; decimales <= 9; decimales++) {
        const std::string texto = formatear("%.*f", decimales, valor);
        float leido = 0.0f;
        if (numeroDeToken(texto, leido) && leido == valor)
            return texto;
    }
    return formatear("%.*g", 9, valor);
}

std::string textoDePunto(const PuntoToma& punto)
{
    if (!punto.conActor)
        return tres(punto.xyz);
    const std::string nombre = nombresDeActores()[static_cast<size_t>(punto.actor)];
    if (punto.xyz == std::array<float, 3>{})
        return nombre;
    return nombre + " + " + tres(punto.xyz);
}

std::string lineaDeClave(const ClaveToma& clave)
{
    std::string linea;
    campo(linea, std::to_string(clave.fotograma), ANCHO_FOTOGRAMA);
    campo(linea, textoDePunto(clave.ojo), ANCHO_OJO);
    campo(linea, textoDePunto(clave.centro), ANCHO_CENTRO);
    campo(linea, tres(clave.arriba), ANCHO_ARRIBA);
    return linea + nombreDeMovimiento(clave.movimiento);
}

std::string lineaDeMusica(const MusicaDeTomas& musica)
{
    std::string linea = "music \"";
    for (char c : musica.fichero)
        linea += c == '"' || c == '\\' ? std::string("\\") + c : std::string(1, c);
    linea += '"';
    if (musica.desplazamiento != 0.0)
        linea += " offset " + textoDeDecimal(musica.desplazamiento);
    if (musica.tempo > 0.0)
        linea += " tempo " + textoDeDecimal(musica.tempo);
    if (musica.gananciaDb != MusicaDeTomas().gananciaDb)
        linea += " gain " + textoDeDecimal(musica.gananciaDb);
    return linea;
}

std::string textoDeTomas(const std::vector<ClaveToma>& claves, const std::string& comentario)
{
    std::string texto;
    recorrerLineas(comentario, [&](int, const std::string& linea) {
        texto += linea.empty() ? "#\n" : "# " + linea + "\n";
    });
    for (const ClaveToma& clave : claves)
        texto += lineaDeClave(clave) + "\n";
    return texto;
}
