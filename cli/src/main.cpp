// nubora-qr: QR Code symbols for Japanese mobile phones from the command
// line, through the same checks, payload builders, engine and read-back as
// the ヌボラ screens.
#include "batch.h"
#include "decode.h"
#include "encode_job.h"
#include "messages.h"
#include "options.h"
#include "sheets.h"
#include "single.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    using namespace nubora::cli;
    const ParsedOptions parsed = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed) {
        Complain("", parsed.Error().message);
        // The synopsis only: the whole text is for --help.
        const std::string usage = UsageText();
        std::fprintf(stderr, "%s\nTry 'nubora-qr --help' for more.\n", usage.substr(0, usage.find("\n\n") + 1).c_str());
        return kExitUsage;
    }
    if (parsed->help) {
        std::fputs(UsageText(), stdout);
        return kExitOk;
    }
    if (parsed->listSheets)
        return ListSheets();
    if (parsed->decode)
        return RunDecode(*parsed);
    return parsed->kind ? RunBatch(*parsed) : RunSingle(*parsed);
}
