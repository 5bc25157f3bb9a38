// Fuzz target: the stream frame parser fed one input cut into pieces at positions the input
// itself chooses; the channels must come out the same as when the bytes arrive in one piece.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "protocol/frame_parser.h"
#include "protocol/sample_ring.h"

namespace {

struct RingSink : vornik::FrameSink {
    int channels = 0;
    std::vector<vornik::SampleRing> rings;
    explicit RingSink(int n) : channels(n) {
        for (int i = 0; i < n; ++i) rings.emplace_back(4096);
    }
    bool hasChannel(uint8_t ch) const override { return ch < channels; }
    vornik::StoreResult store(uint8_t ch, const uint8_t* data, size_t n) override {
        if (ch >= channels) __builtin_trap();
        return rings[ch].write(data, n) ? vornik::StoreResult::Stored : vornik::StoreResult::Full;
    }
};

std::vector<std::vector<uint8_t>> drain(RingSink& sink) {
    std::vector<std::vector<uint8_t>> out;
    for (vornik::SampleRing& r : sink.rings) {
        std::vector<uint8_t> v(r.fill());
        r.read(v.data(), v.size(), 1);
        out.push_back(std::move(v));
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int channels = 1 + data[0] % 10;
    const uint8_t step = data[1];
    const std::vector<uint8_t> stream(data + 2, data + size);

    RingSink whole(channels);
    vornik::FrameParser a;
    const int statusWhole = a.feed(stream.data(), stream.size(), whole);

    RingSink pieces(channels);
    vornik::FrameParser b;
    int statusPieces = 0;
    size_t at = 0;
    while (at < stream.size() && statusPieces == 0) {
        const size_t n = std::min<size_t>(stream.size() - at, 1 + (step + at) % 97);
        std::vector<uint8_t> piece(stream.begin() + static_cast<long>(at),
                                   stream.begin() + static_cast<long>(at + n));
        statusPieces = b.feed(piece.data(), piece.size(), pieces);
        at += n;
    }
    if (statusWhole != statusPieces) __builtin_trap();
    if (drain(whole) != drain(pieces)) __builtin_trap();
    return 0;
}
