#include "salesdocs/BuferVenta.h"

#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "inventory/CamposRegistro.h"
#include "platform/Error.h"
#include "platform/db/Numeracion.h"
#include "platform/db/Tabla.h"
#include "platform/fs/CadenaCorta.h"
#include "platform/fs/Real6.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/DocumentosVenta.h"
#include "pos/ImportesVenta.h"
#include "pos/TablasVenta.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <cstring>
#include <functional>

namespace {

// A text field of a record: its offset and its size (length byte included).
struct CampoTexto {
  int posicion, ancho;
  QString TRegistroBuferEncabezado::*miembro;
};
const CampoTexto kEncabezado[] = {
    {0, 11, &TRegistroBuferEncabezado::Documento},   {11, 16, &TRegistroBuferEncabezado::Cliente},
    {27, 61, &TRegistroBuferEncabezado::Nombre},     {88, 61, &TRegistroBuferEncabezado::Direccion},
    {149, 61, &TRegistroBuferEncabezado::Direccion2}, {210, 41, &TRegistroBuferEncabezado::Poblacion},
    {251, 16, &TRegistroBuferEncabezado::Vendedor},  {267, 5, &TRegistroBuferEncabezado::Comision},
    {272, 11, &TRegistroBuferEncabezado::Caja},      {305, 16, &TRegistroBuferEncabezado::Fecha},
    {353, 11, &TRegistroBuferEncabezado::Impuesto},  {375, 11, &TRegistroBuferEncabezado::Descuento},
    {397, 26, &TRegistroBuferEncabezado::TipoPago},
};

struct CampoTextoPartida {
  int posicion, ancho;
  QString TRegistroBuferPartida::*miembro;
};
const CampoTextoPartida kTextosPartida[] = {
    {6, 16, &TRegistroBuferPartida::Clave},
    {22, 41, &TRegistroBuferPartida::Producto},
    {82, 4, &TRegistroBuferPartida::Unidad},
    {106, 7, &TRegistroBuferPartida::Tara},
};
struct CampoReal {
  int posicion;
  double TRegistroBuferPartida::*miembro;
};
const CampoReal kRealesPartida[] = {
    {0, &TRegistroBuferPartida::Cantidad}, {64, &TRegistroBuferPartida::Precio},
    {70, &TRegistroBuferPartida::Descuento}, {76, &TRegistroBuferPartida::Costo},
    {94, &TRegistroBuferPartida::Impuesto}, {100, &TRegistroBuferPartida::Factor},
    {114, &TRegistroBuferPartida::Fpgc},
};

void EscribeReal(QByteArray& bytes, int posicion, double valor) {
  const fs::BytesReal6 r = fs::CodificaReal6(valor);
  std::memcpy(bytes.data() + posicion, r.data(), r.size());
}

double LeeReal(QByteArrayView bytes, int posicion) {
  return fs::DecodificaReal6Breve(reinterpret_cast<const std::uint8_t*>(bytes.data() + posicion));
}

QString RutaPrograma(const QString& archivo) { return CarpetaPrograma(QStringLiteral("\\") + archivo); }

// The folder of a kind's tables: an invoice's in the folder of rutaf.dat
// when it names one (a file that cannot be read is as none); otherwise
// where the company keeps the kind's tables.
QString CarpetaDeTipo(const TipoConversionVenta& t) {
  if (t.letra == u'F') {
    try {
      const std::optional<QString> linea = PrimeraLinea(kArchivoRutaFacturas);
      if (linea && !linea->trimmed().isEmpty()) return linea->trimmed();
    } catch (const plat::Error&) {
    }
  }
  return CarpetaDeTabla(t.encabezado);
}

void AbreEn(db::Tabla& t, const QString& carpeta, const QString& archivo, const QString& tag) {
  t.Close();
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(archivo);
  t.SetIndexName(tag);
  t.Open();
}

// The header table of a line table file (its pair), or "" when none.
QString EncabezadoDePartidas(const QString& partidas) {
  for (const ParDocumento& par : ParesDocumentoVenta())
    if (par.partidas.compare(partidas, Qt::CaseInsensitive) == 0) return par.encabezado;
  return QString();
}

qint64 Entero(const QString& texto) {
  bool ok = false;
  const qint64 n = texto.trimmed().toLongLong(&ok);
  if (!ok)
    throw plat::Error(plat::Clase::Conversion, QStringLiteral("'%1' no es un valor entero válido").arg(texto));
  return n;
}

}  // namespace

QString CodigoOrigen(const QString& base, const QString& numero) { return (base.left(1) + numero).left(8); }

const TipoConversionVenta* TipoConversionDeLetra(QChar letra) {
  // The remission keeps the accent every other part of the screens knows
  // its kind by, or its save would recognise no kind.
  static const TipoConversionVenta kTipos[] = {
      {u'F', QStringLiteral("Factura"), QStringLiteral("FacturaE.dbf"), QStringLiteral("FacturaD.dbf"),
       ConfFormatoFactura},
      {u'R', QStringLiteral("Remisión"), QStringLiteral("Remision.dbf"), QStringLiteral("RemisioD.dbf"),
       ConfFormatoRemision},
      {u'P', QStringLiteral("Pedido"), QStringLiteral("Pedido.dbf"), QStringLiteral("PedidoD.dbf"),
       ConfFormatoPedido},
      {u'D', QStringLiteral("Devolución"), QStringLiteral("Devoluc.dbf"), QStringLiteral("DevolucD.dbf"),
       ConfFormatoDevolucion},
  };
  for (const TipoConversionVenta& t : kTipos)
    if (t.letra == letra) return &t;
  return nullptr;
}

// --- Records.

QByteArray CodificaBuferEncabezado(const TRegistroBuferEncabezado& r) {
  QByteArray bytes(kTamanoBuferEncabezado, '\0');
  for (const CampoTexto& c : kEncabezado) fs::EscribeCadenaCorta(bytes, c.posicion, c.ancho, r.*c.miembro);
  return bytes;
}

TRegistroBuferEncabezado LeeBuferEncabezado(QByteArrayView bytes) {
  TRegistroBuferEncabezado r;
  for (const CampoTexto& c : kEncabezado)
    if (c.posicion + c.ancho <= bytes.size()) r.*c.miembro = fs::LeeCadenaCorta(bytes, c.posicion, c.ancho);
  return r;
}

QByteArray CodificaBuferPartida(const TRegistroBuferPartida& r) {
  QByteArray bytes(kTamanoBuferPartida, '\0');
  for (const CampoTextoPartida& c : kTextosPartida) fs::EscribeCadenaCorta(bytes, c.posicion, c.ancho, r.*c.miembro);
  for (const CampoReal& c : kRealesPartida) EscribeReal(bytes, c.posicion, r.*c.miembro);
  return bytes;
}

TRegistroBuferPartida LeeBuferPartida(QByteArrayView bytes) {
  if (bytes.size() < kTamanoBuferPartida)
    throw plat::Error(plat::Clase::Corrupto, QStringLiteral("El archivo %1 termina a la mitad de una partida")
                                                 .arg(kArchivoBuferPartidas));
  TRegistroBuferPartida r;
  for (const CampoTextoPartida& c : kTextosPartida) r.*c.miembro = fs::LeeCadenaCorta(bytes, c.posicion, c.ancho);
  for (const CampoReal& c : kRealesPartida) r.*c.miembro = LeeReal(bytes, c.posicion);
  return r;
}

TRegistroBuferPartida PartidaDeCaptura(const db::Dataset& captura) {
  const auto texto = [&](const char* n) { return captura.FieldByName(QString::fromLatin1(n)).AsString(); };
  const auto real = [&](const char* n) { return captura.FieldByName(QString::fromLatin1(n)).AsFloat(); };
  TRegistroBuferPartida r;
  r.Cantidad = real("CANTIDAD");
  r.Clave = texto("CLAVE");
  r.Producto = texto("PRODUCTO");
  r.Precio = real("PRECIO");
  r.Descuento = real("DESCUENTO");
  r.Costo = real("COSTO");
  r.Unidad = texto("UNIDAD");
  r.Impuesto = real("IMPUESTO");
  r.Factor = real("FACTOR");
  r.Tara = texto("TARA");
  r.Fpgc = real("FPGC");
  return r;
}

void LlenaCapturaDeBufer(db::Dataset& captura, const TRegistroBuferPartida& r) {
  const auto fija = [&](const char* n, const QVariant& v) { captura.FieldByName(QString::fromLatin1(n)).SetValue(v); };
  fija("CANTIDAD", r.Cantidad);
  fija("TARA", r.Tara);
  fija("CLAVE", r.Clave);
  fija("FACTOR", r.Factor);
  fija("PRODUCTO", r.Producto);
  fija("PRECIO", r.Precio);
  fija("DESCUENTO", r.Descuento);
  fija("COSTO", r.Costo);
  fija("UNIDAD", r.Unidad);
  fija("IMPUESTO", r.Impuesto);
  fija("FPGC", r.Fpgc);
  // The amount the line had, which the buffer does not carry: with it the
  // totals find the line as it was and keep its price instead of pricing it
  // again from the catalogue.
  const Dinero precio = registro::LeeImporte(captura.FieldByName(QStringLiteral("PRECIO"))).value_or(Dinero());
  fija("IMPORTE", ImporteLinea(r.Cantidad, precio, r.Descuento).Real());
}

// --- Writing.

QList<TRegistroBuferPartida> EscribeBuferVenta(const TRegistroBuferEncabezado& encabezado, db::Tabla* captura,
                                               int tamanoEncabezado) {
  fs::EscribeAtomico(RutaPrograma(kArchivoBuferEncabezado),
                     CodificaBuferEncabezado(encabezado).left(tamanoEncabezado));
  QList<TRegistroBuferPartida> escritas;
  QByteArray partidas;
  if (captura && captura->Active()) {
    PostPendiente(*captura);
    for (captura->First(); !captura->Eof(); captura->Next()) {
      escritas << PartidaDeCaptura(*captura);
      partidas += CodificaBuferPartida(escritas.last());
    }
  }
  fs::EscribeAtomico(RutaPrograma(kArchivoBuferPartidas), partidas);
  return escritas;
}

TRegistroBuferEncabezado LeeArchivoBuferEncabezado() {
  return LeeBuferEncabezado(fs::LeeBytes(RutaPrograma(kArchivoBuferEncabezado)));
}

QList<TRegistroBuferPartida> LeeArchivoBuferPartidas() {
  const QByteArray bytes = fs::LeeBytes(RutaPrograma(kArchivoBuferPartidas));
  QList<TRegistroBuferPartida> partidas;
  for (qsizetype i = 0; i + kTamanoBuferPartida <= bytes.size(); i += kTamanoBuferPartida)
    partidas << LeeBuferPartida(QByteArrayView(bytes).sliced(i, kTamanoBuferPartida));
  return partidas;
}

void AgregaPartidasDeBufer(db::Dataset& captura, const QList<TRegistroBuferPartida>& partidas) {
  for (const TRegistroBuferPartida& linea : partidas) {
    captura.Append();
    try {
      LlenaCapturaDeBufer(captura, linea);
      captura.Post();
    } catch (...) {
      captura.Cancel();
      throw;
    }
  }
}

qint64 AgregaEncabezadoDeBufer(db::Tabla& e, const TRegistroBuferEncabezado& r, const QString& origen, int control) {
  db::Numeracion numeracion(e);
  e.Last();
  const qint64 numero = (e.IsEmpty() ? 0 : e.FieldByName(QStringLiteral("CLDOC_F")).AsInteger()) + 1;
  e.Append();
  try {
    const auto fija = [&](const char* n, const QString& v) {
      db::Campo& c = e.FieldByName(QString::fromLatin1(n));
      if (v.trimmed().isEmpty()) c.Clear();
      else c.SetAsString(v);
    };
    e.FieldByName(QStringLiteral("CLDOC_F")).SetAsInteger(numero);
    e.FieldByName(QStringLiteral("CONTROL")).SetAsInteger(control);
    fija("CLCLI_F", r.Cliente);
    fija("CLVEN_F", r.Vendedor);
    fija("CTOVE_F", r.Comision);
    fija("BCLIM_F", r.Caja);
    fija("IMIM1_F", r.Impuesto);
    fija("DESFI_F", r.Descuento);
    fija("CLPED_F", origen);
    e.Post();
  } catch (...) {
    if (Editando(e)) e.Cancel();
    throw;
  }
  return numero;
}

void GuardaVentaEnBufer(TFormaCapturaRapida& p, QChar) {
  p.ClavesReservadas.clear();
  p.CantidadesReservadas.clear();
  const TRegistroBuferEncabezado e = EncabezadoBuferDe(p);
  for (const TRegistroBuferPartida& r : EscribeBuferVenta(e, p.TablaDeta)) p.AcumulaReservaProducto(r.Clave, r.Cantidad);
}

// --- Ranges.

QList<ParteRango> ExpandeListaDocumentos(const QString& texto) {
  QList<ParteRango> partes;
  const QStringList piezas = texto.split(u',');
  for (qsizetype i = 0; i < piezas.size(); ++i) {
    const QString& pieza = piezas[i];
    // The empty piece after a closing comma, or between two, adds nothing.
    if (pieza.trimmed().isEmpty()) continue;
    const qsizetype guion = pieza.indexOf(u'-');
    if (guion < 0) {
      const qint64 n = Entero(pieza);
      partes.append({n, n});
      continue;
    }
    // Further dashes after the first one are skipped, as the range dialog
    // reads them.
    QString hasta = pieza.mid(guion + 1);
    hasta.remove(u'-');
    partes.append({Entero(pieza.left(guion)), Entero(hasta)});
  }
  return partes;
}

QList<qint64> ExpandeIntervalo(db::Tabla& encabezados, const ParteRango& parte) {
  QList<qint64> numeros;
  if (parte.hasta < parte.desde) return numeros;
  encabezados.SetRange({parte.desde}, {parte.hasta});
  for (encabezados.First(); !encabezados.Eof(); encabezados.Next()) {
    const qint64 n = encabezados.FieldByName(QStringLiteral("CLDOC_F")).AsInteger();
    // Several headers of one number give its lines once.
    if (numeros.isEmpty() || numeros.last() != n) numeros << n;
  }
  encabezados.CancelRange();
  return numeros;
}

namespace {

// A line that a range carries: not cancelled, not carried into another
// document already.
bool EsPartidaViva(db::Tabla& partidas) {
  return partidas.FieldByName(QStringLiteral("TREGI_FD")).AsString() != QStringLiteral("C") &&
         partidas.FieldByName(QStringLiteral("TDOCU_FD")).AsString().isEmpty();
}

// The header and line tables of a range's source, open; the walk over the
// documents of the range, `cada` run with the line table and each number.
void RecorreRango(const QString& carpeta, const QString& partidas, const QString& rango, db::Tabla& lineas,
                  const std::function<void(const QString&)>& cada, bool sinFacturados = false) {
  const QList<ParteRango> partes = ExpandeListaDocumentos(rango);
  const QString archivoEncabezados = EncabezadoDePartidas(partidas);
  if (archivoEncabezados.isEmpty())
    throw plat::Error(plat::Clase::NoExiste,
                      QStringLiteral("La tabla %1 no es de partidas de documentos de venta").arg(partidas));
  db::Tabla encabezados;
  encabezados.SetReadOnly(true);
  AbreEn(encabezados, carpeta, archivoEncabezados, QStringLiteral("INUMENC"));
  AbreEn(lineas, carpeta, partidas, QStringLiteral("CLDOC_FD"));
  try {
    for (const ParteRango& parte : partes)
      for (const qint64 n : ExpandeIntervalo(encabezados, parte)) {
        // A document another invoice was made of already is not invoiced
        // again.
        if (sinFacturados && encabezados.FindKey({n}) &&
            !encabezados.FieldByName(QStringLiteral("REMIS_F")).AsString().isEmpty())
          continue;
        cada(QString::number(n));
      }
  } catch (...) {
    lineas.Close();
    throw;
  }
  lineas.Close();
}

}  // namespace

int CuentaPartidasDeRango(const QString& carpeta, const QString& partidas, const QString& rango,
                          bool sinFacturados) {
  int vivas = 0;
  db::Tabla lineas;
  lineas.SetReadOnly(true);
  RecorreRango(
      carpeta, partidas, rango, lineas,
      [&](const QString& numero) {
        lineas.SetRange({numero}, {numero});
        for (lineas.First(); !lineas.Eof(); lineas.Next())
          if (EsPartidaViva(lineas)) ++vivas;
        lineas.CancelRange();
      },
      sinFacturados);
  return vivas;
}

int AgregaPartidasDeDocumento(db::Tabla& partidas, db::Dataset& captura, const QString& numero) {
  int agregadas = 0;
  partidas.SetRange({numero}, {numero});
  for (partidas.First(); !partidas.Eof(); partidas.Next()) {
    const auto campo = [&](const char* n) -> db::Campo& { return partidas.FieldByName(QString::fromLatin1(n)); };
    if (!EsPartidaViva(partidas)) continue;
    captura.Append();
    try {
      const auto fija = [&](const char* n, const QVariant& v) {
        captura.FieldByName(QString::fromLatin1(n)).SetValue(v);
      };
      const double cantidad = campo("CANTI_FD").AsFloat();
      const Dinero precio = registro::LeeImporte(campo("PUNPR_FD")).value_or(Dinero());
      const double descuento = campo("PDES1_FD").AsFloat();
      fija("CANTIDAD", cantidad);
      fija("CLAVE", campo("CLPRO_FD").Value());
      fija("FACTOR", campo("PIVA2_FD").Value());
      fija("TARA", campo("PENDI_FD").Value());
      fija("PRODUCTO", campo("DEPRO_FD").Value());
      fija("UNIDAD", campo("UNIDA_FD").Value());
      fija("PRECIO", precio.Real());
      fija("COSTO", campo("COPRO_FD").Value());
      fija("DESCUENTO", descuento);
      fija("IMPORTE", ImporteLinea(cantidad, precio, descuento).Real());
      fija("IMPUESTO", campo("PIVA1_FD").Value());
      fija("FPGC", campo("FPGCX_FD").Value());
      captura.Post();
    } catch (...) {
      captura.Cancel();
      throw;
    }
    ++agregadas;
  }
  partidas.CancelRange();
  return agregadas;
}

int CargaPartidasDeRango(db::Tabla& lineas, db::Dataset& captura, const QString& carpeta, const QString& partidas,
                         const QString& rango, bool sinFacturados, QList<qint64>* documentos) {
  int agregadas = 0;
  RecorreRango(
      carpeta, partidas, rango, lineas,
      [&](const QString& numero) {
        const int de = AgregaPartidasDeDocumento(lineas, captura, numero);
        if (de > 0 && documentos) documentos->append(numero.toLongLong());
        agregadas += de;
      },
      sinFacturados);
  return agregadas;
}

int CargaPartidasDeRango(TFormaCapturaRapida& p, const QString& carpeta, const QString& partidas,
                         const QString& rango, bool sinFacturados, QList<qint64>* documentos) {
  return CargaPartidasDeRango(*p.TablaAuxiliar, *p.TablaDeta, carpeta, partidas, rango, sinFacturados, documentos);
}

// --- Reading.

void CargaVentaDeBufer(TFormaCapturaRapida& p, QChar tipo, const QString& rango) {
  db::Tabla& e = *p.TablaFacturae;
  db::Tabla& l = *p.TablaFacturaD;
  // The source of range lines: the line table on screen before the switch.
  const QString partidasOrigen = l.NombreTabla().left(15);
  const QString carpetaOrigen = l.Carpeta();
  // The range is read and checked before anything is written.
  if (p.LineasDeRango) ExpandeListaDocumentos(rango);
  const TRegistroBuferEncabezado r = LeeArchivoBuferEncabezado();
  const QList<TRegistroBuferPartida> partidas =
      p.LineasDeRango ? QList<TRegistroBuferPartida>() : LeeArchivoBuferPartidas();

  if (const TipoConversionVenta* t = TipoConversionDeLetra(tipo)) {
    const QString carpeta = CarpetaDeTipo(*t);
    p.Base->setCurrentText(t->base);
    AbreEn(e, carpeta, t->encabezado, QStringLiteral("INUMENC"));
    AbreEn(l, carpeta, t->partidas, QStringLiteral("CLDOC_FD"));
    p.LineaFormatoDocumento = t->lineaFormato;
    e.Last();
    p.UltimoNumeroDocumento = e.IsEmpty() ? 0 : e.FieldByName(QStringLiteral("CLDOC_F")).AsInteger();
  } else {
    PostPendiente(e);
  }

  const int control = NumeroControl();
  AgregaEncabezadoDeBufer(e, r, p.DocumentoOrigen, control);
  p.ControlVenta = control;
  p.ControlDocumento = control;
  p.TotalAnterior = Dinero();
  MuestraEncabezadoBufer(p, r);

  p.VaciaCaptura();
  if (p.LineasDeRango) {
    // An invoice of remissions leaves out those invoiced already and keeps
    // the others for its save to mark.
    QList<qint64> documentos;
    CargaPartidasDeRango(p, carpetaOrigen, partidasOrigen, rango, p.FacturaDeRemisiones, &documentos);
    if (p.FacturaDeRemisiones) {
      QStringList numeros;
      for (const qint64 n : documentos) numeros << QString::number(n);
      p.RemisionesDeFactura = carpetaOrigen + u'\n' + numeros.join(u',');
    }
  } else {
    AgregaPartidasDeBufer(*p.TablaDeta, partidas);
  }
  // A new, unsaved document whose header row stands written: its save keeps
  // the number instead of appending another header.
  p.FacturaDerivada = true;
  p.HabilitaBotonesCaptura(false, false, true, false, false, false, true);
  ui::SetTag(p.BotonNuevo, 1);
  ui::SetTag(p.BotonCambios, 0);
}

// --- The conversion commands.

namespace {

void Convierte(TFormaCapturaRapida& p, QChar tipo) {
  p.DocumentoOrigen = CodigoOrigen(p.Base->currentText(), p.EditCLDOC_F->text());
  GuardaVentaEnBufer(p, u'C');
  CargaVentaDeBufer(p, tipo);
  p.HabilitaCaptura();
  p.EditCLCLI_F->setFocus(Qt::OtherFocusReason);
  p.DocumentoNuevo = true;
  EditaFila(*p.TablaFacturae);
}

}  // namespace

void Remisin1Click(TFormaCapturaRapida& p) { Convierte(p, u'R'); }

void Pedido1Click(TFormaCapturaRapida& p) { Convierte(p, u'P'); }

void Devolucin1Click(TFormaCapturaRapida& p) {
  p.LineasDeRango = false;
  Convierte(p, u'D');
}
