// The product window's "Reportes" menu (listings through the report script
// runner, the expiry analysis of every product, the concentrated stock card
// file), its "Consultas" submenu (quick grids and the query runner with the
// saved views) and the expiry of the product shown ("Caducidad" of
// "Opciones").

#include "inventory/Inven.h"

#include "foundation/HojaCalculo.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_tablas.h"
#include "inventory/Caducidad.h"
#include "inventory/ConsultaRap.h"
#include "inventory/Costeo.h"
#include "inventory/EdicionFila.h"
#include "inventory/GuionesInventario.h"
#include "inventory/RecalculoExistencia.h"
#include "inventory/RecorridoProductos.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Consulta.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/ControlesDatos.h"
#include "reports/Consulta.h"
#include "reports/Progreso.h"
#include "reports/RepoSQL.h"
#include "reports/Vistas.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include <cmath>

namespace {

const QString kMascaraExistencia = QStringLiteral("###,##0.00");
const QString kMascaraListados = QStringLiteral("NN  ");
const QString kListaVistas = QStringLiteral("inventar.for");
const QString kCopiaListaVistas = QStringLiteral("Cliente2.for");
constexpr int kRepintaCada = 25;

QString Linea(int n) {
  QString valor;
  LeeLineaConfig(n, valor);
  return valor;
}

}  // namespace

// --- Listings through the report script runner.

void TFormaInventario::CorreGuion(const QString& titulo, const QString& campoClave, const QString& guion) {
  const QString clave = TablaInventario->Active() && !TablaInventario->IsEmpty()
                            ? TablaInventario->FieldByName(QStringLiteral("CLPRO_I")).AsString()
                            : QString();
  try {
    ConservaProducto([&] {
      // The runner proposes the first and last keys of the table's order as
      // the range: in key order, so a window ordered by description still
      // lists every product unless the user narrows the range.
      const QString orden = TablaInventario->IndexName();
      struct Restituye {
        db::Tabla& t;
        QString orden;
        ~Restituye() {
          try {
            if (t.Active()) t.SetIndexName(orden);
          } catch (const std::exception&) {
          }
        }
      } restituye{*TablaInventario, orden};
      if (TablaInventario->Active()) TablaInventario->SetIndexName(kTagClaveProducto);
      EjecutaReporteSQL(titulo, campoClave, QString(), QString(), clave, *TablaInventario, guion, 0,
                        kMascaraListados, true, u' ');
    });
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
  }
}

void TFormaInventario::Listado(const QString& item) {
  const ListadoInventario* listado = BuscaListadoInventario(item);
  const auto* accion = findChild<QAction*>(item);
  if (!listado || !accion) return;
  const QString titulo = accion->text();
  CorreGuion(titulo, QStringLiteral("CLPRO_I"),
             GuionListadoInventario(*listado, titulo, FactorStockGuion(Linea(ConfFactorStock))));
}

void TFormaInventario::Stocks1Click() { Listado(QStringLiteral("Stocks1")); }
void TFormaInventario::VtasyCprasAnuales1Click() { Listado(QStringLiteral("VtasyCprasAnuales1")); }
void TFormaInventario::Existencias2Click() { Listado(QStringLiteral("Existencias2")); }
void TFormaInventario::CostoyCostoPromedio1Click() { Listado(QStringLiteral("CostoyCostoPromedio1")); }
void TFormaInventario::ListadePrecios1Click() { Listado(QStringLiteral("ListadePrecios1")); }
void TFormaInventario::CostodelInventario1Click() { Listado(QStringLiteral("CostodelInventario1")); }
void TFormaInventario::ValordeInventario1Click() { Listado(QStringLiteral("ValordeInventario1")); }
void TFormaInventario::CatlogodeProductos1Click() { Listado(QStringLiteral("CatlogodeProductos1")); }
void TFormaInventario::CostoyValor1Click() { Listado(QStringLiteral("CostoyValor1")); }
void TFormaInventario::ListadePolticas1Click() { Listado(QStringLiteral("ListadePolticas1")); }
void TFormaInventario::ExistenciasyStockMnimo1Click() { Listado(QStringLiteral("ExistenciasyStockMnimo1")); }
void TFormaInventario::ReportedeFaltantes1Click() { Listado(QStringLiteral("ReportedeFaltantes1")); }
void TFormaInventario::MsVendido1Click() { Listado(QStringLiteral("MsVendido1")); }
void TFormaInventario::ExistenciasporFactor1Click() { Listado(QStringLiteral("ExistenciasporFactor1")); }

void TFormaInventario::EmpaquesyCajas1Click() {
  try {
    auto t = ProductosDeVentana(false, false);
    db::Campo& existencia = t->FieldByName(QStringLiteral("EXIST_I"));
    db::Campo& empaque = t->FieldByName(QStringLiteral("UEMPA_I"));
    db::Campo& piezas = t->FieldByName(QStringLiteral("EXIFA_I"));
    for (t->First(); !t->Eof(); t->Next()) {
      const double porEmpaque = empaque.AsFloat();
      if (porEmpaque <= 0) continue;
      // The loose units over the whole packages, with the stock's sign.
      const double sueltas = std::fmod(existencia.AsFloat(), porEmpaque);
      if (!piezas.IsNull() && piezas.AsFloat() == sueltas) continue;
      CambiaFila(*t, kRegistroEnUso, [&] { piezas.SetAsFloat(sueltas); });
    }
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return;
  }
  Listado(QStringLiteral("EmpaquesyCajas1"));
}

void TFormaInventario::Caducidad1Click() {
  const QString titulo = Componente<QAction>(QStringLiteral("Caducidad1"))->text();
  const QString clave = TablaInventario->Active() && !TablaInventario->IsEmpty()
                            ? TablaInventario->FieldByName(QStringLiteral("CLPRO_I")).AsString()
                            : QString();
  CorreGuion(titulo, QStringLiteral("CLPRO_I"),
             GuionCaducidadProducto(titulo, clave));
}

void TFormaInventario::HistoriaComprasyVentas1Click() {
  const QString titulo = Componente<QAction>(QStringLiteral("HistoriaComprasyVentas1"))->text();
  CorreGuion(titulo, QString(), GuionHistoriaProducto(titulo, EditCLPRO_I->text()));
}

// --- The expiry batches of every product.

void TFormaInventario::Caducidad3Click() {
  const QString titulo = Componente<QAction>(QStringLiteral("Caducidad3"))->text();
  CreaTablaCaducidad(CarpetaPrograma, true);
  try {
    auto productos = ProductosDeVentana(true, false);
    const qint64 n = productos->RecordCount();
    const db::Campo& clave = productos->FieldByName(QStringLiteral("CLPRO_I"));
    const db::Campo& existencia = productos->FieldByName(QStringLiteral("EXIST_I"));
    AvanceInventario avance;
    qint64 i = 0;
    for (productos->First(); !productos->Eof(); productos->Next()) {
      const QString k = clave.AsString();
      AgregaCaducidadProducto(CarpetaPrograma, ConsultaLotesProducto(k, true), existencia.AsFloat());
      avance.Ventana().Mensaje2->setText(k);
      ++i;
      avance.Ventana().FijaAvance(static_cast<int>(std::lround(100.0 * double(i) / double(n))));
      avance.Pasa();
    }
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return;
  }

  db::Tabla lotes;
  lotes.SetCarpeta(CarpetaPrograma);
  lotes.SetNombreTabla(QStringLiteral("CADUCIDAD.DBF"));
  try {
    lotes.Open();
    const QString primera = lotes.IsEmpty() ? QString() : lotes.FieldByName(QStringLiteral("CLPRO")).AsString();
    const QString fecha = QStringLiteral("CADUCIDAD");
    EjecutaReporteSQL(titulo, QStringLiteral("CLPRO"), fecha, fecha, primera, lotes,
                      GuionCaducidadTodos(titulo, CarpetaPrograma), 0, QString(), true, u' ');
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
  }
  lotes.Close();
}

// --- The concentrated stock card.

void TFormaInventario::KardexConcentrado1Click() {
  if (!Administrador()) {
    MuestraMensaje(kSoloAdministrador);
    return;
  }
  const QString archivo =
      CarpetaPrograma + QStringLiteral("\\TEMPO\\Kardex") + QString::number(NumeroDeFecha(fs::Hoy())) + ".XLS";
  const db::Carpetas empresa = CarpetasEmpresa();
  QStringList lineas = {QStringLiteral("CLAVE\tENTRADAS\tSALIDAS\tEXISTENCIAS")};
  try {
    auto productos = ProductosDeVentana(true, true);
    const qint64 n = productos->RecordCount();
    // From the product shown to the end of the table, in the window's order.
    if (TablaInventario->Active() && !TablaInventario->IsEmpty()) productos->VeARegistro(TablaInventario->RecNo());
    else productos->First();
    const db::Campo& clave = productos->FieldByName(QStringLiteral("CLPRO_I"));
    const db::Campo& vendido = productos->FieldByName(QStringLiteral("VANCA_I"));
    const db::Campo& existencia = productos->FieldByName(QStringLiteral("EXIST_I"));
    AvanceInventario avance;
    qint64 i = 0;
    for (; !productos->Eof(); productos->Next()) {
      if (vendido.AsFloat() > 0) {
        try {
          const QString k = clave.AsString();
          avance.Ventana().setWindowTitle(k);
          const QString totales = SumaMovimientosKardex(ConsultaExistencia(empresa, k));
          if (!totales.isEmpty())
            lineas << k + u'\t' + totales + u'\t' + FormatoMascara(kMascaraExistencia, existencia.AsFloat());
        } catch (const std::exception&) {
          // A product whose count fails gets no line.
        }
        avance.Pasa();
      }
      // With one product left to count the bar is full at once.
      avance.Ventana().FijaAvance(n > 1 ? static_cast<int>(std::lround(100.0 * double(i) / double(n - 1))) : 100);
      if (i % kRepintaCada == 0) avance.Ventana().repaint();
      ++i;
    }
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return;
  }
  try {
    fs::CreaCarpeta(fs::CarpetaDe(archivo));
    fs::ReescribeLineas(archivo, lineas);
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return;
  }
  AbreHojaCalculo(archivo);
}

// --- Quick queries and the query runner.

void TFormaInventario::ConsultaRapida(const QString& consulta) {
  TFormaConsultaRapida forma(this);
  forma.LabelEncabezado->setText(EditCLPRO_I->text() + QStringLiteral("  ") + EditDSCPR_I->text());
  forma.QueryRap->SetSQL(consulta);
  try {
    forma.QueryRap->Open();
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return;
  }
  forma.ShowModal();
}

void TFormaInventario::Compras1Click() {
  ConsultaRapida(ConsultaComprasProducto(EditCLPRO_I->text()));
}

void TFormaInventario::Ventas1Click() {
  ConsultaRapida(ConsultaVentasProducto(EditCLPRO_I->text()));
}

void TFormaInventario::Movimientos1Click() {
  ConsultaRapida(ConsultaMovimientosProducto(EditCLPRO_I->text()));
}

void TFormaInventario::Personalizar1Click() {
  TFormaConsulta consulta;
  db::Tabla& tabla = *consulta.TablaConsulta;
  ApuntaTabla(tabla, kArchivoProductosGuion);
  AbreTabla(tabla);
  if (tabla.Active()) {
    tabla.First();
    tabla.Last();
    tabla.First();
  }
  consulta.numcampo->setText(QStringLiteral("0"));
  CargaVistasInventario();
  PreparaConsulta(QStringLiteral("inventar.dbf"), QString());
  consulta.ShowModal();
}

void TFormaInventario::CargaVistasInventario() {
  TFormaConsulta* consulta = FormaConsulta();
  if (!consulta) return;
  const QString carpeta = CarpetaListasVistas();
  consulta->CargaListaVistas(carpeta + u'\\' + kListaVistas, carpeta + u'\\' + kCopiaListaVistas);
}

// --- The expiry batches of the product shown.

void TFormaInventario::Caducidad2Click() {
  const double existencia = TablaInventario->Active() && !TablaInventario->IsEmpty()
                                ? TablaInventario->FieldByName(QStringLiteral("EXIST_I")).AsFloat()
                                : 0;
  TFormaCaducidad caducidad(this);
  try {
    caducidad.AnalizaCaducidad(CarpetaPrograma, ConsultaLotesProducto(EditCLPRO_I->text(), false),
                               existencia);
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
  }
}
