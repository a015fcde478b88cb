#include "symbol_version_probe.h"

#include <cmath>
#include <optional>

namespace nubora::detail {
namespace {

constexpr int kMaxVersion = 40;
constexpr int kFinderSide = 7;
constexpr int kTimingLine = 6;    // row and column of the timing patterns
constexpr int kTimingStart = 8;   // the first timing module after a finder's separator
constexpr int kMinContrast = 32;  // grey levels between the finders' dark core and light ring
constexpr double kMinTimingMatch = 0.9;
constexpr double kMinFinderMatch = 0.85;

int SideOf(int version) { return 17 + 4 * version; }

// The projective map of the unit square onto the symbol's corners, so that
// module centres of a turned or slanted symbol fall where the picture shows them.
class SquareToCorners {
public:
    explicit SquareToCorners(const SymbolCorners& c)
    {
        const auto [x0, y0] = c[0];
        const auto [x1, y1] = c[1];
        const auto [x2, y2] = c[2];
        const auto [x3, y3] = c[3];
        const double sx = x0 - x1 + x2 - x3;
        const double sy = y0 - y1 + y2 - y3;
        const double dx1 = x1 - x2, dx2 = x3 - x2, dy1 = y1 - y2, dy2 = y3 - y2;
        const double det = dx1 * dy2 - dx2 * dy1;
        valid_ = std::abs(det) > 1e-9;
        if (!valid_)
            return;
        g_ = (sx * dy2 - dx2 * sy) / det;
        h_ = (dx1 * sy - sx * dy1) / det;
        a_ = x1 - x0 + g_ * x1;
        b_ = x3 - x0 + h_ * x3;
        c_ = x0;
        d_ = y1 - y0 + g_ * y1;
        e_ = y3 - y0 + h_ * y3;
        f_ = y0;
    }

    bool Valid() const { return valid_; }

    PicturePoint Map(double u, double v) const
    {
        const double w = g_ * u + h_ * v + 1.0;
        return {(a_ * u + b_ * v + c_) / w, (d_ * u + e_ * v + f_) / w};
    }

private:
    bool valid_ = false;
    double a_ = 0, b_ = 0, c_ = 0, d_ = 0, e_ = 0, f_ = 0, g_ = 0, h_ = 0;
};

// Samples the centres of the modules of a symbol `side` modules wide.
class ModuleSampler {
public:
    ModuleSampler(const GreyPicture& picture, const SquareToCorners& map, int side)
        : picture_(picture), map_(map), side_(side)
    {
    }

    // The grey at the centre of module (column, row); nothing outside the picture.
    std::optional<int> Grey(int column, int row) const
    {
        const PicturePoint p = map_.Map((column + 0.5) / side_, (row + 0.5) / side_);
        const long x = std::lround(p.x);
        const long y = std::lround(p.y);
        if (!(x >= 0 && y >= 0 && x < picture_.width && y < picture_.height))
            return std::nullopt;
        return picture_.pixels[static_cast<size_t>(y) * static_cast<size_t>(picture_.width) + static_cast<size_t>(x)];
    }

private:
    const GreyPicture& picture_;
    const SquareToCorners& map_;
    int side_;
};

struct Match {
    int matched = 0;
    int total = 0;
    void Add(std::optional<int> grey, int threshold, bool dark)
    {
        ++total;
        matched += grey && (*grey < threshold) == dark ? 1 : 0;
    }
    double Share() const { return total == 0 ? 0.0 : static_cast<double>(matched) / total; }
};

// How well the picture shows the finders and timing patterns of a symbol
// `side` modules wide; the timing patterns' share of matching modules, or 0
// when the finders do not match.
double TimingMatch(const ModuleSampler& sampler, int side)
{
    const int far = side - kFinderSide;
    const int origins[3][2] = {{0, 0}, {far, 0}, {0, far}};
    int darkSum = 0;
    int lightSum = 0;
    for (const auto& [ox, oy] : origins) {
        const std::optional<int> dark = sampler.Grey(ox + 3, oy + 3);
        const std::optional<int> light = sampler.Grey(ox + 1, oy + 1);
        if (!dark || !light)
            return 0.0;
        darkSum += *dark;
        lightSum += *light;
    }
    if (lightSum - darkSum < 3 * kMinContrast)
        return 0.0;
    const int threshold = (darkSum + lightSum) / 6;
    Match finders;
    for (const auto& [ox, oy] : origins) {
        for (int y = 0; y < kFinderSide; ++y) {
            for (int x = 0; x < kFinderSide; ++x) {
                const int ring = std::max(std::abs(x - 3), std::abs(y - 3));
                finders.Add(sampler.Grey(ox + x, oy + y), threshold, ring != 2);
            }
        }
    }
    if (finders.Share() < kMinFinderMatch)
        return 0.0;
    Match timing;
    for (int i = kTimingStart; i < side - kTimingStart; ++i) {
        timing.Add(sampler.Grey(i, kTimingLine), threshold, i % 2 == 0);
        timing.Add(sampler.Grey(kTimingLine, i), threshold, i % 2 == 0);
    }
    return timing.Share();
}

}  // namespace

int ProbeSymbolVersion(const GreyPicture& picture, const SymbolCorners& corners)
{
    const SquareToCorners map(corners);
    if (!map.Valid() || picture.pixels.empty())
        return 0;
    int best = 0;
    double bestMatch = 0.0;
    for (int version = 1; version <= kMaxVersion; ++version) {
        const int side = SideOf(version);
        const double match = TimingMatch(ModuleSampler(picture, map, side), side);
        if (match >= kMinTimingMatch && match > bestMatch) {
            best = version;
            bestMatch = match;
        }
    }
    return best;
}

}  // namespace nubora::detail
