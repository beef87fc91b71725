/* Writes the bytes of each image the header holds, in the order of their
 * names, for the test to compare with quillgrid-cli --binary. */
#include <stdio.h>

#include "icons.h"
#include "images.h"

#define WRITE(name) fwrite(name, 1, sizeof name, stdout)

int main(void) {
    if (sizeof icon != sizeof icon_2 || icon_width != 9) return 1;
#ifdef __AVR__
    return sizeof icon_2 + sizeof logo > 0 ? 0 : 1;
#else
    WRITE(icon_2);
    WRITE(logo);
    printf("%d x %d, %d x %d\n", icon_2_width, icon_2_height, logo_width, logo_height);
    return 0;
#endif
}
