#include "pos/ImpresionVenta.h"

#include "customers/ImpresionCatalogo.h"
#include "formats/ImporteLetra.h"
#include "formats/Interprete.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_texto.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "pos/CaptuRap_comun.h"
#include "pos/DocumentosVenta.h"
#include "pos/Efectivo.h"

namespace {

const QString kMonedaNacional = QStringLiteral("M.N.");

}  // namespace

void PreparaImpresionDocumento(const QString& usuario, const QString& carpetaMonedaVenta) {
  FijaUsuarioImpresion(usuario);
  QString moneda[4];
  for (int i = 0; i < 4; ++i) {
    if (!carpetaMonedaVenta.isEmpty()) moneda[i] = TextoMonedaVenta(carpetaMonedaVenta, kMonedaNacional, i + 1);
    else TextoMoneda(kMonedaNacional, i + 1, moneda[i]);
  }
  FijaTextosMoneda(moneda[0], moneda[1], moneda[2], moneda[3]);
}

void ImprimeConFormato(const QString& formato, db::Dataset* encabezado, db::Dataset* captura,
                       const QString& usuario) {
  if (!ImpresoraLista()) {
    MuestraMensaje(QStringLiteral("La Impresora No Se Encuentra Lista..."));
    return;
  }
  if (!fs::ExisteArchivo(formato)) {
    MuestraMensaje(AvisoFormatoNoExiste(formato));
    return;
  }
  PreparaImpresionDocumento(usuario);
  EjecutaFormato(encabezado, captura, formato, u'i');
}

bool ImprimeYMarcaDocumento(const QString& formato, db::Tabla& encabezado, db::Dataset* captura,
                            const QString& usuario) {
  if (!fs::ExisteArchivo(formato)) {
    MuestraMensaje(AvisoFormatoNoExiste(formato));
    return false;
  }
  try {
    PreparaImpresionDocumento(usuario);
    EjecutaFormato(&encabezado, captura, formato, u'i');
    EditaFila(encabezado);
    encabezado.FieldByName(QStringLiteral("TREGI_F")).SetAsString(kMarcaImpresa);
    encabezado.Post();
  } catch (const plat::Error& e) {
    if (Editando(encabezado)) encabezado.Cancel();
    MuestraMensaje(e.mensaje());
    return false;
  }
  return true;
}

void ImprimeRetiroEfectivo(db::Dataset* retiros, const QString& usuario, const QString& carpetaMonedaVenta) {
  const QString retiro = CarpetaPrograma(QStringLiteral("\\consulta\\retiro.fmt"));
  if (!fs::ExisteArchivo(retiro)) {
    MuestraMensaje(AvisoFormatoNoExiste(retiro));
    return;
  }
  try {
    PreparaImpresionDocumento(usuario, carpetaMonedaVenta);
    EjecutaFormato(retiros, retiros, retiro, u'i');
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}
