#!/usr/bin/env python3
"""The peer of the table layer's scan: reads two numeric fields of every
record of a dBASE table, as a script over the file would (Debian's
python3-dbfread when it is installed, else the records read with struct),
and prints the rows and the rows per second.

    recorrido_peer.py TABLA.DBF EXIST_I PPUBL_I
"""
import struct
import sys
import time


def recorre_dbfread(ruta, campos):
    import dbfread

    filas = 0
    suma = 0.0
    for registro in dbfread.DBF(ruta, encoding="cp1252", load=False):
        for c in campos:
            suma += registro[c] or 0
        filas += 1
    return filas, suma


def recorre_struct(ruta, campos):
    with open(ruta, "rb") as f:
        cabecera = f.read(32)
        cuenta, tam_cabecera, tam_registro = struct.unpack("<IHH", cabecera[4:12])
        descriptores = f.read(tam_cabecera - 32)
        lugares = {}
        posicion = 1
        for i in range(0, len(descriptores) - 1, 32):
            d = descriptores[i : i + 32]
            if d[0] == 0x0D:
                break
            nombre = d[:11].split(b"\0")[0].decode("ascii")
            ancho = d[16]
            lugares[nombre] = (posicion, ancho)
            posicion += ancho
        f.seek(tam_cabecera)
        datos = f.read(cuenta * tam_registro)
    elegidos = [lugares[c] for c in campos]
    filas = 0
    suma = 0.0
    for inicio in range(0, len(datos), tam_registro):
        if datos[inicio] == 0x2A:
            continue
        for p, a in elegidos:
            texto = datos[inicio + p : inicio + p + a].strip()
            if texto:
                suma += float(texto)
        filas += 1
    return filas, suma


def main():
    ruta, campos = sys.argv[1], sys.argv[2:]
    try:
        import dbfread  # noqa: F401

        recorre, como = recorre_dbfread, "dbfread"
    except ImportError:
        recorre, como = recorre_struct, "struct"
    t0 = time.perf_counter()
    filas, _ = recorre(ruta, campos)
    segundos = time.perf_counter() - t0
    print(f"{como} {filas} {filas / segundos:.0f}")


if __name__ == "__main__":
    main()
