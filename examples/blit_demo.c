/* A first look at Pixmill from C: draw a soft round sprite onto a gradient
 * with the per-pixel-alpha blit and write the result as a 24-bit BMP. */
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "pixmill.h"

enum { W = 320, H = 200, S = 64 };

static void put32(unsigned char* p, unsigned v)
{
    p[0] = (unsigned char)v;
    p[1] = (unsigned char)(v >> 8);
    p[2] = (unsigned char)(v >> 16);
    p[3] = (unsigned char)(v >> 24);
}

int main(int argc, char** argv)
{
    const char* out = argc > 1 ? argv[1] : "pixmill-demo.bmp";
    const int pitch = (3 * W + 3) & ~3; /* bitmap rows are padded to 4 bytes */
    static unsigned char back[((3 * W + 3) & ~3) * H];
    static unsigned char sprite[4 * S * S];
    PixmillArray back_arr, sprite_arr;
    Surface back_s, sprite_s;
    unsigned char header[54] = {'B', 'M'};
    FILE* f;
    int x, y;

    /* Rows are bottom-up: array row 0 is the bottom of the picture. */
    for (y = 0; y < H; ++y)
        for (x = 0; x < W; ++x) {
            unsigned char* p = back + y * pitch + 3 * x;
            p[0] = (unsigned char)(x * 255 / W);
            p[1] = (unsigned char)(y * 255 / H);
            p[2] = 96;
        }
    for (y = 0; y < S; ++y)
        for (x = 0; x < S; ++x) {
            unsigned char* p = sprite + 4 * (y * S + x);
            double r = hypot(x - S / 2 + 0.5, y - S / 2 + 0.5) / (S / 2);
            p[0] = 40;
            p[1] = 200;
            p[2] = 255;
            p[3] = (unsigned char)(r >= 1.0 ? 0 : 255.0 * (1.0 - r * r));
        }
    back_s = pixmill_wrap(&back_arr, back, W, H, pitch, 24);
    sprite_s = pixmill_wrap(&sprite_arr, sprite, S, S, 4 * S, 32);

    for (x = 0; x < 5; ++x) {
        Render_BitBlt32to24(&back_s, 20 + 60 * x, 30 + 20 * x, S, S, &sprite_s, 0, 0);
        printf("blit sprite at (%d, %d)\n", 20 + 60 * x, 30 + 20 * x);
    }

    put32(header + 2, (unsigned)(54 + sizeof back));
    put32(header + 10, 54);
    put32(header + 14, 40);
    put32(header + 18, W);
    put32(header + 22, H);
    header[26] = 1;
    header[28] = 24;
    put32(header + 34, (unsigned)sizeof back);
    f = fopen(out, "wb");
    if (f == NULL || fwrite(header, 1, sizeof header, f) != sizeof header ||
        fwrite(back, 1, sizeof back, f) != sizeof back || fclose(f) != 0) {
        fprintf(stderr, "blit_demo: cannot write %s\n", out);
        return 1;
    }
    printf("wrote %s (%dx%d)\n", out, W, H);
    return 0;
}
