// The customer catalogue's reports and printing: the four summary reports
// of the report generator, the two listings run as report scripts, the
// saved-query runner with the views of report\Clientes.for, and printing
// through the customer format (the customer shown, its preview, a range of
// customers, the format picker and editor).

#include "customers/Clientes.h"
#include "customers/ImpresionCatalogo.h"
#include "formats/Interprete.h"
#include "formats/edicion.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_texto.h"
#include "platform/db/Tabla.h"
#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "reports/Consulta.h"
#include "reports/Formatos.h"
#include "reports/RepoSQL.h"
#include "reports/ReporteCatalogo.h"
#include "reports/Vistas.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>

#include <array>

namespace {

// The table's path between double quotes, as a script's select names it.
QString EntreComillas(const QString& tabla) { return u'"' + tabla + u'"'; }

// What sets the four summary reports apart.
struct ResumenClientes {
  QAction* TFormaClientes::*item;
  const char* llave;
  const char* tituloLlave;
  const char* tituloTexto;
  std::array<const char*, 3> columnas;
  std::array<const char*, 3> titulos;
  const char* ejeIzquierdo;
  qint16 divisor;
};

const ResumenClientes kResumenes[] = {
    {&TFormaClientes::VentasPorCliente1, "CLCLI_C", "Cliente", "Nombre", {"SALDO_C", "COMPR_C", ""},
     {"Saldos", "Compras Totales", ""}, "Total de Venta", 1},
    {&TFormaClientes::CargosyAbonos1, "CLCLI_C", "Cliente", "-Nombre", {"CARGO_C", "ABONO_C", "SALDO_C"},
     {"Cargos", "Abonos", "Saldos"}, "Saldos", 3},
    {&TFormaClientes::Saldos1, "CLCLI_C", "Cliente", "Nombre", {"SALDO_C", "", ""}, {"Saldos", "Compras Totales", ""},
     "Total de Venta", 1},
    {&TFormaClientes::SaldosPorZona1, "ZONAX_C", "Zona", "Nombre", {"SALDO_C", "", ""}, {"Saldo", "", ""}, "Saldos",
     1},
};

}  // namespace

QString GuionListadoClientes(const QString& titulo, const QString& tabla) {
  return u'$' + titulo + u'\r' +
         QStringLiteral("& Select CLCLI_C,NOMBR_C,TELEF_C,RFCXX_C,POBLA_C,CLCLI_C\u00AB from ") +
         EntreComillas(tabla) + u'\r' +
         QStringLiteral("?(CLCLI_C=CLCLI_C)\u00BF\r"
                        "!CLCLI_C\r"
                        "%c          c                  c               c                c\r"
                        "#CLIENTE    NOMBRE             TELEFONO        R.F.C.           POBLACION          \r"
                        "@\r");
}

QString GuionClienteTelefono(const QString& titulo, const QString& tabla) {
  return u'$' + titulo + u'\r' + QStringLiteral("& Select CLCLI_C,NOMBR_C,TELEF_C from ") + EntreComillas(tabla) +
         u'\r' +
         QStringLiteral("?(CLCLI_C=CLCLI_C)\u00BF\r"
                        "!CLCLI_C\r"
                        "%c          c                  c\r"
                        "#CLIENTE    NOMBRE             TELEFONO       \r"
                        "@\r");
}

// --- The summary reports of the report generator.

void TFormaClientes::ReporteCatalogoClientes(const QAction* item) {
  if (!TablaCliente->Active()) return;
  for (const ResumenClientes& d : kResumenes) {
    if (this->*d.item != item) continue;
    ReporteCatalogo r;
    r.Tabla = QStringLiteral("cliente.dbf");
    r.CampoRango = QStringLiteral("CLCLI_C");
    r.Nombre = item->text();
    r.TituloLlave = QString::fromUtf8(d.tituloLlave);
    r.TituloTexto = QString::fromUtf8(d.tituloTexto);
    r.Llave = QString::fromLatin1(d.llave);
    r.Texto = QStringLiteral("NOMBR_C");
    for (int c = 0; c < 3; ++c) {
      r.Columnas[c] = QString::fromLatin1(d.columnas[c]);
      r.Titulos[c] = QString::fromUtf8(d.titulos[c]);
    }
    r.EjeInferior = QStringLiteral("Clave del Cliente");
    r.EjeIzquierdo = QString::fromUtf8(d.ejeIzquierdo);
    r.Divisor = d.divisor;
    EjecutaReporteCatalogo(*TablaCliente, r);
    return;
  }
}

// --- The listings, run as report scripts.

void TFormaClientes::ListadodeClientes1Click() {
  const QString titulo = ListadodeClientes1->text();
  const QString guion = GuionListadoClientes(titulo, fs::Une(RutaDatosClientes, TablaCliente->NombreTabla()));
  EjecutaReporteSQL(titulo, QStringLiteral("CLCLI_C"), QString(), QString(), QString(), *TablaCliente, guion, 0,
                    QString(), true, u' ');
}

void TFormaClientes::ClienteyTelefono1Click() {
  // The first and last keys are read, though the runner proposes its own.
  if (TablaCliente->Active() && !TablaCliente->IsEmpty()) {
    TablaCliente->First();
    TablaCliente->FieldByName(QStringLiteral("CLCLI_C")).AsString();
    TablaCliente->Last();
    TablaCliente->FieldByName(QStringLiteral("CLCLI_C")).AsString();
  }
  const QString titulo = ClienteyTelefono1->text();
  const QString guion = GuionClienteTelefono(titulo, fs::Une(RutaDatosClientes, TablaCliente->NombreTabla()));
  EjecutaReporteSQL(titulo, QStringLiteral("CLCLI_C"), QString(), QString(), QString(), *TablaCliente, guion, 0,
                    QString(), true, u' ');
}

// --- Saved queries.

void TFormaClientes::ListaVistasClientes(TFormaConsulta& consulta) {
  consulta.CargaListaVistas(fs::Une(RutaDatosClientes, QStringLiteral("report\\") + kListaVistasClientes),
                            fs::Une(RutaDatosClientes, QStringLiteral("report\\Cliente2.for")));
}

void TFormaClientes::Consultas1Click() {
  TFormaConsulta consulta;
  ApuntaTabla(*consulta.TablaConsulta, QStringLiteral("cliente.dbf"));
  AbreTabla(*consulta.TablaConsulta);
  if (consulta.TablaConsulta->Active()) {
    consulta.TablaConsulta->First();
    consulta.TablaConsulta->Last();
    consulta.TablaConsulta->First();
  }
  consulta.numcampo->setText(QStringLiteral("0"));
  ListaVistasClientes(consulta);
  PreparaConsulta(QStringLiteral("cliente.dbf"), QString());
  consulta.ShowModal();
}

// --- Printing with the customer format.

void TFormaClientes::BotonImprimirClick() {
  if (!ImpresoraLista()) {
    MuestraMensaje(QStringLiteral("La Impresora No Se Encuentra Lista..."));
    return;
  }
  if (!TablaCliente->Active()) return;
  if (!fs::ExisteArchivo(FormatoClientes)) {
    MuestraMensaje(AvisoFormatoNoExiste(FormatoClientes));
    return;
  }
  ImprimeRegistroCatalogo(*TablaCliente, FormatoClientes, Usuario->text());
}

void TFormaClientes::BotonPreliminarClick() {
  if (!TablaCliente->Active()) return;
  FijaUsuarioImpresion(Usuario->text());
  ConservaRegistro(*TablaCliente, [&] { VistaPreviaFormato(TablaCliente, TablaCliente, FormatoClientes); });
}

void TFormaClientes::ImprimeRango1Click() {
  if (!TablaCliente->Active()) return;
  // A missing format prints nothing.
  ImprimeRangoCatalogo(*TablaCliente, FormatoClientes, Usuario->text());
  MuestraResumenCliente();
}

void TFormaClientes::EligeFormato1Click() {
  QString formato = FormatoClientes;
  if (EligeFormato(formato, AvisoFormato::Actual)) FormatoClientes = formato;
}

void TFormaClientes::DiseaFormato1Click() {
  TFormaFormatos dialogo;
  dialogo.Rangos->hide();
  dialogo.Formatos->show();
  dialogo.BotonEdicionClick();
}
