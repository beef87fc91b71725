// The program's own texts. The Japanese ones are Shift_JIS (code page 932)
// bytes, as the ANSI calls that show them expect; each is written out in
// the comment above it.
#pragma once

// Quillgrid
#define TEXT_APP_NAME "Quillgrid"

// 未ｻﾎﾟｰﾄのﾌｧｲﾙ形式です。
#define TEXT_UNSUPPORTED "\x96\xa2\xbb\xce\xdf\xb0\xc4\x82\xcc\xcc\xa7\xb2\xd9\x8c\x60\x8e\xae\x82\xc5\x82\xb7\x81\x42"

// 警告
#define TEXT_WARNING "\x8c\x78\x8d\x90"

// ファイルオープン
#define TEXT_OPEN_TITLE "\x83\x74\x83\x40\x83\x43\x83\x8b\x83\x49\x81\x5b\x83\x76\x83\x93"

// ファイル保存
#define TEXT_SAVE_TITLE "\x83\x74\x83\x40\x83\x43\x83\x8b\x95\xdb\x91\xb6"

// ﾋﾞｯﾄﾏｯﾌﾟ-配列定義変換ﾌｨﾙﾀ NG
#define TEXT_CONVERT_FAILED                                                                    \
    "\xcb\xde\xaf\xc4\xcf\xaf\xcc\xdf\x2d\x94\x7a\x97\xf1\x92\xe8\x8b\x60\x95\xcf\x8a\xb7\xcc" \
    "\xa8\xd9\xc0 NG"

// エラー
#define TEXT_ERROR "\x83\x47\x83\x89\x81\x5b"

// ﾓﾉｸﾛﾋﾞｯﾄﾏｯﾌﾟ-配列定義変換\n\nｿﾌﾄ名:\tQuillgrid\nVersion:\t1.00
#define TEXT_VERSION                                                                           \
    "\xd3\xc9\xb8\xdb\xcb\xde\xaf\xc4\xcf\xaf\xcc\xdf\x2d\x94\x7a\x97\xf1\x92\xe8\x8b\x60\x95" \
    "\xcf\x8a\xb7"                                                                             \
    "\n\n"                                                                                     \
    "\xbf\xcc\xc4\x96\xbc"                                                                     \
    ":\tQuillgrid\nVersion:\t1.00"

// バージョン情報
#define TEXT_VERSION_TITLE "\x83\x6f\x81\x5b\x83\x57\x83\x87\x83\x93\x8f\xee\x95\xf1"

#define FILTER_BMP "BMP(*.bmp)\0*.bmp\0All files(*.*)\0*.*\0"
#define FILTER_TXT "TXT(*.txt)\0*.txt\0All files(*.*)\0*.*\0"
