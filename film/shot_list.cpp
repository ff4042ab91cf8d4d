// The shot-list reader. Each line is read on its own, token by token; the first
// thing that is not what the grammar expects there is the line's error, and the
// line gives no key (nor music). Frames are compared with the last key that was
// read well. A music line's name is read from the line's bytes, as it is quoted;
// its settings as tokens.
#include "film/shot_list.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

struct NombreMovimiento {
    const char* nombre;
    Movimiento movimiento;
};

constexpr std::array<NombreMovimiento, 3> MOVIMIENTOS = {{
    {"step",   Movimiento::Fijo},
    {"linear", Movimiento::Lineal},
    {"smooth", Movimiento::Suave},
}};

constexpr std::array<const char*, 3> EJES = {"x", "y", "z"};

// A setting of the music line: its word, what its number is, its limits.
struct AjusteMusica {
    const char* palabra;
    const char* numero;   // what was expected where no number stands
    const char* limites;  // what was expected where the number is out of them
    double minimo, maximo;
    bool conMinimo;       // whether minimo itself is allowed
    double MusicaDeTomas::*campo;
};

const std::array<AjusteMusica, 3> AJUSTES_MUSICA = {{
    {"offset", "a number of seconds for the music's offset", "an offset from -86400 to 86400 seconds",
     -DESPLAZAMIENTO_MAXIMO_MUSICA, DESPLAZAMIENTO_MAXIMO_MUSICA, true, &MusicaDeTomas::desplazamiento},
    {"tempo", "a number of beats a minute for the music's tempo", "a tempo above 0 and at most 1000 beats a minute",
     0.0, TEMPO_MAXIMO_MUSICA, false, &MusicaDeTomas::tempo},
    {"gain", "a number of decibels for the music's gain", "a gain from -60 to 20 dB", GANANCIA_MINIMA_MUSICA,
     GANANCIA_MAXIMA_MUSICA, true, &MusicaDeTomas::gananciaDb},
}};

// One line's tokens, read in order. The first failure is kept; later reads fail too.
class LectorLinea {
public:
    LectorLinea(int linea, std::vector<Token> tokens) : linea_(linea), tokens_(std::move(tokens)) {}

    bool quedan() const { return i_ < tokens_.size(); }
    // The column where the next token starts, or where the line's tokens end.
    int columnaSiguiente() const { return quedan() ? actual().columna : columnaFinal(tokens_); }
    // The column just after the last token read.
    int columnaLeida() const
    {
        return i_ == 0 ? 1 : tokens_[i_ - 1].columna + static_cast<int>(tokens_[i_ - 1].texto.size());
    }
    const Token& actual() const { return tokens_[i_]; }
    void avanzar() { i_++; }
    bool fallo() const { return fallo_; }
    const ErrorTexto& error() const { return error_; }

    // The token at hand, quoted, or "the end of the line".
    std::string hallado() const { return quedan() ? citar(actual().texto) : "the end of the line"; }

    bool fallar(const std::string& esperado, const std::string& despues = "")
    {
        if (!fallo_) {
            fallo_ = true;
            error_.donde = {linea_, quedan() ? actual().columna : columnaFinal(tokens_)};
            error_.mensaje = "expected " + esperado + ", found " + hallado() + despues;
        }
        return false;
    }

    // A finite number, for the value named que ("the eye's x").
    bool numero(const std::string& que, float& valor)
    {
        if (fallo_)
            return false;
        if (!quedan() || !numeroDeToken(actual().texto, valor))
            return fallar("a number for " + que);
        if (!std::isfinite(valor))
            return fallar("a finite number for " + que);
        avanzar();
        return true;
    }

    bool tres(const std::string& que, std::array<float, 3>& v)
    {
        for (size_t k = 0; k < v.size(); k++)
            if (!numero(que + " " + EJES[k], v[k]))
                return false;
        return true;
    }

    // The frame: decimal digits only.
    bool fotograma(long long& valor)
    {
        valor = 0;
        const std::string& t = actual().texto;
        for (char c : t) {
            if (!std::isdigit(static_cast<unsigned char>(c)))
                return fallar("a frame number (a whole number, 0 or more)");
            valor = std::min(valor * 10 + (c - '0'), static_cast<long long>(INT_MAX) + 1);
        }
        return true;
    }

    // A point: three numbers, a name, or a name, "+" and three numbers.
    bool punto(const std::string& que, PuntoToma& p)
    {
        if (fallo_)
            return false;
        float x;
        if (quedan() && numeroDeToken(actual().texto, x))
            return tres(que + "'s", p.xyz);
        if (!quedan() || !actorPorNombre(actual().texto, p.actor)) {
            const bool pareceNombre = quedan() && std::isalpha(static_cast<unsigned char>(actual().texto[0]));
            return fallar("a number or a name for " + que,
                          pareceNombre ? " (names: " + listaDeActores() + ")" : "");
        }
        p.conActor = true;
        avanzar();
        if (quedan() && actual().texto == "+") {
            avanzar();
            return tres(que + "'s offset", p.xyz);
        }
        return true;
    }

    bool movimiento(Movimiento& m)
    {
        if (fallo_ || !quedan())
            return !fallo_;
        for (const auto& n : MOVIMIENTOS)
            if (actual().texto == n.nombre) {
                m = n.movimiento;
                avanzar();
                return true;
            }
        return fallar("step, linear or smooth, or the end of the line");
    }

    // A setting's number, within its limits.
    bool ajuste(const AjusteMusica& a, double& valor)
    {
        if (fallo_)
            return false;
        const char* texto = quedan() ? actual().texto.c_str() : "";
        char* fin = nullptr;
        const double v = std::strtod(texto, &fin);
        if (!quedan() || fin == texto || *fin != '\0')
            return fallar(a.numero);
        if (!(v <= a.maximo && (a.conMinimo ? v >= a.minimo : v > a.minimo)))
            return fallar(a.limites);
        valor = v;
        avanzar();
        return true;
    }

    // Nothing may follow the key.
    void fin()
    {
        if (!fallo_ && quedan())
            fallar("the end of the line");
    }

private:
    int linea_;
    std::vector<Token> tokens_;
    size_t i_ = 0;
    bool fallo_ = false;
    ErrorTexto error_;
};

bool blanco(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

// Where a music line goes on after its word, music; npos for any other line.
size_t trasPalabraMusica(const std::string& linea)
{
    const size_t p = linea.find_first_not_of(" \t\r");
    if (p == std::string::npos || linea.compare(p, 5, "music") != 0)
        return std::string::npos;
    const size_t q = p + 5;
    return q == linea.size() || blanco(linea[q]) || linea[q] == '"' || linea[q] == '#' ? q : std::string::npos;
}

// The tokens of the line from byte desde on, with their columns in the whole line.
std::vector<Token> tokensDesde(const std::string& linea, size_t desde)
{
    std::vector<Token> tokens = tokensDeLinea(linea.substr(desde), true);
    for (Token& t : tokens)
        t.columna += static_cast<int>(desde);
    return tokens;
}

// The settings after the name: each word once, then its number.
void leerAjustesMusica(LectorLinea& lector, MusicaDeTomas& m)
{
    std::array<bool, AJUSTES_MUSICA.size()> dado{};
    while (lector.quedan() && !lector.fallo()) {
        size_t k = 0;
        while (k < AJUSTES_MUSICA.size() && (dado[k] || lector.actual().texto != AJUSTES_MUSICA[k].palabra))
            k++;
        if (k == AJUSTES_MUSICA.size()) {
            std::string esperado;
            for (size_t j = 0; j < AJUSTES_MUSICA.size(); j++)
                if (!dado[j])
                    esperado += std::string(AJUSTES_MUSICA[j].palabra) + ", ";
            lector.fallar(esperado + "or the end of the line");
            return;
        }
        dado[k] = true;
        lector.avanzar();
        lector.ajuste(AJUSTES_MUSICA[k], m.*AJUSTES_MUSICA[k].campo);
    }
}

// A music line, read on from just after its word: the name between double
// quotes, then the settings. False, with the error, when it does not read.
bool leerMusica(int numero, const std::string& linea, size_t desde, MusicaDeTomas& m, ErrorTexto& error)
{
    const size_t comillas = linea.find_first_not_of(" \t\r", desde);
    if (comillas == std::string::npos || linea[comillas] != '"') {
        LectorLinea lector(numero, tokensDesde(linea, desde));
        const bool nada = !lector.quedan();
        lector.fallar("the music file's name between double quotes (music \"FILE NAME\")");
        error = lector.error();
        if (nada)  // the end of the line: just after the word
            error.donde.columna = static_cast<int>(desde) + 1;
        return false;
    }
    size_t i = comillas + 1;
    for (; i < linea.size() && linea[i] != '"'; i++) {
        if (linea[i] == '\\' && i + 1 < linea.size() && (linea[i + 1] == '"' || linea[i + 1] == '\\'))
            i++;
        m.fichero += linea[i];
    }
    if (i == linea.size()) {
        error = {{numero, static_cast<int>(linea.size()) + 1},
                 "expected the double quote that ends the music file's name, found the end of the line"};
        return false;
    }
    if (m.fichero.empty()) {
        error = {{numero, static_cast<int>(comillas) + 1}, "expected a file name between the double quotes, found \"\""};
        return false;
    }
    LectorLinea lector(numero, tokensDesde(linea, i + 1));
    leerAjustesMusica(lector, m);
    error = lector.error();
    m.hay = !lector.fallo();
    m.linea = numero;
    return m.hay;
}

// The music line into the list, or its error; a second one is an error.
void anotarMusica(int numero, const std::string& linea, size_t desde, ListaDeTomas& lista)
{
    if (lista.musica.hay) {
        lista.errores.anotar({numero, static_cast<int>(linea.find_first_not_of(" \t\r")) + 1},
                             "expected one music line at most, found a second (the first is at line " +
                                 std::to_string(lista.musica.linea) + ")");
        return;
    }
    MusicaDeTomas m;
    ErrorTexto error;
    if (leerMusica(numero, linea, desde, m, error))
        lista.musica = m;
    else
        lista.errores.anotar(error.donde, error.mensaje);
}

}  // namespace

const char* nombreDeMovimiento(Movimiento movimiento)
{
    for (const auto& n : MOVIMIENTOS)
        if (n.movimiento == movimiento)
            return n.nombre;
    return "";
}

ListaDeTomas leerListaDeTomas(const std::string& texto, int fotogramas)
{
    ListaDeTomas lista;
    recorrerLineas(texto, [&](int numero, const std::string& linea) {
        const size_t control = controlEnLinea(linea);
        if (control != std::string::npos) {
            lista.errores.anotar({numero, static_cast<int>(control) + 1}, mensajeDeControl(linea, control));
            return;
        }
        if (const size_t musica = trasPalabraMusica(linea); musica != std::string::npos) {
            anotarMusica(numero, linea, musica, lista);
            return;
        }
        LectorLinea lector(numero, tokensDeLinea(linea, true));
        if (!lector.quedan())
            return;
        ClaveToma clave;
        clave.linea = numero;
        const PosicionTexto dondeFotograma{numero, lector.actual().columna};
        long long f = 0;
        if (lector.fotograma(f)) {
            if (f >= fotogramas) {
                lector.fallar("a frame below " + std::to_string(fotogramas) + " (the film's length)");
            } else if (!lista.claves.empty() && f <= lista.claves.back().fotograma) {
                const ClaveToma& previa = lista.claves.back();
                lista.errores.anotar(dondeFotograma, "frame " + std::to_string(f) +
                                                         " is not after the previous key's frame " +
                                                         std::to_string(previa.fotograma) + " (line " +
                                                         std::to_string(previa.linea) + ")");
                return;
            }
            lector.avanzar();
        }
        clave.fotograma = static_cast<int>(f);
        clave.campoFotograma = {dondeFotograma.columna, lector.columnaLeida()};
        // Each field from where its first token starts to where its last one ends.
        const auto campo = [&](CampoTexto& c, auto leer) {
            c.desde = lector.columnaSiguiente();
            leer();
            c.hasta = std::max(c.desde, lector.columnaLeida());
        };
        campo(clave.campoOjo, [&] { lector.punto("the eye", clave.ojo); });
        campo(clave.campoCentro, [&] { lector.punto("the centre", clave.centro); });
        campo(clave.campoArriba, [&] { lector.tres("the up vector's", clave.arriba); });
        if (lector.quedan())
            campo(clave.campoMovimiento, [&] { lector.movimiento(clave.movimiento); });
        else
            clave.campoMovimiento = {clave.campoArriba.hasta, clave.campoArriba.hasta};
        lector.fin();
        if (lector.fallo())
            lista.errores.anotar(lector.error().donde, lector.error().mensaje);
        else
            lista.claves.push_back(clave);
    });
    if (lista.claves.empty() && lista.errores.vacio())
        lista.errores.anotar(finDelTexto(texto), "expected a key, \"FRAME EYE CENTRE UP [MOTION]\", found the end of the file");
    return lista;
}
