// The tone filters' row kernels: the channel offsets and the contrast.
#pragma once

#include "filter/contrast_rows.h"
#include "filter/offset_rows.h"

// The tone kernels with vector forms (filter/tone_rows_vec.h): each entry
// names the table member and the scalar kernel that defines it.
#define PIXMILL_TONE_KERNELS(K)                      \
    K(offset_24, offset_call_24)                     \
    K(offset_24_keyed, offset_call_24_keyed)         \
    K(offset_32, offset_call_32)                     \
    K(contrast_24, contrast_call_24)
