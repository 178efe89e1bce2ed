// The purchase window's options and tools: the option items and their
// one-line files of the program folder, the discounts unlocked by password,
// lines imported from a delimited file, the marking of the lines of
// cancelled receipts, the costs taken from the lines ("MI"), the document's
// log, the help page and the calculator.

#include "customers/CuentasCobrar.h"
#include "foundation/adminis.h"
#include "foundation/ayudaMod.h"
#include "foundation/dialogos.h"
#include "foundation/observa.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/Importa.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "pos/CaptuRap_comun.h"
#include "purchasing/CancelaCompra.h"
#include "purchasing/Compras.h"
#include "shell/Principa.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include <memory>

namespace {

const QString kMapaImporta = QStringLiteral("importa_fact.cnf");
const QString kQueCapturaCompras = QStringLiteral("la captura de compras");
constexpr int kColumnaPrecioCliente = 8;

QString Marca(const QAction* a) { return a->isChecked() ? QStringLiteral("S") : QStringLiteral("N"); }

}  // namespace

void TFormaCompras::ConectaOpcionesCompra() {
  for (QAction* a : {QuitarEmpaque1, QuitarEmpaques1, QuitarPrecioCliente1, VentanadeDescuentos1,
                     ReferenciaenCuentaPorPagar1, PorCostoPromedio1, ImportarArchivo1, MantenimientoModulo1, MI1,
                     ChequeodeMovimientos1, Bitacora1, Ayuda2, Calculadora1, Informacion1})
    a->setProperty("pendiente", false);
  ui::Conecta(QuitarEmpaque1, &QAction::triggered, this, [this] { QuitarEmpaqueClick(); });
  ui::Conecta(QuitarEmpaques1, &QAction::triggered, this, [this] { QuitarEmpaqueClick(); });
  ui::Conecta(QuitarPrecioCliente1, &QAction::triggered, this, [this] { QuitarPrecioCliente1Click(); });
  ui::Conecta(VentanadeDescuentos1, &QAction::triggered, this,
              [this] { OpcionUnaLineaClick(VentanadeDescuentos1, QStringLiteral("DescCompra.cnf")); });
  ui::Conecta(ReferenciaenCuentaPorPagar1, &QAction::triggered, this,
              [this] { OpcionUnaLineaClick(ReferenciaenCuentaPorPagar1, QStringLiteral("RefCxP.cnf")); });
  ui::Conecta(PorCostoPromedio1, &QAction::triggered, this, [this] { PorCostoPromedio1Click(); });
  ui::Conecta(BotonDescuento, &QPushButton::clicked, this, [this] { BotonDescuentoClick(); });
  ui::Conecta(ImportarArchivo1, &QAction::triggered, this, [this] { ImportarArchivo1Click(); });
  ui::Conecta(MantenimientoModulo1, &QAction::triggered, this, [this] { MantenimientoModulo1Click(); });
  ui::Conecta(MI1, &QAction::triggered, this, [this] { MI1Click(); });
  ui::Conecta(Bitacora1, &QAction::triggered, this, [this] { Bitacora1Click(); });
  ui::Conecta(Ayuda2, &QAction::triggered, this, [this] { Ayuda2Click(); });
  ui::Conecta(Calculadora1, &QAction::triggered, this, [] { AbreCalculadora(); });
  ui::Conecta(Informacion1, &QAction::triggered, this, [this] { EscribeIndiceAyuda(*MainMenu1, objectName()); });
  // "Chequeo de Movimientos" has no command.
}

// --- Option items.

namespace {

// Rewrites an option file of the program folder whole; a failure is said.
void EscribeOpcion(const QString& archivo, const QStringList& lineas) {
  try {
    fs::ReescribeLineas(CarpetaPrograma(QStringLiteral("\\") + archivo), lineas);
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}

}  // namespace

void TFormaCompras::QuitarEmpaqueClick() {
  try {
    GuardaOpcionesEmpaque();
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}

void TFormaCompras::QuitarPrecioCliente1Click() {
  EscribeOpcion(QStringLiteral("opc_com.cnf"), {Marca(QuitarPrecioCliente1)});
  // Shown again only at the next start.
  Detalle->SetColumnaVisible(kColumnaPrecioCliente, false);
}

void TFormaCompras::OpcionUnaLineaClick(QAction* opcion, const QString& archivo) {
  EscribeOpcion(archivo, {Marca(opcion)});
}

void TFormaCompras::PorCostoPromedio1Click() {
  EscribeOpcion(QStringLiteral("Compras.cnf"),
                PorCostoPromedio1->isChecked() ? QStringList{QStringLiteral("P")} : QStringList{});
}

// --- Discount unlock.

void TFormaCompras::BotonDescuentoClick() {
  int numero = -1;
  {
    auto clave = std::make_unique<TFormaAdministrador>(this);
    clave->Label1->setText(QStringLiteral("Esta Opción Esta Limitada"));
    clave->Label2->setText(QStringLiteral("Introduzca su Clave"));
    clave->ShowModal();
    try {
      numero = ValidaClaveUsuario(clave->Clave->text());
    } catch (const plat::Error& e) {
      MuestraMensaje(e.mensaje());
    }
  }
  if (!TieneDerecho(numero, DerechoDescuentosConClave)) {
    BloqueaDescuentosCompra(true);
    return;
  }
  BloqueaDescuentosCompra(false);
  // The user who unlocked them stays with the document being captured.
  if ((EnAlta() || EnCambio()) && HayEncabezado()) {
    EditaFila(*TablaComprasE);
    TablaComprasE->FieldByName(QStringLiteral("CONTR_O")).SetAsString(QString::number(numero));
  }
  RegistraHistorialCompra(QStringLiteral("DESCUENTO"));
}

// --- Import of lines.

void TFormaCompras::ImportarArchivo1Click() {
  // The lines join the document being captured: while browsing they would
  // be lost at the next "Nuevo".
  if (!(EnAlta() || EnCambio())) return;
  if (!TieneDerecho(NumeroUsuario(), DerechoAltaFacturacion)) return;
  TFormaImportaArchivo dialogo(this);
  const QString mapa = fs::Une(CarpetaLocalCompras, kMapaImporta);
  try {
    if (fs::ExisteArchivo(mapa)) dialogo.MemoConfigurar->setPlainText(fs::LeeLineasCp1252OUtf8(mapa).join(u'\n'));
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return;
  }
  dialogo.LabelRuta->setText(RutaDatosCompras);
  dialogo.Usuario->setText(Usuario->text());
  dialogo.SetTag(0);
  dialogo.ShowModal();
  if (dialogo.Tag() != kImportaAceptado) return;
  const auto leidas = LeeFilasImporta(dialogo, *TablaDeta, kMapaImporta, kQueCapturaCompras);
  if (!leidas) return;
  PostPendiente(*TablaDeta);
  for (const int fila : leidas->filas) {
    TablaDeta->Append();
    try {
      EscribeFilaImporta(dialogo, *leidas, fila);
      TablaDeta->Post();
    } catch (...) {
      TablaDeta->Cancel();
      throw;
    }
    // Entering the columns checks the quantity and completes the line from
    // its product.
    for (int columna = 1; columna <= 4; ++columna) Detalle->SetSelectedIndex(columna);
    PostPendiente(*TablaDeta);
  }
  CalculaTotalesCompra();
}

// --- Maintenance: the lines of cancelled documents marked.

void TFormaCompras::MantenimientoModulo1Click() {
  if (!HayEncabezado() || EnAlta() || EnCambio()) return;
  const qint64 desde = TablaComprasE->FieldByName(QStringLiteral("CLDOC_O")).AsInteger();
  int marcadas = 0;
  try {
    db::Tabla encabezados;
    encabezados.SetCarpeta(TablaComprasE->Carpeta());
    encabezados.SetNombreTabla(TablaComprasE->NombreTabla());
    encabezados.SetIndexName(kTagEncabezadoCompra);
    encabezados.SetReadOnly(true);
    encabezados.Open();
    db::Tabla lineas;
    lineas.SetCarpeta(TablaComprasD->Carpeta());
    lineas.SetNombreTabla(TablaComprasD->NombreTabla());
    lineas.SetIndexName(kTagPartidaCompra);
    lineas.Open();
    EsperaBloqueos(lineas);
    encabezados.FindNearest({desde});
    for (; !encabezados.Eof(); encabezados.Next()) {
      if (encabezados.FieldByName(QStringLiteral("STDOC_O")).AsString() != QStringLiteral("C")) continue;
      marcadas += MarcaPartidasCanceladas(lineas, encabezados.FieldByName(QStringLiteral("CLDOC_O")).AsString(),
                                          encabezados.FieldByName(QStringLiteral("CONTROL")).AsString());
    }
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
  if (marcadas > 0 && TablaComprasD->Active()) TablaComprasD->Refresh();
}

// --- "MI": last and average cost from the lines.

void TFormaCompras::MI1Click() {
  if (!TablaInventario->Active() || !TablaTotalCompra->Active()) return;
  PostPendiente(*TablaDeta);
  TablaInventario->SetIndexName(QStringLiteral("ICLPRO"));
  try {
    db::Tabla& c = *TablaTotalCompra;
    c.Refresh();
    for (c.First(); !c.Eof(); c.Next()) {
      const QString clave = c.FieldByName(QStringLiteral("CLAVE")).AsString();
      if (clave.isEmpty() || !TablaInventario->FindKey({clave})) continue;
      const double precio = c.FieldByName(QStringLiteral("PRECIO")).AsFloat();
      TablaInventario->Edit();
      try {
        TablaInventario->FieldByName(QStringLiteral("ULCOS_I")).SetAsFloat(precio);
        TablaInventario->FieldByName(QStringLiteral("CPROM_I")).SetAsFloat(precio);
        TablaInventario->Post();
      } catch (...) {
        TablaInventario->Cancel();
        throw;
      }
    }
  } catch (const plat::Error&) {
    // An error ends the walk, as the products posted before stay.
  }
}

// --- Log viewer, help.

void TFormaCompras::Bitacora1Click() {
  if (Usuario->text().trimmed() != QStringLiteral("0")) return;
  const QString ruta = ArchivoHistorial(RutaDatosCompras, u'C', EditCLDOC_O->text().trimmed());
  if (!fs::ExisteArchivo(ruta)) return;
  MuestraArchivoBitacora(this, ruta);
}

void TFormaCompras::Ayuda2Click() {
  TFormaAyudaLinea visor(this);
  MuestraAyuda(CarpetaLocalCompras + QStringLiteral("\\ayuda\\compras.rtf"));
}
