// The one entry of the picture module (libnubora_pictures.so), which holds
// the image and PDF loaders so that only a reader of pictures loads them.
#pragma once

#include "nubora/logic/picture_file.h"

namespace nubora {

// What NuboraLoadPicture returns when the picture was loaded; otherwise it
// returns the PictureFailure as an int.
inline constexpr int kPictureLoaded = -1;

// The name of the module's file, and of the entry in it.
inline constexpr char kPictureModuleFile[] = "libnubora_pictures.so";
inline constexpr char kPictureModuleEntry[] = "NuboraLoadPicture";

}  // namespace nubora

// Loads the picture in the file `path` (not null) into `*picture` (not null)
// as LoadPicture describes. Returns kPictureLoaded, or the failure with
// `*picture` untouched; never throws.
extern "C" int NuboraLoadPicture(const char* path, nubora::GreyPicture* picture) noexcept;

// The type of that entry, for the module's user.
using NuboraLoadPictureFunction = int (*)(const char*, nubora::GreyPicture*) noexcept;
