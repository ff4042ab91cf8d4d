// The recording reader. Each line is read on its own: its tokens must be exactly
// nine numbers, as the standard scanner reads them. Non-finite numbers are read
// as they are: judging the poses is the film check's task.
#include "film/recording_reader.h"

#include <cctype>

namespace {

// A first line holding only a whole number: the count line of a film.
bool esLineaDeCuenta(const std::vector<Token>& tokens)
{
    if (tokens.size() != 1)
        return false;
    const std::string& t = tokens[0].texto;
    const size_t primera = (t[0] == '+' || t[0] == '-') ? 1 : 0;
    if (primera == t.size())
        return false;
    for (size_t i = primera; i < t.size(); i++)
        if (!std::isdigit(static_cast<unsigned char>(t[i])))
            return false;
    return true;
}

}  // namespace

LecturaGrabacion leerGrabacion(const std::string& texto)
{
    LecturaGrabacion l;
    bool primeraLlena = true;
    recorrerLineas(texto, [&](int numero, const std::string& linea) {
        const std::vector<Token> tokens = tokensDeLinea(linea, false);
        if (tokens.empty())
            return;
        if (primeraLlena && esLineaDeCuenta(tokens)) {
            l.errores.anotar({numero, tokens[0].columna},
                             "expected nine numbers, found only " + citar(tokens[0].texto) +
                                 ": this is a film already (its count line, then its records); check it with film check");
            return;
        }
        primeraLlena = false;
        std::array<float, 9> pose{};
        for (size_t k = 0; k < tokens.size(); k++) {
            if (k == pose.size()) {
                l.errores.anotar({numero, tokens[k].columna},
                                 "expected nine numbers and the end of the line, found " + citar(tokens[k].texto));
                return;
            }
            if (!numeroDeToken(tokens[k].texto, pose[k])) {
                l.errores.anotar({numero, tokens[k].columna}, "expected number " + std::to_string(k + 1) +
                                                                  " of nine, found " + citar(tokens[k].texto));
                return;
            }
        }
        if (tokens.size() < pose.size()) {
            l.errores.anotar({numero, columnaFinal(tokens)}, "expected nine numbers, found the end of the line after " +
                                                                 std::to_string(tokens.size()) + " of them");
            return;
        }
        l.poses.push_back(pose);
        l.inicioPose.push_back({numero, tokens[0].columna});
    });
    return l;
}
