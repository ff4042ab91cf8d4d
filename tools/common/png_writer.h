// Writing a picture as an 8-bit RGB PNG, whole or not at all (tools/common/whole_file).
// The same picture always gives the same bytes (no time stamp, fixed settings).
#pragma once

#include <string>
#include <vector>

// rgb: 3 bytes a pixel, rows from the bottom up (as GL reads them). False, with
// the reason, when the file cannot be written.
bool escribirPNG(const std::string& ruta, int ancho, int alto, const std::vector<unsigned char>& rgb,
                 std::string& error);
