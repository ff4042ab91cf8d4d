// The limiter's gain for each pair is the mean of the next ANTICIPO_LIMITADOR + 1
// gains of an envelope that takes at once the least gain that any pair in the
// window before it needs, and lets go slowly (80 ms). Each of those means is at
// most the gain its pair needs, so the ceiling holds with no clipping, and the
// gain glides down over the look-ahead instead of jumping.
#include "sound/mastering.h"

#include "sound/dsp.h"

#include <algorithm>
#include <cmath>

Masterizador::Masterizador(const MusicaMezclada& musica)
    : musica_(musica),
      ganancia_(static_cast<float>(decibelios(GANANCIA_MEZCLA_DB))),
      soltar_(static_cast<float>(1.0 - expo(-1.0 / (0.08 * MUESTRAS_POR_SEGUNDO)))),
      suma_(VENTANA)
{
    envolventes_.fill(1.0f);
}

// Pair k of the mix at its gain, with the music: the gain it needs to stay under the ceiling.
float Masterizador::requerida(long k, float& izquierda, float& derecha, const float* par) const
{
    izquierda = par[0] * ganancia_;
    derecha = par[1] * ganancia_;
    if (musica_.muestras != nullptr) {
        const long j = k - musica_.desplazamiento;
        if (j >= 0 && 2 * j + 1 < static_cast<long>(musica_.muestras->size())) {
            izquierda += musica_.ganancia * (*musica_.muestras)[2 * j];
            derecha += musica_.ganancia * (*musica_.muestras)[2 * j + 1];
        }
    }
    const float pico = std::max(std::fabs(izquierda), std::fabs(derecha));
    return pico > TECHO_LIMITADOR ? TECHO_LIMITADOR / pico : 1.0f;
}

// The least gain required over pairs k - ANTICIPO_LIMITADOR to k: a queue, in
// a ring, of the pairs whose gains may still be the least, rising from its head.
float Masterizador::minimoVentana(long k, float requerida)
{
    if (cuantos_ > 0 && indiceMinimo_[cabeza_] < k - ANTICIPO_LIMITADOR) {
        cabeza_ = (cabeza_ + 1) % VENTANA;
        cuantos_--;
    }
    while (cuantos_ > 0 && valorMinimo_[(cabeza_ + cuantos_ - 1) % VENTANA] >= requerida)
        cuantos_--;
    const int cola = (cabeza_ + cuantos_) % VENTANA;
    indiceMinimo_[cola] = k;
    valorMinimo_[cola] = requerida;
    cuantos_++;
    return valorMinimo_[cabeza_];
}

void Masterizador::pasar(const float* mezcla, int n, std::vector<float>& listos)
{
    for (int i = 0; i < n; i++) {
        const long k = tomados_++;
        float izquierda = 0, derecha = 0;
        const float minimo = minimoVentana(k, requerida(k, izquierda, derecha, mezcla + 2 * i));
        envolvente_ = minimo < envolvente_ ? minimo : envolvente_ + soltar_ * (minimo - envolvente_);
        const int r = static_cast<int>(k % VENTANA);
        suma_ += static_cast<double>(envolvente_) - envolventes_[r];
        envolventes_[r] = envolvente_;
        // The pair that went in ANTICIPO_LIMITADOR pairs ago lies in the next slot.
        const int viejo = static_cast<int>((k + 1) % VENTANA);
        const float g = static_cast<float>(suma_ / VENTANA);
        const float salidaIzquierda = retardo_[2 * viejo] * g, salidaDerecha = retardo_[2 * viejo + 1] * g;
        retardo_[2 * r] = izquierda;
        retardo_[2 * r + 1] = derecha;
        if (k >= ANTICIPO_LIMITADOR) {
            listos.push_back(std::clamp(salidaIzquierda, -TECHO_LIMITADOR, TECHO_LIMITADOR));
            listos.push_back(std::clamp(salidaDerecha, -TECHO_LIMITADOR, TECHO_LIMITADOR));
        }
    }
}
