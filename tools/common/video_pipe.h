// A video written by the ffmpeg program: raw RGB frames go down a pipe into its
// standard input, and it encodes them as H.264 (yuv420p) in an MP4 file. The
// file is written under a temporary name beside the target and renamed into
// place when ffmpeg has finished it; a video given up on is removed.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

class TuberiaVideo {
public:
    TuberiaVideo() = default;
    TuberiaVideo(const TuberiaVideo&) = delete;
    TuberiaVideo& operator=(const TuberiaVideo&) = delete;
    ~TuberiaVideo() { abandonar(); }

    // Whether an ffmpeg program is on the PATH.
    static bool hayFfmpeg();

    // Starts ffmpeg for frames of ancho x alto (both even) at fps frames a second,
    // in the idle scheduling class.
    bool abrir(const std::string& ruta, int ancho, int alto, int fps, std::string& error);
    // One frame: rgb as GL reads it, rows from the bottom up.
    bool escribir(const std::vector<unsigned char>& rgb, std::string& error);
    // Ends the input, waits for ffmpeg to finish the file and puts it in place.
    bool cerrar(std::string& error);
    // Stops ffmpeg and removes what it wrote.
    void abandonar();

private:
    pid_t pid_ = -1;
    int entrada_ = -1;
    int ancho_ = 0, alto_ = 0;
    std::string ruta_, temporal_, registro_;
    std::string ultimaLineaRegistro() const;
};
