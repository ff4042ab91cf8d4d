// Reducing a camera path to keys, in steps: the story stepped once to note where
// each thing stands along the path (path_keys/tracks); the path's cuts found
// (path_keys/features); the keys laid greedily from the first frame, each move
// stretched as far as it reproduces the path (path_keys/laying, path_keys/search,
// path_keys/tangent), each point after the thing that suits it
// (path_keys/references), every candidate evaluated as the compiler evaluates it
// (path_keys/evaluation); fixed centres on things standing still named
// (path_keys/naming); and the whole set measured frame by frame and mended where it
// fails (path_keys/repair). A key's values are the path's own at its frame, rounded
// to the fewest decimals within a hundredth of the tolerance. Assumes every pose is
// sound.
#include "film/path_keys.h"

#include "film/path_keys/laying.h"
#include "film/path_keys/naming.h"
#include "film/path_keys/repair.h"

ClavesDeCamino clavesDeCamino(const std::vector<std::array<float, 9>>& poses, int primero, const OpcionesClaves& o)
{
    if (poses.empty())
        return {};
    reductor::Recorridos recorridos = reductor::recorrerHistoria(primero, poses.size());
    const reductor::Camino camino = reductor::caminoDe(poses, primero, o, std::move(recorridos));
    std::vector<ClaveToma> claves = reductor::nombrarCentrosQuietos(camino, reductor::trazarClaves(camino));
    return reductor::enmendarClaves(camino, std::move(claves));
}
