#!/usr/bin/env python3
"""Builds the field catalogue and the editor's field lists from
assets/fuentes/confcamp.txt:

  assets/programa/confcamp.cmp       83-byte records of six length-prefixed
                                     strings (Windows-1252): 50 records per
                                     table (the first not read, then 49
                                     fields), one directory record per table
                                     naming its file, and a last record
                                     holding the number of tables.
  assets/programa/define/<lista>.cam one line per field, "[nnn]  NAME  text",
                                     so that the first five characters are
                                     the field's index reference in a format.
"""
import pathlib
import sys

RAIZ = pathlib.Path(__file__).resolve().parent.parent
FUENTE = RAIZ / "assets" / "fuentes" / "confcamp.txt"
CATALOGO = RAIZ / "assets" / "programa" / "confcamp.cmp"
LISTAS = RAIZ / "assets" / "programa" / "define"

ANCHOS = (4, 10, 35, 10, 3, 15)  # characters of each text (a length byte precedes each)
CAMPOS_POR_TABLA = 49
LIBRE = "No Disponible"


def registro(*textos: str) -> bytes:
    datos = bytearray()
    textos = textos + ("",) * (len(ANCHOS) - len(textos))
    for texto, ancho in zip(textos, ANCHOS):
        b = texto.encode("cp1252")
        if len(b) > ancho:
            raise ValueError(f"texto de más de {ancho} caracteres: {texto!r}")
        datos += bytes([len(b)]) + b + b"\0" * (ancho - len(b))
    assert len(datos) == 83
    return bytes(datos)


def lee_fuente():
    tablas = []
    for n, linea in enumerate(FUENTE.read_text(encoding="utf-8").splitlines(), 1):
        if not linea.strip() or linea.startswith("#"):
            continue
        partes = linea.split("\t")
        if partes[0] == "tabla" and len(partes) == 3:
            tablas.append((partes[1], None if partes[2] == "-" else partes[2], []))
        elif len(partes) == 3 and tablas:
            tablas[-1][2].append(partes)
        else:
            raise ValueError(f"línea {n}: no se entiende {linea!r}")
    return tablas


def main() -> int:
    try:
        tablas = lee_fuente()
        catalogo = bytearray()
        for archivo, _, campos in tablas:
            if len(campos) > CAMPOS_POR_TABLA:
                raise ValueError(f"{archivo}: más de {CAMPOS_POR_TABLA} campos")
            catalogo += registro()
            for i in range(CAMPOS_POR_TABLA):
                if i < len(campos):
                    nombre, tipo, descripcion = campos[i]
                    catalogo += registro("", nombre, descripcion, tipo)
                else:
                    catalogo += registro("", "", LIBRE)
        for archivo, _, _ in tablas:
            catalogo += registro("", "", archivo)
        catalogo += registro(str(len(tablas)))
    except ValueError as e:
        print(e, file=sys.stderr)
        return 1
    CATALOGO.write_bytes(catalogo)
    LISTAS.mkdir(parents=True, exist_ok=True)
    for _, lista, campos in tablas:
        if lista is None:
            continue
        lineas = [f"[{i:03d}]  {nombre}  {descripcion}" for i, (nombre, _, descripcion) in enumerate(campos)]
        (LISTAS / f"{lista}.cam").write_bytes(("\r\n".join(lineas) + "\r\n").encode("cp1252"))
    print(f"{CATALOGO.relative_to(RAIZ)}: {len(tablas)} tablas, {len(catalogo) // 83} registros")
    return 0


if __name__ == "__main__":
    sys.exit(main())
