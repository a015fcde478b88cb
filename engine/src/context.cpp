#include "context.h"

namespace tavoqr {

QrBlockLayout MakeBlockLayout(const QrSymbolSpec& symbol) noexcept
{
    QrBlockLayout layout;
    int32_t offset = 0;
    for (QrBlockGroup group : {symbol.group1, symbol.group2}) {
        if (group == 0)
            continue;
        const int32_t k = GroupData(group);
        const int32_t e = GroupTotal(group) - k;
        for (int32_t i = 0; i < GroupBlocks(group) && layout.count < kMaxBlocks; ++i) {
            layout.dataCount[layout.count] = k;
            layout.ecCount[layout.count] = e;
            layout.offset[layout.count] = offset;
            offset += k + e + 1;
            ++layout.count;
            if (k > layout.kmax)
                layout.kmax = k;
        }
    }
    layout.storageSize = offset;
    return layout;
}

}  // namespace tavoqr
