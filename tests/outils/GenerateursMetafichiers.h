#pragma once
// Real EMF and WMF files written with libUEMF (by the genere_metafichiers program): a red filled
// rectangle, a blue filled ellipse and a black diagonal, over the drawing's whole frame.
#include <string>

extern "C" {
#include <uemf.h>
#include <uwmf.h>
}

namespace test {

// Logical units: the rectangle covers the left half, the ellipse the lower right quarter.
// frame_cmm: rclFrame in 0.01 mm; the drawing is in device pixels of `l` × `h`.
inline bool ecrit_emf(const std::string& chemin, int frame_l_cmm, int frame_h_cmm, int l = 1234, int h = 800) {
    EMFTRACK* et = nullptr;
    EMFHANDLES* eht = nullptr;
    if (emf_start(chemin.c_str(), 1 << 16, 1 << 16, &et) || emf_htable_create(128, 128, &eht)) return false;
    const U_RECTL bornes = rectl_set(pointl_set(0, 0), pointl_set(l - 1, h - 1));
    const U_RECTL cadre = rectl_set(pointl_set(0, 0), pointl_set(frame_l_cmm, frame_h_cmm));
    emf_append(reinterpret_cast<U_ENHMETARECORD*>(U_EMRHEADER_set(bornes, cadre, nullptr, 0, nullptr, sizel_set(l, h),
                                                                  sizel_set(frame_l_cmm / 100, frame_h_cmm / 100), 0)),
               et, 1);
    uint32_t brosse = 0;
    emf_append(reinterpret_cast<U_ENHMETARECORD*>(
                   createbrushindirect_set(&brosse, eht, logbrush_set(U_BS_SOLID, colorref_set(255, 0, 0), 0))),
               et, 1);
    emf_append(reinterpret_cast<U_ENHMETARECORD*>(selectobject_set(brosse, eht)), et, 1);
    emf_append(reinterpret_cast<U_ENHMETARECORD*>(U_EMRRECTANGLE_set(rectl_set(pointl_set(0, 0), pointl_set(l / 2, h)))), et, 1);
    uint32_t bleue = 0;
    emf_append(reinterpret_cast<U_ENHMETARECORD*>(
                   createbrushindirect_set(&bleue, eht, logbrush_set(U_BS_SOLID, colorref_set(0, 0, 255), 0))),
               et, 1);
    emf_append(reinterpret_cast<U_ENHMETARECORD*>(selectobject_set(bleue, eht)), et, 1);
    emf_append(reinterpret_cast<U_ENHMETARECORD*>(U_EMRELLIPSE_set(rectl_set(pointl_set(l / 2, h / 2), pointl_set(l, h)))), et, 1);
    emf_append(reinterpret_cast<U_ENHMETARECORD*>(U_EMRMOVETOEX_set(pointl_set(0, 0))), et, 1);
    emf_append(reinterpret_cast<U_ENHMETARECORD*>(U_EMRLINETO_set(pointl_set(l, h))), et, 1);
    emf_append(reinterpret_cast<U_ENHMETARECORD*>(U_EMREOF_set(0, nullptr, et)), et, 1);
    const bool ok = emf_finish(et, eht) == 0;
    emf_free(&et);
    emf_htable_free(&eht);
    return ok;
}

// A placeable WMF of `l` × `h` units at `dpi` units per inch, or a plain one when dpi is 0.
inline bool ecrit_wmf(const std::string& chemin, int l, int h, unsigned dpi) {
    WMFTRACK* wt = nullptr;
    WMFHANDLES* wht = nullptr;
    if (wmf_start(chemin.c_str(), 1 << 16, 1 << 16, &wt) || wmf_htable_create(128, 128, &wht)) return false;
    const unsigned unites = dpi ? dpi : 1440;
    U_PAIRF* taille = U_PAIRF_set(static_cast<float>(l) / static_cast<float>(unites), static_cast<float>(h) / static_cast<float>(unites));
    wmf_header_append(reinterpret_cast<U_METARECORD*>(U_WMRHEADER_set(dpi ? taille : nullptr, unites)), wt, 1);
    std::free(taille);
    wmf_append(reinterpret_cast<U_METARECORD*>(U_WMRSETWINDOWORG_set(point16_set(0, 0))), wt, 1);
    wmf_append(reinterpret_cast<U_METARECORD*>(U_WMRSETWINDOWEXT_set(point16_set(static_cast<int16_t>(l), static_cast<int16_t>(h)))), wt, 1);
    uint32_t brosse = 0;
    wmf_append(reinterpret_cast<U_METARECORD*>(
                   wcreatebrushindirect_set(&brosse, wht, U_WLOGBRUSH_set(U_BS_SOLID, colorref_set(255, 0, 0), 0))),
               wt, 1);
    wmf_append(reinterpret_cast<U_METARECORD*>(wselectobject_set(brosse, wht)), wt, 1);
    auto rect = [](int x0, int y0, int x1, int y1) {
        return U_RECT16_set(point16_set(static_cast<int16_t>(x0), static_cast<int16_t>(y0)),
                            point16_set(static_cast<int16_t>(x1), static_cast<int16_t>(y1)));
    };
    wmf_append(reinterpret_cast<U_METARECORD*>(U_WMRRECTANGLE_set(rect(0, 0, l / 2, h))), wt, 1);
    uint32_t bleue = 0;
    wmf_append(reinterpret_cast<U_METARECORD*>(
                   wcreatebrushindirect_set(&bleue, wht, U_WLOGBRUSH_set(U_BS_SOLID, colorref_set(0, 0, 255), 0))),
               wt, 1);
    wmf_append(reinterpret_cast<U_METARECORD*>(wselectobject_set(bleue, wht)), wt, 1);
    wmf_append(reinterpret_cast<U_METARECORD*>(U_WMRELLIPSE_set(rect(l / 2, h / 2, l, h))), wt, 1);
    wmf_append(reinterpret_cast<U_METARECORD*>(U_WMRMOVETO_set(point16_set(0, 0))), wt, 1);
    wmf_append(reinterpret_cast<U_METARECORD*>(U_WMRLINETO_set(point16_set(static_cast<int16_t>(l), static_cast<int16_t>(h)))), wt, 1);
    wmf_append(reinterpret_cast<U_METARECORD*>(U_WMREOF_set()), wt, 1);
    const bool ok = wmf_finish(wt) == 0;
    wmf_free(&wt);
    wmf_htable_free(&wht);
    return ok;
}

} // namespace test
