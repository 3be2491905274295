/* One program, two ways of reaching the library: on Windows the surfaces are
 * arrays made by the Automation runtime and the DLL is loaded by name; on
 * Linux the arrays are wrapped buffers and libpixmill.so is loaded by name.
 * The calls and the bytes they write out are the same in both. */
#ifndef PIXMILL_CALLER_H
#define PIXMILL_CALLER_H

#include <stddef.h>

#include "pixmill.h"

typedef struct Image {
    Surface s;              /* what the exports receive */
    unsigned char* bytes;   /* the whole array, row padding included */
    size_t size;
#if !defined(_WIN32)
    PixmillArray storage;   /* the descriptor s.Pixels points at */
#endif
} Image;

/* A 1-based two-dimensional array of `rows` rows of `stride` elements (bytes
 * for 24-bit, 32-bit values for 32-bit), as a Visual Basic ReDim makes it.
 * The Image must stay where it is until image_release. Returns 0 on success. */
int image_create(Image* img, int width, int rows, int stride, int bits);
void image_release(Image* img);

/* Opens the library at path; returns 0 on success. */
int library_open(const char* path);
/* The export `name` taking arg_bytes bytes of arguments, or null. */
void* library_symbol(const char* name, int arg_bytes);

#endif
