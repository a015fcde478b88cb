#include "nubora/text/byte_limit.h"

namespace nubora::text {

std::string TextTooLongMessage(int limitBytes) { return std::to_string(limitBytes) + " 文字以内で入力してください。"; }

}  // namespace nubora::text
