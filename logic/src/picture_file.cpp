#include "nubora/logic/picture_file.h"

#include "picture_module.h"

#include <dlfcn.h>
#include <unistd.h>

#include <array>
#include <climits>

namespace nubora {
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

// The module's entry: from the installed layout beside the program
// (PROGRAM/../LIBDIR/nubora/), else from the build tree; null when neither
// holds it. Opened once a process, and kept open.
NuboraLoadPictureFunction OpenModule()
{
    const std::array<std::string, 2> candidates = {
        ProgramFolder() + "/../" NUBORA_INSTALL_LIBDIR "/nubora/" + kPictureModuleFile,
        NUBORA_PICTURE_MODULE_BUILD_PATH,
    };
    for (const std::string& path : candidates) {
        if (void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            if (void* entry = dlsym(module, kPictureModuleEntry))
                return reinterpret_cast<NuboraLoadPictureFunction>(entry);
            dlclose(module);
        }
    }
    return nullptr;
}

}  // namespace

Result<GreyPicture, PictureFailure> LoadPicture(const std::string& path)
{
    static const NuboraLoadPictureFunction load = OpenModule();
    if (load == nullptr)
        return Fail(PictureFailure::ReaderMissing);
    GreyPicture picture;
    const int status = load(path.c_str(), &picture);
    if (status != kPictureLoaded)
        return Fail(static_cast<PictureFailure>(status));
    return picture;
}

}  // namespace nubora
