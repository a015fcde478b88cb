// The texts the e-mail screen makes from its entry, without a window: the
// mail text a phone's code reader turns into a new mail, and the summary of
// the entered data that the code view shows. All CP932 bytes, or UTF-8 for a
// mail in UTF-8.
#pragma once

#include "nubora/text/charset.h"

#include <string>

namespace nubora {

// One mail as the screen holds it: CP932 bytes, or UTF-8 bytes when a value
// holds a character without a CP932 code (limits by text::LimitLength).
struct MailEntry {
    std::string to;                                        // recipients, commas between them; at most 640 bytes
    std::string subject;                                   // at most 100 bytes
    std::string body;                                      // at most 10,000 bytes; its line breaks are CR LF
    text::TextCharset charset = text::TextCharset::Cp932;  // of every value
    bool operator==(const MailEntry&) const = default;
};

// "MAILTO:" + to (always, also when empty), then "SUBJECT:" + subject and
// "BODY:" + body when not empty; every line ends in CR LF and the values are
// taken unchanged, so the body line may itself hold CR LF pairs.
std::string MailPayload(const MailEntry& entry);

// The code view's summary: "【宛先】 ", "【件名】 " and "【本文】 " (each
// label ending in one space) with their values, all three lines always, each
// ending in CR LF; in the mail's charset.
std::string MailSummary(const MailEntry& entry);

}  // namespace nubora
