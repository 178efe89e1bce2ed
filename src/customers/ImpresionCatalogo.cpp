#include "customers/ImpresionCatalogo.h"

#include "formats/Interprete.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "reports/DialogoImprimir.h"

#include <QLineEdit>

QString AvisoFormatoNoExiste(const QString& formato) {
  return QStringLiteral("El Formato ") + formato + QStringLiteral(" No Existe");
}

void ConservaRegistro(db::Tabla& tabla, const std::function<void()>& imprime) {
  const qint64 registro = tabla.RecNo();
  imprime();
  if (registro) tabla.VeARegistro(registro);
}

void ImprimeRegistroCatalogo(db::Tabla& tabla, const QString& formato, const QString& usuario) {
  FijaUsuarioImpresion(usuario);
  ConservaRegistro(tabla, [&] { EjecutaFormato(&tabla, &tabla, formato, u'i'); });
}

RangoCatalogo ImprimeRangoCatalogo(db::Tabla& tabla, const QString& formato, const QString& usuario) {
  TDialogoImprimir rango;
  rango.ShowModal();
  if (rango.Tag() != 1) return RangoCatalogo::Cancelado;
  if (!fs::ExisteArchivo(formato)) return RangoCatalogo::SinFormato;
  const qint64 registro = tabla.RecNo();
  tabla.SetRange({rango.PrimeraPagina->text()}, {rango.UltimaPagina->text()});
  try {
    for (tabla.First(); !tabla.Eof(); tabla.Next()) ImprimeRegistroCatalogo(tabla, formato, usuario);
  } catch (...) {
    tabla.CancelRange();
    if (registro) tabla.VeARegistro(registro);
    throw;
  }
  tabla.CancelRange();
  if (registro) tabla.VeARegistro(registro);
  return RangoCatalogo::Impreso;
}
