#include "pos/PartidasDocumento.h"

#include "foundation/rutinas_fecha.h"
#include "inventory/CamposRegistro.h"
#include "platform/Error.h"
#include "platform/db/Dataset.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Texto.h"
#include "pos/CaptuRap_comun.h"
#include "pos/DocumentosVenta.h"
#include "pos/ImportesVenta.h"

#include <initializer_list>

namespace {

constexpr int kLargoDescripcion = 40;

db::Campo& Campo(const db::Dataset& t, const char* nombre) { return t.FieldByName(QString::fromLatin1(nombre)); }

// The capture field copied into the line field as it is (a blank stays
// blank).
void Copia(db::Dataset& linea, const char* destino, const db::Dataset& captura, const char* origen) {
  Campo(linea, destino).SetValue(Campo(captura, origen).Value());
}

// A group of fields written together: when one of them cannot be written
// every field of the group is left blank.
template <class F>
void Grupo(db::Dataset& linea, std::initializer_list<const char*> campos, F&& escribe) {
  try {
    escribe();
  } catch (const plat::Error&) {
    for (const char* c : campos) Campo(linea, c).Clear();
  }
}

}  // namespace

Dinero PrecioNetoPartida(Dinero precio, double descuento1, double descuento2, double descuento3,
                         double descuentoDocumento) {
  double factor = 1;
  for (const double d : {descuento1, descuento2, descuento3, descuentoDocumento}) factor *= 1 - d / 100;
  return precio * factor;
}

bool PartidaSeEscribe(const db::Dataset& captura) {
  return Campo(captura, "CANTIDAD").AsFloat() > 0 && !Campo(captura, "CLAVE").AsString().isEmpty() &&
         !Campo(captura, "PRODUCTO").AsString().isEmpty();
}

void LlenaPartidaDocumento(db::Dataset& linea, const db::Dataset& captura, const DatosPartidaDocumento& datos) {
  const Dinero precio = registro::LeeImporte(Campo(captura, "PRECIO")).value_or(Dinero());
  const double cantidad = Campo(captura, "CANTIDAD").AsFloat();
  Campo(linea, "CLDOC_FD").SetAsString(datos.numero);
  Campo(linea, "CONTROL").SetAsInteger(datos.control);
  Copia(linea, "CLPRO_FD", captura, "CLAVE");
  Copia(linea, "CANTI_FD", captura, "CANTIDAD");
  Copia(linea, "PENDI_FD", captura, "TARA");
  Copia(linea, "DEPRO_FD", captura, "PRODUCTO");
  Copia(linea, "PUNPR_FD", captura, "PRECIO");
  Grupo(linea, {"PREDE_FD"}, [&] {
    registro::Escribe(Campo(linea, "PREDE_FD"),
                      std::optional(PrecioNetoPartida(precio, Campo(captura, "DESCUENTO").AsFloat(),
                                                      Campo(captura, "DESCUENTO2").AsFloat(),
                                                      Campo(captura, "DESCUENTO3").AsFloat(),
                                                      datos.descuentoDocumento)));
  });
  registro::Escribe(Campo(linea, "IMPOR_FD"), std::optional(precio * cantidad));
  Copia(linea, "COPRO_FD", captura, "COSTO");
  Copia(linea, "PDES1_FD", captura, "DESCUENTO");
  Copia(linea, "UNIDA_FD", captura, "UNIDAD");
  Campo(linea, "FEDOC_FD").SetAsDate(datos.fecha);
  Copia(linea, "PIVA1_FD", captura, "IMPUESTO");
  Copia(linea, "FPGCX_FD", captura, "FPGC");
  Copia(linea, "IEPS1_FD", captura, "IEPS1");
  if (!datos.conversion.isEmpty()) Campo(linea, "TDOCU_FD").SetAsString(datos.conversion);
  Grupo(linea, {"TICAM_FD", "PIVA2_FD"}, [&] {
    Copia(linea, "TICAM_FD", captura, "EMPAQUE");
    Copia(linea, "PIVA2_FD", captura, "FACTOR");
  });
  Grupo(linea, {"FECHA", "TIPOX_FD", "HORAF_F", "NOMDI_FD", "USUARIO", "INICIAL", "FINAL", "PCOMI_FD"}, [&] {
    if (datos.fecha.isValid()) Campo(linea, "FECHA").SetAsInteger(SelloFecha(datos.fecha));
    Copia(linea, "TIPOX_FD", captura, "TIPO");
    Campo(linea, "HORAF_F").SetAsInteger(datos.usuario);
    Copia(linea, "NOMDI_FD", captura, "PROVEEDOR");
    Campo(linea, "USUARIO").SetAsString(datos.usuarioTexto);
    Copia(linea, "INICIAL", captura, "INICIAL");
    Copia(linea, "FINAL", captura, "FINAL");
    Campo(linea, "PCOMI_FD").SetAsString(QStringLiteral("1"));
  });
}

void LlenaCapturaDePartida(db::Dataset& captura, const db::Dataset& linea) {
  Copia(captura, "CANTIDAD", linea, "CANTI_FD");
  Copia(captura, "TARA", linea, "PENDI_FD");
  Copia(captura, "CLAVE", linea, "CLPRO_FD");
  Copia(captura, "PRODUCTO", linea, "DEPRO_FD");
  Copia(captura, "UNIDAD", linea, "UNIDA_FD");
  Copia(captura, "PRECIO", linea, "PUNPR_FD");
  Copia(captura, "COSTO", linea, "COPRO_FD");
  Copia(captura, "DESCUENTO", linea, "PDES1_FD");
  const Dinero precio = registro::LeeImporte(Campo(linea, "PUNPR_FD")).value_or(Dinero());
  registro::Escribe(Campo(captura, "IMPORTE"),
                    std::optional(ImporteLinea(Campo(linea, "CANTI_FD").AsFloat(), precio,
                                               Campo(linea, "PDES1_FD").AsFloat())));
  Copia(captura, "IMPUESTO", linea, "PIVA1_FD");
  Copia(captura, "FACTOR", linea, "PIVA2_FD");
  Copia(captura, "FPGC", linea, "FPGCX_FD");
  Copia(captura, "EMPAQUE", linea, "TICAM_FD");
  Copia(captura, "TIPO", linea, "TIPOX_FD");
  if (Campo(linea, "IEPS1_FD").AsFloat() > 0) Copia(captura, "IEPS1", linea, "IEPS1_FD");
}

int CargaPartidasDeControl(db::Tabla& lineas, db::Dataset& captura, qint64 numero, qint64 control,
                           bool componentes) {
  const QString clave = QString::number(numero);
  lineas.SetRange({clave}, {clave});
  if (lineas.IsEmpty()) return 0;
  db::Campo& controlLinea = lineas.FieldByName(QStringLiteral("CONTROL"));
  db::Campo& tipo = lineas.FieldByName(QStringLiteral("TIPOX_FD"));
  int cargadas = 0;
  for (lineas.Last(); !lineas.Bof(); lineas.Prior()) {
    if (controlLinea.AsInteger() != control || (!componentes && tipo.AsString() == u"X")) continue;
    captura.Insert();
    try {
      LlenaCapturaDePartida(captura, lineas);
      captura.Post();
    } catch (...) {
      captura.Cancel();
      throw;
    }
    ++cargadas;
  }
  return cargadas;
}

QString QuitaAcentos(const QString& texto) {
  const QString pagina = fs::DeCp1252(fs::ACp1252(texto));
  QString base;
  base.reserve(pagina.size());
  for (const QChar c : pagina) {
    const QString descompuesto = QString(c).normalized(QString::NormalizationForm_D);
    base += descompuesto.isEmpty() ? c : descompuesto.at(0);
  }
  return fs::DeCp1252(fs::ACp1252(base));
}

bool DescripcionCorresponde(const QString& capturada, const QString& delProducto) {
  return QuitaAcentos(capturada).left(kLargoDescripcion) == QuitaAcentos(delProducto).left(kLargoDescripcion);
}

void MarcaPartidas(db::Tabla& lineas, const QString& numero, const QString& marca) {
  lineas.SetRange({numero}, {numero});
  for (lineas.First(); !lineas.Eof(); lineas.Next()) {
    if (lineas.FieldByName(QStringLiteral("TREGI_FD")).AsString() == kMarcaLineaCancelada) continue;
    lineas.Edit();
    try {
      lineas.FieldByName(QStringLiteral("TREGI_FD")).SetAsString(marca);
      lineas.Post();
    } catch (...) {
      if (lineas.State() != db::Dataset::Estado::Navegando) lineas.Cancel();
      throw;
    }
  }
}

void MarcaPartidasCanceladas(db::Tabla& lineas, const QString& numero) {
  MarcaPartidas(lineas, numero, kMarcaLineaCancelada);
}

bool MarcaRemisionFacturada(db::Tabla& remisiones, qint64 numero, const QString& marca) {
  if (!remisiones.FindKey({numero})) return false;
  remisiones.Edit();
  try {
    remisiones.FieldByName(QStringLiteral("REMIS_F")).SetAsString(marca);
    remisiones.Post();
  } catch (...) {
    if (Editando(remisiones)) remisiones.Cancel();
    throw;
  }
  return true;
}
