/*
 * Pixmill: a software pixel library for 24-bit and 32-bit images that live in
 * the caller's own memory.
 *
 * An image is a two-dimensional OLE Automation array (a SAFEARRAY) held in a
 * small `Surface` record. Rows are stored bottom-up, as in a Windows bitmap;
 * every coordinate passed to the library is top-down. 24-bit pixels are the
 * bytes blue, green, red; 32-bit pixels blue, green, red, alpha.
 *
 * The library never allocates, keeps no state between calls and creates no
 * threads. Every drawing export returns 0.
 *
 * This header is usable from C and C++.
 */
#ifndef PIXMILL_H
#define PIXMILL_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#include <oaidl.h> /* SAFEARRAY, SAFEARRAYBOUND */
#endif

/* ---- calling convention and visibility ---------------------------------- */

/* Every export uses the standard Windows calling convention on 32-bit x86
 * (the callee removes its arguments); elsewhere the platform's C convention. */
#if defined(_WIN32) && (defined(_M_IX86) || defined(__i386__))
#define PIXMILL_CALL __stdcall
#elif defined(__i386__) && defined(__GNUC__)
#define PIXMILL_CALL __attribute__((stdcall))
#else
#define PIXMILL_CALL
#endif

/* On Windows the DLL's export names come from its module definition file
 * alone; on ELF platforms the exports are the only visible symbols. */
#if !defined(_WIN32) && defined(__GNUC__)
#define PIXMILL_API __attribute__((visibility("default")))
#else
#define PIXMILL_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- the caller's records ------------------------------------------------ */

#if !defined(_WIN32)
/* The OLE Automation array descriptor in its published field order. Natural
 * alignment gives the Win32 layout in a 32-bit build and the Win64 layout in a
 * 64-bit build. The bounds are stored last dimension first. */
typedef struct tagSAFEARRAYBOUND {
    uint32_t cElements;
    int32_t lLbound;
} SAFEARRAYBOUND;

typedef struct tagSAFEARRAY {
    uint16_t cDims;
    uint16_t fFeatures;
    uint32_t cbElements;
    uint32_t cLocks;
    void* pvData;
    SAFEARRAYBOUND rgsabound[1];
} SAFEARRAY;
#endif

/* The record a caller passes for every image. `Reserved` is never read. */
typedef struct Surface {
    int32_t Width;     /* width in pixels: the horizontal limit of every clip */
    int32_t Reserved;
    SAFEARRAY* Pixels; /* two-dimensional array: dimension 1 the row, 2 the rows */
} Surface;

/* ---- array services ---------------------------------------------------- */

/* pvData of the descriptor, or (intptr_t)-1 when it is null. */
PIXMILL_API intptr_t PIXMILL_CALL VBArrayPointerType(SAFEARRAY* psa);
/* Same for the descriptor held in *ppsa (an array passed by reference). */
PIXMILL_API intptr_t PIXMILL_CALL VBArrayPointer(SAFEARRAY** ppsa);
/* Upper bound of dimension dim (counted from 1), or -1 when the descriptor is
 * null or dim lies outside 1..cDims. */
PIXMILL_API int32_t PIXMILL_CALL mUBOUNDType(SAFEARRAY* psa, int32_t dim);
PIXMILL_API int32_t PIXMILL_CALL mUBOUND(SAFEARRAY** ppsa, int32_t dim);
/* Lower bound of dimension dim, or -1 as for mUBOUND. */
PIXMILL_API int32_t PIXMILL_CALL mLBOUND(SAFEARRAY** ppsa, int32_t dim);

/* ---- library services ---------------------------------------------------- */

/* Stores the version number (100) and copies the 35-character description to
 * text, without a terminating zero. */
PIXMILL_API int32_t PIXMILL_CALL Render_GetInfo(int32_t* version, char* text);
/* Forward copy of count bytes in 8-byte blocks, then single bytes. Not a
 * memory move: overlapping areas give the result of the forward order. */
PIXMILL_API void PIXMILL_CALL CopyMemoryC(void* dest, const void* src, int32_t count);

/* ---- block transfers ------------------------------------------------------
 * Copy a w x h rectangle from (sx, sy) in src to (dx, dy) in dest. */

PIXMILL_API int32_t PIXMILL_CALL Render_BitBlt24to24(Surface* dest, int32_t dx, int32_t dy, int32_t w,
                                                     int32_t h, Surface* src, int32_t sx, int32_t sy);
PIXMILL_API int32_t PIXMILL_CALL Render_BitBlt24to32(Surface* dest, int32_t dx, int32_t dy, int32_t w,
                                                     int32_t h, Surface* src, int32_t sx, int32_t sy);
PIXMILL_API int32_t PIXMILL_CALL Render_BitBlt32to24(Surface* dest, int32_t dx, int32_t dy, int32_t w,
                                                     int32_t h, Surface* src, int32_t sx, int32_t sy);
PIXMILL_API int32_t PIXMILL_CALL Render_BitBlt32to32(Surface* dest, int32_t dx, int32_t dy, int32_t w,
                                                     int32_t h, Surface* src, int32_t sx, int32_t sy);

/* Colour key and constant alpha. A key is given as red, green, blue, of which
 * only the low byte counts; source pixels equal to it leave the destination
 * pixel as it was. The alpha of the two blending transfers is used whole: in
 * 0..255 it mixes (s * alpha + d * (255 - alpha)) / 255 into each byte. */
PIXMILL_API int32_t PIXMILL_CALL Render_BitBlt24to24TColor(Surface* dest, int32_t dx, int32_t dy, int32_t w,
                                                           int32_t h, Surface* src, int32_t sx, int32_t sy,
                                                           int32_t red, int32_t green, int32_t blue);
PIXMILL_API int32_t PIXMILL_CALL Render_BitBlt24to24Alpha(Surface* dest, int32_t dx, int32_t dy, int32_t w,
                                                          int32_t h, Surface* src, int32_t sx, int32_t sy,
                                                          int32_t alpha);
PIXMILL_API int32_t PIXMILL_CALL Render_BitBlt24to24TColorAlpha(Surface* dest, int32_t dx, int32_t dy, int32_t w,
                                                                int32_t h, Surface* src, int32_t sx, int32_t sy,
                                                                int32_t red, int32_t green, int32_t blue,
                                                                int32_t alpha);
/* Copies the colour bytes and writes the low byte of alpha into every alpha byte. */
PIXMILL_API int32_t PIXMILL_CALL Render_BitBlt24to32Alpha(Surface* dest, int32_t dx, int32_t dy, int32_t w,
                                                          int32_t h, Surface* src, int32_t sx, int32_t sy,
                                                          int32_t alpha);

/* Masks. Maskto24 writes the source alpha into all three colour bytes;
 * 24to32Mask writes the source's red byte into the alpha byte and nothing
 * else. The Mask24 transfers read a 24-bit mask through its red byte at the
 * source's array position (mask array row k pairs with source array row k),
 * without clipping it: 24to24Mask24 skips where the mask is 0, copies where it
 * is 255 and blends with it as weight in between; 24to32Mask24 copies the
 * colour bytes and makes the mask the alpha. A pixel whose mask pixel would
 * lie outside the mask's array is left as it was. */
PIXMILL_API int32_t PIXMILL_CALL Render_BitBlt32Maskto24(Surface* dest, int32_t dx, int32_t dy, int32_t w,
                                                         int32_t h, Surface* src, int32_t sx, int32_t sy);
PIXMILL_API int32_t PIXMILL_CALL Render_BitBlt24to32Mask(Surface* dest, int32_t dx, int32_t dy, int32_t w,
                                                         int32_t h, Surface* src, int32_t sx, int32_t sy);
PIXMILL_API int32_t PIXMILL_CALL Render_BitBlt24to24Mask24(Surface* dest, int32_t dx, int32_t dy, int32_t w,
                                                           int32_t h, Surface* src, int32_t sx, int32_t sy,
                                                           Surface* mask);
PIXMILL_API int32_t PIXMILL_CALL Render_BitBlt24to32Mask24(Surface* dest, int32_t dx, int32_t dy, int32_t w,
                                                           int32_t h, Surface* src, int32_t sx, int32_t sy,
                                                           Surface* mask);

/* A keyed copy stamping the low byte of alpha into each copied pixel, then
 * passes passes of an in-place filter over the alpha bytes of the rectangle
 * written, which softens the edges of its opaque area and never raises an
 * alpha. Key pixels keep the alpha they had, and it takes part in the filter. */
PIXMILL_API int32_t PIXMILL_CALL Render_BitBlt24to32TColorAlphaPostProcess(Surface* dest, int32_t dx, int32_t dy,
                                                                           int32_t w, int32_t h, Surface* src,
                                                                           int32_t sx, int32_t sy, int32_t red,
                                                                           int32_t green, int32_t blue,
                                                                           int32_t alpha, int32_t passes);

/* ---- scaling ------------------------------------------------------------
 * Scale the sw x sh rectangle at (sx, sy) of src onto the dw x dh rectangle at
 * (dx, dy) of dest, by nearest sample. The ratios sw / dw and sh / dh are
 * taken after clipping, in single precision. A source rectangle reaching the
 * source's right edge loses its last column. red, green, blue: a colour key
 * (samples equal to it are skipped); alpha: a constant weight, 0..255. 32-bit
 * sources blend by their own alpha; the F variant copies whole pixels. A
 * 32-bit destination's fourth byte is written only by the F variants. */

PIXMILL_API int32_t PIXMILL_CALL Render_StretchBlt24to24(Surface* dest, int32_t dx, int32_t dy, int32_t dw,
                                                         int32_t dh, Surface* src, int32_t sx, int32_t sy,
                                                         int32_t sw, int32_t sh);
PIXMILL_API int32_t PIXMILL_CALL Render_StretchBlt24to24Alpha(Surface* dest, int32_t dx, int32_t dy,
                                                              int32_t dw, int32_t dh, Surface* src,
                                                              int32_t sx, int32_t sy, int32_t sw, int32_t sh,
                                                              int32_t alpha);
PIXMILL_API int32_t PIXMILL_CALL Render_StretchBlt24to24TColor(Surface* dest, int32_t dx, int32_t dy,
                                                               int32_t dw, int32_t dh, Surface* src,
                                                               int32_t sx, int32_t sy, int32_t sw, int32_t sh,
                                                               int32_t red, int32_t green, int32_t blue);
PIXMILL_API int32_t PIXMILL_CALL Render_StretchBlt24to24TColorAlpha(Surface* dest, int32_t dx, int32_t dy,
                                                                    int32_t dw, int32_t dh, Surface* src,
                                                                    int32_t sx, int32_t sy, int32_t sw,
                                                                    int32_t sh, int32_t red, int32_t green,
                                                                    int32_t blue, int32_t alpha);
PIXMILL_API int32_t PIXMILL_CALL Render_StretchBlt24to32(Surface* dest, int32_t dx, int32_t dy, int32_t dw,
                                                         int32_t dh, Surface* src, int32_t sx, int32_t sy,
                                                         int32_t sw, int32_t sh);
PIXMILL_API int32_t PIXMILL_CALL Render_StretchBlt24to32Alpha(Surface* dest, int32_t dx, int32_t dy,
                                                              int32_t dw, int32_t dh, Surface* src,
                                                              int32_t sx, int32_t sy, int32_t sw, int32_t sh,
                                                              int32_t alpha);
PIXMILL_API int32_t PIXMILL_CALL Render_StretchBlt24to32TColor(Surface* dest, int32_t dx, int32_t dy,
                                                               int32_t dw, int32_t dh, Surface* src,
                                                               int32_t sx, int32_t sy, int32_t sw, int32_t sh,
                                                               int32_t red, int32_t green, int32_t blue);
PIXMILL_API int32_t PIXMILL_CALL Render_StretchBlt24to32TColorAlpha(Surface* dest, int32_t dx, int32_t dy,
                                                                    int32_t dw, int32_t dh, Surface* src,
                                                                    int32_t sx, int32_t sy, int32_t sw,
                                                                    int32_t sh, int32_t red, int32_t green,
                                                                    int32_t blue, int32_t alpha);
PIXMILL_API int32_t PIXMILL_CALL Render_StretchBlt32to24(Surface* dest, int32_t dx, int32_t dy, int32_t dw,
                                                         int32_t dh, Surface* src, int32_t sx, int32_t sy,
                                                         int32_t sw, int32_t sh);
PIXMILL_API int32_t PIXMILL_CALL Render_StretchBlt32to32(Surface* dest, int32_t dx, int32_t dy, int32_t dw,
                                                         int32_t dh, Surface* src, int32_t sx, int32_t sy,
                                                         int32_t sw, int32_t sh);
PIXMILL_API int32_t PIXMILL_CALL Render_StretchBlt32to32F(Surface* dest, int32_t dx, int32_t dy, int32_t dw,
                                                          int32_t dh, Surface* src, int32_t sx, int32_t sy,
                                                          int32_t sw, int32_t sh);

/* The same, but each destination pixel takes the average of its sample and the
 * sample's four edge neighbours (left, right, above, below), truncated. A
 * neighbour off the source surface, or above the clipped source rectangle,
 * counts as the sample again; keyed neighbours too. */

PIXMILL_API int32_t PIXMILL_CALL Render_StretchBltBillinear24to24(Surface* dest, int32_t dx, int32_t dy,
                                                                  int32_t dw, int32_t dh, Surface* src,
                                                                  int32_t sx, int32_t sy, int32_t sw,
                                                                  int32_t sh);
PIXMILL_API int32_t PIXMILL_CALL Render_StretchBltBillinear24to24Alpha(Surface* dest, int32_t dx, int32_t dy,
                                                                       int32_t dw, int32_t dh, Surface* src,
                                                                       int32_t sx, int32_t sy, int32_t sw,
                                                                       int32_t sh, int32_t alpha);
PIXMILL_API int32_t PIXMILL_CALL Render_StretchBltBillinear24to24TColor(Surface* dest, int32_t dx, int32_t dy,
                                                                        int32_t dw, int32_t dh, Surface* src,
                                                                        int32_t sx, int32_t sy, int32_t sw,
                                                                        int32_t sh, int32_t red,
                                                                        int32_t green, int32_t blue);
PIXMILL_API int32_t PIXMILL_CALL Render_StretchBltBillinear24to24TColorAlpha(Surface* dest, int32_t dx,
                                                                             int32_t dy, int32_t dw,
                                                                             int32_t dh, Surface* src,
                                                                             int32_t sx, int32_t sy,
                                                                             int32_t sw, int32_t sh,
                                                                             int32_t red, int32_t green,
                                                                             int32_t blue, int32_t alpha);
PIXMILL_API int32_t PIXMILL_CALL Render_StretchBltBillinear24to32(Surface* dest, int32_t dx, int32_t dy,
                                                                  int32_t dw, int32_t dh, Surface* src,
                                                                  int32_t sx, int32_t sy, int32_t sw,
                                                                  int32_t sh);
PIXMILL_API int32_t PIXMILL_CALL Render_StretchBltBillinear24to32Alpha(Surface* dest, int32_t dx, int32_t dy,
                                                                       int32_t dw, int32_t dh, Surface* src,
                                                                       int32_t sx, int32_t sy, int32_t sw,
                                                                       int32_t sh, int32_t alpha);
PIXMILL_API int32_t PIXMILL_CALL Render_StretchBltBillinear24to32TColor(Surface* dest, int32_t dx, int32_t dy,
                                                                        int32_t dw, int32_t dh, Surface* src,
                                                                        int32_t sx, int32_t sy, int32_t sw,
                                                                        int32_t sh, int32_t red,
                                                                        int32_t green, int32_t blue);
PIXMILL_API int32_t PIXMILL_CALL Render_StretchBltBillinear24to32TColorAlpha(Surface* dest, int32_t dx,
                                                                             int32_t dy, int32_t dw,
                                                                             int32_t dh, Surface* src,
                                                                             int32_t sx, int32_t sy,
                                                                             int32_t sw, int32_t sh,
                                                                             int32_t red, int32_t green,
                                                                             int32_t blue, int32_t alpha);
PIXMILL_API int32_t PIXMILL_CALL Render_StretchBltBillinear32to24(Surface* dest, int32_t dx, int32_t dy,
                                                                  int32_t dw, int32_t dh, Surface* src,
                                                                  int32_t sx, int32_t sy, int32_t sw,
                                                                  int32_t sh);
PIXMILL_API int32_t PIXMILL_CALL Render_StretchBltBillinear32to32(Surface* dest, int32_t dx, int32_t dy,
                                                                  int32_t dw, int32_t dh, Surface* src,
                                                                  int32_t sx, int32_t sy, int32_t sw,
                                                                  int32_t sh);
PIXMILL_API int32_t PIXMILL_CALL Render_StretchBltBillinear32to32F(Surface* dest, int32_t dx, int32_t dy,
                                                                   int32_t dw, int32_t dh, Surface* src,
                                                                   int32_t sx, int32_t sy, int32_t sw,
                                                                   int32_t sh);

/* ---- drawing primitives ---------------------------------------------------
 * Fill (Bar) or outline (Rect, one pixel thick) the w x h rectangle at (x, y)
 * in one colour. Alpha variants blend with a constant alpha (0 leaves the
 * surface, 255 writes the colour; used whole, not clamped); AlphaT variants
 * also store the low byte of alphaValue in each pixel's alpha byte; the other
 * 32-bit variants leave the alpha byte alone. Only the low byte of red, green
 * and blue counts. Outline corners lie on two lines, so a blended outline
 * blends them twice. */

PIXMILL_API int32_t PIXMILL_CALL Render_DrawBar24(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                                                  int32_t red, int32_t green, int32_t blue);
PIXMILL_API int32_t PIXMILL_CALL Render_DrawBar24Alpha(Surface* dest, int32_t x, int32_t y, int32_t w,
                                                       int32_t h, int32_t red, int32_t green, int32_t blue,
                                                       int32_t alpha);
PIXMILL_API int32_t PIXMILL_CALL Render_DrawBar32(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                                                  int32_t red, int32_t green, int32_t blue);
PIXMILL_API int32_t PIXMILL_CALL Render_DrawBar32Alpha(Surface* dest, int32_t x, int32_t y, int32_t w,
                                                       int32_t h, int32_t red, int32_t green, int32_t blue,
                                                       int32_t alpha);
PIXMILL_API int32_t PIXMILL_CALL Render_DrawBar32AlphaT(Surface* dest, int32_t x, int32_t y, int32_t w,
                                                        int32_t h, int32_t red, int32_t green, int32_t blue,
                                                        int32_t alphaValue);
/* Blends through byte 2 of each pixel of a 24-bit mask, mask pixel (maskX,
 * maskY) lying under the bar's top-left pixel. The mask is clipped as a block
 * transfer's source is. */
PIXMILL_API int32_t PIXMILL_CALL Render_DrawBar24Mask24(Surface* dest, int32_t x, int32_t y, int32_t w,
                                                        int32_t h, Surface* mask, int32_t maskX,
                                                        int32_t maskY, int32_t red, int32_t green,
                                                        int32_t blue);

PIXMILL_API int32_t PIXMILL_CALL Render_DrawRect24(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                                                   int32_t red, int32_t green, int32_t blue);
PIXMILL_API int32_t PIXMILL_CALL Render_DrawRect24Alpha(Surface* dest, int32_t x, int32_t y, int32_t w,
                                                        int32_t h, int32_t red, int32_t green, int32_t blue,
                                                        int32_t alpha);
PIXMILL_API int32_t PIXMILL_CALL Render_DrawRect32(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                                                   int32_t red, int32_t green, int32_t blue);
PIXMILL_API int32_t PIXMILL_CALL Render_DrawRect32Alpha(Surface* dest, int32_t x, int32_t y, int32_t w,
                                                        int32_t h, int32_t red, int32_t green, int32_t blue,
                                                        int32_t alpha);
PIXMILL_API int32_t PIXMILL_CALL Render_DrawRect32AlphaT(Surface* dest, int32_t x, int32_t y, int32_t w,
                                                         int32_t h, int32_t red, int32_t green, int32_t blue,
                                                         int32_t alphaValue);

/* ---- pixel filters -------------------------------------------------------- */

/* Each works in place on the w x h rectangle at (x, y) of dest, clipped to the
 * surface, except Render_Set32Alpha, which covers the whole array. */

/* Adds a signed offset to each channel (and in the 32-bit variant to the alpha
 * byte); each result is cut to 0..255. The TColor variant leaves pixels equal
 * to the key colour alone. */
PIXMILL_API int32_t PIXMILL_CALL Render_GammaCorrect24(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                                                       int32_t redOffset, int32_t greenOffset, int32_t blueOffset);
PIXMILL_API int32_t PIXMILL_CALL Render_GammaCorrect24TColor(Surface* dest, int32_t x, int32_t y, int32_t w,
                                                             int32_t h, int32_t redOffset, int32_t greenOffset,
                                                             int32_t blueOffset, int32_t keyRed, int32_t keyGreen,
                                                             int32_t keyBlue);
PIXMILL_API int32_t PIXMILL_CALL Render_GammaCorrect32(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                                                       int32_t redOffset, int32_t greenOffset, int32_t blueOffset,
                                                       int32_t alphaOffset);
/* Each channel becomes 128 + (channel - 128) x factor, truncated and cut to
 * 0..255; a NaN product counts as 0. */
PIXMILL_API int32_t PIXMILL_CALL Render_Contrast24(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                                                   float factor);
/* Sets the three variables to 0, then adds each channel of every pixel of the
 * rectangle into its variable, wrapping modulo 2^32. dest is not changed. */
PIXMILL_API int32_t PIXMILL_CALL Render_CalcColor24(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                                                    int32_t* redSum, int32_t* greenSum, int32_t* blueSum);

/* Colour bytes become 255 - byte (the 32-bit variant leaves alpha alone). */
PIXMILL_API int32_t PIXMILL_CALL Render_Invert24(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h);
PIXMILL_API int32_t PIXMILL_CALL Render_Invert32(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h);
/* The alpha byte becomes 255 - alpha; colour is left alone. */
PIXMILL_API int32_t PIXMILL_CALL Render_InvertAlpha32(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h);
/* The alpha byte becomes alpha + delta, cut to 0..255. */
PIXMILL_API int32_t PIXMILL_CALL Render_AlphaAdd32(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                                                   int32_t delta);
/* Mirrors the clipped rectangle left to right about its own middle. */
PIXMILL_API int32_t PIXMILL_CALL Render_HorizontalFlip32(Surface* dest, int32_t x, int32_t y, int32_t w,
                                                         int32_t h);
/* Sets the alpha byte of every pixel of the array, row padding included, to
 * the low byte of alphaValue. */
PIXMILL_API int32_t PIXMILL_CALL Render_Set32Alpha(Surface* dest, int32_t alphaValue);

/* Converts each pixel to hue, lightness and saturation (0..240), adds the
 * deltas (hue and lightness cut to 0..240, saturation 0 or less giving a grey)
 * and converts back; alpha is left alone. The round trip is lossy even with
 * all deltas 0. */
PIXMILL_API int32_t PIXMILL_CALL Render_AjustHLS32(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                                                   int32_t hueDelta, int32_t lumDelta, int32_t satDelta);

/* ---- neighbourhood effects -----------------------------------------------
 * In place on one rectangle of one surface, swept once from the top row down
 * and left to right with no second buffer, so pixels read after they were
 * replaced give their new values. */

/* Five-point blur: bytes 0..2 of each pixel become the mean (remainder
 * dropped) of themselves and their four neighbours. The rectangle's left,
 * right and top edges use the pixel itself for the missing neighbour; its
 * bottom row reads the row below the rectangle (not writing it) unless it is
 * the surface's bottom row. Byte 3 of a 32-bit pixel is left alone. */
PIXMILL_API int32_t PIXMILL_CALL Render_Blur24(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h);
PIXMILL_API int32_t PIXMILL_CALL Render_Blur32(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h);
/* Water ripple: inside the disc of radius w / 2 about the rectangle's centre,
 * each pixel takes the pixel offset by sin(distance x (1 - spread / 100)) times
 * (amplitude / 5, amplitude / 8) pixels (right, up). A pixel whose sample lies
 * off the surface keeps its value; nothing outside the surface is read. The
 * 32-bit export moves all four bytes. */
PIXMILL_API int32_t PIXMILL_CALL Render_RoundsFromWater24(Surface* dest, int32_t x, int32_t y, int32_t w,
                                                          int32_t h, int32_t amplitude, int32_t spread);
PIXMILL_API int32_t PIXMILL_CALL Render_RoundsFromWater32(Surface* dest, int32_t x, int32_t y, int32_t w,
                                                          int32_t h, int32_t amplitude, int32_t spread);

/* ---- rotation -------------------------------------------------------------
 * src drawn into dest turned by angle degrees (counter-clockwise as shown,
 * with 3.14 standing for pi) about the centres of both, nearest pixel. Only
 * the square of side 2N - 1 about dest's centre can change, N being the larger
 * of src's half-width and half-height; pixels that receive nothing keep their
 * values. The last column of src's array is never read, and dest's row
 * padding may be written. */

PIXMILL_API int32_t PIXMILL_CALL Render_Rotate24to24(Surface* dest, Surface* src, int32_t angle);
/* All four bytes are copied. */
PIXMILL_API int32_t PIXMILL_CALL Render_Rotate32to32(Surface* dest, Surface* src, int32_t angle);
/* Blended by the source's byte 3; dest's centre pixel is never written. */
PIXMILL_API int32_t PIXMILL_CALL Render_Rotate32to24(Surface* dest, Surface* src, int32_t angle);

/* ---- wrapping a buffer you already own -------------------------------------
 * Builds a Surface and its descriptor in caller-provided storage, laid out as a
 * Visual Basic program's 1-based two-dimensional array would be: dimension 1
 * runs 1..stride (bytes for 24-bit, pixels for 32-bit), dimension 2 runs
 * 1..height. `pixels` points at the bottom row, as in a bitmap. The storage
 * must outlive every call that uses the Surface. */

typedef struct PixmillArray {
    SAFEARRAY desc;             /* carries the bound of dimension 2 (rows) */
    SAFEARRAYBOUND row_bound;   /* lies where desc.rgsabound[1] would: dimension 1 */
} PixmillArray;

/* bits is 24 or 32; pitch_bytes is the distance from one row to the next and
 * must be a multiple of 4 for 32-bit images. */
static inline Surface pixmill_wrap(PixmillArray* storage, void* pixels, int32_t width, int32_t height,
                                   int32_t pitch_bytes, int32_t bits)
{
    Surface s;
    int32_t bytes_per_element = bits == 32 ? 4 : 1;
    storage->desc.cDims = 2;
    storage->desc.fFeatures = 0;
    storage->desc.cbElements = (uint32_t)bytes_per_element;
    storage->desc.cLocks = 0;
    storage->desc.pvData = pixels;
    storage->desc.rgsabound[0].cElements = (uint32_t)height;
    storage->desc.rgsabound[0].lLbound = 1;
    storage->row_bound.cElements = (uint32_t)(pitch_bytes / bytes_per_element);
    storage->row_bound.lLbound = 1;
    s.Width = width;
    s.Reserved = 0;
    s.Pixels = &storage->desc;
    return s;
}

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* PIXMILL_H */
