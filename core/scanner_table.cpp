// The process-wide bitmap and the eight scanners are defined in this one
// file so that they are constructed in this order: the bitmap first, then
// the scanners in table order.
#include "core/byte_scanner.h"
#include "core/mono_bitmap.h"
#include "core/scanner_table.h"

#include <memory>

MonoBitmap g_bitmap;

namespace {
VBitHByteScanner vbitHByte;
VBitHByteRevScanner vbitHByteRev;
VBitVByteScanner vbitVByte;
VBitVByteRevScanner vbitVByteRev;
HBitVByteScanner hbitVByte;
HBitVByteRevScanner hbitVByteRev;
HBitHByteScanner hbitHByte;
HBitHByteRevScanner hbitHByteRev;
}  // namespace

const ScannerRow ScannerTable[8] = {
    {0, 0, 1, &vbitHByte}, {1, 0, 1, &vbitHByteRev}, {0, 0, 0, &vbitVByte}, {1, 0, 0, &vbitVByteRev},
    {0, 1, 0, &hbitVByte}, {1, 1, 0, &hbitVByteRev}, {0, 1, 1, &hbitHByte}, {1, 1, 1, &hbitHByteRev},
};

ByteScanner* SelectScanner(const ConvertOptions& options) {
    ByteScanner* result = nullptr;
    for (const ScannerRow& row : ScannerTable) {
        if (row.msbReverse == options.msbReverse && row.bitHorizontal == options.bitHorizontal &&
            row.byteHorizontal == options.byteHorizontal)
            result = row.scanner;
    }
    return result;
}

std::unique_ptr<ByteScanner> NewScanner(const ConvertOptions& options) {
    const ByteScanner* shared = SelectScanner(options);
    if (shared == &vbitHByte) return std::unique_ptr<ByteScanner>(new VBitHByteScanner);
    if (shared == &vbitHByteRev) return std::unique_ptr<ByteScanner>(new VBitHByteRevScanner);
    if (shared == &vbitVByte) return std::unique_ptr<ByteScanner>(new VBitVByteScanner);
    if (shared == &vbitVByteRev) return std::unique_ptr<ByteScanner>(new VBitVByteRevScanner);
    if (shared == &hbitVByte) return std::unique_ptr<ByteScanner>(new HBitVByteScanner);
    if (shared == &hbitVByteRev) return std::unique_ptr<ByteScanner>(new HBitVByteRevScanner);
    if (shared == &hbitHByte) return std::unique_ptr<ByteScanner>(new HBitHByteScanner);
    if (shared == &hbitHByteRev) return std::unique_ptr<ByteScanner>(new HBitHByteRevScanner);
    return nullptr;
}
