#include "picture/zoom_headroom.h"

#include "picture/reduced_size.h"

PictureSize FrameSize(PictureSize source, int32_t boxWidth, int32_t boxHeight,
                      Picture::Sizing sizing) {
    return sizing == Picture::Sizing::Fit
               ? FitSize(source.width, source.height, boxWidth, boxHeight)
               : ReducedSize(source.width, source.height, boxWidth, boxHeight);
}

PictureSize HeadroomSize(PictureSize source, PictureSize frame) {
    const auto enlarged = [](int32_t side) {
        return int32_t(int64_t{side} * ZoomHeadroomFifths / 5);
    };
    return FitSize(source.width, source.height, enlarged(frame.width), enlarged(frame.height));
}
