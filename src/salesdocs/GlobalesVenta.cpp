#include "salesdocs/GlobalesVenta.h"

#include "foundation/dinero.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "platform/Error.h"
#include "platform/db/Bloqueo.h"
#include "platform/db/Catalogo.h"
#include "platform/db/Consulta.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/PuertaModal.h"
#include "pos/CaptuRap.h"
#include "reports/Formatos.h"
#include "reports/RepoSQL.h"
#include "salesdocs/TablasDocumentos.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QThread>

namespace {

const QVector<MiembroGlobal> kMiembros = {
    {"GlobaldeUtilidad1", "Global de Utilidad", "CANTIDAD,EMPAQUE,PROVE,PROVE2,PRODUCTO,PRECIO,COSTO,PORC_TOT,PORC_UTIL,DOCU,CLAVE", "? CLAVE=CLAVE", "!DOCU", nullptr, "%t                  c         c         c           c                    t              t                t             t                c              ", "#CANTIDAD           EMPAQUE   PROVE1    PROVE2      PRODUCTO             TOTAL_VENTA    TOTAL_UTIL       PORC_TOTAL    PORC_UTIL        DOCUMENTO      ", false, false},
    {"GlobaldeVenta1", "Global de Venta", "CANTIDAD,PRODUCTO,PROVE,PROVE2,PRODUCTO,PRECIO,COSTO,PORC_TOT,PORC_UTIL,DOCU,CLAVE", "? CLAVE=CLAVE", "!DOCU", nullptr, "%t            c                              ", "#CANTIDAD     PRODUCTO                       ", false, false},
    {"globalporLinea1", "Global por Línea", "LINEA,CANTIDAD,EMPAQUE,PROVE,PROVE2,PRECIO,COSTO,PORC_TOT,PORC_UTIL,CLAVE", nullptr, "!LINEA", nullptr, "%c         t              t              c         c         c           t                t             t                ", "#LINEA     TOTAL_VENTA    CANTIDAD       EMPAQUE   PROVE1    PROVE2      TOTAL_UTIL       PORC_TOTAL    PORC_UTIL        ", true, false},
    {"GlobaldeVentasporLinea1", "Global de Ventas por Linea", "CANTIDAD,(CANTIDAD/EMPAQUE) AS EMPAQUE,PRODUCTO,LINEA,PROVE,PROVE2,PRODUCTO,PRECIO,COSTO,PORC_TOT,PORC_UTIL,DOCU,CLAVE", "? CLAVE=CLAVE", "!LINEA", ">LINEA", "%t            t                c                             c             ", "#CANTIDAD     EMPAQUES         PRODUCTO                      LINEA         ", false, false},
    {"GlobaldeVentasporLineaconUtilidad1", "Global de Ventas por Linea con Utilidad", "CANTIDAD,CAJAS,PIEZAS,PRODUCTO,LINEA,PRECIO,COSTO,PRECIO-COSTO,PORC_UTIL,PORC_TOT,DOCU,CLAVE,PROVE,PROVE2,PRODUCTO", "? CLAVE=CLAVE", "!LINEA", ">LINEA", "%t            t             t               c                             c             t           t               t             t             ", "#CANTIDAD     CAJAS         PIEZAS          PRODUCTO                      LINEA         VENTA       COSTO_DE_VENTA  UTILIDAD       %UTILIDAD    ", false, true},
};

QString U(const char* s) { return s ? QString::fromUtf8(s) : QString(); }

const QString kTemplate = QStringLiteral("DETA.DBF");

}  // namespace

QString ColumnasPeriodo(bool conCosto, bool conImpuesto) {
  return QStringLiteral(
             "F.CLPRO_FD,F.DEPRO_FD,F.CANTI_FD,(F.CANTI_FD*F.PUNPR_FD),") +
         (conCosto ? QStringLiteral("(F.CANTI_FD*(F.COPRO_FD))")
                   : QStringLiteral("(F.CANTI_FD*F.PUNPR_FD)-(F.CANTI_FD*(F.COPRO_FD))")) +
         QStringLiteral(
             ",(F.CANTI_FD*F.PUNPR_FD)-(F.CANTI_FD*F.COPRO_FD),((F.PUNPR_FD-F.COPRO_FD)/F.PREDE_FD)*100,F.FEDOC_FD,"
             "I.CLPR1_I,I.CLPRO_I,I.CLPR2_I,I.LIPRO_I,I.UEMPA_I") +
         (conImpuesto ? QStringLiteral(",I.PIVA1_I,I.UMEDI_I") : QString()) +
         QStringLiteral(",F.CLDOC_FD,E.CLDOC_F,E.STATU_F");
}

namespace {

const char* const kCondicionProducto =
    "Where (TREGI_FD<>\"C\" OR TREGI_FD IS NULL)and(F.CLPRO_FD=I.CLPRO_I) and(F.CLDOC_FD=E.CLDOC_F) and "
    "(E.STATU_F<>\"C\" OR E.STATU_F IS NULL)AND FEDOC_FD>=\"";
const char* const kCondicionLinea =
    " Where (TREGI_FD<>\"C\" OR TREGI_FD IS NULL)and(F.CLPRO_FD=I.CLPRO_I) and(F.CLDOC_FD=E.CLDOC_F)and "
    "(E.STATU_F<>\"C\" OR E.STATU_F IS NULL) AND FEDOC_FD>=\"";

// The layout of the template, as registered.
const db::DefTabla& LayoutDeta() {
  static const db::Catalogo catalogo = [] {
    db::Catalogo c;
    RegistraTablasDocumentos(c);
    return c;
  }();
  return catalogo.Tabla(db::CarpetaTabla::Programa, kTemplate);
}

// Runs `accion` again while another station holds the file, within the
// table layer's bound; then its EnUso error stands.
template <typename F>
void MientrasOcupada(F&& accion) {
  QElapsedTimer reloj;
  reloj.start();
  for (;;) {
    try {
      accion();
      return;
    } catch (const plat::Error& e) {
      if (e.clase() != plat::Clase::EnUso || reloj.elapsed() >= db::kEsperaMaximaMs) throw;
    }
    QThread::msleep(100);
  }
}

void PonDinero(db::Tabla& t, const QString& campo, Dinero valor) { t.FieldByName(campo).SetAsFloat(valor.Real()); }

Dinero Columna(db::Consulta& q, int i) {
  const db::Campo& c = q.Fields(i);
  return c.IsNull() ? Dinero() : Dinero::DeReal(c.AsFloat());
}

// The header table's first or last invoice number, the table left on the
// row it stood on.
std::pair<QString, QString> PrimeroYUltimo(db::Tabla& t) {
  if (!t.Active() || t.IsEmpty()) return {};
  const QString actual = t.FieldByName(QStringLiteral("CLDOC_F")).AsString();
  t.First();
  const QString primero = t.FieldByName(QStringLiteral("CLDOC_F")).AsString();
  t.Last();
  const QString ultimo = t.FieldByName(QStringLiteral("CLDOC_F")).AsString();
  bool numero = false;
  const qint64 n = actual.toLongLong(&numero);
  if (numero && !t.IndexName().isEmpty()) t.FindKey({n});
  return {primero, ultimo};
}

}  // namespace

const QVector<MiembroGlobal>& MiembrosGlobales() { return kMiembros; }

const MiembroGlobal* MiembroGlobalDe(const QString& clave) {
  for (const MiembroGlobal& m : kMiembros)
    if (clave == QLatin1String(m.clave)) return &m;
  return nullptr;
}

QString GuionGlobal(const MiembroGlobal& m) {
  QString g;
  const auto linea = [&g](const QString& l) { g += l + u'\r'; };
  linea(u'$' + U(m.titulo));
  linea(QStringLiteral("& Select ") + U(m.columnas) + QStringLiteral(" from \"") + kCarpetaDeta + kArchivoDeta + u'"');
  if (m.condicion) linea(U(m.condicion));
  linea(U(m.orden));
  if (m.corte) linea(U(m.corte));
  linea(U(m.tipos));
  linea(U(m.titulos));
  linea(QStringLiteral("@"));
  return g;
}

QString ConsultaPeriodoVentas(TFormaCapturaRapida& p, const QString& columnas, const QString& condicion,
                              const QString& desde, const QString& hasta, const QString& orden) {
  const db::Carpetas carpetas = CarpetasEmpresa();
  return QStringLiteral(" Select ") + columnas + QStringLiteral("  From ") +
         TablaSQL(p.TablaFacturaD->NombreTabla(), carpetas) + QStringLiteral(" AS F,") +
         TablaSQL(QStringLiteral("INVENTAR.DBF"), carpetas) + QStringLiteral(" AS I, ") +
         TablaSQL(QStringLiteral("REMISION.DBF"), carpetas) +
         QStringLiteral(" AS E ") + condicion + desde + QStringLiteral("\" AND  FEDOC_FD<=\"") + hasta +
         QStringLiteral("\" ") + orden;
}

std::unique_ptr<db::Tabla> PreparaTablaDeta(const QString& tag) {
  const QString carpeta = kCarpetaDeta;
  if (!fs::ExisteCarpeta(carpeta) && !fs::CreaCarpeta(carpeta))
    throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo crear la carpeta %1").arg(carpeta));
  QString programa;
  CarpetaLocal(programa);
  // The old work table goes first: while another copy of the program reads
  // it, nothing is touched.
  if (db::Tabla::Existe(carpeta, kArchivoDeta))
    MientrasOcupada([&] { db::Tabla::Borra(carpeta, kArchivoDeta); });
  const db::DefTabla& layout = LayoutDeta();
  if (!db::Tabla::Existe(programa, kTemplate)) db::Tabla::Crea(programa, kTemplate, layout.campos, layout.tags);
  // With the program folder at c:\VRL the template is the work table itself:
  // it was just made again, empty.
  if (fs::Local(programa) != fs::Local(carpeta) && !db::Tabla::Existe(carpeta, kArchivoDeta)) {
    // The copy: the template's fields and tags, no rows.
    db::Tabla plantilla;
    plantilla.SetCarpeta(programa);
    plantilla.SetNombreTabla(kTemplate);
    plantilla.SetReadOnly(true);
    plantilla.Open();
    db::Tabla::CreaComo(carpeta, kArchivoDeta, plantilla);
  }
  auto tabla = std::make_unique<db::Tabla>();
  tabla->SetCarpeta(carpeta);
  tabla->SetNombreTabla(kArchivoDeta);
  tabla->SetExclusive(true);
  MientrasOcupada([&] { tabla->Open(); });
  tabla->SetIndexName(tag);
  return tabla;
}

bool PidePeriodoVentas(TFormaCapturaRapida& p, QString& desde, QString& hasta) {
  const auto [primero, ultimo] = PrimeroYUltimo(*p.TablaFacturae);
  auto formatos = std::make_unique<TFormaFormatos>(&p);
  formatos->Rangos->show();
  formatos->Formatos->hide();
  PreparaParametrosReporte(true, true, false, true, false, true, true, true, true, QStringLiteral("facturae.dbf"));
  FijaRangoReporte(0, 0, primero, ultimo);
  formatos->ShowModal();
  const bool aceptado = formatos->Tag() == 1;
  if (aceptado) {
    desde = FechaSQL(TextoFecha(formatos->Inicial->date()));
    hasta = FechaSQL(TextoFecha(formatos->Final->date()));
  }
  formatos->SetTag(0);
  return aceptado;
}

Dinero PorcentajeDe(Dinero parte, Dinero total) {
  if (total == Dinero()) return Dinero();
  const __int128 n = static_cast<__int128>(parte.Diezmilesimas()) * 100 * Dinero::kEscala;
  const __int128 d = total.Diezmilesimas();
  __int128 q = n / d;
  const __int128 r = n % d;
  // Half away from zero.
  const __int128 r2 = (r < 0 ? -r : r) * 2;
  if (r2 >= (d < 0 ? -d : d)) q += ((n < 0) != (d < 0)) ? -1 : 1;
  return Dinero::DeDiezmilesimas(static_cast<std::int64_t>(q));
}

Dinero DineroDe(const db::Tabla& tabla, const QString& campo) {
  const db::Campo& c = tabla.FieldByName(campo);
  return c.IsNull() ? Dinero() : Dinero::DeReal(c.AsFloat());
}

void EjecutaGlobal(TFormaCapturaRapida& p, const MiembroGlobal& m) {
  const QString clave = m.porLinea ? QStringLiteral("LINEA") : QStringLiteral("CLAVE");
  std::unique_ptr<db::Tabla> deta = PreparaTablaDeta(clave);
  db::Tabla& t = *deta;
  QString desde;
  QString hasta;
  if (!PidePeriodoVentas(p, desde, hasta)) return;

  const QString condicion = U(m.porLinea ? kCondicionLinea : kCondicionProducto);
  db::Consulta q;
  q.SetSQL(ConsultaPeriodoVentas(p, ColumnasPeriodo(m.conCosto, false), condicion, desde, hasta,
                                 QStringLiteral(" order by clpro_fd")));
  q.Open();
  Dinero ventas;
  Dinero utilidad;
  for (; !q.Eof(); q.Next()) {
    const Dinero cantidad = Columna(q, 2);
    const Dinero venta = Columna(q, 3);
    const Dinero cuarta = Columna(q, 4);
    QString llave = q.Fields(m.porLinea ? 11 : 0).AsString();
    if (m.porLinea && llave.trimmed().isEmpty()) llave = QStringLiteral(" N.A.");
    if (t.FindKey({llave})) {
      t.Edit();
      PonDinero(t, QStringLiteral("CANTIDAD"), DineroDe(t, QStringLiteral("CANTIDAD")) + cantidad);
      PonDinero(t, QStringLiteral("PRECIO"), DineroDe(t, QStringLiteral("PRECIO")) + venta);
      PonDinero(t, QStringLiteral("COSTO"), DineroDe(t, QStringLiteral("COSTO")) + cuarta);
    } else {
      t.Append();
      PonDinero(t, QStringLiteral("CANTIDAD"), cantidad);
      PonDinero(t, QStringLiteral("PRECIO"), venta);
      PonDinero(t, QStringLiteral("COSTO"), cuarta);
    }
    if (m.porLinea) {
      t.FieldByName(QStringLiteral("LINEA")).SetAsString(llave);
    } else {
      t.FieldByName(QStringLiteral("CLAVE")).SetAsString(llave);
      t.FieldByName(QStringLiteral("LINEA")).SetAsString(q.Fields(11).AsString());
      t.FieldByName(QStringLiteral("DOCU")).SetAsString(q.Fields(13).AsString());
    }
    t.FieldByName(QStringLiteral("PRODUCTO")).SetAsString(q.Fields(1).AsString());
    t.FieldByName(QStringLiteral("PROVE")).SetAsString(q.Fields(8).AsString());
    t.FieldByName(QStringLiteral("PROVE2")).SetAsString(q.Fields(10).AsString());
    t.FieldByName(QStringLiteral("EMPAQUE")).SetAsString(q.Fields(12).AsString());
    t.Post();
    ventas += venta;
    utilidad += cuarta;
  }
  q.Close();

  for (t.First(); !t.Eof(); t.Next()) {
    const Dinero precio = DineroDe(t, QStringLiteral("PRECIO"));
    const Dinero costo = DineroDe(t, QStringLiteral("COSTO"));
    t.Edit();
    PonDinero(t, QStringLiteral("PORC_TOT"), PorcentajeDe(precio, ventas));
    if (m.conCosto) {
      PonDinero(t, QStringLiteral("PORC_UTIL"),
                costo > Dinero() ? PorcentajeDe(precio - costo, costo) : Dinero(100));
      const Dinero cantidad = DineroDe(t, QStringLiteral("CANTIDAD"));
      const Dinero empaque = DineroDe(t, QStringLiteral("EMPAQUE"));
      Dinero cajas = cantidad;
      Dinero piezas;
      if (empaque > Dinero()) {
        // Whole packages, and the loose pieces left rounded halves to even.
        const std::int64_t enteras = cantidad.Diezmilesimas() / empaque.Diezmilesimas();
        cajas = Dinero::DeDiezmilesimas(enteras * Dinero::kEscala);
        piezas = (cantidad - empaque * static_cast<double>(enteras)).Redondeada(0, Mitades::AlPar);
      } else {
        // No package: the whole quantity counts as packages, no pieces left
        // beyond its fraction.
        cajas = Dinero::DeDiezmilesimas(cantidad.Diezmilesimas() / Dinero::kEscala * Dinero::kEscala);
        piezas = Dinero();
      }
      PonDinero(t, QStringLiteral("CAJAS"), cajas);
      PonDinero(t, QStringLiteral("PIEZAS"), piezas);
    } else {
      PonDinero(t, QStringLiteral("PORC_UTIL"), PorcentajeDe(costo, utilidad));
    }
    t.Post();
  }

  const QString busca = t.IsEmpty() ? QString() : t.FieldByName(clave).AsString();
  EjecutaReporteSQL(U(m.titulo), clave, QString(), QString(), busca, t, GuionGlobal(m), 0, QString(), false, u' ');
}

void InstalaGlobalesVenta(TFormaCapturaRapida& p) {
  for (const MiembroGlobal& m : kMiembros) {
    if (QAction* a = p.MainMenu1->findChild<QAction*>(QString::fromLatin1(m.clave)))
      p.AsignaComando(a, [&p, &m] { ui::Protege([&] { EjecutaGlobal(p, m); }); });
  }
}
