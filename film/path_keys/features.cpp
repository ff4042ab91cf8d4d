// The path's features measured on its poses: the cuts, and the peaks of the jumps
// in acceleration.
#include "film/path_keys/features.h"

#include <algorithm>

namespace reductor {

std::vector<size_t> cortesDelCamino(const std::vector<std::array<float, 9>>& poses, double tolerancia)
{
    const size_t n = poses.size();
    std::vector<size_t> cortes;
    const auto paso = [&](size_t k, Parte parte) {
        return math::norm(parteDe(poses[k], parte) - parteDe(poses[k - 1], parte));
    };
    for (size_t k = 1; k < n; k++)
        for (Parte parte : {Parte::Ojo, Parte::Centro}) {
            const double antes = k >= 2 ? paso(k - 1, parte) : 0, despues = k + 1 < n ? paso(k + 1, parte) : 0;
            if (paso(k, parte) > 4 * tolerancia + 8 * (antes + despues)) {
                cortes.push_back(k);
                break;
            }
        }
    return cortes;
}

std::vector<size_t> picosDeSalto(const std::vector<double>& saltos, size_t primero, size_t cuantos)
{
    constexpr size_t H = SEPARACION;
    const auto salto = [&](size_t f) { return saltos[f - primero]; };
    std::vector<size_t> picos;
    for (size_t f = primero + H; f + H < primero + saltos.size(); f++) {
        bool pico = salto(f) > 0;
        for (size_t g = f - H; pico && g <= f + H; g++)
            if (g != f && (salto(g) > salto(f) || (salto(g) == salto(f) && g < f)))
                pico = false;
        if (pico)
            picos.push_back(f);
    }
    cuantos = std::min(picos.size(), cuantos);
    std::partial_sort(picos.begin(), picos.begin() + static_cast<long>(cuantos), picos.end(),
                      [&](size_t x, size_t y) { return salto(x) > salto(y); });
    picos.resize(cuantos);
    return picos;
}

}  // namespace reductor
