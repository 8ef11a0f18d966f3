#include "platform/speech/speechd_reader.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>
#include <utility>

#include "io/languages.h"
#include "platform/speech/ssip.h"

namespace velloxa {

struct SpeechdChannel {
    enum class Stage { connecting, open, absent, lost };
    SpeechdChannel(int timeout, std::string name)
        : timeout_ms(timeout), component(std::move(name)) {}
    const int timeout_ms;
    const std::string component;
    std::string language;  // set before the worker starts
    std::mutex mutex;
    std::condition_variable changed;
    Stage stage = Stage::connecting;
    bool closing = false;
    bool set_up = false;  // the worker is past the connection set-up
    bool loss_reported = false;
    std::string loss;  // why the server was given up
    // What waits for the worker: a cancel first, then a rate, then the texts.
    bool cancel_waiting = false;
    std::optional<int> rate_waiting;
    std::deque<std::string> texts;
    bool spoken_since_cancel = false;
    std::thread worker;

    bool work_waiting() const { return cancel_waiting || rate_waiting || !texts.empty(); }
};

namespace {

std::unique_ptr<SsipConnection> connect_speechd(const SpeechdChannel& channel) {
    const std::optional<SsipAddress> address = speechd_address();
    if (!address) return nullptr;
    try {
        return std::make_unique<SsipConnection>(*address, channel.component, channel.timeout_ms);
    } catch (const SsipBroken&) {
        return nullptr;
    }
}

void serve(const std::shared_ptr<SpeechdChannel>& channel) {
    using Stage = SpeechdChannel::Stage;
    std::unique_ptr<SsipConnection> connection = connect_speechd(*channel);
    // A server without the language keeps its own voice: refusing the
    // command loses only the command.
    if (connection && !channel->language.empty()) {
        try {
            connection->command("SET SELF LANGUAGE " + channel->language);
        } catch (const SsipBroken&) {
            connection.reset();
        }
    }
    std::unique_lock<std::mutex> lock(channel->mutex);
    channel->set_up = true;
    if (channel->stage == Stage::connecting && !channel->closing) {
        channel->stage = connection ? Stage::open : Stage::absent;
        channel->changed.notify_all();
    } else {
        return;  // the owner stopped waiting for this connection
    }
    while (connection) {
        channel->changed.wait(lock, [&] { return channel->closing || channel->work_waiting(); });
        // What was said last before the end still goes out.
        if (!channel->work_waiting()) break;
        // One text at a time, so that a cancel meanwhile drops the rest.
        const bool cancel = std::exchange(channel->cancel_waiting, false);
        const std::optional<int> rate = std::exchange(channel->rate_waiting, std::nullopt);
        std::optional<std::string> text;
        if (!cancel && !rate) {
            text = std::move(channel->texts.front());
            channel->texts.pop_front();
        }
        lock.unlock();
        std::optional<std::string> broken;
        try {
            // A refused command loses only itself; the connection goes on.
            if (cancel) connection->cancel();
            if (rate) connection->command("SET SELF RATE " + std::to_string(*rate));
            if (text) connection->speak(*text);
        } catch (const SsipBroken& e) {
            broken = e.what();
        }
        lock.lock();
        if (broken) {
            channel->stage = Stage::lost;  // mutate: speechd-loss-kept-open
            channel->loss = *broken;
            channel->texts.clear();
            break;
        }
    }
}

// Ends the channel's worker. Every wait of the worker on the server is
// bounded, except a host name lookup of an inet address: a worker still in
// the connection set-up is left to finish on its own.
void retire(const std::shared_ptr<SpeechdChannel>& channel) {
    if (!channel) return;
    bool stuck = false;
    {
        std::lock_guard<std::mutex> lock(channel->mutex);
        channel->closing = true;
        stuck = !channel->set_up;
        channel->changed.notify_all();
    }
    if (stuck)
        channel->worker.detach();
    else
        channel->worker.join();
}

}  // namespace

SpeechdReader::SpeechdReader(Trace* trace, int timeout_ms, std::string component)
    : trace_(trace), timeout_ms_(timeout_ms), component_(std::move(component)) {}

SpeechdReader::~SpeechdReader() {
    retire(channel_);
}

bool SpeechdReader::connect() {
    using Stage = SpeechdChannel::Stage;
    if (channel_) {
        std::lock_guard<std::mutex> lock(channel_->mutex);
        if (channel_->stage == Stage::open) return true;
    }
    retire(channel_);
    channel_ = std::make_shared<SpeechdChannel>(timeout_ms_, component_);
    channel_->language = language_;
    channel_->worker = std::thread(serve, channel_);
    std::unique_lock<std::mutex> lock(channel_->mutex);
    if (!channel_->changed.wait_for(lock, std::chrono::milliseconds(timeout_ms_),
                                    [&] { return channel_->stage != Stage::connecting; })) {
        channel_->stage = Stage::absent;
        trace_line(trace_, "reader-timeout");
        return false;
    }
    const bool open = channel_->stage == Stage::open;
    trace_line(trace_, open ? "reader-open" : "reader-absent");
    return open;
}

void SpeechdReader::say(const std::string& text) {
    using Stage = SpeechdChannel::Stage;
    trace_line(trace_, "reader " + text);
    if (text.empty()) cancel();
    if (!channel_) throw std::runtime_error("no screen reader");
    std::lock_guard<std::mutex> lock(channel_->mutex);
    if (channel_->stage == Stage::lost && !channel_->loss_reported) {
        channel_->loss_reported = true;
        trace_line(trace_, "reader-lost");
        throw ScreenReaderLost(channel_->loss);
    }
    if (channel_->stage != Stage::open) throw std::runtime_error("no screen reader");
    if (text.empty()) return;
    channel_->texts.push_back(text);
    channel_->spoken_since_cancel = true;
    channel_->changed.notify_all();
}

void SpeechdReader::cancel() {
    if (!channel_) return;
    std::lock_guard<std::mutex> lock(channel_->mutex);
    if (channel_->stage != SpeechdChannel::Stage::open || !channel_->spoken_since_cancel) return;
    trace_line(trace_, "reader-cancel");
    channel_->texts.clear();  // mutate: speechd-cancel-keeps-queue
    channel_->cancel_waiting = true;
    channel_->spoken_since_cancel = false;
    channel_->changed.notify_all();
}

void SpeechdReader::use_language(const GameLanguage& language) {
    language_ = std::string(language.code);
    std::replace(language_.begin(), language_.end(), '_', '-');
}

void SpeechdReader::set_rate(int rate) {
    if (!channel_) return;
    std::lock_guard<std::mutex> lock(channel_->mutex);
    channel_->rate_waiting = rate;
    channel_->changed.notify_all();
}

}  // namespace velloxa
