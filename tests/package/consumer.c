/* A program that knows Pixmill only from its installed header and library:
 * it blends a bar over a keyed copy and checks the bytes it expects. Compiled
 * as C and as C++ against an installed tree. */
#include <stdio.h>
#include <string.h>

#include <pixmill.h>

int main(void)
{
    /* 4 x 2 pixels, 24-bit, rows padded to 12 bytes; the sprite's bottom-left
     * pixel (0, 1) is blue 10, not the black key. */
    unsigned char back[2 * 12], sprite[2 * 12] = {10};
    PixmillArray back_arr, sprite_arr;
    Surface back_s = pixmill_wrap(&back_arr, back, 4, 2, 12, 24);
    Surface sprite_s = pixmill_wrap(&sprite_arr, sprite, 4, 2, 12, 24);
    int32_t version = 0;
    char text[35];

    memset(back, 200, sizeof back);

    Render_BitBlt24to24TColor(&back_s, 0, 0, 4, 2, &sprite_s, 0, 0, 0, 0, 0);
    /* Half of red 255 over the top row: (255 * 128 + 200 * 127) / 255 = 227. */
    Render_DrawBar24Alpha(&back_s, 0, 0, 4, 1, 255, 0, 0, 128);
    Render_GetInfo(&version, text);

    if (back[0] != 10 || back[1] != 0 || back[3] != 200 || back[12 + 2] != 227 || back[12 + 1] != 99 ||
        version != 100 || memcmp(text, "Pixmill v1.01", 13) != 0) {
        fprintf(stderr, "unexpected result: %d %d %d %d %d version %d\n", back[0], back[1], back[3], back[14],
                back[13], version);
        return 1;
    }
    printf("pixmill %d: %.35s\n", version, text);
    return 0;
}
