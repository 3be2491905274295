/* Compiled as C: the public header, the wrap helper and a call through it. */
#include <stdio.h>
#include <string.h>

#include "pixmill.h"

int main(void)
{
    unsigned char dst_px[2 * 8] = {0}, src_px[2 * 8];
    PixmillArray dst_arr, src_arr;
    Surface dst, src;
    int32_t version = 0;
    char text[36];

    memset(src_px, 7, sizeof src_px);
    dst = pixmill_wrap(&dst_arr, dst_px, 2, 2, 8, 24);
    src = pixmill_wrap(&src_arr, src_px, 2, 2, 8, 24);
    if (Render_BitBlt24to24(&dst, 0, 0, 2, 2, &src, 0, 0) != 0) return 1;
    if (dst_px[0] != 7 || dst_px[5] != 7 || dst_px[6] != 0 || dst_px[13] != 7) return 2;
    if (Render_GetInfo(&version, text) != 0 || version != 100) return 3;
    printf("%d %.35s\n", version, text);
    return 0;
}
