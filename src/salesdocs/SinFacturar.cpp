#include "salesdocs/SinFacturar.h"

#include "foundation/adminis.h"
#include "foundation/dinero.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/process/Procesos.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/RejillaDatos.h"
#include "pos/CaptuRap.h"
#include "pos/Caja.h"
#include "reports/RepoSQL.h"
#include "salesdocs/FacturaRemision.h"
#include "salesdocs/GlobalesVenta.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSet>
#include <QSpinBox>

namespace {

QString Programa() {
  QString programa;
  CarpetaLocal(programa);
  return programa;
}

QString U(const char* s) { return QString::fromUtf8(s); }

// What differs between the two unbilled commands.
struct MiembroSinFacturar {
  const char* titulo;
  bool concentrado;  // every row, in physical order; with tax and unit
  const char* columnas;
  const char* orden;  // "!" line, or nullptr
  const char* tipos;
  const char* titulos;
};

const MiembroSinFacturar kConcentrado = {
    "Concentrado de Ventas sin Facturar",
    true,
    "DOCU,CANTIDAD,CLAVE,PRODUCTO,PRECIO,PROVE,PROVE2,PRODUCTO,PRECIO,COSTO,PORC_TOT,PORC_UTIL,DOCU,CLAVE",
    nullptr,
    "%e            t            c            c                      t            ",
    "#DOCUMENTO    CANTIDAD     CLAVE        PRODUCTO               PRECIO         "};
const MiembroSinFacturar kPorFacturar = {
    "Ventas por Facturar",
    false,
    "CANTIDAD,PRODUCTO,PRECIO,PROVE,PROVE2,PRODUCTO,PRECIO,COSTO,PORC_TOT,PORC_UTIL,DOCU,CLAVE",
    "!DOCU",
    "%t            c                      t            ",
    "#CANTIDAD     PRODUCTO               PRECIO         "};

const char* const kCondicionSinFacturar =
    "Where (E.REMIS_F<\"0\" OR E.REMIS_F IS NULL)AND(TREGI_FD<>\"C\" OR TREGI_FD IS NULL)and(F.CLPRO_FD=I.CLPRO_I) "
    "and(F.CLDOC_FD=E.CLDOC_F) and (E.STATU_F<>\"C\" OR E.STATU_F IS NULL)AND FEDOC_FD>=\"";

QString Guion(const MiembroSinFacturar& m) {
  QString g;
  const auto linea = [&g](const QString& l) { g += l + u'\r'; };
  linea(u'$' + U(m.titulo));
  linea(QStringLiteral("& Select ") + U(m.columnas) + QStringLiteral(" from \"") + kCarpetaDeta + kArchivoDeta + u'"');
  linea(QStringLiteral("? CLAVE=CLAVE"));
  if (m.orden) linea(U(m.orden));
  linea(U(m.tipos));
  linea(U(m.titulos));
  linea(QStringLiteral("@"));
  return g;
}

void PonDinero(db::Tabla& t, const QString& campo, Dinero valor) { t.FieldByName(campo).SetAsFloat(valor.Real()); }

Dinero Columna(db::Consulta& q, int i) {
  const db::Campo& c = q.Fields(i);
  return c.IsNull() ? Dinero() : Dinero::DeReal(c.AsFloat());
}

// Marks every remission the listing drew its lines from as invoiced by the
// invoice, as "Factura" marks the remission it invoices; names those that
// could not be marked.
void MarcaRemisiones(const QSet<qint64>& remisiones, const QString& marca) {
  db::Tabla t;
  ApuntaTabla(t, QStringLiteral("REMISION.DBF"));
  t.Open();
  t.SetIndexName(QStringLiteral("INUMENC"));
  t.OnEditError = [](db::Dataset&, const plat::Error& e) {
    return e.clase() == plat::Clase::Bloqueado || e.clase() == plat::Clase::EnUso ? db::AccionError::Retry
                                                                                 : db::AccionError::Fail;
  };
  QStringList fallidas;
  QList<qint64> lista(remisiones.begin(), remisiones.end());
  std::sort(lista.begin(), lista.end());
  for (qint64 n : lista) {
    try {
      if (!t.FindKey({n})) throw plat::Error(plat::Clase::NoExiste, QStringLiteral("no existe"));
      t.Edit();
      try {
        t.FieldByName(QStringLiteral("REMIS_F")).SetAsString(marca);
        t.Post();
      } catch (...) {
        t.Cancel();
        throw;
      }
    } catch (const std::exception& e) {
      fallidas << QString::number(n) + QStringLiteral(" (") + QString::fromUtf8(e.what()) + u')';
    }
  }
  if (!fallidas.isEmpty())
    ui::MensajeSimple(QStringLiteral("No se pudieron marcar como facturadas las remisiones: ") +
                      fallidas.join(QStringLiteral(", ")));
}

void SinFacturar(TFormaCapturaRapida& p, const MiembroSinFacturar& m) {
  std::unique_ptr<db::Tabla> deta = PreparaTablaDeta(m.concentrado ? QString() : QStringLiteral("CLAVE"));
  db::Tabla& t = *deta;
  QString desde;
  QString hasta;
  // A period dialog not accepted ends the command, as the summaries do.
  if (!PidePeriodoVentas(p, desde, hasta)) return;

  db::Consulta q;
  q.SetSQL(ConsultaPeriodoVentas(p, ColumnasPeriodo(false, m.concentrado), U(kCondicionSinFacturar), desde, hasta,
                                 m.concentrado ? QStringLiteral(" order by CLDOC_FD")
                                               : QStringLiteral(" order by clpro_fd")));
  q.Open();
  Dinero ventas;
  Dinero utilidad;
  QSet<qint64> remisiones;
  for (; !q.Eof(); q.Next()) {
    ventas += Columna(q, 3);
    utilidad += Columna(q, 4);
    const QString clave = q.Fields(0).AsString();
    if (!m.concentrado && clave.isEmpty()) continue;
    const int documento = m.concentrado ? 15 : 13;
    remisiones.insert(q.Fields(documento).AsInteger());
    t.Append();
    t.FieldByName(QStringLiteral("CLAVE")).SetAsString(clave);
    t.FieldByName(QStringLiteral("PRODUCTO")).SetAsString(q.Fields(1).AsString());
    PonDinero(t, QStringLiteral("CANTIDAD"), Columna(q, 2));
    PonDinero(t, QStringLiteral("PRECIO"), Columna(q, 3));
    PonDinero(t, QStringLiteral("COSTO"), Columna(q, 4));
    t.FieldByName(QStringLiteral("PROVE")).SetAsString(q.Fields(8).AsString());
    t.FieldByName(QStringLiteral("LINEA")).SetAsString(q.Fields(11).AsString());
    t.FieldByName(QStringLiteral("EMPAQUE")).SetAsString(q.Fields(12).AsString());
    t.FieldByName(QStringLiteral("DOCU")).SetAsString(q.Fields(documento).AsString());
    if (m.concentrado) {
      t.FieldByName(QStringLiteral("IMPUESTO")).SetAsString(q.Fields(13).AsString());
      t.FieldByName(QStringLiteral("PROVE2")).SetAsString(q.Fields(14).AsString());
    } else {
      t.FieldByName(QStringLiteral("PROVE2")).SetAsString(q.Fields(10).AsString());
    }
    t.Post();
  }
  q.Close();
  for (t.First(); !t.Eof(); t.Next()) {
    t.Edit();
    PonDinero(t, QStringLiteral("PORC_TOT"), PorcentajeDe(DineroDe(t, QStringLiteral("PRECIO")), ventas));
    PonDinero(t, QStringLiteral("PORC_UTIL"), PorcentajeDe(DineroDe(t, QStringLiteral("COSTO")), utilidad));
    t.Post();
  }
  const QString busca = t.IsEmpty() ? QString() : t.FieldByName(QStringLiteral("CLAVE")).AsString();
  EjecutaReporteSQL(U(m.titulo), QStringLiteral("CLAVE"), QString(), QString(), busca, t, Guion(m), 0, QString(),
                    false, u' ');

  {
    TFormaAdministrador clave(&p);
    clave.ShowModal();
    if (clave.Tag() == 2) return;
    if (!TieneDerecho(ValidaClaveUsuario(clave.Clave->text()), DerechoReimprimir)) return;
  }

  // One new document with the listed lines, each at its unit price.
  p.BotonNuevoClick();
  db::Tabla& d = *p.TablaDeta;
  for (t.First(); !t.Eof(); t.Next()) {
    const QString clave = t.FieldByName(QStringLiteral("CLAVE")).AsString();
    if (!m.concentrado && clave.isEmpty()) continue;
    const Dinero cantidad = DineroDe(t, QStringLiteral("CANTIDAD"));
    const Dinero importe = DineroDe(t, QStringLiteral("PRECIO"));
    if (m.concentrado)
      d.Append();
    else
      d.Insert();
    PonDinero(d, QStringLiteral("CANTIDAD"), cantidad);
    d.FieldByName(QStringLiteral("CLAVE")).SetAsString(clave);
    if (m.concentrado) {
      d.FieldByName(QStringLiteral("PRODUCTO")).SetAsString(t.FieldByName(QStringLiteral("PRODUCTO")).AsString());
      d.FieldByName(QStringLiteral("UNIDAD")).SetAsString(t.FieldByName(QStringLiteral("PROVE2")).AsString());
      d.FieldByName(QStringLiteral("IMPUESTO")).SetAsString(t.FieldByName(QStringLiteral("IMPUESTO")).AsString());
    }
    // The screen's column handling fills the line from its product.
    p.Detalle->SetSelectedIndex(1);
    if (!m.concentrado) p.Detalle->SetSelectedIndex(2);
    PonDinero(d, QStringLiteral("PRECIO"),
              cantidad == Dinero() ? Dinero() : Dinero::DeReal(importe.Real() / cantidad.Real()));
    PonDinero(d, QStringLiteral("IMPORTE"), importe);
    d.Post();
  }
  if (m.concentrado) ui::MensajeSimple(QStringLiteral("agrego detalle correcto"));
  Factura1Click(p);
  if (m.concentrado) ui::MensajeSimple(QStringLiteral("creo factura  correcto"));
  const QString marca = p.TablaFacturae->Active() && !p.TablaFacturae->IsEmpty()
                            ? p.TablaFacturae->FieldByName(QStringLiteral("REMIS_F")).AsString()
                            : QString();
  if (marca.startsWith(u'F')) MarcaRemisiones(remisiones, marca);
  // Leaves the new document the lines were put into.
  p.CancelaMovimiento1Click();
  if (m.concentrado) ui::MensajeSimple(QStringLiteral("actualiza facturad"));
}

}  // namespace

void ExportarDocumento1Click(TFormaCapturaRapida& p) {
  auto caja = std::make_unique<TFormaCaja>(&p);
  for (QWidget* w : {static_cast<QWidget*>(caja->Label1), static_cast<QWidget*>(caja->NumeroCaja),
                     static_cast<QWidget*>(caja->Label4), static_cast<QWidget*>(caja->NoCaja),
                     static_cast<QWidget*>(caja->ClaveVendedor), static_cast<QWidget*>(caja->Label3)})
    w->hide();
  const QString cnf = fs::Une(Programa(), QStringLiteral("Exporta.cnf"));
  if (fs::ExisteArchivo(cnf)) caja->Formato->setText(fs::LeeLinea(cnf, 1).value_or(QString()));
  caja->ShowModal();
  const QString carpeta = caja->Formato->text();
  if (caja->Tag() == 1) {
    QByteArray lineas;
    db::Tabla& d = *p.TablaDeta;
    if (d.Active()) {
      for (d.First(); !d.Eof(); d.Next()) {
        lineas += fs::ACp1252(p.EditCLDOC_F->text() + u',' + d.FieldByName(QStringLiteral("CLAVE")).AsString() +
                              u',' + d.FieldByName(QStringLiteral("CANTIDAD")).AsString() + u',' +
                              QString::number(p.ConceptoMovimiento)) +
                  QByteArrayLiteral("\r\n");
      }
    }
    // One write: the file is made when missing, even with no line.
    fs::AgregaBytes(fs::Une(carpeta, QStringLiteral("Movimientos.mov")), lineas);
  }
  fs::ReescribeLineas(cnf, {carpeta});
}

void EscribeMultiDat(const QStringList& lineas) {
  fs::ReescribeLineas(fs::Une(Programa(), QStringLiteral("Multi.dat")), lineas);
}

void ArrancaVentaEnEspera() {
  const QString programa = Programa();
  try {
    proc::Ejecuta(fs::Une(programa, QStringLiteral("Tolvrin.exe")), programa);
  } catch (const std::exception&) {
    // A failed start is not reported.
  }
}

void VentaenEspera1Click(TFormaCapturaRapida& p) {
  try {
    EscribeMultiDat({p.usuario->text(), QString(), QStringLiteral("Deta")});
  } catch (const std::exception&) {
    // The held-sale program starts without it.
  }
  ArrancaVentaEnEspera();
}

void ConcentradodeVentassinFacturar1Click(TFormaCapturaRapida& p) { SinFacturar(p, kConcentrado); }
void VentasporFacturar1Click(TFormaCapturaRapida& p) { SinFacturar(p, kPorFacturar); }

void InstalaSinFacturar(TFormaCapturaRapida& p) {
  const std::pair<const char*, void (*)(TFormaCapturaRapida&)> comandos[] = {
      {"ExportarDocumento1", ExportarDocumento1Click},
      {"VentaenEspera1", VentaenEspera1Click},
      {"ConcentradodeVentassinFacturar1", ConcentradodeVentassinFacturar1Click},
      {"VentasporFacturar1", VentasporFacturar1Click},
  };
  for (const auto& [nombre, fn] : comandos) {
    if (QAction* a = p.MainMenu1->findChild<QAction*>(QString::fromLatin1(nombre)))
      p.AsignaComando(a, [&p, fn] { ui::Protege([&] { fn(p); }); });
  }
}
