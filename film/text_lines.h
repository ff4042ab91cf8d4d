// What the line-by-line readers of camera text files share (the recording reader
// and the shot-list reader): a line split into tokens with their columns, numbers
// read from whole tokens, tokens quoted for messages, and the errors kept with
// their place. Assumes nothing about the text: any bytes, any length.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A place in a text file.
struct PosicionTexto {
    int linea = 0;    // 1-based; 0 when there is no position
    int columna = 0;  // 1-based, in bytes
};

struct Token {
    std::string texto;
    int columna = 0;  // 1-based, in bytes
};

// The tokens of one line (without its newline), separated by white space. With
// comentarios, a '#' and everything after it on the line are left out.
std::vector<Token> tokensDeLinea(const std::string& linea, bool comentarios);

// The column just after the last token, where "the end of the line" stands in a
// message (1 when there is no token).
int columnaFinal(const std::vector<Token>& tokens);

// Calls porLinea(numero, linea) for each line of the text, numbered from 1, split
// at '\n'; a '\r' before it stays in the line, as white space.
template <typename Fn>
void recorrerLineas(const std::string& texto, Fn porLinea)
{
    int numero = 1;
    size_t inicio = 0;
    while (inicio < texto.size()) {
        size_t fin = texto.find('\n', inicio);
        if (fin == std::string::npos)
            fin = texto.size();
        porLinea(numero++, texto.substr(inicio, fin - inicio));
        inicio = fin + 1;
    }
}

// Where the text ends: the line and column after its last byte.
PosicionTexto finDelTexto(const std::string& texto);

// The byte offset in the line of its first control character (any of U+0000 to
// U+001F but tab and carriage return, U+007F, or U+0080 to U+009F written in
// UTF-8), or npos when it has none. Such a character is no text: other programs
// cut a line at a NUL, and the rest are invisible.
size_t controlEnLinea(const std::string& linea);
// "expected printable text, found the control character U+0000 (NUL)", for the
// control character at that offset of the line.
std::string mensajeDeControl(const std::string& linea, size_t donde);

// A longer run of non-blank bytes is no number, in any camera text file.
constexpr size_t LARGO_MAXIMO_NUMERO = 4096;

// The whole token as a float, as the standard scanner reads one ("%f"): false when
// it is not a number or some of it is left over. Infinities and NaNs are numbers.
bool numeroDeToken(const std::string& token, float& valor);

// A token as a message shows it: cut after 40 bytes (then "..."), with every byte
// that cannot be printed as '?'.
std::string recortarToken(const std::string& token);
// The same between double quotes.
std::string citar(const std::string& token);

struct ErrorTexto {
    PosicionTexto donde;
    std::string mensaje;  // "expected ..., found ..." (no file name, no place)
};

// The errors found in a text file, in file order: the first MAXIMO with their
// place and message, the rest only counted.
class ErroresTexto {
public:
    static constexpr size_t MAXIMO = 20;

    void anotar(PosicionTexto donde, const std::string& mensaje);
    const std::vector<ErrorTexto>& primeros() const { return primeros_; }
    int total() const { return total_; }
    bool vacio() const { return total_ == 0; }

private:
    std::vector<ErrorTexto> primeros_;
    int total_ = 0;
};
