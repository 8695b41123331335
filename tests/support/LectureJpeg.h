#pragma once
// libjpeg on its own, for the tests' references and the benchmarks' anchors: a decompressor
// over a file with its header read.
#include <QFile>
#include <QString>

#include <cstdio>

extern "C" {
#include <jpeglib.h>
}

namespace test {

class LectureJpeg {
public:
    explicit LectureJpeg(const QString& chemin) : f_(std::fopen(QFile::encodeName(chemin).constData(), "rb")) {
        d.err = jpeg_std_error(&e_);
        jpeg_create_decompress(&d);
        if (!f_) return;
        jpeg_stdio_src(&d, f_);
        entete_ = jpeg_read_header(&d, TRUE) == JPEG_HEADER_OK;
    }
    ~LectureJpeg() {
        jpeg_destroy_decompress(&d);
        if (f_) std::fclose(f_);
    }
    LectureJpeg(const LectureJpeg&) = delete;
    LectureJpeg& operator=(const LectureJpeg&) = delete;

    // The file opened and its header read.
    bool ok() const { return entete_; }

    // Starts with the background decoder's settings: no fancy upsampling, no block smoothing.
    void demarre(J_COLOR_SPACE espace, J_DCT_METHOD methode) {
        d.out_color_space = espace;
        d.dct_method = methode;
        d.do_fancy_upsampling = FALSE;
        d.do_block_smoothing = FALSE;
        jpeg_start_decompress(&d);
    }

    jpeg_decompress_struct d{};

private:
    jpeg_error_mgr e_{};
    std::FILE* f_ = nullptr;
    bool entete_ = false;
};

} // namespace test
