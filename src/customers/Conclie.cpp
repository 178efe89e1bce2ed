#include "customers/Conclie.h"

#include "customers/Clientes.h"
#include "customers/Consultas.h"
#include "foundation/buscar.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LugarTablas.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString kPorClave = QStringLiteral("ICLACLI");
const QString kPorNombre = QStringLiteral("NOMBR_C");

// Key and name of the customers whose name contains the text as typed, by
// name.
QString ConsultaPorNombre(const QString& texto) {
  return QStringLiteral("Select CLCLI_C,NOMBR_C  From ") + TablaSQL(QStringLiteral("CLIENTE.dbf")) +
         QStringLiteral(" WHERE NOMBR_C LIKE ") +
         db::LiteralApostrofos(u'%' + db::PatronLike(texto) + u'%') + QLatin1String(db::kEscapeLike) +
         QStringLiteral(" ORDER BY NOMBR_C");
}

}  // namespace

TFormaConClientes::TFormaConClientes(QWidget* owner) : ui::Forma(owner) {
  setObjectName(QStringLiteral("FormaConClientes"));
  setWindowTitle(QStringLiteral("Consulta de Clientes"));
  resize(720, 420);

  TablaCliente = NuevaTablaConsulta(this, "TablaCliente", "Cliente.DBF", kPorClave);
  QueryFiltro = new db::Consulta(this);
  QueryFiltro->setObjectName(QStringLiteral("QueryFiltro"));
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(QueryFiltro);
  DataSource2 = new ui::FuenteDatos(this);
  DataSource2->setObjectName(QStringLiteral("DataSource2"));
  DataSource2->SetDataSet(TablaCliente);

  Detalle = RejillaConsulta(this, "Detalle", DataSource2,
                            {{"CLCLI_C", "Clave"},
                             {"NOMBR_C", "Nombre"},
                             {"DIREC_C", "Direccion"},
                             {"POBLA_C", "Poblacion"},
                             {"RFCXX_C", "R.F.C."},
                             {"CPXXX_C", "Código Postal"}});
  Detalle->setGeometry(8, 8, 704, 340);
  DBNavigator = NavegadorConsulta(this, "DBNavigator", DataSource2);
  DBNavigator->setGeometry(8, 358, 160, 30);

  const auto opcion = [this](const char* nombre, const QString& texto, int x) {
    auto* r = new QRadioButton(texto, this);
    r->setObjectName(QString::fromLatin1(nombre));
    r->setGeometry(x, 362, 120, 22);
    return r;
  };
  PorNombre = opcion("PorNombre", QStringLiteral("Por Nombre F2"), 180);
  PorClave = opcion("PorClave", QStringLiteral("Por Clave F3"), 300);
  Avanzada = opcion("Avanzada", QStringLiteral("Avanzada F4"), 420);
  Avanzada->setChecked(true);
  BotonClientes = new QPushButton(QStringLiteral("Clientes"), this);
  BotonClientes->setObjectName(QStringLiteral("BotonClientes"));
  BotonClientes->setGeometry(612, 358, 100, 30);
  Usuario = new QLabel(QStringLiteral("Usuario"), this);
  Usuario->setObjectName(QStringLiteral("Usuario"));
  Usuario->hide();

  SetKeyPreview(true);
  ui::Conecta(PorNombre, &QRadioButton::clicked, this, [this] { BusquedaRapida(kPorNombre); });
  ui::Conecta(PorClave, &QRadioButton::clicked, this, [this] { BusquedaRapida(kPorClave); });
  ui::Conecta(Avanzada, &QRadioButton::clicked, this, [this] { BusquedaRapida(kPorClave); });
  ui::Conecta(BotonClientes, &QPushButton::clicked, this, [this] { BotonClientesClick(); });
  // A double click accepts: Tag stays as BuscaCliente set it.
  ui::Conecta(&ui::Eventos::De(Detalle), &ui::Eventos::DblClick, this, [this] { Close(); });
}

void TFormaConClientes::FormShow() {
  Detalle->SetFuente(DataSource2);
  Detalle->setFocus(Qt::OtherFocusReason);
}

bool TFormaConClientes::EnRejilla() const { return EnComponente(Detalle); }

void TFormaConClientes::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  switch (tecla) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!EnRejilla()) return;
      SetTag(1);
      Close();
      break;
    case Qt::Key_Escape:
      // Esc in the grid refuses; elsewhere it closes on the current row.
      if (EnRejilla()) SetTag(0);
      Close();
      break;
    case Qt::Key_F2:
      BusquedaRapida(kPorNombre);
      break;
    case Qt::Key_F3:
      BusquedaRapida(kPorClave);
      break;
    case Qt::Key_F4:
      Avanzada->setChecked(true);
      BusquedaAvanzada();
      break;
    default:
      return;
  }
  tecla = 0;
}

std::optional<QString> TFormaConClientes::PideTexto() {
  TFormaBusqueda busqueda;
  busqueda.Clave->hide();
  busqueda.Nombre->hide();
  busqueda.ShowModal();
  // Esc leaves no option chosen: the search was cancelled.
  if (!busqueda.Clave->isChecked() && !busqueda.Nombre->isChecked()) return std::nullopt;
  return busqueda.CajaBuscar->text();
}

void TFormaConClientes::BusquedaRapida(const QString& tag) {
  Detalle->SetFuente(DataSource2);
  TablaCliente->SetIndexName(tag);
  const std::optional<QString> texto = PideTexto();
  Detalle->setFocus(Qt::OtherFocusReason);
  if (!texto || !TablaCliente->Active()) return;
  try {
    TablaCliente->FindNearest({*texto});
  } catch (const plat::Error&) {
    MuestraMensaje(QStringLiteral("Valor no Válido"));
  }
}

void TFormaConClientes::BusquedaAvanzada() {
  const std::optional<QString> texto = PideTexto();
  Detalle->setFocus(Qt::OtherFocusReason);
  if (!texto) return;
  Detalle->SetFuente(DataSource1);
  QueryFiltro->Close();
  QueryFiltro->SetSQL(ConsultaPorNombre(*texto));
  QueryFiltro->Open();
}

void TFormaConClientes::BotonClientesClick() {
  // A catalogue of its own: the one the main menu shows stays as it is.
  TFormaClientes catalogo;
  catalogo.Usuario->setText(Usuario->text());
  if (!TieneDerecho(NumeroDeUsuario(Usuario->text()), DerechoClientes)) return;
  catalogo.ShowModal();
  // Back on the customer the catalogue was showing, new ones included.
  const db::Tabla& mostrado = *catalogo.TablaCliente;
  const qint64 registro = mostrado.Active() && !mostrado.IsEmpty() ? mostrado.RecNo() : 0;
  if (!TablaCliente->Active()) return;
  TablaCliente->Refresh();
  if (registro) TablaCliente->VeARegistro(registro);
}

bool TFormaConClientes::MuestraConsulta() const { return Detalle->Fuente() == DataSource1; }

QString TFormaConClientes::ClaveActual() const { return CampoActual(*Detalle, "CLCLI_C"); }

QString BuscaCliente(const QString& inicio, const QString& usuario) {
  TFormaConClientes forma;
  ApuntaADatos(forma);
  forma.SetTag(1);
  EnClaveCercana(*forma.TablaCliente, inicio);
  forma.Usuario->setText(usuario);
  forma.BotonClientes->show();
  forma.ShowModal();
  const QString clave = forma.Tag() == 1 ? forma.ClaveActual() : inicio;
  forma.Usuario->setText(QStringLiteral("Usuario"));
  return clave;
}
