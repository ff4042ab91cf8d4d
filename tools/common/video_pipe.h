// A video written by the ffmpeg program: raw RGB frames go down a pipe into its
// standard input, and it encodes them (yuv420p) into the container the file's
// name asks for: H.264 in MP4 (any name but these two), H.264 in Matroska
// (NAME.mkv), VP9 in WebM (NAME.webm). With a soundtrack, the sound is ffmpeg's
// second input, a file of raw samples beside the video's temporary: AAC in an
// MP4, Opus in the others, frame k's sound at frame k's time; the sound stops
// where the frames stop. The video, the sound's file and the encoder's log are
// written whole (tools/common/whole_file): the video is renamed into place (or
// copied into a device, a FIFO, standard output) when ffmpeg has finished it,
// the log is read back when ffmpeg fails, and the others are removed in any case.
#pragma once

#include "tools/common/whole_file.h"

#include <cstdint>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

// How much lower than the drawing (in nice steps) the writing of pictures and
// the encoder run: enough to leave the drawing its core on an idle machine, not
// so much that other work starves them on a busy one.
constexpr int CORTESIA_ESCRITURA = 5;

enum class Envase { Mp4, Matroska, Webm };

struct AjustesVideo {
    int ancho = 0, alto = 0;          // pixels, both even
    int fps = 0;                      // frames a second
    int crf = 26;                     // the quality: 0 (lossless) to 51 (worst), x264's scale (VP9's in a WebM)
    std::string preset = "ultrafast"; // x264's speed preset (a WebM's VP9 is encoded for speed)
    // The soundtrack, 16-bit 48 kHz stereo pairs from the first frame's start,
    // as many frames long as the video will be; none: a silent video.
    const std::vector<int16_t>* sonido = nullptr;
};

class TuberiaVideo {
public:
    TuberiaVideo() = default;
    TuberiaVideo(const TuberiaVideo&) = delete;
    TuberiaVideo& operator=(const TuberiaVideo&) = delete;
    ~TuberiaVideo() { abandonar(); }

    // Whether an ffmpeg program is on the PATH.
    static bool hayFfmpeg();
    // x264's speed presets, fastest first.
    static const std::vector<std::string>& presets();
    // The container a video's name asks for; and its sound's codec, as a summary names it.
    static Envase envaseDe(const std::string& ruta);
    static const char* codecSonido(Envase envase);

    // Starts ffmpeg, at a lower priority than the caller (a positive nice value).
    bool abrir(const std::string& ruta, const AjustesVideo& ajustes, std::string& error);
    // One frame: rgb as GL reads it, rows from the bottom up.
    bool escribir(const std::vector<unsigned char>& rgb, std::string& error);
    // Ends the input, waits for ffmpeg to finish the file and puts it in place.
    bool cerrar(std::string& error);
    // Stops ffmpeg and removes what it wrote.
    void abandonar();
    // Kills the running encoder at once, from a signal handler (its files are
    // removed by quitarTemporalesYa).
    static void detenerYa();

private:
    pid_t pid_ = -1;
    int entrada_ = -1;
    std::string ruta_;
    std::unique_ptr<FicheroEntero> video_, registro_, sonido_;
    std::string ultimaLineaRegistro() const;
    bool escribirSonido(const std::vector<int16_t>& muestras, std::string& error);
    void esperar(int& estado);
};
