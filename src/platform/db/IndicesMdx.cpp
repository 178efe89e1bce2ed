// The production index of dBASE tables: the tags of the .mdx file beside the
// .dbf (MdxArchivo), kept current by the table's writes, and an Orden over
// each tag that skips deleted rows.

#include "platform/Error.h"
#include "platform/db/Almacen.h"
#include "platform/db/Orden.h"
#include "platform/db/mdx/MdxArchivo.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <vector>

namespace db {
namespace {

using plat::Clase;
using plat::Error;

// The fields of a raw record, for the key expressions.
LectorCampo Lector(Almacen& a, const char* registro) {
  return [&a, registro](int campo) { return a.Valor(registro, campo); };
}

// The fields of a record as it stands on file, for the keys a write takes
// out: a value that cannot be read counts as blank, so the write of a
// repaired row is not refused for the bytes it replaces.
LectorCampo LectorTolerante(Almacen& a, const char* registro) {
  return [&a, registro](int campo) -> QVariant {
    try {
      return a.Valor(registro, campo);
    } catch (const Error&) {
      return {};
    }
  };
}

const std::uint8_t* Bytes(const QByteArray& b) { return reinterpret_cast<const std::uint8_t*>(b.constData()); }

// The operands of the top-level "+" of a key expression ("CLDOC_FD+STR(N,5)"
// gives two), quotes and parentheses respected.
QStringList PartesDe(const QString& expresion) {
  QStringList partes;
  int nivel = 0;
  QChar comilla;
  qsizetype desde = 0;
  for (qsizetype i = 0; i < expresion.size(); ++i) {
    const QChar c = expresion[i];
    if (!comilla.isNull()) {
      if (c == comilla) comilla = QChar();
    } else if (c == u'\'' || c == u'"') {
      comilla = c;
    } else if (c == u'(') {
      ++nivel;
    } else if (c == u')') {
      --nivel;
    } else if (c == u'+' && nivel == 0) {
      partes << expresion.mid(desde, i - desde);
      desde = i + 1;
    }
  }
  partes << expresion.mid(desde);
  return partes;
}

class OrdenTag final : public Orden {
 public:
  OrdenTag(MdxArchivo& mdx, Almacen& a, const InfoTag& info)
      : mdx_(mdx), a_(a), info_(info), c_(mdx, info.def.nombre), fisico_(OrdenFisico(a)) {}

  QString Nombre() const override { return info_.def.nombre; }

  qint64 Primero() override {
    MdxArchivo::Bloqueo b(mdx_, false);
    return Vivo(c_.Primero(), true);
  }

  qint64 Ultimo() override {
    MdxArchivo::Bloqueo b(mdx_, false);
    return Vivo(c_.Ultimo(), false);
  }

  qint64 Siguiente() override {
    if (actual_ == 0) return Primero();
    MdxArchivo::Bloqueo b(mdx_, false);
    return Vivo(c_.Siguiente(), true);
  }

  qint64 Anterior() override {
    if (actual_ == 0) return 0;
    MdxArchivo::Bloqueo b(mdx_, false);
    return Vivo(c_.Anterior(), false);
  }

  qint64 VeA(qint64 n) override {
    MdxArchivo::Bloqueo b(mdx_, false);
    const char* r = n > 0 ? a_.LeeConIndiceBloqueado(n) : nullptr;
    if (!r || a_.Borrado(r)) return 0;
    const QByteArray k = mdx_.ClaveDeRegistro(info_.def.nombre, Lector(a_, r));
    if (c_.Situa(k, static_cast<std::uint32_t>(n))) return Toma(n);
    Vuelve();
    return 0;
  }

  qint64 Actual() const override { return actual_; }

  qint64 Busca(const QVariantList& valores, bool exacta) override {
    MdxArchivo::Bloqueo b(mdx_, false);
    const QByteArray k = Clave(valores);
    if (!exacta) return Vivo(c_.BuscaCercano(k), true);
    if (!c_.Busca(k)) {
      Vuelve();
      return 0;
    }
    // Keys of deleted rows (left by another program) are passed over.
    const QByteArray hallada = c_.Clave();
    for (bool hay = true; hay && clave::Compara(info_.tipo, Bytes(c_.Clave()), Bytes(hallada), info_.largo) == 0;
         hay = c_.Siguiente()) {
      if (Viva(c_.Registro())) return Toma(c_.Registro());
    }
    Vuelve();
    return 0;
  }

  void FijaRango(const QVariantList& desde, const QVariantList& hasta) override {
    MdxArchivo::Bloqueo b(mdx_, false);
    QByteArray d = Clave(desde);
    QByteArray h = Clave(hasta);
    c_.FijaRango(d, h);
    desde_ = std::move(d);
    hasta_ = std::move(h);
  }

  void QuitaRango() override { c_.QuitaRango(); }
  bool ConRango() const override { return c_.ConRango(); }

  qint64 Cuenta() override {
    // Every live row has its key in a tag that is not unique: without a
    // range, the rows of the table.
    if (!c_.ConRango() && !info_.def.unico) return fisico_->Cuenta();
    MdxArchivo::Bloqueo b(mdx_, false);
    CursorMdx k(mdx_, info_.def.nombre);
    if (c_.ConRango()) k.FijaRango(desde_, hasta_);
    qint64 n = 0;
    for (bool hay = k.Primero(); hay; hay = k.Siguiente()) {
      if (Viva(k.Registro())) ++n;
    }
    return n;
  }

  void Refresca() override { fisico_->Refresca(); }

 private:
  // Whether the row an entry of the tag points at is live, read from the
  // file while the index file is held (so another station's post is seen).
  // An entry pointing at no row of the table is damage: Corrupto.
  bool Viva(qint64 n) {
    const char* r = n > 0 ? a_.LeeConIndiceBloqueado(n) : nullptr;
    if (!r)
      throw Error(Clase::Corrupto, QStringLiteral("El archivo de índices %1 está dañado (el índice %2 apunta al registro %3, "
                                                  "que la tabla %4 no tiene)")
                                       .arg(mdx_.Ruta(), info_.def.nombre)
                                       .arg(n)
                                       .arg(a_.Nombre()));
    return !a_.Borrado(r);
  }

  // From the entry the cursor reached (`hay`), the first live row going
  // forwards or backwards; when none, back to where it stood.
  qint64 Vivo(bool hay, bool adelante) {
    while (hay) {
      if (Viva(c_.Registro())) return Toma(c_.Registro());
      hay = adelante ? c_.Siguiente() : c_.Anterior();
    }
    Vuelve();
    return 0;
  }

  qint64 Toma(qint64 n) {
    actual_ = n;
    clave_ = c_.Clave();
    return n;
  }

  void Vuelve() { c_.Recuerda(actual_ ? clave_ : QByteArray(), static_cast<std::uint32_t>(actual_)); }

  // The search key for the given values: one value is the whole key (text,
  // number or date as the tag's type); several values are one per operand of
  // a character key joined with "+", each made as the expression makes it.
  QByteArray Clave(const QVariantList& valores) {
    if (valores.isEmpty())
      throw Error(Clase::Estado,
                  QStringLiteral("Falta la clave a buscar en el índice %1 de la tabla %2").arg(info_.def.nombre, a_.Nombre()));
    if (valores.size() == 1) return mdx_.ClaveDeValor(info_.def.nombre, valores[0]);
    if (partes_.empty() && info_.tipo == TipoClave::Caracter) {
      for (const QString& p : PartesDe(info_.def.expresion)) partes_.emplace_back(p, a_.Campos());
    }
    if (static_cast<qsizetype>(partes_.size()) != valores.size()) {
      const size_t n = std::max<size_t>(1, partes_.size());
      throw Error(Clase::Estado, QStringLiteral("El índice %1 de la tabla %2 se busca con %3, no con %4")
                                     .arg(info_.def.nombre, a_.Nombre(),
                                          n == 1 ? QStringLiteral("un valor") : QStringLiteral("%1 valores").arg(n))
                                     .arg(valores.size()));
    }
    QByteArray k;
    for (size_t i = 0; i < partes_.size(); ++i) {
      const QVariant& v = valores[static_cast<qsizetype>(i)];
      k += partes_[i].Evalua([&v](int) { return v; });
    }
    return k;
  }

  MdxArchivo& mdx_;
  Almacen& a_;
  const InfoTag info_;
  CursorMdx c_;
  std::unique_ptr<Orden> fisico_;  // counts the rows
  qint64 actual_ = 0;
  QByteArray clave_;               // the key of the row stood on
  QByteArray desde_, hasta_;
  std::vector<ExpresionIndice> partes_;
};

class IndicesMdx final : public Indices {
 public:
  IndicesMdx(const QString& ruta, Almacen& a) : a_(a), mdx_(ruta, a.Campos()) {
    mdx_.FijaRemate([this](const QByteArray& intencion) { Remata(intencion); });
    LeeUnicos();
    Revisa();
  }

  QVector<DefTag> Tags() override {
    QVector<DefTag> r;
    for (const InfoTag& i : mdx_.Tags()) r << i.def;
    return r;
  }

  std::unique_ptr<Orden> AbreOrden(const QString& tag) override {
    return std::make_unique<OrdenTag>(mdx_, a_, Info(tag));
  }

  void Escribe(const std::function<void()>& escritura) override {
    MdxArchivo::Bloqueo b(mdx_, true);
    try {
      escritura();
    } catch (...) {
      // Before its keys changed a failed write is undone here; after, it is
      // left to the next operation to finish (its pages may be half
      // written). Should the undo fail too, the intent stays and the next
      // operation finishes the write: the write's own error goes on.
      if (anunciada_ && !clavesTocadas_) {
        try {
          a_.Rehace(intencion_.n, intencion_.antes, false);
          mdx_.Cumplida();
        } catch (const plat::Error&) {
        }
      }
      anunciada_ = false;
      throw;
    }
    if (anunciada_) mdx_.Cumplida();
    anunciada_ = false;
  }

  void Anuncia(Cambio cambio, qint64 n, const char* antes, const QByteArray& despues) override {
    intencion_ = {cambio, n, antes ? QByteArray(antes, despues.size()) : QByteArray(), despues};
    mdx_.Anuncia(Codifica(intencion_));
    anunciada_ = true;
    clavesTocadas_ = false;
  }

  void Revisa() override { MdxArchivo::Bloqueo b(mdx_, false); }

  void ExigeUnicos(qint64 n, const char* antes, const char* despues) override {
    for (const InfoTag& t : unicos_) {
      const QByteArray nueva = mdx_.ClaveDeRegistro(t.def.nombre, Lector(a_, despues));
      if (antes && mdx_.ClaveDeRegistro(t.def.nombre, LectorTolerante(a_, antes)) == nueva) continue;
      CursorMdx c(mdx_, t.def.nombre);
      if (c.Busca(nueva) && c.Registro() != static_cast<std::uint32_t>(n)) {
        const QString valor = clave::Valor(t.tipo, Bytes(nueva), t.largo).toString();
        throw Error(Clase::General, QStringLiteral("La clave \"%1\" ya existe en el índice único %2 de la tabla %3")
                                        .arg(valor, t.def.nombre, a_.Nombre()));
      }
    }
  }

  void Agregado(qint64 n, const char* registro) override {
    clavesTocadas_ = true;
    mdx_.Agrega(static_cast<std::uint32_t>(n), Lector(a_, registro));
  }

  void Cambiado(qint64 n, const char* antes, const char* despues) override {
    clavesTocadas_ = true;
    mdx_.Cambia(static_cast<std::uint32_t>(n), LectorTolerante(a_, antes), Lector(a_, despues));
  }

  void Borrado(qint64 n, const char* registro) override {
    clavesTocadas_ = true;
    mdx_.Quita(static_cast<std::uint32_t>(n), LectorTolerante(a_, registro));
  }

  void AgregaTag(const DefTag& tag) override {
    mdx_.AgregaTag(tag, Registros());
    LeeUnicos();
  }

  void QuitaTag(const QString& tag) override {
    mdx_.BorraTag(Info(tag).def.nombre);
    LeeUnicos();
  }

  void Regenera() override { mdx_.Regenera(Registros()); }
  QStringList Discrepantes() override { return mdx_.Discrepantes(Registros()); }

  // Every operation of the index file checks its header for other stations'
  // changes: nothing is cached across operations.
  void Refresca() override {}

 private:
  InfoTag Info(const QString& tag) {
    for (const InfoTag& i : mdx_.Tags())
      if (i.def.nombre.compare(tag.trimmed(), Qt::CaseInsensitive) == 0) return i;
    throw Error(Clase::NoExiste, QStringLiteral("La tabla %1 no tiene el índice %2").arg(a_.Nombre(), tag));
  }

  // Tags change only under exclusive use, so the unique ones are known from
  // the open on.
  void LeeUnicos() {
    unicos_.clear();
    for (const InfoTag& i : mdx_.Tags())
      if (i.def.unico) unicos_.push_back(i);
  }

  // The live records of the table, read again from the file.
  RecorreRegistros Registros() {
    return [this](const VisitaRegistro& visita) {
      a_.Refresca();
      const qint64 total = a_.Cuenta();
      for (qint64 n = 1; n <= total; ++n) {
        const char* r = a_.Lee(n);
        if (!r || a_.Borrado(r)) continue;
        visita(static_cast<std::uint32_t>(n), Lector(a_, r));
      }
    };
  }

  // The intent of a write: the record's bytes before (empty for an append)
  // and after, kept in the index file as
  //   kind (1 byte), record (uint32), length and bytes before, length and
  //   bytes after (lengths uint32 little-endian).
  struct Intencion {
    Cambio cambio = Cambio::Alta;
    qint64 n = 0;
    QByteArray antes, despues;
  };

  static QByteArray Codifica(const Intencion& i) {
    QByteArray b(1, static_cast<char>(i.cambio));
    auto pon32 = [&b](quint32 v) {
      char c[4];
      qToLittleEndian(v, c);
      b.append(c, 4);
    };
    pon32(static_cast<quint32>(i.n));
    pon32(static_cast<quint32>(i.antes.size()));
    b += i.antes;
    pon32(static_cast<quint32>(i.despues.size()));
    b += i.despues;
    return b;
  }

  Intencion Decodifica(const QByteArray& b) const {
    Intencion i;
    qsizetype p = 0;
    auto toma = [&](qsizetype largo) {
      if (largo < 0 || p + largo > b.size())
        throw Error(Clase::Corrupto, QStringLiteral("El archivo de índices %1 está dañado (intención ilegible)").arg(mdx_.Ruta()));
      const QByteArray r = b.mid(p, largo);
      p += largo;
      return r;
    };
    auto toma32 = [&] { return static_cast<qsizetype>(qFromLittleEndian<quint32>(toma(4).constData())); };
    i.cambio = static_cast<Cambio>(toma(1).at(0));
    i.n = toma32();
    i.antes = toma(toma32());
    i.despues = toma(toma32());
    if (i.n < 1 || i.despues.isEmpty())
      throw Error(Clase::Corrupto, QStringLiteral("El archivo de índices %1 está dañado (intención ilegible)").arg(mdx_.Ruta()));
    return i;
  }

  // A write a dead station left: the record made as it intended, every tag
  // made to match (each step is skipped where it was done already), and
  // the intent cleared.
  void Remata(const QByteArray& bytes) {
    const Intencion i = Decodifica(bytes);
    a_.Rehace(i.n, i.despues, i.cambio == Cambio::Alta);
    const auto n = static_cast<std::uint32_t>(i.n);
    const bool antesViva = !i.antes.isEmpty() && !a_.Borrado(i.antes.constData());
    const bool despuesViva = !a_.Borrado(i.despues.constData());
    if (antesViva && despuesViva) {
      mdx_.Cambia(n, LectorTolerante(a_, i.antes.constData()), Lector(a_, i.despues.constData()));
    } else if (antesViva) {
      mdx_.Quita(n, LectorTolerante(a_, i.antes.constData()));
    } else if (despuesViva) {
      mdx_.Agrega(n, Lector(a_, i.despues.constData()));
    }
    mdx_.Cumplida();
  }

  Almacen& a_;
  MdxArchivo mdx_;
  std::vector<InfoTag> unicos_;
  Intencion intencion_;        // of the write in progress in Escribe
  bool anunciada_ = false;
  bool clavesTocadas_ = false;
};

class FabricaDeMdx final : public FabricaIndices {
 public:
  std::unique_ptr<Indices> Abre(const QString& ruta, Almacen& almacen, bool) override {
    return std::make_unique<IndicesMdx>(ruta, almacen);
  }

  std::unique_ptr<Indices> Crea(const QString& ruta, Almacen& almacen, const QVector<DefTag>& tags) override {
    MdxArchivo::Crea(ruta, QFileInfo(almacen.Nombre()).completeBaseName());
    try {
      auto ix = std::make_unique<IndicesMdx>(ruta, almacen);
      for (const DefTag& t : tags) ix->AgregaTag(t);
      return ix;
    } catch (...) {
      QFile::remove(ruta);  // no index file without its tags
      throw;
    }
  }
};

}  // namespace

FabricaIndices& FabricaMdx() {
  static FabricaDeMdx fabrica;
  return fabrica;
}

}  // namespace db
