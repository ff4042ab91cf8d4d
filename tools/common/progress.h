// A progress bar on standard error for long work: redrawn in place on a
// terminal (at most ten times a second), one line every few seconds when
// standard error is a pipe or a file, nothing at all when quiet.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>
#include <utility>

class BarraProgreso {
public:
    enum class Modo { Terminal, Lineas, Callada };

    // what: the program's name, at the start of each line in Lineas mode.
    BarraProgreso(std::string que, long long total, Modo modo);
    // Terminal when standard error is a terminal, else Lineas; Callada when quiet.
    static Modo modoPara(bool callada);

    // A few words after the figures of every line ("smooth lines"); none by default.
    void anotar(std::string nota) { nota_ = std::move(nota); }
    // n units done so far; redraws when it is time to.
    void avanzar(long long hechos);
    // Clears the bar from the terminal (before a message or the summary).
    void terminar();

    // One line of the bar: done of total, units a second, time left.
    static std::string linea(long long hechos, long long total, double segundos, int ancho);
    // Seconds as m:ss, or h:mm:ss from an hour on.
    static std::string duracion(double segundos);

    double segundos() const;  // since the bar was made

private:
    std::string que_, nota_;
    long long total_;
    Modo modo_;
    std::chrono::steady_clock::time_point inicio_, ultimo_;
    bool dibujada_ = false;
    FILE* salida_ = stderr;
};
