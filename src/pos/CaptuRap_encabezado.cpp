// The customer and the seller of the header on the sale screen: their
// fields, the debts check, the customer assigned to a shown document.

#include "customers/CONVEN.h"
#include "customers/Conclie.h"
#include "foundation/BotonEsquinado.h"
#include "foundation/dialogos.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/Corte.h"
#include "pos/ListaSQL.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

namespace {

const QString kClienteMostrador = QStringLiteral("1");

// Copies fields of the current row of `origen` into the edit buffer of
// `destino`, in pairs (destination, origin).
void CopiaCampos(db::Dataset& destino, const db::Dataset& origen,
                 std::initializer_list<std::pair<const char*, const char*>> campos) {
  for (const auto& [a, de] : campos)
    destino.FieldByName(QString::fromLatin1(a)).SetValue(origen.FieldByName(QString::fromLatin1(de)).Value());
}

}  // namespace

void TFormaCapturaRapida::ConectaEncabezado() {
  ui::Eventos& cliente = ui::Eventos::De(EditCLCLI_F);
  ui::Conecta(&cliente, &ui::Eventos::Enter, this, [this] { EditCLCLI_FEnter(); });
  ui::Conecta(&cliente, &ui::Eventos::Exit, this, [this] { EditCLCLI_FExit(); });
  ui::Conecta(&cliente, &ui::Eventos::KeyDown, this,
              [this](int& tecla, Qt::KeyboardModifiers) { EditCLCLI_FKeyDown(tecla); });
  ui::Eventos& vendedor = ui::Eventos::De(EditCLVEN_F);
  ui::Conecta(&vendedor, &ui::Eventos::Enter, this, [this] { EditCLVEN_FEnter(); });
  ui::Conecta(&vendedor, &ui::Eventos::Exit, this, [this] { EditCLVEN_FExit(); });
  ui::Conecta(&vendedor, &ui::Eventos::KeyDown, this,
              [this](int& tecla, Qt::KeyboardModifiers) { EditCLVEN_FKeyDown(tecla); });

  for (QObject* nuevo :
       {static_cast<QObject*>(Nuevo1), static_cast<QObject*>(BotonNuevaVenta), static_cast<QObject*>(BotonRedondo1)})
    AsignaComando(nuevo, [this] { BotonNuevoClick(); });
  ui::Conecta(BotonNuevo, &QToolButton::clicked, this, [this] { BotonNuevoClick(); });
  AsignaComando(MainMenu1->findChild<QAction*>(QStringLiteral("AsignarCliente1")),
                [this] { AsignaClienteDocumento(); });
}

// --- The customer.

void TFormaCapturaRapida::EditCLCLI_FEnter() {
  // An empty customer is the counter customer.
  if (EditCLCLI_F->text().isEmpty()) {
    EditaEncabezado();
    TablaFacturae->FieldByName(QStringLiteral("CLCLI_F")).SetAsString(kClienteMostrador);
  }
  EditCLCLI_F->selectAll();
}

void TFormaCapturaRapida::EditCLCLI_FKeyDown(int& tecla) {
  if (tecla != Qt::Key_F2) return;
  tecla = 0;
  EditaEncabezado();
  const QString clave = BuscaCliente(EditCLCLI_F->text(), usuario->text());
  TablaFacturae->FieldByName(QStringLiteral("CLCLI_F")).SetAsString(clave);
  EditCLCLI_F->setFocus(Qt::OtherFocusReason);
}

void TFormaCapturaRapida::EditCLCLI_FExit() {
  const QString clave = EditCLCLI_F->text();
  // The counter customer (an empty field stands for it) is never checked.
  if (Conf.BloqueaPorAdeudos && clave != kClienteMostrador && !clave.isEmpty() && AdeudosCliente(clave) > 1) {
    EditCLCLI_F->setFocus(Qt::OtherFocusReason);
    return;
  }
  if (!TablaCliente->Active()) return;
  TablaCliente->First();
  if (!TablaCliente->FindKey({clave})) return;
  const auto cliente = [this](const char* nombre) -> const db::Campo& {
    return TablaCliente->FieldByName(QString::fromLatin1(nombre));
  };
  Nombre->setText(cliente("NOMBR_C").AsString());
  Direccion->setText(cliente("DIREC_C").AsString());
  Direc2->setText(cliente("DIRE2_C").AsString());
  Poblacion->setText(cliente("POBLA_C").AsString());
  RFC->setText(cliente("RFCXX_C").AsString());
  CodigoPostal->setText(cliente("CPXXX_C").AsString());
  EditaEncabezado();
  CopiaCampos(*TablaFacturae, *TablaCliente, {{"CONDI_F", "DCRED_C"}, {"ESTAD_F", "ESTAD_C"}, {"PAISX_F", "PAISX_C"}});
  const QDate fecha = QDate::fromString(EditFEDOC_F->text(), QStringLiteral("dd/MM/yyyy"));
  if (!cliente("DCRED_C").IsNull() && fecha.isValid())
    TablaFacturae->FieldByName(QStringLiteral("FEVEN_F")).SetAsDate(fecha.addDays(cliente("DCRED_C").AsInteger()));
  const qint64 lista = cliente("PREPR_C").AsInteger();
  ListaPrecioCliente = lista < 1 ? 0 : static_cast<int>(lista);
  if (cliente("STATU_C").AsString() == QStringLiteral("I")) {
    MuestraMensaje(QStringLiteral("Cliente Inactivo, tiene que modificar esta clave..."));
    EditCLCLI_F->setFocus(Qt::OtherFocusReason);
  }
}

int TFormaCapturaRapida::AdeudosCliente(const QString& clave) {
  TFormaListaSQL lista;
  // Blank is null: an active remission has no status at all.
  lista.QueryLista->SetSQL(QStringLiteral("Select CLDOC_F,CLCLI_F,IMTOD_F,ABONO_F,SALDO_F,FEDOC_F From ") +
                           TablaSQL(QStringLiteral("Remision.dbf")) +
                           QStringLiteral(" where (STATU_F<>\"C\" OR STATU_F IS NULL) and CLCLI_F=") +
                           db::LiteralComillas(clave));
  lista.QueryLista->Open();
  const int adeudos = static_cast<int>(lista.QueryLista->RecordCount());
  if (adeudos > 1) lista.ShowModal();
  return adeudos;
}

void TFormaCapturaRapida::AsignaClienteDocumento() {
  EditaEncabezado();
  const QString clave = BuscaCliente(EditCLCLI_F->text(), usuario->text());
  TablaFacturae->FieldByName(QStringLiteral("CLCLI_F")).SetAsString(clave);
  if (TablaCliente->Active() && TablaCliente->FindKey({clave}))
    CopiaCampos(*TablaFacturae, *TablaCliente,
                {{"NOMBR_F", "NOMBR_C"},
                 {"DIREC_F", "DIREC_C"},
                 {"DIRE2_F", "DIRE2_C"},
                 {"POBLA_F", "POBLA_C"},
                 {"RFCXX_F", "RFCXX_C"},
                 {"CPXXX_F", "CPXXX_C"},
                 {"ESTAD_F", "ESTAD_C"},
                 {"PAISX_F", "PAISX_C"}});
  TablaFacturae->Post();
}

void TFormaCapturaRapida::CompletaEstadoPais() {
  const auto vacio = [this](const char* nombre) {
    return TablaFacturae->FieldByName(QString::fromLatin1(nombre)).IsNull();
  };
  if (!vacio("ESTAD_F") && !vacio("PAISX_F")) return;
  if (!TablaCliente->Active() || TablaCliente->IsEmpty()) return;
  EditaEncabezado();
  CopiaCampos(*TablaFacturae, *TablaCliente, {{"ESTAD_F", "ESTAD_C"}, {"PAISX_F", "PAISX_C"}});
  TablaFacturae->Post();
}

// --- The seller.

void TFormaCapturaRapida::EditCLVEN_FEnter() {
  // The register's seller, unless the seller is hidden.
  if (OcultarVendedor1->isChecked()) return;
  EditaEncabezado();
  TablaFacturae->FieldByName(QStringLiteral("CLVEN_F")).SetAsString(VendedorCaja);
}

void TFormaCapturaRapida::EditCLVEN_FKeyDown(int& tecla) {
  if (TablaVendedores->Active()) {
    try {
      TablaVendedores->FindNearest({EditCLVEN_F->text()});
    } catch (const plat::Error&) {
    }
  }
  if (tecla != Qt::Key_F2 || OcultarVendedor1->isChecked()) return;
  tecla = 0;
  EditaEncabezado();
  const QString clave = BuscaVendedor(EditCLVEN_F->text());
  TablaFacturae->FieldByName(QStringLiteral("CLVEN_F")).SetAsString(clave);
  EditCLVEN_F->setFocus(Qt::OtherFocusReason);
}

void TFormaCapturaRapida::EditCLVEN_FExit() {
  const bool existe = TablaVendedores->Active() && TablaVendedores->FindKey({EditCLVEN_F->text()});
  if (existe) LabelVendedor->setText(TablaVendedores->FieldByName(QStringLiteral("NOMBR_V")).AsString());
  const auto estado = TablaFacturae->State();
  if (estado != db::Dataset::Estado::Editando && estado != db::Dataset::Estado::Insertando) return;
  if (existe) {
    TablaFacturae->FieldByName(QStringLiteral("CTOVE_F"))
        .SetValue(TablaVendedores->FieldByName(QStringLiteral("COMIS_V")).Value());
    IniciaCaptura();
  } else if (OcultarVendedor1->isChecked()) {
    MuestraMensaje(QStringLiteral("El Vendedor no Existe"));
    TablaFacturae->FieldByName(QStringLiteral("CLVEN_F")).Clear();
    EditCLVEN_F->setFocus(Qt::OtherFocusReason);
  }
}
