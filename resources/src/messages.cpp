#include "nubora/resources/messages.h"

#include "nubora/framework/services.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"

namespace nubora {

fw::BoxType MessageType(int stringId)
{
    namespace s = res::str;
    switch (stringId) {
    case s::kExitQuestion:
    case s::kExitDiscardEdits:
    case s::kExitDiscardUnsaved:
    case s::kBackToMenuQuestion:
    case s::kBackToMenuDiscardEdits:
    case s::kClearInputQuestion:
    case s::kBackToMenuDiscardUnsaved:
    case s::kTrailingBackslashQuestion: return fw::BoxType::Question;
    case s::kAlreadyRunning:
    case s::kDataTooLong:
    case s::kEncodeFailed:
    case s::kSplitImpossible:
    case s::kReadBackFailed: return fw::BoxType::Error;
    case s::kCopiedToClipboard:
    case s::kNoPrinter: return fw::BoxType::Notice;
    default: return fw::BoxType::Warning;
    }
}

fw::Answer ShowMessage(QWidget* owner, int stringId)
{
    return ShowMessageText(owner, stringId, res::LoadString(stringId));
}

fw::Answer ShowMessageText(QWidget* owner, int stringId, const QString& text)
{
    return fw::ShowMessageBox(owner, text, MessageType(stringId));
}

}  // namespace nubora
