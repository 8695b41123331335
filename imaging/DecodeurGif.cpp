// GIF through giflib: the first frame on the logical screen, transparency ignored, interlaced
// rows put back in place as they arrive.
#include "imaging/Canaux555.h"
#include "imaging/DecodeursInternes.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include <gif_lib.h>

namespace vuv::detail {

namespace {

int lit_flux(GifFileType* gif, GifByteType* dst, int n) {
    return static_cast<int>(std::fread(dst, 1, static_cast<std::size_t>(n), static_cast<std::FILE*>(gif->UserData)));
}

struct FermeGif {
    void operator()(GifFileType* g) const {
        int erreur = 0;
        DGifCloseFile(g, &erreur);
    }
};

QString raison_gif(int code) {
    switch (code) {
    case D_GIF_ERR_NOT_ENOUGH_MEM: return QStringLiteral("mémoire insuffisante");
    case D_GIF_ERR_DATA_TOO_BIG: return QStringLiteral("données plus grandes que l'image");
    case D_GIF_ERR_NO_COLOR_MAP: return QStringLiteral("aucune palette");
    default: return {};
    }
}

} // namespace

ImageDecodee decode_gif(std::FILE* f, const Decodage& d) {
    int erreur = 0;
    std::unique_ptr<GifFileType, FermeGif> gif(DGifOpen(f, lit_flux, &erreur));
    if (!gif) return d.endommage(raison_gif(erreur));
    auto echec = [&] { return d.endommage(raison_gif(gif->Error)); };

    GifRecordType type = UNDEFINED_RECORD_TYPE;
    do {
        if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) return echec();
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* bloc = nullptr;
            if (DGifGetExtension(gif.get(), &code, &bloc) == GIF_ERROR) return echec();
            while (bloc)
                if (DGifGetExtensionNext(gif.get(), &bloc) == GIF_ERROR) return echec();
        } else if (type == TERMINATE_RECORD_TYPE) {
            return d.endommage(QStringLiteral("aucune image"));
        }
    } while (type != IMAGE_DESC_RECORD_TYPE);
    if (DGifGetImageDesc(gif.get()) == GIF_ERROR) return echec();

    const GifImageDesc& cadre = gif->Image;
    const std::int64_t gauche = cadre.Left, haut = cadre.Top;
    const std::int64_t largeur_cadre = cadre.Width, hauteur_cadre = cadre.Height;
    ImageDecodee refus;
    if (!d.accepte(largeur_cadre, hauteur_cadre, &refus)) return refus;
    // The canvas is the logical screen, grown when a frame reaches beyond it.
    const std::int64_t largeur = std::max<std::int64_t>(gif->SWidth, gauche + largeur_cadre);
    const std::int64_t hauteur = std::max<std::int64_t>(gif->SHeight, haut + hauteur_cadre);

    const ColorMapObject* carte = cadre.ColorMap ? cadre.ColorMap : gif->SColorMap;
    std::array<std::uint16_t, 256> palette{};
    if (carte && carte->Colors) {
        const int n = std::min(carte->ColorCount, 256);
        for (int i = 0; i < n; ++i)
            palette[i] = rgb555(carte->Colors[i].Red, carte->Colors[i].Green, carte->Colors[i].Blue);
    }
    QImage image = d.alloue(largeur, hauteur, &refus);
    if (image.isNull()) return refus;
    if (largeur != largeur_cadre || hauteur != hauteur_cadre) {
        std::uint16_t fond = 0;
        if (gif->SColorMap && gif->SBackGroundColor < gif->SColorMap->ColorCount) {
            const GifColorType& c = gif->SColorMap->Colors[gif->SBackGroundColor];
            fond = rgb555(c.Red, c.Green, c.Blue);
        }
        for (int y = 0; y < image.height(); ++y) {
            auto* dst = reinterpret_cast<std::uint16_t*>(image.scanLine(y));
            std::fill(dst, dst + image.width(), fond);
        }
    }

    const int lc = static_cast<int>(largeur_cadre), hc = static_cast<int>(hauteur_cadre);
    std::vector<GifPixelType> ligne(static_cast<std::size_t>(lc));
    auto lit_ligne = [&](int y) {
        if (DGifGetLine(gif.get(), ligne.data(), lc) == GIF_ERROR) return false;
        auto* dst = reinterpret_cast<std::uint16_t*>(image.scanLine(static_cast<int>(haut) + y)) + gauche;
        for (int x = 0; x < lc; ++x) dst[x] = palette[ligne[x]];
        return true;
    };
    if (cadre.Interlace) {
        static constexpr int depart[] = {0, 4, 2, 1}, pas[] = {8, 8, 4, 2};
        for (int passe = 0; passe < 4; ++passe)
            for (int y = depart[passe]; y < hc; y += pas[passe])
                if (!lit_ligne(y)) return echec();
    } else {
        for (int y = 0; y < hc; ++y)
            if (!lit_ligne(y)) return echec();
    }
    return d.reussite(std::move(image));
}

} // namespace vuv::detail
