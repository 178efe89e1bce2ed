#!/usr/bin/env python3
"""Builds assets/programa/ayuda/describe.des from assets/fuentes/describe.txt.

Each record is 263 bytes: a length-prefixed key of 10 characters, then the
text split into two length-prefixed parts of 125 characters (Windows-1252).
Numbers without a text get the popup's own text for a missing description.
"""
import pathlib
import sys

RAIZ = pathlib.Path(__file__).resolve().parent.parent
FUENTE = RAIZ / "assets" / "fuentes" / "describe.txt"
DESTINO = RAIZ / "assets" / "programa" / "ayuda" / "describe.des"
SIN_TEXTO = "No hay una descripción para esta opción."


def cadena(texto: str, maximo: int) -> bytes:
    datos = texto.encode("cp1252")
    if len(datos) > maximo:
        raise ValueError(f"texto de más de {maximo} caracteres: {texto!r}")
    return bytes([len(datos)]) + datos + b"\0" * (maximo - len(datos))


def partes(texto: str) -> tuple[str, str]:
    if len(texto) <= 125:
        return texto, ""
    corte = texto.rfind(" ", 0, 125) + 1 or 125  # the blank stays with the first part
    return texto[:corte], texto[corte:]


def main() -> int:
    textos = {}
    for numero_linea, linea in enumerate(FUENTE.read_text(encoding="utf-8").splitlines(), 1):
        if not linea.strip() or linea.startswith("#"):
            continue
        numero, clave, texto = linea.split("\t")
        if len(texto) > 250:
            print(f"línea {numero_linea}: texto de más de 250 caracteres", file=sys.stderr)
            return 1
        textos[int(numero)] = (clave, texto)
    registros = bytearray()
    for n in range(max(textos) + 1):
        clave, texto = textos.get(n, ("", SIN_TEXTO))
        uno, dos = partes(texto)
        registros += cadena(clave[:10], 10) + cadena(uno, 125) + cadena(dos, 125)
    DESTINO.parent.mkdir(parents=True, exist_ok=True)
    DESTINO.write_bytes(registros)
    print(f"{DESTINO.relative_to(RAIZ)}: {max(textos) + 1} registros")
    return 0


if __name__ == "__main__":
    sys.exit(main())
