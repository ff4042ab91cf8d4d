// Small helpers shared by the tests: a fresh scene and recorder (and a fixture
// that starts from one), a temporary working directory, and standard output
// captured as text.
#pragma once

#include "app/scene_state.h"
#include "glrec/recording_gl.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace support {

// Every scene variable at its default and a fresh recorder, as at start-up.
inline void freshScene()
{
    glrec::rec().reset();
    inicializarVariablesGlobales();
    pantalla_completa = 0;
    pausa = 0;
    fich = nullptr;
    argc_global = 0;
    argv_global = nullptr;
    vfotogramas.clear();
}

class FreshScene : public testing::Test {
protected:
    void SetUp() override { freshScene(); }
};

// Runs the test in a new empty directory, and goes back afterwards.
class TempDir {
public:
    TempDir()
    {
        char pattern[] = "/tmp/practica02-test-XXXXXX";
        path_ = mkdtemp(pattern);
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
    }
    ~TempDir()
    {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(path_);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_, previous_;
};

inline void writeFile(const std::string& name, const std::string& text)
{
    std::ofstream(name) << text;
}

inline std::string readFile(const std::string& name)
{
    std::ifstream in(name);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// What fn prints on standard output.
template <typename Fn>
std::string stdoutOf(Fn fn)
{
    std::fflush(stdout);
    testing::internal::CaptureStdout();
    fn();
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

// For death tests: standard output goes to standard error, which the death test
// matches, so that the messages printed before exit can be checked.
inline void stdoutToStderr()
{
    std::fflush(stdout);
    dup2(2, 1);
}

}  // namespace support
