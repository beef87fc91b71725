// The forms, one row each: a new form is one file and one row here.
#include "forms/output_form.h"

const std::vector<OutputFormRow>& OutputForms() {
    // format, flag, extension, form, every frame, several a file, planes, C source, text, writes
    static const std::vector<OutputFormRow> kForms = {
        {OutputFormat::ArrayText, "", ".txt", ArrayTextForm(), true, false, true, false, true, true},
        {OutputFormat::CArray, "--c-array", ".h", CArrayForm(), true, true, true, true, true, true},
        {OutputFormat::Binary, "--binary", ".bin", BinaryForm(), true, false, true, false, false, true},
        {OutputFormat::Bmp, "--bmp", ".bmp", BmpForm(), false, false, false, false, false, true},
        {OutputFormat::Png, "--png", ".png", PngForm(), false, false, false, false, false, true},
        {OutputFormat::Xbm, "--xbm", ".xbm", XbmForm(), false, false, false, true, true, true},
        {OutputFormat::Lvgl, "--lvgl", ".c", LvglForm(), true, true, false, true, true, true},
        {OutputFormat::LvglBin, "--lvgl-bin", ".bin", LvglBinForm(), false, false, false, false, false, true},
        {OutputFormat::Preview, "--preview", "", PreviewForm(), false, false, false, false, true, false},
    };
    return kForms;
}

const OutputFormRow& FormRow(OutputFormat format) {
    for (const OutputFormRow& row : OutputForms())
        if (row.format == format) return row;
    return OutputForms().front();
}
