/*
  Fontname: -test-tiny-medium-r-normal--8-80-75-75-c-60-iso10646-1
  Copyright: (null)
  Glyphs: 2/2
  BBX Build Mode: 0
*/
const uint8_t u8g2_font_tiny_tf[49] U8G2_FONT_SECTION("u8g2_font_tiny_tf") = 
  "\2\0\2\2\3\3\1\2\4\5\10\0\376\6\376\6\376\0\0\0\0\0\24A\11u\275\225\365\30Y\7"
  "g\11t\274\21e\332I\1\0\0\0\4\377\377\0";
