// Physical order: records by number, deleted ones skipped.

#include "platform/Error.h"
#include "platform/db/Almacen.h"
#include "platform/db/Orden.h"

namespace db {
namespace {

class OrdenPorNumero final : public Orden {
 public:
  explicit OrdenPorNumero(Almacen& a) : a_(a) {}

  QString Nombre() const override { return {}; }

  qint64 Primero() override { return Desde(1, +1); }
  qint64 Ultimo() override { return Desde(a_.Cuenta(), -1); }
  qint64 Siguiente() override { return Desde(actual_ + 1, +1); }
  qint64 Anterior() override { return actual_ > 0 ? Desde(actual_ - 1, -1) : 0; }

  qint64 VeA(qint64 n) override {
    const char* r = a_.Lee(n);
    if (!r || a_.Borrado(r)) return 0;
    return actual_ = n;
  }

  qint64 Actual() const override { return actual_; }

  qint64 Busca(const QVariantList&, bool) override { throw SinIndice(); }
  void FijaRango(const QVariantList&, const QVariantList&) override { throw SinIndice(); }
  void QuitaRango() override {}
  bool ConRango() const override { return false; }

  qint64 Cuenta() override {
    if (a_.Renumera()) return a_.Cuenta();  // nothing marked deleted
    const qint64 total = a_.Cuenta();
    if (total < contadosHasta_) Refresca();
    for (qint64 n = contadosHasta_ + 1; n <= total; ++n)
      if (!a_.Borrado(a_.Lee(n))) ++vivos_;
    contadosHasta_ = total;
    return vivos_;
  }

  void Refresca() override {
    contadosHasta_ = 0;
    vivos_ = 0;
  }

 private:
  qint64 Desde(qint64 n, int paso) {
    const qint64 total = a_.Cuenta();
    for (; n >= 1 && n <= total; n += paso) {
      // A row gone since the count (another station) is skipped.
      const char* r = a_.Lee(n);
      if (r && !a_.Borrado(r)) return actual_ = n;
    }
    return 0;
  }

  plat::Error SinIndice() const {
    return plat::Error(plat::Clase::Estado, QStringLiteral("La tabla %1 no tiene un índice activo").arg(a_.Nombre()));
  }

  Almacen& a_;
  qint64 actual_ = 0;
  qint64 contadosHasta_ = 0;
  qint64 vivos_ = 0;
};

}  // namespace

std::unique_ptr<Orden> OrdenFisico(Almacen& almacen) { return std::make_unique<OrdenPorNumero>(almacen); }

}  // namespace db
