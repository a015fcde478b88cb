#include "nubora/resources/message_kinds.h"

#include "nubora/resources/string_ids.h"

namespace nubora::res {

MessageKind MessageKindOf(int stringId)
{
    switch (stringId) {
    case str::kExitQuestion:
    case str::kExitDiscardEdits:
    case str::kExitDiscardUnsaved:
    case str::kBackToMenuQuestion:
    case str::kBackToMenuDiscardEdits:
    case str::kClearInputQuestion:
    case str::kBackToMenuDiscardUnsaved:
    case str::kTrailingBackslashQuestion:
    case str::kReplaceUnsavedQuestion: return MessageKind::Question;
    case str::kAlreadyRunning:
    case str::kDataTooLong:
    case str::kEncodeFailed:
    case str::kSplitImpossible:
    case str::kReadBackFailed: return MessageKind::Error;
    case str::kCopiedToClipboard:
    case str::kNoPrinter: return MessageKind::Notice;
    default: return MessageKind::Warning;
    }
}

}  // namespace nubora::res
