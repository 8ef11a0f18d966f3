#include "platform/headless/headless.h"

#include <cstdlib>
#include <iostream>
#include <stdexcept>

#include "cards/numbers.h"

namespace velloxa {

Headless::Headless(std::vector<ScriptEvent> script, HeadlessOptions options, std::ostream& out)
    : script_(std::move(script)), options_(options), out_(out) {}

Platform Headless::platform() {
    return Platform{.clock = *this,
                    .window = *this,
                    .voice = *this,
                    .reader = *this,
                    .keys = *this,
                    .sound = *this,
                    .canvas = *this,
                    .msgbox = *this,
                    .process = *this,
                    .files = *this};
}

void Headless::line(const std::string& text) {
    out_ << text << '\n';
}

bool Headless::due(int64_t& when) const {
    if (sink_ == nullptr || next_ >= script_.size() || !script_[next_].timed) return false;
    when = last_delivery_ + script_[next_].delay_ms;
    return true;
}

void Headless::deliver() {
    const ScriptEvent ev = script_[next_++];
    last_delivery_ = clock_;
    line("key " + std::to_string(ev.code) + " " + std::to_string(ev.state));
    sink_->on_key(ev.code, ev.state);
}

void Headless::run(EventSink& sink) {
    sink_ = &sink;
    while (next_ < script_.size()) {
        int64_t when = 0;
        if (due(when) && when > clock_) clock_ = when;
        deliver();
    }
    out_.flush();
}

void Headless::wait_started(int64_t interval_ms) {
    line("hold " + std::to_string(interval_ms));
}

void Headless::process_until(int64_t deadline_ms) {
    int64_t when = 0;
    if (due(when) && when <= deadline_ms) {
        if (when > clock_) clock_ = when;
        deliver();
        return;
    }
    if (deadline_ms > clock_) clock_ = deadline_ms;
}

void Headless::yield() {
    int64_t when = 0;
    while (due(when) && when <= clock_) deliver();
}

void Headless::set_title(const std::string& text) {
    title_ = text;
    line("title " + text);
}

void Headless::speak(const std::string& text, int) {
    line("speak " + text);
}

void Headless::set_rate(int rate) {
    line("rate " + std::to_string(rate));
}

void Headless::say(const std::string& text) {
    if (!reader_) throw std::runtime_error("no screen reader");
    line("reader " + text);
}

void Headless::press(int code) {
    line("press " + std::to_string(code));
}

void Headless::release(int code) {
    line("release " + std::to_string(code));
}

void Headless::load(int slot, const std::string& path) {
    // The file's content is never read here: existing is enough.
    if (!NativeFiles::exists(path)) throw std::runtime_error("file not found");
    line("load " + std::to_string(slot) + " " + path);
}

void Headless::set_volume(int slot, int v) {
    line("volume " + std::to_string(slot) + " " + std::to_string(v));
}

void Headless::set_pan(int slot, int p) {
    line("pan " + std::to_string(slot) + " " + std::to_string(p));
}

void Headless::play(int slot, int flags) {
    line("play " + std::to_string(slot) + " " + std::to_string(flags));
}

void Headless::begin_board(const BoardPicture& picture) {
    line(draw_line(picture));
}

void Headless::show(const std::string& text) {
    line("msgbox " + text);
}

void Headless::end() {
    line("exit");
    out_.flush();
    std::cout.flush();
    std::_Exit(0);
}

bool Headless::append_line(const std::string& path, const std::string& text) {
    if (!NativeFiles::append_line(path, text)) return false;
    line("log " + text);
    return true;
}

void Headless::replace(const std::string& path, const std::string& data) {
    NativeFiles::replace(path, data);
    // Only the progress file itself is reported; its backup is not.
    if (path.ends_with("/progress.ini")) line("save");  // mutate: headless-every-save
}

}  // namespace velloxa
