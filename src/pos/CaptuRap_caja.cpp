// The cash register of the sale screen: "Configurar Caja" (caja.cnf) and the
// cash vouchers of Generar > "Salidas de Efectivo" and "Entradas de
// Efectivo", printed with consulta\retiro.fmt.

#include "customers/ImpresionCatalogo.h"
#include "formats/ImporteLetra.h"
#include "formats/Interprete.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "pos/CaptuRap.h"
#include "pos/Caja.h"
#include "pos/Efectivo.h"
#include "pos/RegistroCaja.h"
#include "pos/SalidasEfectivo.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSpinBox>

#include <memory>

void TFormaCapturaRapida::ConectaCaja() {
  const auto item = [this](const char* nombre) {
    return MainMenu1->findChild<QAction*>(QString::fromLatin1(nombre));
  };
  AsignaComando(item("ConfigurarCaja1"), [this] { ConfigurarCaja1Click(); });
  AsignaComando(item("SalidasdeEfectivo1"), [this] { SalidasdeEfectivo1Click(); });
  AsignaComando(item("EntradasdeEfectivo1"), [this] { EntradasdeEfectivo1Click(); });
}

void TFormaCapturaRapida::ConfigurarCaja1Click() {
  if (usuario->text() != QStringLiteral("0")) {
    MuestraMensaje(QStringLiteral("Esta Opción es Exclusiva del Administrador..."));
    return;
  }
  const QString programa = CarpetaPrograma(QString());
  auto caja = std::make_unique<TFormaCaja>(this);
  caja->Ruta->setText(programa);
  caja->NumeroCaja->clear();
  caja->ShowModal();
  if (caja->Tag() != 1) return;
  const TRegistroCaja registro{caja->NoCaja->text().left(3), caja->ClaveVendedor->text().left(5),
                               caja->Formato->text().left(25)};
  try {
    EscribeCaja(programa, caja->NumeroCaja->value(), registro);
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return;
  }
  CajaActual = registro.Caja;
  VendedorCaja = registro.Vendedor;
  if (!registro.Formato.isEmpty()) FormatoTicket = CarpetaPrograma(QStringLiteral("\\consulta\\")) + registro.Formato;
}

void TFormaCapturaRapida::SalidasdeEfectivo1Click() { MovimientoEfectivo(1); }

void TFormaCapturaRapida::EntradasdeEfectivo1Click() { MovimientoEfectivo(2); }

void TFormaCapturaRapida::MovimientoEfectivo(int tipo) {
  auto ventana = std::make_unique<TFormaSalidasEfectivo>(this);
  if (N011->isChecked()) VendedorCaja = QStringLiteral("01");
  if (N021->isChecked()) VendedorCaja = QStringLiteral("02");
  // Vouchers live beside the kind's shared header table, where the cash
  // cuts read them, also while a sale is being captured on the station's
  // provisional header table.
  MuestraMovimientosEfectivo(CarpetaEncabezadoCompartido(), EditBCLIM_F->text(), tipo, VendedorCaja);
  if (ventana->Tag() != 1) return;
  const QString retiro = CarpetaPrograma(QStringLiteral("\\consulta\\retiro.fmt"));
  if (!fs::ExisteArchivo(retiro)) {
    MuestraMensaje(AvisoFormatoNoExiste(retiro));
    return;
  }
  const QString formato = FormatoTicket;
  FormatoTicket = retiro;
  try {
    PreparaImpresion(true);
    EjecutaFormato(ventana->TablaRetiros, ventana->TablaRetiros, FormatoTicket, u'i');
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
  FormatoTicket = formato;
}
