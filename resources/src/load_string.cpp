#include "nubora/resources/string_table.h"

namespace nubora::res {

QString LoadString(int id)
{
    const std::string_view text = StringText(id);
    return text.empty() ? QString() : QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace nubora::res
