#!/usr/bin/env python3
"""Makes the metafile corpus: SVG drawings, exported to EMF and WMF by the drawing program (inkscape)
and the office suite (libreoffice), each with a reference PNG at 96 px/inch from the drawing
program's own import of that metafile. Run once from this folder; the tests need neither program."""
import base64
import os
import shutil
import struct
import subprocess
import tempfile
import zlib

ICI = os.path.dirname(os.path.abspath(__file__))


def png(l, h, pixel):
    lignes = b"".join(b"\0" + b"".join(bytes(pixel(x, y)) for x in range(l)) for y in range(h))
    def bloc(t, d):
        return struct.pack(">I", len(d)) + t + d + struct.pack(">I", zlib.crc32(t + d))
    return (b"\x89PNG\r\n\x1a\n" + bloc(b"IHDR", struct.pack(">IIBBBBB", l, h, 8, 2, 0, 0, 0)) +
            bloc(b"IDAT", zlib.compress(lignes)) + bloc(b"IEND", b""))


def svg(l_mm, h_mm, corps):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
            f'width="{l_mm}mm" height="{h_mm}mm" viewBox="0 0 {l_mm} {h_mm}">\n'
            f'<rect x="0" y="0" width="{l_mm}" height="{h_mm}" fill="#ffffff"/>\n{corps}</svg>\n')


DAMIER = base64.b64encode(png(16, 12, lambda x, y: (230, 40, 30) if (x // 4 + y // 4) % 2 else (20, 90, 220))).decode()

DESSINS = {
    "lignes": svg(160, 100, """
<polyline points="10,10 60,30 10,50" fill="none" stroke="#000000" stroke-width="4" stroke-linejoin="miter"/>
<polyline points="70,10 120,30 70,50" fill="none" stroke="#c00000" stroke-width="4" stroke-linejoin="round" stroke-linecap="round"/>
<polyline points="125,10 155,30 125,50" fill="none" stroke="#0060c0" stroke-width="4" stroke-linejoin="bevel" stroke-linecap="square"/>
<line x1="10" y1="65" x2="150" y2="65" stroke="#008000" stroke-width="2" stroke-dasharray="8,4"/>
<line x1="10" y1="78" x2="150" y2="78" stroke="#000000" stroke-width="1.5" stroke-dasharray="2,2,10,2"/>
<line x1="10" y1="90" x2="150" y2="90" stroke="#6040a0" stroke-width="0.5"/>
"""),
    "polygones": svg(160, 100, """
<path d="M10,10 L70,10 L70,70 L10,70 Z M25,25 L55,25 L55,55 L25,55 Z" fill="#2080ff" fill-rule="evenodd" stroke="#000000" stroke-width="1"/>
<path d="M115,10 L135,70 L85,32 L145,32 L95,70 Z" fill="#ffa000" fill-rule="evenodd"/>
<path d="M90,80 L150,80 L150,95 L90,95 Z M100,84 L140,84 L140,91 L100,91 Z" fill="#10a040" fill-rule="evenodd"/>
<polygon points="10,80 60,80 35,98" fill="#e02020" stroke="#202020" stroke-width="2"/>
"""),
    "courbes": svg(160, 100, """
<path d="M10,80 C30,10 60,10 80,80" fill="none" stroke="#000000" stroke-width="2"/>
<path d="M90,50 C100,0 150,0 150,50 C150,95 100,95 90,50 Z" fill="#d04080" stroke="#400020" stroke-width="1"/>
<path d="M10,95 C40,85 60,99 150,90" fill="none" stroke="#0080a0" stroke-width="3" stroke-dasharray="6,3"/>
"""),
    "texte": svg(160, 80, """
<text x="10" y="20" font-family="DejaVu Sans" font-size="8" fill="#000000">Élève à l'école : garçon, œuvre, 15 €</text>
<text x="10" y="40" font-family="DejaVu Sans" font-size="12" font-weight="bold" fill="#c00000">Forêt déçue</text>
<text x="150" y="55" font-family="DejaVu Serif" font-size="6" text-anchor="end" fill="#0040a0">Aligné à droite, ÀÉÎÕÜ</text>
<text x="30" y="75" font-family="DejaVu Sans" font-size="7" transform="rotate(-20 30 75)" fill="#006000">Incliné</text>
"""),
    "image": svg(120, 90, f"""
<rect x="5" y="5" width="50" height="30" fill="#ffe000"/>
<image x="10" y="10" width="64" height="48" preserveAspectRatio="none" xlink:href="data:image/png;base64,{DAMIER}"/>
<rect x="80" y="62" width="30" height="20" fill="#008080"/>
<path d="M5,85 L115,85" stroke="#000000" stroke-width="1" fill="none"/>
"""),
    "a0": svg(841, 1189, """
<rect x="20" y="20" width="801" height="1149" fill="none" stroke="#000000" stroke-width="3"/>
<circle cx="420" cy="500" r="250" fill="#3070d0"/>
<rect x="100" y="900" width="640" height="180" fill="#f08020"/>
<path d="M60,60 L780,1120" stroke="#c00000" stroke-width="6"/>
"""),
    "violets": svg(150, 80, """
<rect x="10" y="10" width="60" height="40" fill="rgb(160,80,190)"/>
<rect x="90" y="20" width="40" height="50" fill="rgb(200,50,215)"/>
"""),
}


def lance(commande, dossier):
    subprocess.run(commande, cwd=dossier, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)


def main():
    with tempfile.TemporaryDirectory() as tmp:
        for nom, texte in DESSINS.items():
            with open(os.path.join(tmp, nom + ".svg"), "w", encoding="utf-8") as f:
                f.write(texte)
            shutil.copy(os.path.join(tmp, nom + ".svg"), os.path.join(ICI, "sources", nom + ".svg"))
            for ext in ("emf", "wmf"):
                try:
                    lance(["inkscape", nom + ".svg", "--export-type=" + ext, "-o", f"{nom}_ink.{ext}"], tmp)
                except subprocess.CalledProcessError:
                    print(f"{nom}_ink.{ext}: inkscape s'est arrêté")  # A0 in 16-bit WMF units
                    os.remove(os.path.join(tmp, f"{nom}_ink.{ext}"))
                lance(["libreoffice", "--headless", "--convert-to", ext, nom + ".svg"], tmp)
                os.replace(os.path.join(tmp, f"{nom}.{ext}"), os.path.join(tmp, f"{nom}_lo.{ext}"))
        for fichier in sorted(os.listdir(tmp)):
            if fichier.endswith((".emf", ".wmf")):
                png_ref = fichier.replace(".", "_") + ".png"
                lance(["inkscape", fichier, "--export-type=png", "--export-dpi=96",
                       "--export-background=#ffffff", "--export-background-opacity=1", "-o", png_ref], tmp)
                shutil.copy(os.path.join(tmp, fichier), os.path.join(ICI, fichier))
                shutil.copy(os.path.join(tmp, png_ref), os.path.join(ICI, png_ref))


if __name__ == "__main__":
    os.makedirs(os.path.join(ICI, "sources"), exist_ok=True)
    main()
