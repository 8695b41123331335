#!/usr/bin/python3
# Reads a KML or DXF export back with readers other than GDAL (lxml, ezdxf), one line per
# feature, tab-separated, for the tests to compare: an unreadable file ends with status 1.
import json
import sys


def kml(chemin):
    from lxml import etree
    ns = {"k": "http://www.opengis.net/kml/2.2"}
    for p in etree.parse(chemin).iterfind(".//k:Placemark", ns):
        ligne = p.find("k:Style/k:LineStyle", ns)
        champs = {s.get("name"): s.text or "" for s in p.iterfind(".//k:SimpleData", ns)}
        print(p.getparent().findtext("k:name", namespaces=ns),
              "-" if ligne is None else ligne.findtext("k:color", namespaces=ns),
              "-" if ligne is None else ligne.findtext("k:width", default="-", namespaces=ns),
              p.findtext("k:Style/k:PolyStyle/k:color", default="-", namespaces=ns),
              ",".join(m.text for m in p.iterfind(".//k:altitudeMode", ns)) or "-",
              json.dumps(champs.get("Libelle", champs.get("nom"))), sep="\t")


def dxf(chemin):
    import ezdxf
    for e in ezdxf.readfile(chemin).modelspace():
        print(e.dxftype(), e.dxf.layer, e.dxf.get("color", 256), e.dxf.get("true_color", "-"), sep="\t")


try:
    {"kml": kml, "dxf": dxf}[sys.argv[1]](sys.argv[2])
except Exception as e:
    print(e)
    sys.exit(1)
