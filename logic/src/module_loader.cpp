#include "module_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <array>
#include <climits>
#include <string>

namespace nubora::detail {
namespace {

// The folder of the running program, from /proc/self/exe; empty when unknown.
std::string ProgramFolder()
{
    std::array<char, PATH_MAX> buffer{};
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0)
        return {};
    const std::string program(buffer.data(), static_cast<size_t>(length));
    return program.substr(0, program.rfind('/'));
}

}  // namespace

void* OpenModuleEntry(const char* file, const char* buildPath, const char* entry)
{
    const std::array<std::string, 2> candidates = {
        ProgramFolder() + "/../" NUBORA_INSTALL_LIBDIR "/nubora/" + file,
        buildPath,
    };
    for (const std::string& path : candidates) {
        if (void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            if (void* found = dlsym(module, entry))
                return found;
            dlclose(module);
        }
    }
    return nullptr;
}

}  // namespace nubora::detail
