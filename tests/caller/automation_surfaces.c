/* The Windows side: arrays from the Automation runtime's SafeArrayCreate, as
 * a Visual Basic program's ReDim builds them, and the DLL through
 * LoadLibrary/GetProcAddress. */
#include <stdio.h>
#include <windows.h>
#include <oleauto.h>

#include "caller.h"

static HMODULE library;

int image_create(Image* img, int width, int rows, int stride, int bits)
{
    SAFEARRAYBOUND bounds[2];
    SAFEARRAY* psa;
    void* data = NULL;
    /* Listed as declared, dimension 1 first; the runtime stores them last first. */
    bounds[0].lLbound = 1;
    bounds[0].cElements = (ULONG)stride;
    bounds[1].lLbound = 1;
    bounds[1].cElements = (ULONG)rows;
    psa = SafeArrayCreate(bits == 32 ? VT_I4 : VT_UI1, 2, bounds);
    if (psa == NULL || FAILED(SafeArrayAccessData(psa, &data))) return 1;
    img->s.Width = width;
    img->s.Reserved = 0;
    img->s.Pixels = psa;
    img->bytes = (unsigned char*)data;
    img->size = (size_t)stride * (size_t)rows * (bits == 32 ? 4u : 1u);
    return 0;
}

void image_release(Image* img)
{
    SafeArrayUnaccessData(img->s.Pixels);
    SafeArrayDestroy(img->s.Pixels);
}

int library_open(const char* path)
{
    library = LoadLibraryA(path);
    return library == NULL;
}

void* library_symbol(const char* name, int arg_bytes)
{
    char decorated[128];
#if defined(_WIN64)
    (void)arg_bytes;
    snprintf(decorated, sizeof decorated, "%s", name);
#else
    snprintf(decorated, sizeof decorated, "_%s@%d", name, arg_bytes);
#endif
    return (void*)GetProcAddress(library, decorated);
}
