// A move tried on the keys laid so far, in place: the last key's motion set and
// the key the move reaches appended, both open to changes while the trial lasts;
// the keys are as they were again when it ends. The search tries its moves so,
// evaluating the whole key set as the compiler would without copying it.
#pragma once

#include "film/shot_list.h"

#include <vector>

namespace reductor {

class Tentativa {
public:
    Tentativa(std::vector<ClaveToma>& claves, Movimiento m, const ClaveToma& siguiente)
        : claves_(claves), ultima_(claves.back())
    {
        claves.back().movimiento = m;
        claves.push_back(siguiente);
    }
    ~Tentativa()
    {
        claves_.pop_back();
        claves_.back() = ultima_;
    }
    Tentativa(const Tentativa&) = delete;
    Tentativa& operator=(const Tentativa&) = delete;

private:
    std::vector<ClaveToma>& claves_;
    const ClaveToma ultima_;
};

}  // namespace reductor
