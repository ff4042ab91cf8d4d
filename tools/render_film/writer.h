// render_film's writer: a thread that writes the pictures drawn (PNG files, the
// video's frames) while the next one is drawn, a few pictures behind at most.
#pragma once

#include "tools/common/offscreen.h"
#include "tools/common/png_writer.h"
#include "tools/common/video_pipe.h"

#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace render_film {

constexpr size_t CUADROS_EN_COLA = 3;  // pictures drawn ahead of the writer

// The pictures waiting to be written, and the thread that writes them. Pictures
// drawn at twice the size (a smoothed picture without multisampling) are first
// averaged down to ancho x alto here.
class Escritor {
public:
    Escritor(const std::string& carpeta, TuberiaVideo* video, int ancho, int alto, bool reducir)
        : carpeta_(carpeta), video_(video), ancho_(ancho), alto_(alto), reducir_(reducir),
          hilo_([this] { trabajar(); })
    {
    }
    ~Escritor() { terminar(); }

    // A buffer to read the next picture into.
    std::vector<unsigned char> buffer()
    {
        std::lock_guard<std::mutex> l(m_);
        if (libres_.empty())
            return {};
        std::vector<unsigned char> b = std::move(libres_.back());
        libres_.pop_back();
        return b;
    }

    // Queues a picture; waits while the queue is full. False once writing has failed.
    bool poner(std::string nombre, std::vector<unsigned char> rgb)
    {
        std::unique_lock<std::mutex> l(m_);
        cv_.wait(l, [this] { return cola_.size() < CUADROS_EN_COLA || !error_.empty(); });
        if (!error_.empty())
            return false;
        cola_.push_back({std::move(nombre), std::move(rgb)});
        cv_.notify_all();
        return true;
    }

    // Writes what is queued and stops the thread.
    void terminar()
    {
        {
            std::lock_guard<std::mutex> l(m_);
            fin_ = true;
        }
        cv_.notify_all();
        if (hilo_.joinable())
            hilo_.join();
    }

    long long escritos() const { return escritos_; }
    std::string error() const
    {
        std::lock_guard<std::mutex> l(m_);
        return error_;
    }

private:
    struct Cuadro {
        std::string nombre;
        std::vector<unsigned char> rgb;
    };

    void trabajar()
    {
        // A little below the drawing: it takes mostly the time the drawing leaves,
        // yet gets its share when other work keeps every core busy.
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), getpriority(PRIO_PROCESS, 0) + CORTESIA_ESCRITURA);
        for (;;) {
            Cuadro c;
            {
                std::unique_lock<std::mutex> l(m_);
                cv_.wait(l, [this] { return !cola_.empty() || fin_; });
                if (cola_.empty() || !error_.empty())
                    return;
                c = std::move(cola_.front());
                cola_.pop_front();
            }
            if (reducir_)
                reducirDosPorDos(c.rgb, ancho_, alto_, reducida_);
            const std::vector<unsigned char>& rgb = reducir_ ? reducida_ : c.rgb;
            std::string error;
            bool bien = carpeta_.empty() || escribirPNG(carpeta_ + "/" + c.nombre, ancho_, alto_, rgb, error);
            bien = bien && (video_ == nullptr || video_->escribir(rgb, error));
            std::lock_guard<std::mutex> l(m_);
            if (!bien) {
                error_ = error;
                cola_.clear();
            } else {
                escritos_++;
            }
            libres_.push_back(std::move(c.rgb));
            cv_.notify_all();
        }
    }

    std::string carpeta_;
    TuberiaVideo* video_;
    int ancho_, alto_;
    bool reducir_;
    std::vector<unsigned char> reducida_;  // the picture averaged down, when reducir_
    mutable std::mutex m_;
    std::condition_variable cv_;
    std::deque<Cuadro> cola_;
    std::vector<std::vector<unsigned char>> libres_;
    bool fin_ = false;
    std::string error_;
    std::atomic<long long> escritos_{0};
    std::thread hilo_;
};

}  // namespace render_film
