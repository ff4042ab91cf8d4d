// The tools' command lines: the parsers of their options' values, the options
// declared with them, and a call read by CLI11, its usage and help written from
// its declarations (see command_line.h).
#include "tools/common/command_line.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr size_t ANCHO_TEXTO = 79;       // the width help and usage are wrapped to
constexpr size_t COLUMNA_MAXIMA = 22;    // where an option's description starts, at most

// The words of texto laid out in lines of at most ANCHO_TEXTO characters, each
// line after the first starting with sangria spaces; the first starts at columna.
std::string envolver(const std::string& texto, size_t columna, size_t sangria)
{
    std::string r;
    size_t linea = columna;
    size_t i = 0;
    while (i < texto.size()) {
        const size_t fin = std::min(texto.find(' ', i), texto.size());
        const std::string palabra = texto.substr(i, fin - i);
        i = fin + 1;
        if (palabra.empty())
            continue;
        if (linea > sangria && linea + 1 + palabra.size() > ANCHO_TEXTO) {
            r += "\n" + std::string(sangria, ' ');
            linea = sangria;
        } else if (linea > columna || !r.empty()) {
            r += ' ';
            linea++;
        }
        r += palabra;
        linea += palabra.size();
    }
    return r;
}

// "film compile": the names of the call and of the commands above it.
std::string rutaDe(const CLI::App& app)
{
    const CLI::App* padre = app.get_parent();
    return padre == nullptr ? app.get_name() : rutaDe(*padre) + " " + app.get_name();
}

bool esAyudaOVersion(const CLI::App& app, const CLI::Option* o)
{
    return o == app.get_help_ptr() || o == app.get_version_ptr();
}

// The options a person sees: neither positional nor hidden (an empty group).
std::vector<const CLI::Option*> opcionesVisibles(const CLI::App& app)
{
    return app.get_options([](const CLI::Option* o) { return o->nonpositional() && !o->get_group().empty(); });
}

// "-o FILM", "--force": an option as the usage names it, the short name for one
// that takes a value.
std::string usoDeOpcion(const CLI::Option& o)
{
    const bool valor = o.get_expected_max() != 0;
    const std::string nombre = valor && !o.get_snames().empty() ? "-" + o.get_snames().front()
                               : !o.get_lnames().empty()        ? "--" + o.get_lnames().front()
                                                                : "-" + o.get_snames().front();
    return valor ? nombre + " " + o.get_type_name() : nombre;
}

// The words after the call's name in its usage: the positionals, then the options;
// those of a group (other than CLI11's "Options") as "(A | B)", one or more of them.
std::vector<std::string> palabrasDeUso(const CLI::App& app)
{
    std::vector<std::string> palabras;
    for (const CLI::Option* o : app.get_options([](const CLI::Option* o) { return o->get_positional(); })) {
        const std::string nombre = o->get_name(true, false);
        palabras.push_back(o->get_required() ? nombre : "[" + nombre + "]");
    }
    std::vector<std::string> grupos;
    for (const CLI::Option* o : opcionesVisibles(app)) {
        if (esAyudaOVersion(app, o))
            continue;
        const std::string& grupo = o->get_group();
        if (grupo == "Options") {
            palabras.push_back(o->get_required() ? usoDeOpcion(*o) : "[" + usoDeOpcion(*o) + "]");
        } else if (std::find(grupos.begin(), grupos.end(), grupo) == grupos.end()) {
            grupos.push_back(grupo);
            std::string alternativas;
            for (const CLI::Option* otra : opcionesVisibles(app))
                if (otra->get_group() == grupo)
                    alternativas += (alternativas.empty() ? "(" : " | ") + usoDeOpcion(*otra);
            palabras.push_back(alternativas + ")");
        }
    }
    return palabras;
}

// "NAME WORDS", the words wrapped under the first of them.
std::string lineaDeUso(const CLI::App& app, const std::string& entrada)
{
    const std::string nombre = rutaDe(app);
    std::string r = entrada + nombre;
    const size_t sangria = entrada.size() + nombre.size() + 1;
    size_t linea = r.size();
    for (const std::string& p : palabrasDeUso(app)) {
        if (linea > sangria && linea + 1 + p.size() > ANCHO_TEXTO) {
            r += "\n" + std::string(sangria - 1, ' ');
            linea = sangria - 1;
        }
        r += " " + p;
        linea += 1 + p.size();
    }
    return r + "\n";
}

std::vector<const CLI::App*> ordenes(const CLI::App& app)
{
    return app.get_subcommands([](const CLI::App* s) { return !s->get_name().empty(); });
}

// "-o, --output FILM": an option's names and its value's.
std::string nombresDeOpcion(const CLI::Option& o)
{
    std::string nombres;
    for (const std::string& s : o.get_snames())
        nombres += (nombres.empty() ? "-" : ", -") + s;
    for (const std::string& l : o.get_lnames())
        nombres += (nombres.empty() ? "--" : ", --") + l;
    return o.get_expected_max() != 0 ? nombres + " " + o.get_type_name() : nombres;
}

// "  -o, --output FILM  description", the description from columna on, wrapped.
std::string lineaDeOpcion(const CLI::Option& o, size_t columna)
{
    std::string r = "  " + nombresDeOpcion(o);
    r += r.size() + 2 > columna ? "\n" + std::string(columna, ' ') : std::string(columna - r.size(), ' ');
    return r + envolver(o.get_description(), columna, columna) + "\n";
}

// The help: the usage, the description, the commands, the options (help and
// version last), the footer.
class FormatoAyuda : public CLI::FormatterBase {
public:
    std::string make_help(const CLI::App* app, std::string, CLI::AppFormatMode) const override
    {
        std::string r = lineasDeUso(*app);
        if (!app->get_description().empty())
            r += "\n" + app->get_description() + "\n";
        const std::vector<const CLI::App*> subordenes = ordenes(*app);
        if (!subordenes.empty())
            r += "\n";
        for (const CLI::App* s : subordenes)
            r += "  " + s->get_name() + std::string(s->get_name().size() < 10 ? 11 - s->get_name().size() : 1, ' ') +
                 envolver(s->get_description(), 13, 13) + "\n";
        std::vector<const CLI::Option*> opciones;
        for (const CLI::Option* o : opcionesVisibles(*app))
            if (!esAyudaOVersion(*app, o))
                opciones.push_back(o);
        for (const CLI::Option* o : {app->get_help_ptr(), app->get_version_ptr()})
            if (o != nullptr)
                opciones.push_back(o);
        size_t columna = 0;
        for (const CLI::Option* o : opciones)
            columna = std::max(columna, nombresDeOpcion(*o).size() + 4);
        columna = std::min(columna, COLUMNA_MAXIMA);
        r += "\n";
        for (const CLI::Option* o : opciones)
            r += lineaDeOpcion(*o, columna);
        if (!app->get_footer().empty())
            r += "\n" + app->get_footer() + "\n";
        return r;
    }
};

// An option whose text leer turns into its value; leer answers what it expected
// when it cannot, and the call is then refused in those words.
template <typename Leer>
CLI::Option* opcion(CLI::App& app, const std::string& nombres, const std::string& tipo, const std::string& ayuda,
                    Leer leer)
{
    // Messages name an option by its long name ("-o,--output": --output).
    const size_t largo = nombres.find("--");
    const std::string nombre = nombres.substr(largo == std::string::npos ? 0 : largo);
    const auto leerTexto = [nombre, leer](const std::string& texto) {
        const std::string esperado = leer(texto);
        if (!esperado.empty())
            throw CLI::ValidationError(nombre.substr(0, nombre.find(',')) + " expects " + esperado + ", not \"" +
                                       texto + "\"");
    };
    return app.add_option_function<std::string>(nombres, leerTexto, ayuda)->type_name(tipo);
}

std::string desdeHasta(long long minimo, long long maximo)
{
    return "a whole number from " + std::to_string(minimo) + " to " + std::to_string(maximo);
}

}  // namespace

bool leerEntero(const std::string& texto, long long minimo, long long maximo, long long& valor)
{
    if (texto.empty() || texto.find_first_not_of("0123456789") != std::string::npos)
        return false;
    long long v = 0;
    const auto [fin, error] = std::from_chars(texto.data(), texto.data() + texto.size(), v);
    if (error != std::errc() || fin != texto.data() + texto.size() || v < minimo || v > maximo)
        return false;
    valor = v;
    return true;
}

bool leerNumero(const std::string& texto, double minimo, double maximo, double& valor)
{
    if (texto.empty() || texto.find_first_not_of("0123456789.eE+-") != std::string::npos)
        return false;
    char* fin = nullptr;
    const double v = std::strtod(texto.c_str(), &fin);
    if (fin != texto.c_str() + texto.size() || !std::isfinite(v) || v < minimo || v > maximo)
        return false;
    valor = v;
    return true;
}

bool leerTramos(const std::string& texto, std::vector<Tramo>& tramos)
{
    std::vector<Tramo> leidos;
    size_t inicio = 0;
    for (;;) {
        const size_t coma = std::min(texto.find(',', inicio), texto.size());
        const std::string r = texto.substr(inicio, coma - inicio);
        const size_t guion = r.find('-');
        Tramo t;
        if (!leerEntero(r.substr(0, guion), 0, LLONG_MAX, t.desde))
            return false;
        t.hasta = t.desde;
        if (guion != std::string::npos && !leerEntero(r.substr(guion + 1), t.desde, LLONG_MAX, t.hasta))
            return false;
        leidos.push_back(t);
        if (coma == texto.size())
            break;
        inicio = coma + 1;
    }
    tramos = std::move(leidos);
    return true;
}

bool leerTamano(const std::string& texto, Tamano& tamano)
{
    const size_t x = texto.find('x');
    long long ancho = 0, alto = 0;
    if (x == std::string::npos || !leerEntero(texto.substr(0, x), 1, LADO_MAXIMO, ancho) ||
        !leerEntero(texto.substr(x + 1), 1, LADO_MAXIMO, alto))
        return false;
    tamano = {static_cast<int>(ancho), static_cast<int>(alto)};
    return true;
}

std::string textoDeTramos(const std::vector<Tramo>& tramos)
{
    std::string r;
    for (const Tramo& t : tramos)
        r += (r.empty() ? "" : ",") + std::to_string(t.desde) +
             (t.hasta == t.desde ? "" : "-" + std::to_string(t.hasta));
    return r;
}

CLI::Option* opcionEntero(CLI::App& app, const std::string& nombres, const std::string& tipo, int minimo, int maximo,
                          int& destino, const std::string& ayuda)
{
    return opcion(app, nombres, tipo, ayuda, [&destino, minimo, maximo](const std::string& texto) {
        long long v = 0;
        if (!leerEntero(texto, minimo, maximo, v))
            return desdeHasta(minimo, maximo);
        destino = static_cast<int>(v);
        return std::string();
    });
}

CLI::Option* opcionNumero(CLI::App& app, const std::string& nombres, const std::string& tipo, double minimo,
                          double maximo, const std::string& que, double& destino, const std::string& ayuda)
{
    return opcion(app, nombres, tipo, ayuda, [&destino, minimo, maximo, que](const std::string& texto) {
        return leerNumero(texto, minimo, maximo, destino) ? std::string() : que;
    });
}

CLI::Option* opcionTramos(CLI::App& app, const std::string& nombres, const std::string& tipo,
                          std::vector<Tramo>& destino, const std::string& ayuda, const std::string& porQue)
{
    return opcion(app, nombres, tipo, ayuda, [&destino, porQue](const std::string& texto) {
        if (!leerTramos(texto, destino))
            return std::string(porQue.empty() ? "A-B with 0 <= A <= B, one frame N, or a comma-separated list of them"
                                              : "A-B with 0 <= A <= B, or one frame N");
        if (!porQue.empty() && destino.size() > 1)
            return "one range, A-B or N: " + porQue;
        return std::string();
    });
}

CLI::Option* opcionTamano(CLI::App& app, const std::string& nombres, Tamano& destino, const std::string& ayuda)
{
    return opcion(app, nombres, "WxH", ayuda, [&destino](const std::string& texto) {
        return leerTamano(texto, destino) ? std::string()
                                          : "WxH in pixels, each from 1 to " + std::to_string(LADO_MAXIMO) +
                                                ", such as 1280x720";
    });
}

CLI::Option* opcionEleccion(CLI::App& app, const std::string& nombres, const std::string& tipo,
                            const std::vector<std::string>& eleccion, std::string& destino, const std::string& ayuda)
{
    return opcion(app, nombres, tipo, ayuda, [&destino, eleccion](const std::string& texto) {
        if (std::find(eleccion.begin(), eleccion.end(), texto) != eleccion.end()) {
            destino = texto;
            return std::string();
        }
        std::string lista;
        for (const std::string& e : eleccion)
            lista += (lista.empty() ? "" : ", ") + e;
        return "one of " + lista;
    });
}

CLI::Option* opcionFichero(CLI::App& app, const std::string& nombres, const std::string& tipo, std::string& destino,
                           const std::string& ayuda)
{
    return opcion(app, nombres, tipo, ayuda, [&destino](const std::string& texto) {
        destino = texto;
        return texto.empty() ? std::string("a file name") : std::string();
    });
}

void prepararLlamada(CLI::App& app, const std::string& version)
{
    app.formatter(std::make_shared<FormatoAyuda>());
    app.set_help_flag("-h,--help", "this text");
    if (!version.empty())
        app.set_version_flag("--version", version, "the version");
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

int leerLlamada(CLI::App& app, int argc, const char* const* argv)
{
    const std::vector<const CLI::App*> subordenes = ordenes(app);
    if (!subordenes.empty()) {
        const std::string primera = argc > 1 ? argv[1] : "";
        if (primera.empty() && argc <= 1)
            return usoIncorrecto(app, "a command is needed");
        const bool esOrden = std::any_of(subordenes.begin(), subordenes.end(),
                                         [&](const CLI::App* s) { return s->get_name() == primera; });
        if (!esOrden && primera.rfind('-', 0) != 0)
            return usoIncorrecto(app, "'" + primera + "' is not a command");
    }
    try {
        app.parse(argc, argv);
        return SEGUIR;
    } catch (const CLI::CallForHelp&) {
        std::printf("%s", app.help().c_str());
        return SALIDA_BIEN;
    } catch (const CLI::CallForVersion& e) {
        std::printf("%s\n", e.what());
        return SALIDA_BIEN;
    } catch (const CLI::ParseError& e) {
        const CLI::App* donde = &app;
        while (!donde->get_subcommands().empty())
            donde = donde->get_subcommands().front();
        return usoIncorrecto(*donde, e.what());
    }
}

int usoIncorrecto(const CLI::App& app, const std::string& queja)
{
    std::fprintf(stderr, "%s: %s\n%s", rutaDe(app).c_str(), queja.c_str(), lineasDeUso(app).c_str());
    return SALIDA_USO;
}

std::string lineasDeUso(const CLI::App& app)
{
    const std::vector<const CLI::App*> subordenes = ordenes(app);
    if (subordenes.empty())
        return lineaDeUso(app, "usage: ");
    std::string r;
    for (const CLI::App* s : subordenes)
        r += lineaDeUso(*s, r.empty() ? "usage: " : "   or: ");
    return r;
}
