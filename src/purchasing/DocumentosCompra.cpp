#include "purchasing/DocumentosCompra.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas_numero.h"
#include "inventory/CamposRegistro.h"
#include "inventory/FormulaCosto.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "pos/DocumentosVenta.h"
#include "pos/ImportesVenta.h"
#include "pos/NumeroFinal.h"
#include "pos/TablaCaptura.h"
#include "shell/LugarTablas.h"


namespace {

const TipoCompra kTipos[] = {
    {kRecepcion, u'R', QStringLiteral("ComprasE.dbf"), QStringLiteral("ComprasD.dbf")},
    {kOrdenCompra, u'O', QStringLiteral("OrdenCom.dbf"), QStringLiteral("OrdenDet.dbf")},
    {kDevolucionCompra, u'D', QStringLiteral("DevolCom.DBF"), QStringLiteral("DevolDet.dbf")},
};

const QString kCampoNumero = QStringLiteral("CLDOC_O");
const QString kControl = QStringLiteral("CONTROL");
constexpr int kFilasBuscadas = 10;

double RealDocumentos(const db::Dataset& d, const char* campo) { return d.FieldByName(QString::fromLatin1(campo)).AsFloat(); }

// PRECIO less the three discounts of the current capture row.
double PrecioNeto(const db::Dataset& c) {
  return RealDocumentos(c, "PRECIO") * (1 - RealDocumentos(c, "DESCUENTO") * 0.01) * (1 - RealDocumentos(c, "DESCUENTO2") * 0.01) *
         (1 - RealDocumentos(c, "DESCUENTO3") * 0.01);
}

void AgregaPartida(db::Dataset& captura, double cantidad, const QString& clave) {
  captura.Append();
  try {
    captura.FieldByName(QStringLiteral("CANTIDAD")).SetAsFloat(cantidad);
    captura.FieldByName(QStringLiteral("CLAVE")).SetAsString(clave);
    captura.Post();
  } catch (...) {
    captura.Cancel();
    throw;
  }
}

// One capture row per product of the supplier whose `cantidad` is above 0.
int GeneraPorLimite(db::Tabla& productos, db::Dataset& captura, const QString& proveedor,
                    const std::function<double(const db::Dataset&)>& cantidad) {
  int agregadas = 0;
  for (productos.First(); !productos.Eof(); productos.Next()) {
    if (productos.FieldByName(QStringLiteral("CLPR1_I")).AsString() != proveedor) continue;
    const double falta = cantidad(productos);
    if (falta <= 0) continue;
    AgregaPartida(captura, falta, productos.FieldByName(QStringLiteral("CLPRO_I")).AsString());
    ++agregadas;
  }
  return agregadas;
}

}  // namespace

void CopiaEncabezadoSinNumero(const db::Dataset& origen, db::Dataset& destino) {
  for (int i = 0; i < origen.FieldCount(); ++i) {
    const db::Campo& campo = origen.Fields(i);
    if (campo.Nombre().toUpper() == kCampoNumero) continue;
    db::Campo* otro = destino.FindField(campo.Nombre());
    if (!otro) continue;
    try {
      if (campo.IsNull()) otro->Clear();
      else otro->SetAsString(campo.AsString());
    } catch (const plat::Error&) {
    }
  }
}

const TipoCompra* TipoCompraDe(QChar letra) {
  for (const TipoCompra& t : kTipos)
    if (t.letra == letra.toUpper()) return &t;
  return nullptr;
}

const TipoCompra* TipoCompraDe(const QString& texto) {
  for (const TipoCompra& t : kTipos)
    if (t.texto == texto) return &t;
  return nullptr;
}

QChar LetraMovimientoCompra(const QString& texto) {
  const QChar letra = texto.isEmpty() ? QChar() : texto[0];
  if (letra == u'R') return u'O';
  if (letra == u'D') return u'P';
  return letra;
}

int NumeroControlCompra() { return NumeroControl(); }

void LeeFoliosCompra(const QString& carpetaDatos, FoliosCompra& folios) {
  const QString ruta = fs::Une(carpetaDatos, kArchivoFoliosCompra);
  try {
    if (!fs::ExisteArchivo(ruta)) {
      fs::ReescribeLineas(ruta, {QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"),
                                 QStringLiteral("0"), QStringLiteral("0")});
      folios = {1, 0};
      return;
    }
    const QStringList lineas = fs::LeeLineas(ruta);
    qint64 valores[3] = {};
    for (int i = 0; i < 3; ++i) {
      bool entero = false;
      valores[i] = lineas.value(i).trimmed().toLongLong(&entero);
      if (!entero) throw plat::Error(plat::Clase::Conversion, ruta);
    }
    folios = {valores[0] - 1, valores[1]};
  } catch (const plat::Error&) {
    MuestraMensaje(kErrorFoliosCompra);
  }
}

void NumeraEncabezadoCompra(db::Tabla& encabezado, qint64 desplazamiento) {
  if (encabezado.IsEmpty() || encabezado.FieldByName(kCampoNumero).AsInteger() != 0) return;
  encabezado.SetIndexName(QString());
  try {
    encabezado.Edit();
    encabezado.FieldByName(kCampoNumero).SetAsInteger(encabezado.RecNo() + desplazamiento);
    encabezado.Post();
  } catch (...) {
    if (encabezado.State() != db::Dataset::Estado::Navegando) encabezado.Cancel();
    encabezado.SetIndexName(kTagEncabezadoCompra);
    throw;
  }
  encabezado.SetIndexName(kTagEncabezadoCompra);
}

void CreaEncabezadoLocalCompra(db::Tabla& encabezado, const QString& carpetaPrograma, const QString& archivo) {
  CreaEncabezadoTemporal(encabezado, carpetaPrograma, archivo, 1, archivo);
  encabezado.SetIndexName(kTagEncabezadoCompra);
}

qint64 AsignaNumeroFinalCompra(db::Tabla& encabezado, const QString& carpetaDatos, const QString& archivo) {
  if (encabezado.State() == db::Dataset::Estado::Navegando) encabezado.Edit();
  encabezado.Post();
  const qint64 numero = encabezado.FieldByName(kCampoNumero).AsInteger();
  const qint64 control = encabezado.FieldByName(kControl).AsInteger();
  const QString carpetaLocal = encabezado.Carpeta();
  const QString archivoLocal = encabezado.NombreTabla();
  const qint64 registroLocal = encabezado.RecNo();

  // The provisional row found again by its control among the rows of its
  // number (a template holding rows of that number too is passed over).
  db::Tabla provisional;
  provisional.SetCarpeta(carpetaLocal);
  provisional.SetNombreTabla(archivoLocal);
  provisional.SetIndexName(kTagEncabezadoCompra);
  provisional.SetReadOnly(true);
  provisional.Open();
  provisional.SetRange({numero}, {numero});
  for (int i = 0; i < kFilasBuscadas && !provisional.Eof() &&
                  provisional.FieldByName(kControl).AsInteger() != control;
       ++i)
    provisional.Next();

  encabezado.Close();
  try {
    encabezado.SetCarpeta(carpetaDatos);
    encabezado.SetNombreTabla(archivo);
    encabezado.SetIndexName(kTagEncabezadoCompra);
    encabezado.Open();
    return AgregaConSiguienteNumero(encabezado, kCampoNumero, [&](qint64 siguiente) {
      encabezado.Append();
      try {
        CopiaEncabezadoSinNumero(provisional, encabezado);
        encabezado.FieldByName(kCampoNumero).SetAsInteger(siguiente);
        encabezado.Post();
      } catch (...) {
        encabezado.Cancel();
        throw;
      }
      return siguiente;
    });
  } catch (...) {
    // Back to the document being captured: nothing of it is lost.
    encabezado.Close();
    encabezado.SetCarpeta(carpetaLocal);
    encabezado.SetNombreTabla(archivoLocal);
    encabezado.SetIndexName(kTagEncabezadoCompra);
    try {
      encabezado.Open();
      encabezado.VeARegistro(registroLocal);
    } catch (const plat::Error&) {
    }
    throw;
  }
}

bool ReferenciaCompraUsada(const QString& referencia, qint64 excepto) {
  db::Consulta consulta;
  consulta.SetSQL(QStringLiteral("Select REFER_O from  ") + TablaSQL(QStringLiteral("ComprasE.dbf")) +
                  QStringLiteral(" where REFER_O=") + db::LiteralComillas(referencia) +
                  (excepto > 0 ? QStringLiteral(" and CLDOC_O<>") + QString::number(excepto) : QString()));
  consulta.Open();
  return !consulta.IsEmpty();
}

TotalesCompra CalculaTotalesCompra(db::Dataset& captura, const ReglasTotalesCompra& reglas,
                                   const std::function<void()>& porPartida) {
  TotalesCompra t;
  Dinero subtotal;
  double impuesto = 0;
  db::Campo& importe = captura.FieldByName(QStringLiteral("IMPORTE"));
  for (captura.First(); !captura.Eof(); captura.Next()) {
    const Dinero monto = Dinero::DeReal(PrecioNeto(captura) * RealDocumentos(captura, "CANTIDAD"));
    if (registro::LeeImporte(importe) != monto) {
      captura.Edit();
      try {
        registro::Escribe(importe, std::optional(monto));
        captura.Post();
      } catch (...) {
        captura.Cancel();
        throw;
      }
    }
    subtotal += monto;
    const double tasa = RealDocumentos(captura, "IMPUESTO");
    if (reglas.impuestosIncluidos && !reglas.noDesglosado) impuesto += ImpuestoIncluido(monto.Real(), tasa);
    if (reglas.noDesglosado) impuesto += monto.Real() * tasa * 0.01;
    if (porPartida) porPartida();
    ++t.Partidas;
  }
  t.DescuentoDocumentoCompra = PorcentajeACentavos(subtotal, reglas.descuentoDocumento);
  subtotal = (subtotal - t.DescuentoDocumentoCompra).Redondeada(2);
  if (reglas.impuestosIncluidos && !reglas.noDesglosado && reglas.tasaEncabezado == 0) {
    subtotal = Dinero::DeReal(subtotal.Real() - impuesto);
    t.ImpuestoCompra = ACentavos(impuesto);
  } else if (!reglas.noDesglosado) {
    t.ImpuestoCompra = PorcentajeACentavos(subtotal, reglas.tasa);
  } else {
    t.ImpuestoCompra = ACentavos(impuesto);
  }
  t.TotalCompra = (subtotal + t.ImpuestoCompra).Redondeada(2);
  t.DescuentoFinancieroCompra = -PorcentajeACentavos(t.TotalCompra, reglas.descuentoFinanciero);
  t.TotalCompra += t.DescuentoFinancieroCompra;
  t.SubtotalCompra = subtotal + t.DescuentoDocumentoCompra + t.DescuentoFinancieroCompra;
  return t;
}

double CostoNetoPartida(const db::Dataset& captura, double descuentoDocumento) {
  return PrecioNeto(captura) * (1 - descuentoDocumento / 100);
}

void CalculaPrecioCliente(db::Dataset& captura, double descuentoDocumento, double tasa) {
  const double precio =
      CostoNetoPartida(captura, descuentoDocumento) * (1 + tasa / 100) * (1 + RealDocumentos(captura, "PCON_IVA") / 100);
  if (captura.State() == db::Dataset::Estado::Navegando) captura.Edit();
  try {
    captura.FieldByName(QStringLiteral("PRECIOCLIENTE")).SetAsString(FormatoMascara(QStringLiteral("#####0.00"), precio));
    captura.Post();
  } catch (...) {
    captura.Cancel();
    throw;
  }
}

int GeneraOrdenPorMaximo(db::Tabla& productos, db::Dataset& captura, const QString& proveedor) {
  return GeneraPorLimite(productos, captura, proveedor,
                         [](const db::Dataset& p) { return RealDocumentos(p, "STMAX_I") - RealDocumentos(p, "EXIST_I"); });
}

int GeneraCompraSugerida(db::Tabla& productos, db::Dataset& captura, const QString& proveedor) {
  return GeneraPorLimite(productos, captura, proveedor,
                         [](const db::Dataset& p) { return RealDocumentos(p, "STMIN_I") - RealDocumentos(p, "EXIST_I"); });
}

double EvaluaFormulaCosto(const QStringList& formula, QStringList& resultado, db::Dataset& captura,
                          const db::Dataset& encabezado, const db::Dataset& producto) {
  return AplicaFormulaCosto(formula, resultado, captura, [&](QChar prefijo, const QString& campo) {
    const db::Dataset& fuente = prefijo == u'e' ? encabezado : prefijo == u'i' ? producto : captura;
    return fuente.FieldByName(campo).AsString();
  });
}
