#include "inventory/PosteoMovimiento.h"

#include "foundation/UnidadTrabajo.h"
#include "foundation/ValoresFila.h"
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
// The facts of the unit: the documents stand (nothing is undone after it),
// and an undo began.
const QString kPasoFirme = QStringLiteral("FIRME");
const QString kPasoDeshace = QStringLiteral("DESHACE");

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

// The product fields a posting changes, as the row holds them.
ValoresFila CamposProducto(const db::Dataset& productos) {
  ValoresFila v;
  for (const char* campo : {"EXIST_I", "CPROM_I", "FPGCI_I"})
    if (const db::Campo* f = productos.FindField(QString::fromLatin1(campo))) v.append({f->Nombre(), f->Value()});
  return v;
}

// The journal's texts of a capture line and back.
QString CodificaPartida(const PartidaDocumentoMovimiento& l) {
  const TPartidaCapturaMovimiento& p = l.partida;
  const auto real = [](const std::optional<double>& v) { return v ? QVariant(*v) : QVariant(); };
  const auto importe = [](const std::optional<Dinero>& v) { return v ? QVariant(v->Texto()) : QVariant(); };
  return CodificaValores({{"CANTIDAD", real(p.CANTIDAD)},
                          {"EMPAQUE", real(p.EMPAQUE)},
                          {"CLAVE", p.CLAVE},
                          {"DESCRIPCION", p.DESCRIPCION},
                          {"COSTO", importe(p.COSTO)},
                          {"PRECIO", importe(p.PRECIO)},
                          {"CADUCIDAD", p.CADUCIDAD},
                          {"INICIAL", real(p.INICIAL)},
                          {"FINAL", real(p.FINAL)},
                          {"concepto", qint64{l.concepto}},
                          {"documento", qint64{l.documento}}})
      .join(u'\t');
}

PartidaDocumentoMovimiento DecodificaPartida(const QString& texto) {
  PartidaDocumentoMovimiento l;
  TPartidaCapturaMovimiento& p = l.partida;
  for (const auto& [campo, valor] : DecodificaValores(texto.split(u'\t'))) {
    const auto real = [&]() -> std::optional<double> {
      if (!valor.isValid()) return std::nullopt;
      return valor.toDouble();
    };
    const auto importe = [&]() -> std::optional<Dinero> {
      if (!valor.isValid()) return std::nullopt;
      return Dinero::DeTexto(valor.toString());
    };
    if (campo == u"CANTIDAD") p.CANTIDAD = real();
    else if (campo == u"EMPAQUE") p.EMPAQUE = real();
    else if (campo == u"CLAVE") p.CLAVE = valor.toString();
    else if (campo == u"DESCRIPCION") p.DESCRIPCION = valor.toString();
    else if (campo == u"COSTO") p.COSTO = importe();
    else if (campo == u"PRECIO") p.PRECIO = importe();
    else if (campo == u"CADUCIDAD") p.CADUCIDAD = valor.toString();
    else if (campo == u"INICIAL") p.INICIAL = real();
    else if (campo == u"FINAL") p.FINAL = real();
    else if (campo == u"concepto") l.concepto = static_cast<int>(valor.toLongLong());
    else if (campo == u"documento") l.documento = static_cast<int>(valor.toLongLong());
  }
  return l;
}

QString Si(bool b) { return b ? QStringLiteral("S") : QStringLiteral("N"); }

// One line to post: the capture line, the concept of its row, the document
// it belongs to (an index into Posteo::numeros_) and the name of its steps
// (its place among the lines, from 1).
struct Linea {
  const TPartidaCapturaMovimiento* p;
  int concepto;
  std::size_t documento;
  QString k;
};

// The posting of the lines as steps of the unit of work `u_` (UnidadTrabajo.h):
//   M<k>      the row of line k (the provisional row, or one appended);
//   ANT:<key> a product's fields before its first change (for an undo);
//   E<k>      the product's stock before line k (the totals keep it);
//   S<k>      the product's stock, average cost and date after line k;
//   DP:<key>, DANT:<key>, DS<k>, DM<k>  the same at a transfer's destination
//             (DP: a product made there);
//   PV        the provisional row posted as it is (no line moves anything);
//   FIRME     the documents stand; K<k>/KA<k> then the totals of line k.
// An undo (DESHACE, then U... steps) runs the other way over what the
// journal says was written, so a kill in the middle of it goes on undoing.
class Posteo {
 public:
  Posteo(UnidadTrabajo& u, const GuardadoMovimiento& g, db::Tabla& movimientos, db::Tabla& productos,
         db::Tabla& kardex)
      : u_(u), e_(g.encabezado), g_(g), movimientos_(movimientos), productos_(productos), kardex_(kardex),
        noGuardado_(g.nuevos ? kNoGuardados : kNoGuardado) {
    int k = 0;
    for (const PartidaDocumentoMovimiento& p : g.partidas) {
      const std::size_t documento = g.nuevos && p.documento > 0 ? static_cast<std::size_t>(p.documento) : 0;
      lineas_.push_back({&p.partida, g.nuevos ? p.concepto : e_.concepto, documento, QString::number(++k)});
      if (numeros_.size() <= documento) numeros_.resize(documento + 1, 0);
    }
    if (numeros_.empty()) numeros_.push_back(0);
    if (!g.nuevos) numeros_[0] = e_.numero;
  }

  ~Posteo() { Suelta(); }

  // The document numbers, in document order (0 for one nothing was written of).
  const std::vector<qint64>& Numeros() const { return numeros_; }

  void Aplica() {
    if (u_.Hecho(kPasoDeshace)) {
      FallaYDeshace(plat::Error(plat::Clase::General, QStringLiteral("El guardado se había interrumpido")));
    }
    if (!u_.Hecho(kPasoFirme)) {
      try {
        Prepara();
      } catch (const plat::Error& error) {
        Suelta();
        // Nothing was written by this run; what a former one wrote waits.
        if (!u_.HayEscrituras()) u_.Termina();
        throw plat::Error(error.clase(), error.mensaje() + noGuardado_);
      }
      try {
        AplicaMovimientos();
        if (e_.traspaso) AplicaTraspaso();
        if (provisional_) {
          u_.Fija(QStringLiteral("PV"), [&] {
            if (movimientos_.State() == Estado::Editando) movimientos_.Post();
          });
        }
      } catch (const std::exception& error) {
        FallaYDeshace(error);
      }
      u_.Anota(kPasoFirme);
    }
    Suelta();
    for (const Linea& l : lineas_) Totales(l);
    // The tables stand on the last row written.
    if (ultimo_ > 0) movimientos_.VeARegistro(ultimo_);
  }

 private:
  static double Cantidad(const TPartidaCapturaMovimiento& p) { return p.CANTIDAD.value_or(0); }

  // Undoes what was written and throws `error` with what became of the
  // document; the unit is ended when everything was undone.
  [[noreturn]] void FallaYDeshace(const std::exception& error) {
    const plat::Error* propio = dynamic_cast<const plat::Error*>(&error);
    const QString texto = plat::TextoError(error);
    const plat::Clase clase = propio ? propio->clase() : plat::Clase::General;
    bool deshecho = false;
    try {
      deshecho = Deshace();
    } catch (const std::exception&) {
    }
    Suelta();
    if (deshecho) u_.Termina();
    throw plat::Error(clase, texto + (deshecho ? noGuardado_ : kNoDeshecho));
  }

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
    if (movimientos_.State() == Estado::Insertando || (g_.nuevos && movimientos_.State() == Estado::Editando))
      movimientos_.Cancel();
    provisional_ = g_.provisional;
    if (provisional_) {
      // The provisional row stays held (its edit, or taken again when the
      // save is finished by a later run).
      capturando_ = movimientos_.State() == Estado::Editando && movimientos_.RecNo() == provisional_;
      if (!capturando_) {
        if (movimientos_.State() == Estado::Editando) movimientos_.Cancel();
        if (!movimientos_.VeARegistro(provisional_))
          throw plat::Error(plat::Clase::NoExiste,
                            QStringLiteral("El documento %1 ya no tiene su renglón en la tabla %2")
                                .arg(e_.numero)
                                .arg(movimientos_.NombreTabla()));
      }
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
    bool primera = provisional_ > 0;
    for (const Linea& l : lineas_) {
      const TPartidaCapturaMovimiento& p = *l.p;
      if (Cantidad(p) == 0) continue;
      qint64& numero = numeros_[l.documento];
      db::Tabla& t = movimientos_;
      const QString paso = QStringLiteral("M") + l.k;
      if (primera) {
        primera = false;
        u_.Fija(paso, [&] {
          if (t.State() != Estado::Editando) {
            if (!t.VeARegistro(provisional_)) throw plat::Error(plat::Clase::NoExiste, t.NombreTabla());
            t.Edit();
          }
          LlenaRenglon(t, p, l.concepto, numero);
          t.Post();
        });
        ultimo_ = provisional_;
      } else if (numero == 0) {
        // Drawn under the numbering lock; a row a former run wrote holds it.
        {
          t.CancelRange();
          t.SetFiltered(false);
          t.SetIndexName(kTagDocumentoMovimiento);
          db::Numeracion numeracion(t);
          const qint64 siguiente = SiguienteNumeroMovimiento(t);
          ultimo_ = u_.Agrega(t, paso, [&](db::Dataset&) { LlenaRenglon(t, p, l.concepto, siguiente); }, true);
        }
        numero = t.FieldByName(QStringLiteral("CLDOC_MI")).AsInteger();
      } else {
        ultimo_ = u_.Agrega(t, paso, [&](db::Dataset&) { LlenaRenglon(t, p, l.concepto, numero); });
      }
      AplicaExistencia(l);
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
  void AplicaExistencia(const Linea& l) {
    const TPartidaCapturaMovimiento& p = *l.p;
    if (!tomados_.contains(p.CLAVE) || !productos_.FindKey({p.CLAVE})) return;
    u_.Anota(QStringLiteral("ANT:") + p.CLAVE, CodificaValores(CamposProducto(productos_)));
    const double cantidad = Cantidad(p);
    const double signo = SignoConcepto(l.concepto);
    const auto campo = [](const db::Dataset& t, const char* nombre) -> db::Campo& {
      return t.FieldByName(QString::fromLatin1(nombre));
    };
    // The stock before this line, which the totals keep (the row is held:
    // nobody else moves it).
    u_.Anota(QStringLiteral("E") + l.k, {CodificaValor(registro::LeeReal(campo(productos_, "EXIST_I")).value_or(0))});
    const bool promedia =
        (l.concepto == ConceptoCompra || l.concepto == ConceptoInventarioInicial) && p.COSTO.value_or(Dinero()) > Dinero();
    u_.Cambia(QStringLiteral("S") + l.k, productos_, [&](const db::Dataset& fila) {
      const double antes = registro::LeeReal(campo(fila, "EXIST_I")).value_or(0);
      const double existencia = antes + signo * cantidad;
      ValoresFila v = {{QStringLiteral("EXIST_I"), existencia < 0 && e_.sinNegativos ? 0.0 : existencia}};
      if (promedia)
        v.append({QStringLiteral("CPROM_I"),
                  CostoPromedio(campo(fila, "TICOS_I").AsString(), antes, cantidad,
                                registro::LeeImporte(campo(fila, "CPROM_I")).value_or(Dinero()), *p.COSTO)
                      .Texto()});
      if (fila.FindField(QStringLiteral("FPGCI_I"))) v.append({QStringLiteral("FPGCI_I"), qint64{NumeroDeFecha(fs::Hoy())}});
      return v;
    });
  }

  // The totals of one line, once the documents stand: added to the key's
  // row, or a row made for the key. Failures leave the totals as they were
  // (ActualizaKardexMovimiento).
  void Totales(const Linea& l) {
    const TPartidaCapturaMovimiento& p = *l.p;
    const auto antes = u_.Resultado(QStringLiteral("E") + l.k);
    if (!antes || !u_.Hecho(QStringLiteral("S") + l.k)) return;
    const double cantidad = Cantidad(p);
    const int signo = SignoConcepto(l.concepto);
    const double existencia = DecodificaValor(antes->value(0)).toDouble() + signo * cantidad;
    const bool entrada = EsEntrada(l.concepto);
    const double entradas = entrada ? cantidad : 0, salidas = entrada ? 0 : signo * cantidad;
    const auto valores = [&](const db::Dataset& fila) {
      return SumaTotales(fila, entradas, salidas, signo * cantidad, existencia);
    };
    const QString agrega = QStringLiteral("KA") + l.k, cambia = QStringLiteral("K") + l.k;
    try {
      if (!kardex_.Active()) return;
      if (kardex_.IndexName().compare(kTagKardex, Qt::CaseInsensitive) != 0) kardex_.SetIndexName(kTagKardex);
      const auto cambiaRenglon = [&] {
        Retiene(kardex_, QStringLiteral("El producto %1 está en uso en los totales").arg(p.CLAVE));
        u_.Cambia(cambia, kardex_, valores);
        kardex_.SueltaRetenidos();
      };
      const bool agregada = u_.Hecho(agrega) || u_.Dudoso(agrega);
      if (!agregada && (u_.Hecho(cambia) || kardex_.FindKey({p.CLAVE}))) {
        cambiaRenglon();
        return;
      }
      try {
        u_.Agrega(kardex_, agrega, [&](db::Dataset& fila) {
          fila.FieldByName(QStringLiteral("CLPRO_I")).SetAsString(p.CLAVE);
          EscribeValores(fila, valores(fila));
        });
      } catch (const plat::Error&) {
        // Another station made the key's row meanwhile (the unique tag
        // refused this one): the line goes into that row.
        if (!kardex_.FindKey({p.CLAVE})) throw;
        cambiaRenglon();
      }
    } catch (const std::exception&) {
      try {
        if (kardex_.Active()) kardex_.SueltaRetenidos();
      } catch (const std::exception&) {
      }
    }
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
        u_.Cambia(QStringLiteral("DS") + l.k, productos, [&](const db::Dataset& fila) {
          const double existencia =
              registro::LeeReal(fila.FieldByName(QStringLiteral("EXIST_I"))).value_or(0) + cantidad * factor;
          return ValoresFila{{QStringLiteral("EXIST_I"), existencia < 0 && e_.sinNegativos ? 0.0 : existencia}};
        });
      }
      const auto llena = [&](db::Tabla& t, qint64 numero) {
        t.FieldByName(QStringLiteral("CLDOC_MI")).SetAsInteger(numero);
        CamposRenglon(t, e_, p, ConceptoEntradaTraspaso, cantidad * factor);
        if (db::Campo* c = t.FindField(QStringLiteral("CADUC_MI"))) c->SetAsString(p.CADUCIDAD);
      };
      const QString paso = QStringLiteral("DM") + l.k;
      if (numeroDestino_ == 0) {
        // The destination's number, under its numbering lock (held since
        // the save began; let go here); a row a former run wrote holds it.
        const qint64 siguiente = SiguienteNumeroMovimiento(movimientos);
        u_.Agrega(movimientos, paso, [&](db::Dataset&) { llena(movimientos, siguiente); }, true);
        numeroDestino_ = movimientos.FieldByName(QStringLiteral("CLDOC_MI")).AsInteger();
        numeracionDestino_.reset();
      } else {
        u_.Agrega(movimientos, paso, [&](db::Dataset&) { llena(movimientos, numeroDestino_); });
      }
    }
  }

  // Stands the destination's product table on the key's row, first making
  // it there from this folder's product (every field but EXIST_I, copied as
  // text) when it is missing. False when neither folder has the product.
  bool LocalizaDestino(const QString& clave) {
    db::Tabla& destino = *productosDestino_;
    if (clave.isEmpty()) return false;
    const QString hecho = QStringLiteral("DP:") + clave;
    // A product this save began to make there is its own, whatever the
    // destination shows of it.
    const bool empezado = u_.Hecho(hecho) || u_.Dudoso(hecho);
    if (!empezado && destino.FindKey({clave})) {
      u_.Anota(QStringLiteral("DANT:") + clave, CodificaValores(CamposProducto(destino)));
      return true;
    }
    const bool enOrigen = productos_.FindKey({clave});
    if (!empezado && !enOrigen) return false;
    u_.Agrega(destino, hecho, [&](db::Dataset& nuevo) {
      if (!enOrigen) throw plat::Error(plat::Clase::NoExiste, QStringLiteral("El producto %1 ya no existe").arg(clave));
      for (int i = 0; i < productos_.FieldCount(); ++i) {
        const db::Campo& origen = productos_.Fields(i);
        if (origen.Nombre().compare(QStringLiteral("EXIST_I"), Qt::CaseInsensitive) == 0) continue;
        db::Campo* campo = nuevo.FindField(origen.Nombre());
        if (!campo) continue;
        try {
          campo->SetAsString(origen.AsString());
        } catch (const plat::Error&) {
          // A value the destination's column cannot take stays blank there.
        }
      }
    });
    Retiene(destino, EnUso(clave) + QStringLiteral(" del almacén destino"));
    return destino.FindKey({clave});
  }

  // Puts back what the journal says was written, each undo a step of its
  // own; true when everything could be.
  bool Deshace() {
    u_.Anota(kPasoDeshace);
    bool todo = true;
    const auto paso = [&](const std::function<void()>& fn) {
      try {
        fn();
      } catch (const std::exception&) {
        todo = false;
      }
    };
    const auto cancela = [&](db::Tabla& t) {
      paso([&] {
        if (Escribiendo(t)) t.Cancel();
      });
    };
    const auto restaura = [&](db::Tabla& t, const QString& anterior, const QString& clave) {
      const auto valores = u_.Resultado(anterior + clave);
      if (!valores) return;
      paso([&] {
        u_.Fija(QStringLiteral("U") + anterior + clave, [&] {
          if (!t.FindKey({clave})) throw plat::Error(plat::Clase::NoExiste, t.NombreTabla());
          CambiaFila(t, EnUso(clave), [&] { EscribeValores(t, DecodificaValores(*valores)); });
        });
      });
    };
    std::set<QString> claves;
    for (const Linea& l : lineas_)
      if (!l.p->CLAVE.isEmpty()) claves.insert(l.p->CLAVE);

    if (e_.traspaso) {
      const QString carpeta = e_.carpetaDestino.trimmed();
      const auto abre = [&](std::unique_ptr<db::Tabla>& t, const QString& archivo, const QString& tag) {
        if (t) return;
        t = std::make_unique<db::Tabla>();
        t->SetCarpeta(carpeta);
        t->SetNombreTabla(archivo);
        t->Open();
        t->SetIndexName(tag);
      };
      paso([&] {
        abre(movimientosDestino_, movimientos_.NombreTabla(), kTagDocumentoMovimiento);
        cancela(*movimientosDestino_);
        for (auto l = lineas_.rbegin(); l != lineas_.rend(); ++l)
          paso([&] { u_.QuitaAgregada(QStringLiteral("DM") + l->k, QStringLiteral("UDM") + l->k, *movimientosDestino_); });
      });
      paso([&] {
        abre(productosDestino_, productos_.NombreTabla(), kTagClaveProducto);
        cancela(*productosDestino_);
        for (const QString& clave : claves) {
          restaura(*productosDestino_, QStringLiteral("DANT:"), clave);
          paso([&] { u_.QuitaAgregada(QStringLiteral("DP:") + clave, QStringLiteral("UDP:") + clave, *productosDestino_); });
        }
      });
    }
    cancela(productos_);
    if (productos_.IndexName().compare(kTagClaveProducto, Qt::CaseInsensitive) != 0)
      paso([&] { productos_.SetIndexName(kTagClaveProducto); });
    for (const QString& clave : claves) restaura(productos_, QStringLiteral("ANT:"), clave);
    cancela(movimientos_);
    for (auto l = lineas_.rbegin(); l != lineas_.rend(); ++l) {
      const QString agrega = QStringLiteral("M") + l->k;
      if (u_.Hecho(agrega) && u_.Resultado(agrega)->isEmpty()) continue;  // the provisional row's
      paso([&] { u_.QuitaAgregada(agrega, QStringLiteral("UM") + l->k, movimientos_); });
    }
    if (g_.provisional > 0)
      paso([&] {
        // The provisional row with the header as it was; a station still
        // capturing the document has it in edit again.
        u_.Fija(QStringLiteral("UPV"), [&] {
          if (!movimientos_.VeARegistro(g_.provisional))
            throw plat::Error(plat::Clase::NoExiste, movimientos_.NombreTabla());
          movimientos_.Edit();
          EscribeValores(movimientos_, g_.fotoProvisional);
          movimientos_.Post();
        });
        if (capturando_ && movimientos_.VeARegistro(g_.provisional)) movimientos_.Edit();
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

  UnidadTrabajo& u_;
  const EncabezadoMovimiento& e_;
  const GuardadoMovimiento& g_;
  std::vector<Linea> lineas_;
  std::vector<qint64> numeros_;
  db::Tabla& movimientos_;
  db::Tabla& productos_;
  db::Tabla& kardex_;
  const QString& noGuardado_;

  qint64 provisional_ = 0;  // the provisional row's record, 0 without one
  bool capturando_ = false;  // the window had it in edit: its document is still captured
  qint64 ultimo_ = 0;       // the last row written
  std::set<QString> tomados_;  // keys whose product row is held

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

UnidadTrabajo::Datos GuardadoMovimiento::Datos() const {
  const EncabezadoMovimiento& e = encabezado;
  UnidadTrabajo::Datos d = {
      {"numero", QString::number(e.numero)},
      {"concepto", QString::number(e.concepto)},
      {"fecha", e.fecha.toString(QStringLiteral("yyyyMMdd"))},
      {"contraparte", e.contraparte},
      {"referencia", e.referencia},
      {"almacen", QString::number(e.almacen)},
      {"usuario", e.usuario},
      {"sinNegativos", Si(e.sinNegativos)},
      {"traspaso", Si(e.traspaso)},
      {"carpetaDestino", e.carpetaDestino},
      {"porEmpaque", Si(e.traspasoPorEmpaque)},
      {"nuevos", Si(nuevos)},
      {"provisional", QString::number(provisional)},
      {"foto", CodificaValores(fotoProvisional).join(u'\t')},
  };
  for (const PartidaDocumentoMovimiento& p : partidas) d.append({QStringLiteral("linea"), CodificaPartida(p)});
  return d;
}

GuardadoMovimiento GuardadoMovimiento::De(const UnidadTrabajo::Datos& datos) {
  GuardadoMovimiento g;
  EncabezadoMovimiento& e = g.encabezado;
  for (const auto& [clave, valor] : datos) {
    const bool si = valor == u"S";
    if (clave == u"numero") e.numero = valor.toLongLong();
    else if (clave == u"concepto") e.concepto = valor.toInt();
    else if (clave == u"fecha") e.fecha = QDate::fromString(valor, QStringLiteral("yyyyMMdd"));
    else if (clave == u"contraparte") e.contraparte = valor;
    else if (clave == u"referencia") e.referencia = valor;
    else if (clave == u"almacen") e.almacen = valor.toInt();
    else if (clave == u"usuario") e.usuario = valor;
    else if (clave == u"sinNegativos") e.sinNegativos = si;
    else if (clave == u"traspaso") e.traspaso = si;
    else if (clave == u"carpetaDestino") e.carpetaDestino = valor;
    else if (clave == u"porEmpaque") e.traspasoPorEmpaque = si;
    else if (clave == u"nuevos") g.nuevos = si;
    else if (clave == u"provisional") g.provisional = valor.toLongLong();
    else if (clave == u"foto") g.fotoProvisional = valor.isEmpty() ? ValoresFila() : DecodificaValores(valor.split(u'\t'));
    else if (clave == u"linea") g.partidas.push_back(DecodificaPartida(valor));
  }
  return g;
}

GuardadoMovimiento GuardadoMovimiento::Documento(const EncabezadoMovimiento& documento,
                                                 const std::vector<TPartidaCapturaMovimiento>& partidas,
                                                 const db::Dataset& movimientos) {
  GuardadoMovimiento g;
  g.encabezado = documento;
  for (const TPartidaCapturaMovimiento& p : partidas) g.partidas.push_back({p, documento.concepto, 0});
  if (movimientos.State() == Estado::Editando) {
    g.provisional = movimientos.RecNo();
    for (int i = 0; i < movimientos.FieldCount(); ++i)
      g.fotoProvisional.append({movimientos.Fields(i).Nombre(), movimientos.Fields(i).Value()});
  }
  return g;
}

GuardadoMovimiento GuardadoMovimiento::Documentos(const EncabezadoMovimiento& comun,
                                                  const std::vector<PartidaDocumentoMovimiento>& partidas) {
  GuardadoMovimiento g;
  g.encabezado = comun;
  g.encabezado.traspaso = false;
  g.nuevos = true;
  g.partidas = partidas;
  return g;
}

std::vector<qint64> PostaMovimientos(UnidadTrabajo& unidad, const GuardadoMovimiento& guardado,
                                     db::Tabla& movimientos, db::Tabla& productos, db::Tabla& kardex) {
  Posteo posteo(unidad, guardado, movimientos, productos, kardex);
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

bool NotaCreditoProveedor(UnidadTrabajo& unidad, const QString& carpetaDatos, const DocumentoNotaCredito& documento,
                          Dinero importe) {
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
  const QString agrega = QStringLiteral("NC"), cambia = QStringLiteral("NCC"), quita = QStringLiteral("UNC");
  // A note given up by a former run of the unit stays given up.
  if (unidad.Hecho(quita)) return false;
  auto compras = abre(QStringLiteral("ComprasE.dbf"), QStringLiteral("ICOMENC"));
  if (!compras->FindKey({compra})) return false;
  auto cuentas = abre(QStringLiteral("CUEPAGAR.DBF"), {});
  // The purchase is held first, so both writes stand or neither does.
  Retiene(*compras, QStringLiteral("La compra %1 está en uso en otra estación").arg(compra));
  try {
    unidad.Agrega(*cuentas, agrega, [&](db::Dataset& c) {
      c.FieldByName(QStringLiteral("NUCOM_CP")).SetAsInteger(compra);
      c.FieldByName(QStringLiteral("CLPRO_CP")).SetAsString(documento.contraparte.left(kCorte));
      registro::Escribe(c.FieldByName(QStringLiteral("IMCUE_CP")), std::optional<Dinero>(importe));
      registro::Escribe(c.FieldByName(QStringLiteral("ABONO_CP")), std::optional<Dinero>(importe));
      c.FieldByName(QStringLiteral("TIMOV_CP")).SetAsString(QStringLiteral("10"));
      c.FieldByName(QStringLiteral("FEAPL_CP")).SetAsDate(fs::Hoy());
      c.FieldByName(QStringLiteral("FEVEN_CP")).SetAsDate(fs::Hoy());
      c.FieldByName(QStringLiteral("OPERA_CP")).SetAsString(QStringLiteral("A"));
      c.FieldByName(QStringLiteral("CONCE_CP")).SetAsString(QStringLiteral("Nota de Crédito"));
    });
    compras->FindKey({compra});
    unidad.Cambia(cambia, *compras, [&](const db::Dataset& fila) {
      const auto mas = [&](const char* campo, Dinero cuanto) {
        return (registro::LeeImporte(fila.FieldByName(QString::fromLatin1(campo))).value_or(Dinero()) + cuanto).Texto();
      };
      return ValoresFila{{QStringLiteral("ABONO_O"), mas("ABONO_O", importe)},
                         {QStringLiteral("SALDO_O"), mas("SALDO_O", -importe)}};
    });
    // The purchase's charge row (concept 51), when it has one, owes as much
    // less as the purchase does.
    cuentas->SetIndexName(QStringLiteral("NUCOM"));
    cuentas->SetRange({compra}, {compra});
    qint64 cargo = 0;
    for (cuentas->First(); !cuentas->Eof() && cargo == 0; cuentas->Next())
      if (cuentas->FieldByName(QStringLiteral("TIMOV_CP")).AsInteger() == kConceptoCargoCompraNota) cargo = cuentas->RecNo();
    cuentas->CancelRange();
    if (cargo > 0 && cuentas->VeARegistro(cargo)) {
      unidad.Cambia(QStringLiteral("NCS"), *cuentas, [&](const db::Dataset& fila) {
        const Dinero saldo = registro::LeeImporte(fila.FieldByName(QStringLiteral("SALDO_CP"))).value_or(Dinero());
        return ValoresFila{{QStringLiteral("SALDO_CP"), (saldo - importe).Texto()}};
      });
    }
  } catch (...) {
    // The purchase could not take the amount: the payable goes too.
    if (!unidad.Hecho(cambia)) {
      try {
        unidad.QuitaAgregada(agrega, quita, *cuentas);
      } catch (const std::exception&) {
      }
    }
    compras->SueltaRetenidos();
    throw;
  }
  compras->SueltaRetenidos();
  return true;
}
