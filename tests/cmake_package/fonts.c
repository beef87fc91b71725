/* Writes the bytes of the two fonts, digits then letters, for the test to
 * compare with quillgrid-cli --vlw. */
#include <stdio.h>

#include "digits.h"
#include "letters.h"

int main(void) {
    fwrite(digits, 1, sizeof digits, stdout);
    fwrite(letters, 1, sizeof letters, stdout);
    return 0;
}
