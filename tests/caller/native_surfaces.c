/* The Linux side: buffers wrapped by pixmill_wrap and libpixmill.so through
 * dlopen/dlsym. */
#include <dlfcn.h>
#include <stdlib.h>

#include "caller.h"

static void* library;

int image_create(Image* img, int width, int rows, int stride, int bits)
{
    int pitch = stride * (bits == 32 ? 4 : 1);
    img->size = (size_t)pitch * (size_t)rows;
    img->bytes = (unsigned char*)calloc(img->size, 1);
    if (img->bytes == NULL) return 1;
    img->s = pixmill_wrap(&img->storage, img->bytes, width, rows, pitch, bits);
    return 0;
}

void image_release(Image* img)
{
    free(img->bytes);
}

int library_open(const char* path)
{
    library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    return library == NULL;
}

void* library_symbol(const char* name, int arg_bytes)
{
    (void)arg_bytes;
    return dlsym(library, name);
}
