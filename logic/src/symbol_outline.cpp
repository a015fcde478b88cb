#include "nubora/logic/symbol_outline.h"

#include <array>
#include <bit>

namespace nubora {
namespace {

// The four directions an edge runs in, as bits of a corner's set of
// outgoing edges, and their steps.
enum Direction : uint8_t { kRight = 1, kDown = 2, kLeft = 4, kUp = 8 };
constexpr std::array<int32_t, 4> kStepX = {1, 0, -1, 0};
constexpr std::array<int32_t, 4> kStepY = {0, 1, 0, -1};

}  // namespace

std::vector<std::vector<OutlineCorner>> SymbolOutlines(const QrBitmap& symbol)
{
    const int32_t side = symbol.Side();
    const int32_t corners = side + 1;
    const auto dark = [&](int32_t x, int32_t y) {
        return x >= 0 && y >= 0 && x < side && y < side && symbol.IsDark(x, y);
    };
    // Every edge between a dark and a light module (or the edge of the
    // symbol), leaving its start corner with the dark module on its right.
    std::vector<uint8_t> out(static_cast<size_t>(corners) * static_cast<size_t>(corners), 0);
    const auto at = [&](int32_t x, int32_t y) -> uint8_t& {
        return out[static_cast<size_t>(y) * static_cast<size_t>(corners) + static_cast<size_t>(x)];
    };
    for (int32_t y = 0; y < side; ++y) {
        for (int32_t x = 0; x < side; ++x) {
            if (!dark(x, y))
                continue;
            if (!dark(x, y - 1))
                at(x, y) |= kRight;
            if (!dark(x + 1, y))
                at(x + 1, y) |= kDown;
            if (!dark(x, y + 1))
                at(x + 1, y + 1) |= kLeft;
            if (!dark(x - 1, y))
                at(x, y + 1) |= kUp;
        }
    }
    // Each corner has as many edges in as out, so a walk along unused edges
    // from a corner comes back to it; corners in reading order start the
    // walks, and the first corner of each is where its outline turns.
    std::vector<std::vector<OutlineCorner>> outlines;
    for (int32_t y0 = 0; y0 < corners; ++y0) {
        for (int32_t x0 = 0; x0 < corners; ++x0) {
            std::vector<OutlineCorner> outline;
            int32_t x = x0, y = y0;
            int previous = -1;
            while (at(x, y) != 0) {
                const int direction = std::countr_zero(static_cast<unsigned>(at(x, y)));
                at(x, y) &= static_cast<uint8_t>(~(1u << direction));
                if (direction != previous)
                    outline.push_back({x, y});
                previous = direction;
                x += kStepX[static_cast<size_t>(direction)];
                y += kStepY[static_cast<size_t>(direction)];
            }
            if (!outline.empty())
                outlines.push_back(std::move(outline));
        }
    }
    return outlines;
}

std::vector<DarkRect> SymbolRectangles(const QrBitmap& symbol)
{
    const int32_t side = symbol.Side();
    std::vector<DarkRect> done;
    // The rectangles that reach the row above, left to right, and those
    // that reach this row.
    std::vector<DarkRect> open, next;
    for (int32_t y = 0; y <= side; ++y) {
        next.clear();
        size_t above = 0;
        for (int32_t x = 0; y < side && x < side;) {
            if (!symbol.IsDark(x, y)) {
                ++x;
                continue;
            }
            int32_t end = x + 1;
            while (end < side && symbol.IsDark(end, y))
                ++end;
            // Rectangles above that end left of this run go on no further.
            while (above < open.size() && open[above].x < x)
                done.push_back(open[above++]);
            if (above < open.size() && open[above].x == x && open[above].width == end - x) {
                DarkRect grown = open[above++];
                ++grown.height;
                next.push_back(grown);
            } else {
                next.push_back({x, y, end - x, 1});
            }
            x = end;
        }
        while (above < open.size())
            done.push_back(open[above++]);
        std::swap(open, next);
    }
    return done;
}

}  // namespace nubora
