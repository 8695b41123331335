#include "imaging/JpegCommun.h"

namespace vuv::detail {

namespace {

[[noreturn]] void sortie_erreur(j_common_ptr c) {
    auto* e = reinterpret_cast<ErreurJpeg*>(c->err);
    (*c->err->format_message)(c, e->message);
    std::longjmp(e->saut, 1);
}

void emet_message(j_common_ptr c, int niveau) {
    if (niveau >= 0) return;
    // A truncated file otherwise decodes "successfully" into a grey lower half.
    switch (c->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC: sortie_erreur(c);
    default: ++c->err->num_warnings; break;
    }
}

void sans_sortie(j_common_ptr) {}

} // namespace

jpeg_error_mgr* prepare_erreur_jpeg(ErreurJpeg* erreur) {
    jpeg_error_mgr* m = jpeg_std_error(&erreur->pub);
    m->error_exit = sortie_erreur;
    m->emit_message = emet_message;
    m->output_message = sans_sortie;
    erreur->message[0] = '\0';
    return m;
}

} // namespace vuv::detail
