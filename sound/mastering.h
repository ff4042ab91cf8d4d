// The soundtrack's last stage: the story's mix at one fixed gain, the music at
// its own, and a limiter that looks ahead so that no sample passes the ceiling.
// Nothing is measured from the film to set a level: the same sound is as loud in
// any film, and the bundled film's soundtrack comes out at about -16 LUFS.
#pragma once

#include <array>
#include <vector>

// The story's mix is raised by this much (dB) before the music joins it.
constexpr double GANANCIA_MEZCLA_DB = 4.8;
// No sample passes this level: -2 dBFS, which keeps the true peak (between
// samples) under -1 dBTP.
constexpr float TECHO_LIMITADOR = 0.7943f;
// How far the limiter looks ahead, in stereo pairs (about 1.3 ms).
constexpr int ANTICIPO_LIMITADOR = 64;

// Music as the mastering adds it: interleaved stereo pairs at 48 kHz, its pair
// 0 at the soundtrack's pair desplazamiento, at a linear gain.
struct MusicaMezclada {
    const std::vector<float>* muestras = nullptr;
    long desplazamiento = 0;
    float ganancia = 0.0f;
};

class Masterizador {
public:
    explicit Masterizador(const MusicaMezclada& musica);
    // Takes the mix's next n stereo pairs and appends to listos the mastered
    // pairs now ready: each comes out ANTICIPO_LIMITADOR pairs after it went in.
    void pasar(const float* mezcla, int n, std::vector<float>& listos);
    // Stereo pairs mastered so far; the first is the soundtrack's pair 0.
    long producidos() const { return tomados_ > ANTICIPO_LIMITADOR ? tomados_ - ANTICIPO_LIMITADOR : 0; }

private:
    static constexpr int VENTANA = ANTICIPO_LIMITADOR + 1;
    MusicaMezclada musica_;
    float ganancia_, soltar_;
    long tomados_ = 0;
    std::array<float, 2 * VENTANA> retardo_{};  // the pairs waiting for their gain
    std::array<float, VENTANA> envolventes_;    // the limiter's last gains
    std::array<long, VENTANA> indiceMinimo_{};  // the window's rising queue of required gains
    std::array<float, VENTANA> valorMinimo_{};
    int cabeza_ = 0, cuantos_ = 0;
    double suma_;
    float envolvente_ = 1.0f;

    float requerida(long k, float& izquierda, float& derecha, const float* par) const;
    float minimoVentana(long k, float requerida);
};
