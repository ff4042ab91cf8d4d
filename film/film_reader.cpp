// The film reader. It reads the file in blocks and never holds more than the
// token at hand, so an enormous input costs no more than a short one: reading
// stops after the last record, and an endless one at TAMANO_MAXIMO_CAMARA bytes. Numbers are converted as the standard
// scanner converts them: a count of optional sign and decimal digits (what
// follows the digits is left for the first value, so "2.5" is the count 2 and
// the value .5), and each value by strtof from where the last one ended.
#include "film/film_reader.h"

#include "film/text_lines.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <new>
#include <sys/stat.h>

namespace {

constexpr size_t BLOQUE = 64 * 1024;         // bytes read at a time

class Escaner {
public:
    explicit Escaner(FILE* f) : f_(f) {}

    // Skips white space; false at the end of the file.
    bool saltarBlancos()
    {
        int c;
        while ((c = mirar(0)) != EOF && std::isspace(c))
            consumir(1);
        return c != EOF;
    }

    // The run of non-blank characters that starts here, at most LARGO_MAXIMO_NUMERO + 1
    // long (one more than a number can be, to tell that it is too long). Not consumed.
    std::string token()
    {
        size_t n = 0;
        int c;
        while (n <= LARGO_MAXIMO_NUMERO && (c = mirar(n)) != EOF && !std::isspace(c))
            n++;
        return buf_.substr(pos_, n);
    }

    void consumir(size_t n)
    {
        for (size_t i = 0; i < n && pos_ < buf_.size(); i++, pos_++) {
            if (buf_[pos_] == '\n') {
                aqui_.linea++;
                aqui_.columna = 1;
            } else {
                aqui_.columna++;
            }
        }
    }

    PosicionTexto aqui() const { return aqui_; }
    // Whether the file went on past TAMANO_MAXIMO_CAMARA bytes: its end was taken to be there.
    bool excedido() const { return excedido_; }

private:
    // The character i places ahead, reading more of the file as needed.
    int mirar(size_t i)
    {
        while (pos_ + i >= buf_.size()) {
            if (fin_)
                return EOF;
            if (pos_ > 0) {  // drop what has been consumed before growing
                buf_.erase(0, pos_);
                pos_ = 0;
            }
            char bloque[BLOQUE];
            const size_t leidos = std::fread(bloque, 1, sizeof bloque, f_);
            leidos_ += static_cast<long long>(leidos);
            excedido_ = leidos_ > TAMANO_MAXIMO_CAMARA;
            if (leidos == 0 || excedido_) {
                fin_ = true;
                return EOF;
            }
            buf_.append(bloque, leidos);
        }
        return static_cast<unsigned char>(buf_[pos_ + i]);
    }

    FILE* f_;
    std::string buf_;
    size_t pos_ = 0;
    bool fin_ = false;
    long long leidos_ = 0;  // bytes read from the file
    bool excedido_ = false;
    PosicionTexto aqui_{1, 1};
};

void fallar(LecturaPelicula& l, FalloPelicula fallo, const Escaner& e, const std::string& token)
{
    l.fallo = fallo;
    l.donde = e.aqui();
    l.encontrado = recortarToken(token);
}

// The count, as "%d" reads it: optional sign, then decimal digits. False, with the
// fault set, when there are no digits or the number does not fit an int.
bool leerCuenta(Escaner& e, LecturaPelicula& l)
{
    if (!e.saltarBlancos()) {
        fallar(l, FalloPelicula::SinCuenta, e, "");
        return false;
    }
    const std::string t = e.token();
    size_t i = (t[0] == '+' || t[0] == '-') ? 1 : 0;
    const size_t primeraCifra = i;
    long long valor = 0;
    bool cabe = true;
    for (; i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])); i++) {
        valor = valor * 10 + (t[i] - '0');
        if (valor > static_cast<long long>(INT_MAX) + 1)
            cabe = false, valor = static_cast<long long>(INT_MAX) + 1;
    }
    if (i == primeraCifra) {
        fallar(l, FalloPelicula::SinCuenta, e, t);
        return false;
    }
    if (t[0] == '-')
        valor = -valor;
    if (!cabe || valor > INT_MAX || valor < INT_MIN) {
        fallar(l, FalloPelicula::CuentaFueraDeRango, e, t.substr(0, i));
        return false;
    }
    l.posicionCuenta = e.aqui();
    l.hayCuenta = true;
    l.cuenta = static_cast<int>(valor);
    e.consumir(i);
    return true;
}

// One value, as "%f" reads it: strtof from where the last number ended.
bool leerValor(Escaner& e, LecturaPelicula& l, float& valor, PosicionTexto& donde)
{
    if (!e.saltarBlancos()) {
        fallar(l, FalloPelicula::FaltanRegistros, e, "");
        return false;
    }
    donde = e.aqui();
    const std::string t = e.token();
    char* fin = nullptr;
    valor = t.size() > LARGO_MAXIMO_NUMERO ? 0.0f : std::strtof(t.c_str(), &fin);
    if (fin == nullptr || fin == t.c_str()) {
        fallar(l, FalloPelicula::NoEsNumero, e, t);
        return false;
    }
    e.consumir(static_cast<size_t>(fin - t.c_str()));
    return true;
}

// Whether an open file is a regular one with more than TAMANO_MAXIMO_CAMARA bytes
// from where it stands.
bool demasiadoGrande(FILE* fichero)
{
    struct stat s;
    const int fd = fileno(fichero);
    return fd >= 0 && fstat(fd, &s) == 0 && S_ISREG(s.st_mode) &&
           s.st_size - std::max<off_t>(ftello(fichero), 0) > TAMANO_MAXIMO_CAMARA;
}

void leerRegistros(Escaner& e, LecturaPelicula& l, bool mirarResto)
{
    if (!leerCuenta(e, l))
        return;
    if (l.cuenta < 0) {
        l.fallo = FalloPelicula::CuentaNegativa;
        l.donde = l.posicionCuenta;
        l.encontrado = std::to_string(l.cuenta);
        return;
    }
    // The tables grow as records arrive, so a huge count in a short file costs nothing.
    for (int i = 0; i < l.cuenta; i++) {
        std::array<float, 9> pose{};
        PosicionTexto inicio, donde;
        for (size_t k = 0; k < pose.size(); k++) {
            if (!leerValor(e, l, pose[k], donde))
                return;
            if (k == 0)
                inicio = donde;
        }
        try {
            l.poses.push_back(pose);
            l.inicioRegistro.push_back(inicio);
        } catch (const std::bad_alloc&) {
            l.fallo = FalloPelicula::SinMemoria;
            l.donde = inicio;
            return;
        }
    }
    if (mirarResto && e.saltarBlancos()) {
        l.hayResto = true;
        l.resto = e.aqui();
    }
}

}  // namespace

LecturaPelicula leerPelicula(FILE* fichero, bool mirarResto)
{
    LecturaPelicula l;
    Escaner e(fichero);
    const bool grande = demasiadoGrande(fichero);
    if (!grande)
        leerRegistros(e, l, mirarResto);
    if (grande || e.excedido()) {
        l.fallo = FalloPelicula::DemasiadoGrande;
        l.donde = grande ? PosicionTexto{} : e.aqui();
        l.encontrado.clear();
        l.hayResto = false;
    }
    return l;
}

int LecturaPelicula::codigo() const
{
    switch (fallo) {
    case FalloPelicula::Ninguno:        return 0;
    case FalloPelicula::CuentaNegativa: return -1;
    case FalloPelicula::SinMemoria:     return -2;
    default:                            return -3;
    }
}

std::string describirFallo(const LecturaPelicula& l)
{
    const std::string hallado = l.encontrado.empty() ? "the end of the file" : "\"" + l.encontrado + "\"";
    const size_t registro = l.poses.size() + 1;
    switch (l.fallo) {
    case FalloPelicula::Ninguno:
        return "";
    case FalloPelicula::SinCuenta:
        return "expected the number of records, found " + hallado;
    case FalloPelicula::CuentaFueraDeRango:
        return "expected a number of records up to " + std::to_string(INT_MAX) + ", found " + hallado;
    case FalloPelicula::CuentaNegativa:
        return "expected a number of records of 0 or more, found " + hallado;
    case FalloPelicula::FaltanRegistros:
        return "expected " + std::to_string(l.cuenta) + " records of nine numbers, found the end of the file in record " +
               std::to_string(registro);
    case FalloPelicula::NoEsNumero:
        return "expected a number in record " + std::to_string(registro) + ", found " + hallado;
    case FalloPelicula::SinMemoria:
        return "no memory left for record " + std::to_string(registro);
    case FalloPelicula::DemasiadoGrande:
        return std::string("larger than ") + TEXTO_TAMANO_MAXIMO_CAMARA + ", the most a film may be";
    }
    return "";
}
