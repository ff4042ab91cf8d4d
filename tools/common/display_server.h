// An X display for a program that draws off screen: the one in DISPLAY when it
// can be opened, else a private Xvfb started for this process and stopped with
// it (also if the process dies, through the parent-death signal).
#pragma once

#include <string>
#include <sys/types.h>

class ServidorX {
public:
    ServidorX() = default;
    ServidorX(const ServidorX&) = delete;
    ServidorX& operator=(const ServidorX&) = delete;
    ~ServidorX() { parar(); }

    // Makes DISPLAY name a display that opens. False, with the reason in error,
    // when there is none and no Xvfb could be started.
    bool asegurar(std::string& error);
    // Stops the private server, if one was started.
    void parar();

    bool privado() const { return pid_ > 0; }
    const std::string& nombre() const { return nombre_; }

private:
    pid_t pid_ = -1;
    std::string nombre_;
};
