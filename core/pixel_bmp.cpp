#include "core/pixel_bmp.h"

#include "core/level_bmp_writer.h"
#include "core/mono_bmp_writer.h"
#include "core/pixel_image.h"

bool EmitPixelBmp(const PixelImage& image, ByteSink sink, void* context, bool setBitLight, const BufferSizes& sizes,
                  bool asInks) {
    switch (KindOf(image.Format())) {
    case PixelKind::Mono:
        return EmitMonoBmp(image.Bitmap(), sink, context, sizes, setBitLight);
    case PixelKind::Direct:
        return EmitDirectBmp(image.Direct(), sink, context, sizes);
    case PixelKind::Index:
        return EmitLevelBmp(image.Levels(), sink, context, false, sizes, asInks ? &image.Inks() : &image.Palette());
    case PixelKind::Grey:
    case PixelKind::Alpha:
        break;
    }
    return EmitLevelBmp(image.Levels(), sink, context, KindOf(image.Format()) == PixelKind::Alpha, sizes);
}
