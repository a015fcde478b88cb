#include "nubora/logic/symbol_outline.h"

#include "module_outline.h"

namespace nubora {

std::vector<std::vector<OutlineCorner>> SymbolOutlines(const QrBitmap& symbol)
{
    std::vector<std::vector<OutlineCorner>> outlines;
    for (const std::vector<detail::ModuleCorner>& outline : detail::DarkModuleOutlines(symbol)) {
        std::vector<OutlineCorner>& corners = outlines.emplace_back();
        corners.reserve(outline.size());
        for (const detail::ModuleCorner& corner : outline)
            corners.push_back({corner.x, corner.y});
    }
    return outlines;
}

}  // namespace nubora
