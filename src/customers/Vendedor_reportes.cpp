// The seller catalogue's reports (the listing and the two commission
// reports, run as report scripts) and its printing through the seller
// format: the seller shown, its preview, a range of sellers, the format
// picker and editor.

#include "customers/ImpresionCatalogo.h"
#include "customers/Vendedor.h"
#include "formats/Interprete.h"
#include "formats/edicion.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas_texto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "reports/Formatos.h"
#include "reports/RepoSQL.h"

#include <QAction>
#include <QLabel>

namespace {

// The table's path between double quotes, as a script's select names it.
QString EntreComillasVendedores(const QString& tabla) { return u'"' + tabla + u'"'; }

}  // namespace

QString GuionListadoVendedores(const QString& titulo, const QString& tabla) {
  return u'$' + titulo + u'\r' +
         QStringLiteral("& Select CLVEN_V,NOMBR_V,TELEF_V,COMIS_V\u00AB from ") + EntreComillasVendedores(tabla) + u'\r' +
         QStringLiteral("?(CLVEN_V=CLVEN_V)\u00BF\r"
                        "!CLVEN_V\r"
                        "%c          c                  c                f             \r"
                        "#VENDEDOR    NOMBRE             TELEFONO        COMISION       \r"
                        "@\r");
}

QString GuionComisiones(const QString& titulo, const QString& tabla, bool concentrado) {
  return u'$' + titulo + u'\r' +
         QStringLiteral("& Select CLVEN_F,NOMBR_F,CLDOC_F,SUBTO_F,SUBTO_F*CTOVE_F*0.01,FEDOC_F\u00AB from ") +
         EntreComillasVendedores(tabla) + u'\r' +
         QStringLiteral("?(CLVEN_F=CLVEN_F OR CLVEN_F IS NULL)  \u00BF\r"
                        "!CLVEN_F,CLDOC_F\r") +
         (concentrado ? QStringLiteral(">CLVEN_F\r") : QString()) +
         QStringLiteral("%c          c                  e              t                t             c             \r"
                        "#VENDEDOR    NOMBRE            DOCUMENTO      SUBTOTAL         COMISION      FECHA_DOC.    \r"
                        "@\r");
}

// --- Reports.

void TFormaVendedor::ListadodeVendedores1Click() {
  const QString titulo = ListadodeVendedores1->text();
  const QString guion = GuionListadoVendedores(titulo, fs::Une(RutaDatosVendedor, TablaVendedor->NombreTabla()));
  EjecutaReporteSQL(titulo, QStringLiteral("CLVEN_V"), QString(), QString(), QString(), *TablaVendedor, guion, 0,
                    QString(), true, u' ');
}

void TFormaVendedor::ComisionesDetallado1Click() { Comisiones(ComisionesDetallado1, false); }

void TFormaVendedor::ComisionesConcentrado1Click() { Comisiones(ComisionesConcentrado1, true); }

void TFormaVendedor::Comisiones(const QAction* item, bool concentrado) {
  const QString titulo = item->text();
  const QString guion =
      GuionComisiones(titulo, fs::Une(RutaDatosVendedor, TablaFactura->NombreTabla()), concentrado);
  const QString fecha = QStringLiteral("FEDOC_F");
  EjecutaReporteSQL(titulo, QStringLiteral("CLDOC_F"), fecha, fecha, QString(), *TablaFactura, guion, 0, QString(),
                    true, u' ');
}

// --- Printing with the seller format.

void TFormaVendedor::ImprimeVendedor(const QString& formato) {
  if (!TablaVendedor->Active()) return;
  if (!fs::ExisteArchivo(formato)) {
    MuestraMensaje(AvisoFormatoNoExiste(formato));
    return;
  }
  ImprimeRegistroCatalogo(*TablaVendedor, formato, Usuario->text());
}

void TFormaVendedor::BotonImprimirClick() {
  if (!ImpresoraLista()) {
    MuestraMensaje(kImpresoraNoLista);
    return;
  }
  ImprimeVendedor(FormatoVendedores);
}

void TFormaVendedor::BotonPreliminarClick() {
  if (!TablaVendedor->Active()) return;
  FijaUsuarioImpresion(Usuario->text());
  // The preview only: printing is the toolbar's business.
  OpcionesVistaPrevia opciones;
  opciones.ofreceImpresion = false;
  ConservaRegistro(*TablaVendedor,
                   [&] { VistaPreviaFormato(TablaVendedor, TablaVendedor, FormatoVendedores, opciones); });
}

void TFormaVendedor::ElegirFormato1Click() {
  QString formato = FormatoVendedores;
  if (!EligeFormato(formato)) return;
  FormatoVendedores = formato;
  ImprimeVendedor(FormatoVendedores);
}

void TFormaVendedor::DisenarFormato1Click() {
  TFormaFormatos dialogo;
  dialogo.Rangos->hide();
  dialogo.Formatos->show();
  dialogo.BotonEdicionClick();
}

void TFormaVendedor::ImprimirRango1Click() {
  if (!TablaVendedor->Active()) return;
  if (ImprimeRangoCatalogo(*TablaVendedor, FormatoVendedores, Usuario->text()) == RangoCatalogo::SinFormato)
    MuestraMensaje(AvisoFormatoNoExiste(FormatoVendedores));
}
