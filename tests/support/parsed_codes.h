// Expected results of ParseCodeText, written field by field.
#pragma once

#include <string>
#include <vector>

#include "nubora/logic/code_text_parse.h"

namespace nubora::testing {

using Extras = std::vector<LabelledField>;

// A contact of `form` with these fields, the others empty.
inline ParsedCode Contact(CodeForm form, std::string name, std::string reading, std::vector<std::string> tels,
                          std::vector<std::string> emails, std::string address, std::string memo, Extras extras = {})
{
    ParsedCode code;
    code.form = form;
    code.name = std::move(name);
    code.reading = std::move(reading);
    code.tels = std::move(tels);
    code.emails = std::move(emails);
    code.address = std::move(address);
    code.memo = std::move(memo);
    code.extras = std::move(extras);
    return code;
}

// A mail of `form` with these fields, the others empty.
inline ParsedCode Mail(CodeForm form, std::string to, std::string subject, std::string body, Extras extras = {})
{
    ParsedCode code;
    code.form = form;
    code.to = std::move(to);
    code.subject = std::move(subject);
    code.body = std::move(body);
    code.extras = std::move(extras);
    return code;
}

}  // namespace nubora::testing
