/* Calls exports of every family on the same generated images and writes one
 * line per call: its name, its result and every byte of the array it wrote.
 * Run as a Windows program against the DLL and as a Linux program against
 * libpixmill.so, the two outputs must be identical.
 * usage: family_calls OUTPUT LIBRARY */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "caller.h"

static FILE* out;

static void* need(const char* name, int arg_bytes)
{
    void* fn = library_symbol(name, arg_bytes);
    if (fn == NULL) {
        fprintf(stderr, "export %s (%d argument bytes) not found\n", name, arg_bytes);
        exit(2);
    }
    return fn;
}

/* The export `name`, typed as the header declares it. */
#define EXPORT(name, arg_bytes) ((__typeof__(&name))need(#name, arg_bytes))

static void put_bytes(const unsigned char* p, size_t n)
{
    size_t i;
    for (i = 0; i < n; i++) fprintf(out, "%02x", p[i]);
    fputc('\n', out);
}

static void record(const char* step, int32_t rc, const Image* written)
{
    fprintf(out, "%s rc=%d ", step, (int)rc);
    put_bytes(written->bytes, written->size);
}

/* Every byte of the array, padding included, from a fixed sequence. */
static void fill(Image* img, unsigned seed)
{
    size_t i;
    for (i = 0; i < img->size; i++) {
        seed = seed * 1103515245u + 12345u;
        img->bytes[i] = (unsigned char)(seed >> 16);
    }
}

/* Every fifth pixel of a 24-bit image becomes magenta, the key used below. */
static void sprinkle_key(Image* img, int stride)
{
    size_t row, x;
    for (row = 0; row * (size_t)stride < img->size; row++)
        for (x = row % 5; 3 * x + 2 < (size_t)stride; x += 5) {
            unsigned char* p = img->bytes + row * (size_t)stride + 3 * x;
            p[0] = 255, p[1] = 0, p[2] = 255;
        }
}

int main(int argc, char** argv)
{
    Image a24, b24, m24, a32, b32;
    int32_t version = 0, r = 0, g = 0, b = 0;
    char text[40];
    unsigned char block[20];
    int i;

    if (argc != 3) {
        fprintf(stderr, "usage: family_calls OUTPUT LIBRARY\n");
        return 2;
    }
    if (library_open(argv[2]) != 0) {
        fprintf(stderr, "cannot load %s\n", argv[2]);
        return 2;
    }
    /* 24-bit rows padded to a multiple of 4 bytes, as in a bitmap. */
    if (image_create(&a24, 37, 23, 112, 24) || image_create(&b24, 30, 19, 92, 24) ||
        image_create(&m24, 30, 19, 92, 24) || image_create(&a32, 29, 21, 29, 32) ||
        image_create(&b32, 26, 17, 26, 32)) {
        fprintf(stderr, "cannot create the arrays\n");
        return 2;
    }
    fill(&a24, 1), fill(&b24, 2), fill(&m24, 3), fill(&a32, 4), fill(&b32, 5);
    sprinkle_key(&b24, 92);
    out = fopen(argv[1], "wb");
    if (out == NULL) {
        fprintf(stderr, "cannot write %s\n", argv[1]);
        return 2;
    }

    /* Array services read the descriptor the runtime built. */
    fprintf(out, "bounds %d %d %d %d %d %d %d %d\n", (int)EXPORT(mUBOUNDType, 8)(a24.s.Pixels, 1),
            (int)EXPORT(mUBOUNDType, 8)(a24.s.Pixels, 2), (int)EXPORT(mUBOUNDType, 8)(a24.s.Pixels, 3),
            (int)EXPORT(mUBOUND, 8)(&a32.s.Pixels, 1), (int)EXPORT(mLBOUND, 8)(&a32.s.Pixels, 2),
            (int)EXPORT(mLBOUND, 8)(&a32.s.Pixels, 0),
            EXPORT(VBArrayPointerType, 4)(b24.s.Pixels) == (intptr_t)b24.bytes,
            EXPORT(VBArrayPointer, 4)(&b32.s.Pixels) == (intptr_t)b32.bytes);

    /* Library services. */
    memset(text, '#', sizeof text);
    EXPORT(Render_GetInfo, 8)(&version, text);
    fprintf(out, "info %d %.40s\n", (int)version, text);
    for (i = 0; i < 20; i++) block[i] = (unsigned char)i;
    EXPORT(CopyMemoryC, 12)(block + 1, block, 16);
    fprintf(out, "copy ");
    put_bytes(block, sizeof block);

    /* Block transfers. */
    record("BitBlt24to24TColor", EXPORT(Render_BitBlt24to24TColor, 44)(&a24.s, 3, 2, 30, 15, &b24.s, 1, 1, 255, 0, 255), &a24);
    record("BitBlt32to24", EXPORT(Render_BitBlt32to24, 32)(&a24.s, -4, 5, 20, 20, &b32.s, 2, 0), &a24);
    record("BitBlt24to32Mask24", EXPORT(Render_BitBlt24to32Mask24, 36)(&a32.s, 1, 1, 25, 18, &b24.s, 0, 0, &m24.s), &a32);
    record("BitBlt24to32TColorAlphaPostProcess",
           EXPORT(Render_BitBlt24to32TColorAlphaPostProcess, 52)(&a32.s, 0, 0, 29, 21, &b24.s, 0, 0, 255, 0, 255, 200, 2),
           &a32);

    /* Scaling, nearest and smoothed. */
    record("StretchBlt24to32TColorAlpha",
           EXPORT(Render_StretchBlt24to32TColorAlpha, 56)(&a32.s, 2, 3, 23, 15, &b24.s, 4, 2, 17, 13, 255, 0, 255, 150),
           &a32);
    record("StretchBltBillinear32to24", EXPORT(Render_StretchBltBillinear32to24, 40)(&a24.s, 0, 0, 37, 23, &b32.s, 0, 0, 26, 17), &a24);

    /* Bars and outlines. */
    record("DrawBar24Alpha", EXPORT(Render_DrawBar24Alpha, 36)(&a24.s, 5, 4, 20, 10, 10, 200, 30, 77), &a24);
    record("DrawRect32AlphaT", EXPORT(Render_DrawRect32AlphaT, 36)(&a32.s, 2, 2, 20, 15, 250, 20, 90, 64), &a32);
    record("DrawBar24Mask24", EXPORT(Render_DrawBar24Mask24, 44)(&a24.s, 0, 0, 37, 23, &m24.s, 3, 2, 0, 0, 255), &a24);

    /* Pixel filters: a float argument and three sums by reference among them. */
    record("GammaCorrect24TColor", EXPORT(Render_GammaCorrect24TColor, 44)(&a24.s, 1, 1, 30, 20, 40, -30, 300, 255, 0, 255), &a24);
    record("Contrast24", EXPORT(Render_Contrast24, 24)(&a24.s, 2, 2, 33, 19, 1.37f), &a24);
    i = (int)EXPORT(Render_CalcColor24, 32)(&a24.s, 0, 0, 37, 23, &r, &g, &b);
    fprintf(out, "CalcColor24 rc=%d %d %d %d\n", i, (int)r, (int)g, (int)b);
    record("AjustHLS32", EXPORT(Render_AjustHLS32, 32)(&a32.s, 0, 0, 29, 21, 40, -20, 30), &a32);
    record("HorizontalFlip32", EXPORT(Render_HorizontalFlip32, 20)(&a32.s, 3, 0, 20, 21), &a32);
    record("Set32Alpha", EXPORT(Render_Set32Alpha, 8)(&b32.s, 99), &b32);

    /* Neighbourhood effects. */
    record("Blur32", EXPORT(Render_Blur32, 20)(&a32.s, 0, 0, 29, 21), &a32);
    record("RoundsFromWater24", EXPORT(Render_RoundsFromWater24, 28)(&a24.s, 0, 0, 37, 23, 30, 40), &a24);

    /* Rotation. */
    record("Rotate32to24", EXPORT(Render_Rotate32to24, 12)(&a24.s, &a32.s, 33), &a24);
    record("Rotate24to24", EXPORT(Render_Rotate24to24, 12)(&b24.s, &a24.s, 291), &b24);

    fclose(out);
    image_release(&a24), image_release(&b24), image_release(&m24), image_release(&a32), image_release(&b32);
    return 0;
}
