#pragma once
// libjpeg's error manager, made to jump back instead of ending the process.
#include <csetjmp>
#include <cstdio>

extern "C" {
#include <jpeglib.h>
#include <jerror.h>
}

namespace vuv::detail {

struct ErreurJpeg {
    jpeg_error_mgr pub;
    std::jmp_buf saut;
    char message[JMSG_LENGTH_MAX];
};

// Fills the manager and returns it for cinfo->err. Errors and the warnings that mean lost
// image data (premature end of file, corrupt entropy data) jump to `saut`; other warnings
// and traces are silent.
jpeg_error_mgr* prepare_erreur_jpeg(ErreurJpeg* erreur);

} // namespace vuv::detail
