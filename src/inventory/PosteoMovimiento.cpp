#include "inventory/PosteoMovimiento.h"

#include "foundation/rutinas_fecha.h"
#include "inventory/CamposRegistro.h"
#include "inventory/EdicionFila.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "platform/Error.h"
#include "platform/db/Bloqueo.h"
#include "platform/db/Numeracion.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"

#include <QElapsedTimer>
#include <QThread>
#include <QVariant>
#include <QVector>

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>

namespace {

using Estado = db::Dataset::Estado;

const QString kNoGuardado = QStringLiteral("; no se guardó el documento");
const QString kNoGuardados = QStringLiteral("; no se guardó ningún movimiento");
const QString kNoDeshecho = QStringLiteral("; parte de él quedó guardada y no se pudo deshacer");
// The counterpart and the reference are cut to this in CLPRV_MI and REFMO_MI.
constexpr int kCorte = 20;
// The concept of a purchase's own charge row in the payables.
constexpr int kConceptoCargoCompraNota = 51;

bool Escribiendo(const db::Dataset& d) { return d.State() == Estado::Editando || d.State() == Estado::Insertando; }

QString EnUso(const QString& clave) { return QStringLiteral("El producto %1 está en uso en otra estación").arg(clave); }

// Takes the current row and keeps it locked (RetieneRegistro), trying again
// for the table layer's bounded wait while another station holds it; then
// plat::Error (Bloqueado) `ocupado`.
void Retiene(db::Tabla& tabla, const QString& ocupado) {
  QElapsedTimer reloj;
  reloj.start();
  for (;;) {
    try {
      tabla.RetieneRegistro();
      return;
    } catch (const plat::Error& e) {
      if (e.clase() != plat::Clase::Bloqueado) throw;
      if (reloj.elapsed() >= db::kEsperaMaximaMs) throw plat::Error(plat::Clase::Bloqueado, ocupado);
      QThread::msleep(2);
    }
  }
}

// Every field of the row being edited, to be put back as it was.
QVector<QVariant> Foto(const db::Dataset& tabla) {
  QVector<QVariant> valores;
  for (int i = 0; i < tabla.FieldCount(); ++i) valores << tabla.Fields(i).Value();
  return valores;
}

void Revela(db::Dataset& tabla, const QVector<QVariant>& valores) {
  for (int i = 0; i < tabla.FieldCount() && i < valores.size(); ++i) tabla.Fields(i).SetValue(valores[i]);
}

// The product fields a posting changes, as they were before it.
const QString kCamposProducto[] = {QStringLiteral("EXIST_I"), QStringLiteral("CPROM_I"), QStringLiteral("FPGCI_I")};

struct ProductoTocado {
  qint64 registro = 0;
  bool creado = false;          // made at a transfer's destination: undone by deleting it
  QVector<QVariant> anteriores;  // kCamposProducto (invalid where the table lacks one)
};

QVector<QVariant> CamposAnteriores(const db::Tabla& productos) {
  QVector<QVariant> v;
  for (const QString& campo : kCamposProducto) {
    const db::Campo* f = productos.FindField(campo);
    v << (f ? f->Value() : QVariant());
  }
  return v;
}

// One totals update, written once the document stands.
struct Total {
  int signo;
  QString clave;
  int concepto;
  double cantidad;
  double existencia;
};

// One line to post: the capture line, the concept of its row and the
// document it belongs to (an index into Posteo::numeros_).
struct Linea {
  const TPartidaCapturaMovimiento* p;
  int concepto;
  std::size_t documento;
};

class Posteo {
 public:
  // One document: the header's number and concept for every line.
  Posteo(const EncabezadoMovimiento& e, const std::vector<TPartidaCapturaMovimiento>& partidas, db::Tabla& movimientos,
         db::Tabla& productos, db::Tabla& kardex)
      : e_(e), movimientos_(movimientos), productos_(productos), kardex_(kardex), noGuardado_(kNoGuardado) {
    for (const TPartidaCapturaMovimiento& p : partidas) lineas_.push_back({&p, e.concepto, 0});
    numeros_.push_back(e.numero);
  }

  // New documents, numbered as their first rows are written; each line
  // with its own concept.
  Posteo(const EncabezadoMovimiento& e, const std::vector<PartidaDocumentoMovimiento>& partidas,
         db::Tabla& movimientos, db::Tabla& productos, db::Tabla& kardex)
      : e_(e), movimientos_(movimientos), productos_(productos), kardex_(kardex), noGuardado_(kNoGuardados),
        nuevos_(true) {
    for (const PartidaDocumentoMovimiento& p : partidas) {
      const std::size_t documento = p.documento < 0 ? 0 : static_cast<std::size_t>(p.documento);
      lineas_.push_back({&p.partida, p.concepto, documento});
      if (numeros_.size() <= documento) numeros_.resize(documento + 1, 0);
    }
  }

  // The document numbers, in document order (0 for one nothing was written of).
  const std::vector<qint64>& Numeros() const { return numeros_; }

  ~Posteo() { Suelta(); }

  void Aplica() {
    try {
      Prepara();
    } catch (const plat::Error& error) {
      Suelta();
      throw plat::Error(error.clase(), error.mensaje() + noGuardado_);
    }
    try {
      AplicaMovimientos();
      if (e_.traspaso) AplicaTraspaso();
      if (provisional_ && !provisionalEscrito_) {
        movimientos_.Post();
        provisionalEscrito_ = true;
      }
    } catch (const std::exception& error) {
      const bool deshecho = Deshace();
      Suelta();
      const plat::Error* propio = dynamic_cast<const plat::Error*>(&error);
      const QString texto = plat::TextoError(error);
      throw plat::Error(propio ? propio->clase() : plat::Clase::General, texto + (deshecho ? noGuardado_ : kNoDeshecho));
    }
    Suelta();
    for (const Total& t : totales_)
      ActualizaKardexMovimiento(kardex_, t.signo, t.clave, t.concepto, t.cantidad, t.existencia);
  }

 private:
  static double Cantidad(const TPartidaCapturaMovimiento& p) { return p.CANTIDAD.value_or(0); }

  // The keys of the lines that move something, in key order: the order in
  // which every station takes product rows, so two never wait on each other.
  std::set<QString> Claves() const {
    std::set<QString> claves;
    for (const Linea& l : lineas_)
      if (Cantidad(*l.p) != 0 && !l.p->CLAVE.isEmpty()) claves.insert(l.p->CLAVE);
    return claves;
  }

  void Prepara() {
    if (productos_.IndexName().compare(kTagClaveProducto, Qt::CaseInsensitive) != 0)
      productos_.SetIndexName(kTagClaveProducto);
    if (movimientos_.State() == Estado::Insertando || (nuevos_ && movimientos_.State() == Estado::Editando))
      movimientos_.Cancel();
    if (movimientos_.State() == Estado::Editando) {
      provisional_ = movimientos_.RecNo();
      fotoProvisional_ = Foto(movimientos_);
      movimientos_.RetieneRegistro();
    }
    for (const QString& clave : Claves()) {
      if (!productos_.FindKey({clave})) continue;
      Retiene(productos_, EnUso(clave));
      tomados_.insert(clave);
    }
    if (e_.traspaso) PreparaDestino();
  }

  void PreparaDestino() {
    const QString carpeta = e_.carpetaDestino.trimmed();
    const QString noAbre = QStringLiteral("No se puede abrir el almacén destino \"%1\"").arg(carpeta);
    if (carpeta.isEmpty() || !fs::ExisteCarpeta(carpeta)) throw plat::Error(plat::Clase::NoExiste, noAbre);
    if (fs::Local(carpeta) == fs::Local(productos_.Carpeta()))
      throw plat::Error(plat::Clase::General,
                        QStringLiteral("El almacén destino \"%1\" es el almacén del documento").arg(carpeta));
    const auto abre = [&](const QString& archivo, const QString& tag) {
      auto t = std::make_unique<db::Tabla>();
      t->SetCarpeta(carpeta);
      t->SetNombreTabla(archivo);
      try {
        t->Open();
        t->SetIndexName(tag);
      } catch (const plat::Error& error) {
        throw plat::Error(error.clase(), noAbre + QStringLiteral(": ") + error.mensaje());
      }
      return t;
    };
    movimientosDestino_ = abre(movimientos_.NombreTabla(), kTagDocumentoMovimiento);
    productosDestino_ = abre(productos_.NombreTabla(), kTagClaveProducto);
    for (const QString& clave : Claves()) {
      if (!productosDestino_->FindKey({clave})) continue;
      Retiene(*productosDestino_, EnUso(clave) + QStringLiteral(" del almacén destino"));
    }
    numeracionDestino_ = std::make_unique<db::Numeracion>(*movimientosDestino_);
  }

  // The movement row of one line, then its stock. A document without a
  // number yet draws it with its first row.
  void AplicaMovimientos() {
    for (const Linea& l : lineas_) {
      const TPartidaCapturaMovimiento& p = *l.p;
      if (Cantidad(p) == 0) continue;
      qint64& numero = numeros_[l.documento];
      db::Tabla& t = movimientos_;
      if (provisional_ && !provisionalEscrito_) {
        LlenaRenglon(t, p, l.concepto, numero);
        t.Post();
        provisionalEscrito_ = true;
      } else if (numero == 0) {
        numero = IniciaDocumentoMovimiento(t, [&](db::Tabla& nueva) {
          LlenaRenglon(nueva, p, l.concepto, nueva.FieldByName(kTagDocumentoMovimiento).AsInteger());
        });
        agregados_.push_back(t.RecNo());
      } else {
        t.Append();
        LlenaRenglon(t, p, l.concepto, numero);
        t.Post();
        agregados_.push_back(t.RecNo());
      }
      AplicaExistencia(p, l.concepto);
    }
  }

  // The fields of a line's row, in the row being edited or appended.
  void LlenaRenglon(db::Tabla& t, const TPartidaCapturaMovimiento& p, int concepto, qint64 numero) const {
    CamposRenglon(t, e_, p, concepto, Cantidad(p));
    t.FieldByName(QStringLiteral("CLDOC_MI")).SetAsInteger(numero);
    CamposComplementarios(t, p, numero);
  }

  // Columns an older movement table may lack: from the first one missing,
  // the rest of the group is left out; INICIAL and FINAL each on its own.
  void CamposComplementarios(db::Tabla& t, const TPartidaCapturaMovimiento& p, qint64 numero) const {
    bool conUsuario = false;
    const qint64 usuario = e_.usuario.toLongLong(&conUsuario);
    const std::pair<const char*, std::function<void(db::Campo&)>> grupo[] = {
        {"HORAF_F", [&](db::Campo& c) { conUsuario ? c.SetAsInteger(usuario) : c.Clear(); }},
        {"FECHA", [&](db::Campo& c) { c.SetAsInteger(SelloFecha(e_.fecha)); }},
        {"NUDOC_MI", [&](db::Campo& c) { c.SetAsString(QStringLiteral("M%1").arg(numero)); }},
        {"CADUC_MI", [&](db::Campo& c) { c.SetAsString(p.CADUCIDAD); }},
        {"EMPAQUE", [&](db::Campo& c) { registro::Escribe(c, p.EMPAQUE); }},
        {"USUARIO", [&](db::Campo& c) { c.SetAsString(e_.usuario); }},
    };
    for (const auto& [nombre, fija] : grupo) {
      db::Campo* c = t.FindField(QString::fromLatin1(nombre));
      if (!c) break;
      fija(*c);
    }
    if (db::Campo* c = t.FindField(QStringLiteral("INICIAL"))) registro::Escribe(*c, p.INICIAL);
    if (db::Campo* c = t.FindField(QStringLiteral("FINAL"))) registro::Escribe(*c, p.FINAL);
  }

  // The direction, the average cost and the totals follow the concept of
  // the line's document (a negative line's concept-8 row moves the stock
  // the document's way back).
  void AplicaExistencia(const TPartidaCapturaMovimiento& p, int concepto) {
    const bool entrada = EsEntrada(concepto);
    if (!tomados_.contains(p.CLAVE) || !productos_.FindKey({p.CLAVE})) return;
    auto [i, nuevo] = tocados_.try_emplace(p.CLAVE);
    if (nuevo) i->second = {productos_.RecNo(), false, CamposAnteriores(productos_)};
    const double cantidad = Cantidad(p);
    const int signo = entrada ? 1 : -1;
    std::optional<Dinero> promedio;
    if ((concepto == ConceptoCompra || concepto == ConceptoInventarioInicial) && p.COSTO.value_or(Dinero()) > Dinero()) {
      // The stock before this line: the row is held, nobody else moves it.
      const auto campo = [&](const char* nombre) -> db::Campo& {
        return productos_.FieldByName(QString::fromLatin1(nombre));
      };
      promedio = CostoPromedio(campo("TICOS_I").AsString(), registro::LeeReal(campo("EXIST_I")).value_or(0), cantidad,
                               registro::LeeImporte(campo("CPROM_I")).value_or(Dinero()), *p.COSTO);
    }
    double existencia = 0;
    SumaExistencia(productos_, signo * cantidad, [&](db::Tabla& t) {
      if (promedio) registro::Escribe(t.FieldByName(QStringLiteral("CPROM_I")), promedio);
      db::Campo& exist = t.FieldByName(QStringLiteral("EXIST_I"));
      existencia = exist.AsFloat();
      if (existencia < 0 && e_.sinNegativos) exist.SetAsFloat(0);
      if (db::Campo* fecha = t.FindField(QStringLiteral("FPGCI_I"))) fecha->SetAsInteger(NumeroDeFecha(fs::Hoy()));
    });
    // The totals keep the stock before the clamp at zero.
    totales_.push_back({signo, p.CLAVE, concepto, cantidad, existencia});
  }

  // The lines carried into the destination folder's tables.
  void AplicaTraspaso() {
    db::Tabla& productos = *productosDestino_;
    db::Tabla& movimientos = *movimientosDestino_;
    for (const Linea& l : lineas_) {
      const TPartidaCapturaMovimiento& p = *l.p;
      const double cantidad = Cantidad(p);
      if (cantidad == 0) continue;
      double factor = 1;
      if (LocalizaDestino(p.CLAVE)) {
        const std::optional<double> empaque = registro::LeeReal(productos.FieldByName(QStringLiteral("UEMPA_I")));
        if (e_.traspasoPorEmpaque && empaque.value_or(0) > 0) factor = *empaque;
        SumaExistencia(productos, cantidad * factor, [&](db::Tabla& t) {
          db::Campo& exist = t.FieldByName(QStringLiteral("EXIST_I"));
          if (exist.AsFloat() < 0 && e_.sinNegativos) exist.SetAsFloat(0);
        });
      }
      const auto llena = [&](db::Tabla& t) {
        CamposRenglon(t, e_, p, ConceptoEntradaTraspaso, cantidad * factor);
        if (db::Campo* c = t.FindField(QStringLiteral("CADUC_MI"))) c->SetAsString(p.CADUCIDAD);
      };
      if (numeroDestino_ == 0) {
        // The destination's number, under its numbering lock (held since
        // the save began; let go here).
        numeroDestino_ = IniciaDocumentoMovimiento(movimientos, llena);
        numeracionDestino_.reset();
      } else {
        movimientos.Append();
        movimientos.FieldByName(QStringLiteral("CLDOC_MI")).SetAsInteger(numeroDestino_);
        llena(movimientos);
        movimientos.Post();
      }
      agregadosDestino_.push_back(movimientos.RecNo());
    }
  }

  // Stands the destination's product table on the key's row, first making
  // it there from this folder's product (every field but EXIST_I, copied as
  // text) when it is missing. False when neither folder has the product.
  bool LocalizaDestino(const QString& clave) {
    db::Tabla& destino = *productosDestino_;
    if (clave.isEmpty()) return false;
    if (destino.FindKey({clave})) {
      auto [i, nuevo] = tocadosDestino_.try_emplace(clave);
      if (nuevo) i->second = {destino.RecNo(), false, CamposAnteriores(destino)};
      return true;
    }
    if (!productos_.FindKey({clave})) return false;
    destino.Append();
    try {
      for (int i = 0; i < productos_.FieldCount(); ++i) {
        const db::Campo& origen = productos_.Fields(i);
        if (origen.Nombre().compare(QStringLiteral("EXIST_I"), Qt::CaseInsensitive) == 0) continue;
        db::Campo* campo = destino.FindField(origen.Nombre());
        if (!campo) continue;
        try {
          campo->SetAsString(origen.AsString());
        } catch (const plat::Error&) {
          // A value the destination's column cannot take stays blank there.
        }
      }
      destino.Post();
    } catch (...) {
      destino.Cancel();
      throw;
    }
    tocadosDestino_[clave] = {destino.RecNo(), true, {}};
    Retiene(destino, EnUso(clave) + QStringLiteral(" del almacén destino"));
    return destino.FindKey({clave});
  }

  // Puts back what was written; true when everything could be.
  bool Deshace() {
    bool todo = true;
    const auto paso = [&](const std::function<void()>& fn) {
      try {
        fn();
      } catch (const std::exception&) {
        todo = false;
      }
    };
    const auto borra = [&](db::Tabla& t, const std::vector<qint64>& filas) {
      for (auto i = filas.rbegin(); i != filas.rend(); ++i)
        paso([&] {
          if (!t.VeARegistro(*i)) throw plat::Error(plat::Clase::NoExiste, t.NombreTabla());
          t.Delete();
        });
    };
    const auto restaura = [&](db::Tabla& t, const std::map<QString, ProductoTocado>& tocados) {
      for (const auto& [clave, tocado] : tocados)
        paso([&] {
          if (!t.VeARegistro(tocado.registro)) throw plat::Error(plat::Clase::NoExiste, t.NombreTabla());
          if (tocado.creado) {
            t.Delete();
            return;
          }
          CambiaFila(t, EnUso(clave), [&] {
            for (int j = 0; j < tocado.anteriores.size(); ++j)
              if (db::Campo* f = t.FindField(kCamposProducto[j])) f->SetValue(tocado.anteriores[j]);
          });
        });
    };

    if (movimientosDestino_) {
      paso([&] {
        if (Escribiendo(*movimientosDestino_)) movimientosDestino_->Cancel();
      });
      borra(*movimientosDestino_, agregadosDestino_);
    }
    if (productosDestino_) {
      paso([&] {
        if (Escribiendo(*productosDestino_)) productosDestino_->Cancel();
      });
      restaura(*productosDestino_, tocadosDestino_);
    }
    paso([&] {
      if (Escribiendo(productos_)) productos_.Cancel();
    });
    restaura(productos_, tocados_);
    paso([&] {
      if (Escribiendo(movimientos_)) movimientos_.Cancel();
    });
    borra(movimientos_, agregados_);
    if (provisional_)
      paso([&] {
        // Back in edit with the header as it was; a row already written
        // gets its old values again first.
        if (!movimientos_.VeARegistro(provisional_)) throw plat::Error(plat::Clase::NoExiste, movimientos_.NombreTabla());
        movimientos_.Edit();
        if (!provisionalEscrito_) {
          Revela(movimientos_, fotoProvisional_);
          return;
        }
        Revela(movimientos_, fotoProvisional_);
        movimientos_.Post();
        movimientos_.Edit();
      });
    return todo;
  }

  // Lets go of every row and lock taken; the provisional row, when it is
  // still in edit, stays locked by its edit.
  void Suelta() {
    const auto suelta = [](db::Tabla& t) {
      try {
        if (t.Active()) t.SueltaRetenidos();
      } catch (const std::exception&) {
      }
    };
    suelta(movimientos_);
    suelta(productos_);
    numeracionDestino_.reset();
    if (productosDestino_) suelta(*productosDestino_);
    movimientosDestino_.reset();
    productosDestino_.reset();
  }

  const EncabezadoMovimiento& e_;
  std::vector<Linea> lineas_;
  std::vector<qint64> numeros_;
  db::Tabla& movimientos_;
  db::Tabla& productos_;
  db::Tabla& kardex_;
  const QString& noGuardado_;
  const bool nuevos_ = false;  // new documents only: no provisional row

  qint64 provisional_ = 0;  // the provisional row's record, 0 without one
  bool provisionalEscrito_ = false;
  QVector<QVariant> fotoProvisional_;
  std::set<QString> tomados_;  // keys whose product row is held
  std::map<QString, ProductoTocado> tocados_, tocadosDestino_;
  std::vector<qint64> agregados_, agregadosDestino_;  // rows appended
  std::vector<Total> totales_;

  std::unique_ptr<db::Tabla> movimientosDestino_, productosDestino_;
  std::unique_ptr<db::Numeracion> numeracionDestino_;
  qint64 numeroDestino_ = 0;
};

}  // namespace

void CamposRenglon(db::Dataset& t, const EncabezadoMovimiento& documento, const TPartidaCapturaMovimiento& p,
                   int concepto, double cantidad) {
  const auto campo = [&](const char* nombre) -> db::Campo& { return t.FieldByName(QString::fromLatin1(nombre)); };
  campo("TIMOV_MI").SetAsInteger(cantidad < 0 ? ConceptoCantidadNegativa : concepto);
  campo("CANTI_MI").SetAsFloat(cantidad < 0 ? -cantidad : cantidad);
  campo("CLPRO_MI").SetAsString(p.CLAVE);
  campo("CLPRV_MI").SetAsString(documento.contraparte.left(kCorte));
  campo("DESCR_MI").SetAsString(p.DESCRIPCION);
  campo("FEDOC_MI").SetAsDate(documento.fecha);
  campo("REFMO_MI").SetAsString(documento.referencia.left(kCorte));
  campo("CLCOP_MI").SetAsString(documento.contraparte);
  registro::Escribe(campo("COSUN_MI"), p.COSTO);
  campo("NALMA_MI").SetAsInteger(documento.almacen);
  registro::Escribe(campo("PUNIT_MI"), p.PRECIO);
}

Dinero CostoDocumento(const std::vector<TPartidaCapturaMovimiento>& partidas) {
  Dinero total;
  for (const TPartidaCapturaMovimiento& p : partidas) total += p.COSTO.value_or(Dinero()) * p.CANTIDAD.value_or(0);
  return total;
}

void PostaDocumentoMovimiento(const EncabezadoMovimiento& documento,
                              const std::vector<TPartidaCapturaMovimiento>& partidas, db::Tabla& movimientos,
                              db::Tabla& productos, db::Tabla& kardex) {
  Posteo(documento, partidas, movimientos, productos, kardex).Aplica();
}

std::vector<qint64> PostaDocumentosMovimiento(const EncabezadoMovimiento& comun,
                                              const std::vector<PartidaDocumentoMovimiento>& partidas,
                                              db::Tabla& movimientos, db::Tabla& productos, db::Tabla& kardex) {
  EncabezadoMovimiento e = comun;
  e.traspaso = false;
  Posteo posteo(e, partidas, movimientos, productos, kardex);
  posteo.Aplica();
  return posteo.Numeros();
}

Dinero CostoPromedio(const QString& metodo, double existencia, double cantidad, Dinero promedio, Dinero costo) {
  const QString m = metodo.trimmed().toUpper();
  if (existencia <= 0 || !(m.isEmpty() || m == u"PROM")) return costo;
  const double unidades = existencia + cantidad;
  if (unidades <= 0) return promedio;
  const Dinero valor = promedio * existencia + costo * cantidad;
  return Dinero::DeReal(valor.Real() / unidades);
}

bool NotaCreditoProveedor(const QString& carpetaDatos, const DocumentoNotaCredito& documento, Dinero importe) {
  bool numero = false;
  const qint64 compra = documento.referencia.trimmed().toLongLong(&numero);
  if (!numero) return false;
  const auto abre = [&](const QString& archivo, const QString& tag) {
    auto t = std::make_unique<db::Tabla>();
    t->SetCarpeta(carpetaDatos);
    t->SetNombreTabla(archivo);
    t->Open();
    if (!tag.isEmpty()) t->SetIndexName(tag);
    return t;
  };
  auto compras = abre(QStringLiteral("ComprasE.dbf"), QStringLiteral("ICOMENC"));
  if (!compras->FindKey({compra})) return false;
  auto cuentas = abre(QStringLiteral("CUEPAGAR.DBF"), {});
  qint64 fila = 0;
  // The purchase's charge row (concept 51), whose balance the note lowers
  // as it lowers the purchase's.
  qint64 cargo = 0;
  std::optional<Dinero> saldoCargo;
  cuentas->SetIndexName(QStringLiteral("NUCOM"));
  cuentas->SetRange({compra}, {compra});
  for (cuentas->First(); !cuentas->Eof(); cuentas->Next()) {
    if (cuentas->FieldByName(QStringLiteral("TIMOV_CP")).AsInteger() != kConceptoCargoCompraNota) continue;
    cargo = cuentas->RecNo();
    break;
  }
  cuentas->CancelRange();
  try {
    CambiaFila(*compras, QStringLiteral("La compra %1 está en uso en otra estación").arg(compra), [&] {
      db::Tabla& c = *cuentas;
      c.Append();
      try {
        c.FieldByName(QStringLiteral("NUCOM_CP")).SetAsInteger(compra);
        c.FieldByName(QStringLiteral("CLPRO_CP")).SetAsString(documento.contraparte.left(kCorte));
        registro::Escribe(c.FieldByName(QStringLiteral("IMCUE_CP")), std::optional<Dinero>(importe));
        registro::Escribe(c.FieldByName(QStringLiteral("ABONO_CP")), std::optional<Dinero>(importe));
        c.FieldByName(QStringLiteral("TIMOV_CP")).SetAsString(QStringLiteral("10"));
        c.FieldByName(QStringLiteral("FEAPL_CP")).SetAsDate(fs::Hoy());
        c.FieldByName(QStringLiteral("FEVEN_CP")).SetAsDate(fs::Hoy());
        c.FieldByName(QStringLiteral("OPERA_CP")).SetAsString(QStringLiteral("A"));
        c.FieldByName(QStringLiteral("CONCE_CP")).SetAsString(QStringLiteral("Nota de Crédito"));
        c.Post();
      } catch (...) {
        c.Cancel();
        throw;
      }
      fila = c.RecNo();
      if (cargo > 0 && c.VeARegistro(cargo)) {
        CambiaFila(c, QStringLiteral("La cuenta de la compra %1 está en uso en otra estación").arg(compra), [&] {
          db::Campo& saldo = c.FieldByName(QStringLiteral("SALDO_CP"));
          saldoCargo = registro::LeeImporte(saldo).value_or(Dinero());
          registro::Escribe(saldo, std::optional<Dinero>(*saldoCargo - importe));
        });
      }
      db::Campo& abono = compras->FieldByName(QStringLiteral("ABONO_O"));
      db::Campo& saldo = compras->FieldByName(QStringLiteral("SALDO_O"));
      registro::Escribe(abono, std::optional<Dinero>(registro::LeeImporte(abono).value_or(Dinero()) + importe));
      registro::Escribe(saldo, std::optional<Dinero>(registro::LeeImporte(saldo).value_or(Dinero()) - importe));
    });
  } catch (...) {
    // The purchase could not take the amount: the payable goes too, and the
    // charge owes again what it owed.
    try {
      if (fila > 0 && cuentas->VeARegistro(fila)) cuentas->Delete();
      if (saldoCargo && cuentas->VeARegistro(cargo))
        CambiaFila(*cuentas, QStringLiteral("La cuenta de la compra %1 está en uso en otra estación").arg(compra),
                   [&] { registro::Escribe(cuentas->FieldByName(QStringLiteral("SALDO_CP")), saldoCargo); });
    } catch (const std::exception&) {
    }
    throw;
  }
  return true;
}
