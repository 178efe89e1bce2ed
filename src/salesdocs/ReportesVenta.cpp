#include "salesdocs/ReportesVenta.h"

#include "foundation/DatoForm.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap.h"
#include "pos/ComandosVenta.h"
#include "pos/Corte.h"
#include "reports/Consulta.h"
#include "reports/RepoSQL.h"
#include "reports/Vistas.h"
#include "salesdocs/CortesPagados.h"
#include "salesdocs/CortesVenta.h"
#include "salesdocs/GraficasVenta.h"
#include "salesdocs/GlobalesVenta.h"
#include "salesdocs/SinFacturar.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include <memory>
#include <optional>

namespace {

const QString kCampoNumero = QStringLiteral("CLDOC_F");
const QString kPagadaEn = QStringLiteral("Pagada en ");

// The number of the row the table stands on; empty when there is none.
QString NumeroDe(db::Tabla& tabla) {
  if (!tabla.Active() || tabla.IsEmpty()) return QString();
  return tabla.FieldByName(kCampoNumero).AsString();
}

// A lock another station holds is waited for within the table layer's
// bound; any other error fails at once.
db::AccionError EsperaBloqueo(db::Dataset&, const plat::Error& e) {
  if (e.clase() == plat::Clase::Bloqueado || e.clase() == plat::Clase::EnUso) return db::AccionError::Retry;
  return db::AccionError::Fail;
}

// A company table of the run, opened on its tag.
std::unique_ptr<db::Tabla> TablaDeCorrida(const QString& archivo, const QString& tag) {
  auto tabla = std::make_unique<db::Tabla>();
  ApuntaTabla(*tabla, archivo);
  tabla->Open();
  tabla->SetIndexName(tag);
  return tabla;
}

// Runs the arguments over their dataset.
void Corre(TFormaCapturaRapida& p, const ArgumentosReporteVenta& a) {
  CorreReporteVenta(a, *p.TablaFacturae, *p.TablaFacturaD);
}

// The cut picker of "Cortes Separados": the window condition of the cut
// chosen, or nothing when none was.
std::optional<QString> VentanaDeCorte(TFormaCapturaRapida& p) {
  auto corte = std::make_unique<TFormaCorte>(&p);
  corte->LabelRuta->setText(RutaDatosCorte);
  corte->Panel1->setEnabled(true);
  corte->BotonAceptar->show();
  corte->ShowModal();
  if (corte->Tag() != 2 || corte->ListaCortes->count() == 0) return std::nullopt;
  const auto sello = [&corte](int fila) {
    QString s;
    ElementoComa(corte->ListaCortes->item(fila)->text(), 3, s);
    return s;
  };
  const int elegida = corte->ListaCortes->currentRow();
  QString desde;
  QString hasta;
  if (elegida >= 1) {
    if (!corte->ListaCortes->item(elegida)->text().isEmpty()) {
      desde = sello(elegida - 1);
      hasta = sello(elegida);
    }
  } else {
    // From today's midnight: the day count of today, without a time.
    desde = QString::number(QDate(1899, 12, 30).daysTo(fs::Hoy()));
    hasta = sello(0);
  }
  return QStringLiteral(" (HORAF_F>=") + desde + QStringLiteral(" and HORAF_F<=") + hasta + u')';
}

}  // namespace

void CorreReporteVenta(const ArgumentosReporteVenta& a, db::Tabla& encabezado, db::Tabla& partidas) {
  std::unique_ptr<db::Tabla> propia;
  db::Tabla* tabla = &encabezado;
  switch (a.datos) {
    case DatosReporteVenta::Encabezado:
      break;
    case DatosReporteVenta::Partidas:
      tabla = &partidas;
      break;
    case DatosReporteVenta::Cobros:
      propia = TablaDeCorrida(QStringLiteral("CucobrarRemision.DBF"), QStringLiteral("ICUECOB"));
      tabla = propia.get();
      break;
    case DatosReporteVenta::Retiros:
      propia = TablaDeCorrida(QStringLiteral("retiros.dbf"), QStringLiteral("CLDOC_F"));
      tabla = propia.get();
      break;
  }
  CorreGuion(a, *tabla);
}

QString PideCajaReporte() {
  TFormaDato dato;
  dato.setWindowTitle(QStringLiteral("No de Caja"));
  dato.Label1->setText(QStringLiteral("Caja No. "));
  dato.EditDato->setText(QStringLiteral("1"));
  dato.ShowModal();
  return dato.EditDato->text();
}

ContextoReporte ContextoDeTablas(db::Tabla& encabezado, const db::Tabla& partidas, const db::Tabla& productos,
                                 const QString& usuario) {
  ContextoReporte x;
  LugarReporte& l = x.lugar;
  l.encabezado = encabezado.NombreTabla();
  l.partidas = partidas.NombreTabla();
  l.productos = productos.NombreTabla();
  l.carpetas = CarpetasEmpresa();
  x.numeroActual = NumeroDe(encabezado);
  x.momento = fs::Ahora();
  QString programa;
  CarpetaLocal(programa);
  QString nombre;
  LeeNombreUsuario(usuario, programa, nombre);
  x.usuario = nombre.toUpper();
  return x;
}

ContextoReporte ContextoDePantalla(TFormaCapturaRapida& p) {
  ContextoReporte x = ContextoDeTablas(*p.TablaFacturae, *p.TablaFacturaD, *p.TablaInventario, p.usuario->text());
  x.tituloPantalla = p.windowTitle();
  x.turno = CondicionTurno(p.N011->isChecked(), p.N021->isChecked());
  return x;
}

QString ArchivoPagosDelDia(const QString& carpetaDatos, const QDate& dia) {
  return fs::Une(carpetaDatos, QString::number(dia.day()) + QString::number(dia.month()) + QString::number(dia.year()) +
                                   QStringLiteral(".pag"));
}

void AplicaPagosDelDia(TFormaCapturaRapida& p) { AplicaPagosDelDia(p.RutaDatosVenta, *p.TablaFacturae, p.TipoPago); }

void AplicaPagosDelDia(const QString& carpetaDatos, const db::Tabla& encabezado, QComboBox* tipoPago) {
  const QString archivo = ArchivoPagosDelDia(carpetaDatos, fs::Hoy());
  if (!fs::ExisteArchivo(archivo)) return;
  const QStringList lineas = fs::LeeLineas(archivo);
  // The screen's header table fails an edit at once outside a new
  // document; the marks go through a handle of their own, which waits.
  std::unique_ptr<db::Tabla> tabla = TablaDeCorrida(encabezado.NombreTabla(), QStringLiteral("INUMENC"));
  tabla->OnEditError = EsperaBloqueo;
  tabla->OnPostError = EsperaBloqueo;
  for (qsizetype i = 0; i < lineas.size(); i += 2) {
    const QString numero = lineas[i].trimmed();
    const QString caja = lineas.value(i + 1).trimmed();
    const QString pago = kPagadaEn + caja;
    try {
      bool esNumero = false;
      const qint64 n = numero.toLongLong(&esNumero);
      if (!esNumero || !tabla->FindKey({n})) continue;
      if (tabla->FieldByName(QStringLiteral("PAGOX_F")).AsString() == pago) continue;
      tabla->Edit();
      try {
        tabla->FieldByName(QStringLiteral("PAGOX_F")).SetAsString(pago);
        tabla->FieldByName(QStringLiteral("TREGI_F")).SetAsString(QStringLiteral("I"));
        tabla->FieldByName(QStringLiteral("BCLIM_F")).SetAsString(caja);
        if (tipoPago) tipoPago->setCurrentText(pago);
        tabla->Post();
      } catch (...) {
        tabla->Cancel();
        throw;
      }
    } catch (const std::exception&) {
      // The row is left as it was; the next pair is read.
    }
  }
}

void CuentaDocumentosEnCero(TFormaCapturaRapida& p) {
  const QString hoy = FechaSQL(TextoFecha(fs::Hoy()));
  LugarReporte lugar;
  lugar.encabezado = p.TablaFacturae->NombreTabla();
  lugar.carpetas = CarpetasEmpresa();
  db::Consulta consulta;
  consulta.SetSQL(LlenaRutasGuion(
      QStringLiteral("Select CLDOC_F,PAGOX_F,SUBTO_F,IMTOD_F,IMIM2_F,FEDOC_F,CLCLI_F,NOMBR_F from [H] where "
                     "(STATU_F<>\"C\" OR STATU_F IS NULL) and IMTOD_F<=0.1 and  FEDOC_F>=\"") +
          hoy + QStringLiteral("\"and  FEDOC_F<=\"") + hoy + u'"',
      lugar));
  consulta.Open();
  p.LabelControl->setText(QString::number(consulta.RecordCount()));
  while (!consulta.Eof()) consulta.Next();
  consulta.Close();
}

void PreparaConsultaVentas(TFormaCapturaRapida& p) { PreparaConsultaVentas(&p, p.RutaDatosVenta); }

void PreparaConsultaVentas(QWidget* padre, const QString& carpetaDatos) {
  TFormaConsulta consulta(padre);
  PreparaConsultaVentas(consulta, carpetaDatos);
}

void PreparaConsultaVentas(TFormaConsulta& consulta, const QString& carpetaDatos) {
  ApuntaTabla(*consulta.TablaConsulta, QStringLiteral("facturae.dbf"));
  AbreTabla(*consulta.TablaConsulta);
  if (consulta.TablaConsulta->Active()) {
    consulta.TablaConsulta->SetIndexName(QStringLiteral("INUMENC"));
    consulta.TablaConsulta->First();
  }
  consulta.numcampo->setText(QStringLiteral("0"));
  const QString lista = fs::Une(carpetaDatos, QStringLiteral("report\\facturae.for"));
  consulta.Archivo->clear();
  consulta.Descripcion->clear();
  try {
    QVector<TEntradaVista> leidos;
    const QString copia = fs::Une(carpetaDatos, QStringLiteral("report\\Cliente2.for"));
    for (const TEntradaVista& e : DepuraListaVistas(lista, &leidos, copia)) consulta.Archivo->addItem(e.Archivo);
    if (consulta.Archivo->count() > 0) consulta.Archivo->setCurrentIndex(0);
    if (!leidos.isEmpty()) consulta.Descripcion->setPlainText(leidos.first().Descripcion);
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
  }
  consulta.setWindowTitle(QStringLiteral("Reporte de Clientes"));
  consulta.Archi->setText(QStringLiteral("facturae.for"));
  PreparaConsulta(QStringLiteral("facturae.dbf"), QString());
  consulta.ShowModal();
}

bool CorreFilaReporte(const FilaReporteVenta& fila, ContextoReporte contexto, db::Tabla& encabezado,
                      db::Tabla& partidas) {
  const unsigned x = fila.extras;
  if (x & BuscaUltimo) {
    encabezado.First();
    encabezado.Last();
    contexto.numeroUltimo = NumeroDe(encabezado);
  }
  CorreReporteVenta(ArgumentosDeFila(fila, contexto), encabezado, partidas);
  if (x & ReencuentraActual) {
    AbreTabla(encabezado);
    if (encabezado.Active() && !contexto.numeroActual.isEmpty())
      encabezado.FindKey({contexto.numeroActual.toLongLong()});
  }
  return !(x & SinRedibujo);
}

void EjecutaReporteVenta(TFormaCapturaRapida& p, const FilaReporteVenta& fila) {
  const unsigned x = fila.extras;
  if (x & CuentaCeros) CuentaDocumentosEnCero(p);
  if (x & AplicaPagos) {
    AplicaPagosDelDia(p);
    (void)PideCajaReporte();
  }
  if (CorreFilaReporte(fila, ContextoDePantalla(p), *p.TablaFacturae, *p.TablaFacturaD)) p.MuestraDocumento();
}

void EjecutaCorteVenta(TFormaCapturaRapida& p, const QString& clave) {
  const CorteVenta* corte = CorteDeClave(clave);
  if (!corte) return;
  ContextoReporte contexto = ContextoDePantalla(p);
  if (clave == u"CortesSeparados1") {
    const std::optional<QString> ventana = VentanaDeCorte(p);
    if (!ventana) return;
    contexto.ventana = *ventana;
  }
  if (corte->cuentaCeros) CuentaDocumentosEnCero(p);
  Corre(p, ArgumentosDeCorte(*corte, contexto));
  p.MuestraDocumento();
}

void InstalaReportesVenta(TFormaCapturaRapida& p) {
  const auto item = [&p](const char* nombre) { return p.MainMenu1->findChild<QAction*>(QString::fromLatin1(nombre)); };
  for (const FilaReporteVenta& fila : FilasReporteVenta()) {
    if (QAction* a = item(fila.clave))
      p.AsignaComando(a, [&p, &fila] { ui::Protege([&] { EjecutaReporteVenta(p, fila); }); });
  }
  for (const CorteVenta& corte : CortesVenta()) {
    if (QAction* a = item(corte.clave)) {
      const QString clave = QLatin1String(corte.clave);
      p.AsignaComando(a, [&p, clave] { ui::Protege([&] { EjecutaCorteVenta(p, clave); }); });
    }
  }
  if (QAction* a = item("Consultas1")) p.AsignaComando(a, [&p] { ui::Protege([&] { PreparaConsultaVentas(p); }); });
  InstalaCortesPagados(p);
  InstalaGraficasVenta(p);
  InstalaGlobalesVenta(p);
  InstalaSinFacturar(p);
}

void UneReportesVenta() { UneComandosVenta(QStringLiteral("reportes"), InstalaReportesVenta); }
