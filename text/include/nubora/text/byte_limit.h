// The message for a text past the byte limit of its field, shared by the
// framework's data exchange and nubora-qr.
#pragma once

#include <string>

namespace nubora::text {

// "<limitBytes> 文字以内で入力してください。" (UTF-8): the text is longer than
// `limitBytes` CP932 bytes.
std::string TextTooLongMessage(int limitBytes);

}  // namespace nubora::text
