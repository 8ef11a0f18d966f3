#include "platform/braille/braille_display.h"

#include <brlapi.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <memory>

#include "platform/braille/braille_view.h"

namespace velloxa {

namespace {

// BrlAPI's own handler ends the program on an error the server reports
// later; here such an error only ends the braille output, seen by the
// next read or write failing.
void keep_running(brlapi_handle_t*, int, brlapi_packetType_t, const void*, size_t) {}

std::string brlapi_message() {
    return brlapi_strerror(&brlapi_error);
}

// A BRLTTY slower than this to answer is not waited for at start.
constexpr std::chrono::milliseconds kLongestConnect{1000};

constexpr brlapi_keyCode_t command(brlapi_keyCode_t code) {
    return BRLAPI_KEY_TYPE_CMD | code;
}

}  // namespace

BrailleDisplay::~BrailleDisplay() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    if (wake_[1] >= 0) {
        const char stop = 0;
        [[maybe_unused]] const auto written = write(wake_[1], &stop, 1);
    }
    if (worker_.joinable()) worker_.join();
    for (int fd : wake_)
        if (fd >= 0) close(fd);
}

void BrailleDisplay::start(std::optional<uint32_t> window) {
    if (worker_.joinable()) return;
    if (pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
        log_ << "velloxa: no braille output: cannot make a pipe\n";
        return;
    }
    worker_ = std::thread([this, window] { work(window); });
    std::unique_lock lock(mutex_);
    settled_cv_.wait_for(lock, kLongestConnect, [this] { return settled_; });
}

void BrailleDisplay::settle() {
    {
        const std::lock_guard lock(mutex_);
        settled_ = true;
    }
    settled_cv_.notify_all();
}

void BrailleDisplay::show(const std::string& text) {
    if (text.empty() || wake_[1] < 0) return;
    {
        const std::lock_guard lock(mutex_);
        if (gone_) return;
        waiting_.push_back(text);
    }
    const char any = 1;
    // A full pipe already holds a wake-up.
    [[maybe_unused]] const auto written = write(wake_[1], &any, 1);
}

void BrailleDisplay::work(std::optional<uint32_t> window) {
    serve(window);
    // Texts shown from now on have nowhere to go.
    {
        const std::lock_guard lock(mutex_);
        gone_ = true;
        waiting_.clear();
    }
    settle();
}

void BrailleDisplay::serve(std::optional<uint32_t> window) {
    if (!window) {
        // BRLTTY follows the focus of X windows only.
        log_ << "velloxa: no braille output: the window is not an X11 window\n";
        return;
    }
    const std::unique_ptr<brlapi_handle_t, decltype(&std::free)> handle(
        static_cast<brlapi_handle_t*>(std::malloc(brlapi_getHandleSize())), &std::free);
    if (!handle) return;
    brlapi_connectionSettings_t settings{};
    if (brlapi__openConnection(handle.get(), &settings, &settings) < 0) {
        log_ << "velloxa: no braille display: BrlAPI: " << brlapi_message() << "\n";
        return;
    }
    brlapi__setExceptionHandler(handle.get(), &keep_running);
    const auto give_up = [&](const char* what) {
        log_ << "velloxa: braille display " << what << ": BrlAPI: " << brlapi_message() << "\n";
        brlapi__closeConnection(handle.get());
    };
    unsigned columns = 0, rows = 0;
    if (brlapi__getDisplaySize(handle.get(), &columns, &rows) < 0) return give_up("not usable");
    // The window's own place in the tty tree, below the X server's (WINDOWPATH,
    // which BrlAPI puts before it): BRLTTY gives it the display while X focus
    // is on the window.
    const int path = static_cast<int>(*window);
    if (brlapi__enterTtyModeWithPath(handle.get(), &path, 1, nullptr) < 0)
        return give_up("refused the window");
    // Only the keys that move about the texts come here; BRLTTY keeps the rest.
    const std::array<brlapi_keyCode_t, 6> wanted{
        command(BRLAPI_KEY_CMD_FWINLT), command(BRLAPI_KEY_CMD_FWINRT),
        command(BRLAPI_KEY_CMD_LNUP),   command(BRLAPI_KEY_CMD_LNDN),
        command(BRLAPI_KEY_CMD_TOP),    command(BRLAPI_KEY_CMD_BOT)};
    if (brlapi__ignoreAllKeys(handle.get()) < 0 ||
        brlapi__acceptKeys(handle.get(), brlapi_rangeType_key, wanted.data(),
                           static_cast<unsigned>(wanted.size())) < 0)
        return give_up("refused its keys");
    trace_line(trace_, "braille-ready " + std::to_string(columns) + "x" + std::to_string(rows));
    settle();

    BrailleView view(static_cast<int>(columns * (rows ? rows : 1)));
    const auto write_shown = [&](const std::string& why) {
        const std::wstring cells = view.shown();
        if (brlapi__writeWText(handle.get(), BRLAPI_CURSOR_OFF, cells.c_str()) < 0) return false;
        trace_line(trace_, "braille " + why);
        return true;
    };
    for (;;) {
        std::array<pollfd, 2> watched{pollfd{wake_[0], POLLIN, 0},
                                      pollfd{brlapi__getFileDescriptor(handle.get()), POLLIN, 0}};
        if (poll(watched.data(), watched.size(), -1) < 0) continue;
        if (watched[0].revents) {
            std::array<char, 64> drained{};
            while (read(wake_[0], drained.data(), drained.size()) > 0) {
            }
            std::vector<std::string> texts;
            {
                const std::lock_guard lock(mutex_);
                if (stopping_) break;
                texts.swap(waiting_);
            }
            for (const std::string& text : texts) view.add(text);
            if (!texts.empty() && !write_shown("text " + texts.back())) return give_up("went away");
        }
        if (watched[1].revents) {
            brlapi_keyCode_t key = 0;
            int got = 0;
            while ((got = brlapi__readKey(handle.get(), 0, &key)) > 0) {
                if ((key & BRLAPI_KEY_TYPE_MASK) != BRLAPI_KEY_TYPE_CMD) continue;
                const brlapi_keyCode_t what =
                    key & (BRLAPI_KEY_CMD_BLK_MASK | BRLAPI_KEY_CMD_ARG_MASK);
                bool changed = false;
                switch (what) {
                    case BRLAPI_KEY_CMD_FWINLT:
                        changed = view.pan(-1);
                        break;
                    case BRLAPI_KEY_CMD_FWINRT:
                        changed = view.pan(1);
                        break;
                    case BRLAPI_KEY_CMD_LNUP:
                        changed = view.step(-1);
                        break;
                    case BRLAPI_KEY_CMD_LNDN:
                        changed = view.step(1);
                        break;
                    case BRLAPI_KEY_CMD_TOP:
                        changed = view.jump(-1);
                        break;
                    case BRLAPI_KEY_CMD_BOT:
                        changed = view.jump(1);
                        break;
                    default:
                        break;
                }
                if (changed && !write_shown("key")) return give_up("went away");
            }
            if (got < 0) return give_up("went away");
        }
    }
    brlapi__closeConnection(handle.get());
}

}  // namespace velloxa
