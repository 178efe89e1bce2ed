// The small commands of the sale screen: the cash drawer, the calculator,
// the currencies, the list of the day's callers, the station's seller and
// the price calculator of F7.

#include "customers/Clientes.h"
#include "foundation/adminis.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Texto.h"
#include "platform/print/Impresora.h"
#include "platform/process/Procesos.h"
#include "platform/ui/Aplicacion.h"
#include "pos/AsignaVendedor.h"
#include "pos/CalculaxPrecio.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/Telefonica.h"
#include "shell/Divisa.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QToolButton>

#include <memory>

void TFormaCapturaRapida::ConectaDialogos() {
  const auto item = [this](const char* nombre) {
    return MainMenu1->findChild<QAction*>(QString::fromLatin1(nombre));
  };
  AsignaComando(item("AbrirCajn1"), [this] { AbrirCajn1Click(); });
  AsignaComando(item("Calculadora1"), [this] { Calculadora1Click(); });
  AsignaComando(item("Divisas1"), [this] { Divisas1Click(); });
  AsignaComando(item("VerListaTelefnica1"), [this] { VerListaTelefnica1Click(); });
  AsignaComando(item("ConfiguraVendedor1"), [this] { ConfiguraVendedor1Click(); });
}

void TFormaCapturaRapida::AbrirCajn1Click() {
  print::Impresora::Global().TrabajoVacio(QStringLiteral("Abrir Cajón"));
}

void TFormaCapturaRapida::Calculadora1Click() { proc::Ejecuta(QStringLiteral("calc.exe")); }

void TFormaCapturaRapida::Divisas1Click() {
  auto divisas = std::make_unique<TFormaDivisa>(this);
  divisas->ShowModal();
}

void TFormaCapturaRapida::VerListaTelefnica1Click() {
  // A history that cannot be read is told and no list is shown.
  const QStringList llamadas = fs::LeeLineas(ArchivoHistorialLlamadas(fs::Hoy()));
  auto lista = std::make_unique<TFormaTelefonica>(this);
  lista->ListaTelefonica->addItems(llamadas);
  ApuntaTabla(*lista->TablaCliente, QStringLiteral("cliente.dbf"));
  lista->TablaCliente->SetIndexName(QStringLiteral("ICLACLI"));
  lista->TablaCliente->Open();
  lista->ShowModal();
  if (lista->Tag() != 1) return;
  const QString linea = lista->LineaElegida();
  lista.reset();

  BotonNuevoClick();
  if (ui::Tag(BotonNuevo) != 1 && ui::Tag(BotonCambios) != 1) return;
  // An empty list gives a sale with no caller.
  if (linea.isEmpty()) return;
  EditaEncabezado();
  QString clave;
  ElementoComa(linea, 1, clave);
  bool cliente = false;
  try {
    cliente = TablaCliente->FindKey({clave});
  } catch (const plat::Error&) {
    // A number the key field cannot hold is no customer's key.
  }
  if (!cliente) {
    // The catalogue lives for the occasion when the program made none.
    std::unique_ptr<TFormaClientes> propia;
    if (!FormaClientes()) propia = std::make_unique<TFormaClientes>();
    TFormaClientes* clientes = FormaClientes();
    clientes->Usuario->setText(usuario->text());
    clientes->PosicionaCliente(clave, 1);
    clientes->ShowModal();
  }
  if (IntegrarIdentificadorTelefnico1->isChecked()) {
    EditaEncabezado();
    TablaFacturae->FieldByName(QStringLiteral("CLCLI_F")).SetAsString(clave);
  }
}

void TFormaCapturaRapida::ConfiguraVendedor1Click() {
  auto clave = std::make_unique<TFormaAdministrador>(this);
  clave->ShowModal();
  if (clave->Tag() != 1) {
    MuestraMensaje(QStringLiteral("Clave incorrecta..."));
    return;
  }
  clave.reset();
  // Enter or Esc, the text typed is taken.
  auto vendedor = std::make_unique<TFormaAsignaVendedor>(this);
  vendedor->ShowModal();
  VendedorCaja = vendedor->Edit1->text().left(kLargoVendedorCaja);
  EscribeEncabezado(EditCLVEN_F, VendedorCaja);
}

void TFormaCapturaRapida::CalculaPorImporte() {
  auto calculadora = std::make_unique<TFormaCalculaxPrecio>(this);
  calculadora->ShowModal();
  try {
    EditaFila(*TablaDeta);
    TablaDeta->Post();
    CalculaTotales();
  } catch (const std::exception&) {
  }
  // The quantity typed next replaces the one the new line shows.
  if (EditCantidad->hasFocus()) EditCantidad->selectAll();
}
