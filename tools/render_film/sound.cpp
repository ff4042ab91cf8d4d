// render_film's soundtrack: the story's sound heard through the film, with the
// music asked for, synthesized for the frames drawn (and the credits after them)
// before the first frame is drawn, so that frame k and pair k x 1200 meet.
#include "tools/render_film/render_film.h"

#include "app/scene_state.h"
#include "film/player.h"
#include "sound/soundtrack.h"

#include <chrono>
#include <cstdio>

namespace render_film {

namespace {

// The music for the soundtrack of frames 0 to hasta; a music file that cannot be
// had, or that the video would be written over, fails.
MusicaCargada musicaDelSonido(const Opciones& o, int hasta, int poses)
{
    MusicaCargada musica = cargarMusicaPara(o.musica, hasta, poses, o.video, "the video");
    if (!musica.bien())
        fallar(musica.error + "; nothing written");
    if (!musica.aviso.empty())
        std::fprintf(stderr, "render_film: %s\n", musica.aviso.c_str());
    return musica;
}

}  // namespace

// The soundtrack of the plan's frames, which follow one another, then of its
// credits (the music alone going on, or silence), before anything is drawn. The
// story is played for it in the scene state, which is then set up again with
// the film for the drawing.
std::vector<int16_t> sintetizarSonido(const Opciones& o, const Plan& plan)
{
    const auto inicio = std::chrono::steady_clock::now();
    const std::vector<std::array<float, 9>> poses = vfotogramas;
    const int cuenta = nfotogramas;
    const int desde = plan.cuadros.front(), hasta = plan.cuadros.back(), fin = hasta + plan.pasosCreditos;
    MusicaCargada musica;
    if (o.musica.hay())
        musica = musicaDelSonido(o, fin, static_cast<int>(poses.size()));
    const Musica* conMusica = o.musica.hay() ? &musica.musica : nullptr;
    std::vector<float> muestras = bandaSonora(poses, desde, hasta, conMusica);
    if (plan.pasosCreditos > 0) {
        OpcionesSonido soloMusica;
        soloMusica.familias = 0;
        soloMusica.musica = conMusica;
        const std::vector<float> creditos =
            conMusica != nullptr ? bandaSonora(poses, hasta + 1, fin, soloMusica)
                                 : std::vector<float>(static_cast<size_t>(plan.pasosCreditos) * 2 * SONIDO_POR_FOTOGRAMA);
        muestras.insert(muestras.end(), creditos.begin(), creditos.end());
    }
    escenaSinVentana();
    nfotogramas = cuenta;
    vfotogramas = poses;
    const double segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    if (!o.callada)
        std::fprintf(stderr, "render_film: the soundtrack of frames %d to %d%s synthesized in %.2f s\n", desde,
                     hasta, plan.pasosCreditos > 0 ? " and the credits" : "", segundos);
    return aDieciseisBits(muestras);
}

}  // namespace render_film
