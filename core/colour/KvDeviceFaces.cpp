#include "KvDeviceFaces.h"

namespace {

// The pairs of free channels, in a fixed order.
int pairsOf(int channels) {
    return channels * (channels - 1) / 2;
}

} // namespace

int KvDeviceFaces::sheets() const {
    if (channels < 2)
        return 0;
    return pairsOf(channels) * (1 << (channels - 2));
}

std::vector<float> KvDeviceFaces::deviceSamples() const {
    std::vector<float> out;
    out.reserve(samples() * std::size_t(channels));
    const float step = points > 1 ? 1.0f / float(points - 1) : 0.0f;
    for (int first = 0; first < channels; ++first)
        for (int second = first + 1; second < channels; ++second)
            for (int corner = 0; corner < 1 << (channels - 2); ++corner)
                for (int j = 0; j < points; ++j)
                    for (int i = 0; i < points; ++i) {
                        int bit = 0;
                        for (int c = 0; c < channels; ++c) {
                            if (c == first)
                                out.push_back(float(i) * step);
                            else if (c == second)
                                out.push_back(float(j) * step);
                            else
                                out.push_back(corner >> bit++ & 1 ? 1.0f : 0.0f);
                        }
                    }
    return out;
}
