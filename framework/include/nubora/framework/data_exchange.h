// Data exchange between a dialog's controls and its members, which hold
// CP932 bytes, or UTF-8 bytes where a dialog says so. One DoDataExchange function lists the pairs; it runs in one
// direction at a time (Dialog::UpdateData).
#pragma once

#include "nubora/text/charset.h"

#include <QString>

#include <string>

namespace nubora::fw {

class Dialog;

enum class Exchange {
    ToControls,    // members → controls
    FromControls,  // controls → members, with the limits checked
    // controls → members without the limits: keeps what a screen shows as
    // it is, a value past its limit too (set by the program from a damaged
    // file); nothing is reported and nothing fails.
    FromControlsUnchecked,
};

// The framework's message for a text past its byte limit; %1 is the limit.
QString TextTooLongMessage(int limitBytes);

class DataExchange {
public:
    DataExchange(Dialog& dialog, Exchange direction) : dialog_(dialog), direction_(direction) {}

    bool Saving() const { return direction_ != Exchange::ToControls; }
    // True after a check failed; the remaining pairs are then left alone.
    bool Failed() const { return failedControl_ != 0; }
    // The character set of the members of the Text pairs that follow; CP932
    // until set.
    void SetCharset(text::TextCharset charset) { charset_ = charset; }

    // Moves the text of control `id` (a line edit, a plain-text edit, a combo
    // box or a label). Multi-line controls separate lines with LF, `member`
    // with CR LF. Taking a text of more than `limitBytes` CP932 bytes (0: no
    // limit) fails: the message TextTooLongMessage is shown as a warning, the
    // focus goes to the control and `member` keeps its value. A text the user
    // has not changed since it was shown or taken gives back the same bytes;
    // in a changed text a character without a CP932 code is taken as '?'.
    // With the UTF-8 charset the member holds UTF-8 and the limit counts
    // text::LimitLength (a character without a CP932 code counts 2).
    void Text(int id, std::string& member, int limitBytes = 0);

    // Moves an integer shown as decimal text (a spin box's value, or a text
    // control). Taking a text that is no integer fails like a long text.
    void Integer(int id, int& member);

private:
    void Fail(int id, const QString& message);

    Dialog& dialog_;
    Exchange direction_;
    text::TextCharset charset_ = text::TextCharset::Cp932;
    int failedControl_ = 0;
};

}  // namespace nubora::fw
