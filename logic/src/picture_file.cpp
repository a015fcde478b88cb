#include "nubora/logic/picture_file.h"

#include "module_loader.h"
#include "picture_module.h"

namespace nubora {

Result<GreyPicture, PictureFailure> LoadPicture(const std::string& path)
{
    static const auto load = reinterpret_cast<NuboraLoadPictureFunction>(
        detail::OpenModuleEntry(kPictureModuleFile, NUBORA_PICTURE_MODULE_BUILD_PATH, kPictureModuleEntry));
    if (load == nullptr)
        return Fail(PictureFailure::ReaderMissing);
    GreyPicture picture;
    const int status = load(path.c_str(), &picture);
    if (status != kPictureLoaded)
        return Fail(static_cast<PictureFailure>(status));
    return picture;
}

}  // namespace nubora
