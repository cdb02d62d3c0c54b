#include "graphics/resample.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace {

double Sinc(double x) {
    if (x == 0.0) return 1.0;
    x *= std::numbers::pi;
    return std::sin(x) / x;
}

// For each target position, the source positions that contribute to it and
// their weights (Schumacher's filtered rescaling: the centre of target i is
// i / scale; when shrinking, the kernel is widened by 1 / scale and its
// weights scaled down by the same). Each target's weights are normalised to
// sum 1, so that a flat area keeps its value: unnormalised weights left the
// inside of resampled cards a little translucent and off colour.
struct clContributors {
    std::vector<int> first;  // into index and weight; first[i + 1] ends target i
    std::vector<int> index;
    std::vector<float> weight;

    clContributors(int targetSize, int sourceSize, clFilter filter) {
        const double scale = static_cast<double>(targetSize) / sourceSize;
        const double support = FilterSupport(filter);
        const double reach = scale < 1.0 ? support / scale : support;
        const double kernelScale = scale < 1.0 ? scale : 1.0;
        first.reserve(static_cast<std::size_t>(targetSize) + 1);
        for (int i = 0; i < targetSize; ++i) {
            first.push_back(static_cast<int>(index.size()));
            const double centre = i / scale;
            const int left = static_cast<int>(std::ceil(centre - reach));
            const int right = static_cast<int>(std::floor(centre + reach));
            for (int j = left; j <= right; ++j) {
                const double w = FilterValue(filter, (centre - j) * kernelScale) * kernelScale;
                if (w == 0.0) continue;
                // Positions past the edges are mirrored; a mirror that still
                // lies outside (a kernel wider than the source) is clamped.
                int n = j < 0 ? -j : (j >= sourceSize ? 2 * sourceSize - j - 1 : j);
                n = std::clamp(n, 0, sourceSize - 1);
                index.push_back(n);
                weight.push_back(static_cast<float>(w));
            }
            double sum = 0;
            for (std::size_t k = static_cast<std::size_t>(first.back()); k < weight.size(); ++k)
                sum += weight[k];
            if (std::abs(sum) > 1e-9) {
                for (std::size_t k = static_cast<std::size_t>(first.back()); k < weight.size(); ++k)
                    weight[k] = static_cast<float>(weight[k] / sum);
            }
        }
        first.push_back(static_cast<int>(index.size()));
    }
};

// Rounded to the nearest value: a flat 255 that comes out as 254.9999
// stays 255.
std::uint8_t ClampByte(float v) {
    if (v <= 0.0f) return 0;
    if (v >= 254.5f) return 255;
    return static_cast<std::uint8_t>(v + 0.5f);
}

}  // namespace

double FilterSupport(clFilter filter) {
    switch (filter) {
        case clFilter::Box:
            return 0.5;
        case clFilter::Triangle:
        case clFilter::Hermite:
            return 1.0;
        case clFilter::Bell:
            return 1.5;
        case clFilter::BSpline:
        case clFilter::Mitchell:
            return 2.0;
        case clFilter::Lanczos3:
            break;
    }
    return 3.0;
}

double FilterValue(clFilter filter, double x) {
    const double t = std::fabs(x);
    switch (filter) {
        case clFilter::Box:
            return x > -0.5 && x <= 0.5 ? 1.0 : 0.0;
        case clFilter::Triangle:
            return t < 1.0 ? 1.0 - t : 0.0;
        case clFilter::Bell:
            if (t < 0.5) return 0.75 - t * t;
            if (t < 1.5) return 0.5 * (t - 1.5) * (t - 1.5);
            return 0.0;
        case clFilter::BSpline:
            if (t < 1.0) return 0.5 * t * t * t - t * t + 2.0 / 3.0;
            if (t < 2.0) return (2.0 - t) * (2.0 - t) * (2.0 - t) / 6.0;
            return 0.0;
        case clFilter::Hermite:
            return t < 1.0 ? (2.0 * t - 3.0) * t * t + 1.0 : 0.0;
        case clFilter::Mitchell: {
            constexpr double b = 1.0 / 3.0, c = 1.0 / 3.0;
            if (t < 1.0) {
                return ((12 - 9 * b - 6 * c) * t * t * t + (-18 + 12 * b + 6 * c) * t * t +
                        (6 - 2 * b)) /
                       6.0;
            }
            if (t < 2.0) {
                return ((-b - 6 * c) * t * t * t + (6 * b + 30 * c) * t * t +
                        (-12 * b - 48 * c) * t + (8 * b + 24 * c)) /
                       6.0;
            }
            return 0.0;
        }
        case clFilter::Lanczos3:
            break;
    }
    return t < 3.0 ? Sinc(t) * Sinc(t / 3.0) : 0.0;
}

clFilter FilterFromNumber(int number) {
    return number >= 1 && number <= 7 ? static_cast<clFilter>(number) : clFilter::Lanczos3;
}

bool clImage::Resample(const clImage& source, int newWidth, int newHeight, clFilter filter) {
    filter = FilterFromNumber(static_cast<int>(filter));
    clImage result;
    if (!result.CreateImage(newWidth, newHeight)) return false;
    if (newWidth < 2 || newHeight < 2 || source.IsEmpty()) {
        *this = std::move(result);
        return true;
    }

    // Horizontal pass: target width, source height.
    clImage across;
    if (!across.CreateImage(newWidth, source.Height())) return false;
    const clContributors columns(newWidth, source.Width(), filter);
    std::vector<float> row(static_cast<std::size_t>(source.Width()) * 4);
    for (int y = 0; y < source.Height(); ++y) {
        // Each source byte is widened once, not once per tap.
        const std::uint8_t* s = source.Row(y);
        for (std::size_t i = 0; i < row.size(); ++i)
            row[i] = s[i];
        std::uint8_t* d = across.Row(y);
        for (int x = 0; x < newWidth; ++x, d += 4) {
            float sum[4] = {0, 0, 0, 0};
            for (int k = columns.first[x]; k < columns.first[x + 1]; ++k) {
                const float* p = row.data() + 4 * columns.index[k];
                const float w = columns.weight[k];
                for (int c = 0; c < 4; ++c)
                    sum[c] += w * p[c];
            }
            for (int c = 0; c < 4; ++c)
                d[c] = ClampByte(sum[c]);
        }
    }

    // Vertical pass, a target row at a time.
    const clContributors rows(newHeight, source.Height(), filter);
    std::vector<float> sum(static_cast<std::size_t>(newWidth) * 4);
    for (int y = 0; y < newHeight; ++y) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (int k = rows.first[y]; k < rows.first[y + 1]; ++k) {
            const std::uint8_t* s = across.Row(rows.index[k]);
            const float w = rows.weight[k];
            for (std::size_t i = 0; i < sum.size(); ++i)
                sum[i] += w * s[i];
        }
        std::uint8_t* d = result.Row(y);
        for (std::size_t i = 0; i < sum.size(); ++i)
            d[i] = ClampByte(sum[i]);
    }
    *this = std::move(result);
    return true;
}
