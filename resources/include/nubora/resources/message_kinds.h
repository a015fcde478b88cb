// The kinds of message of the catalogue, without any window: each message of
// the string table is a question, a warning, an error or a notice.
// messages.h shows them as the message service's box types.
#pragma once

namespace nubora::res {

enum class MessageKind {
    Question,  // Yes and No, Yes the default
    Warning,   // invalid input, file problems, capacity query failure
    Error,     // encoding failures, second program copy
    Notice,    // reports that something was done
};

// The kind of message `stringId`; Warning for an id that is no message.
MessageKind MessageKindOf(int stringId);

}  // namespace nubora::res
