// Writes the game's sound set as 16-bit PCM WAV files:
//   soundgen OUTPUT_FOLDER
// Tile sounds no longer named by the catalogue are removed.
#include <filesystem>
#include <iostream>
#include <set>

#include "soundgen/synth.h"

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    if (argc != 2) {
        std::cerr << "usage: soundgen OUTPUT_FOLDER\n";
        return 2;
    }
    try {
        const fs::path out = argv[1];
        std::set<fs::path> made;
        for (const velloxa::sound::MadeSound& s : velloxa::sound::make_sound_set()) {
            const fs::path file = out / s.file;
            fs::create_directories(file.parent_path());
            velloxa::sound::write_wav(file, s.wave);
            made.insert(file);
        }
        fs::create_directories(out / "tiles");
        for (const auto& entry : fs::directory_iterator(out / "tiles"))
            if (entry.path().extension() == ".wav" && !made.count(entry.path()))
                fs::remove(entry.path());
        std::cout << "soundgen: " << made.size() << " sounds in " << out.string() << "\n";
    } catch (const std::exception& e) {
        std::cerr << "soundgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
