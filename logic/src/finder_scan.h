// Whether a picture shows QR Code finder patterns at all: the decoder reports
// only the symbols it could read, and a picture of a damaged symbol must be
// told from a picture without any.
#pragma once

#include "nubora/logic/picture_file.h"

namespace nubora::detail {

// True when at least two finder patterns (dark, light, dark 3, light, dark,
// 1:1:3:1:1 across and down, each seen on two rows or more) stand apart in
// `picture`, thresholded halfway between its darkest and lightest grey.
// Looks at every pixel at most a few times.
bool ShowsFinderPatterns(const GreyPicture& picture);

}  // namespace nubora::detail
