#include "platform/Error.h"
#include "platform/db/paradox/ParadoxArchivo.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "support/RaizPrueba.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

extern "C" {
#include <paradox.h>
}

#include <memory>
#include <random>

#include <ostream>

// Values in failure messages.
inline void PrintTo(const QVariant& v, std::ostream* os) {
  *os << (v.isValid() ? QStringLiteral("%1(%2)").arg(QString::fromLatin1(v.typeName()), v.toString()).toStdString() : "null");
}

using db::DefCampo;
using db::ParadoxArchivo;
using Fila = QVector<QVariant>;
using Uso = ParadoxArchivo::Uso;

namespace {

const QString kDeta = QStringLiteral("C:\\VRL\\deta.db");
const QString kPlantilla = QStringLiteral("C:\\VRL\\DetaCR.db");

// The capture row of the sale screen, field by field.
QVector<DefCampo> CamposCaptura() {
  const auto n = [](const char* nombre) { return DefCampo{QString::fromLatin1(nombre), u'N', 0, 0}; };
  const auto m = [](const char* nombre) { return DefCampo{QString::fromLatin1(nombre), u'$', 0, 0}; };
  const auto a = [](const char* nombre, int ancho) { return DefCampo{QString::fromLatin1(nombre), u'A', ancho, 0}; };
  return {n("CANTIDAD"),  a("CLAVE", 30),      a("PRODUCTO", 60), m("PRECIO"),    n("DESCUENTO"), m("IMPORTE"),
          m("COSTO"),     a("UNIDAD", 3),      n("IMPUESTO"),     n("FACTOR"),    n("EMPAQUE"),   n("PREC_TARA"),
          n("DESCUENTO2"), n("DESCUENTO3"),    a("TARA", 6),      n("FPGC"),      a("TIPO", 1),   a("PROVEEDOR", 8),
          n("INICIAL"),   n("FINAL"),          n("IEPS1")};
}

// A capture line: the fields the sale screen fills, the rest blank.
Fila Linea(double cantidad, const QString& clave, const QString& producto, double precio) {
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

QString Clave(const Fila& f) { return f[1].toString(); }

[[maybe_unused]] QStringList Claves(ParadoxArchivo& t) {
  QStringList claves;
  for (qint64 n = 1, total = t.Registros(); n <= total; ++n) claves << Clave(t.Lee(n));
  return claves;
}

// What the independent reader sees in a table.
struct LecturaPx {
  QString error;
  QStringList nombres;
  QString tipos;  // one type letter per field
  QVector<Fila> filas;
};

void AnotaError(pxdoc_t*, int, const char* mensaje, void* datos) {
  *static_cast<QString*>(datos) += QString::fromLocal8Bit(mensaje) + u'\n';
}

LecturaPx LeePx(const QString& ruta) {
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
        case pxfDate:
          if (PX_get_data_long(doc, dato.data(), dato.size(), &l) > 0) fila[c] = QDate::fromJulianDay(l + 1721425);
          break;
        case pxfLong:
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

QVector<Fila> Filas(ParadoxArchivo& t) {
  QVector<Fila> filas;
  for (qint64 n = 1, total = t.Registros(); n <= total; ++n) filas << t.Lee(n);
  return filas;
}

// Another station (a second process) holding a table open.
class OtraEstacion {
 public:
  OtraEstacion(const QString& ruta, const char* uso) {
    proceso_.start(QStringLiteral(TENEDOR_PARADOX), {fs::Local(ruta), QString::fromLatin1(uso)});
    proceso_.waitForReadyRead(10000);
    respuesta_ = QString::fromLocal8Bit(proceso_.readLine()).trimmed();
  }
  ~OtraEstacion() {
    proceso_.closeWriteChannel();
    if (!proceso_.waitForFinished(10000)) proceso_.kill();
  }
  const QString& Respuesta() const { return respuesta_; }

 private:
  QProcess proceso_;
  QString respuesta_;
};

template <typename F>
plat::Error Falla(F&& operacion) {
  try {
    operacion();
  } catch (const plat::Error& e) {
    return e;
  }
  return plat::Error(QStringLiteral("<sin error>"));
}

}  // namespace

using ParadoxTest = RaizPrueba;

TEST_F(ParadoxTest, CapturaLlenaEditadaEmpacadaYLeidaPorOtroLector) {
  ParadoxArchivo::Crea(kDeta, CamposCaptura());
  ParadoxArchivo grid(kDeta, Uso::Compartido);
  auto total = std::make_unique<ParadoxArchivo>(kDeta, Uso::Compartido);
  ASSERT_EQ(grid.Campos().size(), 21);
  EXPECT_EQ(grid.Campos()[2].nombre, QStringLiteral("PRODUCTO"));
  EXPECT_EQ(grid.Campos()[2].ancho, 60);
  EXPECT_EQ(grid.Campos()[3].tipo, u'$');

  QVector<Fila> esperadas;
  for (int i = 1; i <= 12; ++i) {
    Fila f = Linea(i, QStringLiteral("P%1").arg(i), QStringLiteral("Café molido nº %1 ñandú €").arg(i), 10.5 * i);
    if (i % 3 == 0) f[4] = 12.5;
    if (i == 5) f[3] = -3.25;  // a credit line
    if (i == 7) f[1] = QStringLiteral("COMENTARIO");
    grid.Agrega(f);
    esperadas << f;
    // The totals cursor sees each posted line at once.
    ASSERT_EQ(total->Registros(), i);
    ASSERT_EQ(total->Lee(i), f);
  }
  // The totals cursor rewrites the amounts; the grid cursor sees them.
  for (int i = 1; i <= 12; ++i) {
    Fila f = total->Lee(i);
    f[5] = f[0].toDouble() * f[3].toDouble() * (1 - f[4].toDouble() / 100);
    total->Escribe(i, f);
    esperadas[i - 1] = f;
  }
  EXPECT_EQ(Filas(grid), esperadas);
  // F6 on lines 9 and 4 from the grid cursor.
  grid.Borra(9);
  grid.Borra(4);
  esperadas.removeAt(8);
  esperadas.removeAt(3);
  EXPECT_EQ(Filas(*total), esperadas);

  // Packing needs the table alone: not while the totals cursor has it open.
  const plat::Error e = Falla([&] { grid.Empaca(); });
  EXPECT_EQ(e.clase(), plat::Clase::EnUso) << e.what();
  EXPECT_TRUE(e.mensaje().contains(QStringLiteral("deta.db"))) << e.what();
  total.reset();
  grid.Empaca();
  EXPECT_EQ(Filas(grid), esperadas);
  EXPECT_EQ(QFileInfo(fs::Local(kDeta)).size(), 2048 + 2 * 2048);  // 10 rows of 228 bytes, 8 to a block

  const LecturaPx px = LeePx(kDeta);
  ASSERT_TRUE(px.error.isEmpty()) << px.error.toStdString();
  QStringList nombres;
  QString tipos;
  for (const DefCampo& c : CamposCaptura()) {
    nombres << c.nombre;
    tipos += c.tipo;
  }
  EXPECT_EQ(px.nombres, nombres);
  EXPECT_EQ(px.tipos, tipos);
  EXPECT_EQ(px.filas, esperadas);
}
