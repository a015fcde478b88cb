#include "nubora/resources/messages.h"

#include "nubora/framework/services.h"
#include "nubora/resources/message_kinds.h"
#include "nubora/resources/string_table.h"

namespace nubora {

fw::BoxType MessageType(int stringId)
{
    switch (res::MessageKindOf(stringId)) {
    case res::MessageKind::Question: return fw::BoxType::Question;
    case res::MessageKind::Error: return fw::BoxType::Error;
    case res::MessageKind::Notice: return fw::BoxType::Notice;
    case res::MessageKind::Warning: break;
    }
    return fw::BoxType::Warning;
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
