#include "platform/language_choice.h"

#include <iostream>

#include "platform/folders.h"
#ifdef _WIN32
#include "platform/windows/windows_files.h"
#else
#include "platform/disk_files.h"
#endif

namespace velloxa {

namespace {

LanguageChoice load(const GameLanguage& language, FileStore& files, const std::string& program,
                    const std::string& system_name) {
    std::optional<MessageCatalogue> catalogue = read_catalogue(files, program, language);
    if (!catalogue) return {};
    return {Texts(std::move(*catalogue), system_name), &language};
}

}  // namespace

LanguageChoice choose_language(const LanguageRequest& request, FileStore& files,
                               const std::string& program, std::ostream& errors) {
    const bool asked = !request.requested.empty();
    if (!asked && !request.follow_system) return {};
    const std::string& code = asked ? request.requested : request.system;
    const GameLanguage* language = find_language(code.empty() ? "en" : code);
    LanguageChoice choice;
    if (language != nullptr) choice = load(*language, files, program, request.system_name);
    if (choice.language != nullptr) return choice;
    // One line, then the game plays on: English is always there.
    errors << "velloxa: no catalogue for the language '" << code << "', playing in English\n";
    if (request.follow_system) {
        if (const GameLanguage* english = find_language("en"); english != language)
            choice = load(*english, files, program, request.system_name);
    }
    return choice;
}

StartOptions start_options(const CommandLine& cmd) {
    StartOptions start;
    start.folders = choose_folders(cmd);
    start.seed = cmd.seeded ? cmd.seed : seconds_since_midnight();
    const bool interactive = cmd.headless.empty();
#ifdef _WIN32
    WindowsFiles files;
    const char* system_name = "windows";
#else
    DiskFiles files;
    const char* system_name = "linux";
#endif
    // A headless run speaks the entries both systems share, so that its
    // transcript is the same on either.
    LanguageChoice choice =
        choose_language({cmd.language, interactive, interactive ? system_language_code() : "",
                         interactive ? system_name : ""},
                        files, program_folder(), std::cerr);
    start.texts = std::move(choice.texts);
    start.language = choice.language;
    return start;
}

}  // namespace velloxa
