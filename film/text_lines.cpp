// Tokens, numbers and quoted tokens of camera text files.
#include "film/text_lines.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr size_t LARGO_MOSTRADO = 40;       // a token quoted in a message is cut here

bool blanco(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

std::vector<Token> tokensDeLinea(const std::string& linea, bool comentarios)
{
    std::vector<Token> tokens;
    size_t i = 0;
    const size_t fin = comentarios ? std::min(linea.find('#'), linea.size()) : linea.size();
    while (i < fin) {
        if (blanco(linea[i])) {
            i++;
            continue;
        }
        const size_t inicio = i;
        while (i < fin && !blanco(linea[i]))
            i++;
        tokens.push_back({linea.substr(inicio, i - inicio), static_cast<int>(inicio) + 1});
    }
    return tokens;
}

int columnaFinal(const std::vector<Token>& tokens)
{
    if (tokens.empty())
        return 1;
    return tokens.back().columna + static_cast<int>(tokens.back().texto.size());
}

PosicionTexto finDelTexto(const std::string& texto)
{
    PosicionTexto donde{1, 1};
    for (char c : texto) {
        if (c == '\n') {
            donde.linea++;
            donde.columna = 1;
        } else {
            donde.columna++;
        }
    }
    return donde;
}

size_t controlEnLinea(const std::string& linea)
{
    for (size_t i = 0; i < linea.size(); i++) {
        const auto c = static_cast<unsigned char>(linea[i]);
        if ((c < 0x20 && c != '\t' && c != '\r') || c == 0x7f)
            return i;
        if (c == 0xc2 && i + 1 < linea.size() && static_cast<unsigned char>(linea[i + 1]) >= 0x80 &&
            static_cast<unsigned char>(linea[i + 1]) <= 0x9f)
            return i;
    }
    return std::string::npos;
}

std::string mensajeDeControl(const std::string& linea, size_t donde)
{
    const auto c = static_cast<unsigned char>(linea[donde]);
    const unsigned codigo = c == 0xc2 ? static_cast<unsigned char>(linea[donde + 1]) : c;
    char u[8];
    std::snprintf(u, sizeof u, "U+%04X", codigo);
    return std::string("expected printable text, found the control character ") + u + (codigo == 0 ? " (NUL)" : "");
}

bool numeroDeToken(const std::string& token, float& valor)
{
    if (token.empty() || token.size() > LARGO_MAXIMO_NUMERO)
        return false;
    char* fin = nullptr;
    valor = std::strtof(token.c_str(), &fin);
    return fin == token.c_str() + token.size();
}

std::string recortarToken(const std::string& token)
{
    std::string mostrado;
    for (unsigned char c : token.substr(0, LARGO_MOSTRADO))
        mostrado += std::isprint(c) ? static_cast<char>(c) : '?';
    return token.size() > LARGO_MOSTRADO ? mostrado + "..." : mostrado;
}

std::string citar(const std::string& token)
{
    return "\"" + recortarToken(token) + "\"";
}

void ErroresTexto::anotar(PosicionTexto donde, const std::string& mensaje)
{
    if (primeros_.size() < MAXIMO)
        primeros_.push_back({donde, mensaje});
    total_++;
}
