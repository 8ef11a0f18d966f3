#include "support/harness.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>
#include <utility>

namespace velloxa::testing {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string tmpl = (fs::temp_directory_path() / "velloxa-test-XXXXXX").string();
    if (::mkdtemp(tmpl.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

void TempDir::write(const std::string& relative, const std::string& content) const {
    const fs::path p = fs::path(path_) / relative;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << content;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string source_folder() {
    return VELLOXA_SOURCE_DIR;
}

bool wait_until(const std::function<bool()>& done, int seconds) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > limit) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

std::string TempDir::read(const std::string& relative) const {
    return read_file((fs::path(path_) / relative).string());
}

std::vector<std::string> TempDir::names(const std::string& relative) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(path_) / relative))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void TempDir::add_sounds(const std::string& folder) const {
    write(folder + "/menu/arrows.wav", "");
    write(folder + "/menu/enter.wav", "");
    for (int n = 1; n <= 4; ++n) write(folder + "/drop" + std::to_string(n) + ".wav", "");
    write(folder + "/capture.wav", "");
    for (const Tile& t : tile_content())
        if (!t.sound.empty()) write(folder + "/tiles/" + t.sound + ".wav", "");
}

Platform with_services(const Platform& base, Replacements with) {
    return Platform{.clock = base.clock,
                    .window = base.window,
                    .voice = base.voice,
                    .reader = with.reader ? *with.reader : base.reader,
                    .keys = with.keys ? *with.keys : base.keys,
                    .sound = with.sound ? *with.sound : base.sound,
                    .canvas = base.canvas,
                    .msgbox = base.msgbox,
                    .process = base.process,
                    .files = with.files ? *with.files : base.files};
}

Harness::Harness(HarnessOptions options) : options_(std::move(options)) {
    host = std::make_unique<TestHost>(parse_script(options_.script), options_.headless, out);
    const Platform headless = host->platform();
    platform = std::make_unique<Platform>(with_services(headless, {.keys = options_.keys}));
    StartOptions start;
    start.folders = Folders{home.path(), home.path()};
    start.seed = options_.seed;
    start.texts = options_.texts;
    game = options_.tiles ? std::make_unique<Game>(*platform, start, *options_.tiles)
                          : std::make_unique<Game>(*platform, start);
}

void Harness::use(Replacements with) {
    auto replaced = std::make_unique<Platform>(with_services(*platform, with));
    game = std::make_unique<Game>(*replaced,
                                  StartOptions{Folders{home.path(), home.path()}, options_.seed});
    platform = std::move(replaced);
}

void Harness::start(bool run) {
    try {
        if (game->start() && run) host->run(*game);
    } catch (const ProgramEnded&) {
        ended = true;
    }
}

void Harness::keys(const std::string& script) {
    host->append(parse_script(script));
    try {
        host->run(*game);
    } catch (const ProgramEnded&) {
        ended = true;
    }
}

std::vector<std::string> Harness::lines() const {
    return only("");
}

std::vector<std::string> Harness::take() {
    auto result = lines();
    out.str("");
    out.clear();
    return result;
}

std::vector<std::string> Harness::only(const std::string& prefix) const {
    std::vector<std::string> result;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);)
        if (line.starts_with(prefix)) result.push_back(line);
    return result;
}

std::vector<std::string> Harness::said(const std::string& script) {
    take();
    keys(script);
    std::vector<std::string> texts;
    for (const std::string& l : take())
        if (l.rfind("speak ", 0) == 0) texts.push_back(l.substr(6));
    return texts;
}

std::string progress_file(int difficulty, int opponent, const std::vector<int>& collection,
                          const std::vector<int>& deck) {
    Catalogue cards;
    build_catalogue(cards);
    const std::string level = std::to_string(difficulty);
    std::string file = "0\r\n" + level + "\r\n2\r\nsounds\r\n" + level + "\r\n" +
                       std::to_string(opponent) + "\r\n" + std::to_string(collection.size()) +
                       "\r\n";
    for (int t : collection) file += cards.tile(t).name + "\r\n";
    for (int t : deck) file += cards.tile(t).name + "\r\n";
    return file;
}

std::unique_ptr<Harness> started_game(const std::string& progress, HarnessOptions options) {
    auto h = std::make_unique<Harness>(std::move(options));
    h->home.add_sounds();
    if (!progress.empty()) h->home.write("progress.ini", progress);
    h->start();
    return h;
}

Texts compiled_texts(const std::string& po, const std::string& system) {
    TempDir dir;
    dir.write("texts.po", po);
    const std::string command =
        "msgfmt -o '" + dir.path() + "/texts.mo' '" + dir.path() + "/texts.po'";
    EXPECT_EQ(std::system(command.c_str()), 0) << "msgfmt refused the catalogue";
    std::optional<MessageCatalogue> catalogue = MessageCatalogue::parse(dir.read("texts.mo"));
    EXPECT_TRUE(catalogue.has_value());
    return catalogue ? Texts(std::move(*catalogue), system) : Texts();
}

}  // namespace velloxa::testing
