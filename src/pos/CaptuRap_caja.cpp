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
#include "pos/ImpresionVenta.h"
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
  const std::optional<TRegistroCaja> elegida = ConfiguraCaja(this);
  if (!elegida) return;
  const TRegistroCaja& registro = *elegida;
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
  MuestraMovimientosEfectivo(EditBCLIM_F->text(), tipo, VendedorCaja);
  if (ventana->Tag() != 1) return;
  ImprimeRetiroEfectivo(ventana->TablaRetiros, usuario->text(), RutaDatosVenta);
}
