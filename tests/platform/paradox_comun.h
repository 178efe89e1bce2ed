#pragma once
// Shared by the Paradox table tests: the capture row of the sale screen, an
// independent reader of the files (pxlib) and error capture.

#include "platform/Error.h"
#include "platform/db/Esquema.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"

#include <QDate>
#include <QFile>
#include <QVariant>
#include <QVector>

extern "C" {
#include <paradox.h>
}

#include <ostream>

// Values in failure messages.
inline void PrintTo(const QVariant& v, std::ostream* os) {
  *os << (v.isValid() ? QStringLiteral("%1(%2)").arg(QString::fromLatin1(v.typeName()), v.toString()).toStdString() : "null");
}

using Fila = QVector<QVariant>;

// The capture row of the sale screen, field by field.
inline QVector<db::DefCampo> CamposCaptura() {
  const auto n = [](const char* nombre) { return db::DefCampo{QString::fromLatin1(nombre), u'N', 0, 0}; };
  const auto m = [](const char* nombre) { return db::DefCampo{QString::fromLatin1(nombre), u'$', 0, 0}; };
  const auto a = [](const char* nombre, int ancho) { return db::DefCampo{QString::fromLatin1(nombre), u'A', ancho, 0}; };
  return {n("CANTIDAD"),  a("CLAVE", 30),      a("PRODUCTO", 60), m("PRECIO"),    n("DESCUENTO"), m("IMPORTE"),
          m("COSTO"),     a("UNIDAD", 3),      n("IMPUESTO"),     n("FACTOR"),    n("EMPAQUE"),   n("PREC_TARA"),
          n("DESCUENTO2"), n("DESCUENTO3"),    a("TARA", 6),      n("FPGC"),      a("TIPO", 1),   a("PROVEEDOR", 8),
          n("INICIAL"),   n("FINAL"),          n("IEPS1")};
}

// A capture line: the fields the sale screen fills, the rest blank.
inline Fila Linea(double cantidad, const QString& clave, const QString& producto, double precio) {
  Fila f(21);
  f[0] = cantidad;
  f[1] = clave;
  f[2] = producto;
  f[3] = precio;
  f[4] = 0.0;
  f[5] = cantidad * precio;
  f[7] = QStringLiteral("pza");
  f[8] = 16.0;
  f[9] = 1.0;
  return f;
}

// What the independent reader sees in a table.
struct LecturaPx {
  QString error;
  QStringList nombres;
  QString tipos;  // one type letter per field
  QVector<Fila> filas;
};

inline void AnotaError(pxdoc_t*, int, const char* mensaje, void* datos) {
  *static_cast<QString*>(datos) += QString::fromLocal8Bit(mensaje) + u'\n';
}

inline LecturaPx LeePx(const QString& ruta) {
  LecturaPx lectura;
  pxdoc_t* doc = PX_new3(AnotaError, nullptr, nullptr, nullptr, &lectura.error);
  if (PX_open_file(doc, QFile::encodeName(fs::Local(ruta)).constData()) < 0) {
    PX_delete(doc);
    if (lectura.error.isEmpty()) lectura.error = QStringLiteral("no abre");
    return lectura;
  }
  const int campos = PX_get_num_fields(doc);
  pxfield_t* defs = PX_get_fields(doc);
  for (int c = 0; c < campos; ++c) {
    lectura.nombres << QString::fromLatin1(defs[c].px_fname);
    switch (defs[c].px_ftype) {
      case pxfAlpha: lectura.tipos += u'A'; break;
      case pxfNumber: lectura.tipos += u'N'; break;
      case pxfCurrency: lectura.tipos += u'$'; break;
      case pxfDate: lectura.tipos += u'D'; break;
      case pxfShort: lectura.tipos += u'S'; break;
      case pxfLong: lectura.tipos += u'I'; break;
      case pxfLogical: lectura.tipos += u'L'; break;
      default: lectura.tipos += u'?';
    }
  }
  // Each value decoded by the reader itself; its return code tells a blank.
  QByteArray registro(PX_get_recordsize(doc), '\0');
  for (int r = 0, total = PX_get_num_records(doc); r < total; ++r) {
    if (!PX_get_record(doc, r, registro.data())) {
      lectura.error += QStringLiteral("registro %1 ilegible\n").arg(r);
      break;
    }
    Fila fila(campos);
    char* p = registro.data();
    for (int c = 0; c < campos; p += defs[c].px_flen, ++c) {
      QByteArray dato(p, defs[c].px_flen);
      double d;
      long l;
      short s;
      char b;
      char* texto = nullptr;
      switch (defs[c].px_ftype) {
        case pxfAlpha:
          if (PX_get_data_alpha(doc, dato.data(), dato.size(), &texto) > 0) {
            fila[c] = fs::DeCp1252(QByteArray(texto));
            doc->free(doc, texto);
          }
          break;
        case pxfNumber:
        case pxfCurrency:
          if (PX_get_data_double(doc, dato.data(), dato.size(), &d) > 0) fila[c] = d;
          break;
        // This reader takes an all-zero long for a negative number; a blank
        // long is all zeros.
        case pxfDate:
          if (dato.count('\0') == dato.size()) break;
          if (PX_get_data_long(doc, dato.data(), dato.size(), &l) > 0) fila[c] = QDate::fromJulianDay(l + 1721425);
          break;
        case pxfLong:
          if (dato.count('\0') == dato.size()) break;
          if (PX_get_data_long(doc, dato.data(), dato.size(), &l) > 0) fila[c] = int(l);
          break;
        case pxfShort:
          if (PX_get_data_short(doc, dato.data(), dato.size(), &s) > 0) fila[c] = int(s);
          break;
        case pxfLogical:
          if (PX_get_data_byte(doc, dato.data(), dato.size(), &b) > 0) fila[c] = b != 0;
          break;
      }
    }
    lectura.filas << fila;
  }
  PX_close(doc);
  PX_delete(doc);
  return lectura;
}

// Runs the operation and returns the error it throws; "<sin error>" when none.
template <typename F>
plat::Error Falla(F&& operacion) {
  try {
    operacion();
  } catch (const plat::Error& e) {
    return e;
  }
  return plat::Error(QStringLiteral("<sin error>"));
}
