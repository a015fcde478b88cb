// The message catalogue: each message of the string table with its box type
// (by its kind, message_kinds.h), shown with the caption string 126 through
// the message service.
#pragma once

#include "nubora/framework/message_service.h"

#include <QString>

class QWidget;

namespace nubora {

// The box type of message `stringId` (questions, warnings, errors, the one
// notice); Warning for an id that is no message.
fw::BoxType MessageType(int stringId);

// Shows message `stringId`, owned by `owner` (null: no owner).
fw::Answer ShowMessage(QWidget* owner, int stringId);

// Shows `text` (message `stringId` after formatting) in the box of that message.
fw::Answer ShowMessageText(QWidget* owner, int stringId, const QString& text);

}  // namespace nubora
