#include "platform/windows/direct_sound.h"

#include <dsound.h>
#include <mmreg.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string_view>

#include "platform/windows/wide.h"
#include "platform/windows/win32.h"
#include "platform/windows/win32_window.h"

namespace velloxa {

namespace {

// Static buffer with frequency, pan and volume control: 2 + 32 + 64 + 128.
constexpr DWORD kBufferFlags =
    DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
static_assert(kBufferFlags == 226);

uint32_t little_endian_32(std::string_view bytes, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

uint16_t little_endian_16(std::string_view bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                 (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

struct Wave {
    WAVEFORMATEX format{};
    std::string_view samples;
};

// A RIFF WAVE file of PCM samples (plain or in the extensible header).
Wave parse_wave(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE")
        throw std::runtime_error("not a WAV file");
    Wave wave;
    bool format = false, data = false;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const std::string_view id = bytes.substr(at, 4);
        const size_t size = little_endian_32(bytes, at + 4);
        const size_t body = at + 8;
        const size_t available = std::min(size, bytes.size() - body);
        if (id == "fmt " && available >= 16) {
            uint16_t tag = little_endian_16(bytes, body);
            if (tag == WAVE_FORMAT_EXTENSIBLE && available >= 26)
                tag = little_endian_16(bytes, body + 24);
            if (tag != WAVE_FORMAT_PCM) throw std::runtime_error("the WAV file is not PCM");
            wave.format.wFormatTag = WAVE_FORMAT_PCM;
            wave.format.nChannels = little_endian_16(bytes, body + 2);
            wave.format.nSamplesPerSec = little_endian_32(bytes, body + 4);
            wave.format.wBitsPerSample = little_endian_16(bytes, body + 14);
            wave.format.nBlockAlign =
                static_cast<WORD>(wave.format.nChannels * wave.format.wBitsPerSample / 8);
            wave.format.nAvgBytesPerSec = wave.format.nSamplesPerSec * wave.format.nBlockAlign;
            format = true;
        } else if (id == "data") {
            wave.samples = bytes.substr(body, available);
            data = true;
        }
        at = body + size + (size & 1);
    }
    if (!format || !data || wave.format.nBlockAlign == 0)
        throw std::runtime_error("the WAV file has no sound");
    wave.samples = wave.samples.substr(
        0, wave.samples.size() / wave.format.nBlockAlign * wave.format.nBlockAlign);
    if (wave.samples.empty()) throw std::runtime_error("the WAV file has no sound");
    return wave;
}

BOOL CALLBACK first_device(LPGUID, LPCWSTR, LPCWSTR, LPVOID found) {
    *static_cast<bool*>(found) = true;
    return FALSE;  // the first entry is enough
}

void check(HRESULT result) {
    if (FAILED(result)) throw std::runtime_error(com_error_text(result));
}

}  // namespace

DirectSoundDevice::~DirectSoundDevice() {
    for (Slot& s : slots_)
        if (s.buffer) s.buffer->Release();
    if (device_) device_->Release();
}

bool DirectSoundDevice::open_device() {
    // The device of the first entry in the system's list: the primary one.
    bool listed = false;
    if (FAILED(DirectSoundEnumerateW(&first_device, &listed)) || !listed) return false;
    if (FAILED(DirectSoundCreate8(nullptr, &device_, nullptr))) {
        device_ = nullptr;
        return false;
    }
    device_->SetCooperativeLevel(window_.handle(), DSSCL_PRIORITY);
    trace_line(trace_, "sound ready");
    return true;
}

DirectSoundDevice::Slot& DirectSoundDevice::slot(int index) {
    if (index < 0 || index >= kSlots)
        throw std::runtime_error("no sound slot " + std::to_string(index));
    return slots_[static_cast<size_t>(index)];
}

void DirectSoundDevice::load(int index, const std::string& path) {
    Slot& s = slot(index);
    if (!device_) throw std::runtime_error("the sound device is not open");
    const std::optional<std::string> bytes = files_.read(path);
    if (!bytes) throw std::runtime_error("file not found: " + path);
    Wave wave = parse_wave(*bytes);
    DSBUFFERDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = kBufferFlags;
    description.dwBufferBytes = static_cast<DWORD>(wave.samples.size());
    description.lpwfxFormat = &wave.format;
    IDirectSoundBuffer* buffer = nullptr;
    check(device_->CreateSoundBuffer(&description, &buffer, nullptr));
    void* first = nullptr;
    void* second = nullptr;
    DWORD first_size = 0, second_size = 0;
    const HRESULT locked =
        buffer->Lock(0, description.dwBufferBytes, &first, &first_size, &second, &second_size, 0);
    if (FAILED(locked)) {
        buffer->Release();
        check(locked);
    }
    std::memcpy(first, wave.samples.data(), first_size);
    if (second) std::memcpy(second, wave.samples.data() + first_size, second_size);
    buffer->Unlock(first, first_size, second, second_size);
    // Releasing the old content stops it if it is still sounding.
    if (s.buffer) s.buffer->Release();
    s.buffer = buffer;
    s.volume = 0;
    s.pan = 0;
}

void DirectSoundDevice::set_volume(int index, int hundredths_db) {
    Slot& s = slot(index);
    if (!s.buffer) return;
    check(s.buffer->SetVolume(hundredths_db));
    s.volume = hundredths_db;
}

void DirectSoundDevice::set_pan(int index, int pan) {
    Slot& s = slot(index);
    if (!s.buffer) return;
    check(s.buffer->SetPan(pan));
    s.pan = pan;
}

void DirectSoundDevice::play(int index, int flags) {
    Slot& s = slot(index);
    if (!s.buffer) return;
    trace_line(trace_, "play " + std::to_string(index) + " " + std::to_string(s.volume) + " " +
                           std::to_string(s.pan));
    check(s.buffer->Play(0, 0, (flags & 1) ? DSBPLAY_LOOPING : 0));
}

}  // namespace velloxa
