#include "finder_scan.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace nubora::detail {
namespace {

constexpr int kFinderModules = 7;
constexpr double kSideTolerance = 0.6;  // of a module, for the 1-module runs
constexpr double kCoreTolerance = 1.5;  // of a module, for the 3-module core
constexpr size_t kMaxCandidates = 256;  // centres kept apart; a busy photograph stops there
constexpr int kMinimalSightings = 2;

using Runs = std::array<int, 5>;

// True when five runs (dark first) are in the ratio 1:1:3:1:1.
bool IsFinderRatio(const Runs& runs)
{
    int total = 0;
    for (const int run : runs)
        total += run;
    if (total < kFinderModules)
        return false;
    const double module = total / static_cast<double>(kFinderModules);
    for (size_t i = 0; i < runs.size(); ++i) {
        const double expected = i == 2 ? 3 * module : module;
        if (std::abs(runs[i] - expected) > (i == 2 ? kCoreTolerance : kSideTolerance) * module)
            return false;
    }
    return true;
}

class FinderScan {
public:
    explicit FinderScan(const GreyPicture& picture) : picture_(picture)
    {
        const auto [lowest, highest] = std::ranges::minmax(picture.pixels);
        threshold_ = (lowest + highest + 1) / 2;
        contrast_ = highest - lowest >= 64;
    }

    bool Run()
    {
        for (int y = 0; contrast_ && y < picture_.height && centres_.size() < kMaxCandidates; ++y)
            ScanRow(y);
        return std::ranges::count_if(centres_, [](const Centre& c) { return c.sightings >= kMinimalSightings; }) >= 2;
    }

private:
    struct Centre {
        int x = 0;
        int y = 0;
        int size = 0;  // pixels across the pattern
        int sightings = 0;
    };

    bool Dark(int x, int y) const
    {
        return picture_.pixels[static_cast<size_t>(y) * static_cast<size_t>(picture_.width) + static_cast<size_t>(x)] <
               threshold_;
    }

    void ScanRow(int y)
    {
        // The row's runs: where each begins and how long it is, dark and light in turn.
        std::vector<std::pair<int, int>> runs;
        bool firstDark = false;
        for (int x = 0; x < picture_.width; ++x) {
            const bool dark = Dark(x, y);
            if (runs.empty())
                firstDark = dark;
            if (runs.empty() || dark != (((runs.size() - 1) % 2 == 0) == firstDark))
                runs.emplace_back(x, 0);
            ++runs.back().second;
        }
        for (size_t i = firstDark ? 0 : 1; i + 4 < runs.size(); i += 2) {
            const Runs five{runs[i].second, runs[i + 1].second, runs[i + 2].second, runs[i + 3].second,
                            runs[i + 4].second};
            if (IsFinderRatio(five))
                Confirm(runs[i + 2].first + five[2] / 2, y, runs[i + 4].first + five[4] - runs[i].first);
        }
    }

    // The length of the run through (x, y) going by `step` rows, and where it ends.
    int ColumnRun(int x, int& y, int step, bool dark) const
    {
        int length = 0;
        while (y >= 0 && y < picture_.height && Dark(x, y) == dark) {
            ++length;
            y += step;
        }
        return length;
    }

    // Keeps (x, y) when the column through it shows the pattern too.
    void Confirm(int x, int y, int size)
    {
        int up = y;
        int down = y + 1;
        Runs column{};
        column[2] = ColumnRun(x, up, -1, true) + ColumnRun(x, down, 1, true);
        column[1] = ColumnRun(x, up, -1, false);
        column[0] = ColumnRun(x, up, -1, true);
        column[3] = ColumnRun(x, down, 1, false);
        column[4] = ColumnRun(x, down, 1, true);
        const int height = column[0] + column[1] + column[2] + column[3] + column[4];
        if (!IsFinderRatio(column) || std::abs(height - size) * 2 > size)
            return;
        for (Centre& centre : centres_) {
            if (std::abs(centre.x - x) <= centre.size / 2 && std::abs(centre.y - y) <= centre.size / 2) {
                ++centre.sightings;
                return;
            }
        }
        centres_.push_back({x, y, size, 1});
    }

    const GreyPicture& picture_;
    int threshold_ = 128;
    bool contrast_ = false;
    std::vector<Centre> centres_;
};

}  // namespace

bool ShowsFinderPatterns(const GreyPicture& picture) { return !picture.pixels.empty() && FinderScan(picture).Run(); }

}  // namespace nubora::detail
